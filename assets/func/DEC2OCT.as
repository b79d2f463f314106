// DEC2OCT(number, [places]): a decimal number in octal.
#include "shared/sheet/bases.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.DEC2OCT = function (v, places) {
    return kvBaseOut(kvNNoLogical(v), 8, places);
};
