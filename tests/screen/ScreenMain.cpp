#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/gtk/GtkScreen.h"
#include "tests/screen/CrashReport.h"

// The screen tests need a display; without one they are skipped (exit 77, which CTest reports
// as skipped), never passed.
int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    screentest::ReportCrashes();
    std::string error;
    gtkscreen::ScreenOptions options;
    options.coreEvents = true;
    if (!gtkscreen::OpenScreen(options, &error)) {
        std::printf("skipped: %s\n", error.c_str());
        return 77;
    }
    // The player checks need the installation's player page and Ruffle.
    if (const char* install = std::getenv("VANTOREL_SCREEN_PLAYER")) {
        if (!gtkscreen::UseWebKitPlayer(install, &error)) {
            std::printf("skipped: %s\n", error.c_str());
            gtkscreen::CloseScreen();
            return 77;
        }
    }
    const int status = RUN_ALL_TESTS();
    gtkscreen::CloseScreen();
    return status;
}
