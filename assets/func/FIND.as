// FIND(text, within, [start]): case-sensitive, no wildcards; #VALUE! when not found.
#include "shared/sheet/text.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.FIND = function (f, s, start) {
    return kvSearch(f, s, start, true);
};
