// The program as a new user first meets it: started on a real X server in an empty folder.
#include <QDir>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

namespace {

// The names of the mapped top-level windows whose title mentions the program, as the desktop reads them.
QStringList programWindowNames()
{
    QProcess search;
    search.start(QStringLiteral("xdotool"),
                 {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                  QStringLiteral("Marevo Notes")});
    if (!search.waitForFinished(10000))
        return {};
    QStringList names;
    const QList<QByteArray> ids = search.readAllStandardOutput().split('\n');
    for (const QByteArray &id : ids) {
        if (id.trimmed().isEmpty())
            continue;
        QProcess name;
        name.start(QStringLiteral("xdotool"), {QStringLiteral("getwindowname"), QString::fromLatin1(id.trimmed())});
        if (name.waitForFinished(10000))
            names.append(QString::fromUtf8(name.readAllStandardOutput()).trimmed());
    }
    names.sort();
    return names;
}

} // namespace

class TestFirstWindow final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void firstStart_showsOnlyTheMainWindowWithItsCaption();
};

void TestFirstWindow::firstStart_showsOnlyTheMainWindowWithItsCaption()
{
    if (qEnvironmentVariable("QT_QPA_PLATFORM") != QLatin1String("xcb") ||
        QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        QSKIP("needs an X server and xdotool");
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString dataDir = folder.filePath(QStringLiteral("new"));
    QProcess program;
    program.start(QStringLiteral(MAREVO_EXECUTABLE), {QStringLiteral("--data-dir"), dataDir});
    QVERIFY(program.waitForStarted(10000));
    auto reportOnFailure = qScopeGuard([&program] {
        if (QTest::currentTestFailed())
            qWarning("program state %d, its output:\n%s", int(program.state()),
                     QByteArray(program.readAllStandardOutput() + program.readAllStandardError()).constData());
    });

    // The title is the caption alone, with no program name appended; a new folder asks nothing first.
    const QStringList expected{QStringLiteral("Marevo Notes [ver. 1.0.4.4]")};
    QTRY_COMPARE_WITH_TIMEOUT(programWindowNames(), expected, 20000);
    QTest::qWait(1000); // a box opened right after the window would show by now
    QCOMPARE(programWindowNames(), expected);

    ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
    QVERIFY(program.waitForFinished(20000));
    QCOMPARE(program.exitCode(), 0);
    QVERIFY(QFile::exists(QDir(dataDir).filePath(QStringLiteral("data.txt"))));
}

QTEST_GUILESS_MAIN(TestFirstWindow)
#include "tst_firstwindow.moc"
