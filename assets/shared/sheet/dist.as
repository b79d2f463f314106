// The gamma function, the regularized incomplete gamma and beta functions, and a root finder
// for the inverses of the distributions built on them.
#include "shared/sheet/normal.as"

_global.kvLanczos = [0.99999999999980993, 676.5203681218851, -1259.1392167224028, 771.32342877765313,
    -176.61502916214059, 12.507343278686905, -0.13857109526572012, 9.9843695780195716e-6,
    1.5056327351493116e-7];

// ln Gamma(x) for x > 0 (Lanczos, g = 7).
_global.kvGammaLn = function (x) {
    if (x < 0.5) {
        return Math.log(Math.PI / Math.abs(Math.sin(Math.PI * x))) - kvGammaLn(1 - x);
    }
    x -= 1;
    var s = kvLanczos[0];
    for (var i = 1; i < 9; i++) {
        s += kvLanczos[i] / (x + i);
    }
    var t = x + 7.5;
    return 0.5 * Math.log(2 * Math.PI) + (x + 0.5) * Math.log(t) - t + Math.log(s);
};

// Gamma(x); NaN at 0 and the negative whole numbers. Whole numbers up to 170 exactly.
_global.kvGamma = function (x) {
    if (x <= 0 && x == Math.floor(x)) {
        return NaN;
    }
    if (x == Math.floor(x) && x <= 171) {
        var f = 1;
        for (var k = 2; k < x; k++) {
            f *= k;
        }
        return f;
    }
    if (x < 0.5) {
        return Math.PI / (Math.sin(Math.PI * x) * kvGamma(1 - x));
    }
    var y = x - 1;
    var s = kvLanczos[0];
    for (var i = 1; i < 9; i++) {
        s += kvLanczos[i] / (y + i);
    }
    var t = y + 7.5;
    // in two halves, so that t^(y + 0.5) does not overflow before e^-t brings it down
    var half = Math.pow(t, (y + 0.5) / 2);
    return Math.sqrt(2 * Math.PI) * half * (half * Math.exp(-t)) * s;
};

// The regularized lower incomplete gamma function P(a, x).
_global.kvGammaP = function (a, x) {
    if (x <= 0) {
        return 0;
    }
    var lead = Math.exp(a * Math.log(x) - x - kvGammaLn(a));
    if (x < a + 1) {
        var term = 1 / a;
        var sum = term;
        for (var n = 1; n < 10000; n++) {
            term *= x / (a + n);
            sum += term;
            if (Math.abs(term) < Math.abs(sum) * 1e-17) {
                break;
            }
        }
        return sum * lead;
    }
    return 1 - kvGammaQcf(a, x) * lead;
};

// The continued fraction of Q(a, x) without its leading factor (modified Lentz).
_global.kvGammaQcf = function (a, x) {
    var tiny = 1e-300;
    var b = x + 1 - a;
    var c = 1 / tiny;
    var d = 1 / b;
    var h = d;
    for (var i = 1; i < 10000; i++) {
        var an = -i * (i - a);
        b += 2;
        d = an * d + b;
        if (Math.abs(d) < tiny) {
            d = tiny;
        }
        c = b + an / c;
        if (Math.abs(c) < tiny) {
            c = tiny;
        }
        d = 1 / d;
        var step = d * c;
        h *= step;
        if (Math.abs(step - 1) < 1e-16) {
            break;
        }
    }
    return h;
};

// The regularized incomplete beta function I_x(a, b).
_global.kvBetaI = function (x, a, b) {
    if (x <= 0) {
        return 0;
    }
    if (x >= 1) {
        return 1;
    }
    var lead = Math.exp(kvGammaLn(a + b) - kvGammaLn(a) - kvGammaLn(b) + a * Math.log(x) + b * Math.log(1 - x));
    if (x < (a + 1) / (a + b + 2)) {
        return lead * kvBetaCf(x, a, b) / a;
    }
    return 1 - lead * kvBetaCf(1 - x, b, a) / b;
};

_global.kvBetaCf = function (x, a, b) {
    var tiny = 1e-300;
    var c = 1;
    var d = 1 - (a + b) * x / (a + 1);
    if (Math.abs(d) < tiny) {
        d = tiny;
    }
    d = 1 / d;
    var h = d;
    for (var m = 1; m < 10000; m++) {
        var m2 = 2 * m;
        var an = m * (b - m) * x / ((a + m2 - 1) * (a + m2));
        d = 1 + an * d;
        d = Math.abs(d) < tiny ? tiny : d;
        c = 1 + an / c;
        c = Math.abs(c) < tiny ? tiny : c;
        d = 1 / d;
        h *= d * c;
        an = -(a + m) * (a + b + m) * x / ((a + m2) * (a + m2 + 1));
        d = 1 + an * d;
        d = Math.abs(d) < tiny ? tiny : d;
        c = 1 + an / c;
        c = Math.abs(c) < tiny ? tiny : c;
        d = 1 / d;
        var step = d * c;
        h *= step;
        if (Math.abs(step - 1) < 1e-16) {
            break;
        }
    }
    return h;
};

// The x in [low, high] (high grown while f stays below p, when open) at which the rising
// function f reaches p, to the last digits; #N/A when f never reaches it.
_global.kvSolveRising = function (f, p, low, high, open) {
    var guard = 0;
    while (open && f(high) < p && guard < 1100) {
        low = high;
        high *= 2;
        guard++;
    }
    for (var i = 0; i < 200; i++) {
        var mid = (low + high) / 2;
        if (mid == low || mid == high) {
            break;
        }
        if (f(mid) < p) {
            low = mid;
        } else {
            high = mid;
        }
    }
    var x = (low + high) / 2;
    return Math.abs(f(x) - p) < 1e-9 ? x : kvError("#N/A");
};

// The numbers of the leading arguments, where logical values typed as arguments count and a
// left-out one is an error.
_global.kvDistArgs = function (args, count) {
    var defaults = new Array();
    for (var i = 0; i < count; i++) {
        defaults.push(null);
    }
    return kvNumArgs(args, defaults);
};

// The t distribution with n degrees of freedom at t.
_global.kvTcdf = function (t, n) {
    var half = kvBetaI(n / (n + t * t), n / 2, 0.5) / 2;
    return t > 0 ? 1 - half : half;
};

// The x whose two tails of the t distribution with n degrees of freedom hold p together.
_global.kvTInv2 = function (p, n) {
    var q = 1 - p / 2;
    if (q == 0.5) {
        return 0;
    }
    var x = kvSolveRising(function (t) {
        return kvTcdf(q < 0.5 ? -t : t, n) * (q < 0.5 ? -1 : 1);
    }, q < 0.5 ? -q : q, 0, 1, true);
    return x instanceof kvErrC || q > 0.5 ? x : -x;
};

// The F distribution with m and n degrees of freedom at x >= 0.
_global.kvFcdf = function (x, m, n) {
    return kvBetaI(m * x / (m * x + n), m / 2, n / 2);
};

// The probability of exactly k successes in n trials of probability p.
_global.kvBinomTerm = function (k, n, p) {
    if (p == 0 || p == 1) {
        return (p == 0 ? k == 0 : k == n) ? 1 : 0;
    }
    return Math.exp(kvGammaLn(n + 1) - kvGammaLn(k + 1) - kvGammaLn(n - k + 1) + k * Math.log(p) + (n - k) * Math.log(1 - p));
};
