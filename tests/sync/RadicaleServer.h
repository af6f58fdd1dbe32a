#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>

// A Radicale of the test's own on 127.0.0.1 and a free port, with a temporary storage folder and one
// task list; stopped with the object.
class RadicaleServer
{
public:
    enum Auth
    {
        NoAuth,
        Password
    };

    RadicaleServer(Auth auth, bool tls);
    ~RadicaleServer();

    bool start(); // waits until it answers
    void stop();
    QUrl calendar() const;
    // Makes the task list (and its parent); the certificate is trusted when given.
    bool createCalendar(const QByteArray &trustedSha256 = {}) const;
    QByteArray certificateSha256() const;
    // Items in the task list's storage folder, counted without asking the server.
    int storedItems() const;
    static QString user() { return QStringLiteral("alice"); }
    static QString password() { return QStringLiteral("secret"); }
    // The independent client (python3-caldav) run on the task list; its output.
    QString client(const QStringList &arguments) const;

private:
    Auth m_auth;
    bool m_tls;
    QTemporaryDir m_dir;
    quint16 m_port = 0;
    QProcess m_process;
};
