<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>BulkEditDialog</name>
    <message>
        <source>批量修改 - %1</source>
        <translation>Bulk edit - %1</translation>
    </message>
    <message>
        <source>列：</source>
        <translation>Column:</translation>
    </message>
    <message>
        <source>行：</source>
        <translation>Rows:</translation>
    </message>
    <message>
        <source>公式：</source>
        <translation>Formula:</translation>
    </message>
    <message>
        <source>x 是当前值，r 是行号（从 1 数起）。可以用 + - * / ^、括号、round、floor、ceil、abs、min、max，或只写一个数。
结果按字段的单位（整数或两位小数）四舍五入，5 向远离零的方向进。</source>
        <translation>x is the current value, r the row number (from 1). Use + - * / ^, brackets, round, floor, ceil, abs, min, max, or just a number.
The result is rounded to the field&apos;s unit (whole or two decimals), halves away from zero.</translation>
    </message>
    <message>
        <source>行</source>
        <translation>Row</translation>
    </message>
    <message>
        <source>原值</source>
        <translation>Old</translation>
    </message>
    <message>
        <source>新值</source>
        <translation>New</translation>
    </message>
    <message>
        <source>说明</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>批量修改 %1：%2</source>
        <translation>Bulk edit %1: %2</translation>
    </message>
    <message>
        <source>不变</source>
        <translation>unchanged</translation>
    </message>
    <message>
        <source>请输入公式。</source>
        <translation>Enter a formula.</translation>
    </message>
    <message numerus="yes">
        <source>选中的 %n 行</source>
        <translation>
            <numerusform>The selected row</numerusform>
            <numerusform>The %n selected rows</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 行放不下（红色），改好公式才能确定。</source>
        <translation>
            <numerusform>%n row does not fit (red): fix the formula to continue.</numerusform>
            <numerusform>%n rows do not fit (red): fix the formula to continue.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>将修改 %n 行。</source>
        <translation>
            <numerusform>%n row will change.</numerusform>
            <numerusform>%n rows will change.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>全部 %n 行</source>
        <translation>
            <numerusform>The only row</numerusform>
            <numerusform>All %n rows</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CAboutDlg</name>
    <message>
        <source>关于 Dravik静态修改器</source>
        <translation>About Dravik Editor</translation>
    </message>
    <message>
        <source>Dravik静态修改器 %1 版</source>
        <translation>Dravik Editor %1</translation>
    </message>
    <message>
        <source>ROM 数据表编辑器：只改写固定位置的字节，
不改变文件的长度。</source>
        <translation>ROM data table editor: rewrites bytes in place,
never changes the length of the file.</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CBaseConvDlg</name>
    <message>
        <source>%1进制</source>
        <translation>Base %1</translation>
    </message>
    <message>
        <source>进制转换</source>
        <translation>Base Converter</translation>
    </message>
    <message>
        <source>本程序为2-16进制的进制转换器，支持整数和浮点小数。</source>
        <translation>Converts numbers between bases 2 and 16, fractions too.</translation>
    </message>
    <message>
        <source>输入</source>
        <translation>Input</translation>
    </message>
    <message>
        <source>我输入的数是</source>
        <translation>The number is in</translation>
    </message>
    <message>
        <source>我想转换成</source>
        <translation>Convert it to</translation>
    </message>
    <message>
        <source>计算</source>
        <translation>Convert</translation>
    </message>
    <message>
        <source>结果</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
</context>
<context>
    <name>CEditorApp</name>
    <message>
        <source>显示这个文件夹中名称表的名称。</source>
        <translation>Show the names of the name set in this folder.</translation>
    </message>
    <message>
        <source>界面语言：zh 中文，en 英语（默认为上次在“语言”菜单中的选择，否则按系统的语言环境）。</source>
        <translation>Interface language: zh Chinese, en English (default: the last choice in the Language menu, else the system locale).</translation>
    </message>
    <message>
        <source>窗口第一次绘制完成后立即退出（用于测量启动时间）。</source>
        <translation>Quit as soon as the window has painted once (to measure start-up time).</translation>
    </message>
    <message>
        <source>使用深色配色（Fusion 风格）。</source>
        <translation>Use a dark palette (Fusion style).</translation>
    </message>
    <message>
        <source>不写恢复记录，打开文件时也不提供上次未保存的修改。</source>
        <translation>Write no recovery records, and offer no unsaved edits of an earlier run when opening a file.</translation>
    </message>
    <message>
        <source>Dravik静态修改器：编辑 ROM 映像 (.smc) 中的数据表。</source>
        <translation>Dravik Editor: edit the data tables of a ROM image (.smc).</translation>
    </message>
    <message>
        <source>启动时打开的 ROM 映像 (.smc)，可省略。</source>
        <translation>The ROM image (.smc) to open at start-up; optional.</translation>
    </message>
    <message>
        <source>--lang 只能是 zh 或 en，不能是“%1”。</source>
        <translation>--lang must be zh or en, not &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>只能打开一个 ROM 映像。</source>
        <translation>Only one ROM image can be opened.</translation>
    </message>
    <message>
        <source>Dravik静态修改器</source>
        <translation>Dravik Editor</translation>
    </message>
    <message>
        <source>与这个映像（通常是未修改的游戏）比较每个单元格，并为打开的映像记住它。</source>
        <translation>Compare every cell with this image (usually the unmodified game) and remember it for the open image.</translation>
    </message>
    <message>
        <source>这次运行使用默认设置，设置的改动不会保存。请检查这个文件，删除它后重新启动。</source>
        <translation>This run uses the default settings and does not keep changes to them. Check that file, delete it and start again.</translation>
    </message>
</context>
<context>
    <name>CEditorDlg</name>
    <message>
        <source>保存成功!	</source>
        <translation>Saved.	</translation>
    </message>
    <message>
        <source>Dravik静态修改器</source>
        <translation>Dravik Editor</translation>
    </message>
    <message>
        <source>无法写入恢复记录：%1</source>
        <translation>Cannot write the recovery record: %1</translation>
    </message>
    <message>
        <source>文件(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>打开(&amp;O)	Ctrl+O</source>
        <translation>&amp;Open	Ctrl+O</translation>
    </message>
    <message>
        <source>关闭(&amp;C)</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>保存(&amp;S)	Ctrl+S</source>
        <translation>&amp;Save	Ctrl+S</translation>
    </message>
    <message>
        <source>另存为(&amp;A)…	Ctrl+Shift+S</source>
        <translation>Save &amp;As...	Ctrl+Shift+S</translation>
    </message>
    <message>
        <source>查看修改(&amp;D)	Ctrl+D</source>
        <translation>Re&amp;view Changes	Ctrl+D</translation>
    </message>
    <message>
        <source>退出(&amp;E)	Ctrl+Q</source>
        <translation>E&amp;xit	Ctrl+Q</translation>
    </message>
    <message>
        <source>视窗(&amp;W)</source>
        <translation>&amp;Window</translation>
    </message>
    <message>
        <source>工具(&amp;T)</source>
        <translation>&amp;Tools</translation>
    </message>
    <message>
        <source>进制转换(&amp;F)	Ctrl+F</source>
        <translation>&amp;Base Converter	Ctrl+F</translation>
    </message>
    <message>
        <source>帮助(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>用户指南(&amp;U)	F1</source>
        <translation>&amp;User Guide	F1</translation>
    </message>
    <message>
        <source>关于(&amp;A)	Ctrl+A</source>
        <translation>&amp;About	Ctrl+A</translation>
    </message>
    <message>
        <source>编辑(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>保存时备份(&amp;B)</source>
        <translation>&amp;Back Up on Save</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>未载入文件</source>
        <translation>No file loaded</translation>
    </message>
    <message>
        <source>[文件]%1</source>
        <translation>[File] %1</translation>
    </message>
    <message>
        <source>(无文件头)</source>
        <translation>(no header)</translation>
    </message>
    <message>
        <source>(只读)</source>
        <translation>(read-only)</translation>
    </message>
    <message>
        <source>只读</source>
        <translation>read-only</translation>
    </message>
    <message>
        <source>另存为</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>未另存：%1</source>
        <translation>Not saved: %1</translation>
    </message>
    <message>
        <source>是否保存对 %1 的修改？</source>
        <translation>Save the changes to %1?</translation>
    </message>
    <message>
        <source>不保存</source>
        <translation>Don&apos;t Save</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>%1 在打开后已被其他程序修改。</source>
        <translation>%1 was changed by another program after it was opened.</translation>
    </message>
    <message>
        <source>
覆盖：按窗口中的值写入每个字段，其他程序对这些字段的修改将被撤回。
重新载入：载入文件的新内容，再提供恢复您未保存的修改。
取消：不写入任何内容。</source>
        <translation>
Overwrite: write every field as the window shows it; the other program&apos;s changes to those fields are undone.
Reload: load the new contents of the file, then offer to restore your unsaved changes.
Cancel: write nothing.</translation>
    </message>
    <message>
        <source>覆盖</source>
        <translation>Overwrite</translation>
    </message>
    <message>
        <source>重新载入</source>
        <translation>Reload</translation>
    </message>
    <message>
        <source>SMC File (*.smc *.sfc);;所有文件 (*)</source>
        <translation>SMC File (*.smc *.sfc);;All files (*)</translation>
    </message>
    <message>
        <source>保存时修正校验和(&amp;K)</source>
        <translation>Fix Chec&amp;ksum on Save</translation>
    </message>
    <message>
        <source>(可能不是本游戏的映像)</source>
        <translation>(may not be an image of this game)</translation>
    </message>
    <message numerus="yes">
        <source>%1 在打开后已被其他程序修改，改动了 %n 个字段。</source>
        <translation>
            <numerusform>%1 was changed by another program after it was opened: %n field differs.</numerusform>
            <numerusform>%1 was changed by another program after it was opened: %n fields differ.</numerusform>
        </translation>
    </message>
    <message>
        <source>图表(&amp;G)…	Ctrl+G</source>
        <translation>&amp;Chart...	Ctrl+G</translation>
    </message>
    <message>
        <source>图表不可用：%1</source>
        <translation>Charts are not available: %1</translation>
    </message>
    <message>
        <source>文件的大小从 %1 字节变成了 %2 字节。</source>
        <translation> Its size went from %1 bytes to %2 bytes.</translation>
    </message>
</context>
<context>
    <name>CRowDlg</name>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; %3</source>
        <translation>%1: &quot;%2&quot; %3</translation>
    </message>
</context>
<context>
    <name>ChangeReviewDialog</name>
    <message>
        <source>查看修改</source>
        <translation>Review Changes</translation>
    </message>
    <message>
        <source>自上次打开或保存以来没有修改。</source>
        <translation>No changes since the last open or save.</translation>
    </message>
    <message>
        <source>表</source>
        <translation>Table</translation>
    </message>
    <message>
        <source>行</source>
        <translation>Row</translation>
    </message>
    <message>
        <source>列</source>
        <translation>Column</translation>
    </message>
    <message>
        <source>原值</source>
        <translation>Old</translation>
    </message>
    <message>
        <source>新值</source>
        <translation>New</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message numerus="yes">
        <source>自上次打开或保存以来修改了 %n 处（双击一项或按回车可转到它所在的行）：</source>
        <translation>
            <numerusform>%n change since the last open or save (double-click it or press Enter to go to its row):</numerusform>
            <numerusform>%n changes since the last open or save (double-click one or press Enter to go to its row):</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ChartLink</name>
    <message>
        <source>导出图表</source>
        <translation>Export chart</translation>
    </message>
</context>
<context>
    <name>ChartWindow</name>
    <message>
        <source>图表</source>
        <translation>Chart</translation>
    </message>
    <message>
        <source>柱状图</source>
        <translation>Bars</translation>
    </message>
    <message>
        <source>折线图</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>散点图</source>
        <translation>Scatter</translation>
    </message>
    <message>
        <source>导出 PNG…</source>
        <translation>Export PNG...</translation>
    </message>
    <message>
        <source>导出 SVG…</source>
        <translation>Export SVG...</translation>
    </message>
    <message>
        <source>表(&amp;T)：</source>
        <translation>&amp;Table:</translation>
    </message>
    <message>
        <source>图(&amp;K)：</source>
        <translation>&amp;Kind:</translation>
    </message>
    <message>
        <source>列(&amp;C)：</source>
        <translation>&amp;Column:</translation>
    </message>
    <message>
        <source>第二列(&amp;Y)：</source>
        <translation>&amp;Y column:</translation>
    </message>
    <message>
        <source>%1（参照映像）</source>
        <translation>%1 (reference image)</translation>
    </message>
    <message>
        <source>%1：%2 与 %3</source>
        <translation>%1: %2 against %3</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>第 %1 行 %2：%3 = %4</source>
        <translation>Row %1 %2: %3 = %4</translation>
    </message>
    <message>
        <source>，%1 = %2</source>
        <translation>, %1 = %2</translation>
    </message>
    <message>
        <source>（参照映像：%1，%2）</source>
        <translation> (reference image: %1, %2)</translation>
    </message>
    <message>
        <source>（参照映像：%1）</source>
        <translation> (reference image: %1)</translation>
    </message>
    <message>
        <source>在列表中选择一行，或点击一个柱或点。</source>
        <translation>Select a row in the list, or click a bar or point.</translation>
    </message>
    <message>
        <source>第 %1 行 %2</source>
        <translation>Row %1 %2</translation>
    </message>
    <message>
        <source>无法写入 %1</source>
        <translation>Cannot write %1</translation>
    </message>
</context>
<context>
    <name>DialogLayouts</name>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>价格</source>
        <translation>Price</translation>
    </message>
    <message>
        <source>攻击范围</source>
        <translation>Range</translation>
    </message>
    <message>
        <source>装备的人</source>
        <translation>Users</translation>
    </message>
    <message>
        <source>战车属性编辑</source>
        <translation>Edit Tank</translation>
    </message>
    <message>
        <source>当前正在编辑的战车</source>
        <translation>Editing tank</translation>
    </message>
    <message>
        <source>弹仓</source>
        <translation>Ammo</translation>
    </message>
    <message>
        <source>防御</source>
        <translation>Defence</translation>
    </message>
    <message>
        <source>防御上限</source>
        <translation>Max defence</translation>
    </message>
    <message>
        <source>重量</source>
        <translation>Weight</translation>
    </message>
    <message>
        <source>出租车装甲上限</source>
        <translation>Max rental armour</translation>
    </message>
    <message>
        <source>装备1</source>
        <translation>Equip 1</translation>
    </message>
    <message>
        <source>装备2</source>
        <translation>Equip 2</translation>
    </message>
    <message>
        <source>装备3</source>
        <translation>Equip 3</translation>
    </message>
    <message>
        <source>装备4</source>
        <translation>Equip 4</translation>
    </message>
    <message>
        <source>装备5</source>
        <translation>Equip 5</translation>
    </message>
    <message>
        <source>装备6</source>
        <translation>Equip 6</translation>
    </message>
    <message>
        <source>装备7</source>
        <translation>Equip 7</translation>
    </message>
    <message>
        <source>装备8</source>
        <translation>Equip 8</translation>
    </message>
    <message>
        <source>道具1</source>
        <translation>Item 1</translation>
    </message>
    <message>
        <source>道具2</source>
        <translation>Item 2</translation>
    </message>
    <message>
        <source>道具3</source>
        <translation>Item 3</translation>
    </message>
    <message>
        <source>道具4</source>
        <translation>Item 4</translation>
    </message>
    <message>
        <source>人物属性编辑</source>
        <translation>Edit Character</translation>
    </message>
    <message>
        <source>当前正在编辑的人物</source>
        <translation>Editing character</translation>
    </message>
    <message>
        <source>战斗</source>
        <translation>Combat</translation>
    </message>
    <message>
        <source>驾驶</source>
        <translation>Driving</translation>
    </message>
    <message>
        <source>修理</source>
        <translation>Repair</translation>
    </message>
    <message>
        <source>腕力</source>
        <translation>Strength</translation>
    </message>
    <message>
        <source>智力</source>
        <translation>Intellect</translation>
    </message>
    <message>
        <source>体力</source>
        <translation>Stamina</translation>
    </message>
    <message>
        <source>速度</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>最大HP</source>
        <translation>Max HP</translation>
    </message>
    <message>
        <source>怪物属性编辑</source>
        <translation>Edit Monster</translation>
    </message>
    <message>
        <source>当前正在编辑的怪物</source>
        <translation>Editing monster</translation>
    </message>
    <message>
        <source>强度</source>
        <translation>Level</translation>
    </message>
    <message>
        <source>攻击</source>
        <translation>Attack</translation>
    </message>
    <message>
        <source>命中</source>
        <translation>Hit</translation>
    </message>
    <message>
        <source>回避</source>
        <translation>Evasion</translation>
    </message>
    <message>
        <source>护甲</source>
        <translation>Armour</translation>
    </message>
    <message>
        <source>经验</source>
        <translation>Exp</translation>
    </message>
    <message>
        <source>金钱</source>
        <translation>Gold</translation>
    </message>
    <message>
        <source>攻击方式</source>
        <translation>Attacks</translation>
    </message>
    <message>
        <source>3回合以内战利品</source>
        <translation>Loot within 3 turns</translation>
    </message>
    <message>
        <source>3回合以上战利品</source>
        <translation>Loot after 3 turns</translation>
    </message>
    <message>
        <source>主炮属性编辑</source>
        <translation>Edit Main Gun</translation>
    </message>
    <message>
        <source>当前正在编辑的主炮</source>
        <translation>Editing main gun</translation>
    </message>
    <message>
        <source>副炮属性编辑</source>
        <translation>Edit Sub Gun</translation>
    </message>
    <message>
        <source>当前正在编辑的副炮</source>
        <translation>Editing sub gun</translation>
    </message>
    <message>
        <source>特殊炮属性编辑</source>
        <translation>Edit Special Gun</translation>
    </message>
    <message>
        <source>当前正在编辑的特殊炮</source>
        <translation>Editing special gun</translation>
    </message>
    <message>
        <source>炮弹价格</source>
        <translation>Shell price</translation>
    </message>
    <message>
        <source>控制系统属性编辑</source>
        <translation>Edit Control System</translation>
    </message>
    <message>
        <source>当前正在编辑的控制系统</source>
        <translation>Editing control system</translation>
    </message>
    <message>
        <source>引擎属性编辑</source>
        <translation>Edit Engine</translation>
    </message>
    <message>
        <source>当前正在编辑的引擎</source>
        <translation>Editing engine</translation>
    </message>
    <message>
        <source>载重</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>人类武器编辑</source>
        <translation>Edit Weapon</translation>
    </message>
    <message>
        <source>当前正在编辑的武器</source>
        <translation>Editing weapon</translation>
    </message>
    <message>
        <source>人类防具编辑</source>
        <translation>Edit Armour</translation>
    </message>
    <message>
        <source>当前正在编辑的防具</source>
        <translation>Editing armour</translation>
    </message>
</context>
<context>
    <name>DiffDialog</name>
    <message>
        <source>字段以外没有不同的字节。</source>
        <translation>No bytes differ outside the fields.</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>与其他映像比较 - %1</source>
        <translation>Compare with Another Image - %1</translation>
    </message>
    <message>
        <source>本文件：%1
其他文件：%2</source>
        <translation>This file: %1
Other file: %2</translation>
    </message>
    <message>
        <source>大小不同：本文件 %1 字节，其他文件 %2 字节；比较两者都有的字段和字节。</source>
        <translation>The sizes differ: this file %1 bytes, the other %2 bytes; the fields and bytes both have are compared.</translation>
    </message>
    <message>
        <source>只有本文件有复制器文件头：按数据表的位置对齐比较。</source>
        <translation>Only this file has a copier header: compared with the tables aligned.</translation>
    </message>
    <message>
        <source>只有其他文件有复制器文件头：按数据表的位置对齐比较。</source>
        <translation>Only the other file has a copier header: compared with the tables aligned.</translation>
    </message>
    <message>
        <source>两个映像完全相同。</source>
        <translation>The images are identical.</translation>
    </message>
    <message>
        <source>表</source>
        <translation>Table</translation>
    </message>
    <message>
        <source>行</source>
        <translation>Row</translation>
    </message>
    <message>
        <source>列</source>
        <translation>Column</translation>
    </message>
    <message>
        <source>本文件</source>
        <translation>This file</translation>
    </message>
    <message>
        <source>其他文件</source>
        <translation>Other file</translation>
    </message>
    <message>
        <source>%1（存储的位）</source>
        <translation>%1 (stored bits)</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message numerus="yes">
        <source>字段差异 %n 处（双击一行可在主窗口中显示）。</source>
        <translation>
            <numerusform>%n field differs (double-click a row to show it in the main window).</numerusform>
            <numerusform>%n fields differ (double-click a row to show it in the main window).</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1-%2（%n 字节）</source>
        <translation>
            <numerusform>%1-%2 (%n byte)</numerusform>
            <numerusform>%1-%2 (%n bytes)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>EditHistory</name>
    <message>
        <source>撤销</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>重做</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>编辑%1</source>
        <translation>Edit %1</translation>
    </message>
    <message>
        <source>编辑%1 %2</source>
        <translation>Edit %1 %2</translation>
    </message>
</context>
<context>
    <name>FindBox</name>
    <message>
        <source>查找</source>
        <translation>Find</translation>
    </message>
    <message>
        <source>名称或任何单元格的文字</source>
        <translation>A name or the text of any cell</translation>
    </message>
    <message>
        <source>表</source>
        <translation>Table</translation>
    </message>
    <message>
        <source>行</source>
        <translation>Row</translation>
    </message>
    <message>
        <source>列</source>
        <translation>Column</translation>
    </message>
    <message>
        <source>文字</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>查看引用 - %1</source>
        <translation>Where Used - %1</translation>
    </message>
    <message>
        <source>没有被用到</source>
        <translation>Not used anywhere</translation>
    </message>
    <message>
        <source>没有找到</source>
        <translation>No match</translation>
    </message>
</context>
<context>
    <name>FindCommands</name>
    <message>
        <source>查找(&amp;K)…	Ctrl+K</source>
        <translation>&amp;Find...	Ctrl+K</translation>
    </message>
    <message>
        <source>查找下一个(&amp;N)	F3</source>
        <translation>Find &amp;Next	F3</translation>
    </message>
    <message>
        <source>查找上一个(&amp;R)	Shift+F3</source>
        <translation>Find P&amp;revious	Shift+F3</translation>
    </message>
    <message>
        <source>查看引用</source>
        <translation>Where Used</translation>
    </message>
    <message>
        <source>查找</source>
        <translation>Find</translation>
    </message>
</context>
<context>
    <name>ListCommands</name>
    <message>
        <source>复制(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>粘贴(&amp;P)</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>批量修改(&amp;B)…</source>
        <translation>&amp;Bulk Edit...</translation>
    </message>
    <message>
        <source>Dravik静态修改器</source>
        <translation>Dravik Editor</translation>
    </message>
    <message>
        <source>……还有 %1 处</source>
        <translation>...and %1 more</translation>
    </message>
    <message>
        <source>粘贴的内容与表中的值相同，没有修改。</source>
        <translation>The pasted values equal those in the table; nothing changed.</translation>
    </message>
    <message>
        <source>粘贴</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>筛选(&amp;L)…</source>
        <translation>Fi&amp;lter...</translation>
    </message>
    <message>
        <source>恢复为参照值(&amp;V)</source>
        <translation>Restore Reference &amp;Values</translation>
    </message>
    <message numerus="yes">
        <source>粘贴会修改 %n 处，确定吗？</source>
        <translation>
            <numerusform>Pasting changes %n value. Go ahead?</numerusform>
            <numerusform>Pasting changes %n values. Go ahead?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>粘贴 %n 行</source>
        <translation>
            <numerusform>Paste %n row</numerusform>
            <numerusform>Paste %n rows</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>恢复为参照值 %n 行</source>
        <translation>
            <numerusform>Restore reference values of %n row</numerusform>
            <numerusform>Restore reference values of %n rows</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>粘贴的内容有 %n 处不能用，什么也没有改：</source>
        <translation>
            <numerusform>%n pasted value cannot be used; nothing was changed:</numerusform>
            <numerusform>%n pasted values cannot be used; nothing was changed:</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>NameSetPicker</name>
    <message>
        <source>名称表 %1 被拒绝，继续使用原来的名称：</source>
        <translation>The name set %1 was refused; the names stay as they were:</translation>
    </message>
    <message>
        <source>载入名称表(&amp;N)…</source>
        <translation>Load &amp;Name Set...</translation>
    </message>
    <message>
        <source>使用内置名称表(&amp;I)</source>
        <translation>Use Bu&amp;ilt-in Names</translation>
    </message>
    <message>
        <source>载入名称表</source>
        <translation>Load Name Set</translation>
    </message>
</context>
<context>
    <name>PageArea</name>
    <message>
        <source>筛选名称（Esc 关闭）</source>
        <translation>Filter names (Esc closes)</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; %3</source>
        <translation>%1: &quot;%2&quot; %3</translation>
    </message>
    <message>
        <source>%1 - 只读</source>
        <translation>%1 - read-only</translation>
    </message>
</context>
<context>
    <name>PageLayout</name>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>特殊弹价格</source>
        <translation>Special shell prices</translation>
    </message>
    <message>
        <source>战车道具</source>
        <translation>Tank items</translation>
    </message>
    <message>
        <source>道具</source>
        <translation>Items</translation>
    </message>
    <message>
        <source>赏金</source>
        <translation>Bounties</translation>
    </message>
    <message>
        <source>小吃</source>
        <translation>Snacks</translation>
    </message>
    <message>
        <source>装饰品</source>
        <translation>Decorations</translation>
    </message>
    <message>
        <source>饮料</source>
        <translation>Drinks</translation>
    </message>
    <message>
        <source>红狼的HP</source>
        <translation>Wolf HP</translation>
    </message>
    <message>
        <source>客房价格</source>
        <translation>Room prices</translation>
    </message>
    <message>
        <source>梅客房

竹客房

松客房</source>
        <translation>Low

Mid

Top</translation>
    </message>
    <message>
        <source>战车
火力</source>
        <translation>Tank
guns</translation>
    </message>
    <message>
        <source>战车火力</source>
        <translation>Tank guns</translation>
    </message>
    <message>
        <source>战车
装备</source>
        <translation>Tank
parts</translation>
    </message>
    <message>
        <source>战车装备</source>
        <translation>Tank parts</translation>
    </message>
    <message>
        <source>战车
属性</source>
        <translation>Tank
stats</translation>
    </message>
    <message>
        <source>战车属性</source>
        <translation>Tank stats</translation>
    </message>
    <message>
        <source>人类
装备</source>
        <translation>Human
gear</translation>
    </message>
    <message>
        <source>人类装备</source>
        <translation>Human gear</translation>
    </message>
    <message>
        <source>装备
道具</source>
        <translation>Armour
items</translation>
    </message>
    <message>
        <source>装备/道具</source>
        <translation>Armour/items</translation>
    </message>
    <message>
        <source>人物
杂项</source>
        <translation>People
misc.</translation>
    </message>
    <message>
        <source>人物/杂项</source>
        <translation>People/misc.</translation>
    </message>
    <message>
        <source>怪物</source>
        <translation>Monsters</translation>
    </message>
    <message>
        <source>怪物篇</source>
        <translation>Monsters</translation>
    </message>
</context>
<context>
    <name>Prompts</name>
    <message>
        <source>……（另有 %1 项，见详细信息）</source>
        <translation>... (%1 more: see the details)</translation>
    </message>
</context>
<context>
    <name>RecentFiles</name>
    <message>
        <source>最近打开的文件(&amp;R)</source>
        <translation>&amp;Recent Files</translation>
    </message>
    <message>
        <source>清除列表(&amp;C)</source>
        <translation>&amp;Clear List</translation>
    </message>
    <message>
        <source>
已将它从“最近打开的文件”中移除。</source>
        <translation>
It was removed from Recent Files.</translation>
    </message>
</context>
<context>
    <name>RecoveryOffer</name>
    <message>
        <source>是</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>否</source>
        <translation>No</translation>
    </message>
    <message>
        <source>%1%2</source>
        <comment>a sentence, then the one about the recovery record</comment>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>恢复记录已删除。</source>
        <translation>The recovery record was deleted.</translation>
    </message>
    <message>
        <source>恢复记录无法删除：%1。</source>
        <translation>The recovery record could not be deleted: %1.</translation>
    </message>
    <message numerus="yes">
        <source>上次有 %n 处未保存的修改，是否恢复？</source>
        <translation>
            <numerusform>The last session left %n unsaved change. Restore it?</numerusform>
            <numerusform>The last session left %n unsaved changes. Restore them?</numerusform>
        </translation>
    </message>
    <message>
        <source>上次未保存的修改的恢复记录无法使用（%1）。</source>
        <translation>The recovery record of the last session&apos;s unsaved changes cannot be used (%1).</translation>
    </message>
    <message>
        <source>上次未保存的修改的恢复记录现在无法读取（%1）。它留在原处，下次打开这个文件时会再提供。</source>
        <translation>The recovery record of the last session&apos;s unsaved changes cannot be read now (%1). It stays where it is and is offered again the next time this file is opened.</translation>
    </message>
    <message numerus="yes">
        <source>文件已重新载入。
重新载入前有 %n 处未保存的修改，是否在文件的新内容上恢复？</source>
        <translation>
            <numerusform>The file was reloaded.
It had %n unsaved change before; restore it on top of the new contents?</numerusform>
            <numerusform>The file was reloaded.
It had %n unsaved changes before; restore them on top of the new contents?</numerusform>
        </translation>
    </message>
    <message>
        <source>其中 %1 处其他程序也修改过，恢复后以您的修改为准。</source>
        <translation>The other program also changed %1 of them; your changes win.</translation>
    </message>
    <message numerus="yes">
        <source>上次有 %1 个窗口留下了未保存的修改。第 %2 个窗口的 %n 处修改，是否恢复？</source>
        <translation>
            <numerusform>%1 windows left unsaved changes last time. Restore the %n change of window %2?</numerusform>
            <numerusform>%1 windows left unsaved changes last time. Restore the %n changes of window %2?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>其中 %n 处与已恢复的修改不同，恢复后以这些修改为准。</source>
        <translation>
            <numerusform>%n of them differs from the changes already restored; restored, it takes their place.</numerusform>
            <numerusform>%n of them differ from the changes already restored; restored, these take their place.</numerusform>
        </translation>
    </message>
    <message>
        <source>文件在那之后已被修改（在另一个窗口或其他程序中），这些修改将写在文件的新内容上。</source>
        <translation>The file has been changed since (in another window or by another program); they are put over its new contents.</translation>
    </message>
    <message>
        <source>其中 %1 处在文件中也已改变，恢复后以这些修改为准。</source>
        <translation>%1 of them have changed in the file too; restored, these take their place.</translation>
    </message>
    <message numerus="yes">
        <source>上次有 %n 处未保存的修改，但文件在那之后已被修改，这些修改无法恢复。</source>
        <translation>
            <numerusform>The last session left %n unsaved change, but the file has been changed since; it cannot be restored.</numerusform>
            <numerusform>The last session left %n unsaved changes, but the file has been changed since; they cannot be restored.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ReferencePicker</name>
    <message>
        <source>设置参照映像(&amp;G)…</source>
        <translation>Set Reference Ima&amp;ge...</translation>
    </message>
    <message>
        <source>清除参照映像</source>
        <translation>Clear Reference Image</translation>
    </message>
    <message>
        <source>设置参照映像</source>
        <translation>Set reference image</translation>
    </message>
    <message>
        <source>Dravik静态修改器</source>
        <translation>Dravik Editor</translation>
    </message>
    <message>
        <source>未设置参照映像：%1</source>
        <translation>Reference image not set: %1</translation>
    </message>
    <message>
        <source>这个映像的参照映像未能载入：%1</source>
        <translation>The reference image of this image could not be loaded: %1</translation>
    </message>
    <message numerus="yes">
        <source>与参照映像不同：%n 处</source>
        <translation>
            <numerusform>Differs from reference: %n cell</numerusform>
            <numerusform>Differs from reference: %n cells</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Session</name>
    <message>
        <source>恢复未保存的修改</source>
        <translation>Restore unsaved changes</translation>
    </message>
    <message>
        <source>名称：内置</source>
        <translation>Names: built-in</translation>
    </message>
    <message>
        <source>名称：%1 项来自 %2</source>
        <translation>Names: %1 from %2</translation>
    </message>
    <message>
        <source>无法备份 %1：%2</source>
        <translation>Could not back up %1: %2</translation>
    </message>
    <message>
        <source>无法在 %1 旁边写入备份，备份写在了 %2。</source>
        <translation>The backup could not be written beside %1; it was written to %2.</translation>
    </message>
</context>
<context>
    <name>Sharing</name>
    <message>
        <source>IPS 补丁 (*.ips);;BPS 补丁 (*.bps)</source>
        <translation>IPS patch (*.ips);;BPS patch (*.bps)</translation>
    </message>
    <message>
        <source>%1（含未保存的修改）</source>
        <translation>%1 (with unsaved changes)</translation>
    </message>
    <message>
        <source>导出补丁(&amp;P)…</source>
        <translation>Export &amp;Patch...</translation>
    </message>
    <message>
        <source>与其他映像比较(&amp;M)…</source>
        <translation>Co&amp;mpare with Another Image...</translation>
    </message>
    <message>
        <source>未导出补丁：%1</source>
        <translation>Patch not exported: %1</translation>
    </message>
    <message>
        <source>选择干净的原始映像</source>
        <translation>Choose the clean original image</translation>
    </message>
    <message>
        <source>导出补丁</source>
        <translation>Export Patch</translation>
    </message>
    <message>
        <source>未导出补丁：补丁文件名须以 .ips 或 .bps 结尾，以说明格式。</source>
        <translation>Patch not exported: the file name must end in .ips or .bps to say the format.</translation>
    </message>
    <message>
        <source>未导出补丁：%1 是只读的，不会替换它。</source>
        <translation>Patch not exported: %1 is read-only and is not replaced.</translation>
    </message>
    <message>
        <source>未导出补丁：补丁不能写到映像文件上，请另选文件名。</source>
        <translation>Patch not exported: a patch cannot be written over an image; choose another file name.</translation>
    </message>
    <message>
        <source>补丁已导出：%1（%2，%3 字节）。
它把 %4 变成 %5。</source>
        <translation>Patch exported: %1 (%2, %3 bytes).
It turns %4 into %5.</translation>
    </message>
    <message>
        <source>无法比较：%1</source>
        <translation>Cannot compare: %1</translation>
    </message>
    <message>
        <source>选择要比较的映像</source>
        <translation>Choose the image to compare with</translation>
    </message>
</context>
<context>
    <name>TableModel</name>
    <message>
        <source>%1
参照值：%2</source>
        <translation>%1
Reference: %2</translation>
    </message>
</context>
<context>
    <name>UserGuide</name>
    <message>
        <source>用户指南</source>
        <translation>User Guide</translation>
    </message>
</context>
</TS>
