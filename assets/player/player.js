// The program's side of the player page (docs/player-bridge.md). The host (the test helper
// through the DevTools protocol, the screen program through its web view) calls
// window.vantorel.load / set / call in the order the program sends them and receives the
// movie's commands through window.vantorelHost(kind, a, b), which it installs.
//
// Every call goes to the bridge movie at once and in order; until the bridge is running, and
// from a load until the loaded movie has played its first frame, calls wait in a queue that is
// sent in order as soon as the movie can take them.
(function () {
  "use strict";
  const q = new URLSearchParams(location.search);
  window.RufflePlayer = window.RufflePlayer || {};
  window.RufflePlayer.config = {
    publicPath: "ruffle/", polyfills: false, autoplay: "on", unmuteOverlay: "hidden",
    splashScreen: false, preferredRenderer: q.get("renderer") || "canvas", letterbox: "off",
    contextMenu: "off", warnOnUnsupportedContent: false, allowScriptAccess: true,
    logLevel: "warn", maxExecutionDuration: 15, scale: "noScale", salign: "TL",
    backgroundColor: q.get("background") || null,
  };

  const queue = [];
  let player = null;
  let bridgeReady = false;
  let loading = false;
  let flushing = false;

  function report(kind, a, b) {
    if (typeof window.vantorelHost === "function") window.vantorelHost(kind, String(a), String(b));
  }

  // Ruffle logs its faults through console.log with a "%cERROR%c where%c message" prefix.
  for (const level of ["log", "warn", "error"]) {
    const original = console[level].bind(console);
    console[level] = (...args) => {
      const text = args.map(String).join(" ");
      const m = /^%c(ERROR|WARN)%c (\S*)%c (.*?)(?: color:|$)/s.exec(text);
      // Our asset marker tag is skipped by the player, rightly, and said again at every call.
      if (m && !m[3].startsWith("Unknown tag code: 666")) report("log", m[1], `${m[2]} ${m[3]}`);
      if (m && loading && m[1] === "ERROR" && m[3].startsWith("Error during movie loading")) failLoad();
      original(...args);
    };
  }

  // A movie that never arrives (a missing or damaged file) must not hold back what follows.
  const loadTimeoutMs = 10000;
  let loadTimer = 0;

  function loaded() {
    clearTimeout(loadTimer);
    loading = false;
  }

  function failLoad() {
    if (!loading) return;
    loaded();
    report("log", "ERROR", "the movie did not load");
    setTimeout(flush, 0);
  }

  function send(entry) {
    const [op, a, b] = entry;
    if (op === "load") {
      loading = b !== "loadblank" && b !== "";
      if (loading) {
        clearTimeout(loadTimer);
        loadTimer = setTimeout(failLoad, loadTimeoutMs);
      }
      player.kvLoad(a, b);
    } else if (op === "set") {
      // Behind a "=", since the player turns an empty text into "null" on the way (the
      // bridge takes the "=" off).
      player.kvSet(a, `=${b}`);
    } else if (op === "call") {
      player.kvCall(a, b);
    }
  }

  // Sends what waits, in order, while the movie can take it.
  function flush() {
    if (flushing) return;
    flushing = true;
    try {
      while (queue.length && bridgeReady && !loading) send(queue.shift());
    } finally {
      flushing = false;
    }
    if (!queue.length) report("idle", "", "");
  }

  function enqueue(entry) {
    queue.push(entry);
    if (queue.length === 1) flush();
  }

  window.vantorel = {
    load(layer, url) { enqueue(["load", String(layer), String(url)]); },
    set(name, value) { enqueue(["set", String(name), String(value)]); },
    call(target, label) { enqueue(["call", String(target), String(label)]); },
    // Several of the three at once: [["load", layer, url] | ["set", name, value] | ["call", target, label], ...].
    batch(list) { for (const [op, a, b] of list) enqueue([String(op), String(a), String(b)]); },
    // A variable's value as text, once everything sent before has reached the movie.
    get(name) { return queue.length || loading || !bridgeReady ? undefined : String(player.kvGet(String(name))); },
    pending() { return queue.length + (loading ? 1 : 0) + (bridgeReady ? 0 : 1); },
  };

  addEventListener("DOMContentLoaded", async () => {
    player = window.RufflePlayer.newest().createPlayer();
    document.getElementById("player").appendChild(player);
    const api = player.ruffle();
    api.addFSCommandHandler((command, args) => {
      // The bridge's own news is taken here; the movie's commands go to the host. Sending
      // waits for the player to finish its frame: the player cannot be called from inside it.
      if (command === "kvBridgeReady") {
        bridgeReady = true;
        setTimeout(flush, 0);
      } else if (command === "kvBridgeLoaded") {
        loaded();
        report("loaded", args, "");
        setTimeout(flush, 0);
      } else {
        report("fscommand", command, args);
      }
      return true;
    });
    try {
      await api.load({ url: q.get("bridge") || "bridge.swf", allowScriptAccess: true });
    } catch (e) {
      report("log", "ERROR", `the bridge did not load: ${e}`);
    }
  });
})();
