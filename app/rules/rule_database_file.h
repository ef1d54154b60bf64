// The user's copy of the rule database. The program directory holds a
// read-only template made at build time; the first run copies it into the
// user's data folder, where it is written from then on.
#pragma once

#include <QString>

// File name of the template and of the user's copy.
extern const char* const kRuleDatabaseName;

// Answers the path of the user's database in data_dir, copying the template
// there first when no copy exists yet; empty (with a log line) when there is
// neither a copy nor a template that could be copied. An existing copy is
// never replaced, except an empty file, which the template replaces.
QString prepare_rule_database(const QString& template_path, const QString& data_dir);

// Start-up: prepares the user's copy in the application-data folder, puts
// the rules' sample pictures beside it and opens the connection pool on it.
bool open_rule_database();
