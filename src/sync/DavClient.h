#pragma once

#include "SyncAccount.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <QUrl>

#include <functional>

class QNetworkAccessManager;
class QNetworkReply;

// What one request came to.
struct DavReply
{
    enum class Failure
    {
        None,
        Network,  // no connection, refused, reset, host unknown
        Timeout,  // no answer in time, or no bytes for too long
        TooLarge, // the body went beyond the cap
        Redirect, // to another scheme, host or port, or too many
        UntrustedCertificate,
        Authentication // 401
    };

    Failure failure = Failure::None;
    int status = 0; // HTTP status when an answer came
    QByteArray body;
    QByteArray etag;
    QByteArray contentType;
    QUrl url;      // after redirects
    QString error; // plain words, for the user
    // UntrustedCertificate: the certificate's SHA-256 and a description for asking the user.
    QByteArray certificateSha256;
    QString certificateDescription;

    bool isSuccess() const { return failure == Failure::None && status >= 200 && status < 300; }
};

// CalDAV requests over Qt Network, asynchronous, each time-limited and size-capped. Credentials go only
// to the configured host; redirects are followed only within it; TLS errors are refused unless the
// certificate is the one the user accepted.
class DavClient final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DavClient)

public:
    using Callback = std::function<void(const DavReply &)>;
    using Headers = QList<QPair<QByteArray, QByteArray>>;

    explicit DavClient(QObject *parent = nullptr);
    ~DavClient() override;

    void setAccount(const SyncAccount &account);
    const SyncAccount &account() const { return m_account; }

    // Limits; tests shorten them.
    void setTimeouts(int totalMs, int idleMs);
    void setMaxBodySize(qint64 bytes);

    void propfind(const QUrl &url, int depth, const QByteArray &body, Callback done);
    void report(const QUrl &url, int depth, const QByteArray &body, Callback done);
    void get(const QUrl &url, Callback done);
    // ifMatch: replace only that version; empty ifMatch: create only (If-None-Match: *).
    void put(const QUrl &url, const QByteArray &ics, const QByteArray &ifMatch, Callback done);
    void remove(const QUrl &url, const QByteArray &ifMatch, Callback done);
    void mkcalendar(const QUrl &url, const QString &displayName, Callback done);
    // Any method; the others go through it.
    void send(const QByteArray &method, const QUrl &url, const Headers &headers, const QByteArray &body, Callback done);

    // Requests still waiting for an answer are ended at once, each reporting Network.
    void abortAll();
    int pending() const { return m_pending; }
    // Requests sent so far (a redirect followed counts again).
    int requestsSent() const { return m_sent; }

    // The host part a request may go to with credentials: scheme, host and port of the account's server.
    static bool sameOrigin(const QUrl &a, const QUrl &b);

private:
    struct Request;
    void start(Request *request);
    void finish(Request *request, QNetworkReply *reply);

    QNetworkAccessManager *m_network;
    SyncAccount m_account;
    int m_totalMs = 30000;
    int m_idleMs = 15000;
    qint64 m_maxBody = 16 * 1024 * 1024;
    int m_pending = 0;
    int m_sent = 0;
};
