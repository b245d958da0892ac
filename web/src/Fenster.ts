// The main window in the page: the datapath, the RAM grid, menus, tool bar
// and status bar over the machine. It turns user actions into machine
// commands, shows the boxes the machine asks for, draws what changed, runs
// the clock's timer and "Bis zum Halt ausführen" in slices.
import type { Ansicht, Maschine, Meldung, VentaroModul } from "./ventaro-modul";
import { Beispielordner, Dateiordner, Laufende, MikrocodePfad, Teil, ladeDatei } from "./Modul";
import { Breite, Datenpfad, Hoehe, type Knopfname } from "./Datenpfad";
import { RamGitter } from "./RamGitter";
import { Dialoge } from "./Dialoge";
import { type Befehl, type Eintrag, type Menueplan, Menues, Werkzeugleiste } from "./Menues";
import { html } from "./Svg";
import { Seitenschicht, type Umgebung, dateiWaehlen, herunterladen } from "./Nebenfenster";
import { Mikrocodeeditor } from "./Mikrocodeeditor";
import { mikrocodeMerken, mikrocodeVergessen } from "./Mikrocodespeicher";
import { Aufzeichnungsleiste, Leistenhoehe } from "./Aufzeichnungsleiste";
import { Statistikfenster } from "./Statistikfenster";
import { Programmtextfenster, alsProgrammtextSpeichern } from "./Programmtextfenster";
import { beruehrungEinrichten } from "./Beruehrung";

export const Menuehoehe = 20;
const AlleTeile = 0x7fffffff;
// While running to the halt the window is redrawn ten times a second: a
// browser's drawing of the whole datapath costs the run a fifth of its speed
// at 25 redraws, and the figures flicker past too fast to read either way.
const ZeichenabstandMs = 100;

/** A count in groups of three digits, set apart by a thin space: dots would
 *  look like the cell texts beside it. */
export function gruppiert(zahl: number): string {
  return String(Math.floor(zahl)).replace(/\B(?=(\d{3})+(?!\d))/g, "\u2009");
}

function warte(ms: number): Promise<void> {
  return new Promise((fertig) => window.setTimeout(fertig, ms));
}

function dateiname(pfad: string): string {
  return pfad.slice(pfad.lastIndexOf("/") + 1);
}

interface DateiHandle { name: string; createWritable(): Promise<{ write(daten: Uint8Array): Promise<void>; close(): Promise<void> }> }
type SpeicherAuswahl = (optionen: { suggestedName: string; types: { description: string; accept: Record<string, string[]> }[] }) => Promise<DateiHandle>;

export class Fenster {
  private readonly m: Maschine;
  private ansicht!: Ansicht;
  private readonly wurzel: HTMLElement;
  private readonly client: HTMLDivElement;
  private readonly datenpfad: Datenpfad;
  private readonly gitter: RamGitter;
  private readonly dialoge: Dialoge;
  private readonly menues: Menues;
  private readonly werkzeugleiste: Werkzeugleiste;
  private readonly sperre: HTMLDivElement;
  private readonly dateiwahl: HTMLInputElement;
  private massstab = 1;
  private gestartet = false;
  private gesperrt = false;
  private zeichnet = false;
  private zeichnenGeplant = false;
  private taktId: number | undefined;
  private taktIntervall = 0;
  private tickOffen = false;
  private meldungenAusstehend = false;
  private ramEditiertVorEditor = false;
  private speicherziel: { handle: DateiHandle; pfad: string } | null = null;
  // "Bis zum Halt"
  private lauf: { beginn: number; gezeichnet: number } | null = null;
  private letzterLauf = { beginn: 0, ende: 0 };
  private scheibe = 1000;
  private laufText = "";
  private readonly kanal = new MessageChannel();
  // The windows beside this one, and the recording bar below the datapath.
  private readonly seitenschicht: Seitenschicht;
  private readonly umgebung: Umgebung;
  private readonly mikrocodeeditor: Mikrocodeeditor;
  private readonly aufzeichnungsleiste: Aufzeichnungsleiste;
  private readonly statistikfenster: Statistikfenster;
  private readonly programmtextfenster: Programmtextfenster;
  private leistenhoehe = 0;
  private readonly menueschicht: HTMLDivElement;

  constructor(private readonly modul: VentaroModul, wurzel: HTMLElement, private readonly beispiele: string[]) {
    this.m = new modul.Maschine("Ventaro " + modul.programmVersion(), MikrocodePfad);
    this.wurzel = wurzel;
    wurzel.classList.add("fenster");
    wurzel.style.width = `${Breite}px`;
    wurzel.style.height = `${Hoehe + Menuehoehe}px`;
    this.client = html("div", { class: "client" }, wurzel);
    this.client.style.top = `${Menuehoehe}px`;
    const schicht = html("div", { class: "schicht" });
    // The boxes lie above the windows beside this one, whichever asks.
    this.seitenschicht = new Seitenschicht(() => this.massstab);
    this.dialoge = this.seitenschicht.dialoge;

    this.gitter = new RamGitter({
      zeileWaehlen: (z) => void this.befehl((m) => m.zeileWaehlen(z)),
      uebergeben: (a, t, endgueltig) => this.uebergeben(a, t, endgueltig),
      editorGeoeffnet: () => { this.ramEditiertVorEditor = this.ansicht.ramEditiert; },
      verwerfen: (a, t) => void this.befehl((m) => m.bearbeitungVerwerfen(a, t, this.ramEditiertVorEditor)),
      enter: () => void this.ramEnter(),
      haltepunktUmschalten: (a) => void this.haltepunktUmschalten(a),
      haltepunktMenue: (a, x, y) => this.menues.kontextmenue([{
        text: this.ansicht.haltepunkte.includes(a) ? "Haltepunkt entfernen" : "Haltepunkt setzen",
        aktiv: true, aktion: () => void this.haltepunktUmschalten(a), id: "haltepunkt-umschalten",
      }], x, y),
      imFenster: (element) => this.client.contains(element),
      verlassen: () => this.gitterVerlassen(),
    });
    this.client.appendChild(this.gitter.wurzel); // first in the focus order
    this.datenpfad = new Datenpfad({
      torUmschalten: (t) => void this.befehl((m) => m.torUmschalten(t)),
      ladenUmschalten: (r) => void this.befehl((m) => m.ladenUmschalten(r)),
      pcErhoehen: () => void this.befehl((m) => m.pcErhoehen()),
      aluWaehlen: (i) => void this.befehl((m) => m.aluWaehlen(i)),
      knopf: (k) => void this.knopf(k),
      taktrateSetzen: (p) => void this.befehl((m) => m.taktrateSetzen(p)),
      hinweis: (t) => this.datenpfad.setzeStatus0(t),
    });
    this.client.appendChild(this.datenpfad.wurzel);
    this.gitter.wurzel.style.zIndex = "1";

    const befehle = this.befehle();
    this.werkzeugleiste = new Werkzeugleiste(befehle, [
      "ffnen1", "Speichern1", "Speichernunter1", "Beenden1", "-", "Reset1", "MikroschrittZurueck1", "BefehlZurueck1",
      "Mikrocodebearbeiten1", "-", "BiszumHalt1", "-", "HilfezumModellrechner1", "Tutorium1",
    ]);
    this.client.appendChild(this.werkzeugleiste.leiste);
    this.menues = new Menues(schicht, befehle, this.menueplan(), () => this.massstab);
    wurzel.appendChild(this.menues.leiste);
    this.seitenschicht.menueschicht(schicht);
    this.menueschicht = schicht;
    this.sperre = html("div", { class: "sperre", hidden: "" }, wurzel);
    this.dateiwahl = html("input", { type: "file", hidden: "", id: "dateiwahl" }, wurzel);

    // Clicks on controls that take no focus leave it where it is (in the
    // grid): only the grid, the list, the push buttons and text fields take it.
    this.client.addEventListener("mousedown", (e) => {
      if (!(e.target as Element).closest("[data-fokus]")) e.preventDefault();
    });
    document.addEventListener("keydown", (e) => this.sperrtaste(e), { capture: true });
    document.addEventListener("keydown", (e) => this.tastenkuerzel(e));
    for (const art of ["mousedown", "click", "contextmenu", "wheel", "pointerdown"])
      this.sperre.addEventListener(art, (e) => e.preventDefault());
    window.addEventListener("beforeunload", (e) => {
      if (this.ansicht?.ramEditiert) {
        e.preventDefault();
        e.returnValue = "";
      }
    });
    this.kanal.port1.onmessage = () => this.scheibeAusfuehren();

    this.umgebung = {
      modul: this.modul, m: this.m, schicht: this.seitenschicht,
      befehl: (aufruf) => this.befehl(aufruf), zeichnen: () => this.zeichne(), hilfe: () => this.hilfe("Ventaro.htm"),
    };
    this.mikrocodeeditor = new Mikrocodeeditor(this.umgebung, (befehl, abhaengig) => void this.aufzeichnungsleiste.starte(befehl, abhaengig));
    this.aufzeichnungsleiste = new Aufzeichnungsleiste({
      modul: this.modul, m: this.m, dialoge: this.dialoge, befehl: (aufruf) => this.befehl(aufruf),
      status0: (text) => {
        if (text !== undefined) this.datenpfad.setzeStatus0(text);
        return this.datenpfad.status0Text();
      },
      zeigen: (an) => this.leisteZeigen(an),
    });
    this.aufzeichnungsleiste.wurzel.style.top = `${Menuehoehe + Hoehe}px`;
    this.aufzeichnungsleiste.wurzel.style.width = `${Breite}px`;
    wurzel.appendChild(this.aufzeichnungsleiste.wurzel);
    this.statistikfenster = new Statistikfenster(this.seitenschicht);
    this.programmtextfenster = new Programmtextfenster(this.umgebung);
    beruehrungEinrichten(wurzel);

    window.addEventListener("resize", () => this.skalieren());
    this.skalieren();
  }

  // ---- Start-up: the window drawn, then the machine started with its pause.

  async starten(): Promise<void> {
    this.zeichne(true);
    this.gitter.wurzel.focus({ preventScroll: true });
    this.m.starten();
    this.gestartet = true;
    await this.nachBefehl();
    document.body.dataset["bereit"] = "";
  }

  /** The whole window scales with the page: up to twice its size, and down
   *  to fit a small screen. */
  private skalieren(): void {
    const hoehe = Hoehe + Menuehoehe + this.leistenhoehe;
    const f = Math.min(2, window.innerWidth / Breite, window.innerHeight / hoehe);
    this.massstab = f > 0 ? f : 1;
    this.wurzel.style.transform = `scale(${this.massstab})`;
    this.wurzel.style.left = `${Math.max(0, (window.innerWidth - Breite * this.massstab) / 2)}px`;
    this.wurzel.style.top = `${Math.max(0, (window.innerHeight - hoehe * this.massstab) / 2)}px`;
    this.seitenschicht?.anpassen();
    this.seitenschicht?.setzeMenueort(this.menueschicht, parseFloat(this.wurzel.style.left), parseFloat(this.wurzel.style.top), Breite, hoehe);
  }

  /** The window grows by the recording bar, so the datapath keeps its
   *  size, and shrinks by as much again. */
  private leisteZeigen(an: boolean): void {
    this.leistenhoehe = an ? Leistenhoehe : 0;
    this.wurzel.style.height = `${Hoehe + Menuehoehe + this.leistenhoehe}px`;
    this.skalieren();
  }

  // ---- Commands.

  /** Runs a machine command as an event of the window: its boxes in order,
   *  then what changed is drawn; a pause shows the view at its start and
   *  takes no input for as long. */
  private async befehl(aufruf: (m: Maschine) => void): Promise<Meldung[]> {
    if (this.beschaeftigt()) return [];
    aufruf(this.m);
    return this.nachBefehl();
  }

  /** A box open or about to open, or a pause: the window takes no command. */
  private beschaeftigt(): boolean {
    return this.gesperrt || this.dialoge.istOffen() || this.meldungenAusstehend || this.mikrocodeeditor.offen();
  }

  private async nachBefehl(): Promise<Meldung[]> {
    const meldungen = this.m.meldungen();
    const pause = this.m.pause();
    if (pause > 0) this.zeichneAnsicht(this.m.zwischenansicht(), AlleTeile);
    else this.zeichne();
    // The boxes first: they came before the pause, and a box takes input.
    for (const meldung of meldungen) await this.zeigeMeldung(meldung);
    if (pause > 0) {
      this.sperren(true);
      await warte(pause);
      this.sperren(false);
      this.zeichne(true);
    }
    return meldungen;
  }

  private zeigeMeldung(meldung: Meldung): Promise<void> {
    return this.dialoge.meldung(meldung.titel, meldung.text, meldung.titel === "Warnung" ? "warnung" : "fehler");
  }

  private sperren(an: boolean): void {
    this.gesperrt = an;
    this.sperre.hidden = !an;
    if (an) document.body.dataset["gesperrt"] = "";
    else delete document.body.dataset["gesperrt"];
  }

  private sperrtaste(e: KeyboardEvent): void {
    if (!this.gesperrt) return;
    e.preventDefault();
    e.stopImmediatePropagation();
  }

  private async knopf(name: Knopfname): Promise<void> {
    switch (name) {
      case "Mikroschritt": await this.befehl((m) => m.mikroschritt()); break;
      case "Reset": await this.befehl((m) => m.reset()); break;
      case "Start": await this.befehl((m) => m.taktStarten()); break;
      case "Stopp":
        this.laufStoppen();
        await this.befehl((m) => m.taktAnhalten());
        break;
    }
  }

  // ---- Drawing.

  private zeichne(alles = false): void {
    if (this.zeichnet) return;
    const teile = this.m.aktualisieren();
    this.zeichneAnsicht(this.m.ansicht(), alles ? AlleTeile : teile);
  }

  /** Draws later, once the current event is through. */
  private spaeterZeichnen(): void {
    if (this.zeichnenGeplant) return;
    this.zeichnenGeplant = true;
    queueMicrotask(() => {
      this.zeichnenGeplant = false;
      this.zeichne();
    });
  }

  private zeichneAnsicht(a: Ansicht, teile: number): void {
    this.zeichnet = true;
    try {
      const erstes = !this.ansicht;
      this.ansicht = a;
      this.datenpfad.zeichne(a);
      if (erstes || teile & (Teil.Ram | Teil.Haltepunkte)) this.gitter.zeichne(a);
      if (this.gestartet && document.title !== a.titel) document.title = a.titel;
      this.werkzeugleiste.aktualisieren(a.aktiv.werkzeugleiste);
      if (erstes || teile & Teil.Aufzeichnung) this.aufzeichnungsleiste.zeichne(a);
      if (teile & Teil.Statistik) this.statistikfenster.zeichne(a);
      this.taktAnwenden(a);
    } finally {
      this.zeichnet = false;
    }
  }

  // ---- The clock: a timer of the page at the machine's interval.

  private taktAnwenden(a: Ansicht): void {
    const { laeuft, intervall } = a.takt;
    if (laeuft && (this.taktId === undefined || this.taktIntervall !== intervall)) {
      // A running timer starts counting the new interval from the change.
      window.clearInterval(this.taktId);
      this.taktIntervall = intervall;
      this.taktId = window.setInterval(() => this.taktTick(), intervall);
    } else if (!laeuft && this.taktId !== undefined) {
      window.clearInterval(this.taktId);
      this.taktId = undefined;
    }
  }

  private taktTick(): void {
    // Ticks are held while a box is open or the window pauses: boxes never pile up.
    if (this.beschaeftigt() || this.tickOffen) return;
    this.tickOffen = true;
    void this.befehl((m) => m.taktTick()).finally(() => { this.tickOffen = false; });
  }

  // ---- The RAM grid.

  private uebergeben(adresse: number, text: string, endgueltig: boolean): void {
    this.m.zelleUebergeben(adresse, text, endgueltig);
    const meldungen = this.m.meldungen();
    this.spaeterZeichnen();
    for (const meldung of meldungen) void this.zeigeMeldung(meldung);
  }

  /** Leaving the grid for another control checks all cells at once; the
   *  boxes follow once the focus has arrived there, and hold every command
   *  until they are closed, as a modal box does. */
  private gitterVerlassen(): void {
    if (this.beschaeftigt()) return;
    this.m.allePruefen();
    const meldungen = this.m.meldungen();
    this.zeichne();
    if (meldungen.length === 0) return;
    this.meldungenAusstehend = true;
    window.setTimeout(async () => {
      this.meldungenAusstehend = false;
      for (const meldung of meldungen) await this.zeigeMeldung(meldung);
    }, 0);
  }

  private async ramEnter(): Promise<void> {
    if (this.beschaeftigt()) return;
    const editorWarOffen = this.gitter.editorOffen();
    if (editorWarOffen) this.gitter.editorSchliessen();
    const vorher = this.ansicht.zeile;
    await this.befehl((m) => m.eingabeAbschliessen());
    // The grid's own Enter follows: it opens the editor on the next row, or
    // leaves it closed where the row stayed.
    if (this.ansicht.zeile !== vorher || !editorWarOffen) this.gitter.editorOeffnen();
  }

  private async haltepunktUmschalten(adresse: number): Promise<void> {
    await this.befehl((m) => m.setzeHaltepunkt(adresse, !this.ansicht.haltepunkte.includes(adresse)));
  }

  // ---- "Bis zum Halt ausführen": slices of microsteps, each about 15 ms,
  // so the page keeps answering; "Stopp" and Escape end it.

  private bisZumHalt(): void {
    if (this.lauf || this.beschaeftigt() || !this.m.laufBeginnen()) return;
    this.lauf = { beginn: performance.now(), gezeichnet: 0 };
    this.zeichne();
    this.zeigeFortschritt();
    this.kanal.port2.postMessage(null);
  }

  private scheibeAusfuehren(): void {
    const lauf = this.lauf;
    if (!lauf) return;
    if (this.beschaeftigt()) {
      window.setTimeout(() => this.kanal.port2.postMessage(null), ZeichenabstandMs);
      return;
    }
    const anfang = performance.now();
    const ende = this.m.laufWeiter(this.scheibe);
    if (ende !== -1) {
      void this.laufBeenden();
      return;
    }
    const dauer = performance.now() - anfang;
    if (dauer < 10 && this.scheibe < 1 << 24) this.scheibe *= 2;
    else if (dauer > 25 && this.scheibe > 64) this.scheibe = Math.floor(this.scheibe / 2);
    const jetzt = performance.now() - lauf.beginn;
    if (jetzt - lauf.gezeichnet >= ZeichenabstandMs) {
      lauf.gezeichnet = jetzt;
      this.zeichne();
      this.zeigeFortschritt();
    }
    this.kanal.port2.postMessage(null);
  }

  private laufStoppen(): void {
    if (!this.lauf) return;
    this.m.laufStoppen();
    void this.laufBeenden();
  }

  private async laufBeenden(): Promise<void> {
    const lauf = this.lauf;
    if (!lauf) return;
    this.lauf = null;
    this.letzterLauf = { beginn: lauf.beginn, ende: performance.now() };
    const meldungen = this.m.meldungen();
    this.zeichne();
    this.zeigeFortschritt();
    for (const meldung of meldungen) await this.zeigeMeldung(meldung);
  }

  private zeigeFortschritt(): void {
    const schritte = this.m.laufSchritte();
    const { beginn, ende } = this.lauf ? { beginn: this.lauf.beginn, ende: performance.now() } : this.letzterLauf;
    const sekunden = Math.max(ende - beginn, 1) / 1000;
    this.laufText = `${this.lauf ? "Bis zum Halt" : "Angehalten"}: ${gruppiert(schritte)} Mikroschritte, ${gruppiert(schritte / sekunden)} je Sekunde`;
    this.datenpfad.setzeStatus0(this.laufText);
  }

  /** The count of the latest run leaves status panel 0 once a step is taken
   *  back: it no longer tells how the machine got here. */
  private fortschrittVergessen(): void {
    if (!this.lauf && this.laufText && this.datenpfad.status0Text() === this.laufText) this.datenpfad.setzeStatus0("");
  }

  private async zurueck(befehl: "mikroschrittZurueck" | "befehlZurueck"): Promise<void> {
    if (!this.ansicht.zurueck) return;
    await this.befehl((m) => m[befehl]());
    this.fortschrittVergessen();
  }

  // ---- Files.

  private dateiWaehlen(endung: string, gewaehlt: (pfad: string) => Promise<void>): void {
    if (this.beschaeftigt()) return;
    this.dateiwahl.accept = endung;
    this.dateiwahl.value = "";
    this.dateiwahl.onchange = async () => {
      const datei = this.dateiwahl.files?.[0];
      if (!datei) return;
      const pfad = Dateiordner + datei.name.replace(/[\\/]/g, "_");
      this.modul.FS.writeFile(pfad, new Uint8Array(await datei.arrayBuffer()));
      await gewaehlt(pfad);
    };
    this.dateiwahl.click();
  }

  private oeffnen(): void {
    this.dateiWaehlen(".obj", async (pfad) => {
      this.speicherziel = null;
      await this.befehl((m) => m.ramDateiOeffnen(pfad));
    });
  }

  private programmtextOeffnen(): void {
    this.dateiWaehlen(".asm", (pfad) => this.programmtextLaden(pfad));
  }

  private async programmtextLaden(pfad: string): Promise<void> {
    let fehler: { text: string }[] = [];
    const gelaufen = await this.befehl((m) => { fehler = m.programmtextOeffnen(pfad); });
    if (fehler.length > 0 && gelaufen.every((x) => x.titel !== "Ventaro"))
      await this.dialoge.meldung("Fehler", fehler.map((f) => f.text).join("\r"), "fehler");
  }

  private async beispielOeffnen(name: string): Promise<void> {
    const pfad = Beispielordner + name;
    if (name.endsWith(".asm")) return this.programmtextLaden(pfad);
    this.speicherziel = null;
    await this.befehl((m) => m.ramDateiOeffnen(pfad));
  }

  private async speichern(): Promise<void> {
    let ohneZiel = false;
    const meldungen = await this.befehl((m) => { ohneZiel = !m.ramDateiSpeichern(); });
    if (ohneZiel) await this.speichernUnter();
    else if (meldungen.length === 0 && !this.gesperrt) await this.ausliefern(this.m.ramDateiname());
  }

  /** Asks for a target; false when the user gave none or saving failed. */
  private async speichernUnter(): Promise<boolean> {
    if (this.beschaeftigt()) return false;
    const bisher = this.m.ramDateiname();
    const vorschlag = bisher === "neu" || bisher === "" ? "neu.obj" : dateiname(bisher);
    const auswahl = (window as unknown as { showSaveFilePicker?: SpeicherAuswahl }).showSaveFilePicker;
    let handle: DateiHandle | null = null;
    let name: string | null;
    if (auswahl) {
      try {
        handle = await auswahl({ suggestedName: vorschlag, types: [{ description: "RAM-Datei (*.obj)", accept: { "text/plain": [".obj"] } }] });
      } catch {
        return false; // cancelled
      }
      name = handle.name;
    } else {
      name = await this.dialoge.texteingabe("Speichern unter", "Dateiname:", vorschlag);
      if (name === null || name.trim() === "") return false;
      name = name.trim().replace(/[\\/]/g, "_");
      if (!/\.[^.]+$/.test(name)) name += ".obj";
    }
    const pfad = Dateiordner + name;
    const meldungen = await this.befehl((m) => m.ramDateiSpeichernUnter(pfad));
    if (meldungen.some((x) => x.titel === "Ventaro")) return false;
    this.speicherziel = handle ? { handle, pfad } : null;
    await this.ausliefern(pfad);
    return true;
  }

  /** The bytes the machine wrote go to the file the user chose, or are
   *  downloaded under its name. */
  private async ausliefern(pfad: string): Promise<void> {
    if (!this.modul.FS.analyzePath(pfad).exists) return;
    const bytes = this.modul.FS.readFile(pfad);
    if (this.speicherziel && this.speicherziel.pfad === pfad) {
      try {
        const schreiber = await this.speicherziel.handle.createWritable();
        await schreiber.write(bytes);
        await schreiber.close();
        return;
      } catch (fehler) {
        await this.dialoge.meldung("Ventaro", `Datei "${dateiname(pfad)}" kann nicht erstellt werden. ${String((fehler as Error).message ?? fehler)}`, "fehler");
        return;
      }
    }
    const url = URL.createObjectURL(new Blob([bytes], { type: "application/octet-stream" }));
    const a = html("a", { href: url, download: dateiname(pfad), hidden: "" }, document.body);
    a.click();
    a.remove();
    window.setTimeout(() => URL.revokeObjectURL(url), 60000);
  }

  // ---- Closing: a page closes nothing, but asks as the desktop does.

  private async beenden(): Promise<void> {
    if (this.beschaeftigt()) return;
    if (this.ansicht.takt.laeuft || this.lauf) {
      await this.dialoge.meldung("Warnung", "Vor dem Beenden von Ventaro muss das laufende Programm\rmit der Stopp-Schaltfläche angehalten werden!", "warnung");
      return;
    }
    if (this.ansicht.ramEditiert && await this.dialoge.frageJaNein("Der RAM-Inhalt wurde editiert.\rWollen Sie ihn sichern?"))
      await this.speichernUnter();
  }

  // ---- Menus, tool bar and keys.

  private befehle(): Map<string, Befehl> {
    const rueckTipp = (text: string, taste: string) => () =>
      `${text} (${taste}): ${this.ansicht?.zurueckMikroschritte ?? 0} Mikroschritte können zurückgenommen werden`;
    return new Map<string, Befehl>([
      ["ffnen1", { text: "Öffnen", taste: "Strg+O", aktion: () => this.oeffnen(), tipp: () => "RAM-Datei öffnen" }],
      ["Speichern1", { text: "Speichern", taste: "Strg+S", aktion: () => void this.speichern(), tipp: () => "RAM-Datei speichern" }],
      ["Speichernunter1", { text: "Speichern unter...", taste: "Strg+Umschalt+S", aktion: () => void this.speichernUnter(), tipp: () => "RAM-Datei speichern unter..." }],
      ["Programmtextoeffnen1", { text: "Programmtext öffnen...", aktion: () => this.programmtextOeffnen() }],
      ["AlsProgrammtextspeichern1", { text: "Als Programmtext speichern...", aktion: () => void this.alsProgrammtextSpeichern() }],
      ["Beenden1", { text: "Beenden", aktion: () => void this.beenden(), tipp: () => "Programm beenden" }],
      ["Programmstarten1", { text: "Programm starten", aktion: () => void this.befehl((m) => m.taktSchalten(true)) }],
      ["Programmbeenden1", { text: "Programm beenden", aktion: () => void this.befehl((m) => m.taktSchalten(false)) }],
      ["BiszumHalt1", { text: "Bis zum Halt ausführen", aktion: () => this.bisZumHalt(), tipp: () => "Bis zum Halt ausführen" }],
      ["Reset1", { text: "Reset", aktion: () => void this.befehl((m) => m.reset()), tipp: () => "Mikroprozessoer zurücksetzen" }],
      ["MikroschrittZurueck1", { text: "Mikroschritt zurück", taste: "Alt+Links", aktion: () => void this.zurueck("mikroschrittZurueck"), aktiv: () => this.ansicht?.zurueck ?? false, tipp: rueckTipp("Mikroschritt zurück", "Alt+Links") }],
      ["BefehlZurueck1", { text: "Befehl zurück", taste: "Alt+Hoch", aktion: () => void this.zurueck("befehlZurueck"), aktiv: () => this.ansicht?.zurueck ?? false, tipp: rueckTipp("Befehl zurück", "Alt+Hoch") }],
      ["Mikrocodebearbeiten1", { text: "Mikrocode bearbeiten", aktion: () => void this.mikrocodeBearbeiten(), tipp: () => "Mikrocode bearbeiten" }],
      ["Mikrocodeexportieren1", { text: "Mikrocode exportieren...", aktion: () => this.mikrocodeExportieren() }],
      ["Mikrocodeimportieren1", { text: "Mikrocode importieren...", aktion: () => void this.mikrocodeImportieren() }],
      ["Mikrocodezuruecksetzen1", { text: "Mikrocode zurücksetzen", aktion: () => void this.mikrocodeZuruecksetzen() }],
      ["Programmtext1", { text: "Programmtext", aktion: () => this.programmtextfenster.zeigen() }],
      ["Statistik1", { text: "Statistik", aktion: () => this.statistikfenster.zeigen(this.ansicht) }],
      ["HilfezumModellrechner1", { text: "Hilfe zum Modellrechner", taste: "F1", aktion: () => this.hilfe("Ventaro.htm"), tipp: () => "Hilfe" }],
      ["Tutorium1", { text: "Tutorium", aktion: () => this.hilfe("tutorium.html"), tipp: () => "Tutorium" }],
      ["Info1", { text: "Info...", aktion: () => void this.info() }],
    ]);
  }

  private menueplan(): Menueplan[] {
    const beispiele = (): Eintrag[] => this.beispiele.map((name) => ({
      text: name, aktiv: true, aktion: () => void this.beispielOeffnen(name), id: `beispiel-${name}`,
    }));
    return [
      { titel: "Datei", zugriff: "D", eintraege: ["ffnen1", "Speichern1", "Speichernunter1", "-", "Programmtextoeffnen1", "AlsProgrammtextspeichern1", "-", { untermenue: "Beispiele", eintraege: beispiele }, "-", "Beenden1"] },
      { titel: "Bearbeiten", zugriff: "B", eintraege: ["Programmstarten1", "Programmbeenden1", "BiszumHalt1", "Reset1", "MikroschrittZurueck1", "BefehlZurueck1", "-", "Mikrocodebearbeiten1", "Mikrocodeexportieren1", "Mikrocodeimportieren1", "Mikrocodezuruecksetzen1", "Programmtext1", "Statistik1"] },
      { titel: "Hilfe", zugriff: "H", eintraege: ["HilfezumModellrechner1", "Tutorium1", "-", "Info1"] },
    ];
  }

  private hilfe(datei: string): void {
    // The single file carries no help beside it.
    if (document.getElementById("ventaro-daten")) {
      void this.dialoge.meldung("Fehler", `Die Datei ${datei} existiert nicht im Hilfe-Unterverzeichnis!`, "fehler");
      return;
    }
    window.open("hilfe/" + datei, "_blank", "noopener");
  }

  // ---- The microcode: the editor, and the file the browser keeps.

  private async mikrocodeBearbeiten(): Promise<void> {
    if (this.beschaeftigt()) return;
    await this.mikrocodeeditor.bearbeiten();
    this.zeichne();
  }

  private mikrocodeExportieren(): void {
    if (this.beschaeftigt() || !this.modul.FS.analyzePath(MikrocodePfad).exists) return;
    herunterladen("mikrocode.dat", this.modul.FS.readFile(MikrocodePfad));
  }

  /** A file the user picks replaces the microcode when it reads as one;
   *  otherwise the desktop's boxes say why and the old file stays. */
  private async mikrocodeImportieren(): Promise<void> {
    if (this.beschaeftigt()) return;
    const datei = await dateiWaehlen(".dat");
    if (!datei || this.beschaeftigt()) return;
    const alt = this.modul.FS.readFile(MikrocodePfad);
    this.modul.FS.writeFile(MikrocodePfad, datei.bytes);
    let gelesen = false;
    const meldungen = await this.befehl((m) => { gelesen = m.tabelleLaden(); });
    if (!gelesen) {
      this.modul.FS.writeFile(MikrocodePfad, alt);
      this.m.tabelleLaden();
      this.m.meldungen();
      return;
    }
    if (meldungen.length > 0) return;
    const gespeichert = await this.befehl((m) => m.tabelleSpeichern());
    if (!gespeichert.some((x) => x.titel === "Ventaro")) mikrocodeMerken(this.modul);
  }

  private async mikrocodeZuruecksetzen(): Promise<void> {
    if (this.beschaeftigt()) return;
    if (!await this.dialoge.frageJaNein("Den mitgelieferten Mikrocode wiederherstellen?\rIhre Änderungen am Mikrocode gehen dabei verloren.")) return;
    const mitgeliefert = await ladeDatei("mikrocode.dat");
    this.modul.FS.writeFile(MikrocodePfad, mitgeliefert);
    await this.befehl((m) => {
      if (m.tabelleLaden()) m.tabelleSpeichern();
    });
    // The shipped bytes as they are, whatever the writing made of them.
    this.modul.FS.writeFile(MikrocodePfad, mitgeliefert);
    mikrocodeVergessen();
  }

  private async alsProgrammtextSpeichern(): Promise<void> {
    if (this.beschaeftigt()) return;
    await alsProgrammtextSpeichern(this.umgebung);
  }

  private async info(): Promise<void> {
    if (this.beschaeftigt()) return;
    await this.dialoge.info(this.modul.programmVersion());
  }

  private tastenkuerzel(e: KeyboardEvent): void {
    if (this.dialoge.istOffen()) return;
    const strg = e.ctrlKey || e.metaKey;
    let aktion: (() => void) | undefined;
    if (strg && !e.altKey && e.code === "KeyO" && !e.shiftKey) aktion = () => this.oeffnen();
    else if (strg && !e.altKey && e.code === "KeyS") aktion = e.shiftKey ? () => void this.speichernUnter() : () => void this.speichern();
    else if (e.altKey && !strg && e.key === "ArrowLeft") aktion = () => void this.zurueck("mikroschrittZurueck");
    else if (e.altKey && !strg && e.key === "ArrowUp") aktion = () => void this.zurueck("befehlZurueck");
    else if (e.key === "F1") aktion = () => this.hilfe("Ventaro.htm");
    else if (e.key === "Escape" && this.lauf) aktion = () => this.laufStoppen();
    else if (e.altKey && !strg && !e.shiftKey && /^Key[DBH]$/.test(e.code)) aktion = () => this.menues.zugriffstaste(e.code.slice(3));
    else if (e.key === "F10" && !strg) aktion = () => this.menues.oeffnen(0, true);
    if (!aktion) return;
    e.preventDefault();
    aktion();
  }
}
