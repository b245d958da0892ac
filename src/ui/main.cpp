#include <QApplication>
#include <QFileInfo>

#include "core/Programmpfade.h"
#include "ui/AboutBox.h"
#include "ui/Anwendung.h"
#include "ui/Dienste.h"
#include "ui/Fensterort.h"
#include "ui/Form1.h"
#include "ui/McDlg.h"

int main(int argc, char** argv) {
    ventaro::ui::GespeicherteGroesseAnwenden();
    QApplication anwendung(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ventaro"));
    // Ties the windows to ventaro.desktop (icon and name in task bars).
    QGuiApplication::setDesktopFileName(QStringLiteral("ventaro"));
    ventaro::ui::AnwendungEinrichten();
    const ventaro::TProgrammpfade pfade(QCoreApplication::applicationDirPath().toStdString());
    // "ventaro DATEI.obj" (the file manager's "Öffnen mit") opens that file,
    // "ventaro DATEI.asm" that program text; a restart passes the open file.
    const QStringList argumente = QCoreApplication::arguments();
    const QString startdatei = argumente.size() > 1 ? QFileInfo(argumente.at(1)).absoluteFilePath() : QString();
    ventaro::ui::DesktopDienste dienste(QString::fromStdString(pfade.Programmverzeichnis()),
                                        startdatei.isEmpty() ? QString::fromStdString(pfade.Beispielordner())
                                                             : QFileInfo(startdatei).absolutePath());
    // The three windows in this order; the first is the main window.
    ventaro::ui::TForm1 form1(dienste);
    ventaro::ui::TmcDlg mcDlg(form1.Maschine().Tabelle(), QString::fromStdString(pfade.Programmverzeichnis()), &form1);
    mcDlg.SetzeProgrammpfade(&pfade);
    ventaro::ui::TAboutBox aboutBox(&form1);
    form1.SetzeDialoge(&mcDlg, &aboutBox);
    form1.SetzeStartdatei(startdatei);
    ventaro::ui::AufBildschirmmitte(&form1);  // centred on the screen at start
    form1.show();
    form1.activateWindow();
    return anwendung.exec();
}
