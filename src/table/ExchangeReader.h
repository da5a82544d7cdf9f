#pragma once

#include "table/rVTNodeData.h"

#include <QByteArray>

#include <functional>
#include <map>
#include <memory>
#include <vector>

class QIODevice;

// The rows of an exchange file's section "[KPV]", read in one pass over the file's lines as
// they come, as the ini service would look them up: keys without regard to case, the first
// of equal keys winning, values without surrounding blanks or one pair of enclosing quotes,
// and only the first section of that name. Row I is made of the keys "C1_R" + I to
// "C8_R" + I (I in decimal without leading zeros), "RowCount" says how many rows there are.
// What is read is kept as the records themselves, so the import holds little more than the
// connections it makes.
class ExchangeReader
{
public:
    // What a row takes for a key it lacks: the schedule and the colours (the rest have fixed
    // defaults: empty texts, logging on, level 1).
    struct Defaults
    {
        QByteArray schedule;
        QByteArray colors;
    };

    explicit ExchangeReader(Defaults defaults);
    ~ExchangeReader();
    ExchangeReader(const ExchangeReader &) = delete;
    ExchangeReader &operator=(const ExchangeReader &) = delete;

    // Reads Device's lines to the end of the section. False when the device failed.
    bool read(QIODevice &device);

    // "RowCount" as a signed 32-bit decimal; 0 when it is missing or no such number.
    qint32 rowCount() const;

    // Hands over, in row order, the record of each row from 1 to RowCount that has a name:
    // Name, Schedule, Macro, LastUpdated, Popup and Colors as read, LogSession false for an
    // integer 0 and true for any other integer, Level as read; a key missing, or not a
    // number where one is wanted, gives the default. Kind is 0. The reader gives the rows
    // up as it hands them over.
    void takeRows(const std::function<void(rVTNodeData &&record)> &take);

private:
    struct Row;
    class RowBlock;
    Row *row(qint32 number);
    void readKey(QByteArrayView key, QByteArrayView value);

    Defaults m_defaults;
    // Rows 1, 2, ... in blocks, made when a row in them first has a key: the rows of a file
    // written in order. A row number far beyond the keys read so far goes to the sparse rows
    // instead, so a hostile number costs no more than its key.
    std::vector<std::unique_ptr<RowBlock>> m_blocks;
    std::map<qint32, Row> m_sparse;
    qint64 m_rowKeys = 0;
    bool m_rowCountRead = false;
    qint32 m_rowCount = 0;
};
