#pragma once

#include "base/RecordStream.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CComponent;
class CObjectRecord;
struct CRangeEntry;

// The records of a document file that belong to the document itself (docs/document-file.md);
// the model, components, counters and settings write their own. Each reader mirrors its writer
// and throws ModelError, naming the record and offset, on damaged input.
namespace docfile {

constexpr std::size_t kVersionSize = 8;

// The version text NUL-padded to 8 bytes.
void WriteVersion(base::RecordWriter& out, const std::string& version);

// A canvas object: rectangle, enabled flag, component indexes and names. Every index must
// name one of components; the record's instances are taken from there.
void WriteObjectRecord(base::RecordWriter& out, const CObjectRecord& record);
std::unique_ptr<CObjectRecord> ReadObjectRecord(base::RecordReader& in,
                                                const std::vector<CComponent*>& components);

// A u32 byte count and the bytes (the embedded workbook, an embedded file's data).
void WriteData(base::RecordWriter& out, const std::vector<unsigned char>& bytes);
std::vector<unsigned char> ReadData(base::RecordReader& in, const char* what);

// The Replace Data Selection entries. Every entry's range position must be -1 (none) or one of
// the rangeCount ranges of the variable table.
void WriteRangeEntries(base::RecordWriter& out, const std::vector<CRangeEntry>& entries);
std::vector<CRangeEntry> ReadRangeEntries(base::RecordReader& in, std::size_t rangeCount);

} // namespace docfile
