// The recording bar below the datapath, as the desktop's: while a
// microprogram is recorded by hand it shows the opcode, the step and the
// recorded words, with "Schritt aufnehmen", "Aufzeichnung beenden" and
// "Verwerfen". It is not modal: the datapath stays operable beside it.
import type { Ansicht, Maschine, Meldung, VentaroModul } from "./ventaro-modul";
import type { Dialoge } from "./Dialoge";
import { html } from "./Svg";
import { knopf } from "./Nebenfenster";
import { mikrocodeMerken } from "./Mikrocodespeicher";

export const Leistenhoehe = 104;
const Zeilen = 5; // the words stand in two columns of five

function zweiStellen(zahl: number): string { return String(zahl).padStart(2, "0"); }

export interface Leistenbedienung {
  modul: VentaroModul;
  m: Maschine;
  dialoge: Dialoge;
  befehl(aufruf: (m: Maschine) => void): Promise<Meldung[]>;
  /** status panel 0 */
  status0(text?: string): string;
  /** the window grows by the bar, or shrinks back */
  zeigen(an: boolean): void;
}

export class Aufzeichnungsleiste {
  readonly wurzel: HTMLDivElement;
  private readonly titel: HTMLDivElement;
  private readonly worte: HTMLDivElement;
  private statustext = "";

  constructor(private readonly b: Leistenbedienung) {
    this.wurzel = html("div", { class: "aufzeichnungsleiste", id: "Aufzeichnungsleiste", role: "region", "aria-label": "Aufzeichnungsleiste", hidden: "" });
    const links = html("div", { class: "links" }, this.wurzel);
    this.titel = html("div", { class: "aufzeichnungtitel", id: "AufzeichnungTitel", "aria-live": "polite" }, links);
    const reihe = html("div", { class: "knoepfe" }, links);
    knopf(reihe, "SchrittAufnehmenBtn", "Schritt aufnehmen", () => void this.b.befehl((m) => m.schrittAufnehmen()));
    knopf(reihe, "AufzeichnungBeendenBtn", "Aufzeichnung beenden", () => void this.beenden());
    knopf(reihe, "VerwerfenBtn", "Verwerfen", () => void this.b.befehl((m) => m.aufzeichnungVerwerfen()));
    for (const k of reihe.querySelectorAll("button")) k.setAttribute("data-fokus", "");
    this.worte = html("div", { class: "aufzeichnungworte", id: "AufzeichnungWorte", "aria-label": "Aufgezeichnete Steuerworte" }, this.wurzel);
  }

  laeuft(): boolean { return !this.wurzel.hidden; }

  /** The editor's "Aufzeichnen": asks first for opcode 0 (the fetch) and,
   *  for a flag-dependent opcode, which flag value is recorded. */
  async starte(befehl: number, flagabhaengig: boolean): Promise<void> {
    const nr = zweiStellen(befehl);
    const d = this.b.dialoge;
    if (this.b.m.aufzeichnungStand().laeuft &&
      !await d.frageJaNein(`Die laufende Aufzeichnung wird verworfen. Befehl ${nr} aufzeichnen?`)) return;
    if (befehl === 0 &&
      !await d.frageJaNein("Befehl 00 holt jeden Befehl aus dem RAM: Alle Befehle hängen von seinen Mikroschritten ab.\rTrotzdem aufzeichnen?")) return;
    let flag = -1;
    if (flagabhaengig)
      flag = await d.frageJaNein(`Der Mikrocode von Befehl ${nr} ist flagabhängig.\rFür Flag = 1 aufzeichnen? (Nein: für Flag = 0)`) ? 1 : 0;
    await this.b.befehl((m) => m.aufzeichnungStarten(befehl, flag));
  }

  private async beenden(): Promise<void> {
    const stand = this.b.m.aufzeichnungStand();
    let mnemonic = "";
    if (stand.mnemonicFehlt && stand.worte.length > 0) {
      const text = await this.b.dialoge.texteingabe("Mnemonic", `Befehl ${zweiStellen(stand.befehl)} hat noch kein Mnemonic.`, "");
      if (text === null) return; // still recording
      mnemonic = text.trim();
    }
    const meldungen = await this.b.befehl((m) => m.aufzeichnungBeenden(mnemonic));
    // The ending wrote the file as OK does: the browser keeps it.
    if (!this.b.m.aufzeichnungStand().laeuft && !meldungen.some((x) => x.titel === "Ventaro")) mikrocodeMerken(this.b.modul);
  }

  /** Shows or hides the bar and writes its texts; after every event that
   *  changed the recording. */
  zeichne(a: Ansicht): void {
    const stand = this.b.m.aufzeichnungStand();
    const laeuft = stand.laeuft;
    if (laeuft !== this.laeuft()) {
      this.wurzel.hidden = !laeuft;
      this.b.zeigen(laeuft);
    }
    if (!laeuft) {
      // The ended recording's step no longer stands in the status bar.
      if (this.statustext && this.b.status0() === this.statustext) this.b.status0("");
      this.statustext = "";
      return;
    }
    const status = a.aufzeichnung;
    this.statustext = status;
    this.b.status0(status);
    this.titel.textContent = `\u25CF ${status}${stand.flag >= 0 ? ` (Flag = ${stand.flag})` : ""}`;
    const zeilen: string[] = [];
    const w = stand.worte;
    for (let z = 0; z < Zeilen && z < w.length; ++z) {
      let zeile = `${z}: ${w[z]}`;
      if (z + Zeilen < w.length) zeile += `   ${z + Zeilen}: ${w[z + Zeilen]}`;
      zeilen.push(zeile);
    }
    this.worte.textContent = zeilen.length === 0 ? "Noch kein Schritt aufgenommen" : zeilen.join("\n");
  }
}
