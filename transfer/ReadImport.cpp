#include "transfer/ReadImport.h"

#include "language/TextTable.h"
#include "model/DeviceImage.h"
#include "model/FileNames.h"
#include "model/LoadResultMessage.h"
#include "model/ProgramFile.h"
#include "model/ProgramModel.h"
#include "model/UserInteraction.h"

#include <QDir>

namespace zendrik {

bool OfferSaveBeforeRead(ProgramModel& model, UserInteraction& ui, const std::function<int()>& save)
{
    if (model.Geaendert != 1)
        return true;
    const Answer a = ui.ask(Prompt::question(Buttons::YesNoCancel, Icon::Question,
                                             {TextId::SaveChangesIn, model.program().Dateiname, QStringLiteral(" ?")}));
    if (a == Answer::Cancel)
        return false;
    return a != Answer::Yes || (save && save() != 0);
}

std::optional<Prompt> ImportReadProgram(ProgramModel& model, UserInteraction& ui, const TextTable& texts,
                                        const QString& workDir, const QString& file)
{
    const int rc = LoadProgram(model, file, kProgramSlot);
    if (rc != LoadOk)
        return LoadResultMessage(rc, model.device.BrandIndex, file);
    ProgramSlot& s = model.program();
    // A chip image carries no texts; an exchange file may.
    if (s.Verwendung.isEmpty())
        s.Verwendung = texts(TextId::Unknown);
    const QString dir = workDir.isEmpty() ? QStringLiteral(".") : workDir;
    const QString prefix = texts(TextId::FreeNamePrefix);
    const QString name = NextFreeFileName(dir, prefix);
    if (name.isEmpty())
        ui.ask(Prompt::message(Icon::Critical, {TextId::SaveUnderOtherName, prefix + QStringLiteral("xxx.zpg")}));
    s.Dateiname = name.isEmpty() ? QString() : QDir(dir).filePath(name);
    model.Geaendert = 1;
    model.AktSlot = kProgramSlot;
    return std::nullopt;
}

} // namespace zendrik
