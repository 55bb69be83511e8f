#pragma once

#include "ui/frame/DesktopContext.h"
#include "ui/frame/FrameServices.h"

#include <QObject>

#include <vector>

namespace zendrik {

class MainMenu;

// The astro commands of the main window: "Astronomische Daten eingeben..."
// opens the astro dialog for the astro channel of the main window, and the
// astro view's marked time cells are changed, cleared or shifted with the
// cell editor, one marked time column after the other.
class AstroCommands : public QObject {
    Q_OBJECT
public:
    AstroCommands(const DesktopContext& ctx, FrameServices& frame);

    void addCommands(MainMenu& menu);
    void updateCommands();

    void enterAstro();
    // Runs the cell editor over the marked cells of the astro view, preset
    // to change (1) or delete (0).
    void editMarked(int modus);
    // Whether the grid's marking covers more than one time cell (a drag).
    bool markedSeveralTimes() const;

private:
    struct MarkedColumn {
        int column;
        int first;
        int last;
    };
    std::vector<MarkedColumn> markedColumns() const;
    void editColumn(std::vector<MarkedColumn> columns, std::size_t index, int modus, int outsideDay);

    DesktopContext ctx_;
    FrameServices& frame_;
    MainMenu* menu_ = nullptr;
};

} // namespace zendrik
