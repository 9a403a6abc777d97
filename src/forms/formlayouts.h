// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>

// A named box layout nested in a form's layout: no margins of its own, the
// forms' usual 6 pixels between items.
template<class Layout>
Layout *makeBox(const char *name)
{
    auto *layout = new Layout;
    layout->setObjectName(QString::fromLatin1(name));
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    return layout;
}
