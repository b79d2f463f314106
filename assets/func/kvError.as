// kvError(text): the error value of a literal such as "#N/A" (compiled from =#N/A and from
// names the workbook does not define).
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.kvError = function (code) {
    return kvError(code);
};
