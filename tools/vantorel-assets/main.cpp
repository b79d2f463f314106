// vantorel-assets: lays out the installation folder from the asset sources (run by the build).
//
//   vantorel-assets SOURCE_ROOT INSTALL_DIR
//
// Prints one line per movie and every error as "file:line:column: message"; exits with 1 when
// any movie could not be built.

#include "tools/actionscript/AssetBuilder.h"
#include "swf/SwfError.h"

#include <chrono>
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: vantorel-assets SOURCE_ROOT INSTALL_DIR\n");
        return 2;
    }
    auto start = std::chrono::steady_clock::now();
    try {
        auto report = actionscript::BuildInstallFolder(argv[1], argv[2], [](const std::string& line) {
            std::printf("  %s\n", line.c_str());
        });
        for (const auto& error : report.errors)
            std::fprintf(stderr, "%s\n", error.c_str());
        auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
        std::printf("installation folder %s: %zu movies, %zu other files, %zu changed, %lld ms\n", argv[2],
                    report.movies, report.files, report.written.size(), static_cast<long long>(ms.count()));
        return report.errors.empty() ? 0 : 1;
    } catch (const swf::SwfError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
