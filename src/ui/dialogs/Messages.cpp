#include "ui/dialogs/Messages.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace Messages {

namespace {

bool g_testMode = false;
bool g_silenced = false;
QList<bool> g_answers;
QStringList g_passwords;
QList<Shown> g_shown;
std::function<void(const Shown &)> g_observer;

QString title()
{
    return QStringLiteral("Marevo Notes");
}

bool record(Kind kind, const QString &text)
{
    g_shown.append({kind, text});
    if (g_observer)
        g_observer(g_shown.last());
    return kind == Kind::Question && !g_answers.isEmpty() && g_answers.takeFirst();
}

} // namespace

void information(QWidget *parent, const QString &text)
{
    if (g_silenced)
        return;
    if (g_testMode) {
        record(Kind::Information, text);
        return;
    }
    QMessageBox::information(parent, title(), text, QMessageBox::Ok);
}

void warning(QWidget *parent, const QString &text)
{
    if (g_silenced)
        return;
    if (g_testMode) {
        record(Kind::Warning, text);
        return;
    }
    QMessageBox::warning(parent, title(), text, QMessageBox::Ok);
}

void error(QWidget *parent, const QString &text)
{
    if (g_silenced)
        return;
    if (g_testMode) {
        record(Kind::Error, text);
        return;
    }
    QMessageBox::critical(parent, title(), text, QMessageBox::Ok);
}

bool question(QWidget *parent, const QString &text)
{
    if (g_silenced)
        return false;
    if (g_testMode)
        return record(Kind::Question, text);
    return QMessageBox::warning(parent, title(), text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
           QMessageBox::Yes;
}

QString password(QWidget *parent, const QString &text)
{
    if (g_silenced)
        return QString();
    if (g_testMode) {
        record(Kind::Question, text);
        return g_passwords.isEmpty() ? QString() : g_passwords.takeFirst();
    }
    return QInputDialog::getText(parent, title(), text, QLineEdit::Password);
}

void queuePassword(const QString &password)
{
    g_passwords.append(password);
}

bool choice(QWidget *parent, const QString &text, const QString &yesText, const QString &noText)
{
    if (g_silenced)
        return false;
    if (g_testMode)
        return record(Kind::Question, text);
    QMessageBox box(QMessageBox::Question, title(), text, QMessageBox::NoButton, parent);
    QPushButton *yes = box.addButton(yesText, QMessageBox::AcceptRole);
    QPushButton *no = box.addButton(noText, QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

void silence()
{
    g_silenced = true;
}

void setTestMode(bool on)
{
    g_testMode = on;
    g_silenced = false;
    g_answers.clear();
    g_shown.clear();
    g_observer = nullptr;
}

void queueAnswer(bool yes)
{
    g_answers.append(yes);
}

QList<Shown> takeShown()
{
    return std::exchange(g_shown, {});
}

void setObserver(std::function<void(const Shown &)> observer)
{
    g_observer = std::move(observer);
}

} // namespace Messages
