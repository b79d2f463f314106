#include "UiFixture.h"
#include "platform/services/ObjectFactory.h"
#include "platform/services/Services.h"
#include "platform/drawing/Font.h"
#include "platform/docview/WinApp.h"
#include "base/TextCodes.h"
#include "base/Worker.h"
#include "tests/support/TestSupport.h"

namespace {

TEST(TextCodes, CodePointsAtEveryLengthBoundaryRoundTripAndHexDigitsStopAtTheirRange)
{
    const std::vector<char32_t> points = {0x0, 0x7F, 0x80, 0x7FF, 0x800, 0xFFFD, 0xFFFF, 0x10000, 0x10FFFF};
    std::string text;
    for (char32_t c : points)
        ui::AppendUtf8(text, c);
    EXPECT_EQ(text.size(), 1u + 1 + 2 + 2 + 3 + 3 + 3 + 4 + 4);
    EXPECT_EQ(ui::DecodeUtf8(text), points);
    EXPECT_EQ(ui::EncodeUtf8(0x20AC), "\xE2\x82\xAC");

    EXPECT_EQ(ui::HexDigitValue('0'), 0);
    EXPECT_EQ(ui::HexDigitValue('9'), 9);
    EXPECT_EQ(ui::HexDigitValue('a'), 10);
    EXPECT_EQ(ui::HexDigitValue('F'), 15);
    for (char c : {'/', ':', '@', 'G', '`', 'g', ' ', '\0'})
        EXPECT_EQ(ui::HexDigitValue(c), -1) << c;
}

class ServicesTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        ResetPlatformServices();
        ResetObjectFactory();
        shell = &UseRecordingShell();
    }
    void TearDown() override
    {
        ResetPlatformServices();
        ResetObjectFactory();
        ResetShellService();
        UiTest::TearDown();
    }
    CRecordingShell* shell = nullptr;
};

TEST_F(ServicesTest, EnvironmentAndFoldersFollowTheOverrides)
{
    CPlatformServices& s = GetPlatformServices();
    s.OverrideEnv("MY_SOFT", "/opt/soft");
    s.OverrideEnv("HOME", std::nullopt);
    s.OverrideEnv("XDG_CONFIG_HOME", std::nullopt);
    EXPECT_EQ(s.GetEnv("MY_SOFT"), "/opt/soft");
    EXPECT_EQ(s.AppDataFolder(), std::nullopt) << "no home, no settings folder";
    s.OverrideEnv("HOME", "/home/u");
    EXPECT_EQ(s.AppDataFolder(), std::filesystem::path("/home/u/.config"));
    s.OverrideEnv("XDG_CONFIG_HOME", "/cfg");
    EXPECT_EQ(s.AppDataFolder(), std::filesystem::path("/cfg"));
    EXPECT_TRUE(s.ModuleFileName().is_absolute());
    s.SetModuleFileName("/opt/soft/ui/bin/vantorel");
    EXPECT_EQ(s.ModuleFileName(), std::filesystem::path("/opt/soft/ui/bin/vantorel"));
}

TEST_F(ServicesTest, ShellAndHelpRequestsAreRecorded)
{
    EXPECT_GT(ShellExecute(nullptr, "open", "/samples/readme.html", nullptr, nullptr, SW_SHOW), 32);
    EXPECT_NE(HtmlHelp(nullptr, "vantorel.chm::/topics/charts.htm", HH_DISPLAY_TOPIC, 0), nullptr);
    EXPECT_NE(HtmlHelp(nullptr, "vantorel.chm", HH_HELP_CONTEXT, 1234), nullptr);
    ASSERT_EQ(shell->requests.size(), 3u);
    EXPECT_EQ(shell->requests[0].target, "/samples/readme.html");
    EXPECT_EQ(shell->requests[1].target, "vantorel.chm");
    EXPECT_EQ(shell->requests[1].detail, "/topics/charts.htm");
    EXPECT_EQ(shell->requests[2].detail, "context:1234");

    shell->succeed = false;
    EXPECT_LE(ShellExecute(nullptr, "open", "x", nullptr, nullptr, SW_SHOW), 32);
    EXPECT_EQ(HtmlHelp(nullptr, "vantorel.chm", HH_DISPLAY_TOPIC, 0), nullptr);
}

class FakePlayer : public IAutomationObject {
public:
    explicit FakePlayer(std::int64_t version) : version_(version) {}
    std::optional<AutomationValue> GetProperty(const std::string& name) override
    {
        if (name == "FlashVersion") {
            return version_;
        }
        return std::nullopt;
    }
    std::int64_t version_;
};

TEST_F(ServicesTest, ObjectsAreMadeByProgramIdAndFailuresAreReported)
{
    CObjectFactory& factory = GetObjectFactory();
    factory.Register("ShockwaveFlash.ShockwaveFlash", [] { return std::make_unique<FakePlayer>(0x60001); });
    factory.Register("Excel.Application",
                     []() -> std::unique_ptr<IAutomationObject> { throw std::runtime_error("server busy"); });
    factory.Register("Outlook.Application", [] { return std::unique_ptr<IAutomationObject>(); });

    std::string error;
    auto player = factory.Create("ShockwaveFlash.ShockwaveFlash", &error);
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(std::get<std::int64_t>(*player->GetProperty("FlashVersion")), 0x60001);
    EXPECT_EQ(player->GetProperty("Nothing"), std::nullopt);

    EXPECT_EQ(factory.Create("Excel.Application", &error), nullptr);
    EXPECT_NE(error.find("server busy"), std::string::npos);
    EXPECT_EQ(factory.Create("Outlook.Application", &error), nullptr);
    EXPECT_EQ(factory.Create("Powerpoint.Application", &error), nullptr);
    EXPECT_NE(error.find("Powerpoint.Application"), std::string::npos);

    GetPlatformServices().oleInitSucceeds = false;
    EXPECT_FALSE(AfxOleInit());
}

TEST_F(ServicesTest, MessageBoxesAreLoggedAndUnqueuedOnesAnsweredWithTheDefault)
{
    struct Case {
        UINT flags;
        int answer;
    } defaults[] = {
        {MB_OK, IDOK},
        {MB_YESNO, IDYES},
        {MB_YESNO | MB_DEFBUTTON2, IDNO},
        {MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL},
        {MB_RETRYCANCEL, IDRETRY},
        {MB_OKCANCEL | MB_DEFBUTTON2, IDCANCEL},
    };
    for (const Case& c : defaults) {
        EXPECT_EQ(DefaultMessageBoxAnswer(c.flags), c.answer) << c.flags;
    }

    CWinApp app("Vantorel");
    boxes->Answer(IDNO);
    {
        CWaitCursor wait;
        EXPECT_EQ(AfxMessageBox("Replace?", MB_YESNO | MB_ICONQUESTION), IDNO);
        EXPECT_EQ(CursorId(GetCursor()), static_cast<UINT>(IDC_WAIT)) << "the wait cursor comes back";
    }
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, "", "", 0, CRect(0, 0, 10, 10), nullptr, 0));
    EXPECT_EQ(owner.MessageBox("Problem", "Warning", MB_ICONSTOP), IDOK);
    ASSERT_EQ(boxes->Log().size(), 2u);
    EXPECT_EQ(boxes->Log()[0].caption, "Vantorel");
    EXPECT_EQ(boxes->Log()[1].caption, "Warning");
    ASSERT_EQ(boxes->Unexpected().size(), 1u) << "no answer was queued for the second box";
    EXPECT_EQ(boxes->Unexpected()[0].text, "Problem");
    boxes->Clear(); // this test expected it
}

TEST_F(ServicesTest, AWorkerReportsThroughTheQueueAndStopsWhenAsked)
{
    std::vector<std::string> log;
    LoggingWnd main("main", &log);
    ASSERT_TRUE(main.CreateEx(0, "", "", 0, CRect(0, 0, 10, 10), nullptr, 0));
    HWND target = main.m_hWnd;
    CWorkerThread worker;
    worker.Start([target](std::stop_token) {
        for (int step = 0; step <= 10; ++step) {
            ::PostMessage(target, WM_APP + 0xC8, 2, step);
        }
        ::PostMessage(target, WM_APP + 0xC8, 1, 0);
    });
    MSG msg;
    std::vector<LPARAM> steps;
    while (GetMessageQueue().Get(msg)) {
        if (msg.wParam == 1) {
            break;
        }
        steps.push_back(msg.lParam);
    }
    worker.Join();
    EXPECT_EQ(steps.size(), 11u);
    EXPECT_EQ(steps.back(), 10);

    std::atomic<bool> stopped{false};
    worker.Start([&stopped](std::stop_token token) {
        while (!token.stop_requested()) {
            std::this_thread::yield();
        }
        stopped = true;
    });
    EXPECT_TRUE(worker.IsRunning());
    worker.Stop();
    EXPECT_TRUE(stopped);
    EXPECT_FALSE(worker.IsRunning());
}

} // namespace
