#pragma once

#include "mainwindow/NodePage.h"
#include "table/ColorSet.h"

#include <functional>
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
//
// The user changes the set by a scheme, the bars (mouse or keyboard), and the three buttons;
// each such change is reported as an edit. Choosing an element (in the list or by clicking
// its sample) or a plane only shows other values and is no edit.
class ColorsPage : public NodePage
{
    Q_OBJECT
public:
    explicit ColorsPage(QWidget *parent = nullptr);
    ~ColorsPage() override;

    // The working set from the record's Colors; from teraterm.ini when there is no record or
    // its text does not parse. Covered or not, the page then shows it.
    void showNode(const rVTNodeData *record, const QString &coverReason) override;
    void collectEdits(NodeEdits &edits) override;
    // While colour support is off ("Disable color support") the page stays covered; the
    // cover follows at once.
    void setColorSupportDisabled(bool disabled);
    // "The same background for Normal, Bold, Blink and URL": a background bar then moves all
    // four backgrounds, and Reverse swaps all four elements.
    void setSameBackground(bool on) { m_sameBackground = on; }
    // Where "Set parent's colors" takes the shown connection's parent's Colors text from
    // (empty for the top node, whose colours are TeraTerm's).
    void setParentColorsSource(std::function<QByteArray()> source) { m_parentColors = std::move(source); }

    const ColorSet &colorSet() const { return m_colorSet; }
    void setColorSet(const ColorSet &set);
    // Shows the working set: the scheme it equals (or the teraterm.ini item, or none), the
    // sample panels, and the chosen element's bars and values.
    void ShowColorSet();
    // A new table: the scheme list shows the default scheme of new connections.
    void showDefaultScheme(int index);

    // The element chosen: the samples' cursors point at the others, and the bars show its
    // values in the chosen plane.
    void CBChange();
    // The user's handlers, as the controls run them.
    void S1Change(QScrollBar *bar);
    void RB3Click();
    void pSampleNormalClick(QLabel *panel);
    void bReverseClick();
    void bSameBkgrColorClick();
    void bParentColorsClick();
    void cbSchemaChange(int index);

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

Q_SIGNALS:
    // Another element or plane was chosen: the commands that depend on it follow.
    void choiceChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The working set changed by the user: shown, and reported as an edit.
    void edited();

    std::unique_ptr<Ui::ColorsPage> ui;
    ColorSet m_colorSet;
    bool m_colorSupportDisabled = false;
    bool m_sameBackground = false;
    // Why the page is covered when colour support is on; empty when it shows a connection.
    QString m_coverReason;
    std::function<QByteArray()> m_parentColors;
};
