#include "ui/McDlg.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/Fehler.h"
#include "ui/Dienste.h"
#include "ui/Texte.h"

namespace ventaro::ui {

TmcDlg::TmcDlg(TMikrocodeTabelle& tabelle, const QString& programmverzeichnis, QWidget* eltern) : QDialog(eltern) {
    setObjectName(QStringLiteral("mcDlg"));
    tabelle.FormCreate(programmverzeichnis.toStdString());
    setWindowTitle(Q(tabelle.Beschriftung()));
    auto* knoepfe = new QDialogButtonBox(this);
    knoepfe->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    knoepfe->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    connect(knoepfe, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addWidget(knoepfe);
    resize(560, 420);
}

bool TmcDlg::Bearbeiten(TMikrocodeTabelle& tabelle, Dienste& dienste) {
    auto melde = [&](const Fehler& fehler) { dienste.Programmfehler(this, Q(Meldungstext(fehler.what()))); };
    try {
        tabelle.AllesLaden();
    } catch (const Fehler& fehler) {
        melde(fehler);
    }
    if (exec() != QDialog::Accepted) return false;
    try {
        tabelle.AllesSpeichern();
    } catch (const Fehler& fehler) {
        melde(fehler);
    }
    return true;
}

}  // namespace ventaro::ui
