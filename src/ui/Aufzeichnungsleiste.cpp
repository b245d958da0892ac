#include "ui/Aufzeichnungsleiste.h"

#include <QAction>
#include <algorithm>
#include <QDockWidget>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "ui/Dienste.h"
#include "ui/McDlg.h"
#include "ui/Schriften.h"
#include "ui/Texte.h"

namespace ventaro::ui {
namespace {

constexpr int kHoehe = 104;
constexpr int kZeilen = 5;  // the words stand in two columns of five

QString ZweiStellen(int zahl) { return Q(ZahlZweistellig(static_cast<unsigned>(zahl))); }

QPushButton* Knopf(QWidget* eltern, const char* name, const char* text) {
    auto* knopf = new QPushButton(U(text), eltern);
    knopf->setObjectName(QString::fromLatin1(name));
    knopf->setFont(Arial(13));
    return knopf;
}

}  // namespace

Aufzeichnungsleiste::Aufzeichnungsleiste(QMainWindow* fenster, TMaschine& maschine, Dienste& dienste, QLabel* panel0,
                                         std::function<bool(const std::function<void()>&)> ereignis)
    : QFrame(fenster),
      fenster_(fenster),
      dienste_(dienste),
      panel0_(panel0),
      ereignis_(std::move(ereignis)),
      aufzeichnung_(maschine.Aufzeichnung()) {
    setObjectName(QStringLiteral("Aufzeichnungsleiste"));
    // A red frame on a pale ground: the window is in another mode.
    setStyleSheet(QStringLiteral("#Aufzeichnungsleiste { background: #fff0e8; border: 3px solid #d00000; }"));
    setFixedHeight(kHoehe);
    setAccessibleName(QStringLiteral("Aufzeichnung"));

    titel_ = new QLabel(this);
    titel_->setObjectName(QStringLiteral("AufzeichnungTitel"));
    titel_->setFont(Arial(13));
    titel_->setStyleSheet(QStringLiteral("color: #b00000;"));
    titel_->setAccessibleName(QStringLiteral("Aufzeichnungsstand"));
    auto* aufnehmen = Knopf(this, "SchrittAufnehmenBtn", "Schritt aufnehmen");
    auto* beenden = Knopf(this, "AufzeichnungBeendenBtn", "Aufzeichnung beenden");
    auto* verwerfen = Knopf(this, "VerwerfenBtn", "Verwerfen");
    connect(aufnehmen, &QPushButton::clicked, this, &Aufzeichnungsleiste::SchrittAufnehmenClick);
    connect(beenden, &QPushButton::clicked, this, &Aufzeichnungsleiste::BeendenClick);
    connect(verwerfen, &QPushButton::clicked, this, &Aufzeichnungsleiste::VerwerfenClick);
    worte_ = new QLabel(this);
    worte_->setObjectName(QStringLiteral("AufzeichnungWorte"));
    worte_->setFont(CourierNew(13));
    worte_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    worte_->setAccessibleName(QStringLiteral("Aufgezeichnete Steuerworte"));

    auto* knoepfe = new QHBoxLayout;
    for (QPushButton* k : {aufnehmen, beenden, verwerfen}) knoepfe->addWidget(k);
    auto* links = new QVBoxLayout;
    links->addWidget(titel_);
    links->addLayout(knoepfe);
    links->addStretch();
    auto* ganz = new QHBoxLayout(this);
    ganz->setContentsMargins(10, 6, 10, 6);
    ganz->addLayout(links);
    ganz->addSpacing(16);
    ganz->addWidget(worte_, 1);

    Andocken(fenster);
}

// Below the datapath, without a title bar of its own, hidden until a
// recording starts.
void Aufzeichnungsleiste::Andocken(QMainWindow* fenster) {
    dock_ = new QDockWidget(fenster);
    dock_->setObjectName(QStringLiteral("AufzeichnungDock"));
    dock_->setAccessibleName(QStringLiteral("Aufzeichnungsleiste"));
    dock_->setWindowTitle(QStringLiteral("Aufzeichnung"));
    dock_->setFeatures(QDockWidget::NoDockWidgetFeatures);
    dock_->setTitleBarWidget(new QWidget(dock_));
    dock_->toggleViewAction()->setVisible(false);
    dock_->setWidget(this);
    fenster->addDockWidget(Qt::BottomDockWidgetArea, dock_);
    dock_->hide();
}

void Aufzeichnungsleiste::SetzeEditor(TmcDlg* editor) {
    editor_ = editor;
    connect(editor_, &TmcDlg::AufzeichnungGewuenscht, this, &Aufzeichnungsleiste::Starte);
}

bool Aufzeichnungsleiste::Frage(const QString& text) { return dienste_.FrageJaNein(fenster_, text); }

void Aufzeichnungsleiste::Starte(int befehl, bool flagabhaengig) {
    const QString nr = ZweiStellen(befehl);
    if (aufzeichnung_.Laeuft() &&
        !Frage(U("Die laufende Aufzeichnung wird verworfen. Befehl ") + nr + U(" aufzeichnen?")))
        return;
    // Every instruction is fetched by opcode 0's steps.
    if (befehl == 0 &&
        !Frage(U("Befehl 00 holt jeden Befehl aus dem RAM: Alle Befehle hängen von seinen Mikroschritten ab.\r"
                 "Trotzdem aufzeichnen?")))
        return;
    std::optional<int> flag;
    if (flagabhaengig)
        flag = Frage(U("Der Mikrocode von Befehl ") + nr + U(" ist flagabhängig.\rFür Flag = 1 aufzeichnen? "
                                                               "(Nein: für Flag = 0)"))
                   ? 1
                   : 0;
    aufzeichnung_.Verwerfen();
    ereignis_([&] { aufzeichnung_.Starte(befehl, flag); });
}

void Aufzeichnungsleiste::SchrittAufnehmenClick() {
    ereignis_([this] { aufzeichnung_.SchrittAufnehmen(); });
}

void Aufzeichnungsleiste::BeendenClick() {
    std::optional<std::string> mnemonic;
    if (aufzeichnung_.MnemonicFehlt() && !aufzeichnung_.Worte().empty()) {
        QString text;
        const QString frage = U("Befehl ") + ZweiStellen(aufzeichnung_.Befehl()) + U(" hat noch kein Mnemonic.");
        if (!dienste_.Texteingabe(fenster_, U("Mnemonic"), frage, text)) return;  // still recording
        mnemonic = Cp(text.trimmed());
    }
    ereignis_([&] {
        if (editor_) editor_->SpeicherzielSetzen();
        aufzeichnung_.Beenden(mnemonic);
    });
}

void Aufzeichnungsleiste::VerwerfenClick() {
    ereignis_([this] { aufzeichnung_.Verwerfen(); });
}

void Aufzeichnungsleiste::Zeigen(bool an) {
    // isHidden, not isVisible: a minimised window must not grow again.
    if (!dock_->isHidden() == an) return;
    // The window grows by the bar and the separator above it, so the
    // datapath keeps its size, and shrinks by as much again.
    const int vorher = fenster_->height();
    const QRect rahmen = fenster_->frameGeometry();
    const int rand = rahmen.height() - vorher;  // title bar and border
    dock_->setVisible(an);
    // The window's least height follows the bar only once its layout has
    // run; before that it would keep the window as tall as with the bar.
    if (fenster_->layout()) fenster_->layout()->activate();
    fenster_->resize(fenster_->width(), an ? vorher + kHoehe : vorher - zuwachs_);
    const int hoehe = fenster_->height();
    if (an) zuwachs_ = hoehe - vorher;
    // On a small screen the window moves up so the bar stays in sight.
    const QScreen* schirm = fenster_->screen();
    if (!an || !schirm) return;
    const int ueberstand = rahmen.top() + rand + hoehe - 1 - schirm->availableGeometry().bottom();
    if (ueberstand > 0) fenster_->move(fenster_->x(), std::max(schirm->availableGeometry().top(), fenster_->y() - ueberstand));
}

void Aufzeichnungsleiste::Zeichne() {
    const bool laeuft = aufzeichnung_.Laeuft();
    Zeigen(laeuft);
    if (!laeuft) {
        // The ended recording's step no longer stands in the status bar.
        if (!statustext_.isEmpty() && panel0_->text() == statustext_) panel0_->clear();
        statustext_.clear();
        return;
    }
    const QString status = Q(aufzeichnung_.Statustext());
    statustext_ = status;
    panel0_->setText(status);
    const std::optional<int> flag = aufzeichnung_.FlagWert();
    titel_->setText(U("\u25CF ") + status + (flag ? U(" (Flag = ") + QString::number(*flag) + U(")") : QString()));
    QStringList zeilen;
    const auto& worte = aufzeichnung_.Worte();
    for (int z = 0; z < kZeilen && z < static_cast<int>(worte.size()); ++z) {
        QString zeile = QString::number(z) + U(": ") + QString::fromStdString(worte[z]);
        if (z + kZeilen < static_cast<int>(worte.size()))
            zeile += U("   ") + QString::number(z + kZeilen) + U(": ") + QString::fromStdString(worte[z + kZeilen]);
        zeilen << zeile;
    }
    worte_->setText(zeilen.isEmpty() ? U("Noch kein Schritt aufgenommen") : zeilen.join(QLatin1Char('\n')));
}

}  // namespace ventaro::ui
