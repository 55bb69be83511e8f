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

} // namespace zendrik
