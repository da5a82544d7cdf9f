#pragma once

#include <QByteArray>
#include <QList>

#include <optional>

// A file in the key-file form of the XDG specifications (desktop entries, mimeapps.list),
// edited in place: the lines this program does not change keep their bytes, so a user's
// comments, other groups and keys of other programs survive every write.
//
// The form as read here: a line whose first non-blank byte is "[" and that ends in "]" opens
// the group named between them; a line whose first non-blank byte is "#" is a comment; any
// other line with a "=" is a key (the text before it, without surrounding blanks) and its
// value (the text after it, likewise); the first key of a name in its group wins. Groups and
// keys match exactly, letter case included. Lines before the first group belong to none.
class XdgKeyFile
{
public:
    XdgKeyFile() = default;
    explicit XdgKeyFile(const QByteArray &bytes);

    std::optional<QByteArray> value(const QByteArray &group, const QByteArray &key) const;

    // Sets Key in Group: an existing line becomes key=value where it stands; a new key goes
    // after the last non-blank line of its group; a new group is appended at the end of the
    // file after a blank line. False, changing nothing, for a group, key or value that would
    // not read back as given (empty group or key, a line break, "=" in a key, "]" in a
    // group, blanks around a key or value).
    bool setValue(const QByteArray &group, const QByteArray &key, const QByteArray &value);
    // Removes Key's line from Group; false when there was none.
    bool remove(const QByteArray &group, const QByteArray &key);

    QByteArray contents() const;

private:
    struct Line
    {
        QByteArray text;     // without its line end
        bool lineEnd = true; // false only for a last line without "\n"
    };
    int groupHeader(const QByteArray &group) const;  // line index or -1
    int groupEnd(int header) const;                   // index after the group's last line
    int keyLine(const QByteArray &group, const QByteArray &key) const;

    QList<Line> m_lines;
};
