#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

// Where and as whom to sync.
struct SyncAccount
{
    QUrl server; // as the user typed it
    QString user;
    QString password;
    QUrl calendar; // the chosen task list (a calendar collection)
    // A certificate the system does not trust is accepted only when its SHA-256 is this one.
    QByteArray trustedCertificateSha256;
};
