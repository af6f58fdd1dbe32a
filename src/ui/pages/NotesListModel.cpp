#include "ui/pages/NotesListModel.h"

#include "ui/widgets/ImageList.h"

namespace {

// "Note" reads from the left, "%" and "Left" are centred.
Qt::Alignment alignment(int column)
{
    return column == 0 ? (Qt::AlignLeft | Qt::AlignVCenter) : Qt::AlignCenter;
}

} // namespace

NotesListModel::NotesListModel(QObject *parent) : QAbstractTableModel(parent) {}

void NotesListModel::setRows(QList<NoteRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int NotesListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int NotesListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 3;
}

QVariant NotesListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const NoteRow &row = m_rows[index.row()];
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case 0:
            return row.note;
        case 1:
            return row.percent;
        case 2:
            return row.left;
        default:
            return {};
        }
    }
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(alignment(index.column()));
    if (role == Qt::DecorationRole && index.column() == 0 && row.icon >= 0)
        return ImageList1::icon(row.icon);
    return {};
}

QVariant NotesListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::TextAlignmentRole)
        return QVariant::fromValue(alignment(section));
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char *const captions[] = {"Note", "%", "Left"};
    return section >= 0 && section < 3 ? QVariant(QLatin1String(captions[section])) : QVariant();
}
