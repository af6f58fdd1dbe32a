#include "NotesFixture.h"

#include "core/Clock.h"
#include "ui/mainwindow/StatusBar.h"
#include "ui/pages/NotesPage.h"
#include "ui/widgets/BalloonHint.h"
#include "ui/widgets/ImageList.h"

#include <QAbstractButton>
#include <QDesktopServices>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <cmath>

// Receives the links the program asks the desktop to open.
class LinkCatcher final : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> opened;

public Q_SLOTS:
    void open(const QUrl &url) { opened.append(url); }
};

class TestNotesListPage final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { enterUiTestMode(); }
    void cleanup();

    void selectedItem_mapsRowsThroughBothSwitches_data();
    void selectedItem_mapsRowsThroughBothSwitches();
    void clickingThirdRow_showsThirdListedNote();
    void rows_showTextPercentLeftAndIcons();
    void switches_refreshWithoutSaving();
    void counters_countHiddenNotes_andStayWhenSwitchedOff();
    void midnight_refreshesDaysLeftOnTheNewDay();

    void details_texts_data();
    void details_texts();
    void details_keptWhenNothingSelected();
    void label7Click_opensOnlyAFoundLink();
    void panel1Resize_leavesRoomForCaptions();
    void progressCaption_readsOverItsFill();

    void balloon_headerForms_data();
    void balloon_headerForms();
    void balloon_oncePerNoteUntilClosedOrAnotherNote();
    void balloon_notShownWithoutFullInfoOrForUnknownImportance();
    void balloon_closesAfterVisibleTime();
    void balloon_opensWhenMouseRestsOnRow();

private:
    QTemporaryDir m_dir;
};

void TestNotesListPage::cleanup()
{
    Clock::resetForTesting();
    QFile::remove(m_dir.filePath(QStringLiteral("data.txt")));
    QFile::remove(m_dir.filePath(QStringLiteral("notepad.txt")));
    QFile::remove(m_dir.filePath(QStringLiteral("settings.xml")));
}

namespace {

// Public and private, open and finished, in a known order.
NotesCollection mixedNotes()
{
    return {makeNote(QStringLiteral("A")),
            makeNote(QStringLiteral("B private"), 3, 0, true),
            makeNote(QStringLiteral("C finished"), 3, 100),
            makeNote(QStringLiteral("D private finished"), 3, 100, true),
            makeNote(QStringLiteral("E")),
            makeNote(QStringLiteral("F almost"), 3, 99)};
}

void setSwitches(MainWindow &window, bool hidePrivate, bool showFinished)
{
    window.findChild<QAbstractButton *>(QStringLiteral("JvSwitch1"))->setChecked(hidePrivate);
    window.findChild<QAbstractButton *>(QStringLiteral("JvSwitch3"))->setChecked(showFinished);
}

// The page's controls, found by name.
struct Page
{
    explicit Page(MainWindow &window)
        : Label5(window.findChild<QLabel *>(QStringLiteral("Label5"))),
          Label6(window.findChild<QLabel *>(QStringLiteral("Label6"))),
          Label7(window.findChild<QLabel *>(QStringLiteral("Label7"))),
          JvgProgress3(window.findChild<QProgressBar *>(QStringLiteral("JvgProgress3"))),
          JvMemo1(window.findChild<QPlainTextEdit *>(QStringLiteral("JvMemo1"))),
          Panel1(window.findChild<QWidget *>(QStringLiteral("Panel1")))
    {
    }
    QLabel *Label5;
    QLabel *Label6;
    QLabel *Label7;
    QProgressBar *JvgProgress3;
    QPlainTextEdit *JvMemo1;
    QWidget *Panel1;
};

Page page(MainWindow &window)
{
    return Page(window);
}

// The contrast of two colours as the accessibility guidelines reckon it: 4.5 and above reads as body text.
double contrast(const QColor &a, const QColor &b)
{
    const auto luminance = [](const QColor &c) {
        const auto linear = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace

void TestNotesListPage::selectedItem_mapsRowsThroughBothSwitches_data()
{
    QTest::addColumn<bool>("hidePrivate");
    QTest::addColumn<bool>("showFinished");
    QTest::addColumn<QList<int>>("positions"); // for rows 0, 1, ...; the listed ones, then rows past the end

    QTest::newRow("everything listed") << false << true << QList<int>{0, 1, 2, 3, 4, 5, 6, 6};
    QTest::newRow("private hidden") << true << true << QList<int>{0, 2, 4, 5, 6, 6};
    QTest::newRow("finished hidden") << false << false << QList<int>{0, 1, 4, 5, 6, 6};
    QTest::newRow("both hidden") << true << false << QList<int>{0, 4, 5, 6, 6};
}

void TestNotesListPage::selectedItem_mapsRowsThroughBothSwitches()
{
    QFETCH(bool, hidePrivate);
    QFETCH(bool, showFinished);
    QFETCH(QList<int>, positions);
    auto window = startWithNotes(m_dir.path(), mixedNotes());
    setSwitches(*window, hidePrivate, showFinished);

    QCOMPARE(window->SelectedItem(-1), -1);
    for (int row = 0; row < positions.size(); ++row)
        QCOMPARE(window->SelectedItem(row), positions[row]);
    // The list shows exactly the notes the rows map to.
    const qsizetype listed = positions.count(6) == 0 ? positions.size() : positions.indexOf(6);
    QCOMPARE(notesList(*window)->model()->rowCount(), listed);
    for (int row = 0; row < listed; ++row)
        QCOMPARE(listedTexts(*window)[row], window->notes()[positions[row]].Text);
}

void TestNotesListPage::clickingThirdRow_showsThirdListedNote()
{
    auto window = startWithNotes(m_dir.path(), mixedNotes());
    setSwitches(*window, true, false);
    selectRow(*window, 2);
    QCOMPARE(page(*window).JvMemo1->toPlainText(), QStringLiteral("F almost"));
    QCOMPARE(window->notesPage()->selectedRow(), 2);
}

void TestNotesListPage::rows_showTextPercentLeftAndIcons()
{
    Clock::setNowForTesting(QDateTime(QDate(2026, 3, 10), QTime(12, 0)));
    auto window = startWithNotes(
        m_dir.path(), {makeNote(QStringLiteral("first\r\nsecond"), 1, 40),
                       makeNote(QStringLiteral("due"), 2, 0, false, DateTime::encode(2026, 3, 13, 12, 0, 1)),
                       makeNote(QStringLiteral("late"), 3, 0, false, DateTime::encode(2026, 3, 10, 11, 59, 59)),
                       makeNote(QStringLiteral("done"), 1, 100), makeNote(QStringLiteral("odd"), 7, 0)});
    const QAbstractItemModel *model = notesList(*window)->model();
    const auto cell = [model](int row, int column) { return model->index(row, column).data().toString(); };
    QCOMPARE(cell(0, 0), QStringLiteral("first  second"));
    QCOMPARE(cell(0, 1), QStringLiteral("40%"));
    QCOMPARE(cell(0, 2), QStringLiteral("-"));
    QCOMPARE(cell(1, 2), QStringLiteral("3d"));
    QCOMPARE(cell(2, 2), QStringLiteral("expired"));
    const auto iconKey = [model](int row) {
        return qvariant_cast<QIcon>(model->index(row, 0).data(Qt::DecorationRole)).cacheKey();
    };
    QCOMPARE(iconKey(0), ImageList1::icon(2).cacheKey());
    QCOMPARE(iconKey(1), ImageList1::icon(4).cacheKey());
    QCOMPARE(iconKey(2), ImageList1::icon(1).cacheKey());
    QCOMPARE(iconKey(3), ImageList1::icon(3).cacheKey());
    QVERIFY(model->index(4, 0).data(Qt::DecorationRole).isNull());
    QCOMPARE(model->index(0, 1).data(Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::AlignCenter);
}

void TestNotesListPage::switches_refreshWithoutSaving()
{
    auto window = startWithNotes(m_dir.path(), mixedNotes());
    QCOMPARE(notesList(*window)->model()->rowCount(), 6);
    window->findChild<QAbstractButton *>(QStringLiteral("JvSwitch1"))->click();
    QCOMPARE(notesList(*window)->model()->rowCount(), 4);
    window->findChild<QAbstractButton *>(QStringLiteral("JvSwitch3"))->click();
    QCOMPARE(notesList(*window)->model()->rowCount(), 3);
    QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("data.txt"))));
}

void TestNotesListPage::counters_countHiddenNotes_andStayWhenSwitchedOff()
{
    auto window = startWithNotes(m_dir.path(), {makeNote(QStringLiteral("secret"), 1, 0, true),
                                                makeNote(QStringLiteral("done high"), 1, 100),
                                                makeNote(QStringLiteral("raised"), 2, 50),
                                                makeNote(QStringLiteral("n1")), makeNote(QStringLiteral("n2"))});
    setSwitches(*window, true, false);
    const auto counter = [&window](int index) { return window->statusBarPro()->counter(index)->text(); };
    QCOMPARE(counter(3), QStringLiteral("1")); // red: the hidden private note counts
    QCOMPARE(counter(2), QStringLiteral("1"));
    QCOMPARE(counter(1), QStringLiteral("2"));
    QCOMPARE(counter(0), QStringLiteral("1")); // green only for the finished highest one

    window->settings().ShowNumberOfNotes = false;
    window->notes().append(makeNote(QStringLiteral("n3")));
    window->RefreshNotes();
    QCOMPARE(counter(1), QStringLiteral("2"));
    window->settings().ShowNumberOfNotes = true;
    window->RefreshNotes();
    QCOMPARE(counter(1), QStringLiteral("3"));
}

void TestNotesListPage::midnight_refreshesDaysLeftOnTheNewDay()
{
    Clock::setNowForTesting(QDateTime(QDate(2026, 3, 9), QTime(23, 59, 55)));
    auto window = startWithNotes(
        m_dir.path(), {makeNote(QStringLiteral("soon"), 3, 0, false, DateTime::encode(2026, 3, 11, 0, 0, 5))});
    const auto left = [&window] { return notesList(*window)->model()->index(0, 2).data().toString(); };
    QCOMPARE(left(), QStringLiteral("1d"));
    window->Timer3Timer();
    QCOMPARE(left(), QStringLiteral("1d"));
    // The first tick of the new date refreshes, even when it comes after the half minute past
    // midnight (a machine waking from sleep).
    Clock::setNowForTesting(QDateTime(QDate(2026, 3, 10), QTime(0, 7, 30)));
    window->Timer3Timer();
    QCOMPARE(left(), QStringLiteral("0d"));
}

void TestNotesListPage::details_texts_data()
{
    QTest::addColumn<TNotesData>("note");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("location");
    QTest::addColumn<QString>("link");
    QTest::addColumn<bool>("linkAvailable");

    const TDateTime deadline = DateTime::encode(2026, 3, 10, 14, 30, 15);
    const LocaleFormats formats = LocaleFormats::system();
    const QString shown =
        formats.formatDate(QDate(2026, 3, 10)) + QStringLiteral("  ") + formats.formatTime(QTime(14, 30, 15));
    const QString none = QStringLiteral("no hyperlink available");
    QTest::newRow("bare note") << makeNote(QStringLiteral("plain words")) << QStringLiteral("n/a")
                               << QStringLiteral("n/a") << none << false;
    QTest::newRow("deadline and place") << makeNote(QStringLiteral("meet"), 1, 30, false, deadline,
                                                    QStringLiteral("Office"))
                                        << shown << QStringLiteral("Office") << none << false;
    QTest::newRow("link ends at space") << makeNote(QStringLiteral("read https://example.org/a?b=1 today"))
                                        << QStringLiteral("n/a") << QStringLiteral("n/a")
                                        << QStringLiteral("https://example.org/a?b=1") << true;
    QTest::newRow("link from first http")
        << makeNote(QStringLiteral("the http word, then https://x.org")) << QStringLiteral("n/a")
        << QStringLiteral("n/a") << QStringLiteral("http") << true;
    QTest::newRow("carriage return ends link")
        << makeNote(QStringLiteral("http://a.b/c\r\nnext line")) << QStringLiteral("n/a") << QStringLiteral("n/a")
        << QStringLiteral("http://a.b/c") << true;
    QTest::newRow("line feed does not") << makeNote(QStringLiteral("go http://a.b\tc\nd e")) << QStringLiteral("n/a")
                                        << QStringLiteral("n/a") << QStringLiteral("http://a.b\tc\nd") << true;
    QTest::newRow("upper case is no link") << makeNote(QStringLiteral("HTTPS://SHOUT.ORG")) << QStringLiteral("n/a")
                                           << QStringLiteral("n/a") << none << false;
}

void TestNotesListPage::details_texts()
{
    QFETCH(TNotesData, note);
    QFETCH(QString, date);
    QFETCH(QString, location);
    QFETCH(QString, link);
    QFETCH(bool, linkAvailable);
    auto window = startWithNotes(m_dir.path(), {makeNote(QStringLiteral("other"), 2, 70), note});
    // A link shown before must not linger when the next note has none.
    window->notes()[0].Text = QStringLiteral("https://before.example");
    selectRow(*window, 0);
    selectRow(*window, 1);

    const Page ui = page(*window);
    QCOMPARE(ui.Label5->text(), date);
    QCOMPARE(ui.Label6->text(), location);
    QCOMPARE(ui.Label7->text(), link);
    QCOMPARE(ui.Label7->font().underline(), linkAvailable);
    QCOMPARE(ui.Label7->cursor().shape(), linkAvailable ? Qt::PointingHandCursor : Qt::ArrowCursor);
    QCOMPARE(window->notesPage()->listState().LinkAvailable, linkAvailable);
    QCOMPARE(ui.JvgProgress3->value(), int(note.Progress));
    QCOMPARE(ui.JvMemo1->toPlainText(), QString(note.Text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void TestNotesListPage::details_keptWhenNothingSelected()
{
    auto window =
        startWithNotes(m_dir.path(), {makeNote(QStringLiteral("kept"), 3, 20, false, -1, QStringLiteral("Home"))});
    selectRow(*window, 0);
    notesList(*window)->selectionModel()->clearSelection();
    window->notesPage()->ListView1Click();
    QCOMPARE(page(*window).Label6->text(), QStringLiteral("Home"));
    QCOMPARE(page(*window).JvMemo1->toPlainText(), QStringLiteral("kept"));
    // A refresh clears the selection but not the panel.
    window->RefreshNotes();
    QCOMPARE(window->notesPage()->selectedRow(), -1);
    QCOMPARE(page(*window).Label6->text(), QStringLiteral("Home"));
}

void TestNotesListPage::label7Click_opensOnlyAFoundLink()
{
    LinkCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
    auto window = startWithNotes(m_dir.path(), {makeNote(QStringLiteral("see https://example.org/x now")),
                                                makeNote(QStringLiteral("nothing here"))});
    selectRow(*window, 0);
    QTest::mouseClick(page(*window).Label7, Qt::LeftButton);
    QCOMPARE(catcher.opened, QList<QUrl>{QUrl(QStringLiteral("https://example.org/x"))});
    selectRow(*window, 1);
    window->notesPage()->Label7Click();
    QCOMPARE(catcher.opened.size(), 1);
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
}

void TestNotesListPage::panel1Resize_leavesRoomForCaptions()
{
    auto window = startWithNotes(m_dir.path(), {});
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    const Page ui = page(*window);
    for (const int windowWidth : {377, 520}) {
        window->resize(windowWidth, window->height());
        QTRY_COMPARE(ui.Label5->maximumWidth(), ui.Panel1->width() - 95);
        QCOMPARE(ui.Label6->maximumWidth(), ui.Panel1->width() - 95);
        QCOMPARE(ui.Label7->maximumWidth(), ui.Panel1->width() - 95);
    }
    QVERIFY(ui.Panel1->width() > 400);
}

void TestNotesListPage::progressCaption_readsOverItsFill()
{
    auto window = startWithNotes(m_dir.path(), {makeNote(QStringLiteral("half"), 2, 50)});
    selectRow(*window, 0);
    const QProgressBar *bar = page(*window).JvgProgress3;
    QCOMPARE(bar->text(), QStringLiteral("[50%]"));
    // At 50 % the caption sits half over the fill, half over the trough.
    const QPalette &colours = bar->palette();
    QVERIFY(contrast(colours.color(QPalette::HighlightedText), colours.color(QPalette::Highlight)) >= 4.5);
    QVERIFY(contrast(colours.color(QPalette::Text), colours.color(QPalette::Base)) >= 4.5);
}

void TestNotesListPage::balloon_headerForms_data()
{
    QTest::addColumn<TDateTime>("deadline");
    QTest::addColumn<QString>("location");
    QTest::addColumn<QString>("header");
    const LocaleFormats formats = LocaleFormats::system();
    const QString date = formats.formatDate(QDate(2026, 5, 1));
    const QString time = formats.formatTime(QTime(9, 15));
    const TDateTime deadline = DateTime::encode(2026, 5, 1, 9, 15);
    QTest::newRow("date and location") << deadline << QStringLiteral("Park")
                                       << QStringLiteral("Date: %1 [%2] Location: Park").arg(date, time);
    QTest::newRow("date only") << deadline << QString() << QStringLiteral("Date: %1 [%2]").arg(date, time);
    QTest::newRow("location only") << DateTime::kNoDeadline << QStringLiteral("Park")
                                   << QStringLiteral("Location: Park");
    QTest::newRow("neither") << DateTime::kNoDeadline << QString() << QStringLiteral("Info");
}

void TestNotesListPage::balloon_headerForms()
{
    QFETCH(TDateTime, deadline);
    QFETCH(QString, location);
    QFETCH(QString, header);
    auto window = startWithNotes(m_dir.path(),
                                 {makeNote(QStringLiteral("line one\r\nline two"), 2, 0, false, deadline, location)});
    QString tip = QStringLiteral("the list's own");
    window->notesPage()->ListView1InfoTip(0, tip);
    QVERIFY(tip.isEmpty());
    BalloonHint *balloon = window->notesPage()->balloon();
    QVERIFY(balloon->isVisible());
    QCOMPARE(balloon->header(), header);
    QCOMPARE(balloon->body(), QStringLiteral("line one\r\nline two"));
    QVERIFY(window->state().HintShown);
}

void TestNotesListPage::balloon_oncePerNoteUntilClosedOrAnotherNote()
{
    auto window = startWithNotes(m_dir.path(), {makeNote(QStringLiteral("zero")), makeNote(QStringLiteral("one"))});
    NotesPage *notesPage = window->notesPage();
    BalloonHint *balloon = notesPage->balloon();
    QString tip;
    notesPage->ListView1InfoTip(0, tip);
    QCOMPARE(balloon->body(), QStringLiteral("zero"));
    // Hovering the same note again does not reopen its balloon.
    window->notes()[0].Text = QStringLiteral("zero again");
    notesPage->ListView1InfoTip(0, tip);
    QCOMPARE(balloon->body(), QStringLiteral("zero"));
    notesPage->ListView1InfoTip(1, tip);
    QCOMPARE(balloon->body(), QStringLiteral("one"));
    QCOMPARE(notesPage->listState().LastHintNote, 1);
    notesPage->ListView1InfoTip(0, tip);
    QCOMPARE(balloon->body(), QStringLiteral("zero again"));
    // Once closed, the same note may show it again.
    balloon->closeBalloon();
    QVERIFY(!window->state().HintShown);
    window->notes()[0].Text = QStringLiteral("zero third");
    notesPage->ListView1InfoTip(0, tip);
    QVERIFY(balloon->isVisible());
    QCOMPARE(balloon->body(), QStringLiteral("zero third"));
    // A click on the list closes it.
    selectRow(*window, 1);
    QVERIFY(!balloon->isVisible());
    QVERIFY(!window->state().HintShown);
}

void TestNotesListPage::balloon_notShownWithoutFullInfoOrForUnknownImportance()
{
    auto window =
        startWithNotes(m_dir.path(), {makeNote(QStringLiteral("normal")), makeNote(QStringLiteral("odd"), 0)});
    NotesPage *notesPage = window->notesPage();
    window->settings().ShowFullInfo = false;
    QString tip = QStringLiteral("normal");
    notesPage->ListView1InfoTip(0, tip);
    QCOMPARE(tip, QStringLiteral("normal"));
    QVERIFY(!notesPage->balloon()->isVisible());

    window->settings().ShowFullInfo = true;
    notesPage->ListView1InfoTip(1, tip);
    QVERIFY(tip.isEmpty());
    QVERIFY(!notesPage->balloon()->isVisible());
}

void TestNotesListPage::balloon_closesAfterVisibleTime()
{
    auto window = startWithNotes(m_dir.path(), {makeNote(QStringLiteral("brief"))});
    window->settings().HintVisibleTime = 1;
    QString tip;
    window->notesPage()->ListView1InfoTip(0, tip);
    QVERIFY(window->notesPage()->balloon()->isVisible());
    QTest::qWait(500);
    QVERIFY(window->notesPage()->balloon()->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!window->notesPage()->balloon()->isVisible(), 5000);
    QVERIFY(!window->state().HintShown);
}

void TestNotesListPage::balloon_opensWhenMouseRestsOnRow()
{
    auto window = startWithNotes(m_dir.path(), {makeNote(QStringLiteral("top")), makeNote(QStringLiteral("hovered"))});
    window->settings().HintDelayTime = 300;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QTreeView *list = notesList(*window);
    const QPoint onRow = list->visualRect(list->model()->index(1, 0)).center();
    QTest::mouseMove(list->viewport(), onRow);
    QTest::qWait(100);
    QVERIFY(!window->notesPage()->balloon()->isVisible()); // still within the pause
    QTRY_VERIFY_WITH_TIMEOUT(window->notesPage()->balloon()->isVisible(), 5000);
    QCOMPARE(window->notesPage()->balloon()->body(), QStringLiteral("hovered"));
}

QTEST_MAIN(TestNotesListPage)
#include "tst_noteslistpage.moc"
