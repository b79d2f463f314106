#include "ControlFixture.h"

#include "platform/dialogs/CommonDialogs.h"
#include "base/PlatformServices.h"
#include "tests/support/FlashPlayerFake.h"
#include "platform/window/RasterWindowHost.h"
#include "platform/controls/ShockwaveFlash.h"

#include "tests/support/TestSupport.h"

namespace {

class CommonDialogTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        dialogs = &UseScriptedCommonDialogs();
    }
    void TearDown() override
    {
        EXPECT_TRUE(dialogs->Unexpected().empty()) << "a common dialog nobody answered";
        ResetCommonDialogService();
        ControlTest::TearDown();
    }
    CScriptedCommonDialogs* dialogs = nullptr;
};

TEST_F(CommonDialogTest, FileDialogsAddTheExtensionRefuseMissingFilesAndAskBeforeReplacing)
{
    testsupport::TempDir dir;
    testsupport::WriteBytes(dir / "book.xls", {1});
    const std::string existing = (dir / "book.xls").string();

    CFileDialog open(TRUE, nullptr, "*.xls", OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_FILEMUSTEXIST,
                     "Excel files (*.xls)|.xls|", &parent);
    dialogs->AnswerFile(existing);
    EXPECT_EQ(open.DoModal(), IDOK);
    EXPECT_EQ(open.GetPathName(), existing);
    EXPECT_EQ(open.GetFileTitle(), "book");
    EXPECT_EQ(open.GetFileExt(), "xls");
    EXPECT_EQ(dialogs->Log()[0].file.fileName, "*.xls");
    EXPECT_EQ(dialogs->Log()[0].file.filter, "Excel files (*.xls)|.xls|");
    dialogs->AnswerFile((dir / "missing.xls").string());
    EXPECT_EQ(open.DoModal(), IDCANCEL);

    CFileDialog save(FALSE, "swf", "movie", OFN_OVERWRITEPROMPT, "Flash (*.swf)|*.swf||", &parent);
    dialogs->AnswerFile((dir / "out").string());
    EXPECT_EQ(save.DoModal(), IDOK);
    EXPECT_EQ(save.GetPathName(), (dir / "out.swf").string());
    dialogs->AnswerFile(existing);
    boxes->Answer(IDNO);
    EXPECT_EQ(save.DoModal(), IDCANCEL);
    ASSERT_EQ(boxes->Log().size(), 1u);
    EXPECT_EQ(boxes->Log()[0].caption, "Save As");
    dialogs->AnswerFile(std::nullopt);
    EXPECT_EQ(save.DoModal(), IDCANCEL);
    EXPECT_TRUE(parent.IsWindowEnabled());
}

// A file dialog given no folder opens where the current folder holds files of its kinds, else
// in the user's documents (the designer's current folder is its installation).
TEST_F(CommonDialogTest, AFileDialogWithoutAFolderOpensAmongFilesOfItsKindElseInTheUsersDocuments)
{
    testsupport::TempDir home, current;
    std::filesystem::create_directories(home / "Documents");
    GetPlatformServices().OverrideEnv("HOME", home.path().string());
    const std::filesystem::path before = GetCurrentDirectoryPath();
    ASSERT_TRUE(SetCurrentDirectoryPath(current.path()));
    testsupport::WriteBytes(current / "notes.txt", {1});
    const auto startsIn = [&](const char* name, const char* filter) {
        CFileDialog save(FALSE, "swf", name, OFN_OVERWRITEPROMPT, filter, &parent);
        dialogs->AnswerFile(std::nullopt);
        save.DoModal();
        return dialogs->Log().back().file.initialDir;
    };
    EXPECT_EQ(startsIn("movie", "Flash (*.swf)|*.swf||"), (home / "Documents").string());
    testsupport::WriteBytes(current / "old.swf", {1});
    EXPECT_EQ(startsIn("movie", "Flash (*.swf)|*.swf||"), current.path().string());
    EXPECT_EQ(startsIn("movie", "Pictures|*.png;*.jpg|Text|*.txt|"), current.path().string());
    // A name with its folder opens there.
    EXPECT_EQ(startsIn((home / "movie.swf").string().c_str(), "Flash (*.swf)|*.swf||"), "");
    std::filesystem::remove_all(home / "Documents");
    std::filesystem::remove(current / "old.swf");
    EXPECT_EQ(startsIn("movie", "Flash (*.swf)|*.swf||"), home.path().string());
    SetCurrentDirectoryPath(before);
    ResetPlatformServices();
}

// Once a file has been chosen, a dialog given no folder opens beside it (Open and Import start
// where the person last was); a folder given still comes first.
TEST_F(CommonDialogTest, AFileDialogWithoutAFolderOpensWhereAFileWasLastChosen)
{
    testsupport::TempDir home, work, other, current;
    GetPlatformServices().OverrideEnv("HOME", home.path().string());
    const std::filesystem::path before = GetCurrentDirectoryPath();
    ASSERT_TRUE(SetCurrentDirectoryPath(current.path()));
    testsupport::WriteBytes(work / "sales.xlsx", {1});
    const auto startsIn = [&](const std::string& folder, std::optional<std::string> answer) {
        CFileDialog open(TRUE, nullptr, "*.xlsx", OFN_FILEMUSTEXIST, "Excel|*.xlsx|", &parent);
        open.m_ofn.initialDir = folder;
        dialogs->AnswerFile(std::move(answer));
        open.DoModal();
        return dialogs->Log().back().file.initialDir;
    };
    EXPECT_EQ(startsIn("", (work / "sales.xlsx").string()), home.path().string());
    EXPECT_EQ(startsIn("", std::nullopt), work.path().string());
    EXPECT_EQ(startsIn(other.path().string(), std::nullopt), other.path().string());
    // A cancelled dialog moves nothing; a folder that went is passed over.
    EXPECT_EQ(startsIn("", std::nullopt), work.path().string());
    std::filesystem::remove_all(work.path());
    EXPECT_EQ(startsIn("", std::nullopt), home.path().string());
    SetCurrentDirectoryPath(before);
    ResetPlatformServices();
}

TEST_F(CommonDialogTest, ColourDialogKeepsSixteenCustomColoursAndWritesThemBackOnOkOnly)
{
    COLORREF table[16];
    std::fill(std::begin(table), std::end(table), RGB(255, 255, 255));
    std::array<COLORREF, 16> edited{};
    edited.fill(RGB(1, 2, 3));

    CColorDialog dlg(RGB(10, 20, 30), CC_FULLOPEN, &parent);
    dlg.m_cc.lpCustColors = table;
    dialogs->AnswerColour(std::nullopt, edited); // edits the table, then cancels
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(table[0], RGB(255, 255, 255));
    dialogs->AnswerColour(RGB(200, 100, 0), edited);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetColor(), RGB(200, 100, 0));
    EXPECT_EQ(table[15], RGB(1, 2, 3));
    EXPECT_EQ(dialogs->Log()[0].colour.colour, RGB(10, 20, 30));
    EXPECT_TRUE(dialogs->Log()[0].colour.flags & CC_RGBINIT);
}

TEST_F(CommonDialogTest, FontDialogReturnsTheChosenFontAndColour)
{
    CFont initial;
    initial.CreatePointFont(80, "Arial");
    CFontDialog dlg(&initial.GetLogFontRef(), CF_SCREENFONTS | CF_EFFECTS, nullptr, &parent);
    LOGFONT chosen = initial.GetLogFontRef();
    chosen.lfHeight = -16;
    chosen.lfWeight = FW_BOLD;
    dialogs->AnswerFont(chosen, RGB(255, 0, 0));
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetFaceName(), "Arial");
    EXPECT_EQ(dlg.GetSize(), 120);
    EXPECT_TRUE(dlg.IsBold());
    EXPECT_EQ(dlg.GetColor(), RGB(255, 0, 0));
    // Nothing scripted: cancelled and recorded.
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dialogs->Unexpected().size(), 1u);
    dialogs = &UseScriptedCommonDialogs(); // the unanswered one was meant
}

class StageControl : public CShockwaveFlash {
public:
    std::vector<std::string> commands;
    BOOL OnFSCommand(const std::string& command, const std::string& args) override
    {
        commands.push_back(command + " " + args);
        return TRUE;
    }
};

using FlashControlTest = ControlTest;

TEST_F(FlashControlTest, TheControlDrivesItsPlayerAndReceivesItsCommands)
{
    SetFlashPlayerFactory([] { return std::make_unique<CFakeFlashPlayer>(); });
    StageControl stage;
    ASSERT_TRUE(stage.Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, 120, 60), &parent, 158));
    auto* player = dynamic_cast<CFakeFlashPlayer*>(stage.GetPlayer());
    ASSERT_NE(player, nullptr);
    EXPECT_GT(stage.FlashVersion(), 0x60000);
    player->OnLabel("UpdateComponent", {{"UpdateComp", "Chart_1 0 100 0 50"}});
    stage.LoadMovie(0, "loadblank");
    stage.LoadMovie(0, "/tmp/kv1.swf");
    stage.SetVariable("_root.__compName", "Chart_1");
    stage.TCallLabel("/", "UpdateComponent");
    stage.SetMenu(FALSE);
    stage.SetBackgroundColor(0xFFFFFF);
    EXPECT_EQ(stage.commands, std::vector<std::string>{"UpdateComp Chart_1 0 100 0 50"});
    EXPECT_FALSE(stage.GetMenu());
    EXPECT_EQ(player->CallsOf("LoadMovie").size(), 2u);

    CRasterWindowHost& host = InstallRasterWindowHost();
    host.Snapshot(stage);
    EXPECT_EQ(player->DrawCount(), 1);

    // A template item of the player's class becomes a player control.
    DialogTemplate t;
    t.id = 300;
    t.cx = 100;
    t.cy = 60;
    t.Add(kFlashClassId, "", 146, 0, 0, 100, 60, WS_VISIBLE);
    GetDialogTemplates().Add(t);
    CDialog dlg(300, &parent);
    ASSERT_TRUE(dlg.Create(300, &parent));
    EXPECT_NE(dynamic_cast<CShockwaveFlash*>(dlg.GetDlgItem(146)), nullptr);

    // Without a player the control cannot be made: the product never makes a stand-in.
    ResetFlashPlayerFactory();
    CShockwaveFlash none;
    EXPECT_FALSE(none.Create("", WS_CHILD, CRect(0, 0, 10, 10), &parent, 159));
}

} // namespace
