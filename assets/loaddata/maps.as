// The XML maps: "kvXML" holds one entry per map, by name: its URL (static, or the cell that
// holds it: dynamic), the seconds between reloads (refresh, 0: once) and "arr", the ranges it
// fills, each with the XPath that selects their values.

_global.kvLdApplyMap = function (map, doc) {
    var ranges = map.arr;
    for (var i = 0; i < ranges.length; i++) {
        if (ranges[i].range != undefined)
            kvLdFillRange(ranges[i].range, kvLdSelect(doc, ranges[i].xpath));
    }
    kvLdRecalculate();
};

_global.kvLdLoadMap = function (map) {
    var url = kvLdUrl(map);
    if (url == undefined || url == "")
        return;
    var doc = new XML();
    doc.ignoreWhite = true;
    doc.onLoad = function (ok) {
        if (ok)
            kvLdApplyMap(map, this);
    };
    doc.load(url);
};
