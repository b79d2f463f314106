// Payments, future values, interest parts and the rate that solves a cash flow.

_global.kvPMT = function (r, n, pv, fv, t) {
    if (r == 0) {
        return -(pv + fv) / n;
    }
    var f = Math.pow(1 + r, n);
    return -(r * (fv + pv * f)) / ((1 + r * t) * (f - 1));
};

_global.kvFV = function (r, n, pmt, pv, t) {
    if (r == 0) {
        return -(pv + pmt * n);
    }
    var f = Math.pow(1 + r, n);
    return -(pv * f + pmt * (1 + r * t) * (f - 1) / r);
};

_global.kvIPMT = function (r, per, n, pv, fv, t) {
    var pmt = kvPMT(r, n, pv, fv, t);
    var interest;
    if (per == 1) {
        interest = t == 1 ? 0 : -pv;
    } else if (t == 1) {
        interest = kvFV(r, per - 2, pmt, pv, 1) - pmt;
    } else {
        interest = kvFV(r, per - 1, pmt, pv, 0);
    }
    return interest * r;
};

// The rate at which values at times (in periods) have a present value of 0, by Newton's
// method; #NUM! without both signs or without convergence.
_global.kvSolveRate = function (values, times, guess) {
    var pos = false;
    var neg = false;
    for (var i = 0; i < values.length; i++) {
        if (values[i] > 0) {
            pos = true;
        } else if (values[i] < 0) {
            neg = true;
        }
    }
    if (!pos || !neg) {
        return kvError("#NUM!");
    }
    var r = guess;
    for (var k = 0; k < 100; k++) {
        var f = 0;
        var df = 0;
        for (var j = 0; j < values.length; j++) {
            var d = Math.pow(1 + r, times[j]);
            f += values[j] / d;
            df -= times[j] * values[j] / (d * (1 + r));
        }
        if (df == 0 || !isFinite(f)) {
            return kvError("#NUM!");
        }
        var step = f / df;
        r -= step;
        if (r <= -1 || !isFinite(r)) {
            return kvError("#NUM!");
        }
        if (Math.abs(step) < 1e-12 * (1 + Math.abs(r))) {
            return r;
        }
    }
    return kvError("#NUM!");
};

// {values, times}: values with their dates as years of 365 days after the first date.
_global.kvDated = function (g, dates) {
    var xs = kvFlat(g);
    var ds = kvFlat(dates);
    if (xs.length != ds.length || xs.length < 2) {
        return kvError("#NUM!");
    }
    var p = new Object();
    p.values = new Array();
    p.times = new Array();
    var d0 = kvN(ds[0]);
    if (typeof d0 != "number") {
        return d0;
    }
    for (var i = 0; i < xs.length; i++) {
        var x = kvN(xs[i]);
        if (typeof x != "number") {
            return x;
        }
        var d = kvN(ds[i]);
        if (typeof d != "number") {
            return d;
        }
        if (Math.floor(d) < Math.floor(d0)) {
            return kvError("#NUM!");
        }
        p.values.push(x);
        p.times.push((Math.floor(d) - Math.floor(d0)) / 365);
    }
    return p;
};
