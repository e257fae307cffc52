// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

// What the browser tests share: a scratch folder, the built site served from this computer,
// polling, and the saves the desktop's writer makes of a walk.
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import { createServer } from "node:http";
import path from "node:path";

export const scratch = fs.mkdtempSync("/tmp/quivra-web-");
export const site = process.env.QUIVRA_WEB_SITE;
// The site's file a URL names, as a static server would give it.
export const siteFile = (url) =>
  path.join(site, new URL(url, "http://x").pathname.slice(1) || "index.html");
const types = { ".html": "text/html", ".js": "text/javascript", ".css": "text/css" };
Object.assign(types, { ".wasm": "application/wasm", ".webmanifest": "application/manifest+json" });
Object.assign(types, { ".png": "image/png", ".jpg": "image/jpeg", ".woff2": "font/woff2" });

// The site served on this computer's address, listening; `edit` may change a file's bytes.
export async function serve(edit = (file, bytes) => bytes) {
  const server = createServer((request, response) => {
    const file = siteFile(request.url);
    fs.readFile(file, (error, bytes) => {
      if (error) return response.writeHead(404).end();
      const type = { "content-type": types[path.extname(file)] };
      response.writeHead(200, type).end(edit(file, bytes));
    });
  });
  await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
  return server;
}

// The check's first truthy answer, asked every tenth of a second for ten seconds.
export async function poll(check, what) {
  for (let tries = 0; tries < 100; ++tries) {
    const answer = await check();
    if (answer) return answer;
    await new Promise((resolve) => setTimeout(resolve, 100));
  }
  throw new Error(`never ${what}`);
}

// What the desktop's writer saves after the phrases, under the name.
export const desktopSave = (name, phrases) =>
  execFileSync(process.env.QUIVRA_DESKTOP_SAVE, [path.join(scratch, name), ...phrases]) &&
  fs.readFileSync(path.join(scratch, name));
