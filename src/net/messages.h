// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "net/protocol.h"

#include <QByteArrayView>
#include <QString>

// Device protocol: one Latin-1 text per UDP datagram, comma-separated fields,
// the first a keyword (ports and keywords in net/protocol.h).
using ZolProtocol::QueryPort;
using ZolProtocol::ResponsePort;
constexpr int MaxDatagramText = 512;

// Process-wide query counter carried as the second number of every query.
extern int QuerySequence;
int GetQuerySequence();
void IncrementQuerySequence();

// "ZOL_READ_QUERY,0,<sequence>"
QString FormatReadQuery(int sequence);
// "ZOL_WRITE_QUERY,0,<sequence>,<mac>,<ip>,<mask>,<gateway>,TRUE|FALSE,<name>,<location>,"
QString FormatWriteQuery(int sequence, const QString &mac, const QString &ip,
                         const QString &mask, const QString &gateway, bool dhcp,
                         const QString &name, const QString &location);

// The queries as they go out, each with its sequence rule: a discovery and a
// write take the next number; Renew Lease carries the current one and then
// moves it on. Renew Lease asks for a new lease with all three addresses
// "0.0.0.0".
QString NextReadQuery();
QString NextWriteQuery(const QString &mac, const QString &ip, const QString &mask,
                       const QString &gateway, bool dhcp, const QString &name,
                       const QString &location);
QString RenewLeaseQuery(const QString &mac, bool dhcp, const QString &name, const QString &location);
// What the user is told once a Renew Lease query is out.
QString RenewLeaseSentMessage();

// Twelve upper-case hex digits for a MAC written as six hex pairs (with ':'
// or '-' between them, or nothing), otherwise an empty text: how a MAC typed
// by a person is matched with the text a device reports.
QString MacKey(const QString &text);

// Serial number field read as "%x" and written as "%07d" (FFFFFFFF gives -000001).
QString FormatSerialNumber(const QString &field);

// Cursor-based reader of a received text.
class FieldReader
{
public:
    explicit FieldReader(const QString &text);
    // The reader keeps a reference to the text: a temporary would be gone.
    explicit FieldReader(QString &&) = delete;

    // Skips every comma at the cursor; false (field absent) when the end is
    // then reached, otherwise the run up to the next comma, moving past it.
    bool nextField(QString *field = nullptr);
    // The same step, handing out a view into the text instead of a copy.
    bool nextFieldView(QStringView *field);
    // Name and location rule: a comma at the cursor is an empty field (the
    // cursor moves past that one comma); otherwise nextFieldView().
    bool nextFieldOrEmptyView(QStringView *field);
    bool atEnd() const;

private:
    const QString &m_text;
    qsizetype m_pos = 0;
};

// The same fields in a received datagram's bytes, read before it is decoded
// (a Latin-1 text has each character where its byte is).
class ByteFieldReader
{
public:
    explicit ByteFieldReader(QByteArrayView bytes) : m_bytes(bytes) {}
    bool nextFieldView(QByteArrayView *field);

private:
    QByteArrayView m_bytes;
    qsizetype m_pos = 0;
};

// A read response split by the rules above. Absent fields are flagged where
// the display depends on it; the others are simply empty.
struct ReadResponse
{
    QString serialField;   // valid when hasSerial
    bool hasSerial = false;
    QString mac;
    QString ip;
    QString mask;
    QString gateway;
    QString dhcpField;     // valid when hasDhcp
    bool hasDhcp = false;
    QString name;
    QString location;
    QString deviceType;    // valid when hasDeviceType; else "VRD Module" stands
    bool hasDeviceType = false;
};

struct WriteResponse
{
    QString mac;
    QString status;
    bool hasStatus = false;
};

inline const QString &ReadResponseKeyword() { static const QString k = QLatin1String(ZolProtocol::ReadResponseKeyword); return k; }
inline const QString &WriteResponseKeyword() { static const QString k = QLatin1String(ZolProtocol::WriteResponseKeyword); return k; }

// Both take the whole received text (keyword included) and return false when
// its first field is not their keyword.
bool ParseReadResponse(const QString &text, ReadResponse *out);
// The same without copying: the fields point into `text`, and must be
// neither used nor copied once it is gone or changed.
bool ParseReadResponseInPlace(const QString &text, ReadResponse *out);
bool ParseWriteResponse(const QString &text, WriteResponse *out);

// A write answer's verdict: the device took the settings.
bool IsWriteAccepted(const WriteResponse &response);
// The user's message for a refusing status word ("Modify failed, ..."), never
// translated; empty for the success word and for words no device sends.
QString WriteRefusalMessage(const QString &status);
