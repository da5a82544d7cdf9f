#include "support/GeneratedTable.h"

#include "table/ColorSet.h"
#include "table/ConnectionTree.h"
#include "table/UrlCodec.h"

#include <algorithm>

namespace {

QByteArray fixedWidth(const QByteArray &text, int width)
{
    QByteArray out = text.left(width);
    while (out.size() < width)
        out += out.left(width - out.size());
    return out;
}

bool isSite(const ConnectionNode *node)
{
    return node->data.Name.startsWith("Site ");
}

} // namespace

rVTNodeData GeneratedRecord(int i, const QByteArray &name)
{
    rVTNodeData d;
    d.Name = name;
    QByteArray macro = "connect '192.168." + QByteArray::number(i % 256) + "." + QByteArray::number(i % 199)
        + ":22 /ssh /2 /auth=password /user=admin /passwd=secret'\r\nwait 'login:'\r\nsendln 'admin'\r\n";
    while (macro.size() < 400)
        macro += "wait '$'\r\nsendln 'ls -l /var/log'\r\n";
    d.Macro = fixedWidth(UrlEncode(macro, true), 400);
    d.Popup = fixedWidth(UrlEncode("Production host, rack " + QByteArray::number(i % 40) + ", ask ops first", true), 50);
    d.Schedule = i % 7 == 0 ? QByteArray("=0 8 * * 1,2,3,4,5") : QByteArray();
    d.LastUpdated = "Monday, 03-Jun-2024 10:11:12";
    d.Colors = ColorSchemes[i % ColorSchemeCount].text;
    d.LogSession = i % 3 == 0;
    d.Kind = NodeKindWithMacro;
    return d;
}

rVTNodeData GeneratedTopConnection(int i)
{
    return GeneratedRecord(i, "host-" + QByteArray::number(i));
}

ConnectionNode *AddGeneratedSite(ConnectionTree &tree, ConnectionNode *parent, int site, int count, int first)
{
    ConnectionNode *siteNode = tree.addChild(parent, GeneratedRecord(first++, "Site " + QByteArray::number(site)));
    int left = count - 1;
    for (int r = 0; left > 0; ++r) {
        const QByteArray rack = QByteArray::number(site) + "." + QByteArray::number(r);
        ConnectionNode *rackNode = tree.addChild(siteNode, GeneratedRecord(first++, "Rack " + rack));
        --left;
        for (int c = 0; c < GeneratedRackSize && left > 0; ++c, --left)
            tree.addChild(rackNode, GeneratedRecord(first++, "host-" + rack + "." + QByteArray::number(c)));
    }
    return siteNode;
}

int BuildGeneratedTable(ConnectionTree &tree, int count)
{
    // Nine tenths of the table in the sites, each a site node and its racks of connections.
    const int racksPerSite = std::max(1, (count * 9 / 10 / GeneratedSites - 1) / (GeneratedRackSize + 1));
    const int siteSize = 1 + racksPerSite * (GeneratedRackSize + 1);
    const int topConnections = std::max(0, count - GeneratedSites * siteSize);
    const int sitesEvery = std::max(1, topConnections / GeneratedSites);

    BulkChange bulk(tree);
    ConnectionNode *root = tree.RootNode() ? tree.RootNode() : tree.addChild(nullptr);
    int made = 0;
    int sites = 0;
    int tops = 0;
    while (sites < GeneratedSites || tops < topConnections) {
        if (tops < topConnections && (sites == GeneratedSites || tops < (sites + 1) * sitesEvery)) {
            tree.addChild(root, GeneratedTopConnection(tops++));
            ++made;
            continue;
        }
        AddGeneratedSite(tree, root, sites++, siteSize, made);
        made += siteSize;
    }
    return made;
}

QList<ConnectionNode *> GeneratedSitesOf(const ConnectionTree &tree)
{
    QList<ConnectionNode *> sites;
    const ConnectionNode *root = tree.RootNode();
    for (int i = 0; root && i < root->childCount(); ++i)
        if (isSite(root->child(i)))
            sites.append(root->child(i));
    return sites;
}
