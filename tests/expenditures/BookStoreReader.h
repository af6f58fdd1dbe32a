#pragma once

// expenditures.txt read through TKeyValueXmlFile's typed reads, one lookup per value: how the
// transactions were read before the file got a reader of its own, kept as the oracle for it.

#include "core/KeyValueXmlFile.h"
#include "expenditures/Expenditure.h"

inline IoResult readBookThroughStore(const QByteArray &plain, ExpenditureBook *book, QString *rootName = nullptr)
{
    TKeyValueXmlFile store;
    if (IoResult loaded = store.LoadFromData(plain); !loaded)
        return loaded;
    const qint32 count = store.ReadInteger(QStringLiteral("NumberOfExpenditures"), 0);
    if (count < 0)
        return IoResult::failure(QStringLiteral("The number of transactions is not valid (%1).").arg(count));
    if (count > store.entryCount())
        return IoResult::failure(
            QStringLiteral("The number of transactions (%1) is larger than the file could hold.").arg(count));
    ExpenditureBook loaded;
    loaded.AllMoney = store.ReadFloat(QStringLiteral("AllMoney"), 0);
    loaded.Expenditures.resize(count);
    for (qint32 i = 0; i < count; ++i) {
        const auto key = [i](const char *name) -> QString { return QLatin1String(name) + QString::number(i); };
        TExpenditure &e = loaded.Expenditures[i];
        e.Name = store.ReadString(key("Name"), QString());
        e.Value = store.ReadFloat(key("Value"), 0);
        e.Periodicity = static_cast<quint8>(store.ReadInteger(key("Periodicity"), 0));
        e.Type = static_cast<quint8>(store.ReadInteger(key("Type"), 0));
        e.Date = store.ReadFloat(key("Date"), 0);
        e.Occured = store.ReadBoolean(key("Occured"), true);
        e.IsExpenditure = store.ReadBoolean(key("IsExpenditure"), true);
    }
    *book = std::move(loaded);
    if (rootName)
        *rootName = store.rootName();
    return IoResult::success();
}
