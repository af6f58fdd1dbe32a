#pragma once

#include <QAbstractTableModel>
#include <QList>

// Rows of the notes list: what each column shows and which note a row stands for.
struct NotesListRow
{
    QString note;
    QString percent;
    QString left;
    int icon = 0;
    int position = 0;
};

class NotesListModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(NotesListModel)

public:
    explicit NotesListModel(QObject *parent = nullptr);

    void setRows(QList<NotesListRow> rows);
    const QList<NotesListRow> &rows() const { return m_rows; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QList<NotesListRow> m_rows;
};
