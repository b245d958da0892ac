// Modal boxes over the window: the message boxes "Fehler", "Warnung" and
// "Ventaro", the yes/no question, the file name prompt and the Info box.
// While one is open nothing else in the window takes input.
import { Fehlersymbol, Warnsymbol, Programmsymbol } from "./Symbole";
import { html } from "./Svg";

interface Knopf<T> { text: string; wert: T; zugriff?: string; standard?: boolean }

let laufendeNummer = 0;

export class Dialoge {
  private offen = 0;

  constructor(private readonly schicht: HTMLElement) {}

  istOffen(): boolean { return this.offen > 0; }

  /** A message box; line breaks in the text are carriage returns. */
  meldung(titel: string, text: string, symbol: "fehler" | "warnung"): Promise<void> {
    return this.box(titel, text, symbol, [{ text: "OK", wert: undefined, standard: true }], undefined);
  }

  frageJaNein(text: string): Promise<boolean> {
    return this.box("Warnung", text, "warnung",
      [{ text: "Ja", wert: true, zugriff: "j", standard: true }, { text: "Nein", wert: false, zugriff: "n" }], false);
  }

  /** Asks for a text; null when cancelled. */
  texteingabe(titel: string, frage: string, vorgabe: string): Promise<string | null> {
    const inhalt = html("div", { class: "eingabe" });
    const id = `eingabe-${++laufendeNummer}`;
    html("label", { for: id }, inhalt, frage);
    const feld = html("input", { id, type: "text", spellcheck: "false", autocomplete: "off" }, inhalt);
    feld.value = vorgabe;
    return this.zeige<string | null>(titel, "dialog", inhalt, [
      { text: "OK", wert: "", standard: true }, { text: "Abbrechen", wert: null },
    ], null, () => feld.select(), (wert) => (wert === null ? null : feld.value));
  }

  info(version: string): Promise<void> {
    const inhalt = html("div", { class: "info" });
    const panel = html("div", { class: "infopanel" }, inhalt);
    const symbol = html("div", { class: "infosymbol" }, panel);
    symbol.innerHTML = `<svg width="33" height="33" viewBox="0 0 32 32" aria-hidden="true">${Programmsymbol}</svg>`;
    html("div", { class: "produkt" }, panel, "Ventaro");
    html("div", { class: "version" }, panel, "Version " + version);
    html("div", { class: "zeile1" }, panel, "Mikroprogrammierter Modellrechner");
    html("div", { class: "zeile2" }, panel, "Register, Tore, ALU und Mikrocode lassen sich Schritt für Schritt beobachten und bedienen.");
    return this.zeige<void>("Info", "dialog", inhalt, [{ text: "OK", wert: undefined, standard: true }], undefined);
  }

  private box<T>(titel: string, text: string, symbol: "fehler" | "warnung", knoepfe: Knopf<T>[], abbruch: T): Promise<T> {
    const inhalt = html("div", { class: "meldung" });
    const bild = html("div", { class: "meldungssymbol", "aria-hidden": "true" }, inhalt);
    bild.innerHTML = `<svg width="32" height="32" viewBox="0 0 32 32">${symbol === "fehler" ? Fehlersymbol : Warnsymbol}</svg>`;
    html("div", { class: "meldungstext" }, inhalt, text.replace(/\r\n?/g, "\n"));
    return this.zeige(titel, "alertdialog", inhalt, knoepfe, abbruch);
  }

  private zeige<T>(
    titel: string, rolle: "dialog" | "alertdialog", inhalt: HTMLElement, knoepfe: Knopf<T>[], abbruch: T,
    geoeffnet?: () => void, ergebnis?: (wert: T) => T,
  ): Promise<T> {
    const vorher = document.activeElement as HTMLElement | SVGElement | null;
    const nummer = ++laufendeNummer;
    const decke = html("div", { class: "decke" }, this.schicht);
    const box = html("div", {
      class: "dialog", role: rolle, "aria-modal": "true", "aria-labelledby": `dialogtitel-${nummer}`,
      "aria-describedby": `dialoginhalt-${nummer}`, tabindex: -1,
    }, decke);
    const leiste = html("div", { class: "titelleiste" }, box);
    html("span", { id: `dialogtitel-${nummer}`, class: "titel" }, leiste, titel);
    const schliessen = html("button", { type: "button", class: "schliessen", "aria-label": "Schließen", tabindex: -1 }, leiste, "×");
    inhalt.id = `dialoginhalt-${nummer}`;
    box.appendChild(inhalt);
    const reihe = html("div", { class: "knopfreihe" }, box);
    this.offen++;
    return new Promise<T>((fertig) => {
      const ende = (wert: T): void => {
        decke.remove();
        this.offen--;
        if (vorher && vorher.isConnected && "focus" in vorher) vorher.focus({ preventScroll: true });
        fertig(ergebnis ? ergebnis(wert) : wert);
      };
      const elemente = knoepfe.map((k) => {
        const b = html("button", { type: "button", class: k.standard ? "standard" : "" }, reihe);
        if (k.zugriff) {
          const i = k.text.toLowerCase().indexOf(k.zugriff);
          b.append(k.text.slice(0, i), html("u", {}, undefined, k.text.slice(i, i + 1)), k.text.slice(i + 1));
        } else b.textContent = k.text;
        b.addEventListener("click", () => ende(k.wert));
        return b;
      });
      schliessen.addEventListener("click", () => ende(abbruch));
      box.addEventListener("keydown", (e) => {
        e.stopPropagation();
        const zugriff = knoepfe.find((k) => k.zugriff && (e.key.toLowerCase() === k.zugriff) && (e.altKey || !(e.target instanceof HTMLInputElement)));
        if (e.key === "Escape") {
          e.preventDefault();
          ende(abbruch);
        } else if (e.key === "Enter" && !(e.target instanceof HTMLButtonElement)) {
          e.preventDefault();
          const standard = knoepfe.find((k) => k.standard) ?? knoepfe[0]!;
          ende(standard.wert);
        } else if (zugriff) {
          e.preventDefault();
          ende(zugriff.wert);
        } else if (e.key === "Tab") {
          // The focus stays inside the box.
          const ziele = [...box.querySelectorAll<HTMLElement>("input, .knopfreihe button")];
          const i = ziele.indexOf(document.activeElement as HTMLElement);
          e.preventDefault();
          ziele[(i + (e.shiftKey ? -1 : 1) + ziele.length) % ziele.length]?.focus();
        }
      });
      box.addEventListener("keyup", (e) => e.stopPropagation());
      const feld = box.querySelector("input");
      if (feld) feld.focus();
      else (elemente[knoepfe.findIndex((k) => k.standard)] ?? elemente[0])?.focus();
      geoeffnet?.();
    });
  }
}
