// Builds the page: bundles the TypeScript, gathers the wasm module, the
// microcode, the examples and the help into the target folder, and writes
// ventaro.html, the same page as one file with everything inlined.
//   node baue.mjs WASM_ORDNER ZIEL_ORDNER
import { build } from "esbuild";
import { createHash } from "node:crypto";
import { cpSync, existsSync, mkdirSync, readdirSync, readFileSync, statSync, writeFileSync } from "node:fs";
import { dirname, join, resolve } from "node:path";
import { fileURLToPath } from "node:url";

const hier = dirname(fileURLToPath(import.meta.url));
const daten = resolve(hier, "../data");
const [wasmOrdner, ziel] = process.argv.slice(2).map((p) => resolve(p));
if (!wasmOrdner || !ziel) {
  console.error("Aufruf: node baue.mjs WASM_ORDNER ZIEL_ORDNER");
  process.exit(2);
}

mkdirSync(join(ziel, "beispiele"), { recursive: true });
await build({
  entryPoints: [join(hier, "src/main.ts")],
  bundle: true,
  minify: true,
  format: "iife",
  target: "es2020",
  outfile: join(ziel, "ventaro-seite.js"),
  logLevel: "warning",
});
for (const datei of readdirSync(join(hier, "seite"))) cpSync(join(hier, "seite", datei), join(ziel, datei), { recursive: true });
for (const datei of ["ventaro.js", "ventaro.wasm"]) cpSync(join(wasmOrdner, datei), join(ziel, datei));
cpSync(join(daten, "mikrocode.dat"), join(ziel, "mikrocode.dat"));
const beispiele = readdirSync(join(daten, "beispiele")).filter((n) => /\.(obj|asm)$/.test(n)).sort();
for (const name of beispiele) cpSync(join(daten, "beispiele", name), join(ziel, "beispiele", name));
writeFileSync(join(ziel, "beispiele.txt"), beispiele.join("\n") + "\n");
const hilfe = join(daten, "hilfe");
mkdirSync(join(ziel, "hilfe"), { recursive: true });
for (const name of ["Ventaro.htm", "tutorium.html", "bilder"])
  if (existsSync(join(hilfe, name))) cpSync(join(hilfe, name), join(ziel, "hilfe", name), { recursive: true });

// Offline and installable when served: the manifest with the program's icon,
// and a service worker that caches every file of the page.
cpSync(join(hier, "offline/manifest.webmanifest"), join(ziel, "manifest.webmanifest"));
cpSync(join(daten, "paket/ventaro.svg"), join(ziel, "ventaro.svg"));
for (const groesse of [128, 256]) cpSync(join(daten, `paket/symbole/ventaro-${groesse}.png`), join(ziel, `ventaro-${groesse}.png`));
const alleDateien = (ordner, vorn = "") =>
  readdirSync(join(ziel, ordner)).flatMap((name) => {
    const pfad = join(ordner, name);
    return statSync(join(ziel, pfad)).isDirectory() ? alleDateien(pfad, vorn + name + "/") : [vorn + name];
  });
const zuCachen = ["./", ...alleDateien(".").filter((n) => n !== "ventaro.html" && n !== "sw.js").sort()];
const stand = createHash("sha256");
for (const name of zuCachen.slice(1)) stand.update(name).update(readFileSync(join(ziel, name)));
writeFileSync(join(ziel, "sw.js"), readFileSync(join(hier, "offline/sw.js"), "utf8")
  .replace("__STAND__", stand.digest("hex").slice(0, 16)).replace("__DATEIEN__", JSON.stringify(zuCachen)));

// The single file: scripts and style inline; the files the page loads as
// base64 in one JSON element, which the page reads instead of fetching.
const eingebettet = { "ventaro.wasm": readFileSync(join(ziel, "ventaro.wasm")).toString("base64") };
for (const name of ["mikrocode.dat", "beispiele.txt", ...beispiele.map((n) => "beispiele/" + n)])
  eingebettet[name] = readFileSync(join(ziel, name)).toString("base64");
const skript = (datei) => "<script>" + readFileSync(join(ziel, datei), "utf8").replaceAll("</script", "<\\/script") + "</script>";
let seite = readFileSync(join(ziel, "index.html"), "utf8");
// From file:// there is no service worker and no manifest to install.
seite = seite.replace(/<link rel="manifest"[^>]*>\n?/, "");
const ersetze = (muster, durch) => {
  if (!seite.includes(muster)) throw new Error(`index.html enthält ${muster} nicht`);
  seite = seite.replace(muster, () => durch);
};
ersetze('<link rel="stylesheet" href="ventaro.css">', "<style>" + readFileSync(join(ziel, "ventaro.css"), "utf8") + "</style>");
ersetze('<script src="ventaro.js"></script>', '<script type="application/json" id="ventaro-daten">' + JSON.stringify(eingebettet) + "</script>\n" + skript("ventaro.js"));
ersetze('<script src="ventaro-seite.js"></script>', skript("ventaro-seite.js"));
writeFileSync(join(ziel, "ventaro.html"), seite);
