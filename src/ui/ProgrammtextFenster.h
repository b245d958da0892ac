#pragma once
// The program text editor "Programmtext": a non-modal window in which the
// user writes a program with mnemonics and labels, translates it into the
// RAM, fetches the RAM's content as text, and opens and saves *.asm files.
// Errors are listed under the text; a click on one goes to its line.

#include <QWidget>
#include <functional>

#include "memory/RamDatei.h"
#include "programtext/Uebersetzer.h"
#include "ui/Dienste.h"

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace ventaro::ui {

class ProgrammtextEditor;
class ProgrammtextHervorhebung;

class ProgrammtextFenster : public QWidget {
    Q_OBJECT
public:
    // What the window asks of the machine; the main window runs each as an event.
    struct Anbindung {
        std::function<programmtext::TBefehlsnamen()> befehlsnamen;
        std::function<RamInhalt()> ramHolen;
        std::function<void(RamInhalt)> ramUebernehmen;
    };

    ProgrammtextFenster(Dienste& dienste, Anbindung anbindung, QWidget* eltern = nullptr);

    // The buttons' commands.
    void InDenRamUebernehmen();
    void AusDemRamHolen();
    void Oeffnen();
    void Speichern();

protected:
    void changeEvent(QEvent* ereignis) override;

private:
    std::vector<std::string> Zeilen();
    void ErsetzeText(const std::vector<std::string>& zeilen);
    void ZeigeFehler(const std::vector<programmtext::Fehlerzeile>& fehler);
    void FehlerGewaehlt(QListWidgetItem* eintrag);
    void SetzeDatei(const QString& pfad);
    void NamenAuffrischen();

    Dienste& dienste_;
    Anbindung anbindung_;
    ProgrammtextEditor* editor_;
    ProgrammtextHervorhebung* hervorhebung_;
    QListWidget* fehlerliste_;
    QLabel* meldung_;
};

}  // namespace ventaro::ui
