#pragma once

// What the canvas view's export commands decide before they write anything: the paths of
// the files from the path the user chose, and the texts they show.

#include <functional>
#include <memory>
#include <string>

#include "app/delivery/OfficeInfo.h"

struct ExportPaths {
    std::string movie; // the movie written
    std::string output; // the page or presentation written (the movie for a plain export)
};

// Appends "." + extension unless the path already ends with it (case-insensitively).
std::string WithExtension(const std::string& chosen, const std::string& extension);
// The path with its extension (the text after the last dot of its file name) replaced, or
// the extension added when it has none.
std::string ReplaceExtension(const std::string& path, const std::string& extension);
// A page: ".htm" and ".html" stay, anything else gets ".html"; the movie is the chosen path
// with its extension replaced by "swf".
ExportPaths HtmlExportPaths(const std::string& chosen);
// A presentation: anything but ".pptx" gets it; the movie lies beside it as ".swf".
ExportPaths PresentationExportPaths(const std::string& chosen);

class CCmdUI;
class CDesignerContext;
class CDrawDoc;
class CDrawView;
class IMailProgram;

// The export, snapshot and send commands and the data commands beside them, over the canvas
// view's document in the designer's context, with what they remember from one command to the
// next. The view is the window their prompts and messages show over and holds the preview the
// snapshots ask for values; without a document a command does nothing.
class CExportCommands {
public:
    CExportCommands(CDrawView& view, CDesignerContext& designer);
    ~CExportCommands();
    CExportCommands(const CExportCommands&) = delete;
    CExportCommands& operator=(const CExportCommands&) = delete;

    void ExportSettings();
    void ExportPreview();
    void ExportSwf();
    void ExportHtml();
    void ExportPortal();
    void ExportPowerPoint();
    void ExportOutlook();
    void SnapshotSwf();
    void SnapshotHtml();
    void SnapshotPowerPoint();
    void SnapshotOutlook();
    void SendToPowerPoint();
    void SendToOutlook();
    void SnapshotToExcel();
    // The Export Scenario dialog over the preview: a snapshot movie or a snapshot workbook.
    void ExportScenario();
    void DataDialog();
    // The workbook window's model dialogs, run modally over the view.
    void ImportModel();
    void ReplaceDataSelection();

    // Publishing needs a model, and a movie of an empty canvas is no export.
    void UpdateExportWithObjects(CCmdUI* cmdUI);
    void UpdateExportPreview(CCmdUI* cmdUI);
    void UpdateSnapshotToExcel(CCmdUI* cmdUI);
    void UpdateExportScenario(CCmdUI* cmdUI);

    CDrawView& View() { return m_view; }
    CDesignerContext& Designer() { return m_designer; }

    // Where the mail commands hand a mail to; the desktop's mail program unless replaced.
    void SetMailProgram(std::unique_ptr<IMailProgram> program);
    IMailProgram* GetMailProgram();
    // The file names the SWF and HTML export prompts start from: the last ones exported.
    struct ExportNames {
        std::string swf;
        std::string html;
    };
    ExportNames& LastExportNames() { return m_lastExportNames; }

    // Which Office programs the commands can deliver to, as found at start.
    COfficeInfo m_officeInfo;
    // How long a snapshot waits for the preview movie's values.
    unsigned m_nQueryTimeoutMs;
    // The model dialogs of the workbook window (the program sets them where it makes the view;
    // without them the commands say they are missing).
    std::function<void(CDrawView&)> m_runImportModel;
    std::function<void(CDrawView&)> m_runReplaceData;

private:
    // The view's document; null when it has none.
    CDrawDoc* Document() const;
    // The values the preview shows written into a copy of the model's workbook at the path.
    void WriteSnapshotWorkbook(CDrawDoc& doc, const std::string& path);

    CDrawView& m_view;
    CDesignerContext& m_designer;
    std::unique_ptr<IMailProgram> m_pMailProgram;
    ExportNames m_lastExportNames;
};

namespace exporttext {
constexpr const char* kNotDoneImporting = "Not Done Importing";
constexpr const char* kOfficeTail = "Please consult your Microsoft Office help on how to install or fix your installation.\n"
                                    "Please restart Vantorel after this problem has been fixed to enable this feature.";
constexpr const char* kPowerPointMissing = "Problem accessing Microsoft Office 2000 version of PowerPoint.\n";
constexpr const char* kOutlookMissing = "Problem accessing Microsoft Office 2000 version of Outlook.\n";
constexpr const char* kFileMissingTail = " does not exist.\nPlease go to export settings and fix the filename.";
constexpr const char* kFileMissingCaption = "Replace File Name Error";
constexpr const char* kImportFile = "Please select a different file.  Cannot write to import file.";
constexpr const char* kBackgrounds =
    "Warning: Model contains backgrounds with non-embedded files. \nThese files will not show up in your final "
    "presentation. \nPlease use the File->Export->Powerpoint option to Export this model to Powerpoint";
constexpr const char* kImportFirst = "Please import a model first";
constexpr const char* kNoPreview =
    "A snapshot takes the values the SWF preview shows: please start the preview first.";
constexpr const char* kNoAnswer = "The preview movie did not send its values; nothing was written.";
constexpr const char* kExportError = "Export Error";
} // namespace exporttext
