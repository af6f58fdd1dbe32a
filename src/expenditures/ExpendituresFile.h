#pragma once

#include "Expenditure.h"

#include "core/DataFile.h"
#include "core/IoResult.h"
#include "core/KeyValueXmlFile.h"

#include <QByteArray>
#include <QString>

// expenditures.txt: the balance, the count and seven keys per transaction.
namespace ExpendituresFile {

QString fileName(); // "expenditures.txt"

// Reads a loaded store. A negative count, or one beyond the entries of the file, is refused
// before anything is allocated; the book stays untouched on any failure.
IoResult readExpenditures(const TKeyValueXmlFile &store, ExpenditureBook *book);

// The plain bytes of the file, as the data-file loader and saver hand them over.
IoResult parseExpenditures(const QByteArray &plain, TKeyValueXmlFile &store, ExpenditureBook *book);
// AllMoney, NumberOfExpenditures and the transactions in order, under the root element the
// last file read had (a hand-edited file keeps its name).
QByteArray expendituresData(const ExpenditureBook &book, const QString &rootName = QStringLiteral("Configuration"));

// The file at `path`, through the cipher when one is given. A missing file leaves the book as it
// is; an unreadable one is kept aside under a new name and leaves the book as it is too.
DataFile::LoadResult loadFile(const QString &path, const DataFileCodec *codec, TKeyValueXmlFile &store,
                              ExpenditureBook *book, const QDateTime &now);
IoResult saveFile(const QString &path, const DataFileCodec *codec, const ExpenditureBook &book,
                  const QString &rootName = QStringLiteral("Configuration"));

} // namespace ExpendituresFile
