#pragma once
// Failures are exceptions carrying the exact German message as a Windows-1252
// byte string. Whoever handles an event catches them at the event's boundary
// and shows Text() through Meldungstext().

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace ventaro {

class Fehler : public std::runtime_error {
public:
    explicit Fehler(const std::string& text)
        : std::runtime_error(text), text_(std::make_shared<const std::string>(text)) {}
    // The whole message. what() ends at the first NUL byte, and a text taken
    // from a file (a count line, a control word, a cell) may hold one.
    const std::string& Text() const noexcept { return *text_; }

private:
    std::shared_ptr<const std::string> text_;  // shared, so copying never throws
};

// The text a failure's message box shows: a full stop is appended when the
// last character's code lies above that of the full stop.
std::string Meldungstext(std::string_view fehlertext);

namespace meldung {
// All texts are Windows-1252 byte strings; pfad is shown as given.
std::string KeinIntegerwert(std::string_view text);
std::string KannNichtGeoeffnetWerden(std::string_view pfad, std::string_view grund);
std::string KannNichtErstelltWerden(std::string_view pfad, std::string_view grund);
std::string StreamSchreibfehler();
std::string GitterindexAusserhalb();
std::string ZuVieleSpruenge();
std::string UnzulaessigeBefehlsanzahl(std::string_view pfad, long long anzahl);
std::string ZelleNichtKorrekt(unsigned adresse);
std::string ZuVieleToreGeoeffnet();
// A text typed with characters Windows-1252 lacks, stored with "?" for them.
std::string ZeichenErsetzt(std::string_view gespeichert);
// A program text with such characters, translated with "?" for them.
std::string ZeichenAlsFragezeichen();
// The C library's text for errno, as bytes.
std::string Systemgrund(int fehlernummer);
}  // namespace meldung

}  // namespace ventaro
