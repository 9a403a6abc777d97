// SPDX-License-Identifier: Apache-2.0
#include "app/fontwarmup.h"

#include <dlfcn.h>

FontConfigWarmUp::FontConfigWarmUp()
{
    // The toolkit brings fontconfig in on this platform; asked for by name
    // so that nothing else depends on it. Loading it twice at the same time
    // would only duplicate the work, so wait() is called before the toolkit
    // first asks for a font.
    using FcInitFunction = int (*)();
    const auto fcInit = reinterpret_cast<FcInitFunction>(::dlsym(RTLD_DEFAULT, "FcInit"));
    if (fcInit)
        m_thread = std::thread([fcInit] { fcInit(); });
}

FontConfigWarmUp::~FontConfigWarmUp()
{
    wait();
}

void FontConfigWarmUp::wait()
{
    if (m_thread.joinable())
        m_thread.join();
}
