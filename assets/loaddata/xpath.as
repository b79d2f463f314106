// The XPath of the XML maps, in the form the maps use: an absolute path of element steps
// ("/a/b/c"), "//" for any depth, "*" for any element, "[n]" for the n-th match among its
// siblings (from 1), and a last step "@name" for an attribute or "text()" for the text.
// Prefixed names match through "kvXMLNS": a step "p:item" matches an element of the
// namespace that kvXMLNS gives for p, whatever prefix the document uses for it.

#include "shared/xmldata.as"

_global.kvLdText = kvXmlText;

// The namespace URI of a prefix at an element, from the xmlns declarations around it.
_global.kvLdNamespaceOf = function (node, prefix) {
    var key = prefix == "" ? "xmlns" : "xmlns:" + prefix;
    // An attributes object has no prototype, so it compares equal to undefined itself: test
    // the declaration, never the object.
    for (var at = node; at != null; at = at.parentNode) {
        if (at.attributes[key] != undefined)
            return at.attributes[key];
    }
    return undefined;
};

_global.kvLdSplitName = function (name) {
    var colon = name.indexOf(":");
    if (colon < 0)
        return {prefix: "", local: name};
    return {prefix: name.substring(0, colon), local: name.substring(colon + 1)};
};

// Whether an element matches a step's name test.
_global.kvLdNameMatches = function (node, test) {
    if (node.nodeType != 1)
        return false;
    if (test == "*")
        return true;
    var wanted = kvLdSplitName(test);
    var actual = kvLdSplitName(node.nodeName);
    if (wanted.local != actual.local)
        return false;
    var uri = _root.kvXMLNS[wanted.prefix];
    if (wanted.prefix == "" || uri == undefined)
        return wanted.prefix == actual.prefix;
    return kvLdNamespaceOf(node, actual.prefix) == uri;
};

// Parses one step: name test and position (0 for none).
_global.kvLdParseStep = function (text) {
    var open = text.indexOf("[");
    if (open < 0)
        return {test: text, position: 0};
    var close = text.indexOf("]", open);
    return {test: text.substring(0, open), position: parseInt(text.substring(open + 1, close), 10)};
};

_global.kvLdAddDescendants = function (node, into) {
    for (var child = node.firstChild; child != null; child = child.nextSibling) {
        if (child.nodeType == 1) {
            into.push(child);
            kvLdAddDescendants(child, into);
        }
    }
};

// The elements that one step selects from each node of the set, in document order.
_global.kvLdApplyStep = function (nodes, step, anyDepth) {
    var out = [];
    for (var i = 0; i < nodes.length; i++) {
        var candidates = [];
        if (anyDepth) {
            kvLdAddDescendants(nodes[i], candidates);
        } else {
            for (var child = nodes[i].firstChild; child != null; child = child.nextSibling)
                candidates.push(child);
        }
        var count = 0;
        for (var j = 0; j < candidates.length; j++) {
            if (!kvLdNameMatches(candidates[j], step.test))
                continue;
            count++;
            if (step.position == 0 || step.position == count)
                out.push(candidates[j]);
        }
    }
    return out;
};

// The texts the path selects in the document, in document order.
_global.kvLdSelect = function (doc, path) {
    var steps = path.split("/");
    var nodes = [doc];
    var anyDepth = false;
    var texts = [];
    for (var i = 1; i < steps.length; i++) {
        var text = steps[i];
        if (text == "") {
            anyDepth = true;
            continue;
        }
        var last = i == steps.length - 1;
        if (last && text.charAt(0) == "@") {
            var name = text.substring(1);
            for (var a = 0; a < nodes.length; a++) {
                if (nodes[a].attributes[name] != undefined)
                    texts.push(nodes[a].attributes[name]);
            }
            return texts;
        }
        if (last && text == "text()") {
            for (var t = 0; t < nodes.length; t++)
                texts.push(kvLdText(nodes[t]));
            return texts;
        }
        nodes = kvLdApplyStep(nodes, kvLdParseStep(text), anyDepth);
        anyDepth = false;
    }
    for (var n = 0; n < nodes.length; n++)
        texts.push(kvLdText(nodes[n]));
    return texts;
};
