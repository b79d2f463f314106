#pragma once

#include "platform/drawing/Font.h"

// For the length of a test, text is measured and drawn with the built-in bitmap glyphs, whose
// every measure follows from the pixel height: for tests whose expected pixels are reckoned
// from those measures rather than from the machine's fonts.
class BuiltInGlyphs {
public:
    BuiltInGlyphs() { ui::UseBuiltInGlyphs(true); }
    ~BuiltInGlyphs() { ui::UseBuiltInGlyphs(false); }
    BuiltInGlyphs(const BuiltInGlyphs&) = delete;
    BuiltInGlyphs& operator=(const BuiltInGlyphs&) = delete;
};
