#include "ui/list/ListTableModel.h"

#include "model/ProgramModel.h"

#include <QColor>
#include <QIcon>
#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <array>

namespace zendrik {

namespace {

// A round marker in the colour of a severity.
QIcon MarkIcon(Severity severity)
{
    static const std::array<QIcon, 3> icons = [] {
        const std::array<QColor, 3> colours{QColor(0x20, 0x50, 0xa0), QColor(0xe0, 0x90, 0x00), QColor(0xd0, 0x20, 0x20)};
        std::array<QIcon, 3> out;
        for (std::size_t i = 0; i < out.size(); ++i) {
            QPixmap pixmap(12, 12);
            pixmap.fill(Qt::transparent);
            QPainter p(&pixmap);
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(colours[i].darker(140));
            p.setBrush(colours[i]);
            p.drawEllipse(QRectF(1.5, 1.5, 9, 9));
            out[i] = QIcon(pixmap);
        }
        return out;
    }();
    return icons[static_cast<std::size_t>(std::clamp(static_cast<int>(severity), 0, 2))];
}

} // namespace

ListTableModel::ListTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void ListTableModel::setMarks(EntryMarks marks)
{
    if (marks == marks_)
        return;
    marks_ = std::move(marks);
    if (itemRows_ > 0)
        emit dataChanged(index(0, 0), index(itemRows_ - 1, 0), {Qt::DecorationRole, Qt::ToolTipRole, MarkRole});
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
    if (index.column() == 0 && (role == Qt::DecorationRole || role == Qt::ToolTipRole || role == MarkRole)) {
        const EntryMark* mark = markOf(index.row());
        if (!mark)
            return QVariant();
        if (role == Qt::DecorationRole)
            return MarkIcon(mark->severity);
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
