#include "tests/transfer/TransferTestSupport.h"

#include "model/ProgramFile.h"
#include "model/ProgramSetup.h"
#include "tests/support/CliRun.h"
#include "transfer/chip/MasterCard.h"

#include <QDir>

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

namespace {

// The bytes of a saved card that tell it apart: 1, 3 and 18 of the image as
// the device reads it (byte 18 is stored nibble-swapped).
std::tuple<int, int, int> cardBytesOf(const QString& file, int uhrentyp)
{
    Image image = ImageOfFile(file, 2048);
    if (image.empty())
        return {-1, -1, -1};
    SwapStoredBytes(image, uhrentyp);
    return {image[1], image[3], image[18]};
}

class MasterCardTest : public ::testing::Test {
protected:
    void start(int row)
    {
        model = modelForRow(row);
        StartNewProgram(model, row, u"unbekannt"_s, path(u"card.zpg"_s));
        model.device.MasterKennung = 0;
        ScriptedInteraction yes = ScriptedInteraction::answering(true);
        BuildHeader(model, yes);
    }
    void SetUp() override { start(4); }
    QString path(const QString& name) const { return QDir(dir.path()).filePath(name); }
    // Every click is a change of the program, changed value or not.
    void click(MasterField field, int value, int bit = 0)
    {
        model.Geaendert = 0;
        ApplyMasterClick(model, ui, {field, value, bit});
        EXPECT_EQ(model.Geaendert, 1);
    }
    // Saved and read back as the window shows it.
    ProgramModel savedAndReadBack(int row = 4)
    {
        EXPECT_FALSE(saveProgramAs(model, path(u"card.zpg"_s)).isEmpty());
        ProgramModel back = modelForRow(row);
        EXPECT_EQ(LoadProgram(back, path(u"card.zpg"_s), kProgramSlot), LoadOk);
        return back;
    }

    QTemporaryDir dir;
    ProgramModel model;
    ScriptedInteraction ui = ScriptedInteraction::answering(true);
};

TEST_F(MasterCardTest, CardKindAndBitsReachTheSavedCard)
{
    const std::vector<MasterClick> toMaster17 = {{MasterField::CardKind, 1, 0}, {MasterField::Bit, 1, 0}, {MasterField::Bit, 1, 4}};
    std::vector<MasterClick> backToProg = toMaster17;
    backToProg.push_back({MasterField::CardKind, 0, 0});
    // kennung, masterKennung: in the window; bytes: in the file, the options as the offset from the start's
    const struct {
        const char* what;
        std::vector<MasterClick> clicks;
        bool masterCard;
        int kennung, masterKennung;
        std::tuple<int, int, int> bytes;
    } cases[] = {
        {"master card without bits: no master byte", {{MasterField::CardKind, 1, 0}}, true, 200, 0, {200, 0, 255}},
        {"master card with bits 0 and 4 (bus and infrared)", toMaster17, true, 200, 17, {200, 128, 17}},
        {"back to a program card: identification and bits kept, not saved", backToProg, false, 72, 17, {72, 0, 255}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        const int options = model.program().Kopf[3];
        for (const MasterClick& k : c.clicks) click(k.field, k.value, k.bit);
        EXPECT_EQ(std::tuple(MasterStateOf(model).masterCard, model.device.Geraetekennung, model.device.MasterKennung), std::tuple(c.masterCard, c.kennung, c.masterKennung));
        const ProgramModel back = savedAndReadBack();
        auto [id, opts, master] = c.bytes;
        EXPECT_EQ(cardBytesOf(path(u"card.zpg"_s), model.device.Uhrentyp), std::tuple(id, options + opts, master));
        EXPECT_EQ(MasterStateOf(back).masterCard, c.masterCard);
        if (master != 255) { EXPECT_EQ(MasterStateOf(back).bits, (std::array<bool, 8>{true, false, false, false, true, false, false, false})); }
    }
}

TEST_F(MasterCardTest, OptionsLandInTheirBits)
{
    for (const auto& [field, weight] : {std::pair(MasterField::Datumsformat, 2), std::pair(MasterField::SpracheUhr, 4), std::pair(MasterField::Funk, 8),
                                        std::pair(MasterField::Nak, 16), std::pair(MasterField::Dauertaste, 32)}) {
        click(field, 0);
        const int off = model.program().Kopf[3];
        click(field, 1);
        EXPECT_EQ(model.program().Kopf[3], off + weight) << weight;
        click(field, 1); // the same value again: still a change of the program
        EXPECT_EQ(model.program().Kopf[3], off + weight);
    }
    const MasterState s = MasterStateOf(model);
    EXPECT_EQ(s.Datumsformat + s.SpracheUhr + s.Funk + s.Nak + s.Dauertaste, 5);
}

TEST_F(MasterCardTest, AstroDeviceKeepsByte18ForItsLocation)
{
    model = modelForRow(19);
    StartNewProgram(model, 19, u"unbekannt"_s, path(u"card.zpg"_s));
    model.program().astro.AstroLaenge = 7.5f;
    // No master bits, nor a clock language: the option byte has no place for it.
    EXPECT_FALSE(MasterBitsApply(model) || MasterLanguageApplies(model));
    const int before = model.device.MasterKennung, language = model.device.SpracheUhr;
    model.Geaendert = 0;
    ApplyMasterClick(model, ui, {MasterField::Bit, 1, 3});
    ApplyMasterClick(model, ui, {MasterField::SpracheUhr, 1 - language, 0});
    EXPECT_EQ(std::tuple(model.device.SpracheUhr, model.device.MasterKennung, model.Geaendert), std::tuple(language, before, 0));
    click(MasterField::CardKind, 1);
    EXPECT_EQ(model.program().Kopf[1], 80 + 128);
    EXPECT_EQ(BuildLogicalImage(model)[18] & 0x80, 0x80); // the half degree of the longitude
    // The master card of the astro device opens again, as a master card.
    const ProgramModel back = savedAndReadBack(19);
    EXPECT_EQ(std::pair(back.device.Geraetekennung, back.program().astro.AstroLaenge), std::pair(80 + 128, 7.5f));
}

TEST(MasterCommand, SavesTheCardAsTheWindowDoes)
{
    QTemporaryDir dir;
    const QString in = QDir(dir.path()).filePath(u"in.zpg"_s), out = QDir(dir.path()).filePath(u"out.zpg"_s);
    MakeProgramFile(in, 4, 10);
    const int plain = std::get<1>(cardBytesOf(in, kFamily731));
    const std::pair<QStringList, std::tuple<int, int, int>> cases[] = {
        {{u"--card"_s, u"master"_s, u"--bits"_s, u"0"_s}, {200, plain, 255}},
        {{u"--card"_s, u"master"_s, u"--bits"_s, u"17"_s}, {200, plain + 128, 17}},
        {{u"--card"_s, u"prog"_s, u"--bits"_s, u"17"_s}, {72, plain, 255}},
        {{u"--card"_s, u"master"_s, u"--bits"_s, u"0x81"_s, u"--timebase"_s, u"radio"_s, u"--nak"_s, u"on"_s}, {200, (plain | 8 | 128) & ~16, 129}},
    };
    const auto master = [&](const QStringList& options) { return RunCli(QStringList{u"--type"_s, u"4"_s, u"master"_s, in, out} + options, dir.path()); };
    for (const auto& [options, bytes] : cases) {
        const CliRun r = master(options);
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_EQ(cardBytesOf(out, kFamily731), bytes) << options.join(u' ').toStdString();
    }
    EXPECT_EQ(master({u"--card"_s, u"gold"_s}).exitCode, 2);
    EXPECT_EQ(master({u"--bits"_s, u"256"_s}).exitCode, 2);
}

} // namespace
