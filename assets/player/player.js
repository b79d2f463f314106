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
    // Text set in a device font is drawn in faces of the platform's families metric-compatible
    // with Arial, Times New Roman and Courier New, laid beside this page as font movies under
    // those names with their bold and italic faces (the player's own fallback has neither); any
    // other family takes the sans-serif one. The player draws them itself, so they are in the
    // stage's picture as everything else.
    fontSources: ["Sans", "Serif", "Mono"].flatMap((family) =>
      ["Regular", "Bold", "Italic", "BoldItalic"].map((style) => `fonts/Liberation${family}-${style}.swf`)),
    defaultFonts: { sans: ["Arial"], serif: ["Times New Roman"], typewriter: ["Courier New"] },
    // Where the movies' relative addresses lead: the program's host serves a base folder there.
    base: q.get("base") || null,
  };

  const queue = [];
  let player = null;
  let bridgeReady = false;
  let loading = false;
  let flushing = false;
  let lastMark = "0";

  // What the movie in the player was sent since its load (a load replaces the whole movie the
  // bridge holds), and how many commands and loads it reported since: a player that dies (see
  // below) is replaced by a new one that is sent all of it again, the reports it repeats held
  // back. Past journalLimit entries nothing is kept until the next load, and a death is only
  // reported.
  const journalLimit = 1000000;
  let journal = [];
  let journalKept = true;
  let commandsSince = 0;
  let loadedSince = false;
  let mutedCommands = 0;
  let mutedLoaded = false;

  function keep(entry) {
    if (entry[0] === "load") {
      journal = [];
      journalKept = true;
      commandsSince = 0;
      loadedSince = false;
    }
    if (!journalKept) return;
    if (journal.length >= journalLimit) {
      journal = [];
      journalKept = false;
      return;
    }
    journal.push(entry);
  }

  // The player calls the page's functions (its log, its commands) from inside its own work, with
  // its core locked: an exception thrown back into it (a host that fails, a stack that runs out)
  // leaves the core locked for good and the movie dead. Nothing thrown here reaches the player.
  function report(kind, a, b) {
    try {
      if (typeof window.vantorelHost === "function") window.vantorelHost(kind, String(a), String(b));
    } catch (e) {
      // the host missed one report; the player plays on
    }
  }

  // Ruffle logs its faults through console.log with a "%cERROR%c where%c message" prefix. A
  // core that stays locked says so at every frame: the host hears it once, and the player is
  // replaced once, until the new player's bridge is ready.
  let lockedSaid = false;
  for (const level of ["log", "warn", "error"]) {
    const original = console[level].bind(console);
    console[level] = (...args) => {
      try {
        const text = args.map(String).join(" ");
        const m = /^%c(ERROR|WARN)%c (\S*)%c (.*?)(?: color:|$)/s.exec(text);
        const locked = m !== null && m[3].startsWith("Unable to lock Ruffle core");
        // Our asset marker tag is skipped by the player, rightly, and said again at every call.
        if (m && !m[3].startsWith("Unknown tag code: 666") && !(locked && lockedSaid)) report("log", m[1], `${m[2]} ${m[3]}`);
        if (locked && !lockedSaid) setTimeout(restart, 0);
        lockedSaid = lockedSaid || locked;
        if (m && loading && m[1] === "ERROR" && m[3].startsWith("Error during movie loading")) setTimeout(() => failLoad("(the player could not read it)"), 0);
        original(...args);
      } catch (e) {
        // as report
      }
    };
  }
  // What fails in the page itself is the host's to know.
  addEventListener("error", (e) => report("log", "ERROR", `page: ${e.message}`));
  addEventListener("unhandledrejection", (e) => report("log", "ERROR", `page: ${e.reason}`));

  // A movie that never arrives (a missing or damaged file) must not hold back what follows. A
  // busy machine may keep the page from running for many seconds, so the wait is counted in the
  // page's own turns: a turn that comes late counts as one, and the movie's file arriving, or the
  // player getting on with reading it, starts the count again. A load that runs out is tried
  // once more; only then does the page give up and tell the host ("failed"), which says so to
  // the person.
  const loadTurnMs = 250;
  const loadTurns = 40;
  let loadTimer = 0;
  let loadLeft = 0;
  let loadEntry = null;
  let loadRetried = false;
  let loadFetched = false;

  function loaded() {
    clearInterval(loadTimer);
    loadTimer = 0;
    loading = false;
  }

  function fetchedYet(url) {
    try {
      const wanted = new URL(url, location.href).href;
      return performance.getEntriesByType("resource").some((e) => e.name === wanted);
    } catch (e) {
      return false;
    }
  }

  let loadProgress = "";
  function progressOf() {
    try {
      return player ? `${player.kvGet("_root.getBytesLoaded()")}/${player.kvGet("_root._framesloaded")}` : "";
    } catch (e) {
      return loadProgress;
    }
  }

  function watchLoad() {
    clearInterval(loadTimer);
    loadLeft = loadTurns;
    loadFetched = false;
    // The movie's fetch is looked for among the page's resources, which a movie polling its
    // data for hours would fill.
    try {
      performance.clearResourceTimings();
    } catch (e) {
      // the count simply does not start again
    }
    loadProgress = "";
    loadTimer = setInterval(() => {
      if (!loadFetched && loadEntry && fetchedYet(loadEntry[2])) {
        loadFetched = true;
        loadLeft = loadTurns;
      }
      // The player reading the movie (its bytes and frames growing in level 1) is progress too.
      const progress = progressOf();
      if (progress !== loadProgress) {
        loadProgress = progress;
        loadLeft = loadTurns;
      }
      if (--loadLeft <= 0) failLoad("in time");
    }, loadTurnMs);
  }

  function failLoad(why) {
    if (!loading) return;
    if (!loadRetried && loadEntry && player) {
      loadRetried = true;
      report("log", "WARN", `the movie did not load ${why}; it is loaded again`);
      watchLoad();
      player.kvLoad(loadEntry[1], loadEntry[2]);
      return;
    }
    loaded();
    say("The movie could not be loaded.");
    report("log", "ERROR", "the movie did not load");
    report("failed", loadEntry ? loadEntry[2] : "", why);
    setTimeout(flush, 0);
  }

  // The page's word while no movie shows: none once one plays.
  function say(text) {
    const waiting = document.getElementById("waiting");
    if (!waiting) return;
    waiting.textContent = text;
    waiting.hidden = text === "";
  }

  // The next entry for the player, kept for a player that may replace it.
  function take() {
    const entry = queue.shift();
    keep(entry);
    return entry;
  }

  function send(entry) {
    const [op, a, b] = entry;
    if (op === "load") {
      loading = b !== "loadblank" && b !== "";
      if (loading) {
        loadEntry = entry;
        loadRetried = false;
        watchLoad();
      } else {
        loaded();
      }
      player.kvLoad(a, b);
    } else if (op === "set") {
      // Behind a "=", since the player turns an empty text into "null" on the way (the
      // bridge takes the "=" off).
      player.kvSet(a, `=${b}`);
    } else if (op === "call") {
      player.kvCall(a, b);
    } else if (op === "zoom") {
      player.kvZoom(a, b);
    }
  }

  // Sets and calls go to the bridge a few thousand at a time: each call into the player has a
  // cost of its own. A batch holds few label calls, so that one batch stays well within the
  // player's time limit for a script.
  const batchSets = 4000;
  const batchCalls = 16;

  // The separators a packed run of sets may use: control characters that texts rarely hold.
  const separators = [];
  for (let c = 1; c < 32; c++) if (c < 9 || c > 13) separators.push(String.fromCharCode(c));

  // A run of sets in one entry of the batch, "=g", "=" + a separator, "=" + the run packed
  // into one text: for each object its path, how many of its members follow and each member's
  // name and value, between separators. The player splits one text far faster than the
  // bridge's script takes each set apart (a component's parameters are a few hundred sets, to
  // two objects in turn: they go grouped by object, each object's in their order). A run that
  // sets an object some path of the run goes through, a name that is no object's member, or a
  // run whose texts hold every separator, goes as sets one by one.
  function packSets(sets, list) {
    const objects = new Map();
    const through = new Set();
    for (const [name, value] of sets) {
      const dot = name.lastIndexOf(".");
      if (dot < 0) return false;
      const path = name.slice(0, dot);
      let members = objects.get(path);
      if (!members) {
        members = [];
        objects.set(path, members);
        for (let p = path; !through.has(p);) {
          through.add(p);
          const up = p.lastIndexOf(".");
          if (up < 0) break;
          p = p.slice(0, up);
        }
      }
      members.push(name.slice(dot + 1), value);
    }
    if (sets.some(([name]) => through.has(name))) return false;
    const texts = [];
    for (const [path, members] of objects) texts.push(path, String(members.length / 2), ...members);
    const all = texts.join("");
    const separator = separators.find((c) => !all.includes(c));
    if (separator === undefined) return false;
    list.push("=g", `=${separator}`, `=${texts.join(separator)}`);
    return true;
  }

  function sendBatch() {
    const list = [];
    let calls = 0;
    let sets = 0;
    while (queue.length && queue[0][0] !== "load" && queue[0][0] !== "zoom" && sets < batchSets && calls < batchCalls) {
      if (queue[0][0] === "set") {
        const run = [];
        while (queue.length && queue[0][0] === "set" && sets < batchSets) {
          const [, name, value] = take();
          run.push([name, value]);
          sets++;
        }
        if (!packSets(run, list)) for (const [name, value] of run) list.push("=s", `=${name}`, `=${value}`);
        continue;
      }
      const [, target, label] = take();
      calls++;
      list.push("=c", `=${target}`, `=${label}`);
    }
    if (list.length) player.kvBatch(list);
  }

  // Sends what waits, in order, while the movie can take it.
  function flush() {
    if (flushing) return;
    flushing = true;
    try {
      while (queue.length && bridgeReady && !loading) {
        if (queue[0][0] === "load" || queue[0][0] === "zoom") send(take());
        else sendBatch();
      }
    } finally {
      flushing = false;
    }
    // Idle once everything sent has reached the movie: a load, once its movie plays.
    if (!queue.length && !loading) report("idle", lastMark, "");
  }

  // A load makes what still waits for the movie it replaces pointless: the loads and sets
  // queued since the last label call (the calls stay, for their answers) go.
  function dropReplaced(layer) {
    let cut = queue.length;
    for (let i = queue.length - 1; i >= 0 && queue[i][0] !== "call"; i--) {
      if (queue[i][0] === "load" && queue[i][1] !== layer) break;
      if (queue[i][0] === "load") cut = i;
    }
    queue.length = cut;
  }

  // "drop": the host forgets what it sent that has not reached the movie yet.
  function push(entry) {
    if (entry[0] === "drop") {
      queue.length = 0;
      return;
    }
    if (entry[0] === "load") dropReplaced(entry[1]);
    queue.push(entry);
  }

  function enqueue(entry) {
    push(entry);
    flush();
  }

  window.vantorel = {
    load(layer, url) { enqueue(["load", String(layer), String(url)]); },
    set(name, value) { enqueue(["set", String(name), String(value)]); },
    call(target, label) { enqueue(["call", String(target), String(label)]); },
    // Several at once: [["load", layer, url] | ["set", name, value] | ["call", target, label] |
    // ["zoom", width, height], ...]; "zoom" shows a movie of that size whole, scaled to the
    // player and centred, until the next load.
    // The host may number its batches: the idle report names the last one taken.
    batch(list, mark) {
      if (mark !== undefined) lastMark = String(mark);
      for (const [op, a, b] of list) push([String(op), String(a), String(b)]);
      flush();
    },
    // A variable's value as text, once everything sent before has reached the movie.
    get(name) { return queue.length || loading || !bridgeReady ? undefined : String(player.kvGet(String(name))); },
    pending() { return queue.length + (loading ? 1 : 0) + (bridgeReady ? 0 : 1); },
  };

  // A player whose core stays locked is dead: something failed inside its work (Ruffle in a web
  // view has been seen to stop on "Out of bounds memory access" now and then) and it takes
  // nothing more. A new player takes its place and is sent again what the movie was sent.
  function restart() {
    if (!player) return;
    bridgeReady = false;
    loaded();
    const old = player;
    player = null;
    try {
      old.remove();
    } catch (e) {
      // gone already
    }
    if (!journalKept) {
      report("log", "ERROR", "the player stopped and what it showed cannot be sent again");
    } else {
      // In front of what still waits, without spreading up to a million entries as arguments.
      const waiting = queue.splice(0);
      for (const entry of journal) queue.push(entry);
      for (const entry of waiting) queue.push(entry);
      mutedCommands = commandsSince;
      mutedLoaded = loadedSince;
      journal = [];
      commandsSince = 0;
      loadedSince = false;
      report("log", "WARN", "the player stopped; a new one is sent again what it was sent");
    }
    startPlayer();
  }

  async function startPlayer() {
    const mine = window.RufflePlayer.newest().createPlayer();
    player = mine;
    document.getElementById("player").appendChild(mine);
    const api = mine.ruffle();
    api.addFSCommandHandler((command, args) => {
      if (player !== mine) return true;
      // The bridge's own news is taken here; the movie's commands go to the host. Sending
      // waits for the player to finish its frame: the player cannot be called from inside it.
      if (command === "kvBridgeReady") {
        bridgeReady = true;
        if (!queue.some(([op, , url]) => op === "load" && url !== "loadblank" && url !== "")) say("");
        lockedSaid = false;
        setTimeout(flush, 0);
      } else if (command === "kvBridgeLoaded") {
        loaded();
        say("");
        loadedSince = true;
        if (mutedLoaded) mutedLoaded = false;
        else report("loaded", args, "");
        setTimeout(flush, 0);
      } else {
        ++commandsSince;
        if (mutedCommands > 0) --mutedCommands;
        else report("fscommand", command, args);
      }
      return true;
    });
    try {
      await api.load({ url: q.get("bridge") || "bridge.swf", allowScriptAccess: true });
    } catch (e) {
      report("log", "ERROR", `the bridge did not load: ${e}`);
    }
  }

  addEventListener("DOMContentLoaded", startPlayer);
})();
