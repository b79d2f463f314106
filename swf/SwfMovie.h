#pragma once

#include "swf/ClipEntry.h"
#include "swf/SwfObject.h"
#include "swf/SwfRecords.h"
#include "swf/TagLoader.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <unordered_map>
#include <vector>

class CSwfRawTag;

// A container of tags. It owns the tags added with unique_ptr and only refers to the ones added
// by pointer (objects with owners of their own, such as the long-lived movies and libraries a
// build adds to its output); deleting the movie deletes exactly the owned ones.
class CSwfMovie : public CSwfObject {
public:
    CSwfMovie();
    ~CSwfMovie() override;

    // Appends; a ShowFrame adds a frame; the tag is indexed by its character id.
    CSwfObject* AddTag(std::unique_ptr<CSwfObject> tag);
    void AddTag(CSwfObject* borrowed);
    // Takes a tag out of the list; the result holds it when the movie owned it.
    std::unique_ptr<CSwfObject> RemoveTag(CSwfObject* tag);
    void RemoveAllTags();
    size_t GetTagCount() const { return tags_.size(); }
    CSwfObject* GetTag(size_t index) const { return tags_[index].tag; }
    bool OwnsTag(size_t index) const { return tags_[index].owned != nullptr; }
    // The tags indexed under a character id, in list order.
    std::vector<CSwfObject*> FindCharacter(uint16_t id) const;

    // Writes, in list order, the tags used at least once, or all of them in write-all mode. An
    // export of several characters then names only those whose definitions are used.
    void Write(swf::Writer& out) override;
    void SetWriteAll(bool writeAll) { writeAll_ = writeAll; }
    bool GetWriteAll() const { return writeAll_; }

    uint16_t GetFrameCount() const { return frameCount_; }
    void SetFrameCount(uint16_t count) { frameCount_ = count; }
    // Of the last file loaded.
    const CSwfRect& GetFrameRect() const { return frameRect_; }
    uint8_t GetVersion() const { return version_; }
    double GetFrameRate() const { return frameRate_; }

    // Reads a movie file (FWS or CWS; a path ending in "dat" is an enciphered asset) into this
    // movie, replacing its tags. The exported-symbol table is refilled. Throws swf::SwfError
    // when the file cannot be read or parsed.
    void LoadFile(const std::filesystem::path& path, const swf::LoadOptions& options = {});
    // The same from the bytes of a (deciphered) movie file.
    void LoadBytes(std::span<const uint8_t> file, const swf::LoadOptions& options = {});

    // Add or remove one use of every tag with the id and, recursively, of every id it depends on
    // (each id once per call, so cyclic references end).
    void MarkCharacterUsed(uint16_t id);
    void UnmarkCharacterUsed(uint16_t id);

    // Writes a complete file of every tag in the list: header, frame rectangle 0..width by
    // 0..height twips (16-bit fields, so PatchSwfFrameSize can rewrite it in place), frame rate,
    // frame count, the tags, End. compress: "CWS" with a zlib stream (level 9) of everything after
    // the first 8 bytes; encipher: the file as an enciphered asset. Throws swf::SwfError.
    void WriteFile(const std::filesystem::path& path, int32_t width, int32_t height, double frameRate,
                   bool compress, bool encipher = false);
    std::vector<uint8_t> WriteBytes(int32_t width, int32_t height, double frameRate, bool compress);

    // The exported clips of the last load, in reading order.
    std::vector<ClipEntry>& GetClipEntries() { return clipEntries_; }

protected:
    // The container's tag parser: receives each top-level tag of a file being loaded. The default
    // decodes it and adds it.
    virtual void ParseTag(swf::TagLoader& loader, uint16_t code, std::span<const uint8_t> body,
                          bool longHeader, size_t offset);
    // Writes the tags for a file; the default writes every tag in the list.
    virtual void WriteAllTags(swf::Writer& out);
    virtual void ClearForLoad();

private:
    struct Entry {
        CSwfObject* tag;
        std::unique_ptr<CSwfObject> owned;
    };
    void Index(CSwfObject* tag);
    void Unindex(CSwfObject* tag);
    void ChangeUse(uint16_t id, bool add);
    void BuildClipEntries(bool keepTopLevel);
    // Whether a tag indexed under the id, other than an export, is used.
    bool IsDefinitionUsed(uint16_t id) const;
    void WriteUsedExports(swf::Writer& out, CSwfRawTag& exports) const;

    std::vector<Entry> tags_;
    std::unordered_multimap<uint16_t, CSwfObject*> index_;
    std::vector<ClipEntry> clipEntries_;
    uint16_t frameCount_ = 0;
    CSwfRect frameRect_;
    uint8_t version_ = 6;
    double frameRate_ = 30.0;
    bool writeAll_ = false;
};

namespace swf {

// The "CWS" form of an uncompressed ("FWS") movie file: the same header, then everything after
// its first 8 bytes as one zlib stream at level 9. Throws SwfError.
std::vector<uint8_t> CompressMovie(std::span<const uint8_t> plainFile);

} // namespace swf
