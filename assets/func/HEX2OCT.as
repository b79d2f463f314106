// HEX2OCT(number, [places]): a hexadecimal number in octal.
#include "shared/sheet/bases.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.HEX2OCT = function (v, places) {
    return kvBaseOut(kvBaseIn(v, 16), 8, places);
};
