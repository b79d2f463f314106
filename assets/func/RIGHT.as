// RIGHT(text, [count]): the last count characters of the text (1 when left out).
#include "shared/sheet/text.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.RIGHT = function (v, n) {
    return kvEnd(v, n, true);
};
