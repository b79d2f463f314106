#pragma once

#include "base/RecordStream.h"

#include <array>
#include <cstdint>

// The 16 custom colours that seed every colour dialog. The program context holds the table the
// colour dialogs read; a document carries its own in its file.
namespace publish {

// COLORREF entries, 0x00BBGGRR.
using CustomColorTable = std::array<std::uint32_t, 16>;
constexpr std::uint32_t kUnusedCustomColor = 0xFFFFFF;

} // namespace publish

// Fills the table with white.
void InitCustomColorTable(publish::CustomColorTable& table);
void ResetCustomColors(publish::CustomColorTable& table);
void CopyCustomColors(publish::CustomColorTable& to, const publish::CustomColorTable& from);
// The table of the current program context, or null without one.
publish::CustomColorTable* GetCustomColorTable();

// The last section of a document file: a property map whose "customColor" value holds the
// table's entries, little-endian. A shorter value fills only the entries it holds, and a map
// without the key leaves the table as it is. Throws ModelError on a damaged map, before the
// table changes.
void LoadCustomColors(publish::CustomColorTable& table, base::RecordReader& in);
void SaveCustomColors(base::RecordWriter& out, const publish::CustomColorTable& table);
