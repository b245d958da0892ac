#pragma once
// What the machine needs from its surroundings. The window lets its events
// run and shows boxes; tests and the command line answer at once.

#include <string>

namespace ventaro {

class Umgebung {
public:
    virtual ~Umgebung() = default;
    // Redraw and handle the events already queued, then return.
    virtual void EreignisseVerarbeiten() {}
    // Block for ms milliseconds; the window does not react meanwhile.
    virtual void Warte(int ms) { (void)ms; }
    // A modal box titled "Fehler" with the error symbol and OK.
    virtual void Fehlermeldung(const std::string& text) { (void)text; }
};

}  // namespace ventaro
