// What the page does once its first screen is up: it installs the service worker that keeps
// the whole site for a visit without network.
"use strict";

addEventListener("load", () => {
  // Only a secure origin (https, or this computer) may have one.
  if ("serviceWorker" in navigator) navigator.serviceWorker.register("service-worker.js").catch(() => {});
});
