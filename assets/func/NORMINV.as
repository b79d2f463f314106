// NORMINV(probability, mean, standard deviation)
#include "shared/sheet/normal.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.NORMINV = function () {
    return kvNormInv(arguments);
};
