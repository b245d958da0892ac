#pragma once
// The tool bar's 16 x 16 icons and the program icon, drawn in code.

#include <QIcon>

namespace ventaro::ui::symbol {

QIcon Ordner();
QIcon Diskette();
QIcon DisketteMitBlatt();
QIcon Ausgang();
QIcon HandAufTaste();
QIcon Tabelle();
QIcon Fragezeichen();
QIcon Buch();
QIcon MikroschrittZurueck();
QIcon BefehlZurueck();
QIcon Programm();

}  // namespace ventaro::ui::symbol
