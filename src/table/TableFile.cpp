#include "table/TableFile.h"

#include "platform/FileUtil.h"
#include "platform/Prompter.h"
#include "table/ColorSet.h"
#include "table/ConnectionTree.h"
#include "table/LevelPlacer.h"
#include "table/NodeStream.h"
#include "table/TableDocument.h"
#include "table/TableHost.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>

#include <optional>
#include <vector>

namespace {

constexpr char CurrentMagic[] = "QDZ21";
constexpr char OldMagic[] = "QDZ20";
constexpr qsizetype MagicSize = 5;
// Records are written out in pieces of about this size, so a large table never sits in
// memory twice.
constexpr qsizetype WriteChunk = 1 << 20;

bool writeTable(const QString &fileName, const std::vector<const ConnectionNode *> &nodes)
{
    QSaveFile file(fileName);
    // Unbuffered: the chunks go straight to the file instead of through a second copy.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    // Grows to a chunk once and keeps that room; a small table never takes a whole chunk.
    QByteArray buffer;
    buffer.append(CurrentMagic, MagicSize);
    appendInt32(buffer, static_cast<qint32>(nodes.size()));
    for (const ConnectionNode *node : nodes) {
        VTSaveNode(node->data, buffer);
        if (buffer.size() >= WriteChunk) {
            if (file.write(buffer) != buffer.size())
                return false;
            buffer.resize(0);
        }
    }
    if (file.write(buffer) != buffer.size())
        return false;
    return file.commit();
}

// Expands Node's ancestors from its parent up to the top-level connection.
void expandAncestors(TableHost &host, ConnectionNode *node, const ConnectionNode *rootNode)
{
    for (ConnectionNode *p = node->parent(); p && p != rootNode; p = p->parent())
        host.setExpanded(p, true);
}

} // namespace

QByteArray ConvertOldColorString(const QByteArray &old)
{
    ColorSet set;
    ParseColorSet(ColorSchemes[0].text, set);
    ParseColorSet(old + ":0:0:255:0:0:0", set);
    for (int channel = 0; channel < 3; ++channel)
        set.at(ColorSet::Url, true, channel) = set.at(ColorSet::Normal, true, channel);
    return FormatColorSet(set);
}

bool SaveConnectionTable(TableDocument &doc, const QString &fileName, bool all)
{
    TableHost &host = doc.host();
    WaitCursor wait(host);
    ConnectionNode *rootNode = doc.RootNode();
    if (rootNode)
        host.setSelected(rootNode, false);

    // The count written in front is the number of records that follow, by construction.
    std::vector<const ConnectionNode *> nodes;
    if (all) {
        ConnectionTree::forEachBelow(rootNode, [&nodes](ConnectionNode *n) { nodes.push_back(n); });
    } else {
        QSet<const ConnectionNode *> selected;
        for (const ConnectionNode *n : host.selectedNodes())
            selected.insert(n);
        ConnectionTree::forEachBelow(rootNode, [&](ConnectionNode *n) {
            if (selected.contains(n))
                nodes.push_back(n);
        });
    }

    const bool ok = nodes.size() <= std::size_t(std::numeric_limits<qint32>::max())
        && writeTable(fileName, nodes);
    if (!ok)
        host.prompter().warning(QStringLiteral("Error writing file ") + GetShellDisplayName(fileName)
                                + QStringLiteral("."));
    host.SaveSettingsAndNotify();
    return ok;
}

bool LoadConnectionTable(TableDocument &doc, const QString &fileName, bool quiet)
{
    TableHost &host = doc.host();
    Prompter &prompter = host.prompter();
    const QString shown = GetShellDisplayName(fileName);
    const QFileInfo info(fileName);

    if (!info.exists()) {
        prompter.warning(QStringLiteral("The file '") + shown + QStringLiteral("' does not exist."));
        return false;
    }
    // Only a regular file is read: a directory opens on Linux and fails only at the read, and
    // a device or pipe may never end.
    QByteArray bytes;
    {
        WaitCursor wait(host);
        QFile file(fileName);
        if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
            prompter.warning(QStringLiteral("Cannot read the file ") + shown);
            return false;
        }
        bytes = file.readAll();
        if (file.error() != QFileDevice::NoError) {
            prompter.warning(QStringLiteral("Cannot read the file ") + shown);
            return false;
        }
    }

    const QByteArrayView magic = QByteArrayView(bytes).first(std::min(bytes.size(), MagicSize));
    const bool oldFormat = magic == QByteArrayView(OldMagic);
    if (!oldFormat && magic != QByteArrayView(CurrentMagic)) {
        prompter.warning(QStringLiteral("The file ") + shown + QStringLiteral(" has invalid format."));
        return false;
    }

    if (oldFormat && !quiet) {
        prompter.information(QStringLiteral("The file ") + shown
                             + QStringLiteral(" was created by earlier versions of Wexmora and has old format.\n"
                                              "It will be backed up into ")
                             + shown + QStringLiteral(".bak and converted prior opening.\n\rPress Ok to continue."));
        const QString backup = info.dir().filePath(shown + QStringLiteral(".bak"));
        if (!CopyFileByStream(fileName, backup)) {
            prompter.error(QStringLiteral("Cannot create backup copy ") + backup + QStringLiteral("."));
            return false;
        }
    }

    ConnectionTree &tree = doc.tree();
    bool complete = true;
    ConnectionNode *focus = nullptr;
    {
        WaitCursor wait(host);
        LoadingScope loading(doc);
        ConnectionNode *rootNode = doc.RootNode();
        const bool emptyBefore = !rootNode || !rootNode->hasChildren();
        {
            // A table read into an empty tree is one reset for the view; an import into a
            // filled tree shows up node by node.
            std::optional<BulkChange> bulk;
            if (emptyBefore)
                bulk.emplace(tree);
            if (!rootNode)
                rootNode = tree.addChild(nullptr);

            ByteReader in(bytes, MagicSize);
            qint32 count = 0;
            complete = in.readInt32(count);
            // New nodes always land at the end of the pre-order walk, so their index is a
            // running count.
            qint64 nextIndex = 1 + ConnectionTree::countBelow(rootNode);
            LevelPlacer placer(tree, rootNode);
            rVTNodeData record;
            for (qint32 i = 0; complete && i < count; ++i) {
                if (!VTLoadNode(in, record)) {
                    complete = false;
                    break;
                }
                if (record.Name.isEmpty())
                    continue;
                if (IsSeparatorName(record.Name))
                    record.Name = SeparatorText;
                if (oldFormat)
                    record.Colors = ConvertOldColorString(record.Colors);
                record.Kind = NodeKindPlain;
                ConnectionNode *node = placer.place(record);
                if (!quiet && nextIndex == doc.SelectedNodeIndex)
                    focus = node;
                ++nextIndex;
            }
        }

        if (!complete) {
            if (!quiet)
                doc.CurrentTableFile = fileName;
            host.setExpanded(rootNode, true);
        } else {
            // Reported once the view knows the new nodes, that is after the bulk change.
            if (focus) {
                LoadingScope reporting(doc, false);
                expandAncestors(host, focus, rootNode);
                host.VTChange(focus);
            }
            if (!quiet) {
                doc.CurrentTableFile = fileName;
                doc.UpdateCaption(false);
                doc.SetNodeModified(false);
                if (oldFormat)
                    SaveConnectionTable(doc, doc.CurrentTableFile, true);
            }
            host.setExpanded(rootNode, true);
        }
    }

    if (!complete) {
        prompter.warning(QStringLiteral("Error reading the file. It contains inconsistent data."));
        return false;
    }
    if (!quiet) {
        if (focus) {
            host.clearSelection();
            host.setFocusedNode(focus);
            host.setSelected(focus, true);
        } else {
            doc.SelectedNodeIndex = 0;
        }
    }
    return true;
}
