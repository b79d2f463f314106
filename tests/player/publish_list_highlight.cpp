// Writes a list box and a combo box as a person styles them: the shipped Default style applied,
// which gives the selectors' chosen items their marker colour in "selectedColor" and the same
// blue as the chosen row's fill. The combo box's list is opened. The probe reports, for each, the
// chosen row's rectangle on the stage, the row's fill colour and the label it holds.

#include "model/GlobalStyle.h"
#include "tests/player/ComponentDashboard.h"

namespace {

const std::string kProbe = dashboardtest::ThirdFrameProbe(R"(
    var list = _root.KVListBoxSymbol_1, combo = _root.KVComboBoxSymbol_1;
    combo.kvFace.onRelease();
    var row = list["kvRow" + list.selectIdx], item = combo["kvItem" + combo.selectIdx];
    fscommand("labels", row.text + "|" + item.text);
    fscommand("ready", [list._x + row._x, list._y + row._y, row._width, row._height, list.selectedFillColor,
                        combo._x + item._x, combo._y + item._y, item._width, item._height, combo.selectedFillColor].join(","));
)");

} // namespace

int main(int argc, char** argv)
{
    return dashboardtest::WriteMovies(argc, argv, [](dashboardtest::Installation& installed,
                                                    const std::filesystem::path& folder) {
        dashboardtest::Dashboard d(installed);
        CComponent& list = d.Add("KVListBoxSymbol", 200, 200, 2800, 2400);
        CComponent& combo = d.Add("KVComboBoxSymbol", 3400, 200, 2800, 480);
        const CGlobalStyle style;
        list.GetParameters()->ApplyGlobalStyle(style);
        combo.GetParameters()->ApplyGlobalStyle(style);
        d.Write(folder / "highlight.swf", kProbe, {});
    });
}
