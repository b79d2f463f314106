// Vertical slider (shared/slider.as).
#include "shared/slider.as"

kvDefineSlider("KVSliderVSymbol", 60, 200, true);
