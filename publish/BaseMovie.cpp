#include "publish/BaseMovie.h"

#include "base/ModelError.h"
#include "base/RecordStream.h"
#include "base/ScopeGuard.h"
#include "model/BindingLink.h"
#include "model/Trace.h"
#include "publish/CollabMovie.h"
#include "publish/ExportSettings.h"
#include "publish/FunctionLibrary.h"
#include "publish/LoadDataMovie.h"
#include "publish/ProgramContext.h"
#include "publish/ScenarioMovie.h"
#include "publish/StaticDataTable.h"
#include "publish/SubMovieAsset.h"
#include "sheet/cells/CellModel.h"
#include "sheet/cells/CellValueMap.h"
#include "sheet/cells/Range.h"
#include "sheet/cells/SheetRecords.h"
#include "sheet/cells/VariableTable.h"
#include "sheet/host/ExcelApp.h"
#include "swf/SwfDoAction.h"
#include "swf/SwfError.h"
#include "swf/SwfIds.h"
#include "swf/SwfMovie.h"
#include "swf/SwfPlaceObject2.h"
#include "swf/SwfSprite.h"
#include "swf/SwfTags.h"

#include <string>
#include <unordered_map>

namespace {

// A read that fails can be a file another program is still writing; more than a few
// attempts never help.
constexpr int kAssetAttempts = 3;

} // namespace

CBaseMovie* GetBaseMovie()
{
    CProgramContext* context = CProgramContext::Current();
    return context ? context->GetBaseMovie() : nullptr;
}

CBaseMovie::CBaseMovie(std::unique_ptr<CSwfMovie> asset, const std::filesystem::path& installDir,
                       swf::IdCounter& characterIds, swf::IdCounter& depths)
    : asset_(std::move(asset)), characterIds_(characterIds), depths_(depths)
{
    if (!asset_ || asset_->GetClipEntries().empty())
        throw BaseMovieError("the base asset exports no clip to place as the manager");
    std::vector<ClipEntry>& clips = asset_->GetClipEntries();
    baseClipId_ = clips.front().GetId();
    clips.erase(clips.begin());
    // The click the components play goes out with the manager; it is no clip to place.
    for (auto at = clips.begin(); at != clips.end();) {
        if (at->GetName() == kClickSound) {
            clickSoundId_ = at->GetId();
            at = clips.erase(at);
        } else {
            ++at;
        }
    }
    cellModel1_ = std::make_unique<CCellModel>();
    cellModel2_ = std::make_unique<CCellModel>();
    table_ = std::make_shared<CVariableTable>();
    values_ = std::make_unique<CCellValueMap>();
    settings_ = std::make_unique<CExportSettings>();
    staticTable_ = std::make_unique<CStaticDataTable>();
    scenario_ = std::make_unique<CScenarioMovie>(installDir, characterIds);
    loadData_ = std::make_unique<CLoadDataMovie>(installDir, characterIds);
    collab_ = std::make_unique<CCollabMovie>(installDir, characterIds, *settings_);
}

CBaseMovie::~CBaseMovie()
{
    // The network borrows nothing from the tables, but its nodes release their function
    // names: drop it while the library is surely still there.
    network_.Clear();
}

std::unique_ptr<CBaseMovie> CBaseMovie::Create(const std::filesystem::path& installDir,
                                               swf::IdCounter& characterIds, swf::IdCounter& depths)
{
    std::filesystem::path path = publish::AssetPath(installDir, "kvbase.dat");
    std::string reason;
    for (int attempt = 0; attempt < kAssetAttempts; ++attempt) {
        auto asset = std::make_unique<CSwfMovie>();
        try {
            asset->LoadFile(path, {.remapIds = &characterIds, .keepTopLevel = true});
            return std::make_unique<CBaseMovie>(std::move(asset), installDir, characterIds, depths);
        } catch (const swf::SwfError& error) {
            reason = error.what();
        }
    }
    throw BaseMovieError("base asset missing or invalid: " + path.string() + ": " + reason);
}

void CBaseMovie::Write(swf::Writer& out)
{
    {
        asset_->MarkCharacterUsed(baseClipId_);
        if (clickSoundId_ != 0)
            asset_->MarkCharacterUsed(clickSoundId_);
        ScopeGuard unmark([this] {
            asset_->UnmarkCharacterUsed(baseClipId_);
            if (clickSoundId_ != 0)
                asset_->UnmarkCharacterUsed(clickSoundId_);
        });
        asset_->Write(out);
    }

    writtenFrameScript_ = std::move(frameScript_);
    writtenInitCode_ = std::move(initCode_);
    CSwfDoAction* frameScript = writtenFrameScript_.get();
    CInitCodeTag* initCode = writtenInitCode_.get();
    if (frameScript)
        frameScript->Write(out);
    if (initCode) {
        // The model code runs as the initialisation of an empty exported sprite, which the
        // player does before the first frame's script.
        CSwfSprite sprite(characterIds_.Next(), 1, false);
        sprite.AddTag(std::make_unique<CSwfShowFrame>());
        CSwfExportedSymbol symbol(sprite.GetCharacterId());
        symbol.SetName("initCode");
        initCode->SetCharacterId(sprite.GetCharacterId());
        sprite.Write(out);
        symbol.Write(out);
        initCode->Write(out);
    }
    CSwfPlaceObject2 manager(depths_.Next(), baseClipId_, CSwfMatrix(), "mgr");
    manager.Write(out);
}

void CBaseMovie::ReleaseWrittenScripts()
{
    writtenFrameScript_.reset();
    writtenInitCode_.reset();
}

void CBaseMovie::SetFrameScript(std::unique_ptr<CSwfDoAction> tag)
{
    frameScript_ = std::move(tag);
}

std::unique_ptr<CCellValueMap> CBaseMovie::ReplaceValueMap(std::unique_ptr<CCellValueMap> values)
{
    std::swap(values, values_);
    return values;
}

std::unique_ptr<CCellModel> CBaseMovie::ReplaceCellModel(std::unique_ptr<CCellModel> cells)
{
    std::swap(cells, cellModel1_);
    return cells;
}

void CBaseMovie::ResetModel()
{
    SetModelChanged();
    table_ = std::make_shared<CVariableTable>();
    network_.SetIteration({});
}

void CBaseMovie::SetModelChanged()
{
    modelChanged_ = true;
    ClearNetwork();
}

void CBaseMovie::ClearNetwork()
{
    DropNetwork();
    // The network's formulas gave their function uses back as they went; the names the
    // library lacks are forgotten with the network that asked for them.
    if (CFunctionLibrary* library = GetFunctionLibrary())
        library->ResetUsage();
}

void CBaseMovie::DropNetwork()
{
    constantLinks_.clear();
    formulaLinks_.clear();
    network_.Clear();
}

CBindingLink* CBaseMovie::FindConstantLink(int32_t cellId) const
{
    for (CBindingLink* link : constantLinks_)
        if (link->GetCellId() == cellId)
            return link;
    return nullptr;
}

CBindingLink* CBaseMovie::FindFormulaLink(int32_t cellId) const
{
    for (CBindingLink* link : formulaLinks_)
        if (link->GetCellId() == cellId)
            return link;
    return nullptr;
}

void CBaseMovie::BuildExportMaps()
{
    // Links outlive the network (their components own them): relations recorded by an
    // earlier build would repeat, or name links of deleted components.
    for (CBindingLink* link : constantLinks_)
        link->ResetValues();
    for (CBindingLink* link : formulaLinks_)
        link->ResetValues();
    network_.Link(*table_);

    std::unordered_multimap<int32_t, CBindingLink*> formulaLinksByCell;
    for (CBindingLink* link : formulaLinks_)
        formulaLinksByCell.emplace(link->GetCellId(), link);
    std::unordered_map<int32_t, std::vector<CBindingLink*>> constantLinksByCell;
    for (CBindingLink* link : constantLinks_) {
        constantLinksByCell[link->GetCellId()].push_back(link);
        auto* node = dynamic_cast<CConstantCellNode*>(FindVariableNode(link->GetCellId()));
        if (!node)
            continue;
        for (const CFormulaNode* dependent : node->GetRecalcList()) {
            auto [first, last] = formulaLinksByCell.equal_range(dependent->GetCellId());
            for (auto it = first; it != last; ++it)
                link->AddDependentLink(it->second);
        }
    }
    for (CBindingLink* link : constantLinks_)
        for (CBindingLink* other : constantLinksByCell[link->GetCellId()])
            if (other != link)
                link->AddSameCellLink(other);
}

void CBaseMovie::LoadExternalValues()
{
    for (const CRangeEntry& entry : rangeEntries_) {
        // An entry may outlive the range it named (a re-import with fewer ranges).
        const CRange* range =
            entry.rangeIndex >= 0 ? table_->GetRange(static_cast<std::size_t>(entry.rangeIndex)) : nullptr;
        if (!range)
            continue;
        table_->ForEachNumberedCell(*range, [&](const CCellRef& cell) {
            if (CCellValueRecord* record = values_->Lookup(cell.id))
                record->mark = 1;
        });
    }
    CExcelApp excel(settings_->excelFile);
    excel.ImportWorkbook(*table_, *cellModel1_, *values_);
    excel.CloseAllAndQuit();
}

// The model section of a document: what LoadModel reads and SaveModel writes
// (docs/document-model-section.md).

namespace {

// The version SaveModel writes: XML maps with their active, refresh and URL-cell fields, and
// the string map.
constexpr uint8_t kSectionVersion = 4;

// Smallest stored sizes, which bound every count by the bytes left.
constexpr std::size_t kMinConstantNode = 5; // id, expression flag
constexpr std::size_t kMinFormulaNode = 9;  // and the referenced-cell count
constexpr std::size_t kMinXmlMap = 12;      // name, URL text, parameter count
constexpr std::size_t kMinParameter = 8;    // name, value
constexpr std::size_t kMinStringPair = 8;

const char* SectionName(int section)
{
    static const char* const names[] = {"plain constant node", "bound constant node", "formula node",
                                        "watched formula node"};
    return names[section];
}

} // namespace

struct CBaseMovie::LoadedModel {
    std::shared_ptr<CVariableTable> table = std::make_shared<CVariableTable>();
    std::unique_ptr<CCellModel> cells1 = std::make_unique<CCellModel>();
    std::unique_ptr<CCellModel> cells2 = std::make_unique<CCellModel>();
    std::unique_ptr<CCellValueMap> values = std::make_unique<CCellValueMap>();
    CModelNetwork network;
    bool modelChanged = false;
    bool connectionInputs = false;
    bool hasXmlMaps = false;
    bool hasStringMap = false;
    std::map<std::string, CExportRecord> exportRecords;
    std::map<std::string, std::string> stringMap;
};

namespace {

void CheckCell(base::RecordReader& in, const CVariableTable& table, int32_t id, const char* what)
{
    if (id < 0 || static_cast<std::size_t>(id) >= table.GetCellCount())
        in.Fail(what, "cell " + std::to_string(id) + " is not in the variable table");
}

// Every cell and range a node names must be in the table, or the movie would read variables
// that nothing assigns and the linking would look up ranges that do not exist.
void CheckNode(base::RecordReader& in, const CVariableTable& table, const CFormulaNode& node,
               const char* what)
{
    CheckCell(in, table, node.GetCellId(), what);
    std::vector<int32_t> cells;
    std::vector<int> ranges;
    if (node.GetExpression())
        CollectCompiledReferences(*node.GetExpression(), cells, ranges);
    if (const auto* formula = dynamic_cast<const CFormulaCellNode*>(&node))
        cells.insert(cells.end(), formula->GetReferencedCells().begin(), formula->GetReferencedCells().end());
    for (int32_t id : cells)
        CheckCell(in, table, id, what);
    for (int index : ranges)
        if (index < 0 || static_cast<std::size_t>(index) >= table.GetRangeCount())
            in.Fail(what, "range " + std::to_string(index) + " is not in the variable table");
}

std::unique_ptr<CFormulaNode> MakeNode(int section)
{
    switch (section) {
    case 0:
    case 1:
        return std::make_unique<CConstantCellNode>();
    case 2:
        return std::make_unique<CFormulaCellNode>();
    default:
        return std::make_unique<CWatchedFormulaNode>();
    }
}

void ReadNodes(base::RecordReader& in, const CVariableTable& table, CModelNetwork& network)
{
    CModelNetwork::NodeMap* maps[] = {&network.PlainConstants(), &network.BoundConstants(),
                                      &network.Formulas(), &network.WatchedFormulas()};
    for (int section = 0; section < 4; ++section) {
        const char* what = SectionName(section);
        uint32_t count = in.ReadCount(what, section < 2 ? kMinConstantNode : kMinFormulaNode);
        for (uint32_t i = 0; i < count; ++i) {
            std::unique_ptr<CFormulaNode> node = MakeNode(section);
            node->Load(in);
            CheckNode(in, table, *node, what);
            int32_t id = node->GetCellId();
            for (const CModelNetwork::NodeMap* map : maps)
                if (map->count(id))
                    in.Fail(what, "cell " + std::to_string(id) + " has a node already");
            (*maps[section])[id] = std::move(node);
        }
    }
    uint32_t count = in.ReadCount("evaluation order", 4);
    for (uint32_t i = 0; i < count; ++i) {
        int32_t id = in.ReadI32("evaluation order cell id");
        CFormulaNode* node = network.FindVariableNode(id);
        if (!node)
            in.Fail("evaluation order", "cell " + std::to_string(id) + " has no node");
        network.EvaluationOrder().push_back(node);
    }
}

CExportRecord ReadXmlMap(base::RecordReader& in, uint8_t version, const CVariableTable& table,
                         bool& modelChanged)
{
    CExportRecord record;
    record.name = in.ReadString("XML map name");
    record.urlText = in.ReadString("XML map URL");
    uint32_t count = in.ReadCount("XML map parameter count", kMinParameter);
    for (uint32_t i = 0; i < count; ++i) {
        std::string name = in.ReadString("XML map parameter name");
        record.parameters[name] = in.ReadU32("XML map parameter value");
    }
    if (version < 4)
        return record;
    record.active = in.ReadU8("XML map active flag") != 0;
    record.refreshSeconds = in.ReadI32("XML map refresh interval");
    record.cellBound = in.ReadU8("XML map cell-bound flag") != 0;
    if (record.cellBound) {
        record.urlCell = in.ReadI32("XML map URL cell");
        CheckCell(in, table, record.urlCell, "XML map URL cell");
        modelChanged = true;
    } else {
        record.urlText = in.ReadString("XML map URL");
    }
    return record;
}

} // namespace

void CBaseMovie::LoadModel(base::RecordReader& in)
{
    LoadedModel loaded;
    loaded.modelChanged = modelChanged_;
    loaded.connectionInputs = connectionInputs_;
    loaded.table->Load(in);
    loaded.cells1->Load(in);
    loaded.cells2->Load(in);
    loaded.values->Load(in);
    ReadNodes(in, *loaded.table, loaded.network);

    uint8_t version = in.ReadU8("model section version");
    if (version == 1)
        loaded.modelChanged = true;
    else if (version >= 2 && in.ReadU8("model changed flag") != 0)
        loaded.modelChanged = true;
    if (version >= 2) {
        loaded.hasXmlMaps = true;
        uint32_t count = in.ReadCount("XML map count", kMinXmlMap);
        for (uint32_t i = 0; i < count; ++i) {
            CExportRecord record = ReadXmlMap(in, version, *loaded.table, loaded.modelChanged);
            loaded.connectionInputs = true;
            std::string name = record.name;
            loaded.exportRecords[name] = std::move(record);
        }
    }
    if (version >= 3) {
        loaded.hasStringMap = true;
        uint32_t count = in.ReadCount("string map count", kMinStringPair);
        for (uint32_t i = 0; i < count; ++i) {
            std::string key = in.ReadString("string map key");
            loaded.stringMap[key] = in.ReadString("string map value");
        }
    }
    Adopt(std::move(loaded));
}

void CBaseMovie::Adopt(LoadedModel&& loaded)
{
    DropNetwork();
    table_ = std::move(loaded.table);
    cellModel1_ = std::move(loaded.cells1);
    cellModel2_ = std::move(loaded.cells2);
    values_ = std::move(loaded.values);
    network_ = std::move(loaded.network);
    modelChanged_ = loaded.modelChanged;
    connectionInputs_ = loaded.connectionInputs;
    if (loaded.hasXmlMaps)
        exportRecords_ = std::move(loaded.exportRecords);
    if (loaded.hasStringMap)
        stringMap_ = std::move(loaded.stringMap);
}

void CBaseMovie::SaveModel(base::RecordWriter& out) const
{
    sheetrec::WriteVariableTable(out, *table_);
    sheetrec::WriteCellModel(out, *cellModel1_);
    sheetrec::WriteCellModel(out, *cellModel2_);
    sheetrec::WriteValueMap(out, *values_);
    for (const CModelNetwork::NodeMap* map : {&network_.PlainConstants(), &network_.BoundConstants(),
                                              &network_.Formulas(), &network_.WatchedFormulas()}) {
        out.WriteU32(static_cast<uint32_t>(map->size()));
        for (const auto& [id, node] : *map)
            node->Save(out);
    }
    out.WriteU32(static_cast<uint32_t>(network_.GetEvaluationOrder().size()));
    for (const CFormulaNode* node : network_.GetEvaluationOrder())
        out.WriteI32(node->GetCellId());
    out.WriteU8(kSectionVersion);
    out.WriteU8(modelChanged_ ? 1 : 0);
    out.WriteU32(static_cast<uint32_t>(exportRecords_.size()));
    for (const auto& [name, record] : exportRecords_) {
        out.WriteString(record.name);
        out.WriteString(record.urlText);
        out.WriteU32(static_cast<uint32_t>(record.parameters.size()));
        for (const auto& [parameter, value] : record.parameters) {
            out.WriteString(parameter);
            out.WriteU32(value);
        }
        out.WriteU8(record.active ? 1 : 0);
        out.WriteI32(record.refreshSeconds);
        out.WriteU8(record.cellBound ? 1 : 0);
        if (record.cellBound)
            out.WriteI32(record.urlCell);
        else
            out.WriteString(record.urlText);
    }
    out.WriteU32(static_cast<uint32_t>(stringMap_.size()));
    for (const auto& [key, value] : stringMap_) {
        out.WriteString(key);
        out.WriteString(value);
    }
}
