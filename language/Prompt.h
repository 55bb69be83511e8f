#pragma once

#include "language/ExtraText.h"
#include "language/TextId.h"

#include <QString>

#include <initializer_list>
#include <variant>
#include <vector>

namespace zendrik {

class TextTable;

enum class Buttons { Ok,
                     OkCancel,
                     YesNo,
                     YesNoCancel };
enum class Icon { None,
                  Critical,
                  Question,
                  Exclamation,
                  Information };
enum class Answer { Ok,
                    Cancel,
                    Yes,
                    No };

// A message or question as the core puts it: texts of the text table and
// literal pieces (file names, numbers) and texts of our own table joined in
// order. The window or the
// command line renders it in the current language.
struct Prompt {
    using Part = std::variant<TextId, QString, ExtraText>;

    std::vector<Part> parts;
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
    // Captions of our own for the Yes and No buttons, where "Ja"/"Nein"
    // would not say what they do; the answers stay Yes and No.
    const ExtraText* yesCaption = nullptr;
    const ExtraText* noCaption = nullptr;

    static Prompt message(Icon icon, std::initializer_list<Part> parts);
    static Prompt question(Buttons buttons, Icon icon, std::initializer_list<Part> parts);

    // The first text of the prompt: what identifies it in tests and logs.
    TextId key() const;
    QString render(const TextTable& texts) const;
};

} // namespace zendrik
