#pragma once

#include <QByteArrayView>

// One line of an ini file (without its line end) as the Windows private-profile functions
// read it:
// - a line whose first non-blank byte is "[" and which holds a "]" is a section header, named
//   by the text between them without surrounding blanks;
// - a line whose first non-blank byte is ";" is a comment;
// - otherwise the first "=" splits the line into a key and a value, both without surrounding
//   blanks, the value also without one pair of enclosing quotes (double or single); a line
//   without "=", or with nothing before it, is no key.
// The views point into the line's bytes.
class IniLine
{
public:
    explicit IniLine(QByteArrayView raw);

    bool isHeader() const { return m_kind == Kind::Header; }
    bool isKey() const { return m_kind == Kind::Key; }
    // The section a header names; empty for any other line.
    QByteArrayView sectionName() const { return m_kind == Kind::Header ? m_name : QByteArrayView(); }
    // A key line's key and value; empty for any other line.
    QByteArrayView key() const { return m_kind == Kind::Key ? m_name : QByteArrayView(); }
    QByteArrayView value() const { return m_value; }
    // Where a key line's "=" stands in the line.
    qsizetype equalsAt() const { return m_equals; }

    // Names match as the Windows functions match them: ASCII letters without regard to case,
    // every other byte exactly.
    static bool sameName(QByteArrayView a, QByteArrayView b);

private:
    enum class Kind { Other, Header, Key };
    Kind m_kind = Kind::Other;
    QByteArrayView m_name;
    QByteArrayView m_value;
    qsizetype m_equals = -1;
};
