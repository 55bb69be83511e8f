#include "ui/list/ListTableModel.h"

namespace zendrik {

ListTableModel::ListTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void ListTableModel::show(ProgramList list, int gridRows)
{
    beginResetModel();
    list_ = std::move(list);
    itemRows_ = std::max(0, gridRows - 1);
    endResetModel();
}

int ListTableModel::widthTwips(int column) const
{
    if (column < 0 || column >= static_cast<int>(list_.columns.size()))
        return 0;
    return list_.columns[static_cast<std::size_t>(column)].width;
}

int ListTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : itemRows_;
}

int ListTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(list_.columns.size());
}

QVariant ListTableModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return QVariant();
    const auto row = static_cast<std::size_t>(index.row());
    if (row >= list_.rows.size())
        return QString();
    return list_.rows[row].value(index.column());
}

QVariant ListTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= static_cast<int>(list_.columns.size()))
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return list_.columns[static_cast<std::size_t>(section)].heading;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    return QVariant();
}

} // namespace zendrik
