#pragma once

#include "model/TextFormat.h"

#include <array>
#include <cstdint>
#include <string>
#include <type_traits>

// Field groups of the global style record. Each group lists its fields once, in Visit, under
// the keys the style file uses; the file reader and writer, comparison and style application
// all walk that list.
namespace model {

// Walks the fields of a group, const or not.
template <class G, class V> void VisitFields(G& group, V& visitor)
{
    std::remove_const_t<G>::Visit(group, visitor);
}

constexpr int kSeriesColorCount = 30;
constexpr int kCustomColorCount = 16;

struct StyleGlobalColors {
    std::uint32_t border, fill, marker, value;
    std::int32_t transparency;
    CTextFormat titleTextFormat, labelTextFormat;
    bool colorEnable, bgArt;
    template <class Self, class V> static void Visit(Self& s, V& v)
    {
        v.Color("border", s.border), v.Color("fill", s.fill), v.Color("marker", s.marker),
            v.Color("value", s.value);
        v.Int("transparency", s.transparency);
        v.Text("titleTextFormat", s.titleTextFormat), v.Text("labelTextFormat", s.labelTextFormat);
        v.Bool("colorEnable", s.colorEnable), v.Bool("bgArt", s.bgArt);
    }
};

struct StyleSelectors {
    CTextFormat titleTextFormat, labelTextFormat;
    std::uint32_t mouseOverTextColor, selectedTextColor, defaultFillColor, selectedFillColor,
        mouseOverFillColor, thumbColor, defaultColor, selectedColor, selectableFillColor, borderColor,
        fillColor;
    std::int32_t labelAlpha;
    bool useDefaultArt, useBGLabelArt, showBorder, showFill;
    template <class Self, class V> static void Visit(Self& s, V& v)
    {
        v.Text("titleTextFormat", s.titleTextFormat), v.Text("labelTextFormat", s.labelTextFormat);
        v.Color("mouseOverTextColor", s.mouseOverTextColor),
            v.Color("selectedTextColor", s.selectedTextColor);
        v.Color("defaultFillColor", s.defaultFillColor), v.Color("selectedFillColor", s.selectedFillColor);
        v.Color("mouseOverFillColor", s.mouseOverFillColor), v.Color("thumbColor", s.thumbColor);
        v.Color("defaultColor", s.defaultColor), v.Color("selectedColor", s.selectedColor);
        v.Color("selectableFillColor", s.selectableFillColor), v.Color("borderColor", s.borderColor);
        v.Color("fillColor", s.fillColor);
        v.Int("labelAlpha", s.labelAlpha);
        v.Bool("useDefaultArt", s.useDefaultArt), v.Bool("useBGLabelArt", s.useBGLabelArt);
        v.Bool("showBorder", s.showBorder), v.Bool("showFill", s.showFill);
    }
};

struct StyleSingleVals {
    CTextFormat titleTextFormat, valueTextFormat, minMaxTextFormat;
    bool ticksEnabled, useCustomColor;
    std::uint32_t tickColor, customColor;
    template <class Self, class V> static void Visit(Self& s, V& v)
    {
        v.Text("titleTextFormat", s.titleTextFormat), v.Text("valueTextFormat", s.valueTextFormat);
        v.Text("minMaxTextFormat", s.minMaxTextFormat);
        v.Bool("ticksEnabled", s.ticksEnabled), v.Bool("useCustomColor", s.useCustomColor);
        v.Color("tickColor", s.tickColor), v.Color("customColor", s.customColor);
    }
};

struct StyleAxis {
    bool showAxis, showLabels, showMajorTicks, showMinorTicks;
    std::uint32_t axisColor;
    std::int32_t axisWeight;
    CTextFormat titleTextFormat, labelTextFormat;
    template <class Self, class V> static void Visit(Self& s, V& v)
    {
        v.Bool("showAxis", s.showAxis), v.Bool("showLabels", s.showLabels);
        v.Bool("showMajorTicks", s.showMajorTicks), v.Bool("showMinorTicks", s.showMinorTicks);
        v.Color("axisColor", s.axisColor), v.Int("axisWeight", s.axisWeight);
        v.Text("titleTextFormat", s.titleTextFormat), v.Text("labelTextFormat", s.labelTextFormat);
    }
};

// The colours of one chart series: its line, its bars and markers, its pie slice.
struct StyleSeriesColors {
    std::uint32_t line, marker, pie;
};

struct StyleCharts {
    StyleAxis XAxis, YAxis;
    std::array<StyleSeriesColors, kSeriesColorCount> series;
    bool useMarkerArt;
    std::int32_t plotAlpha;
    bool showValues;
    CTextFormat valueTextFormat, titleTextFormat, subTitleTextFormat, legendTextFormat;
    bool showTitleBorder, showTitleFill, showLegendBorder, showLegendFill;
    std::uint32_t titleBorderColor, titleFillColor, legendBorderColor, legendFillColor;
    std::int32_t titleBorderWeight, legendBorderWeight;
    bool useBackgroundArt, showChartBorder, showChartFill, showPlotBorder, showPlotFill;
    std::uint32_t chartBorderColor, chartFillColor, plotBorderColor, plotFillColor;
    std::int32_t chartBorderWeight, plotMargin, plotBorderWeight;
    bool showHMajGrid, showHMinGrid, showVMajGrid, showVMinGrid;
    std::uint32_t hMajGridColor, hMinGridColor, vMajGridColor, vMinGridColor;
    std::int32_t hMajWeight, hMinWeight, vMajWeight, vMinWeight;
    // Axes and series are nested elements of their own and are walked by the callers.
    template <class Self, class V> static void Visit(Self& s, V& v)
    {
        v.Bool("useMarkerArt", s.useMarkerArt), v.Int("plotAlpha", s.plotAlpha),
            v.Bool("showValues", s.showValues);
        v.Text("valueTextFormat", s.valueTextFormat), v.Text("titleTextFormat", s.titleTextFormat);
        v.Text("subTitleTextFormat", s.subTitleTextFormat);
        v.Bool("showTitleBorder", s.showTitleBorder), v.Color("titleBorderColor", s.titleBorderColor);
        v.Int("titleBorderWeight", s.titleBorderWeight);
        v.Bool("showTitleFill", s.showTitleFill), v.Color("titleFillColor", s.titleFillColor);
        v.Text("legendTextFormat", s.legendTextFormat);
        v.Bool("showLegendBorder", s.showLegendBorder), v.Color("legendBorderColor", s.legendBorderColor);
        v.Int("legendBorderWeight", s.legendBorderWeight);
        v.Bool("showLegendFill", s.showLegendFill), v.Color("legendFillColor", s.legendFillColor);
        v.Bool("useBackgroundArt", s.useBackgroundArt);
        v.Bool("showChartBorder", s.showChartBorder), v.Color("chartBorderColor", s.chartBorderColor);
        v.Int("chartBorderWeight", s.chartBorderWeight);
        v.Bool("showChartFill", s.showChartFill), v.Color("chartFillColor", s.chartFillColor);
        v.Int("plotMargin", s.plotMargin);
        v.Bool("showPlotBorder", s.showPlotBorder), v.Color("plotBorderColor", s.plotBorderColor);
        v.Int("plotBorderWeight", s.plotBorderWeight);
        v.Bool("showPlotFill", s.showPlotFill), v.Color("plotFillColor", s.plotFillColor);
        v.Bool("showHMajGrid", s.showHMajGrid), v.Color("hMajGridColor", s.hMajGridColor),
            v.Int("hMajWeight", s.hMajWeight);
        v.Bool("showHMinGrid", s.showHMinGrid), v.Color("hMinGridColor", s.hMinGridColor),
            v.Int("hMinWeight", s.hMinWeight);
        v.Bool("showVMajGrid", s.showVMajGrid), v.Color("vMajGridColor", s.vMajGridColor),
            v.Int("vMajWeight", s.vMajWeight);
        v.Bool("showVMinGrid", s.showVMinGrid), v.Color("vMinGridColor", s.vMinGridColor),
            v.Int("vMinWeight", s.vMinWeight);
    }
};

} // namespace model

// The global style record that the Styles sheet edits and new components take their looks
// from. Style files ("<name>.vgs") hold it as XML (docs/model-records.md).
class CGlobalStyle {
public:
    // The built-in values, named "Default" like the built-in entry of the style list.
    CGlobalStyle();

    void Copy(const CGlobalStyle& other) { *this = other; }
    // Built-in values into every field but the name; clears the modified flag.
    void SetDefaults();

    // path without extension; ".vgs" is appended. On failure the record is unchanged and
    // error (when given) says why.
    bool Load(const std::string& path, std::string* error = nullptr);
    bool Save(const std::string& path, std::string* error = nullptr) const;
    // The XML text itself, for the readers that already hold it.
    bool LoadFromText(const std::string& xml, std::string* error = nullptr);
    std::string SaveToText() const;

    const std::string& GetName() const { return name; }
    // At most 63 characters.
    void SetName(const std::string& text) { name = text.substr(0, 63); }

    std::uint32_t GetBorderColor() const { return globalColors.border; }
    std::uint32_t GetFillColor() const { return globalColors.fill; }
    std::uint32_t GetMarkerColor() const { return globalColors.marker; }
    std::uint32_t GetValueColor() const { return globalColors.value; }
    void SetBorderColor(std::uint32_t c) { globalColors.border = c & 0xFFFFFF; }
    void SetFillColor(std::uint32_t c) { globalColors.fill = c & 0xFFFFFF; }
    void SetMarkerColor(std::uint32_t c) { globalColors.marker = c & 0xFFFFFF; }
    void SetValueColor(std::uint32_t c) { globalColors.value = c & 0xFFFFFF; }

    // Series colours by index modulo 30: the first palette is the bar and marker colours, the
    // second the pie colours; the line colours have their own accessors.
    std::uint32_t GetPaletteColor(int index) const { return charts.series[Wrap(index)].marker; }
    void SetPaletteColor(int index, std::uint32_t c) { charts.series[Wrap(index)].marker = c & 0xFFFFFF; }
    std::uint32_t GetPaletteColor2(int index) const { return charts.series[Wrap(index)].pie; }
    void SetPaletteColor2(int index, std::uint32_t c) { charts.series[Wrap(index)].pie = c & 0xFFFFFF; }
    std::uint32_t GetLineColor(int index) const { return charts.series[Wrap(index)].line; }
    void SetLineColor(int index, std::uint32_t c) { charts.series[Wrap(index)].line = c & 0xFFFFFF; }

    bool operator==(const CGlobalStyle& other) const;

    std::string name;
    bool modified = false;
    std::array<std::uint32_t, model::kCustomColorCount> customColors;
    // 1: new components keep their own looks.
    std::uint8_t useDefaultStyle = 0;
    model::StyleGlobalColors globalColors;
    model::StyleSelectors selectors;
    model::StyleSingleVals singleVals;
    model::StyleCharts charts;

private:
    static std::size_t Wrap(int index)
    {
        int i = index % model::kSeriesColorCount;
        return static_cast<std::size_t>(i < 0 ? i + model::kSeriesColorCount : i);
    }
};
