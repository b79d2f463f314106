#include "publish/Publisher.h"

#include "model/ComponentCatalog.h"
#include "model/FileBytes.h"
#include "publish/BaseMovie.h"
#include "publish/CompileModel.h"
#include "publish/ComponentNames.h"
#include "publish/ComponentScripts.h"
#include "publish/DocBuilder.h"
#include "publish/DocData.h"
#include "publish/DocDescription.h"
#include "publish/ExportSettings.h"
#include "publish/FunctionLibrary.h"
#include "publish/ModelLink.h"
#include "publish/ModelNetwork.h"
#include "publish/SubMovieAsset.h"
#include "sheet/CellModel.h"
#include "sheet/CellRef.h"
#include "sheet/CellValueMap.h"
#include "sheet/MessageText.h"
#include "sheet/ProcessServices.h"
#include "sheet/VariableTable.h"
#include "sheet/WorkbookError.h"
#include "sheet/WorkbookImport.h"
#include "sheet/XlsxReader.h"
#include "swf/SwfIds.h"

#include <system_error>

namespace publish {

// Process-wide services live exactly as long as the publisher; the counters outlive the base
// movie that borrows them.
struct CPublisher::Services {
    CBaseMovieModelLink link;
    std::optional<ScopedProcessServices> installed;
    swf::IdCounter ids{1};
    swf::IdCounter depths{1};
};

namespace {

// An all-formulas model shows this much stage: it has no components to size it.
constexpr std::int32_t kPlainStageWidth = 640;
constexpr std::int32_t kPlainStageHeight = 480;

void RequireFile(const std::filesystem::path& path)
{
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        throw PublishError(PublishError::Kind::MissingFile, path.string() + ": no such file");
    if (!std::filesystem::is_regular_file(path, error))
        throw PublishError(PublishError::Kind::MissingFile, path.string() + ": not a regular file");
}

std::size_t FormulaCount(const CCellModel& cells)
{
    std::size_t count = 0;
    cells.ForEachCell([&count](const CCellRef&, const CCellData& data) { count += data.formula.empty() ? 0 : 1; });
    return count;
}

} // namespace

CPublisher::CPublisher(const std::filesystem::path& installDir) : services_(std::make_unique<Services>())
{
    ProcessServices services;
    services.catalog = std::make_unique<CComponentCatalog>();
    services.catalog->Load(installDir);
    services.modelLink = &services_->link;
    services.componentScripts = &GetComponentScriptGenerator();
    // Notes of the assets and the model compile are the program's trace, not the user's.
    services.traceSink = [](std::string_view) {};
    const std::uint16_t catalogIds = services.catalog->GetAssetIds().Peek();
    services_->installed.emplace(std::move(services));

    const std::filesystem::path library = AssetPath(installDir, "func.dat");
    std::error_code missing;
    if (!std::filesystem::is_regular_file(library, missing))
        throw PublishError(PublishError::Kind::Installation, library.string() + ": the function library is missing");
    library_ = std::make_unique<CFunctionLibrary>(library.string());
    services_->ids.Reset(catalogIds);
    try {
        base_ = CBaseMovie::Create(installDir, services_->ids, services_->depths);
    } catch (const BaseMovieError& error) {
        throw PublishError(PublishError::Kind::Installation, error.what());
    }
    firstBuildId_ = services_->ids.Peek();
}

// Members go in reverse order: the document, the base movie, the library, then the services.
CPublisher::~CPublisher() = default;

void CPublisher::Step(const std::string& text) const
{
    if (progress_)
        progress_(text);
}

void CPublisher::OpenDocument(const std::filesystem::path& document)
{
    RequireFile(document);
    inputs_ = {document};
    Step("reading " + document.string());
    auto doc = std::make_unique<CDocData>();
    std::string version = kDocumentVersion;
    if (!doc->Load(document.string(), version)) {
        switch (doc->GetLoadFailure()) {
        case CDocData::LoadFailure::TemporaryFiles:
            throw PublishError(PublishError::Kind::Output, document.string() + ": " + doc->GetLoadError());
        case CDocData::LoadFailure::Unreadable:
            throw PublishError(PublishError::Kind::MissingFile, doc->GetLoadError());
        default:
            throw PublishError(PublishError::Kind::DamagedDocument, document.string() + ": " + doc->GetLoadError() +
                                                                        " (version " + sheet::QuotedText(version) + ")");
        }
    }
    notes_ = RenameUnusableComponents(doc->GetInstances());
    doc_ = std::move(doc);
    Compile();
}

void CPublisher::OpenDescription(const std::filesystem::path& description,
                                 const std::optional<std::filesystem::path>& workbook)
{
    RequireFile(description);
    inputs_ = {description};
    Step("reading " + description.string());
    std::vector<unsigned char> bytes;
    try {
        DocDescription parsed = ReadDocDescriptionFile(description);
        if (workbook)
            parsed.workbook = *workbook;
        // A missing workbook is the same fault whether the command line or the description
        // names it.
        if (!parsed.workbook.empty()) {
            RequireFile(parsed.workbook);
            inputs_.push_back(parsed.workbook);
        }
        base_->ResetModel();
        bytes = BuildDocument(parsed, *base_);
    } catch (const DescriptionError& error) {
        // Messages of the reading name the file already; those of the building name the place
        // in it only.
        const std::string what = error.what();
        throw PublishError(PublishError::Kind::UnreadableWorkbook,
                           what.rfind(description.string() + ":", 0) == 0 ? what : description.string() + ": " + what);
    }
    auto doc = std::make_unique<CDocData>();
    std::string version = kDocumentVersion;
    if (!doc->Load(bytes, version))
        throw PublishError(doc->GetLoadFailure() == CDocData::LoadFailure::TemporaryFiles
                               ? PublishError::Kind::Output
                               : PublishError::Kind::DamagedDocument,
                           description.string() + ": " + doc->GetLoadError());
    notes_.clear();
    doc_ = std::move(doc);
    Compile();
}

void CPublisher::OpenWorkbookFormulas(const std::filesystem::path& workbook)
{
    RequireFile(workbook);
    inputs_ = {workbook};
    notes_.clear();
    Step("reading " + workbook.string());
    base_->ResetModel();
    CCellModel& cells = base_->GetCellModel();
    try {
        sheet::FillResult result = sheet::FillCellModel(sheet::xlsx::ReadWorkbookFile(workbook.string()), cells);
        if (result.outcome != sheet::FillOutcome::Done)
            throw PublishError(PublishError::Kind::UnreadableWorkbook,
                               workbook.string() + ": " + result.failedItem + ": " + result.failure);
    } catch (const sheet::WorkbookError& error) {
        throw PublishError(PublishError::Kind::UnreadableWorkbook, workbook.string() + ": " + error.what());
    }
    base_->ClearNetwork();
    if (progress_)
        Step("compiling " + std::to_string(FormulaCount(cells)) + " formulas");
    base_->GetNetwork().CompileAllFormulas(cells, base_->GetVariableTable(), base_->GetValueMap());
    base_->BuildExportMaps();
    base_->ClearModelChanged();

    doc_ = std::make_unique<CDocData>();
    doc_->SetBaseMovie(base_.get());
    doc_->SetStageSize(kPlainStageWidth, kPlainStageHeight);
    doc_->SetFileName(workbook.filename().string());
}

// A document's model is compiled again from its cells and bindings, as the program does once
// an opened document's model counts as loaded: the network read from the file is not trusted
// to match the components.
void CPublisher::Compile()
{
    doc_->SetBaseMovie(base_.get());
    base_->SetModelChanged();
    if (progress_)
        Step("compiling " + std::to_string(FormulaCount(base_->GetCellModel())) + " formulas");
    CompileModel(*base_, doc_->GetInstances());
}

void CPublisher::RefuseInputAsOutput(const std::filesystem::path& output) const
{
    for (const std::filesystem::path& input : inputs_)
        if (model::SameFile(input, output))
            throw PublishError(PublishError::Kind::Output,
                               output.string() + ": is an input of the publication (" + input.string() +
                                   "); choose another file");
}

MovieBuildResult CPublisher::Publish(const std::filesystem::path& output, bool preview, model::CFileBatch* outputs)
{
    if (!doc_)
        throw MovieBuildError("no document is open");
    RefuseInputAsOutput(output);
    Step("writing " + output.string());
    CBaseMovie::ExportFlags& flags = base_->GetExportFlags();
    flags = {};
    flags.exporting = !preview;
    flags.webService = !preview && base_->GetExportSettings().UsesWebService();
    // A movie fed by a web service gets its sample data file beside it.
    base_->SetOutputPath(output.string());
    std::int32_t width = 0, height = 0;
    doc_->GetStageSize(width, height);
    CComponentCatalog* catalog = GetComponentCatalog();
    try {
        return BuildAndWriteMovie(output, *doc_, *catalog, width * 20, height * 20, preview,
                                  {services_->ids, firstBuildId_, services_->depths}, outputs);
    } catch (const MovieBuildError& error) {
        throw PublishError(PublishError::Kind::Output, error.what());
    }
}

std::vector<std::string> CPublisher::VariableMap() const
{
    std::vector<std::string> lines;
    const CVariableTable& table = base_->GetVariableTable();
    for (std::size_t i = 0; i < table.GetCellCount(); ++i) {
        if (std::optional<CCellRef> cell = table.GetCellAt(i))
            lines.push_back(CellVariableName(static_cast<std::int32_t>(i)) + "\t" + cell->sheet + "\t" +
                            cell->GetShortText());
    }
    return lines;
}

std::vector<std::string> CPublisher::UnsupportedFunctions() const
{
    std::vector<std::string> names;
    for (int i = 0; i < library_->GetUnsupportedCount(); ++i)
        names.push_back(library_->GetUnsupportedName(i));
    return names;
}

std::vector<std::vector<std::string>> CPublisher::CircularReferences() const
{
    return base_->GetNetwork().GetProblems().cycles;
}

std::vector<std::string> CPublisher::UsedFunctions() const
{
    return library_->GetUsedFunctionNames();
}

std::string UnsupportedFunctionsMessage(const std::vector<std::string>& names)
{
    if (names.empty())
        return {};
    std::string text;
    for (const std::string& name : names)
        text += name + "\n";
    return text + "Generated Model May Not Display Properly";
}

} // namespace publish
