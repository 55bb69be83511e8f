#pragma once

#include "language/Prompt.h"

#include <QString>

#include <functional>
#include <optional>

namespace zendrik {

class FileChooser;
class ProgramModel;
struct ProgramSlot;
class UserInteraction;

// The commands before which unsaved changes may be saved.
enum class SaveQuestion {
    New,  // back to the start screen
    Open, // another program replaces this one
    Exit, // the program ends
};

// "Änderungen speichern in <name> ?" with Yes/No/Cancel, or nothing when no
// question is due: before New and Exit only when the program has entries and
// was changed, before Open whenever it was changed. The exit question ends
// with two blanks before the question mark.
std::optional<Prompt> SaveChangesQuestion(const ProgramModel& model, SaveQuestion when);

// Whether the program in the slot has a file on disk: a new program and one
// read from a device under a fresh default name have none yet.
bool ProgramWasSaved(const ProgramSlot& slot);

// The file commands of the main window: new, open, save, save as, open and
// close a sample. Questions and messages go through UserInteraction, file
// names come from FileChooser; the window only refreshes afterwards.
class FileCommands {
public:
    FileCommands(ProgramModel& model, UserInteraction& ui, FileChooser& chooser);

    // Asks the save-changes question when due. Yes saves first. Returns
    // whether the command may go on: false after Cancel, and false when the
    // save the user asked for did not write the file (nothing gets lost).
    bool ConfirmSaveChanges(SaveQuestion when);

    // Saves under the program's file name; without a name as SaveAs.
    // Returns whether the file was written.
    bool Save();
    // Chooses a name, checks it, asks before overwriting, saves. A save that
    // writes nothing leaves the program's file name as it was.
    bool SaveAs();
    // The save a transfer asks for ("Jetzt speichern ?"): a program that was
    // never saved is named by the user first (Save as, the free default name
    // suggested), so it never lands unseen under that default name.
    bool SaveBeforeTransfer();

    // Asks to save changes, chooses a file and loads it as the program.
    // Returns whether a program was loaded.
    bool Open();
    // The same for a file named on the command line or dropped on the window.
    bool OpenFile(const QString& path);

    // Chooses a file and loads it as the sample (slot 1), which is then shown.
    bool OpenSample();
    bool OpenSampleFile(const QString& path);
    // Empties the sample slot and shows the program again.
    void CloseSample();

    // Told after every file written, whichever command wrote it (save, save
    // as, the save the exit question or a transfer asked for): the window
    // marks the saved state and lists the file as recently used.
    std::function<void()> saved;

    // Where the commands get their file names from (also for the comparison).
    FileChooser& chooser() const { return chooser_; }

private:
    bool Load(const QString& path, int slot);
    bool SaveUnder(const QString& path);

    ProgramModel& model_;
    UserInteraction& ui_;
    FileChooser& chooser_;
};

} // namespace zendrik
