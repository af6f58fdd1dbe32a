#pragma once

#include <QLockFile>
#include <QObject>

#include <memory>

class QLocalServer;

// One organiser per data folder: a second start asks the first to show its
// window and leaves, so two processes never save over each other.
class SingleInstance final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SingleInstance)

public:
    // What a later start asks of the running organiser.
    enum class Request
    {
        Show,
        AddNote,
        TodayPopup,
        Sync // sync with the calendar server now
    };

    explicit SingleInstance(const QString &appDir, QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when this process is the only organiser for the folder.
    bool acquire();
    // Asks the running organiser to show itself (or to do what is asked); false when none answered.
    bool notifyRunning(Request request = Request::Show);
    // Hands a calendar file (an absolute path) to the running organiser to import; false when
    // none answered.
    bool requestImport(const QString &calendarFile);
    // Starts listening for later starts.
    void listen();

Q_SIGNALS:
    void showRequested();
    void importRequested(const QString &calendarFile);
    void addNoteRequested();
    void todayPopupRequested();
    void syncRequested();

private:
    bool send(const QByteArray &request);

    QString m_serverName;
    QLockFile m_lock;
    QLocalServer *m_server = nullptr;
};
