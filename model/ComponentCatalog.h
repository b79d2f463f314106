#pragma once

#include "base/RecordStream.h"

#include "swf/SwfIds.h"
#include "swf/SwfObject.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class CComponentDef;
class CComponent;
class CSwfComponent;
class CSwfMovie;

// One palette category: its definitions in catalogue order.
class CComponentCategory {
public:
    explicit CComponentCategory(std::string name) : name_(std::move(name)) {}
    const std::string& GetName() const { return name_; }
    int GetItemCount() const { return static_cast<int>(definitions_.size()); }
    // The prototype instance of the i-th definition, or null.
    CSwfComponent* GetItem(int index) const;
    int GetGroupSize() const { return GetItemCount(); }
    CComponentDef* GetGroupItem(int index) const;
    void Add(CComponentDef* definition) { definitions_.push_back(definition); }

private:
    std::string name_;
    std::vector<CComponentDef*> definitions_;
};

// Every component definition of the installation. The folder "component" holds one sub-folder
// per variant (a complete look of every component) with enciphered asset movies ("*.dat")
// whose exported symbols are the components, and "component/default" with one
// default-parameter file per symbol. Added to a movie as a tag, the catalogue writes the
// symbols of the current variant that are marked used.
class CComponentCatalog : public CSwfObject {
public:
    CComponentCatalog();
    ~CComponentCatalog() override;

    // Scans installDir/component once. The assets' character ids are renumbered from the
    // catalogue's own counter, from 1. A symbol whose default-parameter file is missing or
    // unreadable, and an asset that cannot be read, are skipped with a trace line; the others
    // load. False (with error) only when there is no variant folder at all.
    bool Load(const std::filesystem::path& installDir, std::string* error = nullptr);
    // What Load skipped: the installation is damaged there. Symbol is empty for an asset.
    struct Skipped {
        std::string symbol;
        std::filesystem::path file;
        std::string reason;
    };
    const std::vector<Skipped>& GetSkipped() const { return skipped_; }
    // The skipped definition of symbol, null when it loaded or was never there.
    const Skipped* FindSkipped(const std::string& symbol) const;
    // The ids the assets took end before Peek(): a build that writes components numbers its
    // own characters from there on.
    const swf::IdCounter& GetAssetIds() const { return assetIds_; }

    // The palette's categories in the order of their first definitions, except that the
    // category "Hidden" (helpers every movie carries, such as the scroll box) comes last: the
    // palette opens on the first one.
    int GetCategoryCount() const { return static_cast<int>(categories_.size()); }
    // The categories a person chooses from: all but the helpers, which are placed by the movie
    // builder, never by hand.
    int GetPaletteCategoryCount() const;
    CComponentCategory* GetCategory(int index) const;
    int GetFolderCount() const { return static_cast<int>(folders_.size()); }
    // The i-th variant folder name (at most 64 characters), empty past the end.
    std::string GetFolderName(int index) const;
    int GetTotalCount() const { return static_cast<int>(definitions_.size()); }
    CComponentDef* GetDefinition(int index) const;
    CComponentDef* FindDefinition(const std::string& symbol) const;
    CSwfComponent* FindByTypeName(const std::string& symbol) const;

    void SelectVariant(int index);
    int GetCurrentVariant() const { return currentVariant_; }

    void ResetCounters();
    // u32 n, then n times a u32 counter and a 64-byte NUL-padded definition name. Unknown
    // names are skipped. Throws ModelError on damaged input, before any counter changes.
    void LoadCounters(base::RecordReader& in);
    void SaveCounters(base::RecordWriter& out) const;

    void Write(swf::Writer& out) override;

private:
    struct Variant {
        std::string folder;
        std::vector<std::unique_ptr<CSwfMovie>> assets;
    };
    std::vector<std::string> folders_;
    std::vector<Variant> variants_;
    std::vector<std::unique_ptr<CComponentDef>> definitions_;
    std::vector<std::unique_ptr<CComponentCategory>> categories_;
    int currentVariant_ = 0;
    swf::IdCounter assetIds_;
    std::vector<Skipped> skipped_;
};

namespace model {
// The catalogue of the current program context, which lends it here while it is current (null
// when there is none). Borrowed: the lender keeps it alive until it sets another or null.
CComponentCatalog* GetComponentCatalogPtr();
void SetComponentCatalog(CComponentCatalog* catalog);
void ResetComponentCatalog();
} // namespace model
inline CComponentCatalog* GetComponentCatalog()
{
    return model::GetComponentCatalogPtr();
}
