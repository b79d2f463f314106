// What every component clip shares: the methods the published movie's first frame calls
// (saveDefaults, mc, modelInit), the redraw after a recalculation, sizing, drawing and text
// helpers and number formatting. Each component's initialisation includes this file, and only
// the first to run defines it, so a movie holding any set of components has it once.
//
// A component clip receives its parameters as members before its constructor runs (the
// placement's initialisation actions). Cell-bound parameters hold the cell's value under the
// parameter's own name; the movie's script copies model values into them (updateCalc) and
// reads them back (updateVars) when the user changes the component.

if (_global.KVComponent == undefined) {
    _global.KVComponent = function () {};
    KVComponent.prototype = new MovieClip();

    // A component class: its constructor takes the placement's size, its prototype the shared
    // methods. w and h are the component's natural size in pixels (its bounds in the catalogue).
    // The members of members (when given) go onto the prototype too, so that a component's
    // initialisation needs no variable of its own: a variable there would be a member of the
    // main timeline, where the player finds it before a placed clip of the same name in any
    // letter case (a variable "chart" hides a component named "Chart").
    _global.kvDefineComponent = function (symbol, w, h, draw, members) {
        var cls = function () { this.kvSetup(); };
        cls.prototype = new KVComponent();
        cls.prototype.kvNaturalW = w;
        cls.prototype.kvNaturalH = h;
        cls.prototype.kvDraw = draw;
        if (members != undefined) {
            for (var k in members)
                cls.prototype[k] = members[k];
        }
        Object.registerClass(symbol, cls);
        return cls.prototype;
    };

    var p = KVComponent.prototype;

    // Draws at the placed size: the placement scales the clip, and text drawn through a scale
    // would stretch, so the scale becomes the drawing size.
    p.kvSetup = function () {
        if (this.kvW != undefined)
            return;
        this.kvW = Math.round(this.kvNaturalW * this._xscale / 100);
        this.kvH = Math.round(this.kvNaturalH * this._yscale / 100);
        this._xscale = 100;
        this._yscale = 100;
        this.kvNextDepth = 1;
        this.kvFields = {};
    };

    // Keeps the parameters as they started, for a reset.
    p.saveDefaults = function () {
        var saved = {};
        for (var k in this) {
            var v = this[k];
            if (typeof v != "function" && typeof v != "movieclip" && k.substr(0, 2) != "kv")
                saved[k] = v;
        }
        this.kvDefaults = saved;
    };

    // The model changed what the component shows: draw again.
    p.mc = function () {
        this.kvSetup();
        this.kvDraw();
        var watch = this.kvWatch, seen = [];
        for (var i = 0; i < watch.length; i++)
            seen[i] = this[watch[i]];
        seen.push(this.displayStatus, this.displayKey);
        this.kvSeen = seen;
        this.kvShowByStatus();
    };

    // Another component may write a cell this one shows straight into its member, or mark it
    // dirty: draw again on the next frame. Only the members the class watches are compared,
    // and the two that decide whether it shows.
    p.kvWatch = ["mv", "title"];
    p.onEnterFrame = function () {
        if (this.kvIntroStart != undefined)
            this.kvIntro();
        if (this.kvSeen == undefined)
            return;
        var dirty = this.calcDirty == true;
        var watch = this.kvWatch, seen = this.kvSeen, n = watch.length;
        for (var i = 0; !dirty && i < n; i++)
            dirty = this[watch[i]] !== seen[i];
        if (dirty || this.displayStatus !== seen[n] || this.displayKey !== seen[n + 1]) {
            this.calcDirty = false;
            this.mc();
        }
    };

    // Dynamic visibility: the component shows only while its status cell ("displayStatus")
    // holds its key ("displayKey", typed or another cell's value); a status that is linked to
    // no cell holds 1, as its key does. A number and the text of that number match, as they do
    // in a formula's comparison. Coming into view plays the entry effect ("introStyle").
    p.kvShowByStatus = function () {
        var shown = this.displayKey == undefined || this.displayStatus == this.displayKey;
        if (shown === this.kvShown)
            return;
        this.kvShown = shown;
        this._visible = shown;
        this.kvIntroStart = undefined;
        var style = this.introStyle;
        if (shown && kvNumber(this.introTime, 0) > 0
            && (style == "Fade-in" || style == "Grow" || style == "Grow X first")) {
            this.kvIntroStart = getTimer();
            this.kvIntroAt = 0;
        }
        this.kvIntroShow(this.kvIntroStart == undefined ? 1 : 0);
    };

    p.kvIntro = function () {
        var f = (getTimer() - this.kvIntroStart) / (kvNumber(this.introTime, 0) * 1000);
        if (!(f < 1)) {
            f = 1;
            this.kvIntroStart = undefined;
        }
        this.kvIntroShow(f);
    };

    // The entry effect at fraction f of "introTime" (1 once it is over), kept in kvIntroAt.
    // "Fade-in" takes the opacity from 0 to 100; "Grow" the scale from 0 to 100 % about the
    // component's top-left corner, where it was placed; "Grow X first" stretches a line of one
    // pixel to the full width in the first half and opens it to the full height in the second.
    p.kvIntroShow = function (f) {
        this.kvIntroAt = f;
        var style = f < 1 ? this.introStyle : "None";
        var x = 1, y = 1;
        if (style == "Grow") {
            x = y = f;
        } else if (style == "Grow X first") {
            x = Math.min(f * 2, 1);
            y = Math.max(f * 2 - 1, 1 / Math.max(this.kvH, 1));
        }
        this._alpha = style == "Fade-in" ? Math.round(f * 100) : 100;
        this._xscale = Math.round(x * 1000) / 10;
        this._yscale = Math.round(y * 1000) / 10;
    };

    // After the whole first frame's script: the outputs redraw after every recalculation from
    // now on (the movie's script gave this clip its updateCalc just before).
    p.modelInit = function () {
        if (this.updateCalc != undefined && !this.kvCalcWrapped) {
            this.kvCalcWrapped = true;
            var calc = this.updateCalc;
            this.updateCalc = function () {
                calc();
                this.mc();
            };
        }
        this.mc();
    };

    // Alerts colour what a component shows by the band its value falls in. The value counts as
    // a percentage of its "target" (a number other than 0; item i of a list of targets), else of
    // the component's range (kvAlertRange where a chart sets it, else "minValue" 0 % and
    // "maxValue" 100 %). The ascending thresholds "alertPcts" divide the
    // percentages into bands; the colours ("customAlertColors", else "alertColors", and the
    // font colours "customAlertFontColors") run from the good end to the bad. "alertType"
    // "high" gives the lowest band the first colour, "low" the highest band, and "mid" the band
    // just under 100 %: percentages above 100 count back down from there (a range's middle is
    // 100 % then). The band's colour index stays in kvAlertBand: -1 for a value that is no
    // number (coloured "alertNoDataColor"), undefined while alerts are off.
    p.kvAlertIndex = function (v, item) {
        this.kvAlertBand = undefined;
        var colours = this.customAlertColors != undefined ? this.customAlertColors : this.alertColors;
        var pcts = this.alertPcts;
        if (this.alertsEnabled != true || colours == undefined || pcts == undefined)
            return undefined;
        var bands = Math.min(colours.length, pcts.length + 1);
        if (bands < 2)
            return undefined;
        var n = Number(v);
        if (v === "" || v == undefined || isNaN(n)) {
            this.kvAlertBand = -1;
            return -1;
        }
        var mid = this.alertType == "mid";
        var target = kvNumber(this.target instanceof Array ? this.target[item] : this.target, 0), pct;
        if (target != 0) {
            pct = n / target * 100;
        } else {
            var range = this.kvAlertRange;
            var lo = range != undefined ? range[0] : kvNumber(this.minValue, 0);
            var hi = range != undefined ? range[1] : kvNumber(this.maxValue, 100);
            pct = hi != lo ? (n - lo) / (hi - lo) * (mid ? 200 : 100) : 0;
        }
        if (mid && pct > 100)
            pct = 200 - pct;
        var band = 0;
        while (band < bands - 1 && !(pct < kvNumber(pcts[band], 0)))
            band++;
        this.kvAlertBand = this.alertType == "low" || mid ? bands - 1 - band : band;
        return this.kvAlertBand;
    };

    // The fill of the component's body (or of a chart's item): its band's colour while object
    // alerts are on.
    p.kvAlertFill = function (v, otherwise, item) {
        var band = this.kvAlertIndex(v, item);
        if (band == undefined || this.objectAlertsEnabled == false)
            return otherwise;
        if (band < 0)
            return this.alertNoDataColor == undefined ? otherwise : this.alertNoDataColor;
        var colours = this.customAlertColors != undefined ? this.customAlertColors : this.alertColors;
        return colours[band];
    };

    // The value's text format, in its band's font colour while value alerts are on.
    p.kvAlertText = function (v, format) {
        var band = this.kvAlertIndex(v);
        var colours = this.customAlertFontColors;
        if (band == undefined || band < 0 || this.valueAlertsEnabled != true || colours == undefined
            || colours[band] == undefined)
            return format;
        var coloured = {};
        for (var k in format)
            coloured[k] = format[k];
        coloured.color = colours[band];
        return coloured;
    };

    // A value the user set: into the model, which recalculates on the next frame.
    // The click of a component whose "soundEnabled" is on (a bool, or the choice "on"): the
    // sound the base movie exports. kvSounds counts the clicks started.
    p.kvClick = function () {
        if (this.soundEnabled != true && String(this.soundEnabled).toLowerCase() != "on")
            return;
        var click = new Sound(this);
        click.attachSound("kvClick");
        click.start();
        this.kvSound = click;
        this.kvSounds = kvNumber(this.kvSounds, 0) + 1;
    };

    p.kvCommit = function () {
        if (this.updateVars != undefined)
            this.updateVars();
    };

    p.kvClip = function (name) {
        var clip = this[name];
        if (clip == undefined) {
            this.createEmptyMovieClip(name, this.kvNextDepth++);
            clip = this[name];
        }
        clip.clear();
        return clip;
    };

    // The height a one-line text field in the format needs to show whole letters: the line as
    // the player lays it out (ascent, descenders and leading; measured once per font, size and
    // style) and the player's 2-pixel gutters above and below it.
    _global.kvLineHeights = {};
    p.kvLineHeight = function (format) {
        var t = kvTextFormat(format);
        var key = t.font + "|" + t.size + "|" + t.bold + "|" + t.italic;
        if (kvLineHeights[key] != undefined)
            return kvLineHeights[key];
        // A hidden field of a pixel (the player counts hidden parts in a clip's bounds); a line
        // that does not wrap is laid out whatever the field's size.
        if (this.kvLineProbe == undefined) {
            this.createTextField("kvLineProbe", this.kvNextDepth++, 0, 0, 1, 1);
            this.kvLineProbe._visible = false;
        }
        var probe = this.kvLineProbe;
        probe.text = "Xgjpqy";
        probe.setTextFormat(t);
        var line = probe.textHeight;
        // A player that does not measure: the usual line of a sans-serif font.
        if (!(line > 0))
            line = t.size * 1.3;
        kvLineHeights[key] = Math.ceil(line) + 4;
        return kvLineHeights[key];
    };

    // The height of a title row: room for lines lines (1 unless given) of the text in the
    // format, and never less than least, the row the layout keeps without a text.
    p.kvTitleHeight = function (text, format, least, lines) {
        if (text == undefined || String(text) == "")
            return least;
        var n = lines == undefined ? 1 : lines;
        return Math.max(least, n * (this.kvLineHeight(format) - 4) + 4);
    };

    // A text field made once and refilled on every redraw (createTextField returns nothing in
    // SWF 6, so the field is found by its name). A field given less height than one line of its
    // text grows downwards to that line, so no letter loses its descender.
    p.kvText = function (name, x, y, w, h, text, format, align) {
        if (text != undefined && String(text) != "")
            h = Math.max(h, this.kvLineHeight(format));
        var field = this[name];
        if (field == undefined) {
            this.createTextField(name, this.kvNextDepth++, x, y, w, h);
            field = this[name];
            field.selectable = false;
        } else {
            field._x = x;
            field._y = y;
            field._width = w;
            field._height = h;
        }
        field.text = text == undefined ? "" : String(text);
        field.setTextFormat(kvTextFormat(format, align));
        this.kvFields[name] = field.text;
        return field;
    };

    // Empties the text fields prefix + from, prefix + (from + 1) and on that an earlier redraw
    // made and this one no longer fills.
    p.kvClearTexts = function (prefix, from) {
        for (var u = from; this[prefix + u] != undefined; u++)
            this[prefix + u].text = "";
    };

    // A text format from a text-format parameter (font, size, bold, italic, underline, color).
    _global.kvTextFormat = function (f, align) {
        var t = new TextFormat();
        t.font = f != undefined && f.font != undefined ? f.font : "Verdana";
        t.size = f != undefined && f.size != undefined ? f.size : 11;
        t.bold = f != undefined && f.bold == true;
        t.italic = f != undefined && f.italic == true;
        t.underline = f != undefined && f.underline == true;
        t.color = f != undefined && f.color != undefined ? f.color : 0x333333;
        t.align = align == undefined ? "left" : align;
        return t;
    };

    _global.kvRect = function (clip, x, y, w, h, fill, line) {
        if (line == undefined)
            clip.lineStyle();
        else
            clip.lineStyle(0, line, 100);
        if (fill != undefined)
            clip.beginFill(fill, 100);
        clip.moveTo(x, y);
        clip.lineTo(x + w, y);
        clip.lineTo(x + w, y + h);
        clip.lineTo(x, y + h);
        clip.lineTo(x, y);
        if (fill != undefined)
            clip.endFill();
    };

    // A circle of eight curves, inside the clip's current fill and line.
    _global.kvCircle = function (clip, cx, cy, r) {
        var k = r / Math.cos(Math.PI / 8);
        clip.moveTo(cx + r, cy);
        for (var i = 1; i <= 8; i++) {
            var ac = (i - 0.5) * Math.PI / 4, ae = i * Math.PI / 4;
            clip.curveTo(cx + k * Math.cos(ac), cy + k * Math.sin(ac), cx + r * Math.cos(ae), cy + r * Math.sin(ae));
        }
    };

    // The point at angle a (degrees clockwise from up) and radius r around cx, cy.
    _global.kvPolar = function (cx, cy, r, a) {
        var rad = a * Math.PI / 180;
        return [cx + r * Math.sin(rad), cy - r * Math.cos(rad)];
    };

    // A number as text through a spreadsheet number format: "0", "0.00", "#,##0.0" and so on,
    // with any text before or after the digits kept ("$#,##0", "0.0%"; "%" multiplies by 100);
    // quoted text, "\\x" and "_x" (a space) are literal, "[...]" (colours, locales) shows
    // nothing, a second section shows negative values without their sign, and codes of days
    // and hours ("m/d/yy", "h:mm AM/PM") show the number as a spreadsheet date. A text stays
    // as it is.
    _global.kvShowNumber = function (v, format) {
        if (typeof v != "number")
            return v == undefined ? "" : String(v);
        if (isNaN(v))
            return "";
        // A number-format group holds its code as "numFormat"; documents saved before the
        // format was a group hold the code itself.
        if (format != undefined && typeof format == "object" && !(format instanceof Array))
            format = format.numFormat;
        if (format == undefined || format == "")
            format = "#,##0.##";
        var sections = [], cur = "", quoted = false, i, c;
        for (i = 0; i < format.length; i++) {
            c = format.charAt(i);
            if (c == "\"")
                quoted = !quoted;
            if (c == ";" && !quoted) {
                sections.push(cur);
                cur = "";
            } else
                cur += c;
        }
        sections.push(cur);
        var section = sections[0], negative = v < 0;
        if (negative && sections.length > 1 && /* a section of digits only */
            (sections[1].indexOf("0") >= 0 || sections[1].indexOf("#") >= 0)) {
            section = sections[1];
            v = -v;
            negative = false;
        }
        // The section as parts: {t: text} literal, {c: char} a code character.
        var parts = [], date = false, digits = false;
        for (i = 0; i < section.length; i++) {
            c = section.charAt(i);
            if (c == "\"") {
                var close = section.indexOf("\"", i + 1);
                if (close < 0)
                    close = section.length;
                parts.push({t: section.substring(i + 1, close)});
                i = close;
            } else if (c == "\\" || c == "_" || c == "*") {
                if (c == "\\")
                    parts.push({t: section.charAt(i + 1)});
                else if (c == "_")
                    parts.push({t: " "});
                i++;
            } else if (c == "[") {
                var end = section.indexOf("]", i);
                i = end < 0 ? section.length : end;
            } else {
                var u = c.toLowerCase();
                if (u == "y" || u == "m" || u == "d" || u == "h" || u == "s")
                    date = true;
                if (c == "0" || c == "#")
                    digits = true;
                parts.push({c: c});
            }
        }
        if (date)
            return kvShowDate(v, parts);
        if (!digits) {
            var plain = "";
            for (i = 0; i < parts.length; i++)
                plain += parts[i].t != undefined ? parts[i].t : (parts[i].c == "@" ? String(v) : parts[i].c);
            return plain;
        }
        var first = -1, last = -1;
        for (i = 0; i < parts.length; i++) {
            c = parts[i].c;
            if (c == "0" || c == "#" || c == "," || c == ".") {
                if (first < 0)
                    first = i;
                last = i;
            }
        }
        var prefix = "", suffix = "", body = "";
        for (i = 0; i < parts.length; i++) {
            var text = parts[i].t != undefined ? parts[i].t : parts[i].c;
            if (i < first)
                prefix += text;
            else if (i > last)
                suffix += text;
            else
                body += parts[i].c != undefined ? parts[i].c : "";
        }
        if (suffix.indexOf("%") >= 0)
            v = v * 100;
        var dot = body.indexOf(".");
        var fixed = 0, optional = 0;
        if (dot >= 0) {
            for (var j = dot + 1; j < body.length; j++) {
                if (body.charAt(j) == "0")
                    fixed++;
                else if (body.charAt(j) == "#")
                    optional++;
            }
        }
        var places = fixed + optional;
        var scale = Math.pow(10, places);
        var n = Math.round(Math.abs(v) * scale);
        var whole = Math.floor(n / scale);
        var fraction = String(n - whole * scale);
        while (fraction.length < places)
            fraction = "0" + fraction;
        while (fraction.length > fixed && fraction.charAt(fraction.length - 1) == "0")
            fraction = fraction.substr(0, fraction.length - 1);
        var shown = String(whole);
        if (body.indexOf(",") >= 0) {
            var grouped = "";
            while (shown.length > 3) {
                grouped = "," + shown.substr(shown.length - 3) + grouped;
                shown = shown.substr(0, shown.length - 3);
            }
            shown = shown + grouped;
        }
        var number = fraction.length > 0 ? shown + "." + fraction : shown;
        return (negative && n > 0 ? "-" : "") + prefix + number + suffix;
    };

    // A spreadsheet date (days since 30 December 1899, the time of day as the fraction) through
    // the parts of a date code: y, m, d, h, s runs, "m" after an hour or before seconds being
    // minutes, AM/PM making the hours 12-hour ones.
    _global.kvShowDate = function (v, parts) {
        var when = new Date(Date.UTC(1899, 11, 30) + Math.round(v * 86400) * 1000);
        var months = ["January", "February", "March", "April", "May", "June", "July", "August", "September",
                      "October", "November", "December"];
        var days = ["Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"];
        var runs = [], i, k;
        for (i = 0; i < parts.length; i++) {
            var c = parts[i].c;
            if (c == undefined) {
                runs.push({t: parts[i].t});
                continue;
            }
            var rest = "";
            for (k = i; k < parts.length && parts[k].c != undefined; k++)
                rest += parts[k].c;
            if (rest.substr(0, 5).toUpperCase() == "AM/PM") {
                runs.push({k: "ampm"});
                i += 4;
                continue;
            }
            var u = c.toLowerCase();
            if (u == "y" || u == "m" || u == "d" || u == "h" || u == "s") {
                var len = 1;
                while (i + len < parts.length && parts[i + len].c != undefined && parts[i + len].c.toLowerCase() == u)
                    len++;
                runs.push({k: u, n: len});
                i += len - 1;
            } else
                runs.push({t: c});
        }
        var twelve = false;
        for (i = 0; i < runs.length; i++)
            if (runs[i].k == "ampm")
                twelve = true;
        var out = "", hours = when.getUTCHours();
        for (i = 0; i < runs.length; i++) {
            var r = runs[i];
            if (r.t != undefined) {
                out += r.t;
                continue;
            }
            var minutes = false;
            if (r.k == "m" && r.n <= 2) {
                for (k = i - 1; k >= 0 && runs[k].k == undefined; k--)
                    ;
                minutes = k >= 0 && runs[k].k == "h";
                for (k = i + 1; !minutes && k < runs.length && runs[k].k == undefined; k++)
                    ;
                minutes = minutes || (k < runs.length && runs[k].k == "s");
            }
            var value, text;
            if (r.k == "y")
                text = r.n <= 2 ? kvTwoDigits(when.getUTCFullYear() % 100) : String(when.getUTCFullYear());
            else if (r.k == "m" && !minutes)
                text = r.n >= 4 ? months[when.getUTCMonth()] : (r.n == 3 ? months[when.getUTCMonth()].substr(0, 3)
                    : (r.n == 2 ? kvTwoDigits(when.getUTCMonth() + 1) : String(when.getUTCMonth() + 1)));
            else if (r.k == "d")
                text = r.n >= 4 ? days[when.getUTCDay()] : (r.n == 3 ? days[when.getUTCDay()].substr(0, 3)
                    : (r.n == 2 ? kvTwoDigits(when.getUTCDate()) : String(when.getUTCDate())));
            else if (r.k == "ampm")
                text = hours < 12 ? "AM" : "PM";
            else {
                value = r.k == "h" ? (twelve ? (hours % 12 == 0 ? 12 : hours % 12) : hours)
                    : (r.k == "s" ? when.getUTCSeconds() : when.getUTCMinutes());
                text = r.n >= 2 ? kvTwoDigits(value) : String(value);
            }
            out += text;
        }
        return out;
    };

    _global.kvTwoDigits = function (n) {
        return n < 10 ? "0" + n : String(n);
    };

    // "Initial Limits Calculation": "auto" takes the limits once from the first number shown,
    // from 0 to the round number at or above twice it (mirrored below 0); "alertBased" runs them
    // from 0 to the alerts' target, or to its highest threshold where that lies beyond 100 %.
    // "manual", or no number yet, keeps "minValue" and "maxValue" as typed.
    p.kvInitialLimits = function () {
        if (this.kvLimitsFound == true)
            return;
        var how = this.initialMinMax instanceof Array ? this.initialMinMax[0] : this.initialMinMax;
        var v = Number(this.mv instanceof Array ? this.mv[0] : this.mv);
        if (how == "auto") {
            if (this.mv === "" || this.mv == undefined || isNaN(v))
                return;
            var top = kvRoundUp(Math.abs(v) * 2);
            this.minValue = v < 0 ? -top : 0;
            this.maxValue = v < 0 ? 0 : top;
        } else if (how == "alertBased") {
            var target = kvNumber(this.target instanceof Array ? this.target[0] : this.target, 0);
            if (target == 0 || this.alertsEnabled != true)
                return;
            var pcts = this.alertPcts == undefined ? [] : this.alertPcts, highest = 100;
            for (var i = 0; i < pcts.length; i++)
                highest = Math.max(highest, kvNumber(pcts[i], 0));
            this.minValue = 0;
            this.maxValue = target * highest / 100;
        }
        this.kvLimitsFound = true;
    };

    // The first of 1, 2 and 5 times a power of ten at or above x (100 for nothing).
    _global.kvRoundUp = function (x) {
        if (!(x > 0))
            return 100;
        var unit = Math.pow(10, Math.floor(Math.log(x) / Math.LN10));
        var steps = [1, 2, 5, 10];
        for (var i = 0; i < steps.length; i++)
            if (steps[i] * unit >= x * (1 - 1e-12))
                return steps[i] * unit;
        return 10 * unit;
    };

    // Whether the component is drawn upright: its "orientation" choice where it has one, else
    // the way its symbol stands.
    p.kvUpright = function (symbolUpright) {
        var o = this.orientation instanceof Array ? this.orientation[0] : this.orientation;
        return o == undefined || o === "" ? symbolUpright : String(o).toLowerCase() == "vertical";
    };

    // The alert bands along a scale ("alertDisplayEnabled"): from x0,y0 to x1,y1 in the band
    // colours, each band as long as its share of the range, as a strip of the given thickness.
    // Only for alerts against the range itself (no target), where the bands have fixed places.
    p.kvAlertStrip = function (clip, x0, y0, x1, y1, thickness) {
        var colours = this.customAlertColors != undefined ? this.customAlertColors : this.alertColors;
        var pcts = this.alertPcts;
        if (this.alertDisplayEnabled != true || this.alertsEnabled != true || colours == undefined || pcts == undefined
            || kvNumber(this.target instanceof Array ? this.target[0] : this.target, 0) != 0)
            return;
        var bands = Math.min(colours.length, pcts.length + 1);
        var mid = this.alertType == "mid";
        var from = 0;
        for (var b = 0; b < bands; b++) {
            var to = b < bands - 1 ? Math.min(Math.max(kvNumber(pcts[b], 0), 0), 100) / 100 : 1;
            var ends = mid ? [[from / 2, to / 2], [1 - to / 2, 1 - from / 2]] : [[from, to]];
            var index = this.alertType == "low" || mid ? bands - 1 - b : b;
            for (var e = 0; e < ends.length; e++) {
                var a = ends[e][0], z = ends[e][1];
                if (z <= a)
                    continue;
                var ax = x0 + (x1 - x0) * a, ay = y0 + (y1 - y0) * a, zx = x0 + (x1 - x0) * z, zy = y0 + (y1 - y0) * z;
                kvRect(clip, Math.min(ax, zx), Math.min(ay, zy), Math.max(Math.abs(zx - ax), thickness),
                       Math.max(Math.abs(zy - ay), thickness), colours[index], undefined);
            }
            from = to;
        }
    };

    // Where v stands between the clip's "minValue" and "maxValue", from 0 to 1; a value that is
    // no number stands at the minimum.
    _global.kvRangeFraction = function (clip, v) {
        var lo = kvNumber(clip.minValue, 0), hi = kvNumber(clip.maxValue, 100);
        var f = hi != lo ? (kvNumber(v, lo) - lo) / (hi - lo) : 0;
        return Math.min(Math.max(f, 0), 1);
    };

    // A value the user set by the mouse: on the clip's "incSize" steps from lo while
    // "snapEnabled", rid of the binary noise steps like 0.1 add, and kept between lo and hi.
    _global.kvSnapValue = function (clip, v, lo, hi) {
        var step = kvNumber(clip.incSize, 0);
        if (clip.snapEnabled != false && step > 0)
            v = lo + Math.round((v - lo) / step) * step;
        v = Math.round(v * 1e9) / 1e9;
        return Math.min(Math.max(v, Math.min(lo, hi)), Math.max(lo, hi));
    };

    // A cell value as a number; text that is no number gives the fallback.
    _global.kvNumber = function (v, fallback) {
        var n = Number(v);
        return isNaN(n) ? fallback : n;
    };

    // A list parameter as a flat array: a row or a column of cells alike (or a plain list, as
    // documents of earlier versions hold a selector's source data).
    _global.kvFlatList = function (v) {
        var out = [];
        if (v == undefined)
            return out;
        if (!(v instanceof Array))
            return [v];
        for (var i = 0; i < v.length; i++) {
            if (v[i] instanceof Array) {
                for (var j = 0; j < v[i].length; j++)
                    out.push(v[i][j]);
            } else {
                out.push(v[i]);
            }
        }
        return out;
    };

    // p served only to write the prototype; on the main timeline it would hide a placed clip
    // named "P".
    delete p;
}
