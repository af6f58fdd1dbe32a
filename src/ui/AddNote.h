#pragma once

#include "core/DateTime.h"
#include "notes/NoteRepetition.h"

#include <QDialog>

#include <memory>

class TForm1;

namespace Ui {
class TForm2;
}

// The note editor: adds a note (repeated on request) or edits one in place.
class TForm2 final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TForm2)

public:
    enum Mode : quint8
    {
        AddMode = 0,
        EditMode = 1,
        AddForDayMode = 2
    };

    explicit TForm2(TForm1 *form);
    ~TForm2() override;

    Ui::TForm2 &ui() { return *m_ui; }

    // Written by whoever opens the editor, read when it is shown.
    quint8 EditorMode = AddMode;
    qint32 EditIndex = 0; // collection position of the note being edited

    void FormCreate();
    void FormShow();
    void FormKeyDown(QKeyEvent *event);
    void DsFancyButton1Click();
    void DsFancyButton2Click();

    void CheckBox1Click();
    void RadioButton4Click();
    void RadioButton5Click();
    void RadioButton6Click();
    void MonthCalendar1Click();
    void JvxSlider1Change();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void prepareForAdding(bool deadline);
    void prepareForEditing();
    void enablePeriodicity(bool choices, bool period, bool everyDays, bool endDate);
    TNotesData noteFromControls() const;
    TDateTime composedDeadline() const;
    RepeatRule repeatRule() const;

    std::unique_ptr<Ui::TForm2> m_ui;
    TForm1 *m_form = nullptr;
};
