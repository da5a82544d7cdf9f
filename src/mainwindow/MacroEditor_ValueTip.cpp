// The value tip of the macro variables: Ctrl+click on a variable in the macro editor.
#include "mainwindow/MacroEditor.h"

#include "macrolang/widgets/MacroEditorWord.h"
#include "mainwindow/core/VariableTipPosition.h"
#include "platform/FieldText.h"
#include "runner/MacroVariables.h"

#include <QLabel>
#include <QMouseEvent>
#include <QTimer>

void MacroEditor::setValueTip(QLabel *tip, VariableValues values)
{
    m_tip = tip;
    m_variableValues = std::move(values);
    if (!Timer6) {
        Timer6 = new QTimer(this);
        Timer6->setObjectName(QStringLiteral("Timer6"));
        Timer6->setSingleShot(true);
        Timer6->setInterval(3000);
        connect(Timer6, &QTimer::timeout, this, &MacroEditor::Timer6Timer);
    }
}

void MacroEditor::mousePressEvent(QMouseEvent *event)
{
    Memo1MouseDown(*event);
    TextEditor::mousePressEvent(event);
}

void MacroEditor::Memo1MouseDown(const QMouseEvent &event)
{
    setFocus(Qt::MouseFocusReason);
    if (!m_tip)
        return;
    m_tip->hide();
    if (!(event.modifiers() & Qt::ControlModifier))
        return;
    // The press arrives in the viewport's coordinates.
    const QPoint inViewport = event.position().toPoint();
    const int index = FirstMacroVariableIn(MacroWordAtPoint(*this, inViewport));
    if (index == 0)
        return;
    const QPoint point = viewport()->mapTo(m_tip->parentWidget(), inViewport);
    // Shown once the press is handled: a value may make the "Logs" folder, and a warning
    // about it must not open inside the editor's own mouse handling.
    QMetaObject::invokeMethod(this, [this, index, point] { ShowVariableValueTip(index, point); },
                              Qt::QueuedConnection);
}

void MacroEditor::ShowVariableValueTip(int index, const QPoint &point)
{
    if (!m_tip || !m_variableValues)
        return;
    const QString value = ShownField(m_variableValues(index));
    m_tip->setText(QLatin1Char(' ') + value + QLatin1Char(' '));
    if (value.isEmpty())
        return;
    m_tip->adjustSize();
    const QRect editor(mapTo(m_tip->parentWidget(), QPoint(0, 0)), size());
    m_tip->move(VariableTipPosition(point, m_tip->size(), editor));
    Timer6->start();
    m_tip->raise();
    m_tip->show();
}

void MacroEditor::Timer6Timer()
{
    Timer6->stop();
    if (m_tip)
        m_tip->hide();
}
