#pragma once

#include "language/ExtraText.h"

namespace zendrik::SiteFileTexts {

// Why a site file cannot be loaded: %1 the file, %2 the line, %3 the key,
// value or name at fault.
inline constexpr ExtraText kUnreadable{"Die Anlagendatei %1 kann nicht gelesen werden.",
                                       "The site file %1 cannot be read.",
                                       "Le fichier de site %1 ne peut pas être lu."};
inline constexpr ExtraText kEmpty{"Die Anlagendatei %1 ist leer.", "The site file %1 is empty.",
                                  "Le fichier de site %1 est vide."};
inline constexpr ExtraText kNotASite{"%1, Zeile %2: keine Anlagendatei (die erste Zeile muss „zendrik-site 1“ lauten).",
                                     "%1, line %2: not a site file (the first line must read \"zendrik-site 1\").",
                                     "%1, ligne %2 : ce n'est pas un fichier de site (la première ligne doit être « zendrik-site 1 »)."};
inline constexpr ExtraText kNewerVersion{"%1, Zeile %2: mit einer neueren Programmversion geschrieben (Version %3).",
                                         "%1, line %2: written by a newer version of the program (version %3).",
                                         "%1, ligne %2 : écrit par une version plus récente du programme (version %3)."};
inline constexpr ExtraText kBadLine{"%1, Zeile %2: „%3“ ist weder „Schlüssel = Wert“ noch [device].",
                                    "%1, line %2: \"%3\" is neither \"key = value\" nor [device].",
                                    "%1, ligne %2 : « %3 » n'est ni « clé = valeur » ni [device]."};
inline constexpr ExtraText kUnknownKey{"%1, Zeile %2: unbekannter Eintrag „%3“.", "%1, line %2: unknown key \"%3\".",
                                       "%1, ligne %2 : clé inconnue « %3 »."};
inline constexpr ExtraText kBadValue{"%1, Zeile %2: der Wert „%3“ ist nicht lesbar.",
                                     "%1, line %2: the value \"%3\" cannot be read.",
                                     "%1, ligne %2 : la valeur « %3 » est illisible."};
inline constexpr ExtraText kDuplicateDevice{"%1, Zeile %2: das Gerät „%3“ ist schon vorhanden.",
                                            "%1, line %2: the device \"%3\" is there already.",
                                            "%1, ligne %2 : l'appareil « %3 » existe déjà."};
inline constexpr ExtraText kMissingName{"%1, Zeile %2: das Gerät hat keinen Namen.",
                                        "%1, line %2: the device has no name.",
                                        "%1, ligne %2 : l'appareil n'a pas de nom."};
inline constexpr ExtraText kDuplicateKey{"%1, Zeile %2: „%3“ steht zweimal.", "%1, line %2: \"%3\" is given twice.",
                                         "%1, ligne %2 : « %3 » figure deux fois."};

// Refusals of creating a site and adding a device: %1 the site file, %2 the device.
inline constexpr ExtraText kSiteExists{"Die Datei %1 besteht bereits.", "The file %1 exists already.",
                                       "Le fichier %1 existe déjà."};
inline constexpr ExtraText kDeviceExists{"%1: das Gerät „%2“ ist schon vorhanden.",
                                         "%1: the device \"%2\" is there already.",
                                         "%1 : l'appareil « %2 » existe déjà."};

// Why a device of a loaded site cannot be used as it stands.
inline constexpr ExtraText kMarkUnknownType{"unbekannter Gerätetyp", "unknown device type", "type d'appareil inconnu"};
inline constexpr ExtraText kMarkOutsideFolder{"Programmdatei außerhalb des Ordners der Anlage",
                                              "program file outside the site's folder",
                                              "fichier de programme hors du dossier du site"};
inline constexpr ExtraText kMarkMissingProgram{"Programmdatei fehlt", "program file missing",
                                               "fichier de programme manquant"};
inline constexpr ExtraText kMarkUnfittingProgram{"Programm passt nicht zum Gerätetyp",
                                                 "program does not fit the device type",
                                                 "le programme ne convient pas au type d'appareil"};
inline constexpr ExtraText kMarkUnreadableProgram{"Programmdatei nicht lesbar", "program file unreadable",
                                                  "fichier de programme illisible"};

// The state of a device (the STATE column of the device list).
inline constexpr ExtraText kStateUpToDate{"aktuell", "up to date", "à jour"};
inline constexpr ExtraText kStateChangedSince{"seitdem geändert", "changed since", "modifié depuis"};
inline constexpr ExtraText kStateNever{"nie übertragen", "never", "jamais"};
inline constexpr ExtraText kStateFailed{"fehlgeschlagen", "failed", "échec"};

} // namespace zendrik::SiteFileTexts
