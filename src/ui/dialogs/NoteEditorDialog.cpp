#include "ui/dialogs/NoteEditorDialog.h"

#include "ui/dialogs/Messages.h"
#include "ui/widgets/CalendarTyping.h"
#include "ui_NoteEditorDialog.h"

#include "core/Clock.h"
#include "core/LocaleFormats.h"

#include <QKeyEvent>
#include <QScreen>

namespace {

// More notes than this from one repetition are added only when the user confirms.
constexpr qint64 kNotesWithoutAsking = 100;

// Decoration of the "Private" group: a padlock.
QPixmap padlock()
{
    static const QByteArray svg = "<svg xmlns='http://www.w3.org/2000/svg' width='24' height='24' viewBox='0 0 24 24'>"
                                  "<path d='M7 11V8a5 5 0 0 1 10 0v3' fill='none' stroke='#555' stroke-width='2'/>"
                                  "<rect x='4' y='11' width='16' height='11' rx='2' fill='#ecc94b' stroke='#975a16'/>"
                                  "<circle cx='12' cy='16' r='1.8' fill='#975a16'/></svg>";
    QPixmap pixmap;
    pixmap.loadFromData(svg, "SVG");
    return pixmap;
}

} // namespace

NoteEditorDialog::NoteEditorDialog(NotesCollection &notes, const LocaleFormats &formats, QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::NoteEditorDialog>()), m_notes(notes)
{
    m_ui->setupUi(this);
    m_ui->Image1->setPixmap(padlock());
    // Only the four periods have a step; nothing else may be typed in.
    m_ui->ComboBox1->setEditable(false);
    QString dateFormat = formats.shortDate;
    if (!dateFormat.contains(QLatin1String("yyyy")))
        dateFormat.replace(QLatin1String("yy"), QLatin1String("yyyy")); // two-digit years would guess the century
    m_ui->JvDatePickerEdit2->setDisplayFormat(dateFormat);
    m_ui->MonthCalendar1->setDateRange(firstDeadlineDay(), lastDeadlineDay());
    m_ui->JvDatePickerEdit2->setDateRange(firstDeadlineDay(), lastDeadlineDay());
    new CalendarTyping(m_ui->MonthCalendar1, dateFormat);

    connect(m_ui->DsFancyButton1, &QPushButton::clicked, this, &NoteEditorDialog::DsFancyButton1Click);
    connect(m_ui->DsFancyButton2, &QPushButton::clicked, this, &NoteEditorDialog::DsFancyButton2Click);
    connect(m_ui->CheckBox1, &QCheckBox::toggled, this, &NoteEditorDialog::CheckBox1Click);
    // A radio button reports the click that selects it.
    const auto whenSelected = [this](QRadioButton *button, void (NoteEditorDialog::*handler)()) {
        connect(button, &QRadioButton::toggled, this, [this, handler](bool on) {
            if (on)
                (this->*handler)();
        });
    };
    whenSelected(m_ui->RadioButton4, &NoteEditorDialog::RadioButton4Click);
    whenSelected(m_ui->RadioButton5, &NoteEditorDialog::RadioButton5Click);
    whenSelected(m_ui->RadioButton6, &NoteEditorDialog::RadioButton6Click);
    connect(m_ui->MonthCalendar1, &QCalendarWidget::clicked, this, &NoteEditorDialog::MonthCalendar1Click);
    // A day chosen by keys or typed counts as a click.
    connect(m_ui->MonthCalendar1, &QCalendarWidget::selectionChanged, this, &NoteEditorDialog::MonthCalendar1Click);
    connect(m_ui->JvxSlider1, &QSlider::valueChanged, this, &NoteEditorDialog::JvxSlider1Change);

    // Esc closes the editor whichever control has the focus.
    installEventFilter(this);
    for (QWidget *child : findChildren<QWidget *>())
        child->installEventFilter(this);
    FormCreate();
}

NoteEditorDialog::~NoteEditorDialog() = default;

void NoteEditorDialog::openForAdd()
{
    // Modal: a second opening while it is up would nest it inside itself.
    if (isVisible())
        return;
    m_mode = AddMode;
    exec();
}

void NoteEditorDialog::clearText()
{
    m_ui->JvMemo1->clear();
}

void NoteEditorDialog::openForEdit(int position)
{
    if (isVisible())
        return;
    m_mode = EditMode;
    m_editIndex = position;
    if (position < 0 || position >= m_notes.size())
        return;
    exec();
}

void NoteEditorDialog::openForDay(TDateTime day)
{
    if (isVisible())
        return;
    m_mode = AddForDayMode;
    m_ui->MonthCalendar1->setSelectedDate(DateTime::toQDate(day));
    exec();
}

void NoteEditorDialog::FormCreate()
{
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    m_ui->MonthCalendar1->setSelectedDate(Clock::now().date());
    m_ui->JvDatePickerEdit2->setDate(Clock::now().date());
}

void NoteEditorDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    FormShow();
    adjustSize();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void NoteEditorDialog::FormShow()
{
    if (m_mode == EditMode)
        prepareForEditing();
    else
        prepareForAdding(m_mode == AddForDayMode);
}

void NoteEditorDialog::prepareForAdding(bool deadline)
{
    setWindowTitle(QStringLiteral("Add note"));
    m_ui->JvMemo1->setFocus();
    m_ui->JvTimeEdit1->setTime(QTime(0, 0));
    m_ui->JvMemo1->clear();
    m_ui->Edit1->clear();
    m_ui->JvxSlider1->setValue(0);
    m_ui->JvCheckBox1->setChecked(false);
    m_ui->RadioButton3->setChecked(true);
    m_ui->CheckBox1->setChecked(deadline);
    if (!deadline)
        m_ui->MonthCalendar1->setSelectedDate(Clock::now().date());
    else
        m_ui->JvDatePickerEdit2->setDate(m_ui->MonthCalendar1->selectedDate());
    m_ui->MonthCalendar1->setEnabled(deadline);
    m_ui->RadioButton4->setChecked(true);
    // The period list and the day count keep their last values.
    enablePeriodicity(deadline, false, false, false);
}

void NoteEditorDialog::prepareForEditing()
{
    setWindowTitle(QStringLiteral("Edit"));
    if (m_editIndex < 0 || m_editIndex >= m_notes.size())
        return;
    const TNotesData &note = m_notes[m_editIndex];
    m_ui->JvMemo1->setPlainText(note.Text);
    m_ui->JvMemo1->setFocus();
    switch (note.Importance) {
    case 1:
        m_ui->RadioButton1->setChecked(true);
        break;
    case 2:
        m_ui->RadioButton2->setChecked(true);
        break;
    case 3:
        m_ui->RadioButton3->setChecked(true);
        break;
    default:
        break;
    }
    m_ui->JvxSlider1->setValue(note.Progress);
    m_ui->JvCheckBox1->setChecked(note.PrivateMsg);
    m_ui->Edit1->setText(note.Location);

    const QDateTime deadline = DateTime::toQDateTime(note.Deadline);
    const bool hasDeadline = note.Deadline != DateTime::kNoDeadline;
    m_ui->CheckBox1->setChecked(hasDeadline);
    // A deadline beyond the calendar's reach is shown as now; "OK" then stores what is shown.
    const bool reachable =
        deadline.isValid() && deadline.date() >= firstDeadlineDay() && deadline.date() <= lastDeadlineDay();
    const QDateTime shown = hasDeadline && reachable ? deadline : Clock::now();
    m_ui->MonthCalendar1->setSelectedDate(shown.date());
    m_ui->JvTimeEdit1->setTime(shown.time());
    m_ui->MonthCalendar1->setEnabled(hasDeadline);
    // An edit never repeats a note; the choices stay as they were, out of reach.
    enablePeriodicity(false, false, false, false);
}

void NoteEditorDialog::enablePeriodicity(bool choices, bool period, bool everyDays, bool endDate)
{
    m_ui->RadioButton4->setEnabled(choices);
    m_ui->RadioButton5->setEnabled(choices);
    m_ui->RadioButton6->setEnabled(choices);
    m_ui->ComboBox1->setEnabled(period);
    m_ui->JvSpinEdit1->setEnabled(everyDays);
    m_ui->JvDatePickerEdit2->setEnabled(endDate);
}

void NoteEditorDialog::CheckBox1Click()
{
    const bool ticked = m_ui->CheckBox1->isChecked();
    m_ui->MonthCalendar1->setEnabled(ticked);
    if (m_mode == EditMode)
        return;
    if (ticked) {
        m_ui->JvDatePickerEdit2->setDate(m_ui->MonthCalendar1->selectedDate());
        m_ui->RadioButton4->setChecked(true);
        enablePeriodicity(true, false, false, false);
    } else {
        enablePeriodicity(false, false, false, false);
    }
}

void NoteEditorDialog::RadioButton4Click()
{
    m_ui->ComboBox1->setEnabled(false);
    m_ui->JvSpinEdit1->setEnabled(false);
    m_ui->JvDatePickerEdit2->setEnabled(false);
}

void NoteEditorDialog::RadioButton5Click()
{
    m_ui->ComboBox1->setEnabled(true);
    m_ui->JvSpinEdit1->setEnabled(false);
    m_ui->JvDatePickerEdit2->setEnabled(true);
}

void NoteEditorDialog::RadioButton6Click()
{
    m_ui->JvSpinEdit1->setEnabled(true);
    m_ui->ComboBox1->setEnabled(false);
    m_ui->JvDatePickerEdit2->setEnabled(true);
}

void NoteEditorDialog::MonthCalendar1Click()
{
    const QDate chosen = m_ui->MonthCalendar1->selectedDate();
    if (chosen > m_ui->JvDatePickerEdit2->date())
        m_ui->JvDatePickerEdit2->setDate(chosen);
}

void NoteEditorDialog::JvxSlider1Change()
{
    m_ui->JvLabel1->setText(QString::number(m_ui->JvxSlider1->value()) + QStringLiteral(" %"));
}

TDateTime NoteEditorDialog::composedDeadline() const
{
    if (!m_ui->CheckBox1->isChecked())
        return DateTime::kNoDeadline;
    return composeDeadline(m_ui->MonthCalendar1->selectedDate(), m_ui->JvTimeEdit1->time());
}

RepeatRule NoteEditorDialog::repeatRule() const
{
    if (m_ui->RadioButton6->isChecked())
        return {RepeatKind::EveryNDays, m_ui->JvSpinEdit1->value()};
    if (m_ui->RadioButton5->isChecked()) {
        const RepeatKind periods[] = {RepeatKind::EveryDay, RepeatKind::EveryWeek, RepeatKind::EveryMonth,
                                      RepeatKind::EveryYear};
        const int index = m_ui->ComboBox1->currentIndex();
        if (index >= 0 && index < 4)
            return {periods[index], 1};
    }
    return {};
}

TNotesData NoteEditorDialog::noteFromControls() const
{
    TNotesData note;
    note.Importance = m_ui->RadioButton1->isChecked() ? 1 : m_ui->RadioButton2->isChecked() ? 2 : 3;
    note.PrivateMsg = m_ui->JvCheckBox1->isChecked();
    note.Progress = static_cast<quint8>(m_ui->JvxSlider1->value());
    // Lines of a note are kept with CR LF between them, as the files and the other views expect.
    note.Text = m_ui->JvMemo1->toPlainText().replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    note.Location = m_ui->Edit1->text();
    return note;
}

void NoteEditorDialog::DsFancyButton1Click()
{
    if (m_mode == EditMode) {
        if (m_editIndex >= 0 && m_editIndex < m_notes.size()) {
            TNotesData note = noteFromControls();
            note.Deadline = composedDeadline();
            note.ID = m_notes[m_editIndex].ID;
            note.uid = m_notes[m_editIndex].uid;
            note.extra = m_notes[m_editIndex].extra;
            m_notes[m_editIndex] = note;
        }
    } else {
        const RepeatRule rule = repeatRule();
        const bool hasDeadline = m_ui->CheckBox1->isChecked();
        const QDate start = m_ui->MonthCalendar1->selectedDate();
        const QDate end = m_ui->JvDatePickerEdit2->date();
        if (hasDeadline && rule.kind != RepeatKind::None) {
            const qint64 count = repetitionCount(start, end, rule);
            // A wrong end date or period could flood the list; No leaves the editor open to change them.
            if (count > kNotesWithoutAsking &&
                !Messages::question(this, QStringLiteral("This adds %1 notes. Add them?").arg(count)))
                return;
        }
        appendEditorNotes(m_notes, noteFromControls(), hasDeadline, start, m_ui->JvTimeEdit1->time(), rule, end);
    }
    Q_EMIT notesEdited();
    reject();
}

void NoteEditorDialog::DsFancyButton2Click()
{
    reject();
}

void NoteEditorDialog::FormKeyDown(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        reject();
}

bool NoteEditorDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape && isVisible()) {
        FormKeyDown(static_cast<QKeyEvent *>(event));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
