#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// An ini file read and written the way the Windows private-profile functions do it, on bytes:
// sections and keys match without regard to case, values are read without surrounding blanks
// and without one pair of enclosing quotes, a written key replaces its value where it stands
// or is appended to its section, a new section is appended at the end of the file, and every
// other byte of the file is kept as it was. Values are read whole (no 2047-character cut).
// QSettings is not used: it rewrites the whole file in its own form.
class IniFile
{
public:
    // Reads Path when it exists; a missing file reads as empty and is created by flush().
    explicit IniFile(const QString &path);

    const QString &path() const { return m_path; }
    bool fileExists() const;

    // The value of Key in Section, or Default when the key is missing.
    QByteArray readString(const QByteArray &section, const QByteArray &key,
                          const QByteArray &defaultValue = {}) const;
    bool hasKey(const QByteArray &section, const QByteArray &key) const;
    void writeString(const QByteArray &section, const QByteArray &key, const QByteArray &value);

    // Keys of a section in file order, spelled as in the file.
    QList<QByteArray> keys(const QByteArray &section) const;
    bool hasSection(const QByteArray &section) const;

    // Writes pending changes with a temporary file renamed over the target, so a failed write
    // leaves the old file whole. True when nothing was pending or the write succeeded.
    bool flush();

    // The file's bytes as they would be written now.
    QByteArray contents() const;

private:
    struct Line
    {
        QByteArray raw;      // the line as in the file, without its line end
        QByteArray lineEnd;  // "\r\n", "\n" or empty for a last line without one
    };
    int findSection(const QByteArray &section) const;             // index of the header line
    int sectionEnd(int headerIndex) const;                         // index after its last line
    int findKey(int headerIndex, const QByteArray &key) const;     // line index or -1
    QByteArray newLineEnd() const;

    QString m_path;
    QList<Line> m_lines;
    bool m_dirty = false;
};
