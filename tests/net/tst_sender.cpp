// SPDX-License-Identifier: Apache-2.0
#include "../support/capturingplatform.h"

#include "net/sender.h"

#include <QTest>

using namespace Qt::StringLiterals;

class tst_Sender : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_platform = CapturingPlatform();
        SetNetworkPlatform(&m_platform);
    }
    void cleanup() { SetNetworkPlatform(nullptr); }
    void sendsOnceFromEachIPv4Address_data();
    void sendsOnceFromEachIPv4Address();
    void adapterListFailureIsReturned();

private:
    CapturingPlatform m_platform;
};

void tst_Sender::sendsOnceFromEachIPv4Address_data()
{
    QTest::addColumn<QList<QStringList>>("adapters");
    QTest::addColumn<QStringList>("sentFrom");
    QTest::newRow("two addresses, both sent from")
        << QList<QStringList>{{u"10.0.0.1"_s, u"192.168.7.2"_s}} << QStringList{u"10.0.0.1"_s, u"192.168.7.2"_s};
    QTest::newRow("one address on two adapters sent once")
        << QList<QStringList>{{u"10.0.0.1"_s}, {u"127.0.0.1"_s, u"10.0.0.1"_s}} << QStringList{u"10.0.0.1"_s, u"127.0.0.1"_s};
    QTest::newRow("IPv6 addresses skipped")
        << QList<QStringList>{{u"fe80::1"_s, u"10.0.0.1"_s, u"::1"_s}} << QStringList{u"10.0.0.1"_s};
}

void tst_Sender::sendsOnceFromEachIPv4Address()
{
    QFETCH(QList<QStringList>, adapters);
    QFETCH(QStringList, sentFrom);
    m_platform.adapters = adapters;
    QCOMPARE(SendToAllAdapters(QStringLiteral("ZOL_READ_QUERY,0,5"), false), QString());
    QCOMPARE(m_platform.sentFrom, sentFrom);
    QCOMPARE(m_platform.sent, QStringList(sentFrom.size(), QStringLiteral("ZOL_READ_QUERY,0,5")));
}

void tst_Sender::adapterListFailureIsReturned()
{
    m_platform.listResult = NetworkPlatform::ListResult::AccessFailed;
    QCOMPARE(SendToAllAdapters(QStringLiteral("ZOL_READ_QUERY,0,5"), false), QStringLiteral("Unable to access network adapters\n"));
    QVERIFY(m_platform.sent.isEmpty());
}

QTEST_APPLESS_MAIN(tst_Sender)
#include "tst_sender.moc"
