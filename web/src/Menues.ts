// The window's commands: one table from which the menus and the tool bar are
// built. A menu item and its tool button run the same command with the same
// enabled state; the tool bar as a whole is switched off while the clock or
// a run goes, the menus stay usable.
import { Werkzeugsymbole } from "./Symbole";
import { html } from "./Svg";

export interface Befehl {
  text: string;
  /** the key as the menu shows it */
  taste?: string;
  aktion: () => void;
  aktiv?: () => boolean;
  /** the tool button's tooltip */
  tipp?: () => string;
}

export type Eintrag =
  | "-"
  | { text: string; taste?: string; aktiv: boolean; aktion?: () => void; unter?: () => Eintrag[]; id?: string };

export interface Menueplan { titel: string; zugriff: string; eintraege: (string | { untermenue: string; eintraege: () => Eintrag[] })[] }

export class Menues {
  readonly leiste: HTMLDivElement;
  private readonly titel: HTMLDivElement[] = [];
  private offen: { index: number; popups: HTMLElement[]; vorher: Element | null } | null = null;

  constructor(
    private readonly schicht: HTMLElement,
    private readonly befehle: Map<string, Befehl>,
    private readonly plan: Menueplan[],
    private readonly massstab: () => number,
  ) {
    this.leiste = html("div", { class: "menueleiste", role: "menubar", "aria-label": "Menüleiste" });
    plan.forEach((m, i) => {
      const t = html("div", {
        class: "menuetitel", role: "menuitem", "aria-haspopup": "menu", "aria-expanded": "false",
        tabindex: i === 0 ? 0 : -1, id: `menue-${m.titel}`, "aria-label": m.titel,
      }, this.leiste);
      const z = m.titel.indexOf(m.zugriff);
      t.append(m.titel.slice(0, z), html("u", {}, undefined, m.zugriff), m.titel.slice(z + 1));
      t.addEventListener("mousedown", (e) => {
        e.preventDefault();
        if (this.offen?.index === i) this.schliessen();
        else this.oeffnen(i, false);
      });
      t.addEventListener("mouseenter", () => {
        if (this.offen && this.offen.index !== i) this.oeffnen(i, false);
      });
      t.addEventListener("keydown", (e) => this.titeltaste(e, i));
      this.titel.push(t);
    });
    document.addEventListener("mousedown", (e) => {
      const ziel = e.target as Node;
      if (this.offen && !this.leiste.contains(ziel) && !this.offen.popups.some((p) => p.contains(ziel))) this.schliessen();
    }, { capture: true });
  }

  istOffen(): boolean { return this.offen !== null; }

  /** Alt with the access key opens a menu from the keyboard. */
  zugriffstaste(taste: string): boolean {
    const i = this.plan.findIndex((m) => m.zugriff.toLowerCase() === taste.toLowerCase());
    if (i < 0) return false;
    this.oeffnen(i, true);
    return true;
  }

  private eintraege(m: Menueplan): Eintrag[] {
    return m.eintraege.map((e): Eintrag => {
      if (e === "-") return "-";
      if (typeof e !== "string") return { text: e.untermenue, aktiv: true, unter: e.eintraege, id: `menuepunkt-${e.untermenue}` };
      const b = this.befehle.get(e)!;
      return { text: b.text, taste: b.taste, aktiv: b.aktiv ? b.aktiv() : true, aktion: b.aktion, id: `menuepunkt-${e}` };
    });
  }

  oeffnen(index: number, tastatur: boolean): void {
    const vorher = this.offen ? this.offen.vorher : document.activeElement;
    this.schliessen(false);
    const t = this.titel[index]!;
    t.classList.add("offen");
    t.setAttribute("aria-expanded", "true");
    const popup = this.popup(this.eintraege(this.plan[index]!), t.offsetLeft, this.leiste.offsetHeight, tastatur, 0, t.id);
    this.offen = { index, popups: [popup], vorher };
  }

  /** A pop-up menu at a point of the page (the grid's context menu). */
  kontextmenue(eintraege: Eintrag[], clientX: number, clientY: number): void {
    const vorher = document.activeElement;
    this.schliessen(false);
    const r = this.schicht.getBoundingClientRect();
    const m = this.massstab();
    const popup = this.popup(eintraege, (clientX - r.left) / m, (clientY - r.top) / m, false, 0);
    this.offen = { index: -1, popups: [popup], vorher };
  }

  schliessen(fokusZurueck = true): void {
    if (!this.offen) return;
    for (const p of this.offen.popups) p.remove();
    for (const t of this.titel) {
      t.classList.remove("offen");
      t.setAttribute("aria-expanded", "false");
    }
    const vorher = this.offen.vorher;
    this.offen = null;
    if (fokusZurueck && vorher instanceof Element && vorher.isConnected && "focus" in vorher) (vorher as HTMLElement).focus({ preventScroll: true });
  }

  private popup(eintraege: Eintrag[], x: number, y: number, tastatur: boolean, tiefe: number, titelId?: string): HTMLElement {
    const p = html("div", { class: "popup", role: "menu", tabindex: -1 });
    if (titelId) p.setAttribute("aria-labelledby", titelId);
    p.style.left = `${x}px`;
    p.style.top = `${y}px`;
    const punkte: HTMLElement[] = [];
    for (const e of eintraege) {
      if (e === "-") {
        html("div", { class: "trenner", role: "separator" }, p);
        continue;
      }
      const punkt = html("div", { class: "menuepunkt", role: "menuitem", tabindex: -1, "aria-disabled": String(!e.aktiv) }, p);
      if (e.id) punkt.id = e.id;
      html("span", { class: "text" }, punkt, e.text);
      html("span", { class: "taste" }, punkt, e.unter ? "▸" : (e.taste ?? ""));
      if (e.unter) {
        punkt.setAttribute("aria-haspopup", "menu");
        punkt.setAttribute("aria-expanded", "false");
      }
      const ausloesen = (perTastatur: boolean): void => {
        if (!e.aktiv) return;
        if (e.unter) {
          this.untermenue(p, punkt, e.unter(), perTastatur, tiefe);
          return;
        }
        this.schliessen();
        e.aktion?.();
      };
      punkt.addEventListener("mousedown", (ev) => ev.preventDefault());
      punkt.addEventListener("click", () => ausloesen(false));
      punkt.addEventListener("mouseenter", () => {
        punkt.focus({ preventScroll: true });
        // Another item of this menu closes a submenu that was open.
        if (this.offen) for (const q of this.offen.popups.slice(tiefe + 1)) q.remove();
        if (this.offen) this.offen.popups.length = tiefe + 1;
        p.querySelectorAll("[aria-expanded=true]").forEach((x) => x.setAttribute("aria-expanded", "false"));
        if (e.unter && e.aktiv) this.untermenue(p, punkt, e.unter(), false, tiefe);
      });
      punkt.addEventListener("keydown", (ev) => {
        if (ev.key === "Enter" || ev.key === " " || (ev.key === "ArrowRight" && e.unter)) {
          ev.preventDefault();
          ev.stopPropagation();
          ausloesen(true);
        }
      });
      punkte.push(punkt);
    }
    p.addEventListener("keydown", (ev) => this.popuptaste(ev, p, punkte, tiefe));
    this.schicht.appendChild(p);
    // Inside the window, as far as it fits.
    const rand = this.schicht.offsetWidth - p.offsetWidth;
    if (p.offsetLeft > rand) p.style.left = `${Math.max(0, rand)}px`;
    const unten = this.schicht.offsetHeight - p.offsetHeight;
    if (p.offsetTop > unten) p.style.top = `${Math.max(0, unten)}px`;
    const erster = punkte.find((q) => q.getAttribute("aria-disabled") !== "true");
    if (tastatur && erster) erster.focus({ preventScroll: true });
    else p.focus({ preventScroll: true });
    return p;
  }

  private untermenue(eltern: HTMLElement, punkt: HTMLElement, eintraege: Eintrag[], tastatur: boolean, tiefe: number): void {
    if (!this.offen) return;
    if (this.offen.popups.length > tiefe + 1 && punkt.getAttribute("aria-expanded") === "true") return;
    punkt.setAttribute("aria-expanded", "true");
    const x = eltern.offsetLeft + eltern.offsetWidth - 3;
    const y = eltern.offsetTop + punkt.offsetTop - 3;
    const p = this.popup(eintraege, x, y, tastatur, tiefe + 1, punkt.id);
    this.offen.popups.push(p);
    if (!tastatur) punkt.focus({ preventScroll: true });
  }

  private popuptaste(ev: KeyboardEvent, p: HTMLElement, punkte: HTMLElement[], tiefe: number): void {
    ev.stopPropagation();
    const aktiv = punkte.filter((q) => q.getAttribute("aria-disabled") !== "true");
    const i = aktiv.indexOf(document.activeElement as HTMLElement);
    if (ev.key === "ArrowDown" || ev.key === "ArrowUp") {
      ev.preventDefault();
      const n = aktiv.length;
      if (n) aktiv[(i + (ev.key === "ArrowDown" ? 1 : -1) + n + (i < 0 && ev.key === "ArrowDown" ? 0 : 0)) % n]?.focus();
    } else if (ev.key === "Home" || ev.key === "End") {
      ev.preventDefault();
      (ev.key === "Home" ? aktiv[0] : aktiv[aktiv.length - 1])?.focus();
    } else if (ev.key === "Escape" || (ev.key === "ArrowLeft" && tiefe > 0)) {
      ev.preventDefault();
      if (tiefe > 0 && this.offen) {
        // Back to the item that opened the submenu.
        p.remove();
        this.offen.popups.length = tiefe;
        const eltern = this.offen.popups[tiefe - 1]!;
        const punkt = eltern.querySelector<HTMLElement>("[aria-expanded=true]");
        punkt?.setAttribute("aria-expanded", "false");
        punkt?.focus();
      } else {
        const index = this.offen?.index ?? -1;
        this.schliessen();
        if (index >= 0 && ev.key === "Escape") this.titel[index]!.focus();
      }
    } else if ((ev.key === "ArrowLeft" || ev.key === "ArrowRight") && this.offen && this.offen.index >= 0) {
      ev.preventDefault();
      const n = this.plan.length;
      this.oeffnen((this.offen.index + (ev.key === "ArrowRight" ? 1 : -1) + n) % n, true);
    } else if (ev.key === "Tab") {
      ev.preventDefault();
    }
  }

  private titeltaste(e: KeyboardEvent, i: number): void {
    const n = this.plan.length;
    if (e.key === "Enter" || e.key === " " || e.key === "ArrowDown") {
      e.preventDefault();
      this.oeffnen(i, true);
    } else if (e.key === "ArrowRight" || e.key === "ArrowLeft") {
      e.preventDefault();
      const j = (i + (e.key === "ArrowRight" ? 1 : -1) + n) % n;
      this.titel.forEach((t, k) => t.setAttribute("tabindex", k === j ? "0" : "-1"));
      this.titel[j]!.focus();
    }
  }
}

export class Werkzeugleiste {
  readonly leiste: HTMLDivElement;
  private readonly knoepfe: { name: string; knopf: HTMLButtonElement }[] = [];

  constructor(private readonly befehle: Map<string, Befehl>, plan: string[]) {
    this.leiste = html("div", { class: "werkzeugleiste", role: "toolbar", "aria-label": "Werkzeugleiste" });
    for (const name of plan) {
      if (name === "-") {
        html("div", { class: "trenner", role: "separator" }, this.leiste);
        continue;
      }
      const b = befehle.get(name)!;
      const knopf = html("button", { type: "button", class: "werkzeug", id: `werkzeug-${name}`, tabindex: -1 }, this.leiste);
      knopf.innerHTML = `<svg width="16" height="16" viewBox="0 0 16 16" aria-hidden="true">${Werkzeugsymbole[name] ?? ""}</svg>`;
      // A tool button leaves the focus where it is, as on the desktop.
      knopf.addEventListener("mousedown", (e) => e.preventDefault());
      knopf.addEventListener("click", () => {
        if (!knopf.disabled) b.aktion();
      });
      this.knoepfe.push({ name, knopf });
    }
    // One tab stop for the bar; the arrow keys move between its buttons.
    this.leiste.addEventListener("keydown", (e) => {
      if (e.key !== "ArrowLeft" && e.key !== "ArrowRight") return;
      const aktive = this.knoepfe.map((k) => k.knopf).filter((k) => !k.disabled);
      const i = aktive.indexOf(document.activeElement as HTMLButtonElement);
      const ziel = aktive[(i + (e.key === "ArrowRight" ? 1 : -1) + aktive.length) % aktive.length];
      if (!ziel) return;
      e.preventDefault();
      this.setzeTabstopp(ziel);
      ziel.focus();
    });
  }

  private setzeTabstopp(ziel: HTMLButtonElement | undefined): void {
    for (const { knopf } of this.knoepfe) knopf.tabIndex = knopf === ziel ? 0 : -1;
  }

  /** The enabled states and tooltips, after every drawing. */
  aktualisieren(leisteAktiv: boolean): void {
    for (const { name, knopf } of this.knoepfe) {
      const b = this.befehle.get(name)!;
      const aktiv = leisteAktiv && (b.aktiv ? b.aktiv() : true);
      if (knopf.disabled !== !aktiv) knopf.disabled = !aktiv;
      const tipp = b.tipp ? b.tipp() : b.text;
      if (knopf.title !== tipp) {
        knopf.title = tipp;
        knopf.setAttribute("aria-label", tipp);
      }
    }
    if (!this.knoepfe.some(({ knopf }) => knopf.tabIndex === 0 && !knopf.disabled))
      this.setzeTabstopp(this.knoepfe.find(({ knopf }) => !knopf.disabled)?.knopf);
  }
}
