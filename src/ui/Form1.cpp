#include "ui/Form1.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QToolBar>

#include "core/Fehler.h"
#include "core/Programmpfade.h"
#include "ui/AboutBox.h"
#include "ui/BisZumHalt.h"
#include "ui/Datenpfadflaeche.h"
#include "ui/Farben.h"
#include "ui/Haltepunktbedienung.h"
#include "ui/McDlg.h"
#include "ui/RamGitter.h"
#include "ui/Schriften.h"
#include "ui/SpeicherCP1Ansicht.h"
#include "ui/Statistikfenster.h"
#include "ui/Symbole.h"
#include "ui/Texte.h"
#include "ui/TorKnopf.h"
#include "version/VersionsInfo.h"

namespace ventaro::ui {
namespace {

constexpr int kBreite = 795;
constexpr int kHoehe = 541;

struct TorOrt {
    Tor tor;
    const char* name;
    QRect ort;
    const char* beschriftung;  // the purple label; Read and Write carry captions
    QPoint beschriftungsort;
    const char* hinweis;
};

const std::array<TorOrt, TorAnzahl> kTore = {{
    {Tor::ET, "ETBtn", {216, 56, 41, 41}, "ET", {216, 98},
     "Eingangstor: verbindet den externen Datenbus mit dem internen Datenbus"},
    {Tor::AT, "ATBtn", {216, 160, 41, 41}, "AT", {216, 202},
     "Ausgangstor: verbindet den Ausgang des Akkus mit dem externen Datenbus"},
    {Tor::PT, "PTBtn", {424, 160, 41, 41}, "PT", {424, 202},
     "Programmzählertor: Verbindet den Ausgang des PC mit der Adresssteuerung des RAMs"},
    {Tor::IT, "ITBtn", {424, 232, 41, 41}, "IT", {424, 274},
     "Indexregsitertor: Verbindet den Ausgang des IR mit der Adresssteuerung des RAMs"},
    {Tor::ErgT, "ErgTBtn", {104, 408, 41, 41}, "ErgT", {148, 432},
     "Ergebnistor: verbindet Ergebnisregister mit dem internen Datenbus"},
    {Tor::Read, "ReadBtn", {576, 96, 38, 30}, nullptr, {},
     "Read-Tor: verbindet die aktuelle RAM-Zelle mit dem externen Datenbus"},
    {Tor::Write, "WriteBtn", {616, 96, 41, 30}, nullptr, {},
     "Write-Tor: verbindet den externen Datenbus mit der aktuellen RAM-Zelle"},
}};

struct RegisterOrt {
    Register reg;
    QPoint ort;
    const char* hinweis;
};

const std::array<RegisterOrt, RegisterAnzahl> kRegister = {{
    {Register::Akku, {112, 104}, "Akkumulatorregister (Akku)"},
    {Register::Erg, {80, 344}, "Ergebnisregister"},
    {Register::PC, {312, 156}, "Programmzähler; rechte Maustaste erhöht den Inhalt um 1"},
    {Register::IR, {312, 228}, "Indexregister"},
    {Register::Anz, {688, 128}, "Anzeigeregister: speichert den Wert für die Anzeige"},
}};

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

QFrame* ErhabenerRahmen(QWidget* eltern, const QRect& ort, int breite) {
    auto* rahmen = new QFrame(eltern);
    rahmen->setFrameStyle(QFrame::Panel | QFrame::Raised);
    rahmen->setLineWidth(breite);
    rahmen->setGeometry(ort);
    return rahmen;
}

}  // namespace

TForm1::TForm1(Dienste& dienste, QWidget* eltern)
    : QMainWindow(eltern, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      dienste_(dienste),
      maschine_(this) {
    setObjectName(QStringLiteral("Form1"));
    setWindowIcon(symbol::Programm());
    setFont(Arial(13));
    flaeche_ = new Datenpfadflaeche(this);
    flaeche_->setMinimumSize(kBreite, kHoehe);
    setCentralWidget(flaeche_);
    connect(flaeche_, &Datenpfadflaeche::ueberHintergrund, this, [this] { panel0_->clear(); });

    BaueRamUndAnzeige();  // the grid comes first in the focus order
    new Haltepunktbedienung(ramGrid_, maschine_, [this] { Zeichne(); });
    BaueDatenpfad();
    BaueAlu();
    BaueSteuerwerk();
    BaueMenuesUndWerkzeugleiste();

    takt_.setObjectName(QStringLiteral("Takt"));
    takt_.setInterval(1000);
    connect(&takt_, &QTimer::timeout, this, &TForm1::TaktTick);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* alt, QWidget* neu) {
        // Leaving the grid for another control of this window checks all cells.
        auto imGitter = [this](QWidget* w) { return w && (w == ramGrid_ || ramGrid_->isAncestorOf(w)); };
        if (imGitter(alt) && neu && neu->window() == this && !imGitter(neu))
            Ereignis([this] { maschine_.RAMGridExit(); });
    });
    resize(kBreite, kHoehe + menuBar()->sizeHint().height());
    Zeichne();
}

void TForm1::SetzeDialoge(TmcDlg* mcDlg, TAboutBox* aboutBox) {
    mcDlg_ = mcDlg;
    aboutBox_ = aboutBox;
    // The editor's "Hilfe" opens the help page.
    mcDlg_->SetzeDienste(&dienste_, [this] { HilfezumModellrechner1Click(); });
}

// ---- Building the window.

QLabel* TForm1::Beschriftung(QWidget* eltern, const QString& text, QPoint ort, const QFont& schrift,
                             const QColor& farbe) {
    auto* label = new QLabel(text, eltern);
    label->setFont(schrift);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, farbe);
    label->setPalette(palette);
    label->move(ort);
    label->adjustSize();
    return label;
}

void TForm1::MeldetHinweis(QWidget* element, const QString& hinweis) {
    element->setMouseTracking(true);
    element->installEventFilter(this);
    hinweise_[element] = hinweis;
}

void TForm1::BaueDatenpfad() {
    for (const TorOrt& t : kTore) {
        QAbstractButton* knopf = nullptr;
        if (t.beschriftung) {
            knopf = new TorKnopf(flaeche_);
            Beschriftung(flaeche_, U(t.beschriftung), t.beschriftungsort, Arial(13, false), farbe::Lila);
        } else {
            auto* textknopf = new QPushButton(t.tor == Tor::Read ? QStringLiteral("Read") : QStringLiteral("Write"),
                                              flaeche_);
            textknopf->setCheckable(true);
            textknopf->setFocusPolicy(Qt::NoFocus);
            textknopf->setStyleSheet(QStringLiteral(
                "QPushButton { background: rgb(240, 240, 240); border: 2px outset rgb(250, 250, 250); }"
                "QPushButton:checked { background: rgb(205, 205, 205); border: 2px inset rgb(128, 128, 128); }"));
            knopf = textknopf;
        }
        knopf->setObjectName(QString::fromLatin1(t.name));
        knopf->setGeometry(t.ort);
        MeldetHinweis(knopf, U(t.hinweis));
        const Tor tor = t.tor;
        connect(knopf, &QAbstractButton::clicked, this, [this, tor] { Ereignis([this, tor] { maschine_.TorKlick(tor); }); });
        tore_[static_cast<int>(tor)] = knopf;
    }
    for (const RegisterOrt& r : kRegister) {
        auto* zelle = new SpeicherCP1Ansicht(maschine_.Reg(r.reg), flaeche_);
        zelle->setObjectName(QString::fromLatin1(RegisterNamen[static_cast<int>(r.reg)].data()));
        zelle->move(r.ort);
        MeldetHinweis(zelle, U(r.hinweis));
        const Register reg = r.reg;
        connect(zelle, &SpeicherCP1Ansicht::geklickt, this,
                [this, reg] { Ereignis([this, reg] { maschine_.RegisterKlick(reg); }); });
        if (reg == Register::PC)
            connect(zelle, &SpeicherCP1Ansicht::rechtsGedrueckt, this,
                    [this] { Ereignis([this] { maschine_.PCRechtsklick(); }); });
        register_[static_cast<int>(reg)] = zelle;
    }
}

void TForm1::BaueAlu() {
    auto* panel = ErhabenerRahmen(flaeche_, {56, 200, 137, 121}, 2);
    panel->setObjectName(QStringLiteral("ALUPnl"));
    MeldetHinweis(panel, U("Arithemtisch Logische Einheit"));
    aluBox_ = new QListWidget(panel);
    aluBox_->setObjectName(QStringLiteral("ALUBox"));
    aluBox_->setGeometry(8, 8, 41, 105);
    aluBox_->setFont(Arial(11));
    aluBox_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    aluBox_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (std::string_view name : AluNamen) {
        auto* eintrag = new QListWidgetItem(QString::fromLatin1(name.data(), static_cast<int>(name.size())), aluBox_);
        eintrag->setSizeHint(QSize(37, 14));
    }
    aluBox_->setCurrentRow(-1);
    // Choosing an item, also the one already chosen, evaluates it at once.
    connect(aluBox_, &QListWidget::itemClicked, this, [this](QListWidgetItem* eintrag) {
        const int zeile = aluBox_->row(eintrag);
        Ereignis([this, zeile] { maschine_.ALUBoxClick(zeile); });
    });
    connect(aluBox_, &QListWidget::currentRowChanged, this, [this](int zeile) {
        // Keyboard choices; a click arrives through itemClicked.
        if (zeichnet_ || QApplication::mouseButtons() != Qt::NoButton || zeile == maschine_.AluAuswahl) return;
        Ereignis([this, zeile] { maschine_.ALUBoxClick(zeile); });
    });
    Beschriftung(panel, QStringLiteral("ALU"), {80, 8}, Arial(13), farbe::Lila);
    aluLbl_ = Beschriftung(panel, QStringLiteral("000"), {80, 48}, Arial(16), Qt::black);
    aluLbl_->setObjectName(QStringLiteral("ALULbl"));
    flagLbl_ = Beschriftung(panel, QStringLiteral("F=0"), {96, 80}, MsSansSerif(16), farbe::Rot);
    flagLbl_->setObjectName(QStringLiteral("FlagLbl"));
}

void TForm1::BaueSteuerwerk() {
    ErhabenerRahmen(flaeche_, {240, 312, 273, 185}, 1)->lower();
    Beschriftung(flaeche_, QStringLiteral("Steuerwerk"), {344, 320}, Arial(13), farbe::Lila);
    Beschriftung(flaeche_, QStringLiteral("MPC"), {248, 326}, Arial(13, false), farbe::Lila);
    auto* mpcPanel = ErhabenerRahmen(flaeche_, {248, 344, 65, 26}, 1);
    mpcPanel->setObjectName(QStringLiteral("MPCPnl"));
    MeldetHinweis(mpcPanel, U("Mikroschrittzähler"));
    mpcFlag_ = Beschriftung(mpcPanel, QStringLiteral("0"), {10, 1}, MsSansSerif(19), farbe::Rot);
    mpcFlag_->setObjectName(QStringLiteral("MPCFlag"));
    mpc_ = Beschriftung(mpcPanel, QStringLiteral("000"), {23, 1}, MsSansSerif(19), Qt::black);
    mpc_->setObjectName(QStringLiteral("MPC"));

    mikroCodeEdit_ = new QLineEdit(QStringLiteral("Mikroschrittcode"), flaeche_);
    mikroCodeEdit_->setObjectName(QStringLiteral("MikroCodeEdit"));
    mikroCodeEdit_->setReadOnly(true);
    mikroCodeEdit_->setGeometry(320, 344, 185, 26);
    mikroCodeEdit_->setFont(CourierNew(16));
    mikroCodeEdit_->setStyleSheet(QStringLiteral("background: rgb(200, 200, 200);"));
    MeldetHinweis(mikroCodeEdit_, U("Mikroschrittcode"));

    auto knopf = [this](const char* name, const char* text, QPoint ort, const char* hinweis) {
        auto* k = new QPushButton(U(text), flaeche_);
        k->setObjectName(QString::fromLatin1(name));
        k->setGeometry(QRect(ort, QSize(121, 33)));
        MeldetHinweis(k, U(hinweis));
        return k;
    };
    einzelschrittBtn_ = knopf("EinzelschrittBtn", "Mikroschritt", {248, 384}, "Ein einzelner Mikroschritt wird durchgeführt");
    resetBtn_ = knopf("ResetBtn", "Reset", {384, 384},
                      "Mikroprozessor zurücksetzen: MPC, Register und Flag löschen - Tore schließen");
    startBtn_ = knopf("StartBtn", "Start", {248, 424},
                      "Taktgeber für Mikroschritte wird gestartet (Frequenz über Rollbalken einstellbar: 1 Hz - 20 Hz)");
    stopBtn_ = knopf("StopBtn", "Stopp", {384, 424}, "Taktgeber für Mikroschritte wird angehalten");
    connect(einzelschrittBtn_, &QPushButton::clicked, this, &TForm1::EinzelschrittBtnClick);
    connect(resetBtn_, &QPushButton::clicked, this, &TForm1::ResetBtnClick);
    connect(startBtn_, &QPushButton::clicked, this, &TForm1::StartBtnClick);
    connect(stopBtn_, &QPushButton::clicked, this, &TForm1::StopBtnClick);

    taktrate_ = new QScrollBar(Qt::Horizontal, flaeche_);
    taktrate_->setObjectName(QStringLiteral("Taktrate"));
    taktrate_->setGeometry(248, 464, 257, 25);
    taktrate_->setRange(1, 20);
    taktrate_->setSingleStep(1);
    taktrate_->setPageStep(1);
    taktrate_->setValue(1);
    connect(taktrate_, &QScrollBar::valueChanged, this, &TForm1::TaktrateChange);
}

void TForm1::BaueRamUndAnzeige() {
    ramGrid_ = new RamGitter(flaeche_);
    ramGrid_->setObjectName(QStringLiteral("RAMGrid"));
    ramGrid_->setGeometry(535, 128, 138, 369);
    connect(ramGrid_, &RamGitter::zeileGewaehlt, this,
            [this](int zeile) { Ereignis([this, zeile] { maschine_.ZeileWaehlen(zeile); }); });
    connect(ramGrid_, &RamGitter::textUebergeben, this, [this](int zeile, const QString& text, bool endgueltig) {
        bool ersetzt = false;
        maschine_.RAMGridSetEditText(1, zeile, Cp(text, &ersetzt));
        // Told once per edit, when the editor closes, not on every keystroke.
        if (ersetzt && endgueltig) dienste_.Warnung(this, ZeichenErsetzt(Q(maschine_.Ram.Text(zeile - 1))));
    });
    connect(ramGrid_, &RamGitter::enterGedrueckt, this, &TForm1::RamEnter);

    displayEdit_ = new QLineEdit(QStringLiteral("00.000"), flaeche_);
    displayEdit_->setObjectName(QStringLiteral("DisplayEdit"));
    displayEdit_->setGeometry(688, 200, 89, 40);
    displayEdit_->setFont(MsSansSerif(27));
    displayEdit_->setStyleSheet(QStringLiteral("background: black; color: red; border: 1px solid gray;"));

    statusBar_ = new QStatusBar(flaeche_);
    statusBar_->setObjectName(QStringLiteral("StatusBar1"));
    statusBar_->setSizeGripEnabled(false);
    panel0_ = new QLabel(statusBar_);
    panel0_->setObjectName(QStringLiteral("Panel0"));
    panel0_->setFixedWidth(550);
    panel0_->setFont(Arial(11, false));
    panel1_ = new QLabel(statusBar_);
    panel1_->setObjectName(QStringLiteral("Panel1"));
    panel1_->setFont(Arial(11, false));
    for (QLabel* panel : {panel0_, panel1_}) panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    statusBar_->addWidget(panel0_);
    statusBar_->addWidget(panel1_, 1);
}

void TForm1::BaueMenuesUndWerkzeugleiste() {
    auto eintrag = [this](QMenu* menue, const char* name, const char* text, void (TForm1::*handler)()) {
        QAction* aktion = menue->addAction(U(text));
        aktion->setObjectName(QString::fromLatin1(name));
        connect(aktion, &QAction::triggered, this, handler);
    };
    QMenu* datei = menuBar()->addMenu(QStringLiteral("Datei"));
    eintrag(datei, "ffnen1", "Öffnen", &TForm1::ffnen1Click);
    eintrag(datei, "Speichern1", "Speichern", &TForm1::Speichern1Click);
    eintrag(datei, "Speichernunter1", "Speichern unter...", &TForm1::Speichernunter1Click);
    datei->addSeparator();
    eintrag(datei, "Programmtextoeffnen1", "Programmtext öffnen...", &TForm1::Programmtextoeffnen1Click);
    eintrag(datei, "AlsProgrammtextspeichern1", "Als Programmtext speichern...",
            &TForm1::AlsProgrammtextspeichern1Click);
    datei->addSeparator();
    eintrag(datei, "Beenden1", "Beenden", &TForm1::Beenden1Click);
    QMenu* bearbeiten = menuBar()->addMenu(QStringLiteral("Bearbeiten"));
    eintrag(bearbeiten, "Programmstarten1", "Programm starten", &TForm1::Programmstarten1Click);
    eintrag(bearbeiten, "Programmbeenden1", "Programm beenden", &TForm1::Programmbeenden1Click);
    bisZumHalt_ = new BisZumHalt({maschine_, dienste_, this, panel0_, [this] { Zeichne(); }});
    bisZumHalt_->Menueeintrag(bearbeiten);
    eintrag(bearbeiten, "Reset1", "Reset", &TForm1::ResetBtnClick);
    bearbeiten->addSeparator();
    eintrag(bearbeiten, "Mikrocodebearbeiten1", "Mikrocode bearbeiten", &TForm1::Mikrocodebearbeiten1Click);
    eintrag(bearbeiten, "Programmtext1", "Programmtext", &TForm1::Programmtext1Click);
    eintrag(bearbeiten, "Statistik1", "Statistik", &TForm1::Statistik1Click);
    QMenu* hilfe = menuBar()->addMenu(QStringLiteral("Hilfe"));
    eintrag(hilfe, "HilfezumModellrechner1", "Hilfe zum Modellrechner", &TForm1::HilfezumModellrechner1Click);
    eintrag(hilfe, "Tutorium1", "Tutorium", &TForm1::Tutorium1Click);
    hilfe->addSeparator();
    eintrag(hilfe, "Info1", "Info...", &TForm1::Info1Click);

    toolBar_ = new QToolBar(flaeche_);
    toolBar_->setObjectName(QStringLiteral("ToolBar2"));
    toolBar_->setIconSize(QSize(16, 16));
    toolBar_->setMovable(false);
    toolBar_->setFloatable(false);
    toolBar_->setGeometry(0, 0, kBreite, 30);
    auto knopf = [this](const QIcon& icon, const char* tipp, void (TForm1::*handler)()) {
        QAction* aktion = toolBar_->addAction(icon, U(tipp));
        aktion->setToolTip(U(tipp));
        connect(aktion, &QAction::triggered, this, handler);
    };
    knopf(symbol::Ordner(), "RAM-Datei öffnen", &TForm1::ffnen1Click);
    knopf(symbol::Diskette(), "RAM-Datei speichern", &TForm1::Speichern1Click);
    knopf(symbol::DisketteMitBlatt(), "RAM-Datei speichern unter...", &TForm1::Speichernunter1Click);
    knopf(symbol::Ausgang(), "Programm beenden", &TForm1::Beenden1Click);
    toolBar_->addSeparator();
    knopf(symbol::HandAufTaste(), "Mikroprozessoer zurücksetzen", &TForm1::ResetBtnClick);
    knopf(symbol::Tabelle(), "Mikrocode bearbeiten", &TForm1::Mikrocodebearbeiten1Click);
    toolBar_->addSeparator();
    bisZumHalt_->Werkzeugknopf(toolBar_);
    toolBar_->addSeparator();
    knopf(symbol::Fragezeichen(), "Hilfe", &TForm1::HilfezumModellrechner1Click);
    knopf(symbol::Buch(), "Tutorium", &TForm1::Tutorium1Click);
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

void TForm1::Fehlermeldung(const std::string& text) { dienste_.Fehlerbox(this, Q(text)); }

bool TForm1::eventFilter(QObject* objekt, QEvent* ereignis) {
    if (ereignis->type() == QEvent::MouseMove || ereignis->type() == QEvent::Enter) {
        const auto eintrag = hinweise_.find(objekt);
        auto* element = static_cast<QWidget*>(objekt);
        const QPoint p = static_cast<QSinglePointEvent*>(ereignis)->position().toPoint();
        // Elements inside a panel (list, labels) do not report movement.
        if (eintrag != hinweise_.end() && element->childAt(p) == nullptr) panel0_->setText(eintrag->second);
    }
    return QMainWindow::eventFilter(objekt, ereignis);
}

QString TForm1::Hinweistext() const { return panel0_->text(); }

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
    setWindowTitle(fenstertitel_);
    programmverzeichnis_ = QString::fromStdString(
        TProgrammpfade(QCoreApplication::applicationDirPath().toStdString()).Programmverzeichnis());
    Ereignis([this] { maschine_.Startvorgang(); });
    if (!startdatei_.isEmpty()) RamDateiOeffnen(startdatei_);
}

void TForm1::Zeichne() {
    if (zeichnet_) return;
    zeichnet_ = true;
    for (int t = 0; t < TorAnzahl; ++t) {
        const QSignalBlocker sperre(tore_[t]);
        tore_[t]->setChecked(maschine_.TorOffen(static_cast<Tor>(t)));
    }
    for (SpeicherCP1Ansicht* zelle : register_) zelle->Auffrischen();
    if (aluBox_->currentRow() != maschine_.AluAuswahl) {
        const QSignalBlocker sperre(aluBox_);
        aluBox_->setCurrentRow(maschine_.AluAuswahl);
        if (maschine_.AluAuswahl < 0) aluBox_->clearSelection();
    }
    aluLbl_->setText(Q(maschine_.ALULbl()));
    aluLbl_->adjustSize();
    flagLbl_->setText(Q(maschine_.FlagLbl()));
    mpcFlag_->setText(Q(maschine_.MPCFlagText()));
    mpc_->setText(Q(maschine_.MPCText()));
    mpc_->adjustSize();
    mikroCodeEdit_->setText(Q(maschine_.MikroCodeEditText()));
    if (gezeichneteDurchlaeufe_ != maschine_.Durchlaeufe()) {
        // Whatever the user typed into the display lasts until the next pass.
        gezeichneteDurchlaeufe_ = maschine_.Durchlaeufe();
        displayEdit_->setText(Q(maschine_.DisplayEditText()));
    }
    panel1_->setText(Q(maschine_.Status1()));
    const Knoepfe& knoepfe = maschine_.KnoepfeAktiv();
    einzelschrittBtn_->setEnabled(knoepfe.Mikroschritt);
    startBtn_->setEnabled(knoepfe.Start);
    resetBtn_->setEnabled(knoepfe.Reset);
    toolBar_->setEnabled(knoepfe.Werkzeugleiste);
    ramGrid_->Zeige(maschine_);
    TaktAnwenden();
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

void TForm1::EinzelschrittBtnClick() { Ereignis([this] { maschine_.EinzelschrittBtnClick(); }); }
void TForm1::ResetBtnClick() { Ereignis([this] { maschine_.ResetBtnClick(); }); }
void TForm1::StartBtnClick() { Ereignis([this] { maschine_.StartBtnClick(); }); }
void TForm1::StopBtnClick() {
    bisZumHalt_->Stopp();
    Ereignis([this] { maschine_.StopBtnClick(); });
}
void TForm1::TaktrateChange(int position) { Ereignis([this, position] { maschine_.TaktrateChange(position); }); }
void TForm1::Programmstarten1Click() { Ereignis([this] { maschine_.Programmstarten1Click(); }); }
void TForm1::Programmbeenden1Click() { Ereignis([this] { maschine_.Programmbeenden1Click(); }); }

// ---- The RAM grid's Enter key.

void TForm1::RamEnter() {
    const bool editorWarOffen = ramGrid_->EditorOffen();
    if (editorWarOffen) ramGrid_->EditorSchliessen();
    const int vorher = maschine_.Ram.AktuelleZeile();
    Ereignis([this] { maschine_.RAMGridKeyPress('\r'); });
    // The grid's own Enter follows: it opens the editor on the (next) row,
    // or closes it where the row stayed.
    if (maschine_.Ram.AktuelleZeile() != vorher || !editorWarOffen) ramGrid_->EditorOeffnen();
}

// ---- The RAM file.

void TForm1::ZeigeTitel() {
    const std::string& datei = maschine_.Dateititel;
    setWindowTitle(datei.empty() ? fenstertitel_ : fenstertitel_ + QStringLiteral(" [") + Q(datei) + QLatin1Char(']'));
}

void TForm1::ffnen1Click() {
    const QString pfad = dienste_.RamDateiZumOeffnen(this);
    if (!pfad.isEmpty()) RamDateiOeffnen(pfad);
}

void TForm1::RamDateiOeffnen(const QString& pfad) {
    Ereignis([this, &pfad] { maschine_.RamDateiOeffnen(pfad.toStdString()); });
    ZeigeTitel();
}

bool TForm1::Speichern() {
    bool ohneZiel = false;
    const bool gelungen = Ereignis([this, &ohneZiel] { ohneZiel = !maschine_.RamDateiSpeichern(); });
    if (!ohneZiel) return gelungen;
    const QString pfad = dienste_.RamDateiZumSpeichern(this);
    if (pfad.isEmpty()) return true;
    const bool gespeichert = Ereignis([this, &pfad] { maschine_.RamDateiSpeichernUnter(pfad.toStdString()); });
    ZeigeTitel();
    return gespeichert;
}

void TForm1::Speichern1Click() { Speichern(); }

void TForm1::Speichernunter1Click() {
    const QString pfad = dienste_.RamDateiZumSpeichern(this);
    if (pfad.isEmpty()) return;
    Ereignis([this, &pfad] { maschine_.RamDateiSpeichernUnter(pfad.toStdString()); });
    ZeigeTitel();
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
    if (maschine_.RamEditiert && dienste_.FrageJaNein(this, U("Der RAM-Inhalt wurde editiert.\rWollen Sie ihn sichern?"))) {
        // The save dialog is always shown; cancelling it still closes.
        const QString pfad = dienste_.RamDateiZumSpeichern(this);
        bool gespeichert = true;
        if (!pfad.isEmpty())
            gespeichert = Ereignis([this, &pfad] { maschine_.RamDateiSpeichernUnter(pfad.toStdString()); });
        ZeigeTitel();
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
    if (mcDlg_ && mcDlg_->Bearbeiten()) maschine_.MikrocodeKopieren();
    Zeichne();
}

void TForm1::HilfedokumentOeffnen(const QString& datei) {
    const QString pfad = programmverzeichnis_ + QStringLiteral("Hilfe/") + datei;
    if (!QFileInfo::exists(pfad)) {
        dienste_.Fehlerbox(this, QStringLiteral("Die Datei ") + datei +
                                     QStringLiteral(" existiert nicht im Hilfe-Unterverzeichnis!"));
        return;
    }
    dienste_.DokumentOeffnen(pfad);
}

void TForm1::HilfezumModellrechner1Click() { HilfedokumentOeffnen(QStringLiteral("Ventaro.htm")); }
void TForm1::Tutorium1Click() { HilfedokumentOeffnen(QStringLiteral("Solvej.pdf")); }

void TForm1::Statistik1Click() {
    if (!statistikfenster_) statistikfenster_ = new Statistikfenster(maschine_, this);
    statistikfenster_->show();
    statistikfenster_->raise();
}

void TForm1::Info1Click() {
    if (aboutBox_) aboutBox_->Zeigen(programmVersion_);
}

}  // namespace ventaro::ui
