#pragma once

#include <QPlainTextEdit>

// The free text of the "Notepad" page.
class NotepadPage final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(NotepadPage)

public:
    explicit NotepadPage(QWidget *parent = nullptr);

    QPlainTextEdit *editor() const { return m_notepad; }
    QStringList lines() const;
    void appendLines(const QStringList &lines);

private:
    QPlainTextEdit *m_notepad = nullptr;
};
