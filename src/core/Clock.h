#pragma once

#include "DateTime.h"

#include <QDateTime>

// Every "now" of the program comes from here, so tests can move time.
namespace Clock {

QDateTime now();
TDateTime nowValue();
TDateTime today();

void setNowForTesting(const QDateTime &fixed);
void advanceForTesting(qint64 msecs);
void resetForTesting();

} // namespace Clock
