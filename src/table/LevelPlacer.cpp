#include "table/LevelPlacer.h"

LevelPlacer::LevelPlacer(ConnectionTree &tree, ConnectionNode *base, qint64 topLevel, int row)
    : m_tree(tree),
      m_base(base),
      m_anchor(row >= 0 ? base->child(row) : nullptr),
      m_holder(m_built.addChild(nullptr)),
      m_parent(m_holder),
      m_topLevel(topLevel),
      m_prevLevel(topLevel)
{
    // Built at the depth they will have, so committing them needs no new levels.
    m_holder->data.Level = base->data.Level;
}

ConnectionNode *LevelPlacer::place(rVTNodeData record)
{
    const qint64 level = record.Level;
    if (level != m_prevLevel) {
        if (level == m_topLevel || !m_last) {
            m_parent = m_holder;
        } else if (level > m_prevLevel) {
            m_parent = m_last;
        } else {
            // 64-bit: hostile levels cannot overflow the count, and the climb ends at Base.
            ConnectionNode *n = m_last;
            for (qint64 climbs = m_prevLevel - level + 1; climbs > 0 && n != m_holder; --climbs)
                n = n->parent();
            m_parent = n;
        }
        m_prevLevel = level;
    }
    m_last = m_built.addChild(m_parent, std::move(record));
    return m_last;
}

QList<ConnectionNode *> LevelPlacer::commit(int count)
{
    if (count < 0)
        count = m_holder->childCount();
    return m_tree.takeChildren(m_built, m_holder, count, m_base, m_anchor ? m_anchor->row() : -1);
}
