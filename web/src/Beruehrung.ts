// Touch screens: a tap is a click already; a long press is the right
// button. Where the browser opens no context menu of its own on a long
// press, the page sends the control one, so the grid's breakpoint menu
// opens under the finger. The PC counts its long press itself.
export const LangerDruckMs = 500;
const Spielraum = 10; // px the finger may wander

export function beruehrungEinrichten(wurzel: HTMLElement): void {
  let druck: { id: number; x: number; y: number; ziel: Element; uhr: number; kontext: boolean } | null = null;
  const ende = (): void => {
    if (druck) window.clearTimeout(druck.uhr);
    druck = null;
  };
  wurzel.addEventListener("pointerdown", (e) => {
    if (e.pointerType !== "touch" || !e.isPrimary) return;
    ende();
    schlucken = false;
    const ziel = e.target as Element;
    if (ziel.closest("[data-teil=PC]")) return;
    const d = {
      id: e.pointerId, x: e.clientX, y: e.clientY, ziel, kontext: false,
      uhr: window.setTimeout(() => {
        if (druck !== d || d.kontext) return;
        d.kontext = true;
        d.ziel.dispatchEvent(new MouseEvent("contextmenu", {
          bubbles: true, cancelable: true, composed: true, button: 2, buttons: 2, clientX: d.x, clientY: d.y,
        }));
      }, LangerDruckMs),
    };
    druck = d;
  }, { capture: true });
  wurzel.addEventListener("pointermove", (e) => {
    if (druck && e.pointerId === druck.id && Math.hypot(e.clientX - druck.x, e.clientY - druck.y) > Spielraum) ende();
  }, { capture: true });
  // The mouse events the browser makes of the lifted finger would close
  // the menu just opened, or toggle a breakpoint under it.
  let schlucken = false;
  for (const art of ["pointerup", "pointercancel"] as const)
    wurzel.addEventListener(art, (e) => {
      if (!druck || e.pointerId !== druck.id) return;
      schlucken = druck.kontext;
      ende();
    }, { capture: true });
  for (const art of ["mousedown", "mouseup", "click"] as const)
    document.addEventListener(art, (e) => {
      if (!schlucken) return;
      if (art === "click") schlucken = false;
      e.preventDefault();
      e.stopImmediatePropagation();
    }, { capture: true });
  // The browser's own long-press menu came first: no second one.
  wurzel.addEventListener("contextmenu", (e) => {
    if (druck && e.isTrusted) druck.kontext = true;
  }, { capture: true });
}
