#pragma once

#include "model/UserInteraction.h"

#include <memory>

class QMessageBox;

namespace zendrik {

class TextTable;

// Answers the core's questions with a message box: AppTitel as caption, the
// prompt's icon and buttons, the text rendered in the current language.
class MessageBoxInteraction : public UserInteraction {
public:
    explicit MessageBoxInteraction(const TextTable& texts) : texts_(texts) { }

    Answer ask(const Prompt& prompt) override;
    void beep() override;

    // The message box a prompt is shown in, ready to be shown.
    std::unique_ptr<QMessageBox> box(const Prompt& prompt) const;
    // The answer a button of that box stands for.
    static Answer answerOf(int button);

private:
    const TextTable& texts_;
};

} // namespace zendrik
