// DAVERAGE(database, field, criteria): the mean of the field's numbers in the records that meet the criteria.
#include "shared/sheet/database.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.DAVERAGE = function (db, field, criteria) {
    var xs = kvDbNumbers(kvDbValues(db, field, criteria));
    if (xs instanceof kvErrC) {
        return xs;
    }
    return xs.length == 0 ? kvError("#DIV/0!") : kvMean(xs);
};
