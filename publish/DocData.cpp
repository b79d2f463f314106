#include "publish/DocData.h"

#include "base/ModelError.h"
#include "model/ComponentCatalog.h"
#include "model/FileBytes.h"
#include "model/ParameterSet.h"
#include "model/Trace.h"
#include "publish/BaseMovie.h"
#include "publish/CustomColors.h"
#include "publish/DocFile.h"
#include "publish/ExportSettings.h"
#include "publish/TempFiles.h"
#include "sheet/cells/VariableTable.h"

#include <functional>
#include <algorithm>
#include <cstring>
#include <optional>

CDocData::CDocData() = default;

CDocData::~CDocData() = default;

void CDocData::AddComponent(std::unique_ptr<CObjectRecord> record)
{
    for (CComponent* component : record->components) {
        record->indexes.push_back(static_cast<std::uint32_t>(components_.size()));
        components_.push_back(component);
    }
    objects_.push_back(std::move(record));
}

CComponent* CDocData::GetInstance(std::size_t index) const
{
    return index < components_.size() ? components_[index] : nullptr;
}

CObjectRecord* CDocData::GetComponent(std::size_t index) const
{
    return index < objects_.size() ? objects_[index].get() : nullptr;
}

void CDocData::GetStageSize(std::int32_t& width, std::int32_t& height) const
{
    width = width_;
    height = height_;
}

void CDocData::SetStageSize(std::int32_t width, std::int32_t height)
{
    width_ = width;
    height_ = height;
}

void CDocData::Clear()
{
    components_.clear();
    objects_.clear();
    owned_.clear();
    restored_.clear();
    paper_ = {255, 255, 255};
    width_ = 0;
    height_ = 0;
    description_.clear();
    sourceName_.clear();
    copyName_.clear();
}

namespace {

// Smallest stored sizes, which bound every count by the bytes left.
constexpr std::size_t kMinComponent = 4 + 4 + 4 + 16 + 32 + 1 + 4; // header .. property map
constexpr std::size_t kMinObject = 16 + 1 + 4 + 4;
constexpr std::size_t kMinEmbeddedFile = 4 + 4;

// Everything a failed read must put back as it was.
class Rollback {
public:
    explicit Rollback(CBaseMovie& base) : base_(base), catalog_(GetComponentCatalog())
    {
        instanceCounter_ = model::InstanceCounter();
        if (catalog_) {
            variant_ = catalog_->GetCurrentVariant();
            catalog_->SaveCounters(counters_);
        }
        base_.SaveModel(model_);
        modelChanged_ = base_.IsModelChanged();
        connectionInputs_ = base_.GetConnectionInputs();
        ranges_ = base_.GetRangeEntries();
        base_.GetExportSettings().Save(settings_);
    }

    ~Rollback()
    {
        for (const auto& file : tempFiles) {
            publish::GetTempFileMaker().Discard(file);
        }
        if (committed) {
            return;
        }
        model::InstanceCounter() = instanceCounter_;
        if (catalog_) {
            catalog_->SelectVariant(variant_);
            base::RecordReader counters(counters_.Bytes());
            catalog_->LoadCounters(counters);
        }
        base::RecordReader model(model_.Bytes());
        base_.LoadModel(model);
        // Reading a model only ever raises these flags.
        if (!modelChanged_) {
            base_.ClearModelChanged();
        }
        base_.SetConnectionInputs(connectionInputs_);
        base_.GetRangeEntries() = ranges_;
        base::RecordReader settings(settings_.Bytes());
        base_.GetExportSettings().Load(settings, base_.GetVariableTable());
    }

    Rollback(const Rollback&) = delete;
    Rollback& operator=(const Rollback&) = delete;

    // Temporary files made so far; removed unless the read succeeds.
    std::vector<std::filesystem::path> tempFiles;
    bool committed = false;

private:
    CBaseMovie& base_;
    CComponentCatalog* catalog_;
    std::uint32_t instanceCounter_ = 0;
    int variant_ = 0;
    base::RecordWriter counters_;
    base::RecordWriter model_;
    bool modelChanged_ = false;
    bool connectionInputs_ = false;
    std::vector<CRangeEntry> ranges_;
    base::RecordWriter settings_;
};

} // namespace

namespace {

// The machine, not the document, is at fault: no temporary file can be made.
class TemporaryFilesError : public std::runtime_error {
public:
    explicit TemporaryFilesError(const std::string& what) : std::runtime_error(what) {}
};

} // namespace

struct CDocData::LoadState {
    CBaseMovie* base = nullptr;
    Rollback* rollback = nullptr;
    std::uint32_t variant = 0;
    std::optional<publish::CustomColorTable> colors;
    std::string warning;
};

bool CDocData::Load(const std::string& path, std::string& version)
{
    std::vector<unsigned char> bytes;
    std::string reason;
    if (!model::ReadFileBytes(path, bytes, std::size_t(256) << 20, &reason)) {
        version = "x";
        loadError_ = path + ": cannot be read (" + reason + ")";
        loadFailure_ = LoadFailure::Unreadable;
        return false;
    }
    return Load(bytes, version);
}

bool CDocData::Load(const std::vector<unsigned char>& bytes, std::string& version)
{
    const std::string expected = version;
    loadWarning_.clear();
    const std::size_t headerSize = std::min(bytes.size(), docfile::kVersionSize);
    const char* header = reinterpret_cast<const char*>(bytes.data());
    version.assign(header, headerSize > 0 ? strnlen(header, headerSize) : 0);
    const bool accepted = expected.substr(0, docfile::kVersionSize) == version ||
                          (expected == kDocumentVersion && version == kOlderDocumentVersion);
    loadFailure_ = LoadFailure::Damaged;
    if (bytes.size() < docfile::kVersionSize || !accepted) {
        loadError_ = "the file is not a document of version " + expected;
        return false;
    }
    CBaseMovie* base = ::GetBaseMovie();
    if (!base) {
        loadError_ = "there is no model to read the document into";
        return false;
    }
    Clear();
    LoadState state;
    state.base = base;
    try {
        Rollback rollback(*base);
        state.rollback = &rollback;
        base::RecordReader in(bytes.data() + docfile::kVersionSize, bytes.size() - docfile::kVersionSize);
        ReadBody(in, state);
        if (checking_)
            return true; // the rollback puts it all back
        rollback.committed = true;
        rollback.tempFiles.clear();
    } catch (const TemporaryFilesError& error) {
        Clear();
        loadError_ = error.what();
        loadFailure_ = LoadFailure::TemporaryFiles;
        return false;
    } catch (const ModelError& error) {
        Clear();
        loadError_ = error.what();
        return false;
    }
    if (state.colors && GetCustomColorTable()) {
        *GetCustomColorTable() = *state.colors;
    }
    if (CComponentCatalog* catalog = GetComponentCatalog()) {
        catalog->SelectVariant(static_cast<int>(std::min<std::uint32_t>(state.variant, INT32_MAX)));
    }
    // The links of the components just read are not yet known to the base movie; the first
    // publication must compile the model with them rather than publish a movie whose
    // components are bound to nothing.
    base->SetModelChanged();
    baseMovie_ = base;
    loadError_.clear();
    loadWarning_ = std::move(state.warning);
    loadFailure_ = LoadFailure::None;
    return true;
}

bool CDocData::Check(const std::vector<unsigned char>& bytes, std::string& version)
{
    checking_ = true;
    const bool ok = Load(bytes, version);
    checking_ = false;
    return ok;
}

void CDocData::ReadBody(base::RecordReader& in, LoadState& state)
{
    CComponentCatalog* catalog = GetComponentCatalog();
    if (catalog) {
        catalog->SelectVariant(0);
    }
    // A look this installation lacks is harmless: its components fall back to the first.
    state.variant = in.ReadU32("catalogue variant");
    ReadInstanceCounter(in);
    if (catalog) {
        catalog->LoadCounters(in);
    } else {
        CComponentCatalog none;
        none.LoadCounters(in);
    }
    state.base->LoadModel(in);

    const std::uint32_t count = in.ReadCount("components", kMinComponent);
    for (std::uint32_t i = 0; i < count; ++i) {
        owned_.push_back(ReadComponentFromFile(in));
        components_.push_back(owned_.back().get());
    }
    ReadObjects(in);
    docfile::CheckWrittenRanges(in, state.base->GetVariableTable(), components_, {});
    state.base->BuildExportMaps();
    for (CComponent* component : components_) {
        component->RebuildLinkNameSets();
    }
    ReadEmbeddedWorkbook(in, state);
    width_ = in.ReadI32("canvas width");
    height_ = in.ReadI32("canvas height");
    if (width_ < 1 || width_ > kMaxCanvasSide || height_ < 1 || height_ > kMaxCanvasSide) {
        in.Fail("canvas", std::to_string(width_) + " by " + std::to_string(height_) +
                              " pixels is not a canvas (each side 1 to " + std::to_string(kMaxCanvasSide) + ")");
    }
    in.ReadBytes(paper_.data(), paper_.size(), "paper colour");
    description_ = in.ReadString("description");
    ReadEmbeddedFiles(in, state);

    // Older documents end here: their source is the embedded copy, and they have no range
    // entries, settings or colours of their own.
    state.base->GetRangeEntries().clear();
    if (in.AtEnd()) {
        sourceName_ = copyName_;
        return;
    }
    sourceName_ = in.ReadString("model source name");
    if (!in.AtEnd()) {
        state.base->GetRangeEntries() =
            docfile::ReadRangeEntries(in, state.base->GetVariableTable(), components_);
    }
    if (!in.AtEnd()) {
        state.base->GetExportSettings().Load(in, state.base->GetVariableTable());
    }
    if (!in.AtEnd()) {
        publish::CustomColorTable colors{};
        if (GetCustomColorTable()) {
            colors = *GetCustomColorTable();
        }
        LoadCustomColors(colors, in);
        state.colors = colors;
    }
    // What a newer version appends after the sections known here is left unread, not taken
    // for damage: the document is read as far as this version knows it.
    if (!in.AtEnd()) {
        state.warning = std::to_string(in.Remaining()) + " bytes after the last section were not read (the " +
                        "document may come from a newer version)";
        Trace("document: %s", state.warning.c_str());
    }
}

void CDocData::ReadObjects(base::RecordReader& in)
{
    const std::uint32_t count = in.ReadCount("canvas objects", kMinObject);
    for (std::uint32_t i = 0; i < count; ++i) {
        objects_.push_back(docfile::ReadObjectRecord(in, components_));
    }
    // Each canvas object owns its instances: one given to two owners would be freed twice.
    // The designer and the command line refuse such a file alike.
    if (const std::optional<std::uint32_t> shared = docfile::FindSharedComponent(*this))
        in.Fail("canvas objects",
                "component " + std::to_string(*shared) + " belongs to more than one canvas object");
}

std::filesystem::path CDocData::RestoreFile(const std::vector<unsigned char>& bytes, const char* extension,
                                            LoadState& state)
{
    std::filesystem::path file = publish::GetTempFileMaker().Create("kv", extension);
    if (file.empty()) {
        throw TemporaryFilesError("no temporary file can be made for an embedded file (" +
                                  publish::GetTempFileMaker().LastError() + ")");
    }
    state.rollback->tempFiles.push_back(file);
    if (!publish::WriteTempFile(file, bytes.data(), bytes.size())) {
        throw TemporaryFilesError("the temporary file " + file.string() + " cannot be written");
    }
    return file;
}

void CDocData::ReadEmbeddedWorkbook(base::RecordReader& in, LoadState& state)
{
    std::vector<unsigned char> workbook = docfile::ReadData(in, "embedded workbook");
    if (!workbook.empty()) {
        copyName_ = RestoreFile(workbook, ".xlsx", state).string();
    }
}

void CDocData::ReadEmbeddedFiles(base::RecordReader& in, LoadState& state)
{
    const std::uint32_t count = in.ReadCount("embedded files", kMinEmbeddedFile);
    if (count > docfile::kMaxEmbeddedFiles) {
        in.Fail("embedded files", std::to_string(count) + " files, more than " +
                                      std::to_string(docfile::kMaxEmbeddedFiles) + " a document may embed");
    }
    for (std::uint32_t i = 0; i < count; ++i) {
        RestoredFile file;
        file.name = in.ReadString("embedded file name");
        file.path = RestoreFile(docfile::ReadData(in, "embedded file"), "", state);
        RepointExternalFiles(components_, file.name, file.path.string());
        restored_.push_back(std::move(file));
    }
}

// Components that show an embedded file name it in the "fileName" member of a group of the
// external-file kind.
void RepointExternalFiles(const std::vector<CComponent*>& components, const std::string& from,
                          const std::string& to)
{
    // The file's group is a group of the component or sits in one (a background's General).
    std::function<void(CParameterSet*, int)> visit = [&](CParameterSet* groups, int depth) {
        for (int i = 0; groups && depth < 2 && i < groups->GetCount(); ++i) {
            CParameter* group = groups->GetAt(i);
            if (group->GetType() != model::ParamType::Group || !group->GetSet())
                continue;
            if (group->GetSet()->GetPageKind() != model::kPageExternalFile) {
                visit(group->GetSet(), depth + 1);
                continue;
            }
            CParameter* name = group->GetSet()->FindParameter("fileName");
            if (name && model::IsStringType(name->GetType()) && !name->GetString().empty() &&
                name->GetString() == from) {
                name->SetString(to, true);
            }
        }
    };
    for (CComponent* component : components)
        visit(component->GetParameters(), 0);
}
