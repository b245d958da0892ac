// The user's microcode lives in the browser's storage: the exact bytes of
// the file the machine wrote, so that it survives reloads and browser
// restarts and an export gives the very file the desktop would write.
import type { VentaroModul } from "./ventaro-modul";
import { ausBase64, MikrocodePfad } from "./Modul";

const Schluessel = "ventaro.mikrocode";

function zuBase64(bytes: Uint8Array): string {
  let binaer = "";
  for (let i = 0; i < bytes.length; i += 0x8000) binaer += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
  return btoa(binaer);
}

function lesen(): string | null {
  try {
    return window.localStorage.getItem(Schluessel);
  } catch {
    return null; // storage switched off: the shipped microcode it is
  }
}

export function imBrowserGespeichert(): boolean { return lesen() !== null; }

/** Before the machine starts: the stored microcode replaces the shipped one. */
export function gespeichertenMikrocodeEinspielen(modul: VentaroModul): void {
  const text = lesen();
  if (text === null) return;
  try {
    modul.FS.writeFile(MikrocodePfad, ausBase64(text));
  } catch {
    // A damaged entry: the shipped file stays.
  }
}

/** Keeps the file the machine has just written; false when the browser refused. */
export function mikrocodeMerken(modul: VentaroModul): boolean {
  try {
    window.localStorage.setItem(Schluessel, zuBase64(modul.FS.readFile(MikrocodePfad)));
    return true;
  } catch {
    return false;
  }
}

export function mikrocodeVergessen(): void {
  try {
    window.localStorage.removeItem(Schluessel);
  } catch {
    // nothing stored then
  }
}

/** The editor's title names where OK writes, as the desktop's does. */
export function editortitel(): string {
  return `Mikrocode editieren [${imBrowserGespeichert() ? "im Browser gespeichert" : "mikrocode.dat"}]`;
}
