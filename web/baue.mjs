// Builds the page: bundles the TypeScript, gathers the wasm module, the
// microcode, the examples and the help into the target folder, and writes
// ventaro.html, the same page as one file with everything inlined.
//   node baue.mjs WASM_ORDNER ZIEL_ORDNER
import { build } from "esbuild";
import { cpSync, existsSync, mkdirSync, readdirSync, readFileSync, writeFileSync } from "node:fs";
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

// The single file: scripts and style inline; the files the page loads as
// base64 in one JSON element, which the page reads instead of fetching.
const eingebettet = { "ventaro.wasm": readFileSync(join(ziel, "ventaro.wasm")).toString("base64") };
for (const name of ["mikrocode.dat", "beispiele.txt", ...beispiele.map((n) => "beispiele/" + n)])
  eingebettet[name] = readFileSync(join(ziel, name)).toString("base64");
const skript = (datei) => "<script>" + readFileSync(join(ziel, datei), "utf8").replaceAll("</script", "<\\/script") + "</script>";
let seite = readFileSync(join(ziel, "index.html"), "utf8");
const ersetze = (muster, durch) => {
  if (!seite.includes(muster)) throw new Error(`index.html enthält ${muster} nicht`);
  seite = seite.replace(muster, () => durch);
};
ersetze('<link rel="stylesheet" href="ventaro.css">', "<style>" + readFileSync(join(ziel, "ventaro.css"), "utf8") + "</style>");
ersetze('<script src="ventaro.js"></script>', '<script type="application/json" id="ventaro-daten">' + JSON.stringify(eingebettet) + "</script>\n" + skript("ventaro.js"));
ersetze('<script src="ventaro-seite.js"></script>', skript("ventaro-seite.js"));
writeFileSync(join(ziel, "ventaro.html"), seite);
