#pragma once

#include <QFrame>

class QPushButton;
class Switch;

// "Add note" and the two filter switches above the pages.
class QuickBar final : public QFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(QuickBar)

public:
    explicit QuickBar(QWidget *parent = nullptr);

    QPushButton *addNoteButton() const { return m_addNote; }
    Switch *hidePrivateSwitch() const { return m_hidePrivate; }
    Switch *showFinishedSwitch() const { return m_showFinished; }
    // As stored; setting them is no flip of a switch, so nothing is refreshed.
    void setSwitches(bool hidePrivate, bool showFinished);

private:
    QPushButton *m_addNote = nullptr;
    Switch *m_hidePrivate = nullptr;
    Switch *m_showFinished = nullptr;
};
