// The ActionScript compiler on arbitrary source, and the action readers on arbitrary bytes.
// Whatever compiles must pass the strict action checks.
#include "tools/actionscript/ActionCheck.h"
#include "tools/actionscript/Compiler.h"
#include "tools/actionscript/Disassembler.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    actionscript::CompileOptions options;
    options.readFile = [](const std::filesystem::path& path) -> std::optional<std::string> {
        if (path.filename() == "missing.as")
            return std::nullopt;
        if (path.filename() == "loop.as")
            return std::string("#include \"loop.as\"\n");
        if (path.filename() == "outer.as")
            return std::string("x = 1;\n#include \"inner.as\"\n#include \"inner.as\"\n");
        return std::string("function helper(a) { return a + 1; }\n");
    };
    actionscript::CompileResult result = actionscript::CompileSource(text, "fuzz.as", options);
    if (result.ok()) {
        auto problems = actionscript::CheckActions(result.actions);
        if (!problems.empty()) {
            std::fprintf(stderr, "compiled code fails the checks: %s\n", problems.front().c_str());
            std::abort();
        }
        (void)actionscript::Disassemble(result.actions);
    }
    std::span<const uint8_t> bytes(data, size);
    (void)actionscript::CheckActions(bytes);
    (void)actionscript::Disassemble(bytes);
    return 0;
}
