#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/gtk/GtkScreen.h"
#include "tests/screen/CrashReport.h"

// The tests of a person at the screen need a display with a window manager (the test run
// starts Xvfb and openbox); without a display they are skipped (exit 77), never passed.
int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    screentest::ReportCrashes();
    // What the players' pages keep (a movie's shared objects) lies in a folder of this run's
    // own, so that no run sees what an earlier one saved.
    std::string data = (std::filesystem::temp_directory_path() / "screen-user-XXXXXX").string();
    if (mkdtemp(data.data()) == nullptr) {
        std::perror("screen_user_tests: no folder for the players' data");
        return 1;
    }
    setenv("XDG_DATA_HOME", data.c_str(), 1);
    std::string error;
    if (!gtkscreen::OpenScreen({}, &error)) {
        std::printf("skipped: %s\n", error.c_str());
        return 77;
    }
    const int status = RUN_ALL_TESTS();
    gtkscreen::CloseScreen();
    std::error_code ignored;
    std::filesystem::remove_all(data, ignored);
    return status;
}
