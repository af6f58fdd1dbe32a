#pragma once

#include "Expenditure.h"

#include "core/IoResult.h"

#include <QByteArray>
#include <QString>

// The book's data file: the balance, the count and seven keys per transaction.
namespace ExpendituresFile {

// The plain bytes of the file, as the data-file loader and saver hand them over, and the name of
// its root element. A negative count, or one beyond the entries of the file, is refused before
// anything is allocated; the book stays untouched on any failure.
IoResult parseExpenditures(const QByteArray &plain, ExpenditureBook *book, QString *rootName = nullptr);
// AllMoney, NumberOfExpenditures and the transactions in order, under the root element the
// last file read had (a hand-edited file keeps its name).
QByteArray expendituresData(const ExpenditureBook &book, const QString &rootName = QStringLiteral("Configuration"));

} // namespace ExpendituresFile
