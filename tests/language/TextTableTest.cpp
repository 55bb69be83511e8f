// Properties every language table must have so that the program's
// concatenations read right: no empty entry, the same blanks at the ends as
// the German entry, the same accelerator presence, and the brand switch
// touching exactly the transfer texts.
#include "language/TextTable.h"

#include <gtest/gtest.h>

#include <set>

using namespace zendrik;

namespace {

int leading(const QString& s)
{
    int n = 0;
    while (n < s.size() && s[n] == QLatin1Char(' '))
        ++n;
    return n == s.size() ? 0 : n;
}

int trailing(const QString& s)
{
    int n = 0;
    while (n < s.size() && s[s.size() - 1 - n] == QLatin1Char(' '))
        ++n;
    return n;
}

TextId idAt(int i)
{
    return static_cast<TextId>(i);
}

// The help entry as the table file holds it: without the program's name.
QString entryWords(const TextTable& t, TextId id)
{
    QString s = t.text(id);
    if (id == TextId::MenuHelpFor && s.endsWith(kAppTitel))
        s.chop(kAppTitel.size());
    return s;
}

// English texts the product has always used word for word although their
// ends or accelerator differ from the German entry.
const std::set<TextId> kEnglishAsShipped = {
    TextId::FirstDay,           // "1st"
    TextId::MenuWriteChip,      // "Program memory chip", no accelerator
    TextId::SerialWritingChip,  // "write to memory chip: "
    TextId::AstroTitle,         // "Enter The Astronomical Data "
    TextId::AccessVia,          // "access via"
    TextId::ReadSwitchingTimes, // "read switching times "
};

const std::set<TextId> kBrandDependent = {
    TextId::ChipAccessFailed,  TextId::ChipAccessFinished, TextId::ChipAccess,        TextId::NoChipInAdapter,
    TextId::MenuWriteChip,     TextId::MenuReadChip,       TextId::SerialReadingChip, TextId::SerialWritingChip,
    TextId::NoChipInInterface, TextId::ChipNotAnswering,
};

void expectJoinsLikeGerman(const TextTable& german, const TextTable& other, const std::set<TextId>& asShipped,
                           const char* language)
{
    for (int i = 0; i < kTextCount; ++i) {
        const TextId id = idAt(i);
        const QString de = entryWords(german, id);
        const QString tx = entryWords(other, id);
        EXPECT_FALSE(tx.isEmpty()) << language << " entry " << i + 1;
        const bool same = leading(de) == leading(tx) && trailing(de) == trailing(tx) &&
                          de.contains(QLatin1Char('&')) == tx.contains(QLatin1Char('&'));
        if (asShipped.count(id))
            EXPECT_FALSE(same) << language << " entry " << i + 1 << " is listed as differing but does not";
        else
            EXPECT_TRUE(same) << language << " entry " << i + 1 << ": \"" << qPrintable(tx) << "\" vs \""
                              << qPrintable(de) << "\"";
    }
}

int countDiffering(const TextTable& a, const TextTable& b)
{
    int n = 0;
    for (int i = 0; i < kTextCount; ++i)
        n += a.text(idAt(i)) != b.text(idAt(i)) ? 1 : 0;
    return n;
}

} // namespace

TEST(TextTable, EnglishJoinsLikeGerman)
{
    for (int brand : {1, 5}) {
        TextTable de, en;
        de.LoadGerman(brand);
        en.LoadEnglish(brand);
        expectJoinsLikeGerman(de, en, kEnglishAsShipped, "English");
    }
}

TEST(TextTable, FrenchJoinsLikeGerman)
{
    for (int brand : {1, 5}) {
        TextTable de, fr;
        de.LoadGerman(brand);
        fr.LoadFrench(brand);
        expectJoinsLikeGerman(de, fr, {}, "French");
    }
}

TEST(TextTable, TablesAreReallyTranslated)
{
    TextTable de, en, fr;
    de.LoadGerman();
    en.LoadEnglish();
    fr.LoadFrench();
    // Only names, units and technical words (Ok, HEX, EIB, COM 1, ...) stay alike.
    EXPECT_GE(countDiffering(de, en), 380);
    EXPECT_GE(countDiffering(de, fr), 380);
    EXPECT_GE(countDiffering(en, fr), 380);
}

TEST(TextTable, BrandFiveChangesExactlyTheTransferTexts)
{
    using Loader = void (TextTable::*)(int);
    for (Loader load : {&TextTable::LoadGerman, &TextTable::LoadEnglish}) {
        TextTable product, chip;
        (product.*load)(1);
        (chip.*load)(5);
        for (int i = 0; i < kTextCount; ++i) {
            const TextId id = idAt(i);
            if (!kBrandDependent.count(id)) {
                EXPECT_EQ(product.text(id), chip.text(id)) << "entry " << i + 1;
                continue;
            }
            EXPECT_TRUE(product.text(id).contains(QStringLiteral("zendrik"), Qt::CaseInsensitive))
                << "entry " << i + 1 << ": " << qPrintable(product.text(id));
            EXPECT_TRUE(chip.text(id).contains(QStringLiteral("Speicherchip")) ||
                        chip.text(id).contains(QStringLiteral("memory chip")))
                << "entry " << i + 1 << ": " << qPrintable(chip.text(id));
        }
    }
}

TEST(TextTable, EveryOtherBrandUsesTheProductWording)
{
    TextTable reference;
    reference.LoadEnglish(1);
    for (int brand = 2; brand <= 12; ++brand) {
        if (brand == 5)
            continue;
        TextTable t;
        t.LoadEnglish(brand);
        EXPECT_EQ(countDiffering(reference, t), 0) << "brand " << brand;
    }
}

TEST(TextTable, FrenchHasOneWording)
{
    TextTable product, chip;
    product.LoadFrench(1);
    chip.LoadFrench(5);
    EXPECT_EQ(countDiffering(product, chip), 0);
}

TEST(TextTable, LoadingReplacesTheWholeTable)
{
    TextTable t;
    t.set(TextId::Ok, QStringLiteral("changed"));
    t.LoadFrench();
    TextTable fr;
    fr.LoadFrench();
    EXPECT_EQ(countDiffering(t, fr), 0);
}

TEST(TextTable, FileLinesHoldTheHelpWordsWithoutTheName)
{
    TextTable t;
    t.LoadEnglish();
    const QStringList lines = t.FileLines();
    ASSERT_EQ(lines.size(), kTextCount);
    EXPECT_EQ(lines[static_cast<int>(TextId::MenuHelpFor)], QStringLiteral("&Help for "));
    EXPECT_EQ(lines[static_cast<int>(TextId::Monday)], QStringLiteral("monday"));
}
