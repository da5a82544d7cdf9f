#pragma once

#include "dialogs/widgets/TTextSearchDialog.h"

class QComboBox;
class QLabel;

// The replace dialog: the search dialog with a replacement text and its history below the
// search text.
class TTextReplaceDialog : public TTextSearchDialog
{
    Q_OBJECT

public:
    explicit TTextReplaceDialog(QWidget *parent = nullptr);

    QString ReplaceText() const;
    void setReplaceText(const QString &value);
    // One text per line; reads back at most the first ten.
    QString ReplaceTextHistory() const;
    void setReplaceTextHistory(const QString &value);

    void loadSettings(const SearchSettings &settings, const QString &searchText) override;
    void saveSettings(SearchSettings &settings) const override;

protected:
    void addTextsToHistories() override;

private:
    QLabel *Label2;
    QComboBox *cbReplaceText;
};
