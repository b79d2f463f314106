#include "app/workbook/WorkbookPicker.h"

#include "app/workbook/WorkbookDlg.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/drawing/Bitmap.h"
#include "platform/window/Screen.h"
#include "sheet/cells/CellModel.h"
#include "sheet/host/ExcelHost.h"
#include "sheet/workbook/WorkbookError.h"
#include "sheet/workbook/XlsxReader.h"

#include <algorithm>
#include <new>

namespace {

// Puts the window beside the owner (right of it when there is room on the screen, else left),
// top edges level.
void PlaceBeside(CWnd& window, CWnd* owner)
{
    if (owner == nullptr)
        return;
    CRect ownerRect, rect;
    owner->GetWindowRect(&ownerRect);
    window.GetWindowRect(&rect);
    const CRect work = GetScreenMetrics().workArea;
    int x = ownerRect.right + 4;
    if (x + rect.Width() > work.right)
        x = std::max(0, static_cast<int>(ownerRect.left) - rect.Width() - 4);
    window.MoveWindow(x, ownerRect.top, rect.Width(), rect.Height());
}

std::string FileName(const std::string& path)
{
    return std::filesystem::path(path).filename().string();
}

} // namespace

void InstallWorkbookPicker(CExcelHost& host, std::function<std::string()> shownName)
{
    if (host.GetRangePicker() == nullptr)
        host.SetRangePicker(
            std::make_unique<CWorkbookPicker>([&host] { return host.GetWorkbookPath(); }, std::move(shownName)));
}

CExcelHost* HostReadyToPick(CWnd* dialog, const char* warning, const CCellModel* model,
                            const std::function<bool()>& importModel)
{
    CExcelHost* host = CExcelHost::GetCurrent();
    if (host != nullptr && model != nullptr && model->IsLoaded())
        return host;
    ShowMessageBox(dialog, warning, "Warning", MB_OK | MB_ICONEXCLAMATION);
    if (importModel)
        importModel();
    return nullptr;
}

void RegisterPickerPictures()
{
    constexpr int kIcon = 156;
    constexpr int kBitmap = 163;
    CImageResources& images = GetImageResources();
    if (images.FindIcon(kIcon) != nullptr && images.FindBitmap(kBitmap) != nullptr)
        return;
    // A sheet of 3 x 3 cells with a shaded corner cell, the way a picked range looks.
    CBitmap picture(16, 14, RGB(255, 255, 255));
    for (int y = 1; y < 5; ++y)
        for (int x = 1; x < 6; ++x)
            picture.SetPixel(x, y, RGB(204, 224, 255));
    for (int i = 0; i < 16; ++i)
        for (int y : {0, 4, 9, 13})
            picture.SetPixel(i, y, RGB(90, 90, 90));
    for (int i = 0; i < 14; ++i)
        for (int x : {0, 5, 10, 15})
            picture.SetPixel(x, i, RGB(90, 90, 90));
    if (images.FindIcon(kIcon) == nullptr)
        images.AddIcon(kIcon, picture);
    if (images.FindBitmap(kBitmap) == nullptr)
        images.AddBitmap(kBitmap, picture);
}

CWorkbookPicker::CWorkbookPicker(std::function<std::string()> workbookPath, std::function<std::string()> shownName)
    : m_workbookPath(std::move(workbookPath)), m_shownName(std::move(shownName))
{
}

std::string CWorkbookPicker::Title() const
{
    const std::string shown = m_shownName ? m_shownName() : std::string();
    return FileName(shown.empty() ? m_loadedPath : shown);
}

CWorkbookPicker::~CWorkbookPicker()
{
    if (m_session && m_session->GetSafeHwnd() != nullptr)
        m_session->DestroyWindow();
}

bool CWorkbookPicker::CanStart() const
{
    return m_workbookPath && !m_workbookPath().empty();
}

const sheet::xlsx::Workbook* CWorkbookPicker::Load(CWnd* owner)
{
    const std::string path = m_workbookPath ? m_workbookPath() : std::string();
    std::error_code error;
    const auto time = std::filesystem::last_write_time(path, error);
    const auto size = error ? 0 : std::filesystem::file_size(path, error);
    if (error) {
        // A workbook that has gone since the import: nothing to show, and whatever was read
        // before no longer stands for it.
        m_book.reset();
        ShowMessageBox(owner, std::string(kUnreadableText) + path + "\nThe file is missing.", kCaption,
                       MB_OK | MB_ICONEXCLAMATION);
        return nullptr;
    }
    if (m_book && path == m_loadedPath && time == m_loadedTime && size == m_loadedSize)
        return m_book.get();
    m_book.reset();
    try {
        m_book = std::make_unique<sheet::xlsx::Workbook>(sheet::xlsx::ReadWorkbookFile(path));
    } catch (const sheet::WorkbookError& failure) {
        ShowMessageBox(owner, std::string(kUnreadableText) + failure.what(), kCaption, MB_OK | MB_ICONEXCLAMATION);
        return nullptr;
    } catch (const std::bad_alloc&) {
        ShowMessageBox(owner, std::string(kUnreadableText) + "There is not enough memory to show it.", kCaption,
                       MB_OK | MB_ICONEXCLAMATION);
        return nullptr;
    }
    if (m_book->sheets.empty()) {
        m_book.reset();
        ShowMessageBox(owner, std::string(kUnreadableText) + "It holds no worksheet.", kCaption,
                       MB_OK | MB_ICONEXCLAMATION);
        return nullptr;
    }
    m_loadedPath = path;
    m_loadedTime = time;
    m_loadedSize = size;
    return m_book.get();
}

sheet::RangePickAnswer CWorkbookPicker::PickRange(const std::string& startText, bool)
{
    // Several areas are always offered: the host keeps only the first one where a single
    // range is wanted, and tells the user so.
    CWnd* owner = CWnd::GetActiveWindow();
    if (m_session && owner == m_session.get())
        owner = m_session->GetOwner();
    const bool sessionShown = m_session && m_session->IsWindowVisible();
    // The session window may show the workbook that is about to be read again.
    if (m_session) {
        m_session->DestroyWindow();
        m_session.reset();
    }
    const sheet::xlsx::Workbook* book = Load(owner);
    if (book == nullptr)
        return {sheet::RangePickOutcome::Cancelled, {}};

    sheet::RangePickAnswer answer;
    {
        CWorkbookDlg window(owner, *book, Title(), startText);
        window.DoModal();
        answer = window.GetAnswer();
    }
    if (sessionShown) {
        ShowSession(true);
    }
    return answer;
}

void CWorkbookPicker::ShowSession(bool show)
{
    if (!show) {
        if (m_session) {
            m_session->DestroyWindow();
            m_session.reset();
        }
        return;
    }
    CWnd* owner = CWnd::GetActiveWindow();
    if (m_session) {
        PlaceBeside(*m_session, m_session->GetOwner());
        m_session->ShowWindow(SW_SHOWNOACTIVATE);
        return;
    }
    const sheet::xlsx::Workbook* book = Load(owner);
    if (book == nullptr)
        return;
    m_session = std::make_unique<CWorkbookDlg>(owner, *book, Title(), std::string());
    if (!m_session->Create(CWorkbookDlg::IDD, owner)) {
        m_session.reset();
        return;
    }
    m_session->SetOwner(owner);
    PlaceBeside(*m_session, owner);
    m_session->ShowWindow(SW_SHOWNOACTIVATE);
}
