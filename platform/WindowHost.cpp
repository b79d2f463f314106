#include "platform/WindowHost.h"

#include <utility>

namespace {
std::unique_ptr<IWindowHost>& HostSlot()
{
    static std::unique_ptr<IWindowHost> host = std::make_unique<IWindowHost>();
    return host;
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
