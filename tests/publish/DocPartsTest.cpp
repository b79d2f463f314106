#include "base/ModelError.h"
#include "base/PlatformServices.h"
#include "base/RunFolder.h"
#include "model/PropertyMap.h"
#include "publish/CustomColors.h"
#include "publish/DocData.h"
#include "publish/DocFile.h"
#include "publish/ExportRecord.h"
#include "publish/ProgramContext.h"
#include "publish/TempFiles.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>

#include <sys/wait.h>
#include <unistd.h>

using publish::CustomColorTable;

namespace {

TEST(CustomColors, OnlyWhatTheFileHoldsIsCopied)
{
    // The colour dialogs read the table of the current context, white until a document fills it.
    EXPECT_EQ(GetCustomColorTable(), nullptr);
    CProgramContext context;
    std::optional<CProgramContext::Scope> use(context);
    CustomColorTable& table = context.GetCustomColors();
    EXPECT_EQ(GetCustomColorTable(), &table);
    EXPECT_EQ(table[15], publish::kUnusedCustomColor);
    table[0] = 0x123456;

    // A value of six bytes fills one entry and the low half of the next; the rest stays.
    CPropertyMap shortMap;
    const unsigned char six[] = {0x11, 0x22, 0x33, 0x00, 0x44, 0x55};
    shortMap.SetProperty("customColor", six, sizeof six);
    base::RecordWriter out;
    shortMap.Save(out);
    base::RecordReader in(out.Bytes());
    LoadCustomColors(table, in);
    EXPECT_EQ(table[0], 0x332211u);
    EXPECT_EQ(table[1], 0xFF5544u);
    EXPECT_EQ(table[2], 0xFFFFFFu);

    // A whole table round-trips; a map without the key, or no map at all, changes nothing.
    CustomColorTable written;
    for (std::size_t i = 0; i < written.size(); ++i) {
        written[i] = static_cast<std::uint32_t>(0x010203 * (i + 1));
    }
    base::RecordWriter full;
    SaveCustomColors(full, written);
    base::RecordReader fullIn(full.Bytes());
    LoadCustomColors(table, fullIn);
    EXPECT_EQ(table, written);
    base::RecordWriter other;
    CPropertyMap unrelated;
    unrelated.SetProperty("something", six, 2);
    unrelated.Save(other);
    base::RecordReader otherIn(other.Bytes());
    LoadCustomColors(table, otherIn);
    base::RecordReader nothing(nullptr, 0);
    LoadCustomColors(table, nothing);
    EXPECT_EQ(table, written);

    // A damaged map is refused before the table changes.
    std::vector<unsigned char> cut(full.Bytes().begin(), full.Bytes().end() - 3);
    base::RecordReader cutIn(cut);
    EXPECT_THROW(LoadCustomColors(table, cutIn), ModelError);
    EXPECT_EQ(table, written);
    use.reset();
    EXPECT_EQ(GetCustomColorTable(), nullptr);
}

TEST(TempFiles, DefaultMakerMakesDistinctFilesAndRemovesThem)
{
    testsupport::TempDir dir;
    GetPlatformServices().SetTempFolder(dir.path());
    std::optional<CProgramContext> context(std::in_place);
    std::optional<CProgramContext::Scope> use(std::in_place, *context);
    publish::ITempFileMaker& maker = publish::GetTempFileMaker();
    EXPECT_EQ(&maker, &context->GetTempFiles());
    const std::filesystem::path a = maker.Create("kv", ".xlsx");
    const std::filesystem::path b = maker.Create("kv", "");
    ASSERT_FALSE(a.empty());
    ASSERT_FALSE(b.empty());
    EXPECT_NE(a, b);
    // In this run's folder, inside the user's folder of the temporary folder.
    EXPECT_EQ(a.parent_path().parent_path(), base::CRunFolder::UserFolder(dir.path()));
    EXPECT_EQ(a.extension(), ".xlsx");
    EXPECT_EQ(a.filename().string().rfind("kv", 0), 0u);

    std::vector<unsigned char> bytes(10000);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<unsigned char>(i * 7);
    }
    ASSERT_TRUE(publish::WriteTempFile(a, bytes.data(), bytes.size()));
    EXPECT_EQ(testsupport::ReadBytes(a), bytes);
    EXPECT_FALSE(publish::WriteTempFile(dir.path() / "missing" / "x", bytes.data(), 1));

    maker.Discard(a);
    EXPECT_FALSE(std::filesystem::exists(a));
    EXPECT_TRUE(std::filesystem::exists(b));
    context->RemoveTempFiles();
    EXPECT_FALSE(std::filesystem::exists(b));

    // What a context's maker made goes with the context.
    const std::filesystem::path c = maker.Create("kv", "");
    ASSERT_TRUE(std::filesystem::exists(c));
    use.reset();
    context.reset();
    EXPECT_FALSE(std::filesystem::exists(c));
    EXPECT_TRUE(std::filesystem::is_empty(dir.path())) << "the run's folder goes with its last file";

    // No folder to make them in: no file, and an empty path says so.
    GetPlatformServices().SetTempFolder(dir.path() / "gone");
    EXPECT_TRUE(publish::GetTempFileMaker().Create("kv", "").empty());
    ResetPlatformServices();
}

// What a run killed while it held files left behind is removed by the next run that makes files;
// folders the program did not make, and live runs' folders, stay.
TEST(TempFiles, AKilledRunsFilesAreRemovedByALaterRun)
{
    namespace fs = std::filesystem;
    testsupport::TempDir dir;
    GetPlatformServices().SetTempFolder(dir.path());
    const fs::path user = base::CRunFolder::UserFolder(dir.path());
    // A run that is still alive.
    const base::CRunFolder live(dir.path());
    ASSERT_TRUE(live.Made());
    testsupport::WriteBytes(live.Folder() / "kv3", {1});

    // A run killed with its files: a child that makes them and ends without any clean-up.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        publish::CDefaultTempFiles maker;
        const bool made = !maker.Create("kv", ".xls").empty() && !maker.Create("kv", "").empty();
        ::_exit(made ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    std::vector<fs::path> killed;
    for (const fs::directory_entry& entry : fs::directory_iterator(user))
        if (entry.path() != live.Folder())
            killed.push_back(entry.path());
    ASSERT_EQ(killed.size(), 1u);

    // Decoys: an unmarked folder and another name inside the user's folder, and a folder beside
    // it that shares its name's beginning.
    fs::create_directories(user / "run-mine");
    testsupport::WriteBytes(user / "run-mine" / "kv1", {1});
    testsupport::WriteBytes(user / "notes", {1});
    fs::create_directories(dir / "vantorel-work");
    testsupport::WriteBytes(dir / "vantorel-work" / "kv2", {1});

    publish::CDefaultTempFiles maker;
    const fs::path file = maker.Create("kv", "");
    ASSERT_FALSE(file.empty());
    ASSERT_NE(maker.RunFolder(), nullptr);
    EXPECT_EQ(maker.RunFolder()->Cleaned(), killed);
    EXPECT_FALSE(fs::exists(killed[0]));
    EXPECT_TRUE(fs::exists(user / "run-mine" / "kv1"));
    EXPECT_TRUE(fs::exists(user / "notes"));
    EXPECT_TRUE(fs::exists(dir / "vantorel-work" / "kv2"));
    EXPECT_TRUE(fs::exists(live.Folder() / "kv3"));
    maker.RemoveAll();
    EXPECT_FALSE(fs::exists(file.parent_path()));
    EXPECT_TRUE(fs::exists(live.Folder() / "kv3"));
    ResetPlatformServices();
}

TEST(ObjectRecords, RoundTripAndRefuseIndexesOfNoComponent)
{
    std::vector<CComponent*> components{nullptr, nullptr, nullptr};
    CObjectRecord record;
    record.rect = {-20, 40, 2000, 3000};
    record.enabled = 0;
    record.indexes = {2, 0, 2};
    record.names = {"first", "", "third"};
    base::RecordWriter out;
    docfile::WriteObjectRecord(out, record);
    base::RecordReader in(out.Bytes());
    std::unique_ptr<CObjectRecord> back = docfile::ReadObjectRecord(in, components);
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(back->rect, record.rect);
    EXPECT_EQ(back->enabled, 0);
    EXPECT_EQ(back->indexes, record.indexes);
    EXPECT_EQ(back->names, record.names);
    EXPECT_EQ(back->components.size(), 3u);

    base::RecordReader tooFew(out.Bytes());
    components.resize(2);
    EXPECT_THROW(docfile::ReadObjectRecord(tooFew, components), ModelError);

    // A count larger than the rest of the record could hold is refused before anything grows.
    base::RecordWriter huge;
    huge.WriteBytes(out.Bytes().data(), 17);
    huge.WriteU32(0x40000000);
    base::RecordReader hugeIn(huge.Bytes());
    EXPECT_THROW(docfile::ReadObjectRecord(hugeIn, components), ModelError);
}

// Records may share a component; an owner of the instances asks which index is listed twice.
TEST(ObjectRecords, AComponentListedTwiceIsFoundInOneRecordOrInTwo)
{
    CDocData doc;
    for (const std::vector<std::uint32_t>& indexes : {std::vector<std::uint32_t>{0, 1}, {2}}) {
        auto record = std::make_unique<CObjectRecord>();
        record->indexes = indexes;
        doc.AddComponent(std::move(record));
    }
    EXPECT_EQ(docfile::FindSharedComponent(doc), std::nullopt);
    doc.GetComponent(1)->indexes = {2, 1};
    EXPECT_EQ(docfile::FindSharedComponent(doc), 1u);
    doc.GetComponent(1)->indexes = {2, 2};
    EXPECT_EQ(docfile::FindSharedComponent(doc), 2u);
}

TEST(RangeEntries, RoundTripAndRefuseRangesTheTableLacks)
{
    const std::vector<CRangeEntry> entries = {{2, "Sales", "'S'!$A$1:$B$2"}, {-1, "None", ""}};
    base::RecordWriter out;
    docfile::WriteRangeEntries(out, entries);
    base::RecordReader in(out.Bytes());
    const std::vector<CRangeEntry> back = docfile::ReadRangeEntries(in, 3);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0].name, "Sales");
    EXPECT_EQ(back[0].rangeText, "'S'!$A$1:$B$2");
    EXPECT_EQ(back[1].rangeIndex, -1);

    base::RecordReader fewerRanges(out.Bytes());
    EXPECT_THROW(docfile::ReadRangeEntries(fewerRanges, 2), ModelError);
    base::RecordWriter negative;
    docfile::WriteRangeEntries(negative, {{-2, "Bad", ""}});
    base::RecordReader negativeIn(negative.Bytes());
    EXPECT_THROW(docfile::ReadRangeEntries(negativeIn, 3), ModelError);
}

TEST(DocData, AddComponentNumbersInstancesInZOrder)
{
    CDocData doc;
    auto* a = reinterpret_cast<CComponent*>(0x10);
    auto* b = reinterpret_cast<CComponent*>(0x20);
    auto* c = reinterpret_cast<CComponent*>(0x30);
    auto bottom = std::make_unique<CObjectRecord>();
    bottom->components = {a};
    auto group = std::make_unique<CObjectRecord>();
    group->components = {b, c};
    doc.AddComponent(std::move(bottom));
    doc.AddComponent(std::move(group));
    ASSERT_EQ(doc.GetInstanceCount(), 3u);
    EXPECT_EQ(doc.GetInstance(2), c);
    EXPECT_EQ(doc.GetInstance(3), nullptr);
    EXPECT_EQ(doc.GetComponent(1)->indexes, (std::vector<std::uint32_t>{1, 2}));
    EXPECT_EQ(doc.GetComponent(2), nullptr);
}

} // namespace
