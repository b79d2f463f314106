// The web service: "xmlUrl" names the URL (static) or the cell that holds it (dynamic), and
// "xmlInterval" the seconds between reloads (0: once). The answer is in the sample query
// result's form: the data XML, which the manager's xmlToModel takes into the cells, or
// "V1=..&V2=.." pairs.

_global.kvLdServiceUrl = function () {
    var source = _root.xmlUrl;
    if (source.dynamic != undefined)
        return String(_root[source.dynamic]);
    return source.static;
};

_global.kvLdApplyPairs = function (text) {
    var pairs = text.split("&");
    for (var i = 0; i < pairs.length; i++) {
        var at = pairs[i].indexOf("=");
        if (at < 0)
            continue;
        var name = unescape(pairs[i].substring(0, at));
        if (kvLdIsCellName(name))
            _root[name] = kvLdValue(unescape(pairs[i].substring(at + 1)));
    }
    kvLdDataArrived();
};

_global.kvLdApplyService = function (text) {
    if (text == undefined)
        return;
    var start = 0;
    while (start < text.length && text.charAt(start) <= " ")
        start++;
    if (text.charAt(start) == "<")
        xmlToModel(text);
    else
        kvLdApplyPairs(text);
};

_global.kvLdLoadService = function () {
    var url = kvLdServiceUrl();
    if (url == undefined || url == "")
        return;
    var request = new LoadVars();
    request.onData = kvLdApplyService;
    request.load(url);
};
