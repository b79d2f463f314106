#include "platform/dialogs/MessageBox.h"

#include "base/ServiceSlot.h"

#include <utility>

#include "platform/window/Input.h"
#include "platform/docview/WinApp.h"
#include "platform/window/Wnd.h"

int DefaultMessageBoxAnswer(UINT flags)
{
    const UINT defButton = (flags >> 8) & 0x0F; // 0, 1, 2 for the first, second, third button
    switch (flags & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return defButton == 1 ? IDCANCEL : IDOK;
    case MB_ABORTRETRYIGNORE: {
        const int buttons[] = {IDABORT, IDRETRY, IDIGNORE};
        return buttons[defButton < 3 ? defButton : 0];
    }
    case MB_YESNOCANCEL: {
        const int buttons[] = {IDYES, IDNO, IDCANCEL};
        return buttons[defButton < 3 ? defButton : 0];
    }
    case MB_YESNO:
        return defButton == 1 ? IDNO : IDYES;
    case MB_RETRYCANCEL:
        return defButton == 1 ? IDCANCEL : IDRETRY;
    default:
        return IDOK;
    }
}

int CScriptedMessageBoxes::Show(const MessageBoxRequest& request)
{
    Logged entry{request.text, request.caption, request.flags, 0, true};
    if (answers_.empty()) {
        entry.expected = false;
        entry.answer = DefaultMessageBoxAnswer(request.flags);
        unexpected_.push_back(entry);
    } else {
        entry.answer = answers_.front();
        answers_.pop_front();
    }
    log_.push_back(entry);
    return entry.answer;
}

void CScriptedMessageBoxes::Clear()
{
    answers_.clear();
    log_.clear();
    unexpected_.clear();
}

namespace {
ui::ServiceSlot<IMessageBoxService, CScriptedMessageBoxes>& ServiceSlot()
{
    static ui::ServiceSlot<IMessageBoxService, CScriptedMessageBoxes> service;
    return service;
}
} // namespace

IMessageBoxService& GetMessageBoxService()
{
    return ServiceSlot().Get();
}

void SetMessageBoxService(std::unique_ptr<IMessageBoxService> service)
{
    ServiceSlot().Set(std::move(service));
}

CScriptedMessageBoxes& UseScriptedMessageBoxes()
{
    return ServiceSlot().Use();
}

void ResetMessageBoxService()
{
    ServiceSlot().Reset();
}

int ShowMessageBox(CWnd* owner, const std::string& text, const char* caption, UINT type)
{
    MessageBoxRequest request;
    request.text = text;
    request.owner = owner;
    request.flags = type;
    if (caption != nullptr) {
        request.caption = caption;
    } else if (CWinApp* app = AfxGetApp()) {
        request.caption = app->m_pszAppName;
    } else {
        request.caption = "Error";
    }
    // A box shows the arrow; a running wait cursor comes back once it is closed.
    const HCURSOR before = GetCursor();
    const int answer = GetMessageBoxService().Show(request);
    SetCursor(before);
    return answer;
}

int AfxMessageBox(const std::string& text, UINT nType)
{
    return ShowMessageBox(AfxGetMainWnd(), text, nullptr, nType);
}

// A member of the base window, defined with the boxes so that the window core needs none of them.
int CWnd::MessageBox(const std::string& text, const char* caption, UINT type)
{
    return ShowMessageBox(this, text, caption, type);
}
