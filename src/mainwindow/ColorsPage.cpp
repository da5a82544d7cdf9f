#include "mainwindow/ColorsPage.h"
#include "ui_ColorsPage.h"

#include "platform/widgets/FixedPitchFont.h"
#include "runner/TeraTermIni.h"
#include "table/EditCommands.h"
#include "table/rVTNodeData.h"

#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>

#include <algorithm>
#include <utility>

namespace {

QColor rgbOf(const ColorSet &set, int element, bool background)
{
    return QColor(set.at(element, background, 0), set.at(element, background, 1), set.at(element, background, 2));
}

} // namespace

ColorsPage::ColorsPage(QWidget *parent)
    : NodePage(parent),
      ui(std::make_unique<Ui::ColorsPage>())
{
    ui->setupUi(this);
    createCover(QStringLiteral("TS3Panel"));
    for (const ColorScheme &scheme : ColorSchemes)
        ui->cbSchema->addItem(QLatin1String(scheme.name));
    ui->cbSchema->addItem(QLatin1String(FromTeraTermIniScheme));
    ui->cbSchema->setCurrentIndex(-1);
    for (int channel = 0; channel < 3; ++channel)
        bar(channel)->setProperty("channel", channel);
    for (int element = 0; element < 4; ++element) {
        samplePanel(element)->setProperty("element", element);
        samplePanel(element)->installEventFilter(this);
        KeepFixedPitch(*samplePanel(element));
    }
    CBChange();

    // Only the user's choices reach these handlers: the program's own writes send no
    // activation, and its bar positions are written with the bars' signals blocked.
    connect(ui->cbSchema, &QComboBox::activated, this, &ColorsPage::cbSchemaChange);
    connect(ui->CB, &QComboBox::activated, this, [this] {
        CBChange();
        Q_EMIT choiceChanged();
    });
    connect(ui->RB4, &QRadioButton::toggled, this, &ColorsPage::RB3Click);
    for (int channel = 0; channel < 3; ++channel) {
        QScrollBar *b = bar(channel);
        connect(b, &QScrollBar::valueChanged, this, [this, b] { S1Change(b); });
    }
    connect(ui->bReverse, &QPushButton::clicked, this, &ColorsPage::bReverseClick);
    connect(ui->bSameBkgrColor, &QPushButton::clicked, this, &ColorsPage::bSameBkgrColorClick);
    connect(ui->bParentColors, &QPushButton::clicked, this, &ColorsPage::bParentColorsClick);
}

ColorsPage::~ColorsPage() = default;

void ColorsPage::showNode(const rVTNodeData *record, const QString &coverReason)
{
    m_coverReason = coverReason;
    setColorSupportDisabled(m_colorSupportDisabled);
    m_colorSet = NodeColorSet(record ? record->Colors : QByteArray(), ReadTeraTermColors());
    CBChange();
}

void ColorsPage::setColorSupportDisabled(bool disabled)
{
    m_colorSupportDisabled = disabled;
    setCover(disabled ? QStringLiteral("Color support is disabled") : m_coverReason);
}

void ColorsPage::collectEdits(NodeEdits &edits)
{
    edits.colors = m_colorSet;
}

void ColorsPage::setColorSet(const ColorSet &set)
{
    m_colorSet = set;
    ShowColorSet();
}

void ColorsPage::ShowColorSet()
{
    const QByteArray text = FormatColorSet(m_colorSet);
    int scheme = -1;
    for (int i = 0; i < ColorSchemeCount && scheme < 0; ++i)
        if (text == ColorSchemes[i].text)
            scheme = i;
    if (scheme < 0 && text == ReadTeraTermColors())
        scheme = ColorSchemeCount;
    const QSignalBlocker blockScheme(ui->cbSchema);
    setSchemeIndex(scheme);
    for (int element = 0; element < 4; ++element) {
        QLabel *sample = samplePanel(element);
        QPalette palette = sample->palette();
        palette.setColor(QPalette::Window, rgbOf(m_colorSet, element, true));
        palette.setColor(QPalette::WindowText, rgbOf(m_colorSet, element, false));
        sample->setAutoFillBackground(true);
        sample->setPalette(palette);
    }
    const int chosen = std::max(0, element());
    const bool background = backgroundPlane();
    static const char *const names[] = {"R: ", "G: ", "B: "};
    for (int channel = 0; channel < 3; ++channel) {
        const int value = m_colorSet.at(chosen, background, channel);
        const QSignalBlocker blockBar(bar(channel));
        bar(channel)->setValue(value);
        valueLabel(channel)->setText(QLatin1String(names[channel]) + QString::number(value));
    }
}

void ColorsPage::showDefaultScheme(int index)
{
    ui->cbSchema->setCurrentIndex(index);
}

void ColorsPage::CBChange()
{
    const int chosen = element();
    for (int e = 0; e < 4; ++e)
        samplePanel(e)->setCursor(e == chosen ? Qt::ArrowCursor : Qt::PointingHandCursor);
    ShowColorSet();
}

void ColorsPage::edited()
{
    ShowColorSet();
    Q_EMIT userEdited();
}

void ColorsPage::S1Change(QScrollBar *bar)
{
    const int chosen = std::max(0, element());
    const bool background = backgroundPlane();
    m_colorSet.at(chosen, background, bar->property("channel").toInt()) = std::uint8_t(bar->value());
    if (background && m_sameBackground) {
        for (int e = 0; e < 4; ++e)
            for (int channel = 0; channel < 3; ++channel)
                m_colorSet.at(e, true, channel) = m_colorSet.at(chosen, true, channel);
    }
    edited();
}

void ColorsPage::RB3Click()
{
    CBChange();
    Q_EMIT choiceChanged();
}

void ColorsPage::pSampleNormalClick(QLabel *panel)
{
    const int clicked = panel->property("element").toInt();
    if (clicked == element())
        return;
    setElement(clicked);
    CBChange();
    ui->CB->setFocus(Qt::MouseFocusReason);
    Q_EMIT choiceChanged();
}

void ColorsPage::bReverseClick()
{
    const int chosen = std::max(0, element());
    for (int e = 0; e < 4; ++e) {
        if (e != chosen && !m_sameBackground)
            continue;
        for (int channel = 0; channel < 3; ++channel)
            std::swap(m_colorSet.at(e, false, channel), m_colorSet.at(e, true, channel));
    }
    CBChange();
    Q_EMIT userEdited();
}

void ColorsPage::bSameBkgrColorClick()
{
    const int chosen = std::max(0, element());
    for (int e = 0; e < 4; ++e)
        for (int channel = 0; channel < 3; ++channel)
            m_colorSet.at(e, true, channel) = m_colorSet.at(chosen, true, channel);
    edited();
}

void ColorsPage::bParentColorsClick()
{
    m_colorSet = NodeColorSet(m_parentColors ? m_parentColors() : QByteArray(), ReadTeraTermColors());
    edited();
}

void ColorsPage::cbSchemaChange(int index)
{
    const QByteArray text = index >= 0 && index < ColorSchemeCount ? QByteArray(ColorSchemes[index].text)
                                                                   : ReadTeraTermColors();
    ParseColorSet(text, m_colorSet);
    edited();
}

bool ColorsPage::eventFilter(QObject *watched, QEvent *event)
{
    // A sample is clicked as a button is: released over it.
    if (event->type() == QEvent::MouseButtonRelease) {
        auto *panel = static_cast<QLabel *>(watched);
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton && panel->rect().contains(mouse->position().toPoint()))
            pSampleNormalClick(panel);
    }
    return NodePage::eventFilter(watched, event);
}

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
