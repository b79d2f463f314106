#include "sheet/cells/CellStore.h"

#include "sheet/cells/CellModel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

CCellData Read(const sheet::CellStore& store, std::uint64_t key)
{
    CCellData data;
    std::optional<sheet::StoredCell> cell = store.Find(key);
    EXPECT_TRUE(cell.has_value()) << "key " << key;
    if (cell)
        cell->CopyTo(data);
    return data;
}

void ExpectSame(const CCellData& got, const CCellData& want)
{
    EXPECT_EQ(got.valueText, want.valueText);
    EXPECT_EQ(got.typeName, want.typeName);
    EXPECT_EQ(got.formula, want.formula);
    EXPECT_EQ(got.changed, want.changed);
    EXPECT_EQ(got.array, want.array);
    EXPECT_EQ(got.arrayRow, want.arrayRow);
    EXPECT_EQ(got.arrayColumn, want.arrayColumn);
}

} // namespace

// Every field comes back as stored: texts of every length (the length prefix grows past 127
// and 16383; a record past 64 KB gets a block of its own), type names the model does not know,
// array places, and texts holding zero bytes.
TEST(CellStoreTest, CellsComeBackAsStored)
{
    const std::vector<CCellData> cases = {
        {"", "", "", false},
        {"3.5", "number", "", true},
        {"", "string", "", false},
        {std::string(200, 'x'), "string", "A1&B1", false},
        {"#N/A", "error", std::string(20000, '+'), true},
        {std::string(100000, 'y'), "string", "", false},
        {"1", "custom-kind", "", false},
        {std::string("a\0b", 3), "string", std::string("\0", 1), false},
        {"2", "number", "SUM(A1:B2)", false, true, 1, 0},
        {"7", "number", "TRANSPOSE(A1:C3)", false, true, 0, -3},
    };
    sheet::CellStore store;
    for (std::size_t i = 0; i < cases.size(); ++i)
        store.Set(100 + i, cases[i]);
    ASSERT_EQ(store.Size(), cases.size());
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(i);
        ExpectSame(Read(store, 100 + i), cases[i]);
    }
    EXPECT_FALSE(store.Find(99).has_value());
    EXPECT_FALSE(store.Find(100 + cases.size()).has_value());

    store.ClearChangedFlags();
    EXPECT_FALSE(store.Find(101)->changed);
    EXPECT_FALSE(store.Find(104)->changed);
    EXPECT_EQ(store.Find(104)->formula.size(), 20000u);
}

// Storing a place again replaces its cell and keeps its place in the order; replacing many
// times packs the waste away without losing or mixing up a cell.
TEST(CellStoreTest, ReplacedCellsKeepTheirPlaceAndPackingLosesNothing)
{
    sheet::CellStore store;
    constexpr std::uint64_t kCells = 3000;
    for (std::uint64_t key = 0; key < kCells; ++key)
        store.Set(key * 7, CCellData{std::to_string(key), "number", "", false});
    // 3000 cells rewritten 40 times with 200-byte texts: far past the waste that is packed. A
    // cell looked up between rewrites (the store remembers the last one found) comes back new.
    for (int round = 0; round < 40; ++round)
        for (std::uint64_t key = 0; key < kCells; ++key) {
            store.Set(key * 7, CCellData{std::to_string(round) + std::string(200, ':') + std::to_string(key),
                                         "string", round % 2 ? "A1" : "", round % 3 == 0});
            if (key == 5) {
                ASSERT_EQ(Read(store, 35).valueText.substr(0, std::to_string(round).size() + 1),
                          std::to_string(round) + ":");
            }
        }
    EXPECT_FALSE(store.Find(36).has_value());
    ASSERT_EQ(store.Size(), kCells);
    EXPECT_TRUE(store.InKeyOrder());
    for (std::uint64_t key = 0; key < kCells; ++key) {
        ASSERT_EQ(store.KeyAt(key), key * 7);
        const sheet::StoredCell cell = store.CellAt(key);
        ASSERT_EQ(cell.valueText, "39" + std::string(200, ':') + std::to_string(key));
        ASSERT_EQ(cell.formula, "A1");
        ASSERT_TRUE(cell.changed);
    }
}

// Cells stored in key order are found by searching out from the cell found last: look-ups
// jumping back and forth, keys between, before and after the stored ones, replacing a cell in
// place, and a late cell out of order that hands the search to the hash table.
TEST(CellStoreTest, CellsInKeyOrderAreFoundFromAnywhere)
{
    sheet::CellStore store;
    constexpr std::uint64_t kCells = 5000;
    for (std::uint64_t i = 1; i <= kCells; ++i)
        store.Set(i * 3, CCellData{std::to_string(i), "number", "", false});
    ASSERT_TRUE(store.InKeyOrder());
    for (std::uint64_t i : {4000u, 1u, 5000u, 2500u, 2501u, 2499u, 17u, 4999u, 1u}) {
        ASSERT_EQ(Read(store, i * 3).valueText, std::to_string(i));
        EXPECT_FALSE(store.Find(i * 3 + 1).has_value());
        EXPECT_FALSE(store.Find(i * 3 - 1).has_value());
    }
    EXPECT_FALSE(store.Find(0).has_value());
    EXPECT_FALSE(store.Find(kCells * 3 + 3).has_value());

    store.Set(2500 * 3, CCellData{"again", "string", "", false});
    EXPECT_TRUE(store.InKeyOrder());
    EXPECT_EQ(store.Size(), kCells);
    EXPECT_EQ(Read(store, 2500 * 3).valueText, "again");

    store.Set(2500 * 3 + 1, CCellData{"between", "string", "", false});
    EXPECT_FALSE(store.InKeyOrder());
    EXPECT_EQ(store.Size(), kCells + 1);
    EXPECT_EQ(Read(store, 2500 * 3 + 1).valueText, "between");
    for (std::uint64_t i = 1; i <= kCells; i += 7)
        ASSERT_EQ(Read(store, i * 3).valueText, i == 2500 ? "again" : std::to_string(i));
}

// Many cells in any order are all found (the table grows many times), and the order they
// came in is reported as such.
TEST(CellStoreTest, ManyCellsAreFoundWhateverTheirOrder)
{
    sheet::CellStore store;
    constexpr std::uint64_t kCells = 200000;
    for (std::uint64_t i = 0; i < kCells; ++i)
        store.Set(CellPlaceKey(i % 3, static_cast<int>(i / 3 + 1), 2), CCellData{std::to_string(i), "number", "", false});
    EXPECT_FALSE(store.InKeyOrder());
    EXPECT_EQ(store.Size(), kCells);
    for (std::uint64_t i = 0; i < kCells; i += 997)
        ASSERT_EQ(Read(store, CellPlaceKey(i % 3, static_cast<int>(i / 3 + 1), 2)).valueText, std::to_string(i));
    EXPECT_FALSE(store.Find(CellPlaceKey(0, 1, 1)).has_value());
}

// The walk takes the stored order only when it is the order of sheet names, rows and columns.
TEST(CellStoreTest, TheModelWalksInNameOrderWhetherOrNotTheCellsCameInOrder)
{
    struct Case {
        std::vector<std::string> sheetsAdded;
        std::vector<std::string> walked;
    };
    const Case cases[] = {
        {{"A", "B"}, {"A!1,1", "A!1,2", "A!2,1", "B!1,1", "B!3,5"}},
        // Cells come in order of the sheets' positions, which is not the order of their names.
        {{"B", "A"}, {"A!1,1", "A!1,2", "A!2,1", "B!1,1", "B!3,5"}},
    };
    for (const Case& c : cases) {
        CCellModel model;
        for (const std::string& name : c.sheetsAdded)
            model.AddSheet(name);
        for (const std::string& name : c.sheetsAdded) {
            if (name == "A") {
                model.SetCell("A", 1, 1, CCellData{"a", "string", "", false});
                model.SetCell("A", 1, 2, CCellData{"b", "string", "", false});
                model.SetCell("A", 2, 1, CCellData{"c", "string", "", false});
            } else {
                model.SetCell("B", 1, 1, CCellData{"d", "string", "", false});
                model.SetCell("B", 3, 5, CCellData{"e", "string", "B1", false});
            }
        }
        std::vector<std::string> walked;
        model.ForEachCell([&](const CCellRef& cell, const CCellData&) {
            walked.push_back(cell.sheet + "!" + std::to_string(cell.row) + "," + std::to_string(cell.column));
        });
        EXPECT_EQ(walked, c.walked) << "sheets added " << c.sheetsAdded[0] << ", " << c.sheetsAdded[1];
        EXPECT_EQ(model.GetCell("b", 3, 5)->formula, "B1");
    }
}
