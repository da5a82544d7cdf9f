#include "table/LevelPlacer.h"

#include "table/ConnectionTree.h"

ConnectionNode *LevelPlacer::place(const rVTNodeData &record)
{
    const qint64 level = record.Level;
    if (level != m_prevLevel) {
        if (level == m_topLevel || !m_last) {
            m_parent = m_base;
        } else if (level > m_prevLevel) {
            m_parent = m_last;
        } else {
            // 64-bit: hostile levels cannot overflow the count, and the climb ends at Base.
            ConnectionNode *n = m_last;
            for (qint64 climbs = m_prevLevel - level + 1; climbs > 0 && n != m_base; --climbs)
                n = n->parent();
            m_parent = n;
        }
        m_prevLevel = level;
    }
    const bool top = m_parent == m_base;
    m_last = m_tree.addChild(m_parent, record, top ? m_row : -1);
    if (top && m_row >= 0)
        ++m_row;
    return m_last;
}
