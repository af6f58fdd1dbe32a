#include "ui/pages/UpcomingEventsModel.h"

#include "ui/widgets/ImageList.h"

UpcomingEventsModel::UpcomingEventsModel(QObject *parent) : QAbstractTableModel(parent) {}

void UpcomingEventsModel::setRows(QList<UpcomingEvent> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int UpcomingEventsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int UpcomingEventsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 3;
}

QVariant UpcomingEventsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const UpcomingEvent &row = m_rows[index.row()];
    // The tooltip is the list's own: the cell's text, useful when the column cuts it.
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        switch (index.column()) {
        case 0:
            return row.note;
        case 1:
            return row.left;
        default:
            return role == Qt::DisplayRole ? QVariant(QString()) : QVariant();
        }
    }
    if (role == Qt::DecorationRole && index.column() == 0 && row.icon >= 0)
        return ImageList1::icon(row.icon);
    return {};
}

QVariant UpcomingEventsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char *const captions[] = {"Note", "Left", "ID"};
    return section >= 0 && section < 3 ? QVariant(QLatin1String(captions[section])) : QVariant();
}
