#pragma once
// Translates the readable microcode source (mikrocode.quelle) into the bytes
// of mikrocode.dat. The source names the active signals of each step; every
// signal it does not name is '0' in the control word.

#include <stdexcept>
#include <string>
#include <string_view>

namespace ventaro::quelle {

// A mistake in the source, with its line number in the message.
class Quellfehler : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The complete file: the count N, N blocks for Flag 0, N blocks for Flag 1,
// every line ended by CR LF. Throws Quellfehler.
std::string MikrocodeAusQuelle(std::string_view quelle);

}  // namespace ventaro::quelle
