#pragma once

#include "notes/NotesList.h"

#include <QAbstractTableModel>
#include <QList>

// Shows the rows of the notes list; which note a row stands for stays in the row.

class NotesListModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(NotesListModel)

public:
    explicit NotesListModel(QObject *parent = nullptr);

    void setRows(QList<NoteRow> rows);
    const QList<NoteRow> &rows() const { return m_rows; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QList<NoteRow> m_rows;
};
