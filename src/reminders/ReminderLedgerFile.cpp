#include "ReminderLedgerFile.h"

#include "core/KeyValueXmlFile.h"

namespace ReminderLedgerFile {

namespace {
const QString kLastChecked = QStringLiteral("LastChecked");
} // namespace

QByteArray ledgerData(const ReminderLedger &ledger)
{
    TKeyValueXmlFile store;
    // Full precision and no locale, as the notes' own reminder fields.
    if (!qIsNaN(ledger.lastChecked()))
        store.WriteString(kLastChecked, QString::number(ledger.lastChecked(), 'g', 17));
    return store.SaveToData();
}

IoResult parseLedger(const QByteArray &plain, ReminderLedger *ledger)
{
    TKeyValueXmlFile store;
    if (IoResult loaded = store.LoadFromData(plain); !loaded)
        return loaded;
    bool ok = false;
    const double value = store.ReadString(kLastChecked, QString()).toDouble(&ok);
    ledger->setLastChecked(ok && qIsFinite(value) ? value : qQNaN());
    return IoResult::success();
}

} // namespace ReminderLedgerFile
