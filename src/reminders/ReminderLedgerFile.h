#pragma once

#include "ReminderLedger.h"

#include "core/IoResult.h"

#include <QByteArray>

// The ledger on disk: a key-value XML document beside data.txt, so that snoozes and the last
// check survive a restart without touching data.txt's own form.
namespace ReminderLedgerFile {

QByteArray ledgerData(const ReminderLedger &ledger);
// A document that cannot be read leaves the ledger as it was.
IoResult parseLedger(const QByteArray &plain, ReminderLedger *ledger);

} // namespace ReminderLedgerFile
