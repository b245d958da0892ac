#!/usr/bin/env python3
"""Writes the seed corpus of the fuzz targets into fuzz/korpus/<ziel>/.

The files are committed; run this again only to change the seeds:
    python3 fuzz/korpus/erzeugen.py
A target's inputs lie in its own directory; findings that were fixed are
kept there too (files named fund-*), so that the replay tests keep them.
"""
import pathlib
import struct

KORPUS = pathlib.Path(__file__).resolve().parent
DATEN = KORPUS.parent.parent / "data"


def schreibe(ziel, name, inhalt):
    verzeichnis = KORPUS / ziel
    verzeichnis.mkdir(exist_ok=True)
    (verzeichnis / name).write_bytes(inhalt)


def wort(*signale):
    namen = ["ET", "AT", "PC", "PCI", "PT", "IR", "IT", "Akku", "Erg", "ErgT",
             "MPCClear", "MPCLoad", "RamRead", "RamWrite", "ALU0", "ALU1", "ALU2", "Anz"]
    zeichen = ["0"] * 18
    for s in signale:
        zeichen[namen.index(s)] = "1"
    return "".join(zeichen)


def mikrocode(befehle, ende="\r\n"):
    """befehle: list of (mnemonic, ten flag-0 words, ten flag-1 words)."""
    zeilen = [str(len(befehle))]
    for mnemonic, worte0, _ in befehle:
        zeilen += [mnemonic] + worte0
    for mnemonic, _, worte1 in befehle:
        zeilen += [mnemonic] + worte1
    return "".join(z + ende for z in zeilen).encode("cp1252")


echt = (DATEN / "mikrocode.dat").read_bytes()
leer = ["0" * 18] * 10
hol = [wort("PT", "RamRead"), wort("PT", "RamRead", "IR", "MPCLoad")] + ["0" * 18] * 8
schleife = [wort("PT", "RamRead", "MPCLoad")] + ["0" * 18] * 9  # jumps to itself
klein = mikrocode([("HOL", hol, hol), ("SPR", schleife, schleife)])

# --- mikrocode.dat reader
schreibe("mikrocode", "echt.dat", echt)
schreibe("mikrocode", "klein.dat", klein)
schreibe("mikrocode", "klein-lf.dat", mikrocode([("A", hol, leer)], "\n"))
schreibe("mikrocode", "klein-cr.dat", mikrocode([("A", leer, hol)], "\r"))
schreibe("mikrocode", "gemischt.dat", b"2\r\nA\n" + b"0" * 18 + b"\r" + b"1\n\r\n\r")
schreibe("mikrocode", "null.dat", b"0\r\n")
schreibe("mikrocode", "leer.dat", b"")
for name, zeile in [("31", b"31"), ("minus1", b"-1"), ("65536", b"65536"), ("29abc", b"29abc"),
                    ("30", b"30"), ("minus0", b"-0"), ("nullen", b"000000000029"), ("gross", b"99999999999")]:
    schreibe("mikrocode", f"anzahl-{name}.dat", zeile + b"\r\n" + b"A\r\n" * 40)
schreibe("mikrocode", "binaer.dat", b"1\r\n\x00\xff\x80\r\n" + bytes(range(256)) + b"\r\n")
schreibe("mikrocode", "lang.dat", b"1\r\n" + b"M" * 3000 + b"\r\n" + b"1" * 40 + b"\r\n")

# --- RAM file
beispiele = sorted((DATEN / "beispiele").glob("*.obj"))
for datei in beispiele[:3]:
    schreibe("ramdatei", datei.name, datei.read_bytes())
zellen = [f"{a // 4:02d}.{a:03d}" for a in range(128)]
schreibe("ramdatei", "voll-lf.obj", "".join(z + "\n" for z in zellen).encode())
schreibe("ramdatei", "voll-cr.obj", "".join(z + "\r" for z in zellen).encode())
schreibe("ramdatei", "130-zeilen.obj", "".join(z + "\r\n" for z in zellen + ["xx", "yy"]).encode())
schreibe("ramdatei", "leer.obj", b"")
schreibe("ramdatei", "gemischt.obj", b"01.001\n\r02.002\r\r03.003\n\n04.004")
schreibe("ramdatei", "falsch.obj", "\r\n".join(["30.000", "00.256", "1.5", "0.0000", "00,000", "000.000",
                                                "00.00", "ab.cde", "", " 01.005", "+1.005", "29.255"]).encode())
schreibe("ramdatei", "umlaute.obj", "Zähler\r\nÖl.ßüä\r\n01.001\r\n".encode("utf-8") + "Größe\r\n".encode("cp1252"))
schreibe("ramdatei", "binaer.obj", bytes(range(256)))

# --- text forms: two bytes of a word, four of a number, then a text
for name, w, zahl, text in [("null", 0, 0, "00.000"), ("261", 261, 1000, "01.005"), ("max", 7679, 65535, "29.255"),
                            ("hoch", 25600, 4294967295, "99.999"), ("falsch", 65534, 7, "30.000"),
                            ("ab", 12, 12, "ab.cde"), ("kurz", 1, 1, "1.5"), ("zahl", 3, 3, "2147483647"),
                            ("minus", 4, 4, "-2147483648"), ("zugross", 5, 5, "2147483648"),
                            ("nullen", 6, 6, "000000000000029"), ("hex", 7, 7, "$1D"), ("blank", 8, 8, " 29"),
                            ("leer", 9, 9, "")]:
    schreibe("wort", name, struct.pack("<HHH", w, zahl >> 16, zahl & 0xFFFF) + text.encode())

# --- findings that were fixed: a NUL in a quoted text cut the message short
schreibe("mikrocode", "fund-nul-anzahl.dat", b"2\x00\r\n")
schreibe("wort", "fund-nul", struct.pack("<HHH", 0, 0, 0) + b"\x00\x01.000")

# --- the whole machine: microcode file, RAM file, then actions (see MaschineFuzz.cpp;
# an action is its number modulo 17 and its arguments)
def maschine(mikro, ram, aktionen):
    return struct.pack("<H", len(mikro)) + mikro + struct.pack("<H", len(ram)) + ram + aktionen

laufen = b"\x04\x3f" * 40
hand = (b"\x05\x05" b"\x05\x04" b"\x06\x00" b"\x07" b"\x08\x03\x00" b"\x09\x05\x00" b"\x05\x06"
        b"\x02\x09\x00\x01\x05\x01" b"\x0b" b"\x0c\x01" b"\x0a" b"\x03\x03\x03" b"\x0d" b"\x0e"
        b"\x10\x04\x10\x0a" b"\x10\x04\x05\x05\x06")  # a reset, a gate click let through inside a run
programm = (DATEN / "beispiele" / beispiele[0].name).read_bytes()
schreibe("maschine", "echt-lauf", maschine(echt, programm, laufen))
schreibe("maschine", "echt-hand", maschine(echt, programm, hand + laufen[:20] + hand))
schreibe("maschine", "sprung-schleife", maschine(klein, b"01.000\r\n", b"\x03" * 5 + b"\x0a" + b"\x04\x10"))
schreibe("maschine", "ohne-mikrocode", maschine(b"", b"", hand))
schreibe("maschine", "worte", maschine(klein, programm,
                                       b"\x00\x00\x05\x00\x08" + b"1" * 18 + b"\x00\x01\x0a\x00\x01\x05" + laufen[:10]))

# The translator: the example texts, a text full of errors, one in UTF-8,
# and RAM files whose lines it also takes as cells.
for beispiel in sorted((DATEN / "beispiele").glob("*.asm")):
    schreibe("programmtext", beispiel.name, beispiel.read_bytes())
schreibe("programmtext", "fehler.asm", b"LDA 1\nLDX 2\nNOP 1000\n")
schreibe("programmtext", "utf8.asm", "\ufeff; ✓ UTF-8\nmÄH€\x81 1\n".encode("utf-8"))
schreibe("programmtext", "gemischt.asm", b'ORG 127\r\nHLT\nHLT\rx: x: ZELLE "a""\n\tADD 1 2 ; "\nk: LDA k\n'
         b'M\xe4h 999\nDAT 65536\nORG y\ny:\n01.002\nzelle ""\n')
schreibe("programmtext", "zellen.obj", b"01.001\n\r02.002\r\r03.003\n\n04.004")
schreibe("programmtext", "binaer.obj", bytes(range(256)))

# Scripts of ventaro-cli: the golden tests' scripts, and the lines of white
# space other than blanks that crashed the command loop.
for datei in sorted((KORPUS.parent.parent / "tests" / "cli" / "skripte").glob("*.txt")):
    schreibe("skript", datei.name, datei.read_bytes())
schreibe("skript", "fund-vt", b"\v\n")
schreibe("skript", "fund-ff", b"\f\r\nzeige\r\n")
schreibe("skript", "gemischt", b"zelle 0 01.005\r\nzelle\t1\nklick ET # x\rlauf 99999999\nschritt $7FFFFFFF\n"
                               b"speichern /gibt/es/nicht\noeffnen x\nmikrocode x\nalu\x00\nzeige\n")
