#include "table/UnnamedConnectionNumbers.h"

#include "table/ConnectionTree.h"

namespace {

// Eighteen digits are far beyond any number the search for a free one can reach.
constexpr int MaxDigits = 18;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Reads the digits after an occurrence of the prefix that ends before At, as the rule reads
// them: a number never starts with 0, and every leading run of the digits is a number that
// occurs. Returns where the reading stopped, and in Digits how many it read.
qsizetype readNumbers(const QByteArray &text, qsizetype at, QList<quint64> *into, QSet<quint64> *set, int &digits)
{
    digits = 0;
    if (at >= text.size() || text.at(at) == '0')
        return at;
    quint64 value = 0;
    for (; at < text.size() && digits < MaxDigits && isDigit(text.at(at)); ++at, ++digits) {
        value = value * 10 + static_cast<quint64>(text.at(at) - '0');
        if (into)
            into->append(value);
        if (set)
            set->insert(value);
    }
    return at;
}

} // namespace

const QByteArray UnnamedConnectionNumbers::Prefix = QByteArrayLiteral("Unnamed connection #");

UnnamedConnectionNumbers::Reading UnnamedConnectionNumbers::read(const QByteArray &name)
{
    Reading r;
    const qsizetype size = name.size();
    for (qsizetype at = name.indexOf(Prefix); at >= 0; at = name.indexOf(Prefix, at + 1)) {
        const qsizetype first = at + Prefix.size();
        if (first == size) {
            r.runsOn = true;
            continue;
        }
        int digits = 0;
        const qsizetype stop = readNumbers(name, first, &r.numbers, nullptr, digits);
        if (stop == size && digits > 0 && digits < MaxDigits)
            r.runsOn = true;
    }
    // The name ends with the beginning of the prefix.
    for (qsizetype i = std::max<qsizetype>(0, size - Prefix.size() + 1); i < size && !r.runsOn; ++i)
        if (name.at(i) == Prefix.at(0) && QByteArrayView(name).sliced(i) == QByteArrayView(Prefix).first(size - i))
            r.runsOn = true;
    return r;
}

void UnnamedConnectionNumbers::count(const QByteArray &name, int by)
{
    for (quint64 n : read(name).numbers) {
        auto it = m_taken.find(n);
        if (it == m_taken.end())
            it = m_taken.insert(n, 0);
        *it += by;
        if (*it <= 0)
            m_taken.erase(it);
    }
}

void UnnamedConnectionNumbers::added(const ConnectionNode *node)
{
    const QByteArray &name = node->data.Name;
    const Reading r = read(name);
    if (r.numbers.isEmpty() && !r.runsOn)
        return;
    m_counted.insert(node, name);
    for (quint64 n : r.numbers)
        ++m_taken[n];
    if (r.runsOn)
        m_runsOn.insert(node);
}

void UnnamedConnectionNumbers::removed(const ConnectionNode *node)
{
    if (m_counted.isEmpty())
        return;
    const auto it = m_counted.constFind(node);
    if (it == m_counted.cend())
        return;
    count(*it, -1);
    m_runsOn.remove(node);
    m_counted.erase(it);
}

void UnnamedConnectionNumbers::renamed(const ConnectionNode *node)
{
    const auto it = m_counted.constFind(node);
    if (it != m_counted.cend() && *it == node->data.Name)
        return;
    removed(node);
    added(node);
}

void UnnamedConnectionNumbers::takeFrom(UnnamedConnectionNumbers &other, const ConnectionNode *node)
{
    if (other.m_counted.isEmpty() || !other.m_counted.contains(node))
        return;
    other.removed(node);
    added(node);
}

void UnnamedConnectionNumbers::takeAllFrom(UnnamedConnectionNumbers &other, const ConnectionNode *kept)
{
    const QList<const ConnectionNode *> nodes = other.m_counted.keys();
    for (const ConnectionNode *node : nodes)
        if (node != kept)
            takeFrom(other, node);
}

void UnnamedConnectionNumbers::clear()
{
    m_counted.clear();
    m_taken.clear();
    m_runsOn.clear();
}

void UnnamedConnectionNumbers::readRunningOn(const ConnectionNode *node, const ConnectionNode *root,
                                             QSet<quint64> &numbers)
{
    // An occurrence that runs on begins in the last characters of the name; the names after
    // it are read as far as the prefix and its digits can reach.
    const qsizetype reach = Prefix.size() + MaxDigits;
    const QByteArray &name = node->data.Name;
    const qsizetype own = std::min<qsizetype>(name.size(), reach);
    QByteArray text = name.right(own);
    for (const ConnectionNode *n = ConnectionTree::nextPreorder(node, root); n && text.size() < own + reach;
         n = ConnectionTree::nextPreorder(n, root))
        text += n->data.Name.left(own + reach - text.size());
    for (qsizetype at = text.indexOf(Prefix); at >= 0 && at < own; at = text.indexOf(Prefix, at + 1)) {
        int digits = 0;
        readNumbers(text, at + Prefix.size(), nullptr, &numbers, digits);
    }
}

quint64 UnnamedConnectionNumbers::firstFree(const ConnectionNode *root) const
{
    QSet<quint64> runningOn;
    for (const ConnectionNode *n : m_runsOn)
        readRunningOn(n, root, runningOn);
    quint64 n = 1;
    while (m_taken.contains(n) || runningOn.contains(n))
        ++n;
    return n;
}
