#pragma once

#include <QGroupBox>

class QLabel;
class QToolButton;

namespace zendrik {

struct LastEntryPanel;

// The panel "bereits eingegeben": the entry stored last, or the one the
// browse images imgoldSzup and imgoldSzdown moved to.
class LastEntryView : public QGroupBox {
    Q_OBJECT
public:
    LastEntryView(const QString& title, QWidget* parent = nullptr);

    void display(const LastEntryPanel& panel);

signals:
    // -1: the previous entry, +1: the next one.
    void browse(int direction);

private:
    QLabel* label(const char* name);

    QLabel* lblOldTage_;
    QLabel* lblOldZeit_;
    QLabel* lblOldKanal_;
    QLabel* lblOldImpuls_;
    QLabel* lblOld1x_;
    QLabel* lblOldPrio_;
    QLabel* lblOldZustand_;
    QToolButton* imgoldSzup_;
    QToolButton* imgoldSzdown_;
};

} // namespace zendrik
