#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace swf {
class Writer;
}
class CAction;

// An ordered list of action records that owns them.
class CActionList {
public:
    CActionList();
    ~CActionList();
    CActionList(CActionList&&) noexcept;
    CActionList& operator=(CActionList&&) noexcept;

    // Appends and returns the new number of records.
    int Add(std::unique_ptr<CAction> action);
    // Moves every record of other to the end of this list, leaving other empty.
    void Append(CActionList&& other);
    void RemoveAll();

    size_t size() const { return actions_.size(); }
    bool empty() const { return actions_.empty(); }
    const CAction& operator[](size_t index) const { return *actions_[index]; }
    auto begin() const { return actions_.begin(); }
    auto end() const { return actions_.end(); }

    // The records, without a closing End action.
    void Write(swf::Writer& out) const;
    // The same with each run of Push records written as one (Push a; Push b as Push a, b) while
    // it stays within a record's 65,535 bytes: fewer records for the player to read. Only for
    // code that no branch jumps into.
    void WriteJoiningPushes(swf::Writer& out) const;
    // Write, letting go of each record once it is written: the list is empty afterwards, or,
    // when a record cannot be written, holds it and those after it.
    void WriteAndRelease(swf::Writer& out);
    // How many bytes Write writes.
    size_t WrittenSize() const;
    // The records as bytes, optionally closed by the End action (a DoAction body).
    std::vector<uint8_t> ToBytes(bool withEnd) const;

private:
    std::vector<std::unique_ptr<CAction>> actions_;
};

namespace swf {

struct ActionParseOptions {
    bool keepRawConstants = false;
};

// Decodes action records up to the End action or the end of the bytes. Throws SwfError on
// malformed records (a length that overruns, a function body that ends inside a record,
// nesting deeper than the reader allows). base is added to offsets in messages.
CActionList ParseActions(std::span<const uint8_t> bytes, const ActionParseOptions& options = {},
                         size_t base = 0);

} // namespace swf
