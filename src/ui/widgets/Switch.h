#pragma once

#include <QAbstractButton>

// An on/off switch with its caption beside it.
class Switch final : public QAbstractButton
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Switch)

public:
    explicit Switch(QWidget *parent = nullptr);
    explicit Switch(const QString &caption, QWidget *parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
};
