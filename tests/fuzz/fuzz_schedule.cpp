// The schedule rules on any text, as a paste or a stored rule brings it: each field's normal
// form is "*" or numbers in its range, ascending, each once, and normalising it again changes
// nothing; a rule built from the fields shows the same fields again.
#include "FuzzCheck.h"

#include "table/ScheduleRule.h"

#include <QStringList>

#include <cstddef>
#include <cstdint>

namespace {

bool isNormal(int which, const QString &field)
{
    if (field == QLatin1String("*"))
        return true;
    const ScheduleRule::Range range = ScheduleRule::fieldRange(which);
    int previous = range.min - 1;
    for (const QString &token : field.split(QLatin1Char(','))) {
        bool ok = false;
        const int value = token.toInt(&ok);
        if (!ok || value <= previous || value > range.max || QString::number(value) != token)
            return false;
        previous = value;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QString text = QString::fromUtf8(bytes);

    ScheduleRule::Fields fields;
    for (int which = 1; which <= ScheduleRule::FieldCount; ++which) {
        int corrections = 0;
        const QString normal = ScheduleRule::NormalizeScheduleField(which, ScheduleRule::fieldCharactersOf(text),
                                                                    corrections);
        Check(isNormal(which, normal), "a normalised field is a star or an ascending list in range");
        Check(corrections >= 0, "corrections are counted up");
        int again = 0;
        Check(ScheduleRule::NormalizeScheduleField(which, normal, again) == normal && again == 0,
              "a normal field stays as it is");
        ScheduleRule::NormalizeScheduleField(which, text, corrections);
        fields[std::size_t(which - 1)] = normal;
    }
    Check(ScheduleRule::ShowScheduleFields(ScheduleRule::buildRule(true, fields)) == fields,
          "a built rule shows its fields again");
    ScheduleRule::ShowScheduleFields(bytes);
    return 0;
}
