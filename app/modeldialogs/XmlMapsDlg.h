#pragma once

#include "platform/dialogs/Dialog.h"

#include <functional>
#include <map>
#include <string>

class CCellModel;
class CVariableTable;
struct CExportRecord;
struct NMHDR;

// What the XML Maps dialog works on: the base movie's maps by name, and the model a URL cell
// is picked from.
struct XmlMapsDocument {
    std::map<std::string, CExportRecord>* records = nullptr;
    const CCellModel* model = nullptr;
    CVariableTable* table = nullptr;
    // Offers the Import Model dialog when no model is loaded; true when an import started.
    std::function<bool()> importModel;
    // A map's URL now comes from a cell, which the next compile must bind.
    std::function<void()> modelChanged;
};

// The "XML Maps" dialog: every map with its switch, URL (typed, or the cell it is taken from)
// and refresh interval. Changes are written into the maps at once; OK closes.
class CXmlMapsDlg : public CDialog {
public:
    enum { IDD = 375 };
    enum : int {
        IDC_MAP_LIST = 179,
        IDC_MAP_NAME = 686,
        IDC_URL = 684,
        IDC_DATA_SELECT = 685,
        IDC_SECONDS = 688,
    };
    static constexpr int kDataSelectBitmap = 163;
    static constexpr const char* kCaption = "XML Maps";
    static constexpr const char* kNoModelText = "Please import a model or data before selecting a range.";

    CXmlMapsDlg(CWnd* parent, XmlMapsDocument document);

    static DialogTemplate MakeTemplate();

    BOOL OnInitDialog() override;
    void FillList();
    void OnDataSelect();

    int GetSelectedIndex() const { return m_selected; }

protected:
    DECLARE_MESSAGE_MAP()

private:
    void OnItemChanged(NMHDR* header, LRESULT* result);
    void OnUrlChange();
    void OnSecondsChange();
    void OnUrlSetFocus() { m_urlFocused = true; }
    void OnUrlKillFocus() { m_urlFocused = false; }
    void OnSecondsSetFocus() { m_secondsFocused = true; }
    void OnSecondsKillFocus() { m_secondsFocused = false; }
    // The map named by the label, or null while none is selected.
    CExportRecord* SelectedRecord();
    // The URL column: the cell's A1 text for a map that takes its URL from a cell.
    std::string UrlText(const CExportRecord& record) const;
    void EnableEditing(bool enable);

    XmlMapsDocument m_document;
    int m_selected = -1;
    bool m_urlFocused = false;
    bool m_secondsFocused = false;
    bool m_filling = false;
};
