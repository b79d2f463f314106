#pragma once

#include <stdexcept>
#include <string>

namespace swf {

// Every failure of the movie library (unreadable file, malformed tag, a value that does not fit
// its field) is reported with this type, so callers catch one thing.
class SwfError : public std::runtime_error {
public:
    explicit SwfError(const std::string& what) : std::runtime_error(what) {}
};

} // namespace swf
