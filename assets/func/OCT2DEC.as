// OCT2DEC(number): a octal number in decimal.
#include "shared/sheet/bases.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.OCT2DEC = function (v) {
    return kvBaseIn(v, 8);
};
