#include "tests/transfer/TransferTestSupport.h"

#include "model/ProgramFile.h"
#include "model/ProgramSetup.h"
#include "model/UserInteraction.h"
#include "tests/support/CliRun.h"
#include "transfer/chip/MasterCard.h"

#include <QDir>
#include <QTemporaryDir>

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

namespace {

// The bytes of a saved card that tell it apart: 1, 3 and 18 of the image as
// the device reads it (byte 18 is stored nibble-swapped).
struct CardBytes {
    int id;
    int options;
    int master;
};

CardBytes cardBytesOf(const QString& file, int uhrentyp)
{
    Image image = ImageOfFile(file, 2048);
    if (image.empty())
        return {-1, -1, -1};
    SwapStoredBytes(image, uhrentyp);
    return {image[1], image[3], image[18]};
}

class MasterCardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        model = modelForRow(4);
        StartNewProgram(model, 4, u"unbekannt"_s, path(u"card.zpg"_s));
        model.device.MasterKennung = 0;
        ScriptedInteraction yes = ScriptedInteraction::answering(true);
        BuildHeader(model, yes);
    }

    QString path(const QString& name) const { return QDir(dir.path()).filePath(name); }

    void click(MasterField field, int value, int bit = 0)
    {
        model.Geaendert = 0;
        ApplyMasterClick(model, ui, {field, value, bit});
        EXPECT_EQ(model.Geaendert, 1); // every click, changed value or not
    }

    CardBytes saved()
    {
        ScriptedInteraction yes = ScriptedInteraction::answering(true);
        EXPECT_EQ(SaveProgram(model, yes).result, 1);
        return cardBytesOf(path(u"card.zpg"_s), model.device.Uhrentyp);
    }

    QTemporaryDir dir;
    ProgramModel model;
    ScriptedInteraction ui = ScriptedInteraction::answering(true);
};

// The card kind and the master bits as clicked, and the bytes the saved card carries.
TEST_F(MasterCardTest, CardKindAndBitsReachTheSavedCard)
{
    const std::vector<MasterClick> toMaster17 = {{MasterField::CardKind, 1, 0}, {MasterField::Bit, 1, 0}, {MasterField::Bit, 1, 4}};
    std::vector<MasterClick> backToProg = toMaster17;
    backToProg.push_back({MasterField::CardKind, 0, 0});
    const struct {
        const char* what;
        std::vector<MasterClick> clicks;
        bool masterCard;
        int kennung, masterKennung; // in the window
        CardBytes bytes;            // in the file; options as the offset from the start's
    } cases[] = {
        // A master card without bits has no master byte.
        {"master card without bits", {{MasterField::CardKind, 1, 0}}, true, 200, 0, {200, 0, 255}},
        // Bus (TP) and infrared give seventeen.
        {"master card with bits 0 and 4", toMaster17, true, 200, 17, {200, 128, 17}},
        // Back to a program card: the identification and the bits are kept, not saved.
        {"back to a program card", backToProg, false, 72, 17, {72, 0, 255}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        const int options = model.program().Kopf[3];
        for (const MasterClick& k : c.clicks)
            click(k.field, k.value, k.bit);
        EXPECT_EQ(MasterStateOf(model).masterCard, c.masterCard);
        EXPECT_EQ(model.device.Geraetekennung, c.kennung);
        EXPECT_EQ(model.device.MasterKennung, c.masterKennung);
        const CardBytes b = saved();
        EXPECT_EQ(std::tuple(b.id, b.options, b.master), std::tuple(c.bytes.id, options + c.bytes.options, c.bytes.master));
        // Read back, the card shows the same in the window.
        ProgramModel back = modelForRow(4);
        ASSERT_EQ(LoadProgram(back, path(u"card.zpg"_s), kProgramSlot), LoadOk);
        EXPECT_EQ(MasterStateOf(back).masterCard, c.masterCard);
        if (c.bytes.master != 255) {
            EXPECT_EQ(MasterStateOf(back).bits, (std::array<bool, 8>{true, false, false, false, true, false, false, false}));
        }
    }
}

TEST_F(MasterCardTest, OptionsLandInTheirBits)
{
    struct Case {
        MasterField field;
        int weight;
    };
    for (const Case c : {Case{MasterField::Datumsformat, 2}, Case{MasterField::SpracheUhr, 4}, Case{MasterField::Funk, 8},
                         Case{MasterField::Nak, 16}, Case{MasterField::Dauertaste, 32}}) {
        click(c.field, 0);
        const int off = model.program().Kopf[3];
        click(c.field, 1);
        EXPECT_EQ(model.program().Kopf[3], off + c.weight) << c.weight;
        click(c.field, 1); // the same value again: still a change of the program
        EXPECT_EQ(model.program().Kopf[3], off + c.weight);
    }
    const MasterState s = MasterStateOf(model);
    EXPECT_EQ(s.Datumsformat + s.SpracheUhr + s.Funk + s.Nak + s.Dauertaste, 5);
}

TEST_F(MasterCardTest, AstroDeviceKeepsByte18ForItsLocation)
{
    model = modelForRow(19);
    StartNewProgram(model, 19, u"unbekannt"_s, path(u"card.zpg"_s));
    model.program().astro.AstroLaenge = 7.5f;
    EXPECT_FALSE(MasterBitsApply(model));
    const int before = model.device.MasterKennung;
    model.Geaendert = 0;
    ApplyMasterClick(model, ui, {MasterField::Bit, 1, 3}); // no such box on this device
    // Nor a clock language: the option byte has no place for it.
    EXPECT_FALSE(MasterLanguageApplies(model));
    const int language = model.device.SpracheUhr;
    ApplyMasterClick(model, ui, {MasterField::SpracheUhr, 1 - language, 0});
    EXPECT_EQ(model.device.SpracheUhr, language);
    EXPECT_EQ(model.device.MasterKennung, before);
    EXPECT_EQ(model.Geaendert, 0);
    click(MasterField::CardKind, 1);
    EXPECT_EQ(model.program().Kopf[1], 80 + 128);
    const Image logical = BuildLogicalImage(model);
    EXPECT_EQ(logical[18] & 0x80, 0x80); // the half degree of the longitude
    // The master card of the astro device opens again, as a master card.
    ASSERT_FALSE(saveProgramAs(model, path(u"card.zpg"_s)).isEmpty());
    ProgramModel back = modelForRow(19);
    ASSERT_EQ(LoadProgram(back, path(u"card.zpg"_s), kProgramSlot), LoadOk);
    EXPECT_EQ(back.device.Geraetekennung, 80 + 128);
    EXPECT_EQ(back.program().astro.AstroLaenge, 7.5f);
}

TEST(MasterCommand, SavesTheCardAsTheWindowDoes)
{
    QTemporaryDir dir;
    const QString in = QDir(dir.path()).filePath(u"in.zpg"_s);
    MakeProgramFile(in, 4, 10);
    const CardBytes plain = cardBytesOf(in, kFamily731);
    struct Case {
        QStringList options;
        CardBytes expected;
    };
    const Case cases[] = {
        {{u"--card"_s, u"master"_s, u"--bits"_s, u"0"_s}, {200, plain.options, 255}},
        {{u"--card"_s, u"master"_s, u"--bits"_s, u"17"_s}, {200, plain.options + 128, 17}},
        {{u"--card"_s, u"prog"_s, u"--bits"_s, u"17"_s}, {72, plain.options, 255}},
        {{u"--card"_s, u"master"_s, u"--bits"_s, u"0x81"_s, u"--timebase"_s, u"radio"_s, u"--nak"_s, u"on"_s},
         {200, (plain.options | 8 | 128) & ~16, 129}},
    };
    for (const Case& c : cases) {
        const QString out = QDir(dir.path()).filePath(u"out.zpg"_s);
        const CliRun r = RunCli(QStringList{u"--type"_s, u"4"_s, u"master"_s, in, out} + c.options, dir.path());
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        const CardBytes b = cardBytesOf(out, kFamily731);
        EXPECT_EQ(b.id, c.expected.id) << c.options.join(u' ').toStdString();
        EXPECT_EQ(b.options, c.expected.options) << c.options.join(u' ').toStdString();
        EXPECT_EQ(b.master, c.expected.master) << c.options.join(u' ').toStdString();
    }
    EXPECT_EQ(RunCli({u"--type"_s, u"4"_s, u"master"_s, in, in + u"2"_s, u"--card"_s, u"gold"_s}, dir.path()).exitCode, 2);
    EXPECT_EQ(RunCli({u"--type"_s, u"4"_s, u"master"_s, in, in + u"2"_s, u"--bits"_s, u"256"_s}, dir.path()).exitCode, 2);
}

} // namespace
