#include "support/TreeShape.h"

#include "table/ConnectionTree.h"
#include "table/TableDocument.h"

#include <QByteArrayList>
#include <QRandomGenerator>
#include <QStringList>

namespace {

void addShape(ConnectionTree &tree, ConnectionNode *parent, const QByteArray &shape, qsizetype &at)
{
    for (;;) {
        rVTNodeData d;
        while (at < shape.size() && !QByteArray("[]|").contains(shape.at(at)))
            d.Name += shape.at(at++);
        ConnectionNode *node = tree.addChild(parent, d);
        if (at < shape.size() && shape.at(at) == '[')
            addShape(tree, node, shape, ++at);
        if (at < shape.size() && shape.at(at) == '|') {
            ++at;
            continue;
        }
        if (at < shape.size() && shape.at(at) == ']')
            ++at;
        return;
    }
}

} // namespace

void BuildShape(ConnectionTree &tree, const QByteArray &shape, ConnectionNode *parent)
{
    qsizetype at = 0;
    if (!shape.isEmpty())
        addShape(tree, parent ? parent : tree.RootNode(), shape, at);
}

QByteArray ShapeOf(const ConnectionNode *parent)
{
    QByteArrayList parts;
    for (int i = 0; i < parent->childCount(); ++i) {
        const ConnectionNode *c = parent->child(i);
        QByteArray s = c->data.Name;
        if (c->hasChildren())
            s += '[' + ShapeOf(c) + ']';
        parts << s;
    }
    return parts.join('|');
}

QString NamesAndLevelsOf(const ConnectionNode *parent)
{
    QStringList parts;
    for (int i = 0; i < parent->childCount(); ++i) {
        const ConnectionNode *n = parent->child(i);
        QString s = QString::fromLatin1(n->data.Name) + QLatin1Char(':') + QString::number(n->data.Level);
        if (n->hasChildren())
            s += QLatin1Char('(') + NamesAndLevelsOf(n) + QLatin1Char(')');
        parts << s;
    }
    return parts.join(QLatin1Char(' '));
}

ConnectionNode *NodeAt(const TableDocument &doc, const QString &path)
{
    ConnectionNode *n = doc.RootNode();
    for (const QString &step : path.split(QLatin1Char('/'), Qt::SkipEmptyParts))
        n = n ? n->child(step.toInt()) : nullptr;
    return n;
}

QByteArray LevelsOf(const ConnectionNode *parent)
{
    QByteArrayList levels;
    ConnectionTree::forEachBelow(parent, [&levels](ConnectionNode *n) { levels << QByteArray::number(n->data.Level); });
    return levels.join(' ');
}

QByteArray RandomShape(QRandomGenerator &rng, const QByteArrayList &names, int width, int depth)
{
    QByteArrayList siblings;
    for (int i = rng.bounded(1, width + 1); i > 0; --i) {
        QByteArray s = names.at(rng.bounded(names.size()));
        // Separators stay leaves, as the rename rules keep them.
        if (depth > 1 && !s.startsWith('-') && rng.bounded(3) == 0)
            s += '[' + RandomShape(rng, names, width, depth - 1) + ']';
        siblings << s;
    }
    return siblings.join('|');
}

QString PathOf(const ConnectionNode *node)
{
    QStringList steps;
    for (const ConnectionNode *n = node; n && n->parent() && n->parent()->parent(); n = n->parent())
        steps.prepend(QString::number(n->row()));
    return steps.join(QLatin1Char('/'));
}
