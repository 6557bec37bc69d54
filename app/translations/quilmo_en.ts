<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ja">
<context>
    <name>TPrintJob</name>
    <message>
        <source>印刷を開始できませんでした</source>
        <translation>Could not start printing</translation>
    </message>
    <message>
        <source>印刷を終了できませんでした</source>
        <translation>Could not finish printing</translation>
    </message>
</context>
<context>
    <name>TQtUiServices</name>
    <message>
        <source>プリンタの設定</source>
        <translation>Printer Setup</translation>
    </message>
</context>
<context>
    <name>quilmo</name>
    <message>
        <source>すべてのファイル</source>
        <translation>All formats</translation>
    </message>
    <message>
        <source>JPEG イメージファイル</source>
        <translation>JPEG images</translation>
    </message>
    <message>
        <source>ビットマップ</source>
        <translation>BMP images</translation>
    </message>
    <message>
        <source>すべての画像</source>
        <translation>All pictures</translation>
    </message>
    <message>
        <source>&#x3000;画像結合中・・・・・</source>
        <translation>  Joining pictures...</translation>
    </message>
    <message>
        <source>&#x3000;画像作成中・・・・・</source>
        <translation>  Creating the picture...</translation>
    </message>
    <message>
        <source>&#x3000;ロード中・・・・・</source>
        <translation>  Loading...</translation>
    </message>
    <message>
        <source>&#x3000;画像再結合中・・・・・</source>
        <translation>  Joining pictures again...</translation>
    </message>
    <message>
        <source>&#x3000;画像入れ替え中・・・・・</source>
        <translation>  Reversing the order...</translation>
    </message>
    <message>
        <source>&#x3000;間隔変更中・・・・・</source>
        <translation>  Changing the gap...</translation>
    </message>
    <message>
        <source>&#x3000;レイアウト変更中・・・・・</source>
        <translation>  Changing the layout...</translation>
    </message>
    <message>
        <source>白紙</source>
        <translation>Blank</translation>
    </message>
    <message>
        <source>クリップボード</source>
        <translation>Clipboard</translation>
    </message>
    <message>
        <source>コピー画像</source>
        <translation>Copy buffer</translation>
    </message>
    <message>
        <source>次のファイルを読み込めませんでした。</source>
        <translation>These files could not be read.</translation>
    </message>
    <message>
        <source>ファイルが見つかりません</source>
        <translation>File not found</translation>
    </message>
    <message>
        <source>Getpictureinfo: GetProcaddress&#x3000;エラーの</source>
        <translation>GetPictureInfo: GetProcAddress error</translation>
    </message>
    <message>
        <source>プラグインエラー:その機能はインプリメントされていない</source>
        <translation>Plug-in error: function not implemented</translation>
    </message>
    <message>
        <source>プラグインエラー:コールバックエラーの</source>
        <translation>Plug-in error: callback error</translation>
    </message>
    <message>
        <source>プラグインエラー:未知のフォーマットの</source>
        <translation>Plug-in error: unknown format</translation>
    </message>
    <message>
        <source>プラグインエラー:データが壊れている</source>
        <translation>Plug-in error: corrupt data</translation>
    </message>
    <message>
        <source>プラグインエラー:メモリーが確保出来ない</source>
        <translation>Plug-in error: out of memory</translation>
    </message>
    <message>
        <source>プラグインエラー:メモリーエラーの</source>
        <translation>Plug-in error: memory error</translation>
    </message>
    <message>
        <source>プラグインエラー:ファイルリードエラーの</source>
        <translation>Plug-in error: file read error</translation>
    </message>
    <message>
        <source>ファイルオープンエラーの</source>
        <translation>File open error</translation>
    </message>
    <message>
        <source>プラグインエラーの</source>
        <translation>Plug-in error</translation>
    </message>
    <message>
        <source>Gerpicture:GetProcaddress&#x3000;エラーの</source>
        <translation>GetPicture: GetProcAddress error</translation>
    </message>
    <message>
        <source>プラグイン未サポートの</source>
        <translation>Not supported by any plug-in</translation>
    </message>
    <message>
        <source>ファイルロックエラーの</source>
        <translation>File lock error</translation>
    </message>
    <message>
        <source>SetDibits エラーの</source>
        <translation>SetDIBits error</translation>
    </message>
    <message>
        <source>%1ため、ファイルを開けません</source>
        <translation>Cannot open the file. %1</translation>
    </message>
    <message>
        <source>プラグイン読み込みに成功しました(^_^)v</source>
        <translation>Plug-ins loaded.</translation>
    </message>
    <message>
        <source>プラグイン読み込みに失敗しました&lt;(&gt;_&lt;)&gt;</source>
        <translation>Could not load the plug-ins.</translation>
    </message>
    <message>
        <source>処理を中止しました</source>
        <translation>Stopped.</translation>
    </message>
    <message>
        <source>・・・バッチ処理完了！</source>
        <translation>Batch complete.</translation>
    </message>
    <message>
        <source>------完了</source>
        <translation>: done</translation>
    </message>
    <message>
        <source>------エラー</source>
        <translation>: error</translation>
    </message>
    <message>
        <source>同一フォルダー・同名保存では、元ファイルが上書きされます。上書きで一括処理を行いますか？</source>
        <translation>Saving under the same names in the same folder overwrites the original files. Run the batch and overwrite them?</translation>
    </message>
    <message>
        <source>一括印刷を行いますか？</source>
        <translation>Print all pairs?</translation>
    </message>
    <message>
        <source>印刷を中止しました</source>
        <translation>Printing stopped.</translation>
    </message>
    <message>
        <source>%1行目処理中</source>
        <translation>Pair %1</translation>
    </message>
    <message>
        <source>Quilmoバッチ印刷 No.%1</source>
        <translation>Quilmo batch print No.%1</translation>
    </message>
    <message>
        <source>%1 を読み込めませんでした</source>
        <translation>Cannot read %1</translation>
    </message>
</context>
<context>
    <name>quilmo::TForm1</name>
    <message>
        <source>一括処理ウィンドウが開いていますが、終了しますか？</source>
        <translation>The batch window is open. Quit anyway?</translation>
    </message>
    <message>
        <source>印刷を中止しました</source>
        <translation>Printing stopped.</translation>
    </message>
    <message>
        <source>ファイル</source>
        <translation>File</translation>
    </message>
    <message>
        <source>画像を開く</source>
        <translation>Open pictures</translation>
    </message>
    <message>
        <source>画像を開く(&amp;O)...</source>
        <translation>&amp;Open…</translation>
    </message>
    <message>
        <source>バッチ処理 （保存/印刷）</source>
        <translation>Batch: join many pairs, then save or print them</translation>
    </message>
    <message>
        <source>画像</source>
        <translation>Pictures</translation>
    </message>
    <message>
        <source>画像数</source>
        <translation>Number of pictures</translation>
    </message>
    <message>
        <source>連結方向</source>
        <translation>Direction</translation>
    </message>
    <message>
        <source>横</source>
        <translation>Side by side</translation>
    </message>
    <message>
        <source>縦</source>
        <translation>Stacked</translation>
    </message>
    <message>
        <source>折返</source>
        <translation>Wrap</translation>
    </message>
    <message>
        <source>この枚数ごとに改行（縦は改列）</source>
        <translation>Start a new row after this many pictures (a new column when stacked)</translation>
    </message>
    <message>
        <source>なし</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>結合方法</source>
        <translation>Pictures of different sizes: kept at their original size, or the smaller ones enlarged with this method</translation>
    </message>
    <message>
        <source>   原寸</source>
        <translation>Original</translation>
    </message>
    <message>
        <source> Biliniar</source>
        <translation>Bilinear</translation>
    </message>
    <message>
        <source> Bicubic</source>
        <translation>Bicubic</translation>
    </message>
    <message>
        <source>Lagrange</source>
        <translation>Lagrange</translation>
    </message>
    <message>
        <source>Lanczos</source>
        <translation>Lanczos</translation>
    </message>
    <message>
        <source>揃え（原寸で並べる画像の位置）</source>
        <translation>Where pictures kept at their original size are placed</translation>
    </message>
    <message>
        <source>上・左</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>中央</source>
        <translation>Centre</translation>
    </message>
    <message>
        <source>下・右</source>
        <translation>End</translation>
    </message>
    <message>
        <source>間隔</source>
        <translation>Gap</translation>
    </message>
    <message>
        <source>画像の間隔（ピクセル）</source>
        <translation>Gap between pictures, in steps of 10 pixels</translation>
    </message>
    <message>
        <source>余白・縁取りの色</source>
        <translation>Fill colour</translation>
    </message>
    <message>
        <source>縁取りサイズ</source>
        <translation>Frame size</translation>
    </message>
    <message>
        <source>縁取りの有無を設定</source>
        <translation>Frame on or off</translation>
    </message>
    <message>
        <source>枠無</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>枠有</source>
        <translation>On</translation>
    </message>
    <message>
        <source>表示</source>
        <translation>View</translation>
    </message>
    <message>
        <source>表示方法</source>
        <translation>Preview mode</translation>
    </message>
    <message>
        <source>きれい</source>
        <translation>Fine</translation>
    </message>
    <message>
        <source>はやい</source>
        <translation>Fast</translation>
    </message>
    <message>
        <source>背景色の指定</source>
        <translation>Background colour of the preview</translation>
    </message>
    <message>
        <source>画像の保存</source>
        <translation>Save picture</translation>
    </message>
    <message>
        <source>画像の保存(&amp;S)...</source>
        <translation>&amp;Save…</translation>
    </message>
    <message>
        <source>リサイズ保存</source>
        <translation>Save at another size…</translation>
    </message>
    <message>
        <source>保存形式</source>
        <translation>Save format</translation>
    </message>
    <message>
        <source>ＪＰＧ保存時のクウォリティ</source>
        <translation>Quality of JPEG and WebP files (WebP at 100: lossless)</translation>
    </message>
    <message>
        <source>プログレッシブ</source>
        <translation>Progressive</translation>
    </message>
    <message>
        <source>モルヴァンを起動</source>
        <translation>Open in Morvane, the effects program</translation>
    </message>
    <message>
        <source>画像のコピー</source>
        <translation>Copy the joined picture</translation>
    </message>
    <message>
        <source>画像入れ替え</source>
        <translation>Reverse order</translation>
    </message>
    <message>
        <source>クリア</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>バッファ</source>
        <translation>Copy buffer</translation>
    </message>
    <message>
        <source>使用するとよりメモリーを消費します</source>
        <translation>Keeps the last copies to paste again; uses more memory</translation>
    </message>
    <message>
        <source>不可</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>使用</source>
        <translation>On</translation>
    </message>
    <message>
        <source>コピーバッファの表示</source>
        <translation>Show copy buffer</translation>
    </message>
    <message>
        <source>印刷</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>印刷方向</source>
        <translation>Print orientation</translation>
    </message>
    <message>
        <source>水平</source>
        <translation>Landscape</translation>
    </message>
    <message>
        <source>垂直</source>
        <translation>Portrait</translation>
    </message>
    <message>
        <source>プリンタの設定</source>
        <translation>Printer setup…</translation>
    </message>
    <message>
        <source>プリンタの設定(&amp;U)...</source>
        <translation>Printer set&amp;up…</translation>
    </message>
    <message>
        <source>終了|アプリケーションを終了する</source>
        <translation>Exit|Quit the application</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>ヘルプ</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Progress</translation>
    </message>
    <message>
        <source>画像の追加読み込み</source>
        <translation>Add Picture</translation>
    </message>
    <message>
        <source>&#x3000;保存中・・・・・</source>
        <translation>  Saving...</translation>
    </message>
    <message>
        <source>&#x3000;画像エフェクトを呼び出し中・・・・・</source>
        <translation>  Starting the effects program...</translation>
    </message>
    <message>
        <source>Quilmo印刷</source>
        <translation>Quilmo print</translation>
    </message>
    <message>
        <source>コピー</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>全てクリアして画像を読み込み</source>
        <translation>Clear all and open pictures</translation>
    </message>
    <message>
        <source>ここに画像を読み込み</source>
        <translation>Open picture here</translation>
    </message>
    <message>
        <source>このエリアに画像を読み込み</source>
        <translation>Open a picture in this place</translation>
    </message>
    <message>
        <source>この後に画像を追加</source>
        <translation>Add picture after this</translation>
    </message>
    <message>
        <source>次のエリアに画像を追加</source>
        <translation>Add a picture in the next place</translation>
    </message>
    <message>
        <source>コピーバッファから貼り付け</source>
        <translation>Paste from copy buffer</translation>
    </message>
    <message>
        <source>クリップボードから貼り付け</source>
        <translation>Paste from clipboard</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>全てクリア</source>
        <translation>Clear all</translation>
    </message>
    <message>
        <source>画像の読み込み方</source>
        <translation>How to open pictures</translation>
    </message>
    <message>
        <source>ボタンによる画像の読み込み</source>
        <translation>With the Open button</translation>
    </message>
    <message>
        <source>最大６個まで追加して読み込む</source>
        <translation>Adds up to six pictures</translation>
    </message>
    <message>
        <source>Ｄ＆Ｄによる画像の読み込み</source>
        <translation>By drag and drop</translation>
    </message>
    <message>
        <source>画像を読み込み（全てクリア後）</source>
        <translation>Open pictures (after clearing all)</translation>
    </message>
    <message>
        <source>クリアして最大６個まで読み込む</source>
        <translation>Clears, then opens up to six pictures</translation>
    </message>
    <message>
        <source>クリックした場所に別の画像を読み込む</source>
        <translation>Opens another picture in the place clicked</translation>
    </message>
    <message>
        <source>１つの画像を次の位置に挿入（画像数を増やす）</source>
        <translation>Inserts one picture in the next place (one picture more)</translation>
    </message>
    <message>
        <source>貼り付け</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>クリックした場所に画像を貼り付ける</source>
        <translation>Pastes a picture in the place clicked</translation>
    </message>
    <message>
        <source>SSE2を無効にする</source>
        <translation>Use only basic processor instructions</translation>
    </message>
    <message>
        <source>Susie プラグインの設定</source>
        <translation>Import plug-ins…</translation>
    </message>
    <message>
        <source>既定の形式用のプラグインも読み込む</source>
        <translation>Also use plug-ins for the formats Quilmo reads itself</translation>
    </message>
    <message>
        <source>Susie プラグイン情報</source>
        <translation>About the plug-ins</translation>
    </message>
    <message>
        <source>言語 (Language)</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>システムの言語</source>
        <translation>System language</translation>
    </message>
    <message>
        <source>バージョン情報</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Susieプラグインのある場所を指定</source>
        <translation>Choose the Plug-in Folder</translation>
    </message>
    <message>
        <source>表示言語は次回の起動時に切り替わります。</source>
        <translation>The language changes the next time Quilmo starts.</translation>
    </message>
    <message>
        <source>画像を開く(&amp;O)...</source>
        <comment>dialog title</comment>
        <translation>Open Pictures</translation>
    </message>
    <message>
        <source>常に sRGB に変換する|色の管理をしない表示先のために、プロファイルを付けずすべての画像を sRGB に変換して結合します</source>
        <translation>Always convert to sRGB|For places without colour management: every picture is converted to sRGB and joined without a profile</translation>
    </message>
    <message>
        <source>処理中のため実行できません</source>
        <translation>Not now: the current work is still running</translation>
    </message>
    <message>
        <source>無劣化</source>
        <translation>Lossless</translation>
    </message>
    <message>
        <source>無劣化で JPEG 保存|JPEG 画像をデコードせず、それぞれの DCT 係数のまま結合して保存します（原寸で、ブロックの境界がそろうとき）</source>
        <translation>Lossless JPEG save|Joins the JPEG pictures without decoding them, keeping their DCT coefficients (at original size, when their blocks line up)</translation>
    </message>
    <message>
        <source>量子化テーブルが最初の画像と異なる画像を、そのテーブルに合わせて再量子化しました: %1</source>
        <translation>Pictures whose quantisation tables differ from the first picture&apos;s were requantised to its tables: %1</translation>
    </message>
    <message>
        <source>無劣化では保存できません。
%1

指定の画質で再エンコードして保存しますか？</source>
        <translation>The picture cannot be saved losslessly.
%1

Save it encoded again at the chosen quality?</translation>
    </message>
    <message>
        <source>画像エフェクトプログラム %1 が見つかりません（Quilmo と同じフォルダー %2 に置くと使えます）</source>
        <translation>The effects program %1 was not found: Quilmo looks for it in its own folder, %2</translation>
    </message>
    <message>
        <source>SSE2 命令を使わずに処理します（遅くなります。古いプロセッサや問題の切り分けに）</source>
        <translation>Works without the processor&apos;s SSE2 instructions: slower, for old processors or to track down a fault</translation>
    </message>
    <message>
        <source>プラグインのフォルダーを選びます。プラグインは、Quilmo が自分では読めない形式の画像を読み込みます</source>
        <translation>Choose a folder of plug-ins. Plug-ins are format readers: they let Quilmo open picture formats it cannot read by itself</translation>
    </message>
</context>
<context>
    <name>quilmo::TForm2</name>
    <message>
        <source>   原寸</source>
        <translation>Original</translation>
    </message>
    <message>
        <source> Biliniar</source>
        <translation>Bilinear</translation>
    </message>
    <message>
        <source> Bicubic</source>
        <translation>Bicubic</translation>
    </message>
    <message>
        <source>Lagrange </source>
        <translation>Lagrange</translation>
    </message>
    <message>
        <source>Lanczos</source>
        <translation>Lanczos</translation>
    </message>
    <message>
        <source>Quilmo (^｡^) バッチ処理</source>
        <translation>Batch</translation>
    </message>
    <message>
        <source>左&#x3000;or&#x3000;下画像</source>
        <translation>Left or bottom pictures</translation>
    </message>
    <message>
        <source>右&#x3000;or 上画像</source>
        <translation>Right or top pictures</translation>
    </message>
    <message>
        <source>ソート</source>
        <translation>Sort</translation>
    </message>
    <message>
        <source>上へ</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>下へ</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>左画像</source>
        <translation>Left picture</translation>
    </message>
    <message>
        <source>右画像</source>
        <translation>Right picture</translation>
    </message>
    <message>
        <source>結合方向</source>
        <translation>Direction</translation>
    </message>
    <message>
        <source>横</source>
        <translation>Side by side</translation>
    </message>
    <message>
        <source>縦（右が上）</source>
        <translation>Stacked (right on top)</translation>
    </message>
    <message>
        <source>結合方法</source>
        <translation>How the smaller picture of a pair is enlarged</translation>
    </message>
    <message>
        <source>画像の間隔（ピクセル）</source>
        <translation>Gap between pictures (pixels)</translation>
    </message>
    <message>
        <source>余白の色</source>
        <translation>Fill colour</translation>
    </message>
    <message>
        <source>保存形式</source>
        <translation>Save format</translation>
    </message>
    <message>
        <source>JPG品質</source>
        <translation>Quality of JPEG and WebP files (WebP at 100: lossless)</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Progressive</translation>
    </message>
    <message>
        <source>印刷方向</source>
        <translation>Print orientation</translation>
    </message>
    <message>
        <source>水平</source>
        <translation>Landscape</translation>
    </message>
    <message>
        <source>垂直</source>
        <translation>Portrait</translation>
    </message>
    <message>
        <source>クリア</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>追加</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>入れ替え</source>
        <translation>Swap</translation>
    </message>
    <message>
        <source>左右入れ替え</source>
        <translation>Swap left and right</translation>
    </message>
    <message>
        <source>リサイズ方法</source>
        <translation>Resize method</translation>
    </message>
    <message>
        <source>間隔</source>
        <translation>Gap</translation>
    </message>
    <message>
        <source>JPG設定</source>
        <translation>Quality</translation>
    </message>
    <message>
        <source>リサイズ保存</source>
        <translation>Resize before saving</translation>
    </message>
    <message>
        <source>幅</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>高さ</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>幅固定</source>
        <translation>Keep width</translation>
    </message>
    <message>
        <source>高さ固定</source>
        <translation>Keep height</translation>
    </message>
    <message>
        <source>リサイズ保存のアルゴリズム</source>
        <translation>Resize algorithm</translation>
    </message>
    <message>
        <source>保存ファイル名</source>
        <translation>File names</translation>
    </message>
    <message>
        <source>連番ファイル</source>
        <translation>Numbered</translation>
    </message>
    <message>
        <source>同名保存</source>
        <translation>Same name</translation>
    </message>
    <message>
        <source>先頭に文字を追加</source>
        <translation>Add text in front</translation>
    </message>
    <message>
        <source>末尾に文字を追加</source>
        <translation>Add text at the end</translation>
    </message>
    <message>
        <source>保存ファイル名の文字</source>
        <translation>Text for the file names</translation>
    </message>
    <message>
        <source>同一フォルダー</source>
        <translation>Folder of the pictures</translation>
    </message>
    <message>
        <source>フォルダー指定</source>
        <translation>This folder</translation>
    </message>
    <message>
        <source>保存フォルダー</source>
        <translation>Save folder</translation>
    </message>
    <message>
        <source>一括保存</source>
        <translation>Save all</translation>
    </message>
    <message>
        <source>一括印刷</source>
        <translation>Print all</translation>
    </message>
    <message>
        <source>ESCキーで中止できます。</source>
        <translation>Press Esc to stop.</translation>
    </message>
    <message>
        <source>一括処理用にファイルを開く</source>
        <translation>Open Files for a Batch</translation>
    </message>
    <message>
        <source>常に sRGB に変換する</source>
        <translation>Always convert to sRGB</translation>
    </message>
    <message>
        <source>色の管理をしない表示先のために、プロファイルを付けずすべての画像を sRGB に変換して結合します</source>
        <translation>For places without colour management: every picture is converted to sRGB and joined without a profile</translation>
    </message>
    <message>
        <source>無劣化</source>
        <translation>Lossless</translation>
    </message>
    <message>
        <source>JPEG 画像をデコードせず、それぞれの DCT 係数のまま結合して保存します（原寸で、ブロックの境界がそろうとき。そろわない組はエラーになります）</source>
        <translation>Joins the JPEG pictures without decoding them, keeping their DCT coefficients (at original size, when their blocks line up; other pairs fail)</translation>
    </message>
</context>
<context>
    <name>quilmo::TForm3</name>
    <message>
        <source>バッチ処理中(&gt;_&lt;)</source>
        <translation>Batch progress</translation>
    </message>
    <message>
        <source>中止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>quilmo::TForm4</name>
    <message>
        <source>コピー画像</source>
        <translation>Copy Buffer</translation>
    </message>
    <message>
        <source>貼り付け</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
</context>
<context>
    <name>quilmo::TForm6</name>
    <message>
        <source>プラグイン情報</source>
        <translation>Plug-in Information</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>quilmo::Tedgeform</name>
    <message>
        <source>縁取りサイズ</source>
        <translation>Frame size</translation>
    </message>
    <message>
        <source>上</source>
        <translation>Top</translation>
    </message>
    <message>
        <source>左</source>
        <translation>Left</translation>
    </message>
    <message>
        <source>右</source>
        <translation>Right</translation>
    </message>
    <message>
        <source>下</source>
        <translation>Bottom</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>quilmo::Tresizeform</name>
    <message>
        <source>保存サイズ</source>
        <translation>Save at Another Size</translation>
    </message>
    <message>
        <source>幅</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>高さ</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>倍</source>
        <translation>Double</translation>
    </message>
    <message>
        <source>半分</source>
        <translation>Half</translation>
    </message>
    <message>
        <source> Bilenear</source>
        <translation>Bilinear</translation>
    </message>
    <message>
        <source> Bicubic</source>
        <translation>Bicubic</translation>
    </message>
    <message>
        <source>Lagrange</source>
        <translation>Lagrange</translation>
    </message>
    <message>
        <source>Lanczos</source>
        <translation>Lanczos</translation>
    </message>
    <message>
        <source>拡大方法</source>
        <translation>Resize method</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>幅と高さは %1 から %2 までの数で指定してください</source>
        <translation>Width and height must be numbers from %1 to %2.</translation>
    </message>
    <message>
        <source>&#x3000;リサイズ保存中・・・・・・</source>
        <translation>  Saving at the new size...</translation>
    </message>
</context>
</TS>
