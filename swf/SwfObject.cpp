#include "swf/SwfObject.h"

#include <algorithm>

void CSwfObject::AddDependency(uint16_t id)
{
    // 0 is no character and 0xFFFF the "no bitmap" id of fill styles.
    if (id == 0 || id == 0xFFFF || id == characterId_)
        return;
    if (std::find(dependencies_.begin(), dependencies_.end(), id) == dependencies_.end())
        dependencies_.push_back(id);
}
