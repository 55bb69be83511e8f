#pragma once

#include "language/Prompt.h"

#include <QString>

#include <functional>
#include <optional>

namespace zendrik {

class ProgramModel;
class TextTable;
class UserInteraction;

// Before a read replaces the program: "Änderungen speichern in <name> ?"
// (Yes/No/Cancel) when it was changed; Yes runs `save` (0 = nothing saved).
// Returns whether the read may go on: false after Cancel and after a save
// that wrote nothing, so changes the user wants kept are never dropped.
bool OfferSaveBeforeRead(ProgramModel& model, UserInteraction& ui, const std::function<int()>& save);

// Takes the image a device read left in `file` (card.dat, exchg.dat) into
// slot 0 as a new, unsaved program: it gets the lowest free default name
// (prefix "SzTab" of the language, n, ".zpg") in `workDir`, the description
// "unbekannt" when the file carries none, and counts as modified. A file
// the reader refuses leaves the open program as it was; its message is
// returned. When all 999 default names are taken the user is told so and
// the program has no name (the next save asks for one).
std::optional<Prompt> ImportReadProgram(ProgramModel& model, UserInteraction& ui, const TextTable& texts,
                                        const QString& workDir, const QString& file);

} // namespace zendrik
