#include "ExpendituresFile.h"

#include "core/KeyValueXmlWriter.h"

namespace ExpendituresFile {

namespace {

const QString kAllMoney = QStringLiteral("AllMoney");
const QString kCount = QStringLiteral("NumberOfExpenditures");

} // namespace

QString fileName()
{
    return QStringLiteral("expenditures.txt");
}

IoResult readExpenditures(const TKeyValueXmlFile &store, ExpenditureBook *book)
{
    const qint32 count = store.ReadInteger(kCount, 0);
    if (count < 0)
        return IoResult::failure(QStringLiteral("The number of transactions is not valid (%1).").arg(count));
    // Missing keys are allowed, but every transaction leaves at least one entry behind;
    // a larger count is damage, not transactions.
    if (count > store.entryCount())
        return IoResult::failure(
            QStringLiteral("The number of transactions (%1) is larger than the file could hold.").arg(count));

    ExpenditureBook loaded;
    loaded.AllMoney = store.ReadFloat(kAllMoney, 0);
    loaded.Expenditures.resize(count);
    for (qint32 i = 0; i < count; ++i) {
        TExpenditure &e = loaded.Expenditures[i];
        e.Name = store.ReadString(TKeyValueXmlFile::indexedKey("Name", i), QString());
        e.Value = store.ReadFloat(TKeyValueXmlFile::indexedKey("Value", i), 0);
        e.Periodicity = static_cast<quint8>(store.ReadInteger(TKeyValueXmlFile::indexedKey("Periodicity", i), 0));
        e.Type = static_cast<quint8>(store.ReadInteger(TKeyValueXmlFile::indexedKey("Type", i), 0));
        e.Date = store.ReadFloat(TKeyValueXmlFile::indexedKey("Date", i), 0);
        // A transaction without a state has already counted: it must not touch the balance again.
        e.Occured = store.ReadBoolean(TKeyValueXmlFile::indexedKey("Occured", i), true);
        e.IsExpenditure = store.ReadBoolean(TKeyValueXmlFile::indexedKey("IsExpenditure", i), true);
    }
    *book = std::move(loaded);
    return IoResult::success();
}

IoResult parseExpenditures(const QByteArray &plain, TKeyValueXmlFile &store, ExpenditureBook *book)
{
    store.Clear();
    if (IoResult loaded = store.LoadFromData(plain); !loaded)
        return loaded;
    return readExpenditures(store, book);
}

QByteArray expendituresData(const ExpenditureBook &book, const QString &rootName)
{
    KeyValueXmlWriter writer = KeyValueXmlWriter::withRoot(rootName);
    // Seven elements of about forty bytes a transaction, and its name.
    writer.reserve(160 + book.Expenditures.size() * 320);
    writer.writeFloat({"AllMoney"}, book.AllMoney);
    writer.writeInteger({"NumberOfExpenditures"}, static_cast<qint32>(book.Expenditures.size()));
    for (qsizetype i = 0; i < book.Expenditures.size(); ++i) {
        const TExpenditure &e = book.Expenditures[i];
        writer.writeString({"Name", i}, e.Name);
        writer.writeFloat({"Value", i}, e.Value);
        writer.writeInteger({"Periodicity", i}, e.Periodicity);
        writer.writeInteger({"Type", i}, e.Type);
        writer.writeFloat({"Date", i}, e.Date);
        writer.writeBoolean({"Occured", i}, e.Occured);
        writer.writeBoolean({"IsExpenditure", i}, e.IsExpenditure);
    }
    return writer.finish();
}

DataFile::LoadResult loadFile(const QString &path, const DataFileCodec *codec, TKeyValueXmlFile &store,
                              ExpenditureBook *book, const QDateTime &now)
{
    return DataFile::load(
        path, codec, [&](const QByteArray &plain) { return parseExpenditures(plain, store, book); }, now);
}

IoResult saveFile(const QString &path, const DataFileCodec *codec, const ExpenditureBook &book, const QString &rootName)
{
    return DataFile::save(path, expendituresData(book, rootName), codec);
}

} // namespace ExpendituresFile
