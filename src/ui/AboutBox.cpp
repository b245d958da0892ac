#include "ui/AboutBox.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "ui/Fase.h"
#include "ui/Fensterort.h"
#include "ui/Schriften.h"
#include "ui/Symbole.h"

namespace ventaro::ui {
namespace {

// A panel with a lowered outer and a raised inner bevel.
class DoppelFasenPanel : public QFrame {
public:
    explicit DoppelFasenPanel(QWidget* eltern) : QFrame(eltern) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter maler(this);
        Fase(maler, rect(), false);
        Fase(maler, rect().adjusted(1, 1, -1, -1), true);
    }
};

}  // namespace

TAboutBox::TAboutBox(QWidget* eltern) : QDialog(eltern, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("Info"));
    setFixedSize(298, 213);
    setFont(MsSansSerif(11, false));
    auto* panel = new DoppelFasenPanel(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setGeometry(8, 8, 281, 161);
    panel->setAccessibleName(QStringLiteral("Info"));
    auto* icon = new QLabel(panel);
    icon->setPixmap(symbol::Programm().pixmap(33, 33));
    icon->setGeometry(16, 20, 33, 33);
    icon->setObjectName(QStringLiteral("ProgramIcon"));
    icon->setAccessibleName(QStringLiteral("Programmsymbol"));
    auto* name = new QLabel(QStringLiteral("Ventaro"), panel);
    name->setObjectName(QStringLiteral("ProductName"));
    name->setFont(MsSansSerif(13));
    name->move(64, 16);
    version_ = new QLabel(QStringLiteral("Version "), panel);  // completed before each showing
    version_->setObjectName(QStringLiteral("Version"));
    version_->setGeometry(64, 40, 200, 16);
    auto* zeile1 = new QLabel(QString::fromUtf8("Mikroprogrammierter Modellrechner"), panel);
    zeile1->setGeometry(16, 80, 257, 16);
    auto* zeile2 = new QLabel(QString::fromUtf8("Register, Tore, ALU und Mikrocode lassen sich Schritt für Schritt "
                                                "beobachten und bedienen."),
                              panel);
    zeile2->setWordWrap(true);
    zeile2->setGeometry(16, 112, 257, 40);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setGeometry(111, 180, 75, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void TAboutBox::Zeigen(const QString& programmVersion) {
    version_->setText(QStringLiteral("Version ") + programmVersion);
    AufBildschirmmitte(this);
    exec();
}

QString TAboutBox::VersionText() const { return version_->text(); }

}  // namespace ventaro::ui
