#pragma once

// An installation folder with a small component catalogue, for the tests and benchmarks of the
// layers that place components: one enciphered asset exporting a sprite per symbol, and a
// default-parameter file per symbol.

#include "swf/SwfMovie.h"
#include "swf/SwfSprite.h"
#include "swf/SwfTags.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace testsupport {

// A fixture symbol named as a shipped one has the shipped one's traits (when the sources are
// known, as they are to the tests).
inline std::string ShippedTraits(const std::string& symbol)
{
    const char* source = std::getenv("VANTOREL_SOURCE_DIR");
    if (source == nullptr)
        return "";
    std::ifstream shipped(std::filesystem::path(source) / "assets" / "component" / "default" / (symbol + ".xml"));
    const std::string text((std::istreambuf_iterator<char>(shipped)), std::istreambuf_iterator<char>());
    const std::size_t at = text.find(" traits=\"");
    return at == std::string::npos ? std::string() : text.substr(at, text.find('"', at + 9) + 1 - at);
}

// Parameters of the fixture's components: every value kind a description can set, a scalar
// and a list binding, and an external-file group.
inline std::string FixtureDefaults(const std::string& symbol)
{
    return "<component symbol=\"" + symbol + "\"" + ShippedTraits(symbol) + " label=\"" + symbol +
           "\" category=\"Test\" "
           "xmin=\"0\" xmax=\"2000\" ymin=\"0\" ymax=\"1000\">"
           "<group name=\"General\" subtype=\"singleValue\">"
           "<param name=\"title\" value=\"Untitled\"/>"
           "<param name=\"value\" type=\"1\" value=\"0\"/>"
           "<param name=\"count\" type=\"3\" value=\"0\"/>"
           "<param name=\"show\" type=\"2\" value=\"false\"/>"
           "<param name=\"color\" type=\"4\" value=\"0x000000\"/>"
           "<param name=\"mode\" type=\"6\" value=\"fast\"><choice>fast</choice><choice>slow</choice></param>"
           "<param name=\"data\" type=\"8\" direction=\"input\"><bound type=\"1\"/></param>"
           "<param name=\"labels\" type=\"8\" direction=\"output\"><bound type=\"5\"><template "
           "type=\"0\"/></bound></param>"
           "<param name=\"items\" type=\"5\"><template type=\"0\"/></param>"
           "</group>"
           "<group name=\"Media\" subtype=\"externalFile\"><param name=\"fileName\" value=\"\"/></group>"
           "</component>";
}

inline void WriteComponentFixture(const std::filesystem::path& installDir,
                                  const std::vector<std::string>& symbols)
{
    const std::filesystem::path component = installDir / "component";
    std::filesystem::create_directories(component / "default");
    std::filesystem::create_directories(component / "basic");
    CSwfMovie movie;
    swf::IdCounter ids;
    for (const std::string& symbol : symbols) {
        auto sprite = std::make_unique<CSwfSprite>(ids);
        sprite->AddTag(std::make_unique<CSwfShowFrame>());
        const std::uint16_t id = sprite->GetCharacterId();
        movie.AddTag(std::move(sprite));
        auto exported = std::make_unique<CSwfExportedSymbol>(id);
        exported->SetName(symbol);
        movie.AddTag(std::move(exported));
        std::ofstream(component / "default" / (symbol + ".xml")) << FixtureDefaults(symbol);
    }
    movie.AddTag(std::make_unique<CSwfShowFrame>());
    movie.WriteFile(component / "basic" / "a.dat", 2000, 1000, 30, false, true);
}

} // namespace testsupport
