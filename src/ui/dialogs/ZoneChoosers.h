#pragma once

#include "daypanels/WorldZones.h"

#include <QObject>

#include <array>

class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;
struct Settings;

// The settings dialog's searchable lists of the system's time zones: one per world clock, and one of
// the cities with known coordinates for the sun panel's place. They write the record and the
// dialog's own controls (the caption, the place's degrees), which write on as typed ones do.
class ZoneChoosers final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ZoneChoosers)

public:
    ZoneChoosers(Settings &settings, QWidget *dialog);

    // Shows what the record holds; the lists are filled at the first call.
    void showSettings();

private:
    void fill();
    void zoneChosen(int clock, int index);
    void placeChosen(int index);

    Settings &m_settings;
    QList<WorldZones::Zone> m_zones;
    std::array<QComboBox *, 3> m_zoneBoxes{};
    std::array<QLineEdit *, 3> m_captions{};
    std::array<QDoubleSpinBox *, 3> m_shifts{};
    QComboBox *m_placeBox = nullptr;
    QSpinBox *m_latDeg = nullptr;
    QSpinBox *m_latMin = nullptr;
    QSpinBox *m_lonDeg = nullptr;
    QSpinBox *m_lonMin = nullptr;
    std::array<QRadioButton *, 4> m_directions{}; // north, south, east, west
    bool m_filled = false;
};
