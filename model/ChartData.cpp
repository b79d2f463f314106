#include "model/ChartData.h"

#include "model/ModelHooks.h"
#include "model/Parameter.h"
#include "model/ParameterSet.h"

#include <cstdio>

using namespace model;

namespace {

// Bound values of series and blocks are lists of cells.
void MakeList(CCellBinding& binding, const std::string& name)
{
    binding.SetValue(std::make_unique<CParameter>(name, ParamType::List));
}

bool HoldsValue(const CellValue* cell)
{
    return cell && (cell->kind == CellValue::kNumber || cell->kind == CellValue::kBoolean);
}

bool IsEmptyCell(const CellValue* cell)
{
    return !cell || cell->kind == CellValue::kEmpty;
}

CParameter* FindDeep(CParameterSet* group, CParameterSet* whole, const char* name)
{
    if (group) {
        if (CParameter* p = group->FindParameter(name)) {
            return p;
        }
    }
    if (!whole) {
        return nullptr;
    }
    if (CParameter* p = whole->FindParameter(name)) {
        return p;
    }
    for (int i = 0; i < whole->GetCount(); ++i) {
        CParameter* member = whole->GetAt(i);
        if (member->GetType() == ParamType::Group && member->GetSet()) {
            if (CParameter* p = member->GetSet()->FindParameter(name)) {
                return p;
            }
        }
    }
    return nullptr;
}

// Gives a list parameter (bound or not) the texts as constant elements.
void SetTexts(CParameter& parameter, const std::vector<std::string>& texts)
{
    CParameter* list = &parameter;
    if (parameter.GetType() == ParamType::CellBinding) {
        parameter.GetBinding()->RefreshParameter(nullptr, false);
        list = &parameter.GetBinding()->GetValue();
    }
    if (!HasNestedSet(list->GetType())) {
        return;
    }
    list->ClearElements();
    for (const std::string& text : texts) {
        CParameter element("0", ParamType::Text);
        element.SetString(text);
        list->InsertElementCopy(element, -1);
    }
}

// Binds to the range and keeps its reference text, which the chart's page shows.
void Bind(CCellBinding& binding, const model::RangeHandle* range)
{
    binding.RefreshParameter(range, false);
    binding.GetTexts().rangeText = range ? GetModelLink().GetRangeText(*range) : std::string();
}

void Bind(CParameter* parameter, const model::RangeHandle* range)
{
    if (parameter && parameter->GetType() == ParamType::CellBinding) {
        Bind(*parameter->GetBinding(), range);
    }
}

} // namespace

CChartSeries::CChartSeries() : nameBinding_("name"), values_("values"), yValues_("yValues"), sizes_("sizes")
{
    MakeList(values_, "values");
    MakeList(yValues_, "yValues");
    MakeList(sizes_, "sizes");
}

void CChartSeries::SetName(const std::string& name, bool refresh)
{
    name_ = name;
    if (refresh && nameBinding_.GetRangePtr()) {
        nameBinding_.RefreshParameter(nameBinding_.GetRangePtr(), false);
    }
}

void CChartSeries::Refresh()
{
    const model::RangeHandle* range = nameBinding_.GetRangePtr();
    if (!range) {
        return;
    }
    std::vector<RangeArea> areas = GetModelLink().ReadRange(*range);
    const CellValue* first = areas.empty() ? nullptr : areas.front().At(0, 0);
    name_ = first ? first->text : std::string();
}

CChartData::CChartData() : dataRange_("dataRange"), dataBlock_("dataBlock"), seriesNamesRange_("seriesNames")
{
    MakeList(dataBlock_, "dataBlock");
    MakeList(seriesNamesRange_, "seriesNames");
}

CChartData::~CChartData() = default;

bool CChartData::IsChart(const CParameterSet& whole)
{
    return FindDeep(nullptr, const_cast<CParameterSet*>(&whole), "chartType") != nullptr;
}

CParameter* CChartData::GetParameter(const char* name) const
{
    return FindDeep(group_, whole_, name);
}

CChartSeries* CChartData::GetSeries(int index) const
{
    if (index < 0 || index >= GetSeriesCount()) {
        return nullptr;
    }
    return series_[static_cast<std::size_t>(index)].get();
}

CChartSeries& CChartData::AddNamedSeries()
{
    CChartSeries& series = AddSeries(nullptr, nullptr, nullptr);
    series.SetName("Series" + std::to_string(nextSeries_++), false);
    return series;
}

bool CChartData::RemoveSeries(int index)
{
    if (index < 0 || index >= GetSeriesCount()) {
        return false;
    }
    series_.erase(series_.begin() + index);
    return true;
}

void CChartData::SetChartType(CParameterSet* group, CParameterSet* whole)
{
    group_ = group;
    whole_ = whole;
    if (CParameter* type = GetParameter("chartType")) {
        std::string text = type->GetValueText();
        if (text == "pie") {
            kind_ = kPie;
        } else if (text == "column" || text == "combo" || text == "bar" || text == "line" ||
                   text == "stackbar" || text == "stackcolumn") {
            kind_ = kCategory;
        } else if (text == "xy") {
            kind_ = kXY;
        } else if (text == "bubble") {
            kind_ = kBubble;
        }
        chartType_ = text;
    }
    bool pie = kind_ == kPie;
    bool category = kind_ == kCategory;
    dataValues_ = GetParameter("dataValues");
    seriesNames_ = pie ? nullptr : GetParameter("seriesNames");
    categoryLabels_ = pie || category ? GetParameter("categoryLabels") : nullptr;
    chartTitle_ = GetParameter("chartTitle");
    chartSubTitle_ = GetParameter("chartSubTitle");
    xAxisTitle_ = pie ? nullptr : GetParameter("XAxisTitle");
    yAxisTitle_ = pie ? nullptr : GetParameter("YAxisTitle");
}

void CChartData::ClearSeries()
{
    series_.clear();
}

CChartSeries& CChartData::AddSeries(const model::RangeHandle* values, const model::RangeHandle* yValues, const model::RangeHandle* sizes)
{
    auto series = std::make_unique<CChartSeries>();
    Bind(series->GetValues(), values);
    Bind(series->GetYValues(), yValues);
    Bind(series->GetSizes(), sizes);
    series_.push_back(std::move(series));
    return *series_.back();
}

void CChartData::Reload()
{
    ClearSeries();
    if (!dataValues_ || dataValues_->GetType() != ParamType::CellBinding) {
        return;
    }
    const std::vector<std::int32_t>& recorded = dataValues_->GetBinding()->GetRecordedRanges();
    IModelLink& link = GetModelLink();
    if (!recorded.empty()) {
        dataRange_.UpdateRangeText(link.GetRange(recorded[0]));
    }
    for (std::size_t i = 1; i < recorded.size(); i += 3) {
        auto at = [&](std::size_t k) { return k < recorded.size() ? link.GetRange(recorded[k]) : nullptr; };
        AddSeries(at(i), at(i + 1), at(i + 2));
    }
    // Values bound straight to their cells, with no data range picked through the chart's
    // page, are the chart's data range and its data block, cut into series line by line as
    // the movie reads such a block.
    if (recorded.empty()) {
        if (const model::RangeHandle* values = dataValues_->GetBinding()->GetRangePtr()) {
            dataRange_.UpdateRangeText(values);
            dataBlock_.RefreshParameter(values, false);
            std::vector<RangeArea> areas = link.ReadRange(*values);
            const int kept = orientation_;
            const int next = nextSeries_;
            if (orientation_ == kUndecided && !areas.empty()) {
                orientation_ = DecideOrientation(areas.front().rows, areas.front().columns);
            }
            BuildSeries();
            orientation_ = kept;
            nextSeries_ = next;
        }
    }
    if (kind_ == kPie || !seriesNames_) {
        return;
    }
    CParameter* names =
        seriesNames_->GetType() == ParamType::CellBinding ? &seriesNames_->GetBinding()->GetValue() : seriesNames_;
    for (int k = 0; k < GetSeriesCount(); ++k) {
        if (CParameter* element = names->GetElement(k)) {
            GetSeries(k)->SetName(element->GetValueText(), false);
        }
    }
}

void CChartData::RebuildFromRange(bool newRange)
{
    IModelLink& link = GetModelLink();
    const model::RangeHandle* range = dataRange_.GetRangePtr();
    std::vector<RangeArea> areas = range ? link.ReadRange(*range) : std::vector<RangeArea>();
    if (!range || areas.empty() || areas.front().rows == 0 || areas.front().columns == 0) {
        dataBlock_.RefreshParameter(nullptr, false);
        seriesNamesRange_.RefreshParameter(nullptr, false);
        Bind(categoryLabels_, nullptr);
        headerRows_ = headerColumns_ = 0;
        return;
    }
    const RangeArea& area = areas.front();
    const int R = area.rows;
    const int C = area.columns;
    int headerRows = 0;
    int headerColumns = 0;
    if (!IsEmptyCell(area.At(0, 0))) {
        for (int r = 0; r < R; ++r) {
            int values = 0;
            for (int c = 0; c < C; ++c) {
                values += HoldsValue(area.At(r, c)) ? 1 : 0;
            }
            if (values >= C / 2) {
                break;
            }
            ++headerRows;
        }
        for (int c = 0; c < C; ++c) {
            int values = 0;
            for (int r = 0; r < R; ++r) {
                values += HoldsValue(area.At(r, c)) ? 1 : 0;
            }
            if (values >= R / 2) {
                break;
            }
            ++headerColumns;
        }
    } else {
        int first = -1;
        for (int c = 1; c < C; ++c) {
            if (!IsEmptyCell(area.At(0, c))) {
                first = c;
                break;
            }
        }
        if (first > 0 && first < C - 1) {
            headerColumns = first;
        } else {
            bool restEmpty = true;
            for (int r = 1; r < R && restEmpty; ++r) {
                for (int c = 0; c < C; ++c) {
                    if (!IsEmptyCell(area.At(r, c))) {
                        restEmpty = false;
                        break;
                    }
                }
            }
            headerColumns = restEmpty ? 0 : 1;
        }
        headerRows = 1;
        for (int r = 1; r < R; ++r) {
            bool found = false;
            for (int c = 0; c < headerColumns; ++c) {
                found = found || !IsEmptyCell(area.At(r, c));
            }
            if (found) {
                headerRows = r;
                break;
            }
        }
    }
    if (R == 1) {
        headerRows = 0;
    }
    headerRows_ = headerRows;
    headerColumns_ = headerColumns;
    const int blockRows = R - headerRows;
    const int blockColumns = C - headerColumns;
    const bool hasBlock = blockRows > 0 && blockColumns > 0;
    dataBlock_.RefreshParameter(
        hasBlock ? link.MakeSubRange(*range, 0, headerRows, headerColumns, blockRows, blockColumns) : nullptr,
        false);

    if (newRange && orientationHeuristic_) {
        orientation_ = hasBlock ? DecideOrientation(blockRows, blockColumns) : kSeriesInRows;
    }

    const model::RangeHandle* labels = nullptr;
    const model::RangeHandle* names = nullptr;
    if (hasBlock && orientation_ == kSeriesInColumns) {
        if (headerColumns > 0) {
            labels = link.MakeSubRange(*range, 0, headerRows, headerColumns - 1, blockRows, 1);
        }
        if (headerRows > 0) {
            names = link.MakeSubRange(*range, 0, headerRows - 1, headerColumns, 1, blockColumns);
        }
    } else if (hasBlock) {
        if (headerRows > 0) {
            labels = link.MakeSubRange(*range, 0, headerRows - 1, headerColumns, 1, blockColumns);
        }
        if (headerColumns > 0) {
            names = link.MakeSubRange(*range, 0, headerRows, headerColumns - 1, blockRows, 1);
        }
    }
    Bind(categoryLabels_, labels);
    Bind(seriesNamesRange_, names);
}

int CChartData::DecideOrientation(int blockRows, int blockColumns) const
{
    if (kind_ != kBubble) {
        return blockColumns < blockRows ? kSeriesInColumns : kSeriesInRows;
    }
    const bool oddRows = blockRows % 2 == 1;
    const bool oddColumns = blockColumns % 2 == 1;
    int orientation = kSeriesInRows;
    if (oddRows && !oddColumns) {
        orientation = kSeriesInRows;
    } else if (oddColumns && !oddRows) {
        orientation = kSeriesInColumns;
    } else {
        orientation = blockColumns < blockRows ? kSeriesInColumns : kSeriesInRows;
    }
    if ((blockRows == 1 && blockColumns == 3) || (blockRows == 3 && blockColumns == 1)) {
        orientation = orientation == kSeriesInRows ? kSeriesInColumns : kSeriesInRows;
    }
    return orientation;
}

void CChartData::BuildSeries()
{
    ClearSeries();
    nextSeries_ = 1;
    IModelLink& link = GetModelLink();
    const model::RangeHandle* block = dataBlock_.GetRangePtr();
    std::vector<RangeArea> areas = block ? link.ReadRange(*block) : std::vector<RangeArea>();
    if (!block || areas.empty()) {
        return;
    }
    const RangeArea& area = areas.front();
    const bool rows = orientation_ != kSeriesInColumns;
    const int lineCount = rows ? area.rows : area.columns;
    auto line = [&](int i) {
        return rows ? link.MakeSubRange(*block, 0, i, 0, 1, area.columns)
                    : link.MakeSubRange(*block, 0, 0, i, area.rows, 1);
    };
    switch (kind_) {
    case kPie:
    case kCategory:
        for (int i = 0; i < lineCount; ++i) {
            AddSeries(line(i), nullptr, nullptr);
        }
        break;
    case kXY:
        if (lineCount == 1) {
            AddSeries(nullptr, line(0), nullptr);
        } else {
            for (int i = 1; i < lineCount; ++i) {
                AddSeries(line(0), line(i), nullptr);
            }
        }
        break;
    case kBubble:
        if (lineCount < 2) {
            break;
        }
        if (lineCount % 2 == 0) {
            for (int i = 0; i + 1 < lineCount; i += 2) {
                AddSeries(nullptr, line(i), line(i + 1));
            }
        } else {
            for (int i = 1; i + 1 < lineCount; i += 2) {
                AddSeries(line(0), line(i), line(i + 1));
            }
        }
        break;
    }

    const model::RangeHandle* names = seriesNamesRange_.GetRangePtr();
    std::vector<RangeArea> nameAreas = names ? link.ReadRange(*names) : std::vector<RangeArea>();
    const RangeArea* nameArea = nameAreas.empty() ? nullptr : &nameAreas.front();
    for (int k = 0; k < GetSeriesCount(); ++k) {
        CChartSeries& series = *GetSeries(k);
        const CellValue* cell = nullptr;
        const model::RangeHandle* cellRange = nullptr;
        if (nameArea) {
            bool column = nameArea->columns == 1;
            cell = column ? nameArea->At(k, 0) : nameArea->At(0, k);
            if (cell) {
                cellRange = column ? link.MakeSubRange(*names, 0, k, 0, 1, 1)
                                   : link.MakeSubRange(*names, 0, 0, k, 1, 1);
            }
        }
        if (cell) {
            series.GetNameBinding().RefreshParameter(cellRange, false);
            series.SetName(cell->text, false);
        } else {
            char name[32];
            std::snprintf(name, sizeof name, "Series%d", nextSeries_++);
            series.SetName(name, false);
        }
    }
}

void CChartData::PublishSeries(CCellBinding& binding)
{
    IModelLink& link = GetModelLink();
    auto index = [&](CCellBinding& b) { return b.GetRangePtr() ? link.FindRange(*b.GetRangePtr()) : -1; };
    std::vector<std::int32_t>& recorded = binding.GetRecordedRanges();
    recorded.assign(1, index(dataRange_));
    std::vector<const model::RangeHandle*> cells;
    for (const auto& series : series_) {
        for (CCellBinding* part : {&series->GetValues(), &series->GetYValues(), &series->GetSizes()}) {
            const int at = index(*part);
            recorded.push_back(at);
            if (at >= 0) {
                cells.push_back(part->GetRangePtr());
            }
        }
    }
    // The binding's own range covers every cell of the series, for the data files and the
    // write-back; the value itself is read series by series from the recorded ranges. Series on
    // several sheets make no range of one sheet: the first series' cells stand for them.
    const model::RangeHandle* all = link.MakeUnionRange(cells);
    if (!all && !cells.empty()) {
        all = cells.front();
    }
    if (all) {
        Bind(binding, all);
        return;
    }
    // No series has cells: the chart shows nothing rather than the values it had last.
    Bind(binding, nullptr);
    binding.GetValue().ClearElements();
}

void CChartData::UpdateParameters()
{
    IModelLink& link = GetModelLink();
    std::vector<std::string> names;
    for (const auto& series : series_) {
        names.push_back(series->GetName());
    }
    if (seriesNames_) {
        if (seriesNames_->GetType() == ParamType::CellBinding && seriesNamesRange_.GetRangePtr()) {
            Bind(seriesNames_, seriesNamesRange_.GetRangePtr());
        } else {
            SetTexts(*seriesNames_, names);
        }
    }
    if (dataValues_ && dataValues_->GetType() == ParamType::CellBinding) {
        PublishSeries(*dataValues_->GetBinding());
    }
    const int count = GetSeriesCount();
    if (CParameter* alerts = GetParameter("alertsEnabled")) {
        if (chartType_ == "combo") {
            if (count == 1) {
                alerts->SetBool(false);
                alerts->SetEnabled(true);
            } else {
                alerts->SetEnabled(false);
            }
        } else if (count > 1) {
            alerts->SetBool(false);
            alerts->SetEnabled(false);
        } else {
            alerts->SetEnabled(true);
        }
    }
    if (CParameter* legend = GetParameter("showLegend")) {
        if (kind_ != kPie && legendHeuristic_) {
            legend->SetBool(count > 1);
        }
    }
    link.ModelLinksChanged();
}
