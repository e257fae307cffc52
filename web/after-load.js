// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

// What the page does once its first screen is up: it fetches the pictures later turns show,
// at low priority, so that none comes up as an empty box, and it installs the service worker
// that keeps the whole site for a visit without network.
addEventListener("load", () => {
  const idle = window.requestIdleCallback || ((work) => setTimeout(work, 500));
  idle(
    () => {
      // A hidden picture marked lazy is never near the viewport; eager fetches it now.
      for (const picture of document.querySelectorAll("img[loading=lazy]"))
        picture.loading = "eager";
    },
    { timeout: 2000 },
  );
  // Only a secure origin (https, or this computer) may have one.
  if ("serviceWorker" in navigator)
    navigator.serviceWorker.register("service-worker.js").catch(() => {});
});
