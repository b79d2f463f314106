#pragma once

#include "model/RecordStream.h"

#include <array>
#include <cstdint>

// The 16 custom colours that seed every colour dialog. Each document has its own table and
// carries it in its file; the colour dialogs read the table of the current document.
namespace publish {

// COLORREF entries, 0x00BBGGRR.
using CustomColorTable = std::array<std::uint32_t, 16>;
constexpr std::uint32_t kUnusedCustomColor = 0xFFFFFF;

} // namespace publish

// Makes table the current one and fills it with white.
void InitCustomColorTable(publish::CustomColorTable& table);
void ResetCustomColors(publish::CustomColorTable& table);
void CopyCustomColors(publish::CustomColorTable& to, const publish::CustomColorTable& from);
// The current table, or null before any document made one current.
publish::CustomColorTable* GetCustomColorTable();
// Forgets the current table (a test's clean start, or its document going away).
void ResetCustomColorTable();

// The last section of a document file: a property map whose "customColor" value holds the
// table's entries, little-endian. A shorter value fills only the entries it holds, and a map
// without the key leaves the table as it is. Throws ModelError on a damaged map, before the
// table changes.
void LoadCustomColors(publish::CustomColorTable& table, model::RecordReader& in);
void SaveCustomColors(model::RecordWriter& out, const publish::CustomColorTable& table);
