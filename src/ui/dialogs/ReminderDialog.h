#pragma once

#include "core/LocaleFormats.h"
#include "notes/NotesData.h"
#include "reminders/ReminderAnswers.h"

#include <QDateTime>
#include <QDialog>

#include <memory>
#include <optional>

namespace Ui {
class ReminderDialog;
}

// The reminder: one note's text, date, location and priority, above every other window,
// until "Ok" or one of the snooze and done answers. It comes up without taking the keyboard from
// the program the person is typing in, and keys pressed in its first second are not for it.
class ReminderDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ReminderDialog)

public:
    explicit ReminderDialog(QWidget *parent = nullptr);
    ~ReminderDialog() override;

    // Fills the window from the note; an importance outside 1..3 leaves the priority as it was.
    void showNote(const TNotesData &note, const LocaleFormats &formats);
    // Several reminders at once: the first one's details and every note's first line.
    void showNotes(const QList<TNotesData> &notes, const LocaleFormats &formats);
    // The answer chosen when the window closed; nullopt for "Ok" or the close button.
    std::optional<ReminderAnswer> answer() const { return m_answer; }

    void FormShow();
    void DsFancyButton1Click();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void answerWith(ReminderAnswer answer);
    bool keysGuarded() const;

    std::unique_ptr<Ui::ReminderDialog> m_ui;
    std::optional<ReminderAnswer> m_answer;
    QDateTime m_shownAt;
};
