#pragma once

#include <QObject>

namespace zendrik {

class MainMenu;
class FrameServices;
struct DesktopContext;

// The bus access command of the file menu, offered on the bus device types.
class BusCommands : public QObject {
    Q_OBJECT
public:
    BusCommands(DesktopContext& context, FrameServices& frame);

    // Adds "Buszugriff" in front of the exit command.
    void addCommand(MainMenu& menu);
    // Opens the bus access window; it stays until the user closes it.
    void openWindow();

private:
    DesktopContext& ctx_;
    FrameServices& frame_;
};

} // namespace zendrik
