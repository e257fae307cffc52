// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

// Measures the browser edition in headless Chromium against its goals: a turn of the longest
// passage, the time from navigation to the entry box ready, and what a 1x screen transfers.
// Prints one table and fails when a goal is missed. scripts/web.sh --bench runs it against
// the served site.
//   node web/bench/page_bench.mjs URL [RUNS]
import { chromium } from "playwright-core";

const [address, runsText = "20"] = process.argv.slice(2);
const runs = Number(runsText);
const browser = await chromium.launch({
  executablePath: "/usr/bin/chromium",
  args: [
    "--no-sandbox",
    "--disable-gpu",
    "--disable-quic",
    "--no-first-run",
    "--disable-background-networking",
    "--disable-component-update",
    "--disable-sync",
  ],
});
const median = (values) => values.sort((a, b) => a - b)[Math.floor(values.length / 2)];

async function freshPage() {
  const context = await browser.newContext({ deviceScaleFactor: 1 });
  const page = await context.newPage();
  await page.goto(address);
  await page.waitForFunction(() => performance.getEntriesByName("quivra-ready").length === 1);
  return page;
}

// The walk to the raft's picture; Enter there writes the longest passage.
const toTheRaft = [
  "zarpar",
  "navegar hacia la balsa",
  "subir a la balsa",
  "navegar",
  "saltar al agua",
  "descansar",
  "acampar",
  "estudiar las conchas",
  "subir a la balsa",
  "",
  "",
  "",
];

// Enter as the entry box receives it, timed from the key's event to the text written into the
// page; layout and painting come after and are not counted.
function longestTurn(phrases) {
  const entry = document.getElementById("txtComando");
  const scene = document.getElementById("txtEscenario");
  const enter = () =>
    entry.dispatchEvent(new KeyboardEvent("keydown", { key: "Enter", bubbles: true }));
  for (const phrase of phrases) {
    entry.value = phrase;
    if (document.getElementById("pic_4_2").checkVisibility()) {
      const start = performance.now();
      enter();
      return { ms: performance.now() - start, characters: scene.textContent.length };
    }
    enter();
  }
  return null;
}

const turns = [];
let characters = 0;
const readies = [];
const transfers = [];
for (let run = 0; run < runs; ++run) {
  const page = await freshPage();
  readies.push(
    await page.evaluate(() => performance.getEntriesByName("quivra-ready")[0].startTime),
  );
  const turn = await page.evaluate(longestTurn, toTheRaft);
  if (!turn) throw new Error("the walk did not reach the raft's picture");
  turns.push(turn.ms);
  characters = turn.characters;
  if (run === 0) {
    // Every web font counted, though a computer with Times New Roman (or fontconfig's
    // alias for it) never fetches the serif one.
    await page.evaluate(() => document.fonts.load('12pt "Liberation Serif"'));
    await page.waitForLoadState("networkidle");
    transfers.push(
      ...(await page.evaluate(() =>
        [
          performance.getEntriesByType("navigation")[0],
          ...performance.getEntriesByType("resource"),
        ].map((entry) => ({ name: entry.name.split("/").pop(), bytes: entry.transferSize })),
      )),
    );
  }
  await page.context().close();
}
await browser.close();

const kb = (bytes) => `${(bytes / 1024).toFixed(1)} KB`;
const total = transfers.reduce((sum, entry) => sum + entry.bytes, 0);
const code = transfers
  .filter((entry) => /\.(wasm|js)$/.test(entry.name))
  .reduce((sum, entry) => sum + entry.bytes, 0);
const rows = [
  [
    `Turn, longest passage (${characters} characters), median of ${runs}`,
    `${median(turns).toFixed(2)} ms`,
    "< 1 ms",
    median(turns) < 1,
  ],
  [
    `Navigation to the entry box ready, median of ${runs}`,
    `${median(readies).toFixed(0)} ms`,
    "< 300 ms",
    median(readies) < 300,
  ],
  [`Whole page at 1x, ${transfers.length} transfers`, kb(total), "< 1 MB", total < 1024 * 1024],
  ["WebAssembly and JavaScript", kb(code), "< 200 KB", code < 200 * 1024],
];
console.log(`${"measure".padEnd(58)} ${"value".padStart(10)} ${"goal".padStart(10)}  result`);
for (const [measure, value, goal, met] of rows) {
  console.log(
    `${measure.padEnd(58)} ${value.padStart(10)} ${goal.padStart(10)}  ${met ? "met" : "MISSED"}`,
  );
}
process.exitCode = rows.every((row) => row[3]) ? 0 : 1;
