#pragma once

#include "model/CellBinding.h"

#include <memory>
#include <string>
#include <vector>

namespace model {
class RangeHandle;
}
class CParameter;
class CParameterSet;

// One series of a chart: a name and the cell bindings of its name, values, Y values and sizes.
class CChartSeries {
public:
    CChartSeries();

    const std::string& GetName() const { return name_; }
    // With refresh the name binding's value is re-read from its cell.
    void SetName(const std::string& name, bool refresh);
    // When the name binding has a range, the name becomes the text of its first cell.
    void Refresh();

    CCellBinding& GetNameBinding() { return nameBinding_; }
    CCellBinding& GetValues() { return values_; }
    CCellBinding& GetYValues() { return yValues_; }
    CCellBinding& GetSizes() { return sizes_; }

private:
    std::string name_;
    CCellBinding nameBinding_;
    CCellBinding values_;
    CCellBinding yValues_;
    CCellBinding sizes_;
};

// The data model of one chart component, built by its General page from the data range the
// user picks: the data block, category labels, series names and series.
class CChartData {
public:
    enum Kind { kPie = 0, kCategory = 1, kXY = 2, kBubble = 3 };
    enum Orientation { kUndecided = 0, kSeriesInRows = 1, kSeriesInColumns = 2 };

    CChartData();
    ~CChartData();

    // True when the set (or one of its groups) holds "chartType".
    static bool IsChart(const CParameterSet& whole);

    // Stores both sets, reads "chartType" (an unknown text keeps the kind) and finds the
    // parameters of the kind; a missing parameter stays null.
    void SetChartType(CParameterSet* group, CParameterSet* whole);
    // Rebuilds the series from the ranges recorded in the "dataValues" binding: after the
    // data range, three per series (values, Y values, sizes). Values bound straight to cells,
    // with nothing recorded, are the data range and are cut into series line by line.
    void Reload();
    // Cuts the data range into header rows and columns and the data block; decides the
    // orientation for a new range while the heuristic is on.
    void RebuildFromRange(bool newRange);
    void BuildSeries();
    // Series, labels and data into the component's parameters; then "alertsEnabled" and
    // "showLegend" by the number of series. "dataValues" records the data range and every
    // series' ranges and holds each series' values, Y values and sizes from its own cells, as
    // the movie draws them, whether the series were cut from a data range or picked one by one.
    void UpdateParameters();

    int GetKind() const { return kind_; }
    const std::string& GetChartType() const { return chartType_; }
    int GetOrientation() const { return orientation_; }
    void SetOrientation(int orientation) { orientation_ = orientation; }
    bool GetOrientationHeuristic() const { return orientationHeuristic_ != 0; }
    void SetOrientationHeuristic(bool on) { orientationHeuristic_ = on ? 1 : 0; }
    bool GetLegendHeuristic() const { return legendHeuristic_ != 0; }
    void SetLegendHeuristic(bool on) { legendHeuristic_ = on ? 1 : 0; }
    int GetHeaderRows() const { return headerRows_; }
    int GetHeaderColumns() const { return headerColumns_; }

    CCellBinding& GetDataRange() { return dataRange_; }
    CCellBinding& GetDataBlock() { return dataBlock_; }
    CCellBinding& GetSeriesNamesRange() { return seriesNamesRange_; }
    int GetSeriesCount() const { return static_cast<int>(series_.size()); }
    CChartSeries* GetSeries(int index) const;
    // A series without cells, named "Series" and the next series number (which then counts
    // on), appended to the list.
    CChartSeries& AddNamedSeries();
    // Takes the series out of the list and deletes it; false for an index outside the list.
    bool RemoveSeries(int index);
    int GetNextSeriesNumber() const { return nextSeries_; }
    void SetNextSeriesNumber(int number) { nextSeries_ = number; }

    CParameter* GetParameter(const char* name) const;

private:
    void ClearSeries();
    // Series in rows or in columns for a data block of that size, by the chart's kind.
    int DecideOrientation(int blockRows, int blockColumns) const;
    void PublishSeries(CCellBinding& binding);
    CChartSeries& AddSeries(const model::RangeHandle* values, const model::RangeHandle* yValues, const model::RangeHandle* sizes);

    int kind_ = kCategory;
    std::string chartType_;
    CParameterSet* group_ = nullptr;
    CParameterSet* whole_ = nullptr;
    CParameter* seriesNames_ = nullptr;
    CParameter* categoryLabels_ = nullptr;
    CParameter* chartTitle_ = nullptr;
    CParameter* chartSubTitle_ = nullptr;
    CParameter* xAxisTitle_ = nullptr;
    CParameter* yAxisTitle_ = nullptr;
    CParameter* dataValues_ = nullptr;
    CCellBinding dataRange_;
    CCellBinding dataBlock_;
    CCellBinding seriesNamesRange_;
    std::vector<std::unique_ptr<CChartSeries>> series_;
    int orientation_ = kUndecided;
    std::uint8_t orientationHeuristic_ = 1;
    std::uint8_t legendHeuristic_ = 1;
    int nextSeries_ = 1;
    int headerRows_ = 0;
    int headerColumns_ = 0;
};
