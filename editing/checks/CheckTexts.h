#pragma once

#include "language/ExtraText.h"

// Our own texts of the program checks, in German, English and French.
namespace zendrik::checktexts {

// Severities.
inline constexpr ExtraText kInfo{"Hinweis", "Note", "Remarque"};
inline constexpr ExtraText kWarning{"Warnung", "Warning", "Avertissement"};
inline constexpr ExtraText kError{"Fehler", "Error", "Erreur"};

// Names of the checks.
inline constexpr ExtraText kNameClash{"EIN und AUS zur selben Minute", "ON and OFF at the same minute",
                                      "MARCHE et ARRÊT à la même minute"};
inline constexpr ExtraText kNameUncalled{"Nie aufgerufenes Prioritätsprogramm", "Priority program never called",
                                         "Programme prioritaire jamais appelé"};
inline constexpr ExtraText kNameWithoutTimes{"Prioritätszeit ohne Schaltzeiten", "Priority time without switching times",
                                             "Période prioritaire sans horaires"};
inline constexpr ExtraText kNamePast{"Abgelaufene Prioritätszeit", "Priority time in the past",
                                     "Période prioritaire passée"};
inline constexpr ExtraText kNameExpiring{"Auslaufende Prioritätszeiten", "Priority times running out",
                                         "Périodes prioritaires qui s'arrêtent"};
inline constexpr ExtraText kNameSkipped{"Übersprungene Stunde", "Skipped hour", "Heure sautée"};
inline constexpr ExtraText kNameRepeated{"Doppelte Stunde", "Repeated hour", "Heure répétée"};
inline constexpr ExtraText kNameAstroSuppressed{"Astro-Schaltpunkt entfällt", "Astro switching left out",
                                                "Commutation astro supprimée"};
inline constexpr ExtraText kNameAstroLimited{"Astro-Grenze statt Sonne", "Astro limit instead of the sun",
                                             "Limite astro au lieu du soleil"};
inline constexpr ExtraText kNameLeapDay{"29. Februar", "29 February", "29 février"};
inline constexpr ExtraText kNameImpossible{"Unmögliches Datum", "Impossible date", "Date impossible"};
inline constexpr ExtraText kNameNeverOn{"Kanal nie EIN", "Channel never ON", "Canal jamais en marche"};
inline constexpr ExtraText kNameNeverOff{"Kanal nie AUS", "Channel never OFF", "Canal jamais à l'arrêt"};
inline constexpr ExtraText kNameMemory{"Speicher fast voll", "Memory nearly full", "Mémoire presque pleine"};
inline constexpr ExtraText kNameNoChangeover{"Keine Sommerzeit-Umschaltung", "No summer/winter changeover",
                                             "Pas de changement d'heure"};
inline constexpr ExtraText kNameTableRunsOut{"Sommerzeit-Tabelle läuft aus", "Summer/winter table runs out",
                                             "Le tableau été/hiver s'arrête"};
inline constexpr ExtraText kNameRuleDiffers{"Regel weicht von der Zeitzone ab", "Rule differs from the time zone",
                                            "La règle diffère du fuseau horaire"};
inline constexpr ExtraText kNameChangeoverAstro{"Astro am Tag der Rückstellung", "Astro on the day the clocks go back",
                                                "Astro le jour du retour à l'heure d'hiver"};
inline constexpr ExtraText kNameTableWeekday{"Umstellung nicht am Sonntag", "Changeover not on a Sunday",
                                             "Changement d'heure hors dimanche"};

// What each check looks for.
inline constexpr ExtraText kExplainClash{
    "Zwei Einträge schalten denselben Kanal zur selben Minute desselben Tages ein und aus; nur einer von beiden wirkt.",
    "Two entries switch the same channel ON and OFF at the same minute of the same day; only one of them acts.",
    "Deux entrées mettent le même canal en marche et à l'arrêt à la même minute du même jour ; une seule agit."};
inline constexpr ExtraText kExplainUncalled{
    "Schaltzeiten eines Prioritätsprogramms P1..P9 wirken nur an Tagen, an denen eine Prioritätszeit dieses Programm für den Kanal aufruft.",
    "Switching times of a priority program P1..P9 act only on days a priority time calls that program for the channel.",
    "Les horaires d'un programme prioritaire P1..P9 n'agissent que les jours où une période prioritaire appelle ce programme pour le canal."};
inline constexpr ExtraText kExplainWithoutTimes{
    "Eine Prioritätszeit schaltet ihre Kanäle auf ein Programm ohne Schaltzeiten für einen Kanal: er ist an diesen Tagen AUS, da keine Schaltzeit des Grundprogramms dort wirkt.",
    "A priority time switches its channels to a program without switching times for one of them: that channel is OFF on those days, since no switching time of the base program acts there.",
    "Une période prioritaire passe ses canaux à un programme sans horaires pour l'un d'eux : ce canal est à l'ARRÊT ces jours-là, car aucun horaire du programme de base n'y agit."};
inline constexpr ExtraText kExplainPast{
    "Eine an ein Jahr gebundene Prioritätszeit ist vorbei; sie belegt Speicher und wirkt nicht mehr.",
    "A priority time bound to a year is over; it takes memory and no longer acts.",
    "Une période prioritaire liée à une année est passée ; elle occupe de la mémoire et n'agit plus."};
inline constexpr ExtraText kExplainExpiring{
    "Für einige Jahre erzeugte Prioritätszeiten (freie Feiertage) enden spätestens im nächsten Jahr; danach fehlen sie.",
    "Priority times made for a number of years (free holidays) end this year or next; after that they are missing.",
    "Des périodes prioritaires créées pour quelques années (jours fériés libres) s'arrêtent cette année ou l'an prochain ; ensuite elles manquent."};
inline constexpr ExtraText kExplainSkipped{
    "Beim Vorstellen der Uhr auf Sommerzeit fällt eine Stunde aus; eine Schaltzeit darin kommt an diesem Tag nicht.",
    "When the clocks go forward to summer time an hour is skipped; a switching time in it does not come that day.",
    "Au passage à l'heure d'été une heure est sautée ; un horaire dans cette heure n'a pas lieu ce jour-là."};
inline constexpr ExtraText kExplainRepeated{
    "Beim Zurückstellen der Uhr läuft eine Stunde zweimal ab; eine Schaltzeit darin kann zweimal kommen.",
    "When the clocks go back an hour runs twice; a switching time in it may come twice.",
    "Au retour à l'heure d'hiver une heure passe deux fois ; un horaire dans cette heure peut avoir lieu deux fois."};
inline constexpr ExtraText kExplainAstroSuppressed{
    "An manchen Tagen entfällt ein Astro-Schaltpunkt (Versatz, Sommerstunde, Polartag) oder Morgen- und Abendschaltpunkt kommen in falscher Folge.",
    "On some days an astro switching is left out (offset, summer hour, polar day) or the morning and evening switchings come in the wrong order.",
    "Certains jours une commutation astro n'a pas lieu (décalage, heure d'été, jour polaire) ou celles du matin et du soir viennent dans le mauvais ordre."};
inline constexpr ExtraText kExplainAstroLimited{
    "An manchen Tagen schaltet ein Astro-Kanal zur Morgen- oder Abendgrenze statt mit der Sonne.",
    "On some days an astro channel switches at its morning or evening limit instead of with the sun.",
    "Certains jours un canal astro commute à sa limite du matin ou du soir au lieu de suivre le soleil."};
inline constexpr ExtraText kExplainLeapDay{
    "Ein Datum am 29. Februar gibt es nur in Schaltjahren.",
    "A date on 29 February exists in leap years only.",
    "Une date le 29 février n'existe que les années bissextiles."};
inline constexpr ExtraText kExplainImpossible{
    "Ein Eintrag (etwa aus einer alten Datei) trägt ein Datum, das es in keinem Jahr gibt.",
    "An entry (from an old file, say) carries a date no year has.",
    "Une entrée (venant par exemple d'un ancien fichier) porte une date qu'aucune année n'a."};
inline constexpr ExtraText kExplainNeverOn{
    "Ein Kanal, den das Programm schaltet, ist im simulierten Jahr an keinem Tag eingeschaltet.",
    "A channel the program switches is not ON on any day of the simulated year.",
    "Un canal que le programme commute n'est en marche aucun jour de l'année simulée."};
inline constexpr ExtraText kExplainNeverOff{
    "Ein Kanal, den das Programm schaltet, ist im simulierten Jahr an keinem Tag ausgeschaltet.",
    "A channel the program switches is not OFF on any day of the simulated year.",
    "Un canal que le programme commute n'est à l'arrêt aucun jour de l'année simulée."};
inline constexpr ExtraText kExplainMemory{
    "Mindestens 95 % der Einträge des Geräts sind belegt.",
    "At least 95 % of the device's entries are in use.",
    "Au moins 95 % des entrées de l'appareil sont occupées."};
inline constexpr ExtraText kExplainNoChangeover{
    "Das Gerät stellt die Uhr nie auf Sommerzeit: sie bleibt das ganze Jahr auf Normalzeit, und im Sommer schaltet jede Schaltzeit eine Stunde neben der Wanduhr.",
    "The device never sets its clock to summer time: it stays on standard time all year, and in summer every switching time comes an hour off the wall clock.",
    "L'appareil ne passe jamais à l'heure d'été : il reste toute l'année à l'heure normale, et en été chaque horaire commute une heure à côté de l'horloge murale."};
inline constexpr ExtraText kExplainTableRunsOut{
    "Mit „laut Tabelle“ stellt das Gerät nur in den Jahren der Tabelle um; danach bleibt es auf Normalzeit.",
    "With \"by table\" the device changes its clock only in the years of the table; after them it stays on standard time.",
    "Avec « selon tableau » l'appareil ne change d'heure que les années du tableau ; ensuite il reste à l'heure normale."};
inline constexpr ExtraText kExplainRuleDiffers{
    "Die festen Regeln des Geräts folgen einem älteren Recht: Großbritannien stellt heute am letzten Sonntag im Oktober zurück, die USA am zweiten Sonntag im März vor und am ersten Sonntag im November zurück. Eine Tabelle aus der Zeitzone folgt dem heutigen Recht.",
    "The device's built-in rules follow an older law: today Great Britain goes back on the last Sunday of October, and the USA changes on the second Sunday of March and the first Sunday of November. A table from the time zone follows today's law.",
    "Les règles fixes de l'appareil suivent une loi plus ancienne : aujourd'hui la Grande-Bretagne recule le dernier dimanche d'octobre, les États-Unis changent le deuxième dimanche de mars et le premier dimanche de novembre. Un tableau issu du fuseau horaire suit la loi actuelle."};
inline constexpr ExtraText kExplainChangeoverAstro{
    "Das Gerät zählt den ganzen Tag der Rückstellung als Sommerzeit: seine Astro-Zeiten kommen an diesem Tag eine Stunde später als die Sonne.",
    "The device counts the whole day the clocks go back as summer time: its astro times come an hour later than the sun that day.",
    "L'appareil compte toute la journée du retour à l'heure d'hiver comme heure d'été : ses heures astro viennent ce jour-là une heure après le soleil."};
inline constexpr ExtraText kExplainTableWeekday{
    "Eine Zeile der Sommerzeit-Tabelle stellt an einem anderen Tag als dem Sonntag um, an dem die Zeitzone umstellt; oft ist die Zeile für ein anderes Jahr gemacht.",
    "A row of the summer/winter table changes on another day than the Sunday its time zone changes on; often the row was made for another year.",
    "Une ligne du tableau été/hiver change d'heure un autre jour que le dimanche où son fuseau horaire change ; souvent la ligne a été faite pour une autre année."};

// Messages. Channels as "C1 C3", times as "07:00", dates as the list writes them.
inline constexpr ExtraText kClash{"%1 um %2: EIN und AUS zur selben Minute (%3)",
                                  "%1 at %2: ON and OFF at the same minute (%3)",
                                  "%1 à %2 : MARCHE et ARRÊT à la même minute (%3)"};
inline constexpr ExtraText kUncalled{"P%1: keine Prioritätszeit ruft dieses Programm für %2 auf; %3 Schaltzeit(en) schalten dort nie",
                                     "P%1: no priority time calls this program for %2; %3 switching time(s) never switch there",
                                     "P%1 : aucune période prioritaire n'appelle ce programme pour %2 ; %3 horaire(s) n'y commutent jamais"};
inline constexpr ExtraText kWithoutTimes{"Prioritätszeit P%1 (%2): P%1 hat keine Schaltzeit für %3, der Kanal ist an diesen Tagen AUS",
                                         "Priority time P%1 (%2): P%1 has no switching time for %3; the channel is OFF on those days",
                                         "Période prioritaire P%1 (%2) : P%1 n'a aucun horaire pour %3 ; le canal est à l'ARRÊT ces jours-là"};
inline constexpr ExtraText kPast{"Prioritätszeit %1 für %2 endete am %3 %4 und wirkt nicht mehr",
                                 "Priority time %1 for %2 ended on %3 %4 and no longer acts",
                                 "La période prioritaire %1 pour %2 s'est terminée le %3 %4 et n'agit plus"};
inline constexpr ExtraText kExpiring{"%1 Prioritätszeiten %2 für %3 reichen nur bis zum Jahr %4",
                                     "%1 priority times %2 for %3 reach only to the year %4",
                                     "%1 périodes prioritaires %2 pour %3 ne vont que jusqu'à l'année %4"};
inline constexpr ExtraText kSkipped{"%1 um %2 liegt in der Stunde, die beim Vorstellen der Uhr ausfällt: %3",
                                    "%1 at %2 lies in the hour skipped when the clocks go forward: %3",
                                    "%1 à %2 tombe dans l'heure sautée au passage à l'heure d'été : %3"};
inline constexpr ExtraText kRepeated{"%1 um %2 liegt in der Stunde, die beim Zurückstellen der Uhr zweimal abläuft: %3",
                                     "%1 at %2 lies in the hour that runs twice when the clocks go back: %3",
                                     "%1 à %2 tombe dans l'heure répétée au retour à l'heure d'hiver : %3"};
inline constexpr ExtraText kRiseLeftOut{"C%1: an %2 Tagen entfällt der Schaltpunkt bei Sonnenaufgang (zuerst am %3)",
                                        "C%1: on %2 days the sunrise switching is left out (first on %3)",
                                        "C%1 : pendant %2 jours la commutation au lever du soleil n'a pas lieu (d'abord le %3)"};
inline constexpr ExtraText kSetLeftOut{"C%1: an %2 Tagen entfällt der Schaltpunkt bei Sonnenuntergang (zuerst am %3)",
                                       "C%1: on %2 days the sunset switching is left out (first on %3)",
                                       "C%1 : pendant %2 jours la commutation au coucher du soleil n'a pas lieu (d'abord le %3)"};
inline constexpr ExtraText kAstroOrder{"C%1: an %2 Tagen kommt der Abendschaltpunkt nicht nach dem Morgenschaltpunkt (zuerst am %3)",
                                       "C%1: on %2 days the evening switching does not come after the morning one (first on %3)",
                                       "C%1 : pendant %2 jours la commutation du soir ne vient pas après celle du matin (d'abord le %3)"};
inline constexpr ExtraText kMorningLimit{"C%1: an %2 Tagen schaltet die Morgengrenze %3 statt des Sonnenaufgangs (zuerst am %4)",
                                         "C%1: on %2 days the morning limit %3 switches instead of sunrise (first on %4)",
                                         "C%1 : pendant %2 jours la limite du matin %3 commute au lieu du lever du soleil (d'abord le %4)"};
inline constexpr ExtraText kEveningLimit{"C%1: an %2 Tagen schaltet die Abendgrenze %3 statt des Sonnenuntergangs (zuerst am %4)",
                                         "C%1: on %2 days the evening limit %3 switches instead of sunset (first on %4)",
                                         "C%1 : pendant %2 jours la limite du soir %3 commute au lieu du coucher du soleil (d'abord le %4)"};
inline constexpr ExtraText kLeapDaySwitching{"%1 am 29. Februar schaltet nur in Schaltjahren",
                                             "%1 on 29 February switches in leap years only",
                                             "%1 le 29 février ne commute que les années bissextiles"};
inline constexpr ExtraText kLeapDayPriority{"Prioritätszeit %1: der 29. Februar zählt in Jahren ohne Schalttag als 1. März",
                                            "Priority time %1: 29 February counts as 1 March in years without a leap day",
                                            "Période prioritaire %1 : le 29 février compte comme le 1er mars les années non bissextiles"};
inline constexpr ExtraText kImpossible{"%1: das Datum %2 gibt es in keinem Jahr",
                                       "%1: no year has the date %2",
                                       "%1 : aucune année n'a la date %2"};
inline constexpr ExtraText kNeverOn{"C%1 ist %2 an keinem Tag eingeschaltet", "C%1 is not ON on any day of %2",
                                    "C%1 n'est en marche aucun jour de %2"};
inline constexpr ExtraText kNeverOff{"C%1 ist %2 an keinem Tag ausgeschaltet", "C%1 is not OFF on any day of %2",
                                     "C%1 n'est à l'arrêt aucun jour de %2"};
inline constexpr ExtraText kMemory{"Speicher zu %1 % belegt (%2 von %3 Einträgen)",
                                   "Memory %1 % full (%2 of %3 entries)",
                                   "Mémoire occupée à %1 % (%2 sur %3 entrées)"};
inline constexpr ExtraText kNoChangeover{
    "Regel „keine Umschaltung“: die Uhr bleibt auf Normalzeit, im Sommer schaltet jede Schaltzeit eine Stunde neben der Wanduhr (07:00 des Geräts ist dann 08:00 Sommerzeit)",
    "Rule \"no changeover\": the clock stays on standard time, so in summer every switching time comes an hour off the wall clock (07:00 on the device is 08:00 summer time)",
    "Règle « pas de changement » : l'horloge reste à l'heure normale, en été chaque horaire commute une heure à côté de l'horloge murale (07:00 de l'appareil sont alors 08:00 heure d'été)"};
inline constexpr ExtraText kTableRunsOut{
    "Die Sommerzeit-Tabelle reicht nur bis %1: ab %2 stellt das Gerät die Uhr nicht mehr um",
    "The summer/winter table reaches only to %1: from %2 on the device no longer changes its clock",
    "Le tableau été/hiver ne va que jusqu'à %1 : à partir de %2 l'appareil ne change plus d'heure"};
inline constexpr ExtraText kRuleDiffers{
    "%1 %2: vor am %3, zurück am %4; Zeitzone %5: vor am %6, zurück am %7. Eine Tabelle aus %5 folgt der Zeitzone.",
    "%1 %2: forward on %3, back on %4; time zone %5: forward on %6, back on %7. A table from %5 follows the zone.",
    "%1 %2 : avance le %3, recul le %4 ; fuseau %5 : avance le %6, recul le %7. Un tableau issu de %5 suit le fuseau."};
inline constexpr ExtraText kQuotedRule{"„%1“", "\"%1\"", "« %1 »"};
inline constexpr ExtraText kTheTable{"Sommerzeit-Tabelle", "Summer/winter table", "Tableau été/hiver"};
inline constexpr ExtraText kChangeoverAstro{
    "Am %1 stellt die Uhr zurück, das Gerät zählt den Tag aber ganz als Sommerzeit: C%2 schaltet %3 statt etwa %4",
    "On %1 the clocks go back, but the device counts the whole day as summer time: C%2 switches at %3 instead of about %4",
    "Le %1 l'heure recule, mais l'appareil compte toute la journée comme heure d'été : C%2 commute à %3 au lieu d'environ %4"};
inline constexpr ExtraText kTableWeekday{
    "Sommerzeit-Tabelle: %1 Zeile(n) stellen nicht am Sonntag um (zuerst %2, ein %3); %4 stellt sonntags um",
    "Summer/winter table: %1 row(s) do not change on a Sunday (first %2, a %3); %4 changes on Sundays",
    "Tableau été/hiver : %1 ligne(s) ne changent pas un dimanche (d'abord le %2, un %3) ; %4 change le dimanche"};
inline constexpr ExtraText kFillFromZoneHint{"zendrik-cli dst-table DATEI NEU --zone %1 --first-year %2",
                                             "zendrik-cli dst-table FILE OUT --zone %1 --first-year %2",
                                             "zendrik-cli dst-table FICHIER NOUVEAU --zone %1 --first-year %2"};
inline constexpr ExtraText kSwitchingTime{"Schaltzeit", "Switching time", "Horaire"};

} // namespace zendrik::checktexts
