// Times of day, ISO weeks, holiday sets and the two dates of day-count functions.

// Seconds since midnight, rounded to the nearest second.
_global.kvSecondsOfDay = function (x) {
    var secs = Math.round((x - Math.floor(x)) * 86400);
    return secs >= 86400 ? 0 : secs;
};

_global.kvIsoWeek = function (d) {
    var w = (kvWeekday0(d) + 6) % 7; // Monday 0
    var thursday = d - w + 3;
    var y = kvYMD(thursday)[0];
    return Math.floor((thursday - kvSerial(y, 1, 1)) / 7) + 1;
};

// The holiday serial numbers of a range or value, as a set.
_global.kvHolidays = function (g) {
    var off = new Object();
    if (g === undefined) {
        return off;
    }
    var values = kvFlat(g);
    for (var i = 0; i < values.length; i++) {
        var x = values[i];
        if (x instanceof kvErrC) {
            return x;
        }
        if (typeof x == "number") {
            off[Math.floor(x)] = true;
        } else if (typeof x == "string") {
            var n = kvParse(x);
            if (isNaN(n)) {
                return kvError("#VALUE!");
            }
            off[Math.floor(n)] = true;
        }
    }
    return off;
};

// The leading date arguments of a day-count function (DATEDIF, DAYS360, NETWORKDAYS, WORKDAY,
// YEARFRAC) as whole-day serial numbers, or the first error.
_global.kvDayArgs = function (args, count) {
    var out = new Array();
    for (var i = 0; i < count; i++) {
        var x = kvDateArg(args[i]);
        if (typeof x != "number") {
            return x;
        }
        out.push(Math.floor(x));
    }
    return out;
};
