// Properties every language table must have so that the program's
// concatenations read right, and the brand switch of the transfer texts.
#include "tests/language/TextTables.h"

#include <set>
#include <tuple>

using namespace zendrik;
using namespace zendrik::test;

namespace {

int Leading(const QString& s)
{
    int n = 0;
    while (n < s.size() && s[n] == QLatin1Char(' '))
        ++n;
    return n == s.size() ? 0 : n;
}

int Trailing(const QString& s)
{
    int n = 0;
    while (n < s.size() && s[s.size() - 1 - n] == QLatin1Char(' '))
        ++n;
    return n;
}

// English texts the product has always used word for word although their
// ends or accelerator differ from the German entry.
const std::set<TextId> kEnglishAsShipped = {TextId::FirstDay, TextId::MenuWriteChip, TextId::SerialWritingChip,
                                            TextId::AstroTitle, TextId::AccessVia, TextId::ReadSwitchingTimes};

const std::set<TextId> kBrandDependent = {
    TextId::ChipAccessFailed, TextId::ChipAccessFinished, TextId::ChipAccess, TextId::NoChipInAdapter,
    TextId::MenuWriteChip, TextId::MenuReadChip, TextId::SerialReadingChip, TextId::SerialWritingChip,
    TextId::NoChipInInterface, TextId::ChipNotAnswering};

} // namespace

TEST(TextTable, EveryEntryJoinsLikeTheGermanOne)
{
    for (const int brand : {1, 5}) {
        TextTable de = Loaded(&TextTable::LoadGerman, brand);
        TextTable en = Loaded(&TextTable::LoadEnglish, brand);
        // The help entry gets the program's name in German and English alike.
        de.set(TextId::MenuHelpFor, de.text(TextId::MenuHelpFor).chopped(kAppTitel.size()));
        en.set(TextId::MenuHelpFor, en.text(TextId::MenuHelpFor).chopped(kAppTitel.size()));
        const TextTable fr = Loaded(&TextTable::LoadFrench, brand);
        for (const auto& [name, table, asShipped] : {std::tuple{"English", en, kEnglishAsShipped}, std::tuple{"French", fr, std::set<TextId>{}}}) {
            for (int i = 0; i < kTextCount; ++i) {
                const TextId id = static_cast<TextId>(i);
                const QString g = de.text(id);
                const QString t = table.text(id);
                EXPECT_FALSE(t.isEmpty()) << name << " entry " << i + 1;
                const bool same = Leading(g) == Leading(t) && Trailing(g) == Trailing(t) && g.contains(QLatin1Char('&')) == t.contains(QLatin1Char('&'));
                EXPECT_EQ(same, !asShipped.count(id)) << name << " entry " << i + 1 << ": \"" << qPrintable(t) << "\" vs \"" << qPrintable(g) << "\"";
            }
        }
    }
    // Only names, units and technical words (Ok, HEX, EIB, COM 1, ...) stay alike.
    const TextTable de = Loaded(&TextTable::LoadGerman), en = Loaded(&TextTable::LoadEnglish), fr = Loaded(&TextTable::LoadFrench);
    EXPECT_GE(std::min({CountDiffering(de, en), CountDiffering(de, fr), CountDiffering(en, fr)}), 380);
    EXPECT_EQ(de.text(TextId::MenuHelpFor) + u'|' + en.text(TextId::MenuHelpFor), QStringLiteral("&Hilfe zu Zendrik|&Help for Zendrik"));
    for (const TextTable* t : {&de, &en, &fr})
        EXPECT_EQ(t->version(), QStringLiteral("Version  2.1 V1.5"));
}

// Brand 5 has the "memory chip" wording of the transfer texts, every other
// brand the product's; French has one wording.
TEST(TextTable, BrandFiveChangesExactlyTheTransferTexts)
{
    for (const Loader load : {&TextTable::LoadGerman, &TextTable::LoadEnglish, &TextTable::LoadFrench}) {
        const TextTable product = Loaded(load, 1);
        for (int brand = 2; brand <= 12; ++brand) {
            const TextTable other = Loaded(load, brand);
            for (int i = 0; i < kTextCount; ++i) {
                const TextId id = static_cast<TextId>(i);
                const bool chip = brand == 5 && load != &TextTable::LoadFrench && kBrandDependent.count(id);
                EXPECT_EQ(other.text(id) != product.text(id), chip) << "brand " << brand << " entry " << i + 1;
                EXPECT_TRUE(!chip || (product.text(id).contains(QStringLiteral("zendrik"), Qt::CaseInsensitive)
                                      && (other.text(id).contains(QStringLiteral("Speicherchip")) || other.text(id).contains(QStringLiteral("memory chip")))))
                    << i + 1;
            }
        }
    }
}
