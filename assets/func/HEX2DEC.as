// HEX2DEC(number): a hexadecimal number in decimal.
#include "shared/sheet/bases.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.HEX2DEC = function (v) {
    return kvBaseIn(v, 16);
};
