#pragma once

#include <QLabel>

// A panel that covers its whole parent page while shown, its caption saying why the page has
// nothing to edit ("No connection selected", ...). It follows the parent's size by itself.
class CoverPanel : public QLabel
{
    Q_OBJECT
public:
    CoverPanel(const QString &name, QWidget *page);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
};
