#pragma once
// ventaro-cli: the command line, the run mode and the script mode.

#include <iosfwd>

namespace ventaro::cli {

// Exit codes: 0 halt (or script done), 1 bad input file or failed step,
// 2 bad usage, 3 limit reached.
int Hauptprogramm(int argc, char** argv, std::ostream& aus, std::ostream& fehler);

}  // namespace ventaro::cli
