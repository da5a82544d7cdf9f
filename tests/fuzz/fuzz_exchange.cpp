// The exchange-file import on any bytes, into a table that has connections; then the whole
// table exported and imported again gives the same connections, but for the line breaks and
// NUL bytes a one-line value cannot hold, which the export writes as blanks. The rows the
// one-pass reader finds are those the ini file's own lookups find, key by key.
#include "FuzzTables.h"

#include "platform/IniFile.h"
#include "support/FileBytes.h"
#include "table/ExchangeFile.h"
#include "table/ExchangeReader.h"
#include "table/ImportConnections.h"

#include <QFile>

#include <algorithm>

#include <cstddef>
#include <cstdint>

namespace {

const LocalClock FixedClock = [] { return QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9, 42)); };

QByteArray OneLine(QByteArray value)
{
    for (char &c : value) {
        if (c == '\r' || c == '\n' || c == '\0')
            c = ' ';
    }
    return value;
}

// The connections as an exchange file can carry them.
QList<rVTNodeData> AsExported(QList<rVTNodeData> records)
{
    for (rVTNodeData &d : records) {
        for (QByteArray *field : {&d.Name, &d.Macro, &d.Popup, &d.Schedule, &d.LastUpdated, &d.Colors})
            *field = OneLine(*field);
    }
    return records;
}

QByteArray RowKey(int column, qint64 row)
{
    return 'C' + QByteArray::number(column) + "_R" + QByteArray::number(row);
}

// The rows as the ini service gives them, asked key by key: the rows up to "RowCount" that a
// name key of the spelling "C1_R" + i names, in order, with the defaults of missing keys.
QList<rVTNodeData> RowsLookedUp(const IniFile &ini, const ExchangeReader::Defaults &defaults)
{
    const QByteArray section = "KPV";
    bool ok = false;
    const int rowCount = ini.readString(section, "RowCount").toInt(&ok, 10);
    std::vector<qint64> rows;
    for (const QByteArray &key : ini.keys(section)) {
        const QByteArray lower = key.toLower();
        if (!lower.startsWith("c1_r"))
            continue;
        bool number = false;
        const qint64 n = lower.mid(4).toLongLong(&number, 10);
        if (number && n >= 1 && ok && n <= rowCount && QByteArray::number(n) == lower.mid(4))
            rows.push_back(n);
    }
    std::sort(rows.begin(), rows.end());
    auto integer = [&](const QByteArray &key, int fallback) {
        if (!ini.hasKey(section, key))
            return fallback;
        bool isNumber = false;
        const int v = ini.readString(section, key).toInt(&isNumber, 10);
        return isNumber ? v : fallback;
    };
    QList<rVTNodeData> out;
    for (const qint64 i : rows) {
        rVTNodeData d;
        d.Name = ini.readString(section, RowKey(1, i));
        if (d.Name.isEmpty())
            continue;
        d.Schedule = ini.readString(section, RowKey(2, i), defaults.schedule);
        d.Macro = ini.readString(section, RowKey(3, i));
        d.LastUpdated = ini.readString(section, RowKey(4, i));
        d.Popup = ini.readString(section, RowKey(5, i));
        d.Colors = ini.readString(section, RowKey(6, i), defaults.colors);
        d.LogSession = integer(RowKey(7, i), 1) != 0;
        d.Level = integer(RowKey(8, i), 1);
        out.append(d);
    }
    return out;
}

void CheckReaderAgreesWithLookups(const QString &input)
{
    const ExchangeReader::Defaults defaults{ExchangeReadingTimeText(FixedClock()), FuzzTeraTermColors};
    const IniFile ini(input);
    ExchangeReader reader(defaults);
    QFile file(input);
    Check(file.open(QIODevice::ReadOnly), "the input opens");
    Check(reader.read(file), "the input is read");
    QList<rVTNodeData> read;
    reader.takeRows([&read](rVTNodeData &&d) { read.append(std::move(d)); });
    Check(read == RowsLookedUp(ini, defaults), "the reader finds the rows the ini lookups find");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QString input = ScratchFile(QStringLiteral("input.KPV"));
    Check(WriteFileBytes(input, bytes), "the input is written");

    CheckReaderAgreesWithLookups(input);

    ShapedTable first("A[B]|C");
    ImportConnections(first.doc, input, FuzzTeraTermColors, FixedClock);
    CheckTreeRules(first.doc);

    const QString again = ScratchFile(QStringLiteral("again.KPV"));
    Check(ExportLegacyConnections(first.doc, again, true, TreeSelection(), QStringLiteral("fuzz"), FixedClock), "the export is written");
    ShapedTable second;
    Check(ImportLegacyConnections(second.doc, again, FuzzTeraTermColors, FixedClock), "the export is read");
    Check(RecordsBelow(second.doc.RootNode()) == AsExported(RecordsBelow(first.doc.RootNode())),
          "an exported table imports to the same connections");
    return 0;
}
