#include "ReminderLedgerFile.h"

#include "core/KeyValueXmlFile.h"

#include <algorithm>

namespace ReminderLedgerFile {

namespace {

// Full precision and no locale: a time read back must equal the one written, or the alert repeats.
QString timeText(TDateTime value)
{
    return qIsNaN(value) ? QString() : QString::number(value, 'g', 17);
}

TDateTime timeOf(const QString &text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok && qIsFinite(value) ? value : qQNaN();
}

QString field(int index, const char *name)
{
    return QStringLiteral("Reminder%1%2").arg(index).arg(QLatin1StringView(name));
}

} // namespace

QByteArray ledgerData(const ReminderLedger &ledger)
{
    TKeyValueXmlFile store;
    store.WriteString(QStringLiteral("LastChecked"), timeText(ledger.lastChecked()));
    // Sorted, so that an unchanged ledger is written byte for byte the same.
    QStringList keys = ledger.states().keys();
    keys.sort();
    store.WriteInteger(QStringLiteral("Count"), static_cast<qint32>(keys.size()));
    for (qsizetype i = 0; i < keys.size(); ++i) {
        const ReminderState state = ledger.states().value(keys[i]);
        const int index = static_cast<int>(i);
        store.WriteString(field(index, "Note"), keys[i]);
        store.WriteString(field(index, "Due"), timeText(state.deliveredDue));
        if (state.isSnoozed())
            store.WriteString(field(index, "Until"), timeText(state.snoozedUntil));
    }
    return store.SaveToData();
}

IoResult parseLedger(const QByteArray &plain, ReminderLedger *ledger)
{
    TKeyValueXmlFile store;
    if (IoResult loaded = store.LoadFromData(plain); !loaded)
        return loaded;
    // Three entries a note at most: a larger count is not believed.
    const int count = std::clamp(store.ReadInteger(QStringLiteral("Count"), 0), 0, store.entryCount());
    QHash<QString, ReminderState> states;
    for (int i = 0; i < count; ++i) {
        const QString key = store.ReadString(field(i, "Note"), QString());
        const TDateTime due = timeOf(store.ReadString(field(i, "Due"), QString()));
        if (key.isEmpty() || qIsNaN(due))
            continue;
        states.insert(key, ReminderState{due, timeOf(store.ReadString(field(i, "Until"), QString()))});
    }
    ledger->setStates(states);
    ledger->setLastChecked(timeOf(store.ReadString(QStringLiteral("LastChecked"), QString())));
    return IoResult::success();
}

} // namespace ReminderLedgerFile
