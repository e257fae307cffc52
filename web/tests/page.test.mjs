// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

// The browser edition played in Debian's Chromium as a player would, for what Chromium lets a
// test see: speech, focus and access keys, the tab's storage, the pickers, screens of every
// size, axe and the service worker; the voyage every engine plays is engines.test.mjs's.
// Saves are compared with what the desktop's writer makes of the same walk, the window's
// boxes with the game's design.
import { after, test } from "node:test";
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import { fileURLToPath } from "node:url";
import { chromium } from "playwright-core";
import { desktopSave, poll, scratch, serve, site, siteFile } from "./support.mjs";

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
async function openPage(device = {}) {
  const context = await browser.newContext({ acceptDownloads: true, ...device });
  await context.route("https://quivra.test/**", (route) =>
    route.fulfill({ path: siteFile(route.request().url()) }),
  );
  await context.addInitScript(() => {
    window.showOpenFilePicker = window.showSaveFilePicker = undefined;
    // Every text the live region is given, as a screen reader receives it.
    window.said = [];
    document.addEventListener("DOMContentLoaded", () => {
      const region = document.querySelector("[aria-live]");
      const changes = { childList: true, characterData: true, subtree: true };
      new MutationObserver(() => window.said.push(region.textContent)).observe(region, changes);
    });
  });
  const page = await context.newPage();
  return page.goto("https://quivra.test/").then(() => ready(page));
}

const ready = (page) =>
  page
    .waitForFunction(() => performance.getEntriesByName("quivra-ready").length === 1)
    .then(() => page);
const button = (page, name) => page.getByRole("button", { name, exact: true });
// What the scene area shows: its pictures by name, or the passage's box.
const shown = (page) =>
  page.$$eval("main .holder > *", (all) =>
    all.filter((box) => box.checkVisibility()).map((box) => box.alt ?? box.id),
  );
const titled = (page, name) =>
  page.waitForFunction((title) => document.title === title, `...${name} - Quivra`);

async function play(page, phrases, verdicts = []) {
  for (const phrase of phrases) {
    await page.fill("#txtComando", phrase).then(() => page.press("#txtComando", "Enter"));
    verdicts.push(await page.textContent("#txtOkOrNot"));
  }
  return verdicts;
}

// Alt and a letter as a keyboard sends them, with the letter's text, which access keys need.
async function accessKey(page, letter) {
  const upper = letter.toUpperCase();
  const key = { modifiers: 1, key: letter, text: letter, unmodifiedText: letter };
  Object.assign(key, { code: `Key${upper}`, windowsVirtualKeyCode: upper.charCodeAt(0) });
  const cdp = await page.context().newCDPSession(page);
  for (const type of ["keyDown", "keyUp"])
    await cdp.send("Input.dispatchKeyEvent", { ...key, type });
}

// The words themselves are the shared commands', and scripts/check-screen-reader.sh hears each
// turn through a screen reader; here, that the page's one live region says the opening picture
// at the start and after New game and nothing on closing.
test("the live region says the opening picture, again after New game, and nothing on closing", async () => {
  const page = await openPage();
  const cdp = await page.context().newCDPSession(page);
  const tree = async () =>
    (await cdp.send("Accessibility.getFullAXTree")).nodes.filter((n) => !n.ignored);
  const said = (count) =>
    page
      .waitForFunction((n) => window.said.length >= n, count)
      .then(() => page.evaluate(() => window.said));
  const plain = (text) => text.replace(/\u00a0$/, "");
  // The opening picture's title, then its description, once the focus is in the entry box.
  assert.equal(await page.evaluate(() => document.activeElement.id), "txtComando");
  const title = "El barco a medio hacer";
  const image = (await tree()).find((n) => n.role?.value === "image" && n.name?.value === title);
  const opening = `${title}. ${image.description.value}`;
  assert.equal(plain((await said(1))[0]), opening);
  const live = (await tree()).filter((n) => n.properties?.some((p) => p.name === "live"));
  const roles = live.map((n) => n.role.value);
  assert.deepEqual(roles, ["generic"], "one live region, none inside");
  // New game answered by Enter (Yes) says the opening picture again; Esc leaves the Exit
  // question up, and its No closes.
  await play(page, ["zarpar"]);
  await button(page, "Nuevo juego").click();
  await page.keyboard.press("Enter");
  assert.equal(plain((await said(3)).at(-1)), opening);
  await button(page, "Salir").click();
  await page.keyboard.press("Escape");
  const exit = page.getByRole("dialog", { name: /^Salir de Quivra/ });
  await exit.getByRole("button", { name: "No" }).click();
  const closed = await page.isVisible("text=Quivra se ha cerrado");
  assert.deepEqual([await page.isVisible("#frmQuivra"), closed], [false, true]);
  assert.equal((await said(3)).length, 3, "closing says nothing");
  await button(page, "Jugar de nuevo").click();
  assert.deepEqual(await play(await ready(page), ["zarpar"]), ["Ok"]);
});

test("a reload keeps the voyage for the tab; a new tab and the closing card start afresh", async () => {
  const page = await openPage();
  const reload = () => page.reload().then(() => ready(page));
  const opening = ["El barco a medio hacer"];
  await play(page, ["zarpar"]);
  const passage = await page.textContent("#txtEscenario");
  await reload();
  const texts = [await page.textContent("#txtEscenario"), await page.textContent("#txtOkOrNot")];
  const after = [...texts, await page.title(), await shown(page)];
  assert.deepEqual(after, [passage, "", "Quivra", ["txtEscenario"]]);
  const tab = await page.context().newPage();
  await tab.goto("https://quivra.test/").then(() => ready(tab));
  assert.deepEqual(await shown(tab), opening);
  assert.deepEqual(await play(page, ["acercarse a las aves marinas"]), ["Fin"]);
  await reload();
  assert.deepEqual(await shown(page), ["Las aves marinas"]);
  await button(page, "Salir").click();
  await button(page, "No").click();
  await reload();
  assert.deepEqual(await shown(page), opening);
});

test("with File System Access, Open and Save write back through the picked files", async () => {
  const page = await openPage();
  // The pickers, stubbed at the page's edge: they hand out these files and keep what is written.
  const opened = [...desktopSave("fsa.txt", ["zarpar"])];
  await page.evaluate((bytes) => {
    const picks = Object.entries({ "fsa.txt": bytes, "otro.txt": [] });
    window.written = [];
    const pick = async (options, [name, bytes] = picks.shift()) => ({
      name,
      getFile: async () => new File([new Uint8Array(bytes)], name),
      createWritable: async () => ({
        write: async (data) => window.written.push({ name, bytes: [...data] }),
        close: async () => {},
      }),
    });
    window.showOpenFilePicker = async () => [await pick()];
    window.showSaveFilePicker = pick;
  }, opened);
  await button(page, "Abrir progreso...").click();
  await titled(page, "fsa.txt");
  await play(page, ["acercarse a las aves marinas"]);
  // Save goes back through the opened file's handle; Save as (Alt+C) through the one it picks.
  for (const [letter, writes] of Object.entries({ g: 1, c: 2 })) {
    await accessKey(page, letter);
    await page.waitForFunction((n) => window.written.length === n, writes);
  }
  const bytes = [...desktopSave("otro.txt", ["zarpar", "acercarse a las aves marinas"])];
  assert.deepEqual(await page.evaluate(() => window.written), [
    { name: "fsa.txt", bytes },
    { name: "otro.txt", bytes },
  ]);
});

// Phones as Chromium emulates them, a tablet and a desktop where the design's window fits, and
// that desktop zoomed to 200 % and 400 %.
const phone = { isMobile: true, hasTouch: true, deviceScaleFactor: 3 };
const devices = {
  "390×844": { viewport: { width: 390, height: 844 }, ...phone },
  "844×390": { viewport: { width: 844, height: 390 }, ...phone },
  "820×1180": { viewport: { width: 820, height: 1180 }, isMobile: true, hasTouch: true },
  "1280×720": { viewport: { width: 1280, height: 720 } },
  "200 %": { viewport: { width: 640, height: 360 }, deviceScaleFactor: 2 },
  "400 %": { viewport: { width: 320, height: 180 }, deviceScaleFactor: 4 },
};
// The shown boxes the selector finds, in the document's coordinates, with their font size.
const shownBoxes = (page, selector) =>
  page.$$eval(selector, (all) =>
    all
      .filter((box) => box.checkVisibility())
      .map((box) => {
        const { left, top, width, height } = box.getBoundingClientRect();
        const font = parseFloat(getComputedStyle(box).fontSize);
        const name = box.id || box.classList[0] || box.textContent.trim();
        return { name, left: left + scrollX, top: top + scrollY, width, height, font };
      }),
  );
const outside =
  ([width, height]) =>
  (b) =>
    b.left < 0 || b.top < 0 || b.left + b.width > width || b.top + b.height > height;
const small = (box) => box.width < 44 || box.height < 44;
// Each control's box relative to the client area, and that area's size; a hidden control is
// measured shown.
const design = JSON.parse(execFileSync(process.env.QUIVRA_WINDOW_BOXES, { encoding: "utf8" }));
const designBoxes = (page) =>
  page.evaluate((names) => {
    const area = document.getElementById("frmQuivra").getBoundingClientRect();
    const measured = { window: [area.width, area.height], controls: {} };
    for (const name of names) {
      const control = document.getElementById(name);
      const holder = control.parentElement.closest("[hidden]");
      if (holder) holder.hidden = false;
      const box = control.getBoundingClientRect();
      measured.controls[name] = [box.left - area.left, box.top - area.top, box.width, box.height];
      if (holder) holder.hidden = true;
    }
    return measured;
  }, Object.keys(design.controls));
test("nothing is cut on any screen; where the window fits its boxes are the design's; on a phone controls take a finger and read", async () => {
  const found = [];
  const flag = (device, fault, boxes, faulty) =>
    found.push(...boxes.filter(faulty).map((box) => `${device}: ${box.name} ${fault}`));
  for (const [name, device] of Object.entries(devices)) {
    const page = await openPage(device);
    // A player taps or clicks into the entry, types and taps or clicks Ir.
    const press = device.hasTouch ? "tap" : "click";
    await page[press]("#txtComando").then(() => page.keyboard.type("zarpar"));
    await button(page, "Ir")[press]();
    const all = await shownBoxes(page, "#frmQuivra > *, #frmQuivra .holder > *, .caption");
    const [extent, viewport] = await page.evaluate(() => [
      [document.documentElement.scrollWidth, document.documentElement.scrollHeight],
      [innerWidth, innerHeight],
    ]);
    flag(name, "cut", all, outside(extent));
    if (viewport[0] >= 602 && viewport[1] >= 518) {
      // The design's window, whole in the viewport, every control's box the design's.
      flag(name, "cut", await shownBoxes(page, "#frame"), outside(viewport));
      assert.deepEqual(await designBoxes(page), design, name);
    } else if (device.hasTouch) {
      flag(name, "scrolls sideways", [{ name: "page" }], () => extent[0] !== viewport[0]);
      const large = ["txtComando", "txtEscenario"];
      flag(name, "reads small", all, (box) => box.font < (large.includes(box.name) ? 16 : 14));
      const unfingered = ["caption", "lblAbout", "holder"];
      flag(name, "under a finger", all, (box) => !unfingered.includes(box.name) && small(box));
      // The opening picture across its column, drawn whole from its file for dense screens.
      await page.click("#cmdNuevoJuego").then(() => page.keyboard.press("Enter"));
      const [entry, picture] = await shownBoxes(page, "#txtComando, #pic_1_0");
      const read = (img) => [img.currentSrc.split("/").pop(), img.naturalHeight / img.naturalWidth];
      const [source, ratio] = await page.$eval("#pic_1_0", read);
      const column = viewport[0] < 602 ? entry.width : viewport[0] * 0.45;
      const whole = (box) => Math.abs((box.width - 4) * ratio - (box.height - 4)) < 1;
      const drawn = (box) => source === "pic_1_0@2x.jpg" && whole(box) && box.width >= column;
      flag(name, "not across its column", [picture], (box) => !drawn(box));
      // The dialogs' buttons and fields, within the screen's width.
      await button(page, "Nuevo juego").tap();
      const boxes = await shownBoxes(page, "dialog[open] button");
      await page.keyboard.press("Escape");
      await button(page, "Guardar como...").tap();
      boxes.push(...(await shownBoxes(page, "#saveName button, #saveFile, #saveType")));
      await button(page, "Cancelar").tap();
      await button(page, "Aceptar").tap();
      flag(name, "under a finger", boxes, small);
      flag(name, "cut", boxes, outside([viewport[0], extent[1]]));
    }
    await page.context().close();
  }
  assert.deepEqual(found, []);
});

// axe's every rule on each screen the page shows, in the design's colours, with more contrast
// and with the system's forced colours. The design's one fault is its hint list's teal on grey,
// seen on the first screen and let be on the others.
test("axe finds nothing on any screen but the design's hint colours, nor with more contrast or forced colours", async () => {
  const page = await openPage();
  await page.addScriptTag({ path: fileURLToPath(import.meta.resolve("axe-core/axe.min.js")) });
  const design = "color-contrast #txtHints";
  const found = [];
  const audit = async (screen) => {
    for (const media of ["no-preference none", "more none", "no-preference active"]) {
      const [contrast, forcedColors] = media.split(" ");
      await page.emulateMedia({ contrast, forcedColors });
      const faults = await page.evaluate(async () =>
        (await window.axe.run()).violations.flatMap((rule) =>
          rule.nodes.map((node) => `${rule.id} ${node.target.join(" ")}`),
        ),
      );
      const designs = screen !== "start" && contrast === "no-preference" && forcedColors === "none";
      const mode = `${screen}, ${contrast} contrast, ${forcedColors} forced colours:`;
      const kept = faults.filter((fault) => !designs || fault !== design);
      found.push(...kept.map((fault) => `${mode} ${fault}`));
    }
  };
  await audit("start");
  await play(page, ["zarpar"]).then(() => audit("text turn"));
  await play(page, ["acercarse a las aves marinas"]).then(() => audit("picture turn"));
  await button(page, "Nuevo juego").click();
  await page.getByRole("dialog").waitFor();
  await audit("message box");
  await page.keyboard.press("Escape");
  await button(page, "Guardar como...").click();
  await audit("file-name box");
  for (const name of ["Cancelar", "Aceptar", "Salir", "No"]) await button(page, name).click();
  await audit("closing card");
  assert.deepEqual(found, [`start, no-preference contrast, none forced colours: ${design}`]);
});

// A service worker fetches the site for itself, where routes do not reach, and only from a
// secure origin: this computer's address is one, so the site is served here.
// What the page answers, asked again until it is true (the worker's work is asynchronous).
const until = (page, script, arg) => poll(() => page.evaluate(script, arg), `true: ${script}`);

test("after one visit the page takes a new build's cache and plays with the network cut", async () => {
  let next = false;
  // The next build as its worker names it: the same files under another cache.
  const nextBuild = (file, bytes) =>
    next && file.endsWith("service-worker.js")
      ? String(bytes).replace(/^(const cacheName = ".*)";/, '$1-next";')
      : bytes;
  const server = await serve(nextBuild);
  const context = await browser.newContext();
  try {
    const page = await context.newPage();
    await page.goto(`http://127.0.0.1:${server.address().port}/`).then(() => ready(page));
    // Idle after the first screen, every picture has arrived; the worker keeps every file of the
    // build, and a new build's worker replaces its cache.
    const arrived = () =>
      [...document.querySelectorAll("main img")].every((img) => img.complete && img.naturalWidth);
    await until(page, arrived);
    await until(page, () => navigator.serviceWorker.controller !== null);
    const [first, ...others] = await page.evaluate(() => caches.keys());
    assert.deepEqual(others, []);
    next = true;
    await page.evaluate(async () => (await navigator.serviceWorker.getRegistration()).update());
    const nextCache = `${first}-next`;
    await until(page, async (name) => (await caches.keys()).join() === name, nextCache);
    const kept = await page.evaluate(async (name) => {
      const requests = await (await caches.open(name)).keys();
      return requests.map((request) => request.url.split("/").pop());
    }, nextCache);
    const built = fs.readdirSync(site).filter((file) => file !== "service-worker.js");
    assert.deepEqual(kept.sort(), built.sort());

    await context.setOffline(true);
    server.closeAllConnections();
    server.close();
    await page.reload().then(() => ready(page));
    assert.deepEqual(await play(page, ["zarpar", "acercarse a las aves marinas"]), ["Ok", "Fin"]);
    assert.deepEqual(await shown(page), ["Las aves marinas"]);
    await until(page, arrived);
  } finally {
    server.closeAllConnections();
    server.close();
    await context.close();
  }
});
