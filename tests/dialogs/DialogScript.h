#pragma once

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QList>
#include <QPointer>
#include <QStringList>
#include <QTest>
#include <QTimer>

#include <functional>

// Answers the dialogs that a command opens, in order, as a user would: each step acts on the
// next dialog shown, once its modal loop runs. A dialog beyond the script is cancelled.
class DialogScript : public QObject
{
public:
    using Step = std::function<void(QDialog &)>;

    explicit DialogScript(QList<Step> steps) : m_steps(std::move(steps)) { qApp->installEventFilter(this); }
    ~DialogScript() override { qApp->removeEventFilter(this); }

    // The captions of the dialogs shown, in order.
    const QStringList &shown() const { return m_shown; }
    bool done() const { return m_steps.isEmpty(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *dialog = qobject_cast<QDialog *>(watched);
        if (event->type() != QEvent::Show || !dialog)
            return false;
        m_shown << dialog->windowTitle();
        const Step step = m_steps.isEmpty() ? Step([](QDialog &d) { d.reject(); }) : m_steps.takeFirst();
        QTimer::singleShot(0, dialog, [dialog = QPointer<QDialog>(dialog), step] {
            if (dialog && QTest::qWaitForWindowActive(dialog))
                step(*dialog);
            else if (dialog)
                dialog->reject();
        });
        return false;
    }

private:
    QList<Step> m_steps;
    QStringList m_shown;
};
