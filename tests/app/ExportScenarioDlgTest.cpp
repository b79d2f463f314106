#include "DialogFixture.h"

#include "app/dialogs/ExportScenarioDlg.h"
#include "tests/support/TestSupport.h"

#include <fstream>

namespace {

using Dlg = CExportScenarioDlg;

class ExportScenarioDlgTest : public DialogTest {
protected:
    INT_PTR Run(const std::function<void(CDialog&)>& script)
    {
        ui::SetDialogHook(Dlg::IDD, script);
        Dlg dlg(&owner, {.exportSwf = [this](const std::string& p) { swfPaths.push_back(p); },
                         .exportExcel = [this](const std::string& p) { excelPaths.push_back(p); },
                         .modelSourcePath = (dir / "model.xlsx").string()});
        return dlg.DoModal();
    }

    testsupport::TempDir dir;
    std::vector<std::string> swfPaths;
    std::vector<std::string> excelPaths;
};

TEST_F(ExportScenarioDlgTest, SwfSnapshotsKeepTheDialogOpen)
{
    files->AnswerFile(std::nullopt);
    files->AnswerFile((dir / "snap.swf").string());
    EXPECT_EQ(Run([&](CDialog& dlg) {
                  Button(dlg, Dlg::IDC_EXPORT_SWF).Click(); // cancelled
                  Button(dlg, Dlg::IDC_EXPORT_SWF).Click();
                  Button(dlg, Dlg::IDC_SWF_SETTINGS).Click(); // does nothing
                  EXPECT_FALSE(dlg.IsEnded());
                  Button(dlg, IDCANCEL).Click();
              }),
              IDCANCEL);
    EXPECT_EQ(swfPaths, std::vector<std::string>{(dir / "snap.swf").string()});
    ASSERT_EQ(files->Log().size(), 2u);
    EXPECT_EQ(files->Log()[1].file.title, "Export Macromedia Flash (SWF)");
    EXPECT_EQ(files->Log()[1].file.filter, "SWF Files (*.swf)|*.swf|");
    EXPECT_FALSE(files->Log()[1].file.open);
}

TEST_F(ExportScenarioDlgTest, ExcelExportNeverWritesOverTheImportedWorkbook)
{
    std::ofstream(dir / "model.xlsx") << "x";
    std::filesystem::create_directories(dir / "sub");
    // The imported workbook under a second spelling, then another path.
    files->AnswerFile((dir / "sub" / ".." / "model.xlsx").string());
    files->AnswerFile((dir / "copy.xlsx").string());
    boxes->Answer(IDOK);
    EXPECT_EQ(Run([&](CDialog& dlg) {
                  Button(dlg, Dlg::IDC_EXPORT_EXCEL).Click();
                  EXPECT_FALSE(dlg.IsEnded());
                  Button(dlg, Dlg::IDC_EXPORT_EXCEL).Click();
              }),
              IDOK);
    ASSERT_EQ(boxes->Log().size(), 1u);
    EXPECT_EQ(boxes->Log()[0].text, "Please select a different file.  Cannot write to import file.");
    EXPECT_EQ(boxes->Log()[0].caption, "Invalid File");
    EXPECT_EQ(excelPaths, std::vector<std::string>{(dir / "copy.xlsx").string()});
    EXPECT_EQ(files->Log()[0].file.title, "Export Excel Workbook");
    EXPECT_FALSE(files->Log()[0].file.flags & OFN_OVERWRITEPROMPT);
}

} // namespace
