#pragma once

namespace zendrik {

class FeiertagTabelle;
class ProgramModel;
class TextTable;
class UserInteraction;
struct AssistantSettings;

// What the entry dialogs work with: the program, the texts of the chosen
// language, the questions, the assistant settings of the run and the
// installation's holiday table.
struct EntryContext {
    ProgramModel& model;
    const TextTable& texts;
    UserInteraction& ui;
    AssistantSettings& assistant;
    const FeiertagTabelle& holidays;
};

} // namespace zendrik
