#pragma once

#include "language/TextTable.h"
#include "model/ProgramModel.h"
#include "model/TransferRecord.h"
#include "model/UserInteraction.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <optional>

namespace zendrik {
class FeiertagTabelle;
struct ListSources;
} // namespace zendrik

namespace zendrik::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitRefused = 1;
inline constexpr int kExitUsage = 2;
// check and diff: the program has findings, the programs differ.
inline constexpr int kExitFindings = 3;

// The options of one command: positional arguments, "--key value" options
// and "--flag" switches. Which keys take a value is declared by the command.
class CommandArgs {
public:
    // Splits the arguments; unknown options or a missing value give an error text.
    static std::optional<CommandArgs> parse(const QStringList& args, const QStringList& valueOptions,
                                            const QStringList& flagOptions, QString* error);

    const QStringList& positional() const { return positional_; }
    bool has(const QString& key) const { return values_.contains(key) || flags_.contains(key); }
    QString value(const QString& key, const QString& fallback = QString()) const
    {
        return values_.value(key, fallback);
    }
    // Every value of an option given more than once, in order.
    QStringList values(const QString& key) const { return repeated_.value(key); }

private:
    QStringList positional_;
    QMap<QString, QString> values_;
    QMap<QString, QStringList> repeated_;
    QStringList flags_;
};

// What every command works with: the model set up for the chosen device
// type, the text table of the chosen language, and the output streams.
struct CliContext {
    ProgramModel model;
    TextTable texts;
    QString workDir; // where zendrik.ini and zendrik.sys are
    int deviceRow = 1;
    QString language;  // --lang: de, en or fr; empty: as the settings say
    QString textsFile; // --texts: a translation file read over the language
    bool json = false;
    QTextStream out{stdout};
    QTextStream err{stderr};

    // Prints the text of a prompt on stderr and returns kExitRefused.
    int refuse(const Prompt& prompt);
    // Loads a program file into a slot; on failure prints the loader's
    // message and returns kExitRefused, else kExitOk.
    int loadOrRefuse(const QString& path, int slot);
    // Saves slot 0 under its Dateiname with the program-file writer,
    // answering its questions with yes or no; on failure prints the
    // writer's message and returns kExitRefused, else kExitOk.
    int saveOrRefuse(bool yes);
    // --now "YYYY-MM-DD HH:MM": the model's clock stands still there
    // (header time bytes, the year of the astro calendar); false when unreadable.
    bool setNow(const QString& text);
    // The message a load result gets (empty for success).
    Prompt loadMessage(int result, const QString& path = QString()) const;
    // Usage error: prints the text and returns kExitUsage.
    int usage(const QString& text);
    // Switches to the language of a --lang code (de, en, fr) as the start
    // screen's language buttons do; false for any other code.
    bool selectLanguage(const QString& code);
};

// Movable priority times are named after the holidays of the language's
// holiday file in the working directory, when there is one; `holidays`
// keeps them for as long as the sources are used.
ListSources HolidaySources(const CliContext& ctx, FeiertagTabelle& holidays);

// Answers the core's questions from --yes / --no and keeps what was asked.
class CliInteraction : public UserInteraction {
public:
    CliInteraction(bool yes, const TextTable& texts) : yes_(yes), texts_(texts) { }
    Answer ask(const Prompt& prompt) override;
    // The text of the last question answered No or Cancel.
    const QString& lastDeclined() const { return lastDeclined_; }

private:
    bool yes_;
    const TextTable& texts_;
    QString lastDeclined_;
};

// Enters the program of slot 0, written just now by `path` to `where`, in
// the transfer journal of the working directory; says on stderr when it
// cannot (the transfer itself went well).
void JournalProgramWrite(CliContext& ctx, TransferPath path, const QString& where, bool confirmed);

} // namespace zendrik::cli
