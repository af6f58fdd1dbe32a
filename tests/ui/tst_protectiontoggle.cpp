#include "SettingsTestData.h"
#include "UiTestData.h"

#include "ui/dialogs/SettingsDialog.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/Startup.h"
#include "ui/mainwindow/StatusBar.h"
#include "ui/pages/NotepadPage.h"
#include "ui/widgets/Switch.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <sys/inotify.h>
#include <unistd.h>

#include <atomic>
#include <mutex>
#include <thread>

namespace {

const QStringList kDataFiles = {QStringLiteral("data.txt"), QStringLiteral("notepad.txt"),
                                QStringLiteral("expenditures.txt")};

template <typename T> T *child(QWidget &parent, const char *name)
{
    T *found = parent.findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}

// A program with a note, a notepad line and a transaction, each carrying `marker`.
std::unique_ptr<MainWindow> programWithData(const QString &dir, const QString &marker)
{
    auto window = startProgram(dir);
    window->notes().append(TNotesData{0, 2, false, -1, marker + QStringLiteral(" note"), QString(), 0});
    window->notepadPage()->editor()->setPlainText(marker + QStringLiteral(" notepad"));
    window->expenditures().Expenditures.append(
        TExpenditure{marker + QStringLiteral(" rent"), DateTime::encode(2026, 1, 1), true, -10, 2, 0, true});
    if (!window->saveAllDataFiles())
        qFatal("could not save the prepared data");
    return window;
}

bool isPlain(const QByteArray &content)
{
    return content.startsWith("<?xml") || content.isEmpty() || content.startsWith("\xEF\xBB\xBF");
}

void turnOn(MainWindow &window, const QString &first, const QString &second)
{
    SettingsDialog &dialog = *window.settingsDialog();
    dialog.show();
    auto *box = child<QCheckBox>(dialog, "CheckBox3");
    if (!box->isChecked())
        box->click();
    child<QLineEdit>(dialog, "JvEdit1")->setText(first);
    child<QLineEdit>(dialog, "JvEdit2")->setText(second);
    child<QPushButton>(dialog, "DsFancyButton1")->click();
}

// Reads every file the moment the kernel reports it created, written or renamed into the folder,
// and remembers whether any of them ever held `marker`.
class FolderWatch
{
public:
    FolderWatch(const QString &dir, const QByteArray &marker) : m_dir(dir), m_marker(marker)
    {
        m_fd = inotify_init1(IN_NONBLOCK);
        inotify_add_watch(m_fd, QFile::encodeName(dir).constData(),
                          IN_CREATE | IN_MODIFY | IN_CLOSE_WRITE | IN_MOVED_TO);
        m_thread = std::thread([this] { run(); });
    }
    ~FolderWatch()
    {
        m_stop = true;
        m_thread.join();
        close(m_fd);
    }
    Q_DISABLE_COPY_MOVE(FolderWatch)

    int filesSeen() const { return m_seen; }
    QString leakedIn() const
    {
        const std::lock_guard lock(m_mutex);
        return m_leak;
    }

private:
    void run()
    {
        alignas(inotify_event) char buffer[8192];
        while (!m_stop) {
            const ssize_t length = read(m_fd, buffer, sizeof buffer);
            if (length <= 0) {
                std::this_thread::yield();
                continue;
            }
            for (ssize_t at = 0; at < length;) {
                const auto *event = reinterpret_cast<const inotify_event *>(buffer + at);
                if (event->len > 0)
                    inspect(QFile::decodeName(event->name));
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
    }
    void inspect(const QString &name)
    {
        ++m_seen;
        if (!readAll(QDir(m_dir).filePath(name)).contains(m_marker))
            return;
        const std::lock_guard lock(m_mutex);
        if (m_leak.isEmpty())
            m_leak = name;
    }

    QString m_dir;
    QByteArray m_marker;
    int m_fd = -1;
    std::atomic<bool> m_stop = false;
    std::atomic<int> m_seen = 0;
    mutable std::mutex m_mutex;
    QString m_leak;
    std::thread m_thread;
};

} // namespace

class TestProtectionToggle final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { enterUiTestMode(); }
    void init() { Messages::takeShown(); }
    void accept_enciphersAllThreeFilesAtOnce();
    void differentTexts_turnNothingOn();
    void turningOff_leavesAllThreeFilesPlainAtOnce();
    void protectedSaves_neverPutThePlainTextOnDisk();
};

void TestProtectionToggle::accept_enciphersAllThreeFilesAtOnce()
{
    QTemporaryDir dir;
    auto window = programWithData(dir.path(), QStringLiteral("zebra"));
    for (const QString &name : kDataFiles)
        QVERIFY2(readAll(dir.filePath(name)).contains("zebra"), qPrintable(name));

    turnOn(*window, QStringLiteral("Key 1"), QStringLiteral("Key 1"));

    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("passwd.txt"))));
    for (const QString &name : kDataFiles) {
        const QByteArray content = readAll(dir.filePath(name));
        QVERIFY2(!isPlain(content) && !content.contains("zebra"), qPrintable(name));
    }
    QVERIFY(window->statusBarPro()->encryptionSwitch()->isChecked());
    const auto shown = Messages::takeShown();
    QVERIFY(!shown.isEmpty());
    QCOMPARE(shown.last().text, QStringLiteral("Encryption turned on"));

    // The next start reads the same data back under the pass phrase.
    window.reset();
    MainWindow again(dir.path() + QLatin1Char('/'));
    QVERIFY(!Startup::loadData(again, [] { return QStringLiteral("Key 1"); }).has_value());
    QCOMPARE(again.notes().size(), 1);
    QCOMPARE(again.notes()[0].Text, QStringLiteral("zebra note"));
    QCOMPARE(again.expenditures().Expenditures.size(), 1);
}

void TestProtectionToggle::differentTexts_turnNothingOn()
{
    QTemporaryDir dir;
    auto window = programWithData(dir.path(), QStringLiteral("zebra"));
    turnOn(*window, QStringLiteral("Key 1"), QStringLiteral("key 1"));
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("passwd.txt"))));
    for (const QString &name : kDataFiles)
        QVERIFY2(readAll(dir.filePath(name)).contains("zebra"), qPrintable(name));
    QVERIFY(!child<QCheckBox>(*window->settingsDialog(), "CheckBox3")->isChecked());
    const auto shown = Messages::takeShown();
    QVERIFY(!shown.isEmpty());
    QCOMPARE(shown.last().text, QStringLiteral("Typed passwords are different! Try again."));
}

void TestProtectionToggle::turningOff_leavesAllThreeFilesPlainAtOnce()
{
    QTemporaryDir dir;
    auto window = programWithData(dir.path(), QStringLiteral("zebra"));
    turnOn(*window, QStringLiteral("Key 1"), QStringLiteral("Key 1"));
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("passwd.txt"))));

    child<QCheckBox>(*window->settingsDialog(), "CheckBox3")->click();

    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("passwd.txt"))));
    for (const QString &name : kDataFiles)
        QVERIFY2(readAll(dir.filePath(name)).contains("zebra"), qPrintable(name));
    QVERIFY(!window->statusBarPro()->encryptionSwitch()->isChecked());
    // Nothing asks for a pass phrase any more.
    window.reset();
    MainWindow again(dir.path() + QLatin1Char('/'));
    bool asked = false;
    QVERIFY(!Startup::loadData(again, [&] {
                 asked = true;
                 return QString();
             }).has_value());
    QVERIFY(!asked);
    QCOMPARE(again.notes().size(), 1);
}

void TestProtectionToggle::protectedSaves_neverPutThePlainTextOnDisk()
{
    QTemporaryDir dir;
    // A large note keeps each write long enough for the watch to see a file while it is being written.
    const QString marker = QStringLiteral("okapi") + QString(200000, QLatin1Char('x'));
    auto window = programWithData(dir.path(), QStringLiteral("start"));
    turnOn(*window, QStringLiteral("Key 1"), QStringLiteral("Key 1"));
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("passwd.txt"))));

    FolderWatch watch(dir.path(), "okapi");
    for (int round = 0; round < 20; ++round) {
        window->notes()[0].Text = marker + QString::number(round);
        window->notepadPage()->editor()->setPlainText(marker + QString::number(round));
        QVERIFY(window->saveAllDataFiles());
    }
    QTest::qWait(200);
    const int seen = watch.filesSeen();
    const QString leak = watch.leakedIn();
    QVERIFY2(seen > 0, "the watch saw no file at all");
    QVERIFY2(leak.isEmpty(), qPrintable(QStringLiteral("plain text found in ") + leak));
}

QTEST_MAIN(TestProtectionToggle)
#include "tst_protectiontoggle.moc"
