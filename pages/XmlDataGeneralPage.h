#pragma once

// The "General" tab of the XML data connection: its label and address (typed or linked to a
// cell), which way it transfers, and the two lists of entries it sends and loads. Each entry
// names a range of cells; the lists are kept in the component's name and range arrays, which
// the page rewrites after every change of a list. "Preview XML" writes a side's current data
// into a temporary XML data file and opens it.

#include "pages/FieldPage.h"

#include <memory>
#include <string>
#include <vector>

class CXMLDataEntry;
class CVariableTable;
namespace publish {
class ITempFileMaker;
}

class CXMLDataGeneralPage : public pages::CFieldPage {
public:
    enum : int {
        IDD = 348,
        IDC_LABEL_GROUP = 3480,
        IDC_LABEL = 3481,
        IDC_LABEL_LINK = 3482,
        IDC_URL_GROUP = 3483,
        IDC_URL = 3484,
        IDC_URL_LINK = 3485,
        // The send side's controls; each load control is its send twin + kLoadOffset.
        IDC_SEND_GROUP = 3500,
        IDC_ENABLE_SEND = 3501,
        IDC_SEND_RANGES_LABEL = 3502,
        IDC_SEND_LIST = 3503,
        IDC_SEND_ADD = 3504,
        IDC_SEND_REMOVE = 3505,
        IDC_SEND_NAME_LABEL = 3506,
        IDC_SEND_NAME = 3507,
        IDC_SEND_NAME_LINK = 3508,
        IDC_SEND_RANGE_LABEL = 3509,
        IDC_SEND_RANGE = 3510,
        IDC_SEND_RANGE_LINK = 3511,
        IDC_SEND_PREVIEW = 3512,
        kLoadOffset = 20,
        IDC_LOAD_GROUP = IDC_SEND_GROUP + kLoadOffset,
        IDC_ENABLE_LOAD = IDC_ENABLE_SEND + kLoadOffset,
        IDC_LOAD_RANGES_LABEL = IDC_SEND_RANGES_LABEL + kLoadOffset,
        IDC_LOAD_LIST = IDC_SEND_LIST + kLoadOffset,
        IDC_LOAD_ADD = IDC_SEND_ADD + kLoadOffset,
        IDC_LOAD_REMOVE = IDC_SEND_REMOVE + kLoadOffset,
        IDC_LOAD_NAME_LABEL = IDC_SEND_NAME_LABEL + kLoadOffset,
        IDC_LOAD_NAME = IDC_SEND_NAME + kLoadOffset,
        IDC_LOAD_NAME_LINK = IDC_SEND_NAME_LINK + kLoadOffset,
        IDC_LOAD_RANGE_LABEL = IDC_SEND_RANGE_LABEL + kLoadOffset,
        IDC_LOAD_RANGE = IDC_SEND_RANGE + kLoadOffset,
        IDC_LOAD_RANGE_LINK = IDC_SEND_RANGE_LINK + kLoadOffset,
        IDC_LOAD_PREVIEW = IDC_SEND_PREVIEW + kLoadOffset,
    };
    static constexpr const char* kRemoveNothing = "Please select the range you wish to remove.";
    static constexpr const char* kLinkNothing = "Please select a range to link your data source to.";
    static constexpr const char* kRenameNothing = "Please select the range you wish to rename";
    static constexpr const char* kNoEntries = "You need to add a range before you can link to a data source.";
    static constexpr const char* kPreviewFailed = "The XML preview file could not be written.";
    static constexpr const char* kProgramTitle = "Vantorel";

    // Previews go into files of `temporaries`; without one, into those of the program context.
    explicit CXMLDataGeneralPage(publish::ITempFileMaker* temporaries = nullptr);
    ~CXMLDataGeneralPage() override;

    static DialogTemplate MakeTemplate();

    BOOL OnInitDialog() override;

    void OnEnableSend() { OnEnableSide(m_send); }
    void OnEnableLoad() { OnEnableSide(m_load); }
    void OnAddSend() { AddEntry(m_send); }
    void OnAddLoad() { AddEntry(m_load); }
    void OnRemoveSend() { RemoveEntry(m_send); }
    void OnRemoveLoad() { RemoveEntry(m_load); }
    void OnSendSelChange() { ShowSelectedEntry(m_send); }
    void OnLoadSelChange() { ShowSelectedEntry(m_load); }
    void OnSendNameLink() { LinkEntryName(m_send); }
    void OnLoadNameLink() { LinkEntryName(m_load); }
    void OnSendRangeLink() { LinkEntryRange(m_send); }
    void OnLoadRangeLink() { LinkEntryRange(m_load); }
    void OnPreviewSendXml() { Preview(m_send); }
    void OnPreviewLoadXml() { Preview(m_load); }
    LRESULT OnInPlaceEditCommit(WPARAM wParam, LPARAM lParam);

    // The entries of a side as the list shows them.
    const std::vector<std::unique_ptr<CXMLDataEntry>>& SendEntries() const { return m_send.entries; }
    const std::vector<std::unique_ptr<CXMLDataEntry>>& LoadEntries() const { return m_load.entries; }

protected:
    DECLARE_MESSAGE_MAP()

private:
    struct Side {
        bool send = true;
        const char* word = "send";       // what "transferType" holds when the side is on
        const char* namesKey = "sendNames_ary";
        const char* rangesKey = "sendRanges_ary";
        const char* counterKey = "SendIndex";
        int offset = 0;                  // added to the send side's control ids
        CParameter* names = nullptr;
        CParameter* ranges = nullptr;
        std::vector<std::unique_ptr<CXMLDataEntry>> entries;
        CInPlaceEdit nameEdit;
        int counter = 0;
        int Id(int sendId) const { return sendId + offset; }
    };

    CParameterSet* Group() const;
    CParameter* TransferType() const;
    bool IsOn(const Side& side) const;
    int Selected(const Side& side);
    void UpdateSideControls(Side& side);
    void OnEnableSide(Side& clicked);
    void LoadSideEntries(Side& side);
    void FillEntryList(Side& side);
    void EnableListButtons(Side& side);
    void ShowSelectedEntry(Side& side);
    void AddEntry(Side& side);
    void RemoveEntry(Side& side);
    void LinkEntryName(Side& side);
    void LinkEntryRange(Side& side);
    void RenameEntry(Side& side);
    void StoreEntries(Side& side);
    void Preview(Side& side);
    void Select(Side& side, int index);
    CVariableTable* Table() const;

    publish::ITempFileMaker* m_temporaries = nullptr;
    Side m_send;
    Side m_load;
};
