// Readers of the spreadsheet model's document records on arbitrary bytes.
#include "base/ModelError.h"
#include "base/RecordStream.h"
#include "sheet/cells/CellModel.h"
#include "sheet/cells/CellValueMap.h"
#include "sheet/formula/FormulaNode.h"
#include "sheet/cells/SheetRecords.h"
#include "sheet/cells/VariableTable.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte picks the record, so one corpus reaches every reader.
    base::RecordReader in(data + 1, size - 1);
    try {
        switch (data[0] % 5) {
        case 0: {
            CCellModel cells;
            sheetrec::ReadCellModel(in, cells);
            break;
        }
        case 1: {
            CVariableTable table;
            sheetrec::ReadVariableTable(in, table);
            break;
        }
        case 2: {
            CCellValueMap map;
            sheetrec::ReadValueMap(in, map);
            break;
        }
        case 3: {
            CFormulaCellNode node;
            node.Load(in);
            break;
        }
        default: {
            CConstantCellNode node;
            node.Load(in);
            break;
        }
        }
    } catch (const ModelError&) {
    }
    return 0;
}
