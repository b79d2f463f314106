#pragma once

// "Document Properties": the canvas size in pixels (typed, stepped with the arrows or taken from
// a preset), the paper colour shown while editing and the document's description.

#include <string>

#include "platform/dialogs/Dialog.h"
#include "platform/drawing/Bitmap.h"

class CDocPropertiesDlg : public CDialog {
public:
    enum { IDD = 142 };
    enum : int {
        IDC_WIDTH_SPIN = 148,
        IDC_WIDTH = 149,
        IDC_HEIGHT_SPIN = 150,
        IDC_HEIGHT = 152,
        IDC_COLOR = 153,
        IDC_COLOR_SWATCH = 154,
        IDC_PRESET = 167,
        IDC_DESCRIPTION_EDIT = 178,
    };
    // The sides a canvas may have, in pixels.
    static constexpr int kMinSide = 1;
    static constexpr int kMaxSide = 1630;

    struct Preset {
        int width, height;
    };
    static constexpr Preset kPresets[] = {{160, 160}, {320, 320}, {640, 480}, {800, 600}, {1024, 768}};
    // The preset of that size, or -1.
    static int FindPreset(int width, int height);

    explicit CDocPropertiesDlg(CWnd* parent = nullptr);

    static DialogTemplate MakeTemplate();
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    int m_nWidth = 800;
    int m_nHeight = 600;
    COLORREF m_paperColor = RGB(255, 255, 255);
    std::string m_strDescription;

protected:
    DECLARE_MESSAGE_MAP()

private:
    void OnVScroll(UINT code, UINT pos, CWnd* bar);
    void OnWidthChange();
    void OnHeightChange();
    void OnPresetChange();
    void OnColor();
    void OnDescriptionChange();
    // Holds a typed side within the limits and moves its arrows with it.
    void FollowSide(int editId, int barId);
    void ShowSwatch();
    void ShowPreset();

    bool m_bSetting = false;
    CBitmap m_swatch;
};
