#pragma once

#include <QDialog>
#include <QList>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSlider;

namespace zendrik {

class ListFilter;
class TextTable;
struct DeviceSettings;

// The filter dialog: channels, weekdays, months, priorities, state and
// pulses. It shows the criteria of the last OK; OK stores the new ones and
// switches the filter on, "Abbrechen" changes nothing.
class FrmFilter : public QDialog {
    Q_OBJECT
public:
    FrmFilter(ListFilter& filter, const DeviceSettings& device, const TextTable& texts, QWidget* parent = nullptr);

private:
    void load();
    void store();
    void fillMonthsTo(int keep);
    void fillPrioritiesTo(int keep);
    int prioritySteps() const;

    ListFilter& filter_;
    const DeviceSettings& device_;
    const TextTable& texts_;
    bool oneChannel_; // entries name one channel by number instead of a mask
    bool eib_;

    QList<QCheckBox*> chkKanal_;
    QCheckBox* chkKanalAlle_ = nullptr;
    QComboBox* cboKanal_ = nullptr;
    QList<QCheckBox*> chkTag_;
    QCheckBox* chkTagAlle_;
    QComboBox* cboMonatVon_;
    QComboBox* cboMonatBis_;
    QComboBox* cboPrioVon_;
    QComboBox* cboPrioBis_;
    QComboBox* cboZustand_;
    QSlider* hsbWert_ = nullptr;
    QLabel* lblWert_ = nullptr;
    QComboBox* cboImpuls_;
    QPushButton* cmdFilterok_;
    QPushButton* cmdFilterAbbrechen_;
};

} // namespace zendrik
