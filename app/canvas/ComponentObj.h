#pragma once

// A dashboard component on the canvas: one component instance, or several grouped, with their
// names, the natural size that resizing keeps to, and the object's properties panel. The
// component is drawn by the stage; this object keeps the geometry and keeps the stage informed.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/canvas/DrawObj.h"
#include "app/panels/CanvasPropertiesPanel.h"
#include "app/stage/StageClient.h"

class CGlobalStyle;
class CStageFlashCtrl;

class CComponentObj : public CDrawObj, public IStageObject {
public:
    // Makes a panel for each new object; tests put a recording panel in.
    using PanelFactory = std::function<std::unique_ptr<IPropertiesPanel>()>;
    static void SetPanelFactory(PanelFactory factory);

    CComponentObj();
    // The placing tool's form: named "<label> <n>" after the definition.
    CComponentObj(const CRect& position, CComponent* instance);
    CComponentObj(const CRect& position, CComponent* instance, const std::string& name);
    // Groups and clones: the instances are taken over; the natural size is the rectangle's.
    CComponentObj(const CRect& position, std::vector<CComponent*> instances, const std::string& name);
    // The document loader's form: name 0 is the object's, names 1..n its instances'.
    CComponentObj(const CRect& position, std::vector<CComponent*> instances, std::vector<std::string> names);
    ~CComponentObj() override;

    void MoveTo(const CRect& position, const ICanvasMapping* pView) override;
    void MoveHandleTo(int nHandle, CPoint point, const ICanvasMapping* pView, bool bFlag) override;
    void OnEditProperties() override;
    CDrawObj* Clone() const override;
    void Remove() override;
    void SetBounds(int left, int top, int right, int bottom) override;
    void TrackHandle(int nHandle, int x, int y, CRect& rect, bool bKeepAspect, int minWidth, int minHeight) override;
    void Refresh(int nFlag) override;
    void FollowPropertyPanel() override;

    virtual std::string GetTypeName() const;
    virtual void ClosePropertyPanel();
    // Natural sizes below 1 are taken as 1: the aspect ratio divides by them.
    void SetNaturalSize(int width, int height) override;
    virtual std::string GetName() const;

    void SetName(const std::string& name);
    // Empty for an index past the names.
    std::string GetNameAt(std::size_t index) const;
    void SetNameAt(std::size_t index, const std::string& name);
    std::size_t GetNameCount() const { return m_names.size(); }
    // "Group %i" from a counter that runs for the whole session: the first group is Group 1.
    static std::string MakeGroupName();

    // The global style into every instance's parameters, unless the style leaves components
    // their own looks.
    void ApplyGlobalStyle(const CGlobalStyle& style);
    static void ResetGroupCounter();

    // IStageObject
    int GetInstanceCount() const override { return static_cast<int>(m_instances.size()); }
    CComponent* GetInstance(int index) const override;
    void SetStagePosition(const ComponentRect& rect) override;
    void UpdateBounds() override;

    const std::vector<CComponent*>& GetInstances() const { return m_instances; }
    const CRect& GetCommittedBounds() const { return m_bounds; }
    int GetNaturalWidth() const { return m_nNaturalWidth; }
    int GetNaturalHeight() const { return m_nNaturalHeight; }
    IPropertiesPanel& GetPanel() { return *m_panel; }
    static IPropertiesPanel* GetCurrentPanel();

    bool m_bShown = true;

protected:
    CStageFlashCtrl* GetStage() const;
    // This object as the pages of its panel see it.
    IPropertyOwner& PageOwner();
    void TitlePanelFromInstances();
    bool OpenPanelSwitch();

    std::vector<CComponent*> m_instances;
    bool m_bOwnsInstances = true;
    float m_fAspect = 1.0f;
    float m_fNegAspect = -1.0f;
    int m_nNaturalWidth = 1;
    int m_nNaturalHeight = 1;
    // What the pages of the panel see of this object; declared before the panel, which still
    // uses it while it closes.
    std::unique_ptr<IPropertyOwner> m_pageOwner;
    std::unique_ptr<IPropertiesPanel> m_panel;
    CRect m_bounds;
    std::vector<std::string> m_names;
};
