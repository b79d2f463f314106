#include "platform/window/WindowHost.h"

#include <utility>

namespace {
// Never destroyed: windows report their destruction to the host at process exit too.
std::unique_ptr<IWindowHost>& HostSlot()
{
    static auto* host = new std::unique_ptr<IWindowHost>(std::make_unique<IWindowHost>());
    return *host;
}
} // namespace

IWindowHost& GetWindowHost()
{
    return *HostSlot();
}

void SetWindowHost(std::unique_ptr<IWindowHost> host)
{
    HostSlot() = host ? std::move(host) : std::make_unique<IWindowHost>();
}

void ResetWindowHost()
{
    SetWindowHost(nullptr);
}
