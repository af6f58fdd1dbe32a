#pragma once

#include <QFrame>

class QLabel;
class QProgressBar;
struct ProgressPanelView;

// A row of two labels over a progress bar: the custom time panel and the sun panel.
class ProgressPanel final : public QFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ProgressPanel)

public:
    ProgressPanel(const QString &name, const QString &leftName, const QString &rightName, const QString &barName,
                  QWidget *parent = nullptr);

    QLabel *leftLabel() const { return m_left; }
    QLabel *rightLabel() const { return m_right; }
    QProgressBar *bar() const { return m_bar; }

    // Labels and bar text always; the bar's value only when the step produced a usable one.
    void showView(const ProgressPanelView &view);

private:
    QLabel *m_left = nullptr;
    QLabel *m_right = nullptr;
    QProgressBar *m_bar = nullptr;
};
