#pragma once

#include <QDialog>
#include <QString>

#include <memory>

class QComboBox;
class QFormLayout;
struct SearchSettings;

namespace Ui {
class TTextSearchDialog;
}

// The search dialog: a search text with its history, the search options and the direction.
// It keeps nothing between uses: the caller fills it, shows it modally and reads it back after
// OK. Closing with OK puts the search text at the top of its history.
class TTextSearchDialog : public QDialog
{
    Q_OBJECT

public:
    explicit TTextSearchDialog(QWidget *parent = nullptr);
    ~TTextSearchDialog() override;

    bool SearchBackwards() const;
    void setSearchBackwards(bool value);
    bool SearchCaseSensitive() const;
    void setSearchCaseSensitive(bool value);
    bool SearchFromCursor() const;
    void setSearchFromCursor(bool value);
    bool SearchInSelection() const;
    void setSearchInSelection(bool value);
    bool SearchWholeWords() const;
    void setSearchWholeWords(bool value);
    bool SearchRegularExpression() const;
    void setSearchRegularExpression(bool value);
    QString SearchText() const;
    void setSearchText(const QString &value);
    // One text per line; reads back at most the first ten.
    QString SearchTextHistory() const;
    void setSearchTextHistory(const QString &value);

    // Fills the dialog from Settings, showing SearchText as the text to search for.
    virtual void loadSettings(const SearchSettings &settings, const QString &searchText);
    // Every option, text and history back into Settings.
    virtual void saveSettings(SearchSettings &settings) const;

    void done(int result) override;

protected:
    TTextSearchDialog(QWidget *parent, const QString &caption);
    // The form's rows of texts, for a dialog that adds one.
    QFormLayout *textLayout() const;
    QComboBox *searchTextBox() const;
    // Called when the dialog closes with OK: the texts go to the top of their histories.
    virtual void addTextsToHistories();

    static void keepTypedCase(QComboBox &box);
    static QString history(const QComboBox &box);
    static void setHistory(QComboBox &box, const QString &text);
    static void addToHistory(QComboBox &box);

private:
    std::unique_ptr<Ui::TTextSearchDialog> ui;
};
