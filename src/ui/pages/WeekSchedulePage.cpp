#include "ui/pages/WeekSchedulePage.h"

#include "ui/widgets/Appearance.h"
#include "ui/widgets/DayListView.h"
#include "ui/widgets/ImageList.h"
#include "ui/widgets/Switch.h"

#include "core/Clock.h"
#include "core/ProgramState.h"
#include "noteviews/NotesViews.h"
#include "schedule/WeekDayChange.h"
#include "schedule/WeekSchedule.h"
#include "settings/Settings.h"
#include "settings/SettingsEffects.h"

#include <QApplication>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QResizeEvent>
#include <QSignalBlocker>
#include <QStandardItemModel>
#include <QVBoxLayout>

namespace {

// Colours are stored with red in the lowest byte.
QColor storedColour(quint32 value)
{
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

quint32 weekdayColour(const Settings &settings, int dayOfWeek)
{
    static constexpr quint32 Settings::*kColours[] = {&Settings::MoBackgroundColor,  &Settings::TueBackgroundColor,
                                                      &Settings::WedBackgroundColor, &Settings::ThuBackgroundColor,
                                                      &Settings::FrBackgroundColor,  &Settings::SaBackgroundColor,
                                                      &Settings::SuBackgroundColor};
    if (dayOfWeek < 1 || dayOfWeek > 7)
        return 0xFFFFFF; // a date out of range has no weekday
    return settings.*kColours[dayOfWeek - 1];
}

QList<QStandardItem *> rowItems(const DayRow &row)
{
    auto *text = new QStandardItem(row.text);
    text->setToolTip(row.text);
    if (row.icon >= 0)
        text->setIcon(ImageList1::icon(row.icon));
    return {text, new QStandardItem(row.id)};
}

} // namespace

WeekSchedulePage::WeekSchedulePage(QWidget *parent) : QWidget(parent), m_formats(LocaleFormats::system())
{
    buildNavigationBar();
    m_topRow = new QWidget(this);
    m_topRow->setObjectName(QStringLiteral("Panel4"));
    m_bottomRow = new QWidget(this);
    m_bottomRow->setObjectName(QStringLiteral("Panel3"));
    m_rightColumn = new QWidget(m_bottomRow);
    m_rightColumn->setObjectName(QStringLiteral("Panel5"));
    for (int day = 0; day < kDays; ++day)
        buildDayList(day);
    PageControl1Resize();
}

QTreeView *WeekSchedulePage::dayList(int day) const
{
    return m_days[day];
}

void WeekSchedulePage::attach(WeekScheduleHost host)
{
    m_host = std::move(host);
}

void WeekSchedulePage::buildNavigationBar()
{
    m_bar = new QWidget(this);
    m_bar->setObjectName(QStringLiteral("Panel2"));
    QFont bold = m_bar->font();
    bold.setBold(true);
    m_bar->setFont(bold);
    // Two rows: in one, the date and the two captioned switches do not fit the narrow main window.
    auto *rows = new QVBoxLayout(m_bar);
    rows->setContentsMargins(2, 2, 2, 2);
    rows->setSpacing(2);
    auto *layout = new QHBoxLayout;
    layout->setSpacing(2);
    auto *switches = new QHBoxLayout;
    switches->setSpacing(8);
    rows->addLayout(layout);
    rows->addLayout(switches);
    const auto button = [this, layout](const char *name, const QString &caption, void (WeekSchedulePage::*click)()) {
        auto *b = new QPushButton(caption, m_bar);
        b->setObjectName(QLatin1String(name));
        b->setFixedWidth(28);
        layout->addWidget(b);
        connect(b, &QPushButton::clicked, this, click);
        return b;
    };
    button("DsFancyButton2", QStringLiteral("<"), &WeekSchedulePage::DsFancyButton2Click);
    button("DsFancyButton3", QStringLiteral(">"), &WeekSchedulePage::DsFancyButton3Click);
    QPushButton *today = button("DsFancyButton4", QString(), &WeekSchedulePage::DsFancyButton4Click);
    today->setIcon(ImageList1::icon(ImageList1::TodayHeader));
    today->setToolTip(QStringLiteral("Today"));
    button("DsFancyButton7", QStringLiteral("<-7"), &WeekSchedulePage::DsFancyButton7Click);
    button("DsFancyButton6", QStringLiteral("+7>"), &WeekSchedulePage::DsFancyButton6Click);
    m_picker = new QDateEdit(m_bar);
    m_picker->setObjectName(QStringLiteral("JvDateTimePicker1"));
    m_picker->setCalendarPopup(true);
    layout->addWidget(m_picker, 1);
    connect(m_picker, &QDateEdit::dateChanged, this, &WeekSchedulePage::JvDateTimePicker1Change);
    m_timeSwitch = new Switch(QStringLiteral("time"), m_bar);
    m_timeSwitch->setObjectName(QStringLiteral("JvSwitch5"));
    m_timeSwitch->setToolTip(QStringLiteral("Show time"));
    m_timeSwitch->setChecked(true);
    m_sortingSwitch = new Switch(QStringLiteral("sorting"), m_bar);
    m_sortingSwitch->setObjectName(QStringLiteral("JvSwitch4"));
    m_sortingSwitch->setToolTip(QStringLiteral("Sorting"));
    switches->addWidget(m_timeSwitch);
    switches->addWidget(m_sortingSwitch);
    switches->addStretch();
    // Clicks only: the switches also follow the settings without counting as a choice.
    connect(m_timeSwitch, &Switch::clicked, this, &WeekSchedulePage::JvSwitch5Click);
    connect(m_sortingSwitch, &Switch::clicked, this, &WeekSchedulePage::JvSwitch4Click);
}

void WeekSchedulePage::buildDayList(int day)
{
    QWidget *parent = day < 3 ? m_topRow : day < 5 ? m_bottomRow : m_rightColumn;
    auto *list = new DayListView(parent);
    list->setObjectName(QStringLiteral("ListView%1").arg(day + 4));
    auto *model = new QStandardItemModel(0, 2, list);
    model->setHorizontalHeaderLabels({QStringLiteral("Mo"), QStringLiteral("ID")});
    list->setModel(model);
    list->header()->setStretchLastSection(false);
    list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    list->setColumnHidden(1, true);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(13);
    list->setFont(font);
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    list->setDropHandlers([this](const QObject *source) { return DayListDragOver(source); },
                          [this, day](const QObject *source) { DayListDragDrop(day, source); });
    connect(list, &QAbstractItemView::doubleClicked, this, [this, day] { EditClick(day); });
    m_days[day] = list;
    m_models[day] = model;
    buildMenu(day);
}

void WeekSchedulePage::setSwitches(bool showTime, bool sortByTime)
{
    const QSignalBlocker blockTime(m_timeSwitch);
    const QSignalBlocker blockSorting(m_sortingSwitch);
    m_timeSwitch->setChecked(showTime);
    m_sortingSwitch->setChecked(sortByTime);
}

void WeekSchedulePage::setListsFont(const QFont &font)
{
    for (DayListView *list : m_days)
        list->setFont(font);
}

void WeekSchedulePage::FillWeekSchedule()
{
    if (!attached())
        return;
    const NotesFilter filter = m_host.filter ? m_host.filter() : NotesFilter{};
    showWeek(weekSchedule(*m_host.notes, DateTime::toQDate(m_host.state->WeekStart), DateTime::toQDate(Clock::today()),
                          weekScheduleOptions(*m_host.settings, filter), m_formats));
}

void WeekSchedulePage::showWeek(const WeekSchedule &week)
{
    if (!attached())
        return;
    const Settings &settings = *m_host.settings;
    {
        const QSignalBlocker blocker(m_picker);
        m_picker->setDate(week[0].date);
    }
    for (int k = 0; k < kDays; ++k) {
        const DayList &day = week[static_cast<size_t>(k)];
        QStandardItemModel *model = m_models[k];
        if (day.header)
            model->setHeaderData(0, Qt::Horizontal, *day.header);
        model->setRowCount(0);
        QPalette palette = m_days[k]->palette();
        // The weekday colours are pale tints chosen for dark text; on a dark desktop they turn deep. The
        // desktop's palette decides: during a switch the list may not have taken it yet.
        palette.setColor(QPalette::Base, Appearance::readable(storedColour(weekdayColour(settings, day.dayOfWeek)),
                                                              QApplication::palette(m_days[k])));
        m_days[k]->setPalette(palette);
        for (const DayRow &row : day.rows)
            model->appendRow(rowItems(row));
        model->setHeaderData(0, Qt::Horizontal,
                             day.headerIcon >= 0 ? QVariant(ImageList1::icon(day.headerIcon)) : QVariant(),
                             Qt::DecorationRole);
    }
}

void WeekSchedulePage::followDayChange()
{
    if (!attached())
        return;
    const QDateTime now = Clock::now();
    QDate weekStart = DateTime::toQDate(m_host.state->WeekStart);
    if (!weekDayChangeTick(now.time(), now.date(), weekStart, m_host.state->DayChangePending))
        return;
    m_host.state->WeekStart = DateTime::fromQDate(weekStart);
    m_host.refreshNotes();
}

void WeekSchedulePage::setWeekStart(TDateTime day)
{
    if (!attached())
        return;
    m_host.state->WeekStart = DateTime::dateOf(day);
    FillWeekSchedule();
}

void WeekSchedulePage::moveWeekStart(int days)
{
    if (attached())
        setWeekStart(m_host.state->WeekStart + days);
}

TDateTime WeekSchedulePage::dayDate(int day) const
{
    return m_host.state->WeekStart + day;
}

void WeekSchedulePage::DsFancyButton2Click()
{
    moveWeekStart(-1);
}

void WeekSchedulePage::DsFancyButton3Click()
{
    moveWeekStart(1);
}

void WeekSchedulePage::DsFancyButton4Click()
{
    setWeekStart(Clock::today());
}

void WeekSchedulePage::DsFancyButton6Click()
{
    moveWeekStart(7);
}

void WeekSchedulePage::DsFancyButton7Click()
{
    moveWeekStart(-7);
}

void WeekSchedulePage::JvDateTimePicker1Change(QDate picked)
{
    if (picked.isValid())
        setWeekStart(DateTime::fromQDate(picked));
}

void WeekSchedulePage::JvSwitch5Click()
{
    if (!attached())
        return;
    m_host.settings->ShowTimeWeekSchedule = m_timeSwitch->isChecked();
    FillWeekSchedule();
}

void WeekSchedulePage::JvSwitch4Click()
{
    if (!attached())
        return;
    SettingsEffects::setWeekSortFromSwitch(*m_host.settings, m_sortingSwitch->isChecked());
    FillWeekSchedule();
}

void WeekSchedulePage::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    PageControl1Resize();
}

void WeekSchedulePage::PageControl1Resize()
{
    // Whole-pixel halves and thirds; what they leave over stays empty.
    const int barHeight = m_bar->sizeHint().height();
    const int rowHeight = std::max(0, height() - barHeight) / 2;
    m_bar->setGeometry(0, 0, width(), barHeight);
    m_topRow->setGeometry(0, barHeight, width(), rowHeight);
    m_bottomRow->setGeometry(0, height() - rowHeight, width(), rowHeight);
    const int w = m_bottomRow->width() / 3;
    for (int k = 0; k < 3; ++k)
        m_days[k]->setGeometry(k * w, 0, w, rowHeight);
    m_days[3]->setGeometry(0, 0, w, rowHeight);
    m_days[4]->setGeometry(w, 0, w, rowHeight);
    m_rightColumn->setGeometry(2 * w, 0, w, rowHeight);
    const int half = m_rightColumn->height() / 2;
    m_days[5]->setGeometry(0, 0, w, half);
    m_days[6]->setGeometry(0, half, w, half);
}
