// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <thread>

// Loads the system's font configuration on a thread of its own while the
// application object is being built: the first window needs fonts, and
// reading the configuration is the longest step of the start-up on a typical
// desktop. wait() returns once it is loaded (or at once where fonts are not
// configured through fontconfig).
class FontConfigWarmUp
{
public:
    FontConfigWarmUp();
    ~FontConfigWarmUp();
    FontConfigWarmUp(const FontConfigWarmUp &) = delete;
    FontConfigWarmUp &operator=(const FontConfigWarmUp &) = delete;

    void wait();

private:
    std::thread m_thread;
};
