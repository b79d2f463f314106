#include "ScreenFixture.h"

#include <cstdint>
#include <fstream>
#include <vector>

#include "platform/controls/ShockwaveFlash.h"
#include "platform/docview/Frame.h"
#include "platform/drawing/Colors.h"

namespace {

// A movie of one frame on an orange stage that says fscommand("kvHello", "from the movie"),
// written byte by byte so the test does not depend on the program's movie writer.
std::vector<std::uint8_t> HelloMovie()
{
    std::vector<std::uint8_t> body;
    // The stage rectangle: 15-bit fields, 0..8000 by 0..6000 twips (400 x 300 pixels).
    std::uint64_t bits = 0;
    int count = 0;
    auto put = [&](std::uint32_t value, int n) {
        for (int i = n - 1; i >= 0; --i) {
            bits = (bits << 1) | ((value >> i) & 1u);
            if (++count == 8) {
                body.push_back(static_cast<std::uint8_t>(bits));
                bits = 0;
                count = 0;
            }
        }
    };
    put(15, 5);
    for (std::uint32_t v : {0u, 8000u, 0u, 6000u}) {
        put(v, 15);
    }
    while (count != 0) {
        put(0, 1);
    }
    body.insert(body.end(), {0x00, 0x0C, 0x01, 0x00}); // 12 frames a second, one frame
    auto tag = [&](unsigned code, const std::vector<std::uint8_t>& data) {
        const unsigned header = (code << 6) | 0x3F;
        body.push_back(static_cast<std::uint8_t>(header & 0xFF));
        body.push_back(static_cast<std::uint8_t>(header >> 8));
        const auto n = static_cast<std::uint32_t>(data.size());
        for (int i = 0; i < 4; ++i) {
            body.push_back(static_cast<std::uint8_t>(n >> (8 * i)));
        }
        body.insert(body.end(), data.begin(), data.end());
    };
    tag(9, {0xFF, 0x99, 0x33}); // background colour
    const std::string url = "FSCommand:kvHello";
    const std::string target = "from the movie";
    std::vector<std::uint8_t> action{0x83};
    const auto length = static_cast<std::uint16_t>(url.size() + 1 + target.size() + 1);
    action.push_back(static_cast<std::uint8_t>(length & 0xFF));
    action.push_back(static_cast<std::uint8_t>(length >> 8));
    action.insert(action.end(), url.begin(), url.end());
    action.push_back(0);
    action.insert(action.end(), target.begin(), target.end());
    action.push_back(0);
    action.push_back(0); // end of the actions
    tag(12, action);
    body.insert(body.end(), {0x40, 0x00, 0x00, 0x00}); // show frame, end
    std::vector<std::uint8_t> movie{'F', 'W', 'S', 6};
    const auto total = static_cast<std::uint32_t>(body.size() + 8);
    for (int i = 0; i < 4; ++i) {
        movie.push_back(static_cast<std::uint8_t>(total >> (8 * i)));
    }
    movie.insert(movie.end(), body.begin(), body.end());
    return movie;
}

class Stage : public CShockwaveFlash {
public:
    BOOL OnFSCommand(const std::string& command, const std::string& args) override
    {
        commands.push_back(command + "|" + args);
        return TRUE;
    }
    void OnMovieNotLoaded(const std::string&, const std::string& why) override { notLoaded.push_back(why); }
    std::vector<std::string> commands;
    std::vector<std::string> notLoaded;
};

std::filesystem::path WriteHelloMovie()
{
    const std::filesystem::path movie = testsupport::ArtefactDir("screen") / "hello.swf";
    const std::vector<std::uint8_t> bytes = HelloMovie();
    std::ofstream out(movie, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return movie;
}

using PlayerOnScreenTest = ScreenTest;

TEST_F(PlayerOnScreenTest, AMovieInThePlayerControlSendsItsCommandToTheControl)
{
    const std::filesystem::path movie = WriteHelloMovie();
    CFrameWnd frame;
    ASSERT_TRUE(frame.Create(nullptr, "Stage", WS_OVERLAPPEDWINDOW, CRect(20, 20, 500, 400)));
    Stage stage;
    ASSERT_TRUE(stage.Create("", WS_CHILD | WS_VISIBLE, CRect(40, 30, 440, 330), &frame, 1));
    ASSERT_NE(stage.GetPlayer(), nullptr);
    frame.ShowWindow(SW_SHOW);
    stage.LoadMovie(0, movie.string());
    ASSERT_TRUE(gtkscreen::RunUntil([&] { return !stage.commands.empty(); }, 30000))
        << "the movie's command never came";
    EXPECT_EQ(stage.commands.front(), "kvHello|from the movie");
    ASSERT_TRUE(gtkscreen::RunUntil([&] { return gtkscreen::PlayerIdle(stage); }, 10000));
    gtkscreen::RunUntil([] { return false; }, 500); // a few frames of the player
    const CBitmap shot = Shot(frame, "player-control");
    // The movie's orange stage shows over the control's rectangle, inside the frame's face.
    EXPECT_EQ(shot.GetPixel(240, 180), RGB(0xFF, 0x99, 0x33));
    EXPECT_EQ(shot.GetPixel(10, 10), GetSysColor(COLOR_BTNFACE));
    frame.DestroyWindow();
}

// A movie that cannot be loaded is tried again and then reported to the control, rather than
// left as an empty view without a word.
TEST_F(PlayerOnScreenTest, AMovieThatCannotBeLoadedIsReportedToTheControl)
{
    const std::filesystem::path movie = WriteHelloMovie();
    CFrameWnd frame;
    ASSERT_TRUE(frame.Create(nullptr, "Missing", WS_OVERLAPPEDWINDOW, CRect(20, 20, 500, 400)));
    frame.ShowWindow(SW_SHOW);
    Stage stage;
    ASSERT_TRUE(stage.Create("", WS_CHILD | WS_VISIBLE, CRect(40, 30, 440, 330), &frame, 1));
    stage.LoadMovie(0, (testsupport::ArtefactDir("screen") / "missing.swf").string());
    EXPECT_TRUE(gtkscreen::RunUntil([&] { return !stage.notLoaded.empty(); }, 120000))
        << "a movie that cannot be loaded was not reported";
    // What follows it still plays.
    stage.LoadMovie(0, movie.string());
    EXPECT_TRUE(gtkscreen::RunUntil([&] { return !stage.commands.empty(); }, 60000)) << "the next movie never played";
    EXPECT_EQ(stage.notLoaded.size(), 1u);
    frame.DestroyWindow();
}

} // namespace
