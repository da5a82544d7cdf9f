#include "table/ScheduleRule.h"

#include <QList>

#include <algorithm>
#include <limits>
#include <optional>

namespace ScheduleRule {

namespace {

// A decimal number with an optional sign and nothing else; none when it would not fit 32 bits.
std::optional<qint64> decimal(QStringView token)
{
    qsizetype i = 0;
    bool negative = false;
    if (i < token.size() && (token[i] == u'+' || token[i] == u'-')) {
        negative = token[i] == u'-';
        ++i;
    }
    if (i == token.size())
        return std::nullopt;
    qint64 value = 0;
    for (; i < token.size(); ++i) {
        const QChar c = token[i];
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
        if (value > qint64(std::numeric_limits<qint32>::max()) + 1)
            return std::nullopt;
    }
    value = negative ? -value : value;
    if (value > std::numeric_limits<qint32>::max() || value < std::numeric_limits<qint32>::min())
        return std::nullopt;
    return value;
}

} // namespace

Range fieldRange(int which)
{
    switch (which) {
    case 1: return {0, 59};
    case 2: return {0, 23};
    case 3: return {1, 31};
    case 4: return {1, 12};
    default: return {1, 7};
    }
}

QString NormalizeScheduleField(int which, const QString &text, int &corrections)
{
    if (text.isEmpty() || text.contains(u'*'))
        return QStringLiteral("*");
    const Range range = fieldRange(which);

    QList<qint64> values;
    for (QStringView token : QStringView(text).split(u',')) {
        if (const auto value = decimal(token)) {
            values << *value;
        } else {
            values << range.max;
            ++corrections;
        }
    }
    std::sort(values.begin(), values.end());
    for (qint64 &value : values) {
        if (value < range.min || value > range.max) {
            value = std::clamp<qint64>(value, range.min, range.max);
            ++corrections;
        }
    }
    // Clamping keeps the order, so equal values are neighbours.
    const auto end = std::unique(values.begin(), values.end());
    corrections += int(values.end() - end);
    values.erase(end, values.end());

    QStringList parts;
    parts.reserve(values.size());
    for (qint64 value : values)
        parts << QString::number(value);
    return parts.join(u',');
}

QString verificationMessage(int corrections)
{
    if (corrections < 1)
        return QStringLiteral("All fields are entered correctly.");
    if (corrections == 1)
        return QStringLiteral("1 invalid entry corrected.");
    return QString::number(corrections) + QStringLiteral(" invalid entries corrected.");
}

Fields ShowScheduleFields(const QByteArray &rule)
{
    QString rest = QString::fromLatin1(rule);
    Fields fields;
    for (int i = 0; i < FieldCount - 1; ++i) {
        // Without a further blank the part is empty and the rest stays whole.
        const qsizetype blank = rest.indexOf(u' ');
        fields[std::size_t(i)] = rest.left(blank + 1).trimmed();
        rest.remove(0, blank + 1);
    }
    fields[0] = fields[0].mid(1);
    fields[FieldCount - 1] = rest.trimmed();
    return fields;
}

QByteArray buildRule(bool on, const Fields &fields)
{
    if (!on)
        return {};
    QByteArray rule("=");
    for (int i = 0; i < FieldCount; ++i) {
        if (i)
            rule += ' ';
        rule += fields[std::size_t(i)].trimmed().toLatin1();
    }
    return rule;
}

bool isFieldCharacter(QChar c)
{
    return (c >= u'0' && c <= u'9') || c == u'*' || c == u',';
}

QString fieldCharactersOf(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (isFieldCharacter(c))
            out += c;
    }
    return out;
}

} // namespace ScheduleRule
