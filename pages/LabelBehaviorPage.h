#pragma once

// The "Behavior" tab of the label: its dynamic visibility and entry effect, as on the common
// Behavior tab, and how its horizontal and vertical scroll bars behave.

#include "pages/CommonBehaviorPage.h"

class CLabelBehaviorPage : public CCommonBehaviorPage {
public:
    enum : int {
        IDD = 361,
        IDC_H_ENABLE = 2100,
        IDC_H_DISABLE = 2101,
        IDC_H_AUTOHIDE = 2102,
        IDC_H_GROUP = 2103,
        IDC_V_ENABLE = 2104,
        IDC_V_DISABLE = 2105,
        IDC_V_AUTOHIDE = 2106,
        IDC_V_GROUP = 2107,
    };
    static DialogTemplate MakeTemplate();
    // The two scroll groups side by side in the given width, for the pages that have them.
    static void AddScrollGroups(DialogTemplate& t, int left, int top, int width);

    CLabelBehaviorPage();

protected:
    // For the text inputs: their template, their rows after the scroll groups, their topics.
    CLabelBehaviorPage(TemplateMaker makeTemplate, int horizontalTopic, int verticalTopic,
                       std::vector<pages::ParamField> more, HelpTopic defaultHelp);
    // Whether the component wraps its text, which leaves it no horizontal scroll bar.
    virtual bool WrapsText() const;
    // The text components publish their entry effect with the rest of their parameters.
    void OnFieldChanged(const pages::ParamField& row) override;

private:
    static std::vector<pages::ParamField> ScrollRows(int horizontalTopic, int verticalTopic,
                                                     std::vector<pages::ParamField> more);
};
