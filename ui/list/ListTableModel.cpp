#include "ui/list/ListTableModel.h"

#include "model/ProgramModel.h"

#include <QColor>

namespace zendrik {

namespace {

// The number cell of a marked row is tinted in the colour of the severity,
// so the row number stays readable in the narrow column.
QColor MarkColour(Severity severity)
{
    switch (severity) {
    case Severity::Error:
        return QColor(0xf4, 0xa8, 0xa8);
    case Severity::Warning:
        return QColor(0xf8, 0xd4, 0x8c);
    case Severity::Info:
        break;
    }
    return QColor(0xb8, 0xd0, 0xf0);
}

} // namespace

ListTableModel::ListTableModel(QObject* parent) : QAbstractTableModel(parent) { }

void ListTableModel::setMarks(EntryMarks marks)
{
    if (marks == marks_)
        return;
    marks_ = std::move(marks);
    if (itemRows_ > 0)
        emit dataChanged(index(0, 0), index(itemRows_ - 1, 0), {Qt::BackgroundRole, Qt::ToolTipRole, MarkRole});
}

const EntryMark* ListTableModel::markOf(int row) const
{
    if (marks_.empty() || list_.slot != kProgramSlot)
        return nullptr;
    const int entry = list_.entryIndexOfRow(row + 1);
    const auto it = marks_.find(entry);
    return entry >= 0 && it != marks_.end() ? &it->second : nullptr;
}

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
    if (!index.isValid())
        return QVariant();
    if (index.column() == 0 && (role == Qt::BackgroundRole || role == Qt::ToolTipRole || role == MarkRole)) {
        const EntryMark* mark = markOf(index.row());
        if (!mark)
            return QVariant();
        if (role == Qt::BackgroundRole)
            return MarkColour(mark->severity);
        if (role == Qt::ToolTipRole)
            return mark->messages;
        return static_cast<int>(mark->severity);
    }
    if (role != Qt::DisplayRole)
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
