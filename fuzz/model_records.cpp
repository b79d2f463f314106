// The record readers of the component model: parameter sets with every value kind, property
// maps and definition counters, from arbitrary bytes. The first byte picks the reader.
#include "base/ModelError.h"
#include "model/ComponentCatalog.h"
#include "model/ParameterRecords.h"
#include "model/ParameterSet.h"
#include "model/PropertyMap.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    base::RecordReader in(data + 1, size - 1);
    try {
        switch (data[0] % 3) {
        case 0: {
            std::unique_ptr<CParameterSet> set = model::ReadParameterSet(in);
            // What was read must write back and read again.
            base::RecordWriter out;
            model::WriteParameterSet(out, *set);
            base::RecordReader again(out.Bytes());
            model::ReadParameterSet(again);
            break;
        }
        case 1: {
            CPropertyMap map;
            map.Load(in);
            break;
        }
        default: {
            CComponentCatalog catalog;
            catalog.LoadCounters(in);
            break;
        }
        }
    } catch (const ModelError&) {
    }
    return 0;
}
