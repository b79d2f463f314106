// a / b
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.kvDiv = kvArith(3);
