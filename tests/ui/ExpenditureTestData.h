#pragma once

#include "UiTestData.h"

#include "core/Clock.h"
#include "core/DateTime.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/pages/ExpenditurePage.h"

#include <QTreeView>

#include <memory>

// One start of the program on a folder, as main() does it.
inline std::unique_ptr<MainWindow> startProgram(const QString &dir)
{
    auto window = std::make_unique<MainWindow>(dir + QLatin1Char('/'));
    window->loadAllData();
    window->finishStartup();
    Messages::takeShown();
    return window;
}

inline void setNow(int year, int month, int day, int hour = 12)
{
    Clock::setNowForTesting(QDateTime(QDate(year, month, day), QTime(hour, 0)));
}

inline TExpenditure transaction(const QString &name, double value, TDateTime date, bool occurred,
                                quint8 periodicity = 0, quint8 type = 1)
{
    TExpenditure e;
    e.Name = name;
    e.Value = value;
    e.Date = date;
    e.Occured = occurred;
    e.Periodicity = periodicity;
    e.Type = type;
    e.IsExpenditure = value <= 0;
    return e;
}

inline QAbstractItemModel *pageList(MainWindow &window, const char *name)
{
    return window.expenditurePage()->findChild<QTreeView *>(QLatin1String(name))->model();
}

inline QString cell(QAbstractItemModel *model, int row, int column)
{
    return model->index(row, column).data().toString();
}
