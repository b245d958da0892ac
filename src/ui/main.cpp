#include <QApplication>

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
    ventaro::ui::AnwendungEinrichten();
    ventaro::ui::DesktopDienste dienste;
    // The three windows in this order; the first is the main window.
    ventaro::ui::TForm1 form1(dienste);
    ventaro::ui::TmcDlg mcDlg(form1.Maschine().Tabelle, QCoreApplication::applicationDirPath() + QLatin1Char('/'), &form1);
    ventaro::ui::TAboutBox aboutBox(&form1);
    form1.SetzeDialoge(&mcDlg, &aboutBox);
    ventaro::ui::AufBildschirmmitte(&form1);  // centred on the screen at start
    form1.show();
    form1.activateWindow();
    return anwendung.exec();
}
