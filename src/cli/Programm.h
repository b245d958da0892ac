#pragma once
// ventaro-cli: the command line, the run mode and the script mode.

#include <iosfwd>
#include <string>

namespace ventaro::cli {

class Sitzung;

// Exit codes: 0 halt (or script done), 1 bad input file or failed step,
// 2 bad usage, 3 limit reached.
int Hauptprogramm(int argc, char** argv, std::ostream& aus, std::ostream& fehler);

// Runs the script file line by line ("-" reads the standard input); stops at
// the first line that is no command. Returns 0, or 1 when the script cannot
// be read, or 2 with the line's message in fehler.
int Skriptlauf(Sitzung& sitzung, const std::string& skript, std::ostream& fehler);

}  // namespace ventaro::cli
