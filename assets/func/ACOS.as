// ACOS(number): the arccosine in radians; #NUM! outside -1..1.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.ACOS = function (v) {
    var a = kvNumArgs([v], [null]);
    if (a instanceof kvErrC) {
        return a;
    }
    var x = a[0];
    return x < -1 || x > 1 ? kvError("#NUM!") : Math.acos(x);
};
