#include "platform/controls/FlashPlayer.h"

namespace {

FlashPlayerFactory& Factory()
{
    static FlashPlayerFactory factory;
    return factory;
}

} // namespace

std::unique_ptr<IFlashPlayer> CreateFlashPlayer()
{
    return Factory() ? Factory()() : nullptr;
}

void SetFlashPlayerFactory(FlashPlayerFactory factory)
{
    Factory() = std::move(factory);
}

void ResetFlashPlayerFactory()
{
    Factory() = nullptr;
}
