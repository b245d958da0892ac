#pragma once
// The machine's state as the command line prints it: one JSON object, or
// readable German text. Texts leave the core as Windows-1252 and are turned
// into UTF-8 here.

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "machine/Aufzeichnung.h"
#include "machine/Maschine.h"

namespace ventaro::cli {

nlohmann::ordered_json ZustandAlsJson(const TMaschine& maschine, const std::vector<std::string>& meldungen);
std::string ZustandAlsText(const TMaschine& maschine, const std::vector<std::string>& meldungen);
// A running recording: opcode, flag (null: both), next step, recorded words.
nlohmann::ordered_json AufzeichnungAlsJson(const TAufzeichnung& aufzeichnung);
// Its status text and one line per recorded word.
std::string AufzeichnungAlsText(const TAufzeichnung& aufzeichnung);
// The statistics as a German table with its totals.
std::string StatistikAlsText(const TMaschine& maschine);
// One line of the trace: MPC, control word, registers and both buses.
std::string Spurzeile(const TMaschine& maschine, Wort mpc, std::string_view steuerwort);

}  // namespace ventaro::cli
