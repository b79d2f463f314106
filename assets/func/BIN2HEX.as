// BIN2HEX(number, [places]): a binary number in hexadecimal.
#include "shared/sheet/bases.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.BIN2HEX = function (v, places) {
    return kvBaseOut(kvBaseIn(v, 2), 16, places);
};
