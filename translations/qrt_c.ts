<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
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
</context>
<context>
    <name>Zol_ClientMainWindow</name>
    <message>
        <source>ZOL Client</source>
        <translation>ZOL 客户端</translation>
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
</context>
</TS>
