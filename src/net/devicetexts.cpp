// SPDX-License-Identifier: Apache-2.0
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

QString ShownDhcpText(bool on)
{
    // The words marked above, in the window's own context.
    const char *word = on ? "Enabled" : "Disabled";
    return QCoreApplication::translate("Zol_ClientMainWindow", word);
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

DeviceTexts DeviceDisplayTexts(const ReadResponse &response)
{
    return DeviceTexts{
        response.hasDeviceType ? response.deviceType : DefaultDeviceTypeText(),
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

const std::array<const char *, DeviceColumnCount> &DeviceColumnTitleSources()
{
    // Marked here for the window's translations, in its form's context.
    static const std::array<const char *, DeviceColumnCount> titles{
        QT_TRANSLATE_NOOP("Zol_ClientMainWindowBase", "Device Type"),
        QT_TRANSLATE_NOOP("Zol_ClientMainWindowBase", "Serial Number "),
        QT_TRANSLATE_NOOP("Zol_ClientMainWindowBase", "MAC Address "),
        QT_TRANSLATE_NOOP("Zol_ClientMainWindowBase", "IP Address "),
        QT_TRANSLATE_NOOP("Zol_ClientMainWindowBase", "Subnet Mask "),
        QT_TRANSLATE_NOOP("Zol_ClientMainWindowBase", "Gateway "),
        QT_TRANSLATE_NOOP("Zol_ClientMainWindowBase", "DHCP "),
        QT_TRANSLATE_NOOP("Zol_ClientMainWindowBase", "Name "),
        QT_TRANSLATE_NOOP("Zol_ClientMainWindowBase", "Location"),
    };
    return titles;
}

const std::array<QString, DeviceColumnCount> &DeviceColumnTitles()
{
    static const std::array<QString, DeviceColumnCount> titles = [] {
        std::array<QString, DeviceColumnCount> words;
        for (int column = 0; column < DeviceColumnCount; ++column)
            words[column] = QString::fromLatin1(DeviceColumnTitleSources()[column]).trimmed();
        return words;
    }();
    return titles;
}
