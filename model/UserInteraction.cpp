#include "model/UserInteraction.h"

namespace zendrik {

ScriptedInteraction ScriptedInteraction::answering(bool yes)
{
    return ScriptedInteraction([yes](const Prompt& p) {
        switch (p.buttons) {
        case Buttons::Ok:
            return Answer::Ok;
        case Buttons::OkCancel:
            return yes ? Answer::Ok : Answer::Cancel;
        case Buttons::YesNo:
        case Buttons::YesNoCancel:
            return yes ? Answer::Yes : Answer::No;
        }
        return Answer::Cancel;
    });
}

Answer ScriptedInteraction::ask(const Prompt& prompt)
{
    asked_.push_back(prompt);
    if (rule_)
        return rule_(prompt);
    return prompt.buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
}

} // namespace zendrik
