#pragma once
// The microcode editor dialog. It holds no table of its own: it edits the
// machine's microcode table, reading the file on every opening and writing
// it on OK.

#include <QDialog>

#include "microcode/MikrocodeTabelle.h"

namespace ventaro::ui {

class Dienste;

class TmcDlg : public QDialog {
    Q_OBJECT
public:
    // FormCreate: the file lies in the program directory.
    TmcDlg(TMikrocodeTabelle& tabelle, const QString& programmverzeichnis, QWidget* eltern = nullptr);

    // Shows the dialog modally; true when it closed with OK, and the table
    // is then saved (a failed save is reported and still counts as OK).
    bool Bearbeiten(TMikrocodeTabelle& tabelle, Dienste& dienste);
};

}  // namespace ventaro::ui
