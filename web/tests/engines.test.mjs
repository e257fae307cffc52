// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

// The browser edition in each engine a player may bring, as QUIVRA_ENGINE names it: Chromium
// and Firefox ESR through Puppeteer, WebKitGTK through its WebDriver (under an X server). One
// voyage in each: an empty and a wrong phrase, a picture ending, Save as by download, New
// game, Open.
import { after, test } from "node:test";
import assert from "node:assert/strict";
import fs from "node:fs";
import path from "node:path";
import puppeteer from "puppeteer-core";
import { Builder, By, Key } from "selenium-webdriver";
import remote from "selenium-webdriver/remote/index.js";
import { desktopSave, poll, scratch, serve } from "./support.mjs";

const engine = process.env.QUIVRA_ENGINE;
const downloads = path.join(scratch, "downloads");
fs.mkdirSync(downloads);
const server = await serve();
after(() => {
  server.close();
  fs.rmSync(scratch, { recursive: true });
});

// Each engine's driver behind the few things a player does: find a control by its role and
// name (to click it or to type into it), press a key, hand a file to the page's file input;
// and the page's answers by script.
async function puppeteerPage(options) {
  const browser = await puppeteer.launch({ headless: true, ...options });
  const downloadBehavior = { policy: "allow", downloadPath: downloads };
  const page = await (await browser.createBrowserContext({ downloadBehavior })).newPage();
  return {
    go: (url) => page.goto(url),
    run: (script, arg) => page.evaluate(script, arg),
    control: (role, name) => page.waitForSelector(`::-p-aria([name="${name}"][role="${role}"])`),
    type: (box, text) => box.type(text),
    press: (key) => page.keyboard.press(key),
    upload: (file) => page.$("#openFile").then((input) => input.uploadFile(file)),
    close: () => browser.close(),
  };
}

// WebKit's driver finds by text and then asks each control its role and name; a control out
// of reach behind a modal box has no name to give.
async function webkitPage() {
  const service = new remote.DriverService.Builder("/usr/bin/WebKitWebDriver")
    .setLoopback(true)
    .setEnvironment({ ...process.env, HOME: downloads })
    .build();
  const browserOptions = { binary: process.env.QUIVRA_MINIBROWSER, args: ["--automation"] };
  const driver = await new Builder()
    .usingServer(await service.start())
    .withCapabilities({ browserName: "MiniBrowser", "webkitgtk:browserOptions": browserOptions })
    .build();
  const xpaths = { button: "//button", textbox: "//input", dialog: "//dialog[@open]" };
  const named = async (found, role, name) =>
    (await found.getAccessibleName().catch(() => null)) === name &&
    (await found.getAriaRole()) === role &&
    (await found.isDisplayed());
  // A box that goes while it is looked at is not there yet: the next look finds the new one.
  const stale = (error) => {
    if (error.name !== "StaleElementReferenceError") throw error;
  };
  const control = (role, name) =>
    poll(async () => {
      try {
        for (const found of await driver.findElements(By.xpath(xpaths[role])))
          if (await named(found, role, name)) return found;
      } catch (error) {
        stale(error);
      }
    }, `a ${role} named ${name}`);
  const keys = { Enter: Key.ENTER, Escape: Key.ESCAPE };
  return {
    go: (url) => driver.get(url),
    run: (script, arg) => driver.executeScript(script, arg),
    control,
    type: (box, text) => box.sendKeys(text),
    press: (key) => driver.actions().sendKeys(keys[key]).perform(),
    upload: (file) => driver.findElement(By.id("openFile")).sendKeys(file),
    close: () => driver.quit().finally(() => service.kill()),
  };
}

const pages = {
  chromium: () =>
    puppeteerPage({ executablePath: "/usr/bin/chromium", args: ["--no-sandbox", "--disable-gpu"] }),
  // The downloads panel a save opens would take the keys from the page's next boxes.
  firefox: () =>
    puppeteerPage({
      browser: "firefox",
      executablePath: "/usr/bin/firefox-esr",
      extraPrefsFirefox: { "browser.download.alwaysOpenPanel": false },
    }),
  webkit: webkitPage,
};

const until = (page, script, arg) => poll(() => page.run(script, arg), `true: ${script}`);
// A download's bytes once the engine has finished writing it.
const downloaded = (name) =>
  poll(() => {
    const file = path.join(downloads, name);
    const partial = fs.readdirSync(downloads).some((entry) => /\.(part|crdownload)$/.test(entry));
    return !partial && fs.existsSync(file) && fs.statSync(file).size > 0 && fs.readFileSync(file);
  }, `a download named ${name}`);
const titled = (page, name) =>
  until(page, (title) => document.title === title, `...${name} - Quivra`);
const click = (page, name) => page.control("button", name).then((button) => button.click());
// Over what the box holds, as a player selects it all and types (nothing, for an empty entry).
const type = (page, box, text) =>
  page.run((box) => box.select(), box).then(() => text && page.type(box, text));

// The verdict and the pictures shown; while a message box is up, its buttons and the focused
// one.
const shown = (page) =>
  page.run(() => {
    const box = [...document.querySelectorAll("dialog[open]:not(.answered) button")];
    const pictures = [...document.querySelectorAll("main img")].filter((p) => p.checkVisibility());
    const seen = [document.getElementById("txtOkOrNot").textContent, pictures.map((p) => p.alt)];
    const focus = document.activeElement.textContent;
    return box.length ? [...seen, box.map((button) => button.textContent), focus] : seen;
  });
async function play(page, phrases, verdicts = []) {
  const entry = await page.control("textbox", "Comando");
  for (const phrase of phrases) {
    await type(page, entry, phrase).then(() => page.press("Enter"));
    verdicts.push((await shown(page))[0]);
  }
  return verdicts;
}

test(`${engine}: an empty and a wrong phrase, a picture ending, Save as, New game and Open`, async () => {
  const page = await pages[engine]();
  try {
    // Without the File System Access API (as in most engines), files go by input and download.
    await page.go(`http://127.0.0.1:${server.address().port}/`);
    await until(page, () => performance.getEntriesByName("quivra-ready").length === 1);
    await page.run(() => (window.showOpenFilePicker = window.showSaveFilePicker = undefined));
    const walk = ["", "zarpar ya", "zarpar", "acercarse a las aves marinas"];
    assert.deepEqual(await play(page, walk), ["Equivocado", "Equivocado", "Ok", "Fin"]);
    assert.deepEqual(await shown(page), ["Fin", ["Las aves marinas"]]);

    await click(page, "Guardar como...");
    await type(page, await page.control("textbox", "Nombre del archivo:"), "fin de viaje.txt");
    await click(page, "Guardar");
    assert.deepEqual(await downloaded("fin de viaje.txt"), desktopSave("fin de viaje.txt", walk));
    await titled(page, "fin de viaje.txt");

    // New game asks first: Esc is No and leaves the ending; Enter is Yes and starts afresh.
    for (const [key, after] of [
      ["Escape", ["Fin", ["Las aves marinas"]]],
      ["Enter", ["", ["El barco a medio hacer"]]],
    ]) {
      await click(page, "Nuevo juego");
      await page.control("dialog", "Nuevo juego ¿Desea reempezar todo?");
      assert.deepEqual(await shown(page), ["Fin", ["Las aves marinas"], ["Sí", "No"], "Sí"]);
      await page.press(key);
      await until(page, () => !document.querySelector("dialog[open]:not(.answered)"));
      assert.deepEqual(await shown(page), after, key);
    }

    // A desktop save opened goes on from where the desktop left it. Driven, Firefox and WebKit
    // show no picker and cancel at once, before the driver hands the file in; the page is
    // kept from that cancel.
    desktopSave("escritorio.txt", ["zarpar"]);
    await page.run(() => {
      const cancelled = (event) => event.target.type === "file" && event.stopImmediatePropagation();
      addEventListener("cancel", cancelled, true);
    });
    await click(page, "Abrir progreso...");
    await page.upload(path.join(scratch, "escritorio.txt"));
    await titled(page, "escritorio.txt");
    assert.deepEqual(await play(page, ["acercarse a las aves marinas"]), ["Fin"]);
  } finally {
    await page.close();
  }
});
