#pragma once

// The Object Browser: every canvas object of the document as a row named after it, selected
// with the view's selection, with a check box that hides the object.

#include "platform/dialogs/Dialog.h"

class CDrawObj;
class ICanvasView;
class CListCtrl;

class CObjectBrowserDlg : public CDialog {
public:
    static DialogTemplate MakeTemplate();

    explicit CObjectBrowserDlg(ICanvasView& view);
    ~CObjectBrowserDlg() override;

    using CDialog::Create;
    BOOL Create(CWnd* parent);
    BOOL OnInitDialog() override;
    void OnCancel() override;
    // Rows from the document's objects, selections and checks from the view.
    void FillList();
    CListCtrl& List() const;
    // The object of a row: rows keep their object, so a list not yet refilled never makes a
    // check hide another object.
    CDrawObj* RowObject(int row) const;

private:
    void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    void OnBrowserSize(UINT nType, int cx, int cy);

    ICanvasView& m_view;
    bool m_bFilling = false;

    DECLARE_MESSAGE_MAP()
};
