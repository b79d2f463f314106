#include "publish/InitCodeTag.h"

#include "swf/SwfWriter.h"

void CInitCodeTag::Write(swf::Writer& out)
{
    // Written in place: a large model's initialisation runs to tens of megabytes, which a body
    // written apart would hold twice.
    // Room for the whole tag first: a large model's initialisation is the bulk of the movie.
    out.MakeRoom(6 + 2 + actions_.WrittenSize() + 1);
    const size_t start = out.BeginTag();
    out.U16(GetCharacterId());
    actions_.Write(out);
    out.U8(0);
    out.EndTag(swf::TagCode::DoInitAction, start);
}
