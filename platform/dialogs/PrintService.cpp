#include "platform/dialogs/PrintService.h"

namespace {

std::unique_ptr<IPrintService>& Slot()
{
    static std::unique_ptr<IPrintService> service;
    return service;
}

} // namespace

IPrintService* GetPrintService()
{
    return Slot().get();
}

void SetPrintService(std::unique_ptr<IPrintService> service)
{
    Slot() = std::move(service);
}
