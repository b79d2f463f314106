#include "tools/actionscript/ActionCheck.h"
#include "tools/actionscript/AssetBuilder.h"
#include "tools/actionscript/Compiler.h"
#include "swf/AssetCipher.h"
#include "swf/ClipEntry.h"
#include "swf/SwfCodes.h"
#include "swf/SwfIds.h"
#include "swf/SwfMovie.h"
#include "swf/SwfRawTag.h"
#include "tests/support/TestSupport.h"
#include "tests/swf/JpegSamples.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

namespace fs = std::filesystem;
using namespace actionscript;

namespace {

void Write(const fs::path& file, const std::string& text)
{
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

std::string ManifestError(const testsupport::TempDir& dir, const std::string& text)
{
    Write(dir / "m/asset.txt", text);
    AssetManifest manifest;
    std::string error;
    EXPECT_FALSE(ReadAssetManifest(dir / "m/asset.txt", manifest, error)) << text;
    return error.substr(error.find("asset.txt") + 9);
}

} // namespace

TEST(AssetBuilder, ManifestFaultsNameTheirLine)
{
    testsupport::TempDir dir;
    EXPECT_EQ(ManifestError(dir, "clip a a.as\n"), ":0: no 'output' line");
    EXPECT_EQ(ManifestError(dir, "output a.dat\noutput b.dat\n"), ":2: a movie has one output");
    EXPECT_EQ(ManifestError(dir, "output ../a.dat\n"), ":1: output is a relative path inside the installation folder");
    EXPECT_EQ(ManifestError(dir, "output a.dat\nclip x ../../etc/passwd\n"),
              ":2: source paths are relative to the folder of asset.txt");
    EXPECT_EQ(ManifestError(dir, "output a.dat\n# a comment\nscript a.as\n"),
              ":3: 'script' belongs to a frame; start one with 'frame'");
    EXPECT_EQ(ManifestError(dir, "output a.dat\nclip onlyname\n").substr(0, 12), ":2: expected");
    EXPECT_EQ(ManifestError(dir, "output a.swf\nversion 7\n"), ":2: version is 6 or 8");
}

// The layouts the readers of our assets rely on: exported clips whose initialisation is the
// compiled source (the named first clip first, then one per file in name order), and
// whole movies of labelled frames.
TEST(AssetBuilder, MoviesHoldTheClipsAndFramesTheManifestNames)
{
    testsupport::TempDir dir;
    Write(dir / "shared/lib.as", "_global.helper = function () { return 1; };\n");
    Write(dir / "lib/asset.txt", "output asset/lib.dat\nclip mgr main.as\nclips *.as\n");
    Write(dir / "lib/main.as", "#include \"shared/lib.as\"\n_global.m = 1;\n");
    Write(dir / "lib/SUM.as", "_global.SUM = function (a, b) { return a + b; };\n");
    Write(dir / "lib/ABS.as", "_global.ABS = function (a) { return a < 0 ? -a : a; };\n");
    AssetManifest manifest;
    std::string error;
    ASSERT_TRUE(ReadAssetManifest(dir / "lib/asset.txt", manifest, error)) << error;
    std::vector<uint8_t> bytes;
    std::vector<fs::path> files;
    ASSERT_TRUE(BuildAssetMovie(manifest, dir.path(), bytes, error, &files)) << error;
    EXPECT_EQ(files.size(), 4u); // main.as, the shared file it includes, and the two functions

    CSwfMovie movie;
    movie.LoadBytes(bytes, {.keepTopLevel = true});
    auto& clips = movie.GetClipEntries();
    ASSERT_EQ(clips.size(), 3u);
    EXPECT_EQ(clips[0].GetName(), "mgr");
    EXPECT_EQ(clips[1].GetName(), "ABS");
    EXPECT_EQ(clips[2].GetName(), "SUM");
    CompileOptions options;
    options.includeDirs.push_back(dir.path());
    std::vector<uint8_t> expected = CompileFile(dir / "lib/SUM.as", options).actions;
    ASSERT_NE(clips[2].GetInitActions(), nullptr);
    EXPECT_EQ(clips[2].GetInitActions()->GetBytes(), expected);
    EXPECT_EQ(movie.GetFrameCount(), 1);

    Write(dir / "sub/asset.txt", "output asset/sub.dat\nframe\nscript one.as\nframe second\nscript two.as\nscript one.as\n");
    Write(dir / "sub/one.as", "x = 1;\n");
    Write(dir / "sub/two.as", "stop();\n");
    ASSERT_TRUE(ReadAssetManifest(dir / "sub/asset.txt", manifest, error)) << error;
    ASSERT_TRUE(BuildAssetMovie(manifest, dir.path(), bytes, error)) << error;
    movie.LoadBytes(bytes);
    EXPECT_EQ(movie.GetFrameCount(), 2);
    EXPECT_TRUE(movie.GetClipEntries().empty());
    EXPECT_EQ(bytes[3], 6);

    // The player's bridge is marked SWF 8 so that the page reaches it; its code is the same.
    Write(dir / "sub/asset.txt", "output player/b.swf\nversion 8\nframe\nscript one.as\n");
    ASSERT_TRUE(ReadAssetManifest(dir / "sub/asset.txt", manifest, error)) << error;
    ASSERT_TRUE(BuildAssetMovie(manifest, dir.path(), bytes, error)) << error;
    EXPECT_EQ(bytes[3], 8);
}

// A click sound: exported after the clips, uncompressed 16-bit mono at 22 kHz, short, starting
// from silence and dying away (no crack at either end).
TEST(AssetBuilder, AClickIsASoundExportedAfterTheClips)
{
    testsupport::TempDir dir;
    Write(dir / "m/asset.txt", "output asset/m.dat\nclip mgr main.as\nclick kvClick\n");
    Write(dir / "m/main.as", "_global.m = 1;\n");
    AssetManifest manifest;
    std::string error;
    ASSERT_TRUE(ReadAssetManifest(dir / "m/asset.txt", manifest, error)) << error;
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(BuildAssetMovie(manifest, dir.path(), bytes, error)) << error;
    CSwfMovie movie;
    movie.LoadBytes(bytes, {.keepTopLevel = true});
    auto& exports = movie.GetClipEntries();
    ASSERT_EQ(exports.size(), 2u);
    EXPECT_EQ(exports[1].GetName(), "kvClick");
    EXPECT_EQ(exports[1].GetId(), 2);
    const CSwfRawTag* sound = nullptr;
    for (CSwfObject* tag : movie.FindCharacter(2))
        if (tag->GetTagCode() == swf::TagCode::DefineSound)
            sound = dynamic_cast<const CSwfRawTag*>(tag);
    ASSERT_NE(sound, nullptr);
    const auto body = sound->GetBody();
    ASSERT_GT(body.size(), 7u);
    EXPECT_EQ(body[2], 0x3A); // uncompressed, 22 kHz, 16-bit, mono
    const uint32_t samples = body[3] | body[4] << 8 | body[5] << 16 | static_cast<uint32_t>(body[6]) << 24;
    EXPECT_EQ(samples, 661u);
    ASSERT_EQ(body.size(), 7u + samples * 2);
    auto sample = [&](uint32_t i) { return static_cast<int16_t>(body[7 + 2 * i] | body[8 + 2 * i] << 8); };
    EXPECT_EQ(sample(0), 0);
    int loudest = 0;
    for (uint32_t i = 0; i < samples; ++i)
        loudest = std::max(loudest, std::abs(static_cast<int>(sample(i))));
    EXPECT_GT(loudest, 8000);
    EXPECT_LT(std::abs(static_cast<int>(sample(samples - 1))), 100);
    EXPECT_EQ(ManifestError(dir, "output a.dat\nclick\n").substr(0, 12), ":2: expected");
}

// A picture: the JPEG as it is, a shape of its size in pixels filled with it, and a sprite
// exported under its name after the clips and clicks; ids never collide with what follows.
TEST(AssetBuilder, APictureIsAnExportedSpriteOfItsSize)
{
    testsupport::TempDir dir;
    const std::vector<uint8_t> jpeg = testsupport::MakeJpeg(40, 30);
    Write(dir / "m/asset.txt", "output asset/m.swf\nclip mgr main.as\nclick kvClick\npicture kvShotA a.jpg\n"
                                "picture kvShotB a.jpg\nframe\nscript main.as\n");
    Write(dir / "m/main.as", "_global.m = 1;\n");
    Write(dir / "m/a.jpg", std::string(jpeg.begin(), jpeg.end()));
    AssetManifest manifest;
    std::string error;
    ASSERT_TRUE(ReadAssetManifest(dir / "m/asset.txt", manifest, error)) << error;
    std::vector<uint8_t> bytes;
    std::vector<fs::path> files;
    ASSERT_TRUE(BuildAssetMovie(manifest, dir.path(), bytes, error, &files)) << error;
    EXPECT_NE(std::find(files.begin(), files.end(), dir / "m/a.jpg"), files.end()) << "a picture is a source";
    CSwfMovie movie;
    movie.LoadBytes(bytes, {.keepTopLevel = true});
    auto& exports = movie.GetClipEntries();
    ASSERT_EQ(exports.size(), 4u);
    EXPECT_EQ(exports[2].GetName(), "kvShotA");
    EXPECT_EQ(exports[3].GetName(), "kvShotB");
    EXPECT_EQ(exports[2].GetId(), 5); // bitmap 3, shape 4, sprite 5
    EXPECT_EQ(exports[3].GetId(), 8);
    auto body = [&](uint16_t id, swf::TagCode code) -> std::vector<uint8_t> {
        for (CSwfObject* tag : movie.FindCharacter(id))
            if (tag->GetTagCode() == code)
                if (auto* raw = dynamic_cast<const CSwfRawTag*>(tag))
                    return {raw->GetBody().begin(), raw->GetBody().end()};
        return {};
    };
    const std::vector<uint8_t> bitmap = body(6, swf::TagCode::DefineBitsJpeg2);
    ASSERT_EQ(bitmap.size(), jpeg.size() + 2);
    EXPECT_TRUE(std::equal(jpeg.begin(), jpeg.end(), bitmap.begin() + 2));
    // The shape's bounds: 5-bit field width, then 0..800 by 0..600 twips.
    const std::vector<uint8_t> shape = body(7, swf::TagCode::DefineShape);
    ASSERT_GT(shape.size(), 10u);
    uint32_t bits = 0;
    int have = 0;
    size_t at = 2;
    auto read = [&](int n) {
        while (have < n) {
            bits = bits << 8 | shape[at++];
            have += 8;
        }
        have -= n;
        return static_cast<int>((bits >> have) & ((1u << n) - 1));
    };
    const int width = read(5);
    std::vector<int> bounds;
    for (int i = 0; i < 4; ++i)
        bounds.push_back(read(width));
    EXPECT_EQ(bounds, (std::vector<int>{0, 800, 0, 600}));

    EXPECT_EQ(ManifestError(dir, "output a.swf\npicture p ../a.jpg\n"),
              ":2: picture files are relative to the folder of asset.txt");
    Write(dir / "m/asset.txt", "output asset/m.swf\npicture p main.as\n");
    ASSERT_TRUE(ReadAssetManifest(dir / "m/asset.txt", manifest, error)) << error;
    EXPECT_FALSE(BuildAssetMovie(manifest, dir.path(), bytes, error));
    EXPECT_NE(error.find("main.as: not a JPEG picture"), std::string::npos) << error;
}

TEST(AssetBuilder, SourceFaultsStopTheMovieWithTheirPlace)
{
    testsupport::TempDir dir;
    Write(dir / "m/asset.txt", "output asset/m.dat\nclips *.as\n");
    Write(dir / "m/good.as", "x = 1;\n");
    Write(dir / "m/worse.as", "x = 1;\nif (x {\n");
    AssetManifest manifest;
    std::string error;
    ASSERT_TRUE(ReadAssetManifest(dir / "m/asset.txt", manifest, error));
    std::vector<uint8_t> bytes;
    EXPECT_FALSE(BuildAssetMovie(manifest, dir.path(), bytes, error));
    EXPECT_EQ(error, (dir / "m/worse.as").string() + ":2:7: expected ')' after the condition, found '{'");

    auto report = BuildInstallFolder(dir.path(), dir / "install");
    ASSERT_EQ(report.errors.size(), 1u);
    EXPECT_FALSE(fs::exists(dir / "install/asset/m.dat"));
}

// A fresh layout holds every movie and data file; a second build with nothing changed writes
// nothing and the enciphered movies come out byte for byte the same.
TEST(AssetBuilder, InstallFolderIsCompleteAndReproducible)
{
    testsupport::TempDir dir;
    Write(dir / "src/base/asset.txt", "output asset/base.dat\nclip mgr mgr.as\n");
    Write(dir / "src/base/mgr.as", "_global.kvInitData = function (h) { };\n");
    Write(dir / "src/plain/asset.txt", "output template/plain.swf\nframe\nscript s.as\n");
    Write(dir / "src/plain/s.as", "stop();\n");
    Write(dir / "src/styles/Default.xml", "<style/>");
    Write(dir / "src/component/default/Gauge.txt", "defaults");
    Write(dir / "src/samples/regenerate.sh", "#!/bin/sh\n");
    Write(dir / "src/shared/util.as", "x = 1;\n");

    auto first = BuildInstallFolder(dir / "src", dir / "install");
    ASSERT_TRUE(first.errors.empty()) << first.errors[0];
    EXPECT_EQ(first.movies, 2u);
    EXPECT_EQ(first.files, 2u);
    EXPECT_TRUE(fs::exists(dir / "install/styles/Default.xml"));
    EXPECT_TRUE(fs::exists(dir / "install/component/default/Gauge.txt"));
    EXPECT_FALSE(fs::exists(dir / "install/samples/regenerate.sh"));
    EXPECT_FALSE(fs::exists(dir / "install/shared"));
    EXPECT_TRUE(fs::is_directory(dir / "install/template"));
    auto plain = testsupport::ReadBytes(dir / "install/template/plain.swf");
    ASSERT_GT(plain.size(), 3u);
    EXPECT_EQ(std::string(plain.begin(), plain.begin() + 3), "FWS");

    auto enciphered = testsupport::ReadBytes(dir / "install/asset/base.dat");
    CSwfMovie movie;
    swf::IdCounter ids;
    movie.LoadFile(dir / "install/asset/base.dat", {.remapIds = &ids, .keepTopLevel = true});
    ASSERT_EQ(movie.GetClipEntries().size(), 1u);
    EXPECT_EQ(movie.GetClipEntries()[0].GetName(), "mgr");

    auto second = BuildInstallFolder(dir / "src", dir / "install");
    EXPECT_TRUE(second.written.empty());
    fs::remove(dir / "install/asset/base.dat");
    auto third = BuildInstallFolder(dir / "src", dir / "install");
    EXPECT_EQ(third.written, std::vector<std::string>{"asset/base.dat"});
    EXPECT_EQ(testsupport::ReadBytes(dir / "install/asset/base.dat"), enciphered);
}

// Movies under asset/ go into every published movie: none may export a name (in any case)
// that another movie exports. The looks of a component share their names.
TEST(AssetBuilder, MergedMoviesNeverShareAnExportName)
{
    testsupport::TempDir dir;
    Write(dir / "src/base/asset.txt", "output asset/base.dat\nclip mgr a.as\n");
    Write(dir / "src/base/a.as", "x = 1;\n");
    Write(dir / "src/other/asset.txt", "output asset/other.dat\nclip Mgr a.as\nclip own a.as\n");
    Write(dir / "src/other/a.as", "x = 2;\n");
    Write(dir / "src/look1/asset.txt", "output component/look1/Gauge.dat\nclip Gauge a.as\n");
    Write(dir / "src/look1/a.as", "x = 3;\n");
    Write(dir / "src/look2/asset.txt", "output component/look2/Gauge.dat\nclip Gauge a.as\nclip MGR a.as\n");
    Write(dir / "src/look2/a.as", "x = 4;\n");

    auto report = BuildInstallFolder(dir / "src", dir / "install");
    ASSERT_EQ(report.errors.size(), 2u);
    EXPECT_NE(report.errors[0].find("the export name MGR is also exported by asset/base.dat"), std::string::npos)
        << report.errors[0];
    EXPECT_NE(report.errors[1].find("the export name Mgr is also exported by asset/base.dat"), std::string::npos)
        << report.errors[1];
    EXPECT_TRUE(fs::exists(dir / "install/asset/base.dat"));
    EXPECT_FALSE(fs::exists(dir / "install/asset/other.dat"));
    EXPECT_TRUE(fs::exists(dir / "install/component/look1/Gauge.dat"));
}

// The installation folder the build laid out: every movie reads, every script passes the
// strict checks, and the base movie's first clip is the manager.
TEST(AssetBuilder, BuiltInstallFolderHoldsSoundMovies)
{
    fs::path install = testsupport::InstallDir();
    ASSERT_TRUE(fs::exists(install / "asset/kvbase.dat")) << install;
    swf::IdCounter ids;
    CSwfMovie base;
    base.LoadFile(install / "asset/kvbase.dat", {.remapIds = &ids, .keepTopLevel = true});
    ASSERT_FALSE(base.GetClipEntries().empty());
    EXPECT_EQ(base.GetClipEntries()[0].GetName(), "mgr");

    int movies = 0;
    for (const auto& entry : fs::recursive_directory_iterator(install)) {
        if (entry.path().extension() != ".dat")
            continue;
        ++movies;
        CSwfMovie movie;
        movie.LoadFile(entry.path(), {.remapIds = &ids, .keepTopLevel = true});
        for (const auto& clip : movie.GetClipEntries()) {
            // A sound (the base movie's click) is exported with no code of its own.
            const std::vector<CSwfObject*> defined = movie.FindCharacter(clip.GetId());
            if (!defined.empty() && defined.front()->GetTagCode() == swf::TagCode::DefineSound)
                continue;
            ASSERT_NE(clip.GetInitActions(), nullptr) << entry.path() << " " << clip.GetName();
            EXPECT_EQ(CheckActions(clip.GetInitActions()->GetBytes()), std::vector<std::string>())
                << entry.path() << " " << clip.GetName();
        }
    }
    EXPECT_GE(movies, 1);
}
