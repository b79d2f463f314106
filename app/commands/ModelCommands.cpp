#include "app/commands/ModelCommands.h"

#include "app/canvas/DrawDoc.h"
#include "app/canvas/DrawView.h"
#include "app/commands/ExportCommands.h"
#include "app/core/DesignerContext.h"
#include "app/core/TempFileManager.h"
#include "app/modeldialogs/ImportModelDlg.h"
#include "app/modeldialogs/ReplaceDataDlg.h"
#include "platform/dialogs/MessageBox.h"
#include "publish/BaseMovie.h"

bool RunImportModel(CDrawView& view)
{
    CDrawDoc* doc = view.GetDocument();
    CBaseMovie* base = GetBaseMovie();
    if (doc == nullptr || base == nullptr)
        return false;
    CImportModelDlg dlg(&view, MakeImportModelDocument(*doc, *base, view.Designer().FindTempFiles(), doc->GetModelPath(),
                                                        [doc](const std::string& chosen, const std::string& copy) {
                                                            return doc->ImportModel(chosen, copy);
                                                        }));
    return dlg.DoModal() == IDOK;
}

void RunReplaceData(CDrawView& view)
{
    CBaseMovie* base = GetBaseMovie();
    if (base == nullptr)
        return;
    ReplaceDataDocument document;
    document.entries = &base->GetRangeEntries();
    document.model = &base->GetCellModel();
    document.table = &base->GetVariableTable();
    document.importModel = [&view] { return RunImportModel(view); };
    // An import replaces the base movie's model and table: the dialog must not keep the old.
    document.reload = [](ReplaceDataDocument& reloaded) {
        if (CBaseMovie* current = GetBaseMovie()) {
            reloaded.model = &current->GetCellModel();
            reloaded.table = &current->GetVariableTable();
        }
    };
    CReplaceDataDlg dlg(&view, document);
    dlg.DoModal();
}

void InstallModelCommands(CDrawView& view)
{
    view.Export().m_runImportModel = [](CDrawView& target) { RunImportModel(target); };
    view.Export().m_runReplaceData = [](CDrawView& target) { RunReplaceData(target); };
}
