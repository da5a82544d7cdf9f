#include "mainwindow/ColorsPage.h"
#include "ui_ColorsPage.h"

#include "table/ColorSet.h"

ColorsPage::ColorsPage(QWidget *parent)
    : QWidget(parent),
      ui(std::make_unique<Ui::ColorsPage>())
{
    ui->setupUi(this);
    m_cover = new CoverPanel(QStringLiteral("TS3Panel"), this);
    for (const ColorScheme &scheme : ColorSchemes)
        ui->cbSchema->addItem(QLatin1String(scheme.name));
    ui->cbSchema->addItem(QLatin1String(FromTeraTermIniScheme));
    ui->cbSchema->setCurrentIndex(-1);
    for (int channel = 0; channel < 3; ++channel)
        bar(channel)->setProperty("channel", channel);
    for (int element = 0; element < 4; ++element) {
        samplePanel(element)->setProperty("element", element);
        samplePanel(element)->setCursor(element == 0 ? Qt::ArrowCursor : Qt::PointingHandCursor);
    }
}

ColorsPage::~ColorsPage() = default;

int ColorsPage::schemeIndex() const
{
    return ui->cbSchema->currentIndex();
}

void ColorsPage::setSchemeIndex(int index)
{
    ui->cbSchema->setCurrentIndex(index);
}

int ColorsPage::element() const
{
    return ui->CB->currentIndex();
}

void ColorsPage::setElement(int element)
{
    ui->CB->setCurrentIndex(element);
}

bool ColorsPage::backgroundPlane() const
{
    return ui->RB4->isChecked();
}

QScrollBar *ColorsPage::bar(int channel) const
{
    QScrollBar *const bars[] = {ui->S1, ui->S2, ui->S3};
    return channel >= 0 && channel < 3 ? bars[channel] : nullptr;
}

QLabel *ColorsPage::valueLabel(int channel) const
{
    QLabel *const labels[] = {ui->lRed, ui->lGreen, ui->lBlue};
    return channel >= 0 && channel < 3 ? labels[channel] : nullptr;
}

QLabel *ColorsPage::samplePanel(int element) const
{
    QLabel *const panels[] = {ui->pSampleNormal, ui->pSampleBold, ui->pSampleBlink, ui->pSampleURL};
    return element >= 0 && element < 4 ? panels[element] : nullptr;
}

QComboBox *ColorsPage::cbSchema() const { return ui->cbSchema; }
QComboBox *ColorsPage::CB() const { return ui->CB; }
QRadioButton *ColorsPage::RB3() const { return ui->RB3; }
QRadioButton *ColorsPage::RB4() const { return ui->RB4; }
QScrollBar *ColorsPage::S1() const { return ui->S1; }
QScrollBar *ColorsPage::S2() const { return ui->S2; }
QScrollBar *ColorsPage::S3() const { return ui->S3; }
QLabel *ColorsPage::lRed() const { return ui->lRed; }
QLabel *ColorsPage::lGreen() const { return ui->lGreen; }
QLabel *ColorsPage::lBlue() const { return ui->lBlue; }
QLabel *ColorsPage::pSampleNormal() const { return ui->pSampleNormal; }
QLabel *ColorsPage::pSampleBold() const { return ui->pSampleBold; }
QLabel *ColorsPage::pSampleBlink() const { return ui->pSampleBlink; }
QLabel *ColorsPage::pSampleURL() const { return ui->pSampleURL; }
QPushButton *ColorsPage::bSameBkgrColor() const { return ui->bSameBkgrColor; }
QPushButton *ColorsPage::bReverse() const { return ui->bReverse; }
QPushButton *ColorsPage::bParentColors() const { return ui->bParentColors; }
