// Writes plain.swf and styled.swf: the shipped sample regional-sales published as it is, and
// published after a style made here was saved as a style file, loaded back and applied to each
// of its components, as the Styles sheet's Apply does. colors.json names the style's chart fill
// and plot fill, which the test looks for in pictures of the two movies.
#include "model/Component.h"
#include "model/GlobalStyle.h"
#include "model/ParameterSet.h"
#include "publish/DocData.h"
#include "publish/Publisher.h"
#include "tests/player/OutputFolder.h"
#include "tests/support/TestSupport.h"

#include <cstdio>
#include <fstream>

int main(int argc, char** argv)
{
    std::filesystem::path folder;
    if (!playertest::OutputFolder(argc, argv, folder))
        return 2;
    std::filesystem::path install = testsupport::InstallDir();
    std::filesystem::path sample = install / "samples" / "Dashboards" / "regional-sales.vtd";
    try {
        CGlobalStyle made;
        made.SetName("Orchid");
        made.charts.showChartFill = true;
        made.charts.chartFillColor = 0xD02090;
        made.charts.showPlotFill = true;
        made.charts.plotFillColor = 0x20C0A0;
        std::string why;
        if (!made.Save((folder / "Orchid").string(), &why)) {
            std::fprintf(stderr, "%s\n", why.c_str());
            return 1;
        }
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
        std::ofstream(folder / "colors.json") << "{\"chartFill\": " << 0xD02090 << ", \"plotFill\": " << 0x20C0A0
                                              << "}\n";
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
