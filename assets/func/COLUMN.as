// COLUMN(reference): the column of a reference found when the movie runs (OFFSET, INDIRECT,
// INDEX); COLUMN of a written reference is a number in the compiled formula.
#include "shared/sheet/refs.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.COLUMN = function (ref) {
    if (ref instanceof kvErrC) {
        return ref;
    }
    return kvIsRef(ref) ? ref.c0 : kvError("#VALUE!");
};
