#pragma once

#include "language/ExtraText.h"
#include "transfer/TransferObserver.h"
#include "transfer/ir/IrJobFile.h"
#include "transfer/ir/IrTransfer.h"

#include <QDialog>

#include <array>
#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTimer;

namespace zendrik {

class ProgramModel;
class TextTable;
class UserInteraction;

// "IR-Zugriff": reads, programs or sets the clock of a time switch through
// the infrared adapter. The window collects the job (mode, port, and for
// setting the clock the time and date); OK hands it to the infrared tool and
// shows on the gauge how long it has waited for the tool's answer. The time
// fields follow the computer's clock until the user types into them.
class FrmIRAccess : public QDialog, public TransferObserver {
    Q_OBJECT
public:
    using SaveCallback = std::function<int()>;

    FrmIRAccess(ProgramModel& model, const TextTable& texts, UserInteraction& ui, QString workDir,
                SaveCallback save, QWidget* parent = nullptr);

    // Pause after the result file appeared (tests shorten it).
    int settleMs = 1000;

    IrModus mode() const { return IrModus_; }
    IrClockSource clockSource() const { return IrUhrCode_; }
    bool running() const { return running_; }

    void transferStarted() override;
    void progressChanged(int value, int maximum) override;
    void waiting() override;
    void transferEnded() override;
    // Closes the window unless the tool is at work.
    void reject() override;

signals:
    // A read replaced the program.
    void programRead();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Option1_Click(int index);
    void Optcom_Click(int index);
    void cmd_IRok_Click();
    void fieldTyped();
    void showClock();
    bool completeTime(bool tell);
    bool completeDate(bool tell);
    // Shows the completed text of a field, or refuses it (with a message when `tell`).
    bool complete(QLineEdit* field, const std::optional<QString>& completed, const ExtraText& refusal, bool tell);

    ProgramModel& model_;
    const TextTable& texts_;
    UserInteraction& ui_;
    QString workDir_;
    SaveCallback save_;
    IrModus IrModus_ = IrModus::Read;
    int IrPort_ = 1;
    IrClockSource IrUhrCode_ = IrClockSource::None;
    bool running_ = false;
    bool toldInvalid_ = false; // a field just refused its text with a message

    std::array<QRadioButton*, 3> Option1_{};
    std::array<QRadioButton*, 2> Optcom_{};
    QLabel* lblUz_;
    QLabel* lblDat_;
    QLineEdit* TxtUz_;
    QLineEdit* txtdat_;
    QProgressBar* gauge_;
    QPushButton* cmd_IRok_;
    QPushButton* cmd_Irend_;
    QTimer* clock_;
};

} // namespace zendrik
