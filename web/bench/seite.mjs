// Measures the page in headless chromium against the native command line:
// how soon the window stands after loading, the rate of "Bis zum Halt" on
// dauerlauf.obj, and how soon a click is answered while the run goes.
//   node bench/seite.mjs WEB_ORDNER VENTARO_CLI
import { execFileSync } from "node:child_process";
import { mkdtempSync, rmSync, statSync } from "node:fs";
import { tmpdir } from "node:os";
import { dirname, join, resolve } from "node:path";
import { fileURLToPath } from "node:url";
import puppeteer from "puppeteer-core";
import { dienen } from "../dienen.mjs";

const [webOrdner = "../build-web", cli] = process.argv.slice(2).map((p) => resolve(p));
const beispiel = resolve(dirname(fileURLToPath(import.meta.url)), "../../data/beispiele/dauerlauf.obj");
const zahl = (text) => Number(text.replace(/[\s\u2009]/g, ""));

function nativ() {
  if (!cli) return null;
  const anfang = process.hrtime.bigint();
  const aus = execFileSync(cli, [beispiel, "--max-mikroschritte", "100000000", "--statistik"], { encoding: "utf8" });
  const sekunden = Number(process.hrtime.bigint() - anfang) / 1e9;
  const schritte = zahl(/Mikroschritte: (\d+)/.exec(aus)[1]);
  return schritte / sekunden;
}

const { server, adresse } = await dienen(webOrdner);
const profil = mkdtempSync(join(tmpdir(), "ventaro-bench-"));
const browser = await puppeteer.launch({
  executablePath: "/usr/bin/chromium", headless: true, userDataDir: profil,
  args: ["--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync", "--disable-dev-shm-usage"],
});
try {
  const seite = await browser.newPage();
  await seite.setViewport({ width: 1024, height: 768 });
  await seite.goto(adresse);
  // The window stands and the machine has started when its pause begins.
  await seite.waitForFunction(() => "gesperrt" in document.body.dataset, { polling: "raf", timeout: 10000 });
  const bereitMs = await seite.evaluate(() => performance.now());
  await seite.waitForFunction(() => "bereit" in document.body.dataset, { timeout: 10000 });

  for (const ziel of ["#menue-Datei", "#menuepunkt-Beispiele", "[id='beispiel-dauerlauf.obj']"]) {
    await seite.waitForSelector(ziel, { visible: true });
    await seite.click(ziel);
  }
  await seite.waitForFunction(() => document.title.includes("dauerlauf.obj") && !("gesperrt" in document.body.dataset));
  await seite.evaluate(() => {
    window.groessteLuecke = 0;
    let zuletzt = performance.now();
    const bild = (jetzt) => {
      window.groessteLuecke = Math.max(window.groessteLuecke, jetzt - zuletzt);
      zuletzt = jetzt;
      if (!window.fertig) requestAnimationFrame(bild);
    };
    requestAnimationFrame(bild);
  });
  await seite.click("#werkzeug-BiszumHalt1");
  // While it runs: how long a click waits for the page, measured as the
  // delay of a task queued every 50 ms behind the run's slices.
  await seite.evaluate(() => {
    window.verzoegerungen = [];
    const messen = () => {
      const geplant = performance.now();
      setTimeout(() => {
        window.verzoegerungen.push(performance.now() - geplant);
        if (!window.fertig) setTimeout(messen, 50);
      }, 0);
    };
    messen();
  });
  await seite.waitForFunction(() => /Angehalten: [\d\u2009]+ Mikroschritte, [\d\u2009]+ je Sekunde/.test(document.body.textContent), { timeout: 120000 });
  const status = await seite.evaluate(() => { window.fertig = true; return /Angehalten: ([\d\u2009]+) Mikroschritte, ([\d\u2009]+) je Sekunde/.exec(document.body.textContent); });
  const luecke = await seite.evaluate(() => window.groessteLuecke);
  const verzoegerungen = await seite.evaluate(() => window.verzoegerungen.sort((a, b) => a - b));
  const antworten = [verzoegerungen[Math.floor(verzoegerungen.length / 2)], verzoegerungen.at(-1)].map((v) => v.toFixed(0));
  const rate = zahl(status[2]);
  const groesse = ["ventaro.wasm", "ventaro.js", "ventaro-seite.js"].reduce((s, d) => s + statSync(join(webOrdner, d)).size, 0);
  console.log(`Seite steht nach:           ${bereitMs.toFixed(0)} ms (ohne die Pause von 2 s)`);
  console.log(`wasm und Skripte:           ${(groesse / 1024).toFixed(0)} KiB`);
  console.log(`Bis zum Halt, dauerlauf.obj: ${zahl(status[1])} Mikroschritte, ${rate} je Sekunde`);
  console.log(`Eingabe wartet während des Laufs: im Mittel ${antworten[0]} ms, höchstens ${antworten[1]} ms; längste Lücke zwischen zwei Bildern ${luecke.toFixed(0)} ms`);
  const n = nativ();
  if (n) console.log(`ventaro-cli nativ:           ${Math.round(n)} je Sekunde; die Seite schafft ${(100 * rate / n).toFixed(0)} %`);
} finally {
  await browser.close();
  server.close();
  rmSync(profil, { recursive: true, force: true });
}
