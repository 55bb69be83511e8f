#pragma once

#include "language/Prompt.h"

#include <functional>
#include <vector>

namespace zendrik {

// How the core asks the user. The desktop program answers with a message
// box, the command line from its options, tests with a script.
class UserInteraction {
public:
    virtual ~UserInteraction() = default;
    virtual Answer ask(const Prompt& prompt) = 0;
    virtual void beep() { }
};

// Answers every question by a rule and keeps what was asked.
class ScriptedInteraction : public UserInteraction {
public:
    using Rule = std::function<Answer(const Prompt&)>;

    explicit ScriptedInteraction(Rule rule = {}) : rule_(std::move(rule)) { }

    // Yes or OK to everything (true), No or Cancel to everything (false).
    static ScriptedInteraction answering(bool yes);

    Answer ask(const Prompt& prompt) override;

    const std::vector<Prompt>& asked() const { return asked_; }

private:
    Rule rule_;
    std::vector<Prompt> asked_;
};

} // namespace zendrik
