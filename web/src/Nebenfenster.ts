// The windows beside the main window: the microcode editor (modal), the
// statistics and the program text (not modal). They lie in a layer of their
// own above the main window, at its scale, with their own message boxes on
// top, so a box is never hidden behind one of them.
import type { Maschine, Meldung, VentaroModul } from "./ventaro-modul";
import { Dialoge } from "./Dialoge";
import { html } from "./Svg";
import { stilEinfuegen } from "./DialogStil";

const Titelhoehe = 20;

export class Seitenschicht {
  readonly wurzel: HTMLDivElement;
  readonly dialoge: Dialoge;
  private readonly boxen: HTMLDivElement;
  private readonly fenster: Nebenfenster[] = [];

  constructor(private readonly massstab: () => number) {
    stilEinfuegen();
    this.wurzel = html("div", { class: "seitenschicht" }, document.body);
    this.boxen = html("div", { class: "schicht boxschicht" }, this.wurzel);
    this.dialoge = new Dialoge(this.boxen);
    window.addEventListener("resize", () => this.anpassen());
    this.anpassen();
  }

  /** Follows the main window's scale; windows stay reachable. */
  anpassen(): void {
    const f = this.massstab();
    this.wurzel.style.transform = `scale(${f})`;
    this.wurzel.style.width = `${window.innerWidth / f}px`;
    this.wurzel.style.height = `${window.innerHeight / f}px`;
    for (const n of this.fenster) n.einpassen();
  }

  /** The main window's menus: above the windows here, below the boxes,
   *  over the main window's place (left, top in page pixels). */
  menueschicht(schicht: HTMLElement): void {
    schicht.classList.add("menueschicht");
    this.wurzel.insertBefore(schicht, this.boxen);
  }

  setzeMenueort(schicht: HTMLElement, links: number, oben: number, breite: number, hoehe: number): void {
    const f = this.massstab();
    Object.assign(schicht.style, { left: `${links / f}px`, top: `${oben / f}px`, width: `${breite}px`, height: `${hoehe}px` });
  }

  breite(): number { return window.innerWidth / this.massstab(); }
  hoehe(): number { return window.innerHeight / this.massstab(); }

  /** Whether a modal window or a box holds the page. */
  modalOffen(): boolean { return this.dialoge.istOffen() || this.fenster.some((n) => n.modal && n.offen()); }

  aufnehmen(n: Nebenfenster): void {
    this.fenster.push(n);
    this.nachVorn(n);
  }

  nachVorn(n: Nebenfenster): void {
    const element = n.decke ?? n.rahmen;
    const oben = this.wurzel.querySelector(":scope > .menueschicht") ?? this.boxen;
    if (element.nextSibling !== oben) this.wurzel.insertBefore(element, oben);
  }
}

export interface Fensterart {
  id: string;
  titel: string;
  breite: number;
  hoehe: number;
  modal: boolean;
  /** the close button and, for a modal window, Escape */
  schliessen: () => void;
}

export class Nebenfenster {
  readonly rahmen: HTMLDivElement;
  readonly inhalt: HTMLDivElement;
  readonly decke: HTMLDivElement | null;
  readonly modal: boolean;
  private readonly titel: HTMLSpanElement;
  private x = 0;
  private y = 0;
  private platziert = false;
  private vorher: Element | null = null;

  constructor(private readonly schicht: Seitenschicht, private readonly art: Fensterart) {
    this.modal = art.modal;
    this.decke = art.modal ? html("div", { class: "nebendecke", hidden: "" }) : null;
    this.rahmen = html("div", {
      class: "nebenfenster", id: art.id, role: "dialog", tabindex: -1,
      "aria-labelledby": `${art.id}-titel`, hidden: "",
    }, this.decke ?? undefined);
    this.rahmen.style.width = `${art.breite}px`;
    this.rahmen.style.height = `${art.hoehe + Titelhoehe}px`;
    const leiste = html("div", { class: "titelleiste" }, this.rahmen);
    this.titel = html("span", { id: `${art.id}-titel`, class: "titel" }, leiste, art.titel);
    const zu = html("button", { type: "button", class: "schliessen", "aria-label": "Schließen", tabindex: -1 }, leiste, "×");
    zu.addEventListener("click", () => art.schliessen());
    this.inhalt = html("div", { class: "nebeninhalt" }, this.rahmen);
    this.inhalt.style.height = `${art.hoehe}px`;
    this.ziehbar(leiste);
    this.rahmen.addEventListener("pointerdown", () => { if (!this.modal) schicht.nachVorn(this); });
    // Keys stay in the window: the main window's shortcuts do not act behind it.
    this.rahmen.addEventListener("keydown", (e) => {
      e.stopPropagation();
      if (this.modal && e.key === "Escape") {
        e.preventDefault();
        art.schliessen();
      } else if (this.modal && e.key === "Tab") this.fokusRing(e);
    });
    schicht.aufnehmen(this);
  }

  offen(): boolean { return !this.rahmen.hidden; }

  setzeTitel(text: string): void { this.titel.textContent = text; }

  zeigen(): void {
    const warOffen = this.offen();
    if (!warOffen) this.vorher = document.activeElement;
    if (this.decke) this.decke.hidden = false;
    this.rahmen.hidden = false;
    if (this.modal) this.rahmen.setAttribute("aria-modal", "true");
    this.schicht.nachVorn(this);
    if (!this.platziert || this.modal) {
      // A modal window in the middle; the others at the right edge, beside
      // the datapath's controls as far as the page allows.
      const b = this.schicht.breite(), h = this.schicht.hoehe();
      this.x = this.modal ? (b - this.art.breite) / 2 : b - this.art.breite - 8;
      this.y = this.modal ? (h - this.art.hoehe - Titelhoehe) / 2 : 28;
      this.platziert = true;
    }
    this.einpassen();
    if (!warOffen) this.rahmen.focus({ preventScroll: true });
  }

  verbergen(): void {
    if (!this.offen()) return;
    this.rahmen.hidden = true;
    this.rahmen.removeAttribute("aria-modal");
    if (this.decke) this.decke.hidden = true;
    const vorher = this.vorher;
    this.vorher = null;
    if (vorher instanceof HTMLElement && vorher.isConnected) vorher.focus({ preventScroll: true });
  }

  /** Inside the layer; a window too big for it shrinks to fit. */
  einpassen(): void {
    const b = this.schicht.breite(), h = this.schicht.hoehe();
    const hoehe = this.art.hoehe + Titelhoehe;
    const f = Math.min(1, b / (this.art.breite + 2), h / (hoehe + 2));
    this.x = Math.max(0, Math.min(this.x, b - this.art.breite * f));
    this.y = Math.max(0, Math.min(this.y, h - hoehe * f));
    this.rahmen.style.transform = f < 1 ? `scale(${f})` : "";
    this.rahmen.style.left = `${this.x}px`;
    this.rahmen.style.top = `${this.y}px`;
  }

  private ziehbar(leiste: HTMLElement): void {
    leiste.addEventListener("pointerdown", (e) => {
      if ((e.target as Element).closest("button")) return;
      e.preventDefault();
      const f = this.schicht.breite() > 0 ? window.innerWidth / this.schicht.breite() : 1;
      const start = { x: e.clientX, y: e.clientY, fx: this.x, fy: this.y };
      leiste.setPointerCapture(e.pointerId);
      const bewegen = (ev: PointerEvent): void => {
        this.x = start.fx + (ev.clientX - start.x) / f;
        this.y = start.fy + (ev.clientY - start.y) / f;
        this.einpassen();
      };
      const ende = (): void => {
        leiste.removeEventListener("pointermove", bewegen);
        leiste.removeEventListener("pointerup", ende);
        leiste.removeEventListener("pointercancel", ende);
      };
      leiste.addEventListener("pointermove", bewegen);
      leiste.addEventListener("pointerup", ende);
      leiste.addEventListener("pointercancel", ende);
    });
  }

  private fokusRing(e: KeyboardEvent): void {
    const ziele = [...this.rahmen.querySelectorAll<HTMLElement>("button:not([tabindex='-1']), input, textarea, [tabindex='0']")]
      .filter((z) => !z.hasAttribute("disabled") && z.offsetParent !== null);
    if (ziele.length === 0) return;
    const i = ziele.indexOf(document.activeElement as HTMLElement);
    e.preventDefault();
    ziele[(i + (e.shiftKey ? -1 : 1) + ziele.length) % ziele.length]!.focus();
  }
}

/** A push button of the desktop's look. */
export function knopf(eltern: HTMLElement, id: string, text: string, aktion: () => void, zugriff?: string): HTMLButtonElement {
  const b = html("button", { type: "button", class: "nebenknopf", id }, eltern);
  const i = zugriff ? text.indexOf(zugriff) : -1;
  if (i >= 0) b.append(text.slice(0, i), html("u", {}, undefined, text.slice(i, i + 1)), text.slice(i + 1));
  else b.textContent = text;
  b.addEventListener("click", aktion);
  return b;
}

/** Hands bytes to the user as a download under the given name. */
export function herunterladen(name: string, bytes: Uint8Array): void {
  const url = URL.createObjectURL(new Blob([bytes], { type: "application/octet-stream" }));
  const a = html("a", { href: url, download: name, hidden: "" }, document.body);
  a.click();
  a.remove();
  window.setTimeout(() => URL.revokeObjectURL(url), 60000);
}

/** Lets the user pick a file; null when none was chosen. */
export function dateiWaehlen(endung: string): Promise<{ name: string; bytes: Uint8Array } | null> {
  return new Promise((fertig) => {
    const feld = html("input", { type: "file", accept: endung, hidden: "", class: "nebendateiwahl" }, document.body);
    feld.addEventListener("change", async () => {
      const datei = feld.files?.[0];
      feld.remove();
      fertig(datei ? { name: datei.name.replace(/[\\/]/g, "_"), bytes: new Uint8Array(await datei.arrayBuffer()) } : null);
    });
    feld.addEventListener("cancel", () => {
      feld.remove();
      fertig(null);
    });
    feld.click();
  });
}

/** What the windows beside the main window need of it. */
export interface Umgebung {
  modul: VentaroModul;
  m: Maschine;
  schicht: Seitenschicht;
  /** runs a machine command as an event of the main window: its boxes, then the drawing */
  befehl(aufruf: (m: Maschine) => void): Promise<Meldung[]>;
  /** draws what changed, after a command the main window did not run */
  zeichnen(): void;
  /** "Hilfe zum Modellrechner" */
  hilfe(): void;
}

/** A command run while a window of the layer holds the page: its boxes
 *  come above that window, then the main window draws. */
export async function imFensterAusfuehren(u: Umgebung, aufruf: (m: Maschine) => void): Promise<Meldung[]> {
  aufruf(u.m);
  const meldungen = u.m.meldungen();
  u.zeichnen();
  for (const meldung of meldungen)
    await u.schicht.dialoge.meldung(meldung.titel, meldung.text, meldung.titel === "Warnung" ? "warnung" : "fehler");
  return meldungen;
}
