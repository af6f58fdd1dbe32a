#include "ui/dialogs/ReminderDialog.h"

#include "ui_ReminderDialog.h"

#include "core/Clock.h"
#include "notes/NotesList.h"
#include "reminders/Alarms.h"

#include <QKeyEvent>
#include <QScreen>

#include <utility>

namespace {
// Long enough for a person typing elsewhere to notice the window before a key reaches it.
constexpr qint64 kKeyGuardMs = 1000;
} // namespace

ReminderDialog::ReminderDialog(QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_ui(std::make_unique<Ui::ReminderDialog>())
{
    m_ui->setupUi(this);
    setAttribute(Qt::WA_ShowWithoutActivating);
    QFont memoFont = m_ui->Memo1->font();
    memoFont.setPixelSize(16);
    m_ui->Memo1->setFont(memoFont);
    connect(m_ui->DsFancyButton1, &QPushButton::clicked, this, &ReminderDialog::DsFancyButton1Click);
    const std::pair<QPushButton *, ReminderAnswer> answers[] = {
        {m_ui->SnoozeTenMinutes, ReminderAnswer::Snooze10Min},
        {m_ui->SnoozeOneHour, ReminderAnswer::SnoozeHour},
        {m_ui->SnoozeTomorrow, ReminderAnswer::Tomorrow},
        {m_ui->MarkDone, ReminderAnswer::Done}};
    for (const auto &[button, answer] : answers)
        connect(button, &QPushButton::clicked, this, [this, answer = answer] { answerWith(answer); });
    installEventFilter(this);
    for (QWidget *child : findChildren<QWidget *>())
        child->installEventFilter(this);
}

ReminderDialog::~ReminderDialog() = default;

void ReminderDialog::showNote(const TNotesData &note, const LocaleFormats &formats)
{
    m_ui->Memo1->setPlainText(note.Text);
    m_ui->Label1->setText(deadlineText(note.Deadline, formats));
    m_ui->Label2->setText(note.Location);
    const QString priority = importanceName(note.Importance);
    if (!priority.isEmpty())
        m_ui->Label3->setText(priority);
}

void ReminderDialog::showNotes(const QList<TNotesData> &notes, const LocaleFormats &formats)
{
    if (notes.isEmpty())
        return;
    showNote(notes.constFirst(), formats);
    if (notes.size() == 1)
        return;
    QStringList lines{awayTitle(notes.size()), QString()};
    for (const TNotesData &note : notes)
        lines << reminderMessage(note, formats).summary + QStringLiteral("  (") + deadlineText(note.Deadline, formats) +
                     QLatin1Char(')');
    m_ui->Memo1->setPlainText(lines.join(QLatin1Char('\n')));
}

void ReminderDialog::FormShow()
{
    // The stay-on-top hint is set for good; raising again at every showing puts the window
    // above whatever took the top place meanwhile. It is not activated: the keyboard stays
    // with whatever the person is typing in.
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    raise();
}

void ReminderDialog::DsFancyButton1Click()
{
    accept();
}

void ReminderDialog::answerWith(ReminderAnswer answer)
{
    m_answer = answer;
    accept();
}

void ReminderDialog::showEvent(QShowEvent *event)
{
    m_answer.reset();
    m_shownAt = Clock::now();
    QDialog::showEvent(event);
    FormShow();
}

bool ReminderDialog::keysGuarded() const
{
    const QDateTime now = Clock::now();
    return m_shownAt.isValid() && now >= m_shownAt && m_shownAt.msecsTo(now) < kKeyGuardMs;
}

bool ReminderDialog::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
        if (keysGuarded()) {
            event->accept();
            return true;
        }
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}
