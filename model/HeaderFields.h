#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

namespace zendrik {

class ProgramModel;
struct ProgramSlot;

// What leaving a header field did to the program.
enum class FieldCommit {
    Unchanged,
    Changed, // stored, the program is marked changed
    Refused, // the text cannot be stored; the field shows the stored value again
};

// The program number is six BCD digits in the image (bytes 13..15); a
// longer number could not be stored and would be lost on saving.
inline constexpr int kProgramNumberDigits = 6;

// Keys the program-number field takes: digits and the blank (backspace and
// the cursor keys are not characters and always pass).
bool ProgramNumberKeyAccepted(QChar c);
// The field text for the number of a slot: empty when it has none.
QString ProgramNumberText(const ProgramSlot& slot);
// Leaving the program-number field: blanks are ignored, an empty field
// clears the number of the shown slot, a different number replaces it.
FieldCommit CommitProgramNumber(ProgramModel& model, const QString& text);

// The description is one text item of the program file, which splits items
// at commas: the field does not take them.
bool DescriptionKeyAccepted(QChar c);
FieldCommit CommitDescription(ProgramModel& model, const QString& text);

// Channel names sit beside labels "C1", "C2", ...; the channel number is read
// from the label from its second character on. 0 when the label names none.
QString ChannelCaption(int channel);
int ChannelOfCaption(const QString& caption);
// The loader keeps one blank in front of every name read from a file; the
// name box shows the name without it.
QString ShownChannelName(const QString& stored);
// Channel names are text items of the program file like the description.
bool ChannelNameKeyAccepted(QChar c);
FieldCommit CommitChannelName(ProgramModel& model, const QString& caption, const QString& text);

// The write-protection switch of the shown slot.
FieldCommit CommitWriteProtection(ProgramModel& model, bool protectedOn);

// When the program of a slot was saved, from the time bytes of its header;
// nothing when the header carries no time (a program never saved).
std::optional<QDateTime> SavedAt(const ProgramSlot& slot);

} // namespace zendrik
