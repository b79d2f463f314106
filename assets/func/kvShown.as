// kvShown(v): the value of a formula that may hand on an empty cell's (=B5 over an empty B5):
// the spreadsheet shows 0 there; empty text stays empty text.
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.kvShown = function (v) {
    return v === undefined || v === null ? 0 : v;
};
