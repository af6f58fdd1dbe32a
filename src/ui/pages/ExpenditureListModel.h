#pragma once

#include "expenditures/ExpenditureRows.h"

#include <QAbstractTableModel>
#include <QStringList>

class QTreeView;

// A read-only transaction list: the caption with its category icon, then the row's texts one per column.
class ExpenditureListModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ExpenditureListModel)

public:
    ExpenditureListModel(const QStringList &headers, QObject *parent = nullptr);

    void setRows(ExpenditureRows rows);
    const ExpenditureRows &rows() const { return m_rows; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QStringList m_headers;
    ExpenditureRows m_rows;
};

// A read-only report list over `model`: grid lines, whole rows selected, no sorting by the header.
void setUpReportList(QTreeView *list, ExpenditureListModel *model);
