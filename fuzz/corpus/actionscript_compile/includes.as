#include "outer.as"
#include "loop.as"
