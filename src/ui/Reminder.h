#pragma once

#include "core/LocaleFormats.h"
#include "notes/NotesData.h"

#include <QDialog>

#include <memory>

namespace Ui {
class TForm3;
}

// The reminder: one note's text, date, location and priority, above every other window,
// until "Ok".
class TForm3 final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TForm3)

public:
    explicit TForm3(QWidget *parent = nullptr);
    ~TForm3() override;

    // Fills the window from the note; an importance outside 1..3 leaves the priority as it was.
    void showNote(const TNotesData &note, const LocaleFormats &formats);

    void FormShow();
    void DsFancyButton1Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    std::unique_ptr<Ui::TForm3> m_ui;
};
