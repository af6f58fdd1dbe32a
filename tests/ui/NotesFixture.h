#pragma once

#include "UiTestData.h"

#include "notes/NotesFile.h"
#include "ui/mainwindow/MainWindow.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QTreeView>

#include <memory>

// A main window on a test folder with no data files, its notes set by the test and unsorted.
inline std::unique_ptr<MainWindow> startWithNotes(const QString &dir, const NotesCollection &notes)
{
    auto window = std::make_unique<MainWindow>(dir + QLatin1Char('/'));
    window->loadAllData();
    window->finishStartup();
    Messages::takeShown();
    window->findChild<QAction *>(QStringLiteral("Sortingdisabled"))->trigger();
    window->notes() = notes;
    window->RefreshNotes();
    return window;
}

inline TNotesData makeNote(const QString &text, quint8 importance = 3, quint8 progress = 0, bool privateMsg = false,
                           TDateTime deadline = DateTime::kNoDeadline, const QString &location = {})
{
    TNotesData note;
    note.Importance = importance;
    note.Progress = progress;
    note.PrivateMsg = privateMsg;
    note.Deadline = deadline;
    note.Text = text;
    note.Location = location;
    return note;
}

inline QStringList textsOf(const NotesCollection &notes)
{
    QStringList texts;
    for (const TNotesData &note : notes)
        texts.append(note.Text);
    return texts;
}

// The notes as data.txt holds them; empty when there is no such file.
inline NotesCollection storedNotes(const QString &dir)
{
    NotesCollection notes;
    const QByteArray data = readAll(dir + QStringLiteral("/data.txt"));
    if (!data.isEmpty()) {
        NotesFile::parseNotes(data, &notes);
    }
    return notes;
}

inline QTreeView *notesList(MainWindow &window)
{
    return window.findChild<QTreeView *>(QStringLiteral("ListView1"));
}

inline QStringList listedTexts(MainWindow &window)
{
    QStringList texts;
    const QAbstractItemModel *model = notesList(window)->model();
    for (int row = 0; row < model->rowCount(); ++row)
        texts.append(model->index(row, 0).data().toString());
    return texts;
}

inline void selectRow(MainWindow &window, int row)
{
    QTreeView *list = notesList(window);
    list->selectionModel()->select(list->model()->index(row, 0),
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

inline void trigger(MainWindow &window, const char *action)
{
    window.findChild<QAction *>(QLatin1String(action))->trigger();
}

// "A B C" -> {"A", "B", "C"}
inline QStringList names(const char *spaced)
{
    return QString::fromLatin1(spaced).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}
