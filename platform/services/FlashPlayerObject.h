#pragma once

#include "platform/services/ObjectFactory.h"

#include <memory>

// The Flash player as an object made by program id, for the start-up check that creates the
// control by name and reads its version. It wraps a player from the player factory; its
// "FlashVersion" property fails (is empty) when the player cannot report one.
std::unique_ptr<IAutomationObject> CreateFlashPlayerObject();
// Registers the player under "ShockwaveFlash.ShockwaveFlash".
void RegisterFlashPlayerObject(CObjectFactory& factory);
