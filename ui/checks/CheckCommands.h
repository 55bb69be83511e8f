#pragma once

#include "ui/frame/DesktopContext.h"
#include "ui/frame/FrameServices.h"

#include <QObject>
#include <QPointer>

namespace zendrik {

class CheckDock;
class FrmVergleich;
class MainMenu;

// The program check and the comparison of programs in the main frame:
// "Programm prüfen" (edit menu) opens the check dock beside the list, which
// follows every change of the program and marks the rows its findings name;
// "Mit Datei vergleichen..." and "Mit Vorlage vergleichen" (file menu) show
// what differs in a window; after a read from a device the user is offered
// to compare what was read with a program file.
class CheckCommands : public QObject {
    Q_OBJECT
public:
    CheckCommands(const DesktopContext& ctx, FrameServices& frame);

    // Adds the commands to the edit and file menus.
    void addCommands(MainMenu& menu);

    // Opens (or raises) the check dock.
    void showChecks();
    // The program or the list changed: the open dock checks again and the
    // list's marks follow. Cheap when nothing changed.
    void programChanged();
    // Enables the sample comparison while a sample is open.
    void updateCommands(bool sampleOpen);
    void retranslate();

    // Chooses a program file and compares the program with it.
    void compareWithFile();
    // "Vergleichen mit..." of the simulation window: chooses a program file
    // and shows what the simulated slot does differently from it in a year,
    // on a channel (0-based).
    void compareBehaviourWithFile(int slot, int year, int channel);
    // Compares the program with the open sample.
    void compareWithSample();
    // After a successful read: asks once whether to compare what was read
    // with a program file, and does so on Yes.
    void offerComparisonAfterRead();
    // Shows a finding of the dock: its rows in the list, its day (and
    // channel) in the simulation window when that is open.
    void showFinding(int index);
    // Fills the summer/winter table from a time zone for the checked year
    // (after asking when a table exists) and shows it.
    void fillTableFromZone(const QByteArray& zone, int year);

    CheckDock* dock() const { return dock_; }
    // The comparison window last opened, while it is open.
    FrmVergleich* comparison() const;

private:
    // The name of the program side of a comparison: its file name, or that it
    // was changed since it was saved.
    QString programSideName() const;
    // The name of a slot in a comparison: the program's, or the sample's.
    QString slotSideName(int slot) const;
    // The window comparing a slot with a chosen file; none when no file
    // was chosen or it could not be read (the user was told).
    FrmVergleich* compareWithChosenFile(int slot, const QString& firstName);
    void showComparison(FrmVergleich* window, int slot);
    void updateMarks();

    DesktopContext ctx_;
    FrameServices& frame_;
    CheckDock* dock_ = nullptr;
    MainMenu* menu_ = nullptr;
    QPointer<FrmVergleich> comparison_;
};

} // namespace zendrik
