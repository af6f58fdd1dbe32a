#pragma once

#include "core/DateTime.h"
#include "notes/NoteRepetition.h"
#include "notes/NotesData.h"

#include <QDialog>

#include <memory>

struct LocaleFormats;

namespace Ui {
class NoteEditorDialog;
}

// The note editor: adds a note (repeated on request) or edits one in place.
class NoteEditorDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(NoteEditorDialog)

public:
    enum Mode : quint8
    {
        AddMode = 0,
        EditMode = 1,
        AddForDayMode = 2
    };

    NoteEditorDialog(NotesCollection &notes, const LocaleFormats &formats, QWidget *parent = nullptr);
    ~NoteEditorDialog() override;

    Ui::NoteEditorDialog &ui() { return *m_ui; }

    // Each opens the editor modally unless it is already open.
    void openForAdd();
    // The main menu's "Add note" starts from an empty text.
    void clearText();
    // Only when `position` is a note of the collection; the mode is taken even when it is not.
    void openForEdit(int position);
    // A new note whose deadline starts on `day`.
    void openForDay(TDateTime day);
    // What the last opening asked for; closing leaves it as it was.
    Mode mode() const { return m_mode; }
    int editedPosition() const { return m_editIndex; }

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

Q_SIGNALS:
    // "OK" changed the collection; the editor closes right after.
    void notesEdited();

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

    std::unique_ptr<Ui::NoteEditorDialog> m_ui;
    NotesCollection &m_notes;
    Mode m_mode = AddMode;
    int m_editIndex = 0; // collection position of the note being edited
};
