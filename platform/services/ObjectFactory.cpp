#include "platform/services/ObjectFactory.h"

#include "base/ServiceSlot.h"

#include <exception>

std::unique_ptr<IAutomationObject> CObjectFactory::Create(const std::string& progId, std::string* error) const
{
    auto it = creators_.find(progId);
    if (it == creators_.end()) {
        if (error != nullptr) {
            *error = "no object is registered for program id \"" + progId + "\"";
        }
        return nullptr;
    }
    try {
        std::unique_ptr<IAutomationObject> object = it->second();
        if (!object && error != nullptr) {
            *error = "creating \"" + progId + "\" failed";
        }
        return object;
    } catch (const std::exception& e) {
        if (error != nullptr) {
            *error = "creating \"" + progId + "\" failed: " + e.what();
        }
    } catch (...) {
        if (error != nullptr) {
            *error = "creating \"" + progId + "\" failed";
        }
    }
    return nullptr;
}

namespace {
ui::ServiceSlot<CObjectFactory>& Slot()
{
    static ui::ServiceSlot<CObjectFactory> factory;
    return factory;
}
} // namespace

CObjectFactory& GetObjectFactory()
{
    return Slot().Get();
}

void ResetObjectFactory()
{
    Slot().Reset();
}
