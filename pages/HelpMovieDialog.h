#pragma once

// The help window that the General pages open from their help button: one explanatory movie
// of the component (or of its variant) playing in a player control.

#include "platform/controls/ShockwaveFlash.h"
#include "platform/controls/Static.h"
#include "platform/dialogs/Dialog.h"
#include "platform/dialogs/DialogTemplate.h"

#include <string>

class CParameter;
class CParameterSet;

class CHelpMovieDialog : public CDialog {
public:
    enum : int { IDD = 274, IDC_PLAYER = 1600 };
    static DialogTemplate MakeTemplate();
    // Also the template of the Tutorial page's frame: the player's rectangle grown by 2.
    static void MakeFrame(CWnd& parent, CWnd& player, CStatic& frame);

    explicit CHelpMovieDialog(CWnd* parent = nullptr);

    // The component whose movie is shown; before the window runs.
    void SetComponent(const CParameterSet* set, const std::string& symbol);
    INT_PTR DoModal() override;
    BOOL OnInitDialog() override;
    void LoadHelpMovie(const std::string& path, int controlId);
    const std::string& GetMoviePath() const { return m_path; }

protected:
    LRESULT OnActivate(WPARAM wParam, LPARAM lParam);
    void OnMove(int x, int y);
    DECLARE_MESSAGE_MAP()

private:
    void Repaint();

    CWnd* m_parent = nullptr;
    const CParameterSet* m_set = nullptr;
    std::string m_symbol;
    std::string m_variant;
    std::string m_path;
    CStatic m_frame;
};
