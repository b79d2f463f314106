// Payments, future values, interest parts and the rate that solves a cash flow.

// ln(1 + x) and e^x - 1 without the digits that forming 1 + x (or subtracting 1) loses for a
// small x: the player has neither. Each corrects the rounding of 1 + x (of e^x) by the ratio
// of the exact argument to the rounded one.
_global.kvLog1p = function (x) {
    var u = 1 + x;
    if (u == 1) {
        return x;
    }
    return Math.log(u) * x / (u - 1);
};
_global.kvExpm1 = function (x) {
    var u = Math.exp(x);
    if (u == 1) {
        return x;
    }
    if (u - 1 == -1) {
        return -1;
    }
    return (u - 1) * x / Math.log(u);
};
// {f: (1 + r)^n, a: ((1 + r)^n - 1) / r}, the growth of n periods and the annuity factor. Near
// a rate of 0 the factor is taken through ln(1 + r) and e^x - 1 (its limit n at 0), so that
// PV(-1e-8, 8, -200) keeps all its digits; elsewhere the power is exact enough.
_global.kvGrowth = function (r, n) {
    var g = new Object();
    if (r == 0) {
        g.f = 1;
        g.a = n;
    } else if (Math.abs(r) < 1e-4) {
        var l = n * kvLog1p(r);
        g.f = Math.exp(l);
        g.a = kvExpm1(l) / r;
    } else {
        g.f = Math.pow(1 + r, n);
        g.a = (g.f - 1) / r;
    }
    return g;
};

// {f, df}: what is left after n periods at rate r of the present value pv, payments pmt (at
// the start of a period when t is 1) and the future value fv, and its slope in r; RATE seeks
// the r where f is 0. While n r is small f is summed as its series in r, whose first term
// pv + pmt n + fv holds the cancellation that the closed form would spread over terms of the
// size of pv (so RATE(10, -100, 999.9999) keeps its digits).
_global.kvBalance = function (r, n, pmt, pv, fv, t) {
    var out = new Object();
    if (Math.abs(n * r) < 0.1) {
        // c0 = pv + pmt n + fv; ck = (pv + pmt t) C(n, k) + pmt C(n, k + 1)
        out.f = pv + pmt * n + fv;
        out.df = 0;
        var binom = n; // C(n, k)
        var next = n * (n - 1) / 2; // C(n, k + 1)
        var power = 1; // r^(k - 1)
        for (var k = 1; k < 60; k++) {
            var c = (pv + pmt * t) * binom + pmt * next;
            var term = c * power * r;
            out.f += term;
            out.df += k * c * power;
            if (Math.abs(term) <= 1e-17 * Math.abs(out.f) && Math.abs(c * power) <= 1e-17 * Math.abs(out.df)) {
                break;
            }
            power *= r;
            binom = next;
            next = next * (n - k - 1) / (k + 2);
        }
        return out;
    }
    var g = kvGrowth(r, n);
    var dg = n * g.f / (1 + r);
    out.f = pv * g.f + pmt * (1 + r * t) * g.a + fv;
    out.df = pv * dg + pmt * t * g.a + pmt * (1 + r * t) * (dg * r - (g.f - 1)) / (r * r);
    return out;
};

_global.kvPMT = function (r, n, pv, fv, t) {
    var g = kvGrowth(r, n);
    return -(fv + pv * g.f) / ((1 + r * t) * g.a);
};

_global.kvFV = function (r, n, pmt, pv, t) {
    var g = kvGrowth(r, n);
    return -(pv * g.f + pmt * (1 + r * t) * g.a);
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

// IRR's rate: Newton's method from the guess as the spreadsheet runs it, at most 20 steps and
// none refused for passing -1 (whole periods keep the present value defined there), so a far
// guess finds what the spreadsheet finds or fails where it fails; the last steps polish the
// rate to full precision.
_global.kvPeriodRate = function (values, guess) {
    var r = guess;
    var polish = -1;
    for (var k = 0; k < 20 || (polish >= 0 && k < polish); k++) {
        var f = 0;
        var df = 0;
        for (var j = 0; j < values.length; j++) {
            var d = Math.pow(1 + r, j);
            f += values[j] / d;
            df -= j * values[j] / (d * (1 + r));
        }
        if (df == 0 || !isFinite(f) || !isFinite(df)) {
            return polish >= 0 ? r : kvError("#NUM!");
        }
        var step = f / df;
        r -= step;
        if (!isFinite(r)) {
            return kvError("#NUM!");
        }
        if (polish < 0 && Math.abs(step) < 1e-7) {
            polish = k + 4;
        }
        if (polish >= 0 && Math.abs(step) <= 1e-15 * Math.abs(r)) {
            return r;
        }
    }
    return polish >= 0 ? r : kvError("#NUM!");
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
