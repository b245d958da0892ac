// The page in Debian's Chromium: start-up, the datapath's controls, cell
// editing, a program run by the clock and to its halt, breakpoints, stepping
// back, opening and saving a RAM file, and the single-file build.
//   VENTARO_WEB=build-web node --test web/tests/
import { after, before, test } from "node:test";
import assert from "node:assert/strict";
import { mkdtempSync, readFileSync, readdirSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { pathToFileURL } from "node:url";
import { dienen } from "../dienen.mjs";
import { browserStarten, ordner } from "./browser.mjs";

const summePfad = join(ordner, "beispiele/summe.obj");

let server;
let adresse;
let browser;

before(async () => {
  let wurzeladresse;
  ({ server, adresse: wurzeladresse } = await dienen(ordner));
  adresse = wurzeladresse + "index.html";
  browser = await browserStarten();
});

after(async () => {
  await browser?.close();
  server?.close();
});

/** A page past its start-up pause; console errors are collected. */
async function seite(url = adresse, vorher) {
  const page = await browser.newPage();
  const fehler = [];
  page.on("console", (m) => { if (m.type() === "error") fehler.push(m.text()); });
  page.on("pageerror", (e) => fehler.push(e.message));
  if (vorher) await page.evaluateOnNewDocument(vorher);
  await page.setViewport({ width: 1024, height: 768 });
  await page.goto(url);
  await page.waitForSelector("body[data-bereit]", { timeout: 20000 });
  return { page, fehler };
}

const text = (page, wahl) => page.$eval(wahl, (e) => e.textContent);
const merkmal = (page, wahl, name) => page.$eval(wahl, (e, n) => e.getAttribute(n), name);
const zellen = (page) => page.$$eval("#ram [role=gridcell]", (z) => z.map((e) => e.textContent));

async function menue(page, titel, ...punkte) {
  await page.click(`#menue-${titel}`);
  for (const punkt of punkte) {
    const wahl = `[id="${punkt}"]`;
    await page.waitForSelector(wahl, { visible: true });
    await page.hover(wahl);
    await page.click(wahl);
  }
}

async function beispielOeffnen(page, name) {
  await menue(page, "Datei", "menuepunkt-Beispiele", `beispiel-${name}`);
  await page.waitForFunction((n) => document.title.endsWith(`[${n}]`), {}, name);
  await page.waitForFunction(() => !document.body.hasAttribute("data-gesperrt"));
}

async function bisZumHalt(page) {
  await page.click("#werkzeug-BiszumHalt1");
  await page.waitForFunction(() => document.getElementById("status0").textContent.startsWith("Angehalten: "), { timeout: 20000 });
}

/** The box open now: its title and text; Enter closes it. */
async function box(page) {
  await page.waitForSelector("[aria-modal=true]");
  const inhalt = await page.$eval("[aria-modal=true]", (d) => ({
    rolle: d.getAttribute("role"),
    titel: document.getElementById(d.getAttribute("aria-labelledby")).textContent,
    text: document.getElementById(d.getAttribute("aria-describedby")).textContent,
  }));
  await page.keyboard.press("Enter");
  await page.waitForFunction(() => !document.querySelector("[aria-modal=true]"));
  return inhalt;
}

test("Start-up: title, empty RAM and the first microstep after the pause", async () => {
  const { page, fehler } = await seite();
  assert.equal(await page.title(), "Ventaro 1.0.2.0");
  const inhalt = await zellen(page);
  assert.equal(inhalt.length, 128);
  assert.ok(inhalt.every((z) => z === "00.000"));
  const adressen = await page.$$eval("#ram [role=rowheader]", (z) => z.map((e) => e.textContent));
  assert.deepEqual([adressen[0], adressen[127]], ["000", "127"]);
  assert.deepEqual(await page.$$eval("#ram [role=columnheader]", (z) => z.map((e) => e.textContent)), ["Adr.", "Inhalt"]);
  // Microcode entry 0 ran: the fetch opens PT and Read.
  assert.equal(await text(page, "#mpc"), "000");
  assert.equal(await text(page, "#steuerwort"), "000010000000100000");
  assert.equal(await merkmal(page, "[data-teil=PT]", "aria-checked"), "true");
  assert.equal(await merkmal(page, "[data-teil=Read]", "aria-checked"), "true");
  assert.equal(await page.evaluate(() => document.activeElement.id), "ram");
  assert.deepEqual(fehler, []);
  await page.close();
});

test("gates, registers, PC and hints answer as on the desktop", async () => {
  const { page } = await seite();
  const faelle = [
    ["ET", async () => page.click("[data-teil=ET]"), "aria-label", "ET, offen"],
    ["Akku", async () => page.click("[data-teil=Akku]"), "aria-label", "Akku 000, lädt"],
    ["PC", async () => page.click("[data-teil=PC]", { button: "right" }), "aria-label", "PC 001, hält"],
    ["IT", async () => { await page.$eval("[data-teil=IT]", (e) => e.focus()); await page.keyboard.press("Space"); }, "aria-checked", "true"],
  ];
  for (const [teil, tun, name, erwartet] of faelle) {
    await tun();
    assert.equal(await merkmal(page, `[data-teil=${teil}]`, name), erwartet, teil);
    // Clicking a gate or register leaves the focus in the grid.
    if (teil !== "IT") assert.equal(await page.evaluate(() => document.activeElement.id), "ram", teil);
  }
  await page.hover("[data-teil=PC]");
  assert.equal(await text(page, "#status0"), "Programmzähler; rechte Maustaste erhöht den Inhalt um 1");
  const [x, y] = await page.$eval("#datenpfad", (d) => {
    const r = d.getBoundingClientRect();
    return [r.left + (60 * r.width) / 795, r.top + (45 * r.height) / 541]; // bare background
  });
  await page.mouse.move(x, y);
  assert.equal(await text(page, "#status0"), "");
  await page.close();
});

test("a faulty cell text is reported, the next cell opens, Escape gives up an edit", async () => {
  const { page } = await seite();
  await page.click("#zelle-3");
  await page.keyboard.type("1x");
  await page.keyboard.press("Enter");
  assert.deepEqual(await box(page), { rolle: "alertdialog", titel: "Fehler", text: "Inhalt der Zelle 003 ist nicht korrekt." });
  assert.equal(await merkmal(page, "[data-teil=Mikroschritt]", "aria-disabled"), "true");
  assert.equal(await merkmal(page, "[data-teil=Start]", "aria-disabled"), "true");
  // After Enter the editor stands on the next cell; Escape gives it up.
  assert.ok(await page.$("#zelle-4 input"));
  await page.keyboard.type("99");
  await page.keyboard.press("Escape");
  assert.equal(await page.$("#zelle-4 input"), null);
  assert.equal(await text(page, "#zelle-4"), "00.000");
  // Corrected, the check lets the machine run again and decodes the cell.
  await page.keyboard.press("ArrowUp");
  await page.keyboard.type("01.005");
  await page.keyboard.press("Enter");
  await page.keyboard.press("Escape");
  assert.equal(await text(page, "#zelle-3"), "01.005");
  assert.equal(await merkmal(page, "[data-teil=Mikroschritt]", "aria-disabled"), "false");
  await page.close();
});

test("summe.obj runs by the clock and to its halt; a breakpoint stops it before", async () => {
  const { page } = await seite();
  await beispielOeffnen(page, "summe.obj");
  const datei = readFileSync(summePfad, "latin1").split("\r\n");
  assert.deepEqual(await zellen(page), datei.slice(0, 128));

  const vorher = await text(page, "#steuerwort");
  await page.click("[data-teil=Start]");
  assert.equal(await merkmal(page, "[data-teil=Start]", "aria-disabled"), "true");
  assert.equal(await page.$eval("#werkzeug-Reset1", (k) => k.disabled), true);
  await page.waitForFunction((v) => document.getElementById("steuerwort").textContent !== v, { timeout: 5000 }, vorher);
  await page.click("[data-teil=Stopp]");
  assert.equal(await merkmal(page, "[data-teil=Start]", "aria-disabled"), "false");

  // A breakpoint on ANZ (address 11): the sum is in cell 030, not yet shown.
  await page.click("#adresse-11");
  assert.match(await merkmal(page, "#adresse-11", "class"), /haltepunkt/);
  await bisZumHalt(page);
  assert.equal(await text(page, "#zelle-30"), "00.055");
  assert.equal(await text(page, "#anzeige"), "00.000");
  assert.match(await text(page, "#status0"), /^Angehalten: [\d\u2009]+ Mikroschritte, [\d\u2009]+ je Sekunde$/);
  // Without it the run goes on to the halt and shows the sum.
  await page.click("#adresse-11");
  await bisZumHalt(page);
  assert.equal(await text(page, "#anzeige"), "00.055");
  await page.close();
});

test("Alt+Left takes a microstep back, with its count in the tooltip", async () => {
  const { page } = await seite();
  await beispielOeffnen(page, "summe.obj");
  for (let i = 0; i < 3; ++i) await page.click("[data-teil=Mikroschritt]");
  const stand = [await text(page, "#mpc"), await text(page, "#steuerwort"), await merkmal(page, "[data-teil=Akku]", "aria-label")];
  await page.click("[data-teil=Mikroschritt]");
  const tipp = await page.$eval("#werkzeug-MikroschrittZurueck1", (k) => k.title);
  assert.match(tipp, /^Mikroschritt zurück \(Alt\+Links\): \d+ Mikroschritte können zurückgenommen werden$/);
  await page.keyboard.down("Alt");
  await page.keyboard.press("ArrowLeft");
  await page.keyboard.up("Alt");
  assert.deepEqual([await text(page, "#mpc"), await text(page, "#steuerwort"), await merkmal(page, "[data-teil=Akku]", "aria-label")], stand);
  await page.close();
});

test("a RAM file opened through the picker is saved byte for byte", async () => {
  // Without the browser's own save picker the page asks for the name.
  const { page } = await seite(adresse, () => { delete window.showSaveFilePicker; });
  const ziel = mkdtempSync(join(tmpdir(), "ventaro-laden-"));
  const cdp = await page.createCDPSession();
  await cdp.send("Browser.setDownloadBehavior", { behavior: "allow", downloadPath: ziel });
  const [wahl] = await Promise.all([page.waitForFileChooser(), page.click("#werkzeug-ffnen1")]);
  await wahl.accept([summePfad]);
  await page.waitForFunction(() => document.title === "Ventaro 1.0.2.0 [summe.obj]");
  await page.waitForFunction(() => !document.body.hasAttribute("data-gesperrt"));
  await page.keyboard.down("Control");
  await page.keyboard.down("Shift");
  await page.keyboard.press("KeyS");
  await page.keyboard.up("Shift");
  await page.keyboard.up("Control");
  await page.waitForSelector("[aria-modal=true] input");
  assert.equal(await page.$eval("[aria-modal=true] input", (e) => e.value), "summe.obj");
  await page.keyboard.press("Enter");
  const gespeichert = join(ziel, "summe.obj");
  for (let i = 0; i < 100 && !readdirSync(ziel).includes("summe.obj"); ++i) await new Promise((r) => setTimeout(r, 50));
  assert.deepEqual(readFileSync(gespeichert), readFileSync(summePfad));
  await page.close();
});

test("the single file works from file:// and runs summe.obj to its halt", async () => {
  const { page, fehler } = await seite(pathToFileURL(join(ordner, "ventaro.html")).href);
  assert.equal(await page.title(), "Ventaro 1.0.2.0");
  assert.ok(await page.$("#datenpfad [data-teil=ET]"));
  await beispielOeffnen(page, "summe.obj");
  await bisZumHalt(page);
  assert.equal(await text(page, "#anzeige"), "00.055");
  assert.deepEqual(fehler, []);
  await page.close();
});
