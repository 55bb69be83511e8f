#include "model/DeviceImage.h"
#include "model/ProgramFile.h"
#include "model/ProgramModel.h"
#include "model/ProgramSetup.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

// Every byte sequence the outside world can hand the program-file reader:
// it must give a result code or a correct load, never a crash or a hang,
// for each family and for both slots.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data),
                                                     static_cast<qsizetype>(size));
    for (const int row : {4, 19, 20}) {
        zendrik::ProgramModel model;
        zendrik::StartNewProgram(model, row, QStringLiteral("unbekannt"), QStringLiteral("SzTab1.zpg"));
        for (const int slot : {0, 1}) {
            const int result = zendrik::LoadProgramData(model, bytes, slot, QStringLiteral("fuzz.zpg"));
            if (result == zendrik::LoadOk && model.slot(slot).AnzEintrag > model.device.MaxEintrag + 8)
                __builtin_trap();
        }

        // The same bytes as a device image that passes the checksum and the
        // identification, so that the chain walk, the astro areas and the
        // text trailer see arbitrary contents too.
        if (size < 2)
            continue;
        zendrik::Image image(static_cast<std::size_t>(model.device.Speichergroesse));
        for (std::size_t i = 0; i < image.size(); ++i)
            image[i] = data[i % size];
        const int master = model.device.Uhrentyp == zendrik::kFamily752 ? 0 : (data[0] & 0x80);
        image[1] = static_cast<zendrik::Byte>(master | (model.device.Geraetekennung & 0x7F));
        zendrik::SetChecksum(image);
        const QByteArray text = zendrik::ProgramFileText(image, model.device.MaxEintrag,
                                                         QString::fromLatin1(bytes.left(40)), {});
        const int result = zendrik::LoadProgramData(model, text, 0, QStringLiteral("fuzz.zpg"));
        if (result != zendrik::LoadOk || model.program().AnzEintrag > model.device.MaxEintrag)
            __builtin_trap();
    }
    return 0;
}
