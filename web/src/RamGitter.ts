// The RAM grid: the header row "Adr." / "Inhalt", the fixed address column
// and the editable column of cell texts. It reports selections, the cell
// editor's hand-overs and the Enter key; the machine decides what they do.
import type { Ansicht } from "./ventaro-modul";
import { html } from "./Svg";

export const Zellenzahl = 128;
const Zeilenabstand = 25; // rows of 24 pixels and the line below each

export interface Gitterbedienung {
  zeileWaehlen(zeile: number): void;
  /** the editor's text; endgueltig: the hand-over when the editor closes */
  uebergeben(adresse: number, text: string, endgueltig: boolean): void;
  editorGeoeffnet(): void;
  /** Escape: the cell goes back to the text it had when the editor opened */
  verwerfen(adresse: number, anfangstext: string): void;
  enter(): void;
  haltepunktUmschalten(adresse: number): void;
  haltepunktMenue(adresse: number, x: number, y: number): void;
  /** whether the element is a control of the window (not a menu or a box) */
  imFenster(element: Node): boolean;
  /** the focus left the grid for another control of the window */
  verlassen(): void;
}

/** What a key does in the grid while no cell editor is open. */
export type Gittertaste =
  | { art: "tippen"; zeichen: string }
  | { art: "enter" }
  | { art: "bearbeiten" }
  | { art: "zeile"; zeile: number }
  | { art: "nichts" };

/** The grid's keys: a printable character opens the editor with it, Enter
 *  and F2 as the desktop grid, the arrows and page keys move the row. */
export function gitterTaste(
  e: { key: string; ctrlKey: boolean; altKey: boolean; metaKey: boolean }, zeile: number, seite: number,
): Gittertaste {
  if (e.key === "Enter") return { art: "enter" };
  if (e.altKey || e.metaKey) return { art: "nichts" };
  if (!e.ctrlKey && [...e.key].length === 1 && e.key >= " ") return { art: "tippen", zeichen: e.key };
  const ziel = (z: number): Gittertaste => ({ art: "zeile", zeile: Math.max(1, Math.min(Zellenzahl, z)) });
  switch (e.key) {
    case "F2": return { art: "bearbeiten" };
    case "ArrowUp": return ziel(zeile - 1);
    case "ArrowDown": return ziel(zeile + 1);
    case "PageUp": return ziel(zeile - seite);
    case "PageDown": return ziel(zeile + seite);
    case "Home": return e.ctrlKey ? ziel(1) : { art: "nichts" };
    case "End": return e.ctrlKey ? ziel(Zellenzahl) : { art: "nichts" };
    default: return { art: "nichts" };
  }
}

interface Editor { zeile: number; feld: HTMLInputElement; anfangstext: string }

export class RamGitter {
  readonly wurzel: HTMLDivElement;
  private readonly kopf: HTMLDivElement[] = [];
  private readonly adressen: HTMLDivElement[] = [];
  private readonly zellen: HTMLDivElement[] = [];
  private readonly zeilen: HTMLDivElement[] = [];
  private zeile = 1;
  private editor: Editor | null = null;
  private haltepunkte = new Set<number>();
  private gefuellt = false;

  constructor(private readonly bedienung: Gitterbedienung) {
    this.wurzel = html("div", {
      id: "ram", class: "gitter", role: "grid", "aria-label": "RAM", tabindex: 0,
      "aria-rowcount": Zellenzahl + 1, "aria-colcount": 2, "data-fokus": "",
    });
    const kopf = html("div", { role: "row", class: "kopf", "aria-rowindex": 1 }, this.wurzel);
    for (const klasse of ["adresse", "inhalt"]) this.kopf.push(html("div", { role: "columnheader", class: klasse }, kopf));
    for (let a = 0; a < Zellenzahl; ++a) {
      const reihe = html("div", { role: "row", class: "reihe", "aria-rowindex": a + 2, id: `zeile-${a + 1}` }, this.wurzel);
      this.adressen.push(html("div", { role: "rowheader", class: "adresse", id: `adresse-${a}` }, reihe));
      this.zellen.push(html("div", { role: "gridcell", class: "inhalt", id: `zelle-${a}`, "aria-selected": "false" }, reihe));
      this.zeilen.push(reihe);
    }
    this.wurzel.addEventListener("mousedown", (e) => this.maus(e));
    this.wurzel.addEventListener("contextmenu", (e) => this.kontext(e));
    this.wurzel.addEventListener("keydown", (e) => this.taste(e));
    this.wurzel.addEventListener("focusout", (e) => this.fokusWeg(e));
  }

  editorOffen(): boolean { return this.editor !== null; }

  // ---- Drawing: shows the machine's cells and current row, reporting nothing.

  zeichne(a: Ansicht): void {
    if (a.rasterGefuellt !== this.gefuellt) {
      this.gefuellt = a.rasterGefuellt;
      this.kopf[0]!.textContent = this.gefuellt ? "Adr." : "";
      this.kopf[1]!.textContent = this.gefuellt ? "Inhalt" : "";
      this.adressen.forEach((z, i) => { z.textContent = this.gefuellt ? String(i).padStart(3, "0") : ""; });
    }
    const neueZeile = a.zeile;
    // The row moved away from an open editor: the editor closes with its text.
    if (this.editor && this.editor.zeile !== neueZeile) this.editorSchliessen();
    a.zellen.forEach((t, i) => {
      if (this.editor?.zeile === i + 1) return; // the cell being edited keeps the user's text
      const zelle = this.zellen[i]!;
      if (zelle.textContent !== t) zelle.textContent = t;
    });
    const neu = new Set(a.haltepunkte);
    for (let i = 0; i < Zellenzahl; ++i) {
      const an = neu.has(i);
      if (an !== this.haltepunkte.has(i)) {
        this.adressen[i]!.classList.toggle("haltepunkt", an);
        this.adressen[i]!.setAttribute("aria-label", an ? `${String(i).padStart(3, "0")}, Haltepunkt` : String(i).padStart(3, "0"));
      }
    }
    this.haltepunkte = neu;
    if (neueZeile !== this.zeile || !this.zellen[this.zeile - 1]!.classList.contains("aktuell")) {
      this.zellen[this.zeile - 1]?.classList.remove("aktuell");
      this.zellen[this.zeile - 1]?.setAttribute("aria-selected", "false");
      this.zeilen[this.zeile - 1]?.removeAttribute("aria-selected");
      this.zeile = Math.max(1, Math.min(Zellenzahl, neueZeile));
      const zelle = this.zellen[this.zeile - 1]!;
      zelle.classList.add("aktuell");
      zelle.setAttribute("aria-selected", "true");
      this.zeilen[this.zeile - 1]!.setAttribute("aria-selected", "true");
      this.wurzel.setAttribute("aria-activedescendant", zelle.id);
      this.sichtbarMachen(this.zeile);
    }
  }

  private sichtbarMachen(zeile: number): void {
    const oben = zeile * Zeilenabstand; // below the header row
    const sicht = this.wurzel.clientHeight || 369;
    if (oben < this.wurzel.scrollTop + Zeilenabstand) this.wurzel.scrollTop = oben - Zeilenabstand;
    else if (oben + Zeilenabstand > this.wurzel.scrollTop + sicht) this.wurzel.scrollTop = oben + Zeilenabstand - sicht;
  }

  private seite(): number {
    return Math.max(1, Math.floor(((this.wurzel.clientHeight || 369) - Zeilenabstand) / Zeilenabstand));
  }

  // ---- The cell editor.

  /** Opens the editor on the current row; with a typed character the text
   *  starts as that character, otherwise as the cell's text, all selected. */
  editorOeffnen(zeichen?: string): void {
    if (this.editor) return;
    const zelle = this.zellen[this.zeile - 1]!;
    const anfangstext = zelle.textContent ?? "";
    const feld = html("input", { type: "text", class: "zelleneditor", "aria-label": `Inhalt der Zelle ${String(this.zeile - 1).padStart(3, "0")}`, "data-fokus": "", spellcheck: "false", autocomplete: "off", autocapitalize: "off", inputmode: "text" });
    feld.value = zeichen ?? anfangstext;
    this.editor = { zeile: this.zeile, feld, anfangstext };
    this.bedienung.editorGeoeffnet();
    zelle.appendChild(feld);
    feld.focus({ preventScroll: true });
    if (zeichen === undefined) feld.select();
    else {
      feld.setSelectionRange(feld.value.length, feld.value.length);
      this.bedienung.uebergeben(this.zeile - 1, feld.value, false);
    }
    feld.addEventListener("input", () => {
      if (this.editor?.feld === feld) this.bedienung.uebergeben(this.editor.zeile - 1, feld.value, false);
    });
    feld.addEventListener("keydown", (e) => this.editortaste(e));
    feld.addEventListener("mousedown", (e) => e.stopPropagation());
  }

  /** Closes the editor, handing its text over once more. */
  editorSchliessen(fokusBehalten = true): void {
    const editor = this.editor;
    if (!editor) return;
    this.editor = null;
    const hatteFokus = document.activeElement === editor.feld;
    const text = editor.feld.value;
    if (hatteFokus && fokusBehalten) this.wurzel.focus({ preventScroll: true });
    editor.feld.remove();
    this.zellen[editor.zeile - 1]!.textContent = text;
    this.bedienung.uebergeben(editor.zeile - 1, text, true);
  }

  private editorVerwerfen(): void {
    const editor = this.editor;
    if (!editor) return;
    this.editor = null;
    this.wurzel.focus({ preventScroll: true });
    editor.feld.remove();
    this.zellen[editor.zeile - 1]!.textContent = editor.anfangstext;
    this.bedienung.verwerfen(editor.zeile - 1, editor.anfangstext);
  }

  private editortaste(e: KeyboardEvent): void {
    // The window's shortcuts still work while a cell is edited.
    if (e.altKey || e.ctrlKey || e.metaKey || e.key === "F1") return;
    e.stopPropagation();
    if (e.key === "Enter") {
      e.preventDefault();
      this.bedienung.enter();
    } else if (e.key === "Escape") {
      e.preventDefault();
      this.editorVerwerfen();
    } else if (e.key === "Tab") {
      // Tab leaves the grid for the next control; the default action moves
      // the focus on from the grid.
      this.editorSchliessen();
    } else if (["ArrowUp", "ArrowDown", "PageUp", "PageDown"].includes(e.key)) {
      e.preventDefault();
      this.editorSchliessen();
      const t = gitterTaste(e, this.zeile, this.seite());
      if (t.art === "zeile" && t.zeile !== this.zeile) this.bedienung.zeileWaehlen(t.zeile);
    }
  }

  // ---- Mouse and keys.

  private zeileBei(ziel: EventTarget | null): { zeile: number; adressspalte: boolean } | null {
    const element = ziel instanceof Element ? ziel.closest(".reihe > div") : null;
    if (!element) return null;
    const reihe = element.parentElement!;
    return { zeile: Number(reihe.getAttribute("aria-rowindex")) - 1, adressspalte: element.classList.contains("adresse") };
  }

  private maus(e: MouseEvent): void {
    const ort = this.zeileBei(e.target);
    if (!ort || !this.gefuellt) return;
    if (ort.adressspalte) {
      // The address column is fixed: a click there sets or clears a breakpoint.
      e.preventDefault();
      if (e.button === 0) this.bedienung.haltepunktUmschalten(ort.zeile - 1);
      return;
    }
    e.preventDefault();
    if (e.button !== 0 && e.button !== 2) return;
    const warAktuell = ort.zeile === this.zeile;
    if (this.editor && this.editor.zeile !== ort.zeile) this.editorSchliessen();
    if (document.activeElement !== this.wurzel && !this.editor) this.wurzel.focus({ preventScroll: true });
    if (!warAktuell) this.bedienung.zeileWaehlen(ort.zeile);
    // A click on the selected cell opens its editor.
    else if (e.button === 0 && !this.editor) this.editorOeffnen();
  }

  private kontext(e: MouseEvent): void {
    e.preventDefault();
    const ort = this.zeileBei(e.target);
    if (ort && this.gefuellt) this.bedienung.haltepunktMenue(ort.zeile - 1, e.clientX, e.clientY);
  }

  private taste(e: KeyboardEvent): void {
    if (this.editor || e.target !== this.wurzel) return;
    const t = gitterTaste(e, this.zeile, this.seite());
    switch (t.art) {
      case "tippen":
        e.preventDefault();
        this.editorOeffnen(t.zeichen);
        break;
      case "enter":
        e.preventDefault();
        this.bedienung.enter();
        break;
      case "bearbeiten":
        e.preventDefault();
        this.editorOeffnen();
        break;
      case "zeile":
        e.preventDefault();
        if (t.zeile !== this.zeile) this.bedienung.zeileWaehlen(t.zeile);
        break;
      case "nichts":
        break;
    }
  }

  private fokusWeg(e: FocusEvent): void {
    const neu = e.relatedTarget as Node | null;
    // A box, a menu or another page leave the editor open.
    if (!neu || this.wurzel.contains(neu) || !this.bedienung.imFenster(neu)) return;
    this.editorSchliessen(false);
    this.bedienung.verlassen();
  }
}
