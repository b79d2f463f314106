// NORMDIST(x, mean, standard deviation, cumulative)
#include "shared/sheet/normal.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.NORMDIST = function () {
    return kvNormDist(arguments);
};
