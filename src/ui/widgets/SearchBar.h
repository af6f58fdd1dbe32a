#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QToolButton;

// The search field above the pages: hidden until asked for, it filters as the user types; on a page of
// free text it finds instead, with next and previous.
class SearchBar final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SearchBar)

public:
    explicit SearchBar(QWidget *parent = nullptr);

    // Shows the bar and puts the cursor in the field, its text selected for typing over.
    void open();
    // Empties the field and hides the bar.
    void clear();
    QString text() const;
    // Next and previous are offered while the page finds in text.
    void setFindMode(bool find);
    // "3 of 7", "No match" ...
    void setInfo(const QString &info);

    QLineEdit *edit() const { return m_edit; }

Q_SIGNALS:
    void textChanged(const QString &text);
    void nextRequested();
    void previousRequested();
    // open() and clear() show and hide the bar.
    void openChanged(bool open);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *m_edit = nullptr;
    QToolButton *m_previous = nullptr;
    QToolButton *m_next = nullptr;
    QLabel *m_info = nullptr;
};
