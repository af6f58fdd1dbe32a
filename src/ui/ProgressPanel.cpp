#include "ProgressPanel.h"

#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>

ProgressPanel::ProgressPanel(const QString &name, const QString &leftName, const QString &rightName,
                             const QString &barName, QWidget *parent)
    : QFrame(parent)
{
    setObjectName(name);
    setFrameShape(QFrame::StyledPanel);
    setFixedHeight(35);
    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(4, 1, 4, 2);
    layout->setVerticalSpacing(1);
    m_left = new QLabel(this);
    m_left->setObjectName(leftName);
    m_right = new QLabel(this);
    m_right->setObjectName(rightName);
    m_right->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_bar = new QProgressBar(this);
    m_bar->setObjectName(barName);
    m_bar->setMaximumHeight(12);
    m_bar->setTextVisible(false);
    layout->addWidget(m_left, 0, 0);
    layout->addWidget(m_right, 0, 1);
    layout->addWidget(m_bar, 1, 0, 1, 2);
}
