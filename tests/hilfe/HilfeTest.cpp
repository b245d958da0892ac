// The help documents as the build leaves them in Hilfe/ beside the program:
// the tutorial Solvej.pdf, read back with poppler-utils, and the help page
// Ventaro.htm. The instruction set they must describe is read from the
// shipped mikrocode.dat, so a new or renamed instruction that the documents
// miss fails here. Last, the tool that prints the tutorial, on small sources.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "core/Bauteile.h"
#include "core/Fehler.h"
#include "core/Zeichensatz.h"

namespace {

namespace fs = std::filesystem;

const fs::path Hilfe = VENTARO_HILFE;

std::string Lies(const fs::path& pfad) {
    std::ifstream datei(pfad, std::ios::binary);
    EXPECT_TRUE(datei) << pfad;
    std::ostringstream inhalt;
    inhalt << datei.rdbuf();
    return inhalt.str();
}

void Schreibe(const fs::path& pfad, const std::string& inhalt) {
    fs::create_directories(pfad.parent_path());
    std::ofstream(pfad, std::ios::binary) << inhalt;
}

// Runs a command through the shell; gives its standard output and exit code.
struct Lauf {
    std::string ausgabe;
    int code = -1;
};

Lauf Fuehre(const std::string& befehl) {
    Lauf lauf;
    FILE* rohr = popen((befehl + " 2>/dev/null").c_str(), "r");
    if (rohr == nullptr) return lauf;
    char puffer[4096];
    size_t n;
    while ((n = fread(puffer, 1, sizeof puffer, rohr)) > 0) lauf.ausgabe.append(puffer, n);
    const int status = pclose(rohr);
    lauf.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return lauf;
}

std::string Zitat(const fs::path& pfad) { return "'" + pfad.string() + "'"; }

std::string PdfText(const fs::path& pdf) {
    const Lauf lauf = Fuehre(std::string(PDFTOTEXT) + " -layout " + Zitat(pdf) + " -");
    EXPECT_EQ(lauf.code, 0) << pdf;
    return lauf.ausgabe;
}

int PdfSeiten(const fs::path& pdf, std::string* seitengroesse = nullptr) {
    const Lauf lauf = Fuehre(std::string(PDFINFO) + " " + Zitat(pdf));
    std::smatch treffer;
    if (seitengroesse && std::regex_search(lauf.ausgabe, treffer, std::regex(R"(Page size:\s+([^\n]*))")))
        *seitengroesse = treffer[1];
    if (!std::regex_search(lauf.ausgabe, treffer, std::regex(R"(Pages:\s+(\d+))"))) return -1;
    return std::stoi(treffer[1]);
}

// The text of an HTML page without its tags and with the few entities it uses.
std::string OhneTags(const std::string& html) {
    std::string text = std::regex_replace(html, std::regex("<[^>]*>"), " ");
    for (const auto& [entitaet, zeichen] : {std::pair<std::string, std::string>{"&gt;", ">"},
                                           {"&lt;", "<"}, {"&nbsp;", " "}, {"&amp;", "&"}}) {
        for (size_t stelle; (stelle = text.find(entitaet)) != std::string::npos;)
            text.replace(stelle, entitaet.size(), zeichen);
    }
    return text;
}

// The instruction set: opcode and mnemonic of every named opcode of the
// shipped microcode file (count, then 11 lines per opcode: mnemonic, 10 words).
struct Befehl {
    int code;
    std::string mnemonic;
};

std::vector<Befehl> Befehlssatz() {
    std::istringstream datei(Lies(VENTARO_MIKROCODE));
    std::vector<std::string> zeilen;
    for (std::string zeile; std::getline(datei, zeile);) {
        if (!zeile.empty() && zeile.back() == '\r') zeile.pop_back();
        zeilen.push_back(zeile);
    }
    std::vector<Befehl> befehle;
    const int anzahl = std::stoi(zeilen.at(0));
    for (int c = 0; c < anzahl; ++c) {
        const std::string& mnemonic = zeilen.at(1 + 11 * c);
        if (!mnemonic.empty()) befehle.push_back({c, mnemonic});
    }
    return befehle;
}

// "03 LDK": the opcode with two digits, then the mnemonic, as a row of a table.
std::vector<std::string> FehlendeBefehle(const std::string& text) {
    std::vector<std::string> fehlend;
    for (const Befehl& befehl : Befehlssatz()) {
        char code[3];
        std::snprintf(code, sizeof code, "%02d", befehl.code);
        const std::regex zeile("(^|\\s)" + std::string(code) + "\\s+" + befehl.mnemonic + "\\b");
        if (!std::regex_search(text, zeile)) fehlend.push_back(std::string(code) + " " + befehl.mnemonic);
    }
    return fehlend;
}

// "5 PT": every signal with its place in the control word.
std::vector<std::string> FehlendeSignale(const std::string& text) {
    std::vector<std::string> fehlend;
    for (const ventaro::Signal& s : ventaro::Signale) {
        const std::string name(s.name);
        const std::regex zeile("(^|\\s)" + std::to_string(s.position) + "\\s+" + name + "(\\s|$)");
        if (!std::regex_search(text, zeile)) fehlend.push_back(std::to_string(s.position) + " " + name);
    }
    return fehlend;
}

std::vector<std::string> Alle(const std::string& text, const std::regex& muster) {
    std::vector<std::string> gefunden;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), muster); it != std::sregex_iterator(); ++it)
        gefunden.push_back((*it)[1]);
    return gefunden;
}

// --- The tutorial --------------------------------------------------------------

TEST(Tutorium, IstEinA4DokumentVonZwoelfBisDreissigSeiten) {
    std::string groesse;
    const int seiten = PdfSeiten(Hilfe / "Solvej.pdf", &groesse);
    // Nine chapters, two appendices and nine pictures need more than twelve
    // pages; far more would mean pictures printed at the wrong scale.
    EXPECT_GE(seiten, 12);
    EXPECT_LE(seiten, 30);
    EXPECT_NE(groesse.find("(A4)"), std::string::npos) << groesse;
}

TEST(Tutorium, NenntJedenBefehlMitSeinemOperationscode) {
    const std::vector<std::string> fehlend = FehlendeBefehle(PdfText(Hilfe / "Solvej.pdf"));
    EXPECT_TRUE(fehlend.empty()) << "fehlt im Tutorium: " << testing::PrintToString(fehlend);
}

TEST(Tutorium, NenntJedesSignalMitSeinerStelleImSteuerwort) {
    const std::vector<std::string> fehlend = FehlendeSignale(PdfText(Hilfe / "Solvej.pdf"));
    EXPECT_TRUE(fehlend.empty()) << "fehlt im Tutorium: " << testing::PrintToString(fehlend);
}

// A signal name broken inside the word in a narrow table column: its first
// part on one line, the rest right below it.
TEST(Tutorium, BrichtKeinSignalImWort) {
    struct Wort {
        double x0, y0, x1, y1;
        std::string text;
    };
    const Lauf lauf = Fuehre(std::string(PDFTOTEXT) + " -bbox " + Zitat(Hilfe / "Solvej.pdf") + " -");
    ASSERT_EQ(lauf.code, 0);
    const std::regex muster(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    std::vector<Wort> woerter;
    const auto ende = std::sregex_iterator();
    for (auto it = std::sregex_iterator(lauf.ausgabe.begin(), lauf.ausgabe.end(), muster); it != ende; ++it) {
        const std::smatch& m = *it;
        woerter.push_back({std::stod(m[1]), std::stod(m[2]), std::stod(m[3]), std::stod(m[4]), m[5]});
    }
    std::vector<std::string> gebrochen;
    for (size_t i = 0; i + 1 < woerter.size(); ++i) {
        const Wort& a = woerter[i];
        std::string anfang = a.text;
        if (!anfang.empty() && anfang.back() == '-') anfang.pop_back();
        for (size_t j = i + 1; j < woerter.size() && j < i + 40; ++j) {
            const Wort& b = woerter[j];
            const bool darunter = b.y0 >= a.y1 - 1 && b.y0 - a.y1 < a.y1 - a.y0 && b.x0 < a.x1 && b.x1 > a.x0;
            const std::string ganz = anfang + b.text;
            if (darunter && ventaro::SignalNachName(ganz))
                gebrochen.push_back(a.text + " / " + b.text);
        }
    }
    EXPECT_TRUE(gebrochen.empty()) << testing::PrintToString(gebrochen);
}

TEST(Tutorium, EnthaeltJedesBildDerQuelle) {
    const std::string quelle = Lies(VENTARO_TUTORIUM_QUELLE);
    const std::vector<std::string> bilder = Alle(quelle, std::regex(R"re(<img\s+src="([^"]+)")re"));
    ASSERT_GE(bilder.size(), 5u);
    const Lauf lauf = Fuehre(std::string(PDFIMAGES) + " -list " + Zitat(Hilfe / "Solvej.pdf"));
    ASSERT_EQ(lauf.code, 0);
    // One line per picture after two header lines; soft masks would be listed too.
    size_t bilderImPdf = 0;
    std::istringstream zeilen(lauf.ausgabe);
    for (std::string zeile; std::getline(zeilen, zeile);)
        if (std::regex_search(zeile, std::regex(R"(^\s*\d+\s+\d+\s+image\s)"))) ++bilderImPdf;
    EXPECT_EQ(bilderImPdf, bilder.size());
}

TEST(Tutorium, InhaltsverzeichnisNenntDieSeitenDerKapitel) {
    const std::string text = PdfText(Hilfe / "Solvej.pdf");
    EXPECT_EQ(text.find("@@"), std::string::npos);
    std::smatch treffer;
    ASSERT_TRUE(std::regex_search(text, treffer, std::regex(R"(\bA\s+Der Befehlssatz\s+(\d+))")));
    const int seite = std::stoi(treffer[1]);
    // That page holds the appendix: its footer and its heading.
    const Lauf lauf = Fuehre(std::string(PDFTOTEXT) + " -layout -f " + std::to_string(seite) + " -l " +
                             std::to_string(seite) + " " + Zitat(Hilfe / "Solvej.pdf") + " -");
    EXPECT_NE(lauf.ausgabe.find("Seite " + std::to_string(seite) + " von"), std::string::npos);
    EXPECT_NE(lauf.ausgabe.find("A Der Befehlssatz"), std::string::npos);
}

// --- The help page -------------------------------------------------------------

TEST(Hilfeseite, NenntJedenBefehlMitSeinemOperationscode) {
    const std::vector<std::string> fehlend = FehlendeBefehle(OhneTags(Lies(Hilfe / "Ventaro.htm")));
    EXPECT_TRUE(fehlend.empty()) << "fehlt auf der Hilfeseite: " << testing::PrintToString(fehlend);
}

// The messages as the program makes them, "…" for what they name.
TEST(Hilfeseite, ErklaertJedeMeldungDesProgramms) {
    const std::string text = OhneTags(Lies(Hilfe / "Ventaro.htm"));
    const std::string_view etwas = "\x85";  // "…" in Windows-1252
    auto ohneGrund = [](std::string meldung) { return meldung.substr(0, meldung.find_last_not_of(' ') + 1); };
    const std::string befehlsanzahl = ventaro::meldung::UnzulaessigeBefehlsanzahl(etwas, 31);
    for (const std::string& meldung :
         {ventaro::meldung::ZelleNichtKorrekt(5), ventaro::meldung::ZuVieleToreGeoeffnet(), ventaro::meldung::GitterindexAusserhalb(),
          ohneGrund(ventaro::meldung::KannNichtGeoeffnetWerden(etwas, "")), ohneGrund(ventaro::meldung::KannNichtErstelltWerden(etwas, "")),
          ventaro::meldung::KeinIntegerwert(etwas), ventaro::meldung::StreamSchreibfehler(), ventaro::meldung::ZuVieleSpruenge(),
          befehlsanzahl.substr(0, befehlsanzahl.find("31")), befehlsanzahl.substr(befehlsanzahl.find("31") + 2)})
        EXPECT_NE(text.find(ventaro::Cp1252ZuUtf8(meldung)), std::string::npos) << ventaro::Cp1252ZuUtf8(meldung);
    // The window's own boxes.
    for (const char* meldung : {"Vor dem Beenden von Ventaro muss das laufende Programm", "kann nicht angezeigt werden",
                                "existiert nicht im Hilfe-Unterverzeichnis!"})
        EXPECT_NE(text.find(meldung), std::string::npos) << meldung;
}

TEST(Hilfeseite, NenntJedesSignalMitSeinerStelleImSteuerwort) {
    const std::vector<std::string> fehlend = FehlendeSignale(OhneTags(Lies(Hilfe / "Ventaro.htm")));
    EXPECT_TRUE(fehlend.empty()) << "fehlt auf der Hilfeseite: " << testing::PrintToString(fehlend);
}

TEST(Hilfeseite, ZitiertDieHinweiseDerToreUndRegisterWieDieStatuszeile) {
    const std::string text = OhneTags(Lies(Hilfe / "Ventaro.htm"));
    std::vector<std::string_view> hinweise(ventaro::TorHinweise.begin(), ventaro::TorHinweise.end());
    hinweise.insert(hinweise.end(), ventaro::RegisterHinweise.begin(), ventaro::RegisterHinweise.end());
    for (std::string_view hinweis : hinweise)
        EXPECT_NE(text.find(ventaro::Cp1252ZuUtf8(hinweis)), std::string::npos) << ventaro::Cp1252ZuUtf8(hinweis);
}

TEST(Hilfeseite, JedesBildLiegtDaneben) {
    const std::string html = Lies(Hilfe / "Ventaro.htm");
    const std::vector<std::string> bilder = Alle(html, std::regex(R"re(<img\s+src="([^"]+)")re"));
    ASSERT_FALSE(bilder.empty());
    for (const std::string& bild : bilder) EXPECT_TRUE(fs::is_regular_file(Hilfe / bild)) << bild;
}

TEST(Hilfeseite, JederVerweisFindetSeinZiel) {
    const std::string html = Lies(Hilfe / "Ventaro.htm");
    const std::vector<std::string> ziele = Alle(html, std::regex(R"re(href="#([^"]+)")re"));
    const std::vector<std::string> ankerListe = Alle(html, std::regex(R"re(\bid="([^"]+)")re"));
    const std::set<std::string> anker(ankerListe.begin(), ankerListe.end());
    ASSERT_GE(ziele.size(), 18u);
    for (const std::string& ziel : ziele) EXPECT_TRUE(anker.count(ziel)) << "#" << ziel;
    EXPECT_EQ(anker.size(), ankerListe.size()) << "ein Anker steht doppelt";
}

TEST(Hilfeseite, IstUtf8MitZeichensatzangabe) {
    const std::string html = Lies(Hilfe / "Ventaro.htm");
    EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
    // Umlauts as UTF-8, not as Windows-1252 bytes and not twice encoded.
    EXPECT_NE(html.find("Überblick"), std::string::npos);
    EXPECT_EQ(html.find("Ã"), std::string::npos);
    for (size_t i = 0; i < html.size();) {
        const auto byte = static_cast<unsigned char>(html[i]);
        const size_t laenge = byte < 0x80 ? 1 : (byte >> 5) == 0x6 ? 2 : (byte >> 4) == 0xE ? 3 : (byte >> 3) == 0x1E ? 4 : 0;
        ASSERT_NE(laenge, 0u) << "kein UTF-8 an Byte " << i;
        ASSERT_LE(i + laenge, html.size());
        for (size_t j = 1; j < laenge; ++j)
            ASSERT_EQ(static_cast<unsigned char>(html[i + j]) >> 6, 0x2) << "kein UTF-8 an Byte " << i;
        i += laenge;
    }
}

// --- The tool that prints the tutorial -------------------------------------------

class Werkzeug : public testing::Test {
protected:
    const fs::path arbeit = fs::path(VENTARO_ARBEIT) / testing::UnitTest::GetInstance()->current_test_info()->name();

    void SetUp() override {
        fs::remove_all(arbeit);
        fs::create_directories(arbeit);
    }

    Lauf Drucke(const std::string& html) {
        Schreibe(arbeit / "quelle.html", html);
        return Fuehre("QT_QPA_PLATFORM=offscreen " + std::string(VENTARO_TUTORIUM_PDF_WERKZEUG) + " " +
                      Zitat(arbeit / "quelle.html") + " " + Zitat(arbeit / "aus.pdf"));
    }
};

TEST_F(Werkzeug, SetztDieSeitenDerAnkerInsInhaltsverzeichnis) {
    const Lauf lauf = Drucke(
        "<html><body><p>Inhalt: Zweites @@seite:zwei@@, Drittes @@seite:drei@@</p>"
        "<h1 style=\"page-break-before: always\"><a name=\"zwei\"></a>Zweites</h1><p>Text</p>"
        "<h1 style=\"page-break-before: always\"><a name=\"drei\"></a>Drittes</h1><p>Text</p></body></html>");
    ASSERT_EQ(lauf.code, 0);
    EXPECT_EQ(PdfSeiten(arbeit / "aus.pdf"), 3);
    const std::string text = PdfText(arbeit / "aus.pdf");
    EXPECT_NE(text.find("Inhalt: Zweites 2, Drittes 3"), std::string::npos) << text;
    EXPECT_NE(text.find("Seite 3 von 3"), std::string::npos) << text;
}

TEST_F(Werkzeug, BrichtBeiEinemFehlendenBildAb) {
    const Lauf lauf = Drucke("<html><body><p>Text</p><p><img src=\"bilder/fehlt.png\"></p></body></html>");
    EXPECT_EQ(lauf.code, 1);
}

TEST_F(Werkzeug, BrichtBeiEinemUnbekanntenAnkerAb) {
    const Lauf lauf = Drucke("<html><body><p>Siehe Seite @@seite:nirgends@@</p></body></html>");
    EXPECT_EQ(lauf.code, 1);
}

TEST_F(Werkzeug, BrichtBeiEinerLeerenQuelleAb) {
    const Lauf lauf = Drucke("<html><body><p> </p></body></html>");
    EXPECT_EQ(lauf.code, 1);
}

TEST_F(Werkzeug, BettetEinBildNebenDerQuelleEin) {
    // The tutorial's own picture, copied beside the test's source.
    fs::create_directories(arbeit / "bilder");
    fs::copy_file(fs::path(VENTARO_TUTORIUM_QUELLE).parent_path() / "bilder" / "fenster.png",
                  arbeit / "bilder" / "fenster.png");
    const Lauf lauf = Drucke("<html><body><p>Bild:</p><p><img src=\"bilder/fenster.png\" width=\"300\"></p></body></html>");
    ASSERT_EQ(lauf.code, 0);
    const Lauf liste = Fuehre(std::string(PDFIMAGES) + " -list " + Zitat(arbeit / "aus.pdf"));
    EXPECT_TRUE(std::regex_search(liste.ausgabe, std::regex(R"(\bimage\s+797\s+586\b)"))) << liste.ausgabe;
}

}  // namespace
