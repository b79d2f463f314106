// The canvas view's export, snapshot and send commands, and the data commands of the same
// menu block. Every command takes one road: check, ask for a path, set the base movie's export
// flags for one generation, generate, clear the flags, deliver. Every file a command writes
// goes through a temporary file renamed into place, so a command that cannot write leaves the
// earlier file as it was.

#include "app/commands/ExportCommands.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <memory>

#include <unistd.h>

#include "app/panels/CanvasPropertiesPanel.h"
#include "base/PlatformServices.h"
#include "app/canvas/ComponentObj.h"
#include "app/canvas/DrawDoc.h"
#include "app/canvas/DrawView.h"
#include "app/core/DesignerContext.h"
#include "app/core/TempFileManager.h"
#include "app/delivery/HtmlExport.h"
#include "app/delivery/OfficeDelivery.h"
#include "app/dialogs/ExportScenarioDlg.h"
#include "app/dialogs/ExportSettingsDlg.h"
#include "app/dialogs/PortalExportDlg.h"
#include "app/modeldialogs/DataDlg.h"
#include "app/stage/MoviePicture.h"
#include "app/stage/PreviewFlashCtrl.h"
#include "model/ComponentCatalog.h"
#include "model/CompoundParameter.h"
#include "model/FileBytes.h"
#include "platform/dialogs/CommonDialogs.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Png.h"
#include "platform/window/CmdUI.h"
#include "platform/docview/Frame.h"
#include "platform/docview/WinApp.h"
#include "platform/services/Services.h"
#include "publish/BaseMovie.h"
#include "publish/CompileModel.h"
#include "publish/DocData.h"
#include "publish/ExportSettings.h"
#include "publish/MovieBuilder.h"
#include "publish/ProgramContext.h"
#include "sheet/cells/CellModel.h"
#include "sheet/cells/CellValueMap.h"
#include "sheet/host/ExcelApp.h"
#include "sheet/host/ExcelHost.h"
#include "sheet/host/SameFile.h"
#include "sheet/workbook/XlsxWorkbook.h"

using namespace exporttext;

// --- paths ----------------------------------------------------------------------------------

namespace {

std::string LowerExtension(const std::string& path)
{
    const std::string name = MovieFileName(path);
    const std::size_t dot = name.rfind('.');
    std::string ext = dot == std::string::npos ? std::string() : name.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext;
}

// Where what a delivery hands to a desktop program is kept so that it outlasts the run: the
// document's folder, or the person's own folder (where the file dialogs open) for a document
// never saved or in a folder the person may not write to (a shipped sample's); and the
// document's name for it ("movie" without one).
std::filesystem::path LastingFolder(CDrawView& view)
{
    const CDrawDoc* doc = view.GetDocument();
    const std::filesystem::path folder = doc != nullptr ? std::filesystem::path(doc->GetPathName()).parent_path() : "";
    if (!folder.empty() && access(folder.c_str(), W_OK | X_OK) == 0)
        return folder;
    return GetPlatformServices().PersonalFolder().value_or(GetCurrentDirectoryPath());
}

std::string DocumentStem(CDrawView& view)
{
    const CDrawDoc* doc = view.GetDocument();
    const std::string stem = doc != nullptr ? std::filesystem::path(doc->GetTitle()).stem().string() : "";
    return stem.empty() ? "movie" : stem;
}

// Hands the movie to the desktop's mail program. Where there is none, the mail is kept as a
// message file in the lasting folder and the person is told where; the movie goes by the
// document's name. Throws OfficeError.
void MailMovie(CDrawView& view, IMailProgram* program, const std::string& moviePath)
{
    COutlookExport mail(program);
    mail.KeepMessageIn(LastingFolder(view), DocumentStem(view) + ".swf");
    const std::string saved = mail.AttachMovie(moviePath);
    if (!saved.empty())
        ShowMessageBox(&view, "No mail program took the mail; it was saved with the movie attached as\n" + saved,
                       "Send Mail", MB_OK | MB_ICONINFORMATION);
}

} // namespace

std::string WithExtension(const std::string& chosen, const std::string& extension)
{
    return LowerExtension(chosen) == extension ? chosen : chosen + "." + extension;
}

std::string ReplaceExtension(const std::string& path, const std::string& extension)
{
    const std::size_t slash = path.find_last_of("/\\");
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return path + "." + extension;
    return path.substr(0, dot + 1) + extension;
}

ExportPaths HtmlExportPaths(const std::string& chosen)
{
    const std::string ext = LowerExtension(chosen);
    return {ReplaceExtension(chosen, "swf"), (ext == "htm" || ext == "html") ? chosen : chosen + ".html"};
}

ExportPaths PresentationExportPaths(const std::string& chosen)
{
    const std::string output = WithExtension(chosen, "pptx");
    return {ReplaceExtension(output, "swf"), output};
}

// --- the generation -------------------------------------------------------------------------

namespace {

// Builds the document's movie at the path, staged into outputs when given, through the
// document's own generation. False, with the reason, when it could not be built or written;
// nothing is then left at the path.
bool GenerateMovie(CDrawDoc& doc, const std::string& path, model::CFileBatch* outputs, std::string& error,
                   publish::MovieBuildResult* result = nullptr, const CCellValueMap* snapshotValues = nullptr)
{
    CBaseMovie* base = GetBaseMovie();
    if (CProgramContext::Current() == nullptr || base == nullptr || GetComponentCatalog() == nullptr) {
        error = "The installation holds no base movie to build with.";
        return false;
    }
    base->SetOutputPath(path);
    SwfGeneration how;
    how.outputs = outputs;
    how.values = snapshotValues;
    // The export flags of this command change the model's script.
    how.recompile = true;
    // The command says itself why it failed.
    how.reportFailure = false;
    how.result = result;
    if (!doc.GenerateSwf(path, how)) {
        error = doc.GetGenerationError();
        return false;
    }
    return true;
}

// The five export flags of the base movie for one command; whatever way the command ends,
// none stays set.
class ExportFlagScope {
public:
    explicit ExportFlagScope(CBaseMovie& base) : m_base(base) {}
    ~ExportFlagScope() { m_base.GetExportFlags() = {}; }
    ExportFlagScope(const ExportFlagScope&) = delete;
    ExportFlagScope& operator=(const ExportFlagScope&) = delete;
    CBaseMovie::ExportFlags& Flags() { return m_base.GetExportFlags(); }

private:
    CBaseMovie& m_base;
};

bool ModelLoaded()
{
    CBaseMovie* base = GetBaseMovie();
    return base != nullptr && base->GetCellModel().IsLoaded();
}

std::string TempName(const std::string& prefix, const std::string& extension)
{
    CTempFileManager* temp = GetTempFileManager();
    return temp != nullptr ? temp->CreateTempFile(prefix, extension, true) : std::string();
}

// What a command is: which checks it makes, where its movie goes and how it is delivered.
enum class Delivery { None, Preview, Html, Portal, Presentation, Mail };
struct CommandPlan {
    bool modelCheck = true;
    bool settingsCheck = true;
    bool snapshot = false;
    bool hostedPlayer = false;
    Delivery delivery = Delivery::None;
    bool backgroundWarning = false;
    // The Export Scenario dialog's snapshot builds the movie as the stage would, not for a file.
    bool exporting = true;
};

} // namespace

// --- the common road --------------------------------------------------------------------------

namespace {

class ExportRoad {
public:
    ExportRoad(CExportCommands& commands, const CommandPlan& plan)
        : m_commands(commands), m_view(commands.View()), m_designer(commands.Designer()), m_plan(plan)
    {
    }

    // Runs the command for a movie path (empty: a temporary movie) and, for a page or a
    // presentation, the output path.
    void Run(std::string moviePath, const std::string& outputPath, const HtmlPageInfo* page = nullptr);

private:
    bool CheckSettings(CBaseMovie& base, ExportFlagScope& scope, const std::string& moviePath);
    bool QuerySnapshot(ExportFlagScope& scope, CParameterValueList& changes, CCellValueMap& values);
    void Fail(const std::string& text) { ShowMessageBox(&m_view, text, kExportError, MB_OK | MB_ICONERROR); }
    void DeliverPresentation(const std::string& moviePath, const std::string& outputPath);
    void DeliverMail(const std::string& moviePath);

    CExportCommands& m_commands;
    CDrawView& m_view;
    CDesignerContext& m_designer;
    CommandPlan m_plan;
};

bool ExportRoad::CheckSettings(CBaseMovie& base, ExportFlagScope& scope, const std::string& moviePath)
{
    const CExportSettings& settings = base.GetExportSettings();
    switch (settings.GetEffectiveMode()) {
    case DataSourceMode::WebService:
        scope.Flags().webService = true;
        base.SetOutputPath(moviePath);
        return true;
    case DataSourceMode::OtherExcelFile: {
        std::error_code ec;
        if (!std::filesystem::is_regular_file(settings.excelFile, ec)) {
            ShowMessageBox(&m_view, settings.excelFile + kFileMissingTail, kFileMissingCaption, MB_OK | MB_ICONERROR);
            return false;
        }
        scope.Flags().otherFile = true;
        return true;
    }
    default: return true;
    }
}

bool ExportRoad::QuerySnapshot(ExportFlagScope& scope, CParameterValueList& changes, CCellValueMap& values)
{
    if (m_view.GetPreviewMoviePath().empty()) {
        ShowMessageBox(&m_view, kNoPreview, "Snapshot", MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    const auto result =
        m_view.GetPreviewCtrl().RequestFlashData(&values, &changes, m_commands.m_nQueryTimeoutMs);
    if (result != CPreviewFlashCtrl::QueryResult::Done) {
        changes.Apply();
        if (result != CPreviewFlashCtrl::QueryResult::Quit)
            ShowMessageBox(&m_view, kNoAnswer, "Snapshot", MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    scope.Flags().snapshot = true;
    return true;
}

void ExportRoad::Run(std::string moviePath, const std::string& outputPath, const HtmlPageInfo* page)
{
    CDrawDoc* doc = m_view.GetDocument();
    CBaseMovie* base = m_designer.BaseMovie();
    if (doc == nullptr || base == nullptr)
        return;
    // A movie that goes where the user chose is announced; a temporary one is delivered.
    const bool chosen = !moviePath.empty();
    if (moviePath.empty()) {
        moviePath = TempName("gen", ".swf");
        if (moviePath.empty()) {
            Fail("No temporary file could be made for the movie.");
            return;
        }
    }
    ExportFlagScope scope(*base);
    if (m_plan.settingsCheck && !CheckSettings(*base, scope, moviePath))
        return;
    CParameterValueList changes;
    CCellValueMap values;
    if (m_plan.snapshot && !QuerySnapshot(scope, changes, values))
        return;
    scope.Flags().exporting = m_plan.exporting;
    scope.Flags().hostedPlayer = m_plan.hostedPlayer;

    model::CFileBatch batch;
    std::string error;
    std::string warning;
    publish::MovieBuildResult built;
    bool ok = GenerateMovie(*doc, moviePath, &batch, error, &built, m_plan.snapshot ? &values : nullptr);
    // The parameters the query changed go back before anything else happens.
    changes.Apply();
    if (ok && page != nullptr) {
        HtmlPageInfo info = *page;
        info.movieFile = MovieFileName(moviePath);
        if (info.movieReference.empty())
            info.movieReference = UrlEncodeName(info.movieFile);
        else
            info.movieReference += UrlEncodeName(info.movieFile);
        ok = StageHtmlPage(batch, outputPath, info, m_designer.BaseFolder() / "player" / "ruffle", error, warning);
    }
    if (ok)
        ok = batch.Commit(error);
    if (!ok) {
        Fail("The movie could not be written:\n" + error);
        return;
    }
    if (!warning.empty())
        ShowMessageBox(&m_view, warning, "Export Warning", MB_OK | MB_ICONEXCLAMATION);
    if (chosen) {
        if (auto* frame = dynamic_cast<CFrameWnd*>(AfxGetMainWnd()))
            frame->SetMessageText("Movie written to " + moviePath);
    }

    switch (m_plan.delivery) {
    case Delivery::Preview: ShellExecute(nullptr, "open", moviePath.c_str(), nullptr, nullptr, SW_SHOWNORMAL); break;
    case Delivery::Presentation:
        if (m_plan.backgroundWarning && built.externalAssets)
            ShowMessageBox(&m_view, kBackgrounds, "Export Warning", MB_OK | MB_ICONEXCLAMATION);
        DeliverPresentation(moviePath, outputPath);
        break;
    case Delivery::Mail: DeliverMail(moviePath); break;
    default: break;
    }
}

void ExportRoad::DeliverPresentation(const std::string& moviePath, const std::string& outputPath)
{
    std::string presentation = outputPath;
    std::string linked = moviePath;
    try {
        // The presentation opens in the desktop's program, where the person may save it: it
        // lies where it lasts, not in the run's temporary folder, and so does the movie its
        // slide links to, beside it under its name.
        if (presentation.empty()) {
            const std::filesystem::path lasting =
                UnusedFileName(LastingFolder(m_view), DocumentStem(m_view), ".pptx");
            presentation = lasting.string();
            linked = UnusedFileName(lasting.parent_path(), lasting.stem().string(), ".swf").string();
            std::vector<std::uint8_t> movie;
            std::string reason;
            if (!model::ReadFileBytes(moviePath, movie, std::size_t(256) << 20, &reason) ||
                !model::WriteFileBytes(linked, movie, &reason))
                throw OfficeError("The movie " + linked + " cannot be written: " + reason);
        }
        CPowerPointExport powerPoint;
        powerPoint.Start((m_designer.BaseFolder() / "asset" / "presentation1.ppt").string());
        SlideFace face{{}, MovieFileName(linked)};
        if (CDrawDoc* doc = m_view.GetDocument()) {
            const CSize size(doc->GetCanvasWidth(), doc->GetCanvasHeight());
            powerPoint.SetMovieSize(size.cx, size.cy);
            // No office program here plays the slide's control: the slide shows the movie as
            // the player draws it.
            CBitmap picture;
            if (DrawMovie(m_view, linked, size, picture))
                face.picture = EncodePng(picture);
        }
        powerPoint.SetFace(std::move(face));
        powerPoint.InsertMovie(presentation, linked);
    } catch (const OfficeError& failure) {
        Fail(failure.what());
        return;
    }
    ShellExecute(nullptr, "open", presentation.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void ExportRoad::DeliverMail(const std::string& moviePath)
{
    try {
        MailMovie(m_view, m_commands.GetMailProgram(), moviePath);
    } catch (const OfficeError& failure) {
        Fail(failure.what());
    }
}

// The save dialog of a command; empty when cancelled. It opens in the document's folder and,
// unless the command remembers a name of its own, offers the document's name.
std::string AskPath(CDrawView& view, const char* filter, const char* extension, const char* title,
                    const std::string& initialName, bool overwritePrompt = true)
{
    DWORD flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (overwritePrompt)
        flags |= OFN_OVERWRITEPROMPT;
    std::string name = initialName;
    std::string folder;
    if (const CDrawDoc* doc = view.GetDocument()) {
        const std::filesystem::path saved(doc->GetPathName());
        if (!saved.empty())
            folder = saved.parent_path().string();
        if (name.empty()) {
            const std::string stem = std::filesystem::path(doc->GetTitle()).stem().string();
            if (!stem.empty())
                name = stem + "." + extension;
        }
    }
    CFileDialog save(FALSE, extension, name.empty() ? nullptr : name.c_str(), flags, filter, &view);
    save.m_ofn.title = title;
    save.m_ofn.initialDir = folder;
    if (save.DoModal() != IDOK)
        return {};
    return save.GetPathName();
}

bool CheckModel(CDrawView& view)
{
    if (ModelLoaded())
        return true;
    ShowMessageBox(&view, kNotDoneImporting, nullptr, MB_OK | MB_ICONEXCLAMATION);
    return false;
}

bool CheckOffice(CDrawView& view, bool usable, const char* head)
{
    if (usable)
        return true;
    ShowMessageBox(&view, std::string(head) + kOfficeTail, "Warning", MB_OK | MB_ICONERROR);
    return false;
}

constexpr const char* kSwfFilter = "SWF Files (*.swf)|*.swf|";
constexpr const char* kSwfTitle = "Export Macromedia Flash (SWF)";
constexpr const char* kHtmlFilter = "HTML Files (*.html)|*.html|";
constexpr const char* kHtmlTitle = "Publish to HTML";
constexpr const char* kPptFilter = "PowerPoint Files (*.pptx)|*.pptx|";
constexpr const char* kPptTitle = "Export Powerpoint (PPTX)";

} // namespace

// --- the commands ---------------------------------------------------------------------------

CExportCommands::CExportCommands(CDrawView& view, CDesignerContext& designer)
    : m_nQueryTimeoutMs(CPreviewFlashCtrl::kDefaultTimeoutMs), m_view(view), m_designer(designer)
{
}

CExportCommands::~CExportCommands() = default;

CDrawDoc* CExportCommands::Document() const
{
    return m_view.GetDocument();
}

void CExportCommands::SetMailProgram(std::unique_ptr<IMailProgram> program)
{
    m_pMailProgram = std::move(program);
}

IMailProgram* CExportCommands::GetMailProgram()
{
    if (!m_pMailProgram)
        m_pMailProgram = std::make_unique<CXdgMailProgram>();
    return m_pMailProgram.get();
}

void CExportCommands::ExportSettings()
{
    if (Document() == nullptr)
        return;
    CBaseMovie* base = m_designer.BaseMovie();
    if (base == nullptr)
        return;
    ExportSettingsDocument document;
    document.model = &base->GetCellModel();
    document.table = &base->GetVariableTable();
    document.importModel = [this] {
        ImportModel();
        return ModelLoaded();
    };
    document.modelChanged = [base] { base->SetModelChanged(); };
    CExportSettingsDlg dlg(&m_view, base->GetExportSettings(), document);
    dlg.DoModal();
}

void CExportCommands::ExportPreview()
{
    if (Document() == nullptr)
        return;
    if (!CheckModel(m_view))
        return;
    ExportRoad(*this, {.delivery = Delivery::Preview}).Run({}, {});
}

void CExportCommands::ExportSwf()
{
    if (Document() == nullptr)
        return;
    if (!CheckModel(m_view))
        return;
    const std::string chosen = AskPath(m_view, kSwfFilter, "swf", kSwfTitle, m_lastExportNames.swf);
    if (chosen.empty())
        return;
    const std::string path = WithExtension(chosen, "swf");
    ExportRoad(*this, {}).Run(path, {});
    m_lastExportNames.swf = MovieFileName(path);
}

void CExportCommands::ExportHtml()
{
    CDrawDoc* doc = Document();
    if (doc == nullptr)
        return;
    if (!CheckModel(m_view))
        return;
    const std::string chosen = AskPath(m_view, kHtmlFilter, "html", kHtmlTitle, m_lastExportNames.html);
    if (chosen.empty())
        return;
    const ExportPaths paths = HtmlExportPaths(chosen);
    HtmlPageInfo page{{}, {}, doc->GetCanvasWidth(), doc->GetCanvasHeight()};
    ExportRoad(*this, {.delivery = Delivery::Html}).Run(paths.movie, paths.output, &page);
    m_lastExportNames.html = MovieFileName(paths.output);
}

void CExportCommands::ExportPortal()
{
    CDrawDoc* doc = Document();
    if (doc == nullptr)
        return;
    if (!CheckModel(m_view))
        return;
    CPortalExportDlg options(doc->GetCanvasWidth(), doc->GetCanvasHeight(), &m_view);
    if (options.DoModal() != IDOK)
        return;
    const std::string chosen = AskPath(m_view, kHtmlFilter, "html", kHtmlTitle, m_lastExportNames.html);
    if (chosen.empty())
        return;
    const ExportPaths paths = HtmlExportPaths(chosen);
    HtmlPageInfo page{{}, PortalFolderUrl(options.GetUrlPath()), options.GetScaledWidth(), options.GetScaledHeight()};
    ExportRoad(*this, {.delivery = Delivery::Portal}).Run(paths.movie, paths.output, &page);
    m_lastExportNames.html = MovieFileName(paths.output);
}

void CExportCommands::ExportPowerPoint()
{
    if (Document() == nullptr)
        return;
    if (!CheckModel(m_view) || !CheckOffice(m_view, m_officeInfo.powerPointUsable, kPowerPointMissing))
        return;
    const std::string chosen = AskPath(m_view, kPptFilter, "pptx", kPptTitle, {});
    if (chosen.empty())
        return;
    const ExportPaths paths = PresentationExportPaths(chosen);
    ExportRoad(*this, {.hostedPlayer = true, .delivery = Delivery::Presentation})
        .Run(paths.movie, paths.output);
}

void CExportCommands::ExportOutlook()
{
    if (Document() == nullptr)
        return;
    // The movie is built from the model: without one there is nothing to attach.
    if (!CheckModel(m_view) || !CheckOffice(m_view, m_officeInfo.outlookUsable, kOutlookMissing))
        return;
    ExportRoad(*this, {.delivery = Delivery::Mail}).Run({}, {});
}

void CExportCommands::SnapshotSwf()
{
    if (Document() == nullptr)
        return;
    const std::string path = AskPath(m_view, kSwfFilter, "swf", kSwfTitle, {});
    if (path.empty())
        return;
    ExportRoad(*this, {.modelCheck = false, .settingsCheck = false, .snapshot = true}).Run(path, {});
}

void CExportCommands::SnapshotHtml()
{
    CDrawDoc* doc = Document();
    if (doc == nullptr)
        return;
    if (!CheckModel(m_view))
        return;
    const std::string chosen = AskPath(m_view, kHtmlFilter, "html", kHtmlTitle, {});
    if (chosen.empty())
        return;
    // A snapshot keeps the path as chosen; the movie goes beside it.
    const std::string movie = ReplaceExtension(chosen, "swf");
    HtmlPageInfo page{{}, {}, doc->GetCanvasWidth(), doc->GetCanvasHeight()};
    ExportRoad(*this, {.settingsCheck = false, .snapshot = true, .delivery = Delivery::Html})
        .Run(movie, chosen, &page);
}

void CExportCommands::SnapshotPowerPoint()
{
    if (Document() == nullptr)
        return;
    if (!CheckOffice(m_view, m_officeInfo.powerPointUsable, kPowerPointMissing))
        return;
    ExportRoad(*this, {.modelCheck = false,
                       .settingsCheck = false,
                       .snapshot = true,
                       .hostedPlayer = true,
                       .delivery = Delivery::Presentation})
        .Run({}, {});
}

void CExportCommands::SnapshotOutlook()
{
    if (Document() == nullptr)
        return;
    if (!CheckOffice(m_view, m_officeInfo.outlookUsable, kOutlookMissing))
        return;
    ExportRoad(*this,
               {.modelCheck = false, .settingsCheck = false, .snapshot = true, .delivery = Delivery::Mail})
        .Run({}, {});
}

void CExportCommands::SendToPowerPoint()
{
    if (Document() == nullptr)
        return;
    if (!CheckModel(m_view) || !CheckOffice(m_view, m_officeInfo.powerPointUsable, kPowerPointMissing))
        return;
    ExportRoad(*this, {.hostedPlayer = true, .delivery = Delivery::Presentation, .backgroundWarning = true})
        .Run({}, {});
}

void CExportCommands::SendToOutlook()
{
    if (Document() == nullptr)
        return;
    if (!CheckOffice(m_view, m_officeInfo.outlookUsable, kOutlookMissing))
        return;
    // The preview's movie is attached as it is; without a preview there is none to send.
    std::error_code ec;
    if (m_view.GetPreviewMoviePath().empty() || !std::filesystem::is_regular_file(m_view.GetPreviewMoviePath(), ec)) {
        ShowMessageBox(&m_view, kNoPreview, "Send to Outlook", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    try {
        MailMovie(m_view, GetMailProgram(), m_view.GetPreviewMoviePath());
    } catch (const OfficeError& failure) {
        ShowMessageBox(&m_view, failure.what(), kExportError, MB_OK | MB_ICONERROR);
    }
}

void CExportCommands::SnapshotToExcel()
{
    CDrawDoc* doc = Document();
    if (doc == nullptr)
        return;
    const std::string path =
        AskPath(m_view, "Excel Files (*.xlsx)|*.xlsx|", "xlsx", "Export Excel Workbook", {}, false);
    if (path.empty())
        return;
    WriteSnapshotWorkbook(*doc, path);
}

void CExportCommands::WriteSnapshotWorkbook(CDrawDoc& doc, const std::string& path)
{
    const CDocData* data = doc.GetDocData();
    const std::string source = data != nullptr ? data->GetFileName() : std::string();
    const std::string copy = data != nullptr ? data->GetPathName() : std::string();
    // Compared as files: another spelling of the imported workbook is the same workbook. The
    // working copy the values are written from is refused as well.
    if ((!source.empty() && (path == source || sheet::IsSameFile(path, source))) ||
        (!copy.empty() && sheet::IsSameFile(path, copy))) {
        ShowMessageBox(&m_view, kImportFile, "Invalid File", MB_OK | MB_ICONERROR);
        return;
    }
    if (copy.empty()) {
        ShowMessageBox(&m_view, kImportFirst, nullptr, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (m_view.GetPreviewMoviePath().empty()) {
        ShowMessageBox(&m_view, kNoPreview, "Snapshot", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    CCellValueMap values;
    if (m_view.GetPreviewCtrl().RequestFlashData(&values, nullptr, m_nQueryTimeoutMs) !=
        CPreviewFlashCtrl::QueryResult::Done) {
        ShowMessageBox(&m_view, kNoAnswer, "Snapshot", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    try {
        CExcelApp excel(copy);
        excel.ProtectPath(source);
        excel.SaveWorkbookAs(path);
        excel.WriteModel(values);
        excel.SaveWorkbook();
        excel.CloseAllAndQuit();
    } catch (const std::exception& failure) {
        ShowMessageBox(&m_view, std::string("The workbook could not be written:\n") + failure.what(), kExportError,
                       MB_OK | MB_ICONERROR);
    }
}

void CExportCommands::ExportScenario()
{
    CDrawDoc* doc = Document();
    if (doc == nullptr)
        return;
    const CDocData* data = doc->GetDocData();
    ExportScenarioActions actions;
    actions.exportSwf = [this](const std::string& path) {
        ExportRoad(*this, {.modelCheck = false, .settingsCheck = false, .snapshot = true, .exporting = false})
            .Run(path, {});
    };
    actions.exportExcel = [this, doc](const std::string& path) { WriteSnapshotWorkbook(*doc, path); };
    actions.modelSourcePath = data != nullptr ? data->GetFileName() : std::string();
    CExportScenarioDlg dlg(&m_view, std::move(actions));
    dlg.DoModal();
}

void CExportCommands::DataDialog()
{
    CDrawDoc* doc = Document();
    if (doc == nullptr)
        return;
    CExcelHost* host = CExcelHost::GetCurrent();
    CBaseMovie* base = m_designer.BaseMovie();
    if (host == nullptr || base == nullptr) {
        ShowMessageBox(&m_view, kImportFirst, nullptr, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    std::vector<CComponent*> instances;
    for (CDrawObj* obj : doc->GetObjects())
        if (auto* component = dynamic_cast<CComponentObj*>(obj))
            instances.insert(instances.end(), component->GetInstances().begin(), component->GetInstances().end());
    CompileModel(*base, instances);
    CDataDlg dlg(&m_view);
    dlg.SetBindingList(base);
    dlg.SetExcelHost(host);
    host->BeginDataSession();
    dlg.DoModal();
    host->EndDataSession();
}

void CExportCommands::ImportModel()
{
    if (IPropertiesPanel* panel = CComponentObj::GetCurrentPanel(); panel != nullptr && panel->IsSheetOpen())
        panel->CloseSheet();
    if (m_runImportModel)
        m_runImportModel(m_view);
    else
        ShowMessageBox(&m_view, "The Import Model dialog is not part of this build.", "Import Model",
                       MB_OK | MB_ICONEXCLAMATION);
}

void CExportCommands::ReplaceDataSelection()
{
    if (m_runReplaceData)
        m_runReplaceData(m_view);
    else
        ShowMessageBox(&m_view, "The Replace Data Selection dialog is not part of this build.",
                       "Replace Data Selection", MB_OK | MB_ICONEXCLAMATION);
}

void CExportCommands::UpdateExportWithObjects(CCmdUI* cmdUI)
{
    const CDrawDoc* doc = Document();
    cmdUI->Enable(ModelLoaded() && doc != nullptr && !doc->GetObjects().empty());
}

void CExportCommands::UpdateExportPreview(CCmdUI* cmdUI)
{
    cmdUI->Enable(ModelLoaded());
}

void CExportCommands::UpdateSnapshotToExcel(CCmdUI* cmdUI)
{
    // In preview the values go into a copy of the imported workbook, so one must be known.
    const CDrawDoc* doc = Document();
    const CDocData* data = doc != nullptr ? doc->GetDocData() : nullptr;
    cmdUI->Enable(!m_view.IsPreview() || (data != nullptr && !data->GetFileName().empty()));
}

void CExportCommands::UpdateExportScenario(CCmdUI* cmdUI)
{
    cmdUI->Enable(m_view.IsPreview());
}

// --- the view's handlers ----------------------------------------------------------------------

void CDrawView::ExportCommandsDeleter::operator()(CExportCommands* commands) const
{
    delete commands;
}

CExportCommands& CDrawView::Export()
{
    if (!m_export)
        m_export.reset(new CExportCommands(*this, m_designer));
    return *m_export;
}

void CDrawView::OnExportSettings()
{
    Export().ExportSettings();
}

void CDrawView::OnExportPreview()
{
    Export().ExportPreview();
}

void CDrawView::OnExportSwf()
{
    Export().ExportSwf();
}

void CDrawView::OnExportHtml()
{
    Export().ExportHtml();
}

void CDrawView::OnExportPortal()
{
    Export().ExportPortal();
}

void CDrawView::OnExportPowerPoint()
{
    Export().ExportPowerPoint();
}

void CDrawView::OnExportOutlook()
{
    Export().ExportOutlook();
}

void CDrawView::OnSnapshotSwf()
{
    Export().SnapshotSwf();
}

void CDrawView::OnSnapshotHtml()
{
    Export().SnapshotHtml();
}

void CDrawView::OnSnapshotPowerPoint()
{
    Export().SnapshotPowerPoint();
}

void CDrawView::OnSnapshotOutlook()
{
    Export().SnapshotOutlook();
}

void CDrawView::OnSendToPowerPoint()
{
    Export().SendToPowerPoint();
}

void CDrawView::OnSendToOutlook()
{
    Export().SendToOutlook();
}

void CDrawView::OnSnapshotToExcel()
{
    Export().SnapshotToExcel();
}

void CDrawView::OnExportScenario()
{
    Export().ExportScenario();
}

void CDrawView::OnDataDialog()
{
    Export().DataDialog();
}

void CDrawView::OnImportModel()
{
    Export().ImportModel();
}

void CDrawView::OnReplaceDataSelection()
{
    Export().ReplaceDataSelection();
}

void CDrawView::OnUpdateExportWithObjects(CCmdUI* pCmdUI)
{
    Export().UpdateExportWithObjects(pCmdUI);
}

void CDrawView::OnUpdateExportPreview(CCmdUI* pCmdUI)
{
    Export().UpdateExportPreview(pCmdUI);
}

void CDrawView::OnUpdateSnapshotToExcel(CCmdUI* pCmdUI)
{
    Export().UpdateSnapshotToExcel(pCmdUI);
}

void CDrawView::OnUpdateExportScenario(CCmdUI* pCmdUI)
{
    Export().UpdateExportScenario(pCmdUI);
}
