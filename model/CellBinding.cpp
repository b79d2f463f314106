#include "model/CellBinding.h"

#include "model/BindingLink.h"
#include "model/ModelHooks.h"
#include "model/Parameter.h"
#include "model/ParameterSet.h"

using namespace model;

namespace {

// The scalar takes the cell's type and value; label, flags and range of the parameter stay.
void AssignCell(CParameter& target, const CellValue& cell)
{
    switch (cell.kind) {
    case CellValue::kNumber:
    case CellValue::kDateTime:
        target.SetDouble(cell.number, true);
        break;
    case CellValue::kBoolean:
        target.SetBool(cell.boolean, true);
        break;
    case CellValue::kText:
    case CellValue::kEmpty:
        target.SetString(cell.text, true);
        break;
    }
    target.SetVariableId(cell.id);
}

// What a new element of a bound list looks like: the list's template, or else its first element
// when that is itself a list (the template of a set skips nested elements).
const CParameter* ElementShape(const CParameter& list)
{
    if (const CParameter* shape = list.GetGroupTemplate()) {
        return shape;
    }
    const CParameter* first = list.GetElement(0);
    return first && IsIndexedList(first->GetType()) ? first : nullptr;
}

} // namespace

CCellBinding::CCellBinding(const std::string& name) : value_(std::make_unique<CParameter>(name, ParamType::Text))
{
}

CCellBinding::CCellBinding(const CCellBinding& other)
{
    *this = other;
}

CCellBinding& CCellBinding::operator=(const CCellBinding& other)
{
    if (this == &other) {
        return *this;
    }
    option_ = other.option_;
    direction_ = other.direction_;
    firstFlag_ = other.firstFlag_;
    texts_ = other.texts_;
    range_ = other.range_;
    tableGeneration_ = other.tableGeneration_;
    value_ = other.value_->Clone(nullptr);
    recordedRanges_ = other.recordedRanges_;
    // Links belong to one component; a copy gets its own over the same cells.
    links_.clear();
    for (const auto& link : other.links_) {
        auto copy = std::make_unique<CBindingLink>(link->GetPath(), link->GetCellId());
        copy->SetKind(link->GetKind());
        copy->SetSubKind(link->GetSubKind());
        links_.push_back(std::move(copy));
    }
    return *this;
}

CCellBinding::~CCellBinding() = default;

CBindingLink* CCellBinding::GetLink(int index) const
{
    if (index < 0 || index >= GetLinkCount()) {
        return nullptr;
    }
    return links_[static_cast<std::size_t>(index)].get();
}

const model::RangeHandle* CCellBinding::GetRangePtr() const
{
    if (!range_ || tableGeneration_ != GetModelLink().GetTableGeneration()) {
        return nullptr;
    }
    return range_;
}

void CCellBinding::KeepRange(const model::RangeHandle* range)
{
    range_ = range;
    tableGeneration_ = range ? GetModelLink().GetTableGeneration() : 0;
}

void CCellBinding::Rename(const std::string& name)
{
    value_->SetName(name);
    for (auto& link : links_) {
        const std::vector<CVariablePath::Element>& elements = link->GetPath().GetElements();
        if (elements.empty()) {
            continue;
        }
        CVariablePath path;
        path.AddName(name, elements.front().kind);
        for (std::size_t i = 1; i < elements.size(); ++i) {
            path.AddName(elements[i].text, elements[i].kind);
        }
        link->SetPath(std::move(path));
    }
}

void CCellBinding::SetValue(std::unique_ptr<CParameter> value)
{
    if (value) {
        value_ = std::move(value);
    }
}

void CCellBinding::SetRange(const model::RangeHandle* range)
{
    KeepRange(range);
    if (range) {
        texts_.rangeText = GetModelLink().GetRangeText(*range);
    } else {
        texts_.rangeText.clear();
        links_.clear();
        if (IsStringType(value_->GetType())) {
            value_->SetString(std::string());
        }
    }
    GetModelLink().ModelLinksChanged();
}

void CCellBinding::UpdateRangeText(const model::RangeHandle* range)
{
    KeepRange(range);
    texts_.rangeText = range ? GetModelLink().GetRangeText(*range) : std::string();
    if (!range) {
        links_.clear();
    }
    GetModelLink().ModelLinksChanged();
}

void CCellBinding::RefreshParameter(const model::RangeHandle* range, bool /*flag*/)
{
    IModelLink& link = GetModelLink();
    if (!range) {
        KeepRange(nullptr);
        links_.clear();
        link.ModelLinksChanged();
        return;
    }
    KeepRange(range);
    std::vector<RangeArea> areas = link.ReadRange(*range);
    std::vector<std::int32_t> ids;
    std::vector<CVariablePath> paths;
    const std::string& name = value_->GetName();

    if (HasParts() && HasNestedSet(value_->GetType())) {
        ReadParts(areas, ids, paths);
    } else if (!HasNestedSet(value_->GetType())) {
        const CellValue* first = areas.empty() ? nullptr : areas.front().At(0, 0);
        AssignCell(*value_, first ? *first : CellValue());
        if (first && first->id >= 0) {
            ids.push_back(first->id);
            CVariablePath path;
            path.AddName(name);
            paths.push_back(std::move(path));
        }
    } else {
        // The template chain decides the shape: a list of cells, a list of rows of cells, or a
        // list of areas, each a list of rows of cells.
        std::vector<CParameter> levels;
        for (const CParameter* t = ElementShape(*value_); t && levels.size() < 3; t = ElementShape(*t)) {
            levels.push_back(*t);
            if (!HasNestedSet(t->GetType())) {
                break;
            }
        }
        if (levels.empty() || HasNestedSet(levels.back().GetType())) {
            levels.push_back(CParameter("0", ParamType::Text));
        }
        for (CParameter& level : levels) {
            level.ClearElements();
        }
        const std::size_t depth = levels.size(); // 1 cells, 2 rows, 3 areas
        const CParameter& cellTemplate = levels.back();

        value_->ClearElements();
        for (const RangeArea& area : areas) {
            CParameter* areaElement = depth == 3 ? value_->InsertElementCopy(levels[0], -1) : nullptr;
            for (int r = 0; r < area.rows; ++r) {
                CParameter* row = nullptr;
                if (depth == 3) {
                    row = areaElement->InsertElementCopy(levels[1], -1);
                } else if (depth == 2) {
                    row = value_->InsertElementCopy(levels[0], -1);
                }
                for (int c = 0; c < area.columns; ++c) {
                    const CellValue* cell = area.At(r, c);
                    if (!cell) {
                        continue;
                    }
                    CParameter* element = (row ? row : value_.get())->InsertElementCopy(cellTemplate, -1);
                    AssignCell(*element, *cell);
                    if (cell->id < 0) {
                        continue;
                    }
                    ids.push_back(cell->id);
                    CVariablePath path;
                    path.AddName(name);
                    if (areaElement) {
                        path.AddName(areaElement->GetName(), CVariablePath::kIndex);
                    }
                    if (row) {
                        path.AddName(row->GetName(), CVariablePath::kIndex);
                    }
                    path.AddName(element->GetName(), CVariablePath::kIndex);
                    paths.push_back(std::move(path));
                }
            }
        }
    }
    value_->SetUndefined(false);
    links_.clear();
    for (std::size_t i = 0; i < ids.size(); ++i) {
        links_.push_back(std::make_unique<CBindingLink>(std::move(paths[i]), ids[i]));
    }
    link.ModelLinksChanged();
}

bool CCellBinding::HasParts() const
{
    return recordedRanges_.size() > 1 && value_->GetName() == "dataValues";
}

void CCellBinding::ReadParts(const std::vector<RangeArea>& areas, std::vector<std::int32_t>& ids,
                             std::vector<CVariablePath>& paths)
{
    IModelLink& link = GetModelLink();
    // The binding's range holds the parts' areas in their order. While each part is one area,
    // the cells come from there: a workbook imported again rebinds that range by its text, and
    // the recorded positions may then name other ranges of the new table.
    std::size_t bound = 0;
    for (std::size_t k = 1; k < recordedRanges_.size(); ++k) {
        bound += recordedRanges_[k] >= 0 ? 1 : 0;
    }
    const bool areaPerPart = bound == areas.size();
    std::size_t nextArea = 0;
    // The rows take the shape of the list's own template (rows of cells); the part holding
    // them is a list one level up.
    CParameter row("0", ParamType::List);
    if (const CParameter* shape = value_->GetGroupTemplate(); shape && HasNestedSet(shape->GetType())) {
        row = *shape;
    }
    CParameter cell("0", ParamType::Text);
    if (const CParameter* shape = row.GetGroupTemplate(); shape && !HasNestedSet(shape->GetType())) {
        cell = *shape;
    }
    row.ClearElements();
    const std::string& name = value_->GetName();
    value_->ClearElements();
    for (std::size_t k = 1; k < recordedRanges_.size(); ++k) {
        CParameter* part = value_->InsertElementCopy(CParameter("0", ParamType::List), -1);
        if (recordedRanges_[k] < 0) {
            continue;
        }
        std::vector<RangeArea> own;
        if (areaPerPart) {
            own.push_back(areas[nextArea++]);
        } else if (const model::RangeHandle* range = link.GetRange(recordedRanges_[k])) {
            own = link.ReadRange(*range);
        }
        for (const RangeArea& area : own) {
            for (int r = 0; r < area.rows; ++r) {
                CParameter* line = part->InsertElementCopy(row, -1);
                for (int c = 0; c < area.columns; ++c) {
                    const CellValue* value = area.At(r, c);
                    if (!value) {
                        continue;
                    }
                    CParameter* element = line->InsertElementCopy(cell, -1);
                    AssignCell(*element, *value);
                    if (value->id < 0) {
                        continue;
                    }
                    ids.push_back(value->id);
                    CVariablePath path;
                    path.AddName(name);
                    path.AddName(part->GetName(), CVariablePath::kIndex);
                    path.AddName(line->GetName(), CVariablePath::kIndex);
                    path.AddName(element->GetName(), CVariablePath::kIndex);
                    paths.push_back(std::move(path));
                }
            }
        }
    }
}

bool CCellBinding::TestFirstCell() const
{
    const model::RangeHandle* range = GetRangePtr();
    if (!range || HasNestedSet(value_->GetType())) {
        return false;
    }
    std::vector<RangeArea> areas = GetModelLink().ReadRange(*range);
    const CellValue* first = areas.empty() ? nullptr : areas.front().At(0, 0);
    return first && first->id >= 0 && GetModelLink().HasFormula(first->id);
}
