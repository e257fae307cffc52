// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

// The page around the game: it carries out what the game asks of the window, its dialogs
// and its files, and turns the player's keys and clicks into the game's handlers. Every
// word, rule and byte of the game comes from the WebAssembly module.
const $ = (id) => document.getElementById(id);
const entry = $("txtComando");
const scene = $("txtEscenario");
const verdict = $("txtOkOrNot");
const frame = $("frame");
const announcer = $("announcer");
const main = $("frmQuivra");
const enterKey = 13;
const answer = { ok: 0, yes: 1, no: 2 };
const buttonSets = { ok: 0, yesNo: 1, yesNoOnly: 2 };
// How long the start-up words wait for the screen reader to have said the focused box.
const startUpPause = 1000;
// How long an open box waits for the screen reader to have said it before it puts the
// window out of reach.
const outOfReachPause = 300;
// How long a box answered stays, for the reader to hear the focus back in the entry box.
const closingPause = 100;

const icons = [
  "",
  '<svg viewBox="0 0 32 32"><path d="M16 2 31 29H1z" fill="#fc0" stroke="#8a6d00"/><path d="M14.5 10h3l-.6 11h-1.8zM14.5 23.5h3v3h-3z"/></svg>',
  '<svg viewBox="0 0 32 32"><circle cx="16" cy="16" r="15" fill="#d22" stroke="#800"/><path d="m10 10 12 12m0-12-12 12" stroke="#fff" stroke-width="3"/></svg>',
  '<svg viewBox="0 0 32 32"><circle cx="16" cy="16" r="15" fill="#2a6fd6" stroke="#134"/><path d="M14.5 13h3v11h-3zM14.5 7.5h3v3h-3z" fill="#fff"/></svg>',
];

// A box the player answers before anything else; Yes is the default. Esc answers No in a Yes/No box, closes an OK box, and
// does nothing in a box that only Yes or No answers. Closed, it gives the focus back to the
// entry box, where the player types on.
//
// A screen reader says a box whole (its title, its text, the focused button) when the focus
// moves into it from a box still there. A modal dialog takes the window out of reach at the
// moment it opens, and the reader, finding the box it was on gone, moves on in silence; so
// the box opens as a plain dialog, takes the focus, and only then puts the window out of
// reach (meanwhile a command is under way, so the window's keys and clicks are let go).
// Each message has a box of its own, which the reader meets as new.
let boxes = 0;
function messageBox(text, title, buttonSet, icon) {
  const box = $("messageBox").content.firstElementChild.cloneNode(true);
  // Its own names for its title and text: the box before may not have gone yet.
  const [titled, texted] = [".caption", "p"].map((part) => box.querySelector(part));
  titled.id = `boxTitle${++boxes}`;
  texted.id = `boxText${boxes}`;
  box.setAttribute("aria-labelledby", `${titled.id} ${texted.id}`);
  titled.textContent = title;
  texted.textContent = text;
  box.querySelector(".icon").innerHTML = icons[icon] || "";
  const yesNo = buttonSet !== buttonSets.ok;
  const shown = [...box.querySelectorAll("button")].filter(
    (button) => (Number(button.value) === answer.ok) !== yesNo,
  );
  box.querySelector(".box-buttons").replaceChildren(...shown);
  return new Promise((resolve) => {
    let outOfReach = 0;
    let answered = false;
    // The focus leaves the box before the box goes: a reader that sees the box with its
    // focus go first moves its own focus on without a word, and stays out of the entry box.
    const done = (value) => {
      if (answered) return;
      answered = true;
      clearTimeout(outOfReach);
      frame.inert = false;
      entry.focus();
      // Out of sight and no longer the question at once; gone once the focus has been said.
      box.classList.add("answered");
      box.removeAttribute("aria-labelledby");
      setTimeout(() => box.remove(), closingPause);
      resolve(value);
    };
    box.addEventListener("click", (event) => {
      if (shown.includes(event.target)) done(Number(event.target.value));
    });
    box.addEventListener("keydown", (event) => {
      if (event.key === "Escape") {
        event.preventDefault();
        if (buttonSet !== buttonSets.yesNoOnly) done(yesNo ? answer.no : answer.ok);
      } else if (event.key === "Tab") {
        // The focus goes round the box's buttons, as in a modal box.
        event.preventDefault();
        const next = shown.indexOf(document.activeElement) + (event.shiftKey ? -1 : 1);
        shown[(next + shown.length) % shown.length].focus();
      }
    });
    document.body.append(box);
    box.show();
    shown[0].focus();
    outOfReach = setTimeout(() => {
      frame.inert = true;
    }, outOfReachPause);
  });
}

// Files the player picked or saved here, by name: their bytes and, where the browser
// offers them, the handles that write back in place.
const opened = new Map();
const handles = new Map();
let lastName = "";

const pickers = () => typeof window.showOpenFilePicker === "function";
const pickerTypes = (description, pattern) => [
  { description, accept: { "text/plain": [pattern.replace("*", "")] } },
];

async function pickToOpen(description, pattern) {
  if (pickers()) {
    const [handle] = await window.showOpenFilePicker({
      types: pickerTypes(description, pattern),
    });
    const file = await handle.getFile();
    handles.set(file.name, handle);
    return file;
  }
  const input = $("openFile");
  input.value = "";
  return new Promise((resolve) => {
    input.onchange = () => resolve(input.files[0] || null);
    input.oncancel = () => resolve(null);
    input.click();
  });
}

async function pickToSave(title, description, pattern) {
  if (pickers()) {
    const handle = await window.showSaveFilePicker({
      suggestedName: lastName || undefined,
      types: pickerTypes(description, pattern),
    });
    handles.set(handle.name, handle);
    return handle.name;
  }
  const box = $("saveName");
  $("saveTitle").textContent = title;
  $("saveFilter").textContent = description;
  $("saveFile").value = lastName;
  return new Promise((resolve) => {
    box.onclose = () => resolve(box.returnValue === "ok" ? $("saveFile").value : null);
    box.returnValue = "";
    box.showModal();
    $("saveFile").select();
  });
}

async function fileName(save, title, description, pattern) {
  let name = null;
  try {
    if (save) {
      name = await pickToSave(title, description, pattern);
    } else {
      const file = await pickToOpen(description, pattern);
      if (file) {
        opened.set(file.name, new Uint8Array(await file.arrayBuffer()));
        name = file.name;
      }
    }
  } catch {
    // A picker closed without a choice is a cancel; so is one the browser refused.
    name = null;
  }
  if (name !== null) lastName = name;
  return name;
}

async function writeFile(name, bytes) {
  const handle = handles.get(name);
  try {
    if (handle) {
      const writable = await handle.createWritable();
      await writable.write(bytes);
      await writable.close();
    } else {
      const link = document.createElement("a");
      link.href = URL.createObjectURL(new Blob([bytes], { type: "text/plain" }));
      link.download = name;
      link.click();
      setTimeout(() => URL.revokeObjectURL(link.href), 60000);
    }
    opened.set(name, bytes);
    return true;
  } catch {
    return false;
  }
}

let audio = null;
function beep() {
  audio = audio || new AudioContext();
  const tone = audio.createOscillator();
  tone.frequency.value = 800;
  tone.connect(audio.destination);
  tone.start();
  tone.stop(audio.currentTime + 0.15);
}

// A page cannot close a tab it did not open: the window gives way to a closing card.
function quit() {
  frame.hidden = true;
  $("closed").hidden = false;
  document.title = "Quivra";
  $("again").focus();
}

// One control's words from the game's design: its caption (with the access key after "&",
// underlined), tooltip, spoken name, for a picture its description, and for a button the
// command it runs. The game describes the controls in its tab order, which is the order
// they take in the window.
function describe(name, caption, tooltip, spoken, description, command) {
  const control = $(name);
  main.append(control.closest("main > *"));
  if (tooltip) control.title = tooltip;
  if (control.tagName === "IMG") {
    control.alt = spoken;
    $(control.getAttribute("aria-describedby")).textContent = description;
  } else if (control.tagName === "BUTTON") {
    control.addEventListener("click", () => run(command));
    const label = control.querySelector(".label");
    const key = caption.indexOf("&");
    if (key < 0) {
      label.textContent = caption;
    } else {
      const underlined = document.createElement("u");
      underlined.textContent = caption[key + 1];
      label.replaceChildren(caption.slice(0, key), underlined, caption.slice(key + 2));
      control.accessKey = caption[key + 1].toLowerCase();
    }
  } else if (control.tagName === "TEXTAREA") {
    control.value = caption;
    control.setAttribute("aria-label", spoken);
  } else if (spoken) {
    control.setAttribute("aria-label", spoken);
  } else {
    control.textContent = caption;
  }
}

// What the game says of each command goes to the one live region, and only there. A screen
// reader drops a text equal to the last one it was given, so every other text carries a
// trailing no-break space. At start-up the words wait until the focus has been said.
let marked = false;
let starting = true;
let held = null;
function say(text) {
  marked = !marked;
  announcer.textContent = marked ? `${text}\u00a0` : text;
}
function announce(text) {
  if (starting) {
    held = text;
  } else {
    held = null;
    say(text);
  }
}

// The voyage outlives a reload of the tab, or a tab the phone put to sleep, kept as a
// progress file keeps it; a new tab, New game and the closing card start afresh.
const keptPosition = "quivra-position";
let firstScene = null;
function keep(bytes) {
  const position = Array.from(bytes, (byte) => String.fromCharCode(byte)).join("");
  firstScene ??= position;
  try {
    if (position === firstScene || !$("closed").hidden) sessionStorage.removeItem(keptPosition);
    else sessionStorage.setItem(keptPosition, position);
  } catch {
    // Storage refused or full: the game plays on as it would without a reload.
  }
}
function kept() {
  try {
    return sessionStorage.getItem(keptPosition);
  } catch {
    return null;
  }
}
function resume(position) {
  const bytes = Uint8Array.from(position, (letter) => letter.charCodeAt(0));
  const copy = game._malloc(bytes.length);
  game.HEAPU8.set(bytes, copy);
  game._quivra_resume(copy, bytes.length);
  game._free(copy);
}

const face = {
  describe,
  readEntry: () => entry.value,
  writeScene: (text) => {
    scene.textContent = text.replace(/\r\n/g, "\n");
    scene.scrollTop = 0;
  },
  showScene: (visible) => {
    scene.parentElement.hidden = !visible;
  },
  writeVerdict: (text) => {
    verdict.textContent = text;
  },
  showPicture: (name, visible) => {
    $(name).parentElement.hidden = !visible;
  },
  clearEntry: () => {
    entry.value = "";
  },
  resetSceneFont: () => scene.classList.add("reset"),
  setCaption: (text) => {
    $("caption").textContent = text;
    document.title = text;
  },
  messageBox,
  fileName,
  beep,
  quit,
  readFile: (name) => opened.get(name) || null,
  writeFile,
  announce,
  keep,
};

// One command at a time: while one waits on a dialog or a picker, the window's keys and
// clicks are let go.
let game = null;
let busy = true;
async function run(command) {
  if (busy) return;
  busy = true;
  try {
    await game.ccall("quivra_click", null, ["number"], [command], { async: true });
    game._quivra_keep();
  } finally {
    busy = false;
  }
}

entry.addEventListener("keydown", (event) => {
  if (busy || event.isComposing || event.altKey || event.ctrlKey || event.metaKey) return;
  if (event.key === "Enter") {
    event.preventDefault();
    game._quivra_key(enterKey);
    game._quivra_keep();
  } else if (event.key.length === 1) {
    game._quivra_key(event.key.charCodeAt(0));
  }
});
$("again").addEventListener("click", () => location.reload());

// A phone's keyboard covers the page's bottom without resizing it: the scene is sized to what
// still shows, and the page scrolls to show the verdict, the entry and as much of the scene
// above them as fits.
const seen = window.visualViewport;
seen?.addEventListener("resize", () => {
  document.documentElement.style.setProperty("--seen-height", `${seen.height}px`);
  if (document.activeElement !== entry) return;
  const shown = [...main.querySelectorAll(".holder > *")].find((box) => box.checkVisibility());
  const tops = [entry, shown ?? entry].map((box) => box.getBoundingClientRect().top);
  const top = Math.min(...tops) - seen.offsetTop;
  const bottom = verdict.getBoundingClientRect().bottom - seen.offsetTop - seen.height;
  const by = Math.max(Math.min(top, 0), bottom);
  if (by !== 0) window.scrollBy(0, by);
});

// The module compiles from the response the head asked for; a server that does not call
// it application/wasm gets the slower path through its bytes.
const instantiateWasm = (imports, receive) => {
  quivraWasm
    .then((response) =>
      WebAssembly.instantiateStreaming(response.clone(), imports).catch(() =>
        response.arrayBuffer().then((bytes) => WebAssembly.instantiate(bytes, imports)),
      ),
    )
    .then(({ instance }) => receive(instance), unsupported);
  return {};
};
function unsupported() {
  frame.hidden = true;
  $("unsupported").hidden = false;
}

const pageLoaded =
  document.readyState === "complete"
    ? Promise.resolve()
    : new Promise((loaded) => addEventListener("load", loaded, { once: true }));

createQuivra({ face, instantiateWasm }).then((module) => {
  game = module;
  const position = kept();
  game._quivra_start();
  game._quivra_keep();
  if (position !== null) resume(position);
  starting = false;
  busy = false;
  // A screen reader that gets the focus while the page still loads says only the entry's
  // tooltip, not its name: the focus waits for the load to finish.
  pageLoaded.then(() => {
    entry.focus();
    performance.mark("quivra-ready");
    // Unless the player has already played a turn.
    setTimeout(() => held !== null && say(held), startUpPause);
  });
}, unsupported);
