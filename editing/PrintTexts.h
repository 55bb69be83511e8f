#pragma once

#include "language/ExtraText.h"

namespace zendrik {

// Texts of printing beyond the fixed text table.
inline constexpr ExtraText kPrintToTextFile{"in Textdatei umleiten", "redirect to text file",
                                            "rediriger vers un fichier texte"};
inline constexpr ExtraText kPrintWriteFailed{"Die Datei konnte nicht geschrieben werden: %1 (%2)",
                                             "The file could not be written: %1 (%2)",
                                             "Impossible d'écrire le fichier : %1 (%2)"};
inline constexpr ExtraText kPrintSaveAsPdf{"Als &PDF speichern...", "Save as &PDF...",
                                           "Enregistrer en &PDF..."};
inline constexpr ExtraText kPrintPdfWritten{"PDF gespeichert: %1 (%2 Seiten)", "PDF saved: %1 (%2 pages)",
                                            "PDF enregistré : %1 (%2 pages)"};
inline constexpr ExtraText kPrintTextWritten{"Textdatei gespeichert: %1", "Text file saved: %1",
                                             "Fichier texte enregistré : %1"};
inline constexpr ExtraText kPrintNothingChosen{"Nichts zum Drucken gewählt.", "Nothing chosen to print.",
                                               "Rien n'est choisi pour l'impression."};
// The program number of a program that has none, as the lists show empty values.
inline constexpr ExtraText kNoProgramNumberText{"keine", "none", "aucun"};
inline constexpr ExtraText kHandoverTitle{"Übergabeprotokoll", "Handover record", "Procès-verbal de remise"};
inline constexpr ExtraText kHandoverConfirmation{
    "Das Schaltprogramm wurde wie in diesem Protokoll beschrieben in das Gerät übertragen und übergeben.",
    "The switching program was transferred into the device and handed over as described in this record.",
    "Le programme de commutation a été transféré dans l'appareil et remis comme décrit dans ce procès-verbal."};
inline constexpr ExtraText kHandoverFile{"Programmdatei", "Program file", "Fichier programme"};
inline constexpr ExtraText kHandoverInstaller{"Errichter", "Installer", "Installateur"};
inline constexpr ExtraText kHandoverCustomer{"Kunde", "Customer", "Client"};
inline constexpr ExtraText kHandoverPlaceDate{"Ort, Datum, Unterschrift", "Place, date, signature",
                                              "Lieu, date, signature"};
inline constexpr ExtraText kHandoverYear{"Jahresübersicht %1", "Year overview %1", "Vue de l'année %1"};
inline constexpr ExtraText kHandoverSaveAs{"&Übergabeprotokoll...", "&Handover record...",
                                           "&Procès-verbal de remise..."};

// The proof of the hand-over on the record's cover: the last transfer into
// the device, the checksum of the image, the program checks.
inline constexpr ExtraText kHandoverLastTransfer{"Letzte Übertragung", "Last transfer", "Dernier transfert"};
inline constexpr ExtraText kHandoverNeverTransferred{"noch nicht übertragen", "not transferred yet",
                                                     "pas encore transféré"};
inline constexpr ExtraText kHandoverChangedSince{"geändert seit der Übertragung am %1",
                                                 "changed since the transfer on %1",
                                                 "modifié depuis le transfert du %1"};
inline constexpr ExtraText kHandoverTransferFailed{"Übertragung am %1 fehlgeschlagen", "transfer on %1 failed",
                                                   "échec du transfert du %1"};
inline constexpr ExtraText kHandoverDeviceDiffers{"am %1 gelesen: das Gerät enthält ein anderes Programm",
                                                  "read on %1: the device holds another program",
                                                  "lu le %1 : l'appareil contient un autre programme"};
inline constexpr ExtraText kHandoverReadBack{"aus dem Gerät gelesen", "read from the device", "lu dans l'appareil"};
inline constexpr ExtraText kHandoverConfirmed{"durch Rücklesen bestätigt", "confirmed by reading back",
                                              "confirmé par relecture"};
inline constexpr ExtraText kHandoverNotConfirmed{"nicht zurückgelesen", "not read back", "non relu"};
inline constexpr ExtraText kHandoverByBus{"Bus, Adresse %1", "bus, address %1", "bus, adresse %1"};
inline constexpr ExtraText kHandoverByChip{"Speicherchip an %1", "memory chip on %1", "puce mémoire sur %1"};
inline constexpr ExtraText kHandoverByIr{"Infrarot an Anschluss %1", "infrared on port %1", "infrarouge sur le port %1"};
inline constexpr ExtraText kHandoverChecksum{"Prüfsumme", "Checksum", "Somme de contrôle"};
inline constexpr ExtraText kHandoverChecksumTransferred{"%1 (übertragen: %2)", "%1 (transferred: %2)",
                                                        "%1 (transférée : %2)"};
inline constexpr ExtraText kHandoverChecks{"Prüfungen %1", "Checks %1", "Vérifications %1"};
inline constexpr ExtraText kHandoverNoFindings{"keine Befunde", "no findings", "aucune constatation"};
inline constexpr ExtraText kHandoverOneError{"1 Fehler", "1 error", "1 erreur"};
inline constexpr ExtraText kHandoverErrors{"%1 Fehler", "%1 errors", "%1 erreurs"};
inline constexpr ExtraText kHandoverOneWarning{"1 Warnung", "1 warning", "1 avertissement"};
inline constexpr ExtraText kHandoverWarnings{"%1 Warnungen", "%1 warnings", "%1 avertissements"};
inline constexpr ExtraText kHandoverOneNote{"1 Hinweis", "1 note", "1 remarque"};
inline constexpr ExtraText kHandoverNotes{"%1 Hinweise", "%1 notes", "%1 remarques"};
inline constexpr ExtraText kHandoverYearHours{"Jahresbetriebsstunden %1", "Yearly operating hours %1",
                                              "Heures de fonctionnement annuelles %1"};

} // namespace zendrik
