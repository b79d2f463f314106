// The number-format codes a document hands the numeric format control: any text reads into
// settings without over-reading, and the settings write a code that reads back the same way.
#include "propui/NumericFormatCodes.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string code(reinterpret_cast<const char*>(data), size);
    numfmt::Settings read = numfmt::ReadCode(code);
    if (read.decimals < 0 || read.decimals > numfmt::kMaxDecimals || (read.prefixOn && read.prefix.size() > 3))
        std::abort();
    if (read.kind != numfmt::FromSpreadsheet) {
        std::string written = numfmt::BuildCode(read);
        if (numfmt::BuildCode(numfmt::ReadCode(written, read)) != written)
            std::abort();
    }
    numfmt::SampleList(read.kind, read.decimals, read.separator, read.prefix, read.suffix);
    return 0;
}
