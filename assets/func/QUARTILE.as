// QUARTILE(range, quart): the quartile 0..4.
#include "shared/sheet/stats.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.QUARTILE = function (g, q) {
    return kvQuartile(g, q);
};
