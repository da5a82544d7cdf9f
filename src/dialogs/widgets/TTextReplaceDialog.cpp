#include "dialogs/widgets/TTextReplaceDialog.h"

#include "components/SearchSettings.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>

TTextReplaceDialog::TTextReplaceDialog(QWidget *parent)
    : TTextSearchDialog(parent, QStringLiteral("Replace text")),
      Label2(new QLabel(QStringLiteral("&Replace with:"), this)),
      cbReplaceText(new QComboBox(this))
{
    Label2->setObjectName(QStringLiteral("Label2"));
    cbReplaceText->setObjectName(QStringLiteral("cbReplaceText"));
    cbReplaceText->setEditable(true);
    cbReplaceText->setInsertPolicy(QComboBox::NoInsert);
    keepTypedCase(*cbReplaceText);
    Label2->setBuddy(cbReplaceText);
    textLayout()->insertRow(1, Label2, cbReplaceText);
    setTabOrder(searchTextBox(), cbReplaceText);
}

QString TTextReplaceDialog::ReplaceText() const { return cbReplaceText->currentText(); }
void TTextReplaceDialog::setReplaceText(const QString &value) { cbReplaceText->setEditText(value); }
QString TTextReplaceDialog::ReplaceTextHistory() const { return history(*cbReplaceText); }
void TTextReplaceDialog::setReplaceTextHistory(const QString &value) { setHistory(*cbReplaceText, value); }

void TTextReplaceDialog::loadSettings(const SearchSettings &settings, const QString &searchText)
{
    TTextSearchDialog::loadSettings(settings, searchText);
    setReplaceText(settings.ReplaceText);
    setReplaceTextHistory(settings.ReplaceTextHistory);
}

void TTextReplaceDialog::saveSettings(SearchSettings &settings) const
{
    TTextSearchDialog::saveSettings(settings);
    settings.ReplaceText = ReplaceText();
    settings.ReplaceTextHistory = ReplaceTextHistory();
}

void TTextReplaceDialog::addTextsToHistories()
{
    TTextSearchDialog::addTextsToHistories();
    addToHistory(*cbReplaceText);
}
