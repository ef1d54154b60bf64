// The configuration values the report classes read. They come from the
// program's configuration object once the shell has it; until then these are
// its documented defaults, so callers need not change when it lands.
#pragma once

#include <QString>

namespace report_settings {

// The program folder, ending with '/': the sample pictures beside the program.
QString app_path();
// The user's writable data folder of the program, created when missing,
// ending with '/': temporary pictures and the logos of loaded layouts.
QString config_path();
// True when the interface language is Chinese.
bool is_chinese_language();

}  // namespace report_settings
