#include "base/ModelError.h"
#include "base/RecordStream.h"
#include "publish/ExportSettings.h"
#include "sheet/cells/VariableTable.h"

#include <gtest/gtest.h>

namespace {

struct Section {
    uint32_t version;
    int32_t urlCell = -1;
};

// The section as a document of that version holds it; the values differ from the defaults.
std::vector<unsigned char> Write(const Section& s)
{
    base::RecordWriter out;
    out.WriteU32(s.version);
    out.WriteString("http://example.test/data.xml");
    out.WriteString("/data/book.xlsx");
    out.WriteI32(30);
    out.WriteU8(1); // refresh
    out.WriteU8(1); // edited
    out.WriteU8(1); // sample query
    out.WriteI32(8);
    if (s.version > 7)
        out.WriteI32(s.urlCell);
    if (s.version > 12) {
        out.WriteU8(1);
        out.WriteString("rtmp://gateway.test/app");
        out.WriteI32(1);
        out.WriteString("secret");
        out.WriteU8(1);
    }
    return out.Take();
}

class ExportSettingsLoad : public ::testing::Test {
protected:
    void SetUp() override
    {
        table.AddCell("Sheet1", 1, 1);
        table.AddCell("Sheet1", 3, 2); // id 1: 'Sheet1'!$B$3
    }
    void Load(const std::vector<unsigned char>& bytes)
    {
        base::RecordReader in(bytes);
        settings.Load(in, table);
        EXPECT_TRUE(in.AtEnd());
    }

    CVariableTable table;
    CExportSettings settings;
};

TEST_F(ExportSettingsLoad, EachVersionReadsItsOwnFields)
{
    // Before version 8 there is no URL cell and the one set stays; -1 clears it; collaboration
    // arrives with version 13, and older files keep what was there.
    struct Case {
        Section section;
        int urlCell; // -1: none
        bool collaboration;
    };
    const Case cases[] = {{{7}, 0, false}, {{8, 1}, 1, false}, {{12, 1}, 1, false}, {{8, -1}, -1, false},
                          {{13, -1}, -1, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.section.version);
        CExportSettings fresh;
        fresh.SetUrlCell(table.GetCellAt(0));
        fresh.gatewayUrl = "kept";
        std::vector<unsigned char> bytes = Write(c.section);
        base::RecordReader in(bytes);
        fresh.Load(in, table);
        EXPECT_TRUE(in.AtEnd());
        EXPECT_EQ(fresh.url, "http://example.test/data.xml");
        EXPECT_EQ(fresh.excelFile, "/data/book.xlsx");
        EXPECT_EQ(fresh.refreshSeconds, 30);
        EXPECT_TRUE(fresh.refresh && fresh.edited && fresh.sampleQuery);
        EXPECT_TRUE(fresh.UsesWebService());
        ASSERT_EQ(fresh.GetUrlCell().has_value(), c.urlCell >= 0);
        if (c.urlCell >= 0) {
            EXPECT_EQ(fresh.GetUrlCell()->id, c.urlCell);
        }
        EXPECT_EQ(fresh.collaboration, c.collaboration);
        EXPECT_EQ(fresh.realTimeCollaboration, c.collaboration);
        if (c.collaboration) {
            EXPECT_EQ(fresh.gatewayUrl, "rtmp://gateway.test/app");
            EXPECT_EQ(fresh.connectionMethod, ConnectionMethod::LoginComponent);
            EXPECT_EQ(fresh.password, "secret");
        } else {
            EXPECT_EQ(fresh.gatewayUrl, "kept");
        }
    }
    EXPECT_EQ(table.GetCellAt(1)->GetText(), "'Sheet1'!$B$3");
}

TEST_F(ExportSettingsLoad, FileEndedBeforeTheSectionKeepsEverything)
{
    settings.url = "kept";
    settings.mode = DataSourceMode::OtherExcelFile;
    Load({});
    EXPECT_EQ(settings.url, "kept");
    EXPECT_EQ(settings.mode, DataSourceMode::OtherExcelFile);
}

TEST_F(ExportSettingsLoad, DamagedSectionThrowsAndChangesNothing)
{
    std::vector<unsigned char> full = Write({13, 1});
    // Cut inside the gateway URL and inside the password; cell indexes outside the table.
    std::vector<std::vector<unsigned char>> damaged = {
        {full.begin(), full.end() - 30},
        {full.begin(), full.end() - 3},
        Write({8, 2}),
        Write({8, -7}),
    };
    for (const auto& bytes : damaged) {
        CExportSettings record;
        record.url = "kept";
        record.SetUrlCell(table.GetCellAt(0));
        base::RecordReader in(bytes);
        EXPECT_THROW(record.Load(in, table), ModelError);
        EXPECT_EQ(record.url, "kept");
        EXPECT_EQ(record.mode, DataSourceMode::Unset);
        ASSERT_TRUE(record.GetUrlCell());
        EXPECT_EQ(record.GetUrlCell()->id, 0);
    }
}

TEST_F(ExportSettingsLoad, SavedRecordReadsBackTheSame)
{
    Load(Write({13, 1}));
    base::RecordWriter out;
    settings.Save(out);
    EXPECT_EQ(out.Bytes(), Write({13, 1}));
}

} // namespace
