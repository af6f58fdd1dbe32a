#pragma once

#include <QTreeView>

// A list that says in its empty space what to do when it has no rows.
class HintTreeView final : public QTreeView
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HintTreeView)

public:
    explicit HintTreeView(QWidget *parent = nullptr);

    QString placeholderText() const { return m_placeholderText; }
    void setPlaceholderText(const QString &text);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_placeholderText;
};
