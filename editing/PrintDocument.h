#pragma once

#include "editing/ListFilter.h"
#include "editing/ProgramList.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace zendrik {

class ProgramModel;
class TextTable;

// What the print window asks for: one flag per section, taken from its
// check boxes when "Drucken" is pressed, and the list as shown (the print
// button of the main frame: `DruckAktuell` = Ansicht + 1, 0 = not wanted).
struct PrintRequest {
    bool Schaltzeiten = false;
    bool Prioritaetszeiten = false;
    bool SoWiTabelle = false;
    bool Astrozeiten = false;
    bool Geraeteeigenschaften = false;
    int DruckAktuell = 0;
    // The slot, astro channel and filter of the list as the main window
    // shows it (for DruckAktuell): the list is printed as shown, filter
    // applied; the sections are always printed whole.
    int shownSlot = 0;
    int shownAstroChannel = 0;
    ListFilter shownFilter;

    bool any() const
    {
        return Schaltzeiten || Prioritaetszeiten || SoWiTabelle || Astrozeiten || Geraeteeigenschaften
            || DruckAktuell != 0;
    }
};

// One printed section: a list of the program (its columns and rows as the
// list builds them without the filter) or the device properties (rows of
// caption and value, no columns).
struct PrintBlock {
    QString title;
    std::vector<ListColumn> columns;
    std::vector<QStringList> rows;

    bool isList() const { return !columns.empty(); }
};

// The lines above every section: what the printout is of.
struct PrintTitle {
    QString fileName; // the program file's name, without folders
    QString usage;    // "Verwendung" and the description
    QString programNumber;
    QString deviceType;
    QString fileDate; // "Datei vom : 06.12.2026  10:00" or "Datei ungespeichert"
};

struct PrintDocument {
    PrintTitle title;
    std::vector<PrintBlock> blocks;
    // Rows per heading block (`Zeilen`): the headings are repeated and a new
    // page begun after so many rows; below 1 the headings stand only once.
    int Zeilen = 50;
};

// The sections in their printed order: switching times, priority times, the
// summer/winter table, the astro times (each astro channel of the device),
// the device properties, then the list as shown. Lists are built from the
// program without the filter; the view and filter of the window are not
// touched.
PrintDocument BuildPrintDocument(const ProgramModel& model, const TextTable& texts, const PrintRequest& request,
                                 const ListSources& sources = {});

// The device properties as caption/value rows.
PrintBlock DevicePropertiesBlock(const ProgramModel& model, const TextTable& texts);

// One line of the printout, as the printer and the text file receive it.
struct PrintLine {
    enum Kind { SectionStart,
                TitleLine,
                Heading,
                Row,
                PageBreak };
    Kind kind = Row;
    QStringList cells; // Heading and Row: the cells; TitleLine: one text
    int block = 0;     // index into PrintDocument::blocks
};

// The lines of the whole printout. Every section starts on a page of its
// own with the title block and the headings; within a list the headings
// are repeated before rows 1, Zeilen + 1, 2 Zeilen + 1, ... with a page
// break before each repetition.
std::vector<PrintLine> PrintLines(const PrintDocument& document);

// The printout as a text file: the same lines, the cells of a list in
// columns as wide as their widest text, a form feed at each page break.
QStringList PrintTextLines(const PrintDocument& document);

// Writes the text lines (UTF-8, CR LF) atomically: a failed write keeps the
// old file and gives the reason.
bool WritePrintText(const PrintDocument& document, const QString& path, QString* error);

// Where "in Textdatei umleiten" writes: the program file's name with ".txt"
// in place of its extension (appended when it has none), beside it. Empty
// when the program has no name yet.
QString PrintTextTarget(const QString& programFile);

enum class PrintTextCheck { Ok,
                            NoName,
                            IsProgramFile };
// Whether the text target may be written: never over the program file
// itself (a program saved as X.txt) nor any other program file, and only for
// a named program.
PrintTextCheck CheckPrintTextTarget(const QString& programFile, const QString& target);

} // namespace zendrik
