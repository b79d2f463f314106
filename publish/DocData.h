#pragma once

#include "base/RecordStream.h"
#include "model/Component.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class CBaseMovie;

// One canvas object of a document: its rectangle, the instances it holds (several for a
// group), their positions in the document's component list, the names it shows and whether
// it is live on the stage.
class CObjectRecord {
public:
    ComponentRect rect;                  // twips
    std::vector<CComponent*> components; // borrowed: the canvas, or the CDocData that read them
    std::vector<std::uint32_t> indexes;  // positions in the CDocData component list
    std::vector<std::string> names;
    std::uint8_t enabled = 1;
};

// A restored embedded file: the name it was embedded under and the temporary copy.
struct RestoredFile {
    std::string name;
    std::filesystem::path path;
};

// The flat picture of one document: the component instances, one record per canvas object,
// the canvas size and paper colour, three texts and the base movie that holds the model. The
// generation fills one from the live document; opening a document fills one from its file
// (docs/document-file.md), and the document then builds its canvas from it.
class CDocData {
public:
    CDocData();
    ~CDocData();
    CDocData(const CDocData&) = delete;
    CDocData& operator=(const CDocData&) = delete;

    // Appends the record, and its instances to the component list, noting their positions.
    void AddComponent(std::unique_ptr<CObjectRecord> record);

    CComponent* GetInstance(std::size_t index) const;
    std::size_t GetInstanceCount() const { return components_.size(); }
    const std::vector<CComponent*>& GetInstances() const { return components_; }
    CObjectRecord* GetComponent(std::size_t index) const;
    std::size_t GetComponentCount() const { return objects_.size(); }

    void GetStageSize(std::int32_t& width, std::int32_t& height) const;
    void SetStageSize(std::int32_t width, std::int32_t height);
    const std::array<std::uint8_t, 3>& GetPaperColor() const { return paper_; } // red, green, blue
    void SetPaperColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
    {
        paper_ = {red, green, blue};
    }
    const std::string& GetDescription() const { return description_; }
    void SetDescription(const std::string& text) { description_ = text; }
    // The workbook the model was imported from.
    const std::string& GetFileName() const { return sourceName_; }
    void SetFileName(const std::string& text) { sourceName_ = text; }
    // The working copy of that workbook (after opening: the restored embedded workbook).
    const std::string& GetPathName() const { return copyName_; }
    void SetPathName(const std::string& text) { copyName_ = text; }
    CBaseMovie* GetBaseMovie() const { return baseMovie_; }
    void SetBaseMovie(CBaseMovie* movie) { baseMovie_ = movie; }

    // Reads a document file. version holds the version text the caller expects; afterwards it
    // holds the header found, or "x" when the file cannot be read at all. A file that cannot
    // be read (unknown version, damaged or cut short) changes nothing: the base movie, the
    // catalogue's variant, the counters and the custom colour table stay as they were, and
    // no temporary file is left. GetLoadError then says why.
    bool Load(const std::string& path, std::string& version);
    bool Load(const std::vector<unsigned char>& bytes, std::string& version);
    // Reads the file as Load does, then puts everything back as a failed Load does: whether it
    // would open, without disturbing the document open now. The records stay for inspection.
    bool Check(const std::vector<unsigned char>& bytes, std::string& version);
    const std::string& GetLoadError() const { return loadError_; }
    // Why the last Load failed: the file could not be read, it is damaged, or the temporary
    // files its embedded workbook and files need could not be made (the document is sound).
    enum class LoadFailure { None, Unreadable, Damaged, TemporaryFiles };
    LoadFailure GetLoadFailure() const { return loadFailure_; }
    // After a successful Load: what of the file was left unread, for the user; empty when the
    // file ended with its last section. A newer version may append sections of its own.
    const std::string& GetLoadWarning() const { return loadWarning_; }

    // After a successful Load: the instances read, for the canvas to take over (the records
    // keep pointing at them), and the embedded files restored.
    std::vector<std::unique_ptr<CComponent>> TakeComponents() { return std::move(owned_); }
    const std::vector<RestoredFile>& GetRestoredFiles() const { return restored_; }

private:
    struct LoadState;
    void ReadBody(base::RecordReader& in, LoadState& state);
    void ReadObjects(base::RecordReader& in);
    void ReadEmbeddedWorkbook(base::RecordReader& in, LoadState& state);
    void ReadEmbeddedFiles(base::RecordReader& in, LoadState& state);
    std::filesystem::path RestoreFile(const std::vector<unsigned char>& bytes, const char* extension,
                                      LoadState& state);
    void Clear();

    std::vector<CComponent*> components_;
    std::vector<std::unique_ptr<CObjectRecord>> objects_;
    CBaseMovie* baseMovie_ = nullptr;
    std::array<std::uint8_t, 3> paper_{255, 255, 255};
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    std::string description_;
    std::string sourceName_;
    std::string copyName_;

    std::vector<std::unique_ptr<CComponent>> owned_;
    std::vector<RestoredFile> restored_;
    std::string loadError_;
    std::string loadWarning_;
    LoadFailure loadFailure_ = LoadFailure::None;
    bool checking_ = false;
};

// Points every external-file group of the components whose "fileName" is `from` at `to`:
// opening points them at restored copies, saving back at the names the files were embedded
// under.
void RepointExternalFiles(const std::vector<CComponent*>& components, const std::string& from,
                          const std::string& to);

// The version text documents are written with, and the older one that still opens.
inline constexpr const char* kDocumentVersion = "1.0.9.7";
// The largest canvas side in pixels the designer offers; a document claiming more is damaged
// (the movie's stage is kept in twips, 20 to the pixel, and in signed 32-bit numbers).
inline constexpr std::int32_t kMaxCanvasSide = 1630;
inline constexpr const char* kOlderDocumentVersion = "1.0.9.6";
