#include "NotesFixture.h"

#include "core/Clock.h"
#include "ui/dialogs/NoteEditorDialog.h"
#include "ui/pages/NotesPage.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeEdit>
#include <QTimer>

namespace {

// The editor's controls, found by name.
struct Editor
{
    explicit Editor(NoteEditorDialog &dialog) : form(dialog) {}
    template <class T> T *get(const char *name) const
    {
        T *widget = form.findChild<T *>(QLatin1String(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }
    QPushButton *ok() const { return get<QPushButton>("DsFancyButton1"); }
    QRadioButton *radio(int n) const { return get<QRadioButton>(QByteArray("RadioButton" + QByteArray::number(n))); }
    QSlider *slider() const { return get<QSlider>("JvxSlider1"); }
    QCheckBox *deadline() const { return get<QCheckBox>("CheckBox1"); }
    QCalendarWidget *calendar() const { return get<QCalendarWidget>("MonthCalendar1"); }
    QTimeEdit *time() const { return get<QTimeEdit>("JvTimeEdit1"); }
    QCheckBox *privateBox() const { return get<QCheckBox>("JvCheckBox1"); }
    QPlainTextEdit *text() const { return get<QPlainTextEdit>("JvMemo1"); }
    QLineEdit *location() const { return get<QLineEdit>("Edit1"); }
    QComboBox *period() const { return get<QComboBox>("ComboBox1"); }
    QSpinBox *everyDays() const { return get<QSpinBox>("JvSpinEdit1"); }
    QDateEdit *endDate() const { return get<QDateEdit>("JvDatePickerEdit2"); }
    // Which of "disabled", "every" (period), "every" N days, period list, day count, end date are enabled.
    QList<bool> periodicityEnabled() const
    {
        return {radio(4)->isEnabled(), radio(5)->isEnabled(),    radio(6)->isEnabled(),
                period()->isEnabled(), everyDays()->isEnabled(), endDate()->isEnabled()};
    }
    NoteEditorDialog &form;
};

// Opens the editor with `open` and runs `act` while it is up; false when it never came up.
bool whileEditorOpen(MainWindow &window, const std::function<void()> &open, const std::function<void(Editor &)> &act)
{
    bool ran = false;
    QTimer::singleShot(0, &window, [&] {
        NoteEditorDialog *dialog = window.noteEditor();
        if (!dialog->isVisible() || !dialog->isModal())
            return;
        ran = true;
        Editor editor(*dialog);
        act(editor);
        if (dialog->isVisible())
            dialog->reject();
    });
    open();
    QCoreApplication::processEvents();
    return ran;
}

QPushButton *addNoteButton(MainWindow &window)
{
    return window.findChild<QWidget *>(QStringLiteral("JvPanel1"))
        ->findChild<QPushButton *>(QStringLiteral("DsFancyButton1"));
}

QDateTime deadlineOf(const TNotesData &note)
{
    return DateTime::toQDateTime(note.Deadline);
}

} // namespace

class TestNoteEditor final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void window_isTopMostWithFixedPeriodList();
    void add_withoutDeadline_oneNoteWhateverPeriodicityShows();
    void add_repeats_data();
    void add_repeats();
    void add_manyNotes_asksFirst_data();
    void add_manyNotes_asksFirst();
    void addForDay_startsWithTheDayTicked();
    void add_resetsControlsButKeepsPeriodChoices();
    void controls_keepConsistent();
    void calendar_typedOrKeyedDateStaysInRangeAndMovesEndDate();
    void edit_showsNoteAndStoresItInPlace();
    void edit_noDeadline_okStoresNoteUnchanged();
    void edit_outsideCollection_doesNotOpen();
    void cancelAndEsc_changeNothing_data();
    void cancelAndEsc_changeNothing();
    void addCommands_doNothingWhileEditorIsOpen();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestNoteEditor::initTestCase()
{
    enterUiTestMode();
}

void TestNoteEditor::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    Clock::setNowForTesting(QDateTime(QDate(2026, 3, 5), QTime(9, 41, 7)));
}

void TestNoteEditor::cleanup()
{
    Clock::resetForTesting();
}

void TestNoteEditor::window_isTopMostWithFixedPeriodList()
{
    auto window = startWithNotes(m_dir->path(), {});
    Editor editor(*window->noteEditor());
    QVERIFY(editor.form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(!editor.period()->isEditable());
    QCOMPARE(editor.period()->count(), 4);
    QCOMPARE(editor.period()->itemText(3), QStringLiteral("year"));
    QCOMPARE(editor.everyDays()->minimum(), 1);
    QCOMPARE(editor.everyDays()->maximum(), 365);
    QCOMPARE(editor.slider()->singleStep(), 10);
}

void TestNoteEditor::add_withoutDeadline_oneNoteWhateverPeriodicityShows()
{
    auto window = startWithNotes(m_dir->path(), {makeNote(QStringLiteral("existing"))});
    const bool ran = whileEditorOpen(
        *window, [&] { addNoteButton(*window)->click(); },
        [](Editor &editor) {
            QCOMPARE(editor.form.windowTitle(), QStringLiteral("Add note"));
            editor.radio(1)->click();
            editor.slider()->setValue(60);
            editor.privateBox()->click();
            editor.text()->setPlainText(QStringLiteral("call back\nabout the offer"));
            editor.location()->setText(QStringLiteral("https://example.org"));
            // A repetition chosen and then the deadline switched off again.
            editor.deadline()->click();
            editor.radio(5)->click();
            editor.deadline()->click();
            editor.ok()->click();
            QVERIFY(!editor.form.isVisible());
        });
    QVERIFY(ran);
    const NotesCollection stored = storedNotes(m_dir->path());
    QCOMPARE(stored.size(), 2);
    const TNotesData &note = stored[1];
    QCOMPARE(note.Importance, quint8(1));
    QCOMPARE(note.Progress, quint8(60));
    QVERIFY(note.PrivateMsg);
    QCOMPARE(note.Deadline, DateTime::kNoDeadline);
    QCOMPARE(note.Text, QStringLiteral("call back\r\nabout the offer"));
    QCOMPARE(note.Location, QStringLiteral("https://example.org"));
    QCOMPARE(listedTexts(*window).size(), 2);
}

void TestNoteEditor::add_repeats_data()
{
    QTest::addColumn<int>("radio");  // 4 "disabled", 5 "every" period, 6 "every" N "day(s)"
    QTest::addColumn<int>("choice"); // period list entry, or N
    QTest::addColumn<QDate>("start");
    QTest::addColumn<QDate>("end");
    QTest::addColumn<QList<QDate>>("dates");

    QTest::newRow("daily") << 5 << 0 << QDate(2026, 3, 10) << QDate(2026, 3, 12)
                           << QList<QDate>{{2026, 3, 10}, {2026, 3, 11}, {2026, 3, 12}};
    QTest::newRow("weekly") << 5 << 1 << QDate(2026, 3, 1) << QDate(2026, 3, 28)
                            << QList<QDate>{{2026, 3, 1}, {2026, 3, 8}, {2026, 3, 15}, {2026, 3, 22}};
    QTest::newRow("monthly from the 31st") << 5 << 2 << QDate(2026, 1, 31) << QDate(2026, 4, 30)
                                           << QList<QDate>{{2026, 1, 31}, {2026, 2, 28}, {2026, 3, 31}, {2026, 4, 30}};
    QTest::newRow("yearly from 29 February")
        << 5 << 3 << QDate(2024, 2, 29) << QDate(2029, 3, 1)
        << QList<QDate>{{2024, 2, 29}, {2025, 2, 28}, {2026, 2, 28}, {2027, 2, 28}, {2028, 2, 29}, {2029, 2, 28}};
    QTest::newRow("every 3 days") << 6 << 3 << QDate(2026, 4, 1) << QDate(2026, 4, 10)
                                  << QList<QDate>{{2026, 4, 1}, {2026, 4, 4}, {2026, 4, 7}, {2026, 4, 10}};
    QTest::newRow("end on the start") << 5 << 0 << QDate(2026, 4, 1) << QDate(2026, 4, 1) << QList<QDate>{{2026, 4, 1}};
    QTest::newRow("end before the start")
        << 6 << 1 << QDate(2026, 4, 5) << QDate(2026, 4, 1) << QList<QDate>{{2026, 4, 5}};
    QTest::newRow("no repetition") << 4 << 0 << QDate(2026, 4, 5) << QDate(2026, 4, 30) << QList<QDate>{{2026, 4, 5}};
}

void TestNoteEditor::add_repeats()
{
    QFETCH(int, radio);
    QFETCH(int, choice);
    QFETCH(QDate, start);
    QFETCH(QDate, end);
    QFETCH(QList<QDate>, dates);
    auto window = startWithNotes(m_dir->path(), {});
    const bool ran = whileEditorOpen(
        *window, [&] { window->findChild<QAction *>(QStringLiteral("Addnote1"))->trigger(); },
        [&](Editor &editor) {
            editor.radio(2)->click();
            editor.slider()->setValue(20);
            editor.text()->setPlainText(QStringLiteral("water the plants"));
            editor.location()->setText(QStringLiteral("balcony"));
            editor.deadline()->click();
            editor.calendar()->setSelectedDate(start);
            editor.time()->setTime(QTime(14, 30));
            editor.radio(radio)->click();
            if (radio == 5)
                editor.period()->setCurrentIndex(choice);
            else if (radio == 6)
                editor.everyDays()->setValue(choice);
            editor.endDate()->setDate(end);
            editor.ok()->click();
        });
    QVERIFY(ran);
    const NotesCollection stored = storedNotes(m_dir->path());
    QCOMPARE(stored.size(), dates.size());
    for (qsizetype i = 0; i < dates.size(); ++i) {
        QCOMPARE(deadlineOf(stored[i]), QDateTime(dates[i], QTime(14, 30)));
        QCOMPARE(stored[i].Importance, quint8(2));
        QCOMPARE(stored[i].Progress, quint8(20));
        QCOMPARE(stored[i].Text, QStringLiteral("water the plants"));
        QCOMPARE(stored[i].Location, QStringLiteral("balcony"));
    }
}

void TestNoteEditor::add_manyNotes_asksFirst_data()
{
    QTest::addColumn<int>("count"); // notes of a daily repetition
    QTest::addColumn<bool>("yes");
    QTest::newRow("100, not asked") << 100 << false;
    QTest::newRow("101, No") << 101 << false;
    QTest::newRow("3676, Yes") << 3676 << true;
}

void TestNoteEditor::add_manyNotes_asksFirst()
{
    QFETCH(int, count);
    QFETCH(bool, yes);
    auto window = startWithNotes(m_dir->path(), {});
    const bool asked = count > 100;
    if (asked)
        Messages::queueAnswer(yes);
    bool stillOpen = false;
    QVERIFY(whileEditorOpen(
        *window, [&] { window->findChild<QAction *>(QStringLiteral("Addnote1"))->trigger(); },
        [&](Editor &editor) {
            editor.deadline()->click();
            editor.radio(5)->click();
            editor.period()->setCurrentIndex(0);
            editor.endDate()->setDate(QDate(2026, 3, 5).addDays(count - 1));
            editor.ok()->click();
            stillOpen = editor.form.isVisible();
        }));
    const QList<Messages::Shown> shown = Messages::takeShown();
    QCOMPARE(shown.size(), asked ? 1 : 0);
    if (asked) {
        QCOMPARE(shown[0].kind, Messages::Kind::Question);
        QCOMPARE(shown[0].text, QStringLiteral("This adds %1 notes. Add them?").arg(count));
    }
    // No adds nothing and leaves the editor open for another end date.
    QCOMPARE(stillOpen, asked && !yes);
    QCOMPARE(window->notes().size(), asked && !yes ? 0 : count);
    QCOMPARE(storedNotes(m_dir->path()).size(), asked && !yes ? 0 : count);
}

void TestNoteEditor::addForDay_startsWithTheDayTicked()
{
    auto window = startWithNotes(m_dir->path(), {});
    const QDate day(2026, 3, 12);
    const bool ran = whileEditorOpen(
        *window, [&] { window->noteEditor()->openForDay(DateTime::fromQDate(day)); },
        [&](Editor &editor) {
            QCOMPARE(editor.form.mode(), NoteEditorDialog::AddForDayMode);
            QCOMPARE(editor.form.windowTitle(), QStringLiteral("Add note"));
            QCOMPARE(editor.calendar()->selectedDate(), day);
            QVERIFY(editor.calendar()->isEnabled());
            QVERIFY(editor.deadline()->isChecked());
            QCOMPARE(editor.endDate()->date(), day);
            QVERIFY(editor.radio(4)->isChecked());
            QCOMPARE(editor.periodicityEnabled(), (QList<bool>{true, true, true, false, false, false}));
            QCOMPARE(editor.time()->time(), QTime(0, 0));
            editor.text()->setPlainText(QStringLiteral("on the day"));
            editor.ok()->click();
        });
    QVERIFY(ran);
    const NotesCollection stored = storedNotes(m_dir->path());
    QCOMPARE(stored.size(), 1);
    QCOMPARE(deadlineOf(stored[0]), QDateTime(day, QTime(0, 0)));
}

void TestNoteEditor::add_resetsControlsButKeepsPeriodChoices()
{
    auto window = startWithNotes(m_dir->path(), {});
    // First use leaves everything changed, then is cancelled.
    QVERIFY(whileEditorOpen(
        *window, [&] { addNoteButton(*window)->click(); },
        [](Editor &editor) {
            editor.radio(1)->click();
            editor.slider()->setValue(90);
            editor.privateBox()->click();
            editor.text()->setPlainText(QStringLiteral("draft"));
            editor.location()->setText(QStringLiteral("somewhere"));
            editor.deadline()->click();
            editor.calendar()->setSelectedDate(QDate(2026, 7, 7));
            editor.time()->setTime(QTime(18, 45));
            editor.radio(5)->click();
            editor.period()->setCurrentIndex(2);
            editor.everyDays()->setValue(12);
        }));
    QVERIFY(whileEditorOpen(
        *window, [&] { window->findChild<QAction *>(QStringLiteral("Addnote1"))->trigger(); },
        [](Editor &editor) {
            QCOMPARE(editor.form.mode(), NoteEditorDialog::AddMode);
            QCOMPARE(editor.form.windowTitle(), QStringLiteral("Add note"));
            QCOMPARE(editor.time()->time(), QTime(0, 0));
            QVERIFY(editor.text()->toPlainText().isEmpty());
            QVERIFY(editor.location()->text().isEmpty());
            QCOMPARE(editor.slider()->value(), 0);
            QCOMPARE(editor.get<QLabel>("JvLabel1")->text(), QStringLiteral("0 %"));
            QVERIFY(!editor.privateBox()->isChecked());
            QVERIFY(editor.radio(3)->isChecked());
            QVERIFY(!editor.deadline()->isChecked());
            QVERIFY(!editor.calendar()->isEnabled());
            QCOMPARE(editor.calendar()->selectedDate(), QDate(2026, 3, 5));
            QVERIFY(editor.time()->isEnabled());
            QVERIFY(editor.radio(4)->isChecked());
            QCOMPARE(editor.periodicityEnabled(), QList<bool>(6, false));
            QCOMPARE(editor.period()->currentIndex(), 2);
            QCOMPARE(editor.everyDays()->value(), 12);
        }));
    QVERIFY(window->notes().isEmpty());
}

void TestNoteEditor::controls_keepConsistent()
{
    auto window = startWithNotes(m_dir->path(), {});
    QVERIFY(whileEditorOpen(
        *window, [&] { addNoteButton(*window)->click(); },
        [](Editor &editor) {
            editor.calendar()->setSelectedDate(QDate(2026, 3, 20));
            editor.deadline()->click();
            QVERIFY(editor.calendar()->isEnabled());
            QCOMPARE(editor.endDate()->date(), QDate(2026, 3, 20));
            QCOMPARE(editor.periodicityEnabled(), (QList<bool>{true, true, true, false, false, false}));
            editor.radio(5)->click();
            QCOMPARE(editor.periodicityEnabled(), (QList<bool>{true, true, true, true, false, true}));
            editor.radio(6)->click();
            QCOMPARE(editor.periodicityEnabled(), (QList<bool>{true, true, true, false, true, true}));
            editor.radio(4)->click();
            QCOMPARE(editor.periodicityEnabled(), (QList<bool>{true, true, true, false, false, false}));

            // A later day on the calendar pushes the end date, an earlier one leaves it.
            editor.calendar()->setSelectedDate(QDate(2026, 3, 25));
            editor.form.MonthCalendar1Click();
            QCOMPARE(editor.endDate()->date(), QDate(2026, 3, 25));
            editor.calendar()->setSelectedDate(QDate(2026, 3, 22));
            editor.form.MonthCalendar1Click();
            QCOMPARE(editor.endDate()->date(), QDate(2026, 3, 25));

            editor.slider()->setValue(70);
            QCOMPARE(editor.get<QLabel>("JvLabel1")->text(), QStringLiteral("70 %"));

            editor.deadline()->click();
            QVERIFY(!editor.calendar()->isEnabled());
            QCOMPARE(editor.periodicityEnabled(), QList<bool>(6, false));
        }));
}

void TestNoteEditor::calendar_typedOrKeyedDateStaysInRangeAndMovesEndDate()
{
    auto window = startWithNotes(m_dir->path(), {});
    QVERIFY(whileEditorOpen(
        *window, [&] { addNoteButton(*window)->click(); },
        [](Editor &editor) {
            // Earlier days would read back as "no deadline" (-1) or other negative day counts.
            QCOMPARE(editor.calendar()->minimumDate(), QDate(1900, 1, 1));
            QCOMPARE(editor.endDate()->minimumDate(), QDate(1900, 1, 1));
            QCOMPARE(editor.calendar()->maximumDate(), QDate(9999, 12, 31));
            QCOMPARE(editor.endDate()->maximumDate(), QDate(9999, 12, 31));
            editor.deadline()->click();
            editor.radio(5)->click();
            QWidget *grid = editor.calendar()->focusProxy();
            const QString format = editor.endDate()->displayFormat();
            const auto type = [&](const QString &text) {
                QTest::keyClicks(grid, text);
                QTest::keyClick(grid, Qt::Key_Return);
            };
            type(QDate(2031, 1, 31).toString(format));
            QCOMPARE(editor.calendar()->selectedDate(), QDate(2031, 1, 31));
            QCOMPARE(editor.endDate()->date(), QDate(2031, 1, 31));
            // Dates the program cannot hold, and text that is no date, select nothing.
            type(QDate(1899, 12, 29).toString(format));
            type(QStringLiteral("99999"));
            QCOMPARE(editor.calendar()->selectedDate(), QDate(2031, 1, 31));
            QTest::keyClick(grid, Qt::Key_Escape);
        }));
    QVERIFY(whileEditorOpen(
        *window, [&] { addNoteButton(*window)->click(); },
        [](Editor &editor) {
            editor.deadline()->click();
            editor.radio(5)->click();
            QTest::keyClick(editor.calendar()->focusProxy(), Qt::Key_Right);
            QCOMPARE(editor.calendar()->selectedDate(), QDate(2026, 3, 6));
            QCOMPARE(editor.endDate()->date(), QDate(2026, 3, 6));
        }));
}

void TestNoteEditor::edit_showsNoteAndStoresItInPlace()
{
    const TDateTime deadline = DateTime::encode(2026, 6, 1, 8, 15);
    auto window =
        startWithNotes(m_dir->path(), {makeNote(QStringLiteral("first")),
                                       makeNote(QStringLiteral("second"), 2, 30, true, deadline, QStringLiteral("Lab")),
                                       makeNote(QStringLiteral("third"))});
    selectRow(*window, 1);
    const bool ran = whileEditorOpen(
        *window, [&] { trigger(*window, "Edit1"); },
        [](Editor &editor) {
            QCOMPARE(editor.form.mode(), NoteEditorDialog::EditMode);
            QCOMPARE(editor.form.editedPosition(), 1);
            QCOMPARE(editor.form.windowTitle(), QStringLiteral("Edit"));
            QCOMPARE(editor.text()->toPlainText(), QStringLiteral("second"));
            QVERIFY(editor.radio(2)->isChecked());
            QCOMPARE(editor.slider()->value(), 30);
            QVERIFY(editor.privateBox()->isChecked());
            QCOMPARE(editor.location()->text(), QStringLiteral("Lab"));
            QVERIFY(editor.deadline()->isChecked());
            QVERIFY(editor.calendar()->isEnabled());
            QCOMPARE(editor.calendar()->selectedDate(), QDate(2026, 6, 1));
            QCOMPARE(editor.time()->time(), QTime(8, 15));
            QCOMPARE(editor.periodicityEnabled(), QList<bool>(6, false));

            // Ticking the deadline off and on again in an edit leaves the periodicity alone.
            editor.deadline()->click();
            editor.deadline()->click();
            QCOMPARE(editor.periodicityEnabled(), QList<bool>(6, false));
            editor.text()->setPlainText(QStringLiteral("second, changed"));
            editor.radio(1)->click();
            editor.calendar()->setSelectedDate(QDate(2026, 6, 3));
            editor.time()->setTime(QTime(17, 5));
            editor.ok()->click();
        });
    QVERIFY(ran);
    const NotesCollection stored = storedNotes(m_dir->path());
    QCOMPARE(textsOf(stored),
             (QStringList{QStringLiteral("first"), QStringLiteral("second, changed"), QStringLiteral("third")}));
    QCOMPARE(stored[1].Importance, quint8(1));
    QCOMPARE(deadlineOf(stored[1]), QDateTime(QDate(2026, 6, 3), QTime(17, 5)));
    QCOMPARE(stored[1].Location, QStringLiteral("Lab"));
    QCOMPARE(window->noteEditor()->mode(), NoteEditorDialog::EditMode); // closing leaves the mode as it was
}

void TestNoteEditor::edit_noDeadline_okStoresNoteUnchanged()
{
    TNotesData original =
        makeNote(QStringLiteral("two\r\nlines"), 3, 100, false, DateTime::kNoDeadline, QStringLiteral("Garage"));
    auto window = startWithNotes(m_dir->path(), {makeNote(QStringLiteral("other")), original});
    selectRow(*window, 1);
    const bool ran = whileEditorOpen(
        *window, [&] { window->notesPage()->ListView1DblClick(); },
        [](Editor &editor) {
            QCOMPARE(editor.location()->text(), QStringLiteral("Garage"));
            QVERIFY(!editor.deadline()->isChecked());
            QVERIFY(!editor.calendar()->isEnabled());
            QCOMPARE(editor.calendar()->selectedDate(), QDate(2026, 3, 5));
            QCOMPARE(editor.time()->time().toString(QStringLiteral("HH:mm")), QStringLiteral("09:41"));
            editor.ok()->click();
        });
    QVERIFY(ran);
    const NotesCollection stored = storedNotes(m_dir->path());
    QCOMPARE(stored.size(), 2);
    original.ID = 1;
    QCOMPARE(stored[1], original);
}

void TestNoteEditor::edit_outsideCollection_doesNotOpen()
{
    auto window = startWithNotes(m_dir->path(), {makeNote(QStringLiteral("only"))});
    QVERIFY(!whileEditorOpen(
        *window, [&] { window->noteEditor()->openForEdit(1); }, [](Editor &) {}));
    QCOMPARE(window->noteEditor()->editedPosition(), 1);
    // Without a selected row "Edit" does nothing at all.
    QVERIFY(!whileEditorOpen(
        *window, [&] { trigger(*window, "Edit1"); }, [](Editor &) {}));
    QVERIFY(!QFile::exists(m_dir->filePath(QStringLiteral("data.txt"))));
}

void TestNoteEditor::cancelAndEsc_changeNothing_data()
{
    QTest::addColumn<QByteArray>("control"); // where Esc is pressed; empty for "Cancel"
    QTest::newRow("cancel") << QByteArray();
    QTest::newRow("esc in text") << QByteArray("JvMemo1");
    QTest::newRow("esc in location") << QByteArray("Edit1");
    QTest::newRow("esc in calendar") << QByteArray("MonthCalendar1");
    QTest::newRow("esc in time") << QByteArray("JvTimeEdit1");
}

void TestNoteEditor::cancelAndEsc_changeNothing()
{
    QFETCH(QByteArray, control);
    auto window = startWithNotes(m_dir->path(), {makeNote(QStringLiteral("keep"))});
    selectRow(*window, 0);
    for (const bool edit : {false, true}) {
        const bool ran = whileEditorOpen(
            *window, [&] { edit ? trigger(*window, "Edit1") : addNoteButton(*window)->click(); },
            [&](Editor &editor) {
                editor.text()->setPlainText(QStringLiteral("typed"));
                editor.deadline()->click();
                if (control.isEmpty()) {
                    editor.get<QPushButton>("DsFancyButton2")->click();
                } else {
                    QWidget *target = editor.get<QWidget>(control.constData());
                    if (auto *calendar = qobject_cast<QCalendarWidget *>(target))
                        target = calendar->focusProxy() ? calendar->focusProxy() : calendar;
                    QTest::keyClick(target, Qt::Key_Escape);
                }
                QVERIFY(!editor.form.isVisible());
            });
        QVERIFY(ran);
    }
    QCOMPARE(textsOf(window->notes()), names("keep"));
    QVERIFY(!QFile::exists(m_dir->filePath(QStringLiteral("data.txt"))));
}

void TestNoteEditor::addCommands_doNothingWhileEditorIsOpen()
{
    auto window = startWithNotes(m_dir->path(), {makeNote(QStringLiteral("old text"))});
    selectRow(*window, 0);
    const bool ran = whileEditorOpen(
        *window, [&] { trigger(*window, "Edit1"); },
        [&](Editor &editor) {
            // Should the editor open again inside itself, this closes the inner one so the test can report it.
            QPointer<NoteEditorDialog> dialog(&editor.form);
            QTimer::singleShot(300, dialog, [dialog] { dialog->reject(); });
            QElapsedTimer clock;
            clock.start();
            addNoteButton(*window)->click();
            window->findChild<QAction *>(QStringLiteral("Addnote1"))->trigger();
            window->noteEditor()->openForDay(DateTime::fromQDate(QDate(2026, 9, 9)));
            QVERIFY(clock.elapsed() < 250); // nothing blocked in a nested loop
            QCOMPARE(editor.form.mode(), NoteEditorDialog::EditMode);
            QCOMPARE(editor.text()->toPlainText(), QStringLiteral("old text"));
            editor.text()->setPlainText(QStringLiteral("new text"));
            editor.ok()->click();
        });
    QVERIFY(ran);
    QCOMPARE(textsOf(storedNotes(m_dir->path())), QStringList{QStringLiteral("new text")});
}

QTEST_MAIN(TestNoteEditor)
#include "tst_noteeditor.moc"
