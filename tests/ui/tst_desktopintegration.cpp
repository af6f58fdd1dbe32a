#include "../desktop/RecordingRunner.h"
#include "UiTestData.h"

#include "core/Clock.h"
#include "desktop/Autostart.h"
#include "desktop/DesktopWallpaper.h"
#include "reminders/UpcomingEvents.h"
#include "reminders/WallpaperPainter.h"
#include "ui/mainwindow/MainWindow.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

namespace {

const QDateTime kNow(QDate(2026, 12, 9), QTime(10, 0));

TNotesData note(const QString &text, const QDateTime &deadline)
{
    TNotesData n;
    n.Text = text;
    n.Deadline = DateTime::fromQDateTime(deadline);
    return n;
}

QSize screenPixels()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return (QSizeF(screen->size()) * screen->devicePixelRatio()).toSize();
}

} // namespace

class TestDesktopIntegration final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void wallpaper_writtenOnlyWhileTheOptionIsOn();
    void wallpaper_showsTheUpcomingEventsInTheirOrder();
    void wallpaper_unknownDesktopStillWritesTheFile();
    void wallpaper_writeFailure_showsErrorAndAppliesNothing();
    void runOnStartup_trayItemWritesTheEntry();
    void runOnStartup_failure_showsErrorAndWritesNothing();
    void runOnStartup_namesTheChosenDataFolder_data();
    void runOnStartup_namesTheChosenDataFolder();

private:
    QString wallpaperPath() const { return m_dir->filePath(QStringLiteral("Wallpaper.bmp")); }

    QTemporaryDir *m_dir = nullptr;
    std::unique_ptr<MainWindow> m_window;
    QList<DesktopCommand> m_started;
};

void TestDesktopIntegration::initTestCase()
{
    enterUiTestMode();
    // The autostart entry goes where XDG_CONFIG_HOME says; each test points it at a folder of its own.
    QStandardPaths::setTestModeEnabled(false);
}

void TestDesktopIntegration::init()
{
    Clock::setNowForTesting(kNow);
    qputenv("XDG_CURRENT_DESKTOP", "ubuntu:GNOME");
    m_dir = new QTemporaryDir;
    m_window = std::make_unique<MainWindow>(m_dir->path() + QLatin1Char('/'));
    m_window->desktopWallpaper().setRunner(std::make_unique<RecordingRunner>(&m_started));
    m_window->loadAllData();
    m_window->finishStartup();
    Messages::takeShown();
    m_started.clear();
}

void TestDesktopIntegration::cleanup()
{
    m_window.reset();
    delete m_dir;
    Clock::resetForTesting();
    qunsetenv("XDG_CURRENT_DESKTOP");
    qunsetenv("XDG_CONFIG_HOME");
}

void TestDesktopIntegration::wallpaper_writtenOnlyWhileTheOptionIsOn()
{
    m_window->notes() = {note(QStringLiteral("Dentist"), kNow.addSecs(600))};
    m_window->RefreshNotes();
    QVERIFY(!QFile::exists(wallpaperPath()));
    QVERIFY(m_started.isEmpty());

    m_window->settings().ShowUpcomingEventsOnDesktop = true;
    m_window->settings().UpcomingEventsBackgroundColor = 0x0000FF; // red
    m_window->RefreshUpcomingEvents();
    QImage written;
    QVERIFY(written.load(wallpaperPath(), "BMP"));
    QCOMPARE(written.size(), screenPixels());
    QCOMPARE(written.pixelColor(0, 0), QColor(255, 0, 0));
    const QString uri =
        QStringLiteral("'") + QUrl::fromLocalFile(wallpaperPath()).toString(QUrl::FullyEncoded) + QStringLiteral("'");
    QCOMPARE(m_started.size(), 2);
    QCOMPARE(m_started[0].arguments, (QStringList{QStringLiteral("set"), QStringLiteral("org.gnome.desktop.background"),
                                                  QStringLiteral("picture-uri"), uri}));
    QVERIFY(Messages::takeShown().isEmpty());

    // Switching the option off leaves the last picture where it is and applies nothing more.
    m_window->settings().ShowUpcomingEventsOnDesktop = false;
    m_started.clear();
    const QByteArray before = readAll(wallpaperPath());
    m_window->notes().append(note(QStringLiteral("Later"), kNow.addSecs(3600)));
    m_window->RefreshNotes();
    QCOMPARE(readAll(wallpaperPath()), before);
    QVERIFY(m_started.isEmpty());
}

void TestDesktopIntegration::wallpaper_showsTheUpcomingEventsInTheirOrder()
{
    Settings &settings = m_window->settings();
    settings.ShowUpcomingEventsOnDesktop = true;
    settings.UpcomingEventsBackgroundColor = 0x202020;
    settings.UpcomingEventsFontColor = 0x00FFFF; // yellow
    settings.Font5Size = 12;
    settings.ShowUpcomingEventsOnDesktopPositionX = 50;
    settings.ShowUpcomingEventsOnDesktopPositionY = 5;
    const QString longText = QString(61, QLatin1Char('x'));
    m_window->notes() = {note(QStringLiteral("Tomorrow"), kNow.addDays(1)), note(longText, kNow.addSecs(600)),
                         note(QStringLiteral("Far away"), kNow.addDays(30))};
    m_window->RefreshNotes();

    const WallpaperLook look{0x202020, 0x00FFFF, 12, 50, 5};
    const QImage expected =
        paintWallpaper(look,
                       {QStringLiteral("0d 00h10m  ") + QString(60, QLatin1Char('x')) + QStringLiteral("..."),
                        QStringLiteral("1d 00h00m  Tomorrow")},
                       screenPixels());
    QImage written;
    QVERIFY(written.load(wallpaperPath(), "BMP"));
    QCOMPARE(written.convertToFormat(QImage::Format_RGB32), expected);
}

void TestDesktopIntegration::wallpaper_unknownDesktopStillWritesTheFile()
{
    qputenv("XDG_CURRENT_DESKTOP", "LXQt");
    m_window->settings().ShowUpcomingEventsOnDesktop = true;
    m_window->RefreshUpcomingEvents();
    QVERIFY(QFile::exists(wallpaperPath()));
    QVERIFY(m_started.isEmpty());
    QVERIFY(Messages::takeShown().isEmpty());
}

void TestDesktopIntegration::wallpaper_writeFailure_showsErrorAndAppliesNothing()
{
    // A folder where the picture should go: the write fails whatever the user's rights.
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("Wallpaper.bmp")));
    m_window->settings().ShowUpcomingEventsOnDesktop = true;
    m_window->notes() = {note(QStringLiteral("Dentist"), kNow.addSecs(600))};
    m_window->RefreshNotes();
    const auto shown = Messages::takeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].kind, Messages::Kind::Error);
    QVERIFY2(shown[0].text.contains(wallpaperPath()), qPrintable(shown[0].text));
    QVERIFY(m_started.isEmpty());
    QVERIFY(QFileInfo(wallpaperPath()).isDir());
    // The rest of the refresh still happened.
    QCOMPARE(m_window->findChild<QAbstractItemView *>(QStringLiteral("ListView2"))->model()->rowCount(), 1);
}

void TestDesktopIntegration::runOnStartup_trayItemWritesTheEntry()
{
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    auto *item = m_window->findChild<QAction *>(QStringLiteral("Runonstartup1"));
    QVERIFY(item);
    QCOMPARE(item->text(), QStringLiteral("Run on startup"));
    item->trigger();
    QVERIFY(Messages::takeShown().isEmpty());
    const QByteArray entry = readAll(config.path() + QStringLiteral("/autostart/marevo-notes.desktop"));
    QCOMPARE(entry, Autostart::entry(QCoreApplication::applicationFilePath()));
    QVERIFY(
        entry.contains(QByteArray(QByteArray("Exec=") + QFile::encodeName(QCoreApplication::applicationFilePath()))));

    // Written again on every use.
    writeAll(config.path() + QStringLiteral("/autostart/marevo-notes.desktop"), "stale");
    item->trigger();
    QCOMPARE(readAll(config.path() + QStringLiteral("/autostart/marevo-notes.desktop")), entry);
}

void TestDesktopIntegration::runOnStartup_failure_showsErrorAndWritesNothing()
{
    QTemporaryDir root;
    // The configuration folder is a plain file, so the entry cannot be made even by the superuser.
    const QString config = root.filePath(QStringLiteral("config"));
    writeAll(config, "not a folder");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config));
    m_window->RunOnStartup();
    const auto shown = Messages::takeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].kind, Messages::Kind::Error);
    QVERIFY2(shown[0].text.contains(QStringLiteral("Not a directory")), qPrintable(shown[0].text));
    QCOMPARE(readAll(config), QByteArray("not a folder"));
    QCOMPARE(QDir(root.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("config")});
}

void TestDesktopIntegration::runOnStartup_namesTheChosenDataFolder_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("written"); // the folder as it stands after "--data-dir ", below the temporary one
    QTest::newRow("space") << QStringLiteral("My notes") << QStringLiteral("\"%1/My notes\"");
    QTest::newRow("quotes") << QStringLiteral("say \"hi\" it's") << QStringLiteral("\"%1/say \\\\\"hi\\\\\" it's\"");
    QTest::newRow("dollar") << QStringLiteral("$HOME") << QStringLiteral("\"%1/\\\\$HOME\"");
    QTest::newRow("percent") << QStringLiteral("100%") << QStringLiteral("%1/100%%");
    QTest::newRow("backslash") << QStringLiteral("a\\b") << QStringLiteral("\"%1/a\\\\\\\\b\"");
}

void TestDesktopIntegration::runOnStartup_namesTheChosenDataFolder()
{
    QFETCH(QString, folder);
    QFETCH(QString, written);
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    QVERIFY(QDir(m_dir->path()).mkdir(folder));
    MainWindow window(m_dir->filePath(folder) + QLatin1Char('/'));
    window.setDataDirChosen(true);
    window.RunOnStartup();
    QVERIFY(Messages::takeShown().isEmpty());
    const QString exec = QStringLiteral("Exec=") + Autostart::execArgument(QCoreApplication::applicationFilePath()) +
                         QStringLiteral(" --data-dir ") + written.arg(m_dir->path()) + QLatin1Char('\n');
    QVERIFY2(readAll(config.path() + QStringLiteral("/autostart/marevo-notes.desktop")).endsWith(exec.toUtf8()),
             qPrintable(exec));
}

QTEST_MAIN(TestDesktopIntegration)
#include "tst_desktopintegration.moc"
