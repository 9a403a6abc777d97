// SPDX-License-Identifier: Apache-2.0
// Fuzz target: one datagram, cut as the receiver cuts it (at most 512 bytes,
// up to the first zero byte, Latin-1), arriving at a running main window that
// lists three devices while its edit dialog shows one. The input's length
// picks whether a write waits for its verdict, whether the modify flow runs
// and the dialog's DHCP box. Checked after every datagram: a text that is no
// answer changes nothing; an answer changes at most one row; one row per MAC,
// each found through the index; at most one message, a refusal only while a
// write waited for it.

#include "fuzzsupport.h"

#include "ui/appshell.h"
#include "mainwindow/mainwindow.h"
#include "net/deviceresponseevent.h"
#include "net/messages.h"
#include "net/sender.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSet>
#include <QTranslator>
#include <QTreeView>

#include <cstring>

namespace {

fuzz::SilentNetwork network;
QStringList messages;
Zol_ClientMainWindow *window = nullptr;

void deliver(const QString &text)
{
    QCoreApplication::postEvent(window, new DeviceResponseEvent(text));
    QCoreApplication::processEvents();
}

QStringList rows()
{
    QStringList list;
    const QAbstractItemModel *model = window->MainList->model();
    for (int r = 0; r < model->rowCount(); ++r) {
        QStringList texts;
        for (int c = 0; c < Zol_ClientMainWindowBase::ColumnCount; ++c)
            texts << model->index(r, c).data().toString();
        list << texts.join(u'\t');
    }
    list.sort();
    return list;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::startApplication();
    SetNetworkPlatform(&network);
    SetMessageHook([](const QString &text) { messages << text; });
    AppTranslator = new QTranslator;
    QCoreApplication::installTranslator(AppTranslator);
    window = new Zol_ClientMainWindow(nullptr, nullptr, Qt::Window);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    window->Find_All_clicked();
    deliver(QStringLiteral("ZOL_READ_RESPONSE,0,1,1A2B,00:1A:2B:3C:4D:5E,10.77.1.20,255.255.255.0,10.77.1.1,TRUE,Pump_1,Hall A,0"));
    deliver(QStringLiteral("ZOL_READ_RESPONSE,0,1,FF,00:1A:2B:3C:4D:5F,10.77.2.20,255.255.0.0,10.77.2.1,FALSE,,Roof,0,Gate Box"));
    deliver(QStringLiteral("ZOL_READ_RESPONSE,0,1,10,00:50:C2:00:00:01,192.168.0.7,255.255.255.0,192.168.0.1,TRUE,Valve,,0"));
    window->EditDialog.Mac_Address->setText(QStringLiteral("00:1A:2B:3C:4D:5F"));
    window->EditDialog.IP_Address->setText(QStringLiteral("10.77.2.99"));
    window->EditDialog.DHCP->setChecked(size & 4);
    WriteAnswered = (size & 1) != 0;
    window->ModifyInProgress = (size & 2) != 0;
    window->ModifyFailed = false;
    messages.clear();
    const bool waitingForVerdict = !WriteAnswered;
    const QStringList before = rows();

    const size_t used = std::min(size, size_t(MaxDatagramText));
    const void *zero = std::memchr(data, 0, used);
    const size_t length = zero ? size_t(static_cast<const uint8_t *>(zero) - data) : used;
    const QString text = QString::fromLatin1(reinterpret_cast<const char *>(data), qsizetype(length));
    deliver(text);

    const QStringList after = rows();
    const QString keyword = text.split(u',', Qt::SkipEmptyParts).value(0);
    const bool isAnswer = text.size() >= 5
        && (keyword == QLatin1String("ZOL_READ_RESPONSE") || keyword == QLatin1String("ZOL_WRITE_RESPONSE"));
    if (!isAnswer) {
        FUZZ_CHECK(after == before && messages.isEmpty() && !window->ModifyFailed, "a text that is no answer had an effect");
        return 0;
    }
    int changed = 0;
    for (const QString &row : after)
        changed += before.contains(row) ? 0 : 1;
    FUZZ_CHECK(changed <= 1 && after.size() - before.size() <= 1, "one answer changed more than one row");
    QSet<QString> macs;
    const QAbstractItemModel *model = window->MainList->model();
    for (int r = 0; r < model->rowCount(); ++r) {
        const QString mac = model->index(r, 2).data().toString();
        FUZZ_CHECK(!macs.contains(mac), "two rows share one MAC");
        macs.insert(mac);
        FUZZ_CHECK(window->findDeviceRow(mac).row() == r, "the MAC index does not find a row");
    }
    FUZZ_CHECK(messages.size() <= 1, "one datagram showed more than one message");
    FUZZ_CHECK(messages.isEmpty() || (waitingForVerdict && window->ModifyFailed && WriteAnswered),
               "a refusal shown although no write waited for it, or not counted");
    return 0;
}
