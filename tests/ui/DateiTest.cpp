// The RAM file commands, closing, help and typed characters outside
// Windows-1252, through the window's menus and tool bar with the dialogs
// answered by the test.
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
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

// Runs as the user "nobody" while it lives, when the test runs as root and
// the case asks for an ordinary user.
class AlsBenutzer {
public:
    explicit AlsBenutzer(bool gewuenscht) : aktiv_(gewuenscht && ::geteuid() == 0) {
        if (aktiv_ && (::setegid(65534) != 0 || ::seteuid(65534) != 0)) qFatal("seteuid");
    }
    ~AlsBenutzer() {
        if (aktiv_ && (::seteuid(0) != 0 || ::setegid(0) != 0)) qFatal("seteuid");
    }

private:
    bool aktiv_;
};

// Files may grow to at most this many bytes while it lives (0: no change);
// root is bound by it too.
class Dateigrenze {
public:
    explicit Dateigrenze(rlim_t bytes) : aktiv_(bytes > 0) {
        if (!aktiv_) return;
        ::getrlimit(RLIMIT_FSIZE, &alt_);
        ::signal(SIGXFSZ, SIG_IGN);
        rlimit neu = alt_;
        neu.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &neu);
    }
    ~Dateigrenze() {
        if (aktiv_) ::setrlimit(RLIMIT_FSIZE, &alt_);
    }

private:
    bool aktiv_;
    rlimit alt_{};
};

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
        // The title names the file before the check reports its cells.
        QCOMPARE(dienste_->titelBeiFehlerbox, QStringList(meldungen, QStringLiteral("Ventaro " VENTARO_VERSION " [prog.obj]")));
        QVERIFY(!M().RamEditiert());
        QCOMPARE(dienste_->programmfehler, fehler);
        QCOMPARE(Kind<QLabel>("MPC")->text(), QStringLiteral("000"));  // reset, also with incorrect cells
    }

    // "ventaro DATEI.obj": the file opens after the start-up as "Öffnen"
    // opens it, a program text as "Programmtext öffnen..." does; one that
    // cannot be read is reported and the program goes on.
    void aFileNamedAtStartOpensAfterTheStartup_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("inhalt");  // none: the file is missing
        QTest::addColumn<QString>("zelle0");
        QTest::newRow("RAM-Datei") << "start.obj" << Zeilen(128, "01.002", "\r\n") << "01.002";
        QTest::newRow("Programmtext") << "start.ASM" << QByteArray("; Zelle 0\r\n  LDA 5\r\n") << "01.005";
        QTest::newRow("fehlt") << "fehlt-beim-start.obj" << QByteArray() << "00.000";
    }
    void aFileNamedAtStartOpensAfterTheStartup() {
        QFETCH(QString, name);
        QFETCH(QByteArray, inhalt);
        QFETCH(QString, zelle0);
        const QString datei = Pfad(qPrintable(name));
        if (!inhalt.isEmpty()) Schreibe(datei, inhalt);
        Beende();
        Starte(true, datei);
        const QString titel = QStringLiteral("Ventaro " VENTARO_VERSION);
        QCOMPARE(form_->windowTitle(), inhalt.isEmpty() ? titel : titel + " [" + name + "]");
        QCOMPARE(Gitter()->ZellText(1), zelle0);
        QCOMPARE(Gitter()->ZellText(128), inhalt.isEmpty() || name.endsWith("ASM") ? "00.000" : "01.002");
        QCOMPARE(dienste_->programmfehler.size(), inhalt.isEmpty() ? 1 : 0);
        QVERIFY(dienste_->fehlerboxen.isEmpty());
        QVERIFY(form_->isVisible());
    }

    // "Fenstergröße" and a restart: closing asks about edited cells as ever,
    // and the new program opens the file that was open or just saved.
    void aRestartForANewSizeReopensTheFile_data() {
        QTest::addColumn<QString>("geoeffnet");  // by "Öffnen" or "Programmtext öffnen..."
        QTest::addColumn<bool>("editiert");
        QTest::addColumn<QString>("neustartDatei");
        QTest::newRow("keine Datei") << "" << false << "";
        QTest::newRow("RAM-Datei") << "prog.obj" << false << "prog.obj";
        QTest::newRow("editiert, gesichert") << "prog.obj" << true << "kopie.obj";
        QTest::newRow("Programmtext") << "prog.asm" << false << "prog.asm";
    }
    void aRestartForANewSizeReopensTheFile() {
        QFETCH(QString, geoeffnet);
        QFETCH(bool, editiert);
        QFETCH(QString, neustartDatei);
        Schreibe(Pfad("prog.obj"), Zeilen(128, "01.002", "\r\n"));
        Schreibe(Pfad("prog.asm"), "LDA 7\n");
        if (geoeffnet.endsWith(".obj")) Oeffne(Pfad("prog.obj"));
        if (geoeffnet.endsWith(".asm")) {
            dienste_->textOeffnenPfad = Pfad("prog.asm");
            Menue("Programmtextoeffnen1")->trigger();
        }
        if (editiert) {
            Gitter()->setFocus();
            Gitter()->setCurrentCell(5, 1);
            QTest::keyClick(Gitter(), '0');
            QTest::keyClicks(QApplication::focusWidget(), "3.003");
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        }
        dienste_->antwortJa = true;
        dienste_->speichernPfad = Pfad("kopie.obj");
        Menue("Groesse150")->trigger();
        QCOMPARE(dienste_->neustarts, 1);
        QCOMPARE(dienste_->neustartDatei, neustartDatei.isEmpty() ? QString() : Pfad(qPrintable(neustartDatei)));
        QCOMPARE(dienste_->fragen.size(), editiert ? 2 : 1);
        if (editiert) QCOMPARE(Lies(Pfad("kopie.obj")).split('\n').at(5), QByteArray("03.003\r"));
    }

    // The desktop's file dialogs: the first starts in the folder given (the
    // examples), each later one in the folder of the last file chosen.
    void fileDialogsStartInTheFolderOfTheLastFile() {
        QDir().mkpath(Pfad("beispiele"));
        QDir().mkpath(Pfad("eigene"));
        DesktopDienste desktop(Pfad(""), Pfad("beispiele"));
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
        M().ZelleUebergeben(0, "05.005");
        Oeffne(Pfad("fehlt.obj"));
        QCOMPARE(dienste_->programmfehler.size(), 1);
        QVERIFY(dienste_->programmfehler[0].startsWith("Datei " + Pfad("fehlt.obj") + " kann nicht ge\u00f6ffnet werden. "));
        QCOMPARE(Gitter()->ZellText(1), QStringLiteral("05.005"));
        QVERIFY(M().RamEditiert());  // the edit is not marked as saved
        QCOMPARE(form_->windowTitle(), QStringLiteral("Ventaro " VENTARO_VERSION));
    }

    void cancellingTheDialogsChangesNothing() {
        M().ZelleUebergeben(0, "05.005");
        Menue("ffnen1")->trigger();
        Menue("Speichernunter1")->trigger();
        QVERIFY(M().RamEditiert());
        QCOMPARE(form_->windowTitle(), QStringLiteral("Ventaro " VENTARO_VERSION));
        QCOMPARE(M().Datei().RamDateiname, std::string("neu"));
    }

    void savingAfterStartupAsksForANameThenWritesWithout() {
        dienste_->speichernPfad = Pfad("neu.obj");
        Werkzeug(QStringLiteral("RAM-Datei speichern"))->trigger();
        QCOMPARE(Lies(Pfad("neu.obj")), Zeilen(128, "00.000", "\r\n"));
        QCOMPARE(Lies(Pfad("neu.obj")).size(), 1024);
        QCOMPARE(form_->windowTitle(), QStringLiteral("Ventaro " VENTARO_VERSION " [neu.obj]"));
        // Now a target is known: no dialog.
        dienste_->speichernPfad = Pfad("anders.obj");
        M().ZelleUebergeben(0, "ab");
        Menue("Speichern1")->trigger();
        QVERIFY(!QFile::exists(Pfad("anders.obj")));
        QVERIFY(Lies(Pfad("neu.obj")).startsWith("ab\r\n00.000\r\n"));
        QVERIFY(!M().RamEditiert());
    }

    void openedFileBecomesTheSaveTarget() {
        Schreibe(Pfad("a.obj"), Zeilen(128, "01.001", "\r\n"));
        dienste_->speichernPfad = Pfad("b.obj");
        Menue("Speichernunter1")->trigger();
        Oeffne(Pfad("a.obj"));
        M().ZelleUebergeben(0, "02.002");
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
        M().ZelleUebergeben(0, "03.003");
        dienste_->speichernPfad = pfad;
        Menue("Speichernunter1")->trigger();
        QCOMPARE(dienste_->programmfehler.size(), 1);
        QVERIFY2(dienste_->programmfehler[0].contains(meldung), qPrintable(dienste_->programmfehler[0]));
        QVERIFY(M().RamEditiert());
    }

    void savingAfterAFailedStartUpAsksForAName() {
        Beende();
        Starte(false);
        dienste_->speichernPfad = Pfad("nach.obj");
        Menue("Speichern1")->trigger();
        QCOMPARE(dienste_->dateidialoge, 1);
        QCOMPARE(dienste_->programmfehler.size(), 1);  // the start-up's own
        QCOMPARE(Lies(Pfad("nach.obj")).size(), 256);  // 128 empty cells
        QCOMPARE(form_->windowTitle(), QStringLiteral("Ventaro " VENTARO_VERSION " [nach.obj]"));
    }

    // A folder of hand-outs: the folder lets nobody create a file, the file in
    // it may be written. Root writes through any folder's mode, so the save
    // then runs as an ordinary user.
    void savingIntoAWriteProtectedFolder_data() {
        QTest::addColumn<bool>("schreibgeschuetzt");
        QTest::addColumn<bool>("platzReichtNicht");
        QTest::newRow("Ordner beschreibbar, Platz reicht nicht") << false << true;
        QTest::newRow("Ordner schreibgeschuetzt") << true << false;
        QTest::newRow("Ordner schreibgeschuetzt, Platz reicht nicht") << true << true;
    }
    void savingIntoAWriteProtectedFolder() {
        QFETCH(bool, schreibgeschuetzt);
        QFETCH(bool, platzReichtNicht);
        namespace fs = std::filesystem;
        const QString ordner = Pfad("ausgabe");
        QDir(ordner).removeRecursively();
        QVERIFY(QDir().mkpath(ordner));
        const QString blatt = ordner + "/blatt.obj";
        Schreibe(blatt, "alt\r\n");
        fs::permissions(blatt.toStdString(), fs::perms(0666));
        fs::permissions(verzeichnis_.path().toStdString(), fs::perms(0755));
        if (schreibgeschuetzt) fs::permissions(ordner.toStdString(), fs::perms(0555));
        M().ZelleUebergeben(0, "04.004");
        dienste_->speichernPfad = blatt;
        {
            const AlsBenutzer niemand(schreibgeschuetzt);
            const Dateigrenze grenze(platzReichtNicht ? 600 : 0);  // the new content needs 1024 bytes
            Menue("Speichernunter1")->trigger();
        }
        fs::permissions(ordner.toStdString(), fs::perms::owner_all);
        if (platzReichtNicht) {
            QCOMPARE(dienste_->programmfehler, QStringList{"Stream-Schreibfehler."});
            QCOMPARE(Lies(blatt), QByteArray("alt\r\n"));  // the old file whole
            QVERIFY(M().RamEditiert());
        } else {
            QVERIFY2(dienste_->programmfehler.isEmpty(), qPrintable(dienste_->programmfehler.join('|')));
            QVERIFY(Lies(blatt).startsWith("04.004\r\n00.000\r\n"));
            QCOMPARE(Lies(blatt).size(), 1024);
        }
        QCOMPARE(QDir(ordner).entryList(QDir::Files | QDir::Hidden), QStringList{"blatt.obj"});
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
        M().ZelleUebergeben(0, "07.007");
        dienste_->antwortJa = ja;
        dienste_->speichernPfad = pfad.isEmpty() ? QString() : Pfad("zu.obj");
        Menue("Beenden1")->trigger();
        QVERIFY(!form_->isVisible());
        QCOMPARE(dienste_->fragen, QStringList{"Der RAM-Inhalt wurde editiert.\rWollen Sie ihn sichern?"});
        QCOMPARE(QFile::exists(Pfad("zu.obj")), gespeichert);
    }

    void closingWithAFailingSaveStaysOpen() {
        M().ZelleUebergeben(0, "07.007");
        dienste_->antwortJa = true;
        dienste_->speichernPfad = "/dev/full";
        form_->close();
        QVERIFY(form_->isVisible());
        QCOMPARE(dienste_->programmfehler, QStringList{"Stream-Schreibfehler."});
    }

    void closingUneditedAsksNothing() {
        M().FuerTests().zustand.SetzeTorZustand(Tor::Write, false);
        M().TorUmschalten(Tor::Write);  // the machine's own writing is no edit
        form_->close();
        QVERIFY(!form_->isVisible());
        QVERIFY(dienste_->fragen.isEmpty());
    }

    void helpDocumentsOpenOrAreReported_data() {
        QTest::addColumn<QStringList>("vorhanden");
        QTest::addColumn<bool>("betrachter");
        QTest::newRow("beide") << QStringList{"Ventaro.htm", "Solvej.pdf"} << true;
        QTest::newRow("nur die Hilfeseite") << QStringList{"Ventaro.htm"} << true;
        QTest::newRow("kein Betrachter") << QStringList{"Ventaro.htm", "Solvej.pdf"} << false;
    }
    void helpDocumentsOpenOrAreReported() {
        QFETCH(QStringList, vorhanden);
        QFETCH(bool, betrachter);
        const QString hilfe = dienste_->programmverzeichnis + "Hilfe/";
        QDir(hilfe).removeRecursively();
        QVERIFY(QDir().mkpath(hilfe));
        for (const QString& datei : vorhanden) Schreibe(hilfe + datei, "x");
        dienste_->viewerDa = betrachter;
        Menue("HilfezumModellrechner1")->trigger();
        Werkzeug(QStringLiteral("Tutorium"))->trigger();
        QStringList geoeffnet, meldungen;
        for (const char* datei : {"Ventaro.htm", "Solvej.pdf"}) {
            if (!vorhanden.contains(datei))
                meldungen << QStringLiteral("Die Datei %1 existiert nicht im Hilfe-Unterverzeichnis!").arg(datei);
            else if (betrachter)
                geoeffnet << hilfe + datei;
            else
                meldungen << QString::fromUtf8("Die Datei %1 kann nicht angezeigt werden: Es ist kein Programm zum "
                                               "Öffnen dieses Dateityps eingerichtet.").arg(hilfe + datei);
        }
        QCOMPARE(dienste_->geoeffneteDokumente, geoeffnet);
        QCOMPARE(dienste_->fehlerboxen, meldungen);
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
        QCOMPARE(M().Zustand().Ram.Text(2), std::string("\xE4\x80?"));
        QCOMPARE(dienste_->warnungen.size(), 1);
        QVERIFY(dienste_->warnungen[0].contains(QString::fromUtf8("\"ä€?\"")));
    }
};

QTEST_MAIN(DateiTest)
#include "DateiTest.moc"
