#pragma once

#include "ReminderLedger.h"

#include "core/IoResult.h"

#include <QByteArray>

// The ledger's last check on disk, beside data.txt: the next start counts missed reminders from it.
// The per-note states travel in the notes' own extra fields.
namespace ReminderLedgerFile {

QByteArray ledgerData(const ReminderLedger &ledger);
// A document that cannot be read leaves the ledger as it was.
IoResult parseLedger(const QByteArray &plain, ReminderLedger *ledger);

} // namespace ReminderLedgerFile
