#include "platform/controls/FlashPlayer.h"

#include "swf/SwfFile.h"

#include <cstdint>

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

std::optional<CSize> MovieFrameSize(const std::filesystem::path& file)
{
    const std::optional<CSwfRect> rect = ReadSwfFrameRect(file);
    if (!rect)
        return std::nullopt;
    const std::int64_t width = (std::int64_t{rect->xmax} - rect->xmin) / 20;
    const std::int64_t height = (std::int64_t{rect->ymax} - rect->ymin) / 20;
    if (width <= 0 || height <= 0 || width > 100000 || height > 100000)
        return std::nullopt;
    return CSize(static_cast<int>(width), static_cast<int>(height));
}
