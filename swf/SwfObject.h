#pragma once

#include "swf/SwfCodes.h"

#include <cstdint>
#include <memory>
#include <unordered_set>
#include <vector>

namespace swf {
class Writer;
}

// The base of every tag, character and movie object. The use count decides whether a movie
// that is not in write-all mode writes the object; it says nothing about ownership, which the
// containers keep explicitly.
class CSwfObject {
public:
    CSwfObject() = default;
    explicit CSwfObject(uint16_t characterId) : characterId_(characterId) {}
    virtual ~CSwfObject() = default;
    CSwfObject(const CSwfObject&) = delete;
    CSwfObject& operator=(const CSwfObject&) = delete;

    virtual void Write(swf::Writer& out) = 0;

    // The tag code this object writes, when it is one tag; movies and other composite objects
    // that write several tags answer End.
    virtual swf::TagCode GetTagCode() const { return swf::TagCode::End; }

    void AddUse() { ++useCount_; }
    // Never goes below zero: an unbalanced release must not make a tag look used again later.
    void RemoveUse()
    {
        if (useCount_ > 0)
            --useCount_;
    }
    int GetUseCount() const { return useCount_; }
    void SetUseCount(int count) { useCount_ = count < 0 ? 0 : count; }

    // 0 when the object defines no character.
    uint16_t GetCharacterId() const { return characterId_; }
    void SetCharacterId(uint16_t id) { characterId_ = id; }

    // Character ids this object needs to be written before it (placed characters, bitmaps of
    // fills, fonts of texts, the sprite an export names...).
    const std::vector<uint16_t>& GetDependencies() const { return dependencies_; }
    void AddDependency(uint16_t id);
    void ClearDependencies()
    {
        dependencies_.clear();
        dependencySet_.reset();
    }

private:
    int useCount_ = 0;
    uint16_t characterId_ = 0;
    std::vector<uint16_t> dependencies_;
    // Made once the list is long, so that a sprite or shape read from a file with thousands of
    // referenced ids does not take quadratic time to build its list.
    std::unique_ptr<std::unordered_set<uint16_t>> dependencySet_;
};
