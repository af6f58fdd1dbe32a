#pragma once

#include "DavClient.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QUrl>

// A task list found on the server.
struct DavCalendar
{
    QUrl url;
    QString displayName;
};

// Finds the user's task lists on a CalDAV server: the well-known address, the principal, its calendar
// home, then the calendars there that hold tasks (VTODO). Creates one on request. Every request goes
// through the DavClient, with its account, limits and certificate rule.
class CalDavDiscovery final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CalDavDiscovery)

public:
    explicit CalDavDiscovery(DavClient &client, QObject *parent = nullptr);

    // Answers with calendarsFound or failed.
    void findCalendars();
    // Under the calendar home found last (found first when not yet); answers with calendarCreated or failed.
    void createCalendar(const QString &displayName);
    bool isBusy() const { return m_busy; }

    // The address a user types, made whole: https:// when no scheme was typed, a path ending in "/".
    static QUrl serverUrl(const QString &typed);

Q_SIGNALS:
    void calendarsFound(const QList<DavCalendar> &calendars);
    void calendarCreated(const DavCalendar &calendar);
    // reply.error says why in plain words; an untrusted certificate carries its fingerprint.
    void failed(const DavReply &reply);

private:
    void askPrincipal(const QUrl &url, bool fallBackToServer);
    void askHome(const QUrl &principal);
    void listCalendars();
    void makeCalendar();
    void fail(const DavReply &reply);
    void fail(const QString &message);

    DavClient &m_client;
    QUrl m_home;
    QString m_newName; // a calendar to create once the home is known
    bool m_busy = false;
};
