// The data loader of a movie whose data come from a web service or from XML maps. It runs in
// the first frame, after the connection script has described the connection; the answers
// arrive later and are written into the model's cells, which are then recalculated.

#include "loaddata/values.as"
#include "loaddata/xpath.as"
#include "loaddata/service.as"
#include "loaddata/maps.as"

// Loads every source once and sets up the reloads. The model's start-up code may call it too
// (as xmlToModel); the reloads are set up only once.
_global.kvLdStart = function () {
    if (_root.xmlUrl != undefined) {
        kvLdLoadService();
        if (_root.xmlInterval > 0 && _root.kvLdServiceTimer == undefined)
            _root.kvLdServiceTimer = setInterval(kvLdLoadService, _root.xmlInterval * 1000);
    }
    if (_root.kvXML != undefined) {
        if (_root.kvLdMapTimers == undefined)
            _root.kvLdMapTimers = {};
        for (var name in _root.kvXML) {
            var map = _root.kvXML[name];
            kvLdLoadMap(map);
            if (map.refresh > 0 && _root.kvLdMapTimers[name] == undefined)
                _root.kvLdMapTimers[name] = setInterval(kvLdLoadMap, map.refresh * 1000, map);
        }
    }
};
_global.xmlToModel = kvLdStart;

kvLdStart();
