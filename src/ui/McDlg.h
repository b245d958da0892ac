#pragma once
// The microcode editor: one instruction at a time, its mnemonic and two grids
// of marks (flag 0 and flag 1), committed per instruction into the machine's
// microcode table and written to the file on OK. Every opening reloads the
// file.

#include <QDialog>
#include <functional>

#include "microcode/MikrocodeTabelle.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace ventaro {
class Fehler;
class TProgrammpfade;
}

namespace ventaro::ui {

class Dienste;

class TmcDlg : public QDialog {
    Q_OBJECT
public:
    // FormCreate: the file lies in the program directory.
    TmcDlg(TMikrocodeTabelle& tabelle, const QString& programmverzeichnis, QWidget* eltern = nullptr);

    // Where messages go and what "Hilfe" opens.
    void SetzeDienste(Dienste* dienste, std::function<void()> hilfe);

    // From now on the microcode is read where the paths say (the per-user
    // copy first) and OK writes where they say; the title names that file.
    void SetzeProgrammpfade(const TProgrammpfade* pfade);

    // Opens the dialog modally; true when it closed with OK.
    bool Bearbeiten();

    // The handlers, named after their controls.
    void FormActivate();
    void MikrocodeAnzeigen();
    void flag0GridClick(int zeile, int spalte);
    void flag1gridClick(int zeile, int spalte);
    void FlagCheckBoxClick();
    void MCSpeichernBtnClick();
    void MCClearBtnClick();
    void OKBtnClick();
    // "Aufzeichnen": closes the dialog, keeping what was committed, and asks
    // the main window to record the shown instruction.
    void AufzeichnenBtnClick();
    // The file that OK writes (the per-user copy where the program's own
    // cannot be written); a recording saves there too.
    void SpeicherzielSetzen();

signals:
    void AufzeichnungGewuenscht(int befehl, bool flagabhaengig);

private:
    void BaueKopf();
    void BaueKnoepfe();
    QTableWidget* BaueGitter(const char* name, int x);
    void Melde(const Fehler& fehler);
    bool Markiert(QTableWidget* gitter, int zeile, int spalte) const;
    void SetzeMarke(QTableWidget* gitter, int zeile, int spalte, bool an);

    TMikrocodeTabelle& tabelle_;
    const TProgrammpfade* pfade_ = nullptr;
    Dienste* dienste_ = nullptr;
    std::function<void()> hilfe_;
    QSpinBox* codeEdit_;
    QLineEdit* mnemonicEdit_;
    QCheckBox* flagCheckBox_;
    QTableWidget* flag0grid_;
    QTableWidget* flag1grid_;
};

}  // namespace ventaro::ui
