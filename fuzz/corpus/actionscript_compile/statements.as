#include "lib.as"
var a = 1, b = [1, "x\n\u00e9", {k: 2}];
function f(n) { if (n <= 1) return 1; return n * f(n - 1); }
for (var k in b) { switch (k) { case "0": continue; default: break; } }
do { a += 2; a <<= 1; } while (a < 100 && !(a === 7) || a instanceof Array);
b[0]++; --b.k; delete b[1]; x = typeof new Date() + void 0;
while (true) { break; }
for (var i = 0; i < 3; i++) trace(i ? "a" : "b");
