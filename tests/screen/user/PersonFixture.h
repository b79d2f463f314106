#pragma once

// Windows driven by a person at the screen: pointer and keys through the X server, at the
// places the display shows the controls (see platform/gtk/ScreenUser.h). Each test starts
// without windows, on the real clock; its screenshots are kept in build/artefacts/screen-user/
// for a person to look at.

#include "../ScreenFixture.h"

#include <functional>
#include <string>

#include "platform/gtk/ScreenUser.h"

using gtkscreen::PersonAtScreen;
using gtkscreen::ScreenUser;

// The screen fixture (no windows at the start, the real clock) with a person's helpers.
class PersonTest : public ScreenTest {
protected:
    static std::string TitleOf(ScreenUser& user, CWnd& wnd)
    {
        std::string title;
        user.OnUi([&] { title = wnd.GetTopLevelParent()->GetWindowText(); });
        return title;
    }
    static std::string ShotPath(const std::string& name)
    {
        return (testsupport::ArtefactDir("screen-user") / (name + ".png")).string();
    }
    // The screen as the person sees it now.
    static void Shot(ScreenUser& user, const std::string& name)
    {
        user.WaitDrawn();
        EXPECT_TRUE(user.Shot(ShotPath(name))) << name;
    }
    // The part of the screen a top-level window covers, frame included.
    static void ShotOf(ScreenUser& user, CWnd& top, const std::string& name)
    {
        user.WaitDrawn();
        CRect r = user.RectOf(top);
        r.InflateRect(8, 32, 8, 8);
        EXPECT_TRUE(user.Shot(ShotPath(name), &r)) << name;
    }
};

// A script's start: the person is ready and the window shows on the screen.
#define PERSON_READY(user, wnd)                                                                     \
    ASSERT_TRUE((user).Ready()) << (user).Problem();                                                \
    ASSERT_TRUE((user).WaitFor([&] { return !(user).RectOf(wnd).IsRectEmpty(); }, 5000)) << "not shown";      \
    (user).WaitDrawn();                                                                             \
    EXPECT_TRUE((user).WaitForFocusedTitle(PersonTest::TitleOf(user, wnd))) << "the window has no keyboard focus"
