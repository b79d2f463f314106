#pragma once

#include <vector>

#include "platform/dialogs/Dialog.h"
#include "platform/dialogs/DialogTemplate.h"

class CBaseMovie;
class CBindingLink;
class CExcelHost;

// The "Data" dialog: the cells the document's components are bound to, each with the
// component, its cell and the value the model holds for it.
class CDataDlg : public CDialog {
public:
    enum { IDD = 178 };
    enum : int { IDC_BINDINGS = 1001 };

    explicit CDataDlg(CWnd* view);

    static DialogTemplate MakeTemplate();
    BOOL OnInitDialog() override;

    // The model's links of bound cells (constant cells, then formula cells) and where their
    // cells and values are read.
    void SetBindingList(CBaseMovie* base) { m_pBase = base; }
    void SetExcelHost(CExcelHost* host) { m_pHost = host; }

private:
    CBaseMovie* m_pBase = nullptr;
    CExcelHost* m_pHost = nullptr;
};
