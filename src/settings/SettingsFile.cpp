#include "SettingsFile.h"

#include "SettingsTable.h"

#include "core/DateTime.h"
#include "core/Rounding.h"

#include <algorithm>
#include <cmath>
#include <type_traits>

namespace SettingsFile {

namespace {

QString keyText(const SettingKey &key)
{
    return QString::fromLatin1(key.key.data(), static_cast<qsizetype>(key.key.size()));
}

qint32 withinRange(const SettingKey &key, qint32 value)
{
    return key.hasRange() ? std::clamp(value, key.minimum, key.maximum) : value;
}

void readBoolean(const TKeyValueXmlFile &store, const SettingKey &key, bool Settings::*member, Settings &settings)
{
    // A newer key missing from an older copy's file is off, as it was never set.
    const bool value = store.ReadBoolean(keyText(key), !key.storedWhenSet);
    // A later true choice replaces an earlier one; a false one only clears itself.
    if (value)
        choose(settings, member);
    else
        settings.*member = false;
}

const Settings &firstStart()
{
    static const Settings settings;
    return settings;
}

template <typename Field>
void readField(const TKeyValueXmlFile &store, const SettingKey &key, Field Settings::*member, Settings &settings)
{
    const QString name = keyText(key);
    Field &field = settings.*member;
    if constexpr (std::is_same_v<Field, bool>) {
        readBoolean(store, key, member, settings);
    } else if constexpr (std::is_same_v<Field, qint32>) {
        // A newer key missing from the file was never changed from the first start's value.
        const qint32 missing = key.storedWhenSet ? firstStart().*member : 0;
        field = withinRange(key, store.ReadInteger(name, missing));
    } else if constexpr (std::is_same_v<Field, quint32>) {
        if (key.type == SettingType::Float)
            field = colourFromFloat(store.ReadFloat(name, 0)).value_or(0);
        else
            field = static_cast<quint32>(store.ReadInteger(name, 0));
    } else if constexpr (std::is_same_v<Field, QString>) {
        field = store.ReadString(name, QString());
    } else if constexpr (std::is_same_v<Field, double>) {
        // A shift that is not a number would leave the clocks without a time to show.
        const double value = store.ReadFloat(name, 0);
        field = std::isfinite(value) ? value : 0;
    } else if constexpr (std::is_same_v<Field, QTime>) {
        field = timeOfDay(store.ReadDateTime(name, 0));
    } else {
        static_assert(!sizeof(Field), "setting of an unknown type");
    }
}

template <typename Field>
void writeField(TKeyValueXmlFile &store, const SettingKey &key, Field Settings::*member, const Field &field)
{
    if (key.storedWhenSet && field == firstStart().*member)
        return;
    const QString name = keyText(key);
    if constexpr (std::is_same_v<Field, bool>) {
        if (key.writtenWhenChanged && field)
            return;
        store.WriteBoolean(name, field);
    } else if constexpr (std::is_same_v<Field, qint32>) {
        store.WriteInteger(name, field);
    } else if constexpr (std::is_same_v<Field, quint32>) {
        if (key.type == SettingType::Float)
            store.WriteFloat(name, colourToFloat(field));
        else
            store.WriteInteger(name, static_cast<qint32>(field));
    } else if constexpr (std::is_same_v<Field, QString>) {
        store.WriteString(name, field);
    } else if constexpr (std::is_same_v<Field, double>) {
        store.WriteFloat(name, field);
    } else if constexpr (std::is_same_v<Field, QTime>) {
        store.WriteDateTime(name, timeToDateTime(field));
    } else {
        static_assert(!sizeof(Field), "setting of an unknown type");
    }
}

} // namespace

std::optional<quint32> colourFromFloat(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double rounded = Rounding::halfToEven(value);
    // 2^63 itself does not fit a signed 64-bit integer.
    if (rounded >= 9223372036854775808.0 || rounded < -9223372036854775808.0)
        return std::nullopt;
    return static_cast<quint32>(static_cast<quint64>(static_cast<qint64>(rounded)));
}

double colourToFloat(quint32 colour)
{
    // Colours are signed 32-bit values on disk: all bits set is stored as -1.
    return static_cast<double>(static_cast<qint32>(colour));
}

QTime timeOfDay(double dateTime)
{
    if (!std::isfinite(dateTime))
        return QTime(0, 0);
    // Before 30 December 1899 the fraction still counts forward from midnight.
    const double fraction = std::fabs(dateTime - std::trunc(dateTime));
    qint64 msecs = std::llround(fraction * DateTime::kMsPerDay);
    if (msecs >= DateTime::kMsPerDay)
        msecs = 0;
    return QTime::fromMSecsSinceStartOfDay(static_cast<int>(msecs));
}

double timeToDateTime(QTime time)
{
    if (!time.isValid())
        return 0;
    return static_cast<double>(time.msecsSinceStartOfDay()) / DateTime::kMsPerDay;
}

void readSettings(const TKeyValueXmlFile &store, Settings *settings)
{
    Settings &target = *settings;
    forEachSetting([&](const SettingKey &key, auto member) { readField(store, key, member, target); });

    for (const ChoiceGroup &group : kChoiceGroups) {
        const bool anyChosen =
            std::any_of(group.choices.begin(), group.choices.begin() + static_cast<std::ptrdiff_t>(group.count),
                        [&](bool Settings::*choice) { return target.*choice; });
        if (!anyChosen)
            target.*(group.choices[group.whenNoneChosen]) = true;
    }
}

Settings readSettings(const TKeyValueXmlFile &store)
{
    Settings settings;
    readSettings(store, &settings);
    return settings;
}

void writeSettings(TKeyValueXmlFile &store, const Settings &settings)
{
    store.Clear();
    forEachSetting([&](const SettingKey &key, auto member) { writeField(store, key, member, settings.*member); });
}

IoResult parseSettings(const QByteArray &plain, TKeyValueXmlFile &store, Settings *settings)
{
    store.Clear();
    if (IoResult loaded = store.LoadFromData(plain); !loaded)
        return loaded;
    readSettings(store, settings);
    return IoResult::success();
}

QByteArray settingsData(TKeyValueXmlFile &store, const Settings &settings)
{
    writeSettings(store, settings);
    return store.SaveToData();
}

} // namespace SettingsFile
