#pragma once

// The alert control: a bar of coloured bands, one draggable marker per threshold between two
// bands, each threshold's value under its marker, the minimum and maximum at the ends and a
// button for typing the limits. It edits a component's alert group in place: "alertPcts",
// "customAlertColors" (else "alertColors"), "customAlertFontColors" and "alertType".

#include "platform/controls/Button.h"
#include "platform/controls/ControlWnd.h"
#include "platform/controls/Static.h"
#include "platform/drawing/Font.h"

#include <functional>
#include <memory>
#include <vector>

class CParameter;
class CParameterSet;
class IPropertyOwner;

class CAlertControl : public ui::ControlWnd {
public:
    static constexpr const char* kClassName = "AlertControl";
    static constexpr UINT kDragEnded = 0x465;   // to the parent when a marker drag ends
    static constexpr UINT kBandClicked = 0x466; // wParam: the band's index
    static constexpr int kMaxBands = 10;
    static constexpr int kLimitsButton = 2;
    enum AlertType { HighGood = 0, MiddleGood = 1, LowGood = 2 };

    CAlertControl();
    ~CAlertControl() override;

    // (Re)builds the control from the group; false (and the control disabled) when the group
    // holds fewer than two bands.
    bool Create(CParameterSet* set, int minimum, int maximum);
    // The same, with the canvas object the limits dialog's spin edits refresh.
    bool Create(CParameterSet* set, IPropertyOwner* limitsOwner, int minimum, int maximum);
    bool AddMarker();
    bool RemoveMarker();
    int GetMarkerCount() const { return static_cast<int>(m_bands.size()) - 1; }
    void SetMode(int type);
    int GetMode() const { return m_type; }
    // The colours of the selected band (counted from the other end for the mirrored types);
    // null when no band is selected.
    CParameter* GetSelectedFillColorParameter() const;
    CParameter* GetSelectedFontColorParameter() const;
    int GetMinimum() const { return m_minimum; }
    int GetMaximum() const { return m_maximum; }
    int GetThreshold(int marker) const;
    // The x of a marker in client pixels.
    int GetMarkerX(int marker) const;
    CRect GetBarRect() const { return m_bar; }
    void OnParentButtonUp(UINT flags, CPoint point);
    virtual void Enable(BOOL enable);

    // Runs the limits dialog on (minimum, maximum, maximum fixed); true on OK. Left unset the
    // limits button opens the "Control Panel Limits" dialog.
    std::function<bool(int&, int&, bool)> limitsDialog;

    void Paint(CDC& dc) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    struct Band {
        CParameter* threshold = nullptr; // null for the last band: its bound is the maximum
        CParameter* fill = nullptr;
        CParameter* font = nullptr;
        int x = -1;
    };
    void Clear();
    void Layout();
    int ValueToX(double value) const;
    int BarWidth() const;
    int HitBand(CPoint point) const;
    int HitMarker(CPoint point) const;
    void DragTo(int x);
    void OnLimits();
    void SetMaximum(int maximum);
    void Relink();

    std::vector<Band> m_bands;
    std::vector<std::unique_ptr<CStatic>> m_values;
    CStatic m_minLabel, m_maxLabel;
    CButton m_limits;
    CFont m_font;
    CParameterSet* m_set = nullptr;
    IPropertyOwner* m_limitsOwner = nullptr;
    CParameter* m_pcts = nullptr;
    CParameter* m_colors = nullptr;
    CParameter* m_fontColors = nullptr;
    int m_minimum = 0;
    int m_maximum = 100;
    int m_type = HighGood;
    int m_selected = -1; // an index, so that a rebuilt or shortened list never leaves it dangling
    int m_dragged = -1;
    int m_dragStartX = 0;
    int m_dragStartMarkerX = 0;
    CRect m_bar;
};
