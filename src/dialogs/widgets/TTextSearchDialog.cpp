#include "dialogs/widgets/TTextSearchDialog.h"

#include "components/SearchSettings.h"
#include "dialogs/SearchHistory.h"
#include "ui_TTextSearchDialog.h"

#include <QCompleter>

namespace {

QStringList entries(const QComboBox &box)
{
    QStringList out;
    for (int i = 0; i < box.count(); ++i)
        out.append(box.itemText(i));
    return out;
}

// Sets the list and then the text box, which filling the list would have set to its first
// entry.
void fill(QComboBox &box, const QStringList &list, const QString &text)
{
    box.clear();
    box.addItems(list);
    box.setCurrentIndex(-1);
    box.setEditText(text);
}

} // namespace

void TTextSearchDialog::keepTypedCase(QComboBox &box)
{
    // Completing from the history would replace a text typed in another letter case.
    box.completer()->setCaseSensitivity(Qt::CaseSensitive);
}

TTextSearchDialog::TTextSearchDialog(QWidget *parent) : TTextSearchDialog(parent, QStringLiteral("Search Text"))
{
}

TTextSearchDialog::TTextSearchDialog(QWidget *parent, const QString &caption)
    : QDialog(parent), ui(std::make_unique<Ui::TTextSearchDialog>())
{
    ui->setupUi(this);
    setWindowTitle(caption);
    keepTypedCase(*ui->cbSearchText);
    // The text box has the focus when the dialog opens, though Cancel comes first in the tab
    // order.
    ui->cbSearchText->setFocus();
}

TTextSearchDialog::~TTextSearchDialog() = default;

bool TTextSearchDialog::SearchBackwards() const { return ui->rbBackward->isChecked(); }
void TTextSearchDialog::setSearchBackwards(bool value) { (value ? ui->rbBackward : ui->rbForward)->setChecked(true); }
bool TTextSearchDialog::SearchCaseSensitive() const { return ui->cbSearchCaseSensitive->isChecked(); }
void TTextSearchDialog::setSearchCaseSensitive(bool value) { ui->cbSearchCaseSensitive->setChecked(value); }
bool TTextSearchDialog::SearchFromCursor() const { return ui->cbSearchFromCursor->isChecked(); }
void TTextSearchDialog::setSearchFromCursor(bool value) { ui->cbSearchFromCursor->setChecked(value); }
bool TTextSearchDialog::SearchInSelection() const { return ui->cbSearchSelectedOnly->isChecked(); }
void TTextSearchDialog::setSearchInSelection(bool value) { ui->cbSearchSelectedOnly->setChecked(value); }
bool TTextSearchDialog::SearchWholeWords() const { return ui->cbSearchWholeWords->isChecked(); }
void TTextSearchDialog::setSearchWholeWords(bool value) { ui->cbSearchWholeWords->setChecked(value); }
bool TTextSearchDialog::SearchRegularExpression() const { return ui->cbRegularExpression->isChecked(); }
void TTextSearchDialog::setSearchRegularExpression(bool value) { ui->cbRegularExpression->setChecked(value); }
QString TTextSearchDialog::SearchText() const { return ui->cbSearchText->currentText(); }
void TTextSearchDialog::setSearchText(const QString &value) { ui->cbSearchText->setEditText(value); }
QString TTextSearchDialog::SearchTextHistory() const { return history(*ui->cbSearchText); }
void TTextSearchDialog::setSearchTextHistory(const QString &value) { setHistory(*ui->cbSearchText, value); }

QFormLayout *TTextSearchDialog::textLayout() const { return ui->textLayout; }
QComboBox *TTextSearchDialog::searchTextBox() const { return ui->cbSearchText; }

void TTextSearchDialog::loadSettings(const SearchSettings &settings, const QString &searchText)
{
    setSearchBackwards(settings.Backwards);
    setSearchCaseSensitive(settings.CaseSensitive);
    setSearchFromCursor(settings.FromCursor);
    setSearchInSelection(settings.InSelection);
    setSearchRegularExpression(settings.RegularExpression);
    setSearchText(searchText);
    setSearchTextHistory(settings.SearchTextHistory);
    setSearchWholeWords(settings.WholeWords);
}

void TTextSearchDialog::saveSettings(SearchSettings &settings) const
{
    settings.Backwards = SearchBackwards();
    settings.CaseSensitive = SearchCaseSensitive();
    settings.FromCursor = SearchFromCursor();
    settings.InSelection = SearchInSelection();
    settings.RegularExpression = SearchRegularExpression();
    settings.WholeWords = SearchWholeWords();
    settings.SearchText = SearchText();
    settings.SearchTextHistory = SearchTextHistory();
}

void TTextSearchDialog::done(int result)
{
    if (result == QDialog::Accepted)
        addTextsToHistories();
    QDialog::done(result);
}

void TTextSearchDialog::addTextsToHistories()
{
    addToHistory(*ui->cbSearchText);
}

QString TTextSearchDialog::history(const QComboBox &box)
{
    return SearchHistory::toText(entries(box));
}

void TTextSearchDialog::setHistory(QComboBox &box, const QString &text)
{
    fill(box, SearchHistory::fromText(text), box.currentText());
}

void TTextSearchDialog::addToHistory(QComboBox &box)
{
    const QString text = box.currentText();
    if (text.isEmpty())
        return;
    QStringList list = entries(box);
    SearchHistory::push(list, text);
    fill(box, list, text);
}
