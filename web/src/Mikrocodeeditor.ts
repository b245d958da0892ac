// "Mikrocode bearbeiten": the desktop's editor dialog at its size and
// places. Two grids of the 18 signals by 10 steps, for flag 0 and flag 1;
// the flag-1 grid follows flag 0 unless the opcode is flag-dependent.
// Opening reads the file anew, OK writes it and the machine takes the table;
// the page then keeps the file in the browser.
import type { Mikrocodetabelle } from "./ventaro-modul";
import { bauteile } from "./Modul";
import { html } from "./Svg";
import { Nebenfenster, type Umgebung, imFensterAusfuehren, knopf } from "./Nebenfenster";
import { editortitel, mikrocodeMerken } from "./Mikrocodespeicher";

const Schritte = 10;
// The signals of a control word, named by the core's table.
const Signalnamen = (): string[] => bauteile().signale;
const HoechsterCode = 28;

type Marken = boolean[][]; // [signal 0..17][step 0..9]

function leer(): Marken {
  return Signalnamen().map(() => new Array<boolean>(Schritte).fill(false));
}

function setzt(wort: string | undefined, k: number): boolean {
  return (wort ?? "")[k] === "1";
}

class Markengitter {
  readonly wurzel: HTMLDivElement;
  private readonly zellen: HTMLDivElement[][] = [];
  private fokus = { zeile: 0, spalte: 0 };

  constructor(eltern: HTMLElement, id: string, name: string, x: number, private readonly geklickt: (zeile: number, spalte: number) => void) {
    this.wurzel = html("div", { class: "markengitter", id, role: "grid", "aria-label": name, tabindex: 0, "data-fokus": "" }, eltern);
    this.wurzel.style.left = `${x}px`;
    const kopf = html("div", { class: "markenreihe", role: "row" }, this.wurzel);
    html("div", { class: "markenkopf ecke", role: "columnheader" }, kopf, "Element");
    for (let s = 0; s < Schritte; ++s) html("div", { class: "markenkopf", role: "columnheader" }, kopf, String(s));
    for (let k = 0; k < Signalnamen().length; ++k) {
      const reihe = html("div", { class: "markenreihe", role: "row" }, this.wurzel);
      html("div", { class: "markenkopf ecke", role: "rowheader" }, reihe, Signalnamen()[k]!);
      const zeile: HTMLDivElement[] = [];
      for (let s = 0; s < Schritte; ++s) {
        const z = html("div", { class: "marke", role: "gridcell", "aria-label": `${Signalnamen()[k]} ${s}` }, reihe);
        z.addEventListener("click", () => {
          this.fokus = { zeile: k, spalte: s };
          this.zeigeFokus();
          this.geklickt(k, s);
        });
        zeile.push(z);
      }
      this.zellen.push(zeile);
    }
    // The keyboard moves a cell cursor; Space marks as a click does.
    this.wurzel.addEventListener("keydown", (e) => {
      const { zeile, spalte } = this.fokus;
      const ziel = { ArrowUp: [zeile - 1, spalte], ArrowDown: [zeile + 1, spalte], ArrowLeft: [zeile, spalte - 1], ArrowRight: [zeile, spalte + 1],
        Home: [zeile, 0], End: [zeile, Schritte - 1] }[e.key];
      if (ziel) {
        e.preventDefault();
        this.fokus = { zeile: Math.max(0, Math.min(Signalnamen().length - 1, ziel[0]!)), spalte: Math.max(0, Math.min(Schritte - 1, ziel[1]!)) };
        this.zeigeFokus();
      } else if (e.key === " ") {
        e.preventDefault();
        this.geklickt(zeile, spalte);
      }
    });
    this.wurzel.addEventListener("focus", () => this.zeigeFokus());
    this.zeigeFokus();
  }

  private zeigeFokus(): void {
    this.wurzel.querySelector(".marke.cursor")?.classList.remove("cursor");
    const z = this.zellen[this.fokus.zeile]![this.fokus.spalte]!;
    z.classList.add("cursor");
    z.id = `${this.wurzel.id}-cursor`;
    this.wurzel.setAttribute("aria-activedescendant", z.id);
  }

  zeige(marken: Marken): void {
    marken.forEach((zeile, k) => zeile.forEach((an, s) => {
      const z = this.zellen[k]![s]!;
      const text = an ? "X" : "";
      if (z.textContent !== text) z.textContent = text;
    }));
  }
}

export class Mikrocodeeditor {
  private readonly fenster: Nebenfenster;
  private readonly code: HTMLInputElement;
  private readonly mnemonic: HTMLInputElement;
  private readonly flagabhaengig: HTMLInputElement;
  private readonly gitter0: Markengitter;
  private readonly gitter1: Markengitter;
  private marken0 = leer();
  private marken1 = leer();
  private tabelle: Mikrocodetabelle | null = null;
  private ende: ((ergebnis: boolean) => void) | null = null;

  /** aufzeichnen: the "Aufzeichnen" button, after the dialog has closed */
  constructor(private readonly u: Umgebung, private readonly aufzeichnen: (befehl: number, flagabhaengig: boolean) => void) {
    this.fenster = new Nebenfenster(u.schicht, {
      id: "mcDlg", titel: "Mikrocode editieren [mikrocode.dat]", breite: 792, hoehe: 566, modal: true,
      schliessen: () => this.schliessen(false),
    });
    const f = this.fenster.inhalt;
    f.classList.add("mikrocodeeditor");
    html("div", { class: "bevel", role: "group", "aria-label": "Mikrocode" }, f);

    const ort = (e: HTMLElement, x: number, y: number, b?: number, h?: number): void => {
      e.style.left = `${x}px`;
      e.style.top = `${y}px`;
      if (b !== undefined) e.style.width = `${b}px`;
      if (h !== undefined) e.style.height = `${h}px`;
    };
    const beschriftung = (text: string, x: number, y: number, fuer?: string): HTMLElement => {
      const l = html(fuer ? "label" : "div", fuer ? { class: "beschriftung", for: fuer } : { class: "beschriftung" }, f, text);
      ort(l, x, y);
      return l;
    };

    beschriftung("Code:", 24, 28, "CodeEdit");
    const spin = html("div", { class: "codespin" }, f);
    ort(spin, 64, 24, 57, 26);
    // The code is changed by the arrows only, never typed.
    this.code = html("input", { id: "CodeEdit", type: "text", readonly: "", role: "spinbutton", "aria-valuemin": 0, "aria-valuemax": HoechsterCode, "data-fokus": "" }, spin);
    this.code.value = "0";
    const pfeile = html("div", { class: "pfeile" }, spin);
    const hoch = html("button", { type: "button", tabindex: -1, "aria-label": "Code erhöhen", class: "hoch" }, pfeile);
    const runter = html("button", { type: "button", tabindex: -1, "aria-label": "Code vermindern", class: "runter" }, pfeile);
    hoch.addEventListener("click", () => this.codeSetzen(this.codeWert() + 1));
    runter.addEventListener("click", () => this.codeSetzen(this.codeWert() - 1));
    for (const b of [hoch, runter]) b.addEventListener("mousedown", (e) => { e.preventDefault(); this.code.focus(); });
    this.code.addEventListener("keydown", (e) => {
      const schritt = { ArrowUp: 1, ArrowDown: -1, PageUp: 10, PageDown: -10 }[e.key];
      if (schritt === undefined) return;
      e.preventDefault();
      this.codeSetzen(this.codeWert() + schritt);
    });
    this.code.addEventListener("wheel", (e) => {
      e.preventDefault();
      this.codeSetzen(this.codeWert() + (e.deltaY < 0 ? 1 : -1));
    });

    beschriftung("Mnemonic:", 152, 28, "MnemonicEdit");
    this.mnemonic = html("input", { id: "MnemonicEdit", type: "text", spellcheck: "false", autocomplete: "off", "data-fokus": "" }, f);
    ort(this.mnemonic, 224, 24, 81, 24);

    const pruef = html("label", { class: "flagbox", for: "FlagCheckBox" }, f, "Mikrocode flagabhängig");
    ort(pruef, 336, 24, 169, 25);
    this.flagabhaengig = html("input", { id: "FlagCheckBox", type: "checkbox", "data-fokus": "" }, pruef);
    this.flagabhaengig.addEventListener("change", () => this.flagUmgeschaltet());

    beschriftung("Flag = 0", 24, 64);
    beschriftung("Flag = 1", 408, 64);
    this.gitter0 = new Markengitter(f, "flag0grid", "Flag = 0", 24, (k, s) => this.klick0(k, s));
    this.gitter1 = new Markengitter(f, "flag1grid", "Flag = 1", 408, (k, s) => this.klick1(k, s));

    beschriftung("Für diesen Befehl....", 24, 488);
    const knoepfe: [string, string, () => void, number, number, number, string?][] = [
      ["MCSpeichernBtn", "Änderung übernehmen", () => void this.uebernehmen(), 160, 484, 145],
      ["MikroCodeVerwerfenBtn", "Änderung rückgängig", () => this.anzeigen(), 336, 484, 145],
      ["MCClearBtn", "Mikroschritte löschen", () => this.loeschen(), 512, 484, 145],
      ["AufzeichnenBtn", "Aufzeichnen", () => this.aufzeichnenGeklickt(), 672, 484, 97],
      ["OKBtn", "OK", () => void this.ok(), 254, 532, 75],
      ["CancelBtn", "Abbrechen", () => this.schliessen(false), 334, 532, 75],
      ["HelpBtn", "Hilfe", () => this.u.hilfe(), 414, 532, 75, "H"],
    ];
    for (const [id, text, aktion, x, y, b, zugriff] of knoepfe) ort(knopf(f, id, text, aktion, zugriff), x, y, b, 25);
    f.querySelector("#OKBtn")!.classList.add("standard");

    // Enter presses the focused button, elsewhere OK; Alt+H is "Hilfe".
    this.fenster.rahmen.addEventListener("keydown", (e) => {
      if (e.key === "Enter" && !(e.target instanceof HTMLButtonElement)) {
        e.preventDefault();
        void this.ok();
      } else if (e.altKey && e.key.toLowerCase() === "h") {
        e.preventDefault();
        this.u.hilfe();
      }
    });
  }

  offen(): boolean { return this.fenster.offen(); }

  /** Shows the dialog; true when it was closed with OK. */
  bearbeiten(): Promise<boolean> {
    if (this.ende) return Promise.resolve(false);
    this.fenster.setzeTitel(editortitel());
    this.fenster.zeigen();
    this.code.focus();
    return new Promise((fertig) => {
      this.ende = fertig;
      void this.laden();
    });
  }

  private async laden(): Promise<void> {
    let gelungen = false;
    await imFensterAusfuehren(this.u, (m) => { gelungen = m.tabelleLaden(); });
    if (!gelungen) return; // the grids keep what they showed
    this.tabelle = this.u.m.tabelle();
    this.anzeigen();
  }

  private codeWert(): number { return Number(this.code.value); }

  private codeSetzen(wert: number): void {
    const c = Math.max(0, Math.min(HoechsterCode, wert));
    if (c === this.codeWert()) return;
    this.code.value = String(c);
    this.anzeigen();
  }

  /** The opcode's microcode as the table holds it: unsaved marks are gone. */
  private anzeigen(): void {
    const c = this.codeWert();
    this.code.setAttribute("aria-valuenow", String(c));
    const t = this.tabelle;
    if (!t) return;
    this.mnemonic.value = t.mnemonics[c] ?? "";
    let abhaengig = false;
    for (let s = 0; s < Schritte; ++s) if (t.worte0[10 * c + s] !== t.worte1[10 * c + s]) abhaengig = true;
    this.flagabhaengig.checked = abhaengig;
    this.marken0 = Signalnamen().map((_, k) => Array.from({ length: Schritte }, (_, s) => setzt(t.worte0[10 * c + s], k)));
    this.marken1 = Signalnamen().map((_, k) => Array.from({ length: Schritte }, (_, s) => setzt(t.worte1[10 * c + s], k)));
    this.gitterZeigen();
  }

  private gitterZeigen(): void {
    this.gitter0.zeige(this.marken0);
    this.gitter1.zeige(this.marken1);
  }

  private klick0(k: number, s: number): void {
    const an = !this.marken0[k]![s];
    this.marken0[k]![s] = an;
    if (!this.flagabhaengig.checked) this.marken1[k]![s] = an;
    this.gitterZeigen();
  }

  private klick1(k: number, s: number): void {
    if (!this.flagabhaengig.checked) return;
    this.marken1[k]![s] = !this.marken1[k]![s];
    this.gitterZeigen();
  }

  /** Ticked: the flag-1 microcode starts blank; unticked: it follows flag 0. */
  private flagUmgeschaltet(): void {
    const abhaengig = this.flagabhaengig.checked;
    this.marken1 = this.marken0.map((zeile) => zeile.map((an) => !abhaengig && an));
    this.gitterZeigen();
  }

  private loeschen(): void {
    this.marken0 = leer();
    this.marken1 = leer();
    this.gitterZeigen();
  }

  private worte(marken: Marken): string[] {
    return Array.from({ length: Schritte }, (_, s) => marken.map((zeile) => (zeile[s] ? "1" : "0")).join(""));
  }

  private async uebernehmen(): Promise<void> {
    const c = this.codeWert();
    await imFensterAusfuehren(this.u, (m) => m.befehlUebernehmen(c, this.mnemonic.value, this.worte(this.marken0), this.worte(this.marken1)));
    this.tabelle = this.u.m.tabelle();
    // The field shows the mnemonic as stored: a replaced character as "?".
    this.mnemonic.value = this.tabelle.mnemonics[c] ?? "";
  }

  /** The result is OK whatever the saving does: the machine takes the table. */
  private async ok(): Promise<void> {
    if (!this.ende || this.u.schicht.dialoge.istOffen()) return;
    const meldungen = await imFensterAusfuehren(this.u, (m) => m.tabelleSpeichern());
    if (!meldungen.some((x) => x.titel === "Ventaro")) mikrocodeMerken(this.u.modul);
    this.schliessen(true);
  }

  private aufzeichnenGeklickt(): void {
    const befehl = this.codeWert();
    const abhaengig = this.flagabhaengig.checked;
    this.schliessen(false);
    this.aufzeichnen(befehl, abhaengig);
  }

  private schliessen(ergebnis: boolean): void {
    if (this.u.schicht.dialoge.istOffen()) return;
    this.fenster.verbergen();
    const ende = this.ende;
    this.ende = null;
    ende?.(ergebnis);
  }
}
