#include "ui/widgets/BalloonHint.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QScreen>
#include <QTimer>

BalloonHint::BalloonHint(QWidget *parent) : QFrame(parent, Qt::ToolTip | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("JvBalloonHint1"));
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::ToolTipBase);
    setForegroundRole(QPalette::ToolTipText);
    m_icon = new QLabel(this);
    m_header = new QLabel(this);
    m_header->setObjectName(QStringLiteral("balloonHeader"));
    QFont bold = m_header->font();
    bold.setBold(true);
    m_header->setFont(bold);
    m_body = new QLabel(this);
    m_body->setObjectName(QStringLiteral("balloonBody"));
    m_body->setTextFormat(Qt::PlainText);
    m_body->setWordWrap(true);
    m_body->setMaximumWidth(360);
    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(8, 6, 8, 8);
    layout->addWidget(m_icon, 0, 0);
    layout->addWidget(m_header, 0, 1);
    layout->addWidget(m_body, 1, 0, 1, 2);
    layout->setColumnStretch(1, 1);
    m_timer = new QTimer(this);
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &BalloonHint::closeBalloon);
}

void BalloonHint::showBalloon(const QPoint &anchor, const QString &header, const QString &body, const QIcon &icon,
                              int visibleMs)
{
    m_icon->setPixmap(icon.pixmap(16, 16));
    m_header->setText(header);
    m_body->setText(body);
    adjustSize();
    QPoint topLeft(anchor.x(), anchor.y() - height());
    if (const QScreen *screen = QGuiApplication::screenAt(anchor)) {
        const QRect area = screen->availableGeometry();
        if (topLeft.y() < area.top())
            topLeft.setY(anchor.y());
        topLeft.setX(std::clamp(topLeft.x(), area.left(), std::max(area.left(), area.right() - width())));
    }
    move(topLeft);
    show();
    m_timer->start(std::max(visibleMs, 0));
}

void BalloonHint::closeBalloon()
{
    m_timer->stop();
    if (isVisible())
        hide();
}

QString BalloonHint::header() const
{
    return m_header->text();
}

QString BalloonHint::body() const
{
    return m_body->text();
}

void BalloonHint::hideEvent(QHideEvent *event)
{
    QFrame::hideEvent(event);
    m_timer->stop();
    Q_EMIT closed();
}

void BalloonHint::mousePressEvent(QMouseEvent *event)
{
    QFrame::mousePressEvent(event);
    closeBalloon();
}
