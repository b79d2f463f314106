#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace model {

// Whole-file reads and writes of files a document or the user names, which may be anything:
// a link planted by another user, a device, a FIFO that never answers.

// Reads a regular file of at most maxSize bytes. The file is opened without blocking, so a
// FIFO or a device fails at once instead of hanging; reason, when given, says why it failed.
bool ReadFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes,
                   std::size_t maxSize = std::size_t(256) << 20, std::string* reason = nullptr);

// Files written together: each is staged under a temporary name of its own in its target's
// folder (created exclusively, never through a link), and Commit renames them all into place.
// A batch dropped uncommitted removes what it staged, so a failed publication leaves every
// target as it was. A target that exists and is not a regular file (a device, a folder, a
// FIFO) is refused. Temporary names carry the writer's process id: the next batch that writes
// beside them removes those of a process that no longer runs, so a killed run leaves nothing
// behind for long.
class CFileBatch {
public:
    CFileBatch() = default;
    ~CFileBatch();
    CFileBatch(const CFileBatch&) = delete;
    CFileBatch& operator=(const CFileBatch&) = delete;

    // An input of the publication: a target that is this file is refused.
    void Protect(const std::filesystem::path& input) { protected_.push_back(input); }
    // False, with the reason, when the target is refused or the bytes cannot be staged. A
    // target is refused when it is an input, or a file the batch already writes: the files
    // written together need files of their own.
    bool Stage(const std::filesystem::path& target, const std::uint8_t* data, std::size_t size,
               std::string& reason);
    // Marks the staged file at target as describing the others (the movie's map): Commit
    // removes its old version before renaming anything and renames the new one last, so an
    // interruption leaves it missing, never beside files it does not describe.
    void MarkDescription(const std::filesystem::path& target);
    // Renames every staged file over its target, the descriptions last. A rename that fails
    // leaves the targets before it written and removes the rest.
    bool Commit(std::string& reason);
    // Removes every staged file; also what the destructor does.
    void Discard();
    // A folder the batch should remove when it is left empty, committed or discarded (an asset
    // folder made for this publication).
    void RemoveIfEmpty(const std::filesystem::path& folder) { madeFolders_.push_back(folder); }

    std::size_t Size() const { return staged_.size(); }
    bool IsStaged(const std::filesystem::path& target) const;

private:
    struct Staged {
        std::filesystem::path target;
        std::filesystem::path temporary;
        bool description = false;
    };
    std::vector<Staged> staged_;
    std::vector<std::filesystem::path> madeFolders_;
    std::vector<std::filesystem::path> protected_;
};

// A batch of one file.
bool WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string* reason = nullptr);

// Whether a file exists that its owner protected from writing (no write permission bit at all,
// which holds for every user, the superuser too) or that this process may not write.
bool IsReadOnlyFile(const std::filesystem::path& path);

// Writes a file the person saves over, honouring what they set on it: a read-only file is
// refused; through a symbolic link the file the link names is written (beside it and renamed
// over it) and the link stays; a file with several hard links is written in place, after its
// room is reserved, so that every name sees the new content. Otherwise as WriteFileBytes.
bool SaveFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string* reason = nullptr);

// True when both name one existing file (the same device and inode, whatever the names).
bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b);

} // namespace model
