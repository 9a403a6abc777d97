<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>AddressConflicts</name>
    <message>
        <source>%1 and %2 more</source>
        <translation>%1 及另外 %2 台设备</translation>
    </message>
    <message>
        <source>Also used by %1</source>
        <translation>也被以下设备使用：%1</translation>
    </message>
</context>
<context>
    <name>Device_UpdatingBase</name>
    <message>
        <source>Please Wait</source>
        <translation>请稍候</translation>
    </message>
    <message>
        <source>textLabel1</source>
        <translation>textLabel1</translation>
    </message>
    <message>
        <source>Update progress</source>
        <translation>更新进度</translation>
    </message>
    <message>
        <source>How far the device has got with its new settings</source>
        <translation>设备应用新设置的进度</translation>
    </message>
</context>
<context>
    <name>Edit_Network_Configuration</name>
    <message>
        <source>Invalid name, please check the following:

</source>
        <translation>名称无效，请检查以下各项：

</translation>
    </message>
    <message>
        <source>Invalid location, make sure of the following:

</source>
        <translation>位置无效，请确认以下各项：

</translation>
    </message>
    <message>
        <source>Invalid IP Address.</source>
        <translation>IP 地址无效。</translation>
    </message>
    <message>
        <source>Invalid Subnet Mask.</source>
        <translation>子网掩码无效。</translation>
    </message>
    <message>
        <source>Invalid Gateway.</source>
        <translation>网关无效。</translation>
    </message>
</context>
<context>
    <name>Edit_Network_ConfigurationBase</name>
    <message>
        <source>Edit Network Configuration</source>
        <translation>编辑网络配置</translation>
    </message>
    <message>
        <source>DHCP Enabled</source>
        <translation>启用 DHCP</translation>
    </message>
    <message>
        <source>Renew Lease</source>
        <translation>续订租约</translation>
    </message>
    <message>
        <source>IP Address :</source>
        <translation>IP 地址：</translation>
    </message>
    <message>
        <source>Subnet Mask :</source>
        <translation>子网掩码：</translation>
    </message>
    <message>
        <source>Gateway :</source>
        <translation>网关：</translation>
    </message>
    <message>
        <source>Name :</source>
        <translation>名称：</translation>
    </message>
    <message>
        <source>Location :</source>
        <translation>位置：</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Device Type:</source>
        <translation>设备类型：</translation>
    </message>
    <message>
        <source>Serial Number :</source>
        <translation>序列号：</translation>
    </message>
    <message>
        <source>MAC Address :</source>
        <translation>MAC 地址：</translation>
    </message>
    <message>
        <source>Device Type</source>
        <translation>设备类型</translation>
    </message>
    <message>
        <source>Type of the device (read only)</source>
        <translation>设备的类型（只读）</translation>
    </message>
    <message>
        <source>Serial Number</source>
        <translation>序列号</translation>
    </message>
    <message>
        <source>Serial number of the device (read only)</source>
        <translation>设备的序列号（只读）</translation>
    </message>
    <message>
        <source>MAC Address</source>
        <translation>MAC 地址</translation>
    </message>
    <message>
        <source>Hardware address of the device (read only)</source>
        <translation>设备的硬件地址（只读）</translation>
    </message>
    <message>
        <source>When checked, the device takes its IP address, subnet mask and gateway from a DHCP server</source>
        <translation>选中时，设备从 DHCP 服务器获取 IP 地址、子网掩码和网关</translation>
    </message>
    <message>
        <source>Ask the device to fetch a new address from its DHCP server</source>
        <translation>让设备从 DHCP 服务器重新获取地址</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP 地址</translation>
    </message>
    <message>
        <source>IPv4 address of the device: four numbers from 0 to 255 separated by dots</source>
        <translation>设备的 IPv4 地址：四个 0 到 255 之间的数字，用点分隔</translation>
    </message>
    <message>
        <source>Subnet Mask</source>
        <translation>子网掩码</translation>
    </message>
    <message>
        <source>Subnet mask of the device, for example 255.255.255.0</source>
        <translation>设备的子网掩码，例如 255.255.255.0</translation>
    </message>
    <message>
        <source>Gateway</source>
        <translation>网关</translation>
    </message>
    <message>
        <source>IPv4 address of the default gateway</source>
        <translation>默认网关的 IPv4 地址</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Up to 12 letters, digits and underscores, starting with a letter</source>
        <translation>最多 12 个字母、数字和下划线，以字母开头</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>位置</translation>
    </message>
    <message>
        <source>Up to 31 letters, digits, underscores and blanks</source>
        <translation>最多 31 个字母、数字、下划线和空格</translation>
    </message>
    <message>
        <source>Check the settings and send them to the device</source>
        <translation>检查设置并发送到设备</translation>
    </message>
    <message>
        <source>Close without changing the device</source>
        <translation>关闭，不更改设备</translation>
    </message>
</context>
<context>
    <name>RowCopy</name>
    <message>
        <source>Copy</source>
        <translation>复制</translation>
    </message>
    <message>
        <source>Copy All</source>
        <translation>全部复制</translation>
    </message>
    <message>
        <source>Copy All Shown</source>
        <translation>复制显示的全部行</translation>
    </message>
</context>
<context>
    <name>Zol_ClientMainWindow</name>
    <message>
        <source>Disabled</source>
        <translation>禁用</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>启用</translation>
    </message>
    <message>
        <source>ZOL Client</source>
        <translation>ZOL 客户端</translation>
    </message>
    <message>
        <source>1 device</source>
        <translation>1 台设备</translation>
    </message>
    <message>
        <source>%1 devices</source>
        <translation>%1 台设备</translation>
    </message>
</context>
<context>
    <name>Zol_ClientMainWindowBase</name>
    <message>
        <source>ZOL Client</source>
        <translation>ZOL 客户端</translation>
    </message>
    <message>
        <source>Device Type</source>
        <translation>设备类型</translation>
    </message>
    <message>
        <source>Serial Number </source>
        <translation>序列号 </translation>
    </message>
    <message>
        <source>MAC Address </source>
        <translation>MAC 地址 </translation>
    </message>
    <message>
        <source>IP Address </source>
        <translation>IP 地址 </translation>
    </message>
    <message>
        <source>Subnet Mask </source>
        <translation>子网掩码 </translation>
    </message>
    <message>
        <source>Gateway </source>
        <translation>网关 </translation>
    </message>
    <message>
        <source>DHCP </source>
        <translation>DHCP </translation>
    </message>
    <message>
        <source>Name </source>
        <translation>名称 </translation>
    </message>
    <message>
        <source>Location</source>
        <translation>位置</translation>
    </message>
    <message>
        <source>Find All</source>
        <translation>查找全部</translation>
    </message>
    <message>
        <source>F</source>
        <translation>F</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>编辑</translation>
    </message>
    <message>
        <source>E</source>
        <translation>E</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>退出</translation>
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
        <translation>自动检测(&amp;D)</translation>
    </message>
    <message>
        <source>Detect</source>
        <translation>自动检测</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>帮助(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;What’s This</source>
        <translation>这是什么(&amp;W)</translation>
    </message>
    <message>
        <source>What’s This</source>
        <translation>这是什么</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>关于(&amp;A)</translation>
    </message>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>Devices</source>
        <translation>设备</translation>
    </message>
    <message>
        <source>Devices that answered on the local network, one row each. Double-click a row or press Return to edit its settings.</source>
        <translation>在局域网中应答的设备，每台一行。双击某行或按回车键可编辑其设置。</translation>
    </message>
    <message>
        <source>Clear the list and search the local network for devices</source>
        <translation>清空列表并在局域网中查找设备</translation>
    </message>
    <message>
        <source>Change the network settings of the selected device</source>
        <translation>更改所选设备的网络设置</translation>
    </message>
    <message>
        <source>Close ZOL Client</source>
        <translation>关闭 ZOL 客户端</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>语言(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;Find…</source>
        <translation>查找(&amp;F)…</translation>
    </message>
</context>
<context>
    <name>aboutboxform</name>
    <message>
        <source>Version </source>
        <translation>版本 </translation>
    </message>
</context>
<context>
    <name>aboutboxformBase</name>
    <message>
        <source>About ZOL Client</source>
        <translation>关于 ZOL 客户端</translation>
    </message>
    <message>
        <source>Version X.Y</source>
        <translation>版本 X.Y</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>确定(&amp;O)</translation>
    </message>
    <message>
        <source>Name and version of this program</source>
        <translation>本程序的名称和版本</translation>
    </message>
    <message>
        <source>ZOL Client picture</source>
        <translation>ZOL 客户端图片</translation>
    </message>
    <message>
        <source>The program&apos;s picture, shown above the version</source>
        <translation>本程序的图片，显示在版本号上方</translation>
    </message>
    <message>
        <source>Version of this program</source>
        <translation>本程序的版本</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Close this window</source>
        <translation>关闭此窗口</translation>
    </message>
</context>
<context>
    <name>FindBar</name>
    <message>
        <source>%1 of 1 device</source>
        <translation>%1 / 1 台设备</translation>
    </message>
    <message>
        <source>%1 of %2 devices</source>
        <translation>%1 / %2 台设备</translation>
    </message>
    <message>
        <source>Find in the list</source>
        <translation>在列表中查找</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>查找</translation>
    </message>
    <message>
        <source>Shows only the devices with this text in a column</source>
        <translation>只显示某一列含有此文字的设备</translation>
    </message>
    <message>
        <source>Close the find bar (Esc)</source>
        <translation>关闭查找栏 (Esc)</translation>
    </message>
    <message>
        <source>Close the find bar</source>
        <translation>关闭查找栏</translation>
    </message>
</context>
</TS>
