#include "model/GlobalStyle.h"

#include "base/ModelError.h"
#include "model/FileBytes.h"

#include <cstdint>
#include <pugixml.hpp>

#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <sstream>

using namespace model;

namespace {

// Twelve base hues, then lighter and darker turns of them.
const std::uint32_t kSeriesDefaults[kSeriesColorCount] = {
    0x3366CC, 0xDC3912, 0xFF9900, 0x109618, 0x990099, 0x0099C6, 0xDD4477, 0x66AA00, 0xB82E2E, 0x316395,
    0x994499, 0x22AA99, 0xAAAA11, 0x6633CC, 0xE67300, 0x8B0707, 0x651067, 0x329262, 0x5574A6, 0x3B3EAC,
    0xB77322, 0x16D620, 0xB91383, 0xF4359E, 0x9C5935, 0xA9C413, 0x2A778D, 0x668D1C, 0xBEA413, 0x0C5922,
};

void AxisDefaults(StyleAxis& a)
{
    a.showAxis = true;
    a.showLabels = true;
    a.showMajorTicks = true;
    a.showMinorTicks = false;
    a.axisColor = 0x666666;
    a.axisWeight = 1;
    a.titleTextFormat = CTextFormat("Verdana", 12);
    a.labelTextFormat = CTextFormat("Verdana", 10);
}

std::string ColorText(std::uint32_t c)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%06X", static_cast<unsigned>(c & 0xFFFFFF));
    return buffer;
}

class XmlError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::uint32_t ParseColor(const char* text, const std::string& where)
{
    const char* p = text;
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
        p += 2;
    } else if (p[0] == '#') {
        p += 1;
    }
    errno = 0;
    char* end = nullptr;
    unsigned long value = std::strtoul(p, &end, 16);
    if (end == p || *end != '\0' || errno == ERANGE || value > 0xFFFFFF) {
        throw XmlError(where + ": bad colour \"" + text + "\"");
    }
    return static_cast<std::uint32_t>(value);
}

std::int32_t ParseInt(const char* text, const std::string& where)
{
    errno = 0;
    char* end = nullptr;
    long long value = std::strtoll(text, &end, 10);
    if (end == text || *end != '\0' || errno == ERANGE || value < INT32_MIN || value > INT32_MAX) {
        throw XmlError(where + ": bad integer \"" + text + "\"");
    }
    return static_cast<std::int32_t>(value);
}

bool ParseBool(const char* text, const std::string& where)
{
    std::string t(text);
    if (t == "true" || t == "1") {
        return true;
    }
    if (t == "false" || t == "0") {
        return false;
    }
    throw XmlError(where + ": bad boolean \"" + t + "\"");
}

void WriteTextFormat(pugi::xml_node node, const CTextFormat& f)
{
    node.append_attribute("font") = f.GetFont().c_str();
    node.append_attribute("size") = std::to_string(f.GetSize()).c_str();
    node.append_attribute("bold") = f.GetBold() ? "true" : "false";
    node.append_attribute("italic") = f.GetItalic() ? "true" : "false";
    node.append_attribute("underline") = f.GetUnderline() ? "true" : "false";
    node.append_attribute("color") = ColorText(f.GetColor()).c_str();
}

void ReadTextFormat(pugi::xml_node node, CTextFormat& f, const std::string& where)
{
    if (pugi::xml_attribute a = node.attribute("font")) {
        f.SetFont(a.value());
    }
    if (pugi::xml_attribute a = node.attribute("size")) {
        f.SetSize(ParseInt(a.value(), where + "/size"));
    }
    if (pugi::xml_attribute a = node.attribute("bold")) {
        f.SetBold(ParseBool(a.value(), where + "/bold"));
    }
    if (pugi::xml_attribute a = node.attribute("italic")) {
        f.SetItalic(ParseBool(a.value(), where + "/italic"));
    }
    if (pugi::xml_attribute a = node.attribute("underline")) {
        f.SetUnderline(ParseBool(a.value(), where + "/underline"));
    }
    if (pugi::xml_attribute a = node.attribute("color")) {
        f.SetColor(ParseColor(a.value(), where + "/color"));
    }
}

// Each field is one child element named by its key.
struct XmlWriter {
    pugi::xml_node parent;
    void Color(const char* key, std::uint32_t v) { parent.append_child(key).text() = ColorText(v).c_str(); }
    void Int(const char* key, std::int32_t v) { parent.append_child(key).text() = std::to_string(v).c_str(); }
    void Bool(const char* key, bool v) { parent.append_child(key).text() = v ? "true" : "false"; }
    void Text(const char* key, const CTextFormat& v) { WriteTextFormat(parent.append_child(key), v); }
};

// Fields missing from the file keep the built-in values the reader starts from.
struct XmlReader {
    pugi::xml_node parent;
    std::string where;
    void Color(const char* key, std::uint32_t& v) { Read(key, v, ParseColor); }
    void Int(const char* key, std::int32_t& v) { Read(key, v, ParseInt); }
    void Bool(const char* key, bool& v) { Read(key, v, ParseBool); }
    void Text(const char* key, CTextFormat& v)
    {
        if (pugi::xml_node n = parent.child(key)) {
            ReadTextFormat(n, v, where + "/" + key);
        }
    }

    template <class T, class Parse> void Read(const char* key, T& v, Parse parse)
    {
        if (pugi::xml_node n = parent.child(key)) {
            v = parse(n.text().get(), where + "/" + key);
        }
    }
};

// Every field of a group as text, in field order, for comparing two records.
struct Collector {
    std::vector<std::string> values;
    void Color(const char*, std::uint32_t v) { values.push_back(ColorText(v)); }
    void Int(const char*, std::int32_t v) { values.push_back(std::to_string(v)); }
    void Bool(const char*, bool v) { values.push_back(v ? "1" : "0"); }
    void Text(const char*, const CTextFormat& v)
    {
        values.push_back(v.GetFont() + "/" + std::to_string(v.GetSize()) + "/" + (v.GetBold() ? "b" : "") +
                         (v.GetItalic() ? "i" : "") + (v.GetUnderline() ? "u" : "") + "/" +
                         ColorText(v.GetColor()));
    }
};

template <class G> bool GroupsEqual(const G& a, const G& b)
{
    Collector left, right;
    VisitFields(a, left);
    VisitFields(b, right);
    return left.values == right.values;
}

} // namespace

CGlobalStyle::CGlobalStyle() : name("Default")
{
    SetDefaults();
}

void CGlobalStyle::SetDefaults()
{
    modified = false;
    customColors.fill(0xFFFFFF);
    useDefaultStyle = 0;

    globalColors.border = 0x666666;
    globalColors.fill = 0xF0F0F0;
    globalColors.marker = 0x3366CC;
    globalColors.value = 0x333333;
    globalColors.transparency = 0;
    globalColors.titleTextFormat = CTextFormat("Verdana", 14);
    globalColors.labelTextFormat = CTextFormat("Verdana", 11);
    globalColors.colorEnable = false;
    globalColors.bgArt = true;

    selectors.titleTextFormat = CTextFormat("Verdana", 14);
    selectors.labelTextFormat = CTextFormat("Verdana", 11);
    selectors.mouseOverTextColor = 0x000000;
    selectors.selectedTextColor = 0xFFFFFF;
    selectors.defaultFillColor = 0xFFFFFF;
    selectors.selectedFillColor = 0x3366CC;
    selectors.mouseOverFillColor = 0xDDE6F5;
    selectors.thumbColor = 0x999999;
    selectors.defaultColor = 0xCCCCCC;
    selectors.selectedColor = 0x3366CC;
    selectors.selectableFillColor = 0xF5F5F5;
    selectors.borderColor = 0x666666;
    selectors.fillColor = 0xFFFFFF;
    selectors.labelAlpha = 100;
    selectors.useDefaultArt = true;
    selectors.useBGLabelArt = false;
    selectors.showBorder = true;
    selectors.showFill = true;

    singleVals.titleTextFormat = CTextFormat("Verdana", 14);
    singleVals.valueTextFormat = CTextFormat("Verdana", 12);
    singleVals.minMaxTextFormat = CTextFormat("Verdana", 10);
    singleVals.ticksEnabled = true;
    singleVals.useCustomColor = false;
    singleVals.tickColor = 0x666666;
    singleVals.customColor = 0x3366CC;

    StyleCharts& c = charts;
    AxisDefaults(c.XAxis);
    AxisDefaults(c.YAxis);
    for (int i = 0; i < kSeriesColorCount; ++i) {
        c.series[static_cast<std::size_t>(i)] = {kSeriesDefaults[i], kSeriesDefaults[i], kSeriesDefaults[i]};
    }
    c.useMarkerArt = true;
    c.plotAlpha = 100;
    c.showValues = false;
    c.valueTextFormat = CTextFormat("Verdana", 10);
    c.titleTextFormat = CTextFormat("Verdana", 16);
    c.subTitleTextFormat = CTextFormat("Verdana", 12);
    c.legendTextFormat = CTextFormat("Verdana", 10);
    c.showTitleBorder = false;
    c.showTitleFill = false;
    c.showLegendBorder = true;
    c.showLegendFill = true;
    c.titleBorderColor = 0x666666;
    c.titleFillColor = 0xFFFFFF;
    c.legendBorderColor = 0x666666;
    c.legendFillColor = 0xFFFFFF;
    c.titleBorderWeight = 1;
    c.legendBorderWeight = 1;
    c.useBackgroundArt = true;
    c.showChartBorder = true;
    c.showChartFill = true;
    c.showPlotBorder = false;
    c.showPlotFill = false;
    c.chartBorderColor = 0x666666;
    c.chartFillColor = 0xFFFFFF;
    c.plotBorderColor = 0x999999;
    c.plotFillColor = 0xFFFFFF;
    c.chartBorderWeight = 1;
    c.plotMargin = 10;
    c.plotBorderWeight = 1;
    c.showHMajGrid = true;
    c.showHMinGrid = false;
    c.showVMajGrid = false;
    c.showVMinGrid = false;
    c.hMajGridColor = 0xCCCCCC;
    c.hMinGridColor = 0xEEEEEE;
    c.vMajGridColor = 0xCCCCCC;
    c.vMinGridColor = 0xEEEEEE;
    c.hMajWeight = 1;
    c.hMinWeight = 1;
    c.vMajWeight = 1;
    c.vMinWeight = 1;
}

bool CGlobalStyle::operator==(const CGlobalStyle& o) const
{
    if (name != o.name || modified != o.modified || customColors != o.customColors ||
        useDefaultStyle != o.useDefaultStyle) {
        return false;
    }
    for (int i = 0; i < kSeriesColorCount; ++i) {
        const auto& a = charts.series[static_cast<std::size_t>(i)];
        const auto& b = o.charts.series[static_cast<std::size_t>(i)];
        if (a.line != b.line || a.marker != b.marker || a.pie != b.pie) {
            return false;
        }
    }
    return GroupsEqual(globalColors, o.globalColors) && GroupsEqual(selectors, o.selectors) &&
           GroupsEqual(singleVals, o.singleVals) && GroupsEqual(charts, o.charts) &&
           GroupsEqual(charts.XAxis, o.charts.XAxis) && GroupsEqual(charts.YAxis, o.charts.YAxis);
}

std::string CGlobalStyle::SaveToText() const
{
    pugi::xml_document doc;
    pugi::xml_node root = doc.append_child("VantorelStyle");
    root.append_attribute("useDefaultStyle") = std::to_string(useDefaultStyle).c_str();
    pugi::xml_node palette = root.append_child("Palette");
    for (std::uint32_t c : customColors) {
        palette.append_child("color").text() = ColorText(c).c_str();
    }
    XmlWriter w{root.append_child("GlobalColors")};
    VisitFields(globalColors, w);
    w.parent = root.append_child("Selectors");
    VisitFields(selectors, w);
    w.parent = root.append_child("SingleVals");
    VisitFields(singleVals, w);
    pugi::xml_node chartsNode = root.append_child("Charts");
    w.parent = chartsNode.append_child("XAxis");
    VisitFields(charts.XAxis, w);
    w.parent = chartsNode.append_child("YAxis");
    VisitFields(charts.YAxis, w);
    w.parent = chartsNode;
    VisitFields(charts, w);
    for (int i = 0; i < kSeriesColorCount; ++i) {
        const StyleSeriesColors& s = charts.series[static_cast<std::size_t>(i)];
        pugi::xml_node n = chartsNode.append_child("Series");
        n.append_attribute("index") = i;
        n.append_attribute("line") = ColorText(s.line).c_str();
        n.append_attribute("marker") = ColorText(s.marker).c_str();
        n.append_attribute("pie") = ColorText(s.pie).c_str();
    }
    std::ostringstream out;
    doc.save(out, "  ", pugi::format_default, pugi::encoding_utf8);
    return out.str();
}

bool CGlobalStyle::LoadFromText(const std::string& xml, std::string* error)
{
    auto fail = [&](const std::string& why) {
        if (error) {
            *error = why;
        }
        return false;
    };
    pugi::xml_document doc;
    pugi::xml_parse_result parsed = doc.load_buffer(xml.data(), xml.size());
    if (!parsed) {
        return fail(std::string("style file: ") + parsed.description() + " at offset " +
                    std::to_string(parsed.offset));
    }
    pugi::xml_node root = doc.child("VantorelStyle");
    if (!root) {
        return fail("style file: no VantorelStyle element");
    }
    CGlobalStyle style;
    style.SetDefaults();
    style.name = name;
    style.modified = modified;
    try {
        if (pugi::xml_attribute a = root.attribute("useDefaultStyle")) {
            style.useDefaultStyle = ParseInt(a.value(), "useDefaultStyle") != 0;
        }
        int i = 0;
        for (pugi::xml_node c : root.child("Palette").children("color")) {
            if (i == kCustomColorCount) {
                throw XmlError("Palette: more than 16 colours");
            }
            style.customColors[static_cast<std::size_t>(i++)] = ParseColor(c.text().get(), "Palette");
        }
        XmlReader r{root.child("GlobalColors"), "GlobalColors"};
        VisitFields(style.globalColors, r);
        r = {root.child("Selectors"), "Selectors"};
        VisitFields(style.selectors, r);
        r = {root.child("SingleVals"), "SingleVals"};
        VisitFields(style.singleVals, r);
        pugi::xml_node chartsNode = root.child("Charts");
        r = {chartsNode.child("XAxis"), "Charts/XAxis"};
        VisitFields(style.charts.XAxis, r);
        r = {chartsNode.child("YAxis"), "Charts/YAxis"};
        VisitFields(style.charts.YAxis, r);
        r = {chartsNode, "Charts"};
        VisitFields(style.charts, r);
        for (pugi::xml_node s : chartsNode.children("Series")) {
            std::int32_t index = ParseInt(s.attribute("index").value(), "Charts/Series/index");
            if (index < 0 || index >= kSeriesColorCount) {
                throw XmlError("Charts/Series: index " + std::to_string(index) + " out of range");
            }
            StyleSeriesColors& colors = style.charts.series[static_cast<std::size_t>(index)];
            if (pugi::xml_attribute a = s.attribute("line")) {
                colors.line = ParseColor(a.value(), "Charts/Series/line");
            }
            if (pugi::xml_attribute a = s.attribute("marker")) {
                colors.marker = ParseColor(a.value(), "Charts/Series/marker");
            }
            if (pugi::xml_attribute a = s.attribute("pie")) {
                colors.pie = ParseColor(a.value(), "Charts/Series/pie");
            }
        }
    } catch (const XmlError& e) {
        return fail(std::string("style file: ") + e.what());
    }
    *this = style;
    return true;
}

bool CGlobalStyle::Load(const std::string& path, std::string* error)
{
    std::string file = path + ".vgs";
    std::FILE* f = std::fopen(file.c_str(), "rb");
    if (!f) {
        if (error) {
            *error = "cannot open " + file;
        }
        return false;
    }
    std::string text;
    char chunk[4096];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0 && text.size() < (std::size_t(16) << 20)) {
        text.append(chunk, n);
    }
    std::fclose(f);
    std::string why;
    if (!LoadFromText(text, &why)) {
        if (error) {
            *error = file + ": " + why;
        }
        return false;
    }
    return true;
}

bool CGlobalStyle::Save(const std::string& path, std::string* error) const
{
    std::string file = path + ".vgs";
    std::string text = SaveToText();
    bool ok = model::WriteFileBytes(file, std::vector<std::uint8_t>(text.begin(), text.end()));
    if (!ok && error) {
        *error = "cannot write " + file;
    }
    return ok;
}
