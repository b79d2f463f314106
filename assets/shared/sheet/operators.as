// The arithmetic operators + - * / as one routine that each operator's library entry is made from.

// The operator function of op 0 "+", 1 "-", 2 "*", 3 "/": numbers as the spreadsheet reads them
// (text as decimal, a blank as 0, TRUE as 1), the first error from the left passed on. Two
// numbers, as nearly every call has them, skip the coercion.
_global.kvArith = function (op) {
    return function (a, b) {
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
};
