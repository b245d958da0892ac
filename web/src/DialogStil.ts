// The look of the windows beside the main window and of the recording bar,
// at the desktop's places and colours; one style element for all of them.
const Stil = `
.seitenschicht { position: fixed; left: 0; top: 0; transform-origin: 0 0; pointer-events: none; z-index: 50; }
.seitenschicht > * { pointer-events: auto; }
.seitenschicht > .boxschicht { pointer-events: none; z-index: 60; }
.seitenschicht > .boxschicht > * { pointer-events: auto; }
.seitenschicht > .menueschicht { inset: auto; pointer-events: none; z-index: 55; }
.nebendecke { position: absolute; inset: 0; background: rgba(0, 0, 0, .08); }
.nebenfenster { position: absolute; box-sizing: border-box; transform-origin: 0 0; background: rgb(212, 208, 200);
  border: 1px solid rgb(60, 60, 60); box-shadow: 3px 3px 12px rgba(0, 0, 0, .45); outline: none;
  font: normal 13px Arial, "Liberation Sans", sans-serif; user-select: none; -webkit-user-select: none; }
.nebenfenster[hidden], .nebendecke[hidden] { display: none; }
.nebenfenster > .titelleiste { cursor: default; touch-action: none; }
.nebeninhalt { position: relative; overflow: hidden; }
.nebenknopf { position: absolute; box-sizing: border-box; height: 25px; padding: 0 6px; font: normal 13px Arial, "Liberation Sans", sans-serif;
  color: black; background: linear-gradient(rgb(248, 248, 248), rgb(222, 222, 222)); border: 1px solid rgb(140, 140, 140); border-radius: 2px; white-space: nowrap; }
.nebenknopf:active { background: rgb(200, 200, 200); }
.nebenknopf.standard { border-color: rgb(40, 40, 40); }
.nebenknopf:focus { outline: none; }
.nebenknopf:focus-visible { outline: 1px dotted black; outline-offset: -4px; }

/* The microcode editor */
.mikrocodeeditor .bevel { position: absolute; left: 8px; top: 8px; width: 777px; height: 513px; box-sizing: border-box;
  border: 1px solid; border-color: rgb(128, 128, 128) white white rgb(128, 128, 128); box-shadow: inset 1px 1px rgb(128, 128, 128), inset -1px -1px white; }
.mikrocodeeditor .beschriftung, .mikrocodeeditor .flagbox, .mikrocodeeditor .codespin, .mikrocodeeditor input[type=text] { position: absolute; }
.mikrocodeeditor .beschriftung { line-height: 16px; white-space: nowrap; }
.mikrocodeeditor input[type=text] { box-sizing: border-box; margin: 0; padding: 1px 3px; font: normal 13px Arial, "Liberation Sans", sans-serif;
  border: 2px inset rgb(200, 200, 200); background: white; outline: none; user-select: text; -webkit-user-select: text; }
.mikrocodeeditor input[type=text]:focus { border-color: rgb(48, 140, 198); border-style: solid; border-width: 1px; padding: 2px 4px; }
.codespin { display: flex; }
.codespin input[type=text] { position: static !important; flex: 1; width: 0; height: 100%; }
.codespin .pfeile { display: flex; flex-direction: column; width: 16px; }
.codespin .pfeile button { flex: 1; padding: 0; margin: 0; border: 1px outset white; background: rgb(212, 208, 200); position: relative; }
.codespin .pfeile button::after { content: ""; position: absolute; left: 4px; border: 4px solid transparent; }
.codespin .pfeile .hoch::after { top: 1px; border-bottom: 4px solid black; }
.codespin .pfeile .runter::after { top: 4px; border-top: 4px solid black; }
.mikrocodeeditor .flagbox { display: flex; align-items: center; justify-content: flex-start; gap: 6px; white-space: nowrap; }
.mikrocodeeditor .flagbox input { width: 13px; height: 13px; margin: 0; }
.markengitter { position: absolute; top: 88px; width: 356px; height: 385px; box-sizing: border-box; overflow: hidden; background: white;
  border: 2px solid; border-color: rgb(128, 128, 128) white white rgb(128, 128, 128); outline: none; cursor: default; }
.markenreihe { display: flex; height: 20px; }
.markenreihe > div { box-sizing: border-box; width: 26px; height: 20px; flex: none; border-right: 1px solid rgb(160, 160, 160);
  border-bottom: 1px solid rgb(160, 160, 160); line-height: 19px; overflow: hidden; white-space: nowrap; }
.markenreihe > .ecke { width: 91px; }
.markenkopf { background: rgb(212, 208, 200); padding-left: 3px; }
.marke { text-align: center; }
.markengitter:focus-visible .marke.cursor { outline: 1px dotted black; outline-offset: -2px; }

/* The recording bar */
.aufzeichnungsleiste { position: absolute; left: 0; box-sizing: border-box; height: 104px; display: flex; gap: 16px; padding: 6px 10px;
  background: #fff0e8; border: 3px solid #d00000; font: bold 13px Arial, "Liberation Sans", sans-serif; }
.aufzeichnungsleiste[hidden] { display: none; }
.aufzeichnungsleiste .links { display: flex; flex-direction: column; gap: 6px; }
.aufzeichnungtitel { color: #b00000; min-height: 17px; white-space: nowrap; }
.aufzeichnungsleiste .knoepfe { display: flex; gap: 6px; }
.aufzeichnungsleiste .nebenknopf { position: static; font-weight: bold; padding: 0 10px; }
.aufzeichnungworte { flex: 1; white-space: pre; font: bold 13px "Courier New", "Liberation Mono", monospace; line-height: 16px; overflow: hidden; }

/* Statistics */
.statistik { display: flex; flex-direction: column; gap: 6px; padding: 9px; box-sizing: border-box; }
.statistiktabelle { flex: 3; min-height: 0; overflow: auto; background: white; border: 1px solid rgb(130, 130, 130); }
.statistiktabelle table { border-collapse: collapse; font: normal 13px Arial, "Liberation Sans", sans-serif; min-width: 100%; }
.statistiktabelle th { position: sticky; top: 0; background: rgb(212, 208, 200); font-weight: normal; padding: 2px 6px; white-space: nowrap;
  border-right: 1px solid rgb(160, 160, 160); border-bottom: 1px solid rgb(160, 160, 160); }
.statistiktabelle td { height: 19px; padding: 0 6px; white-space: nowrap; border-right: 1px solid rgb(220, 220, 220); border-bottom: 1px solid rgb(220, 220, 220); }
.statistiktabelle td.zahl { text-align: right; }
.statistiktabelle td:nth-child(2) { text-align: left; }
.statistiksummen { white-space: pre; }
.balkendiagramm { flex: 2; min-height: 160px; width: 100%; display: block; font-family: Arial, "Liberation Sans", sans-serif; }

/* Program text */
.programmtext { display: flex; flex-direction: column; gap: 6px; padding: 9px; box-sizing: border-box; }
.ptknoepfe { display: flex; gap: 6px; }
.ptknoepfe .nebenknopf { position: static; }
.ptknoepfe .dehnung { flex: 1; }
.pteditor { flex: 1; min-height: 0; display: flex; background: white; border: 2px solid; border-color: rgb(128, 128, 128) white white rgb(128, 128, 128); }
.ptnummern { flex: none; overflow: hidden; background: rgb(232, 232, 232); color: rgb(110, 110, 110); padding-top: 2px; box-sizing: border-box;
  font: normal 14px "Courier New", "Liberation Mono", monospace; line-height: 17px; }
.ptnummern > div { text-align: right; padding-right: 5px; transform: translateY(var(--versatz, 0)); }
.ptnummern > .fehlernummer { color: rgb(200, 0, 0); }
.ptflaeche { position: relative; flex: 1; min-width: 0; overflow: hidden; }
.ptfarben, .ptfeld { margin: 0; padding: 2px 4px; font: normal 14px "Courier New", "Liberation Mono", monospace; line-height: 17px; tab-size: 8;
  white-space: pre; box-sizing: border-box; }
.ptfarben { position: absolute; left: 0; top: 0; min-width: 100%; width: max-content; color: black; pointer-events: none; }
.ptfarben > .fehlerzeile { background: rgb(255, 215, 215); }
.ptfeld { position: absolute; inset: 0; width: 100%; height: 100%; resize: none; border: none; outline: none; background: transparent;
  color: transparent; caret-color: black; overflow: auto; user-select: text; -webkit-user-select: text; }
.ptfeld::selection { background: rgba(48, 140, 198, .35); color: transparent; }
.pt-mnemonic { color: rgb(0, 0, 170); font-weight: bold; }
.pt-direktive { color: rgb(128, 0, 128); font-weight: bold; }
.pt-marke { color: rgb(150, 75, 0); font-weight: bold; }
.pt-zahl { color: rgb(0, 120, 0); }
.pt-text { color: rgb(170, 0, 0); }
.pt-kommentar { color: rgb(120, 120, 120); font-style: italic; }
.ptmeldung { min-height: 16px; }
.ptfehler { margin: 0; padding: 0; list-style: none; max-height: 110px; min-height: 60px; overflow: auto; background: white; border: 2px solid;
  border-color: rgb(128, 128, 128) white white rgb(128, 128, 128); }
.ptfehler li { color: rgb(200, 0, 0); padding: 1px 4px; cursor: default; }
.ptfehler li:focus { outline: none; background: rgb(48, 140, 198); color: white; }
`;

let eingefuegt = false;

export function stilEinfuegen(): void {
  if (eingefuegt) return;
  eingefuegt = true;
  const element = document.createElement("style");
  element.id = "dialogstil";
  element.textContent = Stil;
  document.head.appendChild(element);
}
