#include "platform/services/FlashPlayerObject.h"

#include "platform/controls/FlashPlayer.h"
#include "platform/controls/ShockwaveFlash.h"

#include <exception>

namespace {

class FlashPlayerObject final : public IAutomationObject {
public:
    explicit FlashPlayerObject(std::unique_ptr<IFlashPlayer> player) : m_player(std::move(player)) {}

    std::optional<AutomationValue> GetProperty(const std::string& name) override
    {
        try {
            if (name == "FlashVersion")
                return AutomationValue(static_cast<std::int64_t>(m_player->FlashVersion()));
            if (name == "Movie")
                return AutomationValue(m_player->GetMovie());
        } catch (const std::exception&) {
            // A player that fails to answer reports nothing, like a failed automation call.
        }
        return std::nullopt;
    }

private:
    std::unique_ptr<IFlashPlayer> m_player;
};

} // namespace

std::unique_ptr<IAutomationObject> CreateFlashPlayerObject()
{
    std::unique_ptr<IFlashPlayer> player = CreateFlashPlayer();
    if (!player)
        return nullptr;
    return std::make_unique<FlashPlayerObject>(std::move(player));
}

void RegisterFlashPlayerObject(CObjectFactory& factory)
{
    factory.Register(kFlashWindowClass, [] { return CreateFlashPlayerObject(); });
}
