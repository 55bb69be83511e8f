#pragma once

#include "language/ExtraText.h"

// Our own texts of the check dock and the comparison window, in German,
// English and French. The mnemonics are chosen so they clash with no other
// command of the same menu in that language.
namespace zendrik::checkwindowtexts {

// Edit menu.
inline constexpr ExtraText kMenuCheck{"Pr&ogramm prüfen", "C&heck program", "&Vérifier le programme"};
// File menu.
inline constexpr ExtraText kMenuCompareFile{"&Mit Datei vergleichen...", "Compare with &file...",
                                            "Comparer avec un &fichier..."};
inline constexpr ExtraText kMenuCompareSample{"Mit Vorlage ver&gleichen", "Compare &with sample",
                                              "&Comparer avec le modèle"};

// The check dock.
inline constexpr ExtraText kDockTitle{"Programmprüfung", "Program check", "Vérification du programme"};
inline constexpr ExtraText kColumnSeverity{"Stufe", "Severity", "Gravité"};
inline constexpr ExtraText kColumnRows{"Zeilen", "Rows", "Lignes"};
inline constexpr ExtraText kColumnMessage{"Meldung", "Message", "Message"};
inline constexpr ExtraText kSummary{"%1: %2 Befund(e)", "%1: %2 finding(s)", "%1 : %2 constat(s)"};
inline constexpr ExtraText kNoFindings{"%1: keine Befunde", "%1: no findings", "%1 : aucun constat"};
// The rows of a finding: switching times and priority times of the list.
inline constexpr ExtraText kSwitchingRows{"Schaltzeit %1", "Switching time %1", "Horaire %1"};
inline constexpr ExtraText kPriorityRows{"Prioritätszeit %1", "Priority time %1", "Période prioritaire %1"};

// A finding that a table from its time zone mends.
inline constexpr ExtraText kFillFromZone{"&Tabelle aus Zeitzone füllen", "Fill &table from time zone",
                                         "Remplir le &tableau depuis le fuseau"};

// The comparison window.
inline constexpr ExtraText kCompareTitle{"Programmvergleich", "Program comparison", "Comparaison de programmes"};
inline constexpr ExtraText kCompared{"%1  ↔  %2", "%1  ↔  %2", "%1  ↔  %2"};
inline constexpr ExtraText kColumnKind{"Art", "Kind", "Type"};
inline constexpr ExtraText kColumnDifference{"Unterschied", "Difference", "Différence"};
inline constexpr ExtraText kKindHeader{"Programmkopf", "Header", "En-tête"};
inline constexpr ExtraText kKindOnlyIn{"nur in %1", "only in %1", "seulement dans %1"};
inline constexpr ExtraText kKindChanged{"geändert", "changed", "modifié"};
inline constexpr ExtraText kNoDifferences{"Keine Unterschiede.", "No differences.", "Aucune différence."};
inline constexpr ExtraText kDifferences{"%1 Unterschied(e).", "%1 difference(s).", "%1 différence(s)."};
inline constexpr ExtraText kClose{"&Schließen", "&Close", "&Fermer"};
inline constexpr ExtraText kThisProgram{"Programm", "Program", "Programme"};
inline constexpr ExtraText kModifiedProgram{"Programm (geändert)", "Program (modified)", "Programme (modifié)"};
inline constexpr ExtraText kReadProgram{"Gelesenes Programm", "Program read", "Programme lu"};
inline constexpr ExtraText kSample{"Vorlage", "Sample", "Modèle"};

// The offer after a read from the chip, the infrared tool or the bus.
inline constexpr ExtraText kOfferCompare{"Das gelesene Programm mit einer Programmdatei vergleichen?",
                                         "Compare the program read with a program file?",
                                         "Comparer le programme lu avec un fichier programme ?"};

// The comparison window's pages and the behaviour page's list of days.
inline constexpr ExtraText kEntriesPage{"Einträge", "Entries", "Entrées"};
inline constexpr ExtraText kDifferingDays{"Verschiedene Tage", "Differing days", "Jours différents"};

} // namespace zendrik::checkwindowtexts
