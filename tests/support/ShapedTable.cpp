#include "support/ShapedTable.h"

#include "support/TreeShape.h"
#include "table/TreeRules.h"

ShapedTable::ShapedTable()
{
    focused = InitTree(doc);
    selected = {focused};
}

ShapedTable::ShapedTable(const QByteArray &shape) : ShapedTable()
{
    BuildShape(doc.tree(), shape);
    selected.clear();
    focused = nullptr;
}

ConnectionNode *ShapedTable::at(const QString &path) const
{
    return NodeAt(doc, path);
}

QByteArray ShapedTable::shape() const
{
    return ShapeOf(doc.RootNode());
}
