// How the global style reaches a component's parameters: every field of the style group that
// matches the page kind of the component's "Appearance" group is written into the parameter of
// the same name, wherever it sits among the component's groups; the global colours go to the
// usual "borderColor"/"fillColor" parameters of every component.
#include "model/GlobalStyle.h"
#include "model/ParameterSet.h"

#include <functional>

using namespace model;

namespace {

void ForEachNamed(CParameterSet& set, const char* key, const std::function<void(CParameter&)>& apply,
                  int depth = 0)
{
    if (depth > 16) {
        return;
    }
    for (int i = 0; i < set.GetCount(); ++i) {
        CParameter* p = set.GetAt(i);
        if (p->GetName() == key) {
            apply(*p);
        } else if (p->GetType() == ParamType::Group && p->GetSet()) {
            ForEachNamed(*p->GetSet(), key, apply, depth + 1);
        }
    }
}

void CopyTextFormat(CParameter& target, const CTextFormat& format)
{
    CParameterSet* set = target.GetSet();
    if (!set) {
        return;
    }
    for (int i = 0; i < format.GetCount(); ++i) {
        const CParameter* source = format.GetAt(i);
        CParameter* field = set->FindParameter(source->GetName());
        if (!field) {
            continue;
        }
        switch (source->GetType()) {
        case ParamType::Text:
            field->SetString(source->GetString());
            break;
        case ParamType::Integer:
            field->SetInt(source->GetInt());
            break;
        case ParamType::Boolean:
            field->SetBool(source->GetBool());
            break;
        case ParamType::Color:
            field->SetColor(source->GetColor());
            break;
        default:
            break;
        }
    }
}

// Writes a style field into same-named parameters when their types agree; a parameter of
// another type keeps its value.
struct Applier {
    CParameterSet& set;
    const std::string prefix;
    std::string Key(const char* key) const { return prefix + key; }
    void Color(const char* key, std::uint32_t v)
    {
        ForEachNamed(set, Key(key).c_str(), [&](CParameter& p) { p.SetColor(v); });
    }
    void Int(const char* key, std::int32_t v)
    {
        ForEachNamed(set, Key(key).c_str(), [&](CParameter& p) { p.SetInt(v); });
    }
    void Bool(const char* key, bool v)
    {
        ForEachNamed(set, Key(key).c_str(), [&](CParameter& p) { p.SetBool(v); });
    }
    void Text(const char* key, const CTextFormat& v)
    {
        ForEachNamed(set, Key(key).c_str(), [&](CParameter& p) { CopyTextFormat(p, v); });
    }
};

// A chart's framed parts (title box, legend box, chart area, plot area) keep their switches,
// colours and weight in nested sets of these keys; the style's fields for the part go there,
// over the global border and fill colours every "borderColor" and "fillColor" took.
void ApplyFrame(CParameterSet& set, const char* name, bool showBorder, std::uint32_t borderColor,
                std::int32_t borderWeight, bool showFill, std::uint32_t fillColor)
{
    ForEachNamed(set, name, [&](CParameter& frame) {
        if (CParameterSet* inner = frame.GetSet()) {
            Applier apply{*inner, ""};
            apply.Bool("showBorder", showBorder);
            apply.Color("borderColor", borderColor);
            apply.Int("borderWeight", borderWeight);
            apply.Bool("showFill", showFill);
            apply.Color("fillColor", fillColor);
        }
    });
}

} // namespace

void CParameterSet::ApplyGlobalStyle(const CGlobalStyle& style)
{
    CParameter* appearance = FindParameter("Appearance");
    int kind = appearance && appearance->GetSet() ? appearance->GetSet()->GetPageKind() : kPageDefault;

    ForEachNamed(*this, "borderColor", [&](CParameter& p) { p.SetColor(style.GetBorderColor()); });
    ForEachNamed(*this, "fillColor", [&](CParameter& p) { p.SetColor(style.GetFillColor()); });

    Applier apply{*this, ""};
    switch (kind) {
    case kPageSelector:
    case kPageSelector2:
    case kPageTable:
        VisitFields(style.selectors, apply);
        break;
    case kPageSingleValue:
        VisitFields(style.singleVals, apply);
        break;
    case kPageChartData: {
        VisitFields(style.charts, apply);
        Applier x{*this, "XAxis"};
        Applier y{*this, "YAxis"};
        // Chart parameters spell the axis fields with the axis in front ("XAxisColor").
        ForEachNamed(*this, "XAxisColor", [&](CParameter& p) { p.SetColor(style.charts.XAxis.axisColor); });
        ForEachNamed(*this, "YAxisColor", [&](CParameter& p) { p.SetColor(style.charts.YAxis.axisColor); });
        x.Text("TitleTextFormat", style.charts.XAxis.titleTextFormat);
        y.Text("TitleTextFormat", style.charts.YAxis.titleTextFormat);
        x.Text("TextFormat", style.charts.XAxis.labelTextFormat);
        y.Text("TextFormat", style.charts.YAxis.labelTextFormat);
        const auto& c = style.charts;
        ApplyFrame(*this, "chartTitleProps", c.showTitleBorder, c.titleBorderColor, c.titleBorderWeight,
                   c.showTitleFill, c.titleFillColor);
        ApplyFrame(*this, "legendProps", c.showLegendBorder, c.legendBorderColor, c.legendBorderWeight,
                   c.showLegendFill, c.legendFillColor);
        ApplyFrame(*this, "backgroundProps", c.showChartBorder, c.chartBorderColor, c.chartBorderWeight,
                   c.showChartFill, c.chartFillColor);
        ApplyFrame(*this, "plotAreaProps", c.showPlotBorder, c.plotBorderColor, c.plotBorderWeight, c.showPlotFill,
                   c.plotFillColor);
        apply.Int("chartMargin", c.plotMargin);
        // Horizontal gridlines belong to the value (Y) axis, vertical ones to the X axis.
        apply.Bool("showYAxisMajor", c.showHMajGrid), apply.Color("YAxisMajorColor", c.hMajGridColor);
        apply.Int("YAxisMajorWeight", c.hMajWeight);
        apply.Bool("showYAxisMinor", c.showHMinGrid), apply.Color("YAxisMinorColor", c.hMinGridColor);
        apply.Int("YAxisMinorWeight", c.hMinWeight);
        apply.Bool("showXAxisMajor", c.showVMajGrid), apply.Color("XAxisMajorColor", c.vMajGridColor);
        apply.Int("XAxisMajorWeight", c.vMajWeight);
        apply.Bool("showXAxisMinor", c.showVMinGrid), apply.Color("XAxisMinorColor", c.vMinGridColor);
        apply.Int("XAxisMinorWeight", c.vMinWeight);
        break;
    }
    case kPageBg:
        VisitFields(style.globalColors, apply);
        // A background's Appearance page keeps the fill it draws in "backColor": the style's
        // fill goes there as well as into "fillColor", or it would never show.
        apply.Color("backColor", style.GetFillColor());
        break;
    default:
        VisitFields(style.globalColors, apply);
        break;
    }
}
