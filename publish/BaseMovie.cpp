#include "publish/BaseMovie.h"

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
#include "sheet/host/ExcelApp.h"
#include "sheet/cells/Range.h"
#include "sheet/cells/VariableTable.h"
#include "swf/ScopeGuard.h"
#include "swf/SwfDoAction.h"
#include "swf/SwfError.h"
#include "swf/SwfIds.h"
#include "swf/SwfMovie.h"
#include "swf/SwfPlaceObject2.h"
#include "swf/SwfSprite.h"
#include "swf/SwfTags.h"

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
        ScopeGuard unmark([this] { asset_->UnmarkCharacterUsed(baseClipId_); });
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

void CBaseMovie::ResetModel()
{
    SetModelChanged();
    table_ = std::make_shared<CVariableTable>();
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
        for (const CCellRef& cell : range->GetCellList())
            if (CCellValueRecord* record = values_->Lookup(cell.id))
                record->mark = 1;
    }
    CExcelApp excel(settings_->excelFile);
    excel.ImportWorkbook(*table_, *cellModel1_, *values_);
    excel.CloseAllAndQuit();
}
