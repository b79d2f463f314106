#pragma once

// Makes this library's page classes known to the Component Properties sheet.

class CPageClassRegistry;

namespace pages {

struct SwfImportTip;

// Registers every page class of the library. The background page counts its movie imports in
// tip, which the document resets with each new or opened document; it must outlive the pages.
void RegisterComponentPages(CPageClassRegistry& registry, SwfImportTip& tip);

} // namespace pages
