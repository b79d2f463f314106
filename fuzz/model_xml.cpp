// The XML readers of the component model: default-parameter files and style files. The first
// byte picks the reader.
#include "base/ModelError.h"
#include "model/DefaultParameters.h"
#include "model/GlobalStyle.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    if (data[0] % 2 == 0) {
        try {
            ComponentDefaults defaults = model::ReadDefaultParameters(text);
            model::ReadDefaultParameters(model::WriteDefaultParameters(defaults));
        } catch (const ModelError&) {
        }
    } else {
        CGlobalStyle style;
        if (style.LoadFromText(text)) {
            CGlobalStyle again;
            again.LoadFromText(style.SaveToText());
        }
    }
    return 0;
}
