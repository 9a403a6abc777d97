// Fuzz target: one datagram arriving on the answer port of a running main
// window. The bytes are cut exactly as the receiver cuts them (at most 512,
// up to the first zero byte, Latin-1) and posted to the window, whose table
// holds three devices and whose edit dialog shows one of them, as while the
// user edits it. Message boxes are recorded, never opened.
//
// The input's length also picks the moment the datagram arrives at: whether
// a write waits for its verdict, whether the modify flow runs, and the edit
// dialog's DHCP box. Checked after every datagram:
// - anything that is neither a read nor a write response changes nothing;
// - a read response touches at most one row, and every text it shows came
//   from the datagram or is one of the fixed texts;
// - no two rows share a MAC text, and the MAC index finds every row;
// - a refusal opens at most one box, only while a write waits for its verdict;
// - a success for the dialog's device copies the dialog's fields into its row.

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
#include <QTreeWidget>

#include <cstdint>
#include <cstring>

namespace {

const QString DeviceMacs[3] = {
    QStringLiteral("00:1A:2B:3C:4D:5E"),
    QStringLiteral("00:1A:2B:3C:4D:5F"),
    QStringLiteral("00:50:C2:00:00:01"),
};

const QString SeedAnswers[3] = {
    QStringLiteral("ZOL_READ_RESPONSE,0,1,1A2B,00:1A:2B:3C:4D:5E,10.77.1.20,255.255.255.0,10.77.1.1,TRUE,Pump_1,Hall A,0"),
    QStringLiteral("ZOL_READ_RESPONSE,0,1,FFFFFFFF,00:1A:2B:3C:4D:5F,10.77.2.20,255.255.0.0,10.77.2.1,FALSE,,Roof,0,Gate Box"),
    QStringLiteral("ZOL_READ_RESPONSE,0,1,10,00:50:C2:00:00:01,192.168.0.7,255.255.255.0,192.168.0.1,TRUE,Valve,,0"),
};

// The device the edit dialog shows (the second one) and what its fields hold.
const QString EditedIp = QStringLiteral("10.77.2.99");
const QString EditedMask = QStringLiteral("255.255.255.0");
const QString EditedGateway = QStringLiteral("10.77.2.1");
const QString EditedName = QStringLiteral("Roof_2");
const QString EditedLocation = QStringLiteral("Roof North");

const QStringList &refusalMessages()
{
    static const QStringList texts = {
        QStringLiteral("Modify failed, missing parameters."),
        QStringLiteral("Modify failed, security mode enabled on device."),
        QStringLiteral("Modify failed, invalid parameter"),
    };
    return texts;
}

fuzz::SilentNetwork network;
QStringList messages;
Zol_ClientMainWindow *window = nullptr;

// Posted as the receiver posts it, and handled by one turn of the event loop,
// which also takes care of whatever else the handling posted (layouts,
// repaints, deferred deletes).
void deliver(const QString &text)
{
    QCoreApplication::postEvent(window, new DeviceResponseEvent(text));
    QCoreApplication::processEvents();
}

// The receiver's cut: at most 512 bytes, up to the first zero byte, Latin-1.
QString asReceived(const uint8_t *data, size_t size)
{
    const size_t used = size < size_t(MaxDatagramText) ? size : size_t(MaxDatagramText);
    const void *zero = std::memchr(data, 0, used);
    const size_t length = zero ? size_t(static_cast<const uint8_t *>(zero) - data) : used;
    return QString::fromLatin1(reinterpret_cast<const char *>(data), qsizetype(length));
}

// The first field by the plain rule (leading commas skipped), independent of
// the program's reader.
QString keywordOf(const QString &text)
{
    const QStringList parts = text.split(u',', Qt::SkipEmptyParts);
    return parts.isEmpty() ? QString() : parts.first();
}

using Table = QList<QStringList>;

Table tableTexts()
{
    Table table;
    for (int r = 0; r < window->MainList->topLevelItemCount(); ++r) {
        QStringList row;
        for (int c = 0; c < Zol_ClientMainWindowBase::ColumnCount; ++c)
            row << window->MainList->topLevelItem(r)->text(c);
        table << row;
    }
    std::sort(table.begin(), table.end(), [](const QStringList &a, const QStringList &b) { return a.at(2) < b.at(2); });
    return table;
}

const QStringList *rowOf(const Table &table, const QString &mac)
{
    for (const QStringList &row : table) {
        if (row.at(2) == mac)
            return &row;
    }
    return nullptr;
}

bool isSerialText(const QString &text)
{
    // "%07d" of a 32-bit value: an optional minus and at least six digits.
    if (text.size() < 7)
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (!(c.isDigit() || (i == 0 && c == u'-')))
            return false;
    }
    return true;
}

void setText(QLineEdit *edit, const QString &text)
{
    if (edit->text() != text)
        edit->setText(text);
}

// The table as the three seed answers leave it; rebuilt only when the last
// datagram changed it, which most do not (that keeps the runs fast).
Table seedTable;
bool tableChanged = true;

void resetWindow(size_t size)
{
    if (tableChanged) {
        window->Find_All_clicked();
        for (const QString &answer : SeedAnswers)
            deliver(answer);
        seedTable = tableTexts();
        tableChanged = false;
    }

    Edit_Network_Configuration &dialog = window->EditDialog;
    setText(dialog.Mac_Address, DeviceMacs[1]);
    setText(dialog.IP_Address, EditedIp);
    setText(dialog.Subnet_Mask, EditedMask);
    setText(dialog.Gateway, EditedGateway);
    setText(dialog.Name, EditedName);
    setText(dialog.Location, EditedLocation);
    dialog.DHCP->setChecked(size & 4);

    WriteAnswered = (size & 1) != 0;
    window->ModifyInProgress = (size & 2) != 0;
    window->ModifyFailed = false;
    messages.clear();
}

void checkIndex()
{
    QSet<QString> macs;
    for (int r = 0; r < window->MainList->topLevelItemCount(); ++r) {
        QTreeWidgetItem *row = window->MainList->topLevelItem(r);
        const QString mac = row->text(2);
        FUZZ_CHECK(!macs.contains(mac), "two rows share one MAC text");
        macs.insert(mac);
        FUZZ_CHECK(window->findDeviceRow(mac) == row, "the MAC index does not find a row");
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::startApplication("fuzz_answers");
    SetNetworkPlatform(&network);
    SetMessageHook([](const QString &text) { messages << text; });
    AppTranslator = new QTranslator;
    QCoreApplication::installTranslator(AppTranslator);
    window = new Zol_ClientMainWindow(nullptr, nullptr, Qt::Window);
    fuzz::atTearDown([] {
        delete window;
        window = nullptr;
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::checkLeaksEvery(20000);
    resetWindow(size);
    const Table &before = seedTable;
    const bool waitingForVerdict = !WriteAnswered;

    const QString text = asReceived(data, size);
    deliver(text);

    const Table after = tableTexts();
    tableChanged = after != before;
    checkIndex();
    const QString keyword = keywordOf(text);
    const bool isRead = text.size() >= 5 && keyword == QLatin1String("ZOL_READ_RESPONSE");
    const bool isWrite = text.size() >= 5 && keyword == QLatin1String("ZOL_WRITE_RESPONSE");

    if (!isRead && !isWrite) {
        FUZZ_CHECK(after == before, "a text that is no answer changed the table");
        FUZZ_CHECK(messages.isEmpty(), "a text that is no answer showed a message");
        FUZZ_CHECK(!window->ModifyFailed, "a text that is no answer counted as a refusal");
        return 0;
    }

    if (isRead) {
        FUZZ_CHECK(messages.isEmpty(), "a read response showed a message");
        FUZZ_CHECK(after.size() == before.size() || after.size() == before.size() + 1,
                   "a read response added more than one row");
        int changed = 0;
        for (const QStringList &row : after) {
            const QStringList *old = rowOf(before, row.at(2));
            if (old && *old == row)
                continue;
            ++changed;
            for (int c : {2, 3, 4, 5, 7, 8})
                FUZZ_CHECK(row.at(c).isEmpty() || text.contains(row.at(c)), "a shown text is not in the datagram");
            FUZZ_CHECK(row.at(1) == QLatin1String("???") || isSerialText(row.at(1)), "odd serial number text");
            FUZZ_CHECK(row.at(6) == QLatin1String("Enabled") || row.at(6) == QLatin1String("Disabled")
                           || row.at(6) == QLatin1String("???"),
                       "odd DHCP text");
            FUZZ_CHECK(row.at(0) == QLatin1String("VRD Module") || row.at(0).isEmpty() || text.contains(row.at(0)),
                       "a device type that is not in the datagram");
        }
        FUZZ_CHECK(changed <= 1, "a read response changed more than one row");
        return 0;
    }

    // A write response never adds or removes a row, and only the dialog's
    // device may change, and only to the dialog's values.
    FUZZ_CHECK(after.size() == before.size(), "a write response added or removed rows");
    for (const QStringList &row : after) {
        const QStringList *old = rowOf(before, row.at(2));
        FUZZ_CHECK(old != nullptr, "a write response made a new row");
        if (*old == row)
            continue;
        FUZZ_CHECK(row.at(2) == DeviceMacs[1], "a write response changed another device's row");
        const QStringList expected = {old->at(0), old->at(1), old->at(2), EditedIp, EditedMask, EditedGateway,
                                      window->EditDialog.DHCP->isChecked() ? QStringLiteral("Enabled") : QStringLiteral("Disabled"),
                                      EditedName, EditedLocation};
        FUZZ_CHECK(row == expected, "a successful write did not copy the dialog's fields");
    }
    FUZZ_CHECK(messages.size() <= 1, "one datagram opened more than one message box");
    if (!messages.isEmpty()) {
        FUZZ_CHECK(refusalMessages().contains(messages.first()), "a message that is no refusal message");
        FUZZ_CHECK(waitingForVerdict, "a refusal was shown although no write waited for its verdict");
        FUZZ_CHECK(window->ModifyFailed, "a refusal was shown but not counted");
        FUZZ_CHECK(WriteAnswered, "a refusal was shown and a second one would be shown too");
    }
    return 0;
}
