#include "swf/SwfObject.h"

#include <algorithm>

void CSwfObject::AddDependency(uint16_t id)
{
    // 0 is no character and 0xFFFF the "no bitmap" id of fill styles.
    if (id == 0 || id == 0xFFFF || id == characterId_)
        return;
    constexpr size_t kLinearSearchUpTo = 32;
    if (dependencySet_) {
        if (dependencySet_->insert(id).second)
            dependencies_.push_back(id);
        return;
    }
    if (std::find(dependencies_.begin(), dependencies_.end(), id) != dependencies_.end())
        return;
    dependencies_.push_back(id);
    if (dependencies_.size() > kLinearSearchUpTo)
        dependencySet_ =
            std::make_unique<std::unordered_set<uint16_t>>(dependencies_.begin(), dependencies_.end());
}
