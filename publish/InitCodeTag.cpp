#include "publish/InitCodeTag.h"

#include "swf/SwfWriter.h"

void CInitCodeTag::Write(swf::Writer& out)
{
    // Written in place, in room taken for the whole body first (character id, actions, End):
    // a large model's initialisation runs to tens of megabytes, which a body written apart, or
    // a buffer grown by doubling as it is written, would hold twice.
    const size_t start = out.BeginTag(2 + actions_.WrittenSize() + 1);
    out.U16(GetCharacterId());
    actions_.WriteAndRelease(out);
    out.U8(0);
    out.EndTag(swf::TagCode::DoInitAction, start);
}
