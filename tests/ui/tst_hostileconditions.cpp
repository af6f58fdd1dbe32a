#include "SettingsTestData.h"
#include "UiTestData.h"

#include "core/Clock.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/Startup.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

namespace {

const QString kDataFile = QStringLiteral("data.txt");

QStringList keptAside(const QString &dir)
{
    return QDir(dir).entryList({QStringLiteral("data.txt.unreadable-*")}, QDir::AllEntries | QDir::System);
}

// Writes above `bytes` fail with EFBIG, as on a full disk, while the object lives.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_saved); }
    Q_DISABLE_COPY_MOVE(FileSizeLimit)

private:
    rlimit m_saved{};
};

// The window's save, written by the writer thread, and its failure (if any) shown.
void finishSave(MainWindow &window)
{
    window.SaveAllNotes();
    window.dataFolder().waitForSaves();
    QCoreApplication::sendPostedEvents();
}

} // namespace

class TestHostileConditions final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { enterUiTestMode(); }
    void init() { Messages::takeShown(); }
    void cleanup() { Clock::resetForTesting(); }
    void badDataFile_keptAsideAndStartCarriesOn_data();
    void badDataFile_keptAsideAndStartCarriesOn();
    void namedPipeForAnyDataFile_neverBlocksTheStart_data();
    void namedPipeForAnyDataFile_neverBlocksTheStart();
    void fullDisk_saveFailsDataStayThenSaveSucceeds();
    void readOnlyFolder_saveFailsDataStayThenSaveSucceeds();
    void clockOverMidnight_bookAndWeekFollowOnce();
};

void TestHostileConditions::badDataFile_keptAsideAndStartCarriesOn_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("a folder") << QStringLiteral("folder");
    QTest::newRow("a named pipe") << QStringLiteral("pipe");
    QTest::newRow("an endless device") << QStringLiteral("device");
    QTest::newRow("100 MB") << QStringLiteral("huge");
    QTest::newRow("binary noise") << QStringLiteral("noise");
    QTest::newRow("count 2^31-1") << QStringLiteral("count");
}

void TestHostileConditions::badDataFile_keptAsideAndStartCarriesOn()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    const QString path = dir.filePath(kDataFile);
    if (kind == QLatin1String("folder")) {
        QVERIFY(QDir(dir.path()).mkdir(kDataFile));
    } else if (kind == QLatin1String("pipe")) {
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (kind == QLatin1String("device")) {
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
    } else if (kind == QLatin1String("huge")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(100LL * 1024 * 1024)); // sparse: cheap to make, as large to read
    } else if (kind == QLatin1String("noise")) {
        QByteArray noise(4096, Qt::Uninitialized);
        QRandomGenerator random(11);
        for (char &byte : noise)
            byte = char(random.bounded(256));
        writeAll(path, noise);
    } else {
        writeAll(path, "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n<Configuration>\r\n"
                       "  <NumberOfNotes>2147483647</NumberOfNotes>\r\n  <Text0>only one</Text0>\r\n"
                       "</Configuration>\r\n");
    }

    alarm(20); // a start that blocks fails instead of hanging
    auto window = startProgram(dir.path());
    alarm(0);
    const auto shown = Messages::takeShown();
    QVERIFY(!shown.isEmpty());
    QCOMPARE(shown[0].kind, Messages::Kind::Error);
    const QStringList aside = keptAside(dir.path());
    QCOMPARE(aside.size(), 1);
    QVERIFY2(shown[0].text.contains(aside[0]), qPrintable(shown[0].text));
    QVERIFY(window->notes().isEmpty());

    // The program goes on working, and the bad file stays where it was put.
    window->notes().append(TNotesData{0, 2, false, -1, QStringLiteral("after"), QString(), 0});
    QVERIFY(window->saveAllDataFiles());
    QCOMPARE(keptAside(dir.path()), aside);
    QVERIFY(readAll(path).contains("after"));
}

void TestHostileConditions::namedPipeForAnyDataFile_neverBlocksTheStart_data()
{
    addOtherDataFileRows();
}

void TestHostileConditions::namedPipeForAnyDataFile_neverBlocksTheStart()
{
    QFETCH(QString, name);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    writeAll(dir.filePath(kDataFile),
             "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n<Configuration>\r\n"
             "  <NumberOfNotes>1</NumberOfNotes>\r\n  <Text0>kept</Text0>\r\n</Configuration>\r\n");
    const bool passPhraseFile = name == QLatin1String("passwd.txt");

    alarm(20);
    MainWindow window(dir.path() + QLatin1Char('/'));
    const std::optional<int> exitCode = Startup::loadData(window, [] { return QStringLiteral("typed"); });
    alarm(0);
    const auto shown = Messages::takeShown();
    QVERIFY(!shown.isEmpty());
    QCOMPARE(shown.last().kind, Messages::Kind::Error);
    QVERIFY2(shown.last().text.contains(name), qPrintable(shown.last().text));
    // Without its pass phrase file nothing can be read safely: the program ends, touching nothing.
    QCOMPARE(exitCode.has_value(), passPhraseFile);
    const QStringList aside =
        QDir(dir.path()).entryList({name + QStringLiteral(".unreadable-*")}, QDir::AllEntries | QDir::System);
    QCOMPARE(aside.size(), passPhraseFile ? 0 : 1);
    if (passPhraseFile)
        return;
    QVERIFY(shown.last().text.contains(aside[0]));
    QCOMPARE(window.notes().size(), 1);
    QVERIFY(window.saveAllDataFiles());
    QVERIFY(QFileInfo(path).isFile());
}

void TestHostileConditions::fullDisk_saveFailsDataStayThenSaveSucceeds()
{
    QTemporaryDir dir;
    auto window = startProgram(dir.path());
    window->notes().append(TNotesData{0, 2, false, -1, QStringLiteral("first"), QString(), 0});
    QVERIFY(window->saveAllDataFiles());
    const QByteArray before = readAll(dir.filePath(kDataFile));
    Messages::takeShown();

    const QString large = QStringLiteral("second ") + QString(20000, QLatin1Char('z'));
    window->notes().append(TNotesData{0, 2, false, -1, large, QString(), 0});
    {
        const FileSizeLimit full(4096);
        finishSave(*window);
    }
    const auto shown = Messages::takeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].kind, Messages::Kind::Error);
    QVERIFY(shown[0].text.contains(kDataFile));
    QCOMPARE(readAll(dir.filePath(kDataFile)), before);
    QCOMPARE(window->notes().size(), 2);
    QCOMPARE(QDir(dir.path()).entryList({QStringLiteral("data.txt*")}, QDir::Files | QDir::Hidden).size(), 1);

    QVERIFY(window->SaveAllNotes());
    QVERIFY(readAll(dir.filePath(kDataFile)).contains("second zzz"));
}

void TestHostileConditions::readOnlyFolder_saveFailsDataStayThenSaveSucceeds()
{
    if (geteuid() == 0)
        QSKIP("permissions do not bind root");
    QTemporaryDir dir;
    auto window = startProgram(dir.path());
    window->notes().append(TNotesData{0, 2, false, -1, QStringLiteral("kept"), QString(), 0});
    QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    Messages::takeShown();
    finishSave(*window);
    QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    QCOMPARE(Messages::takeShown().size(), 1);
    QCOMPARE(window->notes().size(), 1);
    QVERIFY(window->SaveAllNotes());
    QVERIFY(readAll(dir.filePath(kDataFile)).contains("kept"));
}

void TestHostileConditions::clockOverMidnight_bookAndWeekFollowOnce()
{
    QTemporaryDir dir;
    const QDateTime evening(QDate(2026, 12, 9), QTime(23, 30));
    Clock::setNowForTesting(evening);
    auto window = startProgram(dir.path());
    ExpenditureBook &book = window->expenditures();
    book.AllMoney = 100;
    book.Expenditures.append(
        TExpenditure{QStringLiteral("rent"), DateTime::encode(2026, 12, 10), false, -30, 2, 0, true});
    window->RefreshExpenditures();
    QCOMPARE(book.AllMoney, 100.0);
    QCOMPARE(DateTime::toQDate(window->state().WeekStart), QDate(2026, 12, 9));

    // Forward an hour, past the half minute after midnight that the program watches for.
    Clock::setNowForTesting(evening.addSecs(3600));
    window->Timer3Timer();
    QCOMPARE(book.AllMoney, 70.0);
    QVERIFY(book.Expenditures[0].Occured);
    QCOMPARE(DateTime::toQDate(window->state().WeekStart), QDate(2026, 12, 10));

    // Back again: nothing is booked twice, and the week follows the date.
    Clock::setNowForTesting(evening);
    window->Timer3Timer();
    window->Timer3Timer();
    QCOMPARE(book.AllMoney, 70.0);
    QCOMPARE(book.Expenditures.size(), 1);
    QCOMPARE(DateTime::toQDate(window->state().WeekStart), QDate(2026, 12, 9));
}

QTEST_MAIN(TestHostileConditions)
#include "tst_hostileconditions.moc"
