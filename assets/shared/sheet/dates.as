// Date serial numbers of the 1900 date system, date arguments and dates read from text.

// Days from 1970-01-01 to a proleptic Gregorian date; the month may lie outside 1..12.
_global.kvDays = function (y, m, d) {
    y += Math.floor((m - 1) / 12);
    m = m - 1 - 12 * Math.floor((m - 1) / 12) + 1;
    if (m <= 2) {
        y -= 1;
    }
    var era = Math.floor(y / 400);
    var yoe = y - era * 400;
    var mp = (m + 9) % 12;
    var doy = Math.floor((153 * mp + 2) / 5) + d - 1;
    var doe = yoe * 365 + Math.floor(yoe / 4) - Math.floor(yoe / 100) + doy;
    return era * 146097 + doe - 719468;
};

// The serial number of a date: day 1 is 1 January 1900, and 29 February 1900 (serial 60)
// exists, as in the spreadsheet's 1900 date system. The day may lie outside the month.
_global.kvSerial = function (y, m, d) {
    var s = kvDays(y, m, 1) + 25569;
    if (s <= 60) {
        s -= 1;
    }
    return s + d - 1;
};

// [year, month, day] of a serial number; serial 0 is 0 January 1900, serial 60 29 February 1900.
_global.kvYMD = function (serial) {
    var s = Math.floor(serial);
    if (s == 60) {
        return [1900, 2, 29];
    }
    if (s == 0) {
        return [1900, 1, 0];
    }
    var z = s - 25569 + (s < 60 ? 1 : 0) + 719468;
    var era = Math.floor(z / 146097);
    var doe = z - era * 146097;
    var yoe = Math.floor((doe - Math.floor(doe / 1460) + Math.floor(doe / 36524) - Math.floor(doe / 146096)) / 365);
    var y = yoe + era * 400;
    var doy = doe - (365 * yoe + Math.floor(yoe / 4) - Math.floor(yoe / 100));
    var mp = Math.floor((5 * doy + 2) / 153);
    var d = doy - Math.floor((153 * mp + 2) / 5) + 1;
    var m = mp < 10 ? mp + 3 : mp - 9;
    if (m <= 2) {
        y++;
    }
    return [y, m, d];
};

_global.kvIsLeap = function (y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
};

_global.kvMonthDays = function (y, m) {
    if (m == 2) {
        return kvIsLeap(y) || y == 1900 ? 29 : 28;
    }
    return (m == 4 || m == 6 || m == 9 || m == 11) ? 30 : 31;
};

// A date argument: a non-negative serial number, or the error (#NUM! below 0, #VALUE! text that
// reads as no date).
_global.kvDateArg = function (v) {
    var x = kvN(v);
    if (typeof x != "number") {
        return x;
    }
    if (x < 0 || x >= 2958466) {
        return kvError("#NUM!");
    }
    return x;
};

// Day of the week, 0 Sunday .. 6 Saturday; serial 1 (1 January 1900) counts as a Sunday.
_global.kvWeekday0 = function (serial) {
    var s = Math.floor(serial);
    return ((s - 1) % 7 + 7) % 7;
};

_global.kvMonthNames = ["January", "February", "March", "April", "May", "June", "July", "August",
    "September", "October", "November", "December"];
_global.kvDayNames = ["Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"];
_global.kvMonthOf = function (word) {
    var u = word.toUpperCase();
    if (u.length < 3) {
        return 0;
    }
    for (var i = 0; i < 12; i++) {
        if (kvMonthNames[i].toUpperCase().substr(0, u.length) == u) {
            return i + 1;
        }
    }
    return 0;
};

// The serial number that a text of a date and/or a time stands for, NaN when it stands for
// none. Dates: 2024-01-15, 1/15/2024, 15-Jan-2024, Jan 15, 2024, 15 January 2024; times:
// 13:30, 1:30 PM, 13:30:15.
_global.kvDateText = function (s) {
    var parts = new Array();
    var kinds = new Array();
    var seps = new Array();
    var i = 0;
    var n = s.length;
    while (i < n) {
        var ch = s.charAt(i);
        if (kvIsDigit(ch)) {
            var start = i;
            while (i < n && (kvIsDigit(s.charAt(i)) || (s.charAt(i) == "." && kinds.length > 0 && seps[seps.length - 1] == ":"))) {
                i++;
            }
            parts.push(s.substring(start, i));
            kinds.push(0);
        } else if (ch.toUpperCase() != ch.toLowerCase()) {
            var from = i;
            while (i < n && s.charAt(i).toUpperCase() != s.charAt(i).toLowerCase()) {
                i++;
            }
            parts.push(s.substring(from, i).toUpperCase());
            kinds.push(1);
        } else {
            if (ch != " " && ch != ",") {
                seps[parts.length] = ch;
            }
            i++;
            continue;
        }
        if (seps[parts.length - 1] == undefined) {
            seps[parts.length - 1] = "";
        }
    }
    // Split off a time: numbers joined by ':' and an AM/PM word.
    var day = 0;
    var time = 0;
    var k = 0;
    var dateParts = new Array();
    var dateKinds = new Array();
    var hasTime = false;
    var hasDate = false;
    while (k < parts.length) {
        if (kinds[k] == 0 && k + 1 < parts.length && seps[k + 1] == ":" && kinds[k + 1] == 0) {
            var h = parseFloat(parts[k]);
            var mi = parseFloat(parts[k + 1]);
            var sec = 0;
            k += 2;
            if (k < parts.length && seps[k] == ":" && kinds[k] == 0) {
                sec = parseFloat(parts[k]);
                k++;
            }
            if (k < parts.length && kinds[k] == 1 && (parts[k] == "AM" || parts[k] == "PM")) {
                if (h > 12 || h == 0) {
                    return NaN;
                }
                h = h % 12 + (parts[k] == "PM" ? 12 : 0);
                k++;
            }
            if (mi >= 60 || sec >= 60) {
                return NaN;
            }
            time = (h * 3600 + mi * 60 + sec) / 86400;
            hasTime = true;
        } else if (kinds[k] == 0 && k + 1 < parts.length && kinds[k + 1] == 1 && (parts[k + 1] == "AM" || parts[k + 1] == "PM")) {
            var hh = parseFloat(parts[k]);
            if (hh > 12 || hh == 0) {
                return NaN;
            }
            time = (hh % 12 + (parts[k + 1] == "PM" ? 12 : 0)) / 24;
            hasTime = true;
            k += 2;
        } else {
            dateParts.push(parts[k]);
            dateKinds.push(kinds[k]);
            k++;
        }
    }
    if (dateParts.length > 0) {
        var y = -1;
        var m = 0;
        var d = 0;
        var nums = new Array();
        for (var j = 0; j < dateParts.length; j++) {
            if (dateKinds[j] == 1) {
                if (m != 0) {
                    return NaN;
                }
                m = kvMonthOf(dateParts[j]);
                if (m == 0) {
                    return NaN;
                }
            } else {
                nums.push(dateParts[j]);
            }
        }
        if (m != 0) {
            if (nums.length == 2) {
                // 15 Jan 2024 or Jan 15 2024
                d = parseFloat(nums[0]);
                y = parseFloat(nums[1]);
                if (nums[0].length > 2) {
                    y = parseFloat(nums[0]);
                    d = parseFloat(nums[1]);
                }
            } else if (nums.length == 1) {
                // Jan 2024 is its first day; 15 Jan is this year's
                var only = parseFloat(nums[0]);
                if (nums[0].length > 2 || only > 31) {
                    y = only;
                    d = 1;
                } else {
                    d = only;
                    y = new Date().getFullYear();
                }
            } else {
                return NaN;
            }
        } else if (nums.length == 3) {
            if (nums[0].length > 2) {
                y = parseFloat(nums[0]);
                m = parseFloat(nums[1]);
                d = parseFloat(nums[2]);
            } else {
                m = parseFloat(nums[0]);
                d = parseFloat(nums[1]);
                y = parseFloat(nums[2]);
            }
        } else if (nums.length == 2) {
            if (nums[0].length > 2) {
                y = parseFloat(nums[0]);
                m = parseFloat(nums[1]);
                d = 1;
            } else {
                m = parseFloat(nums[0]);
                d = parseFloat(nums[1]);
                y = new Date().getFullYear();
            }
        } else {
            return NaN;
        }
        if (y < 100) {
            y += y < 30 ? 2000 : 1900;
        }
        if (m < 1 || m > 12 || d < 1 || d > kvMonthDays(y, m) || y > 9999 || y < 1900) {
            return NaN;
        }
        day = kvSerial(y, m, d);
        hasDate = true;
    }
    if (!hasDate && !hasTime) {
        return NaN;
    }
    return day + time;
};
