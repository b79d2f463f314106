#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The font record the font dialog, the property list's font rows and CFont share. Field
// order and sizes are those of the stored 60-byte record.
struct LOGFONT {
    std::int32_t lfHeight = 0; // < 0: character height in pixels; > 0: cell height
    std::int32_t lfWidth = 0;
    std::int32_t lfEscapement = 0;
    std::int32_t lfOrientation = 0;
    std::int32_t lfWeight = 400;
    std::uint8_t lfItalic = 0;
    std::uint8_t lfUnderline = 0;
    std::uint8_t lfStrikeOut = 0;
    std::uint8_t lfCharSet = 0;
    std::uint8_t lfOutPrecision = 0;
    std::uint8_t lfClipPrecision = 0;
    std::uint8_t lfQuality = 0;
    std::uint8_t lfPitchAndFamily = 0;
    char lfFaceName[32] = {};
};
static_assert(sizeof(LOGFONT) == 60);

constexpr int FW_NORMAL = 400;
constexpr int FW_BOLD = 700;

struct TEXTMETRIC {
    int tmHeight = 0;
    int tmAscent = 0;
    int tmDescent = 0;
    int tmInternalLeading = 0;
    int tmExternalLeading = 0;
    int tmAveCharWidth = 0;
    int tmMaxCharWidth = 0;
    int tmWeight = 0;
};

// A logical font. Every face renders with the built-in bitmap font, so metrics depend only
// on the pixel height and never on what happens to be installed.
class CFont {
public:
    CFont() = default;
    bool CreateFontIndirect(const LOGFONT* font);
    // pointSize10 is in tenths of a point, as the dialog fonts are given.
    bool CreatePointFont(int pointSize10, std::string_view faceName, int dpi = 96);
    bool GetLogFont(LOGFONT* out) const;
    bool IsCreated() const { return m_created; }
    void DeleteObject() { m_created = false; }
    const LOGFONT& GetLogFontRef() const { return m_font; }
    std::string GetFaceName() const;

private:
    LOGFONT m_font{};
    bool m_created = false;
};

namespace ui {

// Deterministic metrics: the character height in pixels decides everything.
TEXTMETRIC MetricsFor(const LOGFONT& font);
// The glyphs are 5x7 cells drawn at an integer scale inside an advance of 6*scale pixels.
int GlyphScale(const LOGFONT& font);
int CharAdvance(const LOGFONT& font);
// The font used when none is selected: 8 points at the screen's density (96 dpi unless told).
const LOGFONT& DefaultLogFont();
// The density the default font is made for: a double-density screen sets 192, so the text of
// the controls that keep the default font is as large to the eye as elsewhere.
void SetDefaultFontDpi(int dpi);
void ResetDefaultFontDpi();

// Code points of a UTF-8 text; malformed bytes come out as U+FFFD one byte at a time.
std::vector<char32_t> DecodeUtf8(std::string_view text);
std::size_t CountCharacters(std::string_view text);
// The first max characters of text, never splitting a character.
std::string TruncateCharacters(std::string_view text, std::size_t max);

// Five column bytes of a glyph (bit 0 is the top row); characters without a glyph get a box.
const std::uint8_t* GlyphColumns(char32_t c);

} // namespace ui
