// The XML data form that the data connections exchange (the web-service loader and the XML
// data component): <data> holding <variable name="..."> elements of <row>s of <column>s, each
// column the text of one cell, rows in reading order.

if (_global.kvXmlDataRead == undefined) {
    // The text of an element: its text and CDATA children joined.
    _global.kvXmlText = function (node) {
        var text = "";
        for (var child = node.firstChild; child != null; child = child.nextSibling) {
            if (child.nodeType == 3)
                text += child.nodeValue;
        }
        return text;
    };

    // The texts of the <column> elements of every <row> of a <variable>, in reading order.
    _global.kvXmlDataTexts = function (variable) {
        var texts = [];
        for (var row = variable.firstChild; row != null; row = row.nextSibling) {
            if (row.nodeName != "row")
                continue;
            for (var column = row.firstChild; column != null; column = column.nextSibling) {
                if (column.nodeName == "column")
                    texts.push(kvXmlText(column));
            }
        }
        return texts;
    };

    // The variables of a parsed document by name (each the texts of its cells in reading
    // order), or undefined when it holds no <data> element.
    _global.kvXmlDataRead = function (doc) {
        var data = doc.firstChild;
        while (data != null && data.nodeName != "data")
            data = data.nextSibling;
        if (data == null)
            return undefined;
        var found = {};
        for (var variable = data.firstChild; variable != null; variable = variable.nextSibling) {
            if (variable.nodeName == "variable")
                found["v_" + variable.attributes.name] = kvXmlDataTexts(variable);
        }
        return found;
    };

// True when the text is a plain decimal number (sign, digits, point, exponent). Number() would
    // read "010" as octal and "0x1F" as hexadecimal, which no data source means.
    _global.kvXmlIsDecimal = function (text) {
        var n = text.length;
        var i = 0;
        var c = text.charAt(i);
        if (c == "+" || c == "-")
            i++;
        var digits = 0;
        while (i < n && text.charAt(i) >= "0" && text.charAt(i) <= "9") {
            i++;
            digits++;
        }
        if (i < n && text.charAt(i) == ".") {
            i++;
            while (i < n && text.charAt(i) >= "0" && text.charAt(i) <= "9") {
                i++;
                digits++;
            }
        }
        if (digits == 0)
            return false;
        if (i < n && (text.charAt(i) == "e" || text.charAt(i) == "E")) {
            i++;
            c = text.charAt(i);
            if (c == "+" || c == "-")
                i++;
            var exponent = 0;
            while (i < n && text.charAt(i) >= "0" && text.charAt(i) <= "9") {
                i++;
                exponent++;
            }
            if (exponent == 0)
                return false;
        }
        return i == n;
    };

    // A delivered text as the cell value it stands for: a number when it is one, an empty cell
    // (undefined) for no text, else the text.
    _global.kvXmlValue = function (text) {
        if (text == undefined || text == "")
            return undefined;
        if (kvXmlIsDecimal(text))
            return parseFloat(text);
        return text;
    };

    _global.kvXmlEscape = function (text) {
        var out = "";
        for (var i = 0; i < text.length; i++) {
            var c = text.charAt(i);
            if (c == "&")
                out += "&amp;";
            else if (c == "<")
                out += "&lt;";
            else if (c == ">")
                out += "&gt;";
            else if (c == "\"")
                out += "&quot;";
            else
                out += c;
        }
        return out;
    };

    // The document for named values: names[i] with ranges[i], a list of rows of cell values, a
    // plain list (one row) or one value (an empty cell an empty column).
    _global.kvXmlDataWrite = function (names, ranges) {
        var text = "<data>\r\n";
        for (var i = 0; i < names.length; i++) {
            text += " <variable name=\"" + kvXmlEscape(String(names[i])) + "\">\r\n";
            var block = ranges[i];
            if (!(block instanceof Array))
                block = [[block]];
            else if (block.length > 0 && !(block[0] instanceof Array))
                block = [block];
            for (var r = 0; r < block.length; r++) {
                text += "  <row>\r\n";
                var row = block[r] instanceof Array ? block[r] : [block[r]];
                for (var c = 0; c < row.length; c++)
                    text += "   <column>" + (row[c] == undefined ? "" : kvXmlEscape(String(row[c]))) + "</column>\r\n";
                text += "  </row>\r\n";
            }
            text += " </variable>\r\n";
        }
        return text + "</data>";
    };
}
