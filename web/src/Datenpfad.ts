// The drawn datapath: wires, gates, registers, the ALU, the control unit with
// its buttons and clock bar, the display and the status bar, at the desktop's
// client coordinates. It draws an Ansicht and reports what the user does.
import type { Ansicht, Registeransicht } from "./ventaro-modul";
import { bauteile } from "./Modul";
import { torBild } from "./Symbole";
import {
  ARIAL, COURIER, MS_SANS_SERIF, farbe, fase, flaeche, mittigerText, rahmen, setzeAttribut, setzeText, svg, text,
} from "./Svg";

export const Breite = 795;
export const Hoehe = 541;

/** What the datapath's controls ask the window to do. */
export interface Bedienung {
  torUmschalten(tor: number): void;
  ladenUmschalten(register: number): void;
  pcErhoehen(): void;
  aluWaehlen(operation: number): void;
  knopf(name: Knopfname): void;
  taktrateSetzen(position: number): void;
  /** status panel 0: the hint, "" to clear it */
  hinweis(text: string): void;
}

export type Knopfname = "Mikroschritt" | "Reset" | "Start" | "Stopp";

type Rechteck = [number, number, number, number];

// Bars of 9 pixels with a black outline: buses, drops and register links.
const Leitungen: Rechteck[] = [
  [24, 72, 713, 9], [24, 80, 9, 385], [24, 464, 97, 9], [120, 312, 9, 161], [88, 72, 9, 129],
  [152, 80, 9, 121], [152, 176, 345, 9], [280, 80, 9, 265], [280, 248, 217, 9], [488, 176, 9, 81],
  [496, 212, 41, 9], [592, 72, 9, 65], [632, 72, 9, 65], [728, 80, 9, 121],
];
const Steuerleitung: Rechteck[] = [[192, 288, 33, 9], [216, 296, 9, 65], [224, 352, 33, 9]];
const Knoten: [number, number][] = [[84, 68], [148, 68], [148, 172], [276, 172], [276, 68], [276, 244], [484, 208], [588, 68], [628, 68]];
const Ecken: Rechteck[] = [[25, 79, 8, 8], [25, 464, 8, 9], [114, 465, 8, 8], [486, 249, 8, 8], [486, 177, 8, 8], [729, 76, 8, 8]];

const TorOrte: Rechteck[] = [[216, 56, 41, 41], [216, 160, 41, 41], [424, 160, 41, 41], [424, 232, 41, 41], [104, 408, 41, 41], [576, 96, 38, 30], [616, 96, 41, 30]];
const TorBeschriftungen: [number, number][] = [[216, 98], [216, 202], [424, 202], [424, 274], [148, 432]];

// In the order of Ansicht.register: Akku, Erg, PC, IR, Anz. Names and hints
// of gates and registers come from the core's table (bauteile()).
const RegisterOrte: [number, number][] = [[112, 104], [80, 344], [312, 156], [312, 228], [688, 128]];

const Knoepfe: { name: Knopfname; ort: [number, number]; hinweis: string }[] = [
  { name: "Mikroschritt", ort: [248, 384], hinweis: "Ein einzelner Mikroschritt wird durchgeführt" },
  { name: "Reset", ort: [384, 384], hinweis: "Mikroprozessor zurücksetzen: MPC, Register und Flag löschen - Tore schließen" },
  { name: "Start", ort: [248, 424], hinweis: "Taktgeber für Mikroschritte wird gestartet (Frequenz über Rollbalken einstellbar: 1 Hz - 20 Hz)" },
  { name: "Stopp", ort: [384, 424], hinweis: "Taktgeber für Mikroschritte wird angehalten" },
];

const Rollbalken = { x: 248, y: 464, b: 257, h: 25, pfeil: 16, griff: 28, min: 1, max: 20 };
const LangerDruckMs = 500;

function aufLeitung(x: number, y: number): boolean {
  return Leitungen.some(([lx, ly, b, h]) => x >= lx && x < lx + b && y >= ly && y < ly + h);
}

/** Activation by Space and Enter, as the desktop's buttons take them. */
function beiTaste(element: Element, aktion: () => void): void {
  element.addEventListener("keydown", (e) => {
    const k = e as KeyboardEvent;
    if ((k.key === " " || k.key === "Enter") && !k.altKey && !k.ctrlKey && !k.metaKey) {
      k.preventDefault();
      aktion();
    }
  });
}

function linksKlick(element: Element, aktion: () => void): void {
  element.addEventListener("click", (e) => {
    if ((e as MouseEvent).button === 0) aktion();
  });
}

interface Registerbild { g: SVGGElement; fuellung: SVGRectElement; fasen: SVGGElement; inhalt: SVGTextElement; look: number }
interface Torbild { g: SVGGElement; fuellung: SVGRectElement; fasen: SVGGElement; bild: SVGGElement | SVGTextElement; offen: boolean | null }
interface Knopfbild { g: SVGGElement; flaeche: SVGRectElement; text: SVGTextElement }

export class Datenpfad {
  readonly wurzel: SVGSVGElement;
  private readonly tore: Torbild[] = [];
  private readonly register: Registerbild[] = [];
  private readonly aluEintraege: { g: SVGGElement; flaeche: SVGRectElement; text: SVGTextElement }[] = [];
  private aluListe!: SVGGElement;
  private aluText!: SVGTextElement;
  private flagText!: SVGTextElement;
  private mpcFlag!: SVGTextElement;
  private mpc!: SVGTextElement;
  private steuerwort!: SVGTextElement;
  private anzeige!: SVGTextElement;
  private readonly knoepfe = new Map<Knopfname, Knopfbild>();
  private rollbalken!: SVGGElement;
  private griff!: SVGRectElement;
  private position = 1;
  private status0!: SVGTextElement;
  private status1!: SVGTextElement;
  private aluAuswahl = -1;

  constructor(private readonly bedienung: Bedienung) {
    this.wurzel = svg("svg", {
      id: "datenpfad", width: Breite, height: Hoehe, viewBox: `0 0 ${Breite} ${Hoehe}`,
      "font-family": ARIAL, "aria-label": "Datenpfad", role: "group",
    });
    const hintergrund = flaeche(this.wurzel, 0, 0, Breite, Hoehe, farbe.Silber);
    hintergrund.dataset["hintergrund"] = "";
    this.baueLeitungen();
    this.baueSteuerwerk();
    this.baueTore();
    this.baueRegister();
    this.baueAlu();
    this.baueAnzeige();
    this.baueStatusleiste();
    this.wurzel.addEventListener("mousemove", (e) => this.bewegung(e));
  }

  // ---- Building.

  private baueLeitungen(): void {
    const g = svg("g", { "shape-rendering": "crispEdges", "pointer-events": "none" }, this.wurzel);
    // Outline and inside as filled rectangles, so edges fall on whole pixels.
    for (const [x, y, b, h] of Leitungen) {
      flaeche(g, x, y, b, h, "black");
      flaeche(g, x + 1, y + 1, b - 2, h - 2, "white");
    }
    for (const [x, y, b, h] of Steuerleitung) flaeche(g, x, y, b, h, farbe.Rot);
    const k = svg("g", {}, g); // aliased, as the desktop draws them
    for (const [x, y] of Knoten) svg("circle", { cx: x + 8.5, cy: y + 8.5, r: 8, fill: "white", stroke: "black", "stroke-width": 1 }, k);
    // White squares hide the outlines where two bars meet, but only inside
    // the wires: the outer outline of a bend stays whole.
    for (const [ex, ey, eb, eh] of Ecken)
      for (let y = ey; y < ey + eh; ++y)
        for (let x = ex; x < ex + eb; ++x) {
          let innen = true;
          for (let dx = -1; dx <= 1 && innen; ++dx)
            for (let dy = -1; dy <= 1 && innen; ++dy) innen = aufLeitung(x + dx, y + dy);
          if (innen) flaeche(g, x, y, 1, 1, "white");
        }
  }

  private baueTore(): void {
    bauteile().tore.forEach(({ name, hinweis }, t) => {
      const [x, y, b, h] = TorOrte[t]!;
      const g = svg("g", {
        role: "checkbox", tabindex: 0, "aria-checked": "false", "aria-label": `${name}, geschlossen`,
        "data-teil": name, "data-hinweis": hinweis, class: "bedienelement",
      }, this.wurzel);
      const fuellung = flaeche(g, x, y, b, h, farbe.Knopfflaeche);
      const fasen = svg("g", {}, g);
      let bild: SVGGElement | SVGTextElement;
      if (t < 5) {
        bild = svg("g", {}, g);
        const [lx, ly] = TorBeschriftungen[t]!;
        text(this.wurzel, lx, ly, name, { groesse: 13, fett: false, farbe: farbe.Lila });
      } else {
        bild = mittigerText(g, x, y, b, h, name, { groesse: 13 });
      }
      linksKlick(g, () => this.bedienung.torUmschalten(t));
      beiTaste(g, () => this.bedienung.torUmschalten(t));
      this.tore.push({ g, fuellung, fasen, bild, offen: null });
    });
  }

  private baueRegister(): void {
    bauteile().register.forEach(({ name, hinweis }, r) => {
      const [x, y] = RegisterOrte[r]!;
      const g = svg("g", {
        role: "button", tabindex: 0, "aria-label": `${name} 000, hält`, "data-teil": name,
        "data-hinweis": hinweis, class: "bedienelement",
      }, this.wurzel);
      const fuellung = flaeche(g, x, y, 89, 49, farbe.Knopfflaeche);
      svg("rect", { x: x + 0.5, y: y + 0.5, width: 88, height: 48, fill: "none", stroke: "black", "shape-rendering": "crispEdges" }, g);
      const fasen = svg("g", {}, g);
      fase(fasen, x + 1, y + 1, 87, 47, true);
      const inhalt = mittigerText(g, x, y, 89, 49, "000", { groesse: 13 });
      text(g, x + 2, y + 2, name, { groesse: 13, farbe: farbe.Lila });
      linksKlick(g, () => this.bedienung.ladenUmschalten(r));
      beiTaste(g, () => this.bedienung.ladenUmschalten(r));
      if (name === "PC") this.pcRechtsknopf(g);
      this.register.push({ g, fuellung, fasen, inhalt, look: 0 });
    });
  }

  // The right button steps the PC; on a touch screen a long press does.
  private pcRechtsknopf(g: SVGGElement): void {
    g.addEventListener("mousedown", (e) => {
      if (e.button === 2) this.bedienung.pcErhoehen();
    });
    g.addEventListener("contextmenu", (e) => e.preventDefault());
    let druck: number | undefined;
    let lang = false;
    g.addEventListener("pointerdown", (e) => {
      if (e.pointerType !== "touch") return;
      lang = false;
      druck = window.setTimeout(() => {
        lang = true;
        this.bedienung.pcErhoehen();
      }, LangerDruckMs);
    });
    const ende = (): void => window.clearTimeout(druck);
    g.addEventListener("pointerup", ende);
    g.addEventListener("pointercancel", ende);
    g.addEventListener("pointerleave", ende);
    // The click that ends a long press does not also switch the latch.
    g.addEventListener("click", (e) => {
      if (lang) {
        lang = false;
        e.stopImmediatePropagation();
      }
    }, { capture: true });
  }

  private baueAlu(): void {
    const [px, py] = [56, 200];
    const panel = svg("g", { "data-teil": "ALU", "data-hinweis": "Arithemtisch Logische Einheit", role: "group", "aria-label": "ALU" }, this.wurzel);
    flaeche(panel, px, py, 137, 121, farbe.Knopfflaeche);
    rahmen(panel, px, py, 137, 121, 2, true);
    // The list box: elements inside the panel leave the hint as it is.
    this.aluListe = svg("g", {
      role: "listbox", tabindex: 0, "aria-label": "ALU-Operation", id: "alu-liste", "data-stumm": "", "data-fokus": "",
      class: "bedienelement",
    }, panel);
    flaeche(this.aluListe, px + 8, py + 8, 41, 105, "white");
    svg("rect", { x: px + 8.5, y: py + 8.5, width: 40, height: 104, fill: "none", stroke: farbe.Schatten, "shape-rendering": "crispEdges" }, this.aluListe);
    bauteile().alu.forEach((name, i) => {
      const g = svg("g", { role: "option", id: `alu-${i}`, "aria-selected": "false" }, this.aluListe);
      const f = flaeche(g, px + 10, py + 9 + 14 * i, 37, 14, "white");
      const t = text(g, px + 12, py + 10 + 14 * i, name, { groesse: 11 });
      g.addEventListener("mousedown", (e) => {
        if (e.button === 0) this.bedienung.aluWaehlen(i);
      });
      this.aluEintraege.push({ g, flaeche: f, text: t });
    });
    this.aluListe.addEventListener("keydown", (e) => {
      const schritt: Record<string, number> = { ArrowUp: -1, ArrowDown: 1, Home: -99, End: 99, PageUp: -99, PageDown: 99 };
      const s = schritt[e.key];
      if (s === undefined || e.altKey || e.ctrlKey) return;
      e.preventDefault();
      const neu = Math.max(0, Math.min(6, this.aluAuswahl < 0 ? (s > 0 ? 0 : 6) : this.aluAuswahl + s));
      if (neu !== this.aluAuswahl) this.bedienung.aluWaehlen(neu);
    });
    const stumm = svg("g", { "data-stumm": "" }, panel);
    text(stumm, px + 80, py + 8, "ALU", { groesse: 13, farbe: farbe.Lila });
    this.aluText = text(stumm, px + 80, py + 48, "000", { groesse: 16 });
    this.aluText.id = "alu-ergebnis";
    this.flagText = text(stumm, px + 96, py + 80, "F=0", { groesse: 16, familie: MS_SANS_SERIF, farbe: farbe.Rot });
    this.flagText.id = "flag";
  }

  private baueSteuerwerk(): void {
    // The control unit is a frame only: the ALU control line runs into it.
    const rahmenflaeche = svg("rect", { x: 240, y: 312, width: 273, height: 185, fill: "transparent", "data-stumm": "" }, this.wurzel);
    rahmenflaeche.setAttribute("aria-hidden", "true");
    fase(this.wurzel, 240, 312, 273, 185, true);
    text(this.wurzel, 344, 320, "Steuerwerk", { groesse: 13, farbe: farbe.Lila });
    text(this.wurzel, 248, 326, "MPC", { groesse: 13, fett: false, farbe: farbe.Lila });
    const mpc = svg("g", { "data-teil": "MPC", "data-hinweis": "Mikroschrittzähler", role: "group", "aria-label": "Mikroschrittzähler" }, this.wurzel);
    flaeche(mpc, 248, 344, 65, 26, farbe.Knopfflaeche);
    fase(mpc, 248, 344, 65, 26, true);
    const stumm = svg("g", { "data-stumm": "" }, mpc);
    this.mpcFlag = text(stumm, 258, 345, "0", { groesse: 19, familie: MS_SANS_SERIF, farbe: farbe.Rot });
    this.mpcFlag.id = "mpc-flag";
    this.mpc = text(stumm, 271, 345, "000", { groesse: 19, familie: MS_SANS_SERIF });
    this.mpc.id = "mpc";

    const feld = svg("g", {
      "data-teil": "Mikroschrittcode", "data-hinweis": "Mikroschrittcode", role: "textbox", "aria-readonly": "true",
      "aria-label": "Mikroschrittcode", tabindex: 0, "data-fokus": "", class: "bedienelement",
    }, this.wurzel);
    flaeche(feld, 320, 344, 185, 26, farbe.Rollbalkengrau);
    rahmen(feld, 320, 344, 185, 26, 1, false);
    this.steuerwort = svg("text", { x: 324, y: 362, "font-family": COURIER, "font-size": 16, "font-weight": "bold", id: "steuerwort" }, feld);
    this.steuerwort.textContent = "Mikroschrittcode";

    for (const k of Knoepfe) this.baueKnopf(k.name, k.ort[0], k.ort[1], k.hinweis);
    this.baueRollbalken();
  }

  private baueKnopf(name: Knopfname, x: number, y: number, hinweis: string): void {
    const g = svg("g", {
      role: "button", tabindex: 0, "aria-label": name, "data-teil": name, "data-hinweis": hinweis,
      class: "bedienelement knopf", "aria-disabled": "false",
    }, this.wurzel);
    // A click on "Stopp" leaves the focus where it is, as the desktop's does.
    if (name !== "Stopp") g.dataset["fokus"] = "";
    const f = svg("rect", { x: x + 0.5, y: y + 0.5, width: 120, height: 32, rx: 2, fill: "url(#knopfverlauf)", stroke: "rgb(140,140,140)" }, g);
    const t = mittigerText(g, x, y, 121, 33, name, { groesse: 13 });
    const ausloesen = (): void => {
      if (g.getAttribute("aria-disabled") !== "true") this.bedienung.knopf(name);
    };
    linksKlick(g, ausloesen);
    beiTaste(g, ausloesen);
    this.knoepfe.set(name, { g, flaeche: f, text: t });
  }

  private baueRollbalken(): void {
    const { x, y, b, h, pfeil } = Rollbalken;
    const defs = svg("defs", {}, this.wurzel);
    const verlauf = svg("linearGradient", { id: "knopfverlauf", x1: 0, y1: 0, x2: 0, y2: 1 }, defs);
    svg("stop", { offset: 0, "stop-color": "rgb(247,246,243)" }, verlauf);
    svg("stop", { offset: 1, "stop-color": "rgb(224,221,214)" }, verlauf);
    const g = svg("g", {
      role: "scrollbar", tabindex: 0, "aria-orientation": "horizontal", "aria-valuemin": Rollbalken.min,
      "aria-valuemax": Rollbalken.max, "aria-valuenow": 1, "aria-label": "Taktfrequenz in Hertz", "data-teil": "Taktrate",
      class: "bedienelement",
    }, this.wurzel);
    flaeche(g, x, y, b, h, "rgb(204,201,194)");
    svg("rect", { x: x + 0.5, y: y + 0.5, width: b - 1, height: h - 1, fill: "none", stroke: "rgb(170,170,170)", "shape-rendering": "crispEdges" }, g);
    for (const links of [true, false]) {
      const px = links ? x : x + b - pfeil;
      const knopf = svg("g", {}, g);
      svg("rect", { x: px + 0.5, y: y + 0.5, width: pfeil - 1, height: h - 1, fill: "url(#knopfverlauf)", stroke: "rgb(170,170,170)", "shape-rendering": "crispEdges" }, knopf);
      const m = px + pfeil / 2, my = y + h / 2;
      const spitze = links ? `${m - 2},${my} ${m + 1.5},${my - 3.5} ${m + 1.5},${my + 3.5}` : `${m + 2},${my} ${m - 1.5},${my - 3.5} ${m - 1.5},${my + 3.5}`;
      svg("polygon", { points: spitze, fill: "rgb(60,60,60)" }, knopf);
      // Held down, an arrow repeats, as a scroll bar's does.
      knopf.addEventListener("mousedown", (e) => {
        if (e.button !== 0) return;
        const schritt = (): void => this.neuePosition(this.position + (links ? -1 : 1));
        schritt();
        let wiederholung: number | undefined;
        const verzoegerung = window.setTimeout(() => { wiederholung = window.setInterval(schritt, 50); }, 300);
        const los = (): void => {
          window.clearTimeout(verzoegerung);
          window.clearInterval(wiederholung);
          window.removeEventListener("mouseup", los);
        };
        window.addEventListener("mouseup", los);
      });
    }
    this.griff = svg("rect", { x: x + pfeil + 0.5, y: y + 1.5, width: Rollbalken.griff - 1, height: h - 3, rx: 2, fill: "url(#knopfverlauf)", stroke: "rgb(150,150,150)" }, g);
    // A click on the track moves one page (one step) towards the pointer;
    // the handle is dragged.
    const bahn = svg("rect", { x: x + pfeil, y, width: b - 2 * pfeil, height: h, fill: "transparent" }, g);
    g.insertBefore(bahn, this.griff);
    bahn.addEventListener("mousedown", (e) => {
      if (e.button !== 0) return;
      const px = this.punkt(e)[0];
      const griffX = Number(this.griff.getAttribute("x"));
      this.neuePosition(this.position + (px < griffX ? -1 : 1));
    });
    this.griff.addEventListener("mousedown", (e) => {
      if (e.button !== 0) return;
      e.stopPropagation();
      const start = this.punkt(e)[0] - Number(this.griff.getAttribute("x"));
      const ziehen = (z: MouseEvent): void => {
        const links = this.punkt(z)[0] - start - (x + pfeil);
        const frei = b - 2 * pfeil - Rollbalken.griff;
        this.neuePosition(Rollbalken.min + Math.round((links / frei) * (Rollbalken.max - Rollbalken.min)));
      };
      const los = (): void => {
        window.removeEventListener("mousemove", ziehen);
        window.removeEventListener("mouseup", los);
      };
      window.addEventListener("mousemove", ziehen);
      window.addEventListener("mouseup", los);
    });
    g.addEventListener("wheel", (e) => {
      e.preventDefault();
      if (e.deltaY !== 0 || e.deltaX !== 0) this.neuePosition(this.position + ((e.deltaY || e.deltaX) > 0 ? 1 : -1));
    }, { passive: false });
    g.addEventListener("keydown", (e) => {
      const schritt: Record<string, number> = { ArrowLeft: -1, ArrowDown: -1, PageUp: -1, ArrowRight: 1, ArrowUp: 1, PageDown: 1 };
      let neu: number | undefined;
      if (e.key === "Home") neu = Rollbalken.min;
      else if (e.key === "End") neu = Rollbalken.max;
      else if (schritt[e.key] !== undefined) neu = this.position + schritt[e.key]!;
      if (neu === undefined || e.altKey || e.ctrlKey) return;
      e.preventDefault();
      this.neuePosition(neu);
    });
    this.rollbalken = g;
  }

  /** The pointer in client coordinates, whatever the window's scale. */
  private punkt(e: MouseEvent): [number, number] {
    const r = this.wurzel.getBoundingClientRect();
    return [((e.clientX - r.left) * Breite) / r.width, ((e.clientY - r.top) * Hoehe) / r.height];
  }

  private neuePosition(position: number): void {
    const p = Math.max(Rollbalken.min, Math.min(Rollbalken.max, position));
    if (p !== this.position) this.bedienung.taktrateSetzen(p);
  }

  private baueAnzeige(): void {
    const g = svg("g", { "data-teil": "Anzeige", role: "textbox", "aria-readonly": "true", "aria-label": "Anzeige", tabindex: 0, "data-fokus": "", class: "bedienelement" }, this.wurzel);
    flaeche(g, 688, 200, 89, 40, "black");
    svg("rect", { x: 688.5, y: 200.5, width: 88, height: 39, fill: "none", stroke: "gray", "shape-rendering": "crispEdges" }, g);
    this.anzeige = svg("text", { x: 692, y: 229.5, "font-family": MS_SANS_SERIF, "font-size": 27, "font-weight": "bold", fill: farbe.Rot, id: "anzeige" }, g);
    this.anzeige.textContent = "00.000";
  }

  private baueStatusleiste(): void {
    const g = svg("g", { id: "statusleiste", role: "status", "aria-label": "Statusleiste" }, this.wurzel);
    flaeche(g, 0, Hoehe - 26, Breite, 26, farbe.Knopfflaeche);
    const defs = svg("defs", {}, g);
    const felder: [number, number][] = [[2, 550], [556, Breite - 558]];
    const texte = felder.map(([x, b], i) => {
      rahmen(g, x, Hoehe - 23, b, 21, 1, false);
      const clip = svg("clipPath", { id: `statusclip${i}` }, defs);
      svg("rect", { x: x + 1, y: Hoehe - 22, width: b - 2, height: 19 }, clip);
      const t = text(g, x + 4, Hoehe - 20, "", { groesse: 11, fett: false });
      t.setAttribute("clip-path", `url(#statusclip${i})`);
      t.id = `status${i}`;
      return t;
    });
    this.status0 = texte[0]!;
    this.status1 = texte[1]!;
  }

  // ---- Hints: the control under the pointer speaks in status panel 0; bare
  // background clears it; wires, labels and elements inside panels do not.

  private bewegung(e: MouseEvent): void {
    const ziel = e.target as Element;
    if (ziel.closest("[data-stumm]")) return;
    const element = ziel.closest("[data-hinweis]");
    if (element) this.bedienung.hinweis(element.getAttribute("data-hinweis") ?? "");
    else if (ziel instanceof SVGElement && ziel.dataset["hintergrund"] !== undefined) this.bedienung.hinweis("");
  }

  setzeStatus0(inhalt: string): void { setzeText(this.status0, inhalt); }
  status0Text(): string { return this.status0.textContent ?? ""; }

  // ---- Drawing.

  zeichne(a: Ansicht): void {
    this.tore.forEach((t, i) => this.zeichneTor(t, i, (a.tore & (1 << i)) !== 0));
    a.register.forEach((r, i) => this.zeichneRegister(this.register[i]!, r));
    this.aluAuswahl = a.aluAuswahl;
    this.aluEintraege.forEach((e, i) => {
      const gewaehlt = i === a.aluAuswahl;
      setzeAttribut(e.g, "aria-selected", String(gewaehlt));
      setzeAttribut(e.flaeche, "fill", gewaehlt ? "rgb(48,140,198)" : "white");
      setzeAttribut(e.text, "fill", gewaehlt ? "white" : "black");
    });
    if (a.aluAuswahl >= 0) setzeAttribut(this.aluListe, "aria-activedescendant", `alu-${a.aluAuswahl}`);
    else this.aluListe.removeAttribute("aria-activedescendant");
    setzeText(this.aluText, a.aluText);
    setzeText(this.flagText, a.flagText);
    setzeText(this.mpcFlag, a.mpcFlagText);
    setzeText(this.mpc, a.mpcText);
    setzeText(this.steuerwort, a.steuerwortText);
    this.zeichneAnzeige(a.anzeigeText);
    setzeText(this.status1, a.status1);
    this.zeichneKnopf("Mikroschritt", a.aktiv.mikroschritt);
    this.zeichneKnopf("Reset", a.aktiv.reset);
    this.zeichneKnopf("Start", a.aktiv.start);
    this.zeichneKnopf("Stopp", true);
    this.zeichneRollbalken(a.takt.position);
  }

  private zeichneTor(t: Torbild, i: number, offen: boolean): void {
    if (t.offen === offen) return;
    t.offen = offen;
    const name = bauteile().tore[i]!.name;
    setzeAttribut(t.g, "aria-checked", String(offen));
    setzeAttribut(t.g, "aria-label", `${name}, ${offen ? "offen" : "geschlossen"}`);
    const [x, y, b, h] = TorOrte[i]!;
    t.fasen.replaceChildren();
    if (i < 5) {
      t.fuellung.setAttribute("fill", farbe.Knopfflaeche);
      fase(t.fasen, x, y, b, h, !offen);
      // A pressed button's picture sinks in.
      const versatz = offen ? 1 : 0;
      const bild = t.bild as SVGGElement;
      bild.setAttribute("transform", `translate(${x + 10 + versatz},${y + 10 + versatz})`);
      bild.innerHTML = torBild(offen);
    } else {
      // Read and Write: a raised face, or white and sunk in when open.
      t.fuellung.setAttribute("fill", offen ? "white" : farbe.Knopfflaeche);
      if (offen) {
        rahmen(t.fasen, x, y, b, h, 2, false);
      } else {
        fase(t.fasen, x, y, b, h, true);
        fase(t.fasen, x + 1, y + 1, b - 2, h - 2, true);
      }
    }
  }

  private zeichneRegister(bild: Registerbild, r: Registeransicht): void {
    setzeText(bild.inhalt, r.text);
    setzeAttribut(bild.g, "aria-label", `${r.name} ${r.text}, ${r.laden ? "lädt" : "hält"}`);
    if (bild.look === r.look) return;
    bild.look = r.look;
    const box = bild.fuellung;
    const x = Number(box.getAttribute("x")), y = Number(box.getAttribute("y"));
    // 0 as built: raised; 1 loading: lowered twice on white; 2 released:
    // raised twice.
    box.setAttribute("fill", r.look === 1 ? "white" : farbe.Knopfflaeche);
    bild.fasen.replaceChildren();
    fase(bild.fasen, x + 1, y + 1, 87, 47, r.look !== 1);
    if (r.look !== 0) fase(bild.fasen, x + 2, y + 2, 85, 45, r.look === 2);
  }

  private zeichneAnzeige(inhalt: string): void {
    if (this.anzeige.textContent === inhalt) return;
    this.anzeige.textContent = inhalt;
    // The widest texts ("255.254") are narrowed to fit the field.
    this.anzeige.removeAttribute("textLength");
    this.anzeige.removeAttribute("lengthAdjust");
    const platz = 89 - 8;
    if (this.wurzel.isConnected && this.anzeige.getComputedTextLength() > platz) {
      this.anzeige.setAttribute("textLength", String(platz));
      this.anzeige.setAttribute("lengthAdjust", "spacingAndGlyphs");
    }
  }

  private zeichneKnopf(name: Knopfname, aktiv: boolean): void {
    const k = this.knoepfe.get(name)!;
    setzeAttribut(k.g, "aria-disabled", String(!aktiv));
    setzeAttribut(k.text, "fill", aktiv ? "black" : "rgb(160,160,160)");
  }

  private zeichneRollbalken(position: number): void {
    this.position = position;
    setzeAttribut(this.rollbalken, "aria-valuenow", String(position));
    const { x, b, pfeil, griff, min, max } = Rollbalken;
    const frei = b - 2 * pfeil - griff;
    setzeAttribut(this.griff, "x", String(x + pfeil + Math.round(((position - min) / (max - min)) * frei) + 0.5));
  }
}
