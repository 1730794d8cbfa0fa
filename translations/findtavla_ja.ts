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
</context>
</TS>
