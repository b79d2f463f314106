#include "platform/controls/ShockwaveFlash.h"

#include "platform/drawing/DC.h"

CShockwaveFlash::CShockwaveFlash() = default;

CShockwaveFlash::~CShockwaveFlash()
{
    if (m_player)
        m_player->SetEventSink(nullptr);
    if (m_hWnd != nullptr)
        DestroyWindow();
}

BOOL CShockwaveFlash::Create(const char* windowName, DWORD style, const CRect& rect, CWnd* parent, UINT id)
{
    return CWnd::Create(kFlashWindowClass, windowName, style, rect, parent, id);
}

LRESULT CShockwaveFlash::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        m_player = CreateFlashPlayer();
        if (!m_player)
            return -1; // no player: the control cannot be created
        m_player->SetEventSink(this);
        return 0;
    case WM_NCDESTROY:
        if (m_player)
            m_player->SetEventSink(nullptr);
        m_player.reset();
        return CWnd::DefWindowProc(message, wParam, lParam);
    case WM_PAINT: {
        PAINTSTRUCT ps;
        if (CDC* dc = BeginPaint(&ps); dc != nullptr && m_player) {
            CRect r;
            GetClientRect(&r);
            m_player->Draw(*dc, r);
        }
        EndPaint(&ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    default:
        return CWnd::DefWindowProc(message, wParam, lParam);
    }
}

void CShockwaveFlash::LoadMovie(long layer, const std::string& url)
{
    if (m_player)
        m_player->LoadMovie(static_cast<int>(layer), url);
    Invalidate(FALSE);
}

std::string CShockwaveFlash::GetMovie() const
{
    return m_player ? m_player->GetMovie() : std::string();
}

void CShockwaveFlash::SetMovie(const std::string& url)
{
    if (m_player)
        m_player->SetMovie(url);
}

void CShockwaveFlash::Play()
{
    if (m_player)
        m_player->Play();
}

long CShockwaveFlash::FlashVersion() const
{
    return m_player ? m_player->FlashVersion() : 0;
}

void CShockwaveFlash::SetVariable(const std::string& name, const std::string& value)
{
    if (m_player)
        m_player->SetVariable(name, value);
}

void CShockwaveFlash::TCallLabel(const std::string& target, const std::string& label)
{
    if (m_player)
        m_player->TCallLabel(target, label);
}

long CShockwaveFlash::GetBackgroundColor() const
{
    return m_player ? m_player->GetBackgroundColor() : -1;
}

void CShockwaveFlash::SetBackgroundColor(long colour)
{
    if (m_player)
        m_player->SetBackgroundColor(colour);
    Invalidate(FALSE);
}

BOOL CShockwaveFlash::GetMenu() const
{
    return m_player && m_player->GetMenu() ? TRUE : FALSE;
}

void CShockwaveFlash::SetMenu(BOOL enabled)
{
    if (m_player)
        m_player->SetMenu(enabled != FALSE);
}

void CShockwaveFlash::Zoom(int factor)
{
    if (m_player)
        m_player->Zoom(factor);
}

void CShockwaveFlash::SetBase(const std::string& folder)
{
    if (m_player)
        m_player->SetBase(folder);
}

BOOL CShockwaveFlash::OnFSCommand(const std::string&, const std::string&)
{
    return FALSE;
}

void CShockwaveFlash::OnPlayerCommand(const std::string& command, const std::string& args)
{
    OnFSCommand(command, args);
}
