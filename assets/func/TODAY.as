// TODAY(): the serial number of the present date.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.TODAY = function () {
    var now = new Date();
    return kvSerial(now.getFullYear(), now.getMonth() + 1, now.getDate());
};
