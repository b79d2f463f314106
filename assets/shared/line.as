// A straight line across the component's middle ("lineColor", "lineThickness" pixels):
// horizontal, or vertical for the upright symbol. kvLine keeps its [x0, y0, x1, y1].
#include "shared/component.as"

if (_global.kvDrawLine == undefined) {
    _global.kvDrawLine = function (vertical) {
        var w = this.kvW, h = this.kvH;
        var thickness = Math.max(kvNumber(this.lineThickness, 1), 0);
        var line = this.kvClip("kvStroke");
        this.kvLine = vertical ? [w / 2, 0, w / 2, h] : [0, h / 2, w, h / 2];
        if (thickness <= 0)
            return;
        line.lineStyle(thickness, this.lineColor == undefined ? 0x333333 : this.lineColor, 100);
        line.moveTo(this.kvLine[0], this.kvLine[1]);
        line.lineTo(this.kvLine[2], this.kvLine[3]);
    };
}
