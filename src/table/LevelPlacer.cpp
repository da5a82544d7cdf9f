#include "table/LevelPlacer.h"

#include "table/ConnectionTree.h"

ConnectionNode *LevelPlacer::place(const rVTNodeData &record)
{
    const qint64 level = record.Level;
    if (level != m_prevLevel) {
        if (level == 1 || !m_last) {
            m_parent = m_rootNode;
        } else if (level > m_prevLevel) {
            m_parent = m_last;
        } else {
            // 64-bit: hostile levels cannot overflow the count, and the climb ends at RootNode.
            ConnectionNode *n = m_last;
            for (qint64 climbs = m_prevLevel - level + 1; climbs > 0 && n != m_rootNode; --climbs)
                n = n->parent();
            m_parent = n;
        }
        m_prevLevel = level;
    }
    m_last = m_tree.addChild(m_parent, record);
    return m_last;
}
