#include "CommandLine.h"
#include "CommandRunner.h"
#include "SignalWatcher.h"
#include "SingleInstance.h"

#include "core/AppDir.h"
#include "core/Version.h"
#include "ui/desktop/TrayPresence.h"
#include "ui/dialogs/Messages.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/Startup.h"
#include "ui/mainwindow/SyncControl.h"
#include "ui/widgets/ImageList.h"

#include <QApplication>
#include <QSessionManager>

#include <cstdio>
#include <cstdlib>
#include <optional>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

QStringList argumentsOf(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

void writeTo(std::FILE *stream, const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    std::fflush(stream);
}

int runCommand(const CommandLine::Options &options)
{
    CommandRunner::Environment environment;
    environment.executableDir = QCoreApplication::applicationDirPath();
    environment.readPassPhrase = CommandRunner::readPassPhraseFromStdin;
    environment.writeOut = [](const QByteArray &bytes) { writeTo(stdout, bytes); };
    environment.writeErr = [](const QByteArray &bytes) { writeTo(stderr, bytes); };
    return CommandRunner::run(options, environment);
}

// Printing and exporting need no display and take no part in the one-organiser rule.
int runWithoutWindows(int argc, char *argv[], const CommandLine::Options &options)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("marevo-notes"));
    QCoreApplication::setApplicationVersion(QStringLiteral(MAREVO_VERSION));
    return runCommand(options);
}

// After the last save: every file flushed and closed, the instance lock and socket given back. The
// operating system then frees the large lists far sooner than their destructors would, one by one.
// Under the sanitizers the program ends the ordinary way, so that its leak check still runs.
int leave(int exitCode, MainWindow &mainWindow, std::optional<SingleInstance> &instance)
{
    mainWindow.dataFolder().waitForSaves();
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    Q_UNUSED(instance);
    return exitCode;
#else
    instance.reset();
    std::fflush(nullptr);
    std::_Exit(exitCode);
#endif
}

} // namespace

int main(int argc, char *argv[])
{
    const QStringList arguments = argumentsOf(argc, argv);
    CommandLine::Options options = CommandLine::parse(arguments);
    const bool toolkitOption = CommandLine::mayBeToolkitOption(options, arguments);
    if (CommandLine::runsWithoutWindows(options) && !toolkitOption)
        return runWithoutWindows(argc, argv, options);

    QApplication app(argc, argv);
    if (toolkitOption) {
        // The toolkit has taken its own options out; what is left must be ours.
        options = CommandLine::parse(QApplication::arguments().mid(1));
        if (CommandLine::runsWithoutWindows(options))
            return runCommand(options); // only an error can be left here: usage and 2
    }
    QApplication::setApplicationName(QStringLiteral("marevo-notes"));
    QApplication::setApplicationVersion(QStringLiteral(MAREVO_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("org.marevo.Notes"));
    // The program lives in the notification area: closing the window only hides it.
    QApplication::setQuitOnLastWindowClosed(false);
    ImageList1::initResources();
    // Heard from here on, also while a message box or the pass phrase window waits for an answer.
    SignalWatcher signalWatcher;
    const QMetaObject::Connection endDuringStart =
        QObject::connect(&signalWatcher, &SignalWatcher::terminationRequested, &Startup::abandon);

    QString error;
    const QString appDir = AppDir::resolve(options.dataDir, QApplication::applicationDirPath(), &error);
    if (appDir.isEmpty()) {
        Messages::error(nullptr, error);
        return 1;
    }

    std::optional<SingleInstance> instance(std::in_place, appDir);
    if (!instance->acquire()) {
        if (instance->notifyRunning())
            return 0;
        Messages::error(nullptr,
                        QStringLiteral("Marevo Notes is already running for the data folder \"%1\".").arg(appDir));
        return 1;
    }
    instance->listen();

    MainWindow mainWindow(appDir);
    mainWindow.setDataDirChosen(!options.dataDir.isEmpty());
    if (const std::optional<int> exitCode = Startup::loadData(mainWindow))
        return *exitCode;
    mainWindow.finishStartup();
#ifdef __GLIBC__
    // Reading the files took several times their size on the heap; give it back before idling.
    malloc_trim(0);
#endif
    mainWindow.show();

    QObject::connect(&*instance, &SingleInstance::showRequested, &mainWindow, &MainWindow::showFromTray);
    QObject::connect(&*instance, &SingleInstance::importRequested, &mainWindow,
                     [&mainWindow](const QString &calendarFile) { mainWindow.importCalendarFile(calendarFile); });
    TrayPresence *presence = mainWindow.trayPresence();
    QObject::connect(&*instance, &SingleInstance::addNoteRequested, presence, &TrayPresence::addNoteFromOutside);
    QObject::connect(&*instance, &SingleInstance::todayPopupRequested, presence,
                     [presence] { presence->ShowTrayIconPopup(TrayPresence::kBalloonFromKeyMs); });
    QObject::connect(&*instance, &SingleInstance::syncRequested, &mainWindow.syncControl(), &SyncControl::syncNow);
    QObject::disconnect(endDuringStart);
    QObject::connect(&signalWatcher, &SignalWatcher::terminationRequested, &mainWindow, &MainWindow::Close1Click);
    // The session is ending: save as "Close" does.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &mainWindow,
                     [&mainWindow](QSessionManager &) { mainWindow.Close1Click(); });
    const int exitCode = app.exec();
    return leave(exitCode, mainWindow, instance);
}
