<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
<context>
    <name>baler</name>
    <message>
        <source>Browse for Folder where the PAK file will be extracted</source>
        <translation>选择要将 PAK 文件解包到的文件夹</translation>
    </message>
    <message>
        <source>There is no archive to extract: the chosen file could not be read as a PAK file.</source>
        <translation>没有可解包的归档：所选文件无法作为 PAK 文件读取。</translation>
    </message>
    <message>
        <source>The file is shorter than a PAK file&apos;s header or does not begin with its signature.</source>
        <translation>该文件比 PAK 文件头还短，或者不以 PAK 签名开头。</translation>
    </message>
    <message>
        <source>The PAK file changed after it was listed, so nothing was extracted.
It has been read again: check the list and extract again.</source>
        <translation>PAK 文件在列出后发生了变化，因此未解包任何内容。
已重新读取：请检查列表后再次解包。</translation>
    </message>
    <message>
        <source>1 file in %2 was changed after it was extracted: %3. Replace it with the archive&apos;s version?</source>
        <translation>%2 中有 1 个文件在解包后被修改：%3。要用归档中的版本替换它吗？</translation>
    </message>
    <message>
        <source>%1 files in %2 were changed after they were extracted: %3. Replace them with the archive&apos;s version?</source>
        <translation>%2 中有 %1 个文件在解包后被修改：%3。要用归档中的版本替换它们吗？</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>以及另外 %1 个</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>替换</translation>
    </message>
    <message>
        <source>Keep my files</source>
        <translation>保留我的文件</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Extract Selected Files…</source>
        <translation>解包所选文件…</translation>
    </message>
    <message>
        <source>Extract All Files</source>
        <translation>解包全部文件</translation>
    </message>
    <message>
        <source>Replace Entry…</source>
        <translation>替换条目…</translation>
    </message>
    <message>
        <source>All files (*.*)|*.*</source>
        <translation>所有文件 (*.*)|*.*</translation>
    </message>
    <message>
        <source>Replace the entry %1 in %2 with %3? The archive is rewritten; every other entry stays as it is.</source>
        <translation>用 %3 替换 %2 中的条目 %1？归档将被重写；其他所有条目保持不变。</translation>
    </message>
    <message>
        <source>Replacing</source>
        <translation>正在替换</translation>
    </message>
    <message>
        <source>%1 replaced in %2</source>
        <translation>已替换 %2 中的 %1</translation>
    </message>
    <message>
        <source>The PAK file changed after it was listed, so no entry was replaced and nothing was written.
It has been read again: check the list and replace the entry again.</source>
        <translation>PAK 文件在列出后已被更改，因此没有替换任何条目，也没有写入任何内容。
已重新读取：请检查列表，然后再次替换条目。</translation>
    </message>
    <message>
        <source>Invalid file</source>
        <translation>无效的文件</translation>
    </message>
    <message>
        <source>Extracting</source>
        <translation>正在解包</translation>
    </message>
    <message>
        <source>Opening</source>
        <translation>正在打开</translation>
    </message>
    <message>
        <source>%1 extracted into %2</source>
        <translation>已将 %1 解包到 %2</translation>
    </message>
    <message>
        <source>Extraction stopped: %1 extracted into %2</source>
        <translation>解包已停止：已将 %1 解包到 %2</translation>
    </message>
    <message>
        <source>Extract each of the %1 archives into a folder of its name in %2?</source>
        <translation>将这 %1 个归档分别解压到 %2 中以其名称命名的文件夹？</translation>
    </message>
    <message>
        <source>Extract Each</source>
        <translation>分别解压</translation>
    </message>
    <message>
        <source>%1 and %2 would both be extracted into %3, so nothing was extracted.</source>
        <translation>%1 和 %2 都会被解压到 %3，因此没有解压任何内容。</translation>
    </message>
    <message>
        <source>%1 archives extracted into %2</source>
        <translation>已将 %1 个归档解压到 %2</translation>
    </message>
    <message>
        <source>%1 of %3 archives extracted into %2; not extracted: %4</source>
        <translation>已将 %3 个归档中的 %1 个解压到 %2；未解压：%4</translation>
    </message>
    <message>
        <source>These archives were not extracted in full:</source>
        <translation>以下归档未能完整解压：</translation>
    </message>
    <message>
        <source>Files List Diff</source>
        <translation>文件列表差异</translation>
    </message>
    <message>
        <source>There is a difference between the names of the files that were extracted to the files that you wat to repack. </source>
        <translation>解包出的文件名与您要重新打包的文件名不一致。</translation>
    </message>
    <message>
        <source>The list of files that were added:</source>
        <translation>新增的文件：</translation>
    </message>
    <message>
        <source>The list of files that were deleted:</source>
        <translation>删除的文件：</translation>
    </message>
    <message>
        <source>Continue with Packing</source>
        <translation>继续打包</translation>
    </message>
    <message>
        <source>Cancel the Packing</source>
        <translation>取消打包</translation>
    </message>
    <message>
        <source>Browse for Folder where the ogg files are</source>
        <translation>选择 OGG 文件所在的文件夹</translation>
    </message>
    <message>
        <source>The repack was canceled by your request</source>
        <translation>已按您的要求取消打包</translation>
    </message>
    <message>
        <source>Repack Canceled</source>
        <translation>打包已取消</translation>
    </message>
    <message>
        <source>%1

The file is no longer in the folder.</source>
        <translation>%1

该文件已不在文件夹中。</translation>
    </message>
    <message>
        <source>Packing</source>
        <translation>正在打包</translation>
    </message>
    <message>
        <source>%1 packed into %2</source>
        <translation>已将 %1 打包到 %2</translation>
    </message>
    <message>
        <source>%1 packed into %2 (%3)</source>
        <translation>已将 %1 打包到 %2（%3）</translation>
    </message>
    <message>
        <source>Packing stopped: %1 was left as it was</source>
        <translation>打包已停止：%1 保持原样</translation>
    </message>
    <message>
        <source>%1 more file not packed</source>
        <translation>另有 %1 个文件未打包</translation>
    </message>
    <message>
        <source>%1 more files not packed</source>
        <translation>另有 %1 个文件未打包</translation>
    </message>
    <message>
        <source>%1 byte</source>
        <translation>%1 字节</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>%1 字节</translation>
    </message>
    <message>
        <source>%1 KB</source>
        <translation>%1 KB</translation>
    </message>
    <message>
        <source>%1 MB</source>
        <translation>%1 MB</translation>
    </message>
    <message>
        <source>%1 GB</source>
        <translation>%1 GB</translation>
    </message>
    <message>
        <source>%1 TB</source>
        <translation>%1 TB</translation>
    </message>
    <message>
        <source>.</source>
        <translation>.</translation>
    </message>
    <message>
        <source>%1 entry, %2</source>
        <translation>%1 项，%2</translation>
    </message>
    <message>
        <source>%1 entries, %2</source>
        <translation>%1 项，%2</translation>
    </message>
    <message>
        <source>%1 of %2 entry, %3</source>
        <translation>%1/%2 项，%3</translation>
    </message>
    <message>
        <source>%1 of %2 entries, %3</source>
        <translation>%1/%2 项，%3</translation>
    </message>
    <message>
        <source>%1 file, %2</source>
        <translation>%1 个文件，%2</translation>
    </message>
    <message>
        <source>%1 files, %2</source>
        <translation>%1 个文件，%2</translation>
    </message>
    <message>
        <source>%1 of %2 file, %3</source>
        <translation>%1/%2 个文件，%3</translation>
    </message>
    <message>
        <source>%1 of %2 files, %3</source>
        <translation>%1/%2 个文件，%3</translation>
    </message>
    <message>
        <source>Error %1</source>
        <translation>错误 %1</translation>
    </message>
    <message>
        <source>Could not get the path of the selected folder</source>
        <translation>无法获取所选文件夹的路径</translation>
    </message>
    <message>
        <source>Invalid window handle</source>
        <translation>无效的窗口句柄</translation>
    </message>
    <message>
        <source>CBrowseForFolder component failure</source>
        <translation>CBrowseForFolder 组件故障</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>文件</translation>
    </message>
    <message>
        <source>PAK file:</source>
        <translation>文件：</translation>
    </message>
    <message>
        <source>Directory:</source>
        <translation>目录：</translation>
    </message>
    <message>
        <source>Click or press Enter to open the folder</source>
        <translation>单击或按 Enter 键打开文件夹</translation>
    </message>
    <message>
        <source>Select File</source>
        <translation>选择文件</translation>
    </message>
    <message>
        <source>Select Dir</source>
        <translation>选择目录</translation>
    </message>
    <message>
        <source>Extract Files</source>
        <translation>解包文件</translation>
    </message>
    <message>
        <source>Pack Files</source>
        <translation>打包文件</translation>
    </message>
    <message>
        <source>Show only names containing…</source>
        <translation>只显示名称包含…</translation>
    </message>
    <message>
        <source>Not opened: %1

It has no extension, so it is not one of the sounds, pictures, text or game files opened from here: a file of another kind could run as a program. Nothing was written.</source>
        <translation>未打开：%1

它没有扩展名，因此不属于可在此打开的声音、图片、文本或游戏文件：其他类型的文件可能会作为程序运行。未写入任何内容。</translation>
    </message>
    <message>
        <source>Not opened: %1

Its extension, &quot;.%2&quot;, is not one of the sounds, pictures, text or game files opened from here: a file of another kind could run as a program. Nothing was written.</source>
        <translation>未打开：%1

其扩展名“.%2”不属于可在此打开的声音、图片、文本或游戏文件：其他类型的文件可能会作为程序运行。未写入任何内容。</translation>
    </message>
    <message>
        <source>No such folder</source>
        <translation>没有这个文件夹</translation>
    </message>
    <message>
        <source>Not a file</source>
        <translation>不是文件</translation>
    </message>
    <message>
        <source>Sort by Name</source>
        <translation>按名称排序</translation>
    </message>
    <message>
        <source>Sort by Size</source>
        <translation>按大小排序</translation>
    </message>
    <message>
        <source>Archive Order</source>
        <translation>归档中的顺序</translation>
    </message>
    <message>
        <source>Could not open the folder</source>
        <translation>无法打开文件夹</translation>
    </message>
    <message>
        <source>%1…</source>
        <translation>%1…</translation>
    </message>
    <message>
        <source>Stopping…</source>
        <translation>正在停止…</translation>
    </message>
    <message>
        <source>Reading</source>
        <translation>正在读取</translation>
    </message>
    <message>
        <source>%1 file</source>
        <translation>%1 个文件</translation>
    </message>
    <message>
        <source>%1 files</source>
        <translation>%1 个文件</translation>
    </message>
    <message>
        <source>Could not open %1

The system has no program set to open files of this kind.</source>
        <translation>无法打开 %1

系统中没有设置用于打开此类文件的程序。</translation>
    </message>
    <message>
        <source>%1 %2 of %3</source>
        <translation>%1 %2 / %3</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 / %2</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1，%2</translation>
    </message>
    <message>
        <source>PAK archives (*.pak)|*.pak</source>
        <translation>PAK 归档 (*.pak)|*.pak</translation>
    </message>
    <message>
        <source>%1
Path does not exist.
Check the path and try again.</source>
        <translation>%1
路径不存在。
请检查路径后重试。</translation>
    </message>
    <message>
        <source>Usage: unbaler [ARCHIVE [FOLDER]]
Starts with the PAK file ARCHIVE read and FOLDER chosen to extract it into.
</source>
        <translation>用法：unbaler [归档 [文件夹]]
启动时读取 PAK 文件“归档”，并选定“文件夹”作为解包目标。
</translation>
    </message>
    <message>
        <source>       unbaler ARCHIVE.pak ARCHIVE.pak... [FOLDER]
Offers to extract each ARCHIVE into a folder of its name in FOLDER.
</source>
        <translation>       unbaler 归档.pak 归档.pak... [文件夹]
提议将每个归档分别解压到“文件夹”中以其名称命名的文件夹。
</translation>
    </message>
    <message>
        <source>Usage: rebaler [FOLDER [ARCHIVE]]
Starts with FOLDER chosen to pack and ARCHIVE as the PAK file to write.
</source>
        <translation>用法：rebaler [文件夹 [归档]]
启动时选定要打包的“文件夹”，并以“归档”作为要写入的 PAK 文件。
</translation>
    </message>
    <message>
        <source>Unknown option: %1</source>
        <translation>未知选项：%1</translation>
    </message>
    <message>
        <source>An empty path was given.</source>
        <translation>给出了空路径。</translation>
    </message>
    <message>
        <source>Too many paths were given.</source>
        <translation>给出的路径过多。</translation>
    </message>
</context>
</TS>
