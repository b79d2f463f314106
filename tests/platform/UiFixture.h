#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/services/Clock.h"
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

// A window that writes every message it handles into a shared log as "name:WM_x".
class LoggingWnd : public CWnd {
public:
    LoggingWnd(std::string name, std::vector<std::string>* log) : name_(std::move(name)), log_(log) {}

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        const char* label = Label(message);
        if (label != nullptr) {
            log_->push_back(name_ + ":" + label);
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

    static const char* Label(UINT message)
    {
        switch (message) {
        case WM_CREATE:
            return "create";
        case WM_DESTROY:
            return "destroy";
        case WM_NCDESTROY:
            return "ncdestroy";
        case WM_SETFOCUS:
            return "setfocus";
        case WM_KILLFOCUS:
            return "killfocus";
        case WM_SHOWWINDOW:
            return "show";
        case WM_SIZE:
            return "size";
        case WM_MOVE:
            return "move";
        case WM_ENABLE:
            return "enable";
        case WM_PAINT:
            return "paint";
        case WM_TIMER:
            return "timer";
        case WM_CAPTURECHANGED:
            return "capturechanged";
        default:
            return nullptr;
        }
    }

    std::string name_;
    std::vector<std::string>* log_;
};
