#pragma once

// Objects created by program id, in place of the system's component creation: the Flash
// player, office applications and similar automation servers. The program registers what it
// can offer; tests register fakes that work, fail or report other versions.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

using AutomationValue = std::variant<std::monostate, bool, std::int64_t, double, std::string>;

class IAutomationObject {
public:
    virtual ~IAutomationObject() = default;
    // Empty when the object cannot give the property (the call failed).
    virtual std::optional<AutomationValue> GetProperty(const std::string& name) = 0;
    virtual bool SetProperty(const std::string&, const AutomationValue&) { return false; }
    // Empty when the call failed.
    virtual std::optional<AutomationValue> Invoke(const std::string&, const std::vector<AutomationValue>&)
    {
        return std::nullopt;
    }
};

class CObjectFactory {
public:
    using Creator = std::function<std::unique_ptr<IAutomationObject>()>;

    void Register(const std::string& progId, Creator creator) { creators_[progId] = std::move(creator); }
    void Unregister(const std::string& progId) { creators_.erase(progId); }
    bool IsRegistered(const std::string& progId) const { return creators_.count(progId) != 0; }
    // Null when the id is unknown or creation failed (a creator may return null or throw);
    // `error` then says why.
    std::unique_ptr<IAutomationObject> Create(const std::string& progId, std::string* error = nullptr) const;

private:
    std::map<std::string, Creator> creators_;
};

CObjectFactory& GetObjectFactory();
void ResetObjectFactory();
