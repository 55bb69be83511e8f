#pragma once

#include "model/UserInteraction.h"

class QWidget;

namespace zendrik {

class TextTable;

// Answers the core's questions with a message box: AppTitel as caption, the
// prompt's icon and buttons, the text rendered in the current language.
class MessageBoxInteraction : public UserInteraction {
public:
    explicit MessageBoxInteraction(const TextTable& texts) : texts_(texts) {}

    Answer ask(const Prompt& prompt) override;
    void beep() override;

private:
    const TextTable& texts_;
};

} // namespace zendrik
