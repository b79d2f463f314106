// NORM.DIST(x, mean, standard deviation, cumulative)
#include "shared/sheet/normal.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.NORM_DIST = function () {
    return kvNormDist(arguments);
};
