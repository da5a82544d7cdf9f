#include "table/ExchangeReader.h"

#include "platform/IniLine.h"
#include "platform/LineReader.h"
#include "platform/PageBlock.h"

#include <limits>
#include <memory>
#include <new>

namespace {

const QByteArrayView Section("KPV");
const QByteArrayView RowCountKey("RowCount");

constexpr int Columns = 8;
constexpr qint64 BlockRows = 1024;

// The column (1 to 8) and the row of a key "C" + column + "_R" + row, the letters in either
// case and the row in decimal without leading zeros, up to the largest "RowCount" can say.
bool parseRowKey(QByteArrayView key, int &column, qint32 &row)
{
    if (key.size() < 5 || (key[0] != 'C' && key[0] != 'c') || key[1] < '1' || key[1] > '0' + Columns
        || key[2] != '_' || (key[3] != 'R' && key[3] != 'r') || key[4] == '0')
        return false;
    qint64 n = 0;
    for (qsizetype i = 4; i < key.size(); ++i) {
        const char c = key[i];
        if (c < '0' || c > '9')
            return false;
        n = n * 10 + (c - '0');
        if (n > std::numeric_limits<qint32>::max())
            return false;
    }
    column = key[1] - '0';
    row = static_cast<qint32>(n);
    return true;
}

} // namespace

struct ExchangeReader::Row
{
    rVTNodeData record;
    // Bit C - 1: the row's key of column C was read (its first occurrence decides).
    quint8 present = 0;
};

// Rows taken from the system in whole pages: the rows are read on one thread and placed as
// connections on another, and a block given back while they are placed is at once room for
// the nodes made meanwhile (the reading thread's own heap would keep it to itself).
class ExchangeReader::RowBlock
{
public:
    RowBlock() : m_pages(BlockRows * static_cast<qsizetype>(sizeof(Row)))
    {
        if (!m_pages.data())
            throw std::bad_alloc();
        m_rows = static_cast<Row *>(m_pages.data());
        std::uninitialized_default_construct_n(m_rows, BlockRows);
    }
    ~RowBlock() { std::destroy_n(m_rows, BlockRows); }
    RowBlock(const RowBlock &) = delete;
    RowBlock &operator=(const RowBlock &) = delete;

    Row &operator[](qint64 i) { return m_rows[i]; }

private:
    PageBlock m_pages;
    Row *m_rows = nullptr;
};

ExchangeReader::ExchangeReader(Defaults defaults) : m_defaults(std::move(defaults)) {}

ExchangeReader::~ExchangeReader() = default;

qint32 ExchangeReader::rowCount() const
{
    return m_rowCount;
}

ExchangeReader::Row *ExchangeReader::row(qint32 number)
{
    if (!m_sparse.empty()) {
        const auto it = m_sparse.find(number);
        if (it != m_sparse.end())
            return &it->second;
    }
    const qint64 index = number - 1;
    const qint64 block = index / BlockRows;
    if (block < static_cast<qint64>(m_blocks.size()) && m_blocks[static_cast<std::size_t>(block)])
        return &(*m_blocks[static_cast<std::size_t>(block)])[index % BlockRows];
    // Rows in order come within a block of those before; anything further off is kept apart.
    if (number > 2 * m_rowKeys + BlockRows)
        return &m_sparse[number];
    if (block >= static_cast<qint64>(m_blocks.size()))
        m_blocks.resize(static_cast<std::size_t>(block + 1));
    m_blocks[static_cast<std::size_t>(block)] = std::make_unique<RowBlock>();
    return &(*m_blocks[static_cast<std::size_t>(block)])[index % BlockRows];
}

void ExchangeReader::readKey(QByteArrayView key, QByteArrayView value)
{
    int column = 0;
    qint32 number = 0;
    if (!parseRowKey(key, column, number)) {
        if (!m_rowCountRead && IniLine::sameName(key, RowCountKey)) {
            m_rowCountRead = true;
            bool ok = false;
            const int n = value.toInt(&ok, 10);
            m_rowCount = ok ? n : 0;
        }
        return;
    }
    ++m_rowKeys;
    Row *r = row(number);
    const quint8 bit = static_cast<quint8>(1u << (column - 1));
    if (r->present & bit)
        return;
    r->present |= bit;
    rVTNodeData &d = r->record;
    bool ok = false;
    switch (column) {
    case 1: d.Name = value.toByteArray(); break;
    case 2: d.Schedule = value.toByteArray(); break;
    case 3: d.Macro = value.toByteArray(); break;
    case 4: d.LastUpdated = value.toByteArray(); break;
    case 5: d.Popup = value.toByteArray(); break;
    case 6: d.Colors = value.toByteArray(); break;
    case 7: {
        const int n = value.toInt(&ok, 10);
        d.LogSession = !ok || n != 0;
        break;
    }
    case 8: {
        const int n = value.toInt(&ok, 10);
        d.Level = ok ? n : 1;
        break;
    }
    }
}

bool ExchangeReader::read(QIODevice &device)
{
    LineReader lines(device);
    bool inSection = false;
    while (lines.next()) {
        const IniLine line(lines.line());
        if (line.isHeader()) {
            // Only the first section of the name counts, up to the next header.
            if (inSection)
                break;
            inSection = IniLine::sameName(line.sectionName(), Section);
        } else if (inSection && line.isKey()) {
            readKey(line.key(), line.value());
        }
    }
    return !lines.failed();
}

void ExchangeReader::takeRows(const std::function<void(rVTNodeData &&record)> &take)
{
    const auto handOver = [&](qint32 number, Row &r) {
        if (number > m_rowCount || !(r.present & 1u) || r.record.Name.isEmpty())
            return;
        rVTNodeData &d = r.record;
        if (!(r.present & (1u << 1)))
            d.Schedule = m_defaults.schedule;
        if (!(r.present & (1u << 5)))
            d.Colors = m_defaults.colors;
        if (!(r.present & (1u << 6)))
            d.LogSession = true;
        if (!(r.present & (1u << 7)))
            d.Level = 1;
        d.Kind = NodeKindPlain;
        take(std::move(d));
    };
    // The dense rows and the sparse ones merged by number; each block is given back once
    // its rows are handed over.
    auto sparse = m_sparse.begin();
    for (std::size_t b = 0; b < m_blocks.size(); ++b) {
        if (!m_blocks[b])
            continue;
        for (qint64 i = 0; i < BlockRows; ++i) {
            const qint64 number = static_cast<qint64>(b) * BlockRows + i + 1;
            if (number > std::numeric_limits<qint32>::max())
                break;
            for (; sparse != m_sparse.end() && sparse->first < number; sparse = m_sparse.erase(sparse))
                handOver(sparse->first, sparse->second);
            Row &r = (*m_blocks[b])[i];
            if (r.present)
                handOver(static_cast<qint32>(number), r);
        }
        m_blocks[b].reset();
    }
    for (; sparse != m_sparse.end(); sparse = m_sparse.erase(sparse))
        handOver(sparse->first, sparse->second);
    m_blocks.clear();
}
