#pragma once
// The main window: the drawn datapath whose gates, registers, ALU list and
// buttons drive the machine, the RAM grid, tool bar, menus and status bar.
// It turns user actions into machine operations and draws the machine's
// state after every event; the machine holds all state and texts.

#include <QMainWindow>
#include <QTimer>
#include <array>
#include <functional>
#include <map>

#include "machine/Ansicht.h"
#include "machine/Maschine.h"
#include "machine/Umgebung.h"
#include "ui/Dienste.h"

class QAction;
class QLabel;
class QMenu;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QStatusBar;
class QToolBar;
class QAbstractButton;

namespace ventaro::ui {

class AluListe;
class Aufzeichnungsleiste;
class Datenpfadflaeche;
class RamGitter;
class SpeicherCP1Ansicht;
class TmcDlg;
class TAboutBox;
class ProgrammtextFenster;
class BisZumHalt;
class Statistikfenster;

class TForm1 : public QMainWindow, private Umgebung {
    Q_OBJECT
public:
    explicit TForm1(Dienste& dienste, QWidget* eltern = nullptr);
    ~TForm1() override;

    TMaschine& Maschine() { return maschine_; }
    void SetzeDialoge(TmcDlg* mcDlg, TAboutBox* aboutBox);
    // A file named when the program was started: a RAM file opened as
    // "Öffnen" does, a program text (*.asm) as "Programmtext öffnen...",
    // once the start-up sequence has run.
    void SetzeStartdatei(const QString& pfad) { startdatei_ = pfad; }

    // The start-up sequence; runs once, on the first activation.
    void FormActivate();
    const QTimer& Takt() const { return takt_; }

    // Commands of buttons, menus and tool bar.
    void EinzelschrittBtnClick();
    void ResetBtnClick();
    void StartBtnClick();
    void StopBtnClick();
    void TaktrateChange(int position);
    void Programmstarten1Click();
    void Programmbeenden1Click();
    void ffnen1Click();
    void RamDateiOeffnen(const QString& pfad);
    void Speichern1Click();
    void Speichernunter1Click();
    void Beenden1Click();
    void Mikrocodebearbeiten1Click();
    // The window's size: kept for the next start, where Qt scales by it.
    void GroesseWaehlen(int prozent);
    void HilfezumModellrechner1Click();
    void Tutorium1Click();
    void Info1Click();
    void MikroschrittZurueck1Click();
    void BefehlZurueck1Click();
    void BiszumHalt1Click();
    // Program texts (Form1Programmtext.cpp).
    void Programmtextoeffnen1Click();
    void ProgrammtextOeffnen(const QString& pfad);
    void AlsProgrammtextspeichern1Click();
    void Programmtext1Click();
    ProgrammtextFenster* Programmtextfenster() const { return programmtextFenster_; }
    // "Bis zum Halt ausführen" and the statistics window.
    BisZumHalt* Dauerlauf() const { return bisZumHalt_; }
    void Statistik1Click();
    Statistikfenster* Statistik() const { return statistikfenster_; }

protected:
    void changeEvent(QEvent* ereignis) override;
    void showEvent(QShowEvent* ereignis) override;
    void closeEvent(QCloseEvent* ereignis) override;
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;
    void resizeEvent(QResizeEvent* ereignis) override;

private:
    // Umgebung: what the machine asks of the window.
    void EreignisseVerarbeiten() override;
    void Warte(int ms) override { dienste_.Warte(ms); }
    void Fehlermeldung(const std::string& text) override;

    // Building the window (Form1Aufbau.cpp).
    static constexpr int Breite = 795;  // the client area
    static constexpr int Hoehe = 541;
    void BaueDatenpfad();
    void BaueTore();
    void BaueRegister();
    void BaueAlu();
    void BaueSteuerwerk();
    void BaueTaktknoepfe();
    void BaueRamGitter();
    void BaueAnzeigeUndStatus();
    void BaueBefehle();
    QAction* Befehl(const char* name) const;
    void BaueMenues();
    void BaueGroessenmenue(QMenu* menue);
    void BaueWerkzeugleiste();
    void WerkzeugknoepfeLoslassen();
    bool WerkzeugknopfEreignis(QWidget* knopf, QEvent* ereignis);
    void ZeigeRueckschritte();
    void ZeichneToreUndRegister();
    QLabel* Beschriftung(QWidget* eltern, const QString& text, QPoint ort, const QFont& schrift, const QColor& farbe);
    void MeldetHinweis(QWidget* element, const QString& hinweis);

    // Runs a handler; a failure becomes the "Ventaro" box, then the window
    // draws the machine.
    bool Ereignis(const std::function<void()>& handler);
    void Zeichne();
    void TaktAnwenden();
    void TaktTick();
    void RamEnter();
    void RamEditorGeoeffnet();
    void RamBearbeitungVerworfen(int zeile, const QString& anfangstext);
    void AluGewaehlt(int zeile);
    void ZeigeTitel();
    bool Speichern();
    // The RAM file or program text the RAM came from or was saved to; empty
    // for none.
    QString OffeneDatei() const;
    // Runs a command that opens a dialog, unless one is open: a double-click's
    // second click, let through while the first opens its dialog, is dropped.
    void MitDialog(const std::function<void()>& befehl);
    void HilfedokumentOeffnen(const QString& datei);

    Dienste& dienste_;
    TMaschine maschine_;
    TAnsichtsmodell ansicht_;
    TmcDlg* mcDlg_ = nullptr;
    TAboutBox* aboutBox_ = nullptr;
    ProgrammtextFenster* programmtextFenster_ = nullptr;
    Aufzeichnungsleiste* aufzeichnungsleiste_ = nullptr;
    BisZumHalt* bisZumHalt_ = nullptr;
    Statistikfenster* statistikfenster_ = nullptr;

    Datenpfadflaeche* flaeche_ = nullptr;
    std::array<QAbstractButton*, TorAnzahl> tore_{};
    std::array<SpeicherCP1Ansicht*, RegisterAnzahl> register_{};
    AluListe* aluBox_ = nullptr;
    QLabel* aluLbl_ = nullptr;
    QLabel* flagLbl_ = nullptr;
    QLabel* mpcFlag_ = nullptr;
    QLabel* mpc_ = nullptr;
    QLineEdit* mikroCodeEdit_ = nullptr;
    QPushButton* einzelschrittBtn_ = nullptr;
    QPushButton* resetBtn_ = nullptr;
    QPushButton* startBtn_ = nullptr;
    QPushButton* stopBtn_ = nullptr;
    QScrollBar* taktrate_ = nullptr;
    QLineEdit* displayEdit_ = nullptr;
    RamGitter* ramGrid_ = nullptr;
    QStatusBar* statusBar_ = nullptr;
    QLabel* panel0_ = nullptr;
    QLabel* panel1_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    std::map<std::string, QAction*> befehle_;  // by object name
    QTimer takt_;
    std::map<QObject*, QString> hinweise_;

    QString programmVersion_;
    QString fenstertitel_;
    QString programmverzeichnis_;
    QString startdatei_;
    QString programmtextDatei_;  // the latest program text opened
    bool gestartet_ = false;
    bool zeichnet_ = false;
    bool taktFehlerOffen_ = false;
    bool dialogOffen_ = false;
    bool werkzeugRuhe_ = false;
    int aktiveGroesse_ = 100;  // the size this run was started with  // a menu closed; the pointer has not moved since
    bool ramEditiertVorEditor_ = false;  // put back when Escape discards the edit
};

}  // namespace ventaro::ui
