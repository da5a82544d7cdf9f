#pragma once

#include "mainwindow/NodePage.h"
#include "table/ColorSet.h"

#include <memory>

class CoverPanel;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace Ui {
class ColorsPage;
}

// The page "Colors": the colour set of the shown connection, element by element (Normal,
// Bold, Blink, URL), foreground or background, by red, green and blue bars. It holds the one
// working colour set: loaded when a connection is shown, changed here, written into a run's
// ini copy, stored into a record only by Apply.
class ColorsPage : public NodePage
{
    Q_OBJECT
public:
    explicit ColorsPage(QWidget *parent = nullptr);
    ~ColorsPage() override;

    // The working set from the record's Colors; from teraterm.ini when there is no record or
    // its text does not parse. Covered or not, the page then shows it.
    void showNode(const rVTNodeData *record, const QString &coverReason) override;
    void collectEdits(NodeEdits &edits) const override;
    // While colour support is off ("Disable color support") the page stays covered.
    void setColorSupportDisabled(bool disabled) { m_colorSupportDisabled = disabled; }

    const ColorSet &colorSet() const { return m_colorSet; }
    void setColorSet(const ColorSet &set);
    // Shows the working set: the scheme it equals (or the teraterm.ini item, or none), the
    // sample panels, and the chosen element's bars and values.
    void ShowColorSet();
    // A new table: the scheme list shows the default scheme of new connections.
    void showDefaultScheme(int index);

    CoverPanel *TS3Panel() const { return coverPanel(); }

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
    ColorSet m_colorSet;
    bool m_colorSupportDisabled = false;
};
