#pragma once
// Answers the window's boxes and dialogs at once and records what they said.

#include <QStringList>
#include <QWidget>
#include <utility>
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
    bool viewerDa = true;  // a desktop viewer opens documents
    QString programmverzeichnis;
    QStringList titelBeiFehlerbox;  // the window title while each "Fehler" box is open
    int dateidialoge = 0;
    // Runs while a file dialog is open, as the user's events would.
    std::function<void()> waehrendDateidialog;
    // Runs while a "Ventaro" box is open, as the user's events would.
    std::function<void()> waehrendProgrammfehler;

    void Fehlerbox(QWidget* eltern, const QString& text) override {
        fehlerboxen << text;
        titelBeiFehlerbox << (eltern ? eltern->window()->windowTitle() : QString());
    }
    void Programmfehler(QWidget*, const QString& text) override {
        programmfehler << text;
        if (waehrendProgrammfehler) waehrendProgrammfehler();
    }
    void Warte(int ms) override { wartezeiten << ms; }
    // Runs once, the next time pending events are let through.
    std::function<void()> beimVerarbeiten;
    void EreignisseVerarbeiten() override {
        if (auto einmal = std::exchange(beimVerarbeiten, nullptr)) einmal();
    }
    void Warnung(QWidget*, const QString& text) override { warnungen << text; }
    bool FrageJaNein(QWidget*, const QString& text) override {
        fragen << text;
        return antwortJa;
    }
    QString RamDateiZumOeffnen(QWidget*) override { return Dateidialog(oeffnenPfad); }
    QString RamDateiZumSpeichern(QWidget*) override { return Dateidialog(speichernPfad); }
    QString ProgrammtextZumOeffnen(QWidget*) override { return Dateidialog(textOeffnenPfad); }
    QString ProgrammtextZumSpeichern(QWidget*) override { return Dateidialog(textSpeichernPfad); }
    bool DokumentOeffnen(const QString& pfad) override {
        if (viewerDa) geoeffneteDokumente << pfad;
        return viewerDa;
    }
    QString Programmverzeichnis() override { return programmverzeichnis; }
    int groesse = 100;
    int neustarts = 0;
    QString neustartDatei;  // the file the restarted program opens
    int GespeicherteGroesse() override { return groesse; }
    QStringList eingaben;  // the questions asked for a text
    QString eingabe;       // the answer; a null text cancels
    bool Texteingabe(QWidget*, const QString&, const QString& frage, QString& text) override {
        eingaben << frage;
        if (eingabe.isNull()) return false;
        text = eingabe;
        return true;
    }
    void GroesseSpeichern(int prozent) override { groesse = prozent; }
    void NeuStarten(const QString& datei) override {
        ++neustarts;
        neustartDatei = datei;
    }

private:
    QString Dateidialog(const QString& antwort) {
        ++dateidialoge;
        if (auto einmal = std::exchange(waehrendDateidialog, nullptr)) einmal();
        return antwort;
    }
};

}  // namespace ventaro::ui::test
