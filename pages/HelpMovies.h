#pragma once

// Names of the help movies that ship in the installation folder's "asset/help": one per
// component symbol, and one per variant of a component ("<symbol>_<variant>.swf"), the variant
// being the current text of the component's "retInfo" (or, for the help window, "playBy").

#include <string>

class CParameterSet;

namespace pages {

// The variant word of a component: the current text of "retInfo", or with fallBackToPlayBy of
// "playBy" when "retInfo" is missing; only a choice (type 6) counts. Empty for none.
std::string HelpMovieVariant(const CParameterSet* set, bool fallBackToPlayBy);

// The movie of the Tutorial page: the symbol cut before its first "_", with the whole variant.
std::string TutorialMoviePath(const std::string& symbol, const std::string& variant);
// The movie of the help window: the symbol as it is, with the variant's first word.
std::string HelpWindowMoviePath(const std::string& symbol, const std::string& variant);

// True when a name can stand in a movie file name: not empty, no folder separators, no "..".
// Names come from documents, which may have been made to reach outside the help folder.
bool IsSafeMovieName(const std::string& name);

} // namespace pages
