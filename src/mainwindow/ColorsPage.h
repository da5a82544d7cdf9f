#pragma once

#include "mainwindow/CoverPanel.h"

#include <QWidget>

#include <memory>

class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace Ui {
class ColorsPage;
}

// The page "Colors": the colour set of the shown connection, element by element (Normal,
// Bold, Blink, URL), foreground or background, by red, green and blue bars.
class ColorsPage : public QWidget
{
    Q_OBJECT
public:
    explicit ColorsPage(QWidget *parent = nullptr);
    ~ColorsPage() override;

    CoverPanel *TS3Panel() const { return m_cover; }

    // The scheme list's row (-1 none; the last row stands for the teraterm.ini colours).
    int schemeIndex() const;
    void setSchemeIndex(int index);
    // The element being edited: 0 Normal, 1 Bold, 2 Blink, 3 URL.
    int element() const;
    void setElement(int element);
    bool backgroundPlane() const;
    // Channel 0 red, 1 green, 2 blue: its bar (whose tag, the "channel" property, says so too).
    QScrollBar *bar(int channel) const;
    QLabel *valueLabel(int channel) const;
    QLabel *samplePanel(int element) const;

    // The controls, by their names.
    QComboBox *cbSchema() const;
    QComboBox *CB() const;
    QRadioButton *RB3() const;
    QRadioButton *RB4() const;
    QScrollBar *S1() const;
    QScrollBar *S2() const;
    QScrollBar *S3() const;
    QLabel *lRed() const;
    QLabel *lGreen() const;
    QLabel *lBlue() const;
    QLabel *pSampleNormal() const;
    QLabel *pSampleBold() const;
    QLabel *pSampleBlink() const;
    QLabel *pSampleURL() const;
    QPushButton *bSameBkgrColor() const;
    QPushButton *bReverse() const;
    QPushButton *bParentColors() const;

private:
    std::unique_ptr<Ui::ColorsPage> ui;
    CoverPanel *m_cover = nullptr;
};
