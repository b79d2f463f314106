// VDB(cost, salvage, life, start, end, [factor], [no switch]): the declining-balance
// depreciation between two periods (fractions allowed), switching to straight-line once that
// gives more unless told not to.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
// Period i's declining-balance depreciation (from 1), never below the salvage.
_global.kvDdbPeriod = function (cost, salvage, life, i, factor) {
    var rate = factor / life;
    var before;
    if (rate >= 1) {
        rate = 1;
        before = i == 1 ? cost : 0;
    } else {
        before = cost * Math.pow(1 - rate, i - 1);
    }
    var after = cost * Math.pow(1 - rate, i);
    var dep = after < salvage ? before - salvage : before - after;
    return dep < 0 ? 0 : dep;
};
// The depreciation of periods 0 .. period (a fraction in the last) of an asset that has left
// life left of its life, switching to straight-line when that gives more.
_global.kvVdbUpTo = function (cost, salvage, life, left, period, factor) {
    var end = Math.ceil(period);
    var rest = cost - salvage;
    var straight = false;
    var line = 0;
    var total = 0;
    for (var i = 1; i <= end; i++) {
        var term;
        if (!straight) {
            var ddb = kvDdbPeriod(cost, salvage, life, i, factor);
            line = rest / (left - (i - 1));
            if (line > ddb) {
                term = line;
                straight = true;
            } else {
                term = ddb;
                rest -= ddb;
            }
        } else {
            term = line;
        }
        if (i == end) {
            term *= period + 1 - end;
        }
        total += term;
    }
    return total;
};
kvLib.VDB = function () {
    var a = kvNumArgs(arguments, [null, null, null, null, null, 2]);
    if (a instanceof kvErrC) {
        return a;
    }
    var noSwitch = arguments[6] === undefined ? false : kvB(arguments[6]);
    if (noSwitch instanceof kvErrC) {
        return noSwitch;
    }
    var cost = a[0];
    var salvage = a[1];
    var life = a[2];
    var start = a[3];
    var end = a[4];
    var factor = a[5];
    if (start < 0 || end < start || end > life || cost < 0 || salvage > cost || factor <= 0 || life <= 0) {
        return kvError("#NUM!");
    }
    var first = Math.floor(start);
    var last = Math.ceil(end);
    var total = 0;
    if (noSwitch) {
        for (var i = first + 1; i <= last; i++) {
            var term = kvDdbPeriod(cost, salvage, life, i, factor);
            if (i == first + 1) {
                term *= Math.min(end, first + 1) - start;
            } else if (i == last) {
                term *= end + 1 - last;
            }
            total += term;
        }
        return total;
    }
    // Whole periods from the start's, less the parts of the first and last outside the span.
    var part = 0;
    if (start != first) {
        var value = cost - kvVdbUpTo(cost, salvage, life, life, first, factor);
        part += (start - first) * kvVdbUpTo(value, salvage, life, life - first, 1, factor);
    }
    if (end != last) {
        var before = cost - kvVdbUpTo(cost, salvage, life, life, last - 1, factor);
        part += (last - end) * kvVdbUpTo(before, salvage, life, life - (last - 1), 1, factor);
    }
    var remaining = cost - kvVdbUpTo(cost, salvage, life, life, first, factor);
    return kvVdbUpTo(remaining, salvage, life, life - first, last - first, factor) - part;
};
