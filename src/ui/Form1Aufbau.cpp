// Building the main window: the controls at their places in the layout, with
// their hints, captions and connections to the handlers.
#include <QAction>
#include <QActionGroup>
#include <QHoverEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include "core/Fehler.h"
#include "ui/AluListe.h"
#include "ui/BisZumHalt.h"
#include "ui/Datenpfadflaeche.h"
#include "ui/Farben.h"
#include "ui/Form1.h"
#include "ui/RamGitter.h"
#include "ui/Schriften.h"
#include "ui/SpeicherCP1Ansicht.h"
#include "ui/Symbole.h"
#include "ui/Texte.h"
#include "ui/TorKnopf.h"

namespace ventaro::ui {
namespace {

struct TorOrt {
    Tor tor;
    const char* name;
    QRect ort;
    const char* beschriftung;  // the purple label; Read and Write carry captions
    QPoint beschriftungsort;
};

const std::array<TorOrt, TorAnzahl> kTore = {{
    {Tor::ET, "ETBtn", {216, 56, 41, 41}, "ET", {216, 98}},
    {Tor::AT, "ATBtn", {216, 160, 41, 41}, "AT", {216, 202}},
    {Tor::PT, "PTBtn", {424, 160, 41, 41}, "PT", {424, 202}},
    {Tor::IT, "ITBtn", {424, 232, 41, 41}, "IT", {424, 274}},
    {Tor::ErgT, "ErgTBtn", {104, 408, 41, 41}, "ErgT", {148, 432}},
    {Tor::Read, "ReadBtn", {576, 96, 38, 30}, nullptr, {}},
    {Tor::Write, "WriteBtn", {616, 96, 41, 30}, nullptr, {}},
}};

struct RegisterOrt {
    Register reg;
    QPoint ort;
};

const std::array<RegisterOrt, RegisterAnzahl> kRegister = {{
    {Register::Akku, {112, 104}},
    {Register::Erg, {80, 344}},
    {Register::PC, {312, 156}},
    {Register::IR, {312, 228}},
    {Register::Anz, {688, 128}},
}};

struct KnopfOrt {
    const char* name;
    const char* text;
    QPoint ort;
    const char* hinweis;
};

const std::array<KnopfOrt, 4> kTaktknoepfe = {{
    {"EinzelschrittBtn", "Mikroschritt", {248, 384}, "Ein einzelner Mikroschritt wird durchgeführt"},
    {"ResetBtn", "Reset", {384, 384}, "Mikroprozessor zurücksetzen: MPC, Register und Flag löschen - Tore schließen"},
    {"StartBtn", "Start", {248, 424},
     "Taktgeber für Mikroschritte wird gestartet (Frequenz über Rollbalken einstellbar: 1 Hz - 20 Hz)"},
    {"StopBtn", "Stopp", {384, 424}, "Taktgeber für Mikroschritte wird angehalten"},
}};

// The display's border and the line edit's own margins, left and right.
constexpr int kAnzeigeraender = 2 * 1 + 2 * 2 + 1;

// The display's font, narrowed as far as the widest cell text needs to show
// whole in the field: "255.254" when the Write gate stored 65534.
QFont Anzeigeschrift(int platz) {
    QFont schrift = MsSansSerif(27);
    const QString breitester = QStringLiteral("255.254");
    for (int stauchung = 99; stauchung > 50; --stauchung) {
        if (QFontMetrics(schrift).horizontalAdvance(breitester) <= platz) break;
        schrift.setStretch(stauchung);
    }
    return schrift;
}

QFrame* ErhabenerRahmen(QWidget* eltern, const QRect& ort, int breite) {
    auto* rahmen = new QFrame(eltern);
    rahmen->setFrameStyle(QFrame::Panel | QFrame::Raised);
    rahmen->setLineWidth(breite);
    rahmen->setGeometry(ort);
    return rahmen;
}

// A panel hides the wires beneath it.
QFrame* Panel(QWidget* eltern, const QRect& ort, int breite) {
    QFrame* panel = ErhabenerRahmen(eltern, ort, breite);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, farbe::Knopfflaeche);
    panel->setPalette(palette);
    panel->setAutoFillBackground(true);
    return panel;
}

}  // namespace

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
    BaueTore();
    BaueRegister();
}

void TForm1::BaueTore() {
    for (const TorOrt& t : kTore) {
        QAbstractButton* knopf = nullptr;
        if (t.beschriftung) {
            knopf = new TorKnopf(flaeche_);
            Beschriftung(flaeche_, U(t.beschriftung), t.beschriftungsort, Arial(13, false), farbe::Lila);
        } else {
            knopf = new TextTorKnopf(QString::fromLatin1(t.tor == Tor::Read ? "Read" : "Write"), flaeche_);
        }
        knopf->setObjectName(QString::fromLatin1(t.name));
        knopf->setGeometry(t.ort);
        MeldetHinweis(knopf, Q(std::string(TorHinweise[static_cast<int>(t.tor)])));
        const Tor tor = t.tor;
        connect(knopf, &QAbstractButton::clicked, this,
                [this, tor] { Ereignis([this, tor] { maschine_.TorUmschalten(tor); }); });
        tore_[static_cast<int>(tor)] = knopf;
    }
}

void TForm1::BaueRegister() {
    for (const RegisterOrt& r : kRegister) {
        auto* zelle = new SpeicherCP1Ansicht(maschine_.Zustand().Reg(r.reg), flaeche_);
        zelle->setObjectName(QString::fromLatin1(RegisterNamen[static_cast<int>(r.reg)].data()));
        zelle->move(r.ort);
        MeldetHinweis(zelle, Q(std::string(RegisterHinweise[static_cast<int>(r.reg)])));
        const Register reg = r.reg;
        connect(zelle, &SpeicherCP1Ansicht::geklickt, this,
                [this, reg] { Ereignis([this, reg] { maschine_.LadenUmschalten(reg); }); });
        if (reg == Register::PC)
            connect(zelle, &SpeicherCP1Ansicht::rechtsGedrueckt, this,
                    [this] { Ereignis([this] { maschine_.PCErhoehen(); }); });
        register_[static_cast<int>(reg)] = zelle;
    }
}

void TForm1::BaueAlu() {
    auto* panel = Panel(flaeche_, {56, 200, 137, 121}, 2);
    panel->setObjectName(QStringLiteral("ALUPnl"));
    MeldetHinweis(panel, U("Arithemtisch Logische Einheit"));
    panel->setAccessibleName(QStringLiteral("ALU"));
    aluBox_ = new AluListe(panel);
    aluBox_->setObjectName(QStringLiteral("ALUBox"));
    aluBox_->setAccessibleName(QStringLiteral("ALU-Operation"));
    aluBox_->setGeometry(8, 8, 41, 105);
    aluBox_->setFont(Arial(11));
    aluBox_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    aluBox_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (std::string_view name : AluNamen) {
        auto* eintrag = new QListWidgetItem(QString::fromLatin1(name.data(), static_cast<int>(name.size())), aluBox_);
        eintrag->setSizeHint(QSize(37, 14));
    }
    aluBox_->setCurrentRow(-1);
    connect(aluBox_, &AluListe::gewaehlt, this, &TForm1::AluGewaehlt);
    Beschriftung(panel, QStringLiteral("ALU"), {80, 8}, Arial(13), farbe::Lila);
    aluLbl_ = Beschriftung(panel, QStringLiteral("000"), {80, 48}, Arial(16), Qt::black);
    aluLbl_->setObjectName(QStringLiteral("ALULbl"));
    flagLbl_ = Beschriftung(panel, QStringLiteral("F=0"), {96, 80}, MsSansSerif(16), farbe::Rot);
    flagLbl_->setObjectName(QStringLiteral("FlagLbl"));
}

void TForm1::BaueSteuerwerk() {
    // The control unit is a frame only: the ALU control line runs into it.
    QFrame* steuerwerk = ErhabenerRahmen(flaeche_, {240, 312, 273, 185}, 1);
    steuerwerk->setObjectName(QStringLiteral("Steuerwerk"));
    steuerwerk->setAccessibleName(QStringLiteral("Steuerwerk"));
    steuerwerk->lower();
    Beschriftung(flaeche_, QStringLiteral("Steuerwerk"), {344, 320}, Arial(13), farbe::Lila);
    Beschriftung(flaeche_, QStringLiteral("MPC"), {248, 326}, Arial(13, false), farbe::Lila);
    auto* mpcPanel = Panel(flaeche_, {248, 344, 65, 26}, 1);
    mpcPanel->setObjectName(QStringLiteral("MPCPnl"));
    mpcPanel->setAccessibleName(U("Mikroschrittzähler"));
    MeldetHinweis(mpcPanel, U("Mikroschrittzähler"));
    mpcFlag_ = Beschriftung(mpcPanel, QStringLiteral("0"), {10, 1}, MsSansSerif(19), farbe::Rot);
    mpcFlag_->setObjectName(QStringLiteral("MPCFlag"));
    mpc_ = Beschriftung(mpcPanel, QStringLiteral("000"), {23, 1}, MsSansSerif(19), Qt::black);
    mpc_->setObjectName(QStringLiteral("MPC"));

    mikroCodeEdit_ = new QLineEdit(QStringLiteral("Mikroschrittcode"), flaeche_);
    mikroCodeEdit_->setObjectName(QStringLiteral("MikroCodeEdit"));
    mikroCodeEdit_->setAccessibleName(QStringLiteral("Mikroschrittcode"));
    mikroCodeEdit_->setReadOnly(true);
    mikroCodeEdit_->setGeometry(320, 344, 185, 26);
    mikroCodeEdit_->setFont(CourierNew(16));
    mikroCodeEdit_->setStyleSheet(QStringLiteral("background: rgb(200, 200, 200);"));
    MeldetHinweis(mikroCodeEdit_, U("Mikroschrittcode"));
    BaueTaktknoepfe();

    taktrate_ = new QScrollBar(Qt::Horizontal, flaeche_);
    taktrate_->setObjectName(QStringLiteral("Taktrate"));
    taktrate_->setAccessibleName(QStringLiteral("Taktfrequenz in Hertz"));
    taktrate_->setGeometry(248, 464, 257, 25);
    taktrate_->setRange(1, 20);
    taktrate_->setSingleStep(1);
    taktrate_->setPageStep(1);
    taktrate_->setValue(1);
    connect(taktrate_, &QScrollBar::valueChanged, this, &TForm1::TaktrateChange);
}

void TForm1::BaueTaktknoepfe() {
    const std::array<QPushButton**, 4> ziele = {&einzelschrittBtn_, &resetBtn_, &startBtn_, &stopBtn_};
    const std::array<void (TForm1::*)(), 4> handler = {&TForm1::EinzelschrittBtnClick, &TForm1::ResetBtnClick,
                                                       &TForm1::StartBtnClick, &TForm1::StopBtnClick};
    for (std::size_t i = 0; i < kTaktknoepfe.size(); ++i) {
        const KnopfOrt& k = kTaktknoepfe[i];
        auto* knopf = new QPushButton(U(k.text), flaeche_);
        knopf->setObjectName(QString::fromLatin1(k.name));
        knopf->setGeometry(QRect(k.ort, QSize(121, 33)));
        knopf->setAutoDefault(true);  // Enter presses the focused button, as Space does
        MeldetHinweis(knopf, U(k.hinweis));
        connect(knopf, &QPushButton::clicked, this, handler[i]);
        *ziele[i] = knopf;
    }
    // A click on "Stopp" leaves the focus where it is, as the tool bar does:
    // taking it from the grid would run the check of all cells, which ends
    // the history of a run just stopped. Tab still reaches the button.
    stopBtn_->setFocusPolicy(Qt::TabFocus);
}

void TForm1::BaueRamGitter() {
    ramGrid_ = new RamGitter(flaeche_);
    ramGrid_->setObjectName(QStringLiteral("RAMGrid"));
    ramGrid_->setAccessibleName(QStringLiteral("RAM"));
    ramGrid_->setGeometry(535, 128, 138, 369);
    connect(ramGrid_, &RamGitter::zeileGewaehlt, this,
            [this](int zeile) { Ereignis([this, zeile] { maschine_.ZeileWaehlen(zeile); }); });
    connect(ramGrid_, &RamGitter::textUebergeben, this, [this](int zeile, const QString& text, bool endgueltig) {
        bool ersetzt = false;
        maschine_.ZelleUebergeben(zeile - 1, Cp(text, &ersetzt));
        // Told once per edit, when the editor closes, not on every keystroke.
        if (ersetzt && endgueltig) dienste_.Warnung(this, Q(meldung::ZeichenErsetzt(maschine_.Zustand().Ram.Text(zeile - 1))));
    });
    connect(ramGrid_, &RamGitter::enterGedrueckt, this, &TForm1::RamEnter);
    connect(ramGrid_, &RamGitter::editorGeoeffnet, this, &TForm1::RamEditorGeoeffnet);
    connect(ramGrid_, &RamGitter::bearbeitungVerworfen, this, &TForm1::RamBearbeitungVerworfen);
}

void TForm1::BaueAnzeigeUndStatus() {
    displayEdit_ = new QLineEdit(QStringLiteral("00.000"), flaeche_);
    displayEdit_->setObjectName(QStringLiteral("DisplayEdit"));
    displayEdit_->setAccessibleName(QStringLiteral("Anzeige"));
    displayEdit_->setGeometry(688, 200, 89, 40);
    displayEdit_->setFont(Anzeigeschrift(displayEdit_->width() - kAnzeigeraender));
    displayEdit_->setStyleSheet(QStringLiteral("background: black; color: red; border: 1px solid gray;"));

    statusBar_ = new QStatusBar(flaeche_);
    statusBar_->setObjectName(QStringLiteral("StatusBar1"));
    statusBar_->setAccessibleName(QStringLiteral("Statusleiste"));
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

void TForm1::WerkzeugknoepfeLoslassen() {
    werkzeugRuhe_ = true;
    for (QToolButton* knopf : toolBar_->findChildren<QToolButton*>()) {
        knopf->setAttribute(Qt::WA_UnderMouse, false);
        knopf->update();
    }
}

// After a menu closed, the pointer "enters" the tool button beneath it without
// moving: the button stays unlit until the pointer really moves.
bool TForm1::WerkzeugknopfEreignis(QWidget* knopf, QEvent* ereignis) {
    if (!werkzeugRuhe_) return false;
    switch (ereignis->type()) {
        case QEvent::Enter:
        case QEvent::HoverEnter:
            knopf->setAttribute(Qt::WA_UnderMouse, false);
            knopf->update();
            return true;
        case QEvent::HoverMove: {
            const auto* bewegung = static_cast<QHoverEvent*>(ereignis);
            if (bewegung->position() == bewegung->oldPosF()) return false;
            [[fallthrough]];
        }
        case QEvent::MouseMove:
            werkzeugRuhe_ = false;
            knopf->setAttribute(Qt::WA_UnderMouse, true);
            knopf->update();
            return false;
        case QEvent::Leave:
            werkzeugRuhe_ = false;
            return false;
        default:
            return false;
    }
}

void TForm1::BaueGroessenmenue(QMenu* menue) {
    menue->setObjectName(QStringLiteral("Fenstergroesse1"));
    menue->setAccessibleName(menue->title());
    auto* gruppe = new QActionGroup(menue);
    aktiveGroesse_ = dienste_.GespeicherteGroesse();
    for (int prozent : Groessen) {
        QAction* aktion = menue->addAction(QStringLiteral("%1 %").arg(prozent));
        aktion->setObjectName(QStringLiteral("Groesse%1").arg(prozent));
        aktion->setCheckable(true);
        aktion->setChecked(prozent == aktiveGroesse_);
        gruppe->addAction(aktion);
        connect(aktion, &QAction::triggered, this, [this, prozent] { GroesseWaehlen(prozent); });
    }
}

}  // namespace ventaro::ui
