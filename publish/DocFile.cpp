#include "publish/DocFile.h"

#include "publish/DocData.h"
#include "publish/ExportRecord.h"
#include "model/CellBinding.h"
#include "model/Component.h"
#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "sheet/cells/Range.h"
#include "sheet/cells/VariableTable.h"

#include <algorithm>
#include <unordered_set>

namespace docfile {

void WriteVersion(base::RecordWriter& out, const std::string& version)
{
    char field[kVersionSize] = {};
    std::copy_n(version.begin(), std::min(version.size(), kVersionSize), field);
    out.WriteBytes(field, sizeof field);
}

void WriteObjectRecord(base::RecordWriter& out, const CObjectRecord& record)
{
    out.WriteI32(record.rect.left);
    out.WriteI32(record.rect.top);
    out.WriteI32(record.rect.right);
    out.WriteI32(record.rect.bottom);
    out.WriteU8(record.enabled);
    out.WriteU32(static_cast<std::uint32_t>(record.indexes.size()));
    for (std::uint32_t index : record.indexes) {
        out.WriteU32(index);
    }
    out.WriteU32(static_cast<std::uint32_t>(record.names.size()));
    for (const std::string& name : record.names) {
        out.WriteString(name);
    }
}

std::unique_ptr<CObjectRecord> ReadObjectRecord(base::RecordReader& in,
                                                const std::vector<CComponent*>& components)
{
    auto record = std::make_unique<CObjectRecord>();
    record->rect.left = in.ReadI32("canvas object rectangle");
    record->rect.top = in.ReadI32("canvas object rectangle");
    record->rect.right = in.ReadI32("canvas object rectangle");
    record->rect.bottom = in.ReadI32("canvas object rectangle");
    record->enabled = in.ReadU8("canvas object enabled flag");
    const std::uint32_t count = in.ReadCount("canvas object components", 4);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint32_t index = in.ReadU32("canvas object component index");
        if (index >= components.size()) {
            in.Fail("canvas object component index",
                    "component " + std::to_string(index) + " of " + std::to_string(components.size()));
        }
        record->indexes.push_back(index);
        record->components.push_back(components[index]);
    }
    const std::uint32_t names = in.ReadCount("canvas object names", 4);
    for (std::uint32_t i = 0; i < names; ++i) {
        record->names.push_back(in.ReadString("canvas object name"));
    }
    return record;
}

std::optional<std::uint32_t> FindSharedComponent(const CDocData& doc)
{
    std::unordered_set<std::uint32_t> listed;
    for (std::size_t i = 0; i < doc.GetComponentCount(); ++i) {
        for (std::uint32_t index : doc.GetComponent(i)->indexes) {
            if (!listed.insert(index).second) {
                return index;
            }
        }
    }
    return std::nullopt;
}

void WriteData(base::RecordWriter& out, const std::vector<unsigned char>& bytes)
{
    out.WriteU32(static_cast<std::uint32_t>(bytes.size()));
    out.WriteBytes(bytes.data(), bytes.size());
}

std::vector<unsigned char> ReadData(base::RecordReader& in, const char* what)
{
    std::vector<unsigned char> bytes(in.ReadCount(what, 1));
    in.ReadBytes(bytes.data(), bytes.size(), what);
    return bytes;
}

void WriteRangeEntries(base::RecordWriter& out, const std::vector<CRangeEntry>& entries)
{
    out.WriteU32(static_cast<std::uint32_t>(entries.size()));
    for (const CRangeEntry& entry : entries) {
        out.WriteI32(entry.rangeIndex);
        out.WriteString(entry.name);
        out.WriteString(entry.rangeText);
    }
}

std::vector<CRangeEntry> ReadRangeEntries(base::RecordReader& in, std::size_t rangeCount)
{
    const std::uint32_t count = in.ReadCount("range entries", 4 + 4 + 4);
    std::vector<CRangeEntry> entries;
    for (std::uint32_t i = 0; i < count; ++i) {
        CRangeEntry entry;
        entry.rangeIndex = in.ReadI32("range entry index");
        if (entry.rangeIndex < -1 ||
            (entry.rangeIndex >= 0 && static_cast<std::size_t>(entry.rangeIndex) >= rangeCount)) {
            in.Fail("range entry index",
                    "range " + std::to_string(entry.rangeIndex) + " is not in the variable table");
        }
        entry.name = in.ReadString("range entry name");
        entry.rangeText = in.ReadString("range entry range");
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::vector<CRangeEntry> ReadRangeEntries(base::RecordReader& in, const CVariableTable& table,
                                          const std::vector<CComponent*>& components)
{
    std::vector<CRangeEntry> entries = ReadRangeEntries(in, table.GetRangeCount());
    CheckWrittenRanges(in, table, components, entries);
    return entries;
}

void CheckWrittenRanges(base::RecordReader& in, const CVariableTable& table,
                        const std::vector<CComponent*>& components, const std::vector<CRangeEntry>& entries)
{
    // Each range counts once, however many bindings or entries name it.
    std::unordered_set<const CRange*> ranges;
    for (const CComponent* component : components) {
        if (component != nullptr && component->GetParameters() != nullptr) {
            ForEachCellBinding(*component->GetParameters(), [&ranges](CParameter& parameter) {
                if (const CRange* range = AsRange(parameter.GetBinding()->GetRangePtr()))
                    ranges.insert(range);
            });
        }
    }
    for (const CRangeEntry& entry : entries) {
        if (entry.rangeIndex >= 0) {
            if (const CRange* range = table.GetRange(static_cast<std::size_t>(entry.rangeIndex)))
                ranges.insert(range);
        }
    }
    std::size_t cells = 0;
    for (const CRange* range : ranges) {
        cells += range->GetCellCount();
        if (cells > CVariableTable::kMaxRangeCells) {
            in.Fail("ranges", "the ranges the components and range entries write to hold more than " +
                                  std::to_string(CVariableTable::kMaxRangeCells) + " cells (" + range->GetText() +
                                  " among them)");
        }
    }
}

} // namespace docfile
