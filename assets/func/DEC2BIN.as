// DEC2BIN(number, [places]): a decimal number in binary.
#include "shared/sheet/bases.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.DEC2BIN = function (v, places) {
    return kvBaseOut(kvNNoLogical(v), 2, places);
};
