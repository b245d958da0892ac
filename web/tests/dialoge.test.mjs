// The windows beside the main window in Debian's Chromium: the microcode
// editor and the browser's copy of the file, recording, the statistics, the
// program text editor, touch, and the page without a network.
//   VENTARO_WEB=build-web node --test web/tests/
import { after, before, test } from "node:test";
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { existsSync, readFileSync } from "node:fs";
import { join } from "node:path";
import { dienen } from "../dienen.mjs";
import { browserStarten, ordner, wurzel } from "./browser.mjs";

const mitgeliefert = readFileSync(join(wurzel, "data/mikrocode.dat"));

let server;
let adresse;
let browser;

before(async () => {
  ({ server, adresse } = await dienen(ordner));
  browser = await browserStarten();
});

after(async () => {
  await browser?.close();
  server?.close();
});

/** A page of its own (fresh storage) past the start-up pause; downloads
 *  are kept in the page instead of being saved. */
async function seite({ kontext, breite = 1280, hoehe = 900, beruehrung = false } = {}) {
  const k = kontext ?? await browser.createBrowserContext();
  const page = await k.newPage();
  const fehler = [];
  page.on("pageerror", (e) => fehler.push(e.message));
  await page.evaluateOnNewDocument(() => {
    window.geladen = [];
    const klick = HTMLAnchorElement.prototype.click;
    HTMLAnchorElement.prototype.click = function () {
      if (this.download) window.geladen.push({ name: this.download, url: this.href });
      else klick.call(this);
    };
  });
  await page.setViewport({ width: breite, height: hoehe, hasTouch: beruehrung, isLandscape: beruehrung });
  await page.goto(adresse + "index.html");
  await bereit(page);
  return { page, fehler, kontext: k };
}

async function bereit(page) {
  await page.waitForSelector("body[data-bereit]", { timeout: 20000 });
  await page.waitForFunction(() => !document.body.hasAttribute("data-gesperrt"));
}

async function menue(page, titel, ...punkte) {
  await page.click(`#menue-${titel}`);
  for (const punkt of punkte) {
    await page.waitForSelector(`[id="${punkt}"]`, { visible: true });
    await page.hover(`[id="${punkt}"]`);
    await page.click(`[id="${punkt}"]`);
  }
}

/** The latest download's name and bytes. */
async function download(page, anzahl) {
  await page.waitForFunction((n) => window.geladen.length >= n, {}, anzahl);
  const { name, bytes } = await page.evaluate(async () => {
    const d = window.geladen.at(-1);
    return { name: d.name, bytes: [...new Uint8Array(await (await fetch(d.url)).arrayBuffer())] };
  });
  return { name, bytes: Buffer.from(bytes) };
}

async function editorOeffnen(page, code) {
  await page.click("#werkzeug-Mikrocodebearbeiten1");
  await page.waitForSelector("#mcDlg:not([hidden])");
  await page.waitForFunction(() => document.querySelector("#MnemonicEdit").value !== "");
  while (Number(await page.$eval("#CodeEdit", (e) => e.value)) < code) await page.click("#mcDlg .hoch");
}

/** The marks of a grid: one string per step, "1" where a signal is marked,
 *  as a control word of the file reads. */
const marken = (page, gitter) => page.$eval(`#${gitter}`, (g) => {
  const reihen = [...g.querySelectorAll(".markenreihe")].slice(1).map((r) => [...r.querySelectorAll(".marke")].map((z) => z.textContent === "X"));
  return Array.from({ length: 10 }, (_, s) => reihen.map((r) => (r[s] ? "1" : "0")).join(""));
});

/** The open box's title and text; its default button closes it. */
async function box(page, taste = "Enter") {
  await page.waitForSelector(".boxschicht [aria-modal=true]");
  const inhalt = await page.$eval(".boxschicht [aria-modal=true]", (d) => ({
    titel: document.getElementById(d.getAttribute("aria-labelledby")).textContent,
    text: document.getElementById(d.getAttribute("aria-describedby")).textContent,
  }));
  await page.keyboard.press(taste);
  await page.waitForFunction(() => !document.querySelector(".boxschicht [aria-modal=true]"));
  return inhalt;
}

test("a mark changed in LDK is written as the desktop writes it and survives a reload", async () => {
  const { page, fehler, kontext } = await seite();
  await menue(page, "Bearbeiten", "menuepunkt-Mikrocodeexportieren1");
  const vorher = await download(page, 1);
  assert.equal(vorher.name, "mikrocode.dat");
  assert.deepEqual(vorher.bytes, mitgeliefert);

  await editorOeffnen(page, 3);
  assert.equal(await page.$eval("#mcDlg-titel", (e) => e.textContent), "Mikrocode editieren [mikrocode.dat]");
  assert.equal(await page.$eval("#MnemonicEdit", (e) => e.value), "LDK");
  const alt = await marken(page, "flag0grid");
  // Signal 18 (Anz) in step 5: not flag-dependent, so flag 1 follows.
  await page.click("#flag0grid .markenreihe:nth-child(19) .marke:nth-child(7)");
  const neu = await marken(page, "flag0grid");
  assert.equal(neu[5], alt[5].slice(0, 17) + "1");
  assert.deepEqual(await marken(page, "flag1grid"), neu);
  await page.click("#MCSpeichernBtn");
  await page.click("#OKBtn");
  await page.waitForSelector("#mcDlg", { hidden: true });

  await menue(page, "Bearbeiten", "menuepunkt-Mikrocodeexportieren1");
  const nachher = await download(page, 2);
  const zeilenAlt = mitgeliefert.toString("latin1").split("\r\n");
  const zeilenNeu = nachher.bytes.toString("latin1").split("\r\n");
  const verschieden = zeilenNeu.map((z, i) => (z === zeilenAlt[i] ? -1 : i)).filter((i) => i >= 0);
  // The word stands once for flag 0 and once for flag 1.
  const zeilen = [zeilenAlt.indexOf("LDK") + 1 + 5, zeilenAlt.lastIndexOf("LDK") + 1 + 5];
  assert.deepEqual(verschieden, zeilen);
  for (const z of zeilen) assert.equal(zeilenNeu[z], neu[5]);

  await page.reload();
  await bereit(page);
  await editorOeffnen(page, 3);
  assert.equal(await page.$eval("#mcDlg-titel", (e) => e.textContent), "Mikrocode editieren [im Browser gespeichert]");
  assert.deepEqual(await marken(page, "flag0grid"), neu);
  await page.click("#CancelBtn");
  assert.deepEqual(fehler, []);
  await kontext.close();
});

test("recording LDK by clicks puts the recorded words into the table", async () => {
  const { page, fehler, kontext } = await seite();
  await editorOeffnen(page, 3);
  await page.click("#AufzeichnenBtn");
  await page.waitForSelector("#Aufzeichnungsleiste:not([hidden])");
  const hoehe = await page.$eval("#fenster", (e) => e.offsetHeight);
  assert.equal(await page.$eval("#AufzeichnungWorte", (e) => e.textContent), "Noch kein Schritt aufgenommen");
  for (const schritt of [["ET", "Akku"], ["PT", "Erg"]]) {
    for (const teil of schritt) await page.click(`[data-teil="${teil}"]`);
    await page.click("#SchrittAufnehmenBtn");
    for (const teil of schritt) await page.click(`[data-teil="${teil}"]`);
  }
  const worte = (await page.$eval("#AufzeichnungWorte", (e) => e.textContent)).split("\n").map((z) => z.split(": ")[1]);
  assert.equal(worte.length, 2);
  assert.match(await page.$eval("#AufzeichnungTitel", (e) => e.textContent), /^● Aufzeichnung: Befehl 03 \(LDK\), Schritt 2/);
  await page.click("#AufzeichnungBeendenBtn");
  await page.waitForSelector("#Aufzeichnungsleiste", { hidden: true });
  assert.equal(await page.$eval("#fenster", (e) => e.offsetHeight), hoehe - 104);

  await editorOeffnen(page, 3);
  const tabelle = await marken(page, "flag0grid");
  // The last recorded step ends the instruction (MPCClear, signal 11).
  const ende = (w) => w.slice(0, 10) + "1" + w.slice(11);
  assert.deepEqual(tabelle.slice(0, 3), [worte[0], ende(worte[1]), "0".repeat(18)]);
  assert.equal(await page.$eval("#mcDlg-titel", (e) => e.textContent), "Mikrocode editieren [im Browser gespeichert]");
  await page.keyboard.press("Escape");
  assert.deepEqual(fehler, []);
  await kontext.close();
});

test("the statistics of summe.obj run to its halt match the command line's", async () => {
  const cli = join(wurzel, "build/bin/ventaro-cli");
  const ausgabe = existsSync(cli)
    ? execFileSync(cli, ["--statistik", "--mikrocode", join(wurzel, "data/mikrocode.dat"), join(wurzel, "data/beispiele/summe.obj")], { encoding: "utf8" })
    : null;
  const { page, fehler, kontext } = await seite();
  await menue(page, "Bearbeiten", "menuepunkt-Statistik1");
  await page.waitForSelector("#Statistik:not([hidden])");
  await menue(page, "Datei", "menuepunkt-Beispiele", "beispiel-summe.obj");
  await page.waitForFunction(() => document.title.endsWith("[summe.obj]"));
  await bereit(page);
  await page.click("#werkzeug-BiszumHalt1");
  await page.waitForFunction(() => document.getElementById("status0").textContent.startsWith("Angehalten: "), { timeout: 20000 });
  await page.waitForFunction(() => document.querySelector("#StatistikSummen").textContent.startsWith("Befehle: "));
  const zeilen = await page.$$eval("#StatistikTabelle tbody tr", (r) => r.map((z) => [...z.cells].map((c) => c.textContent.replace(/\u2009/g, ""))));
  const summen = await page.$eval("#StatistikSummen", (e) => e.textContent.replace(/\u2009/g, ""));
  const balken = await page.$$eval(".balkendiagramm rect[stroke]", (b) => b.length);
  assert.equal(balken, zeilen.length);
  assert.ok(zeilen.length > 0);
  if (ausgabe) {
    const erwartet = ausgabe.split("\n").filter((z) => /^\d\d\s/.test(z)).map((z) => z.trim().split(/\s+/));
    assert.deepEqual(zeilen.map((z) => z.filter((t) => t !== "")), erwartet);
    assert.equal(summen.replace(/\s+/g, " "), ausgabe.split("\n").find((z) => z.startsWith("Befehle:")).replace(/\s+/g, " ").trim());
  }
  assert.deepEqual(fehler, []);
  await kontext.close();
});

test("a program text with an error leaves the RAM; without it the RAM holds the cells", async () => {
  const { page, fehler, kontext } = await seite();
  await menue(page, "Bearbeiten", "menuepunkt-Programmtext1");
  await page.waitForSelector("#Programmtext:not([hidden])");
  const ram = () => page.$$eval("#ram [role=gridcell]", (z) => z.map((e) => e.textContent));
  const leer = await ram();
  const faelle = [
    { text: "  LDK 5\n  XYZ 7\n  ANZ\n  HLT", fehler: 1 },
    { text: "start: LDK 5 ; fünf\n  ANZ\n  HLT", fehler: 0 },
  ];
  for (const fall of faelle) {
    await page.click("#Programmtexteditor");
    await page.keyboard.down("Control");
    await page.keyboard.press("a");
    await page.keyboard.up("Control");
    await page.keyboard.press("Delete");
    await page.keyboard.sendCharacter(fall.text);
    await page.click("#UebernehmenBtn");
    const erwartet = fall.fehler ? `Der Text hat ${fall.fehler} Fehler; der RAM bleibt unverändert.` : "In den RAM übernommen.";
    await page.waitForFunction((t) => document.querySelector("#Meldung").textContent === t, {}, erwartet);
    const liste = await page.$$eval("#Fehlerliste li", (l) => l.map((e) => Number(e.dataset.zeile)));
    if (fall.fehler) {
      assert.deepEqual(liste, [2]);
      assert.deepEqual(await ram(), leer);
      // A click on the message puts the cursor at the start of its line.
      await page.click("#Fehlerliste li");
      assert.equal(await page.$eval("#Programmtexteditor", (e) => e.selectionStart), fall.text.indexOf("\n") + 1);
    } else {
      assert.deepEqual(liste, []);
      await bereit(page);
      const zellen = await ram();
      assert.notDeepEqual(zellen, leer);
      // Coloured as the desktop colours: label, mnemonic, number, comment.
      assert.deepEqual(await page.$$eval("#Programmtext .ptfarben > div:first-child span", (s) => s.map((e) => [e.className, e.textContent])),
        [["pt-marke", "start:"], ["pt-mnemonic", "LDK"], ["pt-zahl", "5"], ["pt-kommentar", "; fünf"]]);
      // The RAM written back names the same instructions.
      await page.click("#HolenBtn");
      const geholt = await page.$eval("#Programmtexteditor", (e) => e.value);
      assert.match(geholt, /LDK\s+5/);
      assert.match(geholt, /ANZ/);
    }
  }
  assert.deepEqual(fehler, []);
  await kontext.close();
});

test("touch: a long press counts the PC up, a tap switches its latch, a long press on an address opens the breakpoint menu", async () => {
  const { page, fehler, kontext } = await seite({ breite: 1024, hoehe: 768, beruehrung: true });
  const pc = () => page.$eval('[data-teil="PC"]', (e) => e.getAttribute("aria-label"));
  const mitte = async (wahl) => {
    const r = await (await page.$(wahl)).boundingBox();
    return { x: r.x + r.width / 2, y: r.y + r.height / 2 };
  };
  const cdp = await page.createCDPSession();
  const langerDruck = async ({ x, y }) => {
    await cdp.send("Input.dispatchTouchEvent", { type: "touchStart", touchPoints: [{ x, y }] });
    await new Promise((fertig) => setTimeout(fertig, 600));
    await cdp.send("Input.dispatchTouchEvent", { type: "touchEnd", touchPoints: [] });
  };
  assert.equal(await pc(), "PC 000, hält");
  const p = await mitte('[data-teil="PC"]');
  await langerDruck(p);
  await page.waitForFunction(() => document.querySelector('[data-teil="PC"]').getAttribute("aria-label") === "PC 001, hält");
  await page.touchscreen.tap(p.x, p.y);
  await page.waitForFunction(() => document.querySelector('[data-teil="PC"]').getAttribute("aria-label").endsWith(", lädt"));
  await langerDruck(await mitte("#ram .reihe:nth-child(4) .adresse"));
  await page.waitForSelector("#haltepunkt-umschalten", { visible: true });
  assert.equal(await page.$eval("#haltepunkt-umschalten", (e) => e.textContent.trim()), "Haltepunkt setzen");
  // Lifting the finger neither closes the menu nor sets the breakpoint.
  assert.equal(await page.$$eval("#ram .adresse.haltepunkt", (z) => z.length), 0);
  await page.click("#haltepunkt-umschalten");
  await page.waitForFunction(() => document.querySelectorAll("#ram .adresse.haltepunkt").length === 1);
  // The datapath fits the landscape screen without scrolling.
  const r = await page.$eval("#datenpfad", (e) => e.getBoundingClientRect().toJSON());
  assert.ok(r.right <= 1024 && r.bottom <= 768 && r.left >= 0 && r.top >= 0);
  assert.deepEqual(fehler, []);
  await kontext.close();
});

test("served once, the page starts again without a network", async () => {
  const { page, fehler, kontext } = await seite();
  await page.evaluate(() => navigator.serviceWorker.ready);
  await page.reload();
  await bereit(page);
  assert.ok(await page.evaluate(() => navigator.serviceWorker.controller !== null));
  await page.setOfflineMode(true);
  await page.reload();
  await bereit(page);
  assert.match(await page.title(), /^Ventaro /);
  assert.equal(await page.$$eval("#ram [role=gridcell]", (z) => z.length), 128);
  await page.setOfflineMode(false);
  assert.deepEqual(fehler, []);
  await kontext.close();
});
