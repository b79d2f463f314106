#pragma once

#include <string>

namespace sheet {

// True when both paths name one file: through links, "..", a relative form or a second
// spelling. Paths that do not exist yet compare by their normalised absolute form.
bool IsSameFile(const std::string& a, const std::string& b);

} // namespace sheet
