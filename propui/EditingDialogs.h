#pragma once

// Small modal dialogs that edit one structured parameter: the elements of a list ("Array"), and
// a file reference with whether the file is embedded ("External File"). Both write into the
// parameters they were given; Array puts the elements back as they were when cancelled.

#include <memory>
#include <string>

#include "platform/dialogs/Dialog.h"
#include "propui/PropertyOwner.h"

class CParameter;
class CParameterSet;
class CPropertyListCtrl;

class CArrayDlg : public CDialog {
public:
    static constexpr UINT kTemplateId = 157;
    static constexpr int kAddId = 1000;
    static constexpr int kRemoveId = 1001;
    static constexpr int kListId = 2001;
    static constexpr int kMaxElements = 100;
    static constexpr int kMinElements = 1;

    explicit CArrayDlg(CWnd* parent = nullptr);
    ~CArrayDlg() override;

    // The list parameter whose elements are edited; they are copied for Cancel.
    void SetParameter(CParameter* array, const std::string& title, bool fixedSize, IPropertyOwner* owner);
    void SetColumnTitles(const std::string& name, const std::string& value);
    void SetContext(const CPropertyPageContext* context) { m_context = context; }
    // Refuse "+" past 100 elements and "-" below 1 (only the last element is always kept).
    void EnforceBounds(bool on) { m_enforceBounds = on; }
    // Holds the number of rows between minimum and maximum ("+" and "-" refuse to pass them).
    void SetRowLimits(int minimum, int maximum)
    {
        m_minRows = minimum;
        m_maxRows = maximum;
    }

    INT_PTR DoModal() override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    CPropertyListCtrl* GetList() const { return m_list.get(); }

protected:
    void OnAdd();
    void OnRemove();

    DECLARE_MESSAGE_MAP()

private:
    void AddRow(CParameter* element);

    std::unique_ptr<CPropertyListCtrl> m_list;
    IPropertyOwner* m_owner = nullptr;
    CParameter* m_array = nullptr;
    std::unique_ptr<CParameter> m_saved;
    bool m_fixedSize = false;
    int m_minRows = 0;
    int m_maxRows = -1;
    bool m_enforceBounds = false;
    std::string m_title = "Array";
    std::string m_nameTitle = "Name";
    std::string m_valueTitle = "Value";
    const CPropertyPageContext* m_context = nullptr;
};

class CExternalFileDlg : public CDialog {
public:
    static constexpr UINT kTemplateId = 108;
    static constexpr int kBrowseId = 1002;
    static constexpr int kFileId = 1003;
    static constexpr int kEmbedId = 1004;

    explicit CExternalFileDlg(CWnd* parent = nullptr);

    // The set holding "fileName" (text) and "embed" (boolean).
    void SetParameters(CParameterSet* set) { m_set = set; }

    INT_PTR DoModal() override;
    BOOL OnInitDialog() override;
    void OnOK() override;

protected:
    void OnBrowse();

    DECLARE_MESSAGE_MAP()

private:
    CParameterSet* m_set = nullptr;
};
