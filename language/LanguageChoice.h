#pragma once

#include "language/TextFileResult.h"

#include <QString>

namespace zendrik {

class TextTable;

// Values of `Sprache` (zendrik.ini "SPRACHE="): the three built-in languages;
// any other value reads the table from speech.txt, and installing a
// translation stores kSpracheDatei.
inline constexpr int kSpracheDeutsch = 1;
inline constexpr int kSpracheEnglisch = 2;
inline constexpr int kSpracheFranzoesisch = 3;
inline constexpr int kSpracheDatei = 4;

// The installed further language, in the program's directory.
inline const QString kSpeechFileName = QStringLiteral("speech.txt");

// Fills the table in the language `sprache`, as confirming the start screen
// does. For a value other than 1..3 the table is read from speech.txt in
// `directory` over the German one, so a missing, unreadable or short file
// still leaves a complete table; the result tells what happened.
TextFileResult SelectLanguage(TextTable& texts, int sprache, int brandIndex, const QString& directory);

// Installs a translation file: reads it over the table in use and stores the
// complete table as speech.txt in `directory`; `Sprache` becomes 4 so that
// the next start reads it. A file that cannot be read, or a speech.txt that
// cannot be written, changes neither the table nor `Sprache`.
TextFileResult InstallTranslation(TextTable& texts, int& sprache, const QString& file,
                                  const QString& directory);

} // namespace zendrik
