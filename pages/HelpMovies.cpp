#include "pages/HelpMovies.h"

#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "pages/PageBlocks.h"
#include "pages/PageKit.h"

namespace pages {

namespace {

const char* const kHelpFolder = "asset/help/";

std::string MoviePath(const std::string& name, const std::string& variant)
{
    if (!IsSafeMovieName(name))
        return {};
    if (!variant.empty() && IsSafeMovieName(variant))
        return kHelpFolder + name + "_" + variant + ".swf";
    return kHelpFolder + name + ".swf";
}

} // namespace

std::string HelpMovieVariant(const CParameterSet* set, bool fallBackToPlayBy)
{
    if (set == nullptr)
        return {};
    // Components keep their values in groups of their whole set.
    const CParameter* variant = FindInComponent(set, "retInfo");
    if (variant == nullptr && fallBackToPlayBy)
        variant = FindInComponent(set, "playBy");
    if (variant == nullptr || variant->GetType() != model::ParamType::Choice)
        return {};
    return ChoiceText(variant);
}

std::string TutorialMoviePath(const std::string& symbol, const std::string& variant)
{
    return MoviePath(symbol.substr(0, symbol.find('_')), variant);
}

std::string HelpWindowMoviePath(const std::string& symbol, const std::string& variant)
{
    return MoviePath(symbol, variant.substr(0, variant.find(' ')));
}

bool IsSafeMovieName(const std::string& name)
{
    return !name.empty() && name.find('/') == std::string::npos && name.find('\\') == std::string::npos &&
           name.find("..") == std::string::npos && name.find('\0') == std::string::npos;
}

} // namespace pages
