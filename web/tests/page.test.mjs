// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

// The browser edition played in Debian's Chromium as a player would: keys, buttons, dialogs
// and files. Saves are compared with what the desktop's writer makes of the same walk.
import { after, test } from "node:test";
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import path from "node:path";
import { chromium } from "playwright-core";

const scratch = fs.mkdtempSync("/tmp/quivra-web-");
const browser = await chromium.launch({
  executablePath: "/usr/bin/chromium",
  args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run"],
});
after(async () => {
  await browser.close();
  fs.rmSync(scratch, { recursive: true });
});

// The page as a browser without the File System Access API shows it: Open and Save as go
// through a file input and a download.
async function openPage() {
  const context = await browser.newContext({ acceptDownloads: true });
  // The site's files as a static server would give them.
  await context.route("https://quivra.test/**", (route) =>
    route.fulfill({
      path: path.join(
        process.env.QUIVRA_WEB_SITE,
        new URL(route.request().url()).pathname.slice(1) || "index.html",
      ),
    }),
  );
  await context.addInitScript(() => {
    window.showOpenFilePicker = window.showSaveFilePicker = undefined;
  });
  const page = await context.newPage();
  return page.goto("https://quivra.test/").then(() => ready(page));
}

const ready = (page) =>
  page
    .waitForFunction(() => performance.getEntriesByName("quivra-ready").length === 1)
    .then(() => page);
const button = (page, name) => page.getByRole("button", { name, exact: true });
const pictures = (page) =>
  page.$$eval("img.scene-area:not([hidden])", (shown) => shown.map((img) => img.alt));
const titled = (page, name) =>
  page.waitForFunction((title) => document.title === title, `...${name} - Quivra`);
const desktopSave = (name, phrases) =>
  execFileSync(process.env.QUIVRA_DESKTOP_SAVE, [path.join(scratch, name), ...phrases]) &&
  fs.readFileSync(path.join(scratch, name));
const download = (page, click) =>
  Promise.all([page.waitForEvent("download"), click()]).then(async ([file]) => ({
    name: file.suggestedFilename(),
    bytes: fs.readFileSync(await file.path()),
  }));
const openFile = (page, name, buffer) =>
  Promise.all([page.waitForEvent("filechooser"), button(page, "Abrir progreso...").click()]).then(
    ([chooser]) => chooser.setFiles({ name, mimeType: "text/plain", buffer }),
  );

async function play(page, phrases, verdicts = []) {
  for (const phrase of phrases) {
    await page.fill("#txtComando", phrase).then(() => page.press("#txtComando", "Enter"));
    verdicts.push(await page.textContent("#txtOkOrNot"));
  }
  return verdicts;
}

// Alt and a letter as a keyboard sends them, with the letter's text, which access keys need.
async function accessKey(page, letter) {
  const key = {
    modifiers: 1,
    key: letter,
    code: `Key${letter.toUpperCase()}`,
    text: letter,
    unmodifiedText: letter,
    windowsVirtualKeyCode: letter.toUpperCase().charCodeAt(0),
  };
  const cdp = await page.context().newCDPSession(page);
  for (const type of ["keyDown", "keyUp"])
    await cdp.send("Input.dispatchKeyEvent", { ...key, type });
}

// The message box (after a click on the button captioned so, if any), found by the title it
// is named by: its text, visible buttons and the focused one; then the key that answers it.
async function answer(page, [title, ...shown], key, caption) {
  if (caption) await button(page, caption).click();
  await page.getByRole("alertdialog", { name: title, exact: true }).waitFor();
  assert.deepEqual(
    await page.$eval("#messageBox", (box) => [
      box.querySelector("#boxText").textContent,
      [...box.querySelectorAll("button:not([hidden])")].map((b) => b.textContent).join("/"),
      document.activeElement.textContent,
    ]),
    shown,
    title,
  );
  await page.keyboard.press(key);
}

const island = [
  "zarpar",
  "navegar hacia la balsa",
  "subir a la balsa",
  "navegar",
  "saltar al agua",
];
const endings = [
  [["aprovisionarse"]],
  [["zarpar", "continuar", "continuar"], "Las islas"],
  [[...island.slice(0, 3), "luchar con los tiburones"]],
  [["zarpar", "acercarse a las aves marinas"], "Las aves marinas"],
  [[...island.slice(0, 4), "regresar al barco"]],
  [[...island, "explorar"]],
  [[...island, "hacer una fogata"]],
  [
    [
      ...island,
      "descansar",
      "acampar",
      "estudiar las conchas",
      "subir a la balsa",
      "",
      "",
      "",
      "",
      "",
    ],
    "Una tabla en el mar",
  ],
];

test("every ending, then Save as downloads the desktop's bytes under the chosen name", async () => {
  const page = await openPage();
  for (const [index, [walk, picture]] of endings.entries()) {
    const verdicts = await play(await ready(page), walk);
    assert.deepEqual(
      [
        verdicts.at(-1),
        verdicts.includes("Equivocado"),
        await pictures(page),
        await page.isVisible("#txtEscenario"),
      ],
      ["Fin", false, picture ? [picture] : [], !picture],
      walk.join("/"),
    );
    const name = `fin ${index}.txt`;
    await button(page, "Guardar como...").click();
    await page.fill("#saveFile", name);
    assert.deepEqual(await download(page, () => button(page, "Guardar").click()), {
      name,
      bytes: desktopSave(name, walk),
    });
    await titled(page, name);
    await page.reload();
  }
});

// The words themselves are the window design's; here, that the page hands them to a screen
// reader, and the keys the player answers with.
test("focus, a wrong phrase, names, roles and live regions; New game and Exit", async () => {
  const page = await openPage();
  const cdp = await page.context().newCDPSession(page);
  const spoken = async () =>
    (await cdp.send("Accessibility.getFullAXTree")).nodes
      .filter((n) => !n.ignored)
      .map((n) =>
        [
          n.role?.value,
          n.name?.value,
          n.description?.value ?? "",
          n.properties?.find((p) => p.name === "live")?.value.value ?? "",
        ].join("|"),
      );
  assert.ok((await spoken()).some((node) => /^image\|El barco a medio hacer\|.{40,}/.test(node)));
  assert.equal(await page.evaluate(() => document.activeElement.id), "txtComando");
  await page.fill("#txtComando", "zarpar ya").then(() => button(page, "Ir").click());
  assert.deepEqual(
    [await page.textContent("#txtOkOrNot"), await pictures(page), await page.title()],
    ["Equivocado", ["El barco a medio hacer"], "Quivra"],
  );
  const inPlay = await play(page, ["zarpar"]).then(spoken);
  for (const expected of [
    "textbox|Comando|comando.|",
    "textbox|Pistas|Hints.|",
    "textbox|Escenario||polite",
    "textbox|Respuesta|Aquí se muestra la respuesta de la computadora...|polite",
  ])
    assert.ok(
      inPlay.some((node) => node.startsWith(expected)),
      expected,
    );
  for (const [key, verdict, shown] of [
    ["Escape", "Ok", []],
    ["Enter", "", ["El barco a medio hacer"]],
  ]) {
    await answer(
      page,
      ["Nuevo juego", "¿Desea reempezar todo?", "Sí/No", "Sí"],
      key,
      "Nuevo juego",
    );
    assert.deepEqual(
      [await page.textContent("#txtOkOrNot"), await pictures(page)],
      [verdict, shown],
    );
  }
  // Exit answered Yes reminds the player to save and stays; answered No closes the window.
  const exit = ["Salir de Quivra", "¿Desea guardar su progreso antes de salir?", "Sí/No", "Sí"];
  await answer(page, exit, "Enter", "Salir");
  await answer(
    page,
    [
      "Permanecer en el programa",
      "Por favor guarde su progreso Ud. mismo...",
      "Aceptar",
      "Aceptar",
    ],
    "Enter",
  );
  await answer(page, exit, "Escape", "Salir");
  assert.deepEqual(
    [await page.isVisible("#frmQuivra"), await page.isVisible("text=Quivra se ha cerrado")],
    [false, true],
  );
  await button(page, "Jugar de nuevo").click();
  assert.deepEqual(await play(await ready(page), ["zarpar"]), ["Ok"]);
});

test("Open takes desktop saves and refuses a broken file; Save downloads under the file's name", async () => {
  const page = await openPage();
  for (const [walk, shown] of [
    [["zarpar", "acercarse a las aves marinas"], ["Las aves marinas"]],
    [["zarpar"], []],
  ]) {
    const name = `escritorio ${walk.length}.txt`;
    const bytes = desktopSave(name, walk);
    await openFile(page, name, bytes);
    await titled(page, name);
    // A picture scene's save carries the scene box's own text, which Open leaves alone.
    const saved = await download(page, () => button(page, "Guardar progreso").click());
    assert.deepEqual(
      [await pictures(page), saved.name, saved.bytes.equals(bytes)],
      [shown, name, !shown.length],
    );
  }
  await openFile(page, "roto.txt", Buffer.from("roto"));
  await answer(page, ["Quivra", "No se abre el archivo...", "Aceptar", "Aceptar"], "Enter");
  assert.deepEqual(
    [await pictures(page), await page.title()],
    [["El barco a medio hacer"], "Quivra"],
  );
});

test("with File System Access, Open and Save write back through the picked files", async () => {
  const page = await openPage();
  // The pickers, stubbed at the page's edge: they hand out these files and keep what is written.
  await page.evaluate(
    (bytes) => {
      const picks = [
        { name: "fsa.txt", bytes },
        { name: "otro.txt", bytes: [] },
      ];
      window.written = [];
      const pick = async (options, { name, bytes } = picks.shift()) => ({
        name,
        getFile: async () => new File([new Uint8Array(bytes)], name),
        createWritable: async () => ({
          write: async (data) => window.written.push({ name, bytes: [...data] }),
          close: async () => {},
        }),
      });
      window.showOpenFilePicker = async () => [await pick()];
      window.showSaveFilePicker = pick;
    },
    [...desktopSave("fsa.txt", ["zarpar"])],
  );
  await button(page, "Abrir progreso...").click();
  await titled(page, "fsa.txt");
  await play(page, ["acercarse a las aves marinas"]);
  // Save goes back through the opened file's handle; Save as (Alt+C) through the one it picks.
  for (const [letter, writes] of [
    ["g", 1],
    ["c", 2],
  ]) {
    await accessKey(page, letter).then(() =>
      page.waitForFunction((n) => window.written.length === n, writes),
    );
  }
  const bytes = [...desktopSave("otro.txt", ["zarpar", "acercarse a las aves marinas"])];
  assert.deepEqual(await page.evaluate(() => window.written), [
    { name: "fsa.txt", bytes },
    { name: "otro.txt", bytes },
  ]);
});
