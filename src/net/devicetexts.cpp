#include "net/devicetexts.h"

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

const QString &DefaultDeviceTypeText()
{
    static const QString text = QStringLiteral("VRD Module");
    return text;
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
