// The export settings section of a document, from arbitrary bytes: a section that reads must
// write back and read again to the same bytes.
#include "base/ModelError.h"
#include "base/RecordStream.h"
#include "publish/ExportSettings.h"
#include "sheet/cells/VariableTable.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CVariableTable table;
    for (int row = 1; row <= 4; ++row)
        table.AddCell("Sheet1", row, 1);
    CExportSettings settings;
    base::RecordReader in(data, size);
    try {
        settings.Load(in, table);
    } catch (const ModelError&) {
        return 0;
    }
    base::RecordWriter out;
    settings.Save(out);
    CExportSettings again;
    base::RecordReader back(out.Bytes());
    again.Load(back, table);
    base::RecordWriter twice;
    again.Save(twice);
    if (twice.Bytes() != out.Bytes())
        __builtin_trap();
    return 0;
}
