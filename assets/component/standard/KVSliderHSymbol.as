// Horizontal slider (shared/slider.as).
#include "shared/slider.as"

kvDefineSlider("KVSliderHSymbol", 200, 50, false);
