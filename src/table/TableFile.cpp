#include "table/TableFile.h"

#include "platform/ChunkedFileWriter.h"
#include "platform/FileUtil.h"
#include "platform/Prompter.h"
#include "platform/RegularFile.h"
#include "table/ColorSet.h"
#include "table/ConnectionTree.h"
#include "table/LevelPlacer.h"
#include "table/NodeStream.h"
#include "table/TableDocument.h"
#include "table/TableHost.h"
#include "table/TreeSelection.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <limits>
#include <optional>
#include <vector>

namespace {

constexpr char CurrentMagic[] = "QDZ21";
constexpr char OldMagic[] = "QDZ20";
constexpr qsizetype MagicSize = 5;

// The file of Count records, which ForEachRecord hands to its callback in order.
template<typename ForEachRecord>
bool writeTable(const QString &fileName, qint64 count, ForEachRecord &&forEachRecord)
{
    if (count > std::numeric_limits<qint32>::max())
        return false;
    ChunkedFileWriter file(fileName);
    if (!file.open())
        return false;
    QByteArray &buffer = file.buffer();
    buffer.append(CurrentMagic, MagicSize);
    appendInt32(buffer, static_cast<qint32>(count));
    bool ok = true;
    forEachRecord([&](const rVTNodeData &record) {
        VTSaveNode(record, buffer);
        ok = ok && file.writeWhenFull();
    });
    return ok && file.commit();
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

bool SaveConnectionTable(TableDocument &doc, const QString &fileName)
{
    return SaveConnectionTable(doc, fileName, true, TreeSelection());
}

bool SaveConnectionTable(TableDocument &doc, const QString &fileName, bool all, const TreeSelection &selection)
{
    TableHost &host = doc.host();
    WaitCursor wait(host);
    ConnectionNode *rootNode = doc.RootNode();

    bool ok = false;
    if (all) {
        // Every node below RootNode, collapsed branches included, in pre-order.
        const ConnectionTree &tree = doc.tree();
        const qint64 count = tree.invisibleRoot()->childCount() == 1 ? tree.nodeCount() - 1
                                                                     : ConnectionTree::countBelow(rootNode);
        ok = writeTable(fileName, count, [rootNode](const auto &write) {
            ConnectionTree::forEachBelow(rootNode, [&write](const ConnectionNode *n) { write(n->data); });
        });
    } else {
        // The selection is in pre-order already: its nodes but RootNode (every other node of
        // the tree lies below it) are the records, found without a walk over the rest of the
        // table.
        std::vector<const ConnectionNode *> nodes;
        nodes.reserve(static_cast<std::size_t>(selection.size()));
        for (const ConnectionNode *n : selection.nodes())
            if (n->parent() && n != rootNode)
                nodes.push_back(n);
        ok = writeTable(fileName, static_cast<qint64>(nodes.size()), [&nodes](const auto &write) {
            for (const ConnectionNode *n : nodes)
                write(n->data);
        });
    }
    if (!ok)
        host.prompter().warning(QStringLiteral("Error writing file ") + GetShellDisplayName(fileName)
                                + QStringLiteral("."));
    return ok;
}

TableReadResult LoadConnectionTable(TableDocument &doc, const QString &fileName, bool quiet)
{
    TableHost &host = doc.host();
    Prompter &prompter = host.prompter();
    const QString shown = GetShellDisplayName(fileName);
    const QFileInfo info(fileName);
    TableReadResult result;

    if (!info.exists()) {
        prompter.warning(QStringLiteral("The file '") + shown + QStringLiteral("' does not exist."));
        return result;
    }
    auto cannotRead = [&] { prompter.warning(QStringLiteral("Cannot read the file ") + shown); };
    // Only a regular file is read, and opening never waits on a pipe. The reader buffers
    // what it reads itself.
    QFile file;
    if (RegularFile::open(file, fileName, true) != RegularFile::Status::Opened) {
        cannotRead();
        return result;
    }
    DeviceReader in(file);
    // The magic first: a file that is no table is refused without reading any further.
    char magicBytes[MagicSize];
    const QByteArrayView magic = in.readRaw(magicBytes, MagicSize) ? QByteArrayView(magicBytes, MagicSize)
                                                                   : QByteArrayView();
    if (in.failed()) {
        cannotRead();
        return result;
    }
    const bool oldFormat = magic == QByteArrayView(OldMagic);
    if (!oldFormat && magic != QByteArrayView(CurrentMagic)) {
        prompter.warning(QStringLiteral("The file ") + shown + QStringLiteral(" has invalid format."));
        return result;
    }

    if (oldFormat && !quiet) {
        prompter.information(QStringLiteral("The file ") + shown
                             + QStringLiteral(" was created by earlier versions of Wexmora and has old format.\n"
                                              "It will be backed up into ")
                             + shown + QStringLiteral(".bak and converted prior opening.\n\rPress Ok to continue."));
        const QString backup = info.dir().filePath(shown + QStringLiteral(".bak"));
        if (!CopyFileByStream(fileName, backup)) {
            prompter.error(QStringLiteral("Cannot create backup copy ") + backup + QStringLiteral("."));
            return result;
        }
    }

    ConnectionTree &tree = doc.tree();
    bool complete = true;
    bool readFailed = false;
    ConnectionNode *focus = nullptr;
    {
        WaitCursor wait(host);
        LoadingScope loading(doc);
        ConnectionNode *rootNode = doc.RootNode();
        const bool emptyBefore = !rootNode || !rootNode->hasChildren();
        {
            // A table read into an empty tree is one reset for the view; an import into a
            // filled tree is one insertion of the branches read.
            std::optional<BulkChange> bulk;
            if (emptyBefore)
                bulk.emplace(tree);
            if (!rootNode)
                rootNode = tree.addChild(nullptr);

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
                ConnectionNode *node = placer.place(std::move(record));
                if (!quiet && nextIndex == doc.SelectedNodeIndex)
                    focus = node;
                ++nextIndex;
            }
            // A file the system could not read adds nothing, as when it cannot be opened.
            readFailed = in.failed();
            if (!readFailed)
                placer.commit();
        }
        file.close();

        result.recordsRead = !readFailed;
        if (!readFailed && !quiet) {
            doc.CurrentTableFile = fileName;
            if (complete) {
                doc.UpdateCaption(false);
                doc.SetNodeModified(false);
                if (oldFormat) {
                    SaveConnectionTable(doc, doc.CurrentTableFile);
                    result.rewritten = true;
                }
            }
        }
    }

    if (readFailed) {
        cannotRead();
        return result;
    }
    if (!complete) {
        prompter.warning(QStringLiteral("Error reading the file. It contains inconsistent data."));
        return result;
    }
    result.ok = true;
    if (!quiet) {
        result.focus = focus;
        if (!focus)
            doc.SelectedNodeIndex = 0;
    }
    return result;
}
