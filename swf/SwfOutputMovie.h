#pragma once

#include "swf/SwfMovie.h"

// A movie made for writing: its Write writes every added tag in order of addition whatever its
// use count.
class CSwfOutputMovie : public CSwfMovie {
public:
    CSwfOutputMovie();
    void Write(swf::Writer& out) override;
};
