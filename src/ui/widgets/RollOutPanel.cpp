#include "ui/widgets/RollOutPanel.h"

#include "ui/widgets/ImageList.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace {
constexpr int kHeaderHeight = 25;
}

RollOutPanel::RollOutPanel(QWidget *parent) : QWidget(parent)
{
    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    m_header = new QToolButton(this);
    m_header->setObjectName(QStringLiteral("header"));
    m_header->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_header->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_header->setFixedHeight(kHeaderHeight);
    m_header->setAutoRaise(true);
    m_layout->addWidget(m_header);
    connect(m_header, &QToolButton::clicked, this, [this] { setCollapsed(!m_collapsed); });
    update();
}

void RollOutPanel::setCaption(const QString &caption)
{
    m_header->setText(caption);
}

void RollOutPanel::setContent(QWidget *content)
{
    m_content = content;
    m_layout->addWidget(content);
    update();
}

void RollOutPanel::setExpandedHeight(int height)
{
    m_expandedHeight = height;
    update();
}

void RollOutPanel::setCollapsed(bool collapsed)
{
    if (m_collapsed == collapsed)
        return;
    m_collapsed = collapsed;
    update();
    Q_EMIT collapsedChanged(collapsed);
}

void RollOutPanel::update()
{
    m_header->setIcon(ImageList1::icon(m_collapsed ? ImageList1::RollOutCollapsed : ImageList1::RollOutExpanded));
    if (m_content)
        m_content->setVisible(!m_collapsed);
    if (m_collapsed)
        setFixedHeight(kHeaderHeight);
    else if (m_expandedHeight > 0)
        setFixedHeight(m_expandedHeight);
    else {
        setMinimumHeight(kHeaderHeight);
        setMaximumHeight(QWIDGETSIZE_MAX);
    }
}
