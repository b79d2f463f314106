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

// The labels of a narrow column chart of two series with long category names, its values and
// its run-time buttons shown: for each category label its text, what its field shows, the
// width of its text and of its field; for each value label shown, its ink box; the title's
// field and the buttons' boxes.
const char* kLabelsProbe = R"(
_global.KVProbe = function () { this.kvFrames = 0; };
KVProbe.prototype = new MovieClip();
KVProbe.prototype.onEnterFrame = function () {
    if (++this.kvFrames != 3)
        return;
    var chart = _root.KVColumnChartSymbol_1, cats = [], values = [], buttons = [];
    for (var q = 0; chart["kvCat" + q] != undefined; q++) {
        var f = chart["kvCat" + q];
        cats.push(chart.kvFields["kvCat" + q] + ":" + f.text + ":" + f.textWidth + ":" + f._width);
    }
    for (var n = 0; chart["kvValue" + n] != undefined; n++) {
        var v = chart["kvValue" + n];
        if (v.text != "")
            values.push((v._x + v._width / 2 - v.textWidth / 2) + "," + v._y + "," + v.textWidth + "," + v.textHeight);
    }
    for (var b = 0; b < 3; b++) {
        var r = chart["kvButton" + b].getBounds(chart);
        buttons.push(r.xMin + "," + r.yMin + "," + (r.xMax - r.xMin) + "," + (r.yMax - r.yMin));
    }
    var t = chart.kvTitle;
    // One line in a device font, regular and bold, for the picture to compare.
    var faces = [false, true];
    for (var i = 0; i < 2; i++) {
        _root.createTextField("kvFace" + i, 9000 + i, 10 + 200 * i, 250, 180, 30);
        var face = _root["kvFace" + i];
        face.setNewTextFormat(new TextFormat("Verdana", 14, 0x000000, faces[i]));
        face.text = "Revenue by region";
    }
    fscommand("categories", cats.join("|"));
    fscommand("values", values.join("|"));
    fscommand("buttons", buttons.join("|"));
    fscommand("ready", (t._x + t._width / 2 - t.textWidth / 2) + "," + t._y + "," + t.textWidth + "," + t.textHeight);
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

        dashboardtest::Dashboard labels(installed);
        const char* regions[] = {"Northern region", "Southern region", "Central region", "Eastern region"};
        const char* columns = "ABCD";
        for (int i = 0; i < 4; ++i) {
            const std::string c(1, columns[i]);
            labels.model.Text((c + "1").c_str(), regions[i]);
            labels.model.Number((c + "2").c_str(), 1200 + 150 * i);
            labels.model.Number((c + "3").c_str(), 1100 + 170 * i);
        }
        labels.model.Text("E1", "Revenue by region");
        CComponent& narrow = labels.Add("KVColumnChartSymbol", 200, 200, 5600, 4400);
        labels.Bind(narrow, "General", "chartTitle", "E1", "E1");
        labels.Bind(narrow, "General", "categoryLabels", "A1", "D1");
        labels.Bind(narrow, "General", "dataValues", "A2", "D3");
        dashboardtest::Find(narrow, "Appearance", "showValues").SetBool(true, true);
        for (const char* key : {"showFocus", "showReset", "showScaleBehavior"})
            dashboardtest::Find(narrow, "Behavior", key).SetBool(true, true);
        labels.Write(folder / "labels.swf", kLabelsProbe, {});
    });
}
