#include "platform/dialogs/CommonDialogs.h"

#include "platform/dialogs/Dialog.h"
#include "platform/dialogs/MessageBox.h"
#include "base/PlatformServices.h"
#include "base/ServiceSlot.h"
#include "platform/window/Screen.h"
#include "platform/window/Wnd.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <vector>

#include <fnmatch.h>

namespace {

class CancellingDialogs final : public ICommonDialogService {
public:
    std::optional<std::string> ChooseFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<COLORREF> ChooseColour(ColorDialogRequest&) override { return std::nullopt; }
    std::optional<FontDialogRequest> ChooseFont(const FontDialogRequest&) override { return std::nullopt; }
};

ui::ServiceSlot<ICommonDialogService, CancellingDialogs>& Slot()
{
    static ui::ServiceSlot<ICommonDialogService, CancellingDialogs> service;
    return service;
}

// Whether folder holds a file of one of the filter's kinds.
bool HoldsFilesOfFilter(const std::filesystem::path& folder, const std::string& filter)
{
    const std::vector<FileKind> kinds = ParseFileFilter(filter);
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), last; !ec && it != last; it.increment(ec)) {
        if (!it->is_regular_file(ec))
            continue;
        const std::string name = it->path().filename().string();
        for (const FileKind& kind : kinds) {
            for (const std::string& pattern : kind.patterns) {
                if (pattern != "*.*" && pattern != "*" && fnmatch(pattern.c_str(), name.c_str(), 0) == 0)
                    return true;
            }
        }
    }
    return false;
}

// The folder of the file last chosen in a file dialog, for as long as the dialog service
// stays: a new service (a test's) starts afresh.
std::filesystem::path& LastChosenFolder()
{
    static std::filesystem::path folder;
    return folder;
}

// Where a file dialog opens that was given no folder: where the person last chose a file, else
// the current folder when it holds files of the kinds asked for, else the user's own files
// (never, say, the program's installation, which is the current folder while the designer runs).
std::string StartingFolder(const FileDialogRequest& request)
{
    if (!request.initialDir.empty() || std::filesystem::path(request.fileName).has_parent_path())
        return request.initialDir;
    std::error_code ec;
    if (!LastChosenFolder().empty() && std::filesystem::is_directory(LastChosenFolder(), ec))
        return LastChosenFolder().string();
    const std::filesystem::path current = GetCurrentDirectoryPath();
    if (!current.empty() && HoldsFilesOfFilter(current, request.filter))
        return current.string();
    const auto personal = GetPlatformServices().PersonalFolder();
    return personal ? personal->string() : std::string();
}

} // namespace

std::vector<FileKind> ParseFileFilter(const std::string& filter)
{
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(filter);
    while (std::getline(in, part, '|'))
        parts.push_back(part);
    std::vector<FileKind> kinds;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        FileKind& kind = kinds.emplace_back();
        kind.name = parts[i];
        std::istringstream patterns(parts[i + 1]);
        std::string pattern;
        while (std::getline(patterns, pattern, ';')) {
            if (!pattern.empty())
                kind.patterns.push_back(pattern);
        }
    }
    return kinds;
}

ICommonDialogService& GetCommonDialogService()
{
    return Slot().Get();
}

void SetCommonDialogService(std::unique_ptr<ICommonDialogService> service)
{
    LastChosenFolder().clear();
    Slot().Set(std::move(service));
}

CScriptedCommonDialogs& UseScriptedCommonDialogs()
{
    LastChosenFolder().clear();
    return Slot().Use<CScriptedCommonDialogs>();
}

void ResetCommonDialogService()
{
    LastChosenFolder().clear();
    Slot().Reset();
}

void CScriptedCommonDialogs::AnswerColour(std::optional<COLORREF> colour,
                                          std::optional<std::array<COLORREF, 16>> custom)
{
    m_colours.emplace_back(colour, custom);
}

void CScriptedCommonDialogs::AnswerFont(std::optional<LOGFONT> font, COLORREF colour)
{
    m_fonts.emplace_back(font, colour);
}

std::vector<CScriptedCommonDialogs::Logged> CScriptedCommonDialogs::Unexpected() const
{
    std::vector<Logged> out;
    for (const Logged& l : m_log)
        if (!l.expected)
            out.push_back(l);
    return out;
}

std::optional<std::string> CScriptedCommonDialogs::ChooseFile(const FileDialogRequest& request)
{
    Logged l;
    l.kind = "file";
    l.file = request;
    l.expected = !m_files.empty();
    m_log.push_back(l);
    if (m_files.empty())
        return std::nullopt;
    auto answer = m_files.front();
    m_files.pop_front();
    return answer;
}

std::optional<COLORREF> CScriptedCommonDialogs::ChooseColour(ColorDialogRequest& request)
{
    Logged l;
    l.kind = "colour";
    l.colour = request;
    l.expected = !m_colours.empty();
    m_log.push_back(l);
    if (m_colours.empty())
        return std::nullopt;
    auto answer = m_colours.front();
    m_colours.pop_front();
    if (answer.second)
        request.custom = *answer.second;
    return answer.first;
}

std::optional<FontDialogRequest> CScriptedCommonDialogs::ChooseFont(const FontDialogRequest& request)
{
    Logged l;
    l.kind = "font";
    l.font = request;
    l.expected = !m_fonts.empty();
    m_log.push_back(l);
    if (m_fonts.empty())
        return std::nullopt;
    auto answer = m_fonts.front();
    m_fonts.pop_front();
    if (!answer.first)
        return std::nullopt;
    FontDialogRequest chosen = request;
    chosen.font = *answer.first;
    chosen.colour = answer.second;
    return chosen;
}

CFileDialog::CFileDialog(BOOL openFileDialog, const char* defaultExt, const char* fileName, DWORD flags,
                         const char* filter, CWnd* parent)
    : m_parent(parent)
{
    m_ofn.open = openFileDialog != FALSE;
    m_ofn.defaultExt = defaultExt != nullptr ? defaultExt : "";
    m_ofn.fileName = fileName != nullptr ? fileName : "";
    m_ofn.flags = flags;
    m_ofn.filter = filter != nullptr ? filter : "";
    m_ofn.title = m_ofn.open ? "Open" : "Save As";
}

INT_PTR CFileDialog::DoModal()
{
    ui::ModalOwner owner(m_parent);
    FileDialogRequest request = m_ofn;
    request.initialDir = StartingFolder(m_ofn);
    std::optional<std::string> chosen = GetCommonDialogService().ChooseFile(request);
    if (!chosen || chosen->empty())
        return IDCANCEL;
    std::filesystem::path path(*chosen);
    if (!m_ofn.defaultExt.empty() && !path.has_extension()) {
        std::string ext = m_ofn.defaultExt;
        if (ext.front() == '.')
            ext.erase(0, 1);
        path += "." + ext;
    }
    std::error_code ec;
    const bool exists = std::filesystem::exists(path, ec);
    if (m_ofn.open && (m_ofn.flags & OFN_FILEMUSTEXIST) && !exists)
        return IDCANCEL; // the dialog would not have accepted the name
    if (!m_ofn.open && (m_ofn.flags & OFN_OVERWRITEPROMPT) && exists) {
        int answer = ShowMessageBox(m_parent, path.string() + " already exists.\nDo you want to replace it?",
                                    m_ofn.title.c_str(), MB_YESNO | MB_ICONEXCLAMATION);
        if (answer != IDYES)
            return IDCANCEL;
    }
    m_path = path.string();
    LastChosenFolder() = std::filesystem::absolute(path, ec).parent_path();
    return IDOK;
}

std::string CFileDialog::GetFileName() const
{
    return std::filesystem::path(m_path).filename().string();
}

std::string CFileDialog::GetFileExt() const
{
    std::string ext = std::filesystem::path(m_path).extension().string();
    return ext.empty() ? ext : ext.substr(1);
}

std::string CFileDialog::GetFileTitle() const
{
    return std::filesystem::path(m_path).stem().string();
}

std::string CFileDialog::GetFolderPath() const
{
    return std::filesystem::path(m_path).parent_path().string();
}

COLORREF* CColorDialog::GetSavedCustomColors()
{
    static COLORREF custom[16] = {
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255)};
    return custom;
}

CColorDialog::CColorDialog(COLORREF initial, DWORD flags, CWnd* parent) : m_parent(parent)
{
    m_cc.rgbResult = initial;
    m_cc.Flags = flags | (initial != 0 ? CC_RGBINIT : 0);
    m_cc.lpCustColors = GetSavedCustomColors();
}

INT_PTR CColorDialog::DoModal()
{
    ui::ModalOwner owner(m_parent);
    ColorDialogRequest request;
    request.colour = (m_cc.Flags & CC_RGBINIT) ? m_cc.rgbResult : RGB(0, 0, 0);
    request.flags = m_cc.Flags;
    COLORREF* custom = m_cc.lpCustColors != nullptr ? m_cc.lpCustColors : GetSavedCustomColors();
    std::copy(custom, custom + 16, request.custom.begin());
    std::optional<COLORREF> chosen = GetCommonDialogService().ChooseColour(request);
    if (!chosen)
        return IDCANCEL;
    m_cc.rgbResult = *chosen & 0xFFFFFF;
    std::copy(request.custom.begin(), request.custom.end(), custom);
    return IDOK;
}

CFontDialog::CFontDialog(const LOGFONT* initial, DWORD flags, CDC*, CWnd* parent) : m_parent(parent)
{
    m_cf.Flags = flags | (initial != nullptr ? CF_INITTOLOGFONTSTRUCT : 0);
    if (initial != nullptr)
        m_lf = *initial;
}

INT_PTR CFontDialog::DoModal()
{
    ui::ModalOwner owner(m_parent);
    FontDialogRequest request;
    request.font = m_lf;
    request.colour = m_cf.rgbColors;
    request.flags = m_cf.Flags;
    std::optional<FontDialogRequest> chosen = GetCommonDialogService().ChooseFont(request);
    if (!chosen)
        return IDCANCEL;
    m_lf = chosen->font;
    m_lf.lfFaceName[sizeof(m_lf.lfFaceName) - 1] = '\0';
    if (m_cf.Flags & CF_EFFECTS)
        m_cf.rgbColors = chosen->colour & 0xFFFFFF;
    return IDOK;
}

std::string CFontDialog::GetFaceName() const
{
    return std::string(m_lf.lfFaceName, strnlen(m_lf.lfFaceName, sizeof(m_lf.lfFaceName)));
}

int CFontDialog::GetSize() const
{
    // The character height back to tenths of a point at the screen's density.
    int h = m_lf.lfHeight < 0 ? -m_lf.lfHeight : m_lf.lfHeight;
    int dpi = GetScreenMetrics().dpiY > 0 ? GetScreenMetrics().dpiY : 96;
    return (h * 720 + dpi / 2) / dpi;
}
