#include "net/devicetexts.h"

#include "net/messages.h"

#include <QCoreApplication>

const QString &DhcpEnabledText()
{
    static const QString text = QStringLiteral(QT_TRANSLATE_NOOP("Zol_ClientMainWindow", "Enabled"));
    return text;
}

const QString &DhcpDisabledText()
{
    static const QString text = QStringLiteral(QT_TRANSLATE_NOOP("Zol_ClientMainWindow", "Disabled"));
    return text;
}

const QString &MissingFieldText()
{
    static const QString text = QStringLiteral("???");
    return text;
}

DeviceTexts DeviceDisplayTexts(const ReadResponse &response)
{
    return DeviceTexts{
        response.hasDeviceType ? response.deviceType : QStringLiteral("VRD Module"),
        response.hasSerial ? FormatSerialNumber(response.serialField) : MissingFieldText(),
        response.mac,
        response.ip,
        response.mask,
        response.gateway,
        !response.hasDhcp ? MissingFieldText()
            : response.dhcpField == QLatin1String("TRUE") ? DhcpEnabledText() : DhcpDisabledText(),
        response.name,
        response.location,
    };
}

const std::array<QString, DeviceColumnCount> &DeviceColumnTitles()
{
    // The window's titles carry a trailing blank (room before the next
    // column); the texts here are the words alone.
    static const std::array<QString, DeviceColumnCount> titles{
        QStringLiteral("Device Type"), QStringLiteral("Serial Number"), QStringLiteral("MAC Address"),
        QStringLiteral("IP Address"), QStringLiteral("Subnet Mask"), QStringLiteral("Gateway"),
        QStringLiteral("DHCP"), QStringLiteral("Name"), QStringLiteral("Location"),
    };
    return titles;
}
