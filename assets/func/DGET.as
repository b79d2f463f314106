// DGET(database, field, criteria): the field's value in the one record that meets the criteria; #VALUE! for none, #NUM! for several.
#include "shared/sheet/database.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.DGET = function (db, field, criteria) {
    var values = kvDbValues(db, field, criteria);
    if (values instanceof kvErrC) {
        return values;
    }
    if (values.length == 0) {
        return kvError("#VALUE!");
    }
    if (values.length > 1) {
        return kvError("#NUM!");
    }
    return values[0] === undefined ? 0 : values[0];
};
