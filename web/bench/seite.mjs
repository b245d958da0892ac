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

const Runden = 3;

function nativRate() {
  const anfang = process.hrtime.bigint();
  const aus = execFileSync(cli, [beispiel, "--max-mikroschritte", "100000000", "--statistik"], { encoding: "utf8" });
  const sekunden = Number(process.hrtime.bigint() - anfang) / 1e9;
  const schritte = zahl(/Mikroschritte: (\d+)/.exec(aus)[1]);
  return schritte / sekunden;
}

/** Opens dauerlauf.obj from the examples and runs it to the halt. */
async function laufMessen(seite) {
  for (const ziel of ["#menue-Datei", "#menuepunkt-Beispiele", "[id='beispiel-dauerlauf.obj']"]) {
    await seite.waitForSelector(ziel, { visible: true });
    await seite.click(ziel);
  }
  await seite.waitForFunction(() => document.title.includes("dauerlauf.obj") && !("gesperrt" in document.body.dataset));
  await seite.evaluate(() => {
    window.fertig = false;
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
  const muster = /Angehalten: ([\d\u2009]+) Mikroschritte, ([\d\u2009]+) je Sekunde/;
  await seite.waitForFunction((m) => new RegExp(m).test(document.body.textContent), { timeout: 120000 }, muster.source);
  const status = await seite.evaluate((m) => { window.fertig = true; return new RegExp(m).exec(document.body.textContent); }, muster.source);
  return {
    schritte: zahl(status[1]),
    rate: zahl(status[2]),
    luecke: await seite.evaluate(() => window.groessteLuecke),
    verzoegerungen: await seite.evaluate(() => window.verzoegerungen.sort((a, b) => a - b)),
  };
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

  // Three runs each, the page's and the native program's: this machine's
  // speed varies by a third from one run to the next.
  const laeufe = [];
  for (let i = 0; i < Runden; ++i) laeufe.push(await laufMessen(seite));
  const raten = laeufe.map((l) => l.rate).sort((x, y) => x - y);
  const { schritte, verzoegerungen, luecke } = laeufe.at(-1);
  const antworten = [verzoegerungen[Math.floor(verzoegerungen.length / 2)], verzoegerungen.at(-1)].map((v) => v.toFixed(0));
  const groesse = ["ventaro.wasm", "ventaro.js", "ventaro-seite.js"].reduce((s, d) => s + statSync(join(webOrdner, d)).size, 0);
  console.log(`Seite steht nach:           ${bereitMs.toFixed(0)} ms (ohne die Pause von 2 s)`);
  console.log(`wasm und Skripte:           ${(groesse / 1024).toFixed(0)} KiB`);
  console.log(`Bis zum Halt, dauerlauf.obj: ${schritte} Mikroschritte; je Sekunde ${raten.join(", ")}`);
  console.log(`Eingabe wartet während des Laufs: im Mittel ${antworten[0]} ms, höchstens ${antworten[1]} ms; längste Lücke zwischen zwei Bildern ${luecke.toFixed(0)} ms`);
  if (cli) {
    const nativ = Array.from({ length: Runden }, nativRate).sort((x, y) => x - y);
    const anteil = (i) => ((100 * raten[i]) / nativ[i]).toFixed(0);
    console.log(`ventaro-cli nativ:           je Sekunde ${nativ.map(Math.round).join(", ")}`);
    console.log(`Die Seite schafft:           ${anteil(1)} % (Mitte gegen Mitte), ${anteil(Runden - 1)} % (Bestwert gegen Bestwert)`);
  }
} finally {
  await browser.close();
  server.close();
  rmSync(profil, { recursive: true, force: true });
}
