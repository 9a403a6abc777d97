// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <algorithm>

// Makes room in a container that is about to take one more item four times
// ahead of need instead of two: each growth moves, or hashes, every item
// again, and a burst of thousands of devices would otherwise pay for that a
// dozen times. Room not yet used costs address space, not memory.
template <typename Container>
void GrowAhead(Container &items)
{
    using Size = decltype(items.size());
    if (items.size() >= Size(items.capacity()))
        items.reserve(std::max<Size>(64, items.size() * 4));
}
