// OCT2HEX(number, [places]): a octal number in hexadecimal.
#include "shared/sheet/bases.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.OCT2HEX = function (v, places) {
    return kvBaseOut(kvBaseIn(v, 8), 16, places);
};
