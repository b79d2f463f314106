// DSUM(database, field, criteria): the sum of the field's numbers in the records that meet the criteria.
#include "shared/sheet/database.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.DSUM = function (db, field, criteria) {
    var xs = kvDbNumbers(kvDbValues(db, field, criteria));
    return xs instanceof kvErrC ? xs : kvSum(xs);
};
