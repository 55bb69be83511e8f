#pragma once

#include "model/ProgramModel.h"
#include "ui/transfer/FrmBusaccess.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace zendrik::test {

// Through the bus window's widgets: searches 1.1.1 .. 1.1.3, writes the program to the one time switch found (1.1.2)
// and reads it back into a cleared program. Each step ends "Ok"; the program read is the one written.
inline void SearchWriteAndReadBack(FrmBusaccess& w, ProgramModel& model)
{
    const auto field = [&w](const char* name) { return w.findChild<QLineEdit*>(QString::fromUtf8(name)); };
    const auto click = [&w](const char* name) { QTest::mouseClick(w.findChild<QPushButton*>(QString::fromUtf8(name)), Qt::LeftButton); };
    const ProgramSlot original = model.program();
    field("txtbisTeilnehmer")->setText(QStringLiteral("3")), click("cmdbussearch");
    const auto* found = w.findChild<QComboBox*>(QStringLiteral("cboPhysadr"));
    ASSERT_EQ(found->count(), 1);
    EXPECT_EQ(QStringList({found->itemText(0), field("txtPhysadr")->text(), field("txtstatus")->text()}), QStringList({QStringLiteral("1.1.2"), QStringLiteral("1.1.2"), QStringLiteral("Ok")}));
    click("cmdbusprog");
    EXPECT_EQ(field("txtstatus")->text(), QStringLiteral("Ok"));
    model.ClearSlot(kProgramSlot);
    QSignalSpy read(&w, &FrmBusaccess::programRead);
    click("cmdbusread");
    EXPECT_EQ(std::pair(field("txtstatus")->text(), read.count()), std::pair(QStringLiteral("Ok"), qsizetype(1)));
    EXPECT_EQ(model.program().Eintrag, original.Eintrag);
    EXPECT_EQ(model.program().AnzEintrag, original.AnzEintrag);
    EXPECT_EQ(model.program().SoWiTab, original.SoWiTab);
}

} // namespace zendrik::test
