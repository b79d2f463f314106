#pragma once

// The "Appearance" tab of the label: the number format and font of what it shows, its
// alignment and wrapping, the border of each edge, the fill, and the colour of its scroll bars.
// The label keeps all of it but the scroll colour in its cell-like format ("formatValue").

#include "pages/FieldPage.h"
#include "propui/ColorButton.h"
#include "propui/FontDataCtrl.h"
#include "propui/NumericFormatCtrl.h"

#include <array>
#include <memory>

class CLabelAppearancePage : public pages::CFieldPage {
public:
    enum : int {
        IDD = 259,
        IDC_NUMBER_GROUP = 2200,
        IDC_TEXT_GROUP = 2201,
        IDC_BACK_GROUP = 2202,
        IDC_NUMBER = 2203,
        IDC_FONT = 2204,
        IDC_HALIGN_LABEL = 2205,
        IDC_HALIGN = 2206,
        IDC_WRAP = 2207,
        IDC_SIDE_LABEL = 2208,
        IDC_SIDE = 2209,
        IDC_SHOW_BORDER = 2210,
        IDC_BORDER_COLOR = 2211,
        IDC_WEIGHT = 2212,
        IDC_SHOW_FILL = 2213,
        IDC_FILL_COLOR = 2214,
        IDC_WEIGHT_LABEL = 2215,
        IDC_FONT_LABEL = 2216,
        IDC_USE_SCROLL_COLOR = 2217,
        IDC_SCROLL_COLOR = 2218,
        IDC_SCROLL_GROUP = 2219,
    };
    // The sides of the border combo, in its order.
    enum Side : int { AllSides = 0, Bottom = 1, Left = 2, Right = 3, Top = 4 };
    static DialogTemplate MakeTemplate();

    CLabelAppearancePage();
    ~CLabelAppearancePage() override;

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;

    void LoadControls();
    // With "All Sides" chosen, copies its line style, colour and weight to the four edges.
    void ApplyAllSides();
    void OnBorderSideChanged();
    void OnShowBorder();
    void OnBorderColor();
    LRESULT OnInPlaceEditCommit(WPARAM wParam, LPARAM lParam);

    int GetChosenSide() const { return m_side; }

protected:
    DECLARE_MESSAGE_MAP()

private:
    // An edge's three parameters; the "All Sides" record holds the page's own copies.
    struct Edge {
        CParameter* lineStyle = nullptr;
        CParameter* colour = nullptr;
        CParameter* weight = nullptr;
    };
    void FindEdges();
    bool HasBorder() const { return m_edges[AllSides].lineStyle != nullptr; }

    CFontData2Ctrl m_font;
    CNumericFormatCtrl m_number;
    CColorButton m_borderColour;
    pages::CNumberEdit m_weight;
    CParameterSet* m_format = nullptr;
    int m_side = AllSides;
    std::array<Edge, 5> m_edges{};
    std::array<std::unique_ptr<CParameter>, 3> m_allSides;
};
