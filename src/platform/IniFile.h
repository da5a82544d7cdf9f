#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

// An ini file read and written the way the Windows private-profile functions do it, on bytes:
// sections and keys match without regard to case (ASCII), values are read without surrounding
// blanks and without one pair of enclosing quotes (double or single), a written key replaces
// its value where it stands or is added to its section, a new section is appended at the end
// of the file, and every other byte of the file is kept as it was. Values are read whole (no
// 2047-character cut). QSettings is not used: it rewrites the whole file in its own form.
//
// The file's form, as read here:
// - a line whose first non-blank byte is "[" and which holds a "]" starts a section named by
//   the text between them, without surrounding blanks; the first section of a name wins;
// - a line whose first non-blank byte is ";" is a comment; a line without "=" is kept but is
//   no key; otherwise the first "=" splits key and value, and the first key of a name in its
//   section wins;
// - lines before the first section belong to no section and are never read or written;
// - line ends are "\r\n" or "\n", kept per line; new lines take the style of the file's first
//   line end, or "\r\n" for a file without one (TeraTerm's files are Windows files).
class IniFile
{
public:
    // Reads Path when it exists; a missing file reads as empty and is created by flush().
    explicit IniFile(const QString &path);

    const QString &path() const { return m_path; }
    bool fileExists() const;
    // True when the file exists but could not be read; flush() then refuses to write, so an
    // unreadable file is never replaced by the few keys written here.
    bool readFailed() const { return m_readFailed; }

    // The value of Key in Section, or Default when the key is missing.
    QByteArray readString(const QByteArray &section, const QByteArray &key,
                          const QByteArray &defaultValue = {}) const;
    bool hasKey(const QByteArray &section, const QByteArray &key) const;

    // Sets Key in Section to Value. An existing line keeps its indentation and its key's
    // spelling and becomes key=value; a new key is put after the last non-blank line of its
    // section; a new section is appended at the end of the file, after a blank line unless the
    // file is empty or ends with one. The value is written as given (never quoted), except
    // that CR, LF and NUL become blanks so a value can never make a line of its own. Returns
    // false, changing nothing, for a section or key that could not be read back (empty, or
    // holding a line break, a "]" in a section, a "=" in a key, a key starting with ";" or
    // "[").
    bool writeString(const QByteArray &section, const QByteArray &key, const QByteArray &value);

    // Keys of a section in file order, spelled as in the file, each name once.
    QList<QByteArray> keys(const QByteArray &section) const;
    // Keys and values of a section in one pass, as keys() and readString() give them: for
    // readers of many keys, which would otherwise search the section once per key.
    QList<QPair<QByteArray, QByteArray>> entries(const QByteArray &section) const;
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
    void insertLine(int index, const QByteArray &raw);

    QString m_path;
    QList<Line> m_lines;
    bool m_dirty = false;
    bool m_readFailed = false;
};
