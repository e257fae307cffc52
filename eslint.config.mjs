// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

// ESLint for the browser edition: scripts/check.sh runs it over web/ and fails on any finding.
import js from "@eslint/js";
import globals from "globals";

export default [
  js.configs.recommended,
  {
    // The page's modules; emscripten's classic script gives page.js createQuivra, and the
    // page's head starts the WebAssembly fetch as quivraWasm.
    files: ["web/page.js", "web/after-load.js"],
    languageOptions: {
      sourceType: "module",
      globals: { ...globals.browser, createQuivra: "readonly", quivraWasm: "readonly" },
    },
  },
  {
    // web.sh writes the build's file list and cache name above the worker's code.
    files: ["web/service-worker.js"],
    languageOptions: {
      sourceType: "script",
      globals: { ...globals.serviceworker, cacheName: "readonly", files: "readonly" },
    },
  },
  {
    // Node.js programs that drive Chromium; the functions they hand to the page run there.
    files: ["**/*.mjs"],
    languageOptions: {
      sourceType: "module",
      globals: { ...globals.node, ...globals.browser },
    },
  },
];
