<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
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
</context>
<context>
    <name>Zol_ClientMainWindow</name>
    <message>
        <source>ZOL Client</source>
        <translation>ZOL Client</translation>
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
</context>
</TS>
