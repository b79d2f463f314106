// The web service: "xmlUrl" names the URL (static) or the cell that holds it (dynamic), and
// "xmlInterval" the seconds between reloads (0: once). The answer is the sample query result's
// form: either "V1=..&V2=.." pairs, or XML with <data><variable name="..."> holding rows of
// columns for the range entry of that name ("DAT").

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

// The texts of the <column> elements of every <row> of a <variable>, in reading order.
_global.kvLdVariableTexts = function (variable) {
    var texts = [];
    for (var row = variable.firstChild; row != null; row = row.nextSibling) {
        if (row.nodeName != "row")
            continue;
        for (var column = row.firstChild; column != null; column = column.nextSibling) {
            if (column.nodeName == "column")
                texts.push(kvLdText(column));
        }
    }
    return texts;
};

_global.kvLdApplyDataXml = function (text) {
    var doc = new XML();
    doc.ignoreWhite = true;
    doc.parseXML(text);
    var data = doc.firstChild;
    while (data != null && data.nodeName != "data")
        data = data.nextSibling;
    if (data == null)
        return;
    for (var variable = data.firstChild; variable != null; variable = variable.nextSibling) {
        if (variable.nodeName != "variable")
            continue;
        var range = _root.DAT[variable.attributes.name];
        if (range != undefined)
            kvLdFillRange(range, kvLdVariableTexts(variable));
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
