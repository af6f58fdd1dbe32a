#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// Every message box of the program goes through here, so tests can answer
// questions and read what was shown without a person at the screen.
namespace Messages {

enum class Kind
{
    Information,
    Warning,
    Error,
    Question
};

void information(QWidget *parent, const QString &text);
void warning(QWidget *parent, const QString &text);
void error(QWidget *parent, const QString &text);
// Warning box with Yes and No; true for Yes.
bool question(QWidget *parent, const QString &text);

// Question box whose two buttons say what they do; true for the first. Recorded as a Question.
bool choice(QWidget *parent, const QString &text, const QString &yesText, const QString &noText);

// A password typed into a masked field; empty when cancelled. In test mode: the text queued with
// queuePassword (empty when none), recorded as a Question.
QString password(QWidget *parent, const QString &text);
void queuePassword(const QString &password);
// The program is ending: no further box opens, and questions answer No.
void silence();

// Test mode: nothing is shown; questions take queued answers (No when none is queued).
void setTestMode(bool on);
void queueAnswer(bool yes);
struct Shown
{
    Kind kind;
    QString text;
};
QList<Shown> takeShown();
// Test mode: called as each message is recorded, while its box would be open.
void setObserver(std::function<void(const Shown &)> observer);

} // namespace Messages
