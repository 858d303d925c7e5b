<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja" sourcelanguage="en">
<context>
    <name>baler</name>
    <message>
        <source>Browse for Folder where the PAK file will be extracted</source>
        <translation>PAK ファイルの展開先フォルダーを選択</translation>
    </message>
    <message>
        <source>There is no archive to extract: the chosen file could not be read as a PAK file.</source>
        <translation>展開するアーカイブがありません: 選択したファイルを PAK ファイルとして読み込めませんでした。</translation>
    </message>
    <message>
        <source>The file is shorter than a PAK file&apos;s header or does not begin with its signature.</source>
        <translation>ファイルが PAK ファイルのヘッダーより短いか、そのシグネチャで始まっていません。</translation>
    </message>
    <message>
        <source>The PAK file changed after it was listed, so nothing was extracted.
It has been read again: check the list and extract again.</source>
        <translation>一覧の表示後に PAK ファイルが変更されたため、何も展開されませんでした。
読み込み直しました: 一覧を確認して、もう一度展開してください。</translation>
    </message>
    <message>
        <source>1 file in %2 was changed after it was extracted: %3. Replace it with the archive&apos;s version?</source>
        <translation>%2 の 1 個のファイルが展開後に変更されています: %3。アーカイブの内容で置き換えますか？</translation>
    </message>
    <message>
        <source>%1 files in %2 were changed after they were extracted: %3. Replace them with the archive&apos;s version?</source>
        <translation>%2 の %1 個のファイルが展開後に変更されています: %3。アーカイブの内容で置き換えますか？</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>ほか %1 個</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>置き換える</translation>
    </message>
    <message>
        <source>Keep my files</source>
        <translation>自分のファイルを残す</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Extract Selected Files…</source>
        <translation>選択したファイルを展開…</translation>
    </message>
    <message>
        <source>Extract All Files</source>
        <translation>すべてのファイルを展開</translation>
    </message>
    <message>
        <source>Replace Entry…</source>
        <translation>エントリを置き換え…</translation>
    </message>
    <message>
        <source>All files (*.*)|*.*</source>
        <translation>すべてのファイル (*.*)|*.*</translation>
    </message>
    <message>
        <source>Replace the entry %1 in %2 with %3? The archive is rewritten; every other entry stays as it is.</source>
        <translation>%2 のエントリ %1 を %3 で置き換えますか？アーカイブは書き直されますが、ほかのエントリはそのままです。</translation>
    </message>
    <message>
        <source>Replacing</source>
        <translation>置き換え中</translation>
    </message>
    <message>
        <source>%1 replaced in %2</source>
        <translation>%2 の %1 を置き換えました</translation>
    </message>
    <message>
        <source>The PAK file changed after it was listed, so no entry was replaced and nothing was written.
It has been read again: check the list and replace the entry again.</source>
        <translation>一覧表示の後に PAK ファイルが変更されたため、エントリは置き換えられず、何も書き込まれませんでした。
ファイルを読み直しました。一覧を確認して、もう一度エントリを置き換えてください。</translation>
    </message>
    <message>
        <source>Invalid file</source>
        <translation>無効なファイル</translation>
    </message>
    <message>
        <source>Extracting</source>
        <translation>展開中</translation>
    </message>
    <message>
        <source>Opening</source>
        <translation>開いています</translation>
    </message>
    <message>
        <source>%1 extracted into %2</source>
        <translation>%1 を %2 に展開しました</translation>
    </message>
    <message>
        <source>Extraction stopped: %1 extracted into %2</source>
        <translation>展開を中止しました: %1 を %2 に展開しました</translation>
    </message>
    <message>
        <source>Extract each of the %1 archives into a folder of its name in %2?</source>
        <translation>%1 個のアーカイブを、それぞれ %2 内の同じ名前のフォルダーに展開しますか？</translation>
    </message>
    <message>
        <source>Extract Each</source>
        <translation>それぞれ展開</translation>
    </message>
    <message>
        <source>%1 and %2 would both be extracted into %3, so nothing was extracted.</source>
        <translation>%1 と %2 はどちらも %3 に展開されることになるため、何も展開しませんでした。</translation>
    </message>
    <message>
        <source>%1 archives extracted into %2</source>
        <translation>%1 個のアーカイブを %2 に展開しました</translation>
    </message>
    <message>
        <source>%1 of %3 archives extracted into %2; not extracted: %4</source>
        <translation>%3 個中 %1 個のアーカイブを %2 に展開しました。展開されなかったもの: %4</translation>
    </message>
    <message>
        <source>These archives were not extracted in full:</source>
        <translation>次のアーカイブは完全には展開されませんでした:</translation>
    </message>
    <message>
        <source>Files List Diff</source>
        <translation>ファイル一覧の相違</translation>
    </message>
    <message>
        <source>There is a difference between the names of the files that were extracted to the files that you wat to repack. </source>
        <translation>展開したファイルの名前と、再パックしようとしているファイルの名前が異なります。</translation>
    </message>
    <message>
        <source>The list of files that were added:</source>
        <translation>追加されたファイル:</translation>
    </message>
    <message>
        <source>The list of files that were deleted:</source>
        <translation>削除されたファイル:</translation>
    </message>
    <message>
        <source>Continue with Packing</source>
        <translation>パックを続行</translation>
    </message>
    <message>
        <source>Cancel the Packing</source>
        <translation>パックを中止</translation>
    </message>
    <message>
        <source>Browse for Folder where the ogg files are</source>
        <translation>OGG ファイルのあるフォルダーを選択</translation>
    </message>
    <message>
        <source>The repack was canceled by your request</source>
        <translation>ご要望によりパックを中止しました</translation>
    </message>
    <message>
        <source>Repack Canceled</source>
        <translation>パックを中止しました</translation>
    </message>
    <message>
        <source>%1

The file is no longer in the folder.</source>
        <translation>%1

このファイルはもうフォルダーにありません。</translation>
    </message>
    <message>
        <source>Packing</source>
        <translation>パック中</translation>
    </message>
    <message>
        <source>%1 packed into %2</source>
        <translation>%1 を %2 にパックしました</translation>
    </message>
    <message>
        <source>%1 packed into %2 (%3)</source>
        <translation>%1 を %2 にパックしました (%3)</translation>
    </message>
    <message>
        <source>Packing stopped: %1 was left as it was</source>
        <translation>パックを中止しました: %1 は元のままです</translation>
    </message>
    <message>
        <source>%1 more file not packed</source>
        <translation>ほかに %1 個のファイルがパックされていません</translation>
    </message>
    <message>
        <source>%1 more files not packed</source>
        <translation>ほかに %1 個のファイルがパックされていません</translation>
    </message>
    <message>
        <source>%1 byte</source>
        <translation>%1 バイト</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>%1 バイト</translation>
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
        <translation>%1 項目、%2</translation>
    </message>
    <message>
        <source>%1 entries, %2</source>
        <translation>%1 項目、%2</translation>
    </message>
    <message>
        <source>%1 of %2 entry, %3</source>
        <translation>%1/%2 項目、%3</translation>
    </message>
    <message>
        <source>%1 of %2 entries, %3</source>
        <translation>%1/%2 項目、%3</translation>
    </message>
    <message>
        <source>%1 file, %2</source>
        <translation>%1 個のファイル、%2</translation>
    </message>
    <message>
        <source>%1 files, %2</source>
        <translation>%1 個のファイル、%2</translation>
    </message>
    <message>
        <source>%1 of %2 file, %3</source>
        <translation>%1/%2 個のファイル、%3</translation>
    </message>
    <message>
        <source>%1 of %2 files, %3</source>
        <translation>%1/%2 個のファイル、%3</translation>
    </message>
    <message>
        <source>Error %1</source>
        <translation>エラー %1</translation>
    </message>
    <message>
        <source>Could not get the path of the selected folder</source>
        <translation>選択したフォルダーのパスを取得できませんでした</translation>
    </message>
    <message>
        <source>Invalid window handle</source>
        <translation>無効なウィンドウ ハンドル</translation>
    </message>
    <message>
        <source>CBrowseForFolder component failure</source>
        <translation>CBrowseForFolder コンポーネントのエラー</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>ファイル</translation>
    </message>
    <message>
        <source>PAK file:</source>
        <translation>ファイル:</translation>
    </message>
    <message>
        <source>Directory:</source>
        <translation>フォルダー:</translation>
    </message>
    <message>
        <source>Click or press Enter to open the folder</source>
        <translation>クリックするか Enter キーを押すとフォルダーを開きます</translation>
    </message>
    <message>
        <source>Select File</source>
        <translation>ファイル選択</translation>
    </message>
    <message>
        <source>Select Dir</source>
        <translation>フォルダー選択</translation>
    </message>
    <message>
        <source>Extract Files</source>
        <translation>展開</translation>
    </message>
    <message>
        <source>Pack Files</source>
        <translation>パック</translation>
    </message>
    <message>
        <source>Show only names containing…</source>
        <translation>名前に含む文字で絞り込み…</translation>
    </message>
    <message>
        <source>Not opened: %1

It has no extension, so it is not one of the sounds, pictures, text or game files opened from here: a file of another kind could run as a program. Nothing was written.</source>
        <translation>開きませんでした: %1

拡張子がないため、ここから開けるサウンド、画像、テキスト、ゲームのファイルのいずれでもありません。ほかの種類のファイルはプログラムとして実行されるおそれがあります。何も書き込んでいません。</translation>
    </message>
    <message>
        <source>Not opened: %1

Its extension, &quot;.%2&quot;, is not one of the sounds, pictures, text or game files opened from here: a file of another kind could run as a program. Nothing was written.</source>
        <translation>開きませんでした: %1

拡張子「.%2」は、ここから開けるサウンド、画像、テキスト、ゲームのファイルのいずれでもありません。ほかの種類のファイルはプログラムとして実行されるおそれがあります。何も書き込んでいません。</translation>
    </message>
    <message>
        <source>No such folder</source>
        <translation>フォルダーが見つかりません</translation>
    </message>
    <message>
        <source>Not a file</source>
        <translation>ファイルではありません</translation>
    </message>
    <message>
        <source>Sort by Name</source>
        <translation>名前順に並べ替え</translation>
    </message>
    <message>
        <source>Sort by Size</source>
        <translation>サイズ順に並べ替え</translation>
    </message>
    <message>
        <source>Archive Order</source>
        <translation>アーカイブ内の順序</translation>
    </message>
    <message>
        <source>Could not open the folder</source>
        <translation>フォルダーを開けませんでした</translation>
    </message>
    <message>
        <source>%1…</source>
        <translation>%1…</translation>
    </message>
    <message>
        <source>Stopping…</source>
        <translation>中止しています…</translation>
    </message>
    <message>
        <source>Reading</source>
        <translation>読み込み中</translation>
    </message>
    <message>
        <source>%1 file</source>
        <translation>%1 個のファイル</translation>
    </message>
    <message>
        <source>%1 files</source>
        <translation>%1 個のファイル</translation>
    </message>
    <message>
        <source>Could not open %1

The system has no program set to open files of this kind.</source>
        <translation>%1 を開けませんでした

この種類のファイルを開くプログラムがシステムに設定されていません。</translation>
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
        <translation>%1、%2</translation>
    </message>
    <message>
        <source>PAK archives (*.pak)|*.pak</source>
        <translation>PAK アーカイブ (*.pak)|*.pak</translation>
    </message>
    <message>
        <source>%1
Path does not exist.
Check the path and try again.</source>
        <translation>%1
パスが存在しません。
パスを確認して、もう一度やり直してください。</translation>
    </message>
    <message>
        <source>Usage: unbaler [ARCHIVE [FOLDER]]
Starts with the PAK file ARCHIVE read and FOLDER chosen to extract it into.
</source>
        <translation>使い方: unbaler [アーカイブ [フォルダー]]
PAK ファイル「アーカイブ」を読み込み、展開先に「フォルダー」を選んだ状態で起動します。
</translation>
    </message>
    <message>
        <source>       unbaler ARCHIVE.pak ARCHIVE.pak... [FOLDER]
Offers to extract each ARCHIVE into a folder of its name in FOLDER.
</source>
        <translation>       unbaler アーカイブ.pak アーカイブ.pak... [フォルダー]
各「アーカイブ」を「フォルダー」内の同じ名前のフォルダーに展開するよう提案します。
</translation>
    </message>
    <message>
        <source>Usage: rebaler [FOLDER [ARCHIVE]]
Starts with FOLDER chosen to pack and ARCHIVE as the PAK file to write.
</source>
        <translation>使い方: rebaler [フォルダー [アーカイブ]]
パックする「フォルダー」と、書き込む PAK ファイル「アーカイブ」を選んだ状態で起動します。
</translation>
    </message>
    <message>
        <source>Unknown option: %1</source>
        <translation>不明なオプション: %1</translation>
    </message>
    <message>
        <source>An empty path was given.</source>
        <translation>空のパスが指定されました。</translation>
    </message>
    <message>
        <source>Too many paths were given.</source>
        <translation>指定されたパスが多すぎます。</translation>
    </message>
</context>
</TS>
