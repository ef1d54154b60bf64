#include "alarms/warning_formula.h"

#include "basekit.h"

namespace warning_formula {
namespace {

bool replace_token(QByteArray& text, const QByteArray& token, double value)
{
    int length = 0;
    if (vy_replace_formula_token(text.constData(), token.constData(), value, nullptr, &length) != VY_OK) {
        return false;
    }
    QByteArray out(length + 1, '\0');
    int capacity = out.size();
    if (vy_replace_formula_token(text.constData(), token.constData(), value, out.data(), &capacity) != VY_OK) {
        return false;
    }
    out.truncate(capacity);
    text = out;
    return true;
}

// The characters that continue an alias; the same set the engine's token
// replacement treats as part of a name.
bool is_token_char(QChar c)
{
    const ushort u = c.unicode();
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_' || u >= 0x80;
}

}  // namespace

bool put_temperatures(QByteArray& text, const QByteArray& alias, double max, double min, double avg)
{
    if (alias.isEmpty()) {
        // An object without alias has no token; the formula keeps whatever
        // it names and is refused later as not number-only.
        return true;
    }
    return replace_token(text, alias + ":Max", max) && replace_token(text, alias + ":Min", min) &&
           replace_token(text, alias + ":Avg", avg);
}

bool is_number_only(const QByteArray& text)
{
    return !text.contains(':') && !text.contains("()");
}

QString rename_alias(const QString& formula, const QString& before, const QString& now)
{
    if (before.isEmpty()) {
        return formula;
    }
    const QString token = before + QLatin1Char(':');
    QString out;
    int from = 0;
    for (int found = formula.indexOf(token, 0); found >= 0; found = formula.indexOf(token, found + token.size())) {
        if (found > 0 && is_token_char(formula.at(found - 1))) {
            continue;
        }
        out += formula.midRef(from, found - from);
        out += now + QLatin1Char(':');
        from = found + token.size();
    }
    out += formula.midRef(from);
    return out;
}

QStringList rule_aliases(const QString& formula)
{
    QStringList aliases;
    const QStringList pieces = formula.split(QLatin1Char(':'));
    for (int i = 0; i + 1 < pieces.size(); ++i) {
        const QString piece = pieces.at(i).trimmed();
        aliases << piece.right(3);
    }
    return aliases;
}

}  // namespace warning_formula
