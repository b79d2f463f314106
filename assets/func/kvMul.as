// a * b
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.kvMul = kvArith(2);
