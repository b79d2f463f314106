#include "swf/SwfRawTag.h"

#include "swf/SwfWriter.h"

void CSwfRawTag::Write(swf::Writer& out)
{
    out.Tag(code_, body_, longHeader_);
}
