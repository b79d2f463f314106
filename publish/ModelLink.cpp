#include "publish/ModelLink.h"

#include "publish/BaseMovie.h"
#include "sheet/cells/CellModel.h"
#include "sheet/formula/ModelVariable.h"
#include "sheet/cells/Range.h"
#include "sheet/cells/VariableTable.h"

namespace {

// The cell's value as a binding shows it; empty without a model or a value.
model::CellValue ReadCell(const CCellModel* cells, const CCellRef& cell)
{
    model::CellValue value;
    value.id = cell.id;
    if (!cells)
        return value;
    std::optional<CCellData> data = cells->GetCell(cell);
    std::unique_ptr<CModelVariable> constant = cells->MakeConstantNode(cell);
    if (!data || !constant)
        return value;
    value.text = data->valueText;
    switch (constant->GetKind()) {
    case ModelKind::Number:
    case ModelKind::Integer:
        value.kind =
            data->typeName == CellTypeName(CellType::DateTime) ? model::CellValue::kDateTime : model::CellValue::kNumber;
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

} // namespace

std::string CBaseMovieModelLink::GetRangeText(const model::RangeHandle& handle)
{
    return AsRange(&handle)->GetText();
}

std::size_t CBaseMovieModelLink::CountCells(const model::RangeHandle& handle)
{
    return AsRange(&handle)->GetCellCount();
}

std::vector<model::RangeArea> CBaseMovieModelLink::ReadRange(const model::RangeHandle& handle)
{
    const CRange& range = *AsRange(&handle);
    std::vector<model::RangeArea> areas;
    CBaseMovie* movie = GetBaseMovie();
    for (std::size_t index = 0; index < range.GetAreaCount(); ++index) {
        model::RangeArea area;
        range.GetAreaSize(index, area.rows, area.columns);
        for (int row = 0; row < area.rows; ++row)
            for (int column = 0; column < area.columns; ++column) {
                CCellRef cell;
                range.GetCells(index, row, column, cell);
                area.cells.push_back(ReadCell(movie ? &movie->GetCellModel() : nullptr, cell));
            }
        areas.push_back(std::move(area));
    }
    return areas;
}

bool CBaseMovieModelLink::HasFormula(std::int32_t cellId)
{
    CBaseMovie* movie = GetBaseMovie();
    if (!movie || cellId < 0)
        return false;
    std::optional<CCellRef> cell = movie->GetVariableTable().GetCellAt(static_cast<std::size_t>(cellId));
    return cell && movie->GetCellModel().HasFormula(*cell);
}

int CBaseMovieModelLink::FindRange(const model::RangeHandle& range)
{
    CBaseMovie* movie = GetBaseMovie();
    return movie ? movie->GetVariableTable().FindRange(*AsRange(&range)) : -1;
}

const model::RangeHandle* CBaseMovieModelLink::GetRange(int index)
{
    CBaseMovie* movie = GetBaseMovie();
    return movie && index >= 0 ? movie->GetVariableTable().GetRange(static_cast<std::size_t>(index))
                               : nullptr;
}

const model::RangeHandle* CBaseMovieModelLink::MakeSubRange(const model::RangeHandle& handle, int area,
                                                            int row, int column, int rows, int columns)
{
    const CRange& range = *AsRange(&handle);
    CBaseMovie* movie = GetBaseMovie();
    int areaRows = 0;
    int areaColumns = 0;
    if (!movie || area < 0 || !range.GetAreaSize(static_cast<std::size_t>(area), areaRows, areaColumns))
        return nullptr;
    if (rows < 1 || columns < 1 || row < 0 || column < 0 || row > areaRows - rows ||
        column > areaColumns - columns)
        return nullptr;
    CCellRef start;
    CCellRef end;
    range.GetCells(static_cast<std::size_t>(area), row, column, start);
    range.GetCells(static_cast<std::size_t>(area), row + rows - 1, column + columns - 1, end);
    CRange sub;
    if (!sub.AddArea(start, end))
        return nullptr;
    int index = movie->GetVariableTable().AddRange(sub);
    return GetRange(index);
}

const model::RangeHandle* CBaseMovieModelLink::MakeUnionRange(const std::vector<const model::RangeHandle*>& ranges)
{
    CBaseMovie* movie = GetBaseMovie();
    if (!movie || ranges.empty())
        return nullptr;
    CRange all;
    for (const model::RangeHandle* handle : ranges) {
        const CRange& range = *AsRange(handle);
        for (std::size_t area = 0; area < range.GetAreaCount(); ++area) {
            CCellRef start;
            CCellRef end;
            if (!range.GetArea(area, start, end) || !all.AddArea(start, end))
                return nullptr;
        }
    }
    return GetRange(movie->GetVariableTable().AddRange(all));
}

void CBaseMovieModelLink::ModelLinksChanged()
{
    if (CBaseMovie* movie = GetBaseMovie())
        movie->SetModelChanged();
}

std::uint64_t CBaseMovieModelLink::GetTableGeneration()
{
    CBaseMovie* movie = GetBaseMovie();
    std::shared_ptr<CVariableTable> current = movie ? movie->ShareVariableTable() : nullptr;
    if (known_.owner_before(current) || current.owner_before(known_)) {
        known_ = current;
        ++generation_;
    }
    return generation_;
}
