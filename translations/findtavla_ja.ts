<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="en">
<context>
    <name>findTavla</name>
    <message>
        <source>There is not enough memory. Close other programs and try again.</source>
        <translation>メモリーが足りません。ほかのプログラムを終了してから、もう一度実行してください。</translation>
    </message>
    <message>
        <source>A file or folder could not be used. Check that it exists and that you may read and write it.</source>
        <translation>ファイルまたはフォルダーを使えませんでした。それがあること、読み書きできることを確かめてください。</translation>
    </message>
    <message>
        <source>The command could not be completed.</source>
        <translation>コマンドを最後まで実行できませんでした。</translation>
    </message>
    <message>
        <source>cannot write the output</source>
        <translation>出力を書き込めません</translation>
    </message>
    <message>
        <source>an interrupted registration could not be tidied up: %1</source>
        <translation>中断された登録の後片付けができませんでした: %1</translation>
    </message>
    <message>
        <source>--jgd2000 names a realisation of the world datum, but the current datum is 1 (日本測地系)</source>
        <translation>--jgd2000 は世界測地系の版を指定するものですが、現在の測地系は 1 (日本測地系) です</translation>
    </message>
    <message>
        <source>Try &apos;%1 --help&apos;.</source>
        <translation>使い方は「%1 --help」で表示できます。</translation>
    </message>
    <message>
        <source>an empty path names no file or folder</source>
        <translation>空のパスはファイルもフォルダーも指していません</translation>
    </message>
    <message>
        <source>no such file or folder</source>
        <translation>ファイルまたはフォルダーがありません</translation>
    </message>
    <message>
        <source>not a folder or a .hed file</source>
        <translation>フォルダーでも .hed ファイルでもありません</translation>
    </message>
    <message>
        <source>%1: not listed: its .pol, .pnt or .atr is missing</source>
        <translation>%1: .pol, .pnt, .atr のそろっていないデータのため、対象にしませんでした</translation>
    </message>
    <message>
        <source>%1: folder passed by: it cannot be read</source>
        <translation>%1: 読み込めなかったフォルダーのため、飛ばしました</translation>
    </message>
    <message>
        <source>the folder cannot be read</source>
        <translation>フォルダーを読み込めません</translation>
    </message>
    <message>
        <source>the registration driver gave no answer</source>
        <translation>登録処理から結果が返りませんでした</translation>
    </message>
    <message>
        <source>%1: already registered</source>
        <translation>%1: 登録済みです</translation>
    </message>
    <message>
        <source>The catalogue could not be read or written. Try again; if it fails again, the catalogue may be damaged: move it out of the data folder and register the data again.</source>
        <translation>カタログを読み書きできませんでした。もう一度実行してください。再び失敗する場合はカタログが壊れているおそれがあります。カタログをデータフォルダーの外へ移してから、データを登録し直してください。</translation>
    </message>
    <message>
        <source>The catalogue %1 is in use by another findTavla; try again when it has finished.</source>
        <translation>カタログ %1 は他のfindTavlaが使用中です。終わってからもう一度実行してください。</translation>
    </message>
    <message>
        <source>The catalogue %1 cannot be opened. Check that the data folder exists and that you may write in it.</source>
        <translation>カタログ %1 を開けません。データフォルダーがあること、そこに書き込めることを確かめてください。</translation>
    </message>
    <message>
        <source>The catalogue %1 is damaged. Move it out of the data folder and register the data again.</source>
        <translation>カタログ %1 は壊れています。カタログをデータフォルダーの外へ移してから、データを登録し直してください。</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>%1 を読み込めません: %2</translation>
    </message>
    <message>
        <source>record %1: %2</source>
        <translation>%1件目のレコード: %2</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid number</source>
        <translation>「%1」は数値ではありません</translation>
    </message>
    <message>
        <source>Zero byte (NUL) at byte %1</source>
        <translation>ゼロのバイト（NUL、%1バイト目）があります</translation>
    </message>
    <message>
        <source>cannot open %1</source>
        <translation>%1 を開けません</translation>
    </message>
    <message>
        <source>the point lacks its %1 value (the line is cut short)</source>
        <translation>点の %1 の値がありません（行が途中で切れています）</translation>
    </message>
    <message>
        <source>cannot read %1</source>
        <translation>%1 を読み込めません</translation>
    </message>
    <message>
        <source>cannot write %1</source>
        <translation>%1 に書き込めません</translation>
    </message>
    <message>
        <source>drawings</source>
        <translation>図面</translation>
    </message>
    <message>
        <source>parcels</source>
        <translation>筆</translation>
    </message>
    <message>
        <source>parcels of undetermined boundary</source>
        <translation>筆界未定の筆</translation>
    </message>
    <message>
        <source>boundary points</source>
        <translation>筆界点</translation>
    </message>
    <message>
        <source>control points</source>
        <translation>基準点</translation>
    </message>
    <message>
        <source>map sheets</source>
        <translation>図葉</translation>
    </message>
    <message>
        <source>sheet frames</source>
        <translation>図郭</translation>
    </message>
    <message>
        <source>Incomplete CP932 character at byte %1 (end of text): %2</source>
        <translation>途中で切れた CP932 の文字があります（%1バイト目、テキストの終わり）: %2</translation>
    </message>
    <message>
        <source>Invalid CP932 byte sequence at byte %1: %2</source>
        <translation>CP932 として正しくないバイト列があります（%1バイト目）: %2</translation>
    </message>
    <message>
        <source>Incomplete UTF-8 character at byte %1 (end of text): %2</source>
        <translation>途中で切れた UTF-8 の文字があります（%1バイト目、テキストの終わり）: %2</translation>
    </message>
    <message>
        <source>Character %1 at byte %2 cannot be represented in CP932</source>
        <translation>文字 %1（%2バイト目）は CP932 で表せません</translation>
    </message>
    <message>
        <source>Invalid UTF-8 byte sequence at byte %1: %2</source>
        <translation>UTF-8 として正しくないバイト列があります（%1バイト目）: %2</translation>
    </message>
    <message>
        <source>Not enough free disk space: %1. Make room on the disk and try again.</source>
        <translation>ディスクの空きが足りません: %1。ディスクに空きを作ってから、もう一度実行してください。</translation>
    </message>
    <message>
        <source>cannot lock %1</source>
        <translation>%1 をロックできません</translation>
    </message>
    <message>
        <source>cannot find the home folder: HOME is not set</source>
        <translation>ホームフォルダーがわかりません（環境変数 HOME がありません）</translation>
    </message>
    <message>
        <source>Cannot create a file beside %1</source>
        <translation>%1 の隣に一時ファイルを作れません</translation>
    </message>
    <message>
        <source>The replacement of %1 is closed</source>
        <translation>%1 の書き換えはもう閉じられています</translation>
    </message>
    <message>
        <source>Cannot write %1</source>
        <translation>%1 に書き込めません</translation>
    </message>
    <message>
        <source>Cannot replace %1</source>
        <translation>%1 を置き換えられません</translation>
    </message>
    <message>
        <source>Another findTavla is registering in the data folder %1; try again when it has ended.</source>
        <translation>データフォルダ %1 では他のfindTavlaが登録中です。終わってからもう一度実行してください。</translation>
    </message>
    <message>
        <source>it cannot be looked at (%1)</source>
        <translation>調べられません（%1）</translation>
    </message>
    <message>
        <source>is not a file</source>
        <translation>ファイルではありません</translation>
    </message>
    <message>
        <source>cannot be opened for reading</source>
        <translation>読み込み用に開けません</translation>
    </message>
    <message>
        <source>%1 failed</source>
        <translation>%1 が失敗しました</translation>
    </message>
    <message>
        <source>readPntToTable found no point in %1</source>
        <translation>%1 に読み込める点がありません（readPntToTable）</translation>
    </message>
    <message>
        <source>%1 failed for %2</source>
        <translation>%2 を取り込めませんでした（%1）</translation>
    </message>
    <message>
        <source>The request file path %1 holds a double quote and cannot be passed to the viewer</source>
        <translation>表示依頼ファイルのパス %1 は二重引用符を含むため、図面表示プログラムに渡せません</translation>
    </message>
    <message>
        <source>Cannot create the request file %1: %2</source>
        <translation>表示依頼ファイル %1 を作れません: %2</translation>
    </message>
    <message>
        <source>The request file %1 is not a regular file</source>
        <translation>表示依頼ファイル %1 はファイルではありません</translation>
    </message>
    <message>
        <source>The request file %1 does not exist</source>
        <translation>表示依頼ファイル %1 がありません</translation>
    </message>
    <message>
        <source>Cannot open the request file %1</source>
        <translation>表示依頼ファイル %1 を開けません</translation>
    </message>
    <message>
        <source>Cannot read the request file %1: %2</source>
        <translation>表示依頼ファイル %1 を読み込めません: %2</translation>
    </message>
    <message>
        <source>The catalogue %1 cannot be opened. If it is damaged, move it out of the data folder and register the data again; the other datum can be used meanwhile.</source>
        <translation>カタログ %1 を開けません。壊れている場合は、カタログをデータフォルダーの外へ移してから、データを登録し直してください。その間も、もう一方の測地系は使えます。</translation>
    </message>
    <message>
        <source>An unknown error occurred.</source>
        <translation>不明なエラーが起きました。</translation>
    </message>
    <message>
        <source>%1 %2 holds a character that CP932 cannot represent and cannot be passed to the viewer</source>
        <translation>%1 %2 は CP932 で表せない文字を含むため、図面表示プログラムに渡せません</translation>
    </message>
    <message>
        <source>datum %1: deleted rows</source>
        <translation>測地系 %1: 削除した行</translation>
    </message>
    <message>
        <source>; removed working files</source>
        <translation>; 削除した作業ファイル</translation>
    </message>
    <message>
        <source> (none were there)</source>
        <translation> (ありませんでした)</translation>
    </message>
    <message>
        <source>The catalogue no longer holds what was asked for; another findTavla may have deleted it. Search again.</source>
        <translation>カタログに、求めたものがもうありません。ほかのfindTavlaが削除したのかもしれません。もう一度検索してください。</translation>
    </message>
    <message>
        <source>option %1 given twice</source>
        <translation>オプション %1 が2回指定されています</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <translation>%1 というオプションはありません</translation>
    </message>
    <message>
        <source>option %1 takes no value</source>
        <translation>オプション %1 は値を取りません</translation>
    </message>
    <message>
        <source>option %1 needs a value</source>
        <translation>オプション %1 には値が必要です</translation>
    </message>
    <message>
        <source>no command given</source>
        <translation>コマンドが指定されていません</translation>
    </message>
    <message>
        <source>unknown command %1</source>
        <translation>%1 というコマンドはありません</translation>
    </message>
    <message>
        <source>%1 needs a kind: %2</source>
        <translation>%1 には種類を指定してください: %2</translation>
    </message>
    <message>
        <source>unknown %1 kind %2 (%3)</source>
        <translation>%1 に %2 という種類はありません (%3)</translation>
    </message>
    <message>
        <source>option %1 does not apply to %2</source>
        <translation>オプション %1 は %2 には使えません</translation>
    </message>
    <message>
        <source>%1 needs %2 (%3)</source>
        <translation>%1 には %2 が必要です (%3)</translation>
    </message>
    <message>
        <source>%1 needs exactly one of %2</source>
        <translation>%1 には %2 のうち一つだけを指定してください</translation>
    </message>
    <message>
        <source>too many arguments for %1: %2</source>
        <translation>%1 には引数が多すぎます: %2</translation>
    </message>
    <message>
        <source>--jgd2000 names a realisation of the world datum; it does not go with --datum 1</source>
        <translation>--jgd2000 は世界測地系の版を指定するもので、--datum 1 とは一緒に使えません</translation>
    </message>
    <message>
        <source>export needs the GeoPackage file to write first, ending in .gpkg</source>
        <translation>export には最初に、書き出す GeoPackage ファイル (.gpkg で終わる名前) を指定してください</translation>
    </message>
    <message>
        <source>search values must be UTF-8 text</source>
        <translation>検索する値は UTF-8 の文字列で指定してください</translation>
    </message>
    <message>
        <source>--datum must be 1 or 2, not &quot;%1&quot;</source>
        <translation>--datum には 1 か 2 を指定してください (指定された値: 「%1」)</translation>
    </message>
    <message>
        <source>--quiet and --verbose cannot be given together</source>
        <translation>--quiet と --verbose は一緒に指定できません</translation>
    </message>
    <message>
        <source>--format must be tsv, csv or json, not &quot;%1&quot;</source>
        <translation>--format には tsv, csv, json のどれかを指定してください (指定された値: 「%1」)</translation>
    </message>
    <message>
        <source>--mode must be exact, prefix or contains, not &quot;%1&quot;</source>
        <translation>--mode には exact, prefix, contains のどれかを指定してください (指定された値: 「%1」)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no drawing number (FILENO)</source>
        <translation>「%1」は図面番号 (FILENO) ではありません</translation>
    </message>
    <message>
        <source>--drawing needs at least one drawing number (FILENO)</source>
        <translation>--drawing には図面番号 (FILENO) を一つ以上指定してください</translation>
    </message>
    <message>
        <source>Confirms the deletion; without it nothing is deleted.</source>
        <translation>削除を確かめるためのもので、指定しなければ何も削除しません</translation>
    </message>
    <message>
        <source>register needs at least one folder or .hed file</source>
        <translation>register には登録するフォルダーか .hed ファイルを一つ以上指定してください</translation>
    </message>
    <message>
        <source>none of its data sets has its .pol, .pnt and .atr</source>
        <translation>.pol, .pnt, .atr のそろったデータがありません</translation>
    </message>
    <message>
        <source>%1 records</source>
        <translation>%1 件</translation>
    </message>
    <message>
        <source>%1 (without geometry: %2)</source>
        <translation>%1 (形状なし %2)</translation>
    </message>
    <message>
        <source>The export was cancelled; no file was written</source>
        <translation>出力を中止しました。ファイルは作成していません</translation>
    </message>
    <message>
        <source>No drawing could be exported; no file was written</source>
        <translation>出力できる図面がありません。ファイルは作成していません</translation>
    </message>
    <message>
        <source>%1 drawings written to %2 (%3)</source>
        <translation>%2 に %1 図面を出力しました (%3)</translation>
    </message>
    <message>
        <source>Parcels without geometry: no outline %1, outline not closed %2, outline missing points %3</source>
        <translation>形状のない筆: 筆界なし %1、閉じていない筆界 %2、点の欠けた筆界 %3</translation>
    </message>
    <message>
        <source>Outlines of no parcel, %1, were not exported</source>
        <translation>どの筆にも結び付かない筆界 %1 は出力していません</translation>
    </message>
    <message>
        <source>Records without a lot number, %1, were not exported, as registration leaves them out</source>
        <translation>地番のない記録 %1 は登録と同じく出力していません</translation>
    </message>
    <message>
        <source>Of the chosen parcels, %1 were not in the data</source>
        <translation>選んだ筆のうち %1 はデータにありませんでした</translation>
    </message>
    <message>
        <source>%1: files or records that could not be read: %2</source>
        <translation>%1: 読めなかったファイルまたは記録 %2</translation>
    </message>
    <message>
        <source>drawing %1</source>
        <translation>図面 %1</translation>
    </message>
    <message>
        <source>drawing %1 (%2)</source>
        <translation>図面 %1 (%2)</translation>
    </message>
    <message>
        <source>%1 cannot be exported: %2</source>
        <translation>%1 は出力できません: %2</translation>
    </message>
    <message>
        <source>The header&apos;s coordinate system number (KEI) &quot;%1&quot; is not a zone number from 1 to 19</source>
        <translation>ヘッダーの座標系番号 (KEI) &quot;%1&quot; が 1 から 19 の系番号ではありません</translation>
    </message>
    <message>
        <source>The header file (.hed) cannot be read</source>
        <translation>ヘッダーファイル (.hed) を読めません</translation>
    </message>
    <message>
        <source>No drawing has this number</source>
        <translation>登録されていない図面番号です</translation>
    </message>
    <message>
        <source>GDAL does not know the coordinate system EPSG:%1</source>
        <translation>座標系 EPSG:%1 が GDAL にありません</translation>
    </message>
    <message>
        <source>Cannot write the GeoPackage %1</source>
        <translation>GeoPackage %1 を書き込めません</translation>
    </message>
    <message>
        <source>Cannot write to layer %1</source>
        <translation>レイヤ %1 に書き込めません</translation>
    </message>
    <message>
        <source>This GDAL cannot write GeoPackage files</source>
        <translation>GDAL に GeoPackage の書き出し機能がありません</translation>
    </message>
    <message>
        <source>Cannot create the GeoPackage %1</source>
        <translation>GeoPackage %1 を作成できません</translation>
    </message>
    <message>
        <source>Cannot create the GeoPackage %1 (layer %2)</source>
        <translation>GeoPackage %1 を作成できません (レイヤ %2)</translation>
    </message>
    <message>
        <source>Cannot create the GeoPackage %1 (layer %2, column %3)</source>
        <translation>GeoPackage %1 を作成できません (レイヤ %2 の %3)</translation>
    </message>
    <message>
        <source>Cannot put the GeoPackage %1 in place</source>
        <translation>GeoPackage %1 を置けません</translation>
    </message>
    <message>
        <source>Some were not taken for registration.</source>
        <translation>登録の対象にならなかったものがあります。</translation>
    </message>
    <message>
        <source>%1: %2 found</source>
        <translation>%1: %2件</translation>
    </message>
    <message>
        <source>%1 (%2 found):</source>
        <translation>%1 (%2件):</translation>
    </message>
    <message>
        <source>Data sets without all of .pol, .pnt, .atr</source>
        <translation>.pol, .pnt, .atr のそろっていないデータ</translation>
    </message>
    <message>
        <source>Folders that could not be read</source>
        <translation>読み込めなかったフォルダー</translation>
    </message>
    <message>
        <source>Registration stopped.</source>
        <translation>登録を中断しました。</translation>
    </message>
    <message>
        <source>The search for data sets was stopped.
Show the %1 found so far in the list of target files?</source>
        <translation>データの検索を中断しました。
それまでに見つかった%1件を対象ファイルリストに表示しますか？</translation>
    </message>
    <message>
        <source>Cannot write the tidy record (the next registration tidies up): %1</source>
        <translation>整理の記録を書けません (次の登録で整理します): %1</translation>
    </message>
    <message>
        <source>drawing</source>
        <translation>図面</translation>
    </message>
    <message>
        <source>%1 %2 holds a line break and cannot be passed to the viewer</source>
        <translation>%1 %2 は改行を含むため、図面表示プログラムに渡せません</translation>
    </message>
    <message>
        <source>%1 %2 holds the control character 1A and cannot be passed to the viewer</source>
        <translation>%1 %2 は制御文字 (1A) を含むため、図面表示プログラムに渡せません</translation>
    </message>
    <message>
        <source>oaza name</source>
        <translation>大字名称</translation>
    </message>
    <message>
        <source>koaza name</source>
        <translation>小字名称</translation>
    </message>
    <message>
        <source>lot number</source>
        <translation>地番</translation>
    </message>
    <message>
        <source>map sheet number</source>
        <translation>図葉番号</translation>
    </message>
    <message>
        <source>A map sheet name holds a line break and cannot be passed to the viewer</source>
        <translation>図葉名に改行を含むものがあるため、図面表示プログラムに渡せません</translation>
    </message>
    <message>
        <source>A map sheet name holds the control character 1A and cannot be passed to the viewer</source>
        <translation>図葉名に制御文字 (1A) を含むものがあるため、図面表示プログラムに渡せません</translation>
    </message>
    <message>
        <source>point name</source>
        <translation>点名</translation>
    </message>
    <message>
        <source>%1 of the chosen rows are gone: another registration deleted them. Search again.</source>
        <translation>選んだ行のうち%1行は、ほかの登録で削除されたため、もうありません。もう一度検索してください。</translation>
    </message>
    <message>
        <source>No row is ticked</source>
        <translation>チェックの付いた行がありません</translation>
    </message>
    <message>
        <source>Exporting to GeoPackage…</source>
        <translation>GeoPackageに出力しています…</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>中止</translation>
    </message>
    <message>
        <source>The catalogue has changed since the search. Search again.</source>
        <translation>検索の後でカタログが変わりました。もう一度検索してください</translation>
    </message>
    <message>
        <source>The drawing viewer Tavla could not be started</source>
        <translation>図面表示プログラム Tavla を起動できませんでした</translation>
    </message>
    <message>
        <source>Places looked in:</source>
        <translation>探した場所:</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>中断</translation>
    </message>
    <message>
        <source>Stops the registration once the drawing being registered is done</source>
        <translation>登録中の図面を終えたところで登録をやめます</translation>
    </message>
    <message>
        <source>Stops the search once the folder being read is done, and shows what was found</source>
        <translation>読み込み中のフォルダーを終えたところで検索をやめ、見つかった分を表示します</translation>
    </message>
    <message>
        <source>%1 / %2 sets</source>
        <translation>%1 / %2 件</translation>
    </message>
    <message>
        <source>%1 folders read, %2 headers</source>
        <translation>フォルダー %1件 読込済・ヘッダー %2件</translation>
    </message>
    <message>
        <source>%1 folders read, %2 headers  reading: %3</source>
        <translation>フォルダー %1件 読込済・ヘッダー %2件  読込中: %3</translation>
    </message>
    <message>
        <source>Stopping…</source>
        <translation>中断します…</translation>
    </message>
    <message>
        <source>No drawing to show.
Open a drawing&apos;s header (.hed) with 開く.</source>
        <translation>表示する図面がありません。
「開く」で図面のヘッダ（.hed）を開いてください。</translation>
    </message>
    <message>
        <source>The scale &apos;%1&apos; cannot be read</source>
        <translation>縮尺「%1」を読めません</translation>
    </message>
    <message>
        <source>At this scale the image is too large (%1 × %2 pixels, at most %3). Choose a smaller scale or a smaller area.</source>
        <translation>この縮尺では画像が大きすぎます（%1 × %2 ピクセル、最大 %3）。縮尺を小さくするか、表示範囲を狭めてください。</translation>
    </message>
    <message>
        <source>Not enough memory for the image (%1 × %2 pixels)</source>
        <translation>画像のためのメモリが足りません（%1 × %2 ピクセル）</translation>
    </message>
    <message>
        <source>Cannot write the PNG file %1</source>
        <translation>PNG ファイルを書けません: %1</translation>
    </message>
    <message>
        <source>At this scale and paper it takes %1 sheets (at most %2). Choose a smaller scale, a larger paper or a smaller area.</source>
        <translation>この縮尺と用紙では %1 枚になります（最大 %2 枚）。縮尺を小さくするか、大きな用紙にするか、表示範囲を狭めてください。</translation>
    </message>
    <message>
        <source>Cannot create the PDF file %1</source>
        <translation>PDF ファイルを作れません: %1</translation>
    </message>
    <message>
        <source>Cannot write the PDF file %1</source>
        <translation>PDF ファイルを書けません: %1</translation>
    </message>
    <message>
        <source>Cannot start printing</source>
        <translation>印刷を始められません</translation>
    </message>
    <message>
        <source>parcel without an outline</source>
        <translation>輪郭のない筆</translation>
    </message>
    <message>
        <source>outline that does not close</source>
        <translation>閉じていない輪郭</translation>
    </message>
    <message>
        <source>outline of no parcel</source>
        <translation>筆に結び付かない輪郭</translation>
    </message>
    <message>
        <source>record %1</source>
        <translation>記録%1</translation>
    </message>
    <message>
        <source>line %1</source>
        <translation>%1行目</translation>
    </message>
    <message>
        <source>the outline of line %1</source>
        <translation>%1行目の輪郭</translation>
    </message>
    <message>
        <source>%1 (line %2)</source>
        <translation>%1（%2行目）</translation>
    </message>
    <message>
        <source>it has no parcel number</source>
        <translation>筆の番号がありません</translation>
    </message>
    <message>
        <source>no parcel numbered %1 in the lot file</source>
        <translation>番号 %1 の筆が地番ファイルにありません</translation>
    </message>
    <message>
        <source>several parcels numbered %1 in the lot file</source>
        <translation>番号 %1 の筆が地番ファイルに複数あります</translation>
    </message>
    <message>
        <source>the oaza and lot number disagree with parcel number %1</source>
        <translation>番号 %1 の筆と大字・地番が一致しません</translation>
    </message>
    <message>
        <source>%1 more: %2</source>
        <translation>ほか %1 件の%2</translation>
    </message>
    <message>
        <source>points of the outline are not in the point file: %1 (%2)</source>
        <translation>輪郭の点が点ファイルにありません: %1（%2）</translation>
    </message>
    <message>
        <source>, </source>
        <translation>、</translation>
    </message>
    <message>
        <source>outlines missing points</source>
        <translation>点の足りない輪郭</translation>
    </message>
    <message>
        <source>Cannot read the request file: %1 (%2)</source>
        <translation>表示依頼ファイルを読めません: %1（%2）</translation>
    </message>
    <message>
        <source>it has no record code</source>
        <translation>記録コードがありません</translation>
    </message>
    <message>
        <source>the record code is unknown</source>
        <translation>知らない記録コードです</translation>
    </message>
    <message>
        <source>the drawing path is empty</source>
        <translation>図面のパスが空です</translation>
    </message>
    <message>
        <source>Line %1 of the request file was passed by (%2): %3</source>
        <translation>表示依頼ファイルの%1行目を読み飛ばしました（%2）: %3</translation>
    </message>
    <message>
        <source>The request file names no drawing (nothing was chosen)</source>
        <translation>表示依頼ファイルに図面がありません（何も選ばれていません）</translation>
    </message>
    <message>
        <source>not found in the open drawings</source>
        <translation>開いた図面に見つかりません</translation>
    </message>
    <message>
        <source>it has no outline</source>
        <translation>輪郭がありません</translation>
    </message>
    <message>
        <source>its outline is incomplete (points missing, or it does not close)</source>
        <translation>輪郭が不完全です（点の不足か閉じていない）</translation>
    </message>
    <message>
        <source>the drawing cannot be read</source>
        <translation>図面を読めません</translation>
    </message>
    <message>
        <source>no drawing: %1 (a drawing registered on another desk opens only when every desk reaches the data sets by the same path, one mount point)</source>
        <translation>図面がありません: %1（別の端末で登録した図面は、すべての端末が同じパス（同じマウントポイント）でデータに届くときだけ開けます）</translation>
    </message>
    <message>
        <source>no file: %1</source>
        <translation>ファイルがありません: %1</translation>
    </message>
    <message>
        <source>unreadable file: %1 (%2)</source>
        <translation>読めないファイル: %1（%2）</translation>
    </message>
    <message>
        <source>%1: %2 more unreadable records</source>
        <translation>%1: ほか %2 件の読めない記録</translation>
    </message>
    <message>
        <source>%1 %2: passed by for the value &apos;%3&apos;, not a number</source>
        <translation>%1 %2: 数値でない値「%3」があるため読み飛ばしました</translation>
    </message>
    <message>
        <source>%1 %2: passed by: the line of point &apos;%3&apos; is cut short and has no coordinates</source>
        <translation>%1 %2: 点「%3」の行が途中で切れていて座標の値がないため読み飛ばしました</translation>
    </message>
    <message>
        <source>%1 %2: control point &apos;%3&apos; without coordinates</source>
        <translation>%1 %2: 座標のない図根点「%3」</translation>
    </message>
    <message>
        <source>%1 %2: owners of parcel %3, which is not in the lot file</source>
        <translation>%1 %2: 地番ファイルにない筆 %3 の所有者</translation>
    </message>
    <message>
        <source>Items not found</source>
        <translation>見つからない項目</translation>
    </message>
    <message>
        <source>The path cannot be read as CP932</source>
        <translation>パスが CP932 として読めません</translation>
    </message>
    <message>
        <source>%1 things could not be read (the 問題 tab)</source>
        <translation>読めなかったものが %1 件あります（「問題」タブ）</translation>
    </message>
    <message>
        <source>%1 requested items cannot be shown (the grey items)</source>
        <translation>表示できない依頼項目が %1 件あります（灰色の項目）</translation>
    </message>
    <message>
        <source>. </source>
        <translation>。</translation>
    </message>
    <message>
        <source>Lot %1 is not in the open drawings</source>
        <translation>地番 %1 は開いている図面にありません</translation>
    </message>
    <message>
        <source>Lot %1: %3 of %2 %4</source>
        <translation>地番 %1: %2 件中 %3 件目 %4</translation>
    </message>
    <message>
        <source>Printed</source>
        <translation>印刷しました</translation>
    </message>
    <message>
        <source>Written to %1</source>
        <translation>%1 に書き出しました</translation>
    </message>
    <message>
        <source>The search text for %1 is too long. Shorten it and search again.</source>
        <translation>%1の検索文字列が長すぎます。短くしてからもう一度検索してください</translation>
    </message>
    <message>
        <source>The %2 registered drawings of %1 will be deleted.</source>
        <translation>%1の登録図面 %2件を削除します。</translation>
    </message>
    <message>
        <source>The %2 registered drawings of %1 were deleted.</source>
        <translation>%1の登録図面 %2件を削除しました。</translation>
    </message>
    <message>
        <source>the header&apos;s ninth field is not the datum code 1 or 2</source>
        <translation>ヘッダーの 9 番目の項目が測地系の番号 1 か 2 ではありません</translation>
    </message>
    <message>
        <source>the registration was stopped before it</source>
        <translation>その前に登録が中断されました</translation>
    </message>
    <message>
        <source>The catalogue %1 cannot be written. Check that you may write in it and in its folder, then try again.</source>
        <translation>カタログ %1 に書き込めません。カタログとそのフォルダーに書き込めるかを確かめてから、もう一度実行してください。</translation>
    </message>
    <message>
        <source>This build of findTavla has no GeoPackage export (it is built without GDAL); export is not available.</source>
        <translation>この版の findTavla には GeoPackage 出力がありません (GDAL なしで作られています)。export は使えません。</translation>
    </message>
    <message>
        <source>The catalogue server %1 cannot be reached. Check the server setting in FindTavla.ini and the network, then try again.</source>
        <translation>カタログサーバー %1 に接続できません。FindTavla.ini のサーバー設定とネットワークを確かめてから、もう一度実行してください。</translation>
    </message>
    <message>
        <source>The connection to the catalogue server %1 was lost. What was being written was not kept; try again when the server is back.</source>
        <translation>カタログサーバー %1 との接続が切れました。書き込み中の内容は保存されていません。サーバーが戻ってから、もう一度実行してください。</translation>
    </message>
    <message>
        <source>The catalogue %1 may not be written with this role. Ask the administrator for a role that may write, or only search.</source>
        <translation>このロールではカタログに書き込めません（%1）。書き込めるロールを管理者に依頼するか、検索だけを行ってください。</translation>
    </message>
    <message>
        <source>The catalogue server %1 has no room left. Ask the administrator to free space.</source>
        <translation>カタログサーバー %1 の空き容量がありません。空きを作るよう管理者に依頼してください。</translation>
    </message>
    <message>
        <source>The catalogue server %1 has standard_conforming_strings off, which findTavla cannot write to safely. Ask the administrator to turn it on.</source>
        <translation>カタログサーバー %1 は standard_conforming_strings が off のため、findTavla は安全に書き込めません。on にするよう管理者に依頼してください。</translation>
    </message>
    <message>
        <source>This findTavla was built without catalogue server support. Empty the server setting in FindTavla.ini to use the catalogues of the data folder.</source>
        <translation>この findTavla はカタログサーバーに対応していません。データフォルダのカタログを使うには、FindTavla.ini のサーバー設定を空にしてください。</translation>
    </message>
    <message>
        <source>%1 was removed after the drawing was opened, so its owner lists were not read. Open the drawing again</source>
        <translation>%1 は図面を開いた後に削除されたため、所有者の一覧を読みませんでした。図面を開き直してください</translation>
    </message>
    <message>
        <source>%1 appeared after the drawing was opened, so its owner lists were not read. Open the drawing again</source>
        <translation>%1 は図面を開いた後に作られたため、所有者の一覧を読みませんでした。図面を開き直してください</translation>
    </message>
    <message>
        <source>%1 was changed after the drawing was opened, so its owner lists were not read (they would not fit what is shown). Open the drawing again</source>
        <translation>%1 は図面を開いた後に変更されたため、所有者の一覧を読みませんでした（表示中の内容と合わないため）。図面を開き直してください</translation>
    </message>
    <message>
        <source>no catalogue server is set: give --catalogue URI or set server in the [catalogue] section of FindTavla.ini; --print writes the statements without a server</source>
        <translation>カタログサーバーが設定されていません。--catalogue URI を付けるか、FindTavla.ini の [catalogue] セクションに server を設定してください。--print ならサーバーなしで文を書き出します</translation>
    </message>
    <message>
        <source>%1 is ready</source>
        <translation>%1 の準備ができました</translation>
    </message>
    <message>
        <source>datum %1: copied rows</source>
        <translation>測地系 %1: 複写した行</translation>
    </message>
    <message>
        <source>The catalogue server %1 lacks findTavla&apos;s tables and this role may not make them. Ask the administrator to run the statements that &quot;findTavla-cli catalogue init --print&quot; writes.</source>
        <translation>カタログサーバー %1 に findTavla の表がなく、このロールでは作れません。「findTavla-cli catalogue init --print」が書き出す文を実行するよう管理者に依頼してください。</translation>
    </message>
    <message>
        <source>%1 holds registered drawings already. Nothing was copied; to put the copy in their place, give --replace.</source>
        <translation>%1 には登録済みの図面がすでにあります。何も複写していません。置き換えるには --replace を付けてください。</translation>
    </message>
    <message>
        <source>The desk %1 is registering into the catalogue server %2 just now. Searches go on; register or delete again when it has ended.</source>
        <translation>端末 %1 がカタログサーバー %2 に登録しているところです。検索はそのまま行えます。登録や削除は、その登録が終わってからもう一度実行してください。</translation>
    </message>
    <message>
        <source>They are deleted for every desk that uses the catalogue server %1.</source>
        <translation>カタログサーバー %1 を使うすべての端末から削除されます。</translation>
    </message>
</context>
</TS>
