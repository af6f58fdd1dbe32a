#include "ExpendituresFile.h"

#include <charconv>

namespace ExpendituresFile {

namespace {

const QString kAllMoney = QStringLiteral("AllMoney");
const QString kCount = QStringLiteral("NumberOfExpenditures");

// "Name12": made once per field of every record on each load and save, so in one allocation.
QString key(const char *field, qsizetype index)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, index).ptr;
    const QLatin1String name(field);
    QString text(name.size() + (end - digits), Qt::Uninitialized);
    QChar *out = text.data();
    for (char c : name)
        *out++ = QLatin1Char(c);
    for (const char *c = digits; c != end; ++c)
        *out++ = QLatin1Char(*c);
    return text;
}

} // namespace

QString fileName()
{
    return QStringLiteral("expenditures.txt");
}

void writeExpenditures(TKeyValueXmlFile &store, const ExpenditureBook &book)
{
    store.Clear();
    store.reserve(2 + 7 * book.Expenditures.size());
    store.WriteFloat(kAllMoney, book.AllMoney);
    store.WriteInteger(kCount, static_cast<qint32>(book.Expenditures.size()));
    for (qsizetype i = 0; i < book.Expenditures.size(); ++i) {
        const TExpenditure &e = book.Expenditures[i];
        store.WriteString(key("Name", i), e.Name);
        store.WriteFloat(key("Value", i), e.Value);
        store.WriteInteger(key("Periodicity", i), e.Periodicity);
        store.WriteInteger(key("Type", i), e.Type);
        store.WriteFloat(key("Date", i), e.Date);
        store.WriteBoolean(key("Occured", i), e.Occured);
        store.WriteBoolean(key("IsExpenditure", i), e.IsExpenditure);
    }
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
        e.Name = store.ReadString(key("Name", i), QString());
        e.Value = store.ReadFloat(key("Value", i), 0);
        e.Periodicity = static_cast<quint8>(store.ReadInteger(key("Periodicity", i), 0));
        e.Type = static_cast<quint8>(store.ReadInteger(key("Type", i), 0));
        e.Date = store.ReadFloat(key("Date", i), 0);
        // A transaction without a state has already counted: it must not touch the balance again.
        e.Occured = store.ReadBoolean(key("Occured", i), true);
        e.IsExpenditure = store.ReadBoolean(key("IsExpenditure", i), true);
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

QByteArray expendituresData(TKeyValueXmlFile &store, const ExpenditureBook &book)
{
    writeExpenditures(store, book);
    return store.SaveToData();
}

DataFile::LoadResult loadFile(const QString &path, const DataFileCodec *codec, TKeyValueXmlFile &store,
                              ExpenditureBook *book, const QDateTime &now)
{
    return DataFile::load(
        path, codec, [&](const QByteArray &plain) { return parseExpenditures(plain, store, book); }, now);
}

IoResult saveFile(const QString &path, const DataFileCodec *codec, TKeyValueXmlFile &store, const ExpenditureBook &book)
{
    return DataFile::save(path, expendituresData(store, book), codec);
}

} // namespace ExpendituresFile
