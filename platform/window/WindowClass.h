#pragma once

#include "platform/window/Input.h"
#include "platform/window/Messages.h"

#include <exception>
#include <functional>
#include <string>

class CWnd;

constexpr UINT CS_VREDRAW = 0x1;
constexpr UINT CS_HREDRAW = 0x2;
constexpr UINT CS_DBLCLKS = 0x8;
constexpr UINT CS_OWNDC = 0x20;

// A window class by name, for the program's own controls that dialog templates name.
struct WNDCLASS {
    UINT style = 0;
    HCURSOR hCursor = nullptr;
    int hbrBackground = 0; // a system colour index + 1, or 0
    std::string lpszClassName;
};

// Registers a class once; registering a name again succeeds and changes nothing. Only an
// empty name fails.
BOOL AfxRegisterClass(const WNDCLASS* wndClass);
// True for registered and standard classes (the names are compared without case).
BOOL GetClassInfo(const char* className, WNDCLASS* out);

class CResourceException : public std::exception {
public:
    const char* what() const noexcept override { return "a window class or resource could not be created"; }
};
[[noreturn]] void AfxThrowResourceException();

namespace ui {

// Makes the window a dialog template item of this class is; the object deletes itself when
// its window is destroyed. Items of classes without a factory get a plain window.
using WindowFactory = std::function<CWnd*()>;
void RegisterWindowFactory(const std::string& className, WindowFactory factory);
CWnd* CreateTemplateItemObject(const std::string& className);
// Forgets the program's registrations; the standard classes stay.
void ResetWindowClasses();

template <class T> class AutoDeleteWnd : public T {
protected:
    void PostNcDestroy() override { delete this; }
};

} // namespace ui
