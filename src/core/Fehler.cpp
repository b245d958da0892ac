#include "core/Fehler.h"

#include <cstring>

#include "core/Wort.h"

namespace ventaro {

std::string Meldungstext(std::string_view fehlertext) {
    std::string text(fehlertext);
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
    return text;
}

namespace meldung {

// Windows-1252: \xF6 is o-umlaut, \xE4 a-umlaut, \xFC u-umlaut, \xDF sharp s.

std::string KeinIntegerwert(std::string_view text) {
    std::string meldung = "'";
    meldung.append(text).append("' ist kein g\xFCltiger Integerwert");
    return meldung;
}

std::string KannNichtGeoeffnetWerden(std::string_view pfad, std::string_view grund) {
    return "Datei " + std::string(pfad) + " kann nicht ge\xF6" "ffnet werden. " + std::string(grund);
}

std::string KannNichtErstelltWerden(std::string_view pfad, std::string_view grund) {
    return "Datei \"" + std::string(pfad) + "\" kann nicht erstellt werden. " + std::string(grund);
}

std::string StreamSchreibfehler() { return "Stream-Schreibfehler"; }

std::string GitterindexAusserhalb() {
    return "Gitterindex au\xDF" "erhalb des zul\xE4ssigen Bereichs";
}

std::string ZuVieleSpruenge() {
    return "Zu viele verschachtelte Mikroprogrammspr\xFCnge";
}

std::string UnzulaessigeBefehlsanzahl(std::string_view pfad, long long anzahl) {
    return "Datei " + std::string(pfad) + " enth\xE4lt die unzul\xE4ssige Befehlsanzahl " +
           std::to_string(anzahl) + " (erlaubt sind 0 bis 30)";
}

std::string ZelleNichtKorrekt(unsigned adresse) {
    return "Inhalt der Zelle " + ZahlDreistellig(adresse) + " ist nicht korrekt.";
}

std::string ZuVieleToreGeoeffnet() { return "Warnung: Zu viele Tore ge\xF6" "ffnet!"; }

std::string ZeichenErsetzt(std::string_view gespeichert) {
    std::string meldung = "Der Text enth\xE4lt Zeichen, die der Zeichensatz Windows-1252 nicht kennt. Gespeichert wird er als \"";
    meldung.append(gespeichert).append("\": jedes solche Zeichen wird zu \"?\".");
    return meldung;
}

std::string ZeichenAlsFragezeichen() {
    return "Der Text enth\xE4lt Zeichen, die der Zeichensatz Windows-1252 nicht kennt; sie werden als \"?\" \xFC"
           "bersetzt.";
}

std::string Systemgrund(int fehlernummer) { return std::strerror(fehlernummer); }

}  // namespace meldung
}  // namespace ventaro
