#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

// The options of a command line as users of command-line tools expect them: long options with
// their value after a space or an equals sign, short aliases, "--" ending the options, and an
// unknown option named in the error.
namespace cli {

struct OptionSpec {
    std::string name;     // "--map"
    char shortName = 0;   // 'h' for "-h", 0 for none
    bool takesValue = false;
};

struct Arguments {
    // Option name (the long form) to its value; flags map to an empty text.
    std::map<std::string, std::string> options;
    std::vector<std::string> positional;

    bool Has(const std::string& name) const { return options.count(name) != 0; }
    std::optional<std::string> Value(const std::string& name) const;
};

struct ParseResult {
    Arguments arguments;
    std::string error; // empty when the line was understood
};

ParseResult ParseArguments(int argc, const char* const* argv, const std::vector<OptionSpec>& specs);

// The version every program prints for --version.
std::string VersionText(const std::string& program);

} // namespace cli
