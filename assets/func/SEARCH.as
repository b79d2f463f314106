// SEARCH(text, within, [start]): without regard to case, with wildcards; #VALUE! when not found.
#include "shared/sheet/text.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.SEARCH = function (f, s, start) {
    return kvSearch(f, s, start, false);
};
