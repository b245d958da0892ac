#!/usr/bin/env bash
# Takes the pictures of the tutorial and the help page anew: runs the built
# program in an X server with a small window manager, drives it with the mouse
# and keyboard exactly as the tutorial tells the reader, and photographs the
# window. Needs the Debian packages xvfb, xauth, openbox, xdotool and
# imagemagick; nothing of this runs during the build or the tests.
#
#   data/hilfe/bilder/aufnehmen.sh [BUILD-VERZEICHNIS]      (default: build)
#
# The program runs from a copy of its directory, so that the microcode change
# of the tutorial never touches the real mikrocode.dat.
set -euo pipefail

ziel=$(cd "$(dirname "$0")" && pwd)
bau=$(cd "${1:-build}" && pwd)

if [ -z "${VENTARO_IM_XVFB:-}" ]; then
  VENTARO_IM_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$bau"
fi

arbeit=$(mktemp -d)
trap 'kill $programm $wm 2>/dev/null || true; rm -rf "$arbeit"' EXIT
cp "$bau/bin/ventaro" "$bau/bin/mikrocode.dat" "$arbeit/"
cp -r "$bau/bin/beispiele" "$arbeit/"

openbox >/dev/null 2>&1 & wm=$!
sleep 1
(cd "$arbeit" && exec ./ventaro) >/dev/null 2>&1 & programm=$!
sleep 4   # start-up waits two seconds before its first microstep

# Window coordinates below are those of the window's client area under the
# menu bar (the tool bar starts at y 0), as the datapath is laid out.
MENU=20
fenster() { WID=$(xdotool search --onlyvisible --name '^Ventaro' | head -1); }
klick() { xdotool mousemove --window "$WID" "$1" $(( $2 + MENU )) click 1; sleep "${3:-0.4}"; }
zeige() { xdotool mousemove --window "$WID" "$1" $(( $2 + MENU )); sleep 0.4; }
zelle() { klick 615 $(( 164 + 24 * $1 )); }
tippe() { xdotool type --delay 80 "$1"; xdotool key Return; sleep 0.3; }
# 64 colours are plenty for the window and keep each picture near 15 KB.
foto() {
  sleep 0.5
  import -frame -window "$1" "$arbeit/roh.png"
  convert "$arbeit/roh.png" -dither None -colors 64 "PNG8:$ziel/$2.png"
  echo "$2.png"
}
MIKROSCHRITT="308 400"; RESET="444 400"; START="308 440"; STOPP="444 440"

fenster
# The window after start-up; the pointer rests on "Mikroschritt".
zeige $MIKROSCHRITT; foto "$WID" fenster

# By hand: 00.042 in cell 0, Reset, ET open, Akku loads, ADD, Erg loads.
zelle 0; tippe "00.042"
klick $RESET 1.5
klick 236 76               # ET
klick 156 128              # Akku
klick 84 216               # ADD in the ALU list
klick 124 368              # Erg
zeige 156 128; foto "$WID" von-hand
klick 124 368; klick 156 128

# The first program: LDK 42, ANZ, HLT.
zelle 0; tippe "03.042"; tippe "20.000"
klick $RESET 1.5
klick $MIKROSCHRITT 1      # fetch and step 0 of LDK
zeige 412 357; foto "$WID" holen
klick $MIKROSCHRITT 1; klick $MIKROSCHRITT 1
zeige 156 128; foto "$WID" befehl
klick $MIKROSCHRITT 1      # MPCClear
klick $MIKROSCHRITT 1      # fetch and step 0 of ANZ
zeige 732 152; foto "$WID" anzeige

# summe.obj at 20 Hz until it halts.
klick 16 15 1.5            # tool button "RAM-Datei öffnen"
xdotool type --delay 40 "$arbeit/beispiele/summe.obj"; xdotool key Return; sleep 2
fenster
xdotool mousemove --window "$WID" 262 $(( 476 + MENU )) mousedown 1 \
        mousemove --window "$WID" 520 $(( 476 + MENU )) mouseup 1
sleep 0.5
klick $START 1
sleep 22; zeige $START; foto "$WID" summe
klick $STOPP 1

# The microcode editor: LDK to read, then the new instruction DPL at code 23.
klick 148 15 2             # tool button "Mikrocode bearbeiten"
D=$(xdotool search --onlyvisible --name 'Mikrocode editieren' | head -1)
hoch() { for _ in $(seq "$1"); do xdotool mousemove --window "$D" 113 31 click 1; sleep 0.15; done; }
hoch 3; sleep 0.5; foto "$D" editor-ldk
hoch 20
xdotool mousemove --window "$D" 264 36 click 1; sleep 0.2
xdotool key ctrl+a; xdotool type --delay 80 "DPL"; sleep 0.2
xdotool mousemove --window "$D" 584 496 click 1; sleep 0.5     # "Mikroschritte löschen"
# Rows: 1 ET 2 AT 3 PC 4 PCI 5 PT 6 IR 7 IT 8 Akku 9 Erg 10 ErgT 11 MPCClear
# 12 MPCLoad 13 RamRead 14 RamWrite 15 ALU0 16 ALU1 17 ALU2 18 Anz
marke() { xdotool mousemove --window "$D" $(( 127 + 25 * $1 )) $(( 98 + 19 * $2 )) click 1; sleep 0.12; }
for k in 5 13 9 15;    do marke 0 $k; done
for k in 5 13 10 15;   do marke 1 $k; done
for k in 5 13 10 9 15; do marke 2 $k; done
for k in 4 5 13 15;    do marke 3 $k; done
for k in 5 13 8 10;    do marke 4 $k; done
for k in 5 13 11;      do marke 5 $k; done
foto "$D" editor-dpl
xdotool mousemove --window "$D" 232 496 click 1; sleep 0.5     # "Änderung übernehmen"
xdotool mousemove --window "$D" 291 544 click 1; sleep 1       # OK

# A program with DPL: LDK 21, DPL, ANZ, HLT.
fenster
xdotool mousemove --window "$WID" 615 $(( 300 + MENU )) click --repeat 30 --delay 30 4; sleep 0.5
zelle 0; tippe "03.021"; tippe "23.000"; tippe "20.000"; tippe "00.000"
klick $RESET 1.5
klick $START 1
sleep 4
klick $STOPP 1
zelle 1; zeige 615 500; foto "$WID" dpl

# DPL recorded by hand: LDK 21 runs, the editor's "Aufzeichnen" on code 23
# (still shown), then two steps; the bar below the datapath photographed.
klick $RESET 1.5
for _ in 1 2 3 4; do klick $MIKROSCHRITT 1; done
klick 148 15 2             # tool button "Mikrocode bearbeiten"
D=$(xdotool search --onlyvisible --name 'Mikrocode editieren' | head -1)
xdotool mousemove --window "$D" 720 496 click 1; sleep 1       # "Aufzeichnen"
fenster
AUFNEHMEN="75 588"   # "Schritt aufnehmen" in the recording bar below the status bar
klick 124 368              # Erg
klick 84 216               # ADD
klick $AUFNEHMEN
klick 124 368              # Erg off
klick 124 428              # ErgT
klick $AUFNEHMEN
zeige 615 300; foto "$WID" aufzeichnen   # the grid leaves panel 0 alone
