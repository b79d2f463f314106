#include "platform/window/WindowClass.h"

#include "platform/controls/Button.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/Edit.h"
#include "platform/controls/ListBox.h"
#include "platform/controls/ListCtrl.h"
#include "platform/controls/ProgressCtrl.h"
#include "platform/controls/ScrollBar.h"
#include "platform/controls/ShockwaveFlash.h"
#include "platform/controls/SliderCtrl.h"
#include "platform/controls/SpinButtonCtrl.h"
#include "platform/controls/Static.h"
#include "platform/controls/TabCtrl.h"

#include <algorithm>
#include <cctype>
#include <map>

namespace {

std::string Key(std::string name)
{
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return name;
}

template <class T> ui::WindowFactory Make()
{
    return [] { return static_cast<CWnd*>(new ui::AutoDeleteWnd<T>()); };
}

struct ClassTable {
    std::map<std::string, WNDCLASS> classes;
    std::map<std::string, ui::WindowFactory> factories;

    ClassTable() { Standard(); }
    void Standard()
    {
        classes.clear();
        factories.clear();
        const std::pair<const char*, ui::WindowFactory> standard[] = {
            {"Button", Make<CButton>()},
            {"Edit", Make<CEdit>()},
            {"Static", Make<CStatic>()},
            {"ComboBox", Make<CComboBox>()},
            {"ListBox", Make<CListBox>()},
            {"SysListView32", Make<CListCtrl>()},
            {"msctls_trackbar32", Make<CSliderCtrl>()},
            {"msctls_updown32", Make<CSpinButtonCtrl>()},
            {"ScrollBar", Make<CScrollBar>()},
            {"msctls_progress32", Make<CProgressCtrl>()},
            {"SysTabControl32", Make<CTabCtrl>()},
            {kFlashWindowClass, Make<CShockwaveFlash>()},
            {kFlashClassId, Make<CShockwaveFlash>()},
        };
        for (const auto& [name, factory] : standard) {
            WNDCLASS wc;
            wc.lpszClassName = name;
            classes[Key(name)] = wc;
            factories[Key(name)] = factory;
        }
    }
};

ClassTable& Table()
{
    static ClassTable table;
    return table;
}

class PlainWnd : public CWnd {
protected:
    void PostNcDestroy() override { delete this; }
};

} // namespace

BOOL AfxRegisterClass(const WNDCLASS* wndClass)
{
    if (wndClass == nullptr || wndClass->lpszClassName.empty())
        return FALSE;
    Table().classes.emplace(Key(wndClass->lpszClassName), *wndClass);
    return TRUE;
}

BOOL GetClassInfo(const char* className, WNDCLASS* out)
{
    if (className == nullptr)
        return FALSE;
    auto it = Table().classes.find(Key(className));
    if (it == Table().classes.end())
        return FALSE;
    if (out != nullptr)
        *out = it->second;
    return TRUE;
}

void AfxThrowResourceException()
{
    throw CResourceException();
}

namespace ui {

void RegisterWindowFactory(const std::string& className, WindowFactory factory)
{
    Table().factories[Key(className)] = std::move(factory);
}

CWnd* CreateTemplateItemObject(const std::string& className)
{
    auto it = Table().factories.find(Key(className));
    if (it != Table().factories.end() && it->second)
        return it->second();
    return new PlainWnd();
}

void ResetWindowClasses()
{
    Table().Standard();
}

} // namespace ui
