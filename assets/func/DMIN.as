// DMIN(database, field, criteria): the smallest of the field's numbers in the records that meet the criteria, 0 without any.
#include "shared/sheet/database.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.DMIN = function (db, field, criteria) {
    var xs = kvDbNumbers(kvDbValues(db, field, criteria));
    return xs instanceof kvErrC ? xs : kvExtreme(xs, -1);
};
