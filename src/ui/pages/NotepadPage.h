#pragma once

#include "search/TextFold.h"

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

    // Marks every place the phrase occurs (without regard to case or accents); an empty one marks none.
    // Kept up to date while the text is edited.
    void highlight(const QString &phrase);
    // Selects the next or previous marked place after the cursor, round the end; its number from 1,
    // 0 when nothing is marked.
    int findNext(bool backward);
    // "2 of 5", "No match", or empty without a phrase.
    QString findInfo(int current) const;

private:
    void markFound();

    QPlainTextEdit *m_notepad = nullptr;
    QString m_phrase;
    QList<TextFold::Range> m_found;
};
