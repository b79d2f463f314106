#include "publish/Publisher.h"

#include "model/ComponentCatalog.h"
#include "model/FileBytes.h"
#include "publish/BaseMovie.h"
#include "publish/CompileModel.h"
#include "publish/ComponentScripts.h"
#include "publish/DocBuilder.h"
#include "publish/DocData.h"
#include "publish/DocDescription.h"
#include "publish/ExportSettings.h"
#include "publish/FunctionLibrary.h"
#include "publish/ModelLink.h"
#include "publish/ModelNetwork.h"
#include "publish/SubMovieAsset.h"
#include "sheet/cells/CellModel.h"
#include "sheet/cells/CellRef.h"
#include "sheet/cells/CellValueMap.h"
#include "sheet/MessageText.h"
#include "sheet/host/ProcessServices.h"
#include "sheet/cells/VariableTable.h"
#include "sheet/workbook/WorkbookError.h"
#include "sheet/workbook/WorkbookImport.h"
#include "sheet/workbook/XlsxReader.h"
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
    if (!std::filesystem::is_regular_file(path, error))
        throw PublishError(PublishError::Kind::MissingFile, path.string() + ": no such file");
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

void CPublisher::OpenDocument(const std::filesystem::path& document)
{
    RequireFile(document);
    auto doc = std::make_unique<CDocData>();
    std::string version = kDocumentVersion;
    if (!doc->Load(document.string(), version))
        throw PublishError(PublishError::Kind::DamagedDocument,
                           document.string() + ": " + doc->GetLoadError() + " (version " + sheet::QuotedText(version) + ")");
    doc_ = std::move(doc);
    Compile();
}

void CPublisher::OpenDescription(const std::filesystem::path& description,
                                 const std::optional<std::filesystem::path>& workbook)
{
    RequireFile(description);
    std::vector<unsigned char> bytes;
    try {
        DocDescription parsed = ReadDocDescriptionFile(description);
        if (workbook) {
            RequireFile(*workbook);
            parsed.workbook = *workbook;
        }
        base_->ResetModel();
        bytes = BuildDocument(parsed, *base_);
    } catch (const DescriptionError& error) {
        throw PublishError(PublishError::Kind::UnreadableWorkbook, error.what());
    }
    auto doc = std::make_unique<CDocData>();
    std::string version = kDocumentVersion;
    if (!doc->Load(bytes, version))
        throw PublishError(PublishError::Kind::DamagedDocument, description.string() + ": " + doc->GetLoadError());
    doc_ = std::move(doc);
    Compile();
}

void CPublisher::OpenWorkbookFormulas(const std::filesystem::path& workbook)
{
    RequireFile(workbook);
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
    CompileModel(*base_, doc_->GetInstances());
}

MovieBuildResult CPublisher::Publish(const std::filesystem::path& output, bool preview)
{
    if (!doc_)
        throw MovieBuildError("no document is open");
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
                                  {services_->ids, firstBuildId_, services_->depths});
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
