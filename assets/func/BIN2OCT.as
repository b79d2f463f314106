// BIN2OCT(number, [places]): a binary number in octal.
#include "shared/sheet/bases.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.BIN2OCT = function (v, places) {
    return kvBaseOut(kvBaseIn(v, 2), 8, places);
};
