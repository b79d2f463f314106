#pragma once

// Style pages whose every control edits one field of the style record: the Maps && Selectors
// page (the selector group) and the Single Values page (the single-value group). Each page is
// a table of controls; the table says which field a control edits and which switches enable
// it, so binding, re-reading on activation and the enabling rules are one piece of code.

#include "platform/controls/SpinEdit.h"
#include "propui/FontDataCtrl.h"
#include "propui/StylePage.h"

#include <functional>
#include <memory>
#include <vector>

class CFieldStylePage : public CStylePage {
public:
    enum class Kind { Color, Check, Font, Percent, Choice };
    struct Field {
        int id = 0;
        Kind kind = Kind::Check;
        const char* label = ""; // beside the control; a check box's own text
        int x = 0, y = 0;       // in dialog units
        // The field of the record the control edits.
        std::function<std::uint32_t*(CGlobalStyle&)> color;
        std::function<bool*(CGlobalStyle&)> flag;
        std::function<CTextFormat*(CGlobalStyle&)> format;
        std::function<std::int32_t*(CGlobalStyle&)> number;
        // Enabled only while this says so (empty: always).
        std::function<bool(const CGlobalStyle&)> enabledWhen;
        // The range of a number.
        int minimum = 0;
        int maximum = 100;
        // Run after a check box set its field (the switches one excludes are cleared here).
        std::function<void(CGlobalStyle&)> afterCheck;
        // The entries of a choice list and what choosing one does.
        std::vector<std::string> choices;
        std::function<void(int)> chosen;
    };

    CFieldStylePage(int templateId, const char* caption, std::vector<Field> fields, CGlobalStyle* style,
                    CStyleFolders* folders);

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;

    // Run on the record each time the page becomes active, before its controls are read.
    std::function<void(CGlobalStyle&)> onActivate;

    // A sub-page of the Charts page hands its changes and preview to that page.
    void ForwardTo(CStylePage* page) { m_forward = page; }
    void SetModified(BOOL modified) override;
    void UpdatePreview() override;
    // Reads every control again from the record.
    void LoadControls();

    CColorSwatch* Swatch(int id);
    CFontDataCtrl* Chooser(int id);

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void ApplyEnabling();
    const Field* FindField(int id) const;

    std::vector<Field> m_fields;
    std::vector<std::unique_ptr<CColorSwatch>> m_swatches;
    std::vector<std::unique_ptr<CFontDataCtrl>> m_choosers;
    bool m_loading = false;
    CStylePage* m_forward = nullptr;
};

// "Maps && Selectors" (template 341): the selector group.
std::unique_ptr<CFieldStylePage> MakeMapsSelectorsStylePage(CGlobalStyle* style, CStyleFolders* folders);
// "Single Values" (template 343): the single-value group.
std::unique_ptr<CFieldStylePage> MakeSingleValuesStylePage(CGlobalStyle* style, CStyleFolders* folders);

// The Charts page's sub-pages over the chart group: "Series" (354), "Y-Axis" (358) and
// "X-Axis" (355), "Titles" (356), "Layout" (357).
std::unique_ptr<CFieldStylePage> MakeSeriesStylePage(CGlobalStyle* style, CStyleFolders* folders);
std::unique_ptr<CFieldStylePage> MakeAxisStylePage(bool vertical, CGlobalStyle* style, CStyleFolders* folders);
std::unique_ptr<CFieldStylePage> MakeTitlesStylePage(CGlobalStyle* style, CStyleFolders* folders);
std::unique_ptr<CFieldStylePage> MakeLayoutStylePage(CGlobalStyle* style, CStyleFolders* folders);
