#pragma once

namespace zendrik {

// The settings of the edit assistant ("Eingabeautomatik"), kept while the
// program runs and not written to any file. The main window owns them and
// hands them to the entry dialogs and to frmAutoEinst.
struct AssistantSettings {
    int AutoMinuten = 1;   // minutes added to each entry
    int AutoStunden = 0;   // hours added
    int AutoTage = 0;      // days added (dated entries and priority times)
    int AutoWochentag = 0; // 1: every weekday of a weekly entry one day on
    int AutoMonat = 0;     // 1: month one further
    int AutoPrio = 0;      // 1: priority one further (never past P9)
    int AutoZustand = 1;   // 1: toggle the state after each entry
    // The summer-time start and end rules of the table dialog: the n-th
    // weekday of the month (0..3 = first..fourth, 4 = last; weekday 0 =
    // Monday .. 6 = Sunday).
    int AutoSwVonRegel = 4;
    int AutoSwVonTag = 6;
    int AutoSwBisRegel = 4;
    int AutoSwBisTag = 6;
    // chkautopil of the entry dialogs: the step runs after each stored entry.
    int AutoAktiv = 0;

    // Ranges of the three scroll bars.
    static constexpr int kMaxMinuten = 59;
    static constexpr int kMaxStunden = 23;
    static constexpr int kMaxTage = 31;
};

} // namespace zendrik
