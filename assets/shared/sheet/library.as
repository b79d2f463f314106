// The library object kvLib, the main timeline the cells live on, and the error value.
//
// Every name of the library begins with "kv". The player looks names up without regard to
// case, so a helper named like a built-in (date, int, array, string) would replace it; no cell
// variable (V<id>), range array (A<index>) or built-in begins with "kv". Locals avoid built-in
// names for the same reason.

if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}

// The main timeline, which holds the cell variables V<id> that ranges name. This code runs as
// the movie's initialisation, with the main timeline as this.
_global.kvTimeline = this;

// An error is an object of its own class, so no number, text or range is mistaken for one; it
// shows as its literal ("#N/A") wherever the movie displays it.
_global.kvErrC = function (code) {
    this.code = code;
};

kvErrC.prototype.toString = function () {
    return this.code;
};

_global.kvError = function (code) {
    return new kvErrC(code);
};

kvLib.kvError = kvError;

_global.kvIsErr = function (v) {
    return v instanceof kvErrC;
};

// Any result that is not of the expected primitive type is an error: helpers return either.
_global.kvFin = function (x) {
    return isFinite(x) ? x : kvError("#NUM!");
};
