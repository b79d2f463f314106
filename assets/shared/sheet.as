// Spreadsheet run-time helpers shared by the base movie and the function library: the error
// value and the coercions of docs/formula-calling-convention.md. Everything lives on _global,
// so code on any timeline reaches it by its bare name.

// An error value: an object no ordinary cell value can be mistaken for.
_global.kvErrorValue = function (text) {
    this.kvErrorText = text;
};
_global.kvErrorValue.prototype.toString = function () {
    return this.kvErrorText;
};

_global.kvError = function (text) {
    return new kvErrorValue(text);
};

_global.kvIsError = function (value) {
    return value instanceof kvErrorValue;
};
