#pragma once

#include <QWidget>

class QToolButton;
class QVBoxLayout;

// A panel that folds to its header button and unfolds again.
class RollOutPanel final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RollOutPanel)

public:
    explicit RollOutPanel(QWidget *parent = nullptr);

    void setCaption(const QString &caption);
    // The content shown below the header while expanded.
    void setContent(QWidget *content);
    void setExpandedHeight(int height);
    bool isCollapsed() const { return m_collapsed; }
    void setCollapsed(bool collapsed);

Q_SIGNALS:
    void collapsedChanged(bool collapsed);

private:
    void update();

    QToolButton *m_header = nullptr;
    QVBoxLayout *m_layout = nullptr;
    QWidget *m_content = nullptr;
    int m_expandedHeight = -1;
    bool m_collapsed = false;
};
