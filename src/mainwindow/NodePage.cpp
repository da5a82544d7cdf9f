#include "mainwindow/NodePage.h"

#include "mainwindow/CoverPanel.h"

NodePage::NodePage(QWidget *parent) : QWidget(parent)
{
}

void NodePage::createCover(const QString &name)
{
    m_cover = new CoverPanel(name, this);
}

bool NodePage::setCover(const QString &reason)
{
    const bool cover = !reason.isEmpty();
    if (m_cover->text() != reason)
        m_cover->setText(reason);
    if (m_cover->isHidden() != cover)
        return false;
    m_cover->setVisible(cover);
    return true;
}
