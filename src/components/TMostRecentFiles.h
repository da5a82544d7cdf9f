#pragma once


#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class Prompter;
class Registry;

// The recently used files, most recent first, as the File menu lists them. The list is kept
// in the registry (string values "MRU1" to "MRU<MaxFiles>" under RegPath in the current
// user's hive) or, while RegPath is empty, in an ini file (section "MRU List", keys "1" to
// "<MaxFiles>"). It is read from the ini file once at construction, again whenever the store
// is named, and written back to the store when it is destroyed. Paths are compared as the file
// system compares them: exactly.
class TMostRecentFiles : public QObject
{
    Q_OBJECT

public:
    using TMRUMenuEvent = std::function<void(const QString &fileName)>;

    // Registry and Prompter must outlive the list, which writes itself back on destruction.
    TMostRecentFiles(Registry &registry, Prompter &prompter, QObject *parent = nullptr);
    ~TMostRecentFiles() override;

    // 1 to 8: 0 reads back as 1, anything above 8 as 8. Changing it shows the list anew but
    // does not shorten it; the next AddFile does.
    unsigned MaxFiles() const { return m_maxFiles; }
    void setMaxFiles(unsigned value);

    // Whether an entry shows its whole path or only the file name.
    bool ShowFullPath() const { return m_showFullPath; }
    void setShowFullPath(bool value);

    // The ini file used while RegPath is empty: a path with a folder is used as it is, a bare
    // name lies in the program folder, and an empty name means the program's own name with
    // ".ini" in the program folder. Setting it reloads the list while RegPath is empty.
    QString IniFile() const { return m_iniFile; }
    void setIniFile(const QString &value);
    QString iniFilePath() const;

    // The registry key (current user's hive) that stores the list; setting it reloads the
    // list from there, or from the ini file when it is empty.
    QString RegPath() const { return m_regPath; }
    void setRegPath(const QString &value);

    // Called for a clicked entry whose file exists; without it a click does nothing at all.
    void setOnMenuClick(TMRUMenuEvent handler) { m_onMenuClick = std::move(handler); }
    // Called for a clicked entry whose file has gone; without it the list says so itself.
    void setOnFileNotExist(TMRUMenuEvent handler) { m_onFileNotExist = std::move(handler); }

    const QStringList &files() const { return m_files; }
    // The menu caption of entry Index: its number as the accelerator, two blanks, then the
    // path or file name (an "&" in it doubled so it shows as itself).
    QString caption(int index) const;

    // Puts FileName first; an entry of the same path moves there; the list is cut to
    // MaxFiles. Nothing changes when it is first already.
    void AddFile(const QString &fileName);

    // The entry Index was clicked. An existing file moves to the top and is reported to
    // OnMenuClick; a vanished one is dropped and reported to OnFileNotExist, or by the message
    // "The file '"<path>"' no longer exists." when that is not set.
    void MenuClick(int index);

    void LoadFromRegistry();
    void SaveToRegistry() const;
    void LoadFromIni();
    void SaveToIni() const;

Q_SIGNALS:
    // The entries or their captions changed: the menu shows them anew.
    void listChanged();

private:
    void load();
    void save() const;

    Registry &m_registry;
    Prompter &m_prompter;
    QStringList m_files;
    unsigned m_maxFiles = 4;
    bool m_showFullPath = false;
    QString m_iniFile;
    QString m_regPath;
    TMRUMenuEvent m_onMenuClick;
    TMRUMenuEvent m_onFileNotExist;
};
