#pragma once

#include "mainwindow/ConnectionTreeModel.h"
#include "mainwindow/ConnectionTreeView.h"
#include "support/ShapedTable.h"

#include <QHoverEvent>
#include <QTest>
#include <QTreeView>

// The view of the program's tree and a plain Qt tree view over the same table, set up alike
// and shown at one size, so that Qt's own behaviour is the measure of the program's view.
struct ViewTwins
{
    explicit ViewTwins(const QByteArray &shape) : table(shape)
    {
        for (QTreeView *v : views()) {
            v->setModel(&model);
            v->setHeaderHidden(true);
            v->setUniformRowHeights(true);
            v->setSelectionMode(QAbstractItemView::ExtendedSelection);
            v->setSelectionBehavior(QAbstractItemView::SelectRows);
            v->expandAll();
            v->resize(300, 240);
            v->show();
        }
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QVERIFY(QTest::qWaitForWindowExposed(&plain));
    }

    QList<QTreeView *> views() { return {&view, &plain}; }

    // One step of a user's, taken in both views (or in Targets), each focused first: "click PATH",
    // "shift-click PATH", "ctrl-click PATH", "key SEQUENCE", "close PATH", "hover PATH" (the
    // pointer over the row's text), "hover-sign PATH" (over its branch sign), "leave" (the
    // pointer away), "edit PATH" (the in-place editor), "disable", "right-to-left".
    void apply(const QString &step) { apply(step, views()); }
    void apply(const QString &step, const QList<QTreeView *> &targets)
    {
        const QString verb = step.section(u' ', 0, 0);
        const QString arg = step.section(u' ', 1);
        for (QTreeView *v : targets) {
            if (v->isEnabled())
                v->setFocus();
            if (verb == QLatin1String("close")) {
                v->collapse(indexOf(arg));
            } else if (verb == QLatin1String("key")) {
                const QKeySequence keys(arg, QKeySequence::PortableText);
                QTest::keyClick(v, keys[0].key(), keys[0].keyboardModifiers());
            } else if (verb == QLatin1String("hover") || verb == QLatin1String("hover-sign")) {
                const QRect r = v->visualRect(indexOf(arg));
                const QPoint at = verb == QLatin1String("hover")
                    ? r.center()
                    : QPoint(v->isRightToLeft() ? r.right() + v->indentation() / 2 : r.left() - v->indentation() / 2,
                             r.center().y());
                hover(v, QEvent::HoverMove, at);
            } else if (verb == QLatin1String("leave")) {
                hover(v, QEvent::HoverLeave, QPoint(-1, -1));
            } else if (verb == QLatin1String("edit")) {
                v->edit(indexOf(arg));
            } else if (verb == QLatin1String("disable")) {
                v->setEnabled(false);
            } else if (verb == QLatin1String("right-to-left")) {
                v->setLayoutDirection(Qt::RightToLeft);
            } else {
                const Qt::KeyboardModifiers modifiers = verb == QLatin1String("shift-click") ? Qt::ShiftModifier
                    : verb == QLatin1String("ctrl-click")                                  ? Qt::ControlModifier
                                                                                            : Qt::NoModifier;
                v->scrollTo(indexOf(arg));
                QTest::mouseClick(v->viewport(), Qt::LeftButton, modifiers, v->visualRect(indexOf(arg)).center());
            }
        }
    }

    static void hover(QTreeView *v, QEvent::Type type, QPoint at)
    {
        QHoverEvent e(type, at, v->viewport()->mapToGlobal(at), QPoint(-1, -1));
        QCoreApplication::sendEvent(v->viewport(), &e);
    }
    ConnectionNode *at(const QString &path) const { return table.at(path); }
    QModelIndex indexOf(const QString &path) const { return model.indexFor(table.at(path)); }

    ShapedTable table;
    ConnectionTreeModel model{table.doc.tree()};
    ConnectionTreeView view;
    QTreeView plain;
};
