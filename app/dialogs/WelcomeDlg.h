#pragma once

// The dialogs of the first steps: Welcome (tutorial movies, a sample, a layout template),
// the tutorial movie player and About.

#include <cstdint>
#include <functional>
#include <string>

#include "platform/dialogs/Dialog.h"

class CTutorialDlg : public CDialog {
public:
    CTutorialDlg(CWnd* parent, std::string moviePath);
    BOOL OnInitDialog() override;
    void OnClose() { EndDialog(IDCANCEL); }
    const std::string& GetMoviePath() const { return m_strMovie; }

    DECLARE_MESSAGE_MAP()

private:
    std::string m_strMovie;
};

class CWelcomeDlg : public CDialog {
public:
    // Opens a browser of shipped documents (1 templates, 2 samples); true when the user
    // opened one.
    using BrowseDocuments = std::function<bool(int mode)>;

    // `showWelcome` is the setting the check box turns off.
    CWelcomeDlg(CWnd* parent, std::uint8_t& showWelcome, BrowseDocuments browse);
    BOOL OnInitDialog() override;

    void OnTutorial1();
    void OnTutorial2();
    void OnTemplates();
    void OnSamples();
    void OnDontShow();

    static constexpr const char* kTutorial1 = "asset/help/tutorial1.swf";
    static constexpr const char* kTutorial2 = "asset/help/tutorial2.swf";

    DECLARE_MESSAGE_MAP()

private:
    void Browse(int mode);

    std::uint8_t& m_showWelcome;
    BrowseDocuments m_browse;
};

// About: the program's name and version, larger on a large-fonts display.
class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(CWnd* parent);
    BOOL OnInitDialog() override;
};
