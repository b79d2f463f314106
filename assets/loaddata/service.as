// The web service: "xmlUrl" names the URL (static) or the cell that holds it (dynamic), and
// "xmlInterval" the seconds between reloads (0: once). The answer is the sample query result's
// form: either "V1=..&V2=.." pairs, or XML with <data><variable name="..."> holding rows of
// columns for the range entry of that name ("DAT"; shared/xmldata.as reads it).
#include "shared/xmldata.as"

_global.kvLdApplyPairs = function (text) {
    var pairs = text.split("&");
    for (var i = 0; i < pairs.length; i++) {
        var at = pairs[i].indexOf("=");
        if (at < 0)
            continue;
        var name = unescape(pairs[i].substring(0, at));
        if (kvIsCellName(name))
            _root[name] = kvLdValue(unescape(pairs[i].substring(at + 1)));
    }
};

_global.kvLdApplyDataXml = function (text) {
    var doc = new XML();
    doc.ignoreWhite = true;
    doc.parseXML(text);
    var found = kvXmlDataRead(doc);
    for (var key in found) {
        var range = _root.DAT[key.substring(2)];
        if (range != undefined)
            kvLdFillRange(range, found[key]);
    }
};

_global.kvLdApplyService = function (text) {
    if (text == undefined)
        return;
    var start = 0;
    while (start < text.length && text.charAt(start) <= " ")
        start++;
    if (text.charAt(start) == "<")
        kvLdApplyDataXml(text);
    else
        kvLdApplyPairs(text);
    kvLdRecalculate();
};

_global.kvLdLoadService = function () {
    var url = kvLdUrl(_root.xmlUrl);
    if (url == undefined || url == "")
        return;
    var request = new LoadVars();
    request.onData = kvLdApplyService;
    request.load(url);
};
