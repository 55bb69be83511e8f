#include "language/TextTable.h"

#include "language/GermanTexts.h"

namespace zendrik {

TextTable::TextTable()
{
    LoadGerman();
}

void TextTable::LoadGerman(int brandIndex)
{
    (void)brandIndex;
    const auto& german = germanTexts();
    for (int i = 0; i < kTextCount; ++i)
        texts_[static_cast<std::size_t>(i)] = QString::fromUtf8(german[static_cast<std::size_t>(i)]);
    texts_[static_cast<std::size_t>(TextId::MenuHelpFor)] += kAppTitel;
    version_ = QStringLiteral("Version  2.1 V1.5");
}

} // namespace zendrik
