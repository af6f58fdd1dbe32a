#include "SignalWatcher.h"
#include "SingleInstance.h"

#include "core/AppDir.h"
#include "ui/ImageList.h"
#include "ui/Messages.h"
#include "ui/Notes.h"
#include "ui/Startup.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QSessionManager>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("marevo-notes"));
    QApplication::setApplicationDisplayName(QStringLiteral("Marevo Notes"));
    QApplication::setApplicationVersion(QStringLiteral("1.0.4.4"));
    QApplication::setDesktopFileName(QStringLiteral("marevo-notes"));
    // The program lives in the notification area: closing the window only hides it.
    QApplication::setQuitOnLastWindowClosed(false);
    ImageList1::initResources();

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Marevo Notes, a desktop organiser."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption dataDirOption(QStringLiteral("data-dir"),
                                           QStringLiteral("Keep the data files in <dir>."), QStringLiteral("dir"));
    parser.addOption(dataDirOption);
    parser.process(app);

    QString error;
    const QString appDir = AppDir::resolve(parser.value(dataDirOption), QApplication::applicationDirPath(), &error);
    if (appDir.isEmpty()) {
        Messages::error(nullptr, error);
        return 1;
    }

    SingleInstance instance(appDir);
    if (!instance.acquire()) {
        if (instance.notifyRunning())
            return 0;
        Messages::error(nullptr, QStringLiteral("Marevo Notes is already running for the data folder \"%1\".").arg(appDir));
        return 1;
    }
    instance.listen();

    TForm1 mainWindow(appDir);
    if (const std::optional<int> exitCode = Startup::loadData(mainWindow))
        return *exitCode;
    mainWindow.finishStartup();
    mainWindow.show();

    QObject::connect(&instance, &SingleInstance::showRequested, &mainWindow, &TForm1::showFromTray);
    SignalWatcher signalWatcher;
    QObject::connect(&signalWatcher, &SignalWatcher::terminationRequested, &mainWindow, &TForm1::Close1Click);
    // The session is ending: save as "Close" does.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &mainWindow,
                     [&mainWindow](QSessionManager &) { mainWindow.Close1Click(); });
    return app.exec();
}
