// DCOUNT(database, [field], criteria): how many of the field's values in the records that meet the criteria are numbers (without a field, how many records meet them).
#include "shared/sheet/database.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.DCOUNT = function (db, field, criteria) {
    var values = kvDbValues(db, field, criteria);
    if (values instanceof kvErrC) {
        return values;
    }
    if (field === undefined) {
        return values.length;
    }
    var n = 0;
    for (var i = 0; i < values.length; i++) {
        if (typeof values[i] == "number") {
            n++;
        }
    }
    return n;
};
