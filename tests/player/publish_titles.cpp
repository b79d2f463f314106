// Writes a dashboard of components whose titles the component movies draw: a column chart
// titled "Revenue by region", a gauge titled "Gauge" and a horizontal slider at its catalogue
// size titled "Slider", each in the default title fonts, and a list box titled "Grouping" with
// its title set below its rows. The probe reports, for each title, its text field's rectangle
// on the stage, the top of the slider's bar and the bottom of the list box's rows.

#include "tests/player/ComponentDashboard.h"

namespace {

const char* kProbe = R"(
_global.KVProbe = function () { this.kvFrames = 0; };
KVProbe.prototype = new MovieClip();
// The rectangle of the clip's title field on the stage: "x,y,w,h".
KVProbe.prototype.kvTitleRect = function (clip) {
    var f = clip.kvTitle;
    return (clip._x + f._x) + "," + (clip._y + f._y) + "," + f._width + "," + f._height;
};
KVProbe.prototype.onEnterFrame = function () {
    if (++this.kvFrames != 3)
        return;
    var chart = _root.KVColumnChartSymbol_1, gauge = _root.KVGaugeSymbol_1, slider = _root.KVSliderHSymbol_1;
    fscommand("texts", chart.kvFields.kvTitle + "|" + gauge.kvFields.kvTitle + "|" + slider.kvFields.kvTitle);
    var list = _root.KVListBoxSymbol_1;
    fscommand("list", list.kvFields.kvTitle + "|" + list.kvH + "|" + list.titlePosition);
    fscommand("ready", this.kvTitleRect(chart) + "/" + this.kvTitleRect(gauge) + "/" + this.kvTitleRect(slider) + "/"
              + (slider._y + slider.kvTrackAcross - 2) + "/" + this.kvTitleRect(list) + "/"
              + (list._y + list.kvRows.getBounds(list).yMax) + "," + (list._y + list.kvH));
};
Object.registerClass("KVProbeSymbol", KVProbe);
)";

} // namespace

int main(int argc, char** argv)
{
    return dashboardtest::WriteMovies(argc, argv, [](dashboardtest::Installation& installed,
                                                    const std::filesystem::path& folder) {
        dashboardtest::Dashboard d(installed);
        d.model.Number("A1", 40);
        CComponent& chart = d.Add("KVColumnChartSymbol", 200, 200, 5200, 3600);
        CComponent& gauge = d.Add("KVGaugeSymbol", 5600, 200, 2200, 2600);
        CComponent& slider = d.Add("KVSliderHSymbol", 200, 4200, 4000, 1000);
        CComponent& list = d.Add("KVListBoxSymbol", 5600, 3200, 2200, 2400);
        // The titles come from cells, as a person links them.
        d.model.Text("B1", "Revenue by region");
        d.model.Text("B2", "Gauge");
        d.model.Text("B3", "Slider");
        d.Bind(chart, "General", "chartTitle", "B1", "B1");
        d.Bind(gauge, "General", "title", "B2", "B2");
        d.Bind(slider, "General", "title", "B3", "B3");
        d.model.Text("B4", "Grouping");
        d.Bind(list, "General", "title", "B4", "B4");
        dashboardtest::Find(list, "Appearance", "titlePosition").SetString("bottom", true);
        d.Bind(gauge, "General", "mv", "A1", "A1");
        d.Bind(slider, "General", "mv", "A1", "A1");
        d.Write(folder / "titles.swf", kProbe, {});
    });
}
