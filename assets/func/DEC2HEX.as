// DEC2HEX(number, [places]): a decimal number in hexadecimal.
#include "shared/sheet/bases.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.DEC2HEX = function (v, places) {
    return kvBaseOut(kvNNoLogical(v), 16, places);
};
