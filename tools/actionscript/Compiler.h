#pragma once

#include "tools/actionscript/Diagnostic.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace actionscript {

// Bounds on untrusted sources: the size of one file, the depth of nested #includes and the
// tokens of a whole compilation after every #include is expanded.
inline constexpr size_t kMaxSourceBytes = 16 * 1024 * 1024;
inline constexpr int kMaxIncludeDepth = 16;
inline constexpr size_t kMaxTokens = 4'000'000;

struct CompileOptions {
    // Searched for #include files after the folder of the file that includes them.
    std::vector<std::filesystem::path> includeDirs;
    // Pools repeated strings (smaller code); off only to read the plain form in tests.
    bool constantPool = true;
    // Reads a source file; none when it cannot be read. The default reads from disk.
    std::function<std::optional<std::string>(const std::filesystem::path&)> readFile;
};

struct CompileResult {
    // The action records of one block (a frame script or an initialisation), without the
    // closing End action.
    std::vector<uint8_t> actions;
    // Set when the source could not be compiled; actions are then empty.
    std::optional<Diagnostic> error;
    // Every file read, the main one first, for build dependencies.
    std::vector<std::filesystem::path> files;

    bool ok() const { return !error.has_value(); }
};

// Compiles ActionScript 1 into SWF 6 action records. Never throws for bad source: the first
// fault is reported with its file, line and column.
CompileResult CompileSource(std::string_view source, const std::filesystem::path& fileName,
                            const CompileOptions& options = {});
CompileResult CompileFile(const std::filesystem::path& file, const CompileOptions& options = {});

} // namespace actionscript
