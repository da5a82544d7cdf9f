// Writes the seed corpus of the fuzz targets with the program's own writers: a few small
// valid inputs per target, in <folder>/<target name>/. Usage: make_fuzz_seeds <folder>.
#include "platform/IniFile.h"
#include "support/FileBytes.h"
#include "support/ShapedTable.h"
#include "support/TableBytes.h"
#include "table/ColorSet.h"
#include "table/ExchangeFile.h"
#include "table/NodeClipboard.h"
#include "table/TableFile.h"
#include "table/UrlCodec.h"

#include <QDir>

#include <cstdio>

namespace {

const QByteArray Macro = "connect '10.0.0.1:22 /ssh /2'\r\nwait 'login:'\r\nsendln 'admin'\r\n";
const QDateTime Written(QDate(2024, 3, 5), QTime(14, 7, 9));
const LocalClock Clock = [] { return Written; };

bool Put(const QDir &folder, const QString &target, const QString &name, const QByteArray &bytes)
{
    return folder.mkpath(target) && WriteFileBytes(folder.filePath(target + QLatin1Char('/') + name), bytes);
}

// A table with every field in use: two branches, a separator, colours of several schemes.
void FillFields(ShapedTable &table)
{
    int i = 0;
    ConnectionTree::forEachBelow(table.doc.RootNode(), [&i](ConnectionNode *n) {
        rVTNodeData &d = n->data;
        if (!IsSeparatorName(d.Name)) {
            d.Macro = UrlEncode(Macro, true);
            d.Popup = UrlEncode("Server " + d.Name + "\r\nroom 2", true);
            d.Schedule = i % 2 ? QByteArray() : QByteArrayLiteral("=0,30 9 * * 1,2,3,4,5");
            d.LastUpdated = ExchangeCreatedText(Written);
        }
        d.Colors = ColorSchemes[i % ColorSchemeCount].text;
        d.LogSession = i % 2 == 0;
        ++i;
    });
}

// The first 18 numbers of a colour text: the form of an old table.
QByteArray OldColors(const QByteArray &colors)
{
    return colors.split(':').mid(0, 18).join(':');
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_fuzz_seeds <corpus folder>\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const QString scratch = folder.filePath(QStringLiteral(".scratch"));
    bool ok = folder.mkpath(QStringLiteral(".scratch"));

    ShapedTable empty;
    ok = ok && SaveConnectionTable(empty.doc, scratch + QStringLiteral("/empty.QDZ"))
        && Put(folder, "tablefile", "empty.QDZ", ReadFileBytes(scratch + QStringLiteral("/empty.QDZ")));

    ShapedTable table("Web[Front[Proxy]|" + SeparatorText + "]|Database");
    FillFields(table);
    const QString tableFile = scratch + QStringLiteral("/branches.QDZ");
    ok = ok && SaveConnectionTable(table.doc, tableFile)
        && Put(folder, "tablefile", "branches.QDZ", ReadFileBytes(tableFile));
    QList<rVTNodeData> old;
    ConnectionTree::forEachBelow(table.doc.RootNode(), [&old](ConnectionNode *n) {
        old.append(n->data);
        old.last().Colors = OldColors(n->data.Colors);
    });
    ok = ok && Put(folder, "tablefile", "old.QDZ", TableFileBytes("QDZ20", static_cast<qint32>(old.size()), old));

    ok = ok && Put(folder, "nodes", "branch.bin", EncodeNodes({table.at(QStringLiteral("0"))}))
        && Put(folder, "nodes", "two-depths.bin", EncodeNodes({table.at(QStringLiteral("0/0")), table.at(QStringLiteral("1"))}));

    const QString all = scratch + QStringLiteral("/all.KPV");
    ok = ok && ExportLegacyConnections(table.doc, all, true, TreeSelection(), QStringLiteral("2.8.1"), Clock)
        && Put(folder, "exchange", "all.KPV", ReadFileBytes(all));
    const QString one = scratch + QStringLiteral("/one.KPV");
    ok = ok && ExportLegacyConnections(table.doc, one, false, TreeSelection(nullptr, {table.at(QStringLiteral("1"))}), QStringLiteral("2.8.1"), Clock)
        && Put(folder, "exchange", "one.KPV", ReadFileBytes(one));
    // Rows as a hand or another program may leave them: keys in any case, order and spacing,
    // repeated, a row far beyond the others, a second section of the name, lines no key.
    ok = ok
        && Put(folder, "exchange", "keys.KPV",
               "C1_R9=before\r\n[ kpv ]\r\nrowcount = 2147483647\r\nC1_R3 = \"Three\" \r\nc8_r3=2\r\n"
               "C1_R1='One'\r\nC1_R1=again\r\n;C1_R2=comment\r\nC1_R2\r\nC1_R02=zero\r\nC1_R2=-\r\n"
               "C7_R2=0\r\nC8_R2=x\r\nC1_R2000000000=Far\r\nC6_R1=\r\n[Other]\r\nC1_R4=other\r\n"
               "[KPV]\r\nC1_R5=second\nC1_R6=last");

    // TeraTerm's file as the program reads and writes it, and a file with Unix line ends.
    const QString teraterm = scratch + QStringLiteral("/teraterm.ini");
    ok = ok && WriteFileBytes(teraterm, "; TeraTerm settings\r\n");
    {
        IniFile ini(teraterm);
        ini.writeString("Tera Term", "VTFont", "Terminal,0,-12,255");
        ini.writeString("Tera Term", "VTColor", "0,0,0,255,255,255");
        ini.writeString("Tera Term", "URLColor", "0,0,255,255,255,255");
        ini.writeString("BG", "BGEnable", "on");
        ok = ok && ini.flush() && Put(folder, "inifile", "teraterm.ini", ReadFileBytes(teraterm));
    }
    const QString unix = scratch + QStringLiteral("/unix.ini");
    ok = ok && WriteFileBytes(unix, "; comment\n[KPV]\n");
    {
        IniFile ini(unix);
        ini.writeString("KPV", "C1_R1", "\"quoted name\"");
        ini.writeString("KPV", "RowCount", "1");
        ok = ok && ini.flush() && Put(folder, "inifile", "unix.ini", ReadFileBytes(unix));
    }

    ok = ok && Put(folder, "urlcodec", "macro.txt", Macro)
        && Put(folder, "urlcodec", "escaped.txt", UrlEncode(Macro, true));

    ok = ok && Put(folder, "colorset", "scheme.txt", ColorSchemes[3].text)
        && Put(folder, "colorset", "old.txt", OldColors(ColorSchemes[5].text));

    QDir(scratch).removeRecursively();
    if (!ok)
        std::fprintf(stderr, "make_fuzz_seeds: a seed could not be written\n");
    return ok ? 0 : 1;
}
