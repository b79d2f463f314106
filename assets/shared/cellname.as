// True for the name of a model variable: "V" and decimal digits. The data loader writes only
// those, never the movie's functions or tables; the designer's data query reports only those.
_global.kvIsCellName = function (name) {
    if (name.length < 2 || name.charAt(0) != "V")
        return false;
    for (var i = 1; i < name.length; i++) {
        var c = name.charAt(i);
        if (c < "0" || c > "9")
            return false;
    }
    return true;
};
