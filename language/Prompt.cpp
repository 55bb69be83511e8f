#include "language/Prompt.h"

#include "language/TextTable.h"

namespace zendrik {

Prompt Prompt::message(Icon icon, std::initializer_list<Part> parts)
{
    Prompt p;
    p.parts.assign(parts.begin(), parts.end());
    p.buttons = Buttons::Ok;
    p.icon = icon;
    return p;
}

Prompt Prompt::question(Buttons buttons, Icon icon, std::initializer_list<Part> parts)
{
    Prompt p;
    p.parts.assign(parts.begin(), parts.end());
    p.buttons = buttons;
    p.icon = icon;
    return p;
}

TextId Prompt::key() const
{
    for (const Part& part : parts) {
        if (const auto* id = std::get_if<TextId>(&part))
            return *id;
    }
    return TextId::Count;
}

QString Prompt::render(const TextTable& texts) const
{
    QString out;
    for (const Part& part : parts) {
        if (const auto* id = std::get_if<TextId>(&part))
            out += texts.text(*id);
        else if (const auto* extra = std::get_if<ExtraText>(&part))
            out += texts(*extra);
        else
            out += std::get<QString>(part);
    }
    return out;
}

} // namespace zendrik
