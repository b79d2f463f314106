#include "tools/actionscript/AssetBuilder.h"

#include "tools/actionscript/ActionCheck.h"
#include "tools/actionscript/Compiler.h"
#include "swf/AssetCipher.h"
#include "swf/SwfCodes.h"
#include "swf/SwfError.h"
#include "swf/SwfIds.h"
#include "swf/SwfJpeg.h"
#include "swf/SwfMovie.h"
#include "swf/SwfSprite.h"
#include "swf/SwfTags.h"
#include "swf/SwfWriter.h"

#include <openssl/evp.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <numbers>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace actionscript {
namespace {

constexpr int kWidthTwips = 550 * 20;
constexpr int kHeightTwips = 400 * 20;
constexpr uint16_t kFrameRate = 12 << 8; // 8.8 fixed point
// A picture larger than this is a mistake in the sources, not something a help movie needs.
constexpr std::uintmax_t kMostPictureBytes = 1 << 20;

// A click a component plays: 30 ms of 16-bit mono samples at 22,050 Hz, a 1,800 Hz tone over a
// 600 Hz one dying away within a few milliseconds. Made here, so the bytes are ours.
constexpr int kClickRate = 22050;
constexpr int kClickSamples = kClickRate * 30 / 1000;

std::vector<uint8_t> ClickSamples()
{
    std::vector<uint8_t> bytes;
    bytes.reserve(kClickSamples * 2);
    for (int i = 0; i < kClickSamples; ++i) {
        const double t = static_cast<double>(i) / kClickRate;
        const double wave = 0.7 * std::sin(2 * std::numbers::pi * 1800 * t) + 0.3 * std::sin(2 * std::numbers::pi * 600 * t);
        const auto sample = static_cast<int16_t>(std::lround(wave * std::exp(-t / 0.006) * 0.6 * 32767));
        bytes.push_back(static_cast<uint8_t>(sample & 0xFF));
        bytes.push_back(static_cast<uint8_t>((sample >> 8) & 0xFF));
    }
    return bytes;
}

std::vector<std::string> Words(const std::string& line)
{
    std::istringstream in(line);
    std::vector<std::string> words;
    std::string word;
    while (in >> word)
        words.push_back(word);
    return words;
}

bool IsSafeRelative(const std::string& path)
{
    fs::path p(path);
    if (p.empty() || p.is_absolute())
        return false;
    for (const auto& part : p)
        if (part == "..")
            return false;
    return true;
}

// "*.as", "dir/*.as" or "dir/name*.as": the files of one folder whose names match.
std::vector<fs::path> Glob(const fs::path& folder, const std::string& pattern)
{
    fs::path p(pattern);
    fs::path dir = folder / p.parent_path();
    std::string name = p.filename().string();
    size_t star = name.find('*');
    std::string prefix = star == std::string::npos ? name : name.substr(0, star);
    std::string suffix = star == std::string::npos ? "" : name.substr(star + 1);
    std::vector<fs::path> found;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(dir, ec)) {
        std::string file = entry.path().filename().string();
        bool match = star == std::string::npos
                         ? file == name
                         : file.size() >= prefix.size() + suffix.size() && file.starts_with(prefix) && file.ends_with(suffix);
        if (match && entry.is_regular_file())
            found.push_back(entry.path());
    }
    std::sort(found.begin(), found.end());
    return found;
}

void WriteTag(swf::Writer& out, swf::TagCode code, const swf::Writer& body)
{
    out.Tag(code, body.Data());
}

bool CompileInto(const fs::path& source, const fs::path& sourceRoot, std::vector<uint8_t>& actions,
                 std::string& error, std::vector<fs::path>* files)
{
    CompileOptions options;
    options.includeDirs.push_back(sourceRoot);
    CompileResult result = CompileFile(source, options);
    if (files)
        files->insert(files->end(), result.files.begin(), result.files.end());
    if (!result.ok()) {
        error = result.error->ToString();
        return false;
    }
    std::vector<std::string> problems = CheckActions(result.actions);
    if (!problems.empty()) {
        error = source.string() + ": compiled code fails the action checks: " + problems.front();
        return false;
    }
    actions = std::move(result.actions);
    actions.push_back(0); // End
    return true;
}

bool SameContent(const fs::path& file, const std::vector<uint8_t>& bytes)
{
    std::error_code ec;
    if (!fs::is_regular_file(file, ec) || fs::file_size(file, ec) != bytes.size())
        return false;
    std::ifstream in(file, std::ios::binary);
    std::vector<uint8_t> old(bytes.size());
    in.read(reinterpret_cast<char*>(old.data()), static_cast<std::streamsize>(old.size()));
    return in && old == bytes;
}

std::vector<uint8_t> ReadAll(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// Writes only when the content differs, so an unchanged build leaves files and their times be.
bool Update(const fs::path& installDir, const std::string& relative, const std::vector<uint8_t>& bytes,
            InstallFolderReport& report)
{
    fs::path target = installDir / relative;
    if (SameContent(target, bytes))
        return true;
    std::error_code ec;
    fs::create_directories(target.parent_path(), ec);
    fs::path temporary = target;
    temporary += ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            report.errors.push_back(target.string() + ": cannot write the file");
            return false;
        }
    }
    fs::rename(temporary, target, ec);
    if (ec) {
        report.errors.push_back(target.string() + ": " + ec.message());
        return false;
    }
    report.written.push_back(relative);
    return true;
}

bool Skipped(const fs::path& file)
{
    std::string ext = file.extension().string();
    return ext == ".as" || ext == ".sh" || ext == ".md" || file.filename() == "asset.txt";
}

// The picture as the movie writer embeds one: bitmap, a shape of its size filled with it, and
// the exported sprite that places the shape, so a script can attach it by name.
bool AddPicture(swf::Writer& tags, const AssetManifest::Picture& picture, uint16_t& id, std::string& error)
{
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(picture.file, ec);
    if (ec || size > kMostPictureBytes) {
        error = picture.file.string() + (ec ? ": cannot read the file" : ": a picture of more than 1 MB");
        return false;
    }
    const std::vector<uint8_t> bytes = ReadAll(picture.file);
    int width = 0, height = 0;
    if (bytes.size() != size || !ScanJpegStream(bytes.data(), bytes.size(), width, height) || width <= 0 ||
        height <= 0) {
        error = picture.file.string() + ": not a JPEG picture";
        return false;
    }
    swf::IdCounter ids(static_cast<uint16_t>(id + 1));
    CSwfMovie parts;
    parts.SetWriteAll(true);
    auto bitmap = std::make_unique<CSwfJpegImage>(ids, bytes.data(), bytes.size());
    const uint16_t bitmapId = bitmap->GetCharacterId();
    parts.AddTag(std::move(bitmap));
    const uint16_t spriteId = AddPictureSprite(parts, ids, bitmapId, width, height).GetCharacterId();
    auto exported = std::make_unique<CSwfExportedSymbol>(spriteId);
    exported->SetName(picture.name);
    parts.AddTag(std::move(exported));
    parts.Write(tags);
    id = static_cast<uint16_t>(ids.Peek() - 1);
    return true;
}

} // namespace

namespace {

// Reads the directives of one asset.txt into a manifest; a fault is a message for its line.
class ManifestReader {
public:
    explicit ManifestReader(AssetManifest& manifest) : m_(manifest) {}

    std::string Directive(const std::vector<std::string>& w)
    {
        if (w[0] == "output" && w.size() == 2) {
            if (!m_.output.empty())
                return "a movie has one output";
            if (!IsSafeRelative(w[1]))
                return "output is a relative path inside the installation folder";
            m_.output = w[1];
        } else if ((w[0] == "clip" && w.size() == 3) || (w[0] == "clips" && w.size() == 2) ||
                   (w[0] == "script" && w.size() == 2)) {
            if (!IsSafeRelative(w.back()))
                return "source paths are relative to the folder of asset.txt";
            return Source(w);
        } else if (w[0] == "picture" && w.size() == 3) {
            if (!IsSafeRelative(w[2]))
                return "picture files are relative to the folder of asset.txt";
            m_.pictures.push_back({w[1], m_.folder / w[2]});
        } else if (w[0] == "click" && w.size() == 2) {
            m_.clicks.push_back(w[1]);
        } else if (w[0] == "frame" && w.size() <= 2) {
            m_.frames.push_back({w.size() == 2 ? w[1] : std::string(), {}});
        } else if (w[0] == "version" && w.size() == 2) {
            if (w[1] != "6" && w[1] != "8")
                return "version is 6 or 8";
            m_.version = static_cast<uint8_t>(w[1][0] - '0');
        } else {
            return "expected 'output PATH', 'clip NAME FILE', 'clips PATTERN', 'click NAME', 'picture NAME FILE.jpg', "
                   "'frame [LABEL]', 'script FILE' or 'version 6|8'";
        }
        return {};
    }

private:
    std::string Source(const std::vector<std::string>& w)
    {
        if (w[0] == "clip") {
            fs::path source = m_.folder / w[2];
            m_.clips.push_back({w[1], source});
            named_.insert(source);
        } else if (w[0] == "clips") {
            for (const auto& source : Glob(m_.folder, w[1]))
                if (named_.insert(source).second)
                    m_.clips.push_back({source.stem().string(), source});
        } else if (m_.frames.empty()) {
            return "'script' belongs to a frame; start one with 'frame'";
        } else {
            m_.frames.back().scripts.push_back(m_.folder / w[1]);
        }
        return {};
    }

    AssetManifest& m_;
    std::set<fs::path> named_;
};

} // namespace

bool ReadAssetManifest(const fs::path& file, AssetManifest& manifest, std::string& error)
{
    std::ifstream in(file);
    if (!in) {
        error = file.string() + ": cannot read the file";
        return false;
    }
    manifest = AssetManifest();
    manifest.folder = file.parent_path();
    ManifestReader reader(manifest);
    std::string line;
    int number = 0;
    auto fail = [&](const std::string& message) {
        error = file.string() + ":" + std::to_string(number) + ": " + message;
        return false;
    };
    while (std::getline(in, line)) {
        ++number;
        if (size_t hash = line.find('#'); hash != std::string::npos)
            line.erase(hash);
        std::vector<std::string> words = Words(line);
        if (words.empty())
            continue;
        if (std::string fault = reader.Directive(words); !fault.empty())
            return fail(fault);
    }
    number = 0;
    if (manifest.output.empty())
        return fail("no 'output' line");
    if (manifest.clips.size() + manifest.clicks.size() + 3 * manifest.pictures.size() > 0xFFFE)
        return fail("too many clips for one movie");
    return true;
}

bool BuildAssetMovie(const AssetManifest& manifest, const fs::path& sourceRoot, std::vector<uint8_t>& movie,
                     std::string& error, std::vector<fs::path>* files)
{
    swf::Writer tags;
    tags.Tag(swf::TagCode::Marker, {});
    uint16_t id = 0;
    for (const auto& clip : manifest.clips) {
        std::vector<uint8_t> actions;
        if (!CompileInto(clip.source, sourceRoot, actions, error, files))
            return false;
        ++id;
        swf::Writer sprite;
        sprite.U16(id);
        sprite.U16(1);
        sprite.Tag(swf::TagCode::ShowFrame, {});
        sprite.Tag(swf::TagCode::End, {});
        WriteTag(tags, swf::TagCode::DefineSprite, sprite);
        swf::Writer exports;
        exports.U16(1);
        exports.U16(id);
        exports.String(clip.name);
        WriteTag(tags, swf::TagCode::ExportAssets, exports);
        swf::Writer init;
        init.U16(id);
        init.Bytes(actions);
        WriteTag(tags, swf::TagCode::DoInitAction, init);
    }
    for (const auto& name : manifest.clicks) {
        ++id;
        swf::Writer sound;
        sound.U16(id);
        // Uncompressed little-endian (3), 22 kHz (2), 16-bit (1), mono (0).
        sound.U8(3 << 4 | 2 << 2 | 1 << 1 | 0);
        sound.U32(kClickSamples);
        sound.Bytes(ClickSamples());
        WriteTag(tags, swf::TagCode::DefineSound, sound);
        swf::Writer exports;
        exports.U16(1);
        exports.U16(id);
        exports.String(name);
        WriteTag(tags, swf::TagCode::ExportAssets, exports);
    }
    for (const auto& picture : manifest.pictures) {
        if (!AddPicture(tags, picture, id, error))
            return false;
        if (files)
            files->push_back(picture.file);
    }
    for (const auto& frame : manifest.frames) {
        if (!frame.label.empty()) {
            swf::Writer label;
            label.String(frame.label);
            WriteTag(tags, swf::TagCode::FrameLabel, label);
        }
        for (const auto& script : frame.scripts) {
            std::vector<uint8_t> actions;
            if (!CompileInto(script, sourceRoot, actions, error, files))
                return false;
            tags.Tag(swf::TagCode::DoAction, actions);
        }
        tags.Tag(swf::TagCode::ShowFrame, {});
    }
    if (manifest.frames.empty())
        tags.Tag(swf::TagCode::ShowFrame, {});
    tags.Tag(swf::TagCode::End, {});

    swf::Writer out;
    out.Bytes("FWS", 3);
    out.U8(manifest.version);
    out.U32(0);
    // Frame rectangle with 16-bit fields: 0..width, 0..height.
    out.Bits(16, 5);
    out.SignedBits(0, 16);
    out.SignedBits(kWidthTwips, 16);
    out.SignedBits(0, 16);
    out.SignedBits(kHeightTwips, 16);
    out.FlushBits();
    out.U16(kFrameRate);
    out.U16(static_cast<uint16_t>(std::max<size_t>(1, manifest.frames.size())));
    out.Bytes(tags.Data());
    out.PatchU32(4, static_cast<uint32_t>(out.Size()));
    movie = out.Take();
    return true;
}

std::vector<uint8_t> EncipherAssetReproducibly(const std::vector<uint8_t>& movie)
{
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (EVP_Digest(movie.data(), movie.size(), digest, &length, EVP_sha256(), nullptr) != 1 || length < 16)
        throw swf::SwfError("cannot derive the IV of an asset");
    std::span<const uint8_t, 16> iv(digest, 16);
    return swf::EncipherAsset(movie, swf::kAssetKey, iv);
}

namespace {

// The movies under asset/ are merged into every published movie together with the component
// movies, and a player knows one clip per export name (compared without case): a name that
// two of them export would make one clip stand for the other. The looks of one component
// (component/<look>/) are alternatives, never merged, and may share their names.
bool CheckExportNames(const fs::path& file, const AssetManifest& manifest,
                      std::map<std::string, std::string>& exporters, InstallFolderReport& report)
{
    auto merged = [](const std::string& output) { return output.starts_with("asset/"); };
    bool sound = true;
    std::vector<std::string> names;
    for (const auto& clip : manifest.clips)
        names.push_back(clip.name);
    names.insert(names.end(), manifest.clicks.begin(), manifest.clicks.end());
    for (const auto& picture : manifest.pictures)
        names.push_back(picture.name);
    for (const auto& name : names) {
        std::string key = name;
        std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return std::tolower(c); });
        auto [at, added] = exporters.emplace(key, manifest.output);
        const std::string& holder = at->second;
        if (added || (holder != manifest.output && !merged(holder) && !merged(manifest.output)))
            continue;
        report.errors.push_back(file.string() + ": the export name " + name + " is also exported by " + holder);
        sound = false;
    }
    return sound;
}

} // namespace

namespace {

// The folders the program looks into, present even while nothing is in them (the built-in
// "Default" style, for one, has no file).
constexpr const char* kStandardFolders[] = {"asset", "component/default", "styles", "template", "samples"};

struct SourceFiles {
    std::vector<fs::path> manifests;
    std::vector<fs::path> others;
};

SourceFiles ListSources(const fs::path& sourceRoot, InstallFolderReport& report)
{
    SourceFiles files;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(sourceRoot, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        if (!it->is_regular_file())
            continue;
        if (it->path().filename() == "asset.txt")
            files.manifests.push_back(it->path());
        else
            files.others.push_back(it->path());
    }
    if (ec)
        report.errors.push_back(sourceRoot.string() + ": " + ec.message());
    std::sort(files.manifests.begin(), files.manifests.end());
    std::sort(files.others.begin(), files.others.end());
    return files;
}

void BuildMovies(const std::vector<fs::path>& manifests, const fs::path& sourceRoot, const fs::path& installDir,
                 InstallFolderReport& report, const std::function<void(const std::string&)>& progress)
{
    std::set<std::string> outputs;
    std::map<std::string, std::string> exporters;
    for (const auto& file : manifests) {
        AssetManifest manifest;
        std::string error;
        std::vector<uint8_t> movie;
        if (!ReadAssetManifest(file, manifest, error) || !BuildAssetMovie(manifest, sourceRoot, movie, error)) {
            report.errors.push_back(error);
            continue;
        }
        if (!outputs.insert(manifest.output).second) {
            report.errors.push_back(file.string() + ": another movie already writes " + manifest.output);
            continue;
        }
        if (!CheckExportNames(file, manifest, exporters, report))
            continue;
        bool enciphered = manifest.output.ends_with("dat");
        std::vector<uint8_t> bytes = enciphered ? EncipherAssetReproducibly(movie) : movie;
        if (Update(installDir, manifest.output, bytes, report))
            ++report.movies;
        if (progress)
            progress(manifest.output + ": " + std::to_string(manifest.clips.size()) + " clips, " +
                     std::to_string(std::max<size_t>(1, manifest.frames.size())) + " frames, " +
                     std::to_string(bytes.size()) + " bytes");
    }
}

// Copies the files that belong to no movie's sources.
void CopyDataFiles(const SourceFiles& files, const fs::path& sourceRoot, const fs::path& installDir,
                   InstallFolderReport& report)
{
    std::set<fs::path> movieFolders;
    for (const auto& manifest : files.manifests)
        movieFolders.insert(manifest.parent_path());
    for (const auto& file : files.others) {
        bool inMovie = std::any_of(movieFolders.begin(), movieFolders.end(), [&](const fs::path& folder) {
            auto rel = file.lexically_relative(folder);
            return !rel.empty() && *rel.begin() != "..";
        });
        if (inMovie || Skipped(file))
            continue;
        std::string relative = file.lexically_relative(sourceRoot).generic_string();
        if (Update(installDir, relative, ReadAll(file), report))
            ++report.files;
    }
}

} // namespace

InstallFolderReport BuildInstallFolder(const fs::path& sourceRoot, const fs::path& installDir,
                                       const std::function<void(const std::string&)>& progress)
{
    InstallFolderReport report;
    SourceFiles files = ListSources(sourceRoot, report);
    BuildMovies(files.manifests, sourceRoot, installDir, report, progress);
    CopyDataFiles(files, sourceRoot, installDir, report);
    for (const char* folder : kStandardFolders) {
        std::error_code ec;
        fs::create_directories(installDir / folder, ec);
        if (ec)
            report.errors.push_back((installDir / folder).string() + ": " + ec.message());
    }
    return report;
}

} // namespace actionscript
