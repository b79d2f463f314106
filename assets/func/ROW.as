// ROW(reference): the row of a reference found when the movie runs (OFFSET, INDIRECT, INDEX);
// ROW of a written reference is a number in the compiled formula.
#include "shared/sheet/refs.as"
if (_global.kvLib == undefined) {
    _global.kvLib = new Object();
}
kvLib.ROW = function (ref) {
    if (ref instanceof kvErrC) {
        return ref;
    }
    return kvIsRef(ref) ? ref.r0 : kvError("#VALUE!");
};
