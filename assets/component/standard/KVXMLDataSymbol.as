// XML data connection: exchanges cell values with the address "url" in the XML data form
// (shared/xmldata.as). With "transferType" "send" or "sendAndLoad" it posts the ranges of
// "sendRanges_ary" under the names of "sendNames_ary"; with "load" or "sendAndLoad" it fills
// the ranges of "loadRanges_ary" from the variables of the answer named by "loadNames_ary"
// (cells beyond an answer's values are emptied) and the model recalculates. It transfers when
// the movie starts ("refreshLoad") and every "refreshInterval" seconds ("refreshAuto"). Its box
// shows the "label" and what the last transfer did (kvStatus); a failure is said there, in red
// (kvFailed).
#include "shared/component.as"
#include "shared/xmldata.as"

var xmlData = kvDefineComponent("KVXMLDataSymbol", 160, 40, function () {
    var w = this.kvW, h = this.kvH;
    var back = this.kvClip("kvBack");
    kvRect(back, 0, 0, w - 1, h - 1, this.useCustomColor == true ? this.customColor : 0xFFFFFF,
           this.borderColor == undefined ? 0x999999 : this.borderColor);
    back._alpha = 100 - Math.min(Math.max(kvNumber(this.transparency, 0), 0), 100);
    var align = this.labelAlignment == undefined ? "left" : String(this.labelAlignment).toLowerCase();
    var half = Math.max(Math.floor(h / 2), 18);
    this.kvText("kvLabel", 3, 1, w - 6, Math.min(half, 18), this.label, this.labelTextFormat, align);
    var status = {};
    for (var k in this.labelTextFormat)
        status[k] = this.labelTextFormat[k];
    status.size = Math.max(kvNumber(status.size, 11) - 2, 8);
    status.bold = false;
    if (this.kvFailed == true)
        status.color = 0xCC0000;
    this.kvText("kvStatusLine", 3, h - 18, w - 6, 17, this.kvStatus, status, align);
    if (this.kvStarted != true) {
        this.kvStarted = true;
        if (this.refreshAuto == true && kvNumber(this.refreshInterval, 0) > 0)
            this.kvNextRefresh = getTimer() + kvNumber(this.refreshInterval, 0) * 1000;
        if (this.refreshLoad != false)
            this.kvTransfer();
    }
});
xmlData.kvWatch = ["label", "url"];

// The drawing's own frame stays with the class, not on the main timeline, where a variable
// would hide a placed clip of the same name.
xmlData.kvXmlBaseFrame = xmlData.onEnterFrame;
xmlData.onEnterFrame = function () {
    if (this.kvNextRefresh != undefined && getTimer() >= this.kvNextRefresh) {
        this.kvNextRefresh = getTimer() + kvNumber(this.refreshInterval, 0) * 1000;
        this.kvTransfer();
    }
    this.kvXmlBaseFrame();
};

xmlData.kvSay = function (text, failed) {
    this.kvStatus = text;
    this.kvFailed = failed;
    this.mc();
};

// Whether a ranges member holds one element per name (each the rows of its cells), as the
// designer's General page stores it, rather than the one range of a single name.
xmlData.kvPerName = function (value, count) {
    if (count != 1)
        return true;
    return value instanceof Array && value[0] instanceof Array && value[0][0] instanceof Array;
};

// The ranges of a list binding, one per name.
xmlData.kvRanges = function (member, count) {
    var value = this[member], ranges = [];
    if (!this.kvPerName(value, count))
        return [value];
    for (var i = 0; i < count; i++)
        ranges.push(value instanceof Array ? value[i] : undefined);
    return ranges;
};

xmlData.kvTransfer = function () {
    var url = this.url == undefined ? "" : String(this.url);
    if (url == "") {
        this.kvSay("Failed: no address", true);
        return;
    }
    var how = this.transferType == undefined ? "load" : String(this.transferType);
    var sending = how.indexOf("send") >= 0, loading = how.indexOf("oad") >= 0;
    var owner = this;
    // Through _global: names are found in any letter case, so a clip named "Xml" on the
    // timeline would otherwise stand for the class.
    var answer = new _global.XML();
    answer.ignoreWhite = true;
    answer.onLoad = function (ok) { owner.kvAnswered(ok, this, loading, url); };
    this.kvRequests = kvNumber(this.kvRequests, 0) + 1;
    if (sending) {
        var names = this.sendNames_ary instanceof Array ? this.sendNames_ary : [];
        var request = new _global.XML(kvXmlDataWrite(names, this.kvRanges("sendRanges_ary", names.length)));
        request.contentType = "text/xml";
        request.sendAndLoad(url, answer);
    } else {
        answer.load(url);
    }
};

xmlData.kvAnswered = function (ok, answer, loading, url) {
    if (!ok) {
        this.kvSay("Failed: could not connect", true);
        return;
    }
    if (!loading) {
        this.kvSay("Sent", false);
        return;
    }
    var found = kvXmlDataRead(answer);
    if (found == undefined) {
        this.kvSay("Failed: no XML data in the answer", true);
        return;
    }
    var names = this.loadNames_ary instanceof Array ? this.loadNames_ary : [];
    var missing = [];
    if (!this.kvPerName(this.loadRanges_ary, names.length)) {
        this.loadRanges_ary = this.kvFill(this.loadRanges_ary, found["v_" + names[0]], missing, names[0]);
    } else {
        for (var i = 0; i < names.length; i++) {
            if (this.loadRanges_ary instanceof Array)
                this.loadRanges_ary[i] = this.kvFill(this.loadRanges_ary[i], found["v_" + names[i]], missing, names[i]);
        }
    }
    this.kvCommit();
    if (missing.length > 0)
        this.kvSay("Failed: no " + missing.join(", "), true);
    else
        this.kvSay("Loaded " + names.length + (names.length == 1 ? " range" : " ranges"), false);
};

// The texts into the cells of a range (a value, a list or rows), in reading order; the cells
// beyond them are emptied. A name missing from the answer leaves its range as it was.
xmlData.kvFill = function (range, texts, missing, name) {
    if (texts == undefined) {
        missing.push(name);
        return range;
    }
    if (!(range instanceof Array))
        return texts.length > 0 ? kvXmlValue(texts[0]) : undefined;
    var next = 0;
    for (var r = 0; r < range.length; r++) {
        if (range[r] instanceof Array) {
            for (var c = 0; c < range[r].length; c++, next++)
                range[r][c] = next < texts.length ? kvXmlValue(texts[next]) : undefined;
        } else {
            range[r] = next < texts.length ? kvXmlValue(texts[next]) : undefined;
            next++;
        }
    }
    return range;
};
// The class keeps what it needs: the variable would hide a placed clip of the same name.
delete xmlData;
