// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

// The page around the game: it carries out what the game asks of the window, its dialogs
// and its files, and turns the player's keys and clicks into the game's handlers. Every
// word, rule and byte of the game comes from the WebAssembly module.
"use strict";

(() => {
  const $ = (id) => document.getElementById(id);
  const entry = $("txtComando");
  const scene = $("txtEscenario");
  const verdict = $("txtOkOrNot");
  const frame = $("frame");
  // In the order of the game's pictures.
  const pictures = [
    "pic_1_0",
    "pic_2_0_2",
    "pic_2_2",
    "pic_4_0",
    "pic_4_2",
    "pic_4_4",
    "pic_4_6",
  ].map($);
  const buttons = ["cmdIr", "cmdNuevoJuego", "cmdAbrirP", "cmdSave", "cmdSaveAs", "cmdSalir"].map(
    $,
  );
  const enterKey = 13;
  const answer = { ok: 0, yes: 1, no: 2 };

  const icons = [
    "",
    '<svg viewBox="0 0 32 32"><path d="M16 2 31 29H1z" fill="#fc0" stroke="#8a6d00"/><path d="M14.5 10h3l-.6 11h-1.8zM14.5 23.5h3v3h-3z"/></svg>',
    '<svg viewBox="0 0 32 32"><circle cx="16" cy="16" r="15" fill="#d22" stroke="#800"/><path d="m10 10 12 12m0-12-12 12" stroke="#fff" stroke-width="3"/></svg>',
    '<svg viewBox="0 0 32 32"><circle cx="16" cy="16" r="15" fill="#2a6fd6" stroke="#134"/><path d="M14.5 13h3v11h-3zM14.5 7.5h3v3h-3z" fill="#fff"/></svg>',
  ];

  // A modal box; Yes is the default, Esc answers No (or closes an OK box).
  function messageBox(text, title, buttonSet, icon) {
    const box = $("messageBox");
    $("boxTitle").textContent = title;
    $("boxText").textContent = text;
    $("boxIcon").innerHTML = icons[icon] || "";
    const yesNo = buttonSet === 1;
    $("boxYes").hidden = $("boxNo").hidden = !yesNo;
    $("boxOk").hidden = yesNo;
    return new Promise((resolve) => {
      const done = (value) => {
        box.onclick = box.oncancel = null;
        box.close();
        resolve(value);
      };
      box.onclick = (event) => {
        const chosen = { boxYes: answer.yes, boxNo: answer.no, boxOk: answer.ok }[event.target.id];
        if (chosen !== undefined) done(chosen);
      };
      box.oncancel = (event) => {
        event.preventDefault();
        done(yesNo ? answer.no : answer.ok);
      };
      box.showModal();
      (yesNo ? $("boxYes") : $("boxOk")).focus();
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
  // underlined), tooltip, spoken name and, for a picture, its description.
  function describe(name, caption, tooltip, spoken, description) {
    const control = $(name);
    if (tooltip) control.title = tooltip;
    if (control.tagName === "IMG") {
      control.alt = spoken;
      $(control.getAttribute("aria-describedby")).textContent = description;
    } else if (control.tagName === "BUTTON") {
      const label = control.querySelector("span") || control;
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

  const face = {
    describe,
    readEntry: () => entry.value,
    writeScene: (text) => {
      scene.textContent = text.replace(/\r\n/g, "\n");
      scene.scrollTop = 0;
    },
    showScene: (visible) => {
      scene.hidden = !visible;
    },
    writeVerdict: (text) => {
      verdict.textContent = text;
    },
    showPicture: (index, visible) => {
      pictures[index].hidden = !visible;
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
  };

  // One command at a time: while one waits on a dialog or a picker, the window's keys and
  // clicks are let go.
  let game = null;
  let busy = true;
  async function run(button) {
    if (busy) return;
    busy = true;
    try {
      await game.ccall("quivra_click", null, ["number"], [button], { async: true });
    } finally {
      busy = false;
    }
  }

  entry.addEventListener("keydown", (event) => {
    if (busy || event.isComposing || event.altKey || event.ctrlKey || event.metaKey) return;
    if (event.key === "Enter") {
      event.preventDefault();
      game._quivra_key(enterKey);
    } else if (event.key.length === 1) {
      game._quivra_key(event.key.charCodeAt(0));
    }
  });
  buttons.forEach((button, index) => button.addEventListener("click", () => run(index)));
  $("again").addEventListener("click", () => location.reload());

  createQuivra({ face }).then(
    (module) => {
      game = module;
      game._quivra_start();
      busy = false;
      entry.focus();
      performance.mark("quivra-ready");
    },
    () => {
      frame.hidden = true;
      $("unsupported").hidden = false;
    },
  );
})();
