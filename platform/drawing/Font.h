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

// A logical font. The dialog faces are the desktop's interface font; other faces are the
// machine's fonts of that name (the font library picks the nearest). Builds without a font
// library, and tests that ask for it, use the built-in bitmap glyphs instead.
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

// The desktop's interface font: the dialog faces ("MS Shell Dlg" and the like) show in this
// family, an 8-point one at pointSize10 tenths of a point and other sizes in proportion, so
// lists, grids and dialogs share one size and dialog units follow it. Headless it is the
// toolkit's own default, "Sans 10"; a screen host sets the desktop's.
struct InterfaceFontChoice {
    std::string family = "Sans";
    int pointSize10 = 100;
};
void SetInterfaceFont(const std::string& family, int pointSize10);
void ResetInterfaceFont();
const InterfaceFontChoice& GetInterfaceFont();

// The built-in bitmap glyphs instead of the machine's fonts: every measure then depends on the
// pixel height alone. Always so where the build has no font library.
void UseBuiltInGlyphs(bool on);
bool UsesBuiltInGlyphs();

// The metrics of a font as text is measured and drawn.
TEXTMETRIC MetricsFor(const LOGFONT& font);
// The built-in glyphs are 5x7 cells drawn at an integer scale inside an advance of 6*scale
// pixels.
int GlyphScale(const LOGFONT& font);
int CharAdvance(const LOGFONT& font);
TEXTMETRIC BuiltInMetricsFor(const LOGFONT& font);
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
