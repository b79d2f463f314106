#pragma once

#include "platform/drawing/Font.h"
#include "platform/drawing/Geometry.h"
#include "platform/window/Messages.h"

#include <array>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CWnd;
class CDC;

using INT_PTR = std::intptr_t;

constexpr DWORD OFN_READONLY = 0x1;
constexpr DWORD OFN_OVERWRITEPROMPT = 0x2;
constexpr DWORD OFN_HIDEREADONLY = 0x4;
constexpr DWORD OFN_NOCHANGEDIR = 0x8;
constexpr DWORD OFN_PATHMUSTEXIST = 0x800;
constexpr DWORD OFN_FILEMUSTEXIST = 0x1000;
constexpr DWORD OFN_EXPLORER = 0x80000;

constexpr DWORD CC_RGBINIT = 0x1;
constexpr DWORD CC_FULLOPEN = 0x2;
constexpr DWORD CC_PREVENTFULLOPEN = 0x4;
constexpr DWORD CC_SOLIDCOLOR = 0x80;
constexpr DWORD CC_ANYCOLOR = 0x100;

constexpr DWORD CF_SCREENFONTS = 0x1;
constexpr DWORD CF_INITTOLOGFONTSTRUCT = 0x40;
constexpr DWORD CF_EFFECTS = 0x100;

// What the program asks of the platform's file, colour and font dialogs.
struct FileDialogRequest {
    bool open = true;
    std::string title;
    std::string fileName; // initial name or pattern
    std::string defaultExt;
    std::string filter; // "Name|*.ext|Name|*.ext|"
    std::string initialDir;
    DWORD flags = 0;
};
struct ColorDialogRequest {
    COLORREF colour = 0;
    DWORD flags = 0;
    std::array<COLORREF, 16> custom{};
};
struct FontDialogRequest {
    LOGFONT font{};
    COLORREF colour = 0;
    DWORD flags = 0;
};

// The kinds of files a filter ("Workbooks|*.xlsx;*.xlsm|All files|*.*|") names: each kind's
// name and its patterns.
struct FileKind {
    std::string name;
    std::vector<std::string> patterns;
};
std::vector<FileKind> ParseFileFilter(const std::string& filter);

// The service behind the common dialogs. An answer of nothing is Cancel. The colour
// dialog may change the custom colours as the user does.
class ICommonDialogService {
public:
    virtual ~ICommonDialogService() = default;
    virtual std::optional<std::string> ChooseFile(const FileDialogRequest& request) = 0;
    virtual std::optional<COLORREF> ChooseColour(ColorDialogRequest& request) = 0;
    virtual std::optional<FontDialogRequest> ChooseFont(const FontDialogRequest& request) = 0;
};

// Answers from a script, in order per kind; a dialog without an answer is cancelled and
// recorded as unexpected, so a test sees every prompt it did not plan for.
class CScriptedCommonDialogs final : public ICommonDialogService {
public:
    struct Logged {
        std::string kind; // "file", "colour", "font"
        FileDialogRequest file;
        ColorDialogRequest colour;
        FontDialogRequest font;
        bool expected = true;
    };

    void AnswerFile(std::optional<std::string> path) { m_files.push_back(std::move(path)); }
    void AnswerColour(std::optional<COLORREF> colour, std::optional<std::array<COLORREF, 16>> custom = {});
    void AnswerFont(std::optional<LOGFONT> font, COLORREF colour = 0);
    const std::vector<Logged>& Log() const { return m_log; }
    std::vector<Logged> Unexpected() const;

    std::optional<std::string> ChooseFile(const FileDialogRequest& request) override;
    std::optional<COLORREF> ChooseColour(ColorDialogRequest& request) override;
    std::optional<FontDialogRequest> ChooseFont(const FontDialogRequest& request) override;

private:
    std::deque<std::optional<std::string>> m_files;
    std::deque<std::pair<std::optional<COLORREF>, std::optional<std::array<COLORREF, 16>>>> m_colours;
    std::deque<std::pair<std::optional<LOGFONT>, COLORREF>> m_fonts;
    std::vector<Logged> m_log;
};

// The service in use. Without a front end every common dialog is cancelled.
ICommonDialogService& GetCommonDialogService();
void SetCommonDialogService(std::unique_ptr<ICommonDialogService> service);
CScriptedCommonDialogs& UseScriptedCommonDialogs();
void ResetCommonDialogService();

// Open and Save As. On OK the chosen path gets the default extension when it has none; an
// open dialog with OFN_FILEMUSTEXIST refuses a missing file and a save dialog with
// OFN_OVERWRITEPROMPT asks before it names an existing one. A dialog given no folder (in
// m_ofn.initialDir or the file name) opens where a file was last chosen in one.
class CFileDialog {
public:
    CFileDialog(BOOL openFileDialog, const char* defaultExt = nullptr, const char* fileName = nullptr,
                DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const char* filter = nullptr,
                CWnd* parent = nullptr);
    virtual ~CFileDialog() = default;
    virtual INT_PTR DoModal();
    std::string GetPathName() const { return m_path; }
    std::string GetFileName() const;
    std::string GetFileExt() const;
    std::string GetFileTitle() const;
    std::string GetFolderPath() const;

    FileDialogRequest m_ofn;

private:
    CWnd* m_parent;
    std::string m_path;
};

// The colour dialog. The 16 custom colours are the dialog's own table unless the caller
// points it at another; they are written back on OK only.
class CColorDialog {
public:
    explicit CColorDialog(COLORREF initial = 0, DWORD flags = 0, CWnd* parent = nullptr);
    virtual ~CColorDialog() = default;
    virtual INT_PTR DoModal();
    COLORREF GetColor() const { return m_cc.rgbResult; }
    static COLORREF* GetSavedCustomColors();

    struct {
        COLORREF rgbResult = 0;
        COLORREF* lpCustColors = nullptr;
        DWORD Flags = 0;
    } m_cc;

private:
    CWnd* m_parent;
};

class CFontDialog {
public:
    explicit CFontDialog(const LOGFONT* initial = nullptr, DWORD flags = CF_EFFECTS | CF_SCREENFONTS,
                         CDC* printer = nullptr, CWnd* parent = nullptr);
    virtual ~CFontDialog() = default;
    virtual INT_PTR DoModal();
    void GetCurrentFont(LOGFONT* out) const { *out = m_lf; }
    std::string GetFaceName() const;
    int GetSize() const; // tenths of a point
    COLORREF GetColor() const { return m_cf.rgbColors; }
    BOOL IsBold() const { return m_lf.lfWeight >= FW_BOLD; }
    BOOL IsItalic() const { return m_lf.lfItalic != 0; }
    BOOL IsUnderline() const { return m_lf.lfUnderline != 0; }

    struct {
        DWORD Flags = 0;
        COLORREF rgbColors = 0;
    } m_cf;
    LOGFONT m_lf{};

private:
    CWnd* m_parent;
};
