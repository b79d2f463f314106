// Menu: a header with the "title" (or the chosen label when there is none); a click on it, or
// the mouse over it with "openMenu" "mouse over", drops its "labels" down (up with the open
// direction "up"), one a row, or side by side with "menuOrientation" "horizontal". A click on
// an item chooses it and inserts it into the cells (shared/selector.as) and closes the menu;
// "menuExpanded" keeps the items open, and with "updateOn" "mouse over" the item under the mouse
// is chosen without a click. "animation" lets a menu opening downwards unfold its items one a
// frame. With "useLabelArt" the items stand on plates (shared/selector.as). The items' rectangles
// stay in kvItems.
#include "shared/selector.as"

var menu = kvDefineComponent("KVMenuSymbol", 150, 24, function () {
    kvSelectorFollow(this);
    var w = this.kvW, h = this.kvH;
    var labels = this.labels == undefined ? [] : this.labels;
    var index = kvNumber(this.selectIdx, 0);
    var across = String(this.menuOrientation).toLowerCase() == "horizontal";
    var open = this.menuExpanded == true || this.kvOpen == true;
    var direction = String(across ? this.openHMenu : this.openVMenu).toLowerCase();
    var up = direction.indexOf("up") >= 0;
    var owner = this;
    var head = this.kvClip("kvHead");
    kvRect(head, 0, 0, w - 1, h - 1, this.defaultFillColor == undefined ? 0xF4F4F4 : this.defaultFillColor, this.borderColor);
    // Without a title shown the header shows the chosen label.
    var title = kvSelectorTitleText(this);
    if (title === "")
        this.kvText("kvTitle", 4, Math.round((h - 18) / 2), w - 8, 18, kvSelectorLabel(this, labels[index]), this.titleTextFormat, "left");
    else
        kvSelectorTitleAt(this, "kvTitle", 4, Math.round((h - 18) / 2), w - 8, 18, title, this.titleTextFormat, "left");
    head.onRelease = function () {
        if (owner.menuExpanded == true)
            return;
        owner.kvToggle(owner.kvOpen != true);
    };
    head.onRollOver = function () {
        if (String(owner.openMenu).toLowerCase() == "mouse over" && owner.kvOpen != true)
            owner.kvToggle(true);
    };

    var list = this.kvClip("kvList");
    var rowH = 18, n = labels.length;
    this.kvItems = [];
    for (var i = 0; i < n || this["kvItem" + i] != undefined; i++) {
        var shown = open && i < n && (this.kvReveal == undefined || i < this.kvReveal);
        var x = across ? i * w / Math.max(n, 1) : 0, cw = across ? w / Math.max(n, 1) : w;
        var y = across ? (up ? -rowH : h) : (up ? -(n - i) * rowH : h + i * rowH);
        if (shown) {
            if (this.useLabelArt == true) {
                kvRect(list, x, y, cw - 1, rowH, 0xFFFFFF, undefined);
                kvLabelFill(list, this, x, y, cw - 1, rowH, i == index);
            } else {
                var fill = i == index ? this.selectedFillColor : this.fillColor;
                kvRect(list, x, y, cw - 1, rowH, fill == undefined ? 0xFFFFFF : fill, this.borderColor);
            }
            this.kvItems.push([x, y, cw, rowH]);
        }
        var item = this.kvText("kvItem" + i, x + 3, y, cw - 6, rowH, shown ? kvSelectorLabel(this, labels[i]) : "",
                               i == index ? kvSelectorChosenFormat(this, this.labelTextFormat) : this.labelTextFormat, "left");
        item._visible = shown;
    }
    list.onRelease = function () {
        var items = owner.kvItems;
        for (var k = 0; k < items.length; k++) {
            var r = items[k];
            if (owner._xmouse >= r[0] && owner._xmouse < r[0] + r[2] && owner._ymouse >= r[1] && owner._ymouse < r[1] + r[3]) {
                owner.kvOpen = false;
                kvSelectorInsert(owner, k);
                return;
            }
        }
    };
    list.onRollOver = function () {
        if (String(owner.updateOn).toLowerCase() == "mouse over")
            owner.onMouseMove = owner.kvTrack;
    };
    list.onRollOut = list.onDragOut = function () {
        delete owner.onMouseMove;
        if (String(owner.openMenu).toLowerCase() == "mouse over")
            owner.kvToggle(false);
    };
});

// The item under the mouse of a menu that updates on mouse over: chosen as it is reached.
menu.kvTrack = function () {
    var items = this.kvItems;
    for (var k = 0; k < items.length; k++) {
        var r = items[k];
        if (this._xmouse >= r[0] && this._xmouse < r[0] + r[2] && this._ymouse >= r[1] && this._ymouse < r[1] + r[3]) {
            if (k != kvNumber(this.selectIdx, 0))
                kvSelectorInsert(this, k);
            return;
        }
    }
};
menu.kvWatch = ["selectIdx", "title"];

// Opens or closes the items; an open menu moves above the clips placed after it, so its items
// hang over them.
menu.kvToggle = function (open) {
    this.kvOpen = open;
    if (open)
        this.swapDepths(_global.kvTopDepth = _global.kvTopDepth == undefined ? 20000 : _global.kvTopDepth + 1);
    var across = String(this.menuOrientation).toLowerCase() == "horizontal";
    var down = String(across ? this.openHMenu : this.openVMenu).toLowerCase().indexOf("up") < 0;
    kvUnfold(this, open && down && (this.animation == true || this.animation == "on"));
};
// The class keeps what it needs: the variable would hide a placed clip of the same name.
delete menu;
