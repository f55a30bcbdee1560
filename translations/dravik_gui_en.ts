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
        <source>选中的 %1 行</source>
        <translation>The %1 selected rows</translation>
    </message>
    <message>
        <source>全部 %1 行</source>
        <translation>All %1 rows</translation>
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
    <message>
        <source>%1 行放不下（红色），改好公式才能确定。</source>
        <translation>%1 rows do not fit (red): fix the formula to continue.</translation>
    </message>
    <message>
        <source>将修改 %1 行。</source>
        <translation>%1 rows will change.</translation>
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
        <translation>&amp;Bulk edit…</translation>
    </message>
    <message>
        <source>Dravik静态修改器</source>
        <translation>Dravik Editor</translation>
    </message>
    <message>
        <source>粘贴的内容有 %1 处不能用，什么也没有改：</source>
        <translation>%1 pasted values cannot be used; nothing was changed:</translation>
    </message>
    <message>
        <source>……还有 %1 处</source>
        <translation>…and %1 more</translation>
    </message>
    <message>
        <source>粘贴的内容与表中的值相同，没有修改。</source>
        <translation>The pasted values equal those in the table; nothing changed.</translation>
    </message>
    <message>
        <source>粘贴会修改 %1 处，确定吗？</source>
        <translation>Pasting changes %1 values. Go ahead?</translation>
    </message>
    <message>
        <source>粘贴</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>粘贴 %1 行</source>
        <translation>Paste %1 rows</translation>
    </message>
    <message>
        <source>筛选(&amp;L)…</source>
        <translation>Fi&amp;lter…</translation>
    </message>
</context>
<context>
    <name>PageArea</name>
    <message>
        <source>筛选名称（Esc 关闭）</source>
        <translation>Filter names (Esc closes)</translation>
    </message>
</context>
</TS>
