#pragma once

#include "language/TextTable.h"
#include "model/ProgramModel.h"
#include "model/UserInteraction.h"
#include "transfer/bus/BusAccess.h"
#include "transfer/sim/SimulatedBus.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <ostream>

// Readable QStrings in test failures.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace zendrik::test {

// The frame as bytes, for byte-exact comparisons.
QByteArray Frame(std::initializer_list<int> bytes);

// A working directory with the shipped transfer application, a simulated
// bus (unpaced unless told otherwise) and the bus access on it, answering
// every question with yes.
struct BusFixture {
    explicit BusFixture(const QByteArray& busDescription, ProgramModel model);

    QString path(const QString& name) const;
    // A fresh bus from the same description and state files, as the next
    // program run would see it.
    void reopenBus(const QByteArray& busDescription = QByteArray());
    QStringList logLines() const;

    QTemporaryDir dir;
    ProgramModel model;
    TextTable texts;
    ScriptedInteraction ui{[](const Prompt&) { return Answer::Ok; }};
    std::unique_ptr<SimulatedBus> bus;
    std::unique_ptr<BusAccess> access;
    QByteArray description;
};

} // namespace zendrik::test
