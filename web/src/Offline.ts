// Served from a web server, the page registers its service worker, so that it
// keeps working without a network after the first visit. The single file,
// opened from file://, has none and needs none.
export function offlineEinrichten(): void {
  if (!("serviceWorker" in navigator) || !location.protocol.startsWith("http")) return;
  if (document.getElementById("ventaro-daten")) return;
  navigator.serviceWorker.register("sw.js").catch(() => {
    // Without it the page works as long as the server answers.
  });
}
