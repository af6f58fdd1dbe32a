#pragma once

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QList>
#include <QVariantList>

// The arguments of every call of `method` that a python3-dbusmock object recorded; `getMethodCalls` is
// that object's GetMethodCalls call.
inline QList<QVariantList> recordedCalls(QDBusMessage getMethodCalls, const QString &method)
{
    getMethodCalls.setArguments({method});
    const QDBusMessage reply = QDBusConnection::sessionBus().call(getMethodCalls);
    QList<QVariantList> calls;
    if (reply.type() != QDBusMessage::ReplyMessage)
        return calls;
    const QDBusArgument array = reply.arguments().value(0).value<QDBusArgument>();
    array.beginArray();
    while (!array.atEnd()) {
        quint64 time = 0;
        QVariantList arguments;
        array.beginStructure();
        array >> time >> arguments;
        array.endStructure();
        calls.append(arguments);
    }
    array.endArray();
    return calls;
}
