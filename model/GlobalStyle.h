#pragma once

#include "model/TextFormat.h"

#include <array>
#include <cstdint>
#include <string>

// Field groups of the global style record. Each group lists its fields once, in Visit, under
// the keys the style file uses; the file reader and writer, comparison and style application
// all walk that list.
namespace model {

constexpr int kSeriesColorCount = 30;
constexpr int kCustomColorCount = 16;

struct StyleGlobalColors {
    std::uint32_t border, fill, marker, value;
    std::int32_t transparency;
    CTextFormat titleTextFormat, labelTextFormat;
    bool colorEnable, bgArt;
    template <class V> void Visit(V& v)
    {
        v.Color("border", border), v.Color("fill", fill), v.Color("marker", marker), v.Color("value", value);
        v.Int("transparency", transparency);
        v.Text("titleTextFormat", titleTextFormat), v.Text("labelTextFormat", labelTextFormat);
        v.Bool("colorEnable", colorEnable), v.Bool("bgArt", bgArt);
    }
};

struct StyleSelectors {
    CTextFormat titleTextFormat, labelTextFormat;
    std::uint32_t mouseOverTextColor, selectedTextColor, defaultFillColor, selectedFillColor,
        mouseOverFillColor, thumbColor, defaultColor, selectedColor, selectableFillColor, borderColor,
        fillColor;
    std::int32_t labelAlpha;
    bool useDefaultArt, useBGLabelArt, showBorder, showFill;
    template <class V> void Visit(V& v)
    {
        v.Text("titleTextFormat", titleTextFormat), v.Text("labelTextFormat", labelTextFormat);
        v.Color("mouseOverTextColor", mouseOverTextColor), v.Color("selectedTextColor", selectedTextColor);
        v.Color("defaultFillColor", defaultFillColor), v.Color("selectedFillColor", selectedFillColor);
        v.Color("mouseOverFillColor", mouseOverFillColor), v.Color("thumbColor", thumbColor);
        v.Color("defaultColor", defaultColor), v.Color("selectedColor", selectedColor);
        v.Color("selectableFillColor", selectableFillColor), v.Color("borderColor", borderColor);
        v.Color("fillColor", fillColor);
        v.Int("labelAlpha", labelAlpha);
        v.Bool("useDefaultArt", useDefaultArt), v.Bool("useBGLabelArt", useBGLabelArt);
        v.Bool("showBorder", showBorder), v.Bool("showFill", showFill);
    }
};

struct StyleSingleVals {
    CTextFormat titleTextFormat, valueTextFormat, minMaxTextFormat;
    bool ticksEnabled, useCustomColor;
    std::uint32_t tickColor, customColor;
    template <class V> void Visit(V& v)
    {
        v.Text("titleTextFormat", titleTextFormat), v.Text("valueTextFormat", valueTextFormat);
        v.Text("minMaxTextFormat", minMaxTextFormat);
        v.Bool("ticksEnabled", ticksEnabled), v.Bool("useCustomColor", useCustomColor);
        v.Color("tickColor", tickColor), v.Color("customColor", customColor);
    }
};

struct StyleAxis {
    bool showAxis, showLabels, showMajorTicks, showMinorTicks;
    std::uint32_t axisColor;
    std::int32_t axisWeight;
    CTextFormat titleTextFormat, labelTextFormat;
    template <class V> void Visit(V& v)
    {
        v.Bool("showAxis", showAxis), v.Bool("showLabels", showLabels);
        v.Bool("showMajorTicks", showMajorTicks), v.Bool("showMinorTicks", showMinorTicks);
        v.Color("axisColor", axisColor), v.Int("axisWeight", axisWeight);
        v.Text("titleTextFormat", titleTextFormat), v.Text("labelTextFormat", labelTextFormat);
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
    template <class V> void Visit(V& v)
    {
        v.Bool("useMarkerArt", useMarkerArt), v.Int("plotAlpha", plotAlpha), v.Bool("showValues", showValues);
        v.Text("valueTextFormat", valueTextFormat), v.Text("titleTextFormat", titleTextFormat);
        v.Text("subTitleTextFormat", subTitleTextFormat);
        v.Bool("showTitleBorder", showTitleBorder), v.Color("titleBorderColor", titleBorderColor);
        v.Int("titleBorderWeight", titleBorderWeight);
        v.Bool("showTitleFill", showTitleFill), v.Color("titleFillColor", titleFillColor);
        v.Text("legendTextFormat", legendTextFormat);
        v.Bool("showLegendBorder", showLegendBorder), v.Color("legendBorderColor", legendBorderColor);
        v.Int("legendBorderWeight", legendBorderWeight);
        v.Bool("showLegendFill", showLegendFill), v.Color("legendFillColor", legendFillColor);
        v.Bool("useBackgroundArt", useBackgroundArt);
        v.Bool("showChartBorder", showChartBorder), v.Color("chartBorderColor", chartBorderColor);
        v.Int("chartBorderWeight", chartBorderWeight);
        v.Bool("showChartFill", showChartFill), v.Color("chartFillColor", chartFillColor);
        v.Int("plotMargin", plotMargin);
        v.Bool("showPlotBorder", showPlotBorder), v.Color("plotBorderColor", plotBorderColor);
        v.Int("plotBorderWeight", plotBorderWeight);
        v.Bool("showPlotFill", showPlotFill), v.Color("plotFillColor", plotFillColor);
        v.Bool("showHMajGrid", showHMajGrid), v.Color("hMajGridColor", hMajGridColor),
            v.Int("hMajWeight", hMajWeight);
        v.Bool("showHMinGrid", showHMinGrid), v.Color("hMinGridColor", hMinGridColor),
            v.Int("hMinWeight", hMinWeight);
        v.Bool("showVMajGrid", showVMajGrid), v.Color("vMajGridColor", vMajGridColor),
            v.Int("vMajWeight", vMajWeight);
        v.Bool("showVMinGrid", showVMinGrid), v.Color("vMinGridColor", vMinGridColor),
            v.Int("vMinWeight", vMinWeight);
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
