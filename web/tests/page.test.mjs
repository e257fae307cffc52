// The browser edition played in Debian's Chromium as a player would: keys, buttons, dialogs
// and files. Saves are compared with what the desktop's writer makes of the same walk.
import { after, before, test } from "node:test";
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { chromium } from "playwright-core";

const scratch = fs.mkdtempSync(path.join(os.tmpdir(), "quivra-web-"));
let browser;
before(async () => {
  browser = await chromium.launch({ executablePath: "/usr/bin/chromium",
    args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run"] });
});
after(async () => {
  await browser?.close();
  fs.rmSync(scratch, { recursive: true });
});

// A page without the File System Access API, or with its pickers stubbed at the page's edge:
// they answer from window.picks (a cancel when empty) and keep writes in window.written.
async function openPage(stubbed = false) {
  const context = await browser.newContext({ acceptDownloads: true });
  // The site's files as a static server would give them.
  await context.route("https://quivra.test/**", (route) => route.fulfill({ path:
    path.join(process.env.QUIVRA_WEB_SITE, new URL(route.request().url()).pathname.slice(1) || "index.html") }));
  await context.addInitScript((stubbed) => {
    window.picks = [];
    window.written = [];
    const handle = ({ name, bytes = [] }) => ({ name, getFile: async () => new File([new Uint8Array(bytes)], name),
      createWritable: async () => ({ write: async (data) => window.written.push({ name, bytes: [...data] }),
        close: async () => {} }) });
    const pick = async () => handle(window.picks.shift() ?? Promise.reject(new DOMException("", "AbortError")));
    window.showOpenFilePicker = stubbed ? async () => [await pick()] : undefined;
    window.showSaveFilePicker = stubbed ? pick : undefined;
  }, stubbed);
  const page = await context.newPage();
  await page.goto("https://quivra.test/");
  return ready(page);
}

const ready = (page) => page.waitForFunction(() => performance.getEntriesByName("quivra-ready").length === 1)
  .then(() => page);
const button = (page, name) => page.getByRole("button", { name, exact: true });
const pictures = (page) => page.$$eval("img.scene-area:not([hidden])", (shown) => shown.map((img) => img.alt));

async function play(page, phrases) {
  const verdicts = [];
  for (const phrase of phrases) {
    await page.fill("#txtComando", phrase);
    await page.press("#txtComando", "Enter");
    verdicts.push(await page.textContent("#txtOkOrNot"));
  }
  return verdicts;
}

function desktopSave(name, phrases) {
  execFileSync(process.env.QUIVRA_DESKTOP_SAVE, [path.join(scratch, name), ...phrases]);
  return fs.readFileSync(path.join(scratch, name));
}

async function download(page, click) {
  const [file] = await Promise.all([page.waitForEvent("download"), click()]);
  return { name: file.suggestedFilename(), bytes: fs.readFileSync(await file.path()) };
}

async function openFile(page, name, buffer) {
  const [chooser] = await Promise.all([page.waitForEvent("filechooser"), button(page, "Abrir progreso...").click()]);
  await chooser.setFiles({ name, mimeType: "text/plain", buffer });
}

// Alt and a letter as a keyboard sends them, with the letter's text, which access keys need.
async function accessKey(page, letter) {
  const key = { modifiers: 1, key: letter, code: `Key${letter.toUpperCase()}`, text: letter,
    unmodifiedText: letter, windowsVirtualKeyCode: letter.toUpperCase().charCodeAt(0) };
  const cdp = await page.context().newCDPSession(page);
  await cdp.send("Input.dispatchKeyEvent", { ...key, type: "keyDown" });
  await cdp.send("Input.dispatchKeyEvent", { ...key, type: "keyUp" });
}

// The message box showing: title, text, visible buttons and the focused one.
async function messageBox(page) {
  await page.getByRole("alertdialog").waitFor();
  return page.$eval("#messageBox", (box) => [box.querySelector("#boxTitle").textContent,
    box.querySelector("#boxText").textContent,
    [...box.querySelectorAll("button:not([hidden])")].map((b) => b.textContent).join("/"),
    document.activeElement.textContent]);
}

const island = ["zarpar", "navegar hacia la balsa", "subir a la balsa", "navegar", "saltar al agua"];
const endings = [
  [["aprovisionarse"], null],
  [["zarpar", "continuar", "continuar"], "Las islas"],
  [["zarpar", "navegar hacia la balsa", "subir a la balsa", "luchar con los tiburones"], null],
  [["zarpar", "acercarse a las aves marinas"], "Las aves marinas"],
  [["zarpar", "navegar hacia la balsa", "subir a la balsa", "navegar", "regresar al barco"], null],
  [[...island, "explorar"], null],
  [[...island, "hacer una fogata"], null],
  [[...island, "descansar", "acampar", "estudiar las conchas", "subir a la balsa", "", "", "", "", ""],
    "Una tabla en el mar"],
];

test("every ending, then Save as downloads the desktop's bytes under the chosen name", async () => {
  const page = await openPage();
  for (const [index, [walk, picture]] of endings.entries()) {
    const verdicts = await play(await ready(page), walk);
    assert.deepEqual([verdicts.at(-1), verdicts.includes("Equivocado")], ["Fin", false], walk.join("/"));
    assert.deepEqual(await pictures(page), picture ? [picture] : []);
    assert.equal(await page.isVisible("#txtEscenario"), !picture);
    const name = `fin ${index}.txt`;
    await button(page, "Guardar como...").click();
    await page.fill("#saveFile", name);
    assert.deepEqual(await download(page, () => button(page, "Guardar").click()),
      { name, bytes: desktopSave(name, walk) });
    assert.equal(await page.title(), `...${name} - Quivra`);
    await page.reload();
  }
});

test("the entry box has the focus; a wrong phrase is refused and changes nothing else", async () => {
  const page = await openPage();
  assert.equal(await page.evaluate(() => document.activeElement.id), "txtComando");
  assert.deepEqual(await play(page, ["zarpar ya"]), ["Equivocado"]);
  assert.deepEqual([await pictures(page), await page.title()], [["El barco a medio hacer"], "Quivra"]);
});

test("New game: Spanish buttons, Yes the default, Esc answers No and Enter Yes", async () => {
  const page = await openPage();
  await play(page, ["zarpar"]);
  for (const [key, verdict, shown] of [["Escape", "Ok", []], ["Enter", "", ["El barco a medio hacer"]]]) {
    await button(page, "Nuevo juego").click();
    assert.deepEqual(await messageBox(page), ["Nuevo juego", "¿Desea reempezar todo?", "Sí/No", "Sí"]);
    await page.keyboard.press(key);
    assert.deepEqual([await page.textContent("#txtOkOrNot"), await pictures(page)], [verdict, shown]);
  }
});

test("Open takes desktop saves; Save (Alt+G) downloads again under the file's name", async () => {
  const page = await openPage();
  for (const [walk, picture] of [[["zarpar", "acercarse a las aves marinas"], "Las aves marinas"],
    [["zarpar"], null]]) {
    const name = `escritorio ${walk.length}.txt`;
    const bytes = desktopSave(name, walk);
    await openFile(page, name, bytes);
    await page.waitForFunction((title) => document.title === title, `...${name} - Quivra`);
    assert.deepEqual(await pictures(page), picture ? [picture] : []);
    // A picture scene's save carries the scene box's own text, which Open leaves alone.
    const saved = await download(page, () => accessKey(page, "g"));
    assert.deepEqual([saved.name, saved.bytes.equals(bytes)], [name, !picture]);
  }
  await openFile(page, "roto.txt", Buffer.from("roto"));
  assert.deepEqual(await messageBox(page), ["Quivra", "No se abre el archivo...", "Aceptar", "Aceptar"]);
  await page.keyboard.press("Enter");
  assert.deepEqual([await pictures(page), await page.title()], [["El barco a medio hacer"], "Quivra"]);
});

test("Exit answered Yes reminds and stays; answered No closes the window", async () => {
  const page = await openPage();
  for (const [answer, box] of [["Enter", ["Permanecer en el programa", "Por favor guarde su progreso Ud. mismo...",
    "Aceptar", "Aceptar"]], ["Escape", null]]) {
    await button(page, "Salir").click();
    assert.deepEqual(await messageBox(page),
      ["Salir de Quivra", "¿Desea guardar su progreso antes de salir?", "Sí/No", "Sí"]);
    await page.keyboard.press(answer);
    if (box) {
      assert.deepEqual(await messageBox(page), box);
      await page.keyboard.press("Enter");
    }
  }
  assert.deepEqual([await page.isVisible("#frmQuivra"), await page.isVisible("text=Quivra se ha cerrado")], [false, true]);
  await button(page, "Jugar de nuevo").click();
  assert.deepEqual(await play(await ready(page), ["zarpar"]), ["Ok"]);
});

test("a screen reader hears the desktop's Spanish names, roles and descriptions", async () => {
  const page = await openPage();
  const cdp = await page.context().newCDPSession(page);
  const spoken = async () => (await cdp.send("Accessibility.getFullAXTree")).nodes.filter((n) => !n.ignored)
    .map((n) => [n.role?.value, n.name?.value, n.description?.value ?? "",
      n.properties?.find((p) => p.name === "live")?.value.value ?? ""].join("|"));
  const atStart = await spoken();
  await play(page, ["construir barco"]);
  const inPlay = await spoken();
  await button(page, "Nuevo juego").click();
  assert.ok((await spoken()).some((node) => node.startsWith("alertdialog|Nuevo juego|¿Desea reempezar todo?")));
  for (const expected of ["textbox|Comando|comando.|", "textbox|Pistas|Hints.|", "button|Guardar progreso|",
    "button|Guardar como...|", "button|Nuevo juego|", "button|Abrir progreso...|", "button|Salir|", "button|Ir|",
    "textbox|Escenario||polite", "textbox|Respuesta|Aquí se muestra la respuesta de la computadora...|polite"]) {
    assert.ok(inPlay.some((node) => node.startsWith(expected)), expected);
  }
  assert.ok(atStart.some((node) => /^image\|El barco a medio hacer\|.{40,}/.test(node)));
});

test("with File System Access, Open and Save write back through the picked files", async () => {
  const page = await openPage(true);
  await page.evaluate((bytes) => window.picks.push({ name: "fsa.txt", bytes }), [...desktopSave("fsa.txt", ["zarpar"])]);
  await button(page, "Abrir progreso...").click();
  await page.waitForFunction(() => document.title === "...fsa.txt - Quivra");
  await play(page, ["acercarse a las aves marinas"]);
  await page.evaluate(() => window.picks.push({ name: "otro.txt" }));
  await accessKey(page, "c");
  await page.waitForFunction(() => document.title === "...otro.txt - Quivra");
  await accessKey(page, "g");
  await page.waitForFunction(() => window.written.length === 2);
  const bytes = [...desktopSave("otro.txt", ["zarpar", "acercarse a las aves marinas"])];
  assert.deepEqual(await page.evaluate(() => window.written), [{ name: "otro.txt", bytes }, { name: "otro.txt", bytes }]);
  await button(page, "Abrir progreso...").click();
  assert.deepEqual((await messageBox(page)).slice(0, 2), ["Quivra", "No se abre el archivo..."]);
});
