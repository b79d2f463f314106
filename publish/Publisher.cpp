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
#include "publish/ProgramContext.h"
#include "publish/SubMovieAsset.h"
#include "sheet/formula/CallingConvention.h"
#include "sheet/cells/CellModel.h"
#include "sheet/cells/CellRef.h"
#include "sheet/cells/CellValueMap.h"
#include "sheet/MessageText.h"
#include "sheet/cells/VariableTable.h"
#include "sheet/workbook/WorkbookError.h"
#include "sheet/workbook/WorkbookImport.h"
#include "sheet/workbook/XlsxReader.h"
#include "swf/SwfIds.h"

#include <algorithm>
#include <map>
#include <set>
#include <system_error>

namespace publish {

namespace {

// An all-formulas model shows this much stage: it has no components to size it.
constexpr std::int32_t kPlainStageWidth = 640;
constexpr std::int32_t kPlainStageHeight = 480;

// An input that is there but is no regular file (a folder, a pipe, a device) is no missing
// file: it is refused as the input it should have been (notFile). A pipe is not opened: that
// would wait for a writer.
void RequireFile(const std::filesystem::path& path, PublishError::Kind notFile)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (!std::filesystem::exists(status))
        throw PublishError(PublishError::Kind::MissingFile, path.string() + ": no such file");
    if (std::filesystem::is_directory(status))
        throw PublishError(notFile, path.string() + ": a folder, not a file: name the file inside it");
    if (!std::filesystem::is_regular_file(status))
        throw PublishError(notFile, path.string() + ": not a regular file: give the file itself");
}

// The names a formula calls (a name followed by "("), outside texts and quoted sheet names.
std::vector<std::string_view> CalledNames(std::string_view formula)
{
    std::vector<std::string_view> names;
    auto isNameChar = [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '.';
    };
    for (std::size_t i = 0; i < formula.size();) {
        const char c = formula[i];
        if (c == '"' || c == '\'') {
            // A doubled quote stands for itself inside.
            for (++i; i < formula.size(); ++i) {
                if (formula[i] != c)
                    continue;
                if (i + 1 < formula.size() && formula[i + 1] == c)
                    ++i;
                else
                    break;
            }
            ++i;
            continue;
        }
        if (!isNameChar(c) || (c >= '0' && c <= '9') || c == '.') {
            ++i;
            continue;
        }
        const std::size_t start = i;
        while (i < formula.size() && isNameChar(formula[i]))
            ++i;
        if (i < formula.size() && formula[i] == '(')
            names.push_back(formula.substr(start, i - start));
    }
    return names;
}

// The name as the spreadsheet shows it: a file format's prefixes (_xlfn., and the prefixes some
// programs add for functions of their own) are not part of it.
std::string ShownFunctionName(std::string_view written)
{
    std::string name = callconv::SpreadsheetFunctionName(written);
    while (name.rfind("_XL", 0) == 0 && name.find('.') != std::string::npos && name.find('.') + 1 < name.size())
        name.erase(0, name.find('.') + 1);
    return name;
}

// A document that uses a component whose definition the installation holds damaged fails for
// the installation's fault, not the document's.
void RefuseDamagedDefinition(const std::string& failure)
{
    const CComponentCatalog* catalog = GetComponentCatalog();
    if (!catalog)
        return;
    for (const CComponentCatalog::Skipped& s : catalog->GetSkipped()) {
        if (!s.symbol.empty() && failure.find("no component \"" + s.symbol + "\"") != std::string::npos)
            throw PublishError(PublishError::Kind::Installation,
                               s.file.string() + ": the installation's definition of component " + s.symbol +
                                   " is damaged (" + s.reason + "); install the program again");
    }
}

// One note for each part of the installation that could not be loaded.
void AddInstallationNotes(std::vector<std::string>& notes)
{
    const CComponentCatalog* catalog = GetComponentCatalog();
    if (!catalog)
        return;
    for (const CComponentCatalog::Skipped& s : catalog->GetSkipped())
        notes.push_back(s.file.string() + ": damaged, " +
                        (s.symbol.empty() ? "its components" : "component " + s.symbol) +
                        " cannot be used (" + s.reason + ")");
}

std::size_t FormulaCount(const CCellModel& cells)
{
    std::size_t count = 0;
    cells.ForEachCell([&count](const CCellRef&, const CCellData& data) { count += data.formula.empty() ? 0 : 1; });
    return count;
}

} // namespace

CPublisher::CPublisher(const std::filesystem::path& installDir)
    : context_(std::make_unique<CProgramContext>(installDir)), scope_(std::make_unique<CProgramContext::Scope>(*context_))
{
    // Notes of the assets and the model compile are the program's trace, not the user's.
    context_->SetTraceSink([](std::string_view) {});
    const std::filesystem::path library = AssetPath(installDir, "func.dat");
    std::error_code missing;
    if (!std::filesystem::is_regular_file(library, missing))
        throw PublishError(PublishError::Kind::Installation, library.string() + ": the function library is missing");
    try {
        context_->LoadInstallation();
    } catch (const BaseMovieError& error) {
        throw PublishError(PublishError::Kind::Installation, error.what());
    }
    base_ = context_->GetBaseMovie();
    firstBuildId_ = context_->GetCharacterIds().Peek();
}

// The document goes while its context is still current, then the scope, then the context.
CPublisher::~CPublisher()
{
    doc_.reset();
}

void CPublisher::RemoveTemporaryFiles()
{
    context_->RemoveTempFiles();
}

void CPublisher::SetWorkbookReading(const sheet::xlsx::ReadOptions& options)
{
    base_->SetWorkbookReading(options);
}

void CPublisher::Step(const std::string& text) const
{
    if (progress_)
        progress_(text);
}

void CPublisher::OpenDocument(const std::filesystem::path& document)
{
    RequireFile(document, PublishError::Kind::DamagedDocument);
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
            RefuseDamagedDefinition(doc->GetLoadError());
            throw PublishError(PublishError::Kind::DamagedDocument, document.string() + ": " + doc->GetLoadError() +
                                                                        " (version " + sheet::QuotedText(version) + ")");
        }
    }
    notes_ = RenameUnusableComponents(doc->GetInstances());
    if (!doc->GetLoadWarning().empty())
        notes_.push_back(document.string() + ": " + doc->GetLoadWarning());
    AddInstallationNotes(notes_);
    doc_ = std::move(doc);
    Compile();
}

void CPublisher::OpenDescription(const std::filesystem::path& description,
                                 const std::optional<std::filesystem::path>& workbook)
{
    RequireFile(description, PublishError::Kind::UnreadableWorkbook);
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
            RequireFile(parsed.workbook, PublishError::Kind::UnreadableWorkbook);
            inputs_.push_back(parsed.workbook);
        }
        base_->ResetModel();
        bytes = BuildDocument(parsed, *base_);
    } catch (const DescriptionError& error) {
        // Messages of the reading name the file already; those of the building name the place
        // in it only.
        const std::string what = error.what();
        RefuseDamagedDefinition(what);
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
    AddInstallationNotes(notes_);
    doc_ = std::move(doc);
    Compile();
}

void CPublisher::OpenWorkbookFormulas(const std::filesystem::path& workbook)
{
    OpenWorkbookFormulas(workbook, std::async(std::launch::deferred, [path = workbook.string()] {
                             return sheet::xlsx::ReadWorkbookFile(path);
                         }));
}

void CPublisher::OpenWorkbookFormulas(const std::filesystem::path& workbook,
                                      std::future<sheet::xlsx::Workbook> reading)
{
    RequireFile(workbook, PublishError::Kind::UnreadableWorkbook);
    inputs_ = {workbook};
    notes_.clear();
    unreadFormulas_.clear();
    iterates_ = false;
    Step("reading " + workbook.string());
    base_->ResetModel();
    CCellModel& cells = base_->GetCellModel();
    try {
        sheet::FillOptions options;
        options.keepUnreadFormulas = true;
        sheet::xlsx::Workbook read = reading.get();
        iterates_ = read.iterate;
        IterationSettings iteration;
        iteration.enabled = read.iterate;
        iteration.count = read.iterateCount;
        iteration.maxChange = read.iterateDelta;
        base_->GetNetwork().SetIteration(iteration);
        sheet::FillResult result = sheet::FillCellModel(std::move(read), cells, options);
        if (result.outcome != sheet::FillOutcome::Done)
            throw PublishError(PublishError::Kind::UnreadableWorkbook,
                               workbook.string() + ": " + sheet::FailureText(result));
        unreadFormulas_ = std::move(result.unreadFormulas);
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
    doc_->SetBaseMovie(base_);
    doc_->SetStageSize(kPlainStageWidth, kPlainStageHeight);
    doc_->SetFileName(workbook.filename().string());
}

// A document's model is compiled again from its cells and bindings, as the program does once
// an opened document's model counts as loaded: the network read from the file is not trusted
// to match the components.
void CPublisher::Compile()
{
    doc_->SetBaseMovie(base_);
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
    // Files written beside the movie (the sample data file) are named from its name, so they
    // too must not land on an input.
    model::CFileBatch own;
    model::CFileBatch& batch = outputs != nullptr ? *outputs : own;
    for (const std::filesystem::path& input : inputs_)
        batch.Protect(input);
    try {
        MovieBuildResult result =
            BuildAndWriteMovie(output, *doc_, *catalog, width * 20, height * 20, preview,
                               {context_->GetCharacterIds(), firstBuildId_, context_->GetDepths()}, &batch);
        std::string reason;
        if (outputs == nullptr && !own.Commit(reason))
            throw PublishError(PublishError::Kind::Output, reason);
        return result;
    } catch (const MovieBuildError& error) {
        throw PublishError(PublishError::Kind::Output, error.what());
    }
}

// A sheet's name may hold a tab or a line break: escaped, it cannot forge a field or a line.
static std::string MapField(const std::string& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\t': out += "\\t"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        default: out += c;
        }
    }
    return out;
}

std::vector<std::string> CPublisher::VariableMap() const
{
    std::vector<std::string> lines;
    const CVariableTable& table = base_->GetVariableTable();
    for (std::size_t i = 0; i < table.GetCellCount(); ++i) {
        if (std::optional<CCellRef> cell = table.GetCellAt(i))
            lines.push_back(CellVariableName(static_cast<std::int32_t>(i)) + "\t" + MapField(cell->sheet) + "\t" +
                            cell->GetShortText());
    }
    return lines;
}

std::vector<std::string> CPublisher::UnsupportedFunctions() const
{
    std::vector<std::string> names;
    for (int i = 0; i < context_->GetFunctionLibrary()->GetUnsupportedCount(); ++i)
        names.push_back(context_->GetFunctionLibrary()->GetUnsupportedName(i));
    return names;
}

std::vector<std::vector<std::string>> CPublisher::CircularReferences() const
{
    return base_->GetNetwork().GetProblems().cycles;
}

std::vector<std::pair<std::string, std::string>> CPublisher::UncompiledFormulas() const
{
    return base_->GetNetwork().GetProblems().unreadableFormulas;
}

std::vector<std::string> CPublisher::UsedFunctions() const
{
    return context_->GetFunctionLibrary()->GetUsedFunctionNames();
}

std::vector<CPublisher::UnsupportedCall> CPublisher::UnsupportedFunctionCalls(std::size_t cellsShown) const
{
    std::map<std::string, UnsupportedCall> calls; // by the movie's name of the function
    for (const std::string& name : UnsupportedFunctions())
        calls[name];
    const CVariableTable& table = base_->GetVariableTable();
    const CCellModel& cells = base_->GetCellModel();
    for (std::size_t i = 0; i < table.GetCellCount() && !calls.empty(); ++i) {
        const std::optional<CCellRef> cell = table.GetCellAt(i);
        const std::optional<CCellData> data = cell ? cells.GetCell(*cell) : std::nullopt;
        if (!data || data->formula.empty())
            continue;
        std::set<std::string> counted; // a cell calling one function twice counts once
        for (std::string_view written : CalledNames(data->formula)) {
            auto call = calls.find(callconv::MovieFunctionName(callconv::SpreadsheetFunctionName(written)));
            if (call == calls.end() || !counted.insert(call->first).second)
                continue;
            if (call->second.name.empty())
                call->second.name = ShownFunctionName(written);
            if (call->second.cells.size() < cellsShown)
                call->second.cells.push_back(cell->sheet + "!" + cell->GetShortText());
            ++call->second.cellCount;
        }
    }
    std::vector<UnsupportedCall> list;
    for (auto& [movieName, call] : calls) {
        if (call.name.empty())
            call.name = movieName; // called from no formula cell of the table (a defined name)
        list.push_back(std::move(call));
    }
    std::sort(list.begin(), list.end(), [](const UnsupportedCall& a, const UnsupportedCall& b) { return a.name < b.name; });
    return list;
}

std::vector<std::string> UnsupportedCallLines(const std::vector<CPublisher::UnsupportedCall>& calls)
{
    std::vector<std::string> lines;
    for (const CPublisher::UnsupportedCall& call : calls) {
        std::string line = call.name;
        for (std::size_t i = 0; i < call.cells.size(); ++i)
            line += (i == 0 ? " in " : ", ") + call.cells[i];
        if (call.cellCount > call.cells.size())
            line += " and " + std::to_string(call.cellCount - call.cells.size()) + " more cell" +
                    (call.cellCount - call.cells.size() == 1 ? "" : "s");
        lines.push_back(line);
    }
    return lines;
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
