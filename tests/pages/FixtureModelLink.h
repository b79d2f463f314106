#pragma once

// A model link over a page test's imported workbook: bindings picked on a page read their cell
// values (and learn which cells hold formulas) as they do in the program, where the link follows
// the base movie.

#include "model/ModelHooks.h"
#include "sheet/cells/CellModel.h"
#include "sheet/cells/Range.h"
#include "sheet/cells/VariableTable.h"
#include "sheet/formula/ModelVariable.h"

namespace pagetest {

class FixtureModelLink : public model::IModelLink {
public:
    FixtureModelLink(const CCellModel& cells, CVariableTable& table) : cells_(cells), table_(table)
    {
        model::SetModelLink(this);
    }
    ~FixtureModelLink() override { model::ResetModelLink(); }
    FixtureModelLink(const FixtureModelLink&) = delete;
    FixtureModelLink& operator=(const FixtureModelLink&) = delete;

    std::string GetRangeText(const model::RangeHandle& range) override { return AsRange(range).GetText(); }
    std::vector<model::RangeArea> ReadRange(const model::RangeHandle& handle) override
    {
        const CRange& range = AsRange(handle);
        std::vector<model::RangeArea> areas;
        for (std::size_t index = 0; index < range.GetAreaCount(); ++index) {
            model::RangeArea area;
            range.GetAreaSize(index, area.rows, area.columns);
            for (int row = 0; row < area.rows; ++row)
                for (int column = 0; column < area.columns; ++column) {
                    CCellRef cell;
                    range.GetCells(index, row, column, cell);
                    area.cells.push_back(Read(cell));
                }
            areas.push_back(std::move(area));
        }
        return areas;
    }
    bool HasFormula(std::int32_t cellId) override
    {
        std::optional<CCellRef> cell = cellId < 0 ? std::nullopt : table_.GetCellAt(static_cast<std::size_t>(cellId));
        return cell && cells_.HasFormula(*cell);
    }
    int FindRange(const model::RangeHandle& range) override { return table_.FindRange(AsRange(range)); }
    const model::RangeHandle* GetRange(int index) override
    {
        return index < 0 ? nullptr : table_.GetRange(static_cast<std::size_t>(index));
    }
    const model::RangeHandle* MakeSubRange(const model::RangeHandle&, int, int, int, int, int) override
    {
        return nullptr;
    }
    void ModelLinksChanged() override {}
    std::uint64_t GetTableGeneration() override { return 1; }

private:
    static const CRange& AsRange(const model::RangeHandle& handle) { return static_cast<const CRange&>(handle); }

    model::CellValue Read(const CCellRef& cell) const
    {
        model::CellValue value;
        value.id = cell.id;
        std::optional<CCellData> data = cells_.GetCell(cell);
        std::unique_ptr<CModelVariable> constant = cells_.MakeConstantNode(cell);
        if (!data || !constant)
            return value;
        value.text = data->valueText;
        switch (constant->GetKind()) {
        case ModelKind::Number:
        case ModelKind::Integer:
            value.kind = model::CellValue::kNumber;
            value.number = constant->GetNumber();
            break;
        case ModelKind::Boolean:
            value.kind = model::CellValue::kBoolean;
            value.boolean = constant->GetBoolean();
            break;
        case ModelKind::String:
            value.kind = model::CellValue::kText;
            break;
        default:
            break;
        }
        return value;
    }

    const CCellModel& cells_;
    CVariableTable& table_;
};

} // namespace pagetest
