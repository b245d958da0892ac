#pragma once
// Answers the window's boxes and dialogs at once and records what they said.

#include <QStringList>
#include <functional>

#include "ui/Dienste.h"

namespace ventaro::ui::test {

class TestDienste : public Dienste {
public:
    QStringList fehlerboxen;     // "Fehler" boxes
    QStringList programmfehler;  // "Ventaro" boxes
    QStringList warnungen;
    QStringList fragen;
    QList<int> wartezeiten;
    bool antwortJa = false;
    QString oeffnenPfad;
    QString speichernPfad;
    QString textOeffnenPfad;
    QString textSpeichernPfad;
    QStringList geoeffneteDokumente;
    // Runs while a "Ventaro" box is open, as the user's events would.
    std::function<void()> waehrendProgrammfehler;

    void Fehlerbox(QWidget*, const QString& text) override { fehlerboxen << text; }
    void Programmfehler(QWidget*, const QString& text) override {
        programmfehler << text;
        if (waehrendProgrammfehler) waehrendProgrammfehler();
    }
    void Warte(int ms) override { wartezeiten << ms; }
    void EreignisseVerarbeiten() override {}
    void Warnung(QWidget*, const QString& text) override { warnungen << text; }
    bool FrageJaNein(QWidget*, const QString& text) override {
        fragen << text;
        return antwortJa;
    }
    QString RamDateiZumOeffnen(QWidget*) override { return oeffnenPfad; }
    QString RamDateiZumSpeichern(QWidget*) override { return speichernPfad; }
    QString ProgrammtextZumOeffnen(QWidget*) override { return textOeffnenPfad; }
    QString ProgrammtextZumSpeichern(QWidget*) override { return textSpeichernPfad; }
    void DokumentOeffnen(const QString& pfad) override { geoeffneteDokumente << pfad; }
    QStringList eingaben;  // the questions asked for a text
    QString eingabe;       // the answer; a null text cancels
    bool Texteingabe(QWidget*, const QString&, const QString& frage, QString& text) override {
        eingaben << frage;
        if (eingabe.isNull()) return false;
        text = eingabe;
        return true;
    }
};

}  // namespace ventaro::ui::test
