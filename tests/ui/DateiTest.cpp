// The RAM file commands, closing, help and typed characters outside
// Windows-1252, through the window's menus and tool bar with the dialogs
// answered by the test.
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <filesystem>

#include "Testfenster.h"

using namespace ventaro;
using namespace ventaro::ui;

namespace {

QByteArray Lies(const QString& pfad) {
    QFile datei(pfad);
    return datei.open(QIODevice::ReadOnly) ? datei.readAll() : QByteArray();
}

void Schreibe(const QString& pfad, const QByteArray& inhalt) {
    QFile datei(pfad);
    QVERIFY(datei.open(QIODevice::WriteOnly));
    datei.write(inhalt);
}

QByteArray Zeilen(int anzahl, const char* text, const char* ende) {
    QByteArray inhalt;
    for (int i = 0; i < anzahl; ++i) inhalt += QByteArray(text) + ende;
    return inhalt;
}

}  // namespace

class DateiTest : public test::Testfenster {
    Q_OBJECT

    QString Pfad(const char* name) { return verzeichnis_.path() + "/" + name; }
    void Oeffne(const QString& pfad) {
        dienste_->oeffnenPfad = pfad;
        Menue("ffnen1")->trigger();
    }
    bool Aktiv(const char* knopf) { return Kind<QPushButton>(knopf)->isEnabled(); }

private slots:
    void init() { Starte(true); }
    void cleanup() { Beende(); }

    void openingReadsLinesLeniently_data() {
        QTest::addColumn<QByteArray>("inhalt");
        QTest::addColumn<int>("meldungen");
        QTest::addColumn<QString>("zelle127");
        QTest::addColumn<QStringList>("fehler");
        const QStringList keine;
        QTest::newRow("130 Zeilen") << Zeilen(130, "01.002", "\r\n") << 0 << "01.002" << keine;
        QTest::newRow("nur LF") << Zeilen(128, "01.002", "\n") << 0 << "01.002" << keine;
        QTest::newRow("nur CR") << Zeilen(128, "01.002", "\r") << 0 << "01.002" << keine;
        QTest::newRow("100 Zeilen") << Zeilen(100, "01.002", "\r\n") << 28 << "" << keine;
        // The reset's fetch then reads the empty cell 0 and fails.
        QTest::newRow("leer") << QByteArray() << 128 << ""
                              << QStringList{QString::fromUtf8("'' ist kein gültiger Integerwert.")};
    }
    void openingReadsLinesLeniently() {
        QFETCH(QByteArray, inhalt);
        QFETCH(int, meldungen);
        QFETCH(QString, zelle127);
        QFETCH(QStringList, fehler);
        Schreibe(Pfad("prog.obj"), inhalt);
        Oeffne(Pfad("prog.obj"));
        QCOMPARE(dienste_->fehlerboxen.size(), meldungen);
        if (meldungen == 28) {
            QCOMPARE(dienste_->fehlerboxen.front(), QStringLiteral("Inhalt der Zelle 100 ist nicht korrekt."));
            QCOMPARE(dienste_->fehlerboxen.back(), QStringLiteral("Inhalt der Zelle 127 ist nicht korrekt."));
        }
        QCOMPARE(Gitter()->ZellText(128), zelle127);
        QCOMPARE(Aktiv("EinzelschrittBtn"), meldungen == 0);
        QCOMPARE(Aktiv("StartBtn"), meldungen == 0);
        QCOMPARE(form_->windowTitle(), QStringLiteral("Ventaro " VENTARO_VERSION " [prog.obj]"));
        QVERIFY(!M().RamEditiert);
        QCOMPARE(dienste_->programmfehler, fehler);
        QCOMPARE(Kind<QLabel>("MPC")->text(), QStringLiteral("000"));  // reset, also with incorrect cells
    }

    // "ventaro DATEI.obj": the file opens after the start-up as "Öffnen"
    // opens it; one that cannot be read is reported and the program goes on.
    void aFileNamedAtStartOpensAfterTheStartup_data() {
        QTest::addColumn<bool>("lesbar");
        QTest::newRow("lesbar") << true;
        QTest::newRow("fehlt") << false;
    }
    void aFileNamedAtStartOpensAfterTheStartup() {
        QFETCH(bool, lesbar);
        const QString datei = Pfad(lesbar ? "start.obj" : "fehlt-beim-start.obj");
        if (lesbar) Schreibe(datei, Zeilen(128, "01.002", "\r\n"));
        Beende();
        Starte(true, datei);
        QCOMPARE(form_->windowTitle(), lesbar ? QStringLiteral("Ventaro 1.0.2.0 [start.obj]") : QStringLiteral("Ventaro 1.0.2.0"));
        QCOMPARE(Gitter()->ZellText(128), lesbar ? QStringLiteral("01.002") : QStringLiteral("00.000"));
        QCOMPARE(dienste_->programmfehler.size(), lesbar ? 0 : 1);
        QVERIFY(form_->isVisible());
    }

    // The desktop's file dialogs: the first starts in the folder given (the
    // examples), each later one in the folder of the last file chosen.
    void fileDialogsStartInTheFolderOfTheLastFile() {
        QDir().mkpath(Pfad("beispiele"));
        QDir().mkpath(Pfad("eigene"));
        DesktopDienste desktop(Pfad("beispiele"));
        QStringList ordner;
        auto antworte = [&ordner](const QString& datei) {
            QTimer::singleShot(0, [&ordner, datei] {
                auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                QVERIFY(dialog);
                ordner << dialog->directory().absolutePath();
                if (datei.isEmpty()) return dialog->reject();
                dialog->selectFile(datei);
                static_cast<QDialog*>(dialog)->accept();  // the dialog's own, as its button does
            });
        };
        antworte(Pfad("eigene/a.obj"));
        QCOMPARE(desktop.RamDateiZumOeffnen(nullptr), Pfad("eigene/a.obj"));
        antworte({});
        QVERIFY(desktop.RamDateiZumSpeichern(nullptr).isEmpty());
        QCOMPARE(ordner, (QStringList{Pfad("beispiele"), Pfad("eigene")}));
    }

    void openingAMissingFileChangesNothing() {
        M().RAMGridSetEditText(1, 1, "05.005");
        Oeffne(Pfad("fehlt.obj"));
        QCOMPARE(dienste_->programmfehler.size(), 1);
        QVERIFY(dienste_->programmfehler[0].startsWith("Datei " + Pfad("fehlt.obj") + " kann nicht ge\u00f6ffnet werden. "));
        QCOMPARE(Gitter()->ZellText(1), QStringLiteral("05.005"));
        QVERIFY(M().RamEditiert);  // the edit is not marked as saved
        QCOMPARE(form_->windowTitle(), QStringLiteral("Ventaro " VENTARO_VERSION));
    }

    void cancellingTheDialogsChangesNothing() {
        M().RAMGridSetEditText(1, 1, "05.005");
        Menue("ffnen1")->trigger();
        Menue("Speichernunter1")->trigger();
        QVERIFY(M().RamEditiert);
        QCOMPARE(form_->windowTitle(), QStringLiteral("Ventaro " VENTARO_VERSION));
        QCOMPARE(M().RamDateiname, std::string("neu"));
    }

    void savingAfterStartupAsksForANameThenWritesWithout() {
        dienste_->speichernPfad = Pfad("neu.obj");
        Werkzeug(QStringLiteral("RAM-Datei speichern"))->trigger();
        QCOMPARE(Lies(Pfad("neu.obj")), Zeilen(128, "00.000", "\r\n"));
        QCOMPARE(Lies(Pfad("neu.obj")).size(), 1024);
        QCOMPARE(form_->windowTitle(), QStringLiteral("Ventaro " VENTARO_VERSION " [neu.obj]"));
        // Now a target is known: no dialog.
        dienste_->speichernPfad = Pfad("anders.obj");
        M().RAMGridSetEditText(1, 1, "ab");
        Menue("Speichern1")->trigger();
        QVERIFY(!QFile::exists(Pfad("anders.obj")));
        QVERIFY(Lies(Pfad("neu.obj")).startsWith("ab\r\n00.000\r\n"));
        QVERIFY(!M().RamEditiert);
    }

    void openedFileBecomesTheSaveTarget() {
        Schreibe(Pfad("a.obj"), Zeilen(128, "01.001", "\r\n"));
        dienste_->speichernPfad = Pfad("b.obj");
        Menue("Speichernunter1")->trigger();
        Oeffne(Pfad("a.obj"));
        M().RAMGridSetEditText(1, 1, "02.002");
        Menue("Speichern1")->trigger();
        QVERIFY(Lies(Pfad("a.obj")).startsWith("02.002\r\n01.001"));
        QCOMPARE(Lies(Pfad("b.obj")), Zeilen(128, "00.000", "\r\n"));
    }

    void failedSavesKeepTheOldFileAndTheEditMark_data() {
        QTest::addColumn<QString>("ziel");
        QTest::addColumn<QString>("meldung");
        QTest::newRow("volles Geraet") << "/dev/full" << "Stream-Schreibfehler";
        QTest::newRow("fehlendes Verzeichnis") << "fehlt/x.obj" << "kann nicht erstellt werden";
    }
    void failedSavesKeepTheOldFileAndTheEditMark() {
        QFETCH(QString, ziel);
        QFETCH(QString, meldung);
        const QString pfad = ziel.startsWith('/') ? ziel : Pfad(ziel.toUtf8().constData());
        M().RAMGridSetEditText(1, 1, "03.003");
        dienste_->speichernPfad = pfad;
        Menue("Speichernunter1")->trigger();
        QCOMPARE(dienste_->programmfehler.size(), 1);
        QVERIFY2(dienste_->programmfehler[0].contains(meldung), qPrintable(dienste_->programmfehler[0]));
        QVERIFY(M().RamEditiert);
    }

    void aFailedSaveLeavesTheOldFileWhole() {
        // The target's directory lets nobody create the temporary file: its
        // place is taken by a regular file of the same name as the directory.
        Schreibe(Pfad("alt.obj"), "alt\r\n");
        dienste_->speichernPfad = Pfad("alt.obj");
        Menue("Speichernunter1")->trigger();
        QCOMPARE(Lies(Pfad("alt.obj")).size(), 1024);
        std::filesystem::permissions(verzeichnis_.path().toStdString(), std::filesystem::perms::owner_read |
                                                                           std::filesystem::perms::owner_exec);
        M().RAMGridSetEditText(1, 1, "04.004");
        Menue("Speichern1")->trigger();
        std::filesystem::permissions(verzeichnis_.path().toStdString(), std::filesystem::perms::owner_all);
        // As root the directory stays writable, and the save then succeeds;
        // either way the file is whole, never half written.
        const QByteArray danach = Lies(Pfad("alt.obj"));
        QCOMPARE(danach.size(), 1024);
        QCOMPARE(danach.startsWith("04.004"), dienste_->programmfehler.isEmpty());
    }

    void closingAsksAboutAnEditedRam_data() {
        QTest::addColumn<bool>("ja");
        QTest::addColumn<QString>("pfad");
        QTest::addColumn<bool>("gespeichert");
        QTest::newRow("Nein") << false << "zu.obj" << false;
        QTest::newRow("Ja, Dialog abgebrochen") << true << "" << false;
        QTest::newRow("Ja, Datei gewaehlt") << true << "zu.obj" << true;
    }
    void closingAsksAboutAnEditedRam() {
        QFETCH(bool, ja);
        QFETCH(QString, pfad);
        QFETCH(bool, gespeichert);
        M().RAMGridSetEditText(1, 1, "07.007");
        dienste_->antwortJa = ja;
        dienste_->speichernPfad = pfad.isEmpty() ? QString() : Pfad("zu.obj");
        Menue("Beenden1")->trigger();
        QVERIFY(!form_->isVisible());
        QCOMPARE(dienste_->fragen, QStringList{"Der RAM-Inhalt wurde editiert.\rWollen Sie ihn sichern?"});
        QCOMPARE(QFile::exists(Pfad("zu.obj")), gespeichert);
    }

    void closingWithAFailingSaveStaysOpen() {
        M().RAMGridSetEditText(1, 1, "07.007");
        dienste_->antwortJa = true;
        dienste_->speichernPfad = "/dev/full";
        form_->close();
        QVERIFY(form_->isVisible());
        QCOMPARE(dienste_->programmfehler, QStringList{"Stream-Schreibfehler."});
    }

    void closingUneditedAsksNothing() {
        M().SetzeTorZustand(Tor::Write, false);
        M().TorKlick(Tor::Write);  // the machine's own writing is no edit
        form_->close();
        QVERIFY(!form_->isVisible());
        QVERIFY(dienste_->fragen.isEmpty());
    }

    void helpDocumentsOpenOrAreReported() {
        const QString hilfe = form_->Programmverzeichnis() + "Hilfe/";
        const bool gab = QFile::exists(hilfe + "Ventaro.htm");
        Menue("HilfezumModellrechner1")->trigger();
        Menue("Tutorium1")->trigger();
        // Each command either hands its file to the viewer or names it.
        for (const char* datei : {"Ventaro.htm", "Solvej.pdf"}) {
            const bool da = QFile::exists(hilfe + datei);
            QCOMPARE(dienste_->geoeffneteDokumente.contains(hilfe + datei), da);
            QCOMPARE(dienste_->fehlerboxen.contains(QStringLiteral("Die Datei %1 existiert nicht im Hilfe-Unterverzeichnis!").arg(datei)), !da);
        }
        Q_UNUSED(gab);
    }

    void charactersOutsideWindows1252BecomeQuestionMarks() {
        auto* gitter = Gitter();
        gitter->setFocus();
        gitter->setCurrentCell(2, 1);
        gitter->EditorOeffnen();
        // Typed as an input method delivers it: one key event with the text.
        QKeyEvent tippen(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8("ä€→"));
        QApplication::sendEvent(QApplication::focusWidget(), &tippen);
        QVERIFY(dienste_->warnungen.isEmpty());  // not on every keystroke
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(M().Ram.Text(2), std::string("\xE4\x80?"));
        QCOMPARE(dienste_->warnungen.size(), 1);
        QVERIFY(dienste_->warnungen[0].contains(QString::fromUtf8("\"ä€?\"")));
    }
};

QTEST_MAIN(DateiTest)
#include "DateiTest.moc"
