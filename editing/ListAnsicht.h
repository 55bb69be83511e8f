#pragma once

namespace zendrik {

// The views of the main list (Ansicht): one part of one program slot.
enum ListAnsicht : int {
    AnsichtSchaltzeiten = 0,      // switching times
    AnsichtPrioritaetszeiten = 1, // priority times
    AnsichtSoWiTabelle = 2,       // summer/winter-time table
    AnsichtAstrozeiten = 3,       // astro times
};

} // namespace zendrik
