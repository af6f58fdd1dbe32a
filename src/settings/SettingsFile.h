#pragma once

#include "Settings.h"

#include "core/IoResult.h"
#include "core/KeyValueXmlFile.h"

#include <QByteArray>
#include <QTime>

#include <optional>

// settings.xml: all stored settings as one flat key-value document.
namespace SettingsFile {

// Reads every key in file order from a loaded store. A missing key takes its
// type's default (0, true, empty, 0.0, midnight), not the first start's value;
// numbers are kept within their control's range and each choice group ends with
// exactly one choice on. The unstored shortcut box keeps its value.
void readSettings(const TKeyValueXmlFile &store, Settings *settings);
Settings readSettings(const TKeyValueXmlFile &store);

// Empties the store and writes every key in file order; the newer keys only when set.
void writeSettings(TKeyValueXmlFile &store, const Settings &settings);

// Loads settings.xml's bytes into the store and reads them. A malformed file
// leaves settings untouched and returns the reader's error.
IoResult parseSettings(const QByteArray &plain, TKeyValueXmlFile &store, Settings *settings);
QByteArray settingsData(TKeyValueXmlFile &store, const Settings &settings);

// The conversions behind the two float colours and the two times, exposed for tests.
// Nearest whole number, halves to even, kept to its low 32 bits; nullopt when not
// a finite number within 64 bits.
std::optional<quint32> colourFromFloat(double value);
double colourToFloat(quint32 colour);
QTime timeOfDay(double dateTime);
double timeToDateTime(QTime time);

} // namespace SettingsFile
