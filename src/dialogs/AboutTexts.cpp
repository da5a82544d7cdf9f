#include "dialogs/AboutTexts.h"

#include <QStringList>

#include <algorithm>
#include <array>

namespace {

// The numbers a version block would hold; 99999.99999.0.0 stands for none.
std::array<uint, 4> versionNumbers(const QString &version)
{
    const std::array<uint, 4> none{99999, 99999, 0, 0};
    const QStringList parts = version.split(QLatin1Char('.'));
    if (version.isEmpty() || parts.size() > 4)
        return none;
    std::array<uint, 4> numbers{0, 0, 0, 0};
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString &part = parts.at(i);
        // Digits only: no sign, blank or other decoration.
        const bool digits = !part.isEmpty() && std::all_of(part.begin(), part.end(), [](QChar c) {
            return c >= QLatin1Char('0') && c <= QLatin1Char('9');
        });
        bool ok = false;
        numbers[i] = part.toUInt(&ok);
        if (!digits || !ok)
            return none;
    }
    return numbers;
}

} // namespace

QString AboutVersionLine(const QString &version)
{
    const std::array<uint, 4> n = versionNumbers(version);
    QString line = QStringLiteral("Version %1.%2").arg(n[0]).arg(n[1]);
    line += n[2] != 0 ? QStringLiteral("  (Release %1)").arg(n[2]) : QStringLiteral("  (Beta)");
    return line;
}

QString AboutBuildLine()
{
    QString date = QStringLiteral("18 Jan 2006");
    return QLatin1String("Build: ") + date.replace(QLatin1Char(' '), QLatin1Char('-'))
           + QLatin1Char('.');
}
