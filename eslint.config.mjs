// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

// ESLint for the browser edition: scripts/check.sh runs it over web/ and fails on any finding.
import js from "@eslint/js";
import globals from "globals";

export default [
  js.configs.recommended,
  {
    // A classic script beside the emscripten module, which gives it createQuivra.
    files: ["web/page.js"],
    languageOptions: {
      sourceType: "script",
      globals: { ...globals.browser, createQuivra: "readonly" },
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
