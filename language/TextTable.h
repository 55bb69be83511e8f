#pragma once

#include "language/ExtraText.h"
#include "language/MemoryChipText.h"
#include "language/TextFileResult.h"
#include "language/TextId.h"

#include <QString>
#include <QStringList>

#include <array>
#include <span>

namespace zendrik {

// Caption of every message box and the name in the help menu.
inline const QString kAppTitel = QStringLiteral("Zendrik");
inline const QString kVersionText = QStringLiteral("Version  2.1 V1.5");

// The user-interface texts of the current language: every caption, menu
// entry, column heading, message and default file name comes from here.
// A table is filled whole, in one language; translation files carry it one
// entry per line in the order of TextId.
class TextTable {
public:
    TextTable();

    const QString& text(TextId id) const { return texts_[static_cast<std::size_t>(id)]; }
    const QString& operator()(TextId id) const { return text(id); }
    void set(TextId id, const QString& value) { texts_[static_cast<std::size_t>(id)] = value; }

    const QString& version() const { return version_; }

    // Our own texts (beyond the fixed table) in the table's language: German,
    // English or French after the matching Load call, English once a
    // translation file was read over the table.
    QString operator()(const ExtraText& text) const { return text.in(extraLanguage_); }
    ExtraLanguage extraLanguage() const { return extraLanguage_; }

    // The three built-in languages. Brand index 5 sells the switches as
    // memory-chip programming and names the chip in the transfer texts; the
    // other brands name the product. French has one wording for all brands.
    void LoadGerman(int brandIndex = 1);
    void LoadEnglish(int brandIndex = 1);
    void LoadFrench(int brandIndex = 1);

    // Reads a translation file (*.ln1, speech.txt) over the table: line n is
    // entry n. Entries the file does not reach keep the language in use;
    // lines after the last entry are ignored. A missing, unreadable or empty
    // file changes nothing. The blanks the program joins an entry by are put
    // back after reading, and the help menu gets the program's name.
    TextFileResult LoadTexts(const QString& path);
    // Writes the table as a translation file, one entry per line (UTF-8, CR LF).
    TextFileResult SaveTexts(const QString& path) const;
    // The lines of a translation file for this table, in table order.
    QStringList FileLines() const;

private:
    void fill(const std::array<const char*, kTextCount>& texts, std::span<const MemoryChipText> chipTexts,
              int brandIndex);

    std::array<QString, kTextCount> texts_;
    QString version_;
    ExtraLanguage extraLanguage_ = ExtraLanguage::German;
};

} // namespace zendrik
