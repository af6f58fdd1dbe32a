#include "ui/pages/NotepadPage.h"

#include <QTextBlock>
#include <QTextCharFormat>
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
    connect(m_notepad, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_phrase.isEmpty())
            markFound();
    });
}

void NotepadPage::highlight(const QString &phrase)
{
    m_phrase = phrase;
    markFound();
}

void NotepadPage::markFound()
{
    m_found = TextFold::findAll(m_notepad->toPlainText(), m_phrase);
    QList<QTextEdit::ExtraSelection> marks;
    marks.reserve(m_found.size());
    QTextCharFormat format;
    format.setBackground(QColor(255, 230, 80));
    for (const TextFold::Range &range : std::as_const(m_found)) {
        QTextCursor cursor(m_notepad->document());
        cursor.setPosition(int(range.start));
        cursor.setPosition(int(range.start + range.length), QTextCursor::KeepAnchor);
        marks.append({cursor, format});
    }
    m_notepad->setExtraSelections(marks);
}

int NotepadPage::findNext(bool backward)
{
    if (m_found.isEmpty())
        return 0;
    const QTextCursor current = m_notepad->textCursor();
    const qsizetype from = current.selectionStart();
    qsizetype index = -1;
    if (backward) {
        for (qsizetype i = m_found.size() - 1; i >= 0 && index < 0; --i)
            if (m_found[i].start < from)
                index = i;
        if (index < 0)
            index = m_found.size() - 1;
    } else {
        // The place already selected counts as passed.
        const qsizetype after = current.hasSelection() ? from + 1 : from;
        for (qsizetype i = 0; i < m_found.size() && index < 0; ++i)
            if (m_found[i].start >= after)
                index = i;
        if (index < 0)
            index = 0;
    }
    QTextCursor cursor(m_notepad->document());
    cursor.setPosition(int(m_found[index].start));
    cursor.setPosition(int(m_found[index].start + m_found[index].length), QTextCursor::KeepAnchor);
    m_notepad->setTextCursor(cursor);
    m_notepad->ensureCursorVisible();
    return int(index + 1);
}

QString NotepadPage::findInfo(int current) const
{
    if (m_phrase.trimmed().isEmpty())
        return {};
    if (m_found.isEmpty())
        return QStringLiteral("No match");
    if (current <= 0)
        return QString::number(m_found.size());
    return QStringLiteral("%1 of %2").arg(current).arg(m_found.size());
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
