// NOW(): the serial number of the present date and time.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.NOW = function () {
    var now = new Date();
    return kvSerial(now.getFullYear(), now.getMonth() + 1, now.getDate()) +
        (now.getHours() * 3600 + now.getMinutes() * 60 + now.getSeconds()) / 86400;
};
