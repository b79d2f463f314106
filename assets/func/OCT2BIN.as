// OCT2BIN(number, [places]): a octal number in binary.
#include "shared/sheet/bases.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.OCT2BIN = function (v, places) {
    return kvBaseOut(kvBaseIn(v, 8), 2, places);
};
