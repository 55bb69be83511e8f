#pragma once

#include "transfer/bus/KnxNetIpDiscovery.h"

#include <QDialog>

#include <memory>

class QComboBox;
class QLabel;
class QPushButton;
class QTimer;
class QTreeWidget;

namespace zendrik {

class TextTable;

// "Schnittstellen suchen...": searches the KNXnet/IP interfaces and routers
// for three seconds as soon as it opens and lists one row per way to reach
// the bus through each (name, individual address, services, connection
// text: the tunnel and, where offered, the routing group). Taking a row
// (the button or a double click) accepts the dialog with its connection.
// With `targets` (the device properties' "Bus 1", "Bus 2"), a list beside
// the button says where the connection goes. The search runs from a timer,
// so the window stays alive meanwhile.
class FrmSchnittstellen : public QDialog {
    Q_OBJECT
public:
    FrmSchnittstellen(const TextTable& texts, KnxNetIpDiscovery::Options options, const QStringList& targets = {},
                      QWidget* parent = nullptr);
    ~FrmSchnittstellen() override;

    // The connection text of the row taken.
    QString chosenConnection() const { return chosen_; }
    // The target chosen (0 without targets).
    int chosenTarget() const;
    void search();

private:
    void poll();
    void showFound();
    void take();

    const TextTable& texts_;
    KnxNetIpDiscovery::Options options_;
    std::unique_ptr<KnxNetIpDiscovery> discovery_;
    QTimer* timer_;
    QLabel* lblSuche_;
    QTreeWidget* lstSchnittstellen_;
    QPushButton* cmdSuchen_;
    QComboBox* cboZiel_ = nullptr;
    QPushButton* cmdUebernehmen_;
    QPushButton* cmdAbbrechen_;
    QString chosen_;
};

} // namespace zendrik
