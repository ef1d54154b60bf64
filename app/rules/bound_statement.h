// Runs one statement of the rule database with every value bound.
#pragma once

#include <QSqlQuery>
#include <QString>
#include <QVariantList>

// Prepares sql, binds values in order and executes it. A null text is bound
// as the empty text: the text columns are NOT NULL.
bool run_bound(QSqlQuery& query, const QString& sql, const QVariantList& values = {});
