#pragma once

#include "model/ParameterSet.h"

#include <cstdint>
#include <string>

// A text format of the style record: a parameter set holding "font", "size", "bold",
// "italic", "underline" and "color", so that the font choosers bind to it like to any group.
class CTextFormat : public CParameterSet {
public:
    explicit CTextFormat(const std::string& font = "Verdana", std::int32_t size = 14,
                         std::uint32_t color = 0x333333);

    std::string GetFont() const;
    std::int32_t GetSize() const;
    bool GetBold() const;
    bool GetItalic() const;
    bool GetUnderline() const;
    std::uint32_t GetColor() const;
    void SetFont(const std::string& font);
    void SetSize(std::int32_t size);
    void SetBold(bool on);
    void SetItalic(bool on);
    void SetUnderline(bool on);
    void SetColor(std::uint32_t color);

    bool operator==(const CTextFormat& other) const;

private:
    CParameter& Get(const char* key, model::ParamType type);
};
