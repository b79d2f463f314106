#include "tools/cli/CommandLine.h"

#include <algorithm>

namespace cli {

std::optional<std::string> Arguments::Value(const std::string& name) const
{
    auto it = options.find(name);
    if (it == options.end())
        return std::nullopt;
    return it->second;
}

namespace {

const OptionSpec* FindLong(const std::vector<OptionSpec>& specs, const std::string& name)
{
    auto it = std::find_if(specs.begin(), specs.end(), [&](const OptionSpec& s) { return s.name == name; });
    return it == specs.end() ? nullptr : &*it;
}

const OptionSpec* FindShort(const std::vector<OptionSpec>& specs, char name)
{
    auto it = std::find_if(specs.begin(), specs.end(), [&](const OptionSpec& s) { return s.shortName == name; });
    return it == specs.end() ? nullptr : &*it;
}

} // namespace

ParseResult ParseArguments(int argc, const char* const* argv, const std::vector<OptionSpec>& specs)
{
    ParseResult result;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        // A lone "-" is a name (standard input or output by convention), not an option.
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            result.arguments.positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const OptionSpec* spec = nullptr;
        std::optional<std::string> inlineValue;
        if (arg[1] == '-') {
            const std::size_t equals = arg.find('=');
            spec = FindLong(specs, arg.substr(0, equals));
            if (equals != std::string::npos)
                inlineValue = arg.substr(equals + 1);
        } else if (arg.size() == 2) {
            spec = FindShort(specs, arg[1]);
        }
        if (spec == nullptr) {
            result.error = "unknown option " + arg.substr(0, arg.find('='));
            return result;
        }
        if (!spec->takesValue) {
            if (inlineValue) {
                result.error = "option " + spec->name + " takes no value";
                return result;
            }
            result.arguments.options[spec->name];
            continue;
        }
        if (!inlineValue) {
            if (i + 1 >= argc) {
                result.error = "option " + spec->name + " needs a value";
                return result;
            }
            inlineValue = argv[++i];
        }
        result.arguments.options[spec->name] = *inlineValue;
    }
    return result;
}

std::string VersionText(const std::string& program)
{
    return program + " " VANTOREL_VERSION;
}

} // namespace cli
