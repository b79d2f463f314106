#include "model/ComponentCatalog.h"

#include "base/ModelError.h"
#include "model/Component.h"
#include "model/ComponentDef.h"
#include "model/DefaultParameters.h"
#include "model/Trace.h"

#include "swf/SwfError.h"
#include "swf/SwfMovie.h"

#include <algorithm>
#include <cstring>
#include <map>

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kCounterNameSize = 64;
// The category of the helper components: listed, but after every other.
constexpr const char* kHiddenCategory = "Hidden";

std::vector<fs::path> SortedEntries(const fs::path& folder, bool directories)
{
    std::vector<fs::path> entries;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        bool isDirectory = it->is_directory(typeError);
        if (typeError || isDirectory != directories) {
            continue;
        }
        entries.push_back(it->path());
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}

CComponentCatalog*& Installed()
{
    static CComponentCatalog* catalog = nullptr;
    return catalog;
}

} // namespace

namespace model {
CComponentCatalog* GetComponentCatalogPtr()
{
    return Installed();
}

void SetComponentCatalog(CComponentCatalog* catalog)
{
    Installed() = catalog;
}

void ResetComponentCatalog()
{
    Installed() = nullptr;
}
} // namespace model

CSwfComponent* CComponentCategory::GetItem(int index) const
{
    CComponentDef* definition = GetGroupItem(index);
    return definition ? definition->GetPrototype() : nullptr;
}

CComponentDef* CComponentCategory::GetGroupItem(int index) const
{
    if (index < 0 || index >= GetItemCount()) {
        return nullptr;
    }
    return definitions_[static_cast<std::size_t>(index)];
}

CComponentCatalog::CComponentCatalog() = default;
CComponentCatalog::~CComponentCatalog() = default;

bool CComponentCatalog::Load(const fs::path& installDir, std::string* error)
{
    fs::path root = installDir / "component";
    fs::path defaultsFolder = root / "default";
    std::vector<Variant> variants;
    std::vector<std::unique_ptr<CComponentDef>> definitions;
    std::map<std::string, CComponentDef*> bySymbol;
    swf::IdCounter assetIds;
    std::vector<Skipped> skipped;

    for (const fs::path& folder : SortedEntries(root, true)) {
        std::string folderName = folder.filename().string();
        if (folderName == "default") {
            continue;
        }
        Variant variant;
        variant.folder = folderName.substr(0, 64);
        std::size_t variantIndex = variants.size();
        for (const fs::path& file : SortedEntries(folder, false)) {
            if (file.extension() != ".dat") {
                continue;
            }
            auto movie = std::make_unique<CSwfMovie>();
            try {
                swf::LoadOptions options;
                options.remapIds = &assetIds;
                movie->LoadFile(file, options);
            } catch (const swf::SwfError& e) {
                Trace("Component asset %s skipped: %s", file.string().c_str(), e.what());
                skipped.push_back({"", file, e.what()});
                continue;
            }
            for (const ClipEntry& clip : movie->GetClipEntries()) {
                const std::string& symbol = clip.GetName();
                CComponentDef* definition = nullptr;
                auto found = bySymbol.find(symbol);
                if (found != bySymbol.end()) {
                    definition = found->second;
                } else if (variantIndex == 0) {
                    ComponentDefaults defaults;
                    const fs::path defaultsFile = defaultsFolder / (symbol + ".xml");
                    try {
                        defaults = model::ReadDefaultParametersFile(defaultsFile.string());
                    } catch (const ModelError& e) {
                        Trace("Component %s skipped: %s", symbol.c_str(), e.what());
                        // A clip without a file is no component; one whose file is damaged is.
                        std::error_code missing;
                        if (fs::exists(defaultsFile, missing) &&
                            std::none_of(skipped.begin(), skipped.end(),
                                         [&symbol](const Skipped& s) { return s.symbol == symbol; })) {
                            skipped.push_back({symbol, defaultsFile, e.what()});
                        }
                        continue;
                    }
                    auto made = std::make_unique<CComponentDef>(
                        symbol, defaults.label.empty() ? symbol : defaults.label);
                    made->SetCategory(defaults.category.empty() ? "default" : defaults.category);
                    made->SetDescription(defaults.description);
                    made->SetScalingMode(defaults.scalingMode);
                    made->SetTraits(defaults.traits);
                    if (defaults.bounds) {
                        made->SetBounds(*defaults.bounds);
                    }
                    auto prototype = std::make_unique<CSwfComponent>(made.get());
                    prototype->SetName(symbol);
                    prototype->SetParameters(std::move(defaults.parameters));
                    prototype->SetBounds(made->GetBounds()[0], made->GetBounds()[2], made->GetBounds()[1],
                                         made->GetBounds()[3]);
                    made->SetPrototype(std::move(prototype));
                    definition = made.get();
                    bySymbol[symbol] = definition;
                    definitions.push_back(std::move(made));
                } else {
                    Trace("Component %s of variant %s is not in the first variant", symbol.c_str(),
                          variant.folder.c_str());
                    continue;
                }
                definition->SetVariantSymbol(variantIndex, {movie.get(), clip.GetId()});
            }
            variant.assets.push_back(std::move(movie));
        }
        variants.push_back(std::move(variant));
    }
    if (variants.empty()) {
        if (error) {
            *error = "no component folder in " + root.string();
        }
        return false;
    }

    std::vector<std::unique_ptr<CComponentCategory>> categories;
    for (const auto& definition : definitions) {
        auto it = std::find_if(categories.begin(), categories.end(),
                               [&](const auto& c) { return c->GetName() == definition->GetCategory(); });
        if (it == categories.end()) {
            categories.push_back(std::make_unique<CComponentCategory>(definition->GetCategory()));
            it = categories.end() - 1;
        }
        (*it)->Add(definition.get());
    }
    std::stable_partition(categories.begin(), categories.end(),
                          [](const auto& c) { return c->GetName() != kHiddenCategory; });

    folders_.clear();
    for (const Variant& v : variants) {
        folders_.push_back(v.folder);
    }
    categories_ = std::move(categories);
    definitions_ = std::move(definitions);
    variants_ = std::move(variants);
    assetIds_ = assetIds;
    skipped_ = std::move(skipped);
    SelectVariant(0);
    return true;
}

const CComponentCatalog::Skipped* CComponentCatalog::FindSkipped(const std::string& symbol) const
{
    for (const Skipped& s : skipped_) {
        if (!symbol.empty() && s.symbol == symbol) {
            return &s;
        }
    }
    return nullptr;
}

int CComponentCatalog::GetPaletteCategoryCount() const
{
    const bool helpers = !categories_.empty() && categories_.back()->GetName() == kHiddenCategory;
    return GetCategoryCount() - (helpers ? 1 : 0);
}

CComponentCategory* CComponentCatalog::GetCategory(int index) const
{
    if (index < 0 || index >= GetCategoryCount()) {
        return nullptr;
    }
    return categories_[static_cast<std::size_t>(index)].get();
}

std::string CComponentCatalog::GetFolderName(int index) const
{
    if (index < 0 || index >= GetFolderCount()) {
        return std::string();
    }
    return folders_[static_cast<std::size_t>(index)];
}

CComponentDef* CComponentCatalog::GetDefinition(int index) const
{
    if (index < 0 || index >= GetTotalCount()) {
        return nullptr;
    }
    return definitions_[static_cast<std::size_t>(index)].get();
}

CComponentDef* CComponentCatalog::FindDefinition(const std::string& symbol) const
{
    for (const auto& definition : definitions_) {
        if (definition->GetName() == symbol) {
            return definition.get();
        }
    }
    return nullptr;
}

CSwfComponent* CComponentCatalog::FindByTypeName(const std::string& symbol) const
{
    CComponentDef* definition = FindDefinition(symbol);
    return definition ? definition->GetPrototype() : nullptr;
}

void CComponentCatalog::SelectVariant(int index)
{
    currentVariant_ = index;
    for (const auto& definition : definitions_) {
        definition->SelectVariant(index < 0 ? 0 : static_cast<std::size_t>(index));
    }
}

void CComponentCatalog::ResetCounters()
{
    for (const auto& definition : definitions_) {
        definition->SetCounter(0);
    }
}

void CComponentCatalog::LoadCounters(base::RecordReader& in)
{
    std::uint32_t count = in.ReadCount("definition counters", 4 + kCounterNameSize);
    std::vector<std::pair<CComponentDef*, std::uint32_t>> counters;
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint32_t counter = in.ReadU32("definition counter");
        char name[kCounterNameSize];
        in.ReadBytes(name, sizeof name, "definition counter name");
        std::string symbol(name, strnlen(name, sizeof name));
        if (CComponentDef* definition = FindDefinition(symbol)) {
            counters.emplace_back(definition, counter);
        }
    }
    for (auto& [definition, counter] : counters) {
        definition->SetCounter(static_cast<int>(std::min<std::uint32_t>(counter, INT32_MAX)));
    }
}

void CComponentCatalog::SaveCounters(base::RecordWriter& out) const
{
    out.WriteU32(static_cast<std::uint32_t>(definitions_.size()));
    for (const auto& definition : definitions_) {
        out.WriteU32(static_cast<std::uint32_t>(definition->GetCounter()));
        char name[kCounterNameSize] = {};
        // A name of exactly 64 characters fills the field without a NUL, as the reader allows.
        std::memcpy(name, definition->GetName().data(), std::min(definition->GetName().size(), sizeof name));
        out.WriteBytes(name, sizeof name);
    }
}

void CComponentCatalog::Write(swf::Writer& out)
{
    if (variants_.empty()) {
        return;
    }
    std::size_t index = currentVariant_ >= 0 && static_cast<std::size_t>(currentVariant_) < variants_.size()
                            ? static_cast<std::size_t>(currentVariant_)
                            : 0;
    // Symbols the current variant lacks were marked in the first variant's movies.
    std::vector<CSwfMovie*> movies;
    for (const auto& movie : variants_[index].assets) {
        movies.push_back(movie.get());
    }
    if (index != 0) {
        for (const auto& movie : variants_[0].assets) {
            movies.push_back(movie.get());
        }
    }
    for (CSwfMovie* movie : movies) {
        movie->Write(out);
    }
}
