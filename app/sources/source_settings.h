// The configuration values the sources read. They come from the program's
// configuration object once the shell has it; until then these are its
// documented defaults, so callers need not change when it lands.
#pragma once

#include <QString>

namespace source_settings {

// The analysis add mode of the settings: 1 the toolbar's shape buttons are
// released after one shape, 0 they stay pressed for the next.
int add_ana_mode();
// The program's configuration folder, created when missing, ending with '/'.
QString config_path();
// Colour text of a warning degree (1 alarm, 2 early warning).
QString warning_color(int degree);

}  // namespace source_settings
