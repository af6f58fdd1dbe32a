#pragma once

#include <QFrame>

class QLabel;
class QTimer;

// A balloon with an icon, a bold header and a body, closing itself after a while.
class BalloonHint final : public QFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BalloonHint)

public:
    explicit BalloonHint(QWidget *parent = nullptr);

    // `anchor` is global; the balloon stands above it when it fits there.
    void showBalloon(const QPoint &anchor, const QString &header, const QString &body, const QIcon &icon,
                     int visibleMs);
    void closeBalloon();

    QString header() const;
    QString body() const;

Q_SIGNALS:
    void closed();

protected:
    void hideEvent(QHideEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QLabel *m_icon = nullptr;
    QLabel *m_header = nullptr;
    QLabel *m_body = nullptr;
    QTimer *m_timer = nullptr;
};
