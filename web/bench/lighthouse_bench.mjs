// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

// The first load as a phone and a desktop make it, audited by Lighthouse in Debian's Chromium
// (its mobile preset simulates a slow 4G link and a slowed CPU), with what a 3x phone's first
// screen transfers and Chromium's installability check beside it. Prints one table and fails
// when a goal is missed. scripts/web.sh --bench runs it against the served site.
//   node web/bench/lighthouse_bench.mjs URL [RUNS]
import lighthouse from "lighthouse";
import desktopConfig from "lighthouse/core/config/desktop-config.js";
import * as chromeLauncher from "chrome-launcher";
import { chromium } from "playwright-core";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";

const [address, runsText = "3"] = process.argv.slice(2);
const runs = Number(runsText);
const chromePath = process.env.CHROME_PATH || "/usr/bin/chromium";
const categories = ["performance", "accessibility", "best-practices", "seo"];

// Each run in a fresh profile: no HTTP cache and no service worker from an earlier one.
async function audit(config) {
  const chrome = await chromeLauncher.launch({
    chromePath,
    chromeFlags: [
      "--headless=new",
      "--no-sandbox",
      "--disable-gpu",
      "--disable-quic",
      "--no-first-run",
      "--disable-background-networking",
      "--disable-component-update",
      "--disable-sync",
    ],
  });
  try {
    const { lhr } = await lighthouse(
      address,
      { port: chrome.port, output: "json", logLevel: "error", onlyCategories: categories },
      config,
    );
    if (lhr.runtimeError) throw new Error(`Lighthouse: ${lhr.runtimeError.message}`);
    return lhr;
  } finally {
    await chrome.kill();
  }
}

// The run of median performance, so its paint, blocking time and shift are one run's.
async function preset(config) {
  const reports = [];
  for (let run = 0; run < runs; ++run) reports.push(await audit(config));
  reports.sort((a, b) => a.categories.performance.score - b.categories.performance.score);
  return reports[Math.floor(reports.length / 2)];
}

const mobile = await preset(undefined);
const desktop = await preset(desktopConfig);

// What the first screen costs on a 3x phone: every transfer the page starts before its load
// event; what it fetches later, when idle, is not on the first screen.
// A profile on disk: Chromium does not offer to install from an incognito one.
const profile = fs.mkdtempSync(path.join(os.tmpdir(), "quivra-bench-"));
const phone = await chromium.launchPersistentContext(profile, {
  executablePath: chromePath,
  args: [
    "--no-sandbox",
    "--disable-gpu",
    "--disable-quic",
    "--no-first-run",
    "--disable-background-networking",
    "--disable-component-update",
  ],
  viewport: { width: 390, height: 844 },
  deviceScaleFactor: 3,
  isMobile: true,
  hasTouch: true,
});
const page = await phone.newPage();
await page.goto(address, { waitUntil: "load" });
await page.waitForFunction(() => performance.getEntriesByName("quivra-ready").length === 1);
const firstScreen = await page.evaluate(() => {
  const [navigation] = performance.getEntriesByType("navigation");
  return [
    navigation,
    ...performance
      .getEntriesByType("resource")
      .filter((entry) => entry.startTime < navigation.loadEventEnd),
  ].map((entry) => ({ name: entry.name.split("/").pop() || "index", bytes: entry.transferSize }));
});
const cdp = await phone.newCDPSession(page);
const { installabilityErrors } = await cdp.send("Page.getInstallabilityErrors");
await phone.close();
fs.rmSync(profile, { recursive: true });

const score = (lhr, category) => Math.round(lhr.categories[category].score * 100);
const value = (lhr, audit) => lhr.audits[audit].numericValue;
const failing = (lhr, category) =>
  lhr.categories[category].auditRefs
    .filter(
      (ref) => ref.weight > 0 && lhr.audits[ref.id].score !== null && lhr.audits[ref.id].score < 1,
    )
    .map((ref) => ref.id);
const firstBytes = firstScreen.reduce((sum, entry) => sum + entry.bytes, 0);
const rows = [
  [
    `Mobile performance, median of ${runs}`,
    score(mobile, "performance"),
    "≥ 95",
    score(mobile, "performance") >= 95,
  ],
  [
    "  largest contentful paint",
    `${(value(mobile, "largest-contentful-paint") / 1000).toFixed(2)} s`,
    "≤ 2.0 s",
    value(mobile, "largest-contentful-paint") <= 2000,
  ],
  [
    "  total blocking time",
    `${value(mobile, "total-blocking-time").toFixed(0)} ms`,
    "≤ 50 ms",
    value(mobile, "total-blocking-time") <= 50,
  ],
  [
    "  cumulative layout shift",
    value(mobile, "cumulative-layout-shift").toFixed(3),
    "0",
    value(mobile, "cumulative-layout-shift") === 0,
  ],
  [
    "  first contentful paint",
    `${(value(mobile, "first-contentful-paint") / 1000).toFixed(2)} s`,
    "",
    true,
  ],
  [
    "Mobile best practices",
    score(mobile, "best-practices"),
    "100",
    score(mobile, "best-practices") === 100,
  ],
  ["Mobile SEO", score(mobile, "seo"), "100", score(mobile, "seo") === 100],
  ["Mobile accessibility", score(mobile, "accessibility"), "", true],
  [
    `Desktop performance, median of ${runs}`,
    score(desktop, "performance"),
    "100",
    score(desktop, "performance") === 100,
  ],
  [
    `First screen at 3x, ${firstScreen.length} transfers`,
    `${(firstBytes / 1024).toFixed(1)} KB`,
    "≤ 250 KB",
    firstBytes <= 250 * 1024,
  ],
  [
    "Installability errors",
    installabilityErrors.map((error) => error.errorId).join(", ") || "none",
    "none",
    installabilityErrors.length === 0,
  ],
];
console.log(`${"measure".padEnd(40)} ${"value".padStart(28)} ${"goal".padStart(9)}  result`);
for (const [measure, shown, goal, met] of rows) {
  console.log(
    `${measure.padEnd(40)} ${String(shown).padStart(28)} ${goal.padStart(9)}  ${met ? "met" : "MISSED"}`,
  );
}
for (const [name, lhr] of [
  ["mobile", mobile],
  ["desktop", desktop],
]) {
  for (const category of categories) {
    const audits = failing(lhr, category);
    if (audits.length) console.log(`${name} ${category} short of full marks: ${audits.join(", ")}`);
  }
}
console.log(
  `first screen: ${firstScreen.map((entry) => `${entry.name} ${(entry.bytes / 1024).toFixed(1)}`).join(", ")}`,
);
process.exitCode = rows.every((row) => row[3]) ? 0 : 1;
