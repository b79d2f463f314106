#include "sheet/host/SameFile.h"

#include <filesystem>

namespace sheet {

bool IsSameFile(const std::string& a, const std::string& b)
{
    namespace fs = std::filesystem;
    if (a.empty() || b.empty())
        return false;
    std::error_code error;
    if (fs::exists(a, error) && fs::exists(b, error)) {
        bool same = fs::equivalent(a, b, error);
        if (!error)
            return same;
    }
    auto normal = [](const std::string& p) {
        std::error_code e;
        fs::path full = fs::weakly_canonical(fs::absolute(p, e), e);
        return e ? fs::absolute(p).lexically_normal() : full;
    };
    return normal(a) == normal(b);
}

} // namespace sheet
