#pragma once

#include "language/Prompt.h"

#include <QString>

#include <optional>

namespace zendrik {

class ProgramModel;
class TextTable;
class UserInteraction;

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
