// NORM.INV(probability, mean, standard deviation)
#include "shared/sheet/normal.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.NORM_INV = function () {
    return kvNormInv(arguments);
};
