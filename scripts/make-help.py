#!/usr/bin/env python3
"""Writes the help pages (data/help/<de|en|fr>/<page>.html) from the texts
below. Edit the texts here and run the script again; the pages are shipped
as they are written."""
import html, os, sys

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data", "help")

# page: (title per language, [paragraph per language ...]); a paragraph that
# starts with "- " lines is a list. Links: [[page|text]].
PAGES = {
"index": (
 {"de": "Hilfe zu Zendrik", "en": "Zendrik help", "fr": "Aide de Zendrik"},
 [{"de": "Zendrik erstellt die Schaltprogramme digitaler Zeitschaltuhren, simuliert sie, druckt sie und überträgt sie in das Gerät. Jedes Fenster hat eine eigene Seite; F1 in einem Fenster öffnet sie.",
   "en": "Zendrik composes the switching programs of digital time switches, simulates them, prints them and transfers them into the device. Every window has a page of its own; F1 in a window opens it.",
   "fr": "Zendrik crée les programmes des horloges numériques, les simule, les imprime et les transfère dans l'appareil. Chaque fenêtre a sa page ; F1 dans une fenêtre l'ouvre."},
  {"de": "- [[start-screen|Startbild: Gerätetyp und Sprache]]\n- [[main-window|Hauptfenster und Listen]]\n- [[switching-times|Schaltzeiten eingeben]]\n- [[priority-times|Prioritätszeiten eingeben]]\n- [[edit-assistant|Eingabeautomatik]]\n- [[filter|Filter]]\n- [[holidays|Feiertage]]\n- [[dst-table|Sommer-/Winterzeit-Tabelle]]\n- [[astro|Astroprogramm]]\n- [[astro-cell|Astrozeiten ändern]]\n- [[device-properties|Geräteeigenschaften]]\n- [[print|Drucken und Übergabeprotokoll]]\n- [[chip-transfer|Speicherchip schreiben und lesen]]\n- [[simulation|Programmsimulation]]\n- [[infrared|IR-Zugriff]]\n- [[master-card|Codierung (Mastercard)]]\n- [[info|Info]]\n- [[program-check|Programmprüfung]]\n- [[comparison|Programmvergleich]]",
   "en": "- [[start-screen|Start screen: device type and language]]\n- [[main-window|Main window and lists]]\n- [[switching-times|Entering switching times]]\n- [[priority-times|Entering priority times]]\n- [[edit-assistant|Edit assistant]]\n- [[filter|Filter]]\n- [[holidays|Holidays]]\n- [[dst-table|Summer/winter time table]]\n- [[astro|Astro program]]\n- [[astro-cell|Changing astro times]]\n- [[device-properties|Device properties]]\n- [[print|Printing and the hand-over record]]\n- [[chip-transfer|Writing and reading the memory chip]]\n- [[simulation|Program simulation]]\n- [[infrared|Infrared access]]\n- [[master-card|Card coding (master card)]]\n- [[info|Info]]\n- [[program-check|Program check]]\n- [[comparison|Program comparison]]",
   "fr": "- [[start-screen|Écran de départ : type d'appareil et langue]]\n- [[main-window|Fenêtre principale et listes]]\n- [[switching-times|Saisir des horaires]]\n- [[priority-times|Saisir des périodes prioritaires]]\n- [[edit-assistant|Saisie automatique]]\n- [[filter|Filtre]]\n- [[holidays|Jours fériés]]\n- [[dst-table|Table été/hiver]]\n- [[astro|Programme astro]]\n- [[astro-cell|Modifier les heures astro]]\n- [[device-properties|Propriétés de l'appareil]]\n- [[print|Impression et procès-verbal de remise]]\n- [[chip-transfer|Écrire et lire la puce mémoire]]\n- [[simulation|Simulation du programme]]\n- [[infrared|Accès IR]]\n- [[master-card|Codage (carte maître)]]\n- [[info|Info]]\n- [[program-check|Vérification du programme]]\n- [[comparison|Comparaison de programmes]]"},
  {"de": "Häufige Aufgaben: ein Wochenprogramm erstellen ([[switching-times|Schaltzeiten]]), Feiertage frei schalten ([[priority-times|Prioritätszeiten]] und [[holidays|Feiertage]]), nach Sonnenauf- und -untergang schalten ([[astro|Astro]]), prüfen und drucken ([[print|Drucken]]), in das Gerät übertragen ([[chip-transfer|Speicherchip]]).",
   "en": "Common tasks: compose a weekly program ([[switching-times|switching times]]), switch holidays off ([[priority-times|priority times]] and [[holidays|holidays]]), switch at sunrise and sunset ([[astro|astro]]), check and print ([[print|printing]]), transfer into the device ([[chip-transfer|memory chip]]).",
   "fr": "Tâches courantes : créer un programme hebdomadaire ([[switching-times|horaires]]), libérer les jours fériés ([[priority-times|périodes prioritaires]] et [[holidays|jours fériés]]), commuter au lever et au coucher du soleil ([[astro|astro]]), vérifier et imprimer ([[print|impression]]), transférer dans l'appareil ([[chip-transfer|puce mémoire]])."}]),
"start-screen": (
 {"de": "Startbild", "en": "Start screen", "fr": "Écran de départ"},
 [{"de": "Wählen Sie die Sprache (Deutsch, English, Français oder eine weitere Sprache aus einer Übersetzungsdatei) und den Gerätetyp. OK öffnet das Hauptfenster mit einem leeren Programm für diesen Typ; Ende beendet das Programm.",
   "en": "Choose the language (German, English, French, or a further language from a translation file) and the device type. OK opens the main window with an empty program for that type; Exit ends the program.",
   "fr": "Choisissez la langue (allemand, anglais, français ou une autre langue d'un fichier de traduction) et le type d'appareil. OK ouvre la fenêtre principale avec un programme vide pour ce type ; Fin termine le programme."},
  {"de": "Der Gerätetyp bestimmt Kanalzahl, Speichergröße und die möglichen Eingaben. Zurück zum Startbild führt Datei, Neu. Siehe [[main-window|Hauptfenster]].",
   "en": "The device type sets the number of channels, the memory size and what can be entered. File, New leads back here. See [[main-window|main window]].",
   "fr": "Le type d'appareil fixe le nombre de canaux, la taille mémoire et les saisies possibles. Fichier, Nouveau ramène ici. Voir [[main-window|fenêtre principale]]."}]),
"main-window": (
 {"de": "Hauptfenster und Listen", "en": "Main window and lists", "fr": "Fenêtre principale et listes"},
 [{"de": "Oben stehen Programmnummer, Verwendung, Kanalnamen, der Schreibschutz, der Filterschalter und die Speicheranzeige. Darunter zeigt die Liste Schaltzeiten, Prioritätszeiten, die Sommer-/Winterzeit-Tabelle oder die Astrozeiten (Menü Fenster).",
   "en": "At the top: program number, description, channel names, write protection, the filter switch and the memory gauge. Below, the list shows switching times, priority times, the summer/winter table or the astro times (Window menu).",
   "fr": "En haut : numéro de programme, utilisation, noms des canaux, protection en écriture, commutateur de filtre et jauge mémoire. Dessous, la liste montre les horaires, les périodes prioritaires, la table été/hiver ou les heures astro (menu Fenêtre)."},
  {"de": "- Einfügen: neuer Eintrag der gezeigten Liste ([[switching-times|Schaltzeiten]], [[priority-times|Prioritätszeiten]], [[dst-table|Tabelle]])\n- F2 oder Doppelklick: markierte Zeilen ändern; Entf: löschen\n- Strg+Z / Strg+Y: Rückgängig / Wiederholen\n- Strg+S speichern, Strg+O öffnen, Strg+Q beenden\n- Ein Klick auf eine Spaltenüberschrift sortiert nach ihr",
   "en": "- Insert: new entry of the list shown ([[switching-times|switching times]], [[priority-times|priority times]], [[dst-table|table]])\n- F2 or double click: change the marked rows; Delete: delete them\n- Ctrl+Z / Ctrl+Y: undo / redo\n- Ctrl+S save, Ctrl+O open, Ctrl+Q exit\n- A click on a column heading sorts by it",
   "fr": "- Inser : nouvelle entrée de la liste affichée ([[switching-times|horaires]], [[priority-times|périodes prioritaires]], [[dst-table|table]])\n- F2 ou double clic : modifier les lignes marquées ; Suppr : les supprimer\n- Ctrl+Z / Ctrl+Y : annuler / rétablir\n- Ctrl+S enregistrer, Ctrl+O ouvrir, Ctrl+Q quitter\n- Un clic sur un en-tête de colonne trie selon elle"},
  {"de": "Eine Vorlage (Datei, Vorlage öffnen) wird daneben gezeigt, um Einträge zu kopieren. Nach einem Absturz bietet der nächste Start das ungespeicherte Programm zur Wiederherstellung an.",
   "en": "A sample (File, Open sample) is shown beside the program to copy entries from. After a crash the next start offers the unsaved program back.",
   "fr": "Un modèle (Fichier, Ouvrir un modèle) est affiché à côté pour en copier des entrées. Après un plantage, le démarrage suivant propose de restaurer le programme non enregistré."}]),
"switching-times": (
 {"de": "Schaltzeiten eingeben", "en": "Entering switching times", "fr": "Saisir des horaires"},
 [{"de": "Eine Schaltzeit schaltet Kanäle zu einer Uhrzeit an Wochentagen (oder an einem Datum) EIN oder AUS, oder gibt einen Impuls. Wählen Sie Kanäle, Tage, Stunde und Minute und den Zustand; OK speichert und lässt das Fenster für die nächste Zeit offen, Ende schließt es.",
   "en": "A switching time switches channels ON or OFF at a time of day on weekdays (or on a date), or gives a pulse. Choose channels, days, hour and minute and the state; OK stores it and keeps the window open for the next one, End closes it.",
   "fr": "Un horaire met des canaux en MARCHE ou ARRÊT à une heure donnée certains jours (ou à une date), ou donne une impulsion. Choisissez canaux, jours, heure, minute et état ; OK enregistre et garde la fenêtre ouverte, Fin la ferme."},
  {"de": "Ein Wochenprogramm: für Mo-Fr 7:00 EIN und 18:00 AUS je eine Schaltzeit. Die Zuordnung zu einem Prioritätsprogramm (P1..P9) gilt nur an Tagen einer [[priority-times|Prioritätszeit]]. Die [[edit-assistant|Eingabeautomatik]] füllt Folgewerte vor.",
   "en": "A weekly program: one switching time ON at 7:00 Mon-Fri and one OFF at 18:00. A priority program (P1..P9) applies only on days of a [[priority-times|priority time]]. The [[edit-assistant|edit assistant]] fills in following values.",
   "fr": "Un programme hebdomadaire : un horaire MARCHE à 7:00 lun-ven et un ARRÊT à 18:00. Un programme prioritaire (P1..P9) ne vaut que les jours d'une [[priority-times|période prioritaire]]. La [[edit-assistant|saisie automatique]] préremplit les valeurs suivantes."}]),
"priority-times": (
 {"de": "Prioritätszeiten eingeben", "en": "Entering priority times", "fr": "Saisir des périodes prioritaires"},
 [{"de": "Eine Prioritätszeit legt für einen Zeitraum (Datum von/bis, jährlich, einmalig, oder relativ zu Ostern) fest, welches Prioritätsprogramm P1..P9 gilt, oder schaltet Kanäle dauernd EIN oder AUS, etwa in den Ferien.",
   "en": "A priority time sets for a period (from/to date, every year, once, or relative to Easter) which priority program P1..P9 applies, or holds channels permanently ON or OFF, for instance during the holidays.",
   "fr": "Une période prioritaire fixe pour une durée (date de/à, chaque année, une fois, ou relative à Pâques) le programme prioritaire P1..P9 valable, ou maintient des canaux en MARCHE ou ARRÊT permanent, par exemple pendant les vacances."},
  {"de": "Bewegliche Feiertage werden aus der Liste der [[holidays|Feiertage]] übernommen; die Schaltfläche dort öffnet das Feiertagsfenster.",
   "en": "Movable holidays are taken from the list of [[holidays|holidays]]; the button there opens the holiday window.",
   "fr": "Les jours fériés mobiles viennent de la liste des [[holidays|jours fériés]] ; le bouton correspondant ouvre la fenêtre des jours fériés."}]),
"edit-assistant": (
 {"de": "Eingabeautomatik", "en": "Edit assistant", "fr": "Saisie automatique"},
 [{"de": "Die Eingabeautomatik legt fest, welche Werte nach dem Speichern einer Schaltzeit vorbelegt werden (gleiche Kanäle, nächste Uhrzeit, umgekehrter Zustand ...). Die Einstellung gilt bis zum Programmende. Siehe [[switching-times|Schaltzeiten]].",
   "en": "The edit assistant sets which values are filled in after a switching time was stored (same channels, next time, opposite state ...). The setting lasts until the program ends. See [[switching-times|switching times]].",
   "fr": "La saisie automatique fixe les valeurs préremplies après l'enregistrement d'un horaire (mêmes canaux, heure suivante, état inverse ...). Le réglage vaut jusqu'à la fin du programme. Voir [[switching-times|horaires]]."}]),
"filter": (
 {"de": "Filter", "en": "Filter", "fr": "Filtre"},
 [{"de": "Der Filter zeigt nur die Einträge bestimmter Kanäle, Wochentage, Monate, Prioritäten, Zustände oder Impulse. OK schaltet ihn ein; der Filterschalter im [[main-window|Hauptfenster]] schaltet ihn aus und wieder ein, die Auswahl bleibt erhalten. Drucken druckt immer ungefiltert.",
   "en": "The filter shows only the entries of chosen channels, weekdays, months, priorities, states or pulses. OK switches it on; the filter switch in the [[main-window|main window]] switches it off and on again, the choice is kept. Printing always prints unfiltered.",
   "fr": "Le filtre n'affiche que les entrées de certains canaux, jours, mois, priorités, états ou impulsions. OK l'active ; le commutateur de filtre de la [[main-window|fenêtre principale]] le désactive et le réactive, le choix est conservé. L'impression est toujours non filtrée."}]),
"holidays": (
 {"de": "Feiertage", "en": "Holidays", "fr": "Jours fériés"},
 [{"de": "Das Feiertagsfenster verwaltet feste und bewegliche Feiertage (relativ zu Ostern) und Sets, etwa die Feiertage eines Bundeslandes. „Jahre für freie Feiertage“ legt fest, für wie viele Jahre Prioritätszeiten erzeugt werden. Beenden schreibt die Feiertagsdatei.",
   "en": "The holiday window keeps fixed and movable holidays (relative to Easter) and sets, such as the holidays of a region. \"Years for free holidays\" sets for how many years priority times are generated. End writes the holiday file.",
   "fr": "La fenêtre des jours fériés gère les jours fixes et mobiles (relatifs à Pâques) et les ensembles, par exemple ceux d'une région. « Années pour jours fériés » fixe pour combien d'années les périodes prioritaires sont créées. Fin écrit le fichier des jours fériés."},
  {"de": "Feiertage werden als [[priority-times|Prioritätszeiten]] in das Programm übernommen.",
   "en": "Holidays become [[priority-times|priority times]] of the program.",
   "fr": "Les jours fériés deviennent des [[priority-times|périodes prioritaires]] du programme."}]),
"dst-table": (
 {"de": "Sommer-/Winterzeit-Tabelle", "en": "Summer/winter time table", "fr": "Table été/hiver"},
 [{"de": "Wo keine feste Regel gilt, nennt die Tabelle für jedes Jahr die Tage und Stunden der Umstellung. Neu legt eine Zeile an, die Eingabeautomatik füllt Folgejahre; eine Zeitzone füllt die Tabelle aus der Zeitzonendatenbank. Die Regel wählen Sie in den [[device-properties|Geräteeigenschaften]].",
   "en": "Where no fixed rule applies, the table gives the days and hours of the changeover for each year. New adds a row, the edit assistant fills following years; a time zone fills the table from the time-zone database. The rule is chosen in the [[device-properties|device properties]].",
   "fr": "Là où aucune règle fixe ne s'applique, la table donne pour chaque année les jours et heures du changement. Nouveau ajoute une ligne, la saisie automatique remplit les années suivantes ; un fuseau horaire remplit la table depuis la base des fuseaux. La règle se choisit dans les [[device-properties|propriétés de l'appareil]]."}]),
"astro": (
 {"de": "Astroprogramm", "en": "Astro program", "fr": "Programme astro"},
 [{"de": "Astrokanäle schalten bei Sonnenauf- und -untergang. Wählen Sie einen Ort (oder Länge, Breite und Zeitzone), Verschiebungen für Auf- und Untergang, Morgen- und Abendgrenzen und die Schaltzustände. Die Kurve zeigt das Jahr; OK berechnet die Tabelle.",
   "en": "Astro channels switch at sunrise and sunset. Choose a place (or longitude, latitude and time zone), offsets for sunrise and sunset, morning and evening limits and the switching states. The curve shows the year; OK computes the table.",
   "fr": "Les canaux astro commutent au lever et au coucher du soleil. Choisissez un lieu (ou longitude, latitude et fuseau), les décalages, les limites du matin et du soir et les états. La courbe montre l'année ; OK calcule la table."},
  {"de": "Einzelne Tage ändern Sie in der Astroansicht der Liste: [[astro-cell|Astrozeiten ändern]].",
   "en": "Single days are changed in the list's astro view: [[astro-cell|changing astro times]].",
   "fr": "Les jours isolés se modifient dans la vue astro de la liste : [[astro-cell|modifier les heures astro]]."}]),
"astro-cell": (
 {"de": "Astrozeiten ändern", "en": "Changing astro times", "fr": "Modifier les heures astro"},
 [{"de": "Markieren Sie in der Astroansicht Zellen und ändern Sie Zeit und Zustand, löschen oder verschieben Sie sie. Die Änderung gilt nur für die markierten Tage. Siehe [[astro|Astroprogramm]].",
   "en": "Mark cells in the astro view and change their time and state, delete or move them. The change applies to the marked days only. See [[astro|astro program]].",
   "fr": "Marquez des cellules dans la vue astro et modifiez heure et état, supprimez-les ou déplacez-les. Le changement ne vaut que pour les jours marqués. Voir [[astro|programme astro]]."}]),
"device-properties": (
 {"de": "Geräteeigenschaften", "en": "Device properties", "fr": "Propriétés de l'appareil"},
 [{"de": "Hier stehen die Einstellungen, die mit dem Programm in das Gerät gehen (Sommer-/Winterzeit-Regel, Sprache und Datumsformat der Uhr, Funk, Dauertaste, Zählerimpuls), und die des PCs (Schnittstelle des Programmieradapters, Verzögerung, Zeilen je Druckseite, Adapterwerkzeug).",
   "en": "These are the settings that go into the device with the program (summer/winter rule, the clock's language and date format, radio, permanent key, meter pulse) and those of the PC (the programming adapter's port, delay, lines per printed page, adapter tool).",
   "fr": "Ce sont les réglages transmis à l'appareil avec le programme (règle été/hiver, langue et format de date de l'horloge, radio, touche permanente, impulsion de comptage) et ceux du PC (port de l'adaptateur, délai, lignes par page, outil de l'adaptateur)."},
  {"de": "Für eine eigene Umstellungstabelle wählen Sie die Tabellenregel und füllen die [[dst-table|Tabelle]].",
   "en": "For a table of your own choose the table rule and fill the [[dst-table|table]].",
   "fr": "Pour une table personnelle, choisissez la règle par table et remplissez la [[dst-table|table]]."}]),
"print": (
 {"de": "Drucken und Übergabeprotokoll", "en": "Printing and the hand-over record", "fr": "Impression et procès-verbal de remise"},
 [{"de": "Wählen Sie, was gedruckt wird (Schaltzeiten, Prioritätszeiten, Tabelle, Astrozeiten, Geräteeigenschaften), dann Vorschau, Drucker, PDF oder Textdatei. „Übergabeprotokoll...“ schreibt ein PDF mit Deckblatt, Unterschriftszeilen, allen Listen und dem Jahresverlauf jedes Kanals für den Kunden.",
   "en": "Choose what to print (switching times, priority times, table, astro times, device properties), then preview, printer, PDF or text file. \"Hand-over record...\" writes a PDF with a cover, signature lines, every list and each channel's year for the customer.",
   "fr": "Choisissez ce qui est imprimé (horaires, périodes prioritaires, table, heures astro, propriétés), puis aperçu, imprimante, PDF ou fichier texte. « Procès-verbal de remise... » écrit un PDF avec page de garde, lignes de signature, toutes les listes et l'année de chaque canal pour le client."}]),
"chip-transfer": (
 {"de": "Speicherchip schreiben und lesen", "en": "Writing and reading the memory chip", "fr": "Écrire et lire la puce mémoire"},
 [{"de": "Datei, Programmieren schreibt das gespeicherte Programm über den Programmieradapter in den Speicherchip; Lesen liest einen Chip in ein neues Programm. Das Fenster zeigt den Fortschritt; eine Meldung nennt den Grund, wenn es nicht gelingt, die Statusleiste bestätigt den Erfolg.",
   "en": "File, Program writes the saved program into the memory chip through the programming adapter; Read reads a chip into a new program. The window shows the progress; a message gives the reason when it fails, the status bar confirms success.",
   "fr": "Fichier, Programmer écrit le programme enregistré dans la puce mémoire via l'adaptateur ; Lire lit une puce dans un nouveau programme. La fenêtre montre la progression ; un message donne la raison d'un échec, la barre d'état confirme la réussite."},
  {"de": "Die Schnittstelle stellen Sie in den [[device-properties|Geräteeigenschaften]] ein.",
   "en": "The port is set in the [[device-properties|device properties]].",
   "fr": "Le port se règle dans les [[device-properties|propriétés de l'appareil]]."}]),
"infrared": (
 {"de": "IR-Zugriff", "en": "Infrared access", "fr": "Accès IR"},
 [{"de": "Datei, IR-Zugriff liest eine Schaltuhr über den Infrarot-Adapter (Schaltzeiten lesen), programmiert sie mit dem gespeicherten Programm (Schaltzeiten programmieren) oder stellt ihre Uhr (Uhrzeit und Datum stellen). Wählen Sie COM 1 oder COM 2 und OK; der Balken zeigt, wie lange auf die Antwort des IR-Programms gewartet wird.",
   "en": "File, IR-access reads a time switch through the infrared adapter (read switching times), programs it with the saved program (program switching times) or sets its clock (set time and date). Choose COM 1 or COM 2 and OK; the bar shows how long the program waits for the infrared tool's answer.",
   "fr": "Fichier, Accès IR lit une horloge par l'adaptateur infrarouge, la programme avec le programme enregistré ou règle son heure. Choisissez COM 1 ou COM 2 puis OK ; la barre montre combien de temps le programme attend la réponse du programme infrarouge."},
  {"de": "Uhrzeit (hh:mm:ss) und Datum (tt.mm.jj) folgen der Uhr des Rechners, bis Sie selbst etwas eingeben. Ein gelesenes Programm wird ein neues, ungespeichertes Programm. Das IR-Programm und die Wartezeit stellen Sie in den [[device-properties|Geräteeigenschaften]] ein.",
   "en": "Time (hh:mm:ss) and date (dd.mm.yy) follow the computer's clock until you type into them. A program read becomes a new, unsaved program. The infrared tool and the waiting time are set in the [[device-properties|device properties]].",
   "fr": "L'heure (hh:mm:ss) et la date (jj.mm.aa) suivent l'horloge de l'ordinateur tant que vous n'y tapez rien. Un programme lu devient un nouveau programme non enregistré. Le programme infrarouge et l'attente se règlent dans les [[device-properties|propriétés de l'appareil]]."}]),
"master-card": (
 {"de": "Codierung (Mastercard)", "en": "Card coding (master card)", "fr": "Codage (carte maître)"},
 [{"de": "Einstellungen, Codierung macht aus dem Programm eine Mastercard oder wieder eine Progcard und stellt die Geräteoptionen (Dauerschaltung, Basisstrom bei NAK, Datumsformat, Sprache, Zeitbasis) und die acht Kennungsbits ein. Jeder Klick ändert das Programm sofort und lässt sich rückgängig machen.",
   "en": "Settings, Card coding makes the program a master card or a program card again and sets the device options (permanent switching, base current at NAK, date format, language, time base) and the eight identification bits. Every click changes the program at once and can be undone.",
   "fr": "Réglages, Codage fait du programme une carte maître ou de nouveau une carte programme et règle les options de l'appareil et les huit bits d'identification. Chaque clic modifie le programme aussitôt et peut être annulé."},
  {"de": "Die Karte wird danach gespeichert und wie jedes Programm übertragen ([[chip-transfer|Speicherchip]]).",
   "en": "The card is then saved and transferred as any program ([[chip-transfer|memory chip]]).",
   "fr": "La carte est ensuite enregistrée et transférée comme tout programme ([[chip-transfer|puce mémoire]])."}]),
"bus-access": (
 {"de": "Buszugriff auf Schaltuhr", "en": "Bus access to the time switch", "fr": "Accès bus à l'horloge"},
 [{"de": "Datei, Buszugriff (nur bei den Bus-Gerätetypen) tauscht das Schaltprogramm über den Installationsbus mit einer Schaltuhr aus. Schaltuhr suchen: Bereich, Linie und Teilnehmerbereich eingeben und Suche starten; jede gefundene Schaltuhr erscheint im Suchergebnis und wird als physikalische Adresse übernommen.",
   "en": "File, Bus access (on the bus device types only) exchanges the switching program with a time switch over the installation bus. Search: enter area, line and the range of devices and start the search; every time switch found is listed and taken as the physical address.",
   "fr": "Fichier, Accès bus (seulement pour les types d'appareil bus) échange le programme avec une horloge par le bus d'installation. Recherche : saisir la zone, la ligne et la plage d'appareils puis lancer la recherche ; chaque horloge trouvée est listée et reprise comme adresse physique."},
  {"de": "Programmieren schreibt das gespeicherte Programm in die Schaltuhr, Lesen holt ihr Programm als neues, ungespeichertes Programm. Dazu wird die Applikation des Geräts gesichert (appl-Bereich.Linie.Teilnehmer.old), die Übertragungsapplikation remote.s19 geladen und am Ende die gesicherte Applikation zurückgeschrieben. Gelingt das nicht, bleibt die Sicherung erhalten und Wiederherstellen schreibt sie später zurück, auch nach einem Neustart des Programms.",
   "en": "Program writes the saved program into the time switch, Read fetches its program as a new, unsaved program. The device's application is saved first (appl-area.line.device.old), the transfer application remote.s19 is loaded, and at the end the saved application is written back. When that fails, the saved file stays and Reinstall writes it back later, also after the program was restarted.",
   "fr": "Programmer écrit le programme enregistré dans l'horloge, Lire en charge le programme comme nouveau programme non enregistré. L'application de l'appareil est d'abord sauvegardée (appl-zone.ligne.appareil.old), l'application de transfert remote.s19 est chargée, et à la fin l'application sauvegardée est réécrite. Si cela échoue, la sauvegarde reste et Réinstaller la réécrit plus tard, même après un redémarrage du programme."},
  {"de": "Jeder Schritt steht in protocol.txt im Arbeitsverzeichnis. Die Schnittstellen COM 1 und COM 2 sind die Busverbindungen BUS1 und BUS2 aus ports.ini; ohne Angabe ist es der simulierte Bus aus bus-sim.ini. Sie stehen in den [[device-properties|Geräteeigenschaften]] (Bus 1, Bus 2): knxnetip:HOST[:PORT] erreicht den Bus über eine KNX-IP-Schnittstelle, einen Router oder knxd, sim:DATEI den simulierten Bus.",
   "en": "Every step is logged in protocol.txt in the working directory. The interfaces COM 1 and COM 2 are the bus connections BUS1 and BUS2 of ports.ini; without one it is the simulated bus of bus-sim.ini. They are set in the [[device-properties|device properties]] (Bus 1, Bus 2): knxnetip:HOST[:PORT] reaches the bus through a KNX IP interface, a router or knxd, sim:FILE the simulated bus.",
   "fr": "Chaque étape est notée dans protocol.txt dans le répertoire de travail. Les interfaces COM 1 et COM 2 sont les connexions bus BUS1 et BUS2 de ports.ini ; sans elles, c'est le bus simulé de bus-sim.ini. Elles se règlent dans les [[device-properties|propriétés de l'appareil]] (Bus 1, Bus 2) : knxnetip:HÔTE[:PORT] atteint le bus par une interface KNX IP, un routeur ou knxd, sim:FICHIER le bus simulé."}]),
"simulation": (
 {"de": "Programmsimulation", "en": "Program simulation", "fr": "Simulation du programme"},
 [{"de": "Die Simulation zeigt ein Jahr eines Kanals: oben jeder Tag als Zeile (EIN blau, Impulse rot) mit seiner Priorität am Rand, unten der gewählte Tag mit Stundenmarken. Wählen Sie Simulationsjahr und Kanal; die Bildlaufleiste, ein Klick oder die Maus wählen den Tag. Über dem Bild steht, welche Zeile der Liste, welche Prioritätszeit oder welche Astrozeit den Zustand bestimmt; ein Doppelklick markiert diese Zeile im Hauptfenster.",
   "en": "The simulation shows one channel's year: above, every day as a row (ON blue, pulses red) with its priority at the side; below, the chosen day with hour marks. Choose the simulation year and the channel; the scroll bar, a click or the mouse choose the day. Pointing tells which list row, priority time or astro time decides the state; a double click marks that row in the main window.",
   "fr": "La simulation montre l'année d'un canal : en haut chaque jour en ligne (MARCHE en bleu, impulsions en rouge) avec sa priorité en marge, en bas le jour choisi avec les heures. Choisissez l'année et le canal ; la barre de défilement, un clic ou la souris choisissent le jour. Le pointeur indique quelle ligne de la liste, période prioritaire ou heure astro décide de l'état ; un double clic marque cette ligne dans la fenêtre principale."},
  {"de": "„Jahresbetriebsstunden berechnen“ zählt die Betriebsstunden des Jahres. Das Fenster bleibt neben der Liste offen und folgt jeder Änderung; zeigt die Liste die Vorlage, simuliert es die Vorlage (Titel „Vorlage Programmsimulation“); „Bild speichern...“ und „Tabelle speichern...“ schreiben das Jahr als PNG und CSV. Siehe [[main-window|Hauptfenster]].",
   "en": "\"Compute yearly operating hours\" counts the year's operating hours. The window stays open beside the list and follows every change; while the list shows the sample, it simulates the sample (title \"Sample Program simulation\"); \"Save picture...\" and \"Save table...\" write the year as PNG and CSV. See [[main-window|main window]].",
   "fr": "« Calculer les heures annuelles » compte les heures de l'année. La fenêtre reste ouverte à côté de la liste et suit chaque modification ; quand la liste montre le modèle, elle simule le modèle ; « Enregistrer l'image... » et « Enregistrer le tableau... » écrivent l'année en PNG et CSV. Voir [[main-window|fenêtre principale]]."}]),
"program-check": (
 {"de": "Programmprüfung", "en": "Program check", "fr": "Vérification du programme"},
 [{"de": "Bearbeiten, Programm prüfen öffnet dieses Fenster neben der Liste. Es prüft das Programm für das laufende Jahr und zeigt jeden Befund mit Stufe (Hinweis, Warnung, Fehler), den Zeilen der Liste und einer Meldung; der Tipp einer Zeile erklärt die Prüfung. Nach jeder Änderung prüft es neu, und die Nummer jeder betroffenen Zeile der Liste trägt eine Marke in der Farbe ihrer Stufe.",
   "en": "Edit, Check program opens this window beside the list. It checks the program for the current year and shows every finding with its severity (note, warning, error), the rows of the list and a message; the tip of a line explains the check. It checks again after every change, and the number of every row concerned carries a marker in the colour of its severity.",
   "fr": "Édition, Vérifier le programme ouvre cette fenêtre à côté de la liste. Elle vérifie le programme pour l'année en cours et montre chaque constat avec sa gravité (remarque, avertissement, erreur), les lignes de la liste et un message ; l'info-bulle d'une ligne explique la vérification. Elle vérifie à nouveau après chaque modification, et le numéro de chaque ligne concernée porte une marque de la couleur de sa gravité."},
  {"de": "- EIN und AUS desselben Kanals zur selben Minute desselben Tages\n- Prioritätsprogramme P1..P9 ohne aufrufende Prioritätszeit, Prioritätszeiten ohne Schaltzeiten für einen Kanal\n- abgelaufene und bald auslaufende Prioritätszeiten\n- Schaltzeiten in der übersprungenen oder doppelten Stunde der Sommerzeitumstellung\n- Astrokanäle, deren Grenzen oder Versatz den Sonnenschaltpunkt an manchen Tagen ersetzen oder unterdrücken\n- der 29. Februar und unmögliche Daten\n- Kanäle, die im Jahr nie EIN oder nie AUS sind, und ein fast voller Speicher",
   "en": "- ON and OFF of the same channel at the same minute of the same day\n- priority programs P1..P9 no priority time calls, priority times without switching times for a channel\n- priority times that are over or run out soon\n- switching times in the hour skipped or repeated by the summer-time change\n- astro channels whose limits or offsets replace or suppress the sun's switching on some days\n- 29 February and impossible dates\n- channels that are never ON or never OFF in the year, and a nearly full memory",
   "fr": "- MARCHE et ARRÊT du même canal à la même minute du même jour\n- programmes prioritaires P1..P9 qu'aucune période n'appelle, périodes prioritaires sans horaires pour un canal\n- périodes prioritaires passées ou qui s'arrêtent bientôt\n- horaires dans l'heure sautée ou répétée au changement d'heure\n- canaux astro dont les limites ou décalages remplacent ou suppriment la commutation solaire certains jours\n- le 29 février et les dates impossibles\n- canaux jamais en marche ou jamais à l'arrêt dans l'année, et une mémoire presque pleine"},
  {"de": "Ein Doppelklick auf einen Befund markiert seine Zeilen in der Liste und zeigt seinen Tag in der [[simulation|Programmsimulation]], wenn sie offen ist. Siehe [[main-window|Hauptfenster]] und [[comparison|Programmvergleich]].",
   "en": "A double click on a finding marks its rows in the list and shows its day in the [[simulation|program simulation]] when that is open. See [[main-window|main window]] and [[comparison|program comparison]].",
   "fr": "Un double clic sur un constat marque ses lignes dans la liste et montre son jour dans la [[simulation|simulation du programme]] si elle est ouverte. Voir [[main-window|fenêtre principale]] et [[comparison|comparaison de programmes]]."}]),
"comparison": (
 {"de": "Programmvergleich", "en": "Program comparison", "fr": "Comparaison de programmes"},
 [{"de": "Datei, Mit Datei vergleichen... wählt eine Programmdatei und zeigt, was sie vom Programm unterscheidet; Mit Vorlage vergleichen vergleicht mit der geöffneten Vorlage. Nach jedem Lesen aus dem Speicherchip, über Infrarot oder über den Bus fragt das Programm, ob das Gelesene mit einer Programmdatei verglichen werden soll.",
   "en": "File, Compare with file... chooses a program file and shows what differs from the program; Compare with sample compares with the open sample. After every read from the memory chip, by infrared or over the bus the program asks whether to compare what was read with a program file.",
   "fr": "Fichier, Comparer avec un fichier... choisit un fichier programme et montre ce qui diffère du programme ; Comparer avec le modèle compare avec le modèle ouvert. Après chaque lecture de la puce mémoire, par infrarouge ou par le bus, le programme propose de comparer ce qui a été lu avec un fichier programme."},
  {"de": "Zuerst stehen die Unterschiede im Programmkopf (Programmnummer, Sommerzeitregel, Tabellenzeilen, Astroprogramm, Kanalnamen, Verwendung), dann die Einträge, die nur in einem der beiden stehen, und die Einträge, die sich nur in Zustand, Kanälen oder Impuls unterscheiden, jeweils mit ihrer Zeile in beiden Listen; ein Doppelklick auf einen Eintrag des Programms zeigt ihn in der Liste. Siehe [[program-check|Programmprüfung]].",
   "en": "First come the differences in the header (program number, summer-time rule, table rows, astro program, channel names, description), then the entries found in only one of the two and the entries that differ only in state, channels or pulse, each with its row in both lists; a double click on an entry of the program shows it in the list. See [[program-check|program check]].",
   "fr": "D'abord les différences de l'en-tête (numéro de programme, règle d'heure d'été, lignes de la table, programme astro, noms des canaux, utilisation), puis les entrées présentes dans un seul des deux et celles qui ne diffèrent que par l'état, les canaux ou l'impulsion, chacune avec sa ligne dans les deux listes ; un double clic sur une entrée du programme la montre dans la liste. Voir [[program-check|vérification du programme]]."}]),
"info": (
 {"de": "Info", "en": "Info", "fr": "Info"},
 [{"de": "Das Info-Fenster zeigt die Version des Programms und seiner Texttabelle und den gewählten Gerätetyp. Zurück zur [[index|Übersicht]].",
   "en": "The info window shows the version of the program and of its text table, and the chosen device type. Back to the [[index|overview]].",
   "fr": "La fenêtre Info montre la version du programme et de sa table de textes, et le type d'appareil choisi. Retour au [[index|sommaire]]."}]),
}

BACK = {"de": "Übersicht", "en": "Contents", "fr": "Sommaire"}


def inline(text):
    out, rest = "", text
    while "[[" in rest:
        before, _, after = rest.partition("[[")
        target, _, after = after.partition("]]")
        page, _, label = target.partition("|")
        out += html.escape(before) + '<a href="%s.html">%s</a>' % (page, html.escape(label or page))
        rest = after
    return out + html.escape(rest)


def render(lang, name, title, paragraphs):
    body = []
    for p in paragraphs:
        text = p[lang]
        if text.startswith("- "):
            items = "".join("<li>%s</li>" % inline(line[2:]) for line in text.split("\n"))
            body.append("<ul>%s</ul>" % items)
        else:
            body.append("<p>%s</p>" % inline(text))
    nav = "" if name == "index" else '<p class="nav"><a href="index.html">%s</a></p>' % BACK[lang]
    return ('<!DOCTYPE html>\n<html lang="%s">\n<head><meta charset="utf-8"><title>%s</title></head>\n'
            "<body>\n<h1>%s</h1>\n%s\n%s\n</body>\n</html>\n"
            % (lang, html.escape(title[lang]), html.escape(title[lang]), "\n".join(body), nav))


def main():
    for lang in ("de", "en", "fr"):
        folder = os.path.join(ROOT, lang)
        os.makedirs(folder, exist_ok=True)
        for name, (title, paragraphs) in PAGES.items():
            with open(os.path.join(folder, name + ".html"), "w", encoding="utf-8", newline="\n") as f:
                f.write(render(lang, name, title, paragraphs))
    return 0


if __name__ == "__main__":
    sys.exit(main())
