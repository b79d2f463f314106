#include "swf/SwfOutputMovie.h"

CSwfOutputMovie::CSwfOutputMovie() = default;

void CSwfOutputMovie::Write(swf::Writer& out)
{
    WriteAllTags(out);
}
