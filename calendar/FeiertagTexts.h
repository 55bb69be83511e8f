#pragma once

#include "language/ExtraText.h"

namespace zendrik {

// Texts of the holiday and summer/winter-table dialogs that the device's
// fixed text table does not have.

inline constexpr ExtraText kFtNameMissing{"Bitte einen Namen eingeben !", "Please enter a name !",
                                          "Veuillez saisir un nom !"};
inline constexpr ExtraText kFtNameSeparator{
    "Der Name darf weder Komma noch Anführungszeichen enthalten !",
    "The name must not contain a comma or a quotation mark !",
    "Le nom ne doit contenir ni virgule ni guillemets !"};
inline constexpr ExtraText kFtNameInvalid{
    "Der Name enthält ein Zeichen, das die Feiertagsdatei nicht speichern kann !",
    "The name contains a character the holiday file cannot store !",
    "Le nom contient un caractère que le fichier des jours fériés ne peut pas enregistrer !"};
inline constexpr ExtraText kFtNoSuchDate{"Dieses Datum gibt es nicht !", "This date does not exist !",
                                         "Cette date n'existe pas !"};
inline constexpr ExtraText kFtDuplicate{"Dieser Feiertag ist bereits vorhanden !", "This holiday already exists !",
                                        "Ce jour férié existe déjà !"};
inline constexpr ExtraText kFtDuplicateSet{"Ein Set mit diesem Namen ist bereits vorhanden !",
                                           "A set of this name already exists !",
                                           "Un set portant ce nom existe déjà !"};
inline constexpr ExtraText kFtAlreadyMember{"Der Feiertag gehört bereits zu diesem Set !",
                                            "The holiday already belongs to this set !",
                                            "Ce jour férié fait déjà partie de ce set !"};
inline constexpr ExtraText kFtNotMember{"Der Feiertag gehört nicht zu diesem Set !",
                                        "The holiday does not belong to this set !",
                                        "Ce jour férié ne fait pas partie de ce set !"};
inline constexpr ExtraText kFtChooseHoliday{"Bitte einen Feiertag wählen !", "Please choose a holiday !",
                                            "Veuillez choisir un jour férié !"};
inline constexpr ExtraText kFtChooseSet{"Bitte ein Set wählen !", "Please choose a set !",
                                        "Veuillez choisir un set !"};
inline constexpr ExtraText kFtWriteFailed{
    "Die Feiertagsdatei konnte nicht geschrieben werden, die bisherige bleibt erhalten:",
    "The holiday file could not be written, the previous one is kept:",
    "Le fichier des jours fériés n'a pas pu être écrit, l'ancien est conservé :"};
inline constexpr ExtraText kFtNewerKind{
    "Die Feiertagsdatei enthält eine Feiertagsart, die erst eine neuere Version kennt; sie wird nicht gelesen:",
    "The holiday file holds a kind of holiday only a newer version knows; it is not read:",
    "Le fichier des jours fériés contient un type de jour férié que seule une version plus récente connaît ; il n'est pas lu :"};
inline constexpr ExtraText kFtSubstitute{" (Ersatztag)", " (substitute day)", " (jour de remplacement)"};
inline constexpr ExtraText kFtWeekendSubstitute{"Sa/So: nächster Werktag", "Sat/Sun: next working day",
                                                "sam./dim. : jour ouvré suivant"};
inline constexpr ExtraText kFtAddToSet{"Zum Set hinzufügen", "Add to set", "Ajouter au set"};
inline constexpr ExtraText kFtRemoveFromSet{"Aus dem Set entfernen", "Remove from set", "Retirer du set"};
inline constexpr ExtraText kFtInSet{"im Set", "in the set", "dans le set"};
inline constexpr ExtraText kFtDates{"Termine", "Dates", "Dates"};
inline constexpr ExtraText kFtFromYear{"ab", "from", "à partir de"};
inline constexpr ExtraText kFtForYears{"für Jahre", "for years", "pour années"};
inline constexpr ExtraText kFtExportIcs{"Als iCalendar speichern...", "Save as iCalendar...",
                                        "Enregistrer en iCalendar..."};
inline constexpr ExtraText kFtExportCsv{"Als CSV speichern...", "Save as CSV...", "Enregistrer en CSV..."};
inline constexpr ExtraText kFtExportFailed{"Die Datei konnte nicht geschrieben werden:",
                                           "The file could not be written:", "Le fichier n'a pas pu être écrit :"};
inline constexpr ExtraText kFtAllHolidays{"alle Feiertage", "all holidays", "tous les jours fériés"};

inline constexpr ExtraText kSwInfo{"Tabelle gilt ab dem angezeigten Jahr",
                                   "The table applies from the year shown",
                                   "Le tableau s'applique à partir de l'année affichée"};
inline constexpr ExtraText kSwZone{"Zeitzone", "Time zone", "Fuseau horaire"};
inline constexpr ExtraText kSwFillFromZone{"Aus Zeitzone füllen", "Fill from time zone",
                                           "Remplir d'après le fuseau"};
inline constexpr ExtraText kSwPreview{"Umstellungen der nächsten Jahre", "Changeovers of the coming years",
                                      "Changements des années suivantes"};
inline constexpr ExtraText kSwUnknownZone{"Unbekannte Zeitzone:", "Unknown time zone:", "Fuseau horaire inconnu :"};
inline constexpr ExtraText kSwZoneNoChangeover{
    "Diese Zeitzone hat keine eindeutige Sommerzeitumstellung im Jahr",
    "This time zone has no single summer-time changeover in the year",
    "Ce fuseau horaire n'a pas de changement d'heure unique en"};
inline constexpr ExtraText kSwZoneShift{
    "Die Umstellung dieser Zeitzone ist keine ganze Stundenzahl (1 bis 3) im Jahr",
    "The changeover of this time zone is not a whole number of hours (1 to 3) in the year",
    "Le changement de ce fuseau horaire n'est pas un nombre entier d'heures (1 à 3) en"};
inline constexpr ExtraText kSwYearRange{"Die Tabelle kann nur die Jahre 1996 bis 2078 aufnehmen !",
                                        "The table can only hold the years 1996 to 2078 !",
                                        "Le tableau ne peut contenir que les années 1996 à 2078 !"};
inline constexpr ExtraText kSwReplaceTable{"Die vorhandene Tabelle ersetzen ?", "Replace the existing table ?",
                                           "Remplacer le tableau existant ?"};
inline constexpr ExtraText kSwInvalidRow{"Dieses Datum gibt es in dem Jahr nicht !",
                                         "This date does not exist in that year !",
                                         "Cette date n'existe pas cette année-là !"};
inline constexpr ExtraText kSwYears{"Jahre", "years", "ans"};

} // namespace zendrik
