#include "ui/widgets/SearchBar.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

SearchBar::SearchBar(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("SearchBar1"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 2, 0, 2);
    layout->setSpacing(2);
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("SearchEdit1"));
    m_edit->setPlaceholderText(QStringLiteral("Find"));
    m_edit->setClearButtonEnabled(true);
    m_info = new QLabel(this);
    m_info->setObjectName(QStringLiteral("SearchInfo1"));
    m_previous = new QToolButton(this);
    m_previous->setObjectName(QStringLiteral("FindPrevious1"));
    m_previous->setText(QStringLiteral("Previous"));
    m_next = new QToolButton(this);
    m_next->setObjectName(QStringLiteral("FindNext1"));
    m_next->setText(QStringLiteral("Next"));
    layout->addWidget(m_edit, 1);
    layout->addWidget(m_info);
    layout->addWidget(m_previous);
    layout->addWidget(m_next);
    m_edit->installEventFilter(this);
    connect(m_edit, &QLineEdit::textChanged, this, &SearchBar::textChanged);
    connect(m_previous, &QToolButton::clicked, this, &SearchBar::previousRequested);
    connect(m_next, &QToolButton::clicked, this, &SearchBar::nextRequested);
    setFindMode(false);
    hide();
}

void SearchBar::open()
{
    show();
    Q_EMIT openChanged(true);
    m_edit->setFocus(Qt::ShortcutFocusReason);
    m_edit->selectAll();
}

void SearchBar::clear()
{
    m_edit->clear();
    m_info->clear();
    hide();
    Q_EMIT openChanged(false);
}

QString SearchBar::text() const
{
    return m_edit->text();
}

void SearchBar::setFindMode(bool find)
{
    m_previous->setVisible(find);
    m_next->setVisible(find);
}

void SearchBar::setInfo(const QString &info)
{
    m_info->setText(info);
}

bool SearchBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_edit && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Escape) {
            clear();
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (key->modifiers() & Qt::ShiftModifier)
                Q_EMIT previousRequested();
            else
                Q_EMIT nextRequested();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
