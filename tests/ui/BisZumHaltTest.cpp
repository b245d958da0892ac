// "Bis zum Halt ausführen" in the real window with the shipped microcode:
// summe.obj runs to its end and the result is drawn; a click on an address
// sets a breakpoint, drawn red, where the run then stops.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>

#include "Testfenster.h"
#include "ui/BisZumHalt.h"
#include "ui/Farben.h"
#include "ui/SpeicherCP1Ansicht.h"
#include "ui/Statistikfenster.h"

namespace ventaro::ui::test {

class BisZumHaltTest : public Testfenster {
    Q_OBJECT

    void StarteMitBefehlssatz() {
        dienste_ = std::make_unique<TestDienste>();
        form_ = std::make_unique<TForm1>(*dienste_);
        const QString dir = verzeichnis_.path() + "/";
        QFile::copy(QStringLiteral(VENTARO_DATEN "/mikrocode.dat"), dir + "mikrocode.dat");
        mcDlg_ = std::make_unique<TmcDlg>(M().Tabelle(), dir, form_.get());
        aboutBox_ = std::make_unique<TAboutBox>(form_.get());
        form_->SetzeDialoge(mcDlg_.get(), aboutBox_.get());
        form_->SetzeStartdatei(QStringLiteral(VENTARO_DATEN "/beispiele/summe.obj"));
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
        form_->FormActivate();
    }
    QString Text(const char* name) { return Kind<QLabel>(name)->text(); }

private slots:
    void init() { StarteMitBefehlssatz(); }
    void cleanup() { Beende(); }

    void SummeLaeuftBisZumHaltUndDasErgebnisIstGezeichnet() {
        Menue("Statistik1")->trigger();
        Werkzeug(QString::fromUtf8("Bis zum Halt ausführen"))->trigger();
        QVERIFY(form_->Dauerlauf()->Laeuft());
        QVERIFY(!Kind<QPushButton>("EinzelschrittBtn")->isEnabled());
        form_->close();  // refused while it runs
        QVERIFY(form_->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!form_->Dauerlauf()->Laeuft(), 20000);
        QVERIFY(Kind<QPushButton>("EinzelschrittBtn")->isEnabled());
        QCOMPARE(Kind<QLineEdit>("DisplayEdit")->text(), QStringLiteral("00.055"));
        QCOMPARE(Gitter()->ZellText(31), QStringLiteral("00.055"));
        QVERIFY2(Text("Panel0").startsWith("Angehalten: 338 Mikroschritte, "), qPrintable(Text("Panel0")));
        QVERIFY(dienste_->programmfehler.isEmpty() && dienste_->warnungen.size() == 1);  // the refused close
        auto* tabelle = form_->Statistik()->findChild<QTableWidget*>("StatistikTabelle");
        QTRY_COMPARE(tabelle->rowCount(), 9);
        QCOMPARE(tabelle->item(0, 1)->text(), QStringLiteral("HLT"));
        QCOMPARE(tabelle->item(8, 4)->text(), QStringLiteral("3,00"));  // ANZ
        QVERIFY(form_->Statistik()->findChild<QLabel*>("StatistikSummen")->text().startsWith("Befehle: 85 "));
    }

    // After a run, to the halt or stopped by Escape, the controls are as
    // after a stopped clock and its steps can be taken back one by one; the
    // run's count leaves the status bar then. Counts are grouped by thin
    // spaces, not by the dots of cell texts.
    void NachEinemLaufGehtJederSchrittZurueck_data() {
        QTest::addColumn<QString>("programm");
        QTest::addColumn<bool>("escape");
        QTest::newRow("bis zum Halt") << "summe.obj" << false;
        QTest::newRow("mit Escape angehalten") << "dauerlauf.obj" << true;
    }
    void NachEinemLaufGehtJederSchrittZurueck() {
        QFETCH(QString, programm);
        QFETCH(bool, escape);
        dienste_->oeffnenPfad = QStringLiteral(VENTARO_DATEN "/beispiele/") + programm;
        Menue("ffnen1")->trigger();
        Menue("Statistik1")->trigger();
        form_->activateWindow();
        Gitter()->setFocus();
        Menue("BiszumHalt1")->trigger();
        if (escape) {
            QTRY_VERIFY(M().Rueckgaengig() > 0);
            QTest::keyClick(form_.get(), Qt::Key_Escape);
        }
        QTRY_VERIFY_WITH_TIMEOUT(!form_->Dauerlauf()->Laeuft(), 20000);
        const std::size_t aktionen = M().Rueckgaengig();
        QVERIFY(aktionen > 1);
        const QString gruppiert = QStringLiteral("\\d{1,3}(\u2009\\d{3})*");
        const QRegularExpression fortschritt("^Angehalten: " + gruppiert + " Mikroschritte, " + gruppiert + " je Sekunde$");
        QVERIFY2(fortschritt.match(Text("Panel0")).hasMatch(), qPrintable(Text("Panel0")));
        if (escape) {
            QVERIFY(Text("Panel0").contains(QChar(0x2009)));
            form_->Statistik()->Aktualisieren();
            const QString summen = form_->Statistik()->findChild<QLabel*>("StatistikSummen")->text();
            QVERIFY2(summen.contains(QChar(0x2009)) && !summen.contains('.'), qPrintable(summen));
        }

        QTest::keyClick(Gitter(), Qt::Key_Left, Qt::AltModifier);
        QCOMPARE(M().Rueckgaengig(), aktionen - 1);
        for (const char* knopf : {"EinzelschrittBtn", "ResetBtn", "StartBtn"})
            QVERIFY2(Kind<QPushButton>(knopf)->isEnabled(), knopf);
        QVERIFY(Kind<QToolBar>("ToolBar2")->isEnabled());
        QCOMPARE(Text("Panel0"), QString());
        Menue("MikroschrittZurueck1")->trigger();
        QCOMPARE(M().Rueckgaengig(), aktionen - 2);
        // "Stopp" clicked from the grid out of habit keeps the history.
        QTest::mouseClick(Kind<QPushButton>("StopBtn"), Qt::LeftButton);
        QCOMPARE(M().Rueckgaengig(), aktionen - 2);
    }

    void KlickAufDieAdresseSetztEinenHaltepunkt() {
        const QRect adresse = Gitter()->visualItemRect(Gitter()->item(9, 0));
        QTest::mouseClick(Gitter()->viewport(), Qt::LeftButton, {}, adresse.center());
        QVERIFY(M().Haltepunkt(9));
        QCOMPARE(Gitter()->item(9, 0)->background().color(), QColor(255, 0, 0));
        Menue("BiszumHalt1")->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(!form_->Dauerlauf()->Laeuft(), 20000);
        QCOMPARE(Text("Panel1"), QStringLiteral("Haltepunkt bei Adresse 009"));
        QCOMPARE(Kind<SpeicherCP1Ansicht>("PC")->Beschriftung(), QStringLiteral("009"));
        QTest::keyClick(form_.get(), Qt::Key_Escape);  // nothing runs: no effect
        QTest::mouseClick(Gitter()->viewport(), Qt::LeftButton, {}, adresse.center());
        QVERIFY(!M().Haltepunkt(9));
        QCOMPARE(Gitter()->item(9, 0)->background().color(), farbe::Knopfflaeche);  // the header look again
    }
};

}  // namespace ventaro::ui::test

QTEST_MAIN(ventaro::ui::test::BisZumHaltTest)
#include "BisZumHaltTest.moc"
