// The page: loads the machine, builds the main window and starts it.
import { beispiele, ladeModul } from "./Modul";
import { Fenster } from "./Fenster";
import { offlineEinrichten } from "./Offline";
import { gespeichertenMikrocodeEinspielen } from "./Mikrocodespeicher";

async function seiteStarten(): Promise<void> {
  offlineEinrichten();
  const wurzel = document.getElementById("fenster");
  if (!wurzel) return;
  const [modul, namen] = await Promise.all([ladeModul(), beispiele()]);
  // The user's microcode from an earlier visit, before the machine reads it.
  gespeichertenMikrocodeEinspielen(modul);
  const fenster = new Fenster(modul, wurzel, namen);
  await fenster.starten();
}

seiteStarten().catch((fehler: unknown) => {
  const wurzel = document.getElementById("fenster");
  if (wurzel) wurzel.textContent = `Ventaro kann nicht starten: ${fehler instanceof Error ? fehler.message : String(fehler)}`;
  throw fehler;
});
