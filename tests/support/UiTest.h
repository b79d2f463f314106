#pragma once

#include <gtest/gtest.h>

#include "base/Clock.h"
#include "platform/window/Input.h"
#include "platform/docview/Menu.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/window/MessageQueue.h"
#include "platform/docview/Resources.h"
#include "platform/window/Screen.h"
#include "platform/window/WindowHost.h"
#include "platform/window/Wnd.h"

// Every test starts from a clean user interface: no windows, an empty queue, a simulated
// clock, scripted message boxes that fail the test when one comes unasked.
class UiTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetWindows();
        ResetMessageQueue();
        clock = &UseManualClock(1000);
        boxes = &UseScriptedMessageBoxes();
        ResetInputState();
        ResetResources();
        ResetScreenMetrics();
        ResetPopupMenuHook();
        ResetWindowHost();
    }
    void TearDown() override
    {
        EXPECT_TRUE(boxes->Unexpected().empty()) << "unexpected message box: " << boxes->Unexpected()[0].text;
        ResetWindows();
        ResetMessageQueue();
        ResetClock();
        ResetMessageBoxService();
        ResetPopupMenuHook();
    }

    CManualClock* clock = nullptr;
    CScriptedMessageBoxes* boxes = nullptr;
};
