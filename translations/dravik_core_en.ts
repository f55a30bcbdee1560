<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>ApplyCommand</name>
    <message>
        <source>把 IPS 或 BPS 补丁打到映像上</source>
        <translation>Apply an IPS or BPS patch to an image</translation>
    </message>
    <message>
        <source>补丁的格式由它的签名决定。先在内存中做出整个结果，再一次写入 OUT，没有 OUT 时替换 ROM；
补丁有任何问题都什么也不写。</source>
        <translation>The patch format is read from its signature. The whole result is built in memory, then written
to OUT in one go (to ROM when there is no OUT); any problem with the patch writes nothing.</translation>
    </message>
    <message>
        <source>这个 IPS 补丁是为没有复制器文件头的映像做的</source>
        <translation>this IPS patch was made for an image without a copier header</translation>
    </message>
    <message>
        <source>这个 IPS 补丁是为有复制器文件头的映像做的</source>
        <translation>this IPS patch was made for an image with a copier header</translation>
    </message>
    <message>
        <source>同时把结果的内部文件头的校验和与补码改成它的实际值</source>
        <translation>also set the result&apos;s internal header checksum and complement to its real sum</translation>
    </message>
    <message>
        <source>--headerless-patch 和 --headered-patch 只能给一个</source>
        <translation>give only one of --headerless-patch and --headered-patch</translation>
    </message>
    <message>
        <source>%1：%2 %3 没有改动。</source>
        <translation>%1: %2 %3 was not changed.</translation>
    </message>
    <message>
        <source>%1 没有改动。</source>
        <translation>%1 was not changed.</translation>
    </message>
    <message>
        <source>%1 是只读的（没有写入权限），不会替换它；%2 没有改动。</source>
        <translation>%1 is read-only (no write permission) and will not be replaced; %2 was not changed.</translation>
    </message>
    <message>
        <source>已把 %1 打到 %2 上：写入 %3（%4 字节）</source>
        <translation>Applied %1 to %2: wrote %3 (%4 bytes)</translation>
    </message>
    <message>
        <source>校验和已设为 0x%1（补码 0x%2）</source>
        <translation>Checksum set to 0x%1 (complement 0x%2)</translation>
    </message>
    <message>
        <source>结果不能写到补丁文件 %1 上，请另选文件名；什么也没有写。</source>
        <translation>The result cannot be written over the patch %1; choose another file name. Nothing was written.</translation>
    </message>
</context>
<context>
    <name>BaseConvert</name>
    <message>
        <source>输入的数据非法!</source>
        <translation>Invalid input!</translation>
    </message>
    <message>
        <source>输入的数据太长!</source>
        <translation>Input too long!</translation>
    </message>
    <message>
        <source>输入的整数部分太大!</source>
        <translation>Whole part too large!</translation>
    </message>
</context>
<context>
    <name>Checks</name>
    <message>
        <source>（第 %1 个字符）</source>
        <translation> (character %1)</translation>
    </message>
    <message>
        <source>公式是空的</source>
        <translation>the formula is empty</translation>
    </message>
    <message>
        <source>不认识“%1”%2：只能用数字、x、r、+ - * / ^、括号和 round、floor、ceil、abs、min、max</source>
        <translation>unknown &quot;%1&quot;%2: only numbers, x, r, + - * / ^, parentheses and round, floor, ceil, abs, min, max may be used</translation>
    </message>
    <message>
        <source>公式不完整，缺少数字或右括号</source>
        <translation>the formula is incomplete: a number or a closing parenthesis is missing</translation>
    </message>
    <message>
        <source>函数 %1 的参数个数不对%2</source>
        <translation>wrong number of arguments to %1%2</translation>
    </message>
    <message>
        <source>公式有错误%1</source>
        <translation>error in the formula%1</translation>
    </message>
    <message>
        <source>公式太长，最多 %1 个字符</source>
        <translation>the formula is too long: %1 characters at most</translation>
    </message>
    <message>
        <source>公式只能算出一个值</source>
        <translation>the formula must give one value</translation>
    </message>
    <message>
        <source>“%1”这一列不是数值</source>
        <translation>column &quot;%1&quot; does not hold numbers</translation>
    </message>
    <message>
        <source>当前值不是数字</source>
        <translation>the current value is not a number</translation>
    </message>
    <message>
        <source>结果不是有限的数（除以零？）</source>
        <translation>the result is not a finite number (division by zero?)</translation>
    </message>
    <message>
        <source>多出来的后续字节 %1（前面没有开始字节）</source>
        <translation>stray continuation byte %1 (no lead byte before it)</translation>
    </message>
    <message>
        <source>过长的编码（%1 开头的两字节序列表示的是 ASCII 字符）</source>
        <translation>overlong encoding (the two-byte sequence starting with %1 stands for an ASCII character)</translation>
    </message>
    <message>
        <source>字节 %1 不会出现在 UTF-8 中</source>
        <translation>byte %1 never occurs in UTF-8</translation>
    </message>
    <message>
        <source>UTF-8 序列不完整（应有 %1 个字节，只有 %2 个）</source>
        <translation>incomplete UTF-8 sequence (%1 bytes expected, only %2)</translation>
    </message>
    <message>
        <source>过长的编码（同一个字符有更短的 UTF-8 形式）</source>
        <translation>overlong encoding (the character has a shorter UTF-8 form)</translation>
    </message>
    <message>
        <source>代理码位（U+D800 到 U+DFFF）不是字符，不能出现在 UTF-8 中</source>
        <translation>surrogate code points (U+D800 to U+DFFF) are not characters and cannot occur in UTF-8</translation>
    </message>
    <message>
        <source>码位超出了 U+10FFFF</source>
        <translation>code point beyond U+10FFFF</translation>
    </message>
    <message>
        <source>对象没有结束，缺少 } 或逗号</source>
        <translation>unterminated object: } or a comma is missing</translation>
    </message>
    <message>
        <source>键后面缺少冒号</source>
        <translation>a colon is missing after a key</translation>
    </message>
    <message>
        <source>数组没有结束，缺少 ] 或逗号</source>
        <translation>unterminated array: ] or a comma is missing</translation>
    </message>
    <message>
        <source>缺少逗号</source>
        <translation>a comma is missing</translation>
    </message>
    <message>
        <source>不是有效的值</source>
        <translation>not a valid value</translation>
    </message>
    <message>
        <source>文本在数字处意外结束</source>
        <translation>the text ends unexpectedly in a number</translation>
    </message>
    <message>
        <source>不是有效的数字</source>
        <translation>not a valid number</translation>
    </message>
    <message>
        <source>无效的转义序列</source>
        <translation>invalid escape sequence</translation>
    </message>
    <message>
        <source>字符串不是有效的 UTF-8</source>
        <translation>the string is not valid UTF-8</translation>
    </message>
    <message>
        <source>字符串没有结束的引号</source>
        <translation>the string has no closing quote</translation>
    </message>
    <message>
        <source>应是一个对象</source>
        <translation>an object was expected</translation>
    </message>
    <message>
        <source>嵌套太深</source>
        <translation>nested too deeply</translation>
    </message>
    <message>
        <source>文件太大</source>
        <translation>the file is too large</translation>
    </message>
    <message>
        <source>结尾有多余的内容</source>
        <translation>extra content at the end</translation>
    </message>
    <message>
        <source>格式错误</source>
        <translation>format error</translation>
    </message>
    <message>
        <source>JSON 路径 %1：&quot;%2&quot; 出现了两次，同一个对象里每个键只能出现一次</source>
        <translation>JSON path %1: &quot;%2&quot; appears twice; each key may appear only once in an object</translation>
    </message>
    <message>
        <source>（顶层）</source>
        <translation>(top level)</translation>
    </message>
    <message>
        <source>JSON 路径 %1：字符串中有不成对的代理码位 \u%2</source>
        <translation>JSON path %1: the string has an unpaired surrogate \u%2</translation>
    </message>
    <message>
        <source>第 %1 行第 %2 个字节：不是 UTF-8 文本，%3</source>
        <translation>line %1, byte %2: not UTF-8 text, %3</translation>
    </message>
    <message>
        <source>不是有效的 JSON（第 %1 行第 %2 个字节：%3）</source>
        <translation>not valid JSON (line %1, byte %2: %3)</translation>
    </message>
    <message numerus="yes">
        <source>没有第 %1 行（表「%2」共 %n 行）</source>
        <translation>
            <numerusform>there is no row %1 (table &quot;%2&quot; has %n row)</numerusform>
            <numerusform>there is no row %1 (table &quot;%2&quot; has %n rows)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Command</name>
    <message>
        <source>显示名称时用这个文件夹中的名称文件</source>
        <translation>show names from the name files in this folder</translation>
    </message>
    <message>
        <source>显示这段说明</source>
        <translation>show this help</translation>
    </message>
    <message>
        <source>没有 %1 这个选项</source>
        <translation>unknown option %1</translation>
    </message>
    <message>
        <source>选项 %1 后面缺少 %2</source>
        <translation>option %1 needs %2</translation>
    </message>
    <message>
        <source>选项 %1 不带值</source>
        <translation>option %1 takes no value</translation>
    </message>
    <message>
        <source>选项 %1 只能给一次</source>
        <translation>option %1 may be given only once</translation>
    </message>
    <message>
        <source>用法：</source>
        <translation>Usage: </translation>
    </message>
    <message>
        <source>选项：</source>
        <translation>Options:</translation>
    </message>
    <message>
        <source>缺少参数</source>
        <translation>missing argument</translation>
    </message>
    <message>
        <source>多余的参数：%1</source>
        <translation>too many arguments: %1</translation>
    </message>
</context>
<context>
    <name>ConvertCommand</name>
    <message>
        <source>在 2 到 16 进制之间转换一个数</source>
        <translation>Convert a number between bases 2 to 16</translation>
    </message>
    <message>
        <source>把 FROM 进制的数 TEXT 写成 TO 进制（进制是 2 到 16 的十进制数）。TEXT 可以有前导的“-”
和“.”后的小数部分；大于 9 的数字写作 A-F 或 a-f。结果最多 16 位小数，截断而不舍入。
负数 TEXT 可以直接写，也可以在前面加“--”。</source>
        <translation>Write TEXT, a number in base FROM, in base TO (bases 2 to 16, given in decimal). TEXT may have a
leading &quot;-&quot; and a fractional part after &quot;.&quot;; digits above 9 are A-F or a-f. The result has at most
16 fractional digits, cut off, not rounded. A negative TEXT may be given as it is or after &quot;--&quot;.</translation>
    </message>
    <message>
        <source>FROM 和 TO 必须是 2 到 16 的进制</source>
        <translation>FROM and TO must be bases from 2 to 16</translation>
    </message>
</context>
<context>
    <name>CsvImport</name>
    <message>
        <source>第 %1 行开始的带引号的字段没有结束的引号</source>
        <translation>the quoted field that starts on line %1 has no closing quote</translation>
    </message>
    <message>
        <source>第 %1 行第 %2 个字段：引号只能包住整个字段（字段内的引号要写成两个）</source>
        <translation>line %1, field %2: quotes may only enclose a whole field (a quote inside a field is written twice)</translation>
    </message>
    <message>
        <source>%1: 没有名为 &quot;%2&quot; 的表</source>
        <translation>%1: no table named &quot;%2&quot;</translation>
    </message>
    <message>
        <source>%1: %2（在电子表格中保存时请选择 UTF-8 编码）</source>
        <translation>%1: %2 (choose UTF-8 encoding when saving from a spreadsheet)</translation>
    </message>
    <message>
        <source>%1: 表 %2「%3」</source>
        <translation>%1: table %2 &quot;%3&quot;</translation>
    </message>
    <message>
        <source>%1: 文件是空的，第一行应是列标题</source>
        <translation>%1: the file is empty; the first line should be the column titles</translation>
    </message>
    <message>
        <source>%1: 第 1 行的列标题与这个表不符，应为 %2</source>
        <translation>%1: the column titles on line 1 do not match this table; they should be %2</translation>
    </message>
    <message>
        <source>%1 第 %2 行「%3」（CSV 第 %4 行）</source>
        <translation>%1 row %2 &quot;%3&quot; (CSV line %4)</translation>
    </message>
    <message>
        <source>%1: 应有 %2 个字段，实际 %3 个</source>
        <translation>%1: %2 fields expected, found %3</translation>
    </message>
    <message>
        <source>%1 第 %2 行「%3」 列「%4」（CSV 第 %5 行第 %6 列）: %7</source>
        <translation>%1 row %2 &quot;%3&quot; column &quot;%4&quot; (CSV line %5, field %6): %7</translation>
    </message>
    <message numerus="yes">
        <source>%1: 应有 %n 行数据，文件里有 %2 行</source>
        <translation>
            <numerusform>%1: %n data row expected, the file has %2</numerusform>
            <numerusform>%1: %n data rows expected, the file has %2</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>DiffCommand</name>
    <message>
        <source>逐个字段列出两个映像的不同之处</source>
        <translation>List the fields in which two images differ</translation>
    </message>
    <message>
        <source>列出数值不同的每个字段（表、行、列、A 的值 -&gt; B 的值），再列出字段以外不同的字节。
两个映像不同也是成功（退出状态 0）。</source>
        <translation>List every field whose value differs (table, row, column, A&apos;s value -&gt; B&apos;s value), then the bytes
outside the fields that differ. Images that differ are a success too (exit status 0).</translation>
    </message>
    <message>
        <source>输出格式，默认 text；md 是按表分组的 Markdown 修改记录</source>
        <translation>output format, text by default; md is a Markdown changelog grouped by table</translation>
    </message>
</context>
<context>
    <name>DiffList</name>
    <message>
        <source>大小不同：%1 有 %2 字节，%3 有 %4 字节；比较两者都有的字段和前 %5 字节。</source>
        <translation>Sizes differ: %1 has %2 bytes, %3 has %4 bytes; comparing the fields both have and the first %5 bytes.</translation>
    </message>
    <message>
        <source>%1 有复制器文件头，%2 没有：按数据表的位置对齐比较，文件头不比较；字节偏移按 %3 计。</source>
        <translation>%1 has a copier header, %2 does not: compared with the tables aligned, the header left out; byte offsets are those of %3.</translation>
    </message>
    <message>
        <source>两个映像完全相同。</source>
        <translation>The images are identical.</translation>
    </message>
    <message>
        <source>字段差异 %1 处。</source>
        <translation>Fields that differ: %1.</translation>
    </message>
    <message>
        <source>字段差异 %1 处：</source>
        <translation>Fields that differ: %1:</translation>
    </message>
    <message>
        <source>%1「%2」 第 %3 行「%4」 %5（只有存储的位不同）: %6 -&gt; %7</source>
        <translation>%1 &quot;%2&quot; row %3 &quot;%4&quot; %5 (only the stored bits differ): %6 -&gt; %7</translation>
    </message>
    <message>
        <source>%1「%2」 第 %3 行「%4」 %5: %6 -&gt; %7</source>
        <translation>%1 &quot;%2&quot; row %3 &quot;%4&quot; %5: %6 -&gt; %7</translation>
    </message>
    <message>
        <source>%1 相对于 %2 的改动</source>
        <translation>Changes in %1 from %2</translation>
    </message>
    <message>
        <source>大小不同：%1 有 %2 字节，%3 有 %4 字节。</source>
        <translation>Sizes differ: %1 has %2 bytes, %3 has %4 bytes.</translation>
    </message>
    <message>
        <source>行</source>
        <translation>Row</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>列</source>
        <translation>Column</translation>
    </message>
    <message>
        <source>改动</source>
        <translation>Change</translation>
    </message>
    <message>
        <source>（只有存储的位不同）</source>
        <translation>(only the stored bits differ)</translation>
    </message>
    <message>
        <source>数据表以外</source>
        <translation>Outside the tables</translation>
    </message>
    <message numerus="yes">
        <source>%1（%n 字节）</source>
        <translation>
            <numerusform>%1 (%n byte)</numerusform>
            <numerusform>%1 (%n bytes)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ExportCommand</name>
    <message>
        <source>把每张数据表导出为 JSON，或把一张表导出为 CSV</source>
        <translation>Export every table as JSON, or one table as CSV</translation>
    </message>
    <message>
        <source>把 ROM 的每张数据表以 JSON 写到标准输出；--table 与 --format csv 只写一张表（RFC 4180，
UTF-8）。有 --out-dir 时可以给出多个映像，每个映像写成 DIR 中的 NAME.json（或 .csv）。</source>
        <translation>Print every table of ROM as JSON on standard output; --table with --format csv writes one table
(RFC 4180, UTF-8). With --out-dir several images may be given, each written as NAME.json
(or .csv) in DIR.</translation>
    </message>
    <message>
        <source>只导出这张表（与 --format csv 一起用）</source>
        <translation>export only this table (with --format csv)</translation>
    </message>
    <message>
        <source>输出格式，默认 json</source>
        <translation>output format, json by default</translation>
    </message>
    <message>
        <source>把导出写成这个文件夹中的文件</source>
        <translation>write the exports as files in this folder</translation>
    </message>
    <message>
        <source>--table 只能与 --format csv 一起用</source>
        <translation>--table goes only with --format csv</translation>
    </message>
    <message>
        <source>没有名为“%1”的表</source>
        <translation>no table named &quot;%1&quot;</translation>
    </message>
    <message>
        <source>输出文件夹 %1 不是文件夹，什么也没有写入</source>
        <translation>output folder %1 is not a folder; nothing was written</translation>
    </message>
    <message>
        <source>输出文件夹 %1 不存在，什么也没有写入</source>
        <translation>output folder %1 does not exist; nothing was written</translation>
    </message>
</context>
<context>
    <name>Files</name>
    <message>
        <source>没有载入文件。</source>
        <translation>No file is open.</translation>
    </message>
    <message>
        <source>这不是一个普通文件。</source>
        <translation>it is not a regular file.</translation>
    </message>
    <message>
        <source>文件不存在。</source>
        <translation>the file does not exist.</translation>
    </message>
    <message>
        <source>未保存 %1：文件是只读的（没有写入权限），文件没有任何改动。</source>
        <translation>%1 not saved: the file is read-only (no write permission); nothing in it was changed.</translation>
    </message>
    <message>
        <source>读取失败：%1</source>
        <translation>reading failed: %1</translation>
    </message>
    <message>
        <source>读取失败：文件在读取时变短了。</source>
        <translation>reading failed: the file got shorter while it was read.</translation>
    </message>
    <message>
        <source>文件有 %1 字节，超过 64 MiB，不会是 ROM 映像。</source>
        <translation>the file has %1 bytes, over 64 MiB; it cannot be a ROM image.</translation>
    </message>
    <message>
        <source>没有读取权限。</source>
        <translation>no read permission.</translation>
    </message>
    <message>
        <source>这不是一个普通文件，不会替换它</source>
        <translation>it is not a regular file and will not be replaced</translation>
    </message>
    <message>
        <source>备份既不能写在文件旁边（%1）也不能写在数据文件夹里（%2）</source>
        <translation>the backup could be written neither beside the file (%1) nor in the data folder (%2)</translation>
    </message>
    <message>
        <source>保存失败，文件没有改动。%1</source>
        <translation>The save failed; the file was not changed. %1</translation>
    </message>
    <message>
        <source>未保存 %1：%2文件没有改动。</source>
        <translation>%1 not saved: %2 The file was not changed.</translation>
    </message>
    <message>
        <source>未保存 %1：文件在打开后被改变了（文件头不同），文件没有任何改动。请重新打开。</source>
        <translation>%1 not saved: the file changed after it was opened (its header differs); nothing in it was changed. Open it again.</translation>
    </message>
    <message>
        <source>未保存 %1：无法读取文件来做备份：%2文件没有改动。</source>
        <translation>%1 not saved: the file could not be read for the backup: %2 The file was not changed.</translation>
    </message>
    <message>
        <source>未保存 %1：%2文件没有改动。（可在“文件 → 保存时备份”中关闭备份。）</source>
        <translation>%1 not saved: %2 The file was not changed. (Backups can be turned off in File → Back up on save.)</translation>
    </message>
    <message>
        <source>无法在 %1 旁边写入备份，备份写在了 %2。</source>
        <translation>The backup could not be written beside %1; it was written to %2.</translation>
    </message>
    <message>
        <source>文件在打开后已被其他程序修改。</source>
        <translation>another program changed the file after it was opened.</translation>
    </message>
    <message>
        <source>一个文件夹</source>
        <translation>a folder</translation>
    </message>
    <message>
        <source>一个管道（FIFO）</source>
        <translation>a pipe (FIFO)</translation>
    </message>
    <message>
        <source>一个设备</source>
        <translation>a device</translation>
    </message>
    <message>
        <source>一个套接字</source>
        <translation>a socket</translation>
    </message>
    <message>
        <source>一个特殊文件</source>
        <translation>a special file</translation>
    </message>
    <message>
        <source>无法读取 %1：%2。</source>
        <translation>Cannot read %1: %2.</translation>
    </message>
    <message>
        <source>文件有 %1 字节，超过了这种文件的上限 %2 字节，不会读取它</source>
        <translation>the file has %1 bytes, over the %2-byte limit for such a file; it is not read</translation>
    </message>
    <message>
        <source>文件超过了这种文件的上限 %1 字节，不会读取它</source>
        <translation>the file is over the %1-byte limit for such a file; it is not read</translation>
    </message>
    <message>
        <source>它是一个符号链接，为安全起见不会跟随它</source>
        <translation>it is a symbolic link, not followed for safety</translation>
    </message>
    <message>
        <source>它是%1，不是普通文件</source>
        <translation>it is %1, not a regular file</translation>
    </message>
    <message>
        <source>无法写入 %1：%2。</source>
        <translation>Cannot write %1: %2.</translation>
    </message>
    <message>
        <source>这个名字是一个文件夹</source>
        <translation>this name is a folder</translation>
    </message>
    <message>
        <source>%1；原来的文件没有改动</source>
        <translation>%1; the old file was not changed</translation>
    </message>
    <message>
        <source>磁盘已满</source>
        <translation>the disk is full</translation>
    </message>
    <message>
        <source>超出了磁盘配额</source>
        <translation>the disk quota is exceeded</translation>
    </message>
    <message>
        <source>文件太大，超出了文件大小限制</source>
        <translation>the file is too large for the file size limit</translation>
    </message>
    <message>
        <source>没有权限</source>
        <translation>permission denied</translation>
    </message>
    <message>
        <source>文件系统是只读的</source>
        <translation>the file system is read-only</translation>
    </message>
    <message>
        <source>输入/输出错误</source>
        <translation>input/output error</translation>
    </message>
    <message>
        <source>文件不存在</source>
        <translation>the file does not exist</translation>
    </message>
    <message>
        <source>文件正被占用</source>
        <translation>the file is in use</translation>
    </message>
    <message>
        <source>已经有一个同名的文件</source>
        <translation>a file of that name exists already</translation>
    </message>
    <message>
        <source>这是一个文件夹</source>
        <translation>this is a folder</translation>
    </message>
    <message>
        <source>路径中有一部分不是文件夹</source>
        <translation>a part of the path is not a folder</translation>
    </message>
    <message>
        <source>文件名太长</source>
        <translation>the file name is too long</translation>
    </message>
    <message>
        <source>是一个符号链接，或符号链接太多</source>
        <translation>a symbolic link, or too many symbolic links</translation>
    </message>
    <message>
        <source>打开的文件太多</source>
        <translation>too many open files</translation>
    </message>
    <message>
        <source>内存不足</source>
        <translation>out of memory</translation>
    </message>
    <message>
        <source>资源暂时不可用，请稍后再试</source>
        <translation>resource temporarily unavailable; try again later</translation>
    </message>
    <message>
        <source>操作被中断</source>
        <translation>the operation was interrupted</translation>
    </message>
    <message>
        <source>不支持的操作</source>
        <translation>operation not supported</translation>
    </message>
    <message>
        <source>设备不存在或不可用</source>
        <translation>no such device, or it is not available</translation>
    </message>
    <message>
        <source>不能跨文件系统移动文件</source>
        <translation>a file cannot be moved across file systems</translation>
    </message>
    <message>
        <source>文件夹不是空的</source>
        <translation>the folder is not empty</translation>
    </message>
    <message>
        <source>链接太多</source>
        <translation>too many links</translation>
    </message>
    <message>
        <source>这个文件不能随机读写</source>
        <translation>this file cannot be read or written at random places</translation>
    </message>
    <message>
        <source>文件句柄无效</source>
        <translation>invalid file handle</translation>
    </message>
    <message>
        <source>无法加锁</source>
        <translation>cannot lock</translation>
    </message>
    <message>
        <source>操作超时</source>
        <translation>the operation timed out</translation>
    </message>
    <message>
        <source>文件系统不支持这个操作</source>
        <translation>the file system does not support this operation</translation>
    </message>
    <message>
        <source>网络文件已失效</source>
        <translation>stale network file</translation>
    </message>
    <message>
        <source>未知原因</source>
        <translation>unknown reason</translation>
    </message>
    <message>
        <source>系统错误（错误号 %1）</source>
        <translation>system error (error number %1)</translation>
    </message>
    <message>
        <source>文件已不存在</source>
        <translation>the file no longer exists</translation>
    </message>
    <message>
        <source>这个名字现在指向另一个文件（保存日志属于被替换掉的那个文件）</source>
        <translation>the name now leads to another file (the journal belongs to the file that was replaced)</translation>
    </message>
    <message>
        <source>文件的大小已经改变（现在 %1 字节，保存前 %2 字节，保存后 %3 字节）</source>
        <translation>the file size has changed (now %1 bytes, %2 before the save, %3 after it)</translation>
    </message>
    <message>
        <source>无法读取文件：%1</source>
        <translation>the file cannot be read: %1</translation>
    </message>
    <message>
        <source>无法读取文件</source>
        <translation>the file cannot be read</translation>
    </message>
    <message>
        <source>保存 %1 失败：%2</source>
        <translation>Saving %1 failed: %2</translation>
    </message>
    <message>
        <source>已经有一个名为 %1 的文件，它不是这次保存写的保存日志。文件没有改动。请检查后删除它再保存。</source>
        <translation>there is already a file named %1, and it is not a journal this save wrote. The file was not changed. Check it, delete it and save again.</translation>
    </message>
    <message>
        <source>无法写入保存日志 %1：%2。文件没有改动。</source>
        <translation>the journal %1 cannot be written: %2. The file was not changed.</translation>
    </message>
    <message>
        <source>%1：%2。已写回原来的字节，文件没有改动。</source>
        <translation>%1: %2. The old bytes were written back; the file was not changed.</translation>
    </message>
    <message>
        <source>%1：%2。文件没有改动。</source>
        <translation>%1: %2. The file was not changed.</translation>
    </message>
    <message>
        <source>%1：%2；写回原来的字节也失败：%3。文件可能只写入了一部分。保存日志 %4 已保留，下次打开这个文件时会自动恢复为保存前的内容。</source>
        <translation>%1: %2; writing the old bytes back failed too: %3. The file may be only partly written. The journal %4 is kept; the next time the file is opened it is restored to its content before the save.</translation>
    </message>
    <message>
        <source>写入文件时出错</source>
        <translation>error writing the file</translation>
    </message>
    <message>
        <source>无法删除保存日志 %1：%2。已写回原来的字节，文件没有改动。</source>
        <translation>the journal %1 cannot be deleted: %2. The old bytes were written back; the file was not changed.</translation>
    </message>
    <message>
        <source>无法删除保存日志 %1：%2。文件已写入新内容，但下次打开时会按保存日志恢复为保存前的内容。</source>
        <translation>the journal %1 cannot be deleted: %2. The file holds the new content, but the next Open restores it from the journal to its content before the save.</translation>
    </message>
    <message>
        <source>它有一份未完成的保存日志，但%1文件没有改动，保存日志已保留。请检查后删除它。</source>
        <translation>it has the journal of an unfinished save, but %1 The file was not changed and the journal is kept. Check it, then delete it.</translation>
    </message>
    <message>
        <source>它有一份不完整的保存日志 %1，但无法删除：%2。文件没有改动。</source>
        <translation>it has an incomplete journal %1 that cannot be deleted: %2. The file was not changed.</translation>
    </message>
    <message>
        <source>发现 %1 的一份不完整的保存日志：那次保存在写入文件之前就中断了，文件没有改动。已删除该日志。</source>
        <translation>Found an incomplete journal of %1: that save was cut short before it wrote to the file, which was not changed. The journal was deleted.</translation>
    </message>
    <message>
        <source>%1 不是本程序能读懂的保存日志（可能来自其他版本或已损坏），不会按它改动文件。文件没有改动，保存日志已保留。请检查文件后删除该日志。</source>
        <translation>%1 is not a journal this program can read (from another version, or damaged); the file is not changed by it. The file was not changed and the journal is kept. Check the file, then delete the journal.</translation>
    </message>
    <message>
        <source>上次保存时被中断，留下了保存日志 %1，但%2，按它恢复会覆盖之后的内容。文件没有改动，保存日志已保留。如果文件现在的内容是你想要的，请删除该日志；否则请从备份恢复文件后再删除它。</source>
        <translation>the last save was cut short and left the journal %1, but %2, so restoring from it would overwrite what came after. The file was not changed and the journal is kept. If the file is as you want it, delete the journal; otherwise restore the file from a backup, then delete it.</translation>
    </message>
    <message>
        <source>上次保存时被中断，按保存日志 %1 恢复原内容失败：%2。保存日志已保留，下次打开时会再试。</source>
        <translation>the last save was cut short, and restoring the old content from the journal %1 failed: %2. The journal is kept; the next Open tries again.</translation>
    </message>
    <message>
        <source>已把 %1 恢复为上次保存前的内容，但无法删除保存日志 %2：%3。</source>
        <translation>%1 was restored to its content before the last save, but the journal %2 cannot be deleted: %3.</translation>
    </message>
    <message>
        <source>锁文件 %1 不是本程序的锁：%2请检查后删除它。</source>
        <translation>The lock file %1 is not a lock of this program: %2 Check it, then delete it.</translation>
    </message>
    <message>
        <source>另一个程序正在保存这个文件（锁文件 %1），请稍后再试。</source>
        <translation>Another program is saving this file (lock file %1); try again later.</translation>
    </message>
    <message>
        <source>无法创建锁文件 %1：%2。</source>
        <translation>Cannot create the lock file %1: %2.</translation>
    </message>
    <message>
        <source>内部错误：写入前没有取得文件。</source>
        <translation>Internal error: the file was not taken before writing.</translation>
    </message>
    <message>
        <source>不会写入 %1：结果有 %2 字节，是空的，不会是 ROM 映像。文件没有改动。</source>
        <translation>Not writing %1: the result has %2 bytes, it is empty and cannot be a ROM image. The file was not changed.</translation>
    </message>
    <message>
        <source>不会写入 %1：结果有 %2 字节，超过 64 MiB，不会是 ROM 映像。文件没有改动。</source>
        <translation>Not writing %1: the result has %2 bytes, over 64 MiB; it cannot be a ROM image. The file was not changed.</translation>
    </message>
    <message>
        <source>%1文件没有改动。</source>
        <translation>%1 The file was not changed.</translation>
    </message>
    <message>
        <source>另一个程序正在读取或保存它，等了 %1 秒仍未结束，请稍后再试</source>
        <translation>another program is reading or saving it and has not finished after %1 s; try again later</translation>
    </message>
    <message>
        <source>另一个程序正在保存它，等了 %1 秒仍未结束，请稍后再试</source>
        <translation>another program is saving it and has not finished after %1 s; try again later</translation>
    </message>
    <message>
        <source>上次保存时被中断，留下了保存日志 %1，文件可能只写入了一部分；文件是只读的，不能按日志恢复，所以不会读取它。请让能写入这个文件的用户打开它（会自动恢复为那次保存前的内容）；如果确定文件现在的内容是对的，删除该日志即可。</source>
        <translation>its last save was cut short and left the journal %1, so the file may be half written; the file is read-only, so it cannot be rolled back and is not read. Ask a user who may write the file to open it (it is then restored to its content before that save); if you are sure its present content is right, delete the journal.</translation>
    </message>
    <message>
        <source>保存日志一再出现（%1），请确认没有其他程序在保存它后再试。</source>
        <translation>a save journal keeps appearing (%1); make sure no other program is saving it, then try again.</translation>
    </message>
    <message>
        <source>%1 上次保存时被中断，已恢复为那次保存前的内容（%2 字节，按保存日志 %3）。</source>
        <translation>The last save of %1 was cut short; the file was restored to its content before that save (%2 bytes, from the journal %3).</translation>
    </message>
    <message>
        <source>保存日志不能写在文件旁边（文件夹不接受新文件，或文件有多个硬链接），只能写在你的数据文件夹中（%1），别的用户打开这个文件时看不到它；而这里不能在文件上留下指向它的标记（%2）。别的用户也能打开这个文件，保存万一中断就会被他们忽略，所以不保存。文件没有改动。请另存到你能写入的文件夹，或让文件夹可以写入。</source>
        <translation>the save journal cannot go beside the file (its folder takes no new files, or the file has more than one hard link), only into your data folder (%1), which other users opening the file do not see; and the file cannot be marked to point to it here (%2). Other users may open this file and would miss a save that was cut short, so it is not saved. The file was not changed. Save it as a file in a folder you may write to, or make the folder writable.</translation>
    </message>
    <message>
        <source>另一个用户上次保存它时被中断，留下的保存日志 %1 在那个用户的数据文件夹中，不会按它改动文件（%2）。文件可能只写入了一部分，所以不会读取或保存它，文件没有改动。请让那个用户打开这个文件（会自动恢复为那次保存前的内容）；如果确定文件现在的内容是对的，请那个用户删除该日志。</source>
        <translation>its last save by another user was cut short and left the journal %1 in that user&apos;s data folder, which is not used to change the file (%2). The file may be half written, so it is neither read nor saved; it was not changed. Ask that user to open the file (it is then restored to its content before that save); if you are sure its present content is right, ask that user to delete the journal.</translation>
    </message>
    <message>
        <source>它属于另一个用户</source>
        <translation>it belongs to another user</translation>
    </message>
    <message>
        <source>大小从 %1 字节变成了 %2 字节</source>
        <translation>its size went from %1 to %2 bytes</translation>
    </message>
    <message>
        <source>偏移 %1 处的字节变了</source>
        <translation>the bytes at offset %1 changed</translation>
    </message>
    <message>
        <source>文件在读取之后被另一个程序改动了（%1），这次保存什么也没有写，文件保持那个程序改动后的样子。请重新打开后再试。</source>
        <translation>another program changed the file after it was read (%1); this save wrote nothing and the file stays as that program left it. Open it again, then try again.</translation>
    </message>
    <message numerus="yes">
        <source>未保存 %1：有 %n 个单元格的值无效，文件没有任何改动。</source>
        <translation>
            <numerusform>%1 not saved: %n cell holds an invalid value; nothing in the file was changed.</numerusform>
            <numerusform>%1 not saved: %n cells hold invalid values; nothing in the file was changed.</numerusform>
        </translation>
    </message>
    <message>
        <source>无法打开文件 %1：%2</source>
        <translation>Cannot open %1: %2</translation>
    </message>
    <message>
        <source>这不是一个普通文件</source>
        <translation>it is not a regular file</translation>
    </message>
    <message>
        <source>文件有 %1 字节，超过 64 MiB</source>
        <translation>the file has %1 bytes, over 64 MiB</translation>
    </message>
    <message>
        <source>无法读取 %1：%2</source>
        <translation>Cannot read %1: %2</translation>
    </message>
    <message>
        <source>文件在读取时变大，超过了 64 MiB</source>
        <translation>the file grew past 64 MiB while it was read</translation>
    </message>
    <message>
        <source>文件是只读的（没有写入权限），文件没有改动</source>
        <translation>the file is read-only (no write permission); it was not changed</translation>
    </message>
    <message>
        <source>%1。文件没有改动</source>
        <translation>%1. The file was not changed</translation>
    </message>
    <message numerus="yes">
        <source>文件只有 %n 字节，至少需要 %1 字节才能容纳所有数据表。</source>
        <translation>
            <numerusform>the file has only %n byte; it needs at least %1 bytes to hold every table.</numerusform>
            <numerusform>the file has only %n bytes; it needs at least %1 bytes to hold every table.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>文件只有 %n 字节（无文件头），至少需要 %1 字节才能容纳所有数据表。</source>
        <translation>
            <numerusform>the file has only %n byte (no header); it needs at least %1 bytes to hold every table.</numerusform>
            <numerusform>the file has only %n bytes (no header); it needs at least %1 bytes to hold every table.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>偏移 %1 处的 %n 字节既不是保存前的内容也不是那次保存写入的内容（文件在那之后被改动过）</source>
        <translation>
            <numerusform>the byte at offset %1 is neither what was there before the save nor what it wrote (the file was changed since)</numerusform>
            <numerusform>the %n bytes at offset %1 are neither what was there before the save nor what it wrote (the file was changed since)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>HelpCommand</name>
    <message>
        <source>列出全部命令，或显示一个命令的用法</source>
        <translation>List every command, or show the usage of one</translation>
    </message>
</context>
<context>
    <name>ImportCommand</name>
    <message>
        <source>把 JSON 或 CSV 中的数据表写入映像</source>
        <translation>Write tables from JSON or CSV into an image</translation>
    </message>
    <message>
        <source>先检查全部数据，有任何无效的值就什么也不写；成功时显示改动了多少字节。
CSV 文件只有一张表，由 --table 指明，格式与 export --format csv 写出的相同。</source>
        <translation>Every value is checked first; any invalid value and nothing is written. On success it says how
many bytes changed. A CSV file holds one table, named by --table, as export --format csv writes it.</translation>
    </message>
    <message>
        <source>CSV 文件中是这张表</source>
        <translation>the table the CSV file holds</translation>
    </message>
    <message>
        <source>列出导入会做的改动和写入的字节，什么也不写</source>
        <translation>list the changes and the bytes the import would write; write nothing</translation>
    </message>
    <message>
        <source>写入前把原来的 ROM 保存为 ROM.bak</source>
        <translation>keep the old ROM as ROM.bak before writing</translation>
    </message>
    <message>
        <source>同时把内部文件头的校验和与补码改成映像的实际值</source>
        <translation>also set the internal header&apos;s checksum and complement to the image&apos;s real sum</translation>
    </message>
    <message>
        <source>导入会被拒绝（原因见上），%1 没有任何改动。</source>
        <translation>The import would be refused (see above); %1 was not changed.</translation>
    </message>
    <message>
        <source>%1 是 CSV 文件：要用 --table ID 说明它是哪张表</source>
        <translation>%1 is a CSV file: say which table it holds with --table ID</translation>
    </message>
</context>
<context>
    <name>JsonImport</name>
    <message>
        <source>%1: 表 %2「%3」</source>
        <translation>%1: table %2 &quot;%3&quot;</translation>
    </message>
    <message>
        <source>%1: &quot;rows&quot; 必须是数组</source>
        <translation>%1: &quot;rows&quot; must be an array</translation>
    </message>
    <message>
        <source>%1 第 %2 行: 应是 %3 个单元格的数组</source>
        <translation>%1 row %2: should be an array of %3 cells</translation>
    </message>
    <message>
        <source>%1 第 %2 行 列「%3」: 单元格必须是字符串或数字</source>
        <translation>%1 row %2 column &quot;%3&quot;: a cell must be a string or a number</translation>
    </message>
    <message>
        <source>%1: &quot;codes&quot; 必须是对象</source>
        <translation>%1: &quot;codes&quot; must be an object</translation>
    </message>
    <message>
        <source>%1: 没有代码数组 &quot;%2&quot;</source>
        <translation>%1: no code array &quot;%2&quot;</translation>
    </message>
    <message>
        <source>%1: 代码 %2 不能修改（文件中是 %3，导入的是 %4）</source>
        <translation>%1: codes %2 cannot be changed (the file has %3, the import %4)</translation>
    </message>
    <message>
        <source>%1 代码 %2 第 %3 行</source>
        <translation>%1 codes %2 row %3</translation>
    </message>
    <message>
        <source>%1: 必须是整数</source>
        <translation>%1: must be a whole number</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1: 顶层必须是对象</source>
        <translation>%1: the top level must be an object</translation>
    </message>
    <message>
        <source>%1: &quot;format&quot; 必须是 &quot;%2&quot;</source>
        <translation>%1: &quot;format&quot; must be &quot;%2&quot;</translation>
    </message>
    <message>
        <source>%1: 缺少 &quot;tables&quot; 对象</source>
        <translation>%1: the &quot;tables&quot; object is missing</translation>
    </message>
    <message>
        <source>%1: 必须是对象</source>
        <translation>%1: must be an object</translation>
    </message>
    <message>
        <source>%1: 没有名为 &quot;%2&quot; 的表</source>
        <translation>%1: no table named &quot;%2&quot;</translation>
    </message>
    <message numerus="yes">
        <source>%1: 应有 %n 行，实际 %2 行</source>
        <translation>
            <numerusform>%1: %n row expected, found %2</numerusform>
            <numerusform>%1: %n rows expected, found %2</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 代码 %2: 应是 %n 项的数组</source>
        <translation>
            <numerusform>%1 codes %2: should be an array of %n entry</numerusform>
            <numerusform>%1 codes %2: should be an array of %n entries</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1: 应是 %n 个整数的数组</source>
        <translation>
            <numerusform>%1: should be an array of %n whole number</numerusform>
            <numerusform>%1: should be an array of %n whole numbers</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>NameFolders</name>
    <message>
        <source>%1: 名称表被拒绝:</source>
        <translation>%1: name set refused:</translation>
    </message>
    <message>
        <source>%1 中有 %2 个名称，其中 %3 个改变了名称</source>
        <translation>Names in %1: %2, of which changed: %3</translation>
    </message>
</context>
<context>
    <name>Names</name>
    <message>
        <source>战车装备 (主炮 0-31, 副炮 32-53, 特殊炮 54-73, 控制系统 74-93, 引擎 94-120)</source>
        <translation>Tank parts (main guns 0-31, sub guns 32-53, special guns 54-73, control systems 74-93, engines 94-120)</translation>
    </message>
    <message>
        <source>战车道具</source>
        <translation>Tank items</translation>
    </message>
    <message>
        <source>人类装备 (武器 0-47, 头防具 48-63, 体防具 64-87, 手足防具 88-107, 护甲 108-119)</source>
        <translation>Human equipment (weapons 0-47, head 48-63, body 64-87, hands and feet 88-107, armour pieces 108-119)</translation>
    </message>
    <message>
        <source>道具</source>
        <translation>Items</translation>
    </message>
    <message>
        <source>怪物 (0-15 也是赏金首)</source>
        <translation>Monsters (0-15 are also the wanted ones)</translation>
    </message>
    <message>
        <source>攻击方式 A (怪物 47-151)</source>
        <translation>Attacks A (monsters 47-151)</translation>
    </message>
    <message>
        <source>攻击方式 B (怪物 0-46)</source>
        <translation>Attacks B (monsters 0-46)</translation>
    </message>
    <message>
        <source>特殊炮弹</source>
        <translation>Special shells</translation>
    </message>
    <message>
        <source>战车</source>
        <translation>Tanks</translation>
    </message>
    <message>
        <source>人物</source>
        <translation>Characters</translation>
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
        <source>战利品类别</source>
        <translation>Loot categories</translation>
    </message>
    <message>
        <source>攻击范围</source>
        <translation>Attack ranges</translation>
    </message>
    <message>
        <source>装备的人 (掩码 1-7)</source>
        <translation>Users (mask 1-7)</translation>
    </message>
    <message>
        <source>不是 UTF-8 文本（第 %1 个字节：%2）</source>
        <translation>not UTF-8 text (byte %1: %2)</translation>
    </message>
    <message>
        <source>名称表「%1」只有 %2 项，这一行多出来了</source>
        <translation>name list &quot;%1&quot; has only %2 entries; this line is one too many</translation>
    </message>
    <message>
        <source>“%1” 含有控制字符</source>
        <translation>&quot;%1&quot; contains a control character</translation>
    </message>
    <message>
        <source>“%1” 含有 GBK 无法编码的字符</source>
        <translation>&quot;%1&quot; contains a character GBK cannot encode</translation>
    </message>
    <message>
        <source>“%1” 按 GBK 编码占 %2 字节，超过了 %3 字节的宽度</source>
        <translation>&quot;%1&quot; takes %2 bytes in GBK, more than the %3 bytes of its slot</translation>
    </message>
    <message>
        <source>不是文件夹</source>
        <translation>not a folder</translation>
    </message>
    <message>
        <source>文件夹不存在</source>
        <translation>the folder does not exist</translation>
    </message>
    <message>
        <source>不是名称表的文件名</source>
        <translation>not the name of a name file</translation>
    </message>
    <message>
        <source>文件太大，不是名称表</source>
        <translation>the file is too large to be a name file</translation>
    </message>
    <message>
        <source>已存在，但不是文件夹；什么也没有写入</source>
        <translation>exists but is not a folder; nothing was written</translation>
    </message>
    <message>
        <source>无法创建文件夹；什么也没有写入</source>
        <translation>the folder cannot be created; nothing was written</translation>
    </message>
    <message>
        <source>无法写入（%1）。这个文件保持原样；之前的 %2 个文件已写入，之后的 %3 个没有写入</source>
        <translation>cannot write (%1). This file is as it was; files written before it: %2, not written after it: %3</translation>
    </message>
    <message>
        <source>无法写入（%1）。这个文件没有创建；之前的 %2 个文件已写入，之后的 %3 个没有写入</source>
        <translation>cannot write (%1). This file was not created; files written before it: %2, not written after it: %3</translation>
    </message>
</context>
<context>
    <name>NamesCommand</name>
    <message>
        <source>写出名称表模板，或检查一个名称表文件夹</source>
        <translation>Write a name set template, or check a name set folder</translation>
    </message>
    <message>
        <source>export 把当前使用的名称写成 DIR 中的名称文件（一份模板）；
check 检查 DIR 中的名称文件，列出它会改变的每个名称。</source>
        <translation>export writes the names in use as name files in DIR (a template);
check checks the name files in DIR and lists every name they would change.</translation>
    </message>
    <message>
        <source>没有“%1”这个动作</source>
        <translation>unknown action &quot;%1&quot;</translation>
    </message>
    <message numerus="yes">
        <source>已把 %n 个名称文件写入 %1</source>
        <translation>
            <numerusform>Wrote %n name file to %1</numerusform>
            <numerusform>Wrote %n name files to %1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PatchCommand</name>
    <message>
        <source>写出把 ORIGINAL 变为 MODIFIED 的 IPS 或 BPS 补丁</source>
        <translation>Write an IPS or BPS patch that takes ORIGINAL to MODIFIED</translation>
    </message>
    <message>
        <source>任何两个文件都可以；补丁的格式由 OUT 的扩展名或 --format 决定。</source>
        <translation>Any two files will do; the patch format follows OUT&apos;s extension or --format.</translation>
    </message>
    <message>
        <source>补丁格式，不按 OUT 的扩展名</source>
        <translation>patch format, instead of OUT&apos;s extension</translation>
    </message>
    <message>
        <source>请给出 --format ips 或 bps，或者把补丁文件命名为 .ips 或 .bps</source>
        <translation>give --format ips or bps, or name the patch file .ips or .bps</translation>
    </message>
    <message>
        <source>%1 是只读的（没有写入权限），不会替换它。</source>
        <translation>%1 is read-only (no write permission) and will not be replaced.</translation>
    </message>
    <message>
        <source>补丁不能写到映像文件 %1 上，请另选文件名；什么也没有写。</source>
        <translation>A patch cannot be written over the image %1; choose another file name. Nothing was written.</translation>
    </message>
    <message>
        <source>无法写出 %1 补丁 %2：%3</source>
        <translation>Cannot write %1 patch %2: %3</translation>
    </message>
    <message>
        <source>已写入 %1（%2，%3 字节）</source>
        <translation>Wrote %1 (%2, %3 bytes)</translation>
    </message>
</context>
<context>
    <name>Patches</name>
    <message>
        <source>在%1处被截断</source>
        <translation>cut short in the %1</translation>
    </message>
    <message>
        <source>%1的数值过长</source>
        <translation>the %1 is too long a number</translation>
    </message>
    <message>
        <source>%1超出范围</source>
        <translation>the %1 is out of range</translation>
    </message>
    <message>
        <source>BPS 补丁有误：%1（补丁第 %2 字节）。</source>
        <translation>The BPS patch is faulty: %1 (patch byte %2).</translation>
    </message>
    <message>
        <source>这不是 BPS 补丁：文件不以 &quot;BPS1&quot; 开头。</source>
        <translation>This is not a BPS patch: the file does not start with &quot;BPS1&quot;.</translation>
    </message>
    <message>
        <source>BPS 补丁已损坏或不完整：补丁自身的 CRC32 不符（记录为 %1，实际为 %2）。</source>
        <translation>The BPS patch is damaged or incomplete: its own CRC32 does not match (recorded %1, actual %2).</translation>
    </message>
    <message>
        <source>源文件长度</source>
        <translation>source length</translation>
    </message>
    <message>
        <source>目标文件长度</source>
        <translation>target length</translation>
    </message>
    <message>
        <source>元数据长度</source>
        <translation>metadata length</translation>
    </message>
    <message>
        <source>元数据</source>
        <translation>metadata</translation>
    </message>
    <message>
        <source>补丁不适用于这个 ROM：补丁要求原始映像有 %1 字节，而它有 %2 字节（大小不符）。</source>
        <translation>The patch does not fit this ROM: it needs an original image of %1 bytes, and this one has %2 bytes (the sizes differ).</translation>
    </message>
    <message>
        <source>补丁不适用于这个 ROM：补丁要求原始映像的 CRC32 为 %1，而它是 %2（大小相同，内容不同）。</source>
        <translation>The patch does not fit this ROM: it needs an original image with CRC32 %1, and this one&apos;s is %2 (same size, different content).</translation>
    </message>
    <message>
        <source>目标文件长度 %1 字节过大</source>
        <translation>a target length of %1 bytes is too large</translation>
    </message>
    <message>
        <source>动作</source>
        <translation>action</translation>
    </message>
    <message>
        <source>第 %1 个动作写到目标文件末尾之后</source>
        <translation>action %1 writes past the end of the target</translation>
    </message>
    <message>
        <source>第 %1 个动作（原样读取）超出原始映像</source>
        <translation>action %1 (source read) goes past the original image</translation>
    </message>
    <message>
        <source>目标数据</source>
        <translation>target data</translation>
    </message>
    <message>
        <source>源偏移</source>
        <translation>source offset</translation>
    </message>
    <message>
        <source>第 %1 个动作（从原始映像复制）超出原始映像</source>
        <translation>action %1 (source copy) goes past the original image</translation>
    </message>
    <message>
        <source>目标偏移</source>
        <translation>target offset</translation>
    </message>
    <message>
        <source>第 %1 个动作（从目标复制）指向尚未写出的字节</source>
        <translation>action %1 (target copy) points at bytes not yet written</translation>
    </message>
    <message>
        <source>BPS 补丁有误：结果的 CRC32 为 %1，补丁记录的是 %2。</source>
        <translation>The BPS patch is faulty: the result has CRC32 %1, the patch records %2.</translation>
    </message>
    <message>
        <source>注意：%1 的内部文件头（0x7FC0 与 0xFFC0 处）没有相加为 0xFFFF 的校验和与补码，它可能不是这个游戏的映像。</source>
        <translation>Note: the internal header of %1 (at 0x7FC0 and 0xFFC0) has no checksum and complement adding up to 0xFFFF; it may not be an image of this game.</translation>
    </message>
    <message>
        <source>找不到内部文件头：0x7FC0 与 0xFFC0 处既没有相加为 0xFFFF 的校验和与补码，映射方式字节也对不上，无法修正校验和。</source>
        <translation>No internal header found: neither 0x7FC0 nor 0xFFC0 holds a checksum and complement adding up to 0xFFFF or a matching map mode byte, so the checksum cannot be fixed.</translation>
    </message>
    <message>
        <source>IPS 补丁最多只能描述 16 MiB（16777216 字节）的文件，而原始映像有 %1 字节；请改用 BPS 格式。</source>
        <translation>An IPS patch can describe files of at most 16 MiB (16777216 bytes), and the original image has %1 bytes; use the BPS format instead.</translation>
    </message>
    <message>
        <source>IPS 补丁最多只能描述 16 MiB（16777216 字节）的文件，而修改后的映像有 %1 字节；请改用 BPS 格式。</source>
        <translation>An IPS patch can describe files of at most 16 MiB (16777216 bytes), and the modified image has %1 bytes; use the BPS format instead.</translation>
    </message>
    <message>
        <source>这不是 IPS 补丁：文件不以 &quot;PATCH&quot; 开头。</source>
        <translation>This is not an IPS patch: the file does not start with &quot;PATCH&quot;.</translation>
    </message>
    <message>
        <source>IPS 补丁不完整：第 %1 字节处（文件共 %2 字节）缺少%3。</source>
        <translation>The IPS patch is incomplete: at byte %1 (of %2) the %3 is missing.</translation>
    </message>
    <message>
        <source>记录的偏移或结尾标记 &quot;EOF&quot;</source>
        <translation>offset of a record or the end mark &quot;EOF&quot;</translation>
    </message>
    <message>
        <source>第 %1 条记录（偏移 %2）</source>
        <translation>record %1 (offset %2)</translation>
    </message>
    <message>
        <source>%1的长度</source>
        <translation>length of %1</translation>
    </message>
    <message>
        <source>%1的重复次数和值</source>
        <translation>run length and value of %1</translation>
    </message>
    <message>
        <source>IPS 补丁有误：%1是重复次数为 0 的重复记录。</source>
        <translation>The IPS patch is faulty: %1 is a run of length 0.</translation>
    </message>
    <message>
        <source>%1的数据（应有 %2 字节，只剩 %3 字节）</source>
        <translation>data of %1 (length %2, only %3 left)</translation>
    </message>
    <message>
        <source>IPS 补丁有误：%1会把文件写到 %2 字节，超过 IPS 的 16 MiB 上限。</source>
        <translation>The IPS patch is faulty: %1 would write the file up to %2 bytes, past IPS&apos;s 16 MiB limit.</translation>
    </message>
    <message>
        <source>去掉 %1 字节的复制器文件头后，映像的大小与补丁要求的相符，但%2</source>
        <translation>Without its %1-byte copier header the image has the size the patch needs, but: %2</translation>
    </message>
    <message>
        <source>补丁是为带 %1 字节复制器文件头的映像制作的，而这个映像没有文件头：请给它加上原来的文件头后再应用。</source>
        <translation>The patch was made for an image with a %1-byte copier header, and this image has none: put its original header back, then apply it.</translation>
    </message>
    <message>
        <source>IPS 补丁改写了这个映像开头 %1 字节的复制器文件头：它多半是为去掉文件头的映像制作的，按原样应用会把每个字节都写低 %1 字节。请说明它是为哪种映像制作的（命令行：--headerless-patch 为去掉文件头的映像，--headered-patch 为带文件头的映像）。</source>
        <translation>The IPS patch writes into the first %1 bytes of this image, its copier header: it was most likely made for the image without the header, and applied as it is would write every byte %1 bytes too low. Say which image it was made for (command line: --headerless-patch for the image without the header, --headered-patch for one with it).</translation>
    </message>
    <message>
        <source>IPS 补丁把结果截短到 %1 字节，比 %2 字节的复制器文件头还短。</source>
        <translation>The IPS patch cuts the result to %1 bytes, shorter than the %2-byte copier header.</translation>
    </message>
    <message>
        <source>补丁是为去掉 %1 字节复制器文件头的映像制作的：已应用于文件头之后的部分，文件头保持不变。</source>
        <translation>The patch was made for the image without its %1-byte copier header: it was applied after the header, which is kept as it was.</translation>
    </message>
    <message>
        <source>补丁是为去掉 %1 字节复制器文件头的映像制作的，而它的结果本身就以这个文件头开头：已应用于文件头之后的部分，结果中文件头只出现一次。</source>
        <translation>The patch was made for the image without its %1-byte copier header, and its result begins with that same header: it was applied after the header, and the result holds the header once.</translation>
    </message>
    <message>
        <source>补丁是为带 %1 字节复制器文件头的映像制作的：已按有文件头时的位置应用，结果仍没有文件头；补丁对文件头的改动被略去。</source>
        <translation>The patch was made for an image with a %1-byte copier header: it was applied at the places it has with the header, and the result still has none; the patch&apos;s changes to the header were left out.</translation>
    </message>
    <message>
        <source>补丁是为带 %1 字节复制器文件头的映像制作的：已按有文件头时的位置应用，结果仍没有文件头。</source>
        <translation>The patch was made for an image with a %1-byte copier header: it was applied at the places it has with the header, and the result still has none.</translation>
    </message>
    <message>
        <source>这个映像本来就没有复制器文件头：补丁按原样应用。</source>
        <translation>This image has no copier header already: the patch was applied as it is.</translation>
    </message>
    <message>
        <source>这个映像本来就有复制器文件头：补丁按原样应用。</source>
        <translation>This image has a copier header already: the patch was applied as it is.</translation>
    </message>
    <message>
        <source>这不是 IPS 或 BPS 补丁：文件既不以 &quot;PATCH&quot; 也不以 &quot;BPS1&quot; 开头。</source>
        <translation>This is not an IPS or BPS patch: the file starts with neither &quot;PATCH&quot; nor &quot;BPS1&quot;.</translation>
    </message>
    <message>
        <source>%1 在打开后被改变了（文件头不同）。请重新打开。</source>
        <translation>%1 changed after it was opened (its header differs). Open it again.</translation>
    </message>
    <message>
        <source>修正校验和：内部文件头 %1 的校验和为 %2，补码为 %3。</source>
        <translation>Checksum fix: the internal header at %1 gets checksum %2 and complement %3.</translation>
    </message>
    <message numerus="yes">
        <source>有 %n 个单元格的值无效，保存时会被拒绝：</source>
        <translation>
            <numerusform>%n cell holds an invalid value; a save would be refused:</numerusform>
            <numerusform>%n cells hold invalid values; a save would be refused:</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>BPS 补丁不完整：只有 %n 字节，放不下三个长度和三个 CRC32。</source>
        <translation>
            <numerusform>The BPS patch is incomplete: only %n byte, too few for three lengths and three CRC32s.</numerusform>
            <numerusform>The BPS patch is incomplete: only %n bytes, too few for three lengths and three CRC32s.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>BPS 补丁不完整：动作只写出 %n 字节，目标应有 %1 字节。</source>
        <translation>
            <numerusform>The BPS patch is incomplete: its actions write only %n byte of the %1 the target should have.</numerusform>
            <numerusform>The BPS patch is incomplete: its actions write only %n bytes of the %1 the target should have.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>IPS 补丁有误：&quot;EOF&quot; 之后有 %n 个字节，只允许 0 个或 3 个（截断长度）。</source>
        <translation>
            <numerusform>The IPS patch is faulty: %n byte follows &quot;EOF&quot;; only 0 or 3 (a truncation length) are allowed.</numerusform>
            <numerusform>The IPS patch is faulty: %n bytes follow &quot;EOF&quot;; only 0 or 3 (a truncation length) are allowed.</numerusform>
        </translation>
    </message>
    <message>
        <source>字段以外的字节差异 %1，共 %2：</source>
        <translation>Bytes that differ outside the fields: %1, %2 in all:</translation>
    </message>
    <message>
        <source>字段以外的字节差异 %1，共 %2。</source>
        <translation>Bytes that differ outside the fields: %1, %2 in all.</translation>
    </message>
    <message numerus="yes">
        <source>%n 段</source>
        <translation>
            <numerusform>%n run</numerusform>
            <numerusform>%n runs</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 字节</source>
        <translation>
            <numerusform>%n byte</numerusform>
            <numerusform>%n bytes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>……另有 %n 段未列出</source>
        <translation>
            <numerusform>... and %n more run not listed</numerusform>
            <numerusform>... and %n more runs not listed</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Program</name>
    <message>
        <source>显示版本号</source>
        <translation>show the version</translation>
    </message>
    <message>
        <source>界面语言：zh 中文，en 英语（默认按系统的语言环境）</source>
        <translation>interface language: zh Chinese, en English (by default the locale&apos;s)</translation>
    </message>
    <message>
        <source>用法：</source>
        <translation>Usage: </translation>
    </message>
    <message>
        <source>命令：</source>
        <translation>Commands:</translation>
    </message>
    <message>
        <source>选项：</source>
        <translation>Options:</translation>
    </message>
    <message>
        <source>“dravik help COMMAND”或“dravik COMMAND --help”显示一个命令的用法。
退出状态：0 成功，1 输入被拒绝，2 用法不对。
</source>
        <translation>&quot;dravik help COMMAND&quot; or &quot;dravik COMMAND --help&quot; shows the usage of one command.
Exit status: 0 success, 1 input refused, 2 wrong usage.
</translation>
    </message>
    <message>
        <source>没有“%1”这个命令</source>
        <translation>unknown command &quot;%1&quot;</translation>
    </message>
    <message>
        <source>--lang 只能是 zh 或 en，不能是“%1”</source>
        <translation>--lang takes zh or en, not &quot;%1&quot;</translation>
    </message>
    <message>
        <source>%1；%2</source>
        <translation>%1; %2</translation>
    </message>
    <message>
        <source>无法写入输出：%1</source>
        <translation>cannot write the output: %1</translation>
    </message>
    <message>
        <source>写入失败</source>
        <translation>write failed</translation>
    </message>
    <message>
        <source>。不过 %1，只是输出没有写出来</source>
        <translation>. %1 all the same; only the output was not written</translation>
    </message>
    <message>
        <source>参数“%1”不是 UTF-8 文本：文件名和其他参数都只能用 UTF-8 编码</source>
        <translation>argument “%1” is not UTF-8 text: file names and all other arguments must be UTF-8</translation>
    </message>
</context>
<context>
    <name>Recovery</name>
    <message>
        <source>&quot;%1&quot; 必须是数组</source>
        <translation>&quot;%1&quot; must be an array</translation>
    </message>
    <message>
        <source>单元格第 %1 项应是 [行, 列, 文本]，行在表内</source>
        <translation>cell %1 should be [row, column, text] with the row inside the table</translation>
    </message>
    <message>
        <source>单元格第 %1 项：第 %2 列不是可以修改的数值列</source>
        <translation>cell %1: column %2 is not a value column that can be changed</translation>
    </message>
    <message>
        <source>代码第 %1 项应是 [数组, 行, 序号, 整数值]，行在表内</source>
        <translation>code %1 should be [array, row, index, whole number] with the row inside the table</translation>
    </message>
    <message>
        <source>代码第 %1 项：没有代码数组 &quot;%2&quot;</source>
        <translation>code %1: there is no code array &quot;%2&quot;</translation>
    </message>
    <message>
        <source>代码第 %1 项：代码 %2 不能修改</source>
        <translation>code %1: codes %2 cannot be changed</translation>
    </message>
    <message>
        <source>不是有效的恢复记录：%1</source>
        <translation>not a valid recovery record: %1</translation>
    </message>
    <message>
        <source>不是有效的恢复记录</source>
        <translation>not a valid recovery record</translation>
    </message>
    <message>
        <source>必须是对象</source>
        <translation>must be an object</translation>
    </message>
    <message>
        <source>恢复记录中表 %1 的内容无效：%2</source>
        <translation>table %1 in the recovery record is invalid: %2</translation>
    </message>
    <message>
        <source>恢复记录中有未知的表 %1</source>
        <translation>the recovery record has an unknown table %1</translation>
    </message>
    <message>
        <source>无法创建文件夹 %1</source>
        <translation>cannot create the folder %1</translation>
    </message>
    <message>
        <source>不能用作参照映像：%1</source>
        <translation>Cannot be the reference image: %1</translation>
    </message>
    <message>
        <source>不能用作参照映像：%1 的内部文件头（0x7FC0 与 0xFFC0 处）没有相加为 0xFFFF 的校验和与补码，它不像这个游戏的映像。</source>
        <translation>Cannot be the reference image: the internal header of %1 (at 0x7FC0 and 0xFFC0) has no checksum and complement adding up to 0xFFFF; it does not look like an image of this game.</translation>
    </message>
    <message numerus="yes">
        <source>代码第 %1 项：代码 %2 每行只有 %n 项</source>
        <translation>
            <numerusform>code %1: codes %2 have only %n entry a row</numerusform>
            <numerusform>code %1: codes %2 have only %n entries a row</numerusform>
        </translation>
    </message>
    <message>
        <source>恢复记录中的原值与修改不对应</source>
        <translation>the recovery record's values from before do not match its changes</translation>
    </message>
</context>
<context>
    <name>RefsCommand</name>
    <message>
        <source>列出一个部件、战车道具、道具、武器、防具或攻击被用在哪里</source>
        <translation>Show where a tank part, tank item, item, weapon, armour or attack is used</translation>
    </message>
    <message>
        <source>TABLE：一张战车部件表、tank_items、items、human_weapons、一张防具表、attacks_a 或 attacks_b
ROW：从 1 数起（attacks_a 和 attacks_b 是攻击代码 + 1）</source>
        <translation>TABLE: a tank part table, tank_items, items, human_weapons, an armour table, attacks_a or attacks_b
ROW: counted from 1 (for attacks_a and attacks_b: the attack code + 1)</translation>
    </message>
    <message>
        <source>输出格式，默认 text</source>
        <translation>output format, text by default</translation>
    </message>
    <message>
        <source>表“%1”的行没有引用可查</source>
        <translation>the rows of table &quot;%1&quot; have no references to look up</translation>
    </message>
    <message>
        <source>「%1」 没有被用到</source>
        <translation>&quot;%1&quot; is not used</translation>
    </message>
    <message>
        <source>表「%1」 第 %2 行「%3」 %4</source>
        <translation>table &quot;%1&quot; row %2 &quot;%3&quot; %4</translation>
    </message>
    <message numerus="yes">
        <source>表“%1”只有 %n 行</source>
        <translation>
            <numerusform>table &quot;%1&quot; has only %n row</numerusform>
            <numerusform>table &quot;%1&quot; has only %n rows</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SampleCommand</name>
    <message>
        <source>写出一个确定的合成映像</source>
        <translation>Write a reproducible synthetic image</translation>
    </message>
    <message>
        <source>同一个 N 总是写出同样的映像：0x200200 字节，没有复制器文件头时 0x200000 字节。</source>
        <translation>The same N always writes the same image: 0x200200 bytes, 0x200000 without the copier header.</translation>
    </message>
    <message>
        <source>0 到 4294967295 的整数，默认 1</source>
        <translation>a whole number from 0 to 4294967295, 1 by default</translation>
    </message>
    <message>
        <source>不写 512 字节的复制器文件头</source>
        <translation>leave out the 512-byte copier header</translation>
    </message>
    <message>
        <source>--seed 要一个 0 到 4294967295 的整数</source>
        <translation>--seed takes a whole number from 0 to 4294967295</translation>
    </message>
</context>
<context>
    <name>SetCommand</name>
    <message>
        <source>用公式一次改写一列的许多行</source>
        <translation>Compute one column for many rows from a formula</translation>
    </message>
    <message>
        <source>EXPR 用 x（当前值）和 r（行号，从 1 数起）计算新值，例如 x*1.2、x+10、round(x/10)*10、
min(x*2, 999)、max(x, 5)、floor(x)、ceil(x)，或一个数（全部填成它）。结果按字段的单位
（整数或百分之一）四舍五入（远离零）。任何一行放不下（与保存的检查相同）、除以零，
就列出这些行，什么也不写。</source>
        <translation>EXPR computes the new value from x (the value the row holds) and r (the row, counted from 1), for
example x*1.2, x+10, round(x/10)*10, min(x*2, 999), max(x, 5), floor(x), ceil(x), or a plain
number (every row gets it). Results are rounded half away from zero to the field&apos;s unit (whole
numbers or hundredths). When any row&apos;s result does not fit (as the save checks it) or divides by
zero, those rows are listed and nothing is written.</translation>
    </message>
    <message>
        <source>要改的表</source>
        <translation>the table to change</translation>
    </message>
    <message>
        <source>要改的列：列标题或列的键（如 价格 或 price）</source>
        <translation>the column to change: its title or its key (such as Price or price)</translation>
    </message>
    <message>
        <source>要改的行号，从 1 数起，如 1-20,25</source>
        <translation>the rows to change, counted from 1, such as 1-20,25</translation>
    </message>
    <message>
        <source>要改的行的名称，用逗号分开（同名的行都改）</source>
        <translation>the names of the rows to change, separated by commas (every row of each name)</translation>
    </message>
    <message>
        <source>改这张表的每一行</source>
        <translation>change every row of the table</translation>
    </message>
    <message>
        <source>计算新值的公式</source>
        <translation>the formula that computes the new value</translation>
    </message>
    <message>
        <source>列出会做的改动和写入的字节，什么也不写</source>
        <translation>list the changes and the bytes they would write; write nothing</translation>
    </message>
    <message>
        <source>写入前把原来的 ROM 保存为 ROM.bak</source>
        <translation>keep the old ROM as ROM.bak before writing</translation>
    </message>
    <message>
        <source>--rows 要写成 1-20,25 这样的行号（从 1 数起）</source>
        <translation>--rows takes row numbers such as 1-20,25 (counted from 1)</translation>
    </message>
    <message>
        <source>表「%1」中没有名为“%2”的行</source>
        <translation>table &quot;%1&quot; has no row named &quot;%2&quot;</translation>
    </message>
    <message>
        <source>--rows、--row-names 和 --all 只能用一个</source>
        <translation>give only one of --rows, --row-names and --all</translation>
    </message>
    <message>
        <source>没有名为“%1”的表</source>
        <translation>no table named &quot;%1&quot;</translation>
    </message>
    <message>
        <source>表「%1」没有“%2”这个数值列（数值列：%3）</source>
        <translation>table &quot;%1&quot; has no value column &quot;%2&quot; (value columns: %3)</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>公式“%1”：%2</source>
        <translation>formula &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>保存会被拒绝（原因见上），%1 没有任何改动。</source>
        <translation>The save would be refused (see above); %1 was not changed.</translation>
    </message>
    <message numerus="yes">
        <source>%n 行放不下（见上），%1 没有任何改动。</source>
        <translation>
            <numerusform>%n row does not fit (see above); %1 was not changed.</numerusform>
            <numerusform>%n rows do not fit (see above); %1 was not changed.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>表「%1」只有 %n 行，没有第 %2 行</source>
        <translation>
            <numerusform>table &quot;%1&quot; has only %n row, there is no row %2</numerusform>
            <numerusform>table &quot;%1&quot; has only %n rows, there is no row %2</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TableFiles</name>
    <message>
        <source>无法读取 %1：%2</source>
        <translation>Cannot read %1: %2</translation>
    </message>
    <message>
        <source>无法读取 %1：文件有 %2 字节，超过 64 MiB，不会是导出的数据表。</source>
        <translation>Cannot read %1: the file has %2 bytes, over 64 MiB; it cannot be exported tables.</translation>
    </message>
    <message>
        <source>无法读取 %1：内容超过 64 MiB，不会是导出的数据表。</source>
        <translation>Cannot read %1: its content is over 64 MiB; it cannot be exported tables.</translation>
    </message>
    <message>
        <source>两个映像都会导出到 %1，请分开导出</source>
        <translation>two images would both be exported to %1; export them separately</translation>
    </message>
    <message>
        <source>无法写入 %1：%2。这个文件没有写入%3。</source>
        <translation>Cannot write %1: %2. This file was not written%3.</translation>
    </message>
    <message>
        <source>，原有的文件保持原样</source>
        <translation>; the existing file is as it was</translation>
    </message>
    <message>
        <source>命令已完成，%1 无需改动</source>
        <translation>The command is done; %1 needed no change</translation>
    </message>
    <message numerus="yes">
        <source>%1：改动了 %n 个字节</source>
        <translation>
            <numerusform>%1: %n byte changed</numerusform>
            <numerusform>%1: %n bytes changed</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 已经写入（改动了 %n 个字节）</source>
        <translation>
            <numerusform>%1 was written (%n byte changed)</numerusform>
            <numerusform>%1 was written (%n bytes changed)</numerusform>
        </translation>
    </message>
    <message>
        <source>导出不能写到映像文件 %1 上，请另选输出文件夹；什么也没有写入。</source>
        <translation>An export cannot be written over the image %1; choose another output folder. Nothing was written.</translation>
    </message>
</context>
<context>
    <name>Tables</name>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>%1 等 %2 个</source>
        <translation>%1 and more, %2 in all</translation>
    </message>
    <message>
        <source>这一列不显示代码的名称</source>
        <translation>this column does not show the names of codes</translation>
    </message>
    <message>
        <source>&quot;%1&quot; 不是这一列任何代码的名称</source>
        <translation>&quot;%1&quot; is not the name of any code of this column</translation>
    </message>
    <message>
        <source>&quot;%1&quot; 是多个代码的名称（%2），无法确定是哪一个</source>
        <translation>&quot;%1&quot; names several codes (%2); it cannot be told which</translation>
    </message>
    <message>
        <source>价格</source>
        <translation>Price</translation>
    </message>
    <message>
        <source>防御</source>
        <translation>Defence</translation>
    </message>
    <message>
        <source>装备的人</source>
        <translation>Users</translation>
    </message>
    <message>
        <source>人类武器</source>
        <translation>Weapons</translation>
    </message>
    <message>
        <source>攻击</source>
        <translation>Attack</translation>
    </message>
    <message>
        <source>攻击范围</source>
        <translation>Range</translation>
    </message>
    <message>
        <source>手/足防具</source>
        <translation>Hand/foot armour</translation>
    </message>
    <message>
        <source>头防具</source>
        <translation>Head armour</translation>
    </message>
    <message>
        <source>体防具</source>
        <translation>Body armour</translation>
    </message>
    <message>
        <source>护甲</source>
        <translation>Armour</translation>
    </message>
    <message>
        <source>怪物</source>
        <translation>Monsters</translation>
    </message>
    <message>
        <source>强度</source>
        <translation>Level</translation>
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
        <source>速度</source>
        <translation>Speed</translation>
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
        <source>攻击方式1</source>
        <translation>Attack 1</translation>
    </message>
    <message>
        <source>攻击方式2</source>
        <translation>Attack 2</translation>
    </message>
    <message>
        <source>攻击方式3</source>
        <translation>Attack 3</translation>
    </message>
    <message>
        <source>攻击方式4</source>
        <translation>Attack 4</translation>
    </message>
    <message>
        <source>攻击方式5</source>
        <translation>Attack 5</translation>
    </message>
    <message>
        <source>攻击方式6</source>
        <translation>Attack 6</translation>
    </message>
    <message>
        <source>战利品(&lt;3回合)</source>
        <translation>Loot (&lt;3 turns)</translation>
    </message>
    <message>
        <source>战利品(&gt;3回合)</source>
        <translation>Loot (&gt;3 turns)</translation>
    </message>
    <message>
        <source>%1 到 %2</source>
        <translation>%1 to %2</translation>
    </message>
    <message>
        <source>表「%1」 第 %2 行「%3」 列「%4」: &quot;%5&quot; %6</source>
        <translation>table &quot;%1&quot; row %2 &quot;%3&quot; column &quot;%4&quot;: &quot;%5&quot; %6</translation>
    </message>
    <message>
        <source>超出范围 %1</source>
        <translation>out of range %1</translation>
    </message>
    <message>
        <source>不是数字</source>
        <translation>not a number</translation>
    </message>
    <message>
        <source>代码超出范围 %1</source>
        <translation>code out of range %1</translation>
    </message>
    <message>
        <source>表「%1」 第 %2 行「%3」 列「%4」: &quot;%5&quot; -&gt; &quot;%6&quot;</source>
        <translation>table &quot;%1&quot; row %2 &quot;%3&quot; column &quot;%4&quot;: &quot;%5&quot; -&gt; &quot;%6&quot;</translation>
    </message>
    <message>
        <source>没有修改。</source>
        <translation>No changes.</translation>
    </message>
    <message>
        <source>修改 %1 处：</source>
        <translation>Changes: %1</translation>
    </message>
    <message>
        <source>道具</source>
        <translation>Items</translation>
    </message>
    <message>
        <source>通辑犯</source>
        <translation>Wanted</translation>
    </message>
    <message>
        <source>赏金</source>
        <translation>Bounty</translation>
    </message>
    <message>
        <source>人物</source>
        <translation>Characters</translation>
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
        <translation>Red Wolf&apos;s HP</translation>
    </message>
    <message>
        <source>客房</source>
        <translation>Hotel rooms</translation>
    </message>
    <message>
        <source>没有可粘贴的内容</source>
        <translation>nothing to paste</translation>
    </message>
    <message>
        <source>表中没有这个名称的行（粘贴内容第 %1 行）</source>
        <translation>the table has no row of this name (pasted line %1)</translation>
    </message>
    <message>
        <source>超出表的列数</source>
        <translation>more columns than the table has</translation>
    </message>
    <message>
        <source>主炮</source>
        <translation>Main guns</translation>
    </message>
    <message>
        <source>重量</source>
        <translation>Weight</translation>
    </message>
    <message>
        <source>弹仓</source>
        <translation>Ammo</translation>
    </message>
    <message>
        <source>副炮</source>
        <translation>Sub guns</translation>
    </message>
    <message>
        <source>特殊炮</source>
        <translation>Special guns</translation>
    </message>
    <message>
        <source>炮弹价</source>
        <translation>Shell price</translation>
    </message>
    <message>
        <source>控制系统</source>
        <translation>Control systems</translation>
    </message>
    <message>
        <source>引擎</source>
        <translation>Engines</translation>
    </message>
    <message>
        <source>载重</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>特殊炮弹</source>
        <translation>Special shells</translation>
    </message>
    <message>
        <source>战车道具</source>
        <translation>Tank items</translation>
    </message>
    <message>
        <source>战车</source>
        <translation>Tanks</translation>
    </message>
    <message>
        <source>防御上限</source>
        <translation>Max defence</translation>
    </message>
    <message>
        <source>租车装甲</source>
        <translation>Rental armour</translation>
    </message>
    <message>
        <source>装备8</source>
        <translation>Equip 8</translation>
    </message>
    <message>
        <source>道具4</source>
        <translation>Item 4</translation>
    </message>
    <message>
        <source>保存不会改动任何字节。</source>
        <translation>The save would not change any bytes.</translation>
    </message>
    <message numerus="yes">
        <source>保存会被拒绝：有 %n 个单元格的值无效，文件不会有任何改动。</source>
        <translation>
            <numerusform>The save would be refused: %n cell holds an invalid value; nothing in the file would change.</numerusform>
            <numerusform>The save would be refused: %n cells hold invalid values; nothing in the file would change.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>保存将改动 %n 个字节：</source>
        <translation>
            <numerusform>The save would change %n byte:</numerusform>
            <numerusform>The save would change %n bytes:</numerusform>
        </translation>
    </message>
    <message>
        <source>表「%1」 列「%2」: &quot;%3&quot; %4</source>
        <translation>table &quot;%1&quot; column &quot;%2&quot;: &quot;%3&quot; %4</translation>
    </message>
    <message numerus="yes">
        <source>列表从这一行起只有 %n 行，粘贴的行太多</source>
        <translation>
            <numerusform>the list has only %n row from this one on; too many rows pasted</numerusform>
            <numerusform>the list has only %n rows from this one on; too many rows pasted</numerusform>
        </translation>
    </message>
</context>
</TS>
