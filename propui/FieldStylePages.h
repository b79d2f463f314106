#pragma once

// Style pages whose every control edits one field of the style record: the Maps && Selectors
// page (the selector group) and the Single Values page (the single-value group). Each page is
// a table of controls; the table says which field a control edits and which switches enable
// it, so binding, re-reading on activation and the enabling rules are one piece of code.

#include "platform/controls/Edit.h"
#include "propui/FontDataCtrl.h"
#include "propui/StylePage.h"

#include <functional>
#include <memory>
#include <vector>

class CFieldStylePage : public CStylePage {
public:
    enum class Kind { Color, Check, Font, Percent };
    struct Field {
        int id;
        Kind kind;
        const char* label; // beside the control; a check box's own text
        int x, y;          // in dialog units
        // The field of the record the control edits.
        std::function<std::uint32_t*(CGlobalStyle&)> color;
        std::function<bool*(CGlobalStyle&)> flag;
        std::function<CTextFormat*(CGlobalStyle&)> format;
        std::function<std::int32_t*(CGlobalStyle&)> number;
        // Enabled only while this says so (empty: always).
        std::function<bool(const CGlobalStyle&)> enabledWhen;
    };

    CFieldStylePage(int templateId, const char* caption, std::vector<Field> fields, CGlobalStyle* style,
                    CStyleFolders* folders);

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;

    CColorSwatch* Swatch(int id);
    CFontDataCtrl* Chooser(int id);

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void LoadControls();
    void ApplyEnabling();
    const Field* FindField(int id) const;

    std::vector<Field> m_fields;
    std::vector<std::unique_ptr<CColorSwatch>> m_swatches;
    std::vector<std::unique_ptr<CFontDataCtrl>> m_choosers;
    std::vector<std::unique_ptr<CEdit>> m_numbers;
    bool m_loading = false;
};

// "Maps && Selectors" (template 341): the selector group.
std::unique_ptr<CFieldStylePage> MakeMapsSelectorsStylePage(CGlobalStyle* style, CStyleFolders* folders);
// "Single Values" (template 343): the single-value group.
std::unique_ptr<CFieldStylePage> MakeSingleValuesStylePage(CGlobalStyle* style, CStyleFolders* folders);
