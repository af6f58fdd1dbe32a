#include "DavClient.h"

#include <QBuffer>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QSslCertificate>
#include <QSslError>
#include <QTimer>

struct DavClient::Request
{
    QByteArray method;
    QUrl url;
    Headers headers;
    QByteArray body;
    Callback done;
    int redirects = 0;
    QByteArray data;
    DavReply reply;
    QTimer total;
    QTimer idle;
};

namespace {

constexpr int kMaxRedirects = 5;
// The request a reply answers, so that one still waiting is freed with the client.
constexpr char kRequestProperty[] = "davRequest";

QString hostOf(const QUrl &url)
{
    return url.host() + (url.port() > 0 ? QLatin1Char(':') + QString::number(url.port()) : QString());
}

QString fingerprintText(const QByteArray &sha256)
{
    return QString::fromLatin1(sha256.toHex(':').toUpper());
}

} // namespace

DavClient::DavClient(QObject *parent) : QObject(parent), m_network(new QNetworkAccessManager(this))
{
    // Credentials are ours to send, and only to the configured host: no cache, no cookies.
    m_network->setCookieJar(nullptr);
    m_network->setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
}

DavClient::~DavClient()
{
    // No callback may run into an owner that is going away.
    const QList<QNetworkReply *> replies = m_network->findChildren<QNetworkReply *>();
    for (QNetworkReply *reply : replies) {
        reply->disconnect();
        reply->abort();
        delete static_cast<Request *>(reply->property(kRequestProperty).value<void *>());
    }
}

void DavClient::setAccount(const SyncAccount &account)
{
    m_account = account;
}

void DavClient::setTimeouts(int totalMs, int idleMs)
{
    m_totalMs = totalMs;
    m_idleMs = idleMs;
}

void DavClient::setMaxBodySize(qint64 bytes)
{
    m_maxBody = bytes;
}

bool DavClient::sameOrigin(const QUrl &a, const QUrl &b)
{
    const int defaultA = a.scheme() == QLatin1String("https") ? 443 : 80;
    const int defaultB = b.scheme() == QLatin1String("https") ? 443 : 80;
    return a.scheme().compare(b.scheme(), Qt::CaseInsensitive) == 0 &&
           a.host().compare(b.host(), Qt::CaseInsensitive) == 0 && a.port(defaultA) == b.port(defaultB);
}

void DavClient::propfind(const QUrl &url, int depth, const QByteArray &body, Callback done)
{
    send("PROPFIND", url, {{"Depth", QByteArray::number(depth)}, {"Content-Type", "application/xml; charset=utf-8"}},
         body, std::move(done));
}

void DavClient::report(const QUrl &url, int depth, const QByteArray &body, Callback done)
{
    send("REPORT", url, {{"Depth", QByteArray::number(depth)}, {"Content-Type", "application/xml; charset=utf-8"}},
         body, std::move(done));
}

void DavClient::get(const QUrl &url, Callback done)
{
    send("GET", url, {}, {}, std::move(done));
}

void DavClient::put(const QUrl &url, const QByteArray &ics, const QByteArray &ifMatch, Callback done)
{
    Headers headers{{"Content-Type", "text/calendar; charset=utf-8"}};
    headers.append(ifMatch.isEmpty() ? qMakePair(QByteArray("If-None-Match"), QByteArray("*"))
                                     : qMakePair(QByteArray("If-Match"), ifMatch));
    send("PUT", url, headers, ics, std::move(done));
}

void DavClient::remove(const QUrl &url, const QByteArray &ifMatch, Callback done)
{
    Headers headers;
    if (!ifMatch.isEmpty())
        headers.append({"If-Match", ifMatch});
    send("DELETE", url, headers, {}, std::move(done));
}

void DavClient::mkcalendar(const QUrl &url, const QString &displayName, Callback done)
{
    const QByteArray escaped = displayName.toHtmlEscaped().toUtf8();
    const QByteArray body = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                            "<c:mkcalendar xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\"><d:set><d:prop>"
                            "<d:displayname>" +
                            escaped +
                            "</d:displayname><c:supported-calendar-component-set><c:comp name=\"VTODO\"/>"
                            "</c:supported-calendar-component-set></d:prop></d:set></c:mkcalendar>";
    send("MKCALENDAR", url, {{"Content-Type", "application/xml; charset=utf-8"}}, body, std::move(done));
}

void DavClient::send(const QByteArray &method, const QUrl &url, const Headers &headers, const QByteArray &body,
                     Callback done)
{
    auto *request = new Request;
    request->method = method;
    request->url = url;
    request->headers = headers;
    request->body = body;
    request->done = std::move(done);
    ++m_pending;
    start(request);
}

void DavClient::start(Request *request)
{
    QNetworkRequest http(request->url);
    http.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    http.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    http.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    http.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    http.setAttribute(QNetworkRequest::AuthenticationReuseAttribute, QNetworkRequest::Manual);
    for (const auto &[name, value] : request->headers)
        http.setRawHeader(name, value);
    // Basic credentials go with the request itself, and only to the host the user configured.
    if (!m_account.user.isEmpty() && sameOrigin(request->url, m_account.server)) {
        const QByteArray pair = m_account.user.toUtf8() + ':' + m_account.password.toUtf8();
        http.setRawHeader("Authorization", "Basic " + pair.toBase64());
    }
    request->data.clear();
    request->reply = DavReply();
    ++m_sent;
    QNetworkReply *reply = m_network->sendCustomRequest(http, request->method, request->body);
    reply->setProperty(kRequestProperty, QVariant::fromValue(static_cast<void *>(request)));

    request->total.setSingleShot(true);
    request->idle.setSingleShot(true);
    const auto timedOut = [this, request, reply] {
        request->reply.failure = DavReply::Failure::Timeout;
        request->reply.error = QStringLiteral("The server %1 did not answer in time.").arg(hostOf(request->url));
        reply->abort();
    };
    connect(&request->total, &QTimer::timeout, reply, timedOut);
    connect(&request->idle, &QTimer::timeout, reply, timedOut);
    request->total.start(m_totalMs);
    request->idle.start(m_idleMs);

    connect(reply, &QNetworkReply::uploadProgress, reply, [request] { request->idle.start(); });
    connect(reply, &QNetworkReply::readyRead, reply, [this, request, reply] {
        request->idle.start();
        if (request->data.size() + reply->bytesAvailable() > m_maxBody) {
            request->reply.failure = DavReply::Failure::TooLarge;
            request->reply.error = QStringLiteral("The server's answer was larger than %1 MB and was not read.")
                                       .arg(m_maxBody / (1024 * 1024));
            reply->abort();
            return;
        }
        request->data += reply->readAll();
    });
    connect(reply, &QNetworkReply::sslErrors, reply, [this, request, reply](const QList<QSslError> &errors) {
        QSslCertificate certificate = reply->sslConfiguration().peerCertificate();
        for (const QSslError &error : errors) {
            if (certificate.isNull() && !error.certificate().isNull())
                certificate = error.certificate();
        }
        const QByteArray sha256 = certificate.isNull() ? QByteArray() : certificate.digest(QCryptographicHash::Sha256);
        if (!sha256.isEmpty() && sha256 == m_account.trustedCertificateSha256) {
            reply->ignoreSslErrors(errors);
            return;
        }
        QStringList why;
        for (const QSslError &error : errors)
            why.append(error.errorString());
        request->reply.failure = DavReply::Failure::UntrustedCertificate;
        request->reply.certificateSha256 = sha256;
        request->reply.certificateDescription =
            QStringLiteral("Issued to %1 by %2, valid until %3; SHA-256 fingerprint %4")
                .arg(certificate.subjectInfo(QSslCertificate::CommonName).join(QLatin1String(", ")),
                     certificate.issuerInfo(QSslCertificate::CommonName).join(QLatin1String(", ")),
                     certificate.expiryDate().toString(Qt::ISODate), fingerprintText(sha256));
        request->reply.error =
            QStringLiteral("The certificate of %1 is not trusted (%2). %3.")
                .arg(hostOf(request->url), why.join(QLatin1String("; ")), request->reply.certificateDescription);
    });
    connect(reply, &QNetworkReply::finished, this, [this, request, reply] { finish(request, reply); });
}

void DavClient::finish(Request *request, QNetworkReply *reply)
{
    reply->setProperty(kRequestProperty, QVariant());
    reply->deleteLater();
    request->total.stop();
    request->idle.stop();
    DavReply &result = request->reply;
    if (result.failure == DavReply::Failure::None && reply->bytesAvailable() > 0) {
        if (request->data.size() + reply->bytesAvailable() > m_maxBody) {
            result.failure = DavReply::Failure::TooLarge;
            result.error = QStringLiteral("The server's answer was larger than %1 MB and was not read.")
                               .arg(m_maxBody / (1024 * 1024));
        } else {
            request->data += reply->readAll();
        }
    }
    result.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    result.url = request->url;
    if (result.failure == DavReply::Failure::None && result.status >= 300 && result.status < 400 &&
        reply->hasRawHeader("Location")) {
        const QUrl target = request->url.resolved(QUrl::fromEncoded(reply->rawHeader("Location")));
        if (!sameOrigin(target, request->url) || ++request->redirects > kMaxRedirects) {
            result.failure = DavReply::Failure::Redirect;
            result.error = QStringLiteral("The server sent the request on to %1; it was not followed.")
                               .arg(target.toDisplayString(QUrl::RemoveUserInfo));
        } else {
            if (result.status == 303) {
                request->method = "GET";
                request->body.clear();
            }
            request->url = target;
            start(request);
            return;
        }
    }
    if (result.failure == DavReply::Failure::None && result.status == 0) {
        result.failure = DavReply::Failure::Network;
        result.error =
            QStringLiteral("The server %1 could not be reached: %2.").arg(hostOf(request->url), reply->errorString());
    }
    if (result.failure == DavReply::Failure::None && result.status == 401) {
        result.failure = DavReply::Failure::Authentication;
        result.error = QStringLiteral("The server %1 refused the user name or password.").arg(hostOf(request->url));
    }
    if (result.failure == DavReply::Failure::None) {
        result.body = std::move(request->data);
        result.etag = reply->rawHeader("ETag");
        result.contentType = reply->header(QNetworkRequest::ContentTypeHeader).toByteArray();
    }
    const Callback done = std::move(request->done);
    const DavReply copy = result;
    delete request;
    --m_pending;
    if (done)
        done(copy);
}

void DavClient::abortAll()
{
    const QList<QNetworkReply *> replies = m_network->findChildren<QNetworkReply *>();
    for (QNetworkReply *reply : replies) {
        if (reply->isRunning())
            reply->abort();
    }
}
