#pragma once

#include <string>

namespace actionscript {

// Where in the sources a token or construct starts; lines and columns count from 1, columns in
// bytes.
struct SourceLocation {
    int file = 0; // index into the compilation's file names
    int line = 1;
    int column = 1;
};

// One error in a source, already resolved to its file name.
struct Diagnostic {
    std::string file;
    int line = 0;
    int column = 0;
    std::string message;

    // "file:line:column: message", the form editors jump to.
    std::string ToString() const;
};

} // namespace actionscript
