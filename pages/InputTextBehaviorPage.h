#pragma once

// The "Behavior" tab of the text inputs: what the movie's user may type (HTML, a password echo,
// at most so many characters, only certain characters), the text area's scroll bars, and the
// dynamic visibility and entry effect of the common Behavior tab. The text area's layout shows
// "HTML" and the scroll groups, the single-line input's shows "Password Input" and the allowed
// characters; both hold every control.

#include "pages/LabelBehaviorPage.h"

class CInputTextBehaviorPage : public CLabelBehaviorPage {
public:
    enum : int {
        IDD_TEXT_AREA = 350,
        IDD_INPUT = 376,
        IDC_OPTIONS_GROUP = 2120,
        IDC_HTML = 2121,
        IDC_MAX_CHARS = 2122,
        IDC_RESTRICT_LABEL = 2123,
        IDC_RESTRICT = 2124,
        IDC_RESTRICT_LINK = 2125,
        IDC_PASSWORD = 2126,
        IDC_USE_MAX_CHARS = 2127,
    };
    static DialogTemplate MakeTemplate(bool textArea);

    CInputTextBehaviorPage();

protected:
    bool WrapsText() const override;
};
