#pragma once

// The machine's fonts behind the layer's text: measured and drawn with the same shaping, so a
// window sized from a measurement shows exactly what was measured. Where the build has no
// font library the layer keeps its built-in bitmap glyphs (Available() is false).

#include "platform/drawing/DC.h"

#include <string_view>

namespace ui::systemtext {

bool Available();
TEXTMETRIC Metrics(const LOGFONT& font);
int Width(std::string_view text, const LOGFONT& font);
// One laid-out line into a picture, inside clip (device pixels), in the operation's colour.
void DrawLine(CBitmap& target, const CRect& clip, const TextLine& line, const DrawOp& op);
// The same drawing as a glyph painter.
IGlyphPainter& Painter();
// Drops what was measured with the interface font that was in force before.
void InterfaceFontChanged();

} // namespace ui::systemtext
