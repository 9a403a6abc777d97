// Stand-in for the message box function while a test links only the network
// code: weak, so the real one wins whenever the library provides it.
#include "app/appshell.h"

#include <QDebug>

namespace {
MessageHook &stubHook()
{
    static MessageHook hook;
    return hook;
}
} // namespace

__attribute__((weak)) void ShowMessage(QString text)
{
    if (stubHook())
        stubHook()(text);
    else
        qWarning("ShowMessage without a hook: %s", qPrintable(text));
}

__attribute__((weak)) MessageHook SetMessageHook(MessageHook hook)
{
    MessageHook previous = stubHook();
    stubHook() = std::move(hook);
    return previous;
}
