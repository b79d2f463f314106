// Map of the countries of Europe (shared/map.as, shapes in shared/mapdata-europe.as).
#include "shared/map.as"
#include "shared/mapdata-europe.as"

kvDefineComponent("KVMapEuropeSymbol", 400, 371, function () { this.kvDrawMap(kvMapEurope); },
                  {kvDrawMap: kvDrawMap, kvRegionHandlers: kvMapRegionHandlers, kvWatch: ["mv", "title", "selectedRegion", "regionNames"]});
