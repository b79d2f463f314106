// Map of the US states (shared/map.as, shapes in shared/mapdata-usa.as).
#include "shared/map.as"
#include "shared/mapdata-usa.as"

kvDefineComponent("KVMapUSASymbol", 400, 250, function () { this.kvDrawMap(kvMapUSA); },
                  {kvDrawMap: kvDrawMap, kvRegionHandlers: kvMapRegionHandlers, kvWatch: ["mv", "title", "selectedRegion", "regionNames"]});
