#include "ExpendituresFile.h"

#include "core/KeyValueXmlRecords.h"
#include "core/KeyValueXmlWriter.h"

namespace ExpendituresFile {

IoResult parseExpenditures(const QByteArray &plain, ExpenditureBook *book, QString *rootName)
{
    enum Name
    {
        AllMoney,
        NumberOfExpenditures,
        Name,
        Value,
        Periodicity,
        Type,
        Date,
        Occured,
        IsExpenditure
    };
    KeyValueXmlRecords file({QLatin1StringView("AllMoney"), QLatin1StringView("NumberOfExpenditures"),
                             QLatin1StringView("Name"), QLatin1StringView("Value"), QLatin1StringView("Periodicity"),
                             QLatin1StringView("Type"), QLatin1StringView("Date"), QLatin1StringView("Occured"),
                             QLatin1StringView("IsExpenditure")});
    if (IoResult loaded = file.load(plain); !loaded)
        return loaded;
    const qint32 count = file.readInteger({NumberOfExpenditures}, 0);
    // Missing keys are allowed, but every transaction leaves at least one entry behind;
    // a larger count is damage, not transactions.
    if (IoResult counted = file.checkRecordCount(count, QStringLiteral("transactions")); !counted)
        return counted;
    file.placeRecords(count);
    ExpenditureBook loaded;
    loaded.AllMoney = file.readFloat({AllMoney}, 0);
    loaded.Expenditures.resize(count);
    for (qint32 i = 0; i < count; ++i) {
        TExpenditure &e = loaded.Expenditures[i];
        e.Name = file.readString({Name, i});
        e.Value = file.readFloat({Value, i}, 0);
        e.Periodicity = static_cast<quint8>(file.readInteger({Periodicity, i}, 0));
        e.Type = static_cast<quint8>(file.readInteger({Type, i}, 0));
        e.Date = file.readFloat({Date, i}, 0);
        // A transaction without a state has already counted: it must not touch the balance again.
        e.Occured = file.readBoolean({Occured, i}, true);
        e.IsExpenditure = file.readBoolean({IsExpenditure, i}, true);
    }
    *book = std::move(loaded);
    if (rootName)
        *rootName = file.rootName();
    return IoResult::success();
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

} // namespace ExpendituresFile
