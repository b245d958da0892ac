#include "ui/Form1.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QToolBar>

#include "core/Fehler.h"
#include "programtext/ProgrammtextDatei.h"
#include "ui/AboutBox.h"
#include "ui/BisZumHalt.h"
#include "ui/Haltepunktbedienung.h"
#include "ui/Statistikfenster.h"
#include "ui/AluListe.h"
#include "ui/Aufzeichnungsleiste.h"
#include "ui/Datenpfadflaeche.h"
#include "ui/Fensterort.h"
#include "ui/McDlg.h"
#include "ui/RamGitter.h"
#include "ui/Schriften.h"
#include "ui/SpeicherCP1Ansicht.h"
#include "ui/Symbole.h"
#include "ui/Texte.h"
#include "version/VersionsInfo.h"

namespace ventaro::ui {

TForm1::TForm1(Dienste& dienste, QWidget* eltern)
    : QMainWindow(eltern, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      dienste_(dienste),
      maschine_(this) {
    setObjectName(QStringLiteral("Form1"));
    setWindowIcon(symbol::Programm());
    setFont(Arial(13));
    flaeche_ = new Datenpfadflaeche(this);
    flaeche_->setAccessibleName(QStringLiteral("Datenpfad"));
    flaeche_->setMinimumSize(Breite, Hoehe);
    setCentralWidget(flaeche_);
    connect(flaeche_, &Datenpfadflaeche::ueberHintergrund, this, [this] { panel0_->clear(); });

    BaueRamGitter();  // the grid comes first in the focus order
    new Haltepunktbedienung(ramGrid_, maschine_, [this] { Zeichne(); });
    BaueAnzeigeUndStatus();
    BaueDatenpfad();
    BaueAlu();
    BaueSteuerwerk();
    bisZumHalt_ = new BisZumHalt({maschine_, dienste_, this, panel0_, [this] { Zeichne(); }});
    BaueBefehle();
    BaueMenues();
    BaueWerkzeugleiste();
    aufzeichnungsleiste_ = new Aufzeichnungsleiste(this, maschine_, dienste_, panel0_,
                                                   [this](const std::function<void()>& h) { return Ereignis(h); });

    takt_.setObjectName(QStringLiteral("Takt"));
    takt_.setInterval(1000);
    connect(&takt_, &QTimer::timeout, this, &TForm1::TaktTick);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* alt, QWidget* neu) {
        // Leaving the grid for another control of this window checks all cells.
        auto imGitter = [this](QWidget* w) { return w && (w == ramGrid_ || ramGrid_->isAncestorOf(w)); };
        if (imGitter(alt) && neu && neu->window() == this && !imGitter(neu))
            Ereignis([this] { maschine_.AllePruefen(); });
    });
    resize(Breite, Hoehe + menuBar()->sizeHint().height());
    Zeichne();
}

TForm1::~TForm1() {
    // The controls go while the machine still lives: a cell editor that is
    // still open hands its text over as it closes.
    delete takeCentralWidget();
}

void TForm1::SetzeDialoge(TmcDlg* mcDlg, TAboutBox* aboutBox) {
    mcDlg_ = mcDlg;
    aufzeichnungsleiste_->SetzeEditor(mcDlg_);
    aboutBox_ = aboutBox;
    // The editor's "Hilfe" opens the help page.
    mcDlg_->SetzeDienste(&dienste_, [this] { HilfezumModellrechner1Click(); });
}

void TForm1::resizeEvent(QResizeEvent* ereignis) {
    QMainWindow::resizeEvent(ereignis);
    // The tool bar and the status bar follow the width; the rest stays put.
    if (!toolBar_) return;
    toolBar_->setGeometry(0, 0, flaeche_->width(), 30);
    statusBar_->setGeometry(0, flaeche_->height() - 26, flaeche_->width(), 26);
}

// ---- Events.

bool TForm1::Ereignis(const std::function<void()>& handler) {
    bool gelungen = false;
    try {
        handler();
        gelungen = true;
    } catch (const Fehler& fehler) {
        Zeichne();
        dienste_.Programmfehler(this, Q(Meldungstext(fehler.Text())));
    } catch (const std::exception& fehler) {
        Zeichne();
        dienste_.Programmfehler(this, QString::fromLocal8Bit(fehler.what()));
    }
    Zeichne();
    return gelungen;
}

void TForm1::EreignisseVerarbeiten() {
    Zeichne();
    dienste_.EreignisseVerarbeiten();
}

void TForm1::Fehlermeldung(const std::string& text) {
    // The box shows over the window as the machine is now: an opened file's
    // name is in the title before the check reports its first cell.
    Zeichne();
    dienste_.Fehlerbox(this, Q(text));
}

bool TForm1::eventFilter(QObject* objekt, QEvent* ereignis) {
    const bool werkzeug = objekt->parent() == toolBar_ && objekt->isWidgetType();
    if (werkzeug && WerkzeugknopfEreignis(static_cast<QWidget*>(objekt), ereignis)) return true;
    if (ereignis->type() == QEvent::MouseMove || ereignis->type() == QEvent::Enter) {
        const auto eintrag = hinweise_.find(objekt);
        auto* element = static_cast<QWidget*>(objekt);
        const QPoint p = static_cast<QSinglePointEvent*>(ereignis)->position().toPoint();
        // Elements inside a panel (list, labels) do not report movement.
        if (eintrag != hinweise_.end() && element->childAt(p) == nullptr) panel0_->setText(eintrag->second);
    }
    return QMainWindow::eventFilter(objekt, ereignis);
}

void TForm1::changeEvent(QEvent* ereignis) {
    QMainWindow::changeEvent(ereignis);
    if (ereignis->type() == QEvent::ActivationChange && isActiveWindow() && !gestartet_)
        QTimer::singleShot(0, this, [this] {
            if (!gestartet_) FormActivate();
        });
}

void TForm1::showEvent(QShowEvent* ereignis) {
    QMainWindow::showEvent(ereignis);
    ramGrid_->setFocus();
    // A desktop without a window manager may never activate the window.
    QTimer::singleShot(500, this, [this] {
        if (!gestartet_) FormActivate();
    });
}

void TForm1::FormActivate() {
    if (gestartet_) return;
    gestartet_ = true;
    // Linux executables carry no version information; the build supplies it.
    TVersionsInfo fileInfo1;
    fileInfo1.SetFileName(QCoreApplication::applicationFilePath().toStdString());
    const std::string version = fileInfo1.FileVersion().empty() ? ventaro::ProgrammVersion() : fileInfo1.FileVersion();
    programmVersion_ = QString::fromStdString(version);
    fenstertitel_ = QStringLiteral("Ventaro ") + programmVersion_;
    ansicht_.SetzeFenstertitel(Cp(fenstertitel_));
    setWindowTitle(fenstertitel_);
    programmverzeichnis_ = dienste_.Programmverzeichnis();
    // Step 6 of the sequence, before the microcode is read in step 7: the
    // column is wide also when reading fails and the sequence stops there.
    ramGrid_->Spalte1Verbreitern();
    Ereignis([this] { maschine_.Startvorgang(); });
    if (startdatei_.isEmpty()) return;
    if (programmtext::IstProgrammtextDatei(startdatei_.toStdString())) ProgrammtextOeffnen(startdatei_);
    else RamDateiOeffnen(startdatei_);
}

void TForm1::ZeichneToreUndRegister() {
    for (int t = 0; t < TorAnzahl; ++t) {
        const QSignalBlocker sperre(tore_[t]);
        const bool offen = maschine_.Zustand().TorOffen(static_cast<Tor>(t));
        tore_[t]->setChecked(offen);
        const QString vorlesen = QString::fromLatin1(TorNamen[t].data()) + (offen ? U(", offen") : U(", geschlossen"));
        if (tore_[t]->accessibleName() != vorlesen) tore_[t]->setAccessibleName(vorlesen);
    }
    for (SpeicherCP1Ansicht* zelle : register_) zelle->Auffrischen();
}

// The view model says what changed since the last drawing; only that is
// drawn again. Gates, registers and the ALU list are set each time: a click
// toggles a button before the machine has taken it.
void TForm1::Zeichne() {
    if (zeichnet_) return;
    zeichnet_ = true;
    const Teile teile = ansicht_.Aktualisieren(maschine_);
    const TAnsicht& a = ansicht_.Stand();
    ZeichneToreUndRegister();
    if (aluBox_->currentRow() != a.AluAuswahl) {
        const QSignalBlocker sperre(aluBox_);
        aluBox_->setCurrentRow(a.AluAuswahl);
        if (a.AluAuswahl < 0) aluBox_->clearSelection();
    }
    if (Enthaelt(teile, Teil::Alu)) {
        aluLbl_->setText(Q(a.AluText));
        aluLbl_->adjustSize();
        flagLbl_->setText(Q(a.FlagText));
    }
    if (Enthaelt(teile, Teil::Steuerwerk)) {
        mpcFlag_->setText(Q(a.MpcFlagText));
        mpc_->setText(Q(a.MpcText));
        mpc_->adjustSize();
        mikroCodeEdit_->setText(Q(a.SteuerwortText));
    }
    // Whatever the user typed into the display lasts until the next pass.
    if (Enthaelt(teile, Teil::Anzeige)) displayEdit_->setText(Q(a.AnzeigeText));
    if (Enthaelt(teile, Teil::Status)) panel1_->setText(Q(a.Status1));
    if (Enthaelt(teile, Teil::Knoepfe)) {
        einzelschrittBtn_->setEnabled(a.Aktiv.Mikroschritt);
        startBtn_->setEnabled(a.Aktiv.Start);
        resetBtn_->setEnabled(a.Aktiv.Reset);
        toolBar_->setEnabled(a.Aktiv.Werkzeugleiste);
        ZeigeRueckschritte();
    }
    if (Enthaelt(teile, Teil::Ram) || Enthaelt(teile, Teil::Haltepunkte)) ramGrid_->Zeige(maschine_, a);
    if (gestartet_ && Enthaelt(teile, Teil::Titel)) setWindowTitle(Q(a.Titel));
    TaktAnwenden();
    if (Enthaelt(teile, Teil::Aufzeichnung)) aufzeichnungsleiste_->Zeichne();
    zeichnet_ = false;
}

// ---- The clock.

void TForm1::TaktAnwenden() {
    const Taktzustand& takt = maschine_.Takt();
    // A running timer starts counting the new interval from the change.
    if (takt_.interval() != takt.Intervall()) takt_.setInterval(takt.Intervall());
    if (takt.laeuft && !takt_.isActive()) takt_.start();
    if (!takt.laeuft && takt_.isActive()) takt_.stop();
}

void TForm1::TaktTick() {
    // While the failure box of a ticked step is open, further ticks are held,
    // so boxes never pile up.
    if (taktFehlerOffen_) return;
    taktFehlerOffen_ = true;
    Ereignis([this] { maschine_.TaktTick(); });
    taktFehlerOffen_ = false;
}

void TForm1::EinzelschrittBtnClick() { Ereignis([this] { maschine_.Mikroschritt(); }); }
void TForm1::ResetBtnClick() { Ereignis([this] { maschine_.Reset(); }); }
void TForm1::StartBtnClick() { Ereignis([this] { maschine_.TaktStarten(); }); }
void TForm1::StopBtnClick() {
    bisZumHalt_->Stopp();
    Ereignis([this] { maschine_.TaktAnhalten(); });
}
void TForm1::TaktrateChange(int position) { Ereignis([this, position] { maschine_.TaktrateSetzen(position); }); }
void TForm1::Programmstarten1Click() { Ereignis([this] { maschine_.TaktSchalten(true); }); }
void TForm1::Programmbeenden1Click() { Ereignis([this] { maschine_.TaktSchalten(false); }); }

// ---- The RAM grid's Enter key.

void TForm1::RamEnter() {
    const bool editorWarOffen = ramGrid_->EditorOffen();
    if (editorWarOffen) ramGrid_->EditorSchliessen();
    const int vorher = maschine_.Zustand().Ram.AktuelleZeile();
    Ereignis([this] { maschine_.EingabeAbschliessen(); });
    // The grid's own Enter follows: it opens the editor on the (next) row,
    // or closes it where the row stayed.
    if (maschine_.Zustand().Ram.AktuelleZeile() != vorher || !editorWarOffen) ramGrid_->EditorOeffnen();
}

void TForm1::RamEditorGeoeffnet() { ramEditiertVorEditor_ = maschine_.RamEditiert(); }

void TForm1::RamBearbeitungVerworfen(int zeile, const QString& anfangstext) {
    // Escape: the store and the edit mark are as they were before the editor
    // opened, though every keystroke was handed over.
    maschine_.FuerTests().zustand.Ram.SetzeText(zeile - 1, Cp(anfangstext));
    maschine_.FuerTests().datei.RamEditiert = ramEditiertVorEditor_;
    Zeichne();
}

// ---- The ALU list.

void TForm1::AluGewaehlt(int zeile) {
    if (zeichnet_) return;
    Ereignis([this, zeile] { maschine_.AluWaehlen(zeile); });
}

// ---- The RAM file.

// Also before the start-up has finished, when drawing leaves the title alone.
void TForm1::ZeigeTitel() { setWindowTitle(Q(ansicht_.Stand().Titel)); }

void TForm1::MitDialog(const std::function<void()>& befehl) {
    if (dialogOffen_) return;
    dialogOffen_ = true;
    befehl();
    dialogOffen_ = false;
}

void TForm1::ffnen1Click() {
    MitDialog([this] {
        const QString pfad = dienste_.RamDateiZumOeffnen(this);
        if (!pfad.isEmpty()) RamDateiOeffnen(pfad);
    });
}

void TForm1::RamDateiOeffnen(const QString& pfad) {
    Ereignis([this, &pfad] { maschine_.RamDateiOeffnen(pfad.toStdString()); });
}

bool TForm1::Speichern() {
    bool ohneZiel = false;
    const bool gelungen = Ereignis([this, &ohneZiel] { ohneZiel = !maschine_.RamDateiSpeichern(); });
    if (!ohneZiel) return gelungen;
    const QString pfad = dienste_.RamDateiZumSpeichern(this);
    if (pfad.isEmpty()) return true;
    return Ereignis([this, &pfad] { maschine_.RamDateiSpeichernUnter(pfad.toStdString()); });
}

void TForm1::Speichern1Click() {
    MitDialog([this] { Speichern(); });
}

void TForm1::Speichernunter1Click() {
    MitDialog([this] {
        const QString pfad = dienste_.RamDateiZumSpeichern(this);
        if (pfad.isEmpty()) return;
        Ereignis([this, &pfad] { maschine_.RamDateiSpeichernUnter(pfad.toStdString()); });
    });
}

// ---- The window's size.

void TForm1::GroesseWaehlen(int prozent) {
    dienste_.GroesseSpeichern(prozent);
    if (prozent == aktiveGroesse_) return;
    const QString frage = U("Die Fenstergröße %1 % gilt ab dem nächsten Start von Ventaro.\rJetzt neu starten?");
    // Closing asks to save edited cells; the new program opens the file
    // this one had open, or the one just saved.
    if (dienste_.FrageJaNein(this, frage.arg(prozent)) && close()) dienste_.NeuStarten(OffeneDatei());
}

QString TForm1::OffeneDatei() const {
    const std::string& ram = maschine_.Datei().RamDateiname;
    if (!ram.empty() && ram != "neu") return QString::fromStdString(ram);
    return programmtextDatei_;
}

// ---- Closing.

void TForm1::Beenden1Click() { close(); }

void TForm1::closeEvent(QCloseEvent* ereignis) {
    if (maschine_.Takt().laeuft || bisZumHalt_->Laeuft()) {
        dienste_.Warnung(this, U("Vor dem Beenden von Ventaro muss das laufende Programm\r"
                                 "mit der Stopp-Schaltfläche angehalten werden!"));
        ereignis->ignore();
        return;
    }
    if (maschine_.RamEditiert() && dienste_.FrageJaNein(this, U("Der RAM-Inhalt wurde editiert.\rWollen Sie ihn sichern?"))) {
        // The save dialog is always shown; cancelling it still closes.
        const QString pfad = dienste_.RamDateiZumSpeichern(this);
        bool gespeichert = true;
        if (!pfad.isEmpty())
            gespeichert = Ereignis([this, &pfad] { maschine_.RamDateiSpeichernUnter(pfad.toStdString()); });
        if (!gespeichert) {
            ereignis->ignore();  // a failed save keeps the program running
            return;
        }
    }
    ereignis->accept();
}

// ---- Microcode editor, help and Info.

void TForm1::Mikrocodebearbeiten1Click() {
    // After OK the machine takes the table; nothing is redrawn until the
    // next microstep reads it.
    MitDialog([this] {
        if (mcDlg_ && mcDlg_->Bearbeiten()) maschine_.MikrocodeKopieren();
    });
    Zeichne();
}

void TForm1::HilfedokumentOeffnen(const QString& datei) {
    const QString pfad = programmverzeichnis_ + QStringLiteral("Hilfe/") + datei;
    if (!QFileInfo::exists(pfad)) {
        dienste_.Fehlerbox(this, QStringLiteral("Die Datei ") + datei +
                                     QStringLiteral(" existiert nicht im Hilfe-Unterverzeichnis!"));
        return;
    }
    if (!dienste_.DokumentOeffnen(pfad))
        dienste_.Fehlerbox(this, QStringLiteral("Die Datei ") + pfad +
                                     U(" kann nicht angezeigt werden: Es ist kein Programm zum Öffnen "
                                       "dieses Dateityps eingerichtet."));
}

void TForm1::HilfezumModellrechner1Click() { HilfedokumentOeffnen(QStringLiteral("Ventaro.htm")); }
void TForm1::Tutorium1Click() { HilfedokumentOeffnen(QStringLiteral("Solvej.pdf")); }

void TForm1::Statistik1Click() {
    if (!statistikfenster_) {
        statistikfenster_ = new Statistikfenster(maschine_, this);
        NebenDasFenster(statistikfenster_, this);
    }
    statistikfenster_->show();
    statistikfenster_->raise();
}

void TForm1::Info1Click() {
    MitDialog([this] {
        if (aboutBox_) aboutBox_->Zeigen(programmVersion_);
    });
}

}  // namespace ventaro::ui
