// The pictures the desktop draws by code: the gate doors and the tool bar's
// icons, here as SVG markup in the same coordinates (16 x 16, door 20 x 20).
import { farbe } from "./Svg";

const strich = 'stroke="black" stroke-width="1"';

/** The door of a gate: closed with a red lamp, or swung open with a green one. */
export function torBild(offen: boolean): string {
  const lampe = `<ellipse cx="10" cy="3.5" rx="3" ry="3" fill="${offen ? farbe.LampeGruen : farbe.LampeRot}" stroke="black" stroke-width="0.8"/>`;
  const rahmen = `<rect x="4.5" y="7.5" width="11" height="12" fill="none" ${strich}/>`;
  if (offen)
    return lampe + rahmen + `<rect x="5" y="8" width="10" height="11" fill="rgb(40,40,40)"/>`
      + `<polygon points="15,8 19,6.5 19,20 15,19" fill="${farbe.Tuer}" ${strich}/>`;
  return lampe + rahmen + `<rect x="5" y="8" width="10" height="11" fill="${farbe.Tuer}"/>`
    + `<ellipse cx="13" cy="14" rx="1" ry="1" fill="yellow" ${strich}/>`;
}

function diskette(x: number, y: number): string {
  return `<rect x="${x + 0.5}" y="${y + 0.5}" width="11" height="11" fill="rgb(40,60,160)" ${strich}/>`
    + `<rect x="${x + 2.5}" y="${y + 0.5}" width="7" height="4" fill="white" ${strich}/>`
    + `<rect x="${x + 3.5}" y="${y + 7.5}" width="5" height="4" fill="rgb(200,200,200)" ${strich}/>`;
}

function pfeilZurueck(y: number, f: string): string {
  return `<path d="M4 ${y} C10 ${y} 14 ${y + 2} 13.5 ${y + 7}" fill="none" stroke="${f}" stroke-width="2"/>`
    + `<polygon points="0.5,${y} 5,${y - 4} 5,${y + 4}" fill="${f}"/>`;
}

/** The tool bar's icons by the name of their command. */
export const Werkzeugsymbole: Record<string, string> = {
  ffnen1: `<rect x="0.5" y="4.5" width="12" height="9" fill="rgb(230,190,60)" ${strich}/>`
    + `<rect x="0.5" y="3.5" width="5" height="1" fill="rgb(230,190,60)" ${strich}/>`
    + `<polygon points="2.5,7.5 15.5,7.5 12.5,13.5 0.5,13.5" fill="rgb(250,220,110)" ${strich}/>`,
  Speichern1: diskette(2, 2),
  Speichernunter1: `<rect x="7.5" y="0.5" width="8" height="10" fill="white" ${strich}/>`
    + `<line x1="9" y1="3.5" x2="14" y2="3.5" ${strich}/><line x1="9" y1="5.5" x2="14" y2="5.5" ${strich}/>`
    + diskette(0, 4),
  Beenden1: `<rect x="2.5" y="1.5" width="8" height="13" fill="rgb(80,80,80)" ${strich}/>`
    + `<polygon points="2.5,1.5 7.5,3.5 7.5,15.5 2.5,14.5" fill="${farbe.Tuer}" ${strich}/>`
    + `<g stroke="rgb(0,140,0)" stroke-width="2"><line x1="10" y1="8" x2="15" y2="8"/>`
    + `<line x1="13" y1="5.5" x2="15" y2="8"/><line x1="13" y1="10.5" x2="15" y2="8"/></g>`,
  Reset1: `<rect x="1.5" y="10.5" width="13" height="4" fill="rgb(200,200,200)" ${strich}/>`
    + `<rect x="5.5" y="0.5" width="3" height="9" rx="1.5" fill="rgb(250,210,170)" ${strich}/>`
    + `<rect x="5.5" y="5.5" width="8" height="5" rx="2" fill="rgb(250,210,170)" ${strich}/>`,
  MikroschrittZurueck1: pfeilZurueck(5, "rgb(0,110,0)"),
  BefehlZurueck1: pfeilZurueck(3.5, "rgb(40,60,160)")
    + `<line x1="1" y1="13.5" x2="9" y2="13.5" stroke="rgb(40,60,160)" stroke-width="2"/>`,
  Mikrocodebearbeiten1: `<rect x="0.5" y="1.5" width="15" height="13" fill="white" ${strich}/>`
    + `<rect x="1" y="2" width="14" height="3" fill="rgb(40,60,160)"/>`
    + `<line x1="0.5" y1="8.5" x2="15.5" y2="8.5" ${strich}/><line x1="0.5" y1="11.5" x2="15.5" y2="11.5" ${strich}/>`
    + `<line x1="5.5" y1="5" x2="5.5" y2="14.5" ${strich}/><line x1="10.5" y1="5" x2="10.5" y2="14.5" ${strich}/>`,
  BiszumHalt1: `<polygon points="1.5,2.5 10.5,8 1.5,13.5" fill="rgb(40,160,60)" ${strich}/>`
    + `<rect x="11.5" y="2.5" width="3" height="11" fill="rgb(200,40,40)" ${strich}/>`,
  HilfezumModellrechner1: `<circle cx="8" cy="8" r="7.5" fill="rgb(255,255,180)" ${strich}/>`
    + `<text x="8" y="12.5" text-anchor="middle" font-family="Arial, 'Liberation Sans', sans-serif" font-size="13" font-weight="bold" fill="rgb(0,0,160)">?</text>`,
  Tutorium1: `<polygon points="8,3.5 1.5,1.5 1.5,13.5 8,15.5" fill="white" ${strich}/>`
    + `<polygon points="8,3.5 14.5,1.5 14.5,13.5 8,15.5" fill="white" ${strich}/>`
    + `<g stroke="rgb(120,120,120)" stroke-width="1">`
    + [5.5, 8, 10.5].map((y) => `<line x1="3" y1="${y - 1}" x2="6.5" y2="${y}"/><line x1="9.5" y1="${y}" x2="13" y2="${y - 1}"/>`).join("")
    + `</g>`,
};

/** The program's icon, 32 x 32, for the Info box. */
export const Programmsymbol = `<rect x="1.5" y="1.5" width="29" height="29" rx="4" fill="${farbe.Silber}" ${strich}/>`
  + `<rect x="4" y="8" width="24" height="4" fill="white"/><rect x="14" y="8" width="4" height="18" fill="white"/>`
  + `<circle cx="24" cy="20" r="4" fill="${farbe.LampeGruen}"/><rect x="4" y="18" width="9" height="8" fill="${farbe.Lila}"/>`;

/** The message boxes' symbols, 32 x 32. */
export const Fehlersymbol = `<circle cx="16" cy="16" r="15" fill="rgb(210,30,30)" stroke="rgb(140,0,0)"/>`
  + `<path d="M10 10 L22 22 M22 10 L10 22" stroke="white" stroke-width="3.5" stroke-linecap="round"/>`;
export const Warnsymbol = `<polygon points="16,2 31,29 1,29" fill="rgb(250,210,40)" stroke="rgb(120,90,0)" stroke-linejoin="round"/>`
  + `<rect x="14.5" y="10" width="3" height="11" rx="1" fill="black"/><circle cx="16" cy="25" r="1.8" fill="black"/>`;
