// vantorel-asc: the ActionScript compiler and disassembler on the command line.
//
//   vantorel-asc [-I DIR]... [--no-pool] SOURCE.as [-o OUT]   compile; OUT receives the action
//                                                             records (with End), else a listing
//   vantorel-asc --movie MOVIE.swf|MOVIE.dat                  list every script of a movie
//
// Errors go to stderr as "file:line:column: message"; the exit code is 1 on any error.

#include "tools/actionscript/ActionCheck.h"
#include "tools/actionscript/Compiler.h"
#include "tools/actionscript/Disassembler.h"
#include "swf/ClipEntry.h"
#include "swf/SwfDoAction.h"
#include "swf/SwfError.h"
#include "swf/SwfMovie.h"
#include "swf/SwfSprite.h"

#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

int Usage()
{
    std::fprintf(stderr, "usage: vantorel-asc [-I DIR]... [--no-pool] SOURCE.as [-o OUT]\n"
                         "       vantorel-asc --movie MOVIE.swf|MOVIE.dat\n");
    return 2;
}

using ExportNames = std::map<uint16_t, std::string>;

void ListScripts(const CSwfObject& tag, const std::string& where, const ExportNames& names)
{
    std::vector<uint8_t> bytes;
    std::string title;
    if (auto* action = dynamic_cast<const CSwfDoAction*>(&tag)) {
        bytes = action->IsRaw() ? action->GetRawData()->GetBytes() : action->GetActions().ToBytes(false);
        title = "DoAction";
    } else if (auto* init = dynamic_cast<const CSwfDoInitAction*>(&tag)) {
        bytes = init->GetActions().GetBytes();
        title = "DoInitAction of character " + std::to_string(init->GetCharacterId());
        if (auto name = names.find(init->GetCharacterId()); name != names.end())
            title += " \"" + name->second + "\"";
    } else if (auto* sprite = dynamic_cast<const CSwfSprite*>(&tag)) {
        for (size_t i = 0; i < sprite->GetTagCount(); ++i)
            ListScripts(*sprite->GetTag(i), where + "sprite " + std::to_string(sprite->GetCharacterId()) + ", ", names);
        return;
    } else {
        return;
    }
    std::printf("; %s%s, %zu bytes\n%s", where.c_str(), title.c_str(), bytes.size(),
                actionscript::Disassemble(bytes).c_str());
    for (const auto& problem : actionscript::CheckActions(bytes))
        std::printf("; problem: %s\n", problem.c_str());
}

int ListMovie(const std::string& path)
{
    try {
        CSwfMovie movie;
        movie.LoadFile(path);
        ExportNames names;
        for (const auto& clip : movie.GetClipEntries())
            names.emplace(clip.GetId(), clip.GetName());
        for (size_t i = 0; i < movie.GetTagCount(); ++i)
            ListScripts(*movie.GetTag(i), "", names);
        return 0;
    } catch (const swf::SwfError& e) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), e.what());
        return 1;
    }
}

} // namespace

int main(int argc, char** argv)
{
    actionscript::CompileOptions options;
    std::string source;
    std::string output;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--movie" && i + 1 < argc)
            return ListMovie(argv[i + 1]);
        if (arg == "-I" && i + 1 < argc)
            options.includeDirs.emplace_back(argv[++i]);
        else if (arg == "-o" && i + 1 < argc)
            output = argv[++i];
        else if (arg == "--no-pool")
            options.constantPool = false;
        else if (!arg.empty() && arg[0] != '-' && source.empty())
            source = arg;
        else
            return Usage();
    }
    if (source.empty())
        return Usage();
    actionscript::CompileResult result = actionscript::CompileFile(source, options);
    if (!result.ok()) {
        std::fprintf(stderr, "%s\n", result.error->ToString().c_str());
        return 1;
    }
    if (output.empty()) {
        std::fputs(actionscript::Disassemble(result.actions).c_str(), stdout);
        return 0;
    }
    result.actions.push_back(0);
    std::ofstream out(output, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(result.actions.data()), static_cast<std::streamsize>(result.actions.size()));
    if (!out) {
        std::fprintf(stderr, "%s: cannot write the file\n", output.c_str());
        return 1;
    }
    return 0;
}
