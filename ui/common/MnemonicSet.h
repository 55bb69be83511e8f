#pragma once

#include "language/Mnemonics.h"

class QMenu;
class QObject;
class QMenuBar;
class QWidget;

namespace zendrik {

// AssignMnemonics for the menus of a bar and the commands of each menu (again each
// time a menu opens, as some commands change their text).
void GiveMenuMnemonics(QMenuBar* bar);
void GiveMenuMnemonics(QMenu* menu);
// The same for the controls of a window: buttons, check and option boxes,
// checkable groups and the labels that name a field.
void GiveMnemonics(QWidget* window);

// Leaves a control or a menu's commands as they are: a button whose text
// shows a state that toggles (EIN/AUS), a list of file names.
void KeepCaptions(QObject* controlOrMenu);

} // namespace zendrik
