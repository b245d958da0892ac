// The main window under the offscreen platform: every test clicks the real
// widgets and reads what the window shows.
#include <QAccessible>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableWidget>

#include "Testfenster.h"
#include "ui/Anwendung.h"
#include "ui/Fensterort.h"
#include "ui/ProgrammtextFenster.h"
#include "ui/Statistikfenster.h"
#include "ui/SpeicherCP1Ansicht.h"

using namespace ventaro;
using namespace ventaro::ui;

class FensterTest : public test::Testfenster {
    Q_OBJECT

    static void RechtsKlick(QWidget* w) {
        QTest::mousePress(w, Qt::RightButton);
        QTest::mouseRelease(w, Qt::RightButton);
    }

private slots:
    void initTestCase() { AnwendungEinrichten(); }
    void init() { Starte(true); }
    void cleanup() { Beende(); }

    void startupShowsTitleRamAndFirstMicrostep() {
        QCOMPARE(form_->windowTitle(), QStringLiteral("Ventaro " VENTARO_VERSION));
        QCOMPARE(dienste_->wartezeiten, QList<int>{2000});
        QCOMPARE(Gitter()->horizontalHeaderItem(0)->text(), QStringLiteral("Adr."));
        QCOMPARE(Gitter()->horizontalHeaderItem(1)->text(), QStringLiteral("Inhalt"));
        for (int r = 0; r < 128; ++r) {
            QCOMPARE(Gitter()->item(r, 0)->text(), QString::asprintf("%03d", r));
            QCOMPARE(Gitter()->item(r, 1)->text(), QStringLiteral("00.000"));
        }
        QCOMPARE(M().Zustand().MPC, Wort{1});
        QCOMPARE(Kind<QLabel>("MPC")->text(), QStringLiteral("000"));
        QCOMPARE(Kind<QLineEdit>("MikroCodeEdit")->text(), QStringLiteral("000010000000100000"));
        QVERIFY(Kind<QAbstractButton>("PTBtn")->isChecked());
        QVERIFY(Kind<QAbstractButton>("ReadBtn")->isChecked());
        QVERIFY(dienste_->programmfehler.isEmpty());
        // Activating again (after a dialog closed) runs nothing a second time.
        form_->FormActivate();
        QCOMPARE(dienste_->wartezeiten.size(), 1);
    }

    void startupWithoutMicrocodeStopsWithTheFileError() {
        Beende();
        Starte(false);
        QCOMPARE(dienste_->programmfehler.size(), 1);
        QVERIFY(dienste_->programmfehler[0].startsWith("Datei " + verzeichnis_.path() + "/ohne/mikrocode.dat kann nicht ge\u00f6ffnet werden. "));
        QVERIFY(dienste_->programmfehler[0].endsWith("."));
        QCOMPARE(form_->windowTitle(), QStringLiteral("Ventaro " VENTARO_VERSION));
        QVERIFY(Gitter()->horizontalHeaderItem(0)->text().isEmpty());
        QVERIFY(Gitter()->item(0, 1)->text().isEmpty());
        QVERIFY(dienste_->wartezeiten.isEmpty());
        QCOMPARE(M().Datei().RamDateiname, std::string());
        QCOMPARE(Kind<QLineEdit>("MikroCodeEdit")->text(), QStringLiteral("Mikroschrittcode"));
    }

    void gateClickTogglesAndRunsTheSetter() {
        auto* et = Kind<QAbstractButton>("ETBtn");
        M().FuerTests().zustand.SetzeTorZustand(Tor::Read, false);  // open since the start-up's fetch
        M().FuerTests().zustand.ExternerBus = 261;
        QTest::mouseClick(et, Qt::LeftButton);
        QVERIFY(M().Zustand().TorOffen(Tor::ET));
        QVERIFY(et->isChecked());
        QCOMPARE(M().Zustand().InternerBus, Wort{261});
        QTest::mouseClick(et, Qt::LeftButton);
        QVERIFY(!M().Zustand().TorOffen(Tor::ET));
        QVERIFY(!et->isChecked());
        QCOMPARE(M().Zustand().InternerBus, Wort{0});
    }

    void conflictShowsInStatusPanelOne() {
        QTest::mouseClick(Kind<QAbstractButton>("ATBtn"), Qt::LeftButton);  // Read is open since start-up
        QCOMPARE(Kind<QLabel>("Panel1")->text(), QStringLiteral("Warnung: Zu viele Tore ge\u00f6ffnet!"));
        QTest::mouseClick(Kind<QAbstractButton>("ATBtn"), Qt::LeftButton);
        QVERIFY(Kind<QLabel>("Panel1")->text().isEmpty());
    }

    void registerClickTogglesTheLatchAndItsLooks() {
        auto* akku = Kind<SpeicherCP1Ansicht>("Akku");
        M().FuerTests().zustand.InternerBus = 42;
        M().FuerTests().datenpfad.Aktualisiere();
        QTest::mouseClick(akku, Qt::LeftButton);
        QVERIFY(M().Zustand().Reg(Register::Akku).Laden());
        QCOMPARE(M().Zustand().Reg(Register::Akku).Look(), Aussehen::Geladen);
        QCOMPARE(akku->Beschriftung(), QStringLiteral("042"));
        QTest::mouseClick(akku, Qt::LeftButton);
        QCOMPARE(M().Zustand().Reg(Register::Akku).Look(), Aussehen::Freigegeben);
    }

    void rightButtonOnPcIncrementsAndWraps() {
        auto* pc = Kind<SpeicherCP1Ansicht>("PC");
        RechtsKlick(pc);
        QCOMPARE(M().Zustand().Reg(Register::PC).RegisterInhalt(), Wort{1});
        QVERIFY(!M().Zustand().Reg(Register::PC).Laden());  // the right button is no latch click
        M().FuerTests().zustand.Reg(Register::PC).SetRegisterInhalt(65535);
        RechtsKlick(pc);
        QCOMPARE(M().Zustand().Reg(Register::PC).RegisterInhalt(), Wort{0});
        // A latched PC loads its input again in the pass that follows.
        QTest::mouseClick(pc, Qt::LeftButton);
        const Wort eingang = M().Zustand().Reg(Register::PC).Eingang();
        RechtsKlick(pc);
        QCOMPARE(M().Zustand().Reg(Register::PC).RegisterInhalt(), eingang);
    }

    void aluListSelectsTheOperation() {
        auto* liste = Kind<QListWidget>("ALUBox");
        M().FuerTests().zustand.Reg(Register::Akku).SetRegisterInhalt(3);
        M().FuerTests().zustand.InternerBus = 5;
        QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, liste->visualItemRect(liste->item(1)).center());
        QCOMPARE(M().Zustand().AluAuswahl, 1);
        QCOMPARE(Kind<QLabel>("ALULbl")->text(), QStringLiteral("65534"));
        const auto passes = M().Durchlaeufe();
        QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, liste->visualItemRect(liste->item(1)).center());
        QCOMPARE(M().Durchlaeufe(), passes + 1);  // the same item again runs the pass again
    }

    void hintsFollowThePointer() {
        auto* panel0 = Kind<QLabel>("Panel0");
        QTest::mouseMove(Kind<QAbstractButton>("ITBtn"), QPoint(5, 5));
        QCOMPARE(panel0->text(), QStringLiteral("Indexregsitertor: Verbindet den Ausgang des IR mit der Adresssteuerung des RAMs"));
        QTest::mouseMove(Kind<SpeicherCP1Ansicht>("PC"), QPoint(40, 20));
        QCOMPARE(panel0->text(), QString::fromUtf8("Programmzähler; rechte Maustaste erhöht den Inhalt um 1"));
        // The RAM grid reports no movement: the hint stays.
        QTest::mouseMove(Gitter()->viewport(), QPoint(30, 30));
        QCOMPARE(panel0->text(), QString::fromUtf8("Programmzähler; rechte Maustaste erhöht den Inhalt um 1"));
        QTest::mouseMove(Kind<QWidget>("ALUPnl"), QPoint(70, 110));
        QCOMPARE(panel0->text(), QStringLiteral("Arithemtisch Logische Einheit"));
        // Bare background clears the panel; a wire does not.
        QTest::mouseMove(form_->centralWidget(), QPoint(28, 200));
        QCOMPARE(panel0->text(), QStringLiteral("Arithemtisch Logische Einheit"));
        QTest::mouseMove(form_->centralWidget(), QPoint(60, 150));
        QVERIFY(panel0->text().isEmpty());
    }

    void editingACellSetsRamEditiertAndLeavingChecksAll() {
        auto* gitter = Gitter();
        gitter->setFocus();
        gitter->setCurrentCell(3, 1);
        QTest::keyClick(gitter, 'a');  // typing opens the editor with the character
        QTest::keyClick(QApplication::focusWidget(), 'b');
        QVERIFY(M().RamEditiert());
        QCOMPARE(M().Zustand().Ram.Text(3), std::string("ab"));
        // Leaving the grid for another control checks every cell.
        Kind<QLineEdit>("DisplayEdit")->setFocus();
        QCOMPARE(dienste_->fehlerboxen, QStringList{"Inhalt der Zelle 003 ist nicht korrekt."});
        QVERIFY(!Kind<QPushButton>("EinzelschrittBtn")->isEnabled());
        QVERIFY(!Kind<QPushButton>("StartBtn")->isEnabled());
    }

    void escapeLeavesTheStoreAsBeforeTheEditor() {
        auto* gitter = Gitter();
        gitter->setFocus();
        gitter->setCurrentCell(4, 1);
        QTest::keyClick(gitter, 'a');
        QTest::keyClick(QApplication::focusWidget(), 'b');
        QCOMPARE(M().Zustand().Ram.Text(4), std::string("ab"));  // every keystroke is handed over
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!gitter->EditorOffen());
        QCOMPARE(M().Zustand().Ram.Text(4), std::string("00.000"));
        QCOMPARE(gitter->ZellText(5), QStringLiteral("00.000"));
        QVERIFY(!M().RamEditiert());
    }

    void aRedrawLeavesTheOpenEditorAlone() {
        auto* gitter = Gitter();
        gitter->setFocus();
        gitter->setCurrentCell(0, 1);  // where the open PT gate points, so the pass keeps the row
        QTest::keyClick(gitter, '0');
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(editor);
        QTest::keyClicks(editor, "1.017");
        QTest::keyClick(editor, Qt::Key_Left);
        QTest::keyClick(editor, Qt::Key_Left);
        QTest::keyClick(editor, Qt::Key_Backspace);  // "01.17", the cursor behind the point
        QTest::mouseClick(Kind<SpeicherCP1Ansicht>("Akku"), Qt::LeftButton);  // redraws, as a clock tick does
        QCOMPARE(editor->text(), QStringLiteral("01.17"));
        QCOMPARE(editor->cursorPosition(), 3);
        QTest::keyClick(editor, '0');
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(M().Zustand().Ram.Text(0), std::string("01.017"));
    }

    // A click on the selected cell opens its editor only after the
    // double-click time; what is typed at once must still land in that cell.
    void typingIntoAClickedCellEditsThatCell_data() {
        QTest::addColumn<int>("zeile");
        QTest::addColumn<QString>("text");
        QTest::newRow("000, Ziffer") << 0 << "03.007";
        QTest::newRow("000, Buchstabe") << 0 << "x";
        QTest::newRow("005, Ziffer") << 5 << "01.001";
    }
    void typingIntoAClickedCellEditsThatCell() {
        QFETCH(int, zeile);
        QFETCH(QString, text);
        auto* gitter = Gitter();
        for (int a = 0; a < 8; ++a) M().FuerTests().zustand.Ram.SetzeText(a, "02.030");
        form_->activateWindow();
        gitter->setFocus();
        gitter->setCurrentCell(zeile, 1);
        QTest::mouseClick(gitter->viewport(), Qt::LeftButton, {}, gitter->visualItemRect(gitter->item(zeile, 1)).center());
        QTest::keyClick(gitter, text.at(0).toLatin1());
        QTest::keyClicks(QApplication::focusWidget(), text.mid(1));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QString::fromStdString(M().Zustand().Ram.Text(zeile)), text);
        QCOMPARE(M().Zustand().Ram.Text(zeile + 1), std::string("02.030"));
    }

    void tabLeavesTheGridAndChecksAllCells_data() {
        QTest::addColumn<bool>("imEditor");
        QTest::newRow("Gitter") << false;
        QTest::newRow("Zelleneditor") << true;
    }
    void tabLeavesTheGridAndChecksAllCells() {
        QFETCH(bool, imEditor);
        M().ZelleUebergeben(2, "x");
        auto* gitter = Gitter();
        gitter->setFocus();
        gitter->setCurrentCell(0, 1);
        if (imEditor) gitter->EditorOeffnen();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(!gitter->EditorOffen());
        QVERIFY(QApplication::focusWidget() != gitter && !gitter->isAncestorOf(QApplication::focusWidget()));
        QCOMPARE(dienste_->fehlerboxen, QStringList{"Inhalt der Zelle 002 ist nicht korrekt."});
        QCOMPARE(M().Zustand().Ram.AktuelleZeile(), 1);
    }

    void enterPressesTheFocusedButton_data() {
        QTest::addColumn<QString>("knopf");
        for (const char* name : {"EinzelschrittBtn", "ResetBtn", "StartBtn", "StopBtn"}) QTest::newRow(name) << name;
    }
    void enterPressesTheFocusedButton() {
        QFETCH(QString, knopf);
        auto* k = Kind<QPushButton>(qPrintable(knopf));
        k->setFocus();
        QSignalSpy gedrueckt(k, &QPushButton::clicked);
        QTest::keyClick(k, Qt::Key_Return);
        QTest::keyClick(k, Qt::Key_Enter);
        QCOMPARE(gedrueckt.count(), k == Kind<QPushButton>("StartBtn") ? 1 : 2);  // Start disables itself
    }

    void aSecondClickLetThroughOpensNoSecondDialog_data() {
        QTest::addColumn<QString>("befehl");
        for (const char* name : {"Mikrocodebearbeiten1", "ffnen1", "Speichern1", "Speichernunter1"})
            QTest::newRow(name) << name;
    }
    void aSecondClickLetThroughOpensNoSecondDialog() {
        QFETCH(QString, befehl);
        QAction* aktion = Menue(qPrintable(befehl));
        // The double-click's second click arrives while the first one's
        // dialog is being opened or is open.
        dienste_->beimVerarbeiten = [aktion] { aktion->trigger(); };
        dienste_->waehrendDateidialog = [aktion] { aktion->trigger(); };
        int editoren = 0;
        QTimer schliesser;
        connect(&schliesser, &QTimer::timeout, this, [&] {
            if (!mcDlg_->isVisible()) return;
            ++editoren;
            mcDlg_->reject();
        });
        schliesser.start(0);
        aktion->trigger();
        QCOMPARE(editoren + dienste_->dateidialoge, 1);
    }

    void aDragInTheAluListChoosesTheItemItEndsOn() {
        auto* liste = Kind<QListWidget>("ALUBox");
        auto mitte = [liste](int i) { return liste->visualItemRect(liste->item(i)).center(); };
        M().FuerTests().zustand.Reg(Register::Akku).SetRegisterInhalt(3);
        M().FuerTests().zustand.InternerBus = 5;
        const auto passes = M().Durchlaeufe();
        QTest::mousePress(liste->viewport(), Qt::LeftButton, {}, mitte(1));
        QMouseEvent ziehen(QEvent::MouseMove, mitte(0), liste->viewport()->mapToGlobal(mitte(0)), Qt::NoButton,
                           Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(liste->viewport(), &ziehen);
        QTest::mouseRelease(liste->viewport(), Qt::LeftButton, {}, mitte(0));
        QCOMPARE(liste->currentRow(), 0);
        QCOMPARE(M().Zustand().AluAuswahl, 0);
        QCOMPARE(Kind<QLabel>("ALULbl")->text(), QStringLiteral("008"));
        QCOMPARE(M().Durchlaeufe(), passes + 1);
    }

    void selectingACellDecodesIt() {
        M().ZelleUebergeben(5, "01.017");
        M().Tabelle().Mnemonics[1] = "LDA";
        Gitter()->setCurrentCell(5, 1);
        QCOMPARE(Kind<QLabel>("Panel1")->text(), QStringLiteral(" LDA 017"));
        QCOMPARE(M().Zustand().Ram.AktuelleZeile(), 6);
    }

    void enterMovesToTheNextCellAndOpensItsEditor() {
        auto* gitter = Gitter();
        gitter->setFocus();
        gitter->setCurrentCell(126, 1);
        QTest::keyClick(gitter, Qt::Key_Return);
        QCOMPARE(M().Zustand().Ram.AktuelleZeile(), 128);
        QVERIFY(gitter->EditorOffen());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(M().Zustand().Ram.AktuelleZeile(), 128);  // the last row stays
        QVERIFY(!gitter->EditorOffen());
        QVERIFY(dienste_->fehlerboxen.isEmpty());
    }

    void readClickWithBadCellsReportsAndStillToggles() {
        M().ZelleUebergeben(3, "30.000");
        M().ZelleUebergeben(10, "x");
        auto* read = Kind<QAbstractButton>("ReadBtn");
        const bool vorher = read->isChecked();
        QTest::mouseClick(read, Qt::LeftButton);
        QCOMPARE(dienste_->fehlerboxen, (QStringList{"Inhalt der Zelle 003 ist nicht korrekt.",
                                                     "Inhalt der Zelle 010 ist nicht korrekt."}));
        QCOMPARE(read->isChecked(), !vorher);
        QVERIFY(!Kind<QPushButton>("EinzelschrittBtn")->isEnabled());
    }

    void clockButtonsFollowTheEnablingTable() {
        auto* start = Kind<QPushButton>("StartBtn");
        QTest::mouseClick(start, Qt::LeftButton);
        QVERIFY(form_->Takt().isActive());
        QCOMPARE(form_->Takt().interval(), 1000);
        for (const char* name : {"StartBtn", "EinzelschrittBtn", "ResetBtn"}) QVERIFY(!Kind<QWidget>(name)->isEnabled());
        QVERIFY(!Kind<QToolBar>("ToolBar2")->isEnabled());
        QVERIFY(Kind<QPushButton>("StopBtn")->isEnabled());
        // The menu stops the clock but enables nothing.
        Menue("Programmbeenden1")->trigger();
        QVERIFY(!form_->Takt().isActive());
        QVERIFY(!start->isEnabled());
        QTest::mouseClick(Kind<QPushButton>("StopBtn"), Qt::LeftButton);
        for (const char* name : {"StartBtn", "EinzelschrittBtn", "ResetBtn", "ToolBar2"}) QVERIFY(Kind<QWidget>(name)->isEnabled());
        // Started from the menu, the buttons stay usable.
        Menue("Programmstarten1")->trigger();
        QVERIFY(form_->Takt().isActive());
        QVERIFY(start->isEnabled());
    }

    void clockRateSetsTheInterval_data() {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("intervall");
        QTest::newRow("20 Hz") << 20 << 50;
        QTest::newRow("6 Hz") << 6 << 166;
        QTest::newRow("7 Hz") << 7 << 142;
        QTest::newRow("1 Hz") << 1 << 1000;
    }
    void clockRateSetsTheInterval() {
        QFETCH(int, position);
        QFETCH(int, intervall);
        auto* rate = Kind<QScrollBar>("Taktrate");
        rate->setValue(position == 1 ? 2 : 1);
        rate->setValue(position);
        QCOMPARE(form_->Takt().interval(), intervall);
    }

    void tickRunsAMicrostep() {
        const auto vorher = M().Mikroschritte();
        Menue("Programmstarten1")->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(M().Mikroschritte() > vorher, 3000);
    }

    void failingTicksDoNotPileUpBoxes() {
        // Cell 0 fetches opcode 2, whose word cannot be converted.
        M().ZelleUebergeben(0, "02.000");
        M().AllePruefen();
        QTest::mouseClick(Kind<QPushButton>("EinzelschrittBtn"), Qt::LeftButton);  // fetch: jumps into opcode 2
        QCOMPARE(dienste_->programmfehler, QStringList{"'x' ist kein g\u00fcltiger Integerwert."});
        dienste_->programmfehler.clear();
        int ticksWaehrendBox = 0;
        dienste_->waehrendProgrammfehler = [&] {
            // Ticks arriving while the box is open are held.
            for (int i = 0; i < 3; ++i) QMetaObject::invokeMethod(const_cast<QTimer*>(&form_->Takt()), "timeout");
            ++ticksWaehrendBox;
        };
        QMetaObject::invokeMethod(const_cast<QTimer*>(&form_->Takt()), "timeout");
        QCOMPARE(dienste_->programmfehler.size(), 1);
        QCOMPARE(ticksWaehrendBox, 1);
        QCOMPARE(M().Zustand().MPC, Wort{20});  // the failing step does not advance
    }

    void toolBarQuitsWhileTheMenuOnlyStopsTheClock() {
        Menue("Programmstarten1")->trigger();
        Menue("Programmbeenden1")->trigger();
        QVERIFY(form_->isVisible());
        QVERIFY(!form_->Takt().isActive());
        Werkzeug(QStringLiteral("Programm beenden"))->trigger();
        QVERIFY(!form_->isVisible());
    }

    void closingWhileTheClockRunsIsRefused() {
        M().FuerTests().datei.RamEditiert = true;
        QTest::mouseClick(Kind<QPushButton>("StartBtn"), Qt::LeftButton);
        form_->close();
        QVERIFY(form_->isVisible());
        QVERIFY(form_->Takt().isActive());
        QCOMPARE(dienste_->warnungen.size(), 1);
        QVERIFY(dienste_->fragen.isEmpty());
    }

    void editorOkCopiesTheTableCancelDoesNot() {
        // Commits a mark in step 5 of the shown opcode 0, then closes.
        auto schliesse = [this](const char* knopf) {
            QTimer::singleShot(0, mcDlg_.get(), [this, knopf] {
                auto* gitter = mcDlg_->findChild<QTableWidget*>("flag0grid");
                gitter->item(18, 6)->setText("X");
                mcDlg_->findChild<QPushButton*>("MCSpeichernBtn")->click();
                mcDlg_->findChild<QPushButton*>(QString::fromLatin1(knopf))->click();
            });
        };
        // After "Abbrechen" the dialog's table holds the commit, the machine not.
        schliesse("CancelBtn");
        Menue("Mikrocodebearbeiten1")->trigger();
        QCOMPARE(M().Tabelle().Steuerworte0[5], std::string("000000000000000001"));
        QCOMPARE(M().Mikrocode().Mikrocode0[5].Text(), std::string_view("000000000000000000"));
        schliesse("OKBtn");
        Menue("Mikrocodebearbeiten1")->trigger();
        QCOMPARE(M().Mikrocode().Mikrocode0[5].Text(), std::string_view("000000000000000001"));
        QCOMPARE(Kind<QLineEdit>("MikroCodeEdit")->text(), QStringLiteral("000010000000100000"));  // not redrawn
    }

    // Pixels of the drawn window at the layout's client coordinates.
    void drawingFollowsTheLayout_data() {
        QTest::addColumn<QPoint>("ort");
        QTest::addColumn<QColor>("farbe");
        const QColor schwarz(Qt::black), weiss(Qt::white), flaeche(212, 208, 200), rot(255, 0, 0);
        auto punkt = [](const char* name, int x, int y, QColor c) { QTest::newRow(name) << QPoint(x, y) << c; };
        punkt("Busleitung, Rand", 100, 72, schwarz);
        punkt("Busleitung, innen", 110, 76, weiss);
        // At each bend the seam is gone and the outline runs on unbroken.
        const struct { const char* name; QPoint naht, innenecke, innen, aussen; } ecken[] = {
            {"K1 oben links", {28, 80}, {32, 80}, {32, 84}, {24, 84}},
            {"K2 unten links", {28, 464}, {32, 464}, {32, 460}, {28, 472}},
            {"K3 unten rechts", {120, 468}, {120, 464}, {120, 455}, {128, 468}},
            {"K4 IT-Ecke", {492, 248}, {488, 248}, {484, 248}, {496, 252}},
            {"K5 PT-Ecke", {492, 184}, {488, 184}, {488, 190}, {496, 180}},
            {"K6 Anzeige", {732, 80}, {728, 80}, {728, 90}, {736, 76}},
        };
        for (const auto& e : ecken) {
            QTest::newRow(qPrintable(QStringLiteral("%1, Naht").arg(e.name))) << e.naht << weiss;
            QTest::newRow(qPrintable(QStringLiteral("%1, Innenecke").arg(e.name))) << e.innenecke << schwarz;
            QTest::newRow(qPrintable(QStringLiteral("%1, Innenrand").arg(e.name))) << e.innen << schwarz;
            QTest::newRow(qPrintable(QStringLiteral("%1, Aussenrand").arg(e.name))) << e.aussen << schwarz;
        }
        punkt("Knoten, Rand links", 84, 76, schwarz);
        punkt("Knoten, innen", 92, 76, weiss);
        punkt("ALU-Panel deckt W4", 124, 316, flaeche);
        punkt("MPC-Panel deckt die Steuerleitung", 252, 356, flaeche);
        punkt("Steuerleitung im Steuerwerk", 244, 356, rot);
        punkt("Akku ungeladen", 117, 148, flaeche);
    }
    void drawingFollowsTheLayout() {
        QFETCH(QPoint, ort);
        QFETCH(QColor, farbe);
        const QImage bild = form_->centralWidget()->grab().toImage();
        QCOMPARE(bild.pixelColor(ort), farbe);
    }

    void gridsRepeatTheirRowsAndFillTheirFrames() {
        auto* gitter = Gitter();
        for (int r = 0; r < 6; ++r) QCOMPARE(gitter->rowViewportPosition(r), 25 * r);
        const QImage ram = gitter->viewport()->grab().toImage();
        QVERIFY(ram.pixelColor(115, 12) != ram.pixelColor(115, 24));  // the line below the first row
        for (const char* name : {"flag0grid", "flag1grid"}) {
            auto* g = mcDlg_->findChild<QTableWidget*>(name);
            const int breite = g->columnViewportPosition(10) + g->columnWidth(10);
            const int hoehe = g->rowViewportPosition(18) + g->rowHeight(18);
            QVERIFY(g->viewport()->width() - breite <= 1);  // at most a pixel left over
            QVERIFY(g->viewport()->height() - hoehe <= 1);
        }
    }

    void theDisplayShowsAllSevenCharacters() {
        M().FuerTests().zustand.Reg(Register::Anz).SetRegisterInhalt(65534);
        QTest::mouseClick(Kind<QAbstractButton>("ETBtn"), Qt::LeftButton);  // a pass writes the display
        auto* anzeige = Kind<QLineEdit>("DisplayEdit");
        QCOMPARE(anzeige->text(), QStringLiteral("255.254"));
        // Count the red glyphs from left to right: seven, none cut at an edge.
        const QImage bild = anzeige->grab().toImage();
        int zeichen = 0;
        bool imZeichen = false, amRand = false;
        for (int x = 0; x < bild.width(); ++x) {
            bool rot = false;
            for (int y = 0; y < bild.height(); ++y) {
                const QColor c = bild.pixelColor(x, y);
                rot = rot || (c.red() > 128 && c.green() < 80);
            }
            if (rot && !imZeichen) ++zeichen;
            if (rot && (x < 2 || x > bild.width() - 3)) amRand = true;
            imZeichen = rot;
        }
        QCOMPARE(zeichen, 7);
        QVERIFY(!amRand);
    }

    void startUpWidensTheCellColumnBeforeLoadingTheMicrocode() {
        Beende();
        Starte(false);  // stops at the microcode
        QCOMPARE(Gitter()->columnWidth(1), 80);
    }

    void dialogsOpenInTheMiddleOfTheScreen() {
        const QPoint mitte = form_->screen()->availableGeometry().center();
        QPoint editor, info;
        QTimer::singleShot(0, mcDlg_.get(), [&] {
            editor = mcDlg_->frameGeometry().center();
            mcDlg_->reject();
        });
        Menue("Mikrocodebearbeiten1")->trigger();
        QTimer::singleShot(0, aboutBox_.get(), [&] {
            info = aboutBox_->frameGeometry().center();
            aboutBox_->reject();
        });
        Menue("Info1")->trigger();
        // The offscreen platform adds its frame of two pixels after placing.
        QVERIFY((editor - mitte).manhattanLength() <= 4);
        QVERIFY((info - mitte).manhattanLength() <= 4);
    }

    // A second window goes beside the main window: right if there is room,
    // else left, else on the roomier side, kept on the screen.
    void aSecondWindowsPlaceIsBesideTheMainWindow_data() {
        QTest::addColumn<QRect>("haupt");
        QTest::addColumn<QPoint>("ort");
        QTest::newRow("rechts Platz") << QRect(100, 50, 811, 600) << QPoint(919, 50);
        QTest::newRow("links Platz") << QRect(700, 50, 811, 600) << QPoint(212, 50);
        QTest::newRow("kein Platz") << QRect(380, 500, 811, 600) << QPoint(1120, 300);
    }
    void aSecondWindowsPlaceIsBesideTheMainWindow() {
        QFETCH(QRect, haupt);
        QFETCH(QPoint, ort);
        QCOMPARE(Nebenort(haupt, QSize(480, 600), QRect(0, 0, 1600, 900)), ort);
    }

    // Statistics and program text open there and, once moved, reopen where
    // they were.
    void statisticsAndProgramTextOpenBesideAndWhereTheyWere() {
        const QRect schirm = form_->screen()->availableGeometry();
        Menue("Statistik1")->trigger();
        Menue("Programmtext1")->trigger();
        const QList<QWidget*> fenster = {form_->Statistik(), form_->Programmtextfenster()};
        QList<QPoint> verschoben;
        for (QWidget* f : fenster) {
            // The offscreen platform adds its frame of two pixels after placing.
            const QPoint neben = Nebenort(form_->frameGeometry(), f->frameGeometry().size(), schirm);
            QVERIFY((f->pos() - neben).manhattanLength() <= 8);
            f->move(f->pos() + QPoint(-3, 7));
            verschoben << f->pos();
            f->close();
        }
        Menue("Statistik1")->trigger();
        Menue("Programmtext1")->trigger();
        for (int i = 0; i < fenster.size(); ++i) QCOMPARE(fenster[i]->pos(), verschoben[i]);
    }

    // Alt and a menu's underlined letter opens it; the usual shortcuts run
    // their items from the grid, where the focus is.
    void menusAndItemsHaveTheirKeys_data() {
        QTest::addColumn<QKeySequence>("taste");
        QTest::addColumn<QString>("ziel");  // a menu that opens or an item that runs
        QTest::newRow("Alt+D") << QKeySequence(Qt::ALT | Qt::Key_D) << "Datei1";
        QTest::newRow("Alt+B") << QKeySequence(Qt::ALT | Qt::Key_B) << "Bearbeiten1";
        QTest::newRow("Alt+H") << QKeySequence(Qt::ALT | Qt::Key_H) << "Hilfe1";
        QTest::newRow("Strg+O") << QKeySequence(Qt::CTRL | Qt::Key_O) << "ffnen1";
        QTest::newRow("Strg+S") << QKeySequence(Qt::CTRL | Qt::Key_S) << "Speichern1";
        QTest::newRow("Strg+Umschalt+S") << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S) << "Speichernunter1";
        QTest::newRow("F1") << QKeySequence(Qt::Key_F1) << "HilfezumModellrechner1";
    }
    void menusAndItemsHaveTheirKeys() {
        QFETCH(QKeySequence, taste);
        QFETCH(QString, ziel);
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
        Gitter()->setFocus();
        if (auto* menue = form_->findChild<QMenu*>(ziel)) {
            QVERIFY(menue->title().startsWith('&'));  // the letter is underlined
            QTest::keySequence(form_.get(), taste);
            QTRY_VERIFY(menue->isVisible());
            menue->close();
            return;
        }
        QAction* eintrag = Menue(qPrintable(ziel));
        QCOMPARE(eintrag->shortcut(), taste);  // shown beside the item
        QSignalSpy ausgeloest(eintrag, &QAction::triggered);
        QTest::keySequence(QApplication::focusWidget(), taste);
        QCOMPARE(ausgeloest.count(), 1);
    }

    // The help page's tables of the menus and the tool bar keep up with the
    // window: every item and every tool button is named there.
    void theHelpPageNamesEveryMenuItemAndToolButton() {
        QFile seite(QStringLiteral(VENTARO_DATEN "/hilfe/Ventaro.htm"));
        QVERIFY(seite.open(QIODevice::ReadOnly));
        const QString hilfe = QString::fromUtf8(seite.readAll());
        QList<QAction*> aktionen = Kind<QToolBar>("ToolBar2")->actions();
        for (QMenu* menue : form_->menuBar()->findChildren<QMenu*>()) aktionen += menue->actions();
        for (QAction* a : aktionen) {
            // The sizes are named together ("100, 125, 150 oder 200 Prozent").
            if (a->isSeparator() || a->objectName().startsWith(QStringLiteral("Groesse"))) continue;
            const QString name = a->text().remove(QLatin1Char('&'));
            QVERIFY2(hilfe.contains(name), qPrintable(name));
        }
    }

    // No shortcut of the window takes a key that the cell editor, the grid or
    // the datapath's buttons use.
    void noShortcutTakesAKeyOfTheGridOrTheDatapath() {
        QList<QKeySequence> belegt = {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_Tab, Qt::Key_Space,
                                      Qt::Key_F2, Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down,
                                      Qt::Key_Home, Qt::Key_End, Qt::Key_PageUp, Qt::Key_PageDown};
        for (auto standard : {QKeySequence::Undo, QKeySequence::Redo, QKeySequence::Cut, QKeySequence::Copy,
                              QKeySequence::Paste, QKeySequence::SelectAll, QKeySequence::Delete,
                              QKeySequence::Backspace, QKeySequence::MoveToNextWord, QKeySequence::MoveToPreviousWord,
                              QKeySequence::SelectNextWord, QKeySequence::SelectPreviousWord,
                              QKeySequence::DeleteEndOfWord, QKeySequence::DeleteStartOfWord})
            belegt << QKeySequence::keyBindings(standard);
        for (QAction* a : form_->findChildren<QAction*>())
            for (const QKeySequence& taste : a->shortcuts())
                QVERIFY2(!belegt.contains(taste), qPrintable(a->text() + ": " + taste.toString()));
    }

    void infoBoxLabelsShowWhole() {
        for (QLabel* label : aboutBox_->findChildren<QLabel*>()) {
            const QRect ort = label->geometry();
            QVERIFY(label->parentWidget()->rect().contains(ort));
            if (label->wordWrap())
                QVERIFY(label->heightForWidth(ort.width()) <= ort.height());
            else
                QVERIFY2(label->sizeHint().width() <= ort.width(), qPrintable(label->text()));
        }
        // Panel1: a lowered outer and a raised inner bevel.
        const QImage panel = aboutBox_->findChild<QWidget*>("Panel1")->grab().toImage();
        const int r = panel.width() - 1, u = panel.height() - 1;
        QCOMPARE(panel.pixelColor(0, 0), QColor(128, 128, 128));
        QCOMPARE(panel.pixelColor(r, u), QColor(Qt::white));
        QCOMPARE(panel.pixelColor(1, 1), QColor(Qt::white));
        QCOMPARE(panel.pixelColor(r - 1, u - 1), QColor(128, 128, 128));
    }

    void aMenuItemChosenOverAToolButtonLeavesItUnlit() {
        QWidget* knopf = Kind<QToolBar>("ToolBar2")->widgetForAction(Werkzeug(QStringLiteral("RAM-Datei speichern")));
        auto* menue = Menue("Programmbeenden1")->associatedObjects().value(0);
        auto* bearbeiten = qobject_cast<QMenu*>(menue);
        QVERIFY(bearbeiten);
        bearbeiten->popup(knopf->mapToGlobal(QPoint(0, 0)));
        QVERIFY(QTest::qWaitForWindowExposed(bearbeiten));
        QCursor::setPos(knopf->mapToGlobal(QPoint(5, 5)));  // on the item, over the tool button
        bearbeiten->setActiveAction(Menue("Programmbeenden1"));
        QTest::keyClick(bearbeiten, Qt::Key_Return);
        QCoreApplication::processEvents();
        QVERIFY(!bearbeiten->isVisible());
        QVERIFY(!knopf->underMouse());
    }

    void everyControlHasAnAccessibleName() {
        auto name = [](QWidget* w) { return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name); };
        for (QWidget* fenster : {static_cast<QWidget*>(form_.get()), static_cast<QWidget*>(mcDlg_.get()),
                                 static_cast<QWidget*>(aboutBox_.get())})
            for (QWidget* w : fenster->findChildren<QWidget*>()) {
                const QString objekt = w->objectName();
                const bool statusfeld = objekt == "Panel0" || objekt == "Panel1";  // empty while nothing is said
                if (objekt.isEmpty() || objekt.startsWith("qt_") || statusfeld) continue;
                QVERIFY2(!name(w).isEmpty(), qPrintable(objekt));
            }
        QCOMPARE(name(Kind<QWidget>("CodeEdit", mcDlg_.get())), QStringLiteral("Code:"));
        // Registers and gates read out what they show.
        M().FuerTests().zustand.InternerBus = 42;
        QTest::mouseClick(Kind<SpeicherCP1Ansicht>("Akku"), Qt::LeftButton);
        QCOMPARE(name(Kind<QWidget>("Akku")), QString::fromUtf8("Akku 042, lädt"));
        QCOMPARE(name(Kind<QWidget>("Erg")), QString::fromUtf8("Erg 000, hält"));
        QCOMPARE(name(Kind<QWidget>("PTBtn")), QStringLiteral("PT, offen"));
        QCOMPARE(name(Kind<QWidget>("ETBtn")), QStringLiteral("ET, geschlossen"));
    }

    void aNewSizeIsKeptAndOffersARestart_data() {
        QTest::addColumn<int>("prozent");
        QTest::addColumn<bool>("ja");
        QTest::addColumn<int>("neustarts");
        QTest::newRow("150 %, neu starten") << 150 << true << 1;
        QTest::newRow("200 %, spaeter") << 200 << false << 0;
        QTest::newRow("100 %, wie jetzt") << 100 << true << 0;
    }
    void aNewSizeIsKeptAndOffersARestart() {
        QFETCH(int, prozent);
        QFETCH(bool, ja);
        QFETCH(int, neustarts);
        dienste_->antwortJa = ja;
        Menue(qPrintable(QStringLiteral("Groesse%1").arg(prozent)))->trigger();
        QCOMPARE(dienste_->groesse, prozent);
        QCOMPARE(dienste_->fragen.size(), prozent == 100 ? 0 : 1);
        if (prozent != 100)
            QCOMPARE(dienste_->fragen[0], QString::fromUtf8("Die Fenstergröße %1 % gilt ab dem nächsten Start von Ventaro.\r"
                                                            "Jetzt neu starten?").arg(prozent));
        QCOMPARE(dienste_->neustarts, neustarts);
        QCOMPARE(form_->isVisible(), neustarts == 0);
    }

    void qtsOwnTextsAreGerman() {
        std::unique_ptr<QMenu> menue(Kind<QLineEdit>("DisplayEdit")->createStandardContextMenu());
        QStringList texte;
        for (QAction* a : menue->actions()) texte << a->text().section(QLatin1Char('\t'), 0, 0);
        QVERIFY2(texte.contains(QString::fromUtf8("&Rückgängig")), qPrintable(texte.join('|')));
        QVERIFY(texte.contains(QString::fromUtf8("Alles auswählen")));
    }

    void infoBoxShowsTheVersion() {
        QTimer::singleShot(0, aboutBox_.get(), &QDialog::accept);
        Menue("Info1")->trigger();
        QCOMPARE(aboutBox_->VersionText(), QStringLiteral("Version " VENTARO_VERSION));
    }
};

QTEST_MAIN(FensterTest)
#include "FensterTest.moc"
