#pragma once

#include <cstdint>
#include <string>

class CSwfMovie;
class CSwfObject;
class CSwfRawData;

// One exported clip of a loaded movie: its export name and character id, its top-level
// placement (when the load kept placements) and the body of its DoInitAction, if any. The
// placement and the init tag stay owned by the movie; the entry only points at them.
class ClipEntry {
public:
    ClipEntry(CSwfMovie* movie, uint16_t id, std::string name)
        : movie_(movie), id_(id), name_(std::move(name))
    {
    }

    uint16_t GetId() const { return id_; }
    const std::string& GetName() const { return name_; }
    CSwfObject* GetPlacement() const { return placement_; }
    // The initialisation actions (without the closing End), or null when the clip has none.
    const CSwfRawData* GetInitActions() const { return initActions_; }

    // Takes the placement out of its movie and deletes it; the entry no longer points at it.
    void DeletePlacement();

private:
    friend class CSwfMovie;
    CSwfMovie* movie_;
    uint16_t id_;
    std::string name_;
    CSwfObject* placement_ = nullptr;
    const CSwfRawData* initActions_ = nullptr;
};
