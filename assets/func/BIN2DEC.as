// BIN2DEC(number): a binary number in decimal.
#include "shared/sheet/bases.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.BIN2DEC = function (v) {
    return kvBaseIn(v, 2);
};
