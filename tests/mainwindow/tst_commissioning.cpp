// SPDX-License-Identifier: Apache-2.0
// The commissioning dialog in the real main window: the devices answer the
// queries the capturing platform takes, as the words of the test say.
#include "../support/capturingplatform.h"
#include "../support/netns.h"

#include "commissioning/commissioningdialog.h"
#include "commissioning/commissioningmodel.h"
#include "mainwindow/mainwindow.h"
#include "net/deviceresponseevent.h"
#include "net/sender.h"
#include "plan/planfile.h"
#include "ui/appshell.h"

#include <QtTest>
#include <QtWidgets>

using namespace Qt::StringLiterals;

class tst_Commissioning : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        ZOL_REQUIRE_NETNS(); // the window's receiver binds port 2851
        QVERIFY(m_dir.isValid() && QDir::setCurrent(m_dir.path()));
        SetNetworkPlatform(&m_platform);
        SetMessageHook([this](const QString &text) { m_messages << text; });
    }
    void init();
    void cleanup() { m_window.reset(); }
    void assignRange_data();
    void assignRange();
    void exportThenApplyPlan();
    void adaptersUnlisted();

private:
    // Devices 1 to 4 answer the window's queries; "n:word" makes device n
    // "refuse", "lose1" (its first verdict lost) or "silent".
    void respond();
    QString answer(int n) const;
    // Status (or another column) of device n's row.
    QString cell(int n, int column = CommissioningModel::Status, int role = Qt::DisplayRole) const;
    CommissioningDialog *dialog() const { return m_window->findChild<CommissioningDialog *>(); }
    static QString mac(int n) { return u"00:00:00:00:00:0%1"_s.arg(n); }

    QTemporaryDir m_dir;
    CapturingPlatform m_platform;
    QStringList m_messages;
    std::unique_ptr<Zol_ClientMainWindow> m_window;
    QStringList m_ip, m_name, m_dhcp; // device n at n - 1
    QStringList m_behaviour;
    qsizetype m_seen = 0;
};

void tst_Commissioning::init()
{
    QFile::remove(u"config.cfg"_s);
    m_window = std::make_unique<Zol_ClientMainWindow>();
    m_ip = QStringList{u"10.0.0.5"_s, u"10.0.0.6"_s, u"10.0.0.7"_s, u"10.0.0.21"_s};
    m_name = QStringList{u"Cam"_s, u"Cam"_s, u"Cam"_s, u"Pump_1"_s};
    m_dhcp = QStringList(4, u"FALSE"_s);
    m_behaviour.clear();
    m_platform.sent.clear();
    m_seen = 0;
    m_messages.clear();
    QuerySequence = 1;
    for (int n = 1; n <= 4; ++n) {
        DeviceResponseEvent event(answer(n));
        QCoreApplication::sendEvent(m_window.get(), &event);
    }
    QTRY_COMPARE(m_window->MainList->model()->rowCount(), 4);
}

QString tst_Commissioning::answer(int n) const
{
    return u"ZOL_READ_RESPONSE,0,1,FF,%1,%2,255.255.255.0,10.0.0.1,%3,%4,Hall,0"_s.arg(mac(n), m_ip[n - 1], m_dhcp[n - 1],
                                                                                      m_name[n - 1]);
}

void tst_Commissioning::respond()
{
    while (m_seen < m_platform.sent.size()) {
        const QStringList f = m_platform.sent[m_seen++].split(u',');
        QStringList answers;
        if (f[0] == u"ZOL_READ_QUERY"_s) {
            for (int n = 1; n <= 4; ++n)
                answers << answer(n);
        } else {
            const int n = f[3].right(1).toInt();
            const auto is = [&](const char *word) { return m_behaviour.contains(u"%1:%2"_s.arg(n).arg(QLatin1String(word))); };
            if (is("silent") || (is("lose1") && m_behaviour.removeOne(u"%1:lose1"_s.arg(n))))
                continue;
            if (!is("refuse"))
                m_ip[n - 1] = f[4], m_dhcp[n - 1] = f[7], m_name[n - 1] = f[8];
            answers << u"ZOL_WRITE_RESPONSE,0,1,%1,%2"_s.arg(mac(n), is("refuse") ? u"ZOL_SECURITY_VIOLATION"_s
                                                                                      : u"ZOL_CONFIGURATION_UPDATED"_s);
        }
        for (const QString &text : std::as_const(answers)) {
            DeviceResponseEvent event(text);
            QCoreApplication::sendEvent(m_window.get(), &event);
        }
    }
}

QString tst_Commissioning::cell(int n, int column, int role) const
{
    const CommissioningModel *rows = dialog()->rows();
    for (int row = 0; row < rows->rowCount(); ++row) {
        if (rows->index(row, CommissioningModel::Mac).data() == mac(n))
            return rows->index(row, column).data(role).toString();
    }
    return u"(no row)"_s;
}

void tst_Commissioning::assignRange_data()
{
    QTest::addColumn<QStringList>("behaviour");
    QTest::addColumn<int>("maxInFlight");
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QStringList>("writes"); // "sequence device address"
    QTest::addColumn<QStringList>("statuses"); // devices 1 to 3
    QTest::addColumn<QString>("summary");
    const QString updated = u"updated \u2713"_s;
    QTest::newRow("a range given to three devices skips the address in use")
        << QStringList() << 32 << false << QStringList{u"2 1 10.0.0.20"_s, u"3 2 10.0.0.22"_s, u"4 3 10.0.0.23"_s}
        << QStringList{updated, updated, updated} << u"3 updated"_s;
    QTest::newRow("a lost verdict is resent") << QStringList{u"2:lose1"_s} << 32 << false
        << QStringList{u"2 1 10.0.0.20"_s, u"3 2 10.0.0.22"_s, u"4 3 10.0.0.23"_s, u"5 2 10.0.0.22"_s}
        << QStringList{updated, updated, updated} << u"3 updated"_s;
    QTest::newRow("a refusal shows in its row, not in a box, and the others finish")
        << QStringList{u"2:refuse"_s} << 32 << false
        << QStringList{u"2 1 10.0.0.20"_s, u"3 2 10.0.0.22"_s, u"4 3 10.0.0.23"_s}
        << QStringList{updated, u"refused: Modify failed, security mode enabled on device."_s, updated}
        << u"2 updated, 1 refused"_s;
    QTest::newRow("cancel sends no more, the rest not sent") << QStringList() << 1 << true
        << QStringList{u"2 1 10.0.0.20"_s} << QStringList{updated, u"not sent"_s, u"not sent"_s}
        << u"Cancelled: 1 updated, 2 not sent"_s;
}

void tst_Commissioning::assignRange()
{
    QFETCH(QStringList, behaviour);
    QFETCH(int, maxInFlight);
    QFETCH(bool, cancel);
    QFETCH(QStringList, writes);
    QFETCH(QStringList, statuses);
    QFETCH(QString, summary);
    m_behaviour = behaviour;
    // A refusal for the device of an unanswered edit would open a box.
    m_window->EditDialog.Mac_Address->setText(mac(2));
    WriteAnswered = false;

    m_window->MainList->setCurrentIndex(m_window->findDeviceRow(mac(1)));
    m_window->MAssignAddresses->trigger();
    QVERIFY(dialog() && dialog()->isVisible());
    QCOMPARE(dialog()->rows()->checkedRows(), std::vector<int>{0}); // the device selected in the list
    dialog()->Filter->setText(u"cam"_s);
    dialog()->CheckAll->click(); // the rows shown: not device 4, whose address is in use
    dialog()->Filter->clear();
    QCOMPARE(dialog()->First_Address->text(), u"10.0.0.5"_s); // from the first checked
    dialog()->First_Address->selectAll();
    QTest::keyClicks(dialog()->First_Address, u"10.0.0."_s);
    QVERIFY(!dialog()->Apply->isEnabled() && dialog()->First_AddressMessage->text() == u"Invalid IP Address."_s);
    QTest::keyClicks(dialog()->First_Address, u"20"_s);
    QCOMPARE(cell(2, CommissioningModel::Preview), u"10.0.0.22"_s);
    QCOMPARE(cell(4, CommissioningModel::Preview), QString());
    QVERIFY(dialog()->Apply->isEnabled());

    PlanRunOptions options{50};
    options.maxInFlight = maxInFlight;
    dialog()->setRunOptions(options);
    dialog()->Apply->click();
    if (cancel)
        dialog()->Cancel->click();
    QTRY_VERIFY((respond(), !dialog()->isRunning()));
    QStringList sent;
    for (const QString &query : std::as_const(m_platform.sent)) {
        const QStringList f = query.split(u',');
        if (f[0] == u"ZOL_WRITE_QUERY"_s)
            sent << u"%1 %2 %3"_s.arg(f[2], f[3].right(1), f[4]);
    }
    QCOMPARE(sent, writes);
    QCOMPARE((QStringList{cell(1), cell(2), cell(3)}), statuses);
    QCOMPARE(cell(4), QString());
    QCOMPARE(dialog()->Summary->text(), summary);
    QCOMPARE(m_messages, QStringList());
    // The list was searched again (emptied, so no row is selected) and shows
    // the devices as they now are.
    QVERIFY(m_platform.sent.last().startsWith(u"ZOL_READ_QUERY"_s) && !m_window->Edit->isEnabled());
    QTRY_COMPARE(m_window->findDeviceRow(mac(1)).siblingAtColumn(DeviceColumn::Ip).data().toString(), u"10.0.0.20"_s);
}

void tst_Commissioning::exportThenApplyPlan()
{
    m_dhcp[1] = u"TRUE"_s;
    DeviceResponseEvent event(answer(2));
    QCoreApplication::sendEvent(m_window.get(), &event);
    // Exported in English whatever the window shows; the plan engine's
    // words in the dialog and its messages are the window's.
    QTranslator chinese;
    QVERIFY(chinese.load(u"qrt_c"_s, qEnvironmentVariable("ZOL_BIN_DIR")));
    QCoreApplication::installTranslator(&chinese);
    QVERIFY(m_window->exportListTo(u"devices.csv"_s));
    QFile file(u"devices.csv"_s);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QString csv = QString::fromUtf8(file.readAll());
    file.close();
    QVERIFY(csv.startsWith(DeviceCsvHeader()));
    QCOMPARE(csv.count(u"\r\n"_s), 5);
    QVERIFY(csv.contains(u"VRD Module,0000255,00:00:00:00:00:02,10.0.0.6,255.255.255.0,10.0.0.1,Enabled,Cam,Hall\r\n"_s));

    // Device 2 renamed in a copy, device 3 moved off its gateway's subnet; the rest changes nothing.
    const auto save = [](const QString &name, const QString &text) {
        QFile plan(name);
        return plan.open(QIODevice::WriteOnly) && plan.write(text.toUtf8()) == text.toUtf8().size();
    };
    QVERIFY(save(u"plan%1.csv"_s, csv.replace(u",Enabled,Cam,"_s, u",Enabled,Cam_2,"_s).replace(u"10.0.0.7,"_s, u"10.0.1.7,"_s)));
    m_platform.sent.clear();
    m_seen = 0;
    QVERIFY(m_window->applyPlanFrom(u"plan%1.csv"_s));
    QCOMPARE(dialog()->PlanLabel->text(), u"计划 plan%1.csv：4 行。取消勾选要略过的行。"_s);
    QCOMPARE(cell(2, CommissioningModel::Preview), u"名称 Cam -> Cam_2"_s);
    QCOMPARE(cell(1, CommissioningModel::Preview), u"无更改"_s);
    dialog()->Apply->click();
    QTRY_VERIFY((respond(), !dialog()->isRunning()));
    QCOMPARE(m_platform.sent.first(),
             u"ZOL_WRITE_QUERY,0,2,00:00:00:00:00:02,10.0.0.6,255.255.255.0,10.0.0.1,TRUE,Cam_2,Hall,"_s);
    QCOMPARE(m_platform.sent.filter(u"ZOL_WRITE_QUERY"_s).size(), 2);
    QCOMPARE(cell(2), u"已更新 \u2713"_s);
    QCOMPARE(cell(3, CommissioningModel::Status, Qt::ToolTipRole), u"网关 10.0.0.1 不在 10.0.1.7/255.255.255.0 的子网内"_s);
    QCOMPARE(cell(1), u"未变"_s);
    dialog()->close();
    QTRY_VERIFY(!dialog());

    // A file that can't be read: why and where, and nothing sent.
    m_platform.sent.clear();
    QVERIFY(save(u"broken.csv"_s, DeviceCsvHeader() + u"a,b\r\n"_s));
    QVERIFY(!m_window->applyPlanFrom(u"broken.csv"_s));
    QCOMPARE(m_messages, QStringList{u"无法应用计划 broken.csv：\n第 2 行：该行有 2 个单元格，表头有 9 个"_s});
    QVERIFY(!dialog() && m_platform.sent.isEmpty());
}

void tst_Commissioning::adaptersUnlisted()
{
    // Nothing can go out: the run ends at once and says so in one box.
    m_window->MainList->setCurrentIndex(m_window->findDeviceRow(mac(1)));
    m_window->MAssignAddresses->trigger();
    QTest::keyClicks(dialog()->First_Address, u"0"_s);
    m_platform.listResult = NetworkPlatform::ListResult::AccessFailed;
    dialog()->Apply->click();
    m_platform.listResult = NetworkPlatform::ListResult::Ok;
    QVERIFY(!dialog()->isRunning());
    QCOMPARE(m_messages, QStringList{u"Unable to access network adapters\n"_s});
}

QTEST_MAIN(tst_Commissioning)
#include "tst_commissioning.moc"
