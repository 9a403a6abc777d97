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
    <name>CommissioningDialog</name>
    <message>
        <source>Apply Plan</source>
        <translation>Apply Plan</translation>
    </message>
    <message>
        <source>Plan %1: %2 lines. Uncheck the lines to leave out.</source>
        <translation>Plan %1: %2 lines. Uncheck the lines to leave out.</translation>
    </message>
    <message>
        <source>%1 of %2 checked</source>
        <translation>%1 of %2 checked</translation>
    </message>
    <message>
        <source>Check the devices to change.</source>
        <translation>Check the devices to change.</translation>
    </message>
    <message>
        <source>Apply is possible once the marked fields and rows are right.</source>
        <translation>Apply is possible once the marked fields and rows are right.</translation>
    </message>
    <message>
        <source>The checks pass: Apply sends the new settings to the %1 devices checked.</source>
        <translation>The checks pass: Apply sends the new settings to the %1 devices checked.</translation>
    </message>
    <message>
        <source>no change</source>
        <translation>no change</translation>
    </message>
    <message>
        <source>Sending the new settings…</source>
        <translation>Sending the new settings…</translation>
    </message>
    <message>
        <source>%1 of %2 done</source>
        <translation>%1 of %2 done</translation>
    </message>
    <message>
        <source>Cancelled: %1</source>
        <translation>Cancelled: %1</translation>
    </message>
    <message>
        <source>Done.</source>
        <translation>Done.</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Cancelled: nothing more is sent; what was sent stays sent. Waiting for the answers to the writes already out (Cancel again to stop waiting).</source>
        <translation>Cancelled: nothing more is sent; what was sent stays sent. Waiting for the answers to the writes already out (Cancel again to stop waiting).</translation>
    </message>
</context>
<context>
    <name>CommissioningDialogBase</name>
    <message>
        <source>Assign Addresses</source>
        <translation>Assign Addresses</translation>
    </message>
    <message>
        <source>&amp;Filter:</source>
        <translation>&amp;Filter:</translation>
    </message>
    <message>
        <source>Text in any column</source>
        <translation>Text in any column</translation>
    </message>
    <message>
        <source>Check &amp;all</source>
        <translation>Check &amp;all</translation>
    </message>
    <message>
        <source>Check n&amp;one</source>
        <translation>Check n&amp;one</translation>
    </message>
    <message>
        <source>Addresses to give, counted up from the first</source>
        <translation>Addresses to give, counted up from the first</translation>
    </message>
    <message>
        <source>F&amp;irst address:</source>
        <translation>F&amp;irst address:</translation>
    </message>
    <message>
        <source>Subnet &amp;mask:</source>
        <translation>Subnet &amp;mask:</translation>
    </message>
    <message>
        <source>&amp;Gateway:</source>
        <translation>&amp;Gateway:</translation>
    </message>
    <message>
        <source>&amp;Name pattern:</source>
        <translation>&amp;Name pattern:</translation>
    </message>
    <message>
        <source>e.g. Cam_{n}</source>
        <translation>e.g. Cam_{n}</translation>
    </message>
    <message>
        <source>{n} is the running number from 1, {n:03} the same with three digits; empty keeps the names</source>
        <translation>{n} is the running number from 1, {n:03} the same with three digits; empty keeps the names</translation>
    </message>
    <message>
        <source>&amp;Location:</source>
        <translation>&amp;Location:</translation>
    </message>
    <message>
        <source>empty: kept</source>
        <translation>empty: kept</translation>
    </message>
    <message>
        <source>Skip addresses in use</source>
        <translation>Skip addresses in use</translation>
    </message>
    <message>
        <source>Addresses that devices outside the selection show, and the gateway&apos;s, are never given</source>
        <translation>Addresses that devices outside the selection show, and the gateway&apos;s, are never given</translation>
    </message>
    <message>
        <source>A&amp;pply</source>
        <translation>A&amp;pply</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>Clos&amp;e</source>
        <translation>Clos&amp;e</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>Shows only the devices with this text in a column</source>
        <translation>Shows only the devices with this text in a column</translation>
    </message>
    <message>
        <source>Check all</source>
        <translation>Check all</translation>
    </message>
    <message>
        <source>Check every device shown</source>
        <translation>Check every device shown</translation>
    </message>
    <message>
        <source>Check none</source>
        <translation>Check none</translation>
    </message>
    <message>
        <source>Uncheck every device shown</source>
        <translation>Uncheck every device shown</translation>
    </message>
    <message>
        <source>Devices checked</source>
        <translation>Devices checked</translation>
    </message>
    <message>
        <source>Devices to change</source>
        <translation>Devices to change</translation>
    </message>
    <message>
        <source>One row per device: its check box, its address now, the new settings and the status of the change</source>
        <translation>One row per device: its check box, its address now, the new settings and the status of the change</translation>
    </message>
    <message>
        <source>First address</source>
        <translation>First address</translation>
    </message>
    <message>
        <source>The address the first checked device gets; the next ones count up</source>
        <translation>The address the first checked device gets; the next ones count up</translation>
    </message>
    <message>
        <source>Subnet mask</source>
        <translation>Subnet mask</translation>
    </message>
    <message>
        <source>Gateway</source>
        <translation>Gateway</translation>
    </message>
    <message>
        <source>Name pattern</source>
        <translation>Name pattern</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Location</translation>
    </message>
    <message>
        <source>The location every checked device gets; empty keeps them</source>
        <translation>The location every checked device gets; empty keeps them</translation>
    </message>
    <message>
        <source>Problem with the field above</source>
        <translation>Problem with the field above</translation>
    </message>
    <message>
        <source>Checks</source>
        <translation>Checks</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Progress</translation>
    </message>
    <message>
        <source>Devices done</source>
        <translation>Devices done</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Send the new settings to the checked devices</source>
        <translation>Send the new settings to the checked devices</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Send nothing more; what was sent stays sent</source>
        <translation>Send nothing more; what was sent stays sent</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>CommissioningModel</name>
    <message>
        <source>%1, checked</source>
        <translation>%1, checked</translation>
    </message>
    <message>
        <source>%1, not checked</source>
        <translation>%1, not checked</translation>
    </message>
    <message>
        <source>Address now: %1</source>
        <translation>Address now: %1</translation>
    </message>
    <message>
        <source>New: %1</source>
        <translation>New: %1</translation>
    </message>
    <message>
        <source>Status: %1</source>
        <translation>Status: %1</translation>
    </message>
    <message>
        <source>MAC Address</source>
        <translation>MAC Address</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP Address</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Location</translation>
    </message>
    <message>
        <source>Device Type</source>
        <translation>Device Type</translation>
    </message>
    <message>
        <source>New Settings</source>
        <translation>New Settings</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
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
    <name>PlanEngine</name>
    <message>
        <source>%1 is the address of the subnet itself</source>
        <translation>%1 is the address of the subnet itself</translation>
    </message>
    <message>
        <source>no address left in the subnet of %1/%2</source>
        <translation>no address left in the subnet of %1/%2</translation>
    </message>
    <message>
        <source>ip</source>
        <translation>ip</translation>
    </message>
    <message>
        <source>mask</source>
        <translation>mask</translation>
    </message>
    <message>
        <source>gateway</source>
        <translation>gateway</translation>
    </message>
    <message>
        <source>dhcp</source>
        <translation>dhcp</translation>
    </message>
    <message>
        <source>name</source>
        <translation>name</translation>
    </message>
    <message>
        <source>location</source>
        <translation>location</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>line %1: %2</translation>
    </message>
    <message>
        <source>ip, mask and gateway are not sent while DHCP is on</source>
        <translation>ip, mask and gateway are not sent while DHCP is on</translation>
    </message>
    <message>
        <source>the gateway %1 is outside the subnet of %2/%3</source>
        <translation>the gateway %1 is outside the subnet of %2/%3</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a MAC address (six hex pairs, such as 00:1A:2B:3C:4D:5E)</source>
        <translation>&quot;%1&quot; is not a MAC address (six hex pairs, such as 00:1A:2B:3C:4D:5E)</translation>
    </message>
    <message>
        <source>the MAC address %1 is also on line %2</source>
        <translation>the MAC address %1 is also on line %2</translation>
    </message>
    <message>
        <source>the address %1 is also given on line %2</source>
        <translation>the address %1 is also given on line %2</translation>
    </message>
    <message>
        <source>the address %1 is in use by %2</source>
        <translation>the address %1 is in use by %2</translation>
    </message>
    <message>
        <source>DHCP takes Enabled, Disabled, on, off, true or false, not &quot;%1&quot;</source>
        <translation>DHCP takes Enabled, Disabled, on, off, true or false, not &quot;%1&quot;</translation>
    </message>
    <message>
        <source>a quoted cell is not closed</source>
        <translation>a quoted cell is not closed</translation>
    </message>
    <message>
        <source>text after a closing quote</source>
        <translation>text after a closing quote</translation>
    </message>
    <message>
        <source>the column &quot;%1&quot; is there twice</source>
        <translation>the column &quot;%1&quot; is there twice</translation>
    </message>
    <message>
        <source>not a plan: neither CSV with find&apos;s header row nor a JSON array</source>
        <translation>not a plan: neither CSV with find&apos;s header row nor a JSON array</translation>
    </message>
    <message>
        <source>unknown column &quot;%1&quot;</source>
        <translation>unknown column &quot;%1&quot;</translation>
    </message>
    <message>
        <source>the header has no &quot;%1&quot; column</source>
        <translation>the header has no &quot;%1&quot; column</translation>
    </message>
    <message>
        <source>the row has %1 cells, the header %2</source>
        <translation>the row has %1 cells, the header %2</translation>
    </message>
    <message>
        <source>the row has more cells than the header</source>
        <translation>the row has more cells than the header</translation>
    </message>
    <message>
        <source>the row has no MAC address</source>
        <translation>the row has no MAC address</translation>
    </message>
    <message>
        <source>unterminated object</source>
        <translation>unterminated object</translation>
    </message>
    <message>
        <source>missing name separator</source>
        <translation>missing name separator</translation>
    </message>
    <message>
        <source>unterminated array</source>
        <translation>unterminated array</translation>
    </message>
    <message>
        <source>missing value separator</source>
        <translation>missing value separator</translation>
    </message>
    <message>
        <source>illegal value</source>
        <translation>illegal value</translation>
    </message>
    <message>
        <source>invalid termination by number</source>
        <translation>invalid termination by number</translation>
    </message>
    <message>
        <source>illegal number</source>
        <translation>illegal number</translation>
    </message>
    <message>
        <source>invalid escape sequence</source>
        <translation>invalid escape sequence</translation>
    </message>
    <message>
        <source>unterminated string</source>
        <translation>unterminated string</translation>
    </message>
    <message>
        <source>object is missing after a comma</source>
        <translation>object is missing after a comma</translation>
    </message>
    <message>
        <source>too deeply nested document</source>
        <translation>too deeply nested document</translation>
    </message>
    <message>
        <source>too large document</source>
        <translation>too large document</translation>
    </message>
    <message>
        <source>garbage at the end of the document</source>
        <translation>garbage at the end of the document</translation>
    </message>
    <message>
        <source>a JSON plan is an array of objects</source>
        <translation>a JSON plan is an array of objects</translation>
    </message>
    <message>
        <source>&quot;dhcp&quot; must be true, false or null</source>
        <translation>&quot;dhcp&quot; must be true, false or null</translation>
    </message>
    <message>
        <source>unknown key &quot;%1&quot;</source>
        <translation>unknown key &quot;%1&quot;</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be a text</source>
        <translation>&quot;%1&quot; must be a text</translation>
    </message>
    <message>
        <source>the object has no &quot;mac&quot;</source>
        <translation>the object has no &quot;mac&quot;</translation>
    </message>
    <message>
        <source>not UTF-8 text</source>
        <translation>not UTF-8 text</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>the file is empty</translation>
    </message>
    <message>
        <source>the file is larger than %1 MiB</source>
        <translation>the file is larger than %1 MiB</translation>
    </message>
    <message>
        <source>waiting</source>
        <translation>waiting</translation>
    </message>
    <message>
        <source>sent</source>
        <translation>sent</translation>
    </message>
    <message>
        <source>retried %1</source>
        <translation>retried %1</translation>
    </message>
    <message>
        <source>said updated</source>
        <translation>said updated</translation>
    </message>
    <message>
        <source>unchanged</source>
        <translation>unchanged</translation>
    </message>
    <message>
        <source>updated</source>
        <translation>updated</translation>
    </message>
    <message>
        <source>refused</source>
        <translation>refused</translation>
    </message>
    <message>
        <source>not verified</source>
        <translation>not verified</translation>
    </message>
    <message>
        <source>no answer</source>
        <translation>no answer</translation>
    </message>
    <message>
        <source>not found</source>
        <translation>not found</translation>
    </message>
    <message>
        <source>not sent</source>
        <translation>not sent</translation>
    </message>
    <message>
        <source>check failed</source>
        <translation>check failed</translation>
    </message>
    <message>
        <source>%1 %2 (not %3)</source>
        <translation>%1 %2 (not %3)</translation>
    </message>
    <message>
        <source>reports %1</source>
        <translation>reports %1</translation>
    </message>
    <message>
        <source>did not answer the check</source>
        <translation>did not answer the check</translation>
    </message>
    <message>
        <source>cancelled before the check</source>
        <translation>cancelled before the check</translation>
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
    <message>
        <source>Apply Plan</source>
        <translation>Apply Plan</translation>
    </message>
    <message>
        <source>Plans (*.csv *.json);;All files (*)</source>
        <translation>Plans (*.csv *.json);;All files (*)</translation>
    </message>
    <message>
        <source>it names no device</source>
        <translation>it names no device</translation>
    </message>
    <message>
        <source>The plan %1 cannot be applied:
%2</source>
        <translation>The plan %1 cannot be applied:
%2</translation>
    </message>
    <message>
        <source>Export List</source>
        <translation>Export List</translation>
    </message>
    <message>
        <source>CSV files (*.csv);;All files (*)</source>
        <translation>CSV files (*.csv);;All files (*)</translation>
    </message>
    <message>
        <source>The list could not be written to %1:
%2</source>
        <translation>The list could not be written to %1:
%2</translation>
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
    <message>
        <source>&amp;Assign Addresses…</source>
        <translation>&amp;Assign Addresses…</translation>
    </message>
    <message>
        <source>Apply &amp;Plan…</source>
        <translation>Apply &amp;Plan…</translation>
    </message>
    <message>
        <source>Change the devices as the lines of a plan file say</source>
        <translation>Change the devices as the lines of a plan file say</translation>
    </message>
    <message>
        <source>&amp;Export List…</source>
        <translation>&amp;Export List…</translation>
    </message>
    <message>
        <source>Write the list to a CSV file</source>
        <translation>Write the list to a CSV file</translation>
    </message>
    <message>
        <source>&amp;Devices</source>
        <translation>&amp;Devices</translation>
    </message>
    <message>
        <source>Give many devices a range of addresses at once</source>
        <translation>Give many devices a range of addresses at once</translation>
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
