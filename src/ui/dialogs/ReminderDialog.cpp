#include "ui/dialogs/ReminderDialog.h"

#include "ui_ReminderDialog.h"

#include "notes/NotesList.h"
#include "reminders/Alarms.h"

#include <QScreen>

ReminderDialog::ReminderDialog(QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_ui(std::make_unique<Ui::ReminderDialog>())
{
    m_ui->setupUi(this);
    QFont memoFont = m_ui->Memo1->font();
    memoFont.setPixelSize(16);
    m_ui->Memo1->setFont(memoFont);
    connect(m_ui->DsFancyButton1, &QPushButton::clicked, this, &ReminderDialog::DsFancyButton1Click);
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

void ReminderDialog::FormShow()
{
    // The stay-on-top hint is set for good; raising again at every showing puts the window
    // above whatever took the top place meanwhile.
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    raise();
    activateWindow();
}

void ReminderDialog::DsFancyButton1Click()
{
    accept();
}

void ReminderDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormShow();
}
