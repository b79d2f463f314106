// The General tab of the backgrounds: art or an imported file, and what the import leaves for
// the next opening.

#include "pages/BackgroundGeneralPage.h"
#include "publish/TempFiles.h"
#include "tests/pages/MovieSamples.h"
#include "tests/pages/PageFixture.h"

namespace {

using Page = CBackgroundGeneralPage;
using model::ParamType;

class BackgroundGeneralPageTest : public pagetest::PageTest {
protected:
    void SetUp() override
    {
        PageTest::SetUp();
        root = Load("KVBackground2Symbol", "");
        general = Param(root, "General")->GetSet();
        // The shipped background has art only; give it what an image component also holds.
        auto file = std::make_unique<CParameter>("externalFile", ParamType::Group);
        for (const char* key : {"pathName", "fileName", "bgType"})
            file->GetSet()->Add(std::make_unique<CParameter>(key, ParamType::Text));
        for (const char* key : {"bgWidth", "bgHeight"})
            file->GetSet()->Add(std::make_unique<CParameter>(key, ParamType::Number));
        file->GetSet()->Add(std::make_unique<CParameter>("bgColor", ParamType::Color));
        for (const char* key : {"bgBG", "embed"})
            file->GetSet()->Add(std::make_unique<CParameter>(key, ParamType::Boolean));
        general->Add(std::move(file));
        general->Add(std::make_unique<CParameter>("blockMouseEvents", ParamType::Boolean));
        auto tiling = std::make_unique<CParameter>("tilingOptions", ParamType::Group);
        for (const char* key : {"tileMiddleVertical", "tileMiddleHorizontal"}) {
            auto flag = std::make_unique<CParameter>(key, ParamType::Boolean);
            flag->SetBool(true);
            tiling->GetSet()->Add(std::move(flag));
        }
        general->Add(std::move(tiling));
    }
    void TearDown() override
    {
        temporaries.RemoveAll();
        PageTest::TearDown();
    }
    Page& OpenGeneral() { return Show(std::make_unique<Page>(temporaries, tip), general, "General", root); }
    CParameter* File(const char* key) { return Param(general, "externalFile")->GetSet()->FindParameter(key); }
    CParameter* Tile(const char* key) { return Param(general, "tilingOptions")->GetSet()->FindParameter(key); }

    testsupport::TempDir dir;
    publish::CDefaultTempFiles temporaries;
    pages::SwfImportTip tip;
    CParameterSet* root = nullptr;
    CParameterSet* general = nullptr;
};

TEST_F(BackgroundGeneralPageTest, ArtAndFileExcludeEachOtherAndTheTilingFollows)
{
    OpenGeneral();
    EXPECT_TRUE(Checked(Page::IDC_USE_ART));
    EXPECT_FALSE(Enabled(Page::IDC_IMPORT));
    EXPECT_FALSE(Enabled(Page::IDC_SHOW_BG_COLOR));

    Click(Page::IDC_USE_FILE);
    EXPECT_TRUE(Param(general, "useExternalFile")->GetBool());
    EXPECT_FALSE(Param(general, "artEnabled")->GetBool());
    EXPECT_FALSE(Checked(Page::IDC_USE_ART));
    EXPECT_TRUE(Enabled(Page::IDC_IMPORT));
    EXPECT_FALSE(Tile("tileMiddleVertical")->GetBool());

    Click(Page::IDC_USE_ART);
    EXPECT_FALSE(Param(general, "useExternalFile")->GetBool());
    EXPECT_FALSE(Enabled(Page::IDC_IMPORT));
    EXPECT_TRUE(Tile("tileMiddleVertical")->GetBool()); // as the page found it
    EXPECT_EQ(Notified(), 2);
}

TEST_F(BackgroundGeneralPageTest, ImportingOurOwnMovieIsRememberedAcrossOpenings)
{
    const auto movie = dir / "published.swf";
    testsupport::WriteBytes(movie, pagetest::MovieBytes(6, true));
    OpenGeneral();
    Click(Page::IDC_USE_FILE);
    files->AnswerFile(movie.string());
    boxes->Answer(IDOK); // the warning about our own movie
    Click(Page::IDC_IMPORT);
    EXPECT_EQ(File("pathName")->GetString(), movie.string());
    EXPECT_EQ(File("bgType")->GetString(), "swf");
    EXPECT_TRUE(Param(general, "useExternalFile")->GetBool());
    EXPECT_TRUE(Checked(Page::IDC_USE_FILE));
    EXPECT_FALSE(Enabled(Page::IDC_EMBED));
    EXPECT_TRUE(Enabled(Page::IDC_SHOW_BG_COLOR));
    Picture("background-general");

    // The next opening knows the movie is ours.
    page.reset();
    OpenGeneral();
    EXPECT_FALSE(Enabled(Page::IDC_EMBED));
}

TEST_F(BackgroundGeneralPageTest, AnUnopenedPageLeavesTheRememberedFlag)
{
    const std::uint8_t ours = 1;
    owner.properties.SetProperty(Page::kOursKey, &ours, 1);
    {
        Page unopened(temporaries, tip);
        unopened.Create(general, "General", false, &owner, root);
    }
    std::uint8_t read = 0;
    owner.properties.GetProperty(Page::kOursKey, &read, 1);
    EXPECT_EQ(read, 1);
}

TEST_F(BackgroundGeneralPageTest, ACancelledOrRefusedImportStillChoosesTheFile)
{
    OpenGeneral();
    Click(Page::IDC_USE_FILE);
    Click(Page::IDC_USE_FILE);
    EXPECT_FALSE(Param(general, "useExternalFile")->GetBool());
    // Importing is offered only while the file is chosen; the dialog's answer does not matter.
    Click(Page::IDC_USE_FILE);
    files->AnswerFile(std::nullopt);
    Click(Page::IDC_IMPORT);
    EXPECT_TRUE(Param(general, "useExternalFile")->GetBool());
    EXPECT_EQ(File("pathName")->GetString(), "");

    const auto text = dir / "notes.txt";
    testsupport::WriteBytes(text, {'h', 'i'});
    files->AnswerFile(text.string());
    boxes->Answer(IDOK);
    Click(Page::IDC_IMPORT);
    ASSERT_EQ(boxes->Log().size(), 1u);
    EXPECT_EQ(boxes->Log()[0].text, "Vantorel supports importing of jpegs and Macromedia Flash (SWF) files");
    EXPECT_EQ(File("pathName")->GetString(), "");
}

} // namespace
