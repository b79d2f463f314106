// The arithmetic operators + - * / as one routine that each operator's library entry is made from.

// The operator function of op 0 "+", 1 "-", 2 "*", 3 "/": numbers as the spreadsheet reads them
// (text as decimal, a blank as 0, TRUE as 1), the first error from the left passed on. Two
// numbers, as nearly every call has them, give their result without another call: a call is
// what costs most in the player, and every formula makes several of these. x - x is 0 for
// every finite x and NaN for the infinities and NaN.
_global.kvArith = function (op) {
    if (op == 0) {
        return function (a, b) {
            if (typeof a == "number" && typeof b == "number") {
                var x = a + b;
                if (x - x == 0) {
                    return x;
                }
            }
            return kvArithOf(0, a, b);
        };
    }
    if (op == 1) {
        return function (a, b) {
            if (typeof a == "number" && typeof b == "number") {
                var x = a - b;
                if (x - x == 0) {
                    return x;
                }
            }
            return kvArithOf(1, a, b);
        };
    }
    if (op == 2) {
        return function (a, b) {
            if (typeof a == "number" && typeof b == "number") {
                var x = a * b;
                if (x - x == 0) {
                    return x;
                }
            }
            return kvArithOf(2, a, b);
        };
    }
    return function (a, b) {
        if (typeof a == "number" && typeof b == "number" && b != 0) {
            var x = a / b;
            if (x - x == 0) {
                return x;
            }
        }
        return kvArithOf(3, a, b);
    };
};

// The operator on any values: coerced, errors passed on, results out of range #NUM!.
_global.kvArithOf = function (op, a, b) {
    if (typeof a != "number" || typeof b != "number") {
        var n = kvNumArgs([a, b], [null, null]);
        if (n instanceof kvErrC) {
            return n;
        }
        a = n[0];
        b = n[1];
    }
    if (op == 0) {
        return kvFin(a + b);
    }
    if (op == 1) {
        return kvFin(a - b);
    }
    if (op == 2) {
        return kvFin(a * b);
    }
    return b == 0 ? kvError("#DIV/0!") : kvFin(a / b);
};
