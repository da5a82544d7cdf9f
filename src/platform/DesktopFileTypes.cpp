#include "platform/DesktopFileTypes.h"

#include "platform/AutoStart.h"
#include "platform/FileUtil.h"
#include "platform/Registry.h"
#include "platform/ShellOpen.h"
#include "platform/XdgDirs.h"
#include "platform/XdgKeyFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QStandardPaths>

#include <set>

namespace {

using Hive = Registry::Hive;

const QString kFilePrefix = QStringLiteral("wexmora-type-");
const QByteArray kDefaultsGroup = QByteArrayLiteral("Default Applications");
const QByteArray kEntryGroup = QByteArrayLiteral("Desktop Entry");
const QByteArray kPreviousKey = QByteArrayLiteral("X-Wexmora-Previous-Default");

// A type key as it may stand in a MIME subtype and a file name: lower case, with anything
// beyond letters, digits and ".+-" made "-".
QString typeSlug(const QString &typeKey)
{
    QString slug;
    for (const QChar c : typeKey.toLower()) {
        const bool keep = (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
                          || (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
                          || c == QLatin1Char('.') || c == QLatin1Char('+') || c == QLatin1Char('-');
        slug += keep ? c : QLatin1Char('-');
    }
    return slug;
}

QString mimeTypeOfSlug(const QString &slug)
{
    return QLatin1String("application/x-") + slug;
}

QString desktopFileOfSlug(const QString &slug)
{
    return kFilePrefix + slug + QLatin1String(".desktop");
}

QString applicationsDir()
{
    return XdgDirs::dataHome() + QLatin1String("/applications");
}

QString mimeDir()
{
    return XdgDirs::dataHome() + QLatin1String("/mime");
}

QString packageOfSlug(const QString &slug)
{
    return mimeDir() + QLatin1String("/packages/") + kFilePrefix + slug + QLatin1String(".xml");
}

QString entryOfSlug(const QString &slug)
{
    return applicationsDir() + QLatin1Char('/') + desktopFileOfSlug(slug);
}

// What one associated type needs on the desktop.
struct DesktopType
{
    QString comment;
    std::set<QString> globs;
};

// An extension as a glob, or empty when it holds what a glob or a file name cannot.
QString globOf(const QString &extensionKey)
{
    const QString ext = extensionKey.mid(1).toLower();
    if (ext.isEmpty())
        return {};
    for (const QChar c : ext) {
        if (c == QLatin1Char('*') || c == QLatin1Char('?') || c == QLatin1Char('[')
            || c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() < 0x20)
            return {};
    }
    return QLatin1String("*.") + ext;
}

// The hive's extension keys whose type opens its files with the handler's program.
QMap<QString, DesktopType> associatedTypes(const Registry &reg,
                                           const DesktopFileTypes::Handler &handler)
{
    QMap<QString, DesktopType> types;
    const QStringList keys = reg.subKeys(Hive::ClassesRoot, QString());
    for (const QString &ext : keys) {
        if (!ext.startsWith(QLatin1Char('.')))
            continue;
        const QString type = reg.readString(Hive::ClassesRoot, ext, QString()).value_or(QString());
        // A type that names no key, or the hive's root, is no type.
        if (type.split(QLatin1Char('\\'), Qt::SkipEmptyParts).isEmpty()
            || !reg.keyExists(Hive::ClassesRoot, type))
            continue;
        const QString command =
            reg.readString(Hive::ClassesRoot, type + QLatin1String("\\Shell\\") + handler.verb
                                                  + QLatin1String("\\Command"),
                           QString())
                .value_or(QString());
        const QString glob = globOf(ext);
        if (glob.isEmpty() || !DesktopFileTypes::commandRuns(command, handler.program))
            continue;
        DesktopType &t = types[typeSlug(type)];
        if (t.comment.isEmpty())
            t.comment = reg.readString(Hive::ClassesRoot, type, QString()).value_or(QString());
        t.globs.insert(glob);
    }
    return types;
}

// Text for an XML element or attribute; control characters, which XML 1.0 cannot hold,
// become blanks.
QString xmlEscaped(const QString &text)
{
    QString plain = text;
    for (QChar &c : plain) {
        if (c.unicode() < 0x20)
            c = QLatin1Char(' ');
    }
    return plain.toHtmlEscaped();
}

QByteArray packageText(const QString &slug, const DesktopType &type, const QString &fallback)
{
    QString xml = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                 "<mime-info xmlns=\"http://www.freedesktop.org/standards/"
                                 "shared-mime-info\">\n"
                                 "  <mime-type type=\"%1\">\n"
                                 "    <comment>%2</comment>\n")
                      .arg(mimeTypeOfSlug(slug),
                           xmlEscaped(type.comment.isEmpty() ? fallback : type.comment));
    for (const QString &glob : type.globs)
        xml += QStringLiteral("    <glob pattern=\"%1\"/>\n").arg(xmlEscaped(glob));
    xml += QLatin1String("  </mime-type>\n</mime-info>\n");
    return xml.toUtf8();
}

// A desktop-entry string value on one line.
QByteArray entryString(const QString &text)
{
    QString out;
    for (const QChar c : text) {
        if (c == QLatin1Char('\\'))
            out += QLatin1String("\\\\");
        else if (c.unicode() < 0x20)
            out += QLatin1Char(' ');
        else
            out += c;
    }
    return out.trimmed().toUtf8();
}

QByteArray entryText(const QString &slug, const DesktopFileTypes::Handler &handler,
                     const std::optional<QByteArray> &previousDefault)
{
    const QString name = handler.name.isEmpty() ? QFileInfo(handler.program).fileName()
                                                : handler.name;
    QByteArray text = "[Desktop Entry]\n"
                      "Type=Application\n"
                      "Name=" + entryString(name) + "\n"
                      "Exec=" + AutoStart::quoteExecArgument(handler.program).toUtf8() + " %f\n"
                      "MimeType=" + mimeTypeOfSlug(slug).toUtf8() + ";\n"
                      "NoDisplay=true\n"
                      "Terminal=false\n";
    if (previousDefault)
        text += kPreviousKey + '=' + *previousDefault + '\n';
    return text;
}

// A file's bytes (none for a missing file), or nullopt when it exists but cannot be read.
std::optional<QByteArray> readFile(const QString &path)
{
    if (!QFileInfo::exists(path))
        return QByteArray();
    return ReadWholeFile(path);
}

// Writes Bytes unless the file already holds them; true when the file holds them after.
bool writeFile(const QString &path, const QByteArray &bytes, bool *changed)
{
    if (QFileInfo::exists(path) && readFile(path) == bytes)
        return true;
    if (!QDir().mkpath(QFileInfo(path).path()))
        return false;
    if (!WriteWholeFile(path, bytes))
        return false;
    *changed = true;
    return true;
}

bool removeFile(const QString &path, bool *changed)
{
    if (!QFileInfo::exists(path))
        return true;
    if (!QFile::remove(path))
        return false;
    *changed = true;
    return true;
}

// The first desktop entry a mimeapps.list value names.
QByteArray firstEntry(const QByteArray &value)
{
    return value.left(value.indexOf(';')).trimmed();
}

// The slugs of the desktop entries an earlier run left.
QStringList existingSlugs()
{
    const QString suffix = QStringLiteral(".desktop");
    QStringList slugs;
    const QStringList files =
        QDir(applicationsDir()).entryList({kFilePrefix + QLatin1Char('*') + suffix}, QDir::Files);
    for (const QString &file : files)
        slugs << file.mid(kFilePrefix.size(), file.size() - kFilePrefix.size() - suffix.size());
    return slugs;
}

// Starts a cache tool of the desktop when it is installed; its absence is no failure.
void refreshCache(const QString &tool, const QString &dir)
{
    const QString path = QStandardPaths::findExecutable(tool);
    if (!path.isEmpty())
        ShellOpen::startDetached(path, {dir});
}

} // namespace

namespace DesktopFileTypes {

QString mimeTypeForClass(const QString &typeKey)
{
    return mimeTypeOfSlug(typeSlug(typeKey));
}

QString desktopFileForClass(const QString &typeKey)
{
    return desktopFileOfSlug(typeSlug(typeKey));
}

QString mimeAppsPath()
{
    return XdgDirs::configHome() + QLatin1String("/mimeapps.list");
}

QString packagePath(const QString &typeKey)
{
    return packageOfSlug(typeSlug(typeKey));
}

QString desktopEntryPath(const QString &typeKey)
{
    return entryOfSlug(typeSlug(typeKey));
}

bool commandRuns(const QString &command, const QString &program)
{
    if (program.isEmpty())
        return false;
    const QString quoted = QLatin1Char('"') + program + QLatin1Char('"');
    for (const QString &head : {quoted, program}) {
        if (command.startsWith(head)
            && (command.size() == head.size() || command.at(head.size()) == QLatin1Char(' ')))
            return true;
    }
    return false;
}

bool follow(const Registry &registry, const Handler &handler)
{
    const QMap<QString, DesktopType> wanted = associatedTypes(registry, handler);
    bool ok = true;
    bool packagesChanged = false;
    bool entriesChanged = false;

    const auto mimeAppsBytes = readFile(mimeAppsPath());
    if (!mimeAppsBytes)
        return false;  // never replace a file we could not read
    XdgKeyFile mimeApps(*mimeAppsBytes);

    for (auto it = wanted.cbegin(); it != wanted.cend(); ++it) {
        const QString &slug = it.key();
        const QByteArray mime = mimeTypeOfSlug(slug).toUtf8();
        const QByteArray ours = desktopFileOfSlug(slug).toUtf8();
        // The default is taken when the type is first shown, and the one from before kept;
        // a default the user chooses later is left alone.
        std::optional<QByteArray> previous;
        const auto entry = readFile(entryOfSlug(slug));
        if (entry && !entry->isEmpty()) {
            previous = XdgKeyFile(*entry).value(kEntryGroup, kPreviousKey);
        } else {
            const auto current = mimeApps.value(kDefaultsGroup, mime);
            if (current && firstEntry(*current) != ours)
                previous = current;
            mimeApps.setValue(kDefaultsGroup, mime, ours + ';');
        }
        ok &= writeFile(packageOfSlug(slug), packageText(slug, it.value(), handler.name),
                        &packagesChanged);
        ok &= writeFile(entryOfSlug(slug), entryText(slug, handler, previous), &entriesChanged);
    }

    for (const QString &slug : existingSlugs()) {
        if (wanted.contains(slug))
            continue;
        const QByteArray mime = mimeTypeOfSlug(slug).toUtf8();
        const auto entry = readFile(entryOfSlug(slug));
        const auto current = mimeApps.value(kDefaultsGroup, mime);
        // A default the user chose while the association lasted stays.
        if (current && firstEntry(*current) == desktopFileOfSlug(slug).toUtf8()) {
            const auto previous = entry ? XdgKeyFile(*entry).value(kEntryGroup, kPreviousKey)
                                        : std::nullopt;
            if (!previous || !mimeApps.setValue(kDefaultsGroup, mime, *previous))
                mimeApps.remove(kDefaultsGroup, mime);
        }
        ok &= removeFile(packageOfSlug(slug), &packagesChanged);
        ok &= removeFile(entryOfSlug(slug), &entriesChanged);
    }

    if (mimeApps.contents() != *mimeAppsBytes) {
        bool changed = false;
        ok &= writeFile(mimeAppsPath(), mimeApps.contents(), &changed);
    }
    if (packagesChanged)
        refreshCache(QStringLiteral("update-mime-database"), mimeDir());
    if (entriesChanged)
        refreshCache(QStringLiteral("update-desktop-database"), applicationsDir());
    return ok;
}

} // namespace DesktopFileTypes
