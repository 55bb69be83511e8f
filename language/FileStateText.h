#pragma once

#include "language/ExtraText.h"
#include "language/Prompt.h"
#include "util/FileCheck.h"

#include <QString>

namespace zendrik {

inline constexpr ExtraText kFileNotRegular{"Keine Datei (ein Ordner, ein Gerät oder eine Pipe): ",
                                           "Not a file (a folder, a device or a pipe): ",
                                           "Pas un fichier (un dossier, un périphérique ou un tube) : "};
inline constexpr ExtraText kFileNoPermission{"Keine Berechtigung zum Lesen: ", "No permission to read: ",
                                             "Pas d'autorisation de lecture : "};
inline constexpr ExtraText kFileLinkLoop{"Zu viele symbolische Verknüpfungen: ", "Too many symbolic links: ",
                                         "Trop de liens symboliques : "};
inline constexpr ExtraText kFileUnreadable{"Die Datei kann nicht gelesen werden: ", "The file cannot be read: ",
                                           "Impossible de lire le fichier : "};
inline constexpr ExtraText kFileTooLarge{"Die Datei ist zu groß: ", "The file is too large: ",
                                         "Le fichier est trop volumineux : "};
inline constexpr ExtraText kFileMissing{"Datei nicht vorhanden: ", "File not found: ", "Fichier introuvable : "};
inline constexpr ExtraText kFileNotText{"Keine Textdatei: ", "Not a text file: ", "Pas un fichier texte : "};
inline constexpr ExtraText kFolderUnusable{"Kein nutzbarer Ordner: ", "Not a usable folder: ",
                                           "Dossier inutilisable : "};

// The message for a file that cannot be read, naming the path and what is
// wrong with it ("Not a file (…): /dev/zero"). Empty for a regular file.
Prompt FileStatePrompt(FileState state, const QString& path, bool tooLarge = false);

} // namespace zendrik
