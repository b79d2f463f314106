// The database functions (DSUM, DCOUNT, DGET...): a table whose first row names its columns,
// a field (a column's name or number) and a criteria area whose first row names columns and
// whose other rows each hold conditions that must all hold; a record meets the criteria when
// one of those rows holds for it.
#include "shared/sheet/criteria.as"

// The index (from 0) of the column that field names in the table db; -1 when none, null for a
// left-out field.
_global.kvDbColumn = function (db, field) {
    if (field === undefined) {
        return null;
    }
    var cols = kvCols(db);
    if (typeof field == "number" || typeof field == "boolean") {
        var c = kvTrunc(Number(field));
        return c >= 1 && c <= cols ? c - 1 : -1;
    }
    var name = String(field).toUpperCase();
    for (var i = 0; i < cols; i++) {
        var head = kvAt(db, 0, i);
        if (head !== undefined && String(head).toUpperCase() == name) {
            return i;
        }
    }
    return -1;
};

// The values of the field's column in the records that meet the criteria (all the records'
// first values for a left-out field, undefined where a record has none), or the error.
_global.kvDbValues = function (db, field, criteria) {
    if (db instanceof kvErrC) {
        return db;
    }
    if (criteria instanceof kvErrC) {
        return criteria;
    }
    if (field instanceof kvErrC) {
        return field;
    }
    if (!(db instanceof kvRangeC || db instanceof kvArrC) || !(criteria instanceof kvRangeC || criteria instanceof kvArrC)) {
        return kvError("#VALUE!");
    }
    var column = kvDbColumn(db, field);
    if (column == -1 || kvRows(criteria) < 2) {
        return kvError("#VALUE!");
    }
    // the conditions: per criteria row, pairs of table column and criterion
    var rules = new Array();
    for (var r = 1; r < kvRows(criteria); r++) {
        var rule = new Array();
        for (var c = 0; c < kvCols(criteria); c++) {
            var cond = kvAt(criteria, r, c);
            if (cond === undefined || cond === "") {
                continue;
            }
            var at = kvDbColumn(db, kvAt(criteria, 0, c));
            if (at == null || at < 0) {
                return kvError("#VALUE!");
            }
            rule.push([at, kvCrit(cond)]);
        }
        rules.push(rule);
    }
    var out = new Array();
    for (var rec = 1; rec < kvRows(db); rec++) {
        var meets = false;
        for (var k = 0; k < rules.length && !meets; k++) {
            meets = true;
            for (var q = 0; q < rules[k].length && meets; q++) {
                var x = kvAt(db, rec, rules[k][q][0]);
                if (!kvMeets(rules[k][q][1], x)) {
                    meets = false;
                }
            }
        }
        if (meets) {
            out.push(kvAt(db, rec, column == null ? 0 : column));
        }
    }
    return out;
};

// The numbers among values, or the first error.
_global.kvDbNumbers = function (values) {
    if (values instanceof kvErrC) {
        return values;
    }
    var xs = new Array();
    for (var i = 0; i < values.length; i++) {
        if (values[i] instanceof kvErrC) {
            return values[i];
        }
        if (typeof values[i] == "number") {
            xs.push(values[i]);
        }
    }
    return xs;
};
