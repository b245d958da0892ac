// Small helpers for drawing the window in SVG: elements, bevels and text
// placed the way the desktop's labels place it.

export const SVG_NS = "http://www.w3.org/2000/svg";

export type Attribute = Record<string, string | number>;

export function svg<K extends keyof SVGElementTagNameMap>(
  name: K, attribute: Attribute = {}, eltern?: Element,
): SVGElementTagNameMap[K] {
  const element = document.createElementNS(SVG_NS, name);
  for (const [schluessel, wert] of Object.entries(attribute)) element.setAttribute(schluessel, String(wert));
  if (eltern) eltern.appendChild(element);
  return element;
}

export function html<K extends keyof HTMLElementTagNameMap>(
  name: K, attribute: Attribute = {}, eltern?: Element, text?: string,
): HTMLElementTagNameMap[K] {
  const element = document.createElement(name);
  for (const [schluessel, wert] of Object.entries(attribute)) element.setAttribute(schluessel, String(wert));
  if (text !== undefined) element.textContent = text;
  if (eltern) eltern.appendChild(element);
  return element;
}

export const farbe = {
  Silber: "rgb(192,192,192)",
  Lila: "rgb(128,0,128)",
  Rot: "rgb(255,0,0)",
  Knopfflaeche: "rgb(212,208,200)",
  Schatten: "rgb(128,128,128)",
  Rollbalkengrau: "rgb(200,200,200)",
  LampeRot: "rgb(220,0,0)",
  LampeGruen: "rgb(0,190,0)",
  Tuer: "rgb(150,100,50)",
} as const;

export const ARIAL = "Arial, 'Liberation Sans', sans-serif";
export const COURIER = "'Courier New', 'Liberation Mono', monospace";
export const MS_SANS_SERIF = "'MS Sans Serif', Arial, 'Liberation Sans', sans-serif";

/** A filled rectangle on whole pixels. */
export function flaeche(eltern: Element, x: number, y: number, b: number, h: number, fuellung: string): SVGRectElement {
  return svg("rect", { x, y, width: b, height: h, fill: fuellung }, eltern);
}

/** A bevel of one pixel on the outermost pixels of the rectangle: light above
 *  and left when raised, dark when lowered; the dark edges win the corners. */
export function fase(eltern: Element, x: number, y: number, b: number, h: number, erhaben: boolean): SVGGElement {
  const g = svg("g", { "shape-rendering": "crispEdges" }, eltern);
  const hell = erhaben ? "white" : farbe.Schatten;
  const dunkel = erhaben ? farbe.Schatten : "white";
  flaeche(g, x, y, b, 1, hell);
  flaeche(g, x, y, 1, h, hell);
  flaeche(g, x, y + h - 1, b, 1, dunkel);
  flaeche(g, x + b - 1, y, 1, h, dunkel);
  return g;
}

/** A raised or lowered panel frame of the given width, as a toolkit draws it. */
export function rahmen(eltern: Element, x: number, y: number, b: number, h: number, breite: number, erhaben: boolean): void {
  for (let i = 0; i < breite; ++i) fase(eltern, x + i, y + i, b - 2 * i, h - 2 * i, erhaben);
}

export interface Schrift { groesse: number; fett?: boolean; familie?: string; farbe?: string }

/** A text element in the font, bold unless said otherwise, black unless coloured. */
function textElement(eltern: Element, ort: Attribute, inhalt: string, schrift: Schrift): SVGTextElement {
  const t = svg("text", {
    ...ort,
    "font-family": schrift.familie ?? ARIAL,
    "font-size": schrift.groesse,
    "font-weight": schrift.fett === false ? "normal" : "bold",
    fill: schrift.farbe ?? "black",
  }, eltern);
  t.textContent = inhalt;
  return t;
}

/** Text whose top edge lies at y, as a label at (x, y) shows it. */
export function text(eltern: Element, x: number, y: number, inhalt: string, schrift: Schrift): SVGTextElement {
  return textElement(eltern, { x, y: y + Math.round(schrift.groesse * 0.905) }, inhalt, schrift);
}

/** Text centred in a rectangle. */
export function mittigerText(eltern: Element, x: number, y: number, b: number, h: number, inhalt: string, schrift: Schrift): SVGTextElement {
  return textElement(eltern, { x: x + b / 2, y: y + h / 2 + schrift.groesse * 0.3465, "text-anchor": "middle" }, inhalt, schrift);
}

/** Sets a text only when it changed: a redraw touches nothing that stayed. */
export function setzeText(element: Element, inhalt: string): void {
  if (element.textContent !== inhalt) element.textContent = inhalt;
}

export function setzeAttribut(element: Element, name: string, wert: string): void {
  if (element.getAttribute(name) !== wert) element.setAttribute(name, wert);
}
