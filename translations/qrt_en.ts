<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>AddressConflicts</name>
    <message>
        <source>%1 and %2 more</source>
        <translation>%1 and %2 more</translation>
    </message>
    <message>
        <source>Also used by %1</source>
        <translation>Also used by %1</translation>
    </message>
</context>
<context>
    <name>Device_UpdatingBase</name>
    <message>
        <source>Please Wait</source>
        <translation>Please Wait</translation>
    </message>
    <message>
        <source>textLabel1</source>
        <translation>textLabel1</translation>
    </message>
    <message>
        <source>Update progress</source>
        <translation>Update progress</translation>
    </message>
    <message>
        <source>How far the device has got with its new settings</source>
        <translation>How far the device has got with its new settings</translation>
    </message>
</context>
<context>
    <name>Edit_Network_Configuration</name>
    <message>
        <source>Invalid name, please check the following:

</source>
        <translation>Invalid name, please check the following:

</translation>
    </message>
    <message>
        <source>Invalid location, make sure of the following:

</source>
        <translation>Invalid location, make sure of the following:

</translation>
    </message>
    <message>
        <source>Invalid IP Address.</source>
        <translation>Invalid IP Address.</translation>
    </message>
    <message>
        <source>Invalid Subnet Mask.</source>
        <translation>Invalid Subnet Mask.</translation>
    </message>
    <message>
        <source>Invalid Gateway.</source>
        <translation>Invalid Gateway.</translation>
    </message>
</context>
<context>
    <name>Edit_Network_ConfigurationBase</name>
    <message>
        <source>Edit Network Configuration</source>
        <translation>Edit Network Configuration</translation>
    </message>
    <message>
        <source>DHCP Enabled</source>
        <translation>DHCP Enabled</translation>
    </message>
    <message>
        <source>Renew Lease</source>
        <translation>Renew Lease</translation>
    </message>
    <message>
        <source>IP Address :</source>
        <translation>IP Address :</translation>
    </message>
    <message>
        <source>Subnet Mask :</source>
        <translation>Subnet Mask :</translation>
    </message>
    <message>
        <source>Gateway :</source>
        <translation>Gateway :</translation>
    </message>
    <message>
        <source>Name :</source>
        <translation>Name :</translation>
    </message>
    <message>
        <source>Location :</source>
        <translation>Location :</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Device Type:</source>
        <translation>Device Type:</translation>
    </message>
    <message>
        <source>Serial Number :</source>
        <translation>Serial Number :</translation>
    </message>
    <message>
        <source>MAC Address :</source>
        <translation>MAC Address :</translation>
    </message>
    <message>
        <source>Device Type</source>
        <translation>Device Type</translation>
    </message>
    <message>
        <source>Type of the device (read only)</source>
        <translation>Type of the device (read only)</translation>
    </message>
    <message>
        <source>Serial Number</source>
        <translation>Serial Number</translation>
    </message>
    <message>
        <source>Serial number of the device (read only)</source>
        <translation>Serial number of the device (read only)</translation>
    </message>
    <message>
        <source>MAC Address</source>
        <translation>MAC Address</translation>
    </message>
    <message>
        <source>Hardware address of the device (read only)</source>
        <translation>Hardware address of the device (read only)</translation>
    </message>
    <message>
        <source>When checked, the device takes its IP address, subnet mask and gateway from a DHCP server</source>
        <translation>When checked, the device takes its IP address, subnet mask and gateway from a DHCP server</translation>
    </message>
    <message>
        <source>Ask the device to fetch a new address from its DHCP server</source>
        <translation>Ask the device to fetch a new address from its DHCP server</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP Address</translation>
    </message>
    <message>
        <source>IPv4 address of the device: four numbers from 0 to 255 separated by dots</source>
        <translation>IPv4 address of the device: four numbers from 0 to 255 separated by dots</translation>
    </message>
    <message>
        <source>Subnet Mask</source>
        <translation>Subnet Mask</translation>
    </message>
    <message>
        <source>Subnet mask of the device, for example 255.255.255.0</source>
        <translation>Subnet mask of the device, for example 255.255.255.0</translation>
    </message>
    <message>
        <source>Gateway</source>
        <translation>Gateway</translation>
    </message>
    <message>
        <source>IPv4 address of the default gateway</source>
        <translation>IPv4 address of the default gateway</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Up to 12 letters, digits and underscores, starting with a letter</source>
        <translation>Up to 12 letters, digits and underscores, starting with a letter</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Location</translation>
    </message>
    <message>
        <source>Up to 31 letters, digits, underscores and blanks</source>
        <translation>Up to 31 letters, digits, underscores and blanks</translation>
    </message>
    <message>
        <source>Check the settings and send them to the device</source>
        <translation>Check the settings and send them to the device</translation>
    </message>
    <message>
        <source>Close without changing the device</source>
        <translation>Close without changing the device</translation>
    </message>
</context>
<context>
    <name>RowCopy</name>
    <message>
        <source>Copy</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Copy All</source>
        <translation>Copy All</translation>
    </message>
    <message>
        <source>Copy All Shown</source>
        <translation>Copy All Shown</translation>
    </message>
</context>
<context>
    <name>Zol_ClientMainWindow</name>
    <message>
        <source>Disabled</source>
        <translation>Disabled</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>Enabled</translation>
    </message>
    <message>
        <source>ZOL Client</source>
        <translation>ZOL Client</translation>
    </message>
    <message>
        <source>1 device</source>
        <translation>1 device</translation>
    </message>
    <message>
        <source>%1 devices</source>
        <translation>%1 devices</translation>
    </message>
</context>
<context>
    <name>Zol_ClientMainWindowBase</name>
    <message>
        <source>ZOL Client</source>
        <translation>ZOL Client</translation>
    </message>
    <message>
        <source>Device Type</source>
        <translation>Device Type</translation>
    </message>
    <message>
        <source>Serial Number </source>
        <translation>Serial Number </translation>
    </message>
    <message>
        <source>MAC Address </source>
        <translation>MAC Address </translation>
    </message>
    <message>
        <source>IP Address </source>
        <translation>IP Address </translation>
    </message>
    <message>
        <source>Subnet Mask </source>
        <translation>Subnet Mask </translation>
    </message>
    <message>
        <source>Gateway </source>
        <translation>Gateway </translation>
    </message>
    <message>
        <source>DHCP </source>
        <translation>DHCP </translation>
    </message>
    <message>
        <source>Name </source>
        <translation>Name </translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Location</translation>
    </message>
    <message>
        <source>Find All</source>
        <translation>Find All</translation>
    </message>
    <message>
        <source>F</source>
        <translation>F</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>E</source>
        <translation>E</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Esc</source>
        <translation>Esc</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>中文</source>
        <translation>中文</translation>
    </message>
    <message>
        <source>&amp;Detect</source>
        <translation>&amp;Detect</translation>
    </message>
    <message>
        <source>Detect</source>
        <translation>Detect</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>&amp;What’s This</source>
        <translation>&amp;What’s This</translation>
    </message>
    <message>
        <source>What’s This</source>
        <translation>What’s This</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;About</translation>
    </message>
    <message>
        <source>About</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Devices</source>
        <translation>Devices</translation>
    </message>
    <message>
        <source>Devices that answered on the local network, one row each. Double-click a row or press Return to edit its settings.</source>
        <translation>Devices that answered on the local network, one row each. Double-click a row or press Return to edit its settings.</translation>
    </message>
    <message>
        <source>Clear the list and search the local network for devices</source>
        <translation>Clear the list and search the local network for devices</translation>
    </message>
    <message>
        <source>Change the network settings of the selected device</source>
        <translation>Change the network settings of the selected device</translation>
    </message>
    <message>
        <source>Close ZOL Client</source>
        <translation>Close ZOL Client</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Language</translation>
    </message>
    <message>
        <source>&amp;Find…</source>
        <translation>&amp;Find…</translation>
    </message>
</context>
<context>
    <name>aboutboxform</name>
    <message>
        <source>Version </source>
        <translation>Version </translation>
    </message>
</context>
<context>
    <name>aboutboxformBase</name>
    <message>
        <source>About ZOL Client</source>
        <translation>About ZOL Client</translation>
    </message>
    <message>
        <source>Version X.Y</source>
        <translation>Version X.Y</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>Name and version of this program</source>
        <translation>Name and version of this program</translation>
    </message>
    <message>
        <source>ZOL Client picture</source>
        <translation>ZOL Client picture</translation>
    </message>
    <message>
        <source>The program&apos;s picture, shown above the version</source>
        <translation>The program&apos;s picture, shown above the version</translation>
    </message>
    <message>
        <source>Version of this program</source>
        <translation>Version of this program</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Close this window</source>
        <translation>Close this window</translation>
    </message>
</context>
<context>
    <name>FindBar</name>
    <message>
        <source>%1 of 1 device</source>
        <translation>%1 of 1 device</translation>
    </message>
    <message>
        <source>%1 of %2 devices</source>
        <translation>%1 of %2 devices</translation>
    </message>
    <message>
        <source>Find in the list</source>
        <translation>Find in the list</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Find</translation>
    </message>
    <message>
        <source>Shows only the devices with this text in a column</source>
        <translation>Shows only the devices with this text in a column</translation>
    </message>
    <message>
        <source>Close the find bar (Esc)</source>
        <translation>Close the find bar (Esc)</translation>
    </message>
    <message>
        <source>Close the find bar</source>
        <translation>Close the find bar</translation>
    </message>
</context>
</TS>
