#include "publish/CompileModel.h"

#include "base/RecordStream.h"
#include "model/BindingLink.h"
#include "model/CellBinding.h"
#include "model/Component.h"
#include "model/Parameter.h"
#include "model/ParameterKinds.h"
#include "model/ParameterSet.h"
#include "model/Trace.h"
#include "publish/BaseMovie.h"
#include "publish/ExportSettings.h"
#include "sheet/cells/CellModel.h"
#include "sheet/cells/CellValueMap.h"
#include "sheet/cells/Range.h"
#include "sheet/cells/VariableTable.h"

#include <functional>

namespace {

// Sorts a link by what its cell holds and hands it to the base movie; false (the link is
// left out) when its cell is not in the variable table.
bool RegisterLink(CBaseMovie& movie, CBindingLink& link)
{
    int32_t id = link.GetCellId();
    std::optional<CCellRef> cell =
        id >= 0 ? movie.GetVariableTable().GetCellAt(static_cast<std::size_t>(id)) : std::nullopt;
    if (!cell) {
        Trace("Binding of %s names cell %d, which is not in the model", link.GetOwnerName().c_str(), id);
        return false;
    }
    if (movie.GetCellModel().HasFormula(*cell)) {
        link.SetKind(model::kLinkFormula);
        movie.AddDataRecord(&link);
    } else {
        link.SetKind(model::kLinkConstant);
        movie.AddKind1DataRecord(&link);
    }
    return true;
}

// The link over a URL cell is made once and kept by its owner between walks.
CBindingLink& UrlLink(CBindingLink& link, int32_t cellId)
{
    link.ResetValues();
    link.SetCellId(cellId);
    return link;
}

void CollectElementIds(const CParameter& value, std::vector<int32_t>& ids, int depth = 0)
{
    if (depth > base::RecordReader::kMaxDepth)
        return;
    for (int i = 0; i < value.GetElementCount(); ++i) {
        const CParameter* element = value.GetElement(i);
        if (element->GetVariableId() != -1)
            ids.push_back(element->GetVariableId());
        CollectElementIds(*element, ids, depth + 1);
    }
}

// Value records of the cells a binding reads, without values yet: the data files and the
// write-back to the workbook take them. Series names and category labels are flagged for
// the write-back.
void RecordBoundCells(CBaseMovie& movie, const CParameter& parameter)
{
    const CCellBinding& binding = *parameter.GetBinding();
    const CVariableTable& table = movie.GetVariableTable();
    std::vector<int32_t> ids;
    if (parameter.GetName() == "seriesNames") {
        CollectElementIds(binding.GetValue(), ids);
    } else if (const CRange* range = AsRange(binding.GetRangePtr())) {
        table.ForEachNumberedCell(*range, [&ids](const CCellRef& cell) { ids.push_back(cell.id); });
    }
    bool flagged = parameter.GetName() == "seriesNames" || parameter.GetName() == "categoryLabels";
    for (int32_t id : ids) {
        std::optional<CCellRef> cell = id >= 0 ? table.GetCellAt(static_cast<std::size_t>(id)) : std::nullopt;
        if (!cell)
            continue;
        CCellValueRecord record(id, CellVariableName(id), cell->GetText(), nullptr);
        record.exportFlag = flagged ? 1 : 0;
        movie.GetValueMap().Replace(record);
    }
}

} // namespace

void CompileModel(CBaseMovie& movie, const std::vector<CComponent*>& components)
{
    if (!movie.IsModelChanged())
        return;
    movie.ClearNetwork();
    for (CComponent* component : components)
        component->ClearBindingValues();
    std::unique_ptr<CCellValueMap> oldValues = movie.ReplaceValueMap(std::make_unique<CCellValueMap>());

    std::vector<CBindingLink*> componentLinks;
    for (CComponent* component : components)
        component->CollectBindingLinks(componentLinks);
    std::vector<int32_t> roots;
    for (CBindingLink* link : componentLinks)
        if (RegisterLink(movie, *link))
            roots.push_back(link->GetCellId());
    std::vector<int32_t> urlCells;
    for (auto& [name, record] : movie.GetExportRecords()) {
        if (!record.active || !record.cellBound)
            continue;
        if (!record.link)
            record.link = std::make_unique<CBindingLink>(CVariablePath(), record.urlCell);
        if (RegisterLink(movie, UrlLink(*record.link, record.urlCell)))
            urlCells.push_back(record.urlCell);
    }
    CExportSettings& settings = movie.GetExportSettings();
    if (const std::optional<CCellRef>& cell = settings.GetUrlCell()) {
        if (!settings.GetUrlLink())
            settings.SetUrlLink(std::make_unique<CBindingLink>(CVariablePath(), cell->id));
        if (RegisterLink(movie, UrlLink(*settings.GetUrlLink(), cell->id)))
            urlCells.push_back(cell->id);
    }
    roots.insert(roots.begin(), urlCells.begin(), urlCells.end());

    // Every link is known before the first cell is compiled, so a cell bound anywhere lands
    // in the bound or watched map whichever root reaches it first.
    BoundCells bound;
    for (const CBindingLink* link : movie.GetConstantLinks())
        bound.constants.insert(link->GetCellId());
    for (const CBindingLink* link : movie.GetFormulaLinks())
        bound.formulas.insert(link->GetCellId());
    CModelNetwork& network = movie.GetNetwork();
    for (int32_t id : roots)
        network.CompileCell(id, movie.GetCellModel(), movie.GetVariableTable(), bound, movie.GetValueMap());

    for (CComponent* component : components)
        if (const CParameterSet* parameters = component->GetParameters())
            ForEachCellBinding(*parameters, [&movie](CParameter& parameter) { RecordBoundCells(movie, parameter); });
    oldValues.reset();

    movie.BuildExportMaps();
    for (CComponent* component : components)
        component->RebuildLinkNameSets();
    movie.ClearModelChanged();
}
