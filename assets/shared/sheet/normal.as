// The standard normal distribution function and its inverse.

// The standard normal distribution function, to about 1e-15: a series near the centre, a
// continued fraction in the tails.
_global.kvPhi = function (z) {
    var a = Math.abs(z);
    var p;
    if (a < 3) {
        var term = a;
        var sum = a;
        var k = 1;
        while (Math.abs(term) > 1e-17 * Math.abs(sum) && k < 200) {
            term = term * a * a / (2 * k + 1);
            sum += term;
            k++;
        }
        p = 0.5 + sum * Math.exp(-a * a / 2) / Math.sqrt(2 * Math.PI);
        return z < 0 ? 1 - p : p;
    }
    if (a > 38) {
        return z < 0 ? 0 : 1;
    }
    // upper tail by the continued fraction a + 1/(a + 2/(a + 3/(a + ...)))
    var f = a;
    for (var n = 80; n >= 1; n--) {
        f = a + n / f;
    }
    var q = Math.exp(-a * a / 2) / Math.sqrt(2 * Math.PI) / f;
    return z < 0 ? q : 1 - q;
};

// The inverse of kvPhi: a rational first guess refined by Newton's method.
_global.kvPhiInv = function (p) {
    if (p == 0.5) {
        return 0;
    }
    var q = p < 0.5 ? p : 1 - p;
    var t = Math.sqrt(-2 * Math.log(q));
    var x = t - (2.515517 + 0.802853 * t + 0.010328 * t * t) / (1 + 1.432788 * t + 0.189269 * t * t + 0.001308 * t * t * t);
    if (p < 0.5) {
        x = -x;
    }
    for (var i = 0; i < 8; i++) {
        var d = Math.exp(-x * x / 2) / Math.sqrt(2 * Math.PI);
        if (d == 0) {
            break;
        }
        var step = (kvPhi(x) - p) / d;
        x -= step;
        if (Math.abs(step) < 1e-15 * (1 + Math.abs(x))) {
            break;
        }
    }
    return x;
};

// NORMDIST and NORM.DIST: (x, mean, standard deviation, cumulative) as their arguments.
_global.kvNormDist = function (args) {
    var a = kvNumArgs(args, [null, null, null]);
    if (a instanceof kvErrC) {
        return a;
    }
    var cumulative = kvB(args[3]);
    if (cumulative instanceof kvErrC) {
        return cumulative;
    }
    if (a[2] <= 0) {
        return kvError("#NUM!");
    }
    var z = (a[0] - a[1]) / a[2];
    if (cumulative) {
        return kvPhi(z);
    }
    return Math.exp(-z * z / 2) / Math.sqrt(2 * Math.PI) / a[2];
};

// NORMINV and NORM.INV: (probability, mean, standard deviation) as their arguments.
_global.kvNormInv = function (args) {
    var a = kvNumArgs(args, [null, null, null]);
    if (a instanceof kvErrC) {
        return a;
    }
    if (a[0] <= 0 || a[0] >= 1 || a[2] <= 0) {
        return kvError("#NUM!");
    }
    return a[1] + a[2] * kvPhiInv(a[0]);
};
