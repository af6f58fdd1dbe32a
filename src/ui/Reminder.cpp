#include "Reminder.h"

#include "ui_Reminder.h"

#include "notes/NotesList.h"
#include "reminders/Alarms.h"

#include <QScreen>

TForm3::TForm3(QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_ui(std::make_unique<Ui::TForm3>())
{
    m_ui->setupUi(this);
    QFont memoFont = m_ui->Memo1->font();
    memoFont.setPixelSize(16);
    m_ui->Memo1->setFont(memoFont);
    connect(m_ui->DsFancyButton1, &QPushButton::clicked, this, &TForm3::DsFancyButton1Click);
}

TForm3::~TForm3() = default;

void TForm3::showNote(const TNotesData &note, const LocaleFormats &formats)
{
    m_ui->Memo1->setPlainText(note.Text);
    m_ui->Label1->setText(deadlineText(note.Deadline, formats));
    m_ui->Label2->setText(note.Location);
    const QString priority = importanceName(note.Importance);
    if (!priority.isEmpty())
        m_ui->Label3->setText(priority);
}

void TForm3::FormShow()
{
    // The stay-on-top hint is set for good; raising again at every showing puts the window
    // above whatever took the top place meanwhile.
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    raise();
    activateWindow();
}

void TForm3::DsFancyButton1Click()
{
    accept();
}

void TForm3::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormShow();
}
