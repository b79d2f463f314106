#pragma once

#include "base/RecordStream.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CComponent;
class CDocData;
class CVariableTable;
class CObjectRecord;
struct CRangeEntry;

// The records of a document file that belong to the document itself (docs/document-file.md);
// the model, components, counters and settings write their own. Each reader mirrors its writer
// and throws ModelError, naming the record and offset, on damaged input.
namespace docfile {

constexpr std::size_t kVersionSize = 8;
// Each embedded file becomes a temporary file when the document opens: far more than any
// dashboard embeds, few enough that a document cannot flood the temporary folder.
constexpr std::uint32_t kMaxEmbeddedFiles = 4096;

// The version text NUL-padded to 8 bytes.
void WriteVersion(base::RecordWriter& out, const std::string& version);

// A canvas object: rectangle, enabled flag, component indexes and names. Every index must
// name one of components; the record's instances are taken from there.
void WriteObjectRecord(base::RecordWriter& out, const CObjectRecord& record);
std::unique_ptr<CObjectRecord> ReadObjectRecord(base::RecordReader& in,
                                                const std::vector<CComponent*>& components);
// Records may share a component (a snapshot only borrows the instances), but an owner of the
// instances can give each to one object only: the first index that the records list more than
// once, in one record or in two, if any.
std::optional<std::uint32_t> FindSharedComponent(const CDocData& doc);

// A u32 byte count and the bytes (the embedded workbook, an embedded file's data).
void WriteData(base::RecordWriter& out, const std::vector<unsigned char>& bytes);
std::vector<unsigned char> ReadData(base::RecordReader& in, const char* what);

// The Replace Data Selection entries. Every entry's range position must be -1 (none) or one of
// the ranges of the variable table. The ranges these entries and the components' bindings write
// to give every cell a variable, so together they hold at most CVariableTable::kMaxRangeCells
// cells, as when a description names them: a small document cannot name the whole sheet.
void WriteRangeEntries(base::RecordWriter& out, const std::vector<CRangeEntry>& entries);
std::vector<CRangeEntry> ReadRangeEntries(base::RecordReader& in, std::size_t rangeCount);
std::vector<CRangeEntry> ReadRangeEntries(base::RecordReader& in, const CVariableTable& table,
                                          const std::vector<CComponent*>& components);
// The bound itself, for the bindings and the entries given.
void CheckWrittenRanges(base::RecordReader& in, const CVariableTable& table,
                        const std::vector<CComponent*>& components, const std::vector<CRangeEntry>& entries);

} // namespace docfile
