#pragma once

// The font chooser of a page (font, size, bold, italic, underline, colour) over its template
// placeholder, bound to a text-format group of the component. The chooser writes its own
// changes and tells the page's owner, which republishes the component.

class CComponentPage;
class CFontDataCtrl;
class CParameterSet;

namespace pages {

// Attaches the chooser to dialog item `id` and binds it to the text-format group `key` of
// `set`. A missing group, or one of another kind, leaves the chooser with nothing to edit and
// disabled; false then.
bool AttachFontChooser(CComponentPage& page, CFontDataCtrl& chooser, int id, CParameterSet* set, const char* key);

} // namespace pages
