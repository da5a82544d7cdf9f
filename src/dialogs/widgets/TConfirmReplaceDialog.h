#pragma once

#include <QDialog>
#include <QRect>
#include <QString>

#include <memory>

namespace Ui {
class TConfirmReplaceDialog;
}

// Asks, for one hit of a replace run, whether to replace it, standing next to the hit. The
// dialog's result is one of Answer.
class TConfirmReplaceDialog : public QDialog
{
    Q_OBJECT

public:
    enum Answer { Cancel = 2, Yes = 6, No = 7, YesToAll = 10 };

    explicit TConfirmReplaceDialog(QWidget *parent = nullptr);
    ~TConfirmReplaceDialog() override;

    // Sets the question about ReplaceText and moves the dialog next to the hit: EditorRect is
    // the area it is placed against, X the hit's left edge, Y1 and Y2 its line's top and bottom,
    // all in screen coordinates.
    void PrepareShowing(const QRect &editorRect, int x, int y1, int y2, const QString &replaceText);

    // Closing the window answers Cancel.
    void reject() override;

private:
    std::unique_ptr<Ui::TConfirmReplaceDialog> ui;
};
