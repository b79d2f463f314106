// Writes a dashboard whose XML data connections and collaboration components were changed
// through their property pages, as a person would change them:
// - two XML data connections (the first named "Xml", which must not hide the player's XML
//   class from the connection's script) whose load entries were renamed on the General page and whose
//   address was typed there; the first one's "Preview XML" wrote kv0.xml (the cells' values
//   at that moment: prices 4 5, counts 6 7), and both load that very file when the movie
//   starts, into cells that are 0 in the movie (the first into both its ranges, the second,
//   with one entry, into its own);
// - a connection light whose default colour was switched on and chosen (#3366CC);
// - a login set to ask for the password only, its button captioned "Sign in";
// - a people list whose label colour was chosen (#FFEE99).
// The probe reports the cells, what the connections said, and where to look at the colours.

#include "pages/CollaborationPages.h"
#include "pages/XmlDataGeneralPage.h"
#include "platform/controls/ListBox.h"
#include "platform/dialogs/CommonDialogs.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/services/Services.h"
#include "publish/TempFiles.h"
#include "sheet/cells/Range.h"
#include "tests/player/ComponentDashboard.h"
#include "tests/player/OutputFolder.h"
#include "tests/player/PageDriving.h"
#include "tests/support/TestSupport.h"

#include <cstdio>
#include <fstream>
#include <memory>

namespace {

using dashboardtest::Dashboard;
using dashboardtest::Find;
using pagedriving::Click;
using pagedriving::Edit;
using pagedriving::Type;

const char* kProbe = R"(
_global.KVProbe = function () { this.kvFrames = 0; };
KVProbe.prototype = new MovieClip();
KVProbe.prototype.onEnterFrame = function () {
    var a = _root.Xml, b = _root.Single, light = _root.KVConnectionLightSymbol_1;
    var login = _root.KVLoginSymbol_1, people = _root.KVPeopleListSymbol_1;
    if (++this.kvFrames == 3) {
        fscommand("ready", [Math.round(light._x + light.kvW / 2), Math.round(light._y + light.kvH / 2),
                            Math.round(people._x + people.kvW - 6), Math.round(people._y + people.kvH - 6)].join(","));
        fscommand("look", [light.kvLightColor, login.kvFields.kvButtonLabel, login.kvParts.user == undefined,
                           login.kvParts.password != undefined, people.labelColor].join("|"));
    }
    var state = [_root.CELL1 , _root.CELL2 , _root.CELL3 , _root.CELL4 , _root.CELL5 , _root.CELL6 ].join(",")
                + "|" + a.kvStatus + "|" + b.kvStatus;
    if (state != this.kvState) {
        this.kvState = state;
        fscommand("state", state);
    }
};
Object.registerClass("KVProbeSymbol", KVProbe);
)";

// Previews go into the folder the player serves, as kv0.xml, kv1.xml, ...
class FolderTempFiles : public publish::ITempFileMaker {
public:
    explicit FolderTempFiles(std::filesystem::path folder) : folder_(std::move(folder)) {}
    std::filesystem::path Create(const std::string& prefix, const std::string& extension) override
    {
        std::filesystem::path file = folder_ / (prefix + std::to_string(count_++) + extension);
        std::ofstream(file).flush();
        return file;
    }
    void Discard(const std::filesystem::path& file) override { std::filesystem::remove(file); }

private:
    std::filesystem::path folder_;
    int count_ = 0;
};

// The XML data General page on the connection's whole set, with the model's variable table, as
// the sheet opens it.
template <class Act>
void EditConnection(CWnd& parent, CComponent& component, CVariableTable& table, publish::ITempFileMaker& files,
                    Act act)
{
    CPropertyPageContext context;
    context.variableTable = [&table]() { return &table; };
    pagedriving::Drive<CXMLDataGeneralPage>(parent, component, component.GetParameters(), "General", context, true,
                                            act, &files);
}

void Rename(CWnd& page, int entry, const std::string& name)
{
    static_cast<CListBox*>(page.GetDlgItem(CXMLDataGeneralPage::IDC_LOAD_LIST))->UserSelect(entry);
    Type(page, CXMLDataGeneralPage::IDC_LOAD_NAME, name, true);
}

void SetNames(CComponent& c, const std::vector<std::string>& names)
{
    CParameter& list = Find(c, "General", "loadNames_ary");
    list.ClearElements();
    for (std::size_t i = 0; i < names.size(); ++i)
        list.InsertTemplateElement(static_cast<int>(i))->SetString(names[i], true);
}

} // namespace

int main(int argc, char** argv)
{
    return dashboardtest::WriteMovies(argc, argv, [](dashboardtest::Installation& installed,
                                                    const std::filesystem::path& folder) {
        Dashboard d(installed);
        const std::vector<std::pair<const char*, double>> values = {{"A1", 4}, {"B1", 5}, {"A2", 6},
                                                                   {"A3", 7}, {"C1", 0}, {"C2", 0}};
        for (const auto& [cell, value] : values)
            d.model.Number(cell, value);

        // Two connections as an earlier document kept them: names and one bound range of an
        // area per name. The pages turn them into entries.
        CComponent& xml = d.Add("KVXMLDataSymbol", 200, 200, 3200, 800);
        xml.SetName("Xml");
        SetNames(xml, {"first", "second"});
        CRange both;
        both.AddArea(CCellRef("S", 1, 1), CCellRef("S", 1, 2));
        both.AddArea(CCellRef("S", 2, 1), CCellRef("S", 3, 1));
        Find(xml, "General", "loadRanges_ary").RefreshFromCells(d.model.link.GetRange(d.model.table().AddRange(both)), false);
        CComponent& single = d.Add("KVXMLDataSymbol", 200, 1200, 3200, 800);
        single.SetName("Single");
        SetNames(single, {"only"});
        d.Bind(single, "General", "loadRanges_ary", "C1", "C2");

        CComponent& light = d.Add("KVConnectionLightSymbol", 4000, 200, 600, 600);
        CComponent& login = d.Add("KVLoginSymbol", 4000, 1000, 3600, 1600);
        CComponent& people = d.Add("KVPeopleListSymbol", 200, 2400, 3000, 2000);

        CScriptedCommonDialogs& dialogs = UseScriptedCommonDialogs();
        UseScriptedMessageBoxes();
        CRecordingShell& shell = UseRecordingShell();
        FolderTempFiles files(folder);
        CWnd parent;
        parent.CreateEx(0, "Sheet", "Component Properties", WS_POPUP | WS_VISIBLE, CRect(0, 0, 420, 360), nullptr, 0);

        EditConnection(parent, xml, d.model.table(), files, [](CWnd& page) {
            Type(page, CXMLDataGeneralPage::IDC_URL, "/held/kv0.xml", true);
            Rename(page, 0, "prices");
            Rename(page, 1, "counts");
            Click(page, CXMLDataGeneralPage::IDC_LOAD_PREVIEW);
        });
        if (shell.requests.size() != 1 || shell.requests[0].target != (folder / "kv0.xml").string())
            throw std::runtime_error("the preview was not opened");
        EditConnection(parent, single, d.model.table(), files, [](CWnd& page) {
            Type(page, CXMLDataGeneralPage::IDC_URL, "/held/kv0.xml", true);
            Rename(page, 0, "counts");
        });

        dialogs.AnswerColour(RGB(0x33, 0x66, 0xCC));
        Edit<CConnectionLightGeneralPage>(parent, light, nullptr, [](CWnd& page) {
            Click(page, CConnectionLightGeneralPage::IDC_USE_DEFAULT);
            Click(page, CConnectionLightGeneralPage::IDC_DEFAULT_COLOR);
        });
        Edit<CLoginGeneralPage>(parent, login, nullptr, [](CWnd& page) {
            Click(page, CLoginGeneralPage::IDC_PASSWORD);
            Type(page, CLoginGeneralPage::IDC_BUTTON_LABEL, "Sign in", true);
        });
        dialogs.AnswerColour(RGB(0xFF, 0xEE, 0x99));
        Edit<CPeopleListGeneralPage>(parent, people, nullptr, [](CWnd& page) {
            Click(page, CPeopleListGeneralPage::IDC_FILL_COLOR);
        });
        parent.DestroyWindow();

        // The movie starts from empty cells; the values come back from the preview file.
        for (const auto& [cell, value] : values)
            d.model.Number(cell, 0);
        for (CComponent* c : {&xml, &single}) {
            CParameter& ranges = Find(*c, "General", "loadRanges_ary");
            ranges.RefreshFromCells(ranges.GetBinding()->GetRangePtr(), false);
        }
        d.Write(folder / "people.swf", kProbe,
                {{"CELL1", d.Cell("A1")}, {"CELL2", d.Cell("B1")}, {"CELL3", d.Cell("A2")}, {"CELL4", d.Cell("A3")},
                 {"CELL5", d.Cell("C1")}, {"CELL6", d.Cell("C2")}});
    });
}
