// Loading the machine: the wasm module and the files it starts with. Served
// from a web server, the page fetches them beside itself; the single file
// carries them inlined, base64 in a JSON script element "ventaro-daten".
import type { Bauteiltabelle, VentaroModul } from "./ventaro-modul";

/** Which parts of the view changed (bits of Maschine.aktualisieren()). */
export const Teil = {
  Datenpfad: 1 << 0, Alu: 1 << 1, Steuerwerk: 1 << 2, Anzeige: 1 << 3, Status: 1 << 4,
  Knoepfe: 1 << 5, Titel: 1 << 6, Ram: 1 << 7, Haltepunkte: 1 << 8, Statistik: 1 << 9,
  Aufzeichnung: 1 << 10,
} as const;

/** Why a run to the halt ended (Maschine.laufWeiter()); -1 while it goes on. */
export const Laufende = { Halt: 0, Haltepunkt: 1, Fehlschlag: 2, Stopp: 3, Grenze: 4 } as const;

/** Where the page's own files lie in the module's file system. */
export const MikrocodePfad = "/ventaro/mikrocode.dat";
export const Beispielordner = "/ventaro/beispiele/";
/** Files the user opens are written here under their own names. */
export const Dateiordner = "/dateien/";

function eingebettet(): Record<string, string> | null {
  const element = document.getElementById("ventaro-daten");
  return element ? (JSON.parse(element.textContent ?? "{}") as Record<string, string>) : null;
}

export function ausBase64(text: string): Uint8Array {
  const binaer = atob(text);
  const bytes = new Uint8Array(binaer.length);
  for (let i = 0; i < binaer.length; ++i) bytes[i] = binaer.charCodeAt(i);
  return bytes;
}

/** The bytes of one of the page's files ("ventaro.wasm", "beispiele/summe.obj"). */
export async function ladeDatei(name: string): Promise<Uint8Array> {
  const daten = eingebettet();
  if (daten) {
    const inhalt = daten[name];
    if (inhalt === undefined) throw new Error(`${name} fehlt in der Seite`);
    return ausBase64(inhalt);
  }
  const antwort = await fetch(name);
  if (!antwort.ok) throw new Error(`${name}: ${antwort.status}`);
  return new Uint8Array(await antwort.arrayBuffer());
}

/** The names of the shipped examples, as the build lists them in beispiele.txt. */
export async function beispiele(): Promise<string[]> {
  const liste = new TextDecoder().decode(await ladeDatei("beispiele.txt"));
  return liste.split("\n").map((z) => z.trim()).filter((z) => z.length > 0);
}

let tabelle: Bauteiltabelle | null = null;

/** The core's table of gates, registers, ALU operations and signals, with
 *  their names and hints; there once the module has loaded. */
export function bauteile(): Bauteiltabelle {
  if (!tabelle) throw new Error("Die Maschine ist noch nicht geladen");
  return tabelle;
}

/** The module with the microcode and the examples in its file system. */
export async function ladeModul(): Promise<VentaroModul> {
  const [wasm, mikrocode, namen] = await Promise.all([ladeDatei("ventaro.wasm"), ladeDatei("mikrocode.dat"), beispiele()]);
  const modul = await VentaroModul({ wasmBinary: wasm });
  tabelle = modul.bauteile();
  modul.FS.mkdirTree(Beispielordner);
  modul.FS.mkdirTree(Dateiordner);
  modul.FS.writeFile(MikrocodePfad, mikrocode);
  const inhalte = await Promise.all(namen.map((n) => ladeDatei("beispiele/" + n)));
  namen.forEach((n, i) => modul.FS.writeFile(Beispielordner + n, inhalte[i]!));
  return modul;
}
