#include "ui/McDlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>

#include "core/Bauteile.h"
#include "core/Fehler.h"
#include "core/Programmpfade.h"
#include "ui/Dienste.h"
#include "ui/Farben.h"
#include "ui/Fensterort.h"
#include "ui/Schriften.h"
#include "ui/Texte.h"

namespace ventaro::ui {
namespace {

constexpr int kSchritte = TMikrocodeTabelle::SchritteProBefehl;
constexpr int kSignale = SignalAnzahl;
constexpr int kKopfbreite = 90;  // the header column
constexpr int kSpaltenbreite = 25;
constexpr int kZeilenhoehe = 19;
constexpr int kLinie = 1;

// The code is changed by the arrows only, never typed.
class CodeSpinBox : public QSpinBox {
public:
    explicit CodeSpinBox(QWidget* eltern) : QSpinBox(eltern) { lineEdit()->setReadOnly(true); }
};

// A quick second click on a cell is a click of its own, not a double-click
// that swallows it: two clicks toggle the mark twice.
class MarkenGitter : public QTableWidget {
public:
    MarkenGitter(int zeilen, int spalten, QWidget* eltern) : QTableWidget(zeilen, spalten, eltern) {}

protected:
    void mouseDoubleClickEvent(QMouseEvent* ereignis) override { mousePressEvent(ereignis); }
};

QLabel* Beschriftung(QWidget* eltern, const char* text, int x, int y) {
    auto* label = new QLabel(U(text), eltern);
    label->move(x, y);
    label->adjustSize();
    return label;
}

QPushButton* Knopf(QWidget* eltern, const char* name, const char* text, QRect ort) {
    auto* knopf = new QPushButton(U(text), eltern);
    knopf->setObjectName(QString::fromLatin1(name));
    knopf->setGeometry(ort);
    // Enter presses the focused button; elsewhere it presses OK, the default.
    knopf->setAutoDefault(true);
    return knopf;
}

}  // namespace

TmcDlg::TmcDlg(TMikrocodeTabelle& tabelle, const QString& programmverzeichnis, QWidget* eltern)
    : QDialog(eltern, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), tabelle_(tabelle) {
    setObjectName(QStringLiteral("mcDlg"));
    tabelle_.FormCreate(programmverzeichnis.toStdString());
    setWindowTitle(Q(tabelle_.Beschriftung()));
    setFixedSize(792, 566);
    setFont(Arial(13, false));

    auto* bevel = new QFrame(this);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    bevel->setGeometry(8, 8, 777, 513);
    bevel->setAccessibleName(QStringLiteral("Mikrocode"));
    BaueKopf();
    QLabel* flag0 = Beschriftung(this, "Flag = 0", 24, 64);
    QLabel* flag1 = Beschriftung(this, "Flag = 1", 408, 64);
    flag0grid_ = BaueGitter("flag0grid", 24);
    flag1grid_ = BaueGitter("flag1grid", 408);
    flag0grid_->setAccessibleName(flag0->text());
    flag1grid_->setAccessibleName(flag1->text());
    connect(flag0grid_, &QTableWidget::cellClicked, this, &TmcDlg::flag0GridClick);
    connect(flag1grid_, &QTableWidget::cellClicked, this, &TmcDlg::flag1gridClick);
    BaueKnoepfe();
}

void TmcDlg::BaueKopf() {
    QLabel* code = Beschriftung(this, "Code:", 24, 28);
    codeEdit_ = new CodeSpinBox(this);
    codeEdit_->setObjectName(QStringLiteral("CodeEdit"));
    codeEdit_->setGeometry(64, 24, 57, 26);
    codeEdit_->setRange(0, 28);
    connect(codeEdit_, &QSpinBox::valueChanged, this, &TmcDlg::MikrocodeAnzeigen);
    code->setBuddy(codeEdit_);  // the label names the control for assistive technology

    QLabel* mnemonic = Beschriftung(this, "Mnemonic:", 152, 28);
    mnemonicEdit_ = new QLineEdit(this);
    mnemonicEdit_->setObjectName(QStringLiteral("MnemonicEdit"));
    mnemonicEdit_->setGeometry(224, 24, 81, 24);
    mnemonic->setBuddy(mnemonicEdit_);

    flagCheckBox_ = new QCheckBox(U("Mikrocode flagabhängig"), this);
    flagCheckBox_->setObjectName(QStringLiteral("FlagCheckBox"));
    flagCheckBox_->setLayoutDirection(Qt::RightToLeft);  // caption left of the box
    flagCheckBox_->setGeometry(336, 24, 169, 25);
    connect(flagCheckBox_, &QCheckBox::toggled, this, &TmcDlg::FlagCheckBoxClick);
}

void TmcDlg::BaueKnoepfe() {
    Beschriftung(this, "Für diesen Befehl....", 24, 488);
    auto* speichern = Knopf(this, "MCSpeichernBtn", "Änderung übernehmen", {160, 484, 145, 25});
    auto* verwerfen = Knopf(this, "MikroCodeVerwerfenBtn", "Änderung rückgängig", {336, 484, 145, 25});
    auto* loeschen = Knopf(this, "MCClearBtn", "Mikroschritte löschen", {512, 484, 145, 25});
    connect(speichern, &QPushButton::clicked, this, &TmcDlg::MCSpeichernBtnClick);
    connect(verwerfen, &QPushButton::clicked, this, &TmcDlg::MikrocodeAnzeigen);
    connect(loeschen, &QPushButton::clicked, this, &TmcDlg::MCClearBtnClick);
    auto* aufzeichnen = Knopf(this, "AufzeichnenBtn", "Aufzeichnen", {672, 484, 97, 25});
    connect(aufzeichnen, &QPushButton::clicked, this, &TmcDlg::AufzeichnenBtnClick);

    auto* ok = Knopf(this, "OKBtn", "OK", {254, 532, 75, 25});
    ok->setDefault(true);
    auto* abbrechen = Knopf(this, "CancelBtn", "Abbrechen", {334, 532, 75, 25});
    auto* hilfe = Knopf(this, "HelpBtn", "&Hilfe", {414, 532, 75, 25});
    connect(ok, &QPushButton::clicked, this, &TmcDlg::OKBtnClick);
    connect(abbrechen, &QPushButton::clicked, this, &QDialog::reject);
    connect(hilfe, &QPushButton::clicked, this, [this] {
        if (hilfe_) hilfe_();
    });
}

void TmcDlg::SetzeDienste(Dienste* dienste, std::function<void()> hilfe) {
    dienste_ = dienste;
    hilfe_ = std::move(hilfe);
}

QTableWidget* TmcDlg::BaueGitter(const char* name, int x) {
    auto* gitter = new MarkenGitter(kSignale + 1, kSchritte + 1, this);
    gitter->setObjectName(QString::fromLatin1(name));
    gitter->setGeometry(x, 88, 356, 385);
    gitter->setFrameStyle(QFrame::Panel | QFrame::Sunken);  // the grid's sunken border of two pixels
    gitter->setLineWidth(2);
    gitter->horizontalHeader()->hide();
    gitter->verticalHeader()->hide();
    // Every cell is followed by its grid line: the cells fill the frame.
    gitter->verticalHeader()->setDefaultSectionSize(kZeilenhoehe + kLinie);
    gitter->verticalHeader()->setMinimumSectionSize(kZeilenhoehe + kLinie);
    gitter->horizontalHeader()->setMinimumSectionSize(kSpaltenbreite + kLinie);
    gitter->horizontalHeader()->setDefaultSectionSize(kSpaltenbreite + kLinie);
    gitter->setColumnWidth(0, kKopfbreite + kLinie);
    gitter->setEditTriggers(QAbstractItemView::NoEditTriggers);
    gitter->setSelectionMode(QAbstractItemView::NoSelection);
    gitter->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    gitter->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int zeile = 0; zeile <= kSignale; ++zeile) {
        for (int spalte = 0; spalte <= kSchritte; ++spalte) {
            auto* zelle = new QTableWidgetItem();
            zelle->setTextAlignment(Qt::AlignCenter);
            if (zeile == 0 || spalte == 0) {
                zelle->setFlags(Qt::ItemIsEnabled);  // fixed headers
                zelle->setBackground(farbe::Knopfflaeche);
                zelle->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            }
            gitter->setItem(zeile, spalte, zelle);
        }
    }
    return gitter;
}

bool TmcDlg::Markiert(QTableWidget* gitter, int zeile, int spalte) const {
    return gitter->item(zeile, spalte)->text() == QLatin1String("X");
}

void TmcDlg::SetzeMarke(QTableWidget* gitter, int zeile, int spalte, bool an) {
    gitter->item(zeile, spalte)->setText(an ? QStringLiteral("X") : QString());
}

void TmcDlg::Melde(const Fehler& fehler) {
    // Text(), not what(): a message may hold a NUL byte from a hostile file.
    if (dienste_) dienste_->Programmfehler(this, Q(Meldungstext(fehler.Text())));
}

void TmcDlg::SetzeProgrammpfade(const TProgrammpfade* pfade) {
    pfade_ = pfade;
    tabelle_.SetzePfad(pfade_->MikrocodeZumLesen());
}

bool TmcDlg::Bearbeiten() {
    AufBildschirmmitte(this);
    FormActivate();
    return exec() == QDialog::Accepted;
}

void TmcDlg::FormActivate() {
    for (QTableWidget* gitter : {flag0grid_, flag1grid_}) {
        gitter->setColumnWidth(0, kKopfbreite + kLinie);
        gitter->item(0, 0)->setText(QStringLiteral("Element"));
        for (int s = 0; s < kSchritte; ++s) gitter->item(0, s + 1)->setText(QString::number(s));
        for (int k = 1; k <= kSignale; ++k)
            gitter->item(k, 0)->setText(QString::fromLatin1(SignalAn(k).name.data(), int(SignalAn(k).name.size())));
    }
    if (dienste_) dienste_->EreignisseVerarbeiten();
    if (pfade_) {
        tabelle_.SetzePfad(pfade_->MikrocodeZumLesen());
        const std::string ziel = pfade_->Anzeigename(pfade_->MikrocodeZumSchreiben());
        setWindowTitle(QStringLiteral("Mikrocode editieren [") + QString::fromStdString(ziel) + QLatin1Char(']'));
    }
    try {
        tabelle_.AllesLaden();
    } catch (const Fehler& fehler) {
        Melde(fehler);  // the grids keep what they showed
        return;
    }
    MikrocodeAnzeigen();
}

void TmcDlg::MikrocodeAnzeigen() {
    const int c = codeEdit_->value();
    mnemonicEdit_->setText(Q(tabelle_.Mnemonics[c]));
    flagCheckBox_->setChecked(tabelle_.Flagabhaengig(c));
    auto zeige = [this, c](QTableWidget* gitter, const auto& worte) {
        for (int s = 0; s < kSchritte; ++s) {
            const std::string& wort = worte[Index(c, s)];
            for (int k = 1; k <= kSignale; ++k)
                SetzeMarke(gitter, k, s + 1, SignalGesetzt(wort, k));
        }
    };
    zeige(flag0grid_, tabelle_.Steuerworte0);
    zeige(flag1grid_, tabelle_.Steuerworte1);
}

void TmcDlg::flag0GridClick(int zeile, int spalte) {
    if (zeile < 1 || spalte < 1) return;
    const bool an = !Markiert(flag0grid_, zeile, spalte);
    SetzeMarke(flag0grid_, zeile, spalte, an);
    if (!flagCheckBox_->isChecked()) SetzeMarke(flag1grid_, zeile, spalte, an);
}

void TmcDlg::flag1gridClick(int zeile, int spalte) {
    if (zeile < 1 || spalte < 1 || !flagCheckBox_->isChecked()) return;
    SetzeMarke(flag1grid_, zeile, spalte, !Markiert(flag1grid_, zeile, spalte));
}

void TmcDlg::FlagCheckBoxClick() {
    // Ticked: the flag-1 microcode starts blank; unticked: it follows flag 0.
    const bool abhaengig = flagCheckBox_->isChecked();
    for (int k = 1; k <= kSignale; ++k)
        for (int s = 1; s <= kSchritte; ++s) SetzeMarke(flag1grid_, k, s, !abhaengig && Markiert(flag0grid_, k, s));
}

void TmcDlg::MCSpeichernBtnClick() {
    const int c = codeEdit_->value();
    auto uebernimm = [this, c](QTableWidget* gitter, auto& worte) {
        for (int s = 0; s < kSchritte; ++s) {
            worte[Index(c, s)] = SteuerwortAus([&](int k) { return Markiert(gitter, k, s + 1); });
        }
    };
    uebernimm(flag0grid_, tabelle_.Steuerworte0);
    uebernimm(flag1grid_, tabelle_.Steuerworte1);
    bool ersetzt = false;
    tabelle_.Mnemonics[c] = Cp(mnemonicEdit_->text(), &ersetzt);
    if (ersetzt && dienste_) dienste_->Warnung(this, Q(meldung::ZeichenErsetzt(tabelle_.Mnemonics[c])));
}

void TmcDlg::MCClearBtnClick() {
    for (QTableWidget* gitter : {flag0grid_, flag1grid_})
        for (int k = 1; k <= kSignale; ++k)
            for (int s = 1; s <= kSchritte; ++s) SetzeMarke(gitter, k, s, false);
}

void TmcDlg::OKBtnClick() {
    // The result is OK whatever the saving does: the machine takes the table.
    setResult(QDialog::Accepted);
    SpeicherzielSetzen();
    try {
        tabelle_.AllesSpeichern();
    } catch (const Fehler& fehler) {
        Melde(fehler);
    }
    accept();
}

void TmcDlg::SpeicherzielSetzen() {
    if (pfade_) tabelle_.SetzePfad(pfade_->MikrocodeZielAnlegen());
}

void TmcDlg::AufzeichnenBtnClick() {
    const int befehl = codeEdit_->value();
    const bool flagabhaengig = flagCheckBox_->isChecked();
    reject();
    emit AufzeichnungGewuenscht(befehl, flagabhaengig);
}

}  // namespace ventaro::ui
