#pragma once

#include "core/LocaleFormats.h"
#include "notes/NotesData.h"

#include <QDialog>

#include <memory>

namespace Ui {
class ReminderDialog;
}

// The reminder: one note's text, date, location and priority, above every other window,
// until "Ok".
class ReminderDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ReminderDialog)

public:
    explicit ReminderDialog(QWidget *parent = nullptr);
    ~ReminderDialog() override;

    // Fills the window from the note; an importance outside 1..3 leaves the priority as it was.
    void showNote(const TNotesData &note, const LocaleFormats &formats);

    void FormShow();
    void DsFancyButton1Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    std::unique_ptr<Ui::ReminderDialog> m_ui;
};
