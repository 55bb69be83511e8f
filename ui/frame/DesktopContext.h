#pragma once

#include "transfer/chip/SerialTransferOptions.h"
#include "ui/common/ScreenFit.h"

#include <QString>

namespace zendrik {

class FeiertagTabelle;
class FileCommands;
class ListFilter;
class ProgramModel;
class TextTable;
class UserInteraction;
struct AssistantSettings;

// What the main frame and its command objects work with; owned by the
// application for the run.
struct DesktopContext {
    ProgramModel& model;
    TextTable& texts;
    UserInteraction& ui;
    FileCommands& commands;
    ListFilter& filter;
    FeiertagTabelle& holidays;
    AssistantSettings& assistant;
    QString workDir;
    // Timing of the serial chip transfer (the adapter's pauses and time-outs).
    const SerialTransferOptions& transferOptions;
    // The screen room windows may take.
    ScreenArea screenArea = AvailableScreenArea;
};

} // namespace zendrik
