// The configuration values the report classes read, from the program's
// configuration object; one place, so the components do not each reach for
// the shell.
#pragma once

#include <QSize>
#include <QString>

namespace report_settings {

// The program folder, ending with '/': the sample pictures beside the program.
QString app_path();
// The program's folder in the user's writable data, created when missing,
// ending with '/': temporary pictures and the logos of loaded layouts.
QString config_path();
// True when the interface language is Chinese.
bool is_chinese_language();
// The printable area of the default page (A4 inside 10 mm margins) in
// screen pixels: the page size layouts are drawn and printed on. Asks the
// screen, so only on the GUI thread.
QSize printer_page_size();

}  // namespace report_settings
