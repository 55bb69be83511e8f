#pragma once

#include "editing/ProgramList.h"

#include <QAbstractTableModel>

namespace zendrik {

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
    // Column width in twips, as the list gives it.
    int widthTwips(int column) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    ProgramList list_;
    int itemRows_ = 0;   // grid rows below the heading
};

} // namespace zendrik
