#pragma once

#include <memory>
#include <utility>

namespace ui {

// A process-wide service that tests replace or reset: the one installed, else a fresh
// Default. Each service keeps its slot as a function-local static.
template <class Interface, class Default = Interface> class ServiceSlot {
public:
    Interface& Get() { return *m_service; }
    // Installs a service; none puts a fresh Default back.
    void Set(std::unique_ptr<Interface> service)
    {
        m_service = service ? std::move(service) : std::make_unique<Default>();
    }
    // Installs a fresh T and hands it out for scripting.
    template <class T = Default> T& Use()
    {
        auto service = std::make_unique<T>();
        T& ref = *service;
        m_service = std::move(service);
        return ref;
    }
    void Reset() { m_service = std::make_unique<Default>(); }

private:
    std::unique_ptr<Interface> m_service = std::make_unique<Default>();
};

} // namespace ui
