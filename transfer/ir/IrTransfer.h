#pragma once

#include "transfer/ir/IrJobFile.h"

#include <QString>

#include <functional>

namespace zendrik {

class ProgramModel;
class TextTable;
class TransferObserver;
class UserInteraction;

enum class IrOutcome {
    Succeeded,  // result code 0 (a read is in slot 0)
    Failed,     // the tool reported another code, or its exchange file was refused
    NoResponse, // no irtrans.msg within the waiting time
    NotStarted, // the job could not be handed over (files, tool); told to the user
    Cancelled,  // the user declined a question before anything happened
};

// The infrared transfer: the job goes to the external infrared tool through
// files in the working directory (2irprot.msg, exchg.dat), the tool is
// started on its own, and its result file irtrans.msg decides the one
// message the job ends with: "Übertragung erfolgreich beendet" for code 0,
// "Übertragung fehlgeschlagen ! ..." for any other, "keine Rückmeldung von
// IR-Übertragung" when no result came within the waiting time. Every file
// of an earlier job is removed first, so neither an old result nor an old
// exchange file can pass for this one.
class IrTransfer {
public:
    using SaveCallback = std::function<int()>;
    using ToolStarter = std::function<bool(const QString& commandLine, const QString& workDir, QString* error)>;

    IrTransfer(ProgramModel& model, UserInteraction& ui, const TextTable& texts, QString workDir);

    // Saves the program under its name or asks for one; 0 when nothing was
    // saved. Supplied by the caller (the save command).
    SaveCallback saveBeforeTransfer;
    ToolStarter startTool;
    // Progress while waiting: value = seconds waited, maximum = waiting time.
    TransferObserver* observer = nullptr;
    // The longest wait for irtrans.msg; the device setting IrTimeout by default.
    int timeoutMs;
    // The tool may still be writing when its result file appears.
    int settleMs = 1000;
    int pollMs = 40;

    // Runs one job. Before a read the save-changes question is asked; before
    // programming the program is saved (when it was changed) and its file
    // copied to exchg.dat. Every outcome but Cancelled ends with one message.
    IrOutcome Run(const IrJob& job);

private:
    bool prepare(const IrJob& job);
    bool removeOld(const QString& name);
    bool copyProgram();
    IrOutcome finish(const IrJob& job, int code);
    bool waitForResult();
    void pause(int ms);
    QString inWorkDir(const QString& name) const;

    ProgramModel& model_;
    UserInteraction& ui_;
    const TextTable& texts_;
    QString workDir_;
};

} // namespace zendrik
