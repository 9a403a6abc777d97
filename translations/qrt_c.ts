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
    <name>CommissioningDialog</name>
    <message>
        <source>Apply Plan</source>
        <translation>应用计划</translation>
    </message>
    <message>
        <source>Plan %1: %2 lines. Uncheck the lines to leave out.</source>
        <translation>计划 %1：%2 行。取消勾选要略过的行。</translation>
    </message>
    <message>
        <source>%1 of %2 checked</source>
        <translation>已勾选 %1 / %2</translation>
    </message>
    <message>
        <source>Check the devices to change.</source>
        <translation>请勾选要更改的设备。</translation>
    </message>
    <message>
        <source>Apply is possible once the marked fields and rows are right.</source>
        <translation>标出的字段和行改正后才能应用。</translation>
    </message>
    <message>
        <source>The checks pass: Apply sends the new settings to the %1 devices checked.</source>
        <translation>检查通过：“应用”将把新设置发送给勾选的 %1 台设备。</translation>
    </message>
    <message>
        <source>no change</source>
        <translation>无更改</translation>
    </message>
    <message>
        <source>Sending the new settings…</source>
        <translation>正在发送新设置…</translation>
    </message>
    <message>
        <source>%1 of %2 done</source>
        <translation>已完成 %1 / %2</translation>
    </message>
    <message>
        <source>Cancelled: %1</source>
        <translation>已取消：%1</translation>
    </message>
    <message>
        <source>Done.</source>
        <translation>完成。</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1：%2</translation>
    </message>
    <message>
        <source>Cancelled: nothing more is sent; what was sent stays sent. Waiting for the answers to the writes already out (Cancel again to stop waiting).</source>
        <translation>已取消：不再发送任何内容，已发送的保持有效。正在等待已发出写入的应答（再次点击“取消”停止等待）。</translation>
    </message>
</context>
<context>
    <name>CommissioningDialogBase</name>
    <message>
        <source>Assign Addresses</source>
        <translation>分配地址</translation>
    </message>
    <message>
        <source>&amp;Filter:</source>
        <translation>筛选(&amp;F)：</translation>
    </message>
    <message>
        <source>Text in any column</source>
        <translation>任一列中的文字</translation>
    </message>
    <message>
        <source>Check &amp;all</source>
        <translation>全部勾选(&amp;A)</translation>
    </message>
    <message>
        <source>Check n&amp;one</source>
        <translation>全部取消(&amp;O)</translation>
    </message>
    <message>
        <source>Addresses to give, counted up from the first</source>
        <translation>要分配的地址，从第一个起依次递增</translation>
    </message>
    <message>
        <source>F&amp;irst address:</source>
        <translation>起始地址(&amp;I)：</translation>
    </message>
    <message>
        <source>Subnet &amp;mask:</source>
        <translation>子网掩码(&amp;M)：</translation>
    </message>
    <message>
        <source>&amp;Gateway:</source>
        <translation>网关(&amp;G)：</translation>
    </message>
    <message>
        <source>&amp;Name pattern:</source>
        <translation>名称模板(&amp;N)：</translation>
    </message>
    <message>
        <source>e.g. Cam_{n}</source>
        <translation>例如 Cam_{n}</translation>
    </message>
    <message>
        <source>{n} is the running number from 1, {n:03} the same with three digits; empty keeps the names</source>
        <translation>{n} 是从 1 开始的序号，{n:03} 为补足三位的序号；留空则保留原名称</translation>
    </message>
    <message>
        <source>&amp;Location:</source>
        <translation>位置(&amp;L)：</translation>
    </message>
    <message>
        <source>empty: kept</source>
        <translation>留空：保留</translation>
    </message>
    <message>
        <source>Skip addresses in use</source>
        <translation>跳过已使用的地址</translation>
    </message>
    <message>
        <source>Addresses that devices outside the selection show, and the gateway&apos;s, are never given</source>
        <translation>未勾选设备正在使用的地址以及网关地址都不会被分配</translation>
    </message>
    <message>
        <source>A&amp;pply</source>
        <translation>应用(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>取消(&amp;C)</translation>
    </message>
    <message>
        <source>Clos&amp;e</source>
        <translation>关闭(&amp;E)</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>筛选</translation>
    </message>
    <message>
        <source>Shows only the devices with this text in a column</source>
        <translation>只显示某一列中含有此文字的设备</translation>
    </message>
    <message>
        <source>Check all</source>
        <translation>全部勾选</translation>
    </message>
    <message>
        <source>Check every device shown</source>
        <translation>勾选所有显示的设备</translation>
    </message>
    <message>
        <source>Check none</source>
        <translation>全部取消</translation>
    </message>
    <message>
        <source>Uncheck every device shown</source>
        <translation>取消勾选所有显示的设备</translation>
    </message>
    <message>
        <source>Devices checked</source>
        <translation>已勾选的设备</translation>
    </message>
    <message>
        <source>Devices to change</source>
        <translation>要更改的设备</translation>
    </message>
    <message>
        <source>One row per device: its check box, its address now, the new settings and the status of the change</source>
        <translation>每台设备一行：复选框、当前地址、新设置以及更改状态</translation>
    </message>
    <message>
        <source>First address</source>
        <translation>起始地址</translation>
    </message>
    <message>
        <source>The address the first checked device gets; the next ones count up</source>
        <translation>第一台勾选设备获得的地址，其后的设备依次递增</translation>
    </message>
    <message>
        <source>Subnet mask</source>
        <translation>子网掩码</translation>
    </message>
    <message>
        <source>Gateway</source>
        <translation>网关</translation>
    </message>
    <message>
        <source>Name pattern</source>
        <translation>名称模板</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>位置</translation>
    </message>
    <message>
        <source>The location every checked device gets; empty keeps them</source>
        <translation>每台勾选设备获得的位置；留空则保留原位置</translation>
    </message>
    <message>
        <source>Problem with the field above</source>
        <translation>上方字段的问题</translation>
    </message>
    <message>
        <source>Checks</source>
        <translation>检查</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>进度</translation>
    </message>
    <message>
        <source>Devices done</source>
        <translation>已完成的设备</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>结果</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>应用</translation>
    </message>
    <message>
        <source>Send the new settings to the checked devices</source>
        <translation>把新设置发送给勾选的设备</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Send nothing more; what was sent stays sent</source>
        <translation>不再发送；已发送的保持有效</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>CommissioningModel</name>
    <message>
        <source>%1, checked</source>
        <translation>%1，已勾选</translation>
    </message>
    <message>
        <source>%1, not checked</source>
        <translation>%1，未勾选</translation>
    </message>
    <message>
        <source>Address now: %1</source>
        <translation>当前地址：%1</translation>
    </message>
    <message>
        <source>New: %1</source>
        <translation>新设置：%1</translation>
    </message>
    <message>
        <source>Status: %1</source>
        <translation>状态：%1</translation>
    </message>
    <message>
        <source>MAC Address</source>
        <translation>MAC 地址</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP 地址</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>位置</translation>
    </message>
    <message>
        <source>Device Type</source>
        <translation>设备类型</translation>
    </message>
    <message>
        <source>New Settings</source>
        <translation>新设置</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>状态</translation>
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
    <name>PlanEngine</name>
    <message>
        <source>%1 is the address of the subnet itself</source>
        <translation>%1 是子网本身的地址</translation>
    </message>
    <message>
        <source>no address left in the subnet of %1/%2</source>
        <translation>子网 %1/%2 中已没有可分配的地址</translation>
    </message>
    <message>
        <source>ip</source>
        <translation>IP 地址</translation>
    </message>
    <message>
        <source>mask</source>
        <translation>子网掩码</translation>
    </message>
    <message>
        <source>gateway</source>
        <translation>网关</translation>
    </message>
    <message>
        <source>dhcp</source>
        <translation>DHCP</translation>
    </message>
    <message>
        <source>name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>location</source>
        <translation>位置</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>第 %1 行：%2</translation>
    </message>
    <message>
        <source>ip, mask and gateway are not sent while DHCP is on</source>
        <translation>DHCP 开启时不发送 IP 地址、子网掩码和网关</translation>
    </message>
    <message>
        <source>the gateway %1 is outside the subnet of %2/%3</source>
        <translation>网关 %1 不在 %2/%3 的子网内</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a MAC address (six hex pairs, such as 00:1A:2B:3C:4D:5E)</source>
        <translation>“%1”不是 MAC 地址（应为六组十六进制数，例如 00:1A:2B:3C:4D:5E）</translation>
    </message>
    <message>
        <source>the MAC address %1 is also on line %2</source>
        <translation>MAC 地址 %1 也出现在第 %2 行</translation>
    </message>
    <message>
        <source>the address %1 is also given on line %2</source>
        <translation>地址 %1 也在第 %2 行分配</translation>
    </message>
    <message>
        <source>the address %1 is in use by %2</source>
        <translation>地址 %1 正被 %2 使用</translation>
    </message>
    <message>
        <source>DHCP takes Enabled, Disabled, on, off, true or false, not &quot;%1&quot;</source>
        <translation>DHCP 只接受 Enabled、Disabled、on、off、true 或 false，不接受“%1”</translation>
    </message>
    <message>
        <source>a quoted cell is not closed</source>
        <translation>带引号的单元格缺少结束引号</translation>
    </message>
    <message>
        <source>text after a closing quote</source>
        <translation>结束引号后还有文字</translation>
    </message>
    <message>
        <source>the column &quot;%1&quot; is there twice</source>
        <translation>列“%1”出现了两次</translation>
    </message>
    <message>
        <source>not a plan: neither CSV with find&apos;s header row nor a JSON array</source>
        <translation>不是计划文件：既不是带 find 表头行的 CSV，也不是 JSON 数组</translation>
    </message>
    <message>
        <source>unknown column &quot;%1&quot;</source>
        <translation>未知的列“%1”</translation>
    </message>
    <message>
        <source>the header has no &quot;%1&quot; column</source>
        <translation>表头中没有“%1”列</translation>
    </message>
    <message>
        <source>the row has %1 cells, the header %2</source>
        <translation>该行有 %1 个单元格，表头有 %2 个</translation>
    </message>
    <message>
        <source>the row has more cells than the header</source>
        <translation>该行的单元格比表头多</translation>
    </message>
    <message>
        <source>the row has no MAC address</source>
        <translation>该行没有 MAC 地址</translation>
    </message>
    <message>
        <source>unterminated object</source>
        <translation>对象没有结束</translation>
    </message>
    <message>
        <source>missing name separator</source>
        <translation>缺少名称分隔符</translation>
    </message>
    <message>
        <source>unterminated array</source>
        <translation>数组没有结束</translation>
    </message>
    <message>
        <source>missing value separator</source>
        <translation>缺少值分隔符</translation>
    </message>
    <message>
        <source>illegal value</source>
        <translation>非法的值</translation>
    </message>
    <message>
        <source>invalid termination by number</source>
        <translation>以数字非法结束</translation>
    </message>
    <message>
        <source>illegal number</source>
        <translation>非法的数字</translation>
    </message>
    <message>
        <source>invalid escape sequence</source>
        <translation>无效的转义序列</translation>
    </message>
    <message>
        <source>unterminated string</source>
        <translation>字符串没有结束</translation>
    </message>
    <message>
        <source>object is missing after a comma</source>
        <translation>逗号后缺少对象</translation>
    </message>
    <message>
        <source>too deeply nested document</source>
        <translation>文档嵌套过深</translation>
    </message>
    <message>
        <source>too large document</source>
        <translation>文档过大</translation>
    </message>
    <message>
        <source>garbage at the end of the document</source>
        <translation>文档末尾有多余内容</translation>
    </message>
    <message>
        <source>a JSON plan is an array of objects</source>
        <translation>JSON 计划应为对象数组</translation>
    </message>
    <message>
        <source>&quot;dhcp&quot; must be true, false or null</source>
        <translation>“dhcp”必须是 true、false 或 null</translation>
    </message>
    <message>
        <source>unknown key &quot;%1&quot;</source>
        <translation>未知的键“%1”</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be a text</source>
        <translation>“%1”必须是文本</translation>
    </message>
    <message>
        <source>the object has no &quot;mac&quot;</source>
        <translation>该对象没有“mac”</translation>
    </message>
    <message>
        <source>not UTF-8 text</source>
        <translation>不是 UTF-8 文本</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>文件是空的</translation>
    </message>
    <message>
        <source>the file is larger than %1 MiB</source>
        <translation>文件大于 %1 MiB</translation>
    </message>
    <message>
        <source>waiting</source>
        <translation>等待中</translation>
    </message>
    <message>
        <source>sent</source>
        <translation>已发送</translation>
    </message>
    <message>
        <source>retried %1</source>
        <translation>已重发 %1 次</translation>
    </message>
    <message>
        <source>said updated</source>
        <translation>设备称已更新</translation>
    </message>
    <message>
        <source>unchanged</source>
        <translation>未变</translation>
    </message>
    <message>
        <source>updated</source>
        <translation>已更新</translation>
    </message>
    <message>
        <source>refused</source>
        <translation>被拒绝</translation>
    </message>
    <message>
        <source>not verified</source>
        <translation>未经核实</translation>
    </message>
    <message>
        <source>no answer</source>
        <translation>无应答</translation>
    </message>
    <message>
        <source>not found</source>
        <translation>未找到</translation>
    </message>
    <message>
        <source>not sent</source>
        <translation>未发送</translation>
    </message>
    <message>
        <source>check failed</source>
        <translation>检查未通过</translation>
    </message>
    <message>
        <source>%1 %2 (not %3)</source>
        <translation>%1 为 %2（而非 %3）</translation>
    </message>
    <message>
        <source>reports %1</source>
        <translation>设备报告：%1</translation>
    </message>
    <message>
        <source>did not answer the check</source>
        <translation>核实时没有应答</translation>
    </message>
    <message>
        <source>cancelled before the check</source>
        <translation>核实前已取消</translation>
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
    <message>
        <source>Apply Plan</source>
        <translation>应用计划</translation>
    </message>
    <message>
        <source>Plans (*.csv *.json);;All files (*)</source>
        <translation>计划 (*.csv *.json);;所有文件 (*)</translation>
    </message>
    <message>
        <source>it names no device</source>
        <translation>其中没有任何设备</translation>
    </message>
    <message>
        <source>The plan %1 cannot be applied:
%2</source>
        <translation>无法应用计划 %1：
%2</translation>
    </message>
    <message>
        <source>Export List</source>
        <translation>导出列表</translation>
    </message>
    <message>
        <source>CSV files (*.csv);;All files (*)</source>
        <translation>CSV 文件 (*.csv);;所有文件 (*)</translation>
    </message>
    <message>
        <source>The list could not be written to %1:
%2</source>
        <translation>无法把列表写入 %1：
%2</translation>
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
    <message>
        <source>&amp;Assign Addresses…</source>
        <translation>分配地址(&amp;A)…</translation>
    </message>
    <message>
        <source>Apply &amp;Plan…</source>
        <translation>应用计划(&amp;P)…</translation>
    </message>
    <message>
        <source>Change the devices as the lines of a plan file say</source>
        <translation>按计划文件的各行更改设备</translation>
    </message>
    <message>
        <source>&amp;Export List…</source>
        <translation>导出列表(&amp;E)…</translation>
    </message>
    <message>
        <source>Write the list to a CSV file</source>
        <translation>把列表写入 CSV 文件</translation>
    </message>
    <message>
        <source>&amp;Devices</source>
        <translation>设备(&amp;D)</translation>
    </message>
    <message>
        <source>Give many devices a range of addresses at once</source>
        <translation>一次为多台设备分配一段地址</translation>
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
