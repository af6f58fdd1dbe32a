#include "ui/pages/ExpenditureListModel.h"

#include "ui/widgets/GridLineDelegate.h"
#include "ui/widgets/ImageList.h"

#include <QHeaderView>
#include <QTreeView>

ExpenditureListModel::ExpenditureListModel(const QStringList &headers, QObject *parent)
    : QAbstractTableModel(parent), m_headers(headers)
{
}

void ExpenditureListModel::setRows(ExpenditureRows rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int ExpenditureListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int ExpenditureListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_headers.size());
}

QVariant ExpenditureListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const ExpenditureRow &row = m_rows[index.row()];
    if (role == Qt::DecorationRole && index.column() == 0)
        return ImageList2::icon(row.iconIndex);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    if (index.column() == 0)
        return row.caption;
    // Texts beyond the last column are not shown, as in any report list.
    const qsizetype text = index.column() - 1;
    return text < row.columns.size() ? row.columns[text] : QString();
}

QVariant ExpenditureListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < m_headers.size())
        return m_headers[section];
    return {};
}

void setUpReportList(QTreeView *list, ExpenditureListModel *model)
{
    list->setModel(model);
    list->setRootIsDecorated(false);
    list->setItemsExpandable(false);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSortingEnabled(false);
    list->header()->setSectionsClickable(false);
    list->setItemDelegate(
        new GridLineDelegate(GridLineDelegate::Lines::UnderRowsAndBetweenColumns, QColor(0xd8, 0xd8, 0xd8), list));
}
