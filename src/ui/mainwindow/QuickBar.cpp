#include "ui/mainwindow/QuickBar.h"

#include "ui/widgets/ImageList.h"
#include "ui/widgets/Switch.h"

#include <QGridLayout>
#include <QPushButton>
#include <QSignalBlocker>

QuickBar::QuickBar(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("JvPanel1"));
    setFixedHeight(48);
    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setVerticalSpacing(0);
    m_addNote = new QPushButton(ImageList1::icon(ImageList1::AddNote), QStringLiteral("Add note"), this);
    m_addNote->setObjectName(QStringLiteral("DsFancyButton1"));
    m_addNote->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    m_hidePrivate = new Switch(QStringLiteral("Hide private notes"), this);
    m_hidePrivate->setObjectName(QStringLiteral("JvSwitch1"));
    m_showFinished = new Switch(QStringLiteral("Show finished tasks"), this);
    m_showFinished->setObjectName(QStringLiteral("JvSwitch3"));
    m_showFinished->setChecked(true);
    layout->addWidget(m_addNote, 0, 0, 2, 1);
    layout->addWidget(m_hidePrivate, 0, 1);
    layout->addWidget(m_showFinished, 1, 1);
    layout->setColumnStretch(1, 1);
}

void QuickBar::setSwitches(bool hidePrivate, bool showFinished)
{
    const QSignalBlocker blockPrivate(m_hidePrivate);
    const QSignalBlocker blockFinished(m_showFinished);
    m_hidePrivate->setChecked(hidePrivate);
    m_showFinished->setChecked(showFinished);
}
