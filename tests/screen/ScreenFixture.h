#pragma once

// Tests of the window layer on a real display (Xvfb in the test run). The screen is opened
// once by the program's main; every test starts without windows and on the real clock, and
// drives the windows with the toolkit's own events.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/dialogs/Dialog.h"
#include "platform/dialogs/DialogTemplate.h"
#include "platform/drawing/Png.h"
#include "platform/gtk/GtkScreen.h"
#include "base/Clock.h"
#include "platform/window/Input.h"
#include "platform/window/MessageQueue.h"
#include "platform/window/Wnd.h"
#include "tests/support/TestSupport.h"

class ScreenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetWindows();
        ResetMessageQueue();
        ResetClock();
        ResetInputState();
        ui::ResetDialogHooks();
        ui::SetModalLoopWaits(true);
    }
    void TearDown() override
    {
        ResetWindows();
        gtkscreen::Flush();
        ResetMessageQueue();
        ui::ResetDialogHooks();
        ui::SetModalLoopWaits(true);
    }

    // The window as the display shows it, kept in the test output for a person to look at.
    static CBitmap Shot(CWnd& top, const std::string& name)
    {
        CBitmap picture = gtkscreen::ReadScreen(top);
        EXPECT_TRUE(picture.IsCreated()) << name;
        if (picture.IsCreated()) {
            EXPECT_TRUE(WritePng(testsupport::ArtefactDir("screen") / (name + ".png"), picture));
        }
        return picture;
    }

    // Pixels of a rectangle that are neither of two colours: glyphs drawn with real fonts
    // blend their edges into the background, which the bitmap font never does.
    static int BlendedPixels(const CBitmap& picture, const CRect& area, COLORREF a, COLORREF b)
    {
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                const COLORREF c = picture.GetPixel(x, y);
                count += (c != a && c != b) ? 1 : 0;
            }
        }
        return count;
    }
};
