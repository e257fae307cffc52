// The browser edition played in Debian's Chromium as a player would: through the keyboard,
// the buttons, the dialogs and the files. Progress files are compared with what the
// desktop's writer produces for the same walk (desktop_save).
import { after, before, test } from "node:test";
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import http from "node:http";
import os from "node:os";
import path from "node:path";
import { chromium } from "playwright-core";

const site = process.env.QUIVRA_WEB_SITE;
const types = { ".html": "text/html; charset=utf-8", ".js": "text/javascript", ".css": "text/css",
  ".wasm": "application/wasm", ".jpg": "image/jpeg", ".png": "image/png", ".woff2": "font/woff2" };
const scratch = fs.mkdtempSync(path.join(os.tmpdir(), "quivra-web-"));
let server, browser, address;

before(async () => {
  server = http.createServer((request, response) => {
    const file = path.join(site, new URL(request.url, "http://x").pathname.replace(/\/$/, "/index.html"));
    fs.readFile(file, (error, data) => {
      response.writeHead(error ? 404 : 200, { "content-type": types[path.extname(file)] ?? "" });
      response.end(data);
    });
  });
  await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
  address = `http://127.0.0.1:${server.address().port}/`;
  browser = await chromium.launch({ executablePath: "/usr/bin/chromium", args: ["--no-sandbox",
    "--disable-gpu", "--disable-quic", "--no-first-run", "--disable-background-networking",
    "--disable-component-update", "--disable-sync"] });
});
after(async () => {
  await browser?.close();
  server?.close();
  fs.rmSync(scratch, { recursive: true, force: true });
});

// A fresh page: without the File System Access API (the fallback), or with it stubbed at
// the page's edge, its pickers answering from window.picks and its writes kept in
// window.written.
async function openPage({ pickers = false } = {}) {
  const context = await browser.newContext({ acceptDownloads: true });
  await context.addInitScript((stubbed) => {
    if (!stubbed) {
      delete window.showOpenFilePicker;
      delete window.showSaveFilePicker;
      return;
    }
    window.picks = [];
    window.written = [];
    const next = () => window.picks.shift() ?? Promise.reject(new DOMException("", "AbortError"));
    const handle = ({ name, bytes = [] }) => ({ name, kind: "file",
      getFile: async () => new File([new Uint8Array(bytes)], name),
      createWritable: async () => ({ close: async () => {},
        write: async (data) => window.written.push({ name, bytes: Array.from(data) }) }) });
    window.showOpenFilePicker = async () => [handle(await next())];
    window.showSaveFilePicker = async () => handle(await next());
  }, pickers);
  const page = await context.newPage();
  await page.goto(address);
  await page.waitForFunction(() => performance.getEntriesByName("quivra-ready").length === 1);
  return page;
}

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
  const file = path.join(scratch, name);
  execFileSync(process.env.QUIVRA_DESKTOP_SAVE, [file, ...phrases]);
  return fs.readFileSync(file);
}

async function downloaded(page, click) {
  const [download] = await Promise.all([page.waitForEvent("download"), click()]);
  return { name: download.suggestedFilename(), bytes: fs.readFileSync(await download.path()) };
}

async function saveAsDownload(page, name) {
  await page.getByRole("button", { name: "Guardar como..." }).click();
  await page.fill("#saveFile", name);
  return downloaded(page, () => page.getByRole("button", { name: "Guardar", exact: true }).click());
}

// Alt and a letter as a keyboard sends it, with the letter's text, which access keys need.
async function accessKey(page, letter) {
  const cdp = await page.context().newCDPSession(page);
  const key = { modifiers: 1, key: letter, code: `Key${letter.toUpperCase()}`,
    windowsVirtualKeyCode: letter.toUpperCase().charCodeAt(0) };
  await cdp.send("Input.dispatchKeyEvent", { ...key, type: "keyDown", text: letter, unmodifiedText: letter });
  await cdp.send("Input.dispatchKeyEvent", { ...key, type: "keyUp" });
}

async function openFile(page, name, bytes) {
  const [chooser] = await Promise.all([page.waitForEvent("filechooser"),
    page.getByRole("button", { name: "Abrir progreso..." }).click()]);
  await chooser.setFiles({ name, mimeType: "text/plain", buffer: Buffer.from(bytes) });
}

// The message box showing: its title, text, visible buttons and the focused one.
async function messageBox(page) {
  const box = page.getByRole("alertdialog");
  await box.waitFor();
  return box.evaluate((dialog) => ({
    title: dialog.querySelector("#boxTitle").textContent,
    text: dialog.querySelector("#boxText").textContent,
    buttons: [...dialog.querySelectorAll("button")].filter((b) => !b.hidden).map((b) => b.textContent),
    focused: document.activeElement.textContent,
  }));
}

const visiblePicture = (page) => page.evaluate(() =>
  [...document.querySelectorAll("img.scene-area")].filter((img) => !img.hidden).map((img) => img.alt));

const island = ["zarpar", "navegar hacia la balsa", "subir a la balsa", "navegar", "saltar al agua"];
const endings = [
  { walk: ["aprovisionarse"], picture: null },
  { walk: ["zarpar", "continuar", "continuar"], picture: "Las islas" },
  { walk: ["zarpar", "navegar hacia la balsa", "subir a la balsa", "luchar con los tiburones"], picture: null },
  { walk: ["zarpar", "acercarse a las aves marinas"], picture: "Las aves marinas" },
  { walk: ["zarpar", "navegar hacia la balsa", "subir a la balsa", "navegar", "regresar al barco"], picture: null },
  { walk: [...island, "explorar"], picture: null },
  { walk: [...island, "hacer una fogata"], picture: null },
  { walk: [...island, "descansar", "acampar", "estudiar las conchas", "subir a la balsa", "", "", "", "", ""],
    picture: "Una tabla en el mar" },
];

test("every ending, then Save as downloads the desktop's bytes under the chosen name", async () => {
  const page = await openPage();
  for (const [index, { walk, picture }] of endings.entries()) {
    if (index > 0) await page.reload();
    await page.waitForFunction(() => performance.getEntriesByName("quivra-ready").length === 1);
    const verdicts = await play(page, walk);
    assert.deepEqual(verdicts.slice(-1), ["Fin"], walk.join(" / "));
    assert.ok(!verdicts.includes("Equivocado"), walk.join(" / "));
    assert.deepEqual(await visiblePicture(page), picture ? [picture] : []);
    assert.equal(await page.isVisible("#txtEscenario"), !picture);
    const name = `fin ${index}.txt`;
    assert.deepEqual(await saveAsDownload(page, name), { name, bytes: desktopSave(name, walk) });
    assert.equal(await page.title(), `...${name} - Quivra`);
  }
});

test("a wrong phrase is refused and changes nothing else", async () => {
  const page = await openPage();
  assert.deepEqual(await play(page, ["zarpar ya"]), ["Equivocado"]);
  assert.deepEqual(await visiblePicture(page), ["El barco a medio hacer"]);
  assert.equal(await page.title(), "Quivra");
});

test("New game: Spanish buttons, Yes the default, Esc answers No and Enter Yes", async () => {
  const page = await openPage();
  await play(page, ["zarpar"]);
  for (const [key, verdict, pictures] of [["Escape", "Ok", []], ["Enter", "", ["El barco a medio hacer"]]]) {
    await page.getByRole("button", { name: "Nuevo juego" }).click();
    assert.deepEqual(await messageBox(page), { title: "Nuevo juego", text: "¿Desea reempezar todo?",
      buttons: ["Sí", "No"], focused: "Sí" });
    await page.keyboard.press(key);
    assert.equal(await page.textContent("#txtOkOrNot"), verdict);
    assert.deepEqual(await visiblePicture(page), pictures);
  }
  assert.equal(await page.evaluate(() => document.activeElement.id), "cmdNuevoJuego");
});

test("Open takes a desktop save, and Save gives the same bytes back under its name", async () => {
  const page = await openPage();
  for (const [walk, picture] of [[["zarpar", "acercarse a las aves marinas"], "Las aves marinas"],
    [["zarpar"], null]]) {
    const name = `escritorio ${walk.length}.txt`;
    const bytes = desktopSave(name, walk);
    await openFile(page, name, bytes);
    await page.waitForFunction((title) => document.title === title, `...${name} - Quivra`);
    assert.deepEqual(await visiblePicture(page), picture ? [picture] : []);
    assert.equal(await page.isVisible("#txtEscenario"), !picture);
    // A picture scene's save carries the scene box's own text, which Open leaves alone.
    const saved = await downloaded(page, () => accessKey(page, "g"));
    assert.equal(saved.name, name);
    assert.equal(saved.bytes.equals(bytes), !picture);
  }
});

test("a broken file or a cancel is answered with 'No se abre el archivo...'", async () => {
  const page = await openPage();
  await openFile(page, "roto.txt", "no es un progreso");
  assert.deepEqual(await messageBox(page), { title: "Quivra", text: "No se abre el archivo...",
    buttons: ["Aceptar"], focused: "Aceptar" });
  await page.keyboard.press("Enter");
  assert.equal(await page.title(), "Quivra");
  assert.deepEqual(await visiblePicture(page), ["El barco a medio hacer"]);
});

test("Exit answered Yes reminds and stays; answered No closes the window", async () => {
  const page = await openPage();
  await page.getByRole("button", { name: "Salir" }).click();
  assert.deepEqual(await messageBox(page), { title: "Salir de Quivra",
    text: "¿Desea guardar su progreso antes de salir?", buttons: ["Sí", "No"], focused: "Sí" });
  await page.keyboard.press("Enter");
  assert.deepEqual(await messageBox(page), { title: "Permanecer en el programa",
    text: "Por favor guarde su progreso Ud. mismo...", buttons: ["Aceptar"], focused: "Aceptar" });
  await page.keyboard.press("Enter");
  assert.deepEqual(await play(page, ["zarpar"]), ["Ok"]);
  await page.getByRole("button", { name: "Salir" }).click();
  await page.getByRole("button", { name: "No" }).click();
  await page.getByText("Quivra se ha cerrado").waitFor();
  assert.equal(await page.isVisible("#frmQuivra"), false);
  await page.getByRole("button", { name: "Jugar de nuevo" }).click();
  await page.waitForFunction(() => performance.getEntriesByName("quivra-ready").length === 1);
});

test("a screen reader hears the desktop's Spanish names and roles", async () => {
  const page = await openPage();
  const cdp = await page.context().newCDPSession(page);
  const tree = async () => (await cdp.send("Accessibility.getFullAXTree")).nodes.filter((n) => !n.ignored);
  const find = (nodes, role, name) => nodes.find((n) => n.role?.value === role && n.name?.value === name);
  const property = (node, key) => node?.properties?.find((p) => p.name === key)?.value.value;
  const start = await tree();
  const picture = start.find((n) => n.role?.value === "image");
  assert.equal(picture?.name?.value, "El barco a medio hacer");
  assert.match(picture?.description?.value ?? "", /barco de madera/);
  await play(page, ["construir barco"]);
  const nodes = await tree();
  for (const [role, name] of [["textbox", "Comando"], ["textbox", "Pistas"], ["button", "Guardar progreso"],
    ["button", "Guardar como..."], ["button", "Nuevo juego"], ["button", "Abrir progreso..."],
    ["button", "Salir"], ["button", "Ir"]]) {
    assert.ok(find(nodes, role, name), `${role} "${name}"`);
  }
  for (const name of ["Escenario", "Respuesta"]) {
    assert.equal(property(find(nodes, "textbox", name), "live"), "polite", name);
  }
  await page.getByRole("button", { name: "Nuevo juego" }).click();
  assert.ok(find(await tree(), "alertdialog", "Nuevo juego"));
});

test("with File System Access, Open and Save write back through the picked file", async () => {
  const page = await openPage({ pickers: true });
  const bytes = [...desktopSave("fsa.txt", ["zarpar"])];
  await page.evaluate((file) => window.picks.push(file), { name: "fsa.txt", bytes });
  await page.getByRole("button", { name: "Abrir progreso..." }).click();
  await page.waitForFunction(() => document.title === "...fsa.txt - Quivra");
  await play(page, ["acercarse a las aves marinas"]);
  await page.evaluate(() => window.picks.push({ name: "otro.txt" }));
  await accessKey(page, "c");
  await page.waitForFunction(() => document.title === "...otro.txt - Quivra");
  await accessKey(page, "g");
  await page.waitForFunction(() => window.written.length === 2);
  const expected = [...desktopSave("otro.txt", ["zarpar", "acercarse a las aves marinas"])];
  assert.deepEqual(await page.evaluate(() => window.written),
    [{ name: "otro.txt", bytes: expected }, { name: "otro.txt", bytes: expected }]);
  await page.getByRole("button", { name: "Abrir progreso..." }).click();
  assert.equal((await messageBox(page)).text, "No se abre el archivo...");
});
