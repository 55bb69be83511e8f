#include "app/FileCommands.h"

#include "app/FileChooser.h"
#include "app/SaveAsName.h"
#include "model/FileNames.h"
#include "model/LoadResultMessage.h"
#include "model/ProgramFile.h"
#include "model/ProgramModel.h"
#include "model/UserInteraction.h"

#include <QFileInfo>

namespace zendrik {

std::optional<Prompt> SaveChangesQuestion(const ProgramModel& model, SaveQuestion when)
{
    const ProgramSlot& program = model.program();
    if (model.Geaendert == 0)
        return std::nullopt;
    if (when != SaveQuestion::Open && program.AnzEintrag < 1)
        return std::nullopt;
    const QString ending = when == SaveQuestion::Exit ? QStringLiteral("  ?") : QStringLiteral(" ?");
    return Prompt::question(Buttons::YesNoCancel, Icon::Question,
                            {TextId::SaveChangesIn, program.Dateiname + ending});
}

FileCommands::FileCommands(ProgramModel& model, UserInteraction& ui, FileChooser& chooser)
    : model_(model), ui_(ui), chooser_(chooser)
{
}

bool FileCommands::ConfirmSaveChanges(SaveQuestion when)
{
    const std::optional<Prompt> question = SaveChangesQuestion(model_, when);
    if (!question)
        return true;
    switch (ui_.ask(*question)) {
    case Answer::Yes:
        return Save();
    case Answer::No:
    case Answer::Ok:
        return true;
    case Answer::Cancel:
        break;
    }
    return false;
}

bool FileCommands::Save()
{
    if (model_.program().Dateiname.isEmpty())
        return SaveAs();
    return SaveUnder(model_.program().Dateiname);
}

bool ProgramWasSaved(const ProgramSlot& slot)
{
    return !slot.Dateiname.isEmpty() && QFileInfo(slot.Dateiname).isFile();
}

bool FileCommands::SaveBeforeTransfer()
{
    if (!ProgramWasSaved(model_.program()))
        return SaveAs();
    return Save();
}

bool FileCommands::SaveAs()
{
    const SaveAsName name = CheckSaveAsName(chooser_.chooseSaveFile(model_.program().Dateiname));
    if (name.check == SaveAsCheck::NoName) {
        ui_.ask(Prompt::message(Icon::Critical, {TextId::NoFileChosen}));
        return false;
    }
    if (name.check == SaveAsCheck::InvalidName) {
        ui_.ask(Prompt::message(Icon::Critical, {TextId::InvalidFileName}));
        return false;
    }
    if (FileExists(name.path)) {
        const Prompt overwrite = Prompt::question(Buttons::YesNo, Icon::Question,
                                                  {TextId::FileWord, name.path, TextId::AlreadyExistsOverwrite});
        if (ui_.ask(overwrite) != Answer::Yes)
            return false;
    }
    return SaveUnder(name.path);
}

bool FileCommands::SaveUnder(const QString& path)
{
    ProgramSlot& program = model_.program();
    const QString previous = program.Dateiname;
    program.Dateiname = path;
    const SaveOutcome outcome = SaveProgram(model_, ui_);
    if (outcome.result == 1) {
        if (saved)
            saved();
        return true;
    }
    program.Dateiname = previous;
    if (outcome.failure == SaveFailure::WriteFailed)
        ui_.ask(Prompt::message(Icon::Critical, {TextId::FileWord, path + QStringLiteral(": ") + outcome.error}));
    return false;
}

bool FileCommands::Open()
{
    if (!ConfirmSaveChanges(SaveQuestion::Open))
        return false;
    const QString path = chooser_.chooseOpenFile();
    if (path.isEmpty())
        return false;
    return Load(path, kProgramSlot);
}

bool FileCommands::OpenFile(const QString& path)
{
    if (!ConfirmSaveChanges(SaveQuestion::Open))
        return false;
    return Load(path, kProgramSlot);
}

bool FileCommands::OpenSample()
{
    const QString path = chooser_.chooseOpenFile();
    if (path.isEmpty())
        return false;
    return Load(path, kSampleSlot);
}

bool FileCommands::OpenSampleFile(const QString& path)
{
    return Load(path, kSampleSlot);
}

void FileCommands::CloseSample()
{
    model_.ClearSlot(kSampleSlot);
    model_.AktSlot = kProgramSlot;
}

bool FileCommands::Load(const QString& path, int slot)
{
    const int result = LoadProgram(model_, path, slot);
    if (result != LoadOk) {
        ui_.ask(LoadResultMessage(result, model_.device.BrandIndex, path));
        return false;
    }
    if (slot == kProgramSlot)
        model_.Geaendert = 0;
    model_.AktSlot = slot;
    return true;
}

} // namespace zendrik
