// The program text editor, typed into and clicked like a user does, and the
// menu command that opens a program text.
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTextBlock>
#include <QTextLayout>

#include "Testfenster.h"
#include "ui/ProgrammtextEditor.h"
#include "ui/ProgrammtextFenster.h"

using namespace ventaro;
using namespace ventaro::ui;

class ProgrammtextFensterTest : public test::Testfenster {
    Q_OBJECT

    ProgrammtextFenster* Fenster() {
        Menue("Programmtext1")->trigger();
        ProgrammtextFenster* fenster = form_->Programmtextfenster();
        if (!fenster || !fenster->isVisible()) qFatal("no program text window");
        return fenster;
    }
    template <typename T>
    T* Im(ProgrammtextFenster* fenster, const char* name) {
        T* kind = fenster->findChild<T*>(QString::fromLatin1(name));
        if (!kind) qFatal("missing control %s", name);
        return kind;
    }
    static void Tippe(QWidget* feld, const QStringList& zeilen) {
        for (int i = 0; i < zeilen.size(); ++i) {
            if (i > 0) QTest::keyClick(feld, Qt::Key_Return);
            for (const QChar c : zeilen[i])  // also umlauts, which no key of QTest names
                QTest::sendKeyEvent(QTest::Click, feld, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }

private slots:
    void init() { Starte(true); }
    void cleanup() { Beende(); }

    void translatingFillsTheRamOrListsTheErrors_data() {
        QTest::addColumn<QStringList>("text");
        QTest::addColumn<QStringList>("zellen");  // cells 0.. afterwards
        QTest::addColumn<QStringList>("fehler");
        QTest::addColumn<QStringList>("boxen");   // of the cell check
        QTest::newRow("richtig") << QStringList{"start: lda zahl ; Akku := 7", "  HLT", "zahl: DAT 7"}
                                 << QStringList{"01.002", "00.000", "00.007", "00.000"} << QStringList{}
                                 << QStringList{};
        QTest::newRow("Zelle nicht korrekt") << QStringList{"ZELLE \"01.300\"", "ZELLE \"x\""}
                                             << QStringList{"01.300", "x", "00.000"} << QStringList{}
                                             << QStringList{"Inhalt der Zelle 000 ist nicht korrekt.",
                                                            "Inhalt der Zelle 001 ist nicht korrekt."};
        QTest::newRow("Fehler") << QStringList{"LDA 1", "; Kommentar", "LDX 5", "LDA ende"}
                                << QStringList{"02.000", "02.000", "02.000", "02.000"}
                                << QStringList{"Zeile 3: Unbekannter Befehl \"LDX\"",
                                               "Zeile 4: Marke \"ende\" ist nicht definiert"}
                                << QStringList{};
    }
    void translatingFillsTheRamOrListsTheErrors() {
        QFETCH(QStringList, text);
        QFETCH(QStringList, zellen);
        QFETCH(QStringList, fehler);
        QFETCH(QStringList, boxen);
        for (int a = 0; a < 128; ++a) M().FuerTests().zustand.Ram.SetzeText(a, "02.000");
        M().FuerTests().datei.RamEditiert = false;
        M().FuerTests().zustand.MPC = 5;
        ProgrammtextFenster* fenster = Fenster();
        auto* editor = Im<ProgrammtextEditor>(fenster, "Programmtexteditor");
        Tippe(editor, text);
        QTest::mouseClick(Im<QPushButton>(fenster, "UebernehmenBtn"), Qt::LeftButton);

        for (int a = 0; a < zellen.size(); ++a) QCOMPARE(QString::fromStdString(M().Zustand().Ram.Text(a)), zellen[a]);
        auto* liste = Im<QListWidget>(fenster, "Fehlerliste");
        QStringList gelistet;
        for (int i = 0; i < liste->count(); ++i) gelistet << liste->item(i)->text();
        QCOMPARE(gelistet, fehler);
        QCOMPARE(dienste_->fehlerboxen, boxen);
        QCOMPARE(M().RamEditiert(), fehler.isEmpty());
        QCOMPARE(M().Zustand().MPC, fehler.isEmpty() ? 1 : 5);  // Reset follows the check
        QCOMPARE(Kind<QPushButton>("EinzelschrittBtn")->isEnabled(), boxen.isEmpty());
        if (fehler.isEmpty()) return;
        QCOMPARE(editor->MarkierteZeilen(), (std::set<int>{3, 4}));
        // A click on an error puts the cursor on its line.
        const QRect ort = liste->visualItemRect(liste->item(1));
        QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, ort.center());
        QCOMPARE(editor->textCursor().blockNumber() + 1, 4);
    }

    // The colour of each word as the editor shows it: a label, also with an
    // umlaut, keeps its colour; the mnemonic after it has its own.
    void wordsAreColouredByWhatTheyAre_data() {
        QTest::addColumn<QString>("zeile");
        QTest::addColumn<int>("marke");     // where the label starts, or -1
        QTest::addColumn<int>("mnemonic");  // where the mnemonic starts
        QTest::newRow("ohne Marke") << "  LDA 5" << -1 << 2;
        QTest::newRow("Marke") << "start: LDA 5" << 0 << 7;
        QTest::newRow("Marke mit Umlaut") << QString::fromUtf8("Zähler: LDA 5") << 0 << 8;
        QTest::newRow("ohne Leerzeichen") << QString::fromUtf8("Größe:LDA 5") << 0 << 6;
    }
    void wordsAreColouredByWhatTheyAre() {
        QFETCH(QString, zeile);
        QFETCH(int, marke);
        QFETCH(int, mnemonic);
        auto* editor = Im<ProgrammtextEditor>(Fenster(), "Programmtexteditor");
        Tippe(editor, {"  LDA 5", zeile});
        auto farbe = [editor](int block, int stelle) {
            for (const QTextLayout::FormatRange& f : editor->document()->findBlockByNumber(block).layout()->formats())
                if (f.start <= stelle && stelle < f.start + f.length) return f.format.foreground().color();
            return QColor();
        };
        const QColor mnemonicfarbe = farbe(0, 2);
        QVERIFY(mnemonicfarbe.isValid());
        QCOMPARE(farbe(1, mnemonic), mnemonicfarbe);
        if (marke >= 0) QVERIFY(farbe(1, marke).isValid() && farbe(1, marke) != mnemonicfarbe);
    }

    void openingAProgramTextFillsTheRamOrShowsOneErrorBox() {
        const QString pfad = verzeichnis_.path() + "/programm.asm";
        QFile datei(pfad);
        QVERIFY(datei.open(QIODevice::WriteOnly));
        datei.write("LDX 1\r\nLDA 1000\r\n");
        datei.close();
        dienste_->textOeffnenPfad = pfad;
        Menue("Programmtextoeffnen1")->trigger();
        QCOMPARE(dienste_->fehlerboxen, QStringList{"Zeile 1: Unbekannter Befehl \"LDX\"\r"
                                                    "Zeile 2: Operand 1000 liegt nicht zwischen 0 und 255"});
        QCOMPARE(M().Zustand().Ram.Text(0), std::string("00.000"));

        QVERIFY(datei.open(QIODevice::WriteOnly | QIODevice::Truncate));
        datei.write("LDA 5\n");
        datei.close();
        Menue("Programmtextoeffnen1")->trigger();
        QCOMPARE(M().Zustand().Ram.Text(0), std::string("01.005"));
        QVERIFY(form_->windowTitle().endsWith(" [programm.asm]"));
        QCOMPARE(M().Datei().RamDateiname, std::string("neu"));  // "Speichern" asks for a RAM file
    }
};

QTEST_MAIN(ProgrammtextFensterTest)
#include "ProgrammtextFensterTest.moc"
