#pragma once

#include "sheet/host/ImportMessages.h"

#include <string>

namespace sheet {

// What the workbook link needs of the main window. The user-interface layer implements it;
// PostImportMessage is called from the import worker and must only queue the message.
class IExcelHostWindow {
public:
    virtual ~IExcelHostWindow() = default;
    virtual void PostImportMessage(ImportCode code, long value) = 0;
    virtual void EnableMainWindow(bool enable) = 0;
    virtual void ShowWarning(const std::string& text, const std::string& caption) = 0;
};

} // namespace sheet
