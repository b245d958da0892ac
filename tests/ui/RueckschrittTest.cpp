// Stepping back through the window: the menu items, their tool buttons and
// keys undo microsteps and clicks, and the window draws the earlier state.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include "Testfenster.h"

using namespace ventaro;
using namespace ventaro::ui;

class RueckschrittTest : public test::Testfenster {
    Q_OBJECT

    void Mikroschritt() { Kind<QPushButton>("EinzelschrittBtn")->click(); }
    // What the window draws of the machine's state.
    void GezeichnetWie(const TMaschinenzustand& z) {
        QCOMPARE(M().Zustand(), z);
        QCOMPARE(Kind<QLabel>("MPC")->text(), QString::fromStdString(TAnsicht::Von(M()).MpcText));
        QCOMPARE(Kind<QLineEdit>("MikroCodeEdit")->text(), QString::fromStdString(TAnsicht::Von(M()).SteuerwortText));
        for (int t = 0; t < TorAnzahl; ++t)
            QCOMPARE(Kind<QAbstractButton>(std::string(TorNamen[t]).append("Btn").c_str())->isChecked(),
                     M().Zustand().TorOffen(static_cast<Tor>(t)));
        QCOMPARE(Gitter()->currentRow(), M().Zustand().Ram.AktuelleZeile() - 1);
    }

private slots:
    void init() { Starte(true); }
    void cleanup() { Beende(); }

    void menuItemsUndoStepsAndClicksAndDrawTheEarlierState() {
        QAction* zurueck = Menue("MikroschrittZurueck1");
        QAction* befehl = Menue("BefehlZurueck1");
        QVERIFY(!zurueck->isEnabled() && !befehl->isEnabled());  // nothing recorded after start-up

        M().ZelleUebergeben(0, "01.005");
        std::vector<TMaschinenzustand> befehlsanfaenge;
        for (int i = 0; i < 5; ++i) {
            if (M().Zustand().MPC == 1) befehlsanfaenge.push_back(M().Zustand());
            Mikroschritt();
        }
        const TMaschinenzustand vorKlick = M().Zustand();
        Kind<QAbstractButton>("ETBtn")->click();
        QVERIFY(zurueck->isEnabled() && befehl->isEnabled());
        QVERIFY(zurueck->toolTip().contains(QStringLiteral(": 5 Mikroschritte können zurückgenommen werden")));

        zurueck->trigger();
        GezeichnetWie(vorKlick);
        befehl->trigger();
        GezeichnetWie(befehlsanfaenge.back());

        // The key, as the tool tip names it.
        form_->activateWindow();
        QTest::keyClick(form_.get(), Qt::Key_Up, Qt::AltModifier);
        GezeichnetWie(befehlsanfaenge[befehlsanfaenge.size() - 2]);

        Kind<QPushButton>("StartBtn")->click();  // the clock runs: no stepping back
        QVERIFY(!zurueck->isEnabled() && !befehl->isEnabled());
        Kind<QPushButton>("StopBtn")->click();
        QVERIFY(zurueck->isEnabled());
    }

    // A step the clock took goes back, and the controls stay as after "Stopp".
    void aStepOfTheClockGoesBackWithTheControlsFree() {
        M().ZelleUebergeben(0, "01.005");
        Kind<QScrollBar>("Taktrate")->setValue(20);
        Kind<QPushButton>("StartBtn")->click();
        QTRY_VERIFY(M().Rueckgaengig() > 0);
        Kind<QPushButton>("StopBtn")->click();
        const std::size_t aktionen = M().Rueckgaengig();
        Menue("MikroschrittZurueck1")->trigger();
        QCOMPARE(M().Rueckgaengig(), aktionen - 1);
        for (const char* knopf : {"EinzelschrittBtn", "ResetBtn", "StartBtn"})
            QVERIFY2(Kind<QPushButton>(knopf)->isEnabled(), knopf);
        QVERIFY(Kind<QToolBar>("ToolBar2")->isEnabled());
    }
};

QTEST_MAIN(RueckschrittTest)
#include "RueckschrittTest.moc"
