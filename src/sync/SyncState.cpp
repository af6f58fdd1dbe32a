#include "SyncState.h"

#include "core/KeyValueXmlRecords.h"
#include "core/KeyValueXmlWriter.h"

namespace SyncStateFile {

IoResult parse(const QByteArray &plain, SyncState *state)
{
    enum Name
    {
        Calendar,
        SyncToken,
        LastSuccess,
        LastError,
        Failures,
        NumberOfItems,
        Href,
        ETag,
        Uid,
        Item,
        Notes,
        Content
    };
    KeyValueXmlRecords file({QLatin1StringView("Calendar"), QLatin1StringView("SyncToken"),
                             QLatin1StringView("LastSuccess"), QLatin1StringView("LastError"),
                             QLatin1StringView("Failures"), QLatin1StringView("NumberOfItems"),
                             QLatin1StringView("Href"), QLatin1StringView("ETag"), QLatin1StringView("Uid"),
                             QLatin1StringView("Item"), QLatin1StringView("Notes"), QLatin1StringView("Content")});
    if (IoResult loaded = file.load(plain); !loaded)
        return loaded;
    const qint32 count = file.readInteger({NumberOfItems}, 0);
    if (IoResult counted = file.checkRecordCount(count, QStringLiteral("sync items")); !counted)
        return counted;
    file.placeRecords(count);
    SyncState read;
    read.calendar = file.readString({Calendar});
    read.syncToken = file.readString({SyncToken});
    read.lastSuccess = QDateTime::fromString(file.readString({LastSuccess}), Qt::ISODate);
    read.lastError = file.readString({LastError});
    read.failures = qMax(0, file.readInteger({Failures}, 0));
    read.items.reserve(count);
    for (qint32 i = 0; i < count; ++i) {
        SyncItemState item;
        item.href = file.readString({Href, i});
        item.etag = file.readString({ETag, i}).toUtf8();
        item.uid = file.readString({Uid, i});
        item.ics = file.readString({Item, i}).toUtf8();
        item.noteUids = file.readString({Notes, i}).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        item.fingerprint = file.readString({Content, i}).toLatin1();
        if (!item.href.isEmpty())
            read.items.append(item);
    }
    *state = std::move(read);
    return IoResult::success();
}

QByteArray data(const SyncState &state)
{
    KeyValueXmlWriter writer;
    qsizetype bytes = 256;
    for (const SyncItemState &item : state.items)
        bytes += 128 + item.ics.size() * 11 / 10;
    writer.reserve(bytes);
    writer.writeString({"Calendar"}, state.calendar);
    writer.writeString({"SyncToken"}, state.syncToken);
    writer.writeString({"LastSuccess"}, state.lastSuccess.toUTC().toString(Qt::ISODate));
    writer.writeString({"LastError"}, state.lastError);
    writer.writeInteger({"Failures"}, state.failures);
    writer.writeInteger({"NumberOfItems"}, static_cast<qint32>(state.items.size()));
    for (qsizetype i = 0; i < state.items.size(); ++i) {
        const SyncItemState &item = state.items[i];
        writer.writeString({"Href", i}, item.href);
        writer.writeString({"ETag", i}, QString::fromUtf8(item.etag));
        writer.writeString({"Uid", i}, item.uid);
        writer.writeString({"Item", i}, QString::fromUtf8(item.ics));
        writer.writeString({"Notes", i}, item.noteUids.join(QLatin1Char('\n')));
        writer.writeString({"Content", i}, QString::fromLatin1(item.fingerprint));
    }
    return writer.finish();
}

} // namespace SyncStateFile

int retryDelaySeconds(const SyncState &state)
{
    if (state.failures <= 0)
        return 0;
    return 30 << qMin(state.failures - 1, 7) > 3600 ? 3600 : 30 << qMin(state.failures - 1, 7);
}
