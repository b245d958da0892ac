// Recording a microprogram through the real widgets: the editor's
// "Aufzeichnen", two steps worked on the datapath by clicks, and the ending.
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include "Testfenster.h"
#include "ui/SpeicherCP1Ansicht.h"

using namespace ventaro;
using namespace ventaro::ui;

class AufzeichnungTest : public test::Testfenster {
    Q_OBJECT

    QPushButton* Knopf(const char* name) { return Kind<QPushButton>(name); }

private slots:
    void init() { Starte(true); }
    void cleanup() { Beende(); }

    void twoStepsRecordedByClicksBecomeOpcodeOnesMicroprogram() {
        auto* leiste = Kind<QWidget>("Aufzeichnungsleiste");
        QVERIFY(!leiste->isVisible());
        const QSize flaeche = form_->centralWidget()->size();
        const QSize fenster = form_->size();
        QTimer::singleShot(0, mcDlg_.get(), [this] {
            mcDlg_->findChild<QSpinBox*>("CodeEdit")->stepUp();  // LDA
            mcDlg_->findChild<QPushButton*>("AufzeichnenBtn")->click();
        });
        Menue("Mikrocodebearbeiten1")->trigger();
        QVERIFY(!mcDlg_->isVisible());
        QVERIFY(leiste->isVisible());
        QCOMPARE(form_->centralWidget()->size(), flaeche);  // the window grew by the bar
        auto* panel0 = Kind<QLabel>("Panel0");
        QCOMPARE(panel0->text(), QStringLiteral("Aufzeichnung: Befehl 01 (LDA), Schritt 0"));

        // Start-up left PT and Read open. Step 0: ET opened, Akku latched.
        QTest::mouseClick(Kind<QAbstractButton>("ETBtn"), Qt::LeftButton);
        QTest::mouseClick(Kind<SpeicherCP1Ansicht>("Akku"), Qt::LeftButton);
        QTest::mouseClick(Knopf("SchrittAufnehmenBtn"), Qt::LeftButton);
        // Step 1: ET closed again.
        QTest::mouseClick(Kind<QAbstractButton>("ETBtn"), Qt::LeftButton);
        QTest::mouseClick(Knopf("SchrittAufnehmenBtn"), Qt::LeftButton);
        QCOMPARE(panel0->text(), QStringLiteral("Aufzeichnung: Befehl 01 (LDA), Schritt 2"));
        QCOMPARE(Kind<QLabel>("AufzeichnungWorte")->text(),
                 QStringLiteral("0: 100010010000100000\n1: 000010010000100000"));
        QVERIFY(M().Zustand().Reg(Register::Akku).Laden());  // the machine stays as set

        QTest::mouseClick(Knopf("AufzeichnungBeendenBtn"), Qt::LeftButton);
        QVERIFY(!leiste->isVisible());
        QCOMPARE(form_->centralWidget()->size(), flaeche);
        QCOMPARE(form_->size(), fenster);  // no empty band where the bar was
        QCOMPARE(panel0->text(), QString());  // the ended recording's step is gone
        QVERIFY(dienste_->eingaben.isEmpty());  // LDA has its mnemonic
        QCOMPARE(M().Mikrocode().Mikrocode0[Index(1, 1)].Text(), std::string_view("000010010010100000"));
        QCOMPARE(M().Mikrocode().Mikrocode1[Index(1, 0)].Text(), std::string_view("100010010000100000"));
        TMikrocodeTabelle gespeichert;
        gespeichert.SetzePfad(M().Tabelle().Pfad());
        gespeichert.AllesLaden();
        QCOMPARE(gespeichert.Steuerworte0[Index(1, 1)], std::string("000010010010100000"));
        QCOMPARE(gespeichert.Steuerworte0[Index(1, 2)], std::string(18, '0'));
    }
};

QTEST_MAIN(AufzeichnungTest)
#include "AufzeichnungTest.moc"
