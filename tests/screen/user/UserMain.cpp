#include <gtest/gtest.h>

#include <cstdio>

#include "platform/gtk/GtkScreen.h"
#include "tests/screen/CrashReport.h"

// The tests of a person at the screen need a display with a window manager (the test run
// starts Xvfb and openbox); without a display they are skipped (exit 77), never passed.
int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    screentest::ReportCrashes();
    std::string error;
    if (!gtkscreen::OpenScreen({}, &error)) {
        std::printf("skipped: %s\n", error.c_str());
        return 77;
    }
    const int status = RUN_ALL_TESTS();
    gtkscreen::CloseScreen();
    return status;
}
