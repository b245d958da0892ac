// The machine compiled to WebAssembly, as its embind binding (src/web)
// offers it. Every text is UTF-8 here; the binding converts from and to the
// machine's Windows-1252. Commands never throw: a failure the desktop shows
// in a message box is queued and read with meldungen().

/** A message box the machine asks for, with the desktop's title. */
export interface Meldung {
  /** "Ventaro": a failed command (error symbol); "Fehler": the cell check
   *  (error symbol); "Warnung": a warning symbol. */
  titel: "Ventaro" | "Fehler" | "Warnung";
  text: string;
}

export interface Registeransicht {
  /** "Akku", "Erg", "PC", "IR", "Anz" */
  name: string;
  /** "000": the register text */
  text: string;
  /** the load latch: "lädt" when on, "hält" when off */
  laden: boolean;
  /** 0: as built (raised), 1: loading (lowered on white), 2: released (raised) */
  look: 0 | 1 | 2;
}

export interface Statistikzeile {
  op: number;           // -1 for "ohne Befehl"
  opText: string;       // "03" or "-"
  mnemonic: string;
  anzahl: number;
  mikroschritte: number;
  jeBefehl: string;     // "5,67"; empty for "ohne Befehl"
}

/** Everything a face shows of the machine; computed by the machine's view model. */
export interface Ansicht {
  aluText: string;        // "012"
  flagText: string;       // "F=1"
  mpcFlagText: string;    // "1"
  mpcText: string;        // "013"
  steuerwortText: string; // the control word, or "Mikroschrittcode" before the first step
  anzeigeText: string;    // "00.042"
  status1: string;        // status panel 1
  aluAuswahl: number;     // 0..6, -1 for none
  aktiv: { mikroschritt: boolean; start: boolean; reset: boolean; werkzeugleiste: boolean };
  zurueck: boolean;             // stepping back possible
  zurueckMikroschritte: number; // how many microsteps can be undone
  titel: string;          // "Ventaro 1.0.2.0 [summe.obj]"
  /** bit t set: gate t open, t in order ET, AT, PT, IT, ErgT, Read, Write */
  tore: number;
  register: Registeransicht[]; // Akku, Erg, PC, IR, Anz
  zellen: string[];       // the 128 cell texts
  zeile: number;          // the grid's current row, 1..128 (row r holds address r-1)
  haltepunkte: number[];  // addresses with a breakpoint, sorted
  ramEditiert: boolean;
  rasterGefuellt: boolean; // start-up has written the cells
  takt: { laeuft: boolean; position: number; intervall: number };
  aufzeichnung: string;   // the recording's status text, empty when none
  statistik: { zeilen: Statistikzeile[]; befehle: number; mikroschritte: number; jeBefehl: string };
}

export interface Fehlerzeile { zeile: number; text: string }

/** A gate or register: its name and the hint status panel 0 shows for it. */
export interface Bauteil { name: string; hinweis: string }

export interface Bauteiltabelle {
  tore: Bauteil[];     // ET, AT, PT, IT, ErgT, Read, Write
  register: Bauteil[]; // Akku, Erg, PC, IR, Anz
  alu: string[];       // "ADD" … "NEG", the ALU list's items
  signale: string[];   // the 18 signals of a control word, in its order
}

/** The microcode table the editor shows: entry 10·c + s is step s of opcode c. */
export interface Mikrocodetabelle {
  befehlsanzahl: number;  // N: the opcodes the file holds
  mnemonics: string[];    // 30
  worte0: string[];       // 300 control words for flag 0 ("0"/"1", up to 18 characters)
  worte1: string[];       // 300 for flag 1
}

export interface Aufzeichnungsstand {
  laeuft: boolean;
  befehl: number;
  flag: number;           // -1: both sets
  worte: string[];        // the steps recorded so far
  mnemonicFehlt: boolean; // ending must ask for a mnemonic
  aktuellesWort: string;  // the word the present settings give
}

export interface Maschine {
  // Start-up: reads the microcode, fills the RAM. The desktop's pause of two
  // seconds lies between the two halves: starten() runs all of it, and
  // pause() then says how long the page shows zwischenansicht() without
  // reacting before it draws ansicht().
  starten(): void;
  pause(): number;                 // ms asked for by the latest command, 0 for none
  zwischenansicht(): Ansicht;      // the view at the moment the pause began

  // ---- Recorded operations (can be taken back).
  mikroschritt(): void;
  reset(): void;                   // asks for a pause of 300 ms
  torUmschalten(tor: number): void;        // 0..6 as in Ansicht.tore
  ladenUmschalten(register: number): void; // 0..4: Akku, Erg, PC, IR, Anz
  pcErhoehen(): void;              // the right button on PC
  aluWaehlen(operation: number): void;

  // ---- The RAM grid; rows count from 1.
  allePruefen(): void;             // the check of all cells (leaving the grid, "Read")
  /** endgueltig: the editor closes (a text with characters Windows-1252 lacks then queues the warning) */
  zelleUebergeben(adresse: number, text: string, endgueltig: boolean): void;
  bearbeitungVerwerfen(adresse: number, text: string, warEditiert: boolean): void;
  zeileAngewaehlt(zeile: number): void;
  zeileWaehlen(zeile: number): void;
  eingabeAbschliessen(): void;     // Enter
  setzeHaltepunkt(adresse: number, an: boolean): void;

  // ---- Files in the module's file system (FS), after the page's pickers.
  ramDateiOeffnen(pfad: string): void;
  /** false: no target chosen yet, the page must ask for one */
  ramDateiSpeichern(): boolean;
  ramDateiSpeichernUnter(pfad: string): void;
  /** the save target's path, "neu" when none */
  ramDateiname(): string;
  programmtextOeffnen(pfad: string): Fehlerzeile[];

  // ---- The clock; the page runs its timer from Ansicht.takt.
  taktStarten(): void;
  taktAnhalten(): void;
  taktSchalten(laeuft: boolean): void;
  taktrateSetzen(position: number): void;
  taktTick(): void;

  // ---- "Bis zum Halt": slices of microsteps.
  /** false when the machine cannot step (a cell check keeps it off) or a run goes on */
  laufBeginnen(): boolean;
  /** runs at most n microsteps; -1 while the run goes on, else a Laufende
   *  (Modul.ts); a failed step or the limit queues its box */
  laufWeiter(n: number): number;
  laufStoppen(): void;
  laufSchritte(): number;
  laeuft(): boolean;

  // ---- Stepping back.
  mikroschrittZurueck(): void;
  befehlZurueck(): void;

  // ---- The view.
  /** bits of Teil (Modul.ts) that changed since the last call; all bits the first time */
  aktualisieren(): number;
  ansicht(): Ansicht;
  /** the boxes asked for since the last call, oldest first; empties the queue */
  meldungen(): Meldung[];
  // ---- The microcode editor (the page keeps the file in the browser's storage).
  /** reads the microcode file anew, as each opening of the editor does; false with a box queued */
  tabelleLaden(): boolean;
  tabelle(): Mikrocodetabelle;
  /** "Änderung übernehmen": ten words per flag, "1" where a step's signal is marked */
  befehlUebernehmen(befehl: number, mnemonic: string, worte0: string[], worte1: string[]): void;
  /** OK: writes the file (a failure is queued) and the machine takes the table */
  tabelleSpeichern(): void;

  // ---- Recording a microprogram by working the datapath.
  aufzeichnungStarten(befehl: number, flag: number): void;
  schrittAufnehmen(): void;
  /** "" keeps the opcode's mnemonic; writes the file like tabelleSpeichern() */
  aufzeichnungBeenden(mnemonic: string): void;
  aufzeichnungVerwerfen(): void;
  aufzeichnungStand(): Aufzeichnungsstand;

  // ---- Program texts.
  /** translates an editor's text (characters beyond Windows-1252 queue a warning) */
  uebersetzen(text: string): { zellen: string[]; fehler: Fehlerzeile[] };
  /** "In den RAM übernehmen": the cells into the RAM, checked, then Reset */
  programmtextUebernehmen(zellen: string[]): void;
  /** the RAM written back as a program text, lines ending in "\n" */
  alsProgrammtext(): string;
  /** a .asm file of the module's file system, for the editor */
  programmtextLesen(pfad: string): { gelesen: boolean; text: string; fehler: Fehlerzeile[] };
  /** writes the text as the desktop does: Windows-1252, CR LF */
  programmtextSchreiben(pfad: string, text: string): void;
  /** every word that names exactly one opcode, upper case (for the colours) */
  befehlsnamen(): string[];

  delete(): void;
}

export interface VentaroModul {
  Maschine: new (fenstertitel: string, mikrocodePfad: string) => Maschine;
  /** "1.0.2.0" */
  programmVersion(): string;
  /** the core's table of parts: gates and registers in the order of Ansicht.tore and Ansicht.register */
  bauteile(): Bauteiltabelle;
  FS: {
    writeFile(pfad: string, daten: Uint8Array | string): void;
    readFile(pfad: string): Uint8Array;
    mkdirTree(pfad: string): void;
    unlink(pfad: string): void;
    analyzePath(pfad: string): { exists: boolean };
  };
}

export type VentaroModulFabrik = (optionen: { wasmBinary?: ArrayBuffer | Uint8Array; print?: (s: string) => void; printErr?: (s: string) => void }) => Promise<VentaroModul>;

declare global {
  // ventaro.js defines the factory as a global.
  const VentaroModul: VentaroModulFabrik;
}
