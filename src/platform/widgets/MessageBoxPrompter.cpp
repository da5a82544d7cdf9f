#include "platform/widgets/MessageBoxPrompter.h"

#include <QGuiApplication>
#include <QMessageBox>

namespace {

QMessageBox::Icon iconFor(Prompter::Kind kind)
{
    switch (kind) {
    case Prompter::Kind::Warning: return QMessageBox::Warning;
    case Prompter::Kind::Error: return QMessageBox::Critical;
    case Prompter::Kind::Information: return QMessageBox::Information;
    case Prompter::Kind::Confirmation: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons buttonsFor(Prompter::Buttons buttons)
{
    switch (buttons) {
    case Prompter::Buttons::Ok: return QMessageBox::Ok;
    case Prompter::Buttons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case Prompter::Buttons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Prompter::Buttons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

} // namespace

QString MessageBoxPrompter::displayText(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n') {
            out += u'\n';
            // A CR LF or LF CR pair is one break; CR CR or LF LF are two.
            if (i + 1 < text.size()) {
                const QChar next = text.at(i + 1);
                if ((next == u'\r' || next == u'\n') && next != c)
                    ++i;
            }
        } else {
            out += c;
        }
    }
    return out;
}

Prompter::Answer MessageBoxPrompter::ask(Kind kind, const QString &text, Buttons buttons)
{
    QMessageBox box(iconFor(kind), QStringLiteral("Wexmora"), displayText(text), buttonsFor(buttons), m_parent);
    // Plain text: names in the messages may hold '<' or '&'.
    box.setTextFormat(Qt::PlainText);
    switch (buttons) {
    case Buttons::Ok:
        box.setEscapeButton(QMessageBox::Ok);
        break;
    case Buttons::YesNo:
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        break;
    case Buttons::YesNoCancel:
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    case Buttons::OkCancel:
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    }
    // A box asked during a long command shows the pointer, not the command's hourglass: the
    // user is to answer it. The hourglass comes back when the box goes.
    const bool hourglass = QGuiApplication::overrideCursor() != nullptr;
    if (hourglass)
        QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    const int pressed = box.exec();
    if (hourglass)
        QGuiApplication::restoreOverrideCursor();
    switch (pressed) {
    case QMessageBox::Yes: return Yes;
    case QMessageBox::No: return No;
    case QMessageBox::Ok: return Ok;
    default: return Cancel;
    }
}
