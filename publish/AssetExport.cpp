#include "publish/AssetExport.h"

#include "model/Component.h"
#include "model/FileBytes.h"
#include "model/Parameter.h"
#include "model/ParameterKinds.h"
#include "model/ParameterSet.h"
#include "model/TextUtil.h"
#include "publish/DocData.h"
#include "swf/EmbeddedSwfMovie.h"
#include "swf/SwfError.h"
#include "swf/SwfIds.h"
#include "swf/SwfJpeg.h"
#include "swf/SwfMovie.h"
#include "swf/SwfPlaceObject2.h"
#include "swf/SwfShape.h"
#include "swf/SwfSprite.h"
#include "swf/SwfTags.h"
#include "swf/SwfTrace.h"

#include <functional>
#include <map>
#include <set>
#include <system_error>

namespace publish {
namespace {

// A user's movie with scripts of the newer machine cannot run inside a version 6 movie.
constexpr std::uint8_t kMaxEmbeddedVersion = 6;
constexpr std::uint16_t kDoAbc = 72;
constexpr std::uint16_t kDoAbc2 = 82;
constexpr std::size_t kMaxAssetBytes = std::size_t(64) << 20;

CParameter* Member(CParameterSet& record, const char* name)
{
    return record.FindParameter(name);
}

std::string TextOf(CParameterSet& record, const char* name)
{
    CParameter* p = Member(record, name);
    return p ? p->GetValueText() : std::string();
}

// "embed" is a byte in documents; descriptions may give it as a flag or a number.
bool IsEmbedded(CParameterSet& record)
{
    CParameter* p = Member(record, "embed");
    if (p == nullptr)
        return false;
    switch (p->GetType()) {
    case model::ParamType::Boolean: return p->GetBool();
    case model::ParamType::Integer: return p->GetInt() != 0;
    case model::ParamType::Number: return p->GetDouble() != 0;
    default: return p->GetValueText() == "true" || p->GetValueText() == "1";
    }
}

// Numbers are stored as the member's own kind, so a text member keeps being a text.
void SetNumber(CParameter* p, double value)
{
    if (p == nullptr)
        return;
    switch (p->GetType()) {
    case model::ParamType::Integer: p->SetInt(static_cast<std::int32_t>(value)); break;
    case model::ParamType::Color: p->SetColor(static_cast<std::uint32_t>(value)); break;
    case model::ParamType::Number: p->SetDouble(value); break;
    default: p->SetString(FormatDouble(value, 15), true); break;
    }
}

void SetText(CParameter* p, const std::string& text)
{
    if (p != nullptr)
        p->SetString(text, true);
}

// The file-name part of a path written on either system.
std::string FileNamePart(const std::string& path)
{
    std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The markers up to the first frame header say whether a picture is progressive (SOF2, SOF6,
// SOF10, SOF14), which version 6 players cannot show.
bool IsProgressiveJpeg(const std::vector<std::uint8_t>& bytes)
{
    std::size_t at = 2;
    while (at + 4 <= bytes.size() && bytes[at] == 0xFF) {
        const std::uint8_t marker = bytes[at + 1];
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
            return marker == 0xC2 || marker == 0xC6 || marker == 0xCA || marker == 0xCE;
        at += 2 + (std::size_t(bytes[at + 2]) << 8 | bytes[at + 3]);
    }
    return false;
}

bool ReadPicture(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes, std::string& problem)
{
    std::string reason;
    if (!model::ReadFileBytes(path.string(), bytes, kMaxAssetBytes, &reason)) {
        problem = path.string() + ": the picture cannot be read (" + reason + ")";
        return false;
    }
    if (!IsProgressiveJpeg(bytes))
        return true;
    std::vector<std::uint8_t> baseline;
    if (!ConvertJpegToBaseline(bytes, baseline)) {
        problem = path.string() + ": the progressive picture cannot be made baseline";
        return false;
    }
    bytes = std::move(baseline);
    return true;
}

bool IsSwfName(const std::string& pathName)
{
    return pathName.size() >= 4 && pathName.compare(pathName.size() - 4, 4, ".swf") == 0;
}

// What the loading movie will take: a JPEG stream, or a movie of version 6 or older (an
// uncompressed or zlib-compressed one), as the embedding road also insists.
bool LooksLikeAsset(const std::string& pathName, const std::vector<std::uint8_t>& bytes)
{
    if (IsSwfName(pathName))
        return bytes.size() >= 8 && (bytes[0] == 'F' || bytes[0] == 'C') && bytes[1] == 'W' && bytes[2] == 'S' &&
               bytes[3] <= kMaxEmbeddedVersion;
    int width = 0, height = 0;
    return ScanJpegStream(bytes.data(), bytes.size(), width, height);
}

std::string ExportSymbol(CSwfMovie& movie, std::uint16_t sprite)
{
    auto exported = std::make_unique<CSwfExportedSymbol>(sprite);
    std::string name = "embed_" + std::to_string(sprite);
    exported->SetName(name);
    movie.AddTag(std::move(exported));
    return name;
}

bool HasNewerScripts(CEmbeddedSwfMovie& embedded)
{
    for (std::size_t i = 0; i < embedded.GetTagCount(); ++i) {
        const auto code = static_cast<std::uint16_t>(embedded.GetTag(i)->GetTagCode());
        if (code == kDoAbc || code == kDoAbc2)
            return true;
    }
    return false;
}

class Exporter {
public:
    Exporter(const std::filesystem::path& output, CSwfMovie& movie, swf::IdCounter& ids, model::CFileBatch& batch)
        : output_(output), movie_(movie), ids_(ids), batch_(batch)
    {
    }
    void Export(CParameterSet& record);
    AssetExportResult& Result() { return result_; }

private:
    void ExportFirst(CParameterSet& record, const std::string& pathName, bool embed);
    bool Copy(const std::string& pathName, CParameter* fileName);
    std::string UniqueName(const std::string& pathName);

    const std::filesystem::path& output_;
    CSwfMovie& movie_;
    swf::IdCounter& ids_;
    model::CFileBatch& batch_;
    std::map<std::string, CParameterSet*> embedded_;
    std::map<std::string, CParameterSet*> copied_;
    // Names taken in the asset folder, and which source each one holds.
    std::map<std::string, std::string> folderNames_;
    AssetExportResult result_;
};

void Exporter::Export(CParameterSet& record)
{
    const std::string pathName = TextOf(record, "pathName");
    if (pathName.empty())
        return;
    const bool embed = IsEmbedded(record);
    auto& table = embed ? embedded_ : copied_;
    auto earlier = table.find(pathName);
    if (earlier == table.end()) {
        ExportFirst(record, pathName, embed);
        table.emplace(pathName, &record);
        return;
    }
    CParameterSet& first = *earlier->second;
    if (CParameter* fileName = embed ? nullptr : Member(record, "fileName"))
        result_.copiedFrom.emplace_back(fileName, fileName->GetValueText());
    for (const char* name : {"bgType", "bgWidth", "bgHeight", "bgColor", embed ? "clipName" : "fileName"}) {
        CParameter* to = Member(record, name);
        CParameter* from = Member(first, name);
        if (to && from)
            *to = *from;
    }
    if (!embed)
        result_.externalAssets = true;
}

void Exporter::ExportFirst(CParameterSet& record, const std::string& pathName, bool embed)
{
    const std::size_t dot = pathName.find_last_of('.');
    const std::string extension = dot == std::string::npos ? std::string() : pathName.substr(dot + 1);
    const bool jpeg = extension == "jpg" || extension == "JPG";
    if (!jpeg && extension != "swf") {
        result_.problems.push_back(pathName + ": only .jpg, .JPG and .swf files can be shown; the asset is left out");
        return;
    }
    std::string problem;
    if (!embed) {
        Copy(pathName, Member(record, "fileName"));
    } else {
        // The file to read is the copy the document restored, when there is one; pathName is
        // where the user had it.
        std::filesystem::path path = model::NativePath(TextOf(record, "fileName"));
        std::error_code error;
        if (path.empty() || !std::filesystem::is_regular_file(path, error))
            path = model::NativePath(pathName);
        const bool done = jpeg ? EmbedJpegFile(path, Member(record, "clipName"), movie_, ids_, problem)
                               : ImportEmbeddedSwf(path, record, movie_, ids_, problem);
        if (!done)
            result_.problems.push_back(problem);
    }
    SetText(Member(record, "bgType"), jpeg ? "jpg" : "swf");
}

// The folder's name comes from the movie's own name, whatever its extension; a file name that
// another source already took gets a number, so neither overwrites the other.
std::string Exporter::UniqueName(const std::string& pathName)
{
    const std::string name = FileNamePart(pathName);
    const std::size_t dot = name.find_last_of('.');
    const std::string stem = dot == std::string::npos ? name : name.substr(0, dot);
    const std::string extension = dot == std::string::npos ? std::string() : name.substr(dot);
    std::string candidate = name;
    for (int n = 2;; ++n) {
        auto taken = folderNames_.find(candidate);
        if (taken == folderNames_.end() || taken->second == pathName) {
            folderNames_[candidate] = pathName;
            return candidate;
        }
        candidate = stem + "-" + std::to_string(n) + extension;
    }
}

bool Exporter::Copy(const std::string& pathName, CParameter* fileName)
{
    const std::filesystem::path folder = output_.parent_path() / output_.stem();
    const std::string name = UniqueName(pathName);
    const std::string source = fileName ? fileName->GetValueText() : std::string();
    auto leaveOut = [&](const std::string& why) {
        swf::Trace("Problem exporting asset");
        result_.problems.push_back(pathName + ": " + why + "; the asset is left out");
        return false;
    };
    if (source.empty())
        return leaveOut("no file to copy");
    // A document names the file to copy; whatever it names must be the kind of file the movie
    // loads, so a document cannot have any other file of the user copied beside the movie.
    std::vector<std::uint8_t> bytes;
    std::string reason;
    if (!model::ReadFileBytes(model::NativePath(source), bytes, kMaxAssetBytes, &reason))
        return leaveOut(source + " cannot be read (" + reason + ")");
    if (!LooksLikeAsset(pathName, bytes))
        return leaveOut(source + " is not " + (IsSwfName(pathName) ? "a movie of version 6 or older" : "a JPEG picture"));
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) {
        if (!std::filesystem::create_directory(folder, error))
            return leaveOut("the folder " + folder.string() + " cannot be made (" + error.message() + ")");
        batch_.RemoveIfEmpty(folder);
    }
    if (!batch_.Stage(folder / name, bytes.data(), bytes.size(), reason))
        return leaveOut(reason);
    result_.externalAssets = true;
    result_.copiedFrom.emplace_back(fileName, source);
    SetText(fileName, output_.stem().string() + "/" + name);
    return true;
}

} // namespace

bool EmbedJpegFile(const std::filesystem::path& path, CParameter* clipName, CSwfMovie& movie,
                   swf::IdCounter& characterIds, std::string& problem)
{
    std::vector<std::uint8_t> bytes;
    if (!ReadPicture(path, bytes, problem))
        return false;
    int width = 0, height = 0;
    if (!ScanJpegStream(bytes.data(), bytes.size(), width, height)) {
        problem = path.string() + ": not a JPEG picture";
        return false;
    }
    auto picture = std::make_unique<CSwfJpegImage>(characterIds, bytes.data(), bytes.size());
    const std::uint16_t bitmap = picture->GetCharacterId();
    movie.AddTag(std::move(picture));
    CSwfSprite& sprite = AddPictureSprite(movie, characterIds, bitmap, width, height);
    SetText(clipName, ExportSymbol(movie, sprite.GetCharacterId()));
    return true;
}

bool ImportEmbeddedSwf(const std::filesystem::path& path, CParameterSet& record, CSwfMovie& movie,
                       swf::IdCounter& characterIds, std::string& problem)
{
    auto embedded = std::make_unique<CEmbeddedSwfMovie>();
    try {
        embedded->LoadFile(path, {.remapIds = &characterIds});
    } catch (const swf::SwfError& error) {
        problem = error.what();
        return false;
    }
    if (embedded->GetVersion() > kMaxEmbeddedVersion || HasNewerScripts(*embedded)) {
        problem = path.string() + ": a movie of version " + std::to_string(embedded->GetVersion()) +
                  " cannot play inside a version 6 movie; save it for version 6 or embed a picture instead";
        return false;
    }
    const CSwfRect& frame = embedded->GetFrameRect();
    SetNumber(Member(record, "bgColor"), embedded->GetBackgroundColor());
    SetNumber(Member(record, "bgWidth"), (frame.xmax - frame.xmin + 1) * 0.05);
    SetNumber(Member(record, "bgHeight"), (frame.ymax - frame.ymin + 1) * 0.05);

    auto sprite = std::make_unique<CSwfSprite>(characterIds);
    for (std::unique_ptr<CSwfObject>& tag : embedded->GetTimelineTags()) {
        tag->AddUse();
        if (tag->GetDependencies().size() == 1)
            embedded->MarkCharacterUsed(tag->GetDependencies().front());
        sprite->AddTag(std::move(tag));
    }
    embedded->GetTimelineTags().clear();
    for (std::uint16_t id : embedded->GetKeptIds())
        embedded->MarkCharacterUsed(id);
    embedded->SetUseCount(0);
    const std::uint16_t spriteId = sprite->GetCharacterId();
    movie.AddTag(std::move(embedded));
    movie.AddTag(std::move(sprite));
    SetText(Member(record, "clipName"), ExportSymbol(movie, spriteId));
    return true;
}

void RestoreCopiedFileNames(AssetExportResult& result)
{
    // In reverse, so a member changed twice ends with the first value it had.
    for (auto it = result.copiedFrom.rbegin(); it != result.copiedFrom.rend(); ++it)
        SetText(it->first, it->second);
    result.copiedFrom.clear();
}

AssetExportResult ExportDocumentAssets(const std::filesystem::path& output, CSwfMovie& movie, CDocData& snapshot,
                                       swf::IdCounter& characterIds, model::CFileBatch* batch)
{
    model::CFileBatch own;
    Exporter exporter(output, movie, characterIds, batch ? *batch : own);
    // The file's group is a group of the component or sits in one (a background's General).
    std::function<void(const CParameterSet*, int)> visit = [&](const CParameterSet* parameters, int depth) {
        for (int p = 0; parameters && depth < 2 && p < parameters->GetCount(); ++p) {
            CParameter* group = parameters->GetAt(p);
            if (group->GetType() != model::ParamType::Group || !group->GetSet())
                continue;
            if (group->GetSet()->GetPageKind() == model::kPageExternalFile)
                exporter.Export(*group->GetSet());
            else
                visit(group->GetSet(), depth + 1);
        }
    };
    for (std::size_t i = 0; i < snapshot.GetInstanceCount(); ++i)
        visit(snapshot.GetInstance(i)->GetParameters(), 0);
    AssetExportResult result = std::move(exporter.Result());
    std::string reason;
    if (!batch && !own.Commit(reason))
        result.problems.push_back(reason);
    return result;
}

} // namespace publish
