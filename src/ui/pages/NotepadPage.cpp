#include "ui/pages/NotepadPage.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QVBoxLayout>

NotepadPage::NotepadPage(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_notepad = new QPlainTextEdit(this);
    m_notepad->setObjectName(QStringLiteral("Notepad"));
    m_notepad->setFrameShape(QFrame::NoFrame);
    m_notepad->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_notepad->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    layout->addWidget(m_notepad);
}

QStringList NotepadPage::lines() const
{
    QStringList result;
    for (QTextBlock block = m_notepad->document()->begin(); block.isValid(); block = block.next())
        result.append(block.text());
    return result;
}

void NotepadPage::appendLines(const QStringList &lines)
{
    // An empty editor counts as holding no lines, so the first line fills it.
    QTextCursor cursor(m_notepad->document());
    cursor.movePosition(QTextCursor::End);
    bool needBlock = !m_notepad->document()->isEmpty();
    for (const QString &line : lines) {
        if (needBlock)
            cursor.insertBlock();
        cursor.insertText(line);
        needBlock = true;
    }
}
