// "Programmtext": an editor for a program in mnemonics, with line numbers
// and the desktop's colours, translated into the RAM on request. The
// translator's messages stand by line below; a click on one goes there.
import type { Fehlerzeile } from "./ventaro-modul";
import { Dateiordner } from "./Modul";
import { html } from "./Svg";
import { Nebenfenster, type Umgebung, dateiWaehlen, herunterladen, knopf } from "./Nebenfenster";

const Titel = "Programmtext";
const Direktiven = ["ORG", "DAT", "ZELLE"];
const Marke = /^\s*(\p{L}[\p{L}\p{M}\p{N}_]*):/u;
const Leer = /\s/u;
const Ziffer = /^\p{Nd}/u;

type Art = "mnemonic" | "direktive" | "marke" | "zahl" | "text" | "kommentar";

function escape(text: string): string {
  return text.replace(/[&<>]/g, (z) => (z === "&" ? "&amp;" : z === "<" ? "&lt;" : "&gt;"));
}

/** One line split into coloured pieces: words by what they are; a quoted
 *  text and a comment run to their end, so ";" inside quotes starts none. */
export function faerben(zeile: string, mnemonics: ReadonlySet<string>): { text: string; art: Art | null }[] {
  const stuecke: { text: string; art: Art | null }[] = [];
  let pos = 0;
  const bis = (ende: number, art: Art | null): void => {
    if (ende > pos) stuecke.push({ text: zeile.slice(pos, ende), art });
    pos = ende;
  };
  const marke = Marke.exec(zeile);
  if (marke) {
    bis(marke[0].length - marke[1]!.length - 1, null);
    bis(marke[0].length, "marke");
  }
  let ersteWort = true;
  while (pos < zeile.length) {
    const c = zeile[pos]!;
    if (c === ";") {
      bis(zeile.length, "kommentar");
      break;
    }
    if (Leer.test(c)) {
      let ende = pos;
      while (ende < zeile.length && Leer.test(zeile[ende]!)) ++ende;
      bis(ende, null);
      continue;
    }
    let ende = pos;
    if (c === '"') {
      for (++ende; ende < zeile.length; ++ende) {
        if (zeile[ende] !== '"') continue;
        if (ende + 1 < zeile.length && zeile[ende + 1] === '"') ++ende;
        else break;
      }
      bis(Math.min(ende + 1, zeile.length), "text");
      continue;
    }
    while (ende < zeile.length && !Leer.test(zeile[ende]!) && zeile[ende] !== ";") ++ende;
    const wort = zeile.slice(pos, ende);
    const gross = wort.toUpperCase();
    let art: Art | null = null;
    if (ersteWort && Direktiven.includes(gross)) art = "direktive";
    else if (ersteWort && mnemonics.has(gross)) art = "mnemonic";
    else if (Ziffer.test(wort)) art = "zahl";
    else if (!ersteWort) art = "marke";
    bis(ende, art);
    ersteWort = false;
  }
  return stuecke;
}

export class Programmtextfenster {
  private readonly fenster: Nebenfenster;
  private readonly feld: HTMLTextAreaElement;
  private readonly farben: HTMLPreElement;
  private readonly nummern: HTMLDivElement;
  private readonly meldung: HTMLDivElement;
  private readonly liste: HTMLUListElement;
  private mnemonics = new Set<string>();
  private markiert = new Set<number>();
  private datei = "";

  constructor(private readonly u: Umgebung) {
    this.fenster = new Nebenfenster(u.schicht, {
      id: "Programmtext", titel: Titel, breite: 560, hoehe: 600, modal: false, schliessen: () => this.fenster.verbergen(),
    });
    const f = this.fenster.inhalt;
    f.classList.add("programmtext");
    const reihe = html("div", { class: "ptknoepfe" }, f);
    knopf(reihe, "UebernehmenBtn", "In den RAM übernehmen", () => void this.inDenRamUebernehmen());
    knopf(reihe, "HolenBtn", "Aus dem RAM holen", () => this.ausDemRamHolen());
    html("div", { class: "dehnung" }, reihe);
    knopf(reihe, "OeffnenBtn", "Öffnen...", () => void this.oeffnen());
    knopf(reihe, "SpeichernBtn", "Speichern...", () => void this.speichern());

    const editor = html("div", { class: "pteditor" }, f);
    this.nummern = html("div", { class: "ptnummern", "aria-hidden": "true" }, editor);
    const flaeche = html("div", { class: "ptflaeche" }, editor);
    this.farben = html("pre", { class: "ptfarben", "aria-hidden": "true" }, flaeche);
    this.feld = html("textarea", {
      id: "Programmtexteditor", class: "ptfeld", wrap: "off", spellcheck: "false", autocomplete: "off",
      autocapitalize: "off", "aria-label": "Programmtext",
    }, flaeche);
    this.feld.addEventListener("input", () => this.neuZeichnen());
    this.feld.addEventListener("scroll", () => this.rollen());
    this.meldung = html("div", { id: "Meldung", class: "ptmeldung", "aria-live": "polite" }, f);
    this.liste = html("ul", { id: "Fehlerliste", class: "ptfehler", role: "listbox", "aria-label": "Fehler" }, f);
    // The microcode may have changed since: the mnemonics are taken afresh
    // whenever the window becomes active.
    this.fenster.rahmen.addEventListener("focusin", () => this.namenAuffrischen());
    this.neuZeichnen();
  }

  offen(): boolean { return this.fenster.offen(); }

  zeigen(): void {
    this.fenster.zeigen();
    this.namenAuffrischen();
    this.feld.focus();
  }

  /** The editor's text, as the tests and the menu see it. */
  text(): string { return this.feld.value; }

  private namenAuffrischen(): void {
    const namen = this.u.m.befehlsnamen();
    if (namen.length === this.mnemonics.size && namen.every((n) => this.mnemonics.has(n))) return;
    this.mnemonics = new Set(namen);
    this.neuZeichnen();
  }

  private neuZeichnen(): void {
    const zeilen = this.feld.value.split("\n");
    let farbig = "";
    zeilen.forEach((zeile, i) => {
      const inhalt = faerben(zeile, this.mnemonics).map((s) => (s.art ? `<span class="pt-${s.art}">${escape(s.text)}</span>` : escape(s.text))).join("");
      farbig += `<div${this.markiert.has(i + 1) ? ' class="fehlerzeile"' : ""}>${inhalt || " "}</div>`;
    });
    this.farben.innerHTML = farbig;
    // As wide as the highest number needs, three digits at least.
    const ziffern = Math.max(3, String(Math.max(1, zeilen.length)).length);
    this.nummern.style.width = `${10 + 8.4 * ziffern}px`;
    let nummern = "";
    for (let z = 1; z <= zeilen.length; ++z) nummern += `<div${this.markiert.has(z) ? ' class="fehlernummer"' : ""}>${z}</div>`;
    this.nummern.innerHTML = nummern;
    this.rollen();
  }

  private rollen(): void {
    const versatz = `translate(${-this.feld.scrollLeft}px, ${-this.feld.scrollTop}px)`;
    this.farben.style.transform = versatz;
    this.nummern.style.setProperty("--versatz", `${-this.feld.scrollTop}px`);
  }

  /** Replacing the whole text is one step the user can undo. */
  private ersetzeText(text: string): void {
    this.feld.focus();
    this.feld.select();
    if (!document.execCommand("insertText", false, text)) this.feld.value = text;
    this.feld.setSelectionRange(0, 0);
    this.feld.scrollTop = 0;
    this.zeigeFehler([]);
  }

  private zeigeFehler(fehler: Fehlerzeile[]): void {
    this.liste.replaceChildren();
    this.markiert = new Set(fehler.map((f) => f.zeile));
    fehler.forEach((f, i) => {
      const eintrag = html("li", { role: "option", tabindex: i === 0 ? 0 : -1, "data-zeile": f.zeile }, this.liste, f.text);
      eintrag.addEventListener("click", () => this.geheZuZeile(f.zeile));
      eintrag.addEventListener("keydown", (e) => {
        if (e.key === "Enter") this.geheZuZeile(f.zeile);
        else if (e.key === "ArrowDown" || e.key === "ArrowUp") {
          e.preventDefault();
          const ziel = e.key === "ArrowDown" ? eintrag.nextElementSibling : eintrag.previousElementSibling;
          if (ziel instanceof HTMLElement) ziel.focus();
        }
      });
    });
    this.meldung.textContent = fehler.length === 0 ? "" : `Der Text hat ${fehler.length} Fehler; der RAM bleibt unverändert.`;
    this.neuZeichnen();
  }

  private geheZuZeile(zeile: number): void {
    const zeilen = this.feld.value.split("\n");
    if (zeile < 1 || zeile > zeilen.length) return;
    let anfang = 0;
    for (let i = 0; i < zeile - 1; ++i) anfang += zeilen[i]!.length + 1;
    this.feld.focus();
    this.feld.setSelectionRange(anfang, anfang);
    const hoehe = this.zeilenhoehe();
    this.feld.scrollTop = Math.max(0, (zeile - 0.5) * hoehe - this.feld.clientHeight / 2);
    this.rollen();
  }

  private zeilenhoehe(): number {
    return parseFloat(getComputedStyle(this.feld).lineHeight) || 17;
  }

  private async inDenRamUebernehmen(): Promise<void> {
    this.namenAuffrischen();
    let ergebnis: { zellen: string[]; fehler: Fehlerzeile[] } = { zellen: [], fehler: [] };
    const text = this.feld.value;
    await this.u.befehl((m) => { ergebnis = m.uebersetzen(text); });
    this.zeigeFehler(ergebnis.fehler);
    if (ergebnis.fehler.length > 0 || ergebnis.zellen.length === 0) return;
    const zellen = ergebnis.zellen;
    await this.u.befehl((m) => m.programmtextUebernehmen(zellen));
    this.meldung.textContent = "In den RAM übernommen.";
  }

  private ausDemRamHolen(): void {
    this.namenAuffrischen();
    this.ersetzeText(this.u.m.alsProgrammtext().replace(/\n$/, ""));
    this.meldung.textContent = "Aus dem RAM geholt.";
  }

  private async oeffnen(): Promise<void> {
    const datei = await dateiWaehlen(".asm");
    if (!datei) return;
    const pfad = Dateiordner + datei.name;
    this.u.modul.FS.writeFile(pfad, datei.bytes);
    let gelesen: { gelesen: boolean; text: string; fehler: Fehlerzeile[] } | null = null;
    await this.u.befehl((m) => { gelesen = m.programmtextLesen(pfad); });
    const g = gelesen as { gelesen: boolean; text: string; fehler: Fehlerzeile[] } | null;
    if (!g || !g.gelesen) return;
    this.ersetzeText(g.text.replace(/\n$/, ""));
    this.setzeDatei(datei.name);
    // Characters the text cannot keep are shown by line, as "?" in it.
    this.zeigeFehler(g.fehler);
  }

  private async speichern(): Promise<void> {
    const name = await programmtextnameErfragen(this.u, this.datei || "neu.asm");
    if (!name) return;
    const pfad = Dateiordner + name;
    const text = this.feld.value;
    const meldungen = await this.u.befehl((m) => m.programmtextSchreiben(pfad, text));
    if (meldungen.some((x) => x.titel === "Ventaro") || !this.u.modul.FS.analyzePath(pfad).exists) return;
    this.setzeDatei(name);
    herunterladen(name, this.u.modul.FS.readFile(pfad));
  }

  private setzeDatei(name: string): void {
    this.datei = name;
    this.fenster.setzeTitel(`${Titel} [${name}]`);
  }
}

/** The name a program text is saved under; null when cancelled. */
export async function programmtextnameErfragen(u: Umgebung, vorschlag: string): Promise<string | null> {
  let name = await u.schicht.dialoge.texteingabe("Speichern unter", "Dateiname:", vorschlag);
  if (name === null || name.trim() === "") return null;
  name = name.trim().replace(/[\\/]/g, "_");
  if (!/\.[^.]+$/.test(name)) name += ".asm";
  return name;
}

/** "Datei / Als Programmtext speichern...": the RAM as a program text,
 *  written as the desktop writes it, then handed to the user. */
export async function alsProgrammtextSpeichern(u: Umgebung): Promise<void> {
  const ram = u.m.ramDateiname();
  const basis = ram === "neu" || ram === "" ? "neu" : ram.slice(ram.lastIndexOf("/") + 1).replace(/\.[^.]*$/, "");
  const name = await programmtextnameErfragen(u, basis + ".asm");
  if (!name) return;
  const pfad = Dateiordner + name;
  const meldungen = await u.befehl((m) => m.programmtextSchreiben(pfad, m.alsProgrammtext()));
  if (meldungen.some((x) => x.titel === "Ventaro") || !u.modul.FS.analyzePath(pfad).exists) return;
  herunterladen(name, u.modul.FS.readFile(pfad));
}
