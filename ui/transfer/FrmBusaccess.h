#pragma once

#include "transfer/TransferObserver.h"
#include "transfer/bus/BusAccess.h"
#include "transfer/bus/KnxNetIpDiscovery.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace zendrik {

class EibLink;
class ProgramModel;
class TextTable;
class UserInteraction;

// The bus access window: search time switches on a bus line, write the
// program into one, read it from one, and put a device's own application
// back. The work is BusAccess's; the window binds the fields to it, shows
// each step in the status box and the gauge, and keeps every control but
// the status disabled while an action runs (the actions process events as
// they wait, so nothing else may start meanwhile).
class FrmBusaccess : public QDialog, public TransferObserver {
    Q_OBJECT
public:
    using LinkOpener = std::function<std::unique_ptr<EibLink>(const QString& connection, QString* error)>;

    FrmBusaccess(ProgramModel& model, UserInteraction& ui, const TextTable& texts, QString workDir,
                 QWidget* parent = nullptr);
    ~FrmBusaccess() override;

    BusAccess::SaveCallback saveBeforeTransfer;
    // Opens the connection an interface choice names (tests put their own here).
    LinkOpener openLink;
    // Where "Schnittstellen suchen..." searches (every local interface).
    KnxNetIpDiscovery::Options interfaceSearch;
    BusAccess& access() { return access_; }
    bool busy() const { return busy_; }

    void transferStarted() override;
    void labelChanged(const Prompt& label) override;
    void progressChanged(int value, int maximum) override;
    void waiting() override;
    void transferEnded() override;

    void cmdbussearch();
    // Ends a running search after the address in progress; the devices
    // found so far stay in the result list.
    void cmdbusstop();
    void cmdbusprog();
    void cmdbusread();
    void cmdApplReinstall();
    // "Schnittstellen suchen...": the connection taken becomes the chosen
    // interface's (Bus 1 or Bus 2) for this session, as the device
    // properties' "Ok" would set it.
    void cmdSchnittstellen();

signals:
    // The program of slot 0 was replaced by one read from a device.
    void programRead();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    // Runs one action with the other controls disabled; a search keeps its
    // stop button and "Beenden" (which stops it, then closes) usable.
    template <typename Action>
    void run(Action action, bool search = false);
    QString linkSpec() const;
    // The address in txtPhysadr, or nothing after saying it is not one.
    std::optional<quint16> physicalAddress();
    void updateReinstall();

    ProgramModel& model_;
    UserInteraction& ui_;
    const TextTable& texts_;
    QString workDir_;
    BusAccess access_;
    std::unique_ptr<EibLink> link_;
    bool busy_ = false;
    bool searching_ = false;
    bool closeAfterSearch_ = false;

    QRadioButton* optcom1_;
    QLabel* lblLink_ = nullptr;
    QRadioButton* optcom2_;
    QPushButton* cmdSchnittstellen_;
    QLineEdit* txtBereich_;
    QLineEdit* txtBuslinie_;
    QLineEdit* txtvonTeilnehmer_;
    QLineEdit* txtbisTeilnehmer_;
    QPushButton* cmdbussearch_;
    QPushButton* cmdbusstop_;
    QComboBox* cboPhysadr_;
    QLineEdit* txtPhysadr_;
    QPushButton* cmdbusprog_;
    QPushButton* cmdbusread_;
    QPushButton* cmdApplReinstall_;
    QLineEdit* txtstatus_;
    QProgressBar* ggestatus_;
    QLabel* lblstatus_;
    QPushButton* cmdBusend_;
};

} // namespace zendrik
