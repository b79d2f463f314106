// Writes plain.swf and styled.swf: the shipped sample regional-sales published as it is, and
// published after a style made in the Styles sheet (the chart and plot fills chosen on the
// Charts tab's Layout page, then Save As on the Styles tab, as a person does) was loaded back
// from its file and applied to each of its components, as the sheet's Apply does. colors.json
// names the style's chart fill and plot fill, which the test looks for in pictures of the two
// movies.
#include "model/Component.h"
#include "model/GlobalStyle.h"
#include "model/ParameterSet.h"
#include "platform/controls/Button.h"
#include "platform/dialogs/CommonDialogs.h"
#include "platform/dialogs/Dialog.h"
#include "platform/dialogs/MessageBox.h"
#include "propui/StyleSheet.h"
#include "publish/DocData.h"
#include "publish/Publisher.h"
#include "tests/player/OutputFolder.h"
#include "tests/support/TestSupport.h"

#include <cstdio>
#include <fstream>
#include <stdexcept>

namespace {

constexpr std::uint32_t kChartFill = 0xD02090, kPlotFill = 0x20C0A0;

COLORREF WindowColour(std::uint32_t rgb)
{
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

// The person opens the Styles sheet, turns the chart and plot fills on with their colours on the
// Layout page of the Charts tab, saves the style as Orchid from the Styles tab and presses OK.
void MakeStyleInTheSheet(const std::filesystem::path& folder)
{
    CScriptedCommonDialogs& dialogs = UseScriptedCommonDialogs();
    UseScriptedMessageBoxes();
    CWnd owner;
    if (!owner.CreateEx(0, "Owner", "view", WS_POPUP | WS_VISIBLE, CRect(0, 0, 800, 600), nullptr, 0))
        throw std::runtime_error("no window for the sheet");
    CStyleFolders folders;
    folders.styles = folder.string() + "/";
    CGlobalStyle made;
    CStyleSheet* shown = nullptr;
    ui::SetDialogHookByCaption("Global Styles", [&](CDialog& first) {
        CPropertySheet& sheet = *static_cast<CPropertyPage&>(first).GetSheet();
        CChartsStylePage& charts = static_cast<CStyleSheet&>(sheet).GetChartsPage();
        shown = &static_cast<CStyleSheet&>(sheet);
        sheet.SetActivePage(1);
        charts.Toggle(4).Click();
        CFieldStylePage& layout = charts.SubPage(4);
        auto click = [&](int id) { static_cast<CButton*>(layout.GetDlgItem(id))->Click(); };
        const CGlobalStyle& style = shown->Style();
        if (!style.charts.showChartFill)
            click(442);
        if (!style.charts.showPlotFill)
            click(658);
        dialogs.AnswerColour(WindowColour(kChartFill));
        layout.Swatch(444)->Click();
        dialogs.AnswerColour(WindowColour(kPlotFill));
        layout.Swatch(452)->Click();
        sheet.SetActivePage(0);
        dialogs.AnswerFile((folder / "Orchid.vgs").string());
        static_cast<CButton*>(sheet.GetActivePage()->GetDlgItem(CStylesPage::IdSaveAs))->Click();
        static_cast<CButton*>(sheet.GetDlgItem(IDOK))->Click();
    });
    const bool kept = RunChangeStyle(made, folders, &owner, {});
    ui::ResetDialogHooks();
    owner.DestroyWindow();
    ResetCommonDialogService();
    ResetMessageBoxService();
    if (shown == nullptr || !kept || made.GetName() != "Orchid")
        throw std::runtime_error("the style was not made and saved in the Styles sheet");
}

} // namespace

int main(int argc, char** argv)
{
    std::filesystem::path folder;
    if (!playertest::OutputFolder(argc, argv, folder))
        return 2;
    std::filesystem::path install = testsupport::InstallDir();
    std::filesystem::path sample = install / "samples" / "Dashboards" / "regional-sales.vtd";
    try {
        MakeStyleInTheSheet(folder);
        std::string why;
        CGlobalStyle style;
        if (!style.Load((folder / "Orchid").string(), &why)) {
            std::fprintf(stderr, "%s\n", why.c_str());
            return 1;
        }
        {
            publish::CPublisher plain(install);
            plain.OpenDocument(sample);
            plain.Publish(folder / "plain.swf", false);
        }
        publish::CPublisher styled(install);
        styled.OpenDocument(sample);
        for (CComponent* component : styled.GetDocument().GetInstances())
            if (component->GetParameters())
                component->GetParameters()->ApplyGlobalStyle(style);
        styled.Publish(folder / "styled.swf", false);
        if (style.charts.chartFillColor != kChartFill || style.charts.plotFillColor != kPlotFill)
            throw std::runtime_error("the saved style lost the fills chosen in the sheet");
        std::ofstream(folder / "colors.json") << "{\"chartFill\": " << kChartFill << ", \"plotFill\": " << kPlotFill
                                              << "}\n";
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
