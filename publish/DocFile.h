#pragma once

#include "model/RecordStream.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CComponent;
class CDocData;
class CObjectRecord;
struct CRangeEntry;

// The records of a document file that belong to the document itself (docs/document-file.md);
// the model, components, counters and settings write their own. Each reader mirrors its writer
// and throws ModelError, naming the record and offset, on damaged input.
namespace docfile {

constexpr std::size_t kVersionSize = 8;

// The version text NUL-padded to 8 bytes.
void WriteVersion(model::RecordWriter& out, const std::string& version);

// A canvas object: rectangle, enabled flag, component indexes and names. Every index must
// name one of components; the record's instances are taken from there.
void WriteObjectRecord(model::RecordWriter& out, const CObjectRecord& record);
std::unique_ptr<CObjectRecord> ReadObjectRecord(model::RecordReader& in,
                                                const std::vector<CComponent*>& components);
// Records may share a component (a snapshot only borrows the instances), but an owner of the
// instances can give each to one object only: the first index that the records list more than
// once, in one record or in two, if any.
std::optional<std::uint32_t> FindSharedComponent(const CDocData& doc);

// A u32 byte count and the bytes (the embedded workbook, an embedded file's data).
void WriteData(model::RecordWriter& out, const std::vector<unsigned char>& bytes);
std::vector<unsigned char> ReadData(model::RecordReader& in, const char* what);

// The Replace Data Selection entries. Every entry's range position must be -1 (none) or one of
// the rangeCount ranges of the variable table.
void WriteRangeEntries(model::RecordWriter& out, const std::vector<CRangeEntry>& entries);
std::vector<CRangeEntry> ReadRangeEntries(model::RecordReader& in, std::size_t rangeCount);

} // namespace docfile
