// Serves a folder on 127.0.0.1 as a school's web server would serve the
// page: "make web-run" uses it, and so do the browser tests.
//   node dienen.mjs ORDNER [PORT]
import { createServer } from "node:http";
import { readFile } from "node:fs/promises";
import { extname, join, normalize, resolve } from "node:path";
import { fileURLToPath } from "node:url";

const arten = {
  ".html": "text/html; charset=utf-8", ".htm": "text/html; charset=utf-8", ".js": "text/javascript",
  ".css": "text/css", ".wasm": "application/wasm", ".json": "application/json", ".svg": "image/svg+xml",
  ".png": "image/png", ".pdf": "application/pdf", ".txt": "text/plain; charset=utf-8",
};

/** Starts the server; resolves to its address once it listens. */
export function dienen(ordner, port = 0) {
  const wurzel = resolve(ordner);
  const server = createServer(async (anfrage, antwort) => {
    const pfad = decodeURIComponent(new URL(anfrage.url ?? "/", "http://x").pathname);
    const datei = normalize(join(wurzel, pfad.endsWith("/") ? pfad + "index.html" : pfad));
    if (!datei.startsWith(wurzel)) {
      antwort.writeHead(403).end();
      return;
    }
    try {
      const inhalt = await readFile(datei);
      antwort.writeHead(200, { "Content-Type": arten[extname(datei)] ?? "application/octet-stream" }).end(inhalt);
    } catch {
      antwort.writeHead(404).end();
    }
  });
  return new Promise((fertig) =>
    server.listen(port, "127.0.0.1", () => fertig({ server, adresse: `http://127.0.0.1:${server.address().port}/` })),
  );
}

if (process.argv[1] && resolve(process.argv[1]) === fileURLToPath(import.meta.url)) {
  const [ordner = "build-web", port = "8080"] = process.argv.slice(2);
  const { adresse } = await dienen(ordner, Number(port));
  console.log(`Ventaro im Browser: ${adresse}  (beenden mit Strg+C)`);
}
