// HEX2BIN(number, [places]): a hexadecimal number in binary.
#include "shared/sheet/bases.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.HEX2BIN = function (v, places) {
    return kvBaseOut(kvBaseIn(v, 16), 2, places);
};
