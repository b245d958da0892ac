#pragma once
// What the window needs from the desktop: message boxes, blocking waits and
// the processing of pending events. Tests replace it to answer at once.

#include <QString>

class QWidget;

namespace ventaro::ui {

class Dienste {
public:
    virtual ~Dienste() = default;
    // A box titled "Fehler" with the error symbol and OK.
    virtual void Fehlerbox(QWidget* eltern, const QString& text) = 0;
    // A failure of an event handler: a box titled "Ventaro", error symbol, OK.
    virtual void Programmfehler(QWidget* eltern, const QString& text) = 0;
    // Blocks; the window does not react meanwhile.
    virtual void Warte(int ms) = 0;
    virtual void EreignisseVerarbeiten() = 0;
    // A box titled "Warnung" with the warning symbol and OK.
    virtual void Warnung(QWidget* eltern, const QString& text) = 0;
    // A box titled "Warnung" with the buttons Ja and Nein; true for Ja.
    virtual bool FrageJaNein(QWidget* eltern, const QString& text) = 0;
    // The file dialogs of the RAM file; an empty text when cancelled.
    virtual QString RamDateiZumOeffnen(QWidget* eltern) = 0;
    virtual QString RamDateiZumSpeichern(QWidget* eltern) = 0;
    // The same for program texts (*.asm).
    virtual QString ProgrammtextZumOeffnen(QWidget* eltern) = 0;
    virtual QString ProgrammtextZumSpeichern(QWidget* eltern) = 0;
    // Opens a document in the desktop's viewer for its type; false when no
    // viewer could be started.
    virtual bool DokumentOeffnen(const QString& pfad) = 0;
    // The program directory (see TProgrammpfade), ending in a separator.
    virtual QString Programmverzeichnis() = 0;
    // The window's size in per cent of the layout, kept for the next start.
    virtual int GespeicherteGroesse() = 0;
    virtual void GroesseSpeichern(int prozent) = 0;
    // Starts the program once more, after this one has closed its window;
    // it opens datei unless that is empty.
    virtual void NeuStarten(const QString& datei) = 0;
    // Asks for a line of text; false when cancelled.
    virtual bool Texteingabe(QWidget* eltern, const QString& titel, const QString& frage, QString& text);
};

// The real desktop: QMessageBox, a sleeping thread, QCoreApplication.
class DesktopDienste : public Dienste {
public:
    // The file dialogs start in the folder of the last file chosen in
    // either, the first time in startordner.
    explicit DesktopDienste(QString programmverzeichnis = {}, QString startordner = {})
        : programmverzeichnis_(std::move(programmverzeichnis)), ordner_(std::move(startordner)) {}
    void Fehlerbox(QWidget* eltern, const QString& text) override;
    void Programmfehler(QWidget* eltern, const QString& text) override;
    void Warte(int ms) override;
    void EreignisseVerarbeiten() override;
    void Warnung(QWidget* eltern, const QString& text) override;
    bool FrageJaNein(QWidget* eltern, const QString& text) override;
    QString RamDateiZumOeffnen(QWidget* eltern) override;
    QString RamDateiZumSpeichern(QWidget* eltern) override;
    QString ProgrammtextZumOeffnen(QWidget* eltern) override;
    QString ProgrammtextZumSpeichern(QWidget* eltern) override;
    bool DokumentOeffnen(const QString& pfad) override;
    QString Programmverzeichnis() override { return programmverzeichnis_; }
    int GespeicherteGroesse() override;
    void GroesseSpeichern(int prozent) override;
    void NeuStarten(const QString& datei) override;

private:
    QString Dateidialog(QWidget* eltern, bool speichern, const QString& filter, const QString& endung);
    QString programmverzeichnis_;
    QString ordner_;
};

// The sizes the window offers, in per cent.
inline constexpr int Groessen[] = {100, 125, 150, 200};

// Before the application exists: Qt scales every window by the kept size,
// drawing wires, text and icons sharp at the larger size.
void GespeicherteGroesseAnwenden();

}  // namespace ventaro::ui
