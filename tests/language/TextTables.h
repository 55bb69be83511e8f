#pragma once

#include "language/TextTable.h"

namespace zendrik::test {

using Loader = void (TextTable::*)(int);

inline TextTable Loaded(Loader load, int brand = 1)
{
    TextTable t;
    (t.*load)(brand);
    return t;
}

// The number of entries in which two tables differ.
inline int CountDiffering(const TextTable& a, const TextTable& b)
{
    int n = 0;
    for (int i = 0; i < kTextCount; ++i)
        n += a.text(static_cast<TextId>(i)) != b.text(static_cast<TextId>(i)) ? 1 : 0;
    return n;
}

} // namespace zendrik::test
