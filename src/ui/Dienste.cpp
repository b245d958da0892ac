#include "ui/Dienste.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QThread>
#include <QUrl>

namespace ventaro::ui {
namespace {

const QString kRamDatei = QStringLiteral("RAM-Datei (*.obj)");
const QString kProgrammtext = QStringLiteral("Programmtext (*.asm)");

// Message texts break lines with a lone carriage return.
QString Zeilen(QString text) { return text.replace(QLatin1Char('\r'), QLatin1Char('\n')); }

void Box(QWidget* eltern, QMessageBox::Icon symbol, const QString& titel, const QString& text) {
    QMessageBox box(symbol, titel, Zeilen(text), QMessageBox::Ok, eltern);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    box.exec();
}

}  // namespace

bool Dienste::Texteingabe(QWidget* eltern, const QString& titel, const QString& frage, QString& text) {
    QInputDialog dialog(eltern);
    dialog.setWindowTitle(titel);
    dialog.setLabelText(Zeilen(frage));
    dialog.setTextValue(text);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Abbrechen"));
    if (dialog.exec() != QDialog::Accepted) return false;
    text = dialog.textValue();
    return true;
}

QString DesktopDienste::Dateidialog(QWidget* eltern, bool speichern, const QString& filter, const QString& endung) {
    QFileDialog dialog(eltern, QString(), ordner_);
    dialog.setAcceptMode(speichern ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix(endung);
    // The save dialog does not ask before replacing; the open dialog takes a
    // typed name of a file that does not exist, and reading then fails.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    const QString datei = dialog.selectedFiles().front();
    ordner_ = QFileInfo(datei).absolutePath();
    return datei;
}

void DesktopDienste::Fehlerbox(QWidget* eltern, const QString& text) {
    Box(eltern, QMessageBox::Critical, QStringLiteral("Fehler"), text);
}

void DesktopDienste::Programmfehler(QWidget* eltern, const QString& text) {
    Box(eltern, QMessageBox::Critical, QApplication::applicationName(), text);
}

void DesktopDienste::Warnung(QWidget* eltern, const QString& text) {
    Box(eltern, QMessageBox::Warning, QStringLiteral("Warnung"), text);
}

bool DesktopDienste::FrageJaNein(QWidget* eltern, const QString& text) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Warnung"), Zeilen(text), QMessageBox::Yes | QMessageBox::No,
                    eltern);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("&Ja"));
    box.button(QMessageBox::No)->setText(QStringLiteral("&Nein"));
    return box.exec() == QMessageBox::Yes;
}

QString DesktopDienste::RamDateiZumOeffnen(QWidget* eltern) {
    return Dateidialog(eltern, false, kRamDatei, QStringLiteral("obj"));
}

QString DesktopDienste::RamDateiZumSpeichern(QWidget* eltern) {
    return Dateidialog(eltern, true, kRamDatei, QStringLiteral("obj"));
}

QString DesktopDienste::ProgrammtextZumOeffnen(QWidget* eltern) {
    return Dateidialog(eltern, false, kProgrammtext, QStringLiteral("asm"));
}

QString DesktopDienste::ProgrammtextZumSpeichern(QWidget* eltern) {
    return Dateidialog(eltern, true, kProgrammtext, QStringLiteral("asm"));
}

bool DesktopDienste::DokumentOeffnen(const QString& pfad) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(pfad));
}

namespace {

QSettings Einstellungen() { return QSettings(QStringLiteral("Ventaro"), QStringLiteral("Ventaro")); }

const QString kGroesse = QStringLiteral("Ansicht/Groesse");
bool skalierungGesetzt = false;  // QT_SCALE_FACTOR comes from the kept size

int GueltigeGroesse(int prozent) {
    for (int g : Groessen)
        if (g == prozent) return prozent;
    return 100;
}

}  // namespace

int DesktopDienste::GespeicherteGroesse() { return GueltigeGroesse(Einstellungen().value(kGroesse, 100).toInt()); }

void DesktopDienste::GroesseSpeichern(int prozent) { Einstellungen().setValue(kGroesse, prozent); }

void DesktopDienste::NeuStarten(const QString& datei) {
    // The new program reads the kept size itself, not this one's factor.
    QProcess programm;
    programm.setProgram(QCoreApplication::applicationFilePath());
    QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
    if (skalierungGesetzt) umgebung.remove(QStringLiteral("QT_SCALE_FACTOR"));
    programm.setProcessEnvironment(umgebung);
    if (!datei.isEmpty()) programm.setArguments({datei});
    programm.startDetached();
}

void GespeicherteGroesseAnwenden() {
    const int prozent = GueltigeGroesse(Einstellungen().value(kGroesse, 100).toInt());
    if (prozent == 100) return;
    qputenv("QT_SCALE_FACTOR", QByteArray::number(prozent / 100.0));
    skalierungGesetzt = true;
}

void DesktopDienste::Warte(int ms) { QThread::msleep(static_cast<unsigned long>(ms)); }

void DesktopDienste::EreignisseVerarbeiten() { QCoreApplication::processEvents(); }

}  // namespace ventaro::ui
