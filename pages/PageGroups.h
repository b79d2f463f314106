#pragma once

// The page classes come in groups, each registering its own classes with the Component
// Properties sheet. RegisterComponentPages calls every group.

#include "propui/PageFactory.h"

#include <memory>

namespace pages {

// Registers a page class that needs nothing at construction under its class name.
template <class Page> void RegisterPlain(CPageClassRegistry& registry, const char* name)
{
    registry.Register(name, [](int) -> std::unique_ptr<CComponentPage> { return std::make_unique<Page>(); });
}

// Single-value components (sliders, dials, gauges, progress bars, value displays).
void RegisterSingleValuePages(CPageClassRegistry& registry);
// Input text and label Behavior and Appearance pages.
void RegisterTextPages(CPageClassRegistry& registry);
// Table selector and collaboration components (connection light, login, people list).
void RegisterTableAndPeoplePages(CPageClassRegistry& registry);
// Selectors, play options and maps.
void RegisterSelectorPages(CPageClassRegistry& registry);
// XML data connection pages.
void RegisterXmlDataPages(CPageClassRegistry& registry);
// Chart General, Appearance, Behavior and Alerts pages.
void RegisterChartPages(CPageClassRegistry& registry);

} // namespace pages
