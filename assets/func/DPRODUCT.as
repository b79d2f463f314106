// DPRODUCT(database, field, criteria): the product of the field's numbers in the records that meet the criteria.
#include "shared/sheet/database.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.DPRODUCT = function (db, field, criteria) {
    var xs = kvDbNumbers(kvDbValues(db, field, criteria));
    if (xs instanceof kvErrC) {
        return xs;
    }
    var p = 1;
    for (var i = 0; i < xs.length; i++) {
        p *= xs[i];
    }
    return xs.length == 0 ? 0 : p;
};
