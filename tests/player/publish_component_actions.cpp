// Writes dashboards of the installed components that act rather than show: buttons, menu and
// filter, the play components, the scenario components, the XML data connection and the
// collaboration components, each bound to cells of a small model and assembled as a published
// movie is (tests/player/ComponentDashboard.h). A probe clip in each reports through fscommand
// the cells and what the components show; the test drives them with the player's mouse and
// keyboard. Arguments: the output folder and the address of the test's web service.
//
// buttons.swf: A1 = 20 (an input text), B1 = A1*2 (a trend icon, and a value display with alerts
// against the target D1 = 100), an alert button watching that display (inserting into A3), a
// menu inserting the position chosen into A2, a URL button opening "/movies/opened.html" in a new
// window, a filter over the table E1:F4 inserting the row found into G1:H1, a second alert
// button watching every component, a menu across opening with the mouse over it (into A4).
// play.swf: a play control playing A1 from 0 to 4 in one second, B1 = A1*10 shown; a play
// selector over the rows of E1:F3 inserting each into G1:H1, H2 = G1+H1 shown; one over the
// columns of E1:F3 inserting each into I1:I3, labelled by its number.
// scenario.swf: A1 = 3 (an input text), A2 = 7, B1 = A1+A2 shown; a scenario component saving
// A1:A2.
// data.swf: an XML data connection loading "prices" from data.xml into A1:B2 (C1 = SUM(A1:B2)),
// one sending "inputs" (D1:E1) to the web service and loading "result" back into F1 every
// second (G1 = F1*2), one loading a page that holds no XML data.
// collab.swf: real-time collaboration through the login component, with the web service as its
// gateway: a connection light, the login, a people list and a remote scenario saving A1.
// price-plan.swf, selector-report.swf, what-if-planner.swf, data-connection.swf: the shipped
// samples of those names, as the program opens them (the last with the prices file shipped
// beside it).

#include "model/ValueList.h"
#include "publish/ExportSettings.h"
#include "tests/player/ComponentDashboard.h"
#include "tests/player/OutputFolder.h"
#include "tests/support/TestSupport.h"

#include <cstdio>
#include <string>

using namespace dashboardtest;

namespace {

void SetChoice(CComponent& c, const std::string& group, const std::string& name, const std::string& text)
{
    Find(c, group, name).GetValueList()->GetPrototype().SetString(text);
}

void SetTexts(CComponent& c, const std::string& group, const std::string& name, const std::vector<std::string>& texts)
{
    CParameter& list = Find(c, group, name);
    list.ClearElements();
    for (std::size_t i = 0; i < texts.size(); ++i)
        list.InsertTemplateElement(static_cast<int>(i))->SetString(texts[i], true);
}

const char* kButtonsProbe = R"(
_global.KVProbe = function () { this.kvFrames = 0; };
KVProbe.prototype = new MovieClip();
KVProbe.prototype.onEnterFrame = function () {
    var input = _root.KVInputTextSymbol_1, trend = _root.Trend, display = _root.KVValueDisplaySymbol_1;
    var alert = _root.AlertButton, url = _root.UrlButton, menu = _root.Menu;
    var filter = _root.Filter, across = _root.KVMenuSymbol_2, every = _root.KVAlertButtonSymbol_2;
    var centre = function (c) { return Math.round(c._x + c.kvW / 2) + "," + Math.round(c._y + c.kvH / 2); };
    if (++this.kvFrames == 2) {
        fscommand("ready", [centre(input), centre(menu), Math.round(menu._x + 20), Math.round(menu._y + menu.kvH + 2.5 * 18),
                            Math.round(filter._x + filter.kvW / 4), Math.round(filter._y + 18 + 1.5 * 18),
                            Math.round(filter._x + filter.kvW * 3 / 4), Math.round(filter._y + 18 + 1.5 * 18),
                            centre(url), centre(alert), centre(across),
                            Math.round(across._x + across.kvW * 5 / 6), Math.round(across._y + across.kvH + 9)].join(","));
    }
    var levels = [];
    for (var i = 0; i < filter.kvLevels.length; i++)
        levels.push(filter.kvLevels[i].items.join("/") + ":" + filter.kvLevels[i].chosen);
    var state = [_root.CELL1 , _root.CELL2 , _root.CELL3 , _root.CELL4 , _root.CELL5 ].join(",") + "|" + trend.kvTrend + "|"
                + display.kvAlertBand + "|" + (alert.kvWorst == undefined ? "none" : alert.kvWorst[1] + "," + alert.kvWorst[2])
                + "|" + menu.kvFields.kvTitle + "," + (menu.kvOpen == true) + "|" + levels.join(";") + "|" + url.kvOpened
                + "|" + _root.CELL6 + "," + (across.kvOpen == true) + "|" + (every.kvWorst == undefined ? "none" : every.kvWorst[2]);
    if (state != this.kvState) {
        this.kvState = state;
        fscommand("state", state);
    }
};
Object.registerClass("KVProbeSymbol", KVProbe);
)";

// "ready": the play control's play button, the play selector's next, last and play buttons, the
// second play selector's next button.
const char* kPlayProbe = R"(
_global.KVProbe = function () { this.kvFrames = 0; };
KVProbe.prototype = new MovieClip();
KVProbe.prototype.onEnterFrame = function () {
    var control = _root.Control, selector = _root.Player;
    var at = function (c, name) {
        var r = c.kvPlayParts[name];
        return Math.round(c._x + r[0] + r[2] / 2) + "," + Math.round(c._y + r[1] + r[3] / 2);
    };
    var columns = _root.KVPlaySelectorSymbol_2;
    if (++this.kvFrames == 2)
        fscommand("ready", [at(control, "play"), at(selector, "next"), at(selector, "last"), at(selector, "play"),
                            at(columns, "next")].join(","));
    var state = [_root.CELL1 , _root.CELL2 , _root.CELL3 , _root.CELL4 , _root.CELL5 ].join(",") + "|" + control.kvFields.kvValue
                + "," + (control.kvPlaying == true) + "|" + selector.kvFields.kvLabel + "," + (selector.kvPlaying == true)
                + "|" + columns.kvFields.kvLabel + ":" + [_root.CELL6 , _root.CELL7 , _root.CELL8 ].join(",");
    if (state != this.kvState) {
        this.kvState = state;
        fscommand("state", state);
    }
};
Object.registerClass("KVProbeSymbol", KVProbe);
)";

// "ready": the input field, the scenario's name field, its Save, Load and Delete buttons and
// its list's first row.
const char* kScenarioProbe = R"(
_global.KVProbe = function () { this.kvFrames = 0; };
KVProbe.prototype = new MovieClip();
KVProbe.prototype.onEnterFrame = function () {
    var input = _root.KVInputTextSymbol_1, s = _root.Scenario;
    var at = function (name) {
        var r = s.kvParts[name];
        return Math.round(s._x + r[0] + r[2] / 2) + "," + Math.round(s._y + r[1] + r[3] / 2);
    };
    if (++this.kvFrames == 2) {
        var list = s.kvParts.list;
        fscommand("ready", [Math.round(input._x + input.kvW / 2), Math.round(input._y + input.kvEdit._y + input.kvEdit._height / 2),
                            at("name"), at("save"), at("load"), at("delete"),
                            Math.round(s._x + list[0] + 20), Math.round(s._y + list[1] + 10)].join(","));
    }
    var names = [];
    for (var i = 0; s["kvName" + i] != undefined; i++) {
        if (s["kvName" + i].text != "")
            names.push(s["kvName" + i].text);
    }
    var state = [_root.CELL1 , _root.CELL2 , _root.CELL3 ].join(",") + "|" + names.join("/") + "|" + s.kvChosen + "|" + s.kvStatus;
    if (state != this.kvState) {
        this.kvState = state;
        fscommand("state", state);
    }
};
Object.registerClass("KVProbeSymbol", KVProbe);
)";

const char* kDataProbe = R"(
_global.KVProbe = function () { this.kvFrames = 0; };
KVProbe.prototype = new MovieClip();
KVProbe.prototype.onEnterFrame = function () {
    var a = _root.XmlData, b = _root.KVXMLDataSymbol_2, c = _root.KVXMLDataSymbol_3;
    if (++this.kvFrames == 2)
        fscommand("ready", "0");
    var state = [_root.CELL1 , _root.CELL2 , _root.CELL3 , _root.CELL4 , _root.CELL5 , _root.CELL6 ].join(",") + "|"
                + [a.kvStatus, b.kvStatus, c.kvStatus].join(",") + "|" + [a.kvFailed, b.kvFailed, c.kvFailed].join(",")
                + "|" + b.kvRequests;
    if (state != this.kvState) {
        this.kvState = state;
        fscommand("state", state);
    }
};
Object.registerClass("KVProbeSymbol", KVProbe);
)";


// "ready": the login's user and password fields and its button, the remote scenario's name
// field and Save button.
const char* kCollabProbe = R"(
_global.KVProbe = function () { this.kvFrames = 0; };
KVProbe.prototype = new MovieClip();
KVProbe.prototype.onEnterFrame = function () {
    var light = _root.Light, login = _root.Login, people = _root.People;
    var remote = _root.Remote;
    var at = function (c, r) { return Math.round(c._x + r[0] + r[2] / 2) + "," + Math.round(c._y + r[1] + r[3] / 2); };
    // The player has no collaboration protocol: the probe stands in for the server. It keeps
    // what the movie connects with and answers each connection a few frames later, refusing the
    // first and accepting the second.
    var nc = _root.nc;
    if (nc.kvOpen == undefined) {
        nc.kvOpen = nc.connect;
        nc.kvCalls = [];
        nc.connect = function (uri, user, password) {
            this.kvCalls.push([uri, user, password].join(","));
            this.kvAnswerAt = _root.probe.kvFrames + 5;
            return this.kvOpen(uri, user, password);
        };
    }
    if (nc.kvAnswerAt == this.kvFrames)
        nc.onStatus({code: nc.kvCalls.length == 1 ? "NetConnection.Connect.Rejected" : "NetConnection.Connect.Success"});
    if (++this.kvFrames == 2) {
        fscommand("ready", [at(login, login.kvParts.user), at(login, login.kvParts.password), at(login, login.kvParts.button),
                            at(remote, remote.kvParts.name), at(remote, remote.kvParts.save)].join(","));
    }
    var state = light.kvCollabSeen + "," + light.kvLightColor + "|" + login.kvStatus + "|" + people.kvFields.kvRow0 + "|"
                + remote.kvStatus + "|" + nc.kvCalls.join(";");
    if (state != this.kvState) {
        this.kvState = state;
        fscommand("state", state);
    }
};
Object.registerClass("KVProbeSymbol", KVProbe);
)";

// A probe of a shipped sample: `names` declares what it reads, `ready` (on the second frame)
// sends "ready" with the places the check clicks, and `state` is sent as "state" whenever it
// changes.
std::string SampleProbe(const std::string& names, const std::string& ready, const std::string& state)
{
    return R"(
_global.KVProbe = function () { this.kvFrames = 0; };
KVProbe.prototype = new MovieClip();
KVProbe.prototype.onEnterFrame = function () {
    )" + names + R"(
    if (++this.kvFrames == 2) {
        )" + ready + R"(
    }
    var state = )" + state + R"(;
    if (state != this.kvState) {
        this.kvState = state;
        fscommand("state", state);
    }
};
Object.registerClass("KVProbeSymbol", KVProbe);
)";
}

// The shipped sample price-plan: "ready" carries the play selector's next button and the
// scenario's name field, Save, first list row and Load.
const std::string kSampleProbe = SampleProbe(R"(
    var months = _root.Months, plans = _root.Plans;
    var at = function (c, r) { return Math.round(c._x + r[0] + r[2] / 2) + "," + Math.round(c._y + r[1] + r[3] / 2); };)",
                                             R"(
        var list = plans.kvParts.list;
        fscommand("ready", [at(months, months.kvPlayParts.next), at(plans, plans.kvParts.name), at(plans, plans.kvParts.save),
                            Math.round(plans._x + list[0] + 20), Math.round(plans._y + list[1] + 10),
                            at(plans, plans.kvParts.load)].join(","));)",
                                             R"(months.kvFields.kvLabel + "|" + months.targetCells_ary.join(",") + "|" + _root.Profit.mv + "|"
                + _root.Summary.kvFields.kvLabel + "|" + _root.ProfitTrend.kvTrend + "|" + plans.kvStatus)");

// The shipped sample selector-report: "ready" carries the product combo box's arrow, its third
// row (Cocoa) once open, the month menu's header and its fourth item (Apr) once open.
const std::string kSelectorSampleProbe = SampleProbe("var product = _root.Product, month = _root.Month;", R"(
        var face = product.kvFace, h = product.kvH - face._y;
        fscommand("ready", [Math.round(product._x + face._x + product.kvW - face._x - h / 2), Math.round(product._y + face._y + h / 2),
                            Math.round(product._x + face._x + 20), Math.round(product._y + face._y + h + 2 * 18 + 9),
                            Math.round(month._x + 20), Math.round(month._y + month.kvH / 2),
                            Math.round(month._x + 20), Math.round(month._y + month.kvH + 3 * 18 + 9)].join(","));)",
                                                     R"(product.dataValues.join(",") + "|" + month.dataValues + "|" + _root.Heading.kvFields.kvLabel)");

// The shipped sample what-if-planner: "ready" carries the growth radio buttons' third item
// (High) and the Reset button.
const std::string kWhatIfProbe = SampleProbe("var growth = _root.Growth, reset = _root.Reset;", R"(
        var high = growth.kvCells[2];
        fscommand("ready", [Math.round(growth._x + high[0] + 9), Math.round(growth._y + high[1] + high[3] / 2),
                            Math.round(reset._x + reset.kvW / 2), Math.round(reset._y + reset.kvH / 2)].join(","));)",
                                             R"(growth.dataValues + "|" + reset.dataValues + "|" + growth.selectIdx)");

// The shipped sample data-connection: the XML data connection's status, the four prices it
// loads and the summary.
const std::string kConnectionSampleProbe = SampleProbe("", R"(fscommand("ready", "");)", R"(_root.Feed.kvStatus + "|" + [_root.CopperPrice.mv, _root.AluminiumPrice.mv, _root.ZincPrice.mv,
                                             _root.NickelPrice.mv].join(",") + "|" + _root.Summary.kvFields.kvLabel)");

} // namespace

int main(int argc, char** argv)
{
    std::filesystem::path folder;
    if (!playertest::OutputFolder(argc, argv, folder))
        return 2;
    const std::string service = argc > 2 ? argv[2] : "http://127.0.0.1:9/";

    try {
        dashboardtest::Installation installed(testsupport::InstallDir());
        {
            Dashboard d(installed);
            d.model.Number("A1", 20);
            d.model.Number("A2", 1);
            d.model.Number("A3", 0);
            d.model.Formula("B1", "A1*2");
            d.model.Number("D1", 100);
            const char* table[][2] = {{"East", "Apples"}, {"East", "Pears"}, {"West", "Apples"}, {"West", "Plums"}};
            for (int r = 0; r < 4; ++r) {
                d.model.Text("E" + std::to_string(r + 1), table[r][0]);
                d.model.Text("F" + std::to_string(r + 1), table[r][1]);
            }
            d.model.Text("G1", "-");
            d.model.Text("H1", "-");
            CComponent& input = d.Add("KVInputTextSymbol", 200, 200, 2400, 800);
            d.Bind(input, "General", "insertInto", "A1", "A1");
            // Several are named like the variables their scripts once left on the main timeline, in
            // another letter case, which hid them.
            CComponent& trend = d.Add("KVTrendIconSymbol", 2800, 200, 800, 800);
            trend.SetName("Trend");
            d.Bind(trend, "General", "mv", "B1", "B1");
            CComponent& display = d.Add("KVValueDisplaySymbol", 3800, 200, 2000, 1000);
            d.Bind(display, "General", "mv", "B1", "B1");
            Find(display, "Alerts", "alertsEnabled").SetBool(true);
            d.Bind(display, "Alerts", "target", "D1", "D1");
            CComponent& alert = d.Add("KVAlertButtonSymbol", 6000, 300, 1800, 600);
            alert.SetName("AlertButton");
            d.Bind(alert, "General", "dataValues", "A3", "A3");
            SetTexts(alert, "General", "alertComponents", {"KVValueDisplaySymbol_1"});
            CComponent& url = d.Add("KVUrlButtonSymbol", 200, 1400, 2000, 600);
            url.SetName("UrlButton");
            Find(url, "General", "url").GetBinding()->GetValue().SetString("/movies/opened.html", true);
            CComponent& filter = d.Add("KVFilterSymbol", 200, 3200, 6000, 2400);
            filter.SetName("Filter");
            d.Bind(filter, "General", "values", "E1", "F4");
            d.Bind(filter, "General", "dataValues", "G1", "H1");
            d.Add("KVAlertButtonSymbol", 6000, 1000, 1800, 600);
            // Placed last, so their open items lie over the filter below them.
            CComponent& menu = d.Add("KVMenuSymbol", 2600, 1400, 2400, 480);
            menu.SetName("Menu");
            d.Bind(menu, "General", "dataValues", "A2", "A2");
            d.model.Number("A4", 0);
            CComponent& across = d.Add("KVMenuSymbol", 5200, 2000, 2600, 480);
            d.Bind(across, "General", "dataValues", "A4", "A4");
            SetChoice(across, "General", "menuOrientation", "horizontal");
            SetChoice(across, "Behavior", "openMenu", "mouse over");
            d.Write(folder / "buttons.swf", kButtonsProbe,
                    {{"CELL1", d.Cell("A1")}, {"CELL2", d.Cell("A2")}, {"CELL3", d.Cell("A3")}, {"CELL4", d.Cell("G1")},
                     {"CELL5", d.Cell("H1")}, {"CELL6", d.Cell("A4")}});
        }
        {
            Dashboard d(installed);
            d.model.Number("A1", 0);
            d.model.Formula("B1", "A1*10");
            for (int r = 1; r <= 3; ++r) {
                d.model.Number("E" + std::to_string(r), r);
                d.model.Number("F" + std::to_string(r), r * 100);
            }
            d.model.Number("G1", 0);
            d.model.Number("H1", 0);
            d.model.Formula("H2", "G1+H1");
            CComponent& control = d.Add("KVPlayNormalSymbol", 200, 200, 4000, 1000);
            control.SetName("Control");
            d.Bind(control, "General", "mv", "A1", "A1");
            Find(control, "Behavior", "maxValue").SetDouble(4);
            Find(control, "Behavior", "playTime").SetDouble(1);
            d.Bind(d.Add("KVValueDisplaySymbol", 4600, 200, 3000, 1000), "General", "mv", "B1", "B1");
            CComponent& selector = d.Add("KVPlaySelectorSymbol", 200, 2000, 4000, 1000);
            selector.SetName("Player");
            d.Bind(selector, "General", "sourceCells_ary", "E1", "F3");
            d.Bind(selector, "General", "targetCells_ary", "G1", "H1");
            Find(selector, "Behavior", "playTime").SetDouble(0.6);
            Find(selector, "Behavior", "autoRewind").SetBool(true);
            d.Bind(d.Add("KVValueDisplaySymbol", 4600, 2000, 3000, 1000), "General", "mv", "H2", "H2");
            for (const char* cell : {"I1", "I2", "I3"})
                d.model.Number(cell, 0);
            CComponent& columns = d.Add("KVPlaySelectorSymbol", 200, 3400, 4000, 1000);
            d.Bind(columns, "General", "sourceCells_ary", "E1", "F3");
            d.Bind(columns, "General", "targetCells_ary", "I1", "I3");
            SetChoice(columns, "General", "playBy", "column");
            // No labels: each column is named by the insert option and its number.
            Find(columns, "General", "labels_ary").GetBinding()->GetValue().ClearElements();
            d.Write(folder / "play.swf", kPlayProbe,
                    {{"CELL1", d.Cell("A1")}, {"CELL2", d.Cell("B1")}, {"CELL3", d.Cell("G1")}, {"CELL4", d.Cell("H1")},
                     {"CELL5", d.Cell("H2")}, {"CELL6", d.Cell("I1")}, {"CELL7", d.Cell("I2")}, {"CELL8", d.Cell("I3")}});
        }
        {
            Dashboard d(installed);
            d.model.Number("A1", 3);
            d.model.Number("A2", 7);
            d.model.Formula("B1", "A1+A2");
            CComponent& input = d.Add("KVInputTextSymbol", 200, 200, 3000, 800);
            d.Bind(input, "General", "insertInto", "A1", "A1");
            d.Bind(d.Add("KVValueDisplaySymbol", 200, 1400, 3000, 1000), "General", "mv", "B1", "B1");
            CComponent& scenario = d.Add("KVScenarioSymbol", 4000, 200, 3600, 3000);
            scenario.SetName("Scenario");
            d.Bind(scenario, "General", "scenarioCells", "A1", "A2");
            d.Write(folder / "scenario.swf", kScenarioProbe,
                    {{"CELL1", d.Cell("A1")}, {"CELL2", d.Cell("A2")}, {"CELL3", d.Cell("B1")}});
        }
        {
            Dashboard d(installed);
            for (const char* cell : {"A1", "B1", "A2", "B2", "F1"})
                d.model.Number(cell, 0);
            d.model.Formula("C1", "SUM(A1:B2)");
            d.model.Number("D1", 4);
            d.model.Text("E1", "a<b");
            d.model.Formula("G1", "F1*2");
            CComponent& prices = d.Add("KVXMLDataSymbol", 200, 200, 3200, 800);
            prices.SetName("XmlData");
            Find(prices, "General", "url").GetBinding()->GetValue().SetString("/movies/data.xml", true);
            SetTexts(prices, "General", "loadNames_ary", {"prices"});
            d.Bind(prices, "General", "loadRanges_ary", "A1", "B2");
            CComponent& exchange = d.Add("KVXMLDataSymbol", 200, 1200, 3200, 800);
            Find(exchange, "General", "url").GetBinding()->GetValue().SetString(service + "exchange", true);
            SetChoice(exchange, "General", "transferType", "sendAndLoad");
            SetTexts(exchange, "General", "sendNames_ary", {"inputs"});
            d.Bind(exchange, "General", "sendRanges_ary", "D1", "E1");
            SetTexts(exchange, "General", "loadNames_ary", {"result"});
            d.Bind(exchange, "General", "loadRanges_ary", "F1", "F1");
            Find(exchange, "Behavior", "refreshAuto").SetBool(true);
            Find(exchange, "Behavior", "refreshInterval").SetDouble(1);
            CComponent& missing = d.Add("KVXMLDataSymbol", 200, 2200, 3200, 800);
            Find(missing, "General", "url").GetBinding()->GetValue().SetString("/movies/page.html", true);
            SetTexts(missing, "General", "loadNames_ary", {"prices"});
            d.Bind(d.Add("KVValueDisplaySymbol", 4000, 200, 3000, 1000), "General", "mv", "C1", "C1");
            d.Bind(d.Add("KVValueDisplaySymbol", 4000, 1400, 3000, 1000), "General", "mv", "G1", "G1");
            d.Write(folder / "data.swf", kDataProbe,
                    {{"CELL1", d.Cell("A1")}, {"CELL2", d.Cell("B2")}, {"CELL3", d.Cell("C1")}, {"CELL4", d.Cell("F1")},
                     {"CELL5", d.Cell("G1")}, {"CELL6", d.Cell("D1")}});
        }
        {
            Dashboard d(installed);
            CExportSettings& settings = d.model.movie->GetExportSettings();
            settings.collaboration = true;
            settings.realTimeCollaboration = true;
            settings.gatewayUrl = service + "gateway";
            settings.connectionMethod = ConnectionMethod::LoginComponent;
            d.model.Number("A1", 5);
            // Below the line where the collaboration clip writes the connection's status.
            d.Add("KVConnectionLightSymbol", 200, 700, 600, 600).SetName("Light");
            d.Add("KVLoginSymbol", 1000, 700, 4000, 2000).SetName("Login");
            d.Add("KVPeopleListSymbol", 5200, 700, 2600, 2000).SetName("People");
            CComponent& remote = d.Add("KVRemoteScenarioSymbol", 200, 2900, 4000, 3000);
            remote.SetName("Remote");
            d.Bind(remote, "General", "scenarioCells", "A1", "A1");
            d.Write(folder / "collab.swf", kCollabProbe, {}, true);
        }
        WriteDocumentMovie(installed.folder / "samples" / "Dashboards" / "price-plan.vtd",
                           folder / "price-plan.swf", installed.library, installed.folder, kSampleProbe.c_str());
        WriteDocumentMovie(installed.folder / "samples" / "Dashboards" / "selector-report.vtd",
                           folder / "selector-report.swf", installed.library, installed.folder, kSelectorSampleProbe.c_str());
        WriteDocumentMovie(installed.folder / "samples" / "Dashboards" / "what-if-planner.vtd",
                           folder / "what-if-planner.swf", installed.library, installed.folder, kWhatIfProbe.c_str());
        // The connection sample loads the prices file shipped beside it from beside the movie.
        const std::filesystem::path shipped = installed.folder / "samples" / "Dashboards";
        WriteDocumentMovie(shipped / "data-connection.vtd", folder / "data-connection.swf", installed.library,
                           installed.folder, kConnectionSampleProbe.c_str());
        std::filesystem::copy_file(shipped / "prices.xml", folder / "prices.xml",
                                   std::filesystem::copy_options::overwrite_existing);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "component actions: %s\n", e.what());
        return 1;
    }
    return 0;
}
