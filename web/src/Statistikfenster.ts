// "Statistik": how often each opcode ran and how many microsteps it took,
// as a table and as bars, following a run as the main window draws it.
import type { Ansicht } from "./ventaro-modul";
import { html, svg } from "./Svg";
import { Nebenfenster, type Seitenschicht } from "./Nebenfenster";
import { gruppiert } from "./Fenster";

const Spalten = ["Op", "Mnemonic", "Anzahl", "Mikroschritte", "Mikroschritte je Befehl"];

export class Statistikfenster {
  private readonly fenster: Nebenfenster;
  private readonly koerper: HTMLTableSectionElement;
  private readonly summen: HTMLDivElement;
  private readonly diagramm: SVGSVGElement;
  private gezeigt = "";

  constructor(schicht: Seitenschicht) {
    this.fenster = new Nebenfenster(schicht, {
      id: "Statistik", titel: "Statistik", breite: 460, hoehe: 560, modal: false, schliessen: () => this.fenster.verbergen(),
    });
    const f = this.fenster.inhalt;
    f.classList.add("statistik");
    const rahmen = html("div", { class: "statistiktabelle" }, f);
    const tabelle = html("table", { id: "StatistikTabelle" }, rahmen);
    const kopf = html("tr", {}, html("thead", {}, tabelle));
    for (const s of Spalten) html("th", { scope: "col" }, kopf, s);
    this.koerper = html("tbody", {}, tabelle);
    this.summen = html("div", { id: "StatistikSummen", class: "statistiksummen" }, f);
    this.diagramm = svg("svg", { class: "balkendiagramm", role: "img", "aria-label": "Mikroschritte je Befehl als Balken" });
    f.appendChild(this.diagramm);
  }

  offen(): boolean { return this.fenster.offen(); }

  zeigen(a: Ansicht): void {
    this.fenster.zeigen();
    this.gezeigt = "";
    this.zeichne(a);
  }

  /** After a drawing of the main window that changed the statistics. */
  zeichne(a: Ansicht): void {
    if (!this.offen()) return;
    const s = a.statistik;
    // Every step changes the totals, so equal totals mean equal rows.
    const stand = `${s.befehle}/${s.mikroschritte}/${s.zeilen.length}`;
    if (stand === this.gezeigt) return;
    this.gezeigt = stand;
    const reihen = this.koerper.rows;
    while (reihen.length > s.zeilen.length) this.koerper.deleteRow(-1);
    while (reihen.length < s.zeilen.length) {
      const r = this.koerper.insertRow();
      for (let i = 0; i < Spalten.length; ++i) r.insertCell().className = i === 1 ? "" : "zahl";
    }
    s.zeilen.forEach((z, i) => {
      const texte = [z.opText, z.mnemonic, gruppiert(z.anzahl), gruppiert(z.mikroschritte), z.jeBefehl];
      const zellen = reihen[i]!.cells;
      texte.forEach((t, j) => { if (zellen[j]!.textContent !== t) zellen[j]!.textContent = t; });
    });
    this.summen.textContent = `Befehle: ${gruppiert(s.befehle)}    Mikroschritte: ${gruppiert(s.mikroschritte)}    Mikroschritte je Befehl: ${s.jeBefehl}`;
    this.balken(s.zeilen.map((z) => ({ name: z.op === -1 ? "-" : (z.mnemonic || String(z.op)), wert: z.mikroschritte })));
  }

  private balken(balken: { name: string; wert: number }[]): void {
    const d = this.diagramm;
    const breite = d.clientWidth || 440, hoehe = d.clientHeight || 200;
    d.setAttribute("viewBox", `0 0 ${breite} ${hoehe}`);
    d.replaceChildren();
    svg("rect", { x: 0, y: 0, width: breite, height: hoehe, fill: "white" }, d);
    if (balken.length === 0) return;
    const hoechster = Math.max(1, ...balken.map((b) => b.wert));
    const unten = hoehe - 20, oben = 16;
    const b = (breite - 8) / balken.length;
    balken.forEach((x, i) => {
      const h = (unten - oben) * x.wert / hoechster;
      const links = 4 + b * i;
      svg("rect", { x: links + 2.5, y: unten - h + 0.5, width: Math.max(0, b - 4), height: h, fill: "rgb(60,110,200)", stroke: "black" }, d);
      const name = svg("text", { x: links + b / 2, y: unten + 13, "text-anchor": "middle", "font-size": 11 }, d);
      name.textContent = x.name;
      const wert = svg("text", { x: links + b / 2, y: unten - h - 4, "text-anchor": "middle", "font-size": 11 }, d);
      wert.textContent = gruppiert(x.wert);
    });
  }
}
