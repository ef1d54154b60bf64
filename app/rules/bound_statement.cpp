#include "rules/bound_statement.h"

#include <QVariant>

bool run_bound(QSqlQuery& query, const QString& sql, const QVariantList& values)
{
    if (!query.prepare(sql)) {
        return false;
    }
    for (const QVariant& value : values) {
        const bool null_text = value.type() == QVariant::String && value.toString().isNull();
        query.addBindValue(null_text ? QVariant(QStringLiteral("")) : value);
    }
    return query.exec();
}
