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
    }
    return 0;
}
