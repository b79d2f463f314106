#pragma once

// The holder of a component object's Component Properties sheet. The sheet itself comes with the
// property pages; until then a panel has no sheet to open and answers as closed.

#include <string>

class CDrawObj;
class CParameterSet;

class IPropertiesPanel {
public:
    virtual ~IPropertiesPanel() = default;
    virtual void SetTitle(const std::string& title) = 0;
    virtual bool IsSheetOpen() const = 0;
    virtual void CloseSheet() = 0;
    // Takes over the screen rectangle of another panel's open sheet, so a sheet that follows
    // the selection stays where the user put it.
    virtual void SaveWindowRect(const IPropertiesPanel& from) = 0;
    // Shows the sheet for a parameter set; owner is refreshed after every change.
    virtual void ShowProperties(CParameterSet* parameters, CDrawObj* owner) = 0;
};

// A panel without a sheet.
class CPropertiesPanel : public IPropertiesPanel {
public:
    void SetTitle(const std::string& title) override { m_title = title; }
    const std::string& GetTitle() const { return m_title; }
    bool IsSheetOpen() const override { return false; }
    void CloseSheet() override {}
    void SaveWindowRect(const IPropertiesPanel&) override {}
    void ShowProperties(CParameterSet*, CDrawObj*) override {}

private:
    std::string m_title = "Component Properties";
};
