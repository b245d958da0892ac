#include "ui/ProgrammtextFenster.h"

#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTextCursor>
#include <QVBoxLayout>

#include "core/Fehler.h"
#include "programtext/AlsProgrammtext.h"
#include "programtext/ProgrammtextDatei.h"
#include "programtext/Uebersetzer.h"
#include "ui/ProgrammtextEditor.h"
#include "ui/ProgrammtextHervorhebung.h"
#include "ui/Texte.h"

namespace ventaro::ui {
namespace {

const QString kTitel = QStringLiteral("Programmtext");

}  // namespace

ProgrammtextFenster::ProgrammtextFenster(Dienste& dienste, Anbindung anbindung, QWidget* eltern)
    : QWidget(eltern, Qt::Window),
      dienste_(dienste),
      anbindung_(std::move(anbindung)),
      editor_(new ProgrammtextEditor(this)),
      hervorhebung_(new ProgrammtextHervorhebung(editor_->document())),
      fehlerliste_(new QListWidget(this)),
      meldung_(new QLabel(this)) {
    setObjectName(QStringLiteral("Programmtext"));
    setWindowTitle(kTitel);
    editor_->setObjectName(QStringLiteral("Programmtexteditor"));
    fehlerliste_->setObjectName(QStringLiteral("Fehlerliste"));
    fehlerliste_->setMaximumHeight(110);
    meldung_->setObjectName(QStringLiteral("Meldung"));

    auto* knoepfe = new QHBoxLayout;
    auto knopf = [&](const char* name, const QString& text, void (ProgrammtextFenster::*befehl)()) {
        auto* k = new QPushButton(text, this);
        k->setObjectName(QString::fromLatin1(name));
        connect(k, &QPushButton::clicked, this, befehl);
        knoepfe->addWidget(k);
    };
    knopf("UebernehmenBtn", QString::fromUtf8("In den RAM übernehmen"), &ProgrammtextFenster::InDenRamUebernehmen);
    knopf("HolenBtn", QStringLiteral("Aus dem RAM holen"), &ProgrammtextFenster::AusDemRamHolen);
    knoepfe->addStretch();
    knopf("OeffnenBtn", QString::fromUtf8("Öffnen..."), &ProgrammtextFenster::Oeffnen);
    knopf("SpeichernBtn", QStringLiteral("Speichern..."), &ProgrammtextFenster::Speichern);

    auto* spalte = new QVBoxLayout(this);
    spalte->addLayout(knoepfe);
    spalte->addWidget(editor_, 1);
    spalte->addWidget(meldung_);
    spalte->addWidget(fehlerliste_);
    connect(fehlerliste_, &QListWidget::itemClicked, this, &ProgrammtextFenster::FehlerGewaehlt);
    connect(fehlerliste_, &QListWidget::itemActivated, this, &ProgrammtextFenster::FehlerGewaehlt);
    resize(560, 600);
    NamenAuffrischen();
}

// The microcode may have changed since: its mnemonics are taken afresh
// whenever the window becomes active.
void ProgrammtextFenster::changeEvent(QEvent* ereignis) {
    QWidget::changeEvent(ereignis);
    if (ereignis->type() == QEvent::ActivationChange && isActiveWindow()) NamenAuffrischen();
}

void ProgrammtextFenster::NamenAuffrischen() {
    // A list, not a QSet: GCC 12 warns falsely about the hash's allocation
    // once it is inlined across files.
    QStringList namen;
    for (const std::string& name : anbindung_.befehlsnamen().Namen()) namen << Q(name);
    hervorhebung_->SetzeMnemonics(namen);
}

std::vector<std::string> ProgrammtextFenster::Zeilen() {
    bool ersetzt = false;
    const std::string text = Cp(editor_->toPlainText(), &ersetzt);
    if (ersetzt)
        dienste_.Warnung(this, Q(meldung::ZeichenAlsFragezeichen()));
    return programmtext::InZeilen(text);
}

// Replacing the whole text is one step the user can undo.
void ProgrammtextFenster::ErsetzeText(const std::vector<std::string>& zeilen) {
    QStringList text;
    for (const std::string& zeile : zeilen) text << Q(zeile);
    QTextCursor cursor(editor_->document());
    cursor.select(QTextCursor::Document);
    cursor.insertText(text.join(QLatin1Char('\n')));
    editor_->setTextCursor(QTextCursor(editor_->document()));
    ZeigeFehler({});
}

void ProgrammtextFenster::InDenRamUebernehmen() {
    NamenAuffrischen();
    programmtext::TUebersetzung u = programmtext::Uebersetze(Zeilen(), anbindung_.befehlsnamen());
    ZeigeFehler(u.Fehler);
    if (!u.Gelungen()) return;
    anbindung_.ramUebernehmen(std::move(u.Zellen));
    meldung_->setText(QString::fromUtf8("In den RAM übernommen."));
}

void ProgrammtextFenster::AusDemRamHolen() {
    NamenAuffrischen();
    ErsetzeText(programmtext::AlsProgrammtext(anbindung_.ramHolen(), anbindung_.befehlsnamen()));
    meldung_->setText(QStringLiteral("Aus dem RAM geholt."));
}

void ProgrammtextFenster::Oeffnen() {
    const QString pfad = dienste_.ProgrammtextZumOeffnen(this);
    if (pfad.isEmpty()) return;
    try {
        const programmtext::TProgrammtext text = programmtext::LeseProgrammtext(pfad.toStdString());
        ErsetzeText(text.Zeilen);
        SetzeDatei(pfad);
        // Characters the text cannot keep are shown by line, as "?" in it.
        ZeigeFehler(text.Zeichenfehler);
    } catch (const Fehler& fehler) {
        dienste_.Programmfehler(this, Q(Meldungstext(fehler.Text())));
    }
}

void ProgrammtextFenster::Speichern() {
    const QString pfad = dienste_.ProgrammtextZumSpeichern(this);
    if (pfad.isEmpty()) return;
    try {
        programmtext::SchreibeProgrammtext(pfad.toStdString(), Zeilen());
        SetzeDatei(pfad);
        editor_->document()->setModified(false);
    } catch (const Fehler& fehler) {
        dienste_.Programmfehler(this, Q(Meldungstext(fehler.Text())));
    }
}

void ProgrammtextFenster::SetzeDatei(const QString& pfad) {
    setWindowTitle(kTitel + QStringLiteral(" [") + QFileInfo(pfad).fileName() + QLatin1Char(']'));
}

void ProgrammtextFenster::ZeigeFehler(const std::vector<programmtext::Fehlerzeile>& fehler) {
    fehlerliste_->clear();
    std::set<int> zeilen;
    for (const programmtext::Fehlerzeile& f : fehler) {
        auto* eintrag = new QListWidgetItem(Q(f.text), fehlerliste_);
        eintrag->setData(Qt::UserRole, f.zeile);
        eintrag->setForeground(QColor(200, 0, 0));
        zeilen.insert(f.zeile);
    }
    editor_->MarkiereZeilen(zeilen);
    meldung_->setText(fehler.empty() ? QString()
                                     : QString::fromUtf8("Der Text hat %1 Fehler; der RAM bleibt unverändert.")
                                           .arg(fehler.size()));
}

void ProgrammtextFenster::FehlerGewaehlt(QListWidgetItem* eintrag) {
    if (eintrag) editor_->GeheZuZeile(eintrag->data(Qt::UserRole).toInt());
}

}  // namespace ventaro::ui
