// The whole machine: a microcode file and a RAM file of any bytes, then a
// bounded run of microsteps and manual actions in any order, some of them
// arriving while a step lets pending events through, as the window allows.
// Every action is an event: a Fehler ends it as the window's boundary does.
// After every action the machine must keep its invariants: the grid row is 1
// to 128, the flag 0 or 1, the ALU selection -1 to 6, every word of the
// working copy at most 18 characters, and a cell that no edit touched changes
// only to a text the Write gate writes. Indexes beyond the 128 cells or the
// tables end the run through the library's checks and AddressSanitizer.
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzHilfe.h"
#include "core/Fehler.h"
#include "machine/Ansicht.h"
#include "machine/Maschine.h"
#include "memory/RamDatei.h"

using namespace ventaro;
using namespace ventaro::fuzz;

namespace {

constexpr int Z = TRamSpeicher::Zellenzahl;
constexpr int HoechstensAktionen = 300;
constexpr int HoechstensSchritte = 1500;
constexpr int HoechstensEingeschoben = 50;

class Lauf;

// The window's event processing inside a step: now and then one more action
// runs there, never nested deeper than one.
struct Ereignisse : Umgebung {
    Lauf* lauf = nullptr;
    void EreignisseVerarbeiten() override;
    void Fehlermeldung(const std::string& text) override { boxen.push_back(text); }
    std::vector<std::string> boxen;
};

class Lauf {
public:
    Lauf(const std::uint8_t* daten, std::size_t n) : ein_(daten, n) { ereignisse_.lauf = this; }

    void Los() {
        // Start-up with the microcode file; when it cannot be loaded the
        // sequence stops and the program goes on with what it has.
        const std::string mikrocode = Arbeitsverzeichnis() + "/mikrocode.dat";
        SchreibeDatei(mikrocode, ein_.Bytes(ein_.Wort16()));
        m_.Tabelle().SetzePfad(mikrocode);
        Ereignis([&] { m_.Startvorgang(); }, true);
        Pruefe();
        OeffneRamDatei(ein_.Bytes(ein_.Wort16()));
        for (int i = 0; i < HoechstensAktionen && !ein_.Leer(); ++i) Aktion(false);
    }

    // The window's event processing: when the last action asked for it, one
    // more action runs here, inside the one going on, never deeper.
    void Eingeschoben() {
        if (!wartet_ || tiefe_ != 1 || eingeschoben_ >= HoechstensEingeschoben) return;
        wartet_ = false;
        ++eingeschoben_;
        Aktion(true);
    }

private:
    template <typename Handler>
    void Ereignis(Handler&& handler, bool dateien = false) {
        try {
            handler();
        } catch (const Fehler& fehler) {
            PruefeMeldung(fehler.Text(), dateien);
        }
    }

    static void PruefeMeldung(const std::string& text, bool dateien) {
        const bool umwandlung = BeginntMit(text, "'") && text.size() >= 31 &&
                                text.compare(text.size() - 31, 31, "' ist kein g\xFCltiger Integerwert") == 0;
        bool bekannt = umwandlung || text == meldung::GitterindexAusserhalb() || text == meldung::ZuVieleSpruenge();
        if (dateien) bekannt = bekannt || BeginntMit(text, "Datei ") || text == meldung::StreamSchreibfehler();
        if (!bekannt) std::fprintf(stderr, "unerwartete Meldung: %s\n", text.c_str());
        PRUEFE(bekannt);
    }

    void Pruefe() {
        PRUEFE(m_.Zustand().Ram.AktuelleZeile() >= 1 && m_.Zustand().Ram.AktuelleZeile() <= Z);
        PRUEFE(m_.Zustand().Flag == 0 || m_.Zustand().Flag == 1);
        PRUEFE(m_.Zustand().AluAuswahl >= -1 && m_.Zustand().AluAuswahl <= 6);
        for (int i = 0; i < TMikrocodeTabelle::Eintraege; ++i) {
            PRUEFE(m_.Mikrocode().Mikrocode0[i].Laenge() <= 18);
            PRUEFE(m_.Mikrocode().Mikrocode1[i].Laenge() <= 18);
        }
        const std::string code = TAnsicht::Von(m_).SteuerwortText;
        PRUEFE(code.size() <= 18 || code == "Mikroschrittcode");
        PRUEFE(TAnsicht::Von(m_).FlagText == "F=" + std::to_string(m_.Zustand().Flag));
    }

    // A text for a cell: mostly of the form HH.LLL, sometimes any bytes.
    std::string Zelltext() {
        const std::uint8_t art = ein_.Byte();
        if (art % 4 != 0) return WortZuZellText(static_cast<Wort>(ein_.Wort16() % (art % 2 ? 7680 : 65536)));
        return ein_.Text(12);
    }

    // A control word: mostly of '0' and '1', sometimes any bytes, any length.
    std::string Steuerworttext() {
        const std::uint8_t art = ein_.Byte();
        if (art % 8 == 0) return ein_.Text(40);
        std::string wort(art % 8 == 1 ? ein_.Byte() % 25 : 18, '0');
        for (char& c : wort) c = (ein_.Byte() % 3 == 0) ? '1' : '0';
        return wort;
    }

    void OeffneRamDatei(const std::string& bytes) {
        const std::string pfad = Arbeitsverzeichnis() + "/programm.obj";
        SchreibeDatei(pfad, bytes);
        editiert_ = true;
        Ereignis([&] { m_.RamDateiOeffnen(pfad); }, true);
    }

    // The cells as the RAM file writer leaves them, saved and opened again.
    void RamUeberDatei() {
        std::vector<std::string> texte;
        for (int a = 0; a < Z; ++a) texte.push_back(m_.Zustand().Ram.Text(a));
        const std::string pfad = Arbeitsverzeichnis() + "/zurueck.obj";
        m_.FuerTests().datei.RamEditiert = true;
        m_.RamDateiSpeichernUnter(pfad);
        PRUEFE(!m_.RamEditiert());
        const std::string bytes = LeseDatei(pfad);
        PRUEFE(bytes == MitZeilenenden(texte));
        const RamInhalt wieder = LeseRamDatei(pfad);
        std::vector<std::string> erwartet = ZeilenVon(bytes);
        erwartet.resize(Z);
        bool ohneZeilenende = true;
        for (int a = 0; a < Z; ++a) {
            PRUEFE(wieder[a] == erwartet[a]);
            ohneZeilenende = ohneZeilenende && OhneZeilenende(texte[a]);
        }
        if (ohneZeilenende)
            for (int a = 0; a < Z; ++a) PRUEFE(wieder[a] == texte[a]);
        editiert_ = true;
        Ereignis([&] { m_.RamDateiOeffnen(pfad); }, true);
    }

    // The table saved as mikrocode.dat and loaded into a second table: the
    // same opcodes, or with line ends inside a text, what the file's lines say.
    void TabelleUeberDatei() {
        const std::string pfad = Arbeitsverzeichnis() + "/tabelle.dat";
        TMikrocodeTabelle schreiber = m_.Tabelle();
        schreiber.SetzePfad(pfad);
        schreiber.AllesSpeichern();
        TMikrocodeTabelle wieder;
        wieder.SetzePfad(pfad);
        const int n = schreiber.Befehlsanzahl();
        std::vector<std::string> texte = {std::to_string(n)};
        for (const auto* worte : {&schreiber.Steuerworte0, &schreiber.Steuerworte1}) {
            for (int c = 0; c < n; ++c) {
                texte.push_back(schreiber.Mnemonics[c]);
                for (int s = 0; s < 10; ++s) texte.push_back((*worte)[10 * c + s]);
            }
        }
        bool ohneZeilenende = true;
        for (const std::string& text : texte) ohneZeilenende = ohneZeilenende && OhneZeilenende(text);
        PRUEFE(LeseDatei(pfad) == MitZeilenenden(texte));
        wieder.AllesLaden();  // line 1 is always the count, whatever follows
        PRUEFE(wieder.Befehlsanzahl() == n);
        const std::vector<std::string> zeilen = ZeilenVon(MitZeilenenden(texte));
        const auto zeile = [&zeilen](std::size_t k) { return k <= zeilen.size() ? zeilen[k - 1] : std::string(); };
        for (int c = 0; c < n; ++c) {
            PRUEFE(wieder.Mnemonics[c] == zeile(2 + 11 * c));
            if (ohneZeilenende) PRUEFE(wieder.Mnemonics[c] == schreiber.Mnemonics[c]);
            for (int s = 0; s < 10; ++s) {
                PRUEFE(wieder.Steuerworte0[10 * c + s] == zeile(3 + 11 * c + s));
                PRUEFE(wieder.Steuerworte1[10 * c + s] == zeile(3 + 11 * n + 11 * c + s));
                if (ohneZeilenende) {
                    PRUEFE(wieder.Steuerworte0[10 * c + s] == schreiber.Steuerworte0[10 * c + s]);
                    PRUEFE(wieder.Steuerworte1[10 * c + s] == schreiber.Steuerworte1[10 * c + s]);
                }
            }
        }
    }

    void Schritt() {
        if (schritte_ >= HoechstensSchritte) return;
        ++schritte_;
        Ereignis([&] { m_.TaktTick(); });
    }

    void Aktion(bool eingeschoben) {
        ++tiefe_;
        std::vector<std::string> vorher;
        const bool aussen = !eingeschoben;
        if (aussen) {  // an action let through inside it counts as its part
            editiert_ = false;
            for (int a = 0; a < Z; ++a) vorher.push_back(m_.Zustand().Ram.Text(a));
        }
        switch (ein_.Byte() % 17) {
            case 0: {  // a word changed in the editor, then OK
                auto& worte = ein_.Byte() % 2 ? m_.Tabelle().Steuerworte1 : m_.Tabelle().Steuerworte0;
                worte[ein_.Bereich(0, TMikrocodeTabelle::Eintraege - 1)] = Steuerworttext();
                m_.MikrocodeKopieren();
                break;
            }
            case 1:
                m_.Tabelle().Mnemonics[ein_.Bereich(0, TMikrocodeTabelle::MaxBefehle - 1)] = ein_.Text(12);
                break;
            case 2: {
                const int zeile = ein_.Bereich(1, Z);
                std::string text = Zelltext();
                editiert_ = true;
                m_.ZelleUebergeben(zeile - 1, std::move(text));
                break;
            }
            case 3: Schritt(); break;
            case 4:
                for (int k = ein_.Byte() % 64; k >= 0 && schritte_ < HoechstensSchritte; --k) {
                    ++schritte_;
                    bool ok = true;
                    try {
                        m_.Mikroschritt();
                    } catch (const Fehler& fehler) {
                        PruefeMeldung(fehler.Text(), false);
                        ok = false;
                    }
                    if (!ok || m_.SprungAufNull()) break;
                }
                break;
            case 5: {
                const Tor t = static_cast<Tor>(ein_.Byte() % TorAnzahl);
                Ereignis([&] { m_.TorUmschalten(t); });
                break;
            }
            case 6: {
                const Register r = static_cast<Register>(ein_.Byte() % RegisterAnzahl);
                Ereignis([&] { m_.LadenUmschalten(r); });
                break;
            }
            case 7: Ereignis([&] { m_.PCErhoehen(); }); break;
            case 8: {
                const int index = ein_.Bereich(-1, 6);
                Ereignis([&] { m_.AluWaehlen(index); });
                break;
            }
            case 9: {
                const int zeile = ein_.Bereich(1, Z);
                Ereignis([&] { m_.ZeileWaehlen(zeile); });
                break;
            }
            case 10: Ereignis([&] { m_.Reset(); }); break;
            case 11: Ereignis([&] { m_.AllePruefen(); }); break;
            case 12: Ereignis([&] { m_.EingabeAbschliessen(); }); break;
            case 13: RamUeberDatei(); break;
            case 14: TabelleUeberDatei(); break;
            case 15: OeffneRamDatei(ein_.Text(255)); break;
            case 16: wartet_ = true; break;  // the next action arrives while this one lets events through
        }
        Pruefe();
        if (aussen && !editiert_) {
            for (int a = 0; a < Z; ++a)
                if (m_.Zustand().Ram.Text(a) != vorher[a]) PRUEFE(GeschriebeneZelle(m_.Zustand().Ram.Text(a)));
        }
        --tiefe_;
    }

    Eingabe ein_;
    Ereignisse ereignisse_;
    TMaschine m_{&ereignisse_};
    int schritte_ = 0;
    int eingeschoben_ = 0;
    int tiefe_ = 0;
    bool wartet_ = false;
    bool editiert_ = false;
};

void Ereignisse::EreignisseVerarbeiten() {
    if (lauf) lauf->Eingeschoben();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t n) {
    Lauf(daten, n).Los();
    return 0;
}
