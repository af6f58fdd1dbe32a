#include "ui/dialogs/ZoneChoosers.h"

#include "settings/Settings.h"

#include <QComboBox>
#include <QCompleter>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>

#include <algorithm>

namespace {

QString *zoneIdOf(Settings &settings, int clock)
{
    QString *ids[] = {&settings.TimeZone1Id, &settings.TimeZone2Id, &settings.TimeZone3Id};
    return ids[clock];
}

double shiftOf(const Settings &settings, int clock)
{
    const double shifts[] = {settings.TimeZone1Shift, settings.TimeZone2Shift, settings.TimeZone3Shift};
    return shifts[clock];
}

// Typing any part of a city or of the zone's name finds it.
QComboBox *searchableBox(const QString &name, QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMaxVisibleItems(20);
    box->completer()->setCompletionMode(QCompleter::PopupCompletion);
    box->completer()->setFilterMode(Qt::MatchContains);
    box->completer()->setCaseSensitivity(Qt::CaseInsensitive);
    return box;
}

void addRow(QWidget *beside, const QString &caption, QComboBox *box)
{
    auto *grid = qobject_cast<QGridLayout *>(beside->parentWidget()->layout());
    if (!grid)
        return;
    const int row = grid->rowCount();
    grid->addWidget(new QLabel(caption, beside->parentWidget()), row, 0);
    grid->addWidget(box, row, 1, 1, grid->columnCount() - 1);
}

QString entryText(const WorldZones::Zone &zone)
{
    return zone.city + QStringLiteral(" (") + QString::fromLatin1(zone.id) + QLatin1Char(')');
}

} // namespace

ZoneChoosers::ZoneChoosers(Settings &settings, QWidget *dialog) : QObject(dialog), m_settings(settings)
{
    for (int clock = 0; clock < 3; ++clock) {
        const QString number = QString::number(clock + 1);
        m_captions[clock] = dialog->findChild<QLineEdit *>(QStringLiteral("Edit") + number);
        m_shifts[clock] = dialog->findChild<QDoubleSpinBox *>(QStringLiteral("JvSpinEdit") + number);
        m_zoneBoxes[clock] = searchableBox(QStringLiteral("ZoneComboBox") + number, dialog);
        addRow(m_shifts[clock], QStringLiteral("Time zone"), m_zoneBoxes[clock]);
        connect(m_zoneBoxes[clock], &QComboBox::activated, this, [this, clock](int index) { zoneChosen(clock, index); });
        // The fixed-shift entry names the shift it stands for.
        connect(m_shifts[clock], &QDoubleSpinBox::valueChanged, this, [this, clock](double shift) {
            if (m_filled)
                m_zoneBoxes[clock]->setItemText(0, WorldZones::fixedShiftText(shift));
        });
    }
    m_latDeg = dialog->findChild<QSpinBox *>(QStringLiteral("SpinEdit8"));
    m_latMin = dialog->findChild<QSpinBox *>(QStringLiteral("SpinEdit10"));
    m_lonDeg = dialog->findChild<QSpinBox *>(QStringLiteral("SpinEdit7"));
    m_lonMin = dialog->findChild<QSpinBox *>(QStringLiteral("SpinEdit9"));
    int index = 0;
    for (const char *name : {"JvRadioButton5", "JvRadioButton6", "JvRadioButton7", "JvRadioButton8"})
        m_directions[index++] = dialog->findChild<QRadioButton *>(QLatin1String(name));
    m_placeBox = searchableBox(QStringLiteral("PlaceComboBox"), dialog);
    addRow(m_lonDeg, QStringLiteral("City"), m_placeBox);
    connect(m_placeBox, &QComboBox::activated, this, &ZoneChoosers::placeChosen);
}

void ZoneChoosers::fill()
{
    m_filled = true;
    m_zones = WorldZones::systemZones();
    for (int clock = 0; clock < 3; ++clock) {
        QComboBox *box = m_zoneBoxes[clock];
        box->addItem(WorldZones::fixedShiftText(shiftOf(m_settings, clock)), QString());
        for (const WorldZones::Zone &zone : m_zones)
            box->addItem(entryText(zone), QString::fromLatin1(zone.id));
    }
    m_placeBox->addItem(QStringLiteral("Coordinates as typed"));
    for (qsizetype i = 0; i < m_zones.size(); ++i)
        if (m_zones[i].place)
            m_placeBox->addItem(entryText(m_zones[i]), int(i));
}

void ZoneChoosers::showSettings()
{
    if (!m_filled)
        fill();
    for (int clock = 0; clock < 3; ++clock) {
        QComboBox *box = m_zoneBoxes[clock];
        const QSignalBlocker block(box);
        box->setItemText(0, WorldZones::fixedShiftText(shiftOf(m_settings, clock)));
        const QString &id = *zoneIdOf(m_settings, clock);
        const int found = id.isEmpty() ? 0 : box->findData(id);
        // A zone this system lacks is kept as stored; the clock shows its shift meanwhile.
        box->setCurrentIndex(std::max(found, 0));
        m_shifts[clock]->setEnabled(found <= 0);
    }
    const SunPlace current{m_settings.LatDeg, m_settings.LatMin, m_settings.LatDir,
                           m_settings.LonDeg, m_settings.LonMin, m_settings.LonDir};
    int placeIndex = 0;
    for (int i = 1; i < m_placeBox->count() && placeIndex == 0; ++i) {
        const SunPlace &place = *m_zones[m_placeBox->itemData(i).toInt()].place;
        if (place.latDeg == current.latDeg && place.latMin == current.latMin && place.latNorth == current.latNorth &&
            place.lonDeg == current.lonDeg && place.lonMin == current.lonMin && place.lonEast == current.lonEast)
            placeIndex = i;
    }
    const QSignalBlocker block(m_placeBox);
    m_placeBox->setCurrentIndex(placeIndex);
}

void ZoneChoosers::zoneChosen(int clock, int index)
{
    const QString id = m_zoneBoxes[clock]->itemData(index).toString();
    *zoneIdOf(m_settings, clock) = id;
    m_shifts[clock]->setEnabled(id.isEmpty());
    if (!id.isEmpty())
        m_captions[clock]->setText(WorldZones::cityOf(id.toLatin1()));
}

void ZoneChoosers::placeChosen(int index)
{
    if (index <= 0)
        return;
    const SunPlace &place = *m_zones[m_placeBox->itemData(index).toInt()].place;
    m_latDeg->setValue(place.latDeg);
    m_latMin->setValue(place.latMin);
    m_lonDeg->setValue(place.lonDeg);
    m_lonMin->setValue(place.lonMin);
    m_directions[place.latNorth ? 0 : 1]->setChecked(true);
    m_directions[place.lonEast ? 2 : 3]->setChecked(true);
}
