#include "RecordingRunner.h"

#include "desktop/Autostart.h"
#include "desktop/DesktopWallpaper.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QString kImage = QStringLiteral("/home/ann/My notes/Wallpaper.bmp");
const QString kImageUri = QStringLiteral("'file:///home/ann/My%20notes/Wallpaper.bmp'");

} // namespace

Q_DECLARE_METATYPE(DesktopCommand)
Q_DECLARE_METATYPE(DesktopKind)

class TestDesktop final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void desktop_isFoundInXdgCurrentDesktop_data();
    void desktop_isFoundInXdgCurrentDesktop();
    void commands_perDesktop_data();
    void commands_perDesktop();
    void commands_keepQuotesInThePathAsText();

    void execArgument_quotesOnlyWhenNeeded_data();
    void execArgument_quotesOnlyWhenNeeded();
    void entry_forAPathWithASpace();
    void write_createsTheFolderAndReplacesAnOldEntry();
    void write_failure_reportsTheReasonAndWritesNothing_data();
    void write_failure_reportsTheReasonAndWritesNothing();
    void write_readOnlyFolder_fails();
};

void TestDesktop::desktop_isFoundInXdgCurrentDesktop_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<DesktopKind>("kind");
    QTest::newRow("GNOME") << QStringLiteral("GNOME") << DesktopKind::Gnome;
    QTest::newRow("Ubuntu's GNOME") << QStringLiteral("ubuntu:GNOME") << DesktopKind::Gnome;
    QTest::newRow("Budgie") << QStringLiteral("Budgie:GNOME") << DesktopKind::Gnome;
    QTest::newRow("Cinnamon") << QStringLiteral("X-Cinnamon") << DesktopKind::Cinnamon;
    QTest::newRow("KDE") << QStringLiteral("KDE") << DesktopKind::Kde;
    QTest::newRow("XFCE") << QStringLiteral("XFCE") << DesktopKind::Xfce;
    QTest::newRow("MATE") << QStringLiteral("MATE") << DesktopKind::Mate;
    QTest::newRow("lower case") << QStringLiteral("kde") << DesktopKind::Kde;
    QTest::newRow("unknown first, known later") << QStringLiteral("Foo:XFCE") << DesktopKind::Xfce;
    QTest::newRow("LXQt") << QStringLiteral("LXQt") << DesktopKind::Unknown;
    QTest::newRow("unset") << QString() << DesktopKind::Unknown;
    QTest::newRow("only separators") << QStringLiteral("::") << DesktopKind::Unknown;
    QTest::newRow("a name inside another") << QStringLiteral("GNOMEish") << DesktopKind::Unknown;
}

void TestDesktop::desktop_isFoundInXdgCurrentDesktop()
{
    QFETCH(QString, value);
    QFETCH(DesktopKind, kind);
    QCOMPARE(desktopKind(value), kind);
}

void TestDesktop::commands_perDesktop_data()
{
    QTest::addColumn<QString>("desktop");
    QTest::addColumn<QList<DesktopCommand>>("expected");
    const QString gsettings = QStringLiteral("gsettings");
    const QString set = QStringLiteral("set");
    const QString gnome = QStringLiteral("org.gnome.desktop.background");
    QTest::newRow("GNOME: light and dark pictures")
        << QStringLiteral("ubuntu:GNOME")
        << QList<DesktopCommand>{{gsettings, {set, gnome, QStringLiteral("picture-uri"), kImageUri}},
                                 {gsettings, {set, gnome, QStringLiteral("picture-uri-dark"), kImageUri}}};
    QTest::newRow("Cinnamon: its own schema")
        << QStringLiteral("X-Cinnamon")
        << QList<DesktopCommand>{
               {gsettings,
                {set, QStringLiteral("org.cinnamon.desktop.background"), QStringLiteral("picture-uri"), kImageUri}}};
    QTest::newRow("KDE") << QStringLiteral("KDE")
                         << QList<DesktopCommand>{{QStringLiteral("plasma-apply-wallpaperimage"), {kImage}}};
    QTest::newRow("MATE: a file name, not a URI")
        << QStringLiteral("MATE")
        << QList<DesktopCommand>{{gsettings,
                                  {set, QStringLiteral("org.mate.background"), QStringLiteral("picture-filename"),
                                   QStringLiteral("'/home/ann/My notes/Wallpaper.bmp'")}}};
    QTest::newRow("unknown") << QStringLiteral("LXQt") << QList<DesktopCommand>{};
}

void TestDesktop::commands_perDesktop()
{
    QFETCH(QString, desktop);
    QFETCH(QList<DesktopCommand>, expected);
    QList<DesktopCommand> started;
    DesktopWallpaper wallpaper;
    wallpaper.setRunner(std::make_unique<RecordingRunner>(&started));
    wallpaper.apply(kImage, desktop);
    QCOMPARE(started, expected);
}

void TestDesktop::commands_keepQuotesInThePathAsText()
{
    const QString odd = QStringLiteral("/tmp/it's \"$HOME\"\\x/Wallpaper.bmp");
    const QList<DesktopCommand> mate = wallpaperCommands(DesktopKind::Mate, odd);
    QCOMPARE(mate.size(), 1);
    QCOMPARE(mate[0].arguments.last(), QStringLiteral("'/tmp/it\\'s \"$HOME\"\\\\x/Wallpaper.bmp'"));

    // XFCE goes through a shell: the path must reach it as an argument, never as script text.
    const QList<DesktopCommand> xfce = wallpaperCommands(DesktopKind::Xfce, odd);
    QCOMPARE(xfce.size(), 1);
    QCOMPARE(xfce[0].program, QStringLiteral("sh"));
    QCOMPARE(xfce[0].arguments.last(), odd);
    QVERIFY(!xfce[0].arguments[1].contains(QStringLiteral("Wallpaper.bmp")));
    QVERIFY(xfce[0].arguments[1].contains(QStringLiteral("xfconf-query -c xfce4-desktop")));
}

void TestDesktop::execArgument_quotesOnlyWhenNeeded_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("written"); // as it stands in the file after "Exec="
    QTest::newRow("plain") << QStringLiteral("/usr/bin/marevo-notes") << QStringLiteral("/usr/bin/marevo-notes");
    QTest::newRow("space") << QStringLiteral("/opt/Marevo Notes/marevo-notes")
                           << QStringLiteral("\"/opt/Marevo Notes/marevo-notes\"");
    QTest::newRow("dollar") << QStringLiteral("/opt/a$b/x") << QStringLiteral("\"/opt/a\\\\$b/x\"");
    QTest::newRow("back quote") << QStringLiteral("/opt/a`b/x") << QStringLiteral("\"/opt/a\\\\`b/x\"");
    QTest::newRow("double quote") << QStringLiteral("/opt/a\"b/x") << QStringLiteral("\"/opt/a\\\\\"b/x\"");
    // Four backslashes: one level for the value, one for the quoting.
    QTest::newRow("backslash") << QStringLiteral("/opt/a\\b/x") << QStringLiteral("\"/opt/a\\\\\\\\b/x\"");
    QTest::newRow("reserved without escape") << QStringLiteral("/opt/a&b(1)/x") << QStringLiteral("\"/opt/a&b(1)/x\"");
    QTest::newRow("percent") << QStringLiteral("/opt/100%/x") << QStringLiteral("/opt/100%%/x");
    QTest::newRow("line break") << QStringLiteral("/opt/a\nb/x") << QStringLiteral("\"/opt/a\\nb/x\"");
    QTest::newRow("not reserved") << QStringLiteral("/opt/n\u00f6tes-1.0_x+y=z/x")
                                  << QStringLiteral("/opt/n\u00f6tes-1.0_x+y=z/x");
}

void TestDesktop::execArgument_quotesOnlyWhenNeeded()
{
    QFETCH(QString, path);
    QFETCH(QString, written);
    QCOMPARE(Autostart::execArgument(path), written);
}

void TestDesktop::entry_forAPathWithASpace()
{
    QCOMPARE(Autostart::entry(QStringLiteral("/home/ann/Marevo Notes/marevo-notes")),
             QByteArray("[Desktop Entry]\n"
                        "Type=Application\n"
                        "Name=Marevo Notes\n"
                        "Exec=\"/home/ann/Marevo Notes/marevo-notes\"\n"));
}

void TestDesktop::write_createsTheFolderAndReplacesAnOldEntry()
{
    QTemporaryDir config;
    const QString path = config.path() + QStringLiteral("/autostart/marevo-notes.desktop");
    QCOMPARE(Autostart::entryPath(config.path()), path);

    const IoResult first = Autostart::write(config.path(), QStringLiteral("/old place/marevo-notes"));
    QVERIFY2(first.ok, qPrintable(first.error));
    QVERIFY(readAll(path).contains("Exec=\"/old place/marevo-notes\"\n"));

    const IoResult again = Autostart::write(config.path(), QStringLiteral("/usr/bin/marevo-notes"));
    QVERIFY2(again.ok, qPrintable(again.error));
    QCOMPARE(readAll(path), Autostart::entry(QStringLiteral("/usr/bin/marevo-notes")));
    QCOMPARE(QDir(config.path() + QStringLiteral("/autostart")).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("marevo-notes.desktop")});
}

void TestDesktop::write_failure_reportsTheReasonAndWritesNothing_data()
{
    QTest::addColumn<QString>("occupied"); // what stands in the way, relative to the config folder
    QTest::addColumn<bool>("asFolder");
    QTest::addColumn<QString>("configBelow");
    QTest::newRow("config folder is a file") << QStringLiteral("config") << false << QStringLiteral("/config");
    QTest::newRow("autostart is a file") << QStringLiteral("config/autostart") << false << QStringLiteral("/config");
    QTest::newRow("entry is a folder") << QStringLiteral("config/autostart/marevo-notes.desktop") << true
                                       << QStringLiteral("/config");
}

void TestDesktop::write_failure_reportsTheReasonAndWritesNothing()
{
    QFETCH(QString, occupied);
    QFETCH(bool, asFolder);
    QFETCH(QString, configBelow);
    QTemporaryDir root;
    const QString blocker = root.filePath(occupied);
    QVERIFY(QDir().mkpath(asFolder ? blocker : QFileInfo(blocker).absolutePath()));
    if (!asFolder) {
        QFile file(blocker);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("mine");
    }
    const IoResult result = Autostart::write(root.path() + configBelow, QStringLiteral("/usr/bin/marevo-notes"));
    QVERIFY(!result.ok);
    // The system's reason, not a bare "failed".
    QVERIFY2(result.error.contains(QStringLiteral("directory"), Qt::CaseInsensitive), qPrintable(result.error));
    // What stood there is untouched and no stray temporary file is left.
    if (asFolder) {
        QVERIFY(QFileInfo(blocker).isDir());
        QCOMPARE(QDir(QFileInfo(blocker).absolutePath()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("marevo-notes.desktop")});
    } else {
        QCOMPARE(readAll(blocker), QByteArray("mine"));
    }
}

void TestDesktop::write_readOnlyFolder_fails()
{
    if (geteuid() == 0)
        QSKIP("the superuser writes into read-only folders");
    QTemporaryDir config;
    QVERIFY(QFile::setPermissions(config.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    const IoResult result = Autostart::write(config.path(), QStringLiteral("/usr/bin/marevo-notes"));
    QFile::setPermissions(config.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QVERIFY(!result.ok);
    QVERIFY2(result.error.contains(QStringLiteral("Permission denied")), qPrintable(result.error));
    QVERIFY(!QFileInfo::exists(config.path() + QStringLiteral("/autostart")));
}

QTEST_GUILESS_MAIN(TestDesktop)
#include "tst_desktop.moc"
