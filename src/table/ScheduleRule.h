#pragma once

#include <QByteArray>
#include <QString>

#include <array>

// A connection's schedule rule as stored: "=" and five blank-separated fields (minute, hour,
// day of month, month, day of week with 1 for Monday), each "*" or an ascending list of
// numbers without duplicates; an empty text for no schedule. The launcher runs the rule; this
// program only edits and normalises it.
namespace ScheduleRule {

inline constexpr int FieldCount = 5;
using Fields = std::array<QString, FieldCount>;

struct Range
{
    int min;
    int max;
};
// The range of field Which (1 minute ... 5 day of week; any other number is the day of week).
Range fieldRange(int which);

// Field Which's text in its normal form: "*" for a text holding "*" or an empty one, else the
// numbers sorted, moved into range and made unique. A token that is no decimal number (an
// empty one, one with blanks, one beyond 32 bits) becomes the field's maximum. Each token
// replaced, each value moved into range and each duplicate dropped adds one to Corrections.
QString NormalizeScheduleField(int which, const QString &text, int &corrections);

// The message of a verification that made Corrections corrections.
QString verificationMessage(int corrections);

// The five field texts of a stored rule: each of the first four is the text up to the next
// blank, trimmed (the first without its leading "="); the fifth is the trimmed rest. Two blanks
// in a row give an empty field.
Fields ShowScheduleFields(const QByteArray &rule);

// The stored rule: "=" and the trimmed fields joined by single blanks when On, else empty.
QByteArray buildRule(bool on, const Fields &fields);

// What typing lets into a field: digits, "*" and ",".
bool isFieldCharacter(QChar c);
// Text as typing would have let it in: every other character dropped.
QString fieldCharactersOf(const QString &text);

} // namespace ScheduleRule
