// a + b
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.kvAdd = kvArith(0);
