#pragma once

// Makes this library's page classes known to the Component Properties sheet.

class CPageClassRegistry;

namespace publish {
class ITempFileMaker;
}

namespace pages {

struct SwfImportTip;

// Registers every page class of the library. The background page copies imported files with
// temporaries and counts its movie imports in tip, which the document resets with each new or
// opened document; both must outlive the pages.
void RegisterComponentPages(CPageClassRegistry& registry, publish::ITempFileMaker& temporaries, SwfImportTip& tip);

} // namespace pages
