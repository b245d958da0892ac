#pragma once
// What the program sets up for all its windows before it creates them.

namespace ventaro::ui {

// The classic button face for buttons and dialogs, and Qt's own texts (file
// dialogs, context menus) in German whatever the system's language.
void AnwendungEinrichten();

}  // namespace ventaro::ui
