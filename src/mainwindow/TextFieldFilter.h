#pragma once

#include <QObject>

#include <functional>

class QKeyEvent;
class QLineEdit;
class QWidget;

// Follows some of the window's single-line text fields for the edit commands (the user-data
// and schedule fields, the tree's in-place name editor). The Insert key switches the
// window's one insert/overwrite mode; where the fields take overwrite typing, a typed
// character or Backspace replaces the character after the caret while the mode is off. The
// focus coming to a field and the mouse going up over it are reported.
class TextFieldFilter : public QObject
{
    Q_OBJECT
public:
    // Overwrites: the fields take overwrite typing (the schedule fields have rules of their
    // own). InsertMode: whether the window's mode is insert now.
    TextFieldFilter(bool overwrites, std::function<bool()> insertMode, QObject *parent);

    void watch(QLineEdit *field);

    // Overwrite typing: unless Field has a selection, a typed character or Backspace first
    // selects the character after the caret, so the key replaces it.
    static void overwriteNextCharacter(QLineEdit *field, const QKeyEvent *key);

Q_SIGNALS:
    void insertKeyPressed(QWidget *field);
    // The focus came to Field for good (not passing through a menu or another window).
    void entered(QWidget *field);
    void mouseReleased(QWidget *field, Qt::MouseButton button);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool m_overwrites;
    std::function<bool()> m_insertMode;
};
