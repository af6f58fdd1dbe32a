#include "Clock.h"

namespace Clock {

namespace {
QDateTime g_fixedNow;
}

QDateTime now()
{
    return g_fixedNow.isValid() ? g_fixedNow : QDateTime::currentDateTime();
}

TDateTime nowValue()
{
    return DateTime::fromQDateTime(now());
}

TDateTime today()
{
    return DateTime::fromQDate(now().date());
}

void setNowForTesting(const QDateTime &fixed)
{
    g_fixedNow = fixed;
}

void advanceForTesting(qint64 msecs)
{
    g_fixedNow = now().addMSecs(msecs);
}

void resetForTesting()
{
    g_fixedNow = {};
}

} // namespace Clock
