#include "publish/InitCodeTag.h"

#include "swf/SwfWriter.h"

void CInitCodeTag::Write(swf::Writer& out)
{
    swf::Writer body;
    body.U16(GetCharacterId());
    actions_.Write(body);
    body.U8(0);
    out.Tag(swf::TagCode::DoInitAction, body.Data());
}
