#pragma once

#include "editing/ProgramList.h"
#include "editing/checks/Finding.h"

#include <QAbstractTableModel>

#include <map>

namespace zendrik {

// What the number cell of a row shows for the findings of the program check
// on its entry: the gravest severity and every finding's message.
struct EntryMark {
    Severity severity = Severity::Info;
    QString messages;

    bool operator==(const EntryMark&) const = default;
};
using EntryMarks = std::map<int, EntryMark>; // by entry (table row of slot 0)

// The grid's view of the core's program list: headings, cell texts and
// column widths exactly as the list built them, plus the empty rows the grid
// shows under the last item. No list rule lives here.
class ListTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ListTableModel(QObject* parent = nullptr);

    // Shows a built list in a grid of `gridRows` rows (the heading included).
    void show(ProgramList list, int gridRows);
    const ProgramList& list() const { return list_; }
    // Marks the number cells of the rows whose entries (of the program, slot
    // 0) a finding names; an empty map takes every mark away.
    void setMarks(EntryMarks marks);
    // The severity (as int) of the mark on an item row, in this role; none
    // without a mark.
    static constexpr int MarkRole = Qt::UserRole + 1;
    // Column width in twips, as the list gives it.
    int widthTwips(int column) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    ProgramList list_;
    int itemRows_ = 0; // grid rows below the heading
    EntryMarks marks_;
    const EntryMark* markOf(int row) const;
};

} // namespace zendrik
