#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/window/Wnd.h"
#include "tests/support/UiTest.h"

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
