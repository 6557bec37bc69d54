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
    <message>
        <source>%1 組目と %2 組目はどちらも %3 として保存されます</source>
        <translation>Pairs %1 and %2 would both be saved as %3</translation>
    </message>
    <message>
        <source>%1 組目は自分の画像 %2 を置き換えます</source>
        <translation>Pair %1 would replace its picture %2</translation>
    </message>
    <message>
        <source>%1 組目は %3 組目の画像 %2 を置き換えます</source>
        <translation>Pair %1 would replace %2, a picture of pair %3</translation>
    </message>
    <message>
        <source>ほか %1 件</source>
        <translation>and %1 more</translation>
    </message>
    <message>
        <source>処理の結果どうしが置き換わります。--overwrite-results で後の組が残ります</source>
        <translation>Results of the run would replace each other; --overwrite-results lets the later pair win</translation>
    </message>
    <message>
        <source>結果が処理中の画像を置き換えます。--overwrite-sources で許可できます</source>
        <translation>Results would replace pictures of the run; --overwrite-sources allows that</translation>
    </message>
    <message>
        <source>バッチ処理ウィンドウと同じく画像を 2 枚ずつ連結し、結果をそれぞれ保存する</source>
        <translation>Join pairs of pictures as the batch window does and save each result</translation>
    </message>
    <message>
        <source>リスト 1: 左 (縦なら下) の画像</source>
        <translation>List 1: left (or bottom) pictures</translation>
    </message>
    <message>
        <source>リスト 2: 右 (縦なら上) の画像</source>
        <translation>List 2: right (or top) pictures</translation>
    </message>
    <message>
        <source>1 組 1 行 &quot;左&lt;TAB&gt;右&quot; のファイル。- なら標準入力</source>
        <translation>File of one &quot;left&lt;TAB&gt;right&quot; line a pair; - for the standard input</translation>
    </message>
    <message>
        <source>h: 横に並べる (既定)、v: リスト 2 を上に</source>
        <translation>h: side by side (default), v: list 2 on top</translation>
    </message>
    <message>
        <source>original: どちらも原寸 (既定)。ほかは小さい方の画像を拡大する</source>
        <translation>original keeps both sizes (default); the others enlarge the smaller picture</translation>
    </message>
    <message>
        <source>画像の間隔 (ピクセル、0 から 500)</source>
        <translation>Pixels between the pictures, 0 to 500</translation>
    </message>
    <message>
        <source>間隔と空いた半分の色 (既定 ffffff)</source>
        <translation>Colour of gaps and empty halves (default ffffff)</translation>
    </message>
    <message>
        <source>JPEG と WebP の品質 (既定 85。WebP は 100 で可逆)</source>
        <translation>JPEG and WebP quality (default 85; WebP lossless at 100)</translation>
    </message>
    <message>
        <source>プログレッシブ JPEG</source>
        <translation>Progressive JPEG</translation>
    </message>
    <message>
        <source>画像自身の係数で JPEG を作る (原寸、ブロック境界がそろうこと)。できない組は理由を添えて失敗する</source>
        <translation>JPEG results of the pictures&apos; own coefficients (original size, blocks in line); a pair that does not allow it fails with the reason</translation>
    </message>
    <message>
        <source>結果をすべて 幅x高さ にする (10 から 20000)</source>
        <translation>Bring every result to WIDTHxHEIGHT (10 to 20000)</translation>
    </message>
    <message>
        <source>--resize で、高さを幅に合わせる</source>
        <translation>With --resize: the height follows the width</translation>
    </message>
    <message>
        <source>--resize で、幅を高さに合わせる</source>
        <translation>With --resize: the width follows the height</translation>
    </message>
    <message>
        <source>--resize の拡大方法 (既定 bilinear)。幅が狭くなる結果は縮小する</source>
        <translation>Enlarger of --resize (default bilinear); results that get narrower are reduced</translation>
    </message>
    <message>
        <source>SSE2 を使わずに拡大縮小する</source>
        <translation>Use the plain resamplers</translation>
    </message>
    <message>
        <source>ジョブごとのスレッド数 (既定 1)</source>
        <translation>Threads each job works on (default 1)</translation>
    </message>
    <message>
        <source>seq: TEXT と組の番号 (既定)。same: リスト 2 のファイル名 (なければリスト 1 の)。prefix、suffix: その名前の前か後に TEXT</source>
        <translation>seq: TEXT and the pair&apos;s number (default); same: list 2&apos;s file name (list 1&apos;s without one); prefix, suffix: that name with TEXT before or after it</translation>
    </message>
    <message>
        <source>--naming の TEXT</source>
        <translation>The text of --naming</translation>
    </message>
    <message>
        <source>結果を保存するフォルダー (なければ作る)</source>
        <translation>Folder the results are saved in, made when missing</translation>
    </message>
    <message>
        <source>結果が処理中の画像を置き換えることを許す</source>
        <translation>Allow results to replace pictures of the run</translation>
    </message>
    <message>
        <source>同じ名前で保存される組を許す (後の組の結果が残る)</source>
        <translation>Allow pairs saved under one name: the later pair&apos;s result stays</translation>
    </message>
    <message>
        <source>&quot;K ok FILE&quot; か &quot;K error&quot; の行を出力する</source>
        <translation>Lines &quot;K ok FILE&quot; or &quot;K error&quot;</translation>
    </message>
    <message>
        <source>同時に処理する組の数 (それぞれ別のプロセスで)</source>
        <translation>Pairs done at once, each in a process of its own</translation>
    </message>
    <message>
        <source>1 組にかけられる秒数 (超えると失敗)。組はそれぞれ別のプロセスで処理する</source>
        <translation>Seconds a pair may take before it fails; pairs then run in a process of their own</translation>
    </message>
    <message>
        <source>番号を N で割った余りが K の組だけを処理する</source>
        <translation>Only the pairs whose number is K modulo N</translation>
    </message>
    <message>
        <source>標準出力に書き込めません: %1</source>
        <translation>Cannot write to the standard output: %1</translation>
    </message>
    <message>
        <source>%2 組のうち %1 組が成功しませんでした</source>
        <translation>%1 of %2 pairs did not succeed</translation>
    </message>
    <message>
        <source>%1 組完了</source>
        <translation>%1 done</translation>
    </message>
    <message>
        <source>作業プロセスがシグナル %1 で終了しました</source>
        <translation>The worker process was killed by signal %1</translation>
    </message>
    <message>
        <source>作業プロセスが終了コード %1 で終了しました</source>
        <translation>The worker process ended with status %1</translation>
    </message>
    <message>
        <source>この組は 1 秒を超えました</source>
        <translation>The pair took longer than 1 second</translation>
    </message>
    <message>
        <source>この組は %1 秒を超えました</source>
        <translation>The pair took longer than %1 seconds</translation>
    </message>
    <message>
        <source>auto: プロファイル付きの画像がみな同じならそのプロファイルで、ほかは sRGB で (既定)。srgb: 常に sRGB に変換する</source>
        <translation>auto: in the profile every tagged picture shares, else sRGB (default); srgb: always converted to sRGB</translation>
    </message>
    <message>
        <source>画像を横か縦に、1 列に、または折り返して格子状に連結する</source>
        <translation>Join pictures side by side or stacked, in one line or wrapped into a grid</translation>
    </message>
    <message>
        <source>h: 横に並べる (既定)、v: 縦に積む</source>
        <translation>h: side by side (default), v: stacked</translation>
    </message>
    <message>
        <source>original: すべて原寸 (既定)。ほかは小さい画像を拡大する</source>
        <translation>original keeps every size (default); the others enlarge smaller pictures</translation>
    </message>
    <message>
        <source>画像の間隔 (ピクセル、0 から 500 まで 10 刻み)</source>
        <translation>Pixels between pictures: 0 to 500 in steps of 10</translation>
    </message>
    <message>
        <source>枠の幅 左,上,右,下 (0 から 10000)</source>
        <translation>Frame widths left,top,right,bottom (0 to 10000)</translation>
    </message>
    <message>
        <source>間隔、枠、画像のない部分の色 (既定 ffffff)</source>
        <translation>Colour of gaps, frame and uncovered areas (default ffffff)</translation>
    </message>
    <message>
        <source>JPEG の品質 (既定 85)</source>
        <translation>JPEG quality (default 85)</translation>
    </message>
    <message>
        <source>N 枚ごとに次の行 (h) か列 (v) へ折り返す。0: 1 列 (既定)</source>
        <translation>A new row (h) or column (v) after every N pictures; 0: one line (default)</translation>
    </message>
    <message>
        <source>原寸で、画像を列の中で、短い列を最長の列に沿って、先頭 (既定)、中央、末尾にそろえる</source>
        <translation>Original size: pictures across their line and shorter lines along the longest at the start (default), centre or end</translation>
    </message>
    <message>
        <source>スレッド数 (既定: プロセッサーの数。1: 画像を 1 枚ずつ)</source>
        <translation>Threads to work on (default: every processor; 1: one picture after the other)</translation>
    </message>
    <message>
        <source>書き出すファイル (.jpg/.jpeg/.jpe: JPEG、.png: PNG、.webp: WebP、ほかは BMP)</source>
        <translation>File to write (.jpg/.jpeg/.jpe: JPEG, .png: PNG, .webp: WebP, else BMP)</translation>
    </message>
    <message>
        <source>連結する順の画像</source>
        <translation>Pictures in join order</translation>
    </message>
    <message>
        <source>JPEG 画像自身の係数をそのまま使う (原寸、ブロック境界がそろうこと)。できなければ理由を添えて断る</source>
        <translation>Keep every JPEG picture&apos;s own coefficients (original size, blocks in line); refused with the reason otherwise</translation>
    </message>
    <message>
        <source>Quilmo: 画像を横や縦に連結します (コマンドライン版)</source>
        <translation>Quilmo: join pictures side by side or stacked, from the shell.</translation>
    </message>
    <message>
        <source>バージョンを表示して終了する</source>
        <translation>Print the version and exit</translation>
    </message>
    <message>
        <source>画像の 幅x高さ ビット数 を表示する</source>
        <translation>Print WIDTHxHEIGHT BITS of a picture</translation>
    </message>
    <message>
        <source>画像ファイル</source>
        <translation>Picture file</translation>
    </message>
    <message>
        <source>画像を読み込み、BMP として書き出す</source>
        <translation>Read a picture and write it as BMP</translation>
    </message>
    <message>
        <source>読み込む画像</source>
        <translation>Picture to read</translation>
    </message>
    <message>
        <source>書き出す BMP ファイル</source>
        <translation>BMP file to write</translation>
    </message>
    <message>
        <source>N ピクセルを超える画像を断る (既定 268435456)</source>
        <translation>Refuse pictures of more than N pixels (default 268435456)</translation>
    </message>
    <message>
        <source>コマンドの前に DIR の読み込みプラグイン (*.spi) を読み込む</source>
        <translation>Load the import plug-ins (*.spi) of DIR before the command</translation>
    </message>
    <message>
        <source>Quilmo 付属のプラグインを使わない</source>
        <translation>Leave out the plug-ins that ship with Quilmo</translation>
    </message>
    <message>
        <source>画像を拡大縮小し、24 ビット BMP として書き出す</source>
        <translation>Scale a picture and write it as a 24-bit BMP</translation>
    </message>
    <message>
        <source>拡大縮小の方法 (既定: 拡大は bilinear、ほかは reduce)</source>
        <translation>Resampler (default: bilinear to enlarge, reduce otherwise)</translation>
    </message>
    <message>
        <source>SSE2 を使わない</source>
        <translation>Use the plain paths</translation>
    </message>
    <message>
        <source>スレッド数 (既定: プロセッサーの数。1: 1 本で順に)</source>
        <translation>Threads to work on (default: every processor; 1: in order on one)</translation>
    </message>
    <message>
        <source>目的の幅</source>
        <translation>Target width</translation>
    </message>
    <message>
        <source>目的の高さ</source>
        <translation>Target height</translation>
    </message>
    <message>
        <source>使い方</source>
        <translation>Usage</translation>
    </message>
    <message>
        <source>オプション</source>
        <translation>OPTIONS</translation>
    </message>
    <message>
        <source>オプション一覧</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>引数</source>
        <translation>Positionals</translation>
    </message>
    <message>
        <source>コマンド</source>
        <translation>SUBCOMMAND</translation>
    </message>
    <message>
        <source>必須</source>
        <translation>REQUIRED</translation>
    </message>
    <message>
        <source>必要</source>
        <translation>Needs</translation>
    </message>
    <message>
        <source>同時に使えない</source>
        <translation>Excludes</translation>
    </message>
    <message>
        <source>%1 から %2</source>
        <translation>%1 to %2</translation>
    </message>
    <message>
        <source>コマンド一覧</source>
        <translation>Subcommands</translation>
    </message>
    <message>
        <source>このヘルプを表示して終了する</source>
        <translation>Print this help message and exit</translation>
    </message>
    <message>
        <source>詳しくは --help を付けて実行してください。</source>
        <translation>Run with --help for more information.</translation>
    </message>
    <message>
        <source>メモリーが足りません</source>
        <translation>Out of memory</translation>
    </message>
    <message>
        <source>画像が大きすぎます: %1 x %2 ピクセル (上限は %3 ピクセル)</source>
        <translation>Picture too large: %1 x %2 pixels (the limit is %3 pixels)</translation>
    </message>
    <message>
        <source>ファイル &quot;%1&quot; を作成できません。%2</source>
        <translation>Cannot create file &quot;%1&quot;. %2</translation>
    </message>
    <message>
        <source>ファイル &quot;%1&quot; を開けません。%2</source>
        <translation>Cannot open file &quot;%1&quot;. %2</translation>
    </message>
    <message>
        <source>通常のファイルではありません</source>
        <translation>Not a regular file</translation>
    </message>
    <message>
        <source>JPEG 画像が正しくありません: %1</source>
        <translation>Invalid JPEG picture: %1</translation>
    </message>
    <message>
        <source>BMP 画像を書き出せません: BMP ファイルは 4 GiB までですが、この画像は %1 バイトになります。PNG で保存してください</source>
        <translation>Cannot write the BMP picture: a BMP file holds at most 4 GiB, this one would take %1 bytes; save it as PNG</translation>
    </message>
    <message>
        <source>画像の色を変換できません</source>
        <translation>Cannot convert the colours of a picture</translation>
    </message>
    <message>
        <source>空の画像は連結できません</source>
        <translation>Cannot join an empty picture</translation>
    </message>
    <message>
        <source>%1 画像が正しくありません: 使えない大きさです (%2 x %3 ピクセル)</source>
        <translation>Invalid %1 picture: unusable size (%2 x %3 pixels)</translation>
    </message>
    <message>
        <source>GIF 画像が正しくありません: %1</source>
        <translation>Invalid GIF picture: %1</translation>
    </message>
    <message>
        <source>この拡張子の画像は読めません (%1)</source>
        <translation>Unknown picture file extension (%1)</translation>
    </message>
    <message>
        <source>PNG 画像が正しくありません: %1</source>
        <translation>Invalid PNG picture: %1</translation>
    </message>
    <message>
        <source>JPEG 画像の幅と高さは %1 ピクセルまでですが、この画像は %2 x %3 です。PNG で保存してください</source>
        <translation>a JPEG picture is at most %1 pixels wide and high, this one is %2 x %3; save it as PNG</translation>
    </message>
    <message>
        <source>空の画像は保存できません</source>
        <translation>Cannot save an empty picture</translation>
    </message>
    <message>
        <source>%1 x %2 ピクセルは WebP の上限 %3 x %3 を超えています</source>
        <translation>%1 x %2 pixels is larger than WebP&apos;s %3 x %3</translation>
    </message>
    <message>
        <source>%1 画像を書き出せません: %2</source>
        <translation>Cannot write the %1 picture: %2</translation>
    </message>
    <message>
        <source>プリンターに印刷できる範囲がありません</source>
        <translation>The printer has no printable area</translation>
    </message>
    <message>
        <source>この組には画像がありません</source>
        <translation>The pair has no picture</translation>
    </message>
    <message>
        <source>結果が %2 組目の画像 %1 を置き換えます</source>
        <translation>The result would replace %1, a picture of pair %2</translation>
    </message>
    <message>
        <source>結果が、%2 組目がまだ読む画像 %1 を置き換えます</source>
        <translation>The result would replace %1, which pair %2 still reads</translation>
    </message>
    <message>
        <source>画像 %1 は %2 組目の結果です</source>
        <translation>The picture %1 is the result of pair %2</translation>
    </message>
    <message>
        <source>結果が %2 組目の結果 %1 を置き換えます</source>
        <translation>The result would replace %1, the result of pair %2</translation>
    </message>
    <message>
        <source>%1 は JPEG ファイル (.jpg, .jpeg, .jpe) ではありません</source>
        <translation>%1 is not a JPEG file (.jpg, .jpeg, .jpe)</translation>
    </message>
    <message>
        <source>グレースケール</source>
        <translation>greyscale</translation>
    </message>
    <message>
        <source>カラー (YCbCr)</source>
        <translation>in colour (YCbCr)</translation>
    </message>
    <message>
        <source>カラー (RGB)</source>
        <translation>in colour (RGB)</translation>
    </message>
    <message>
        <source>CMYK (連結では RGB に変換されます)</source>
        <translation>CMYK, which the join converts into RGB</translation>
    </message>
    <message>
        <source>連結で変換される色</source>
        <translation>in colours the join converts</translation>
    </message>
    <message>
        <source>MCU の %1 の倍数ではありません</source>
        <translation>not a multiple of %1 (its MCU)</translation>
    </message>
    <message>
        <source>%1 は JPEG 画像ではありません</source>
        <translation>%1 is not a JPEG picture</translation>
    </message>
    <message>
        <source>%1 は %2 です</source>
        <translation>%1 is %2</translation>
    </message>
    <message>
        <source>%1 は %2、%3 は %4 です</source>
        <translation>%1 is %2 and %3 %4</translation>
    </message>
    <message>
        <source>%1 のサンプリングは %2、%3 は %4 です</source>
        <translation>%1 is sampled %2 and %3 %4</translation>
    </message>
    <message>
        <source>%1 は無劣化では正立にできません (EXIF の向き %2): 正立では幅 %3 ピクセルで、%4</source>
        <translation>%1 cannot be turned upright losslessly (EXIF orientation %2): upright it is %3 pixels wide, %4</translation>
    </message>
    <message>
        <source>%1 は無劣化では正立にできません (EXIF の向き %2): 正立では高さ %3 ピクセルで、%4</source>
        <translation>%1 cannot be turned upright losslessly (EXIF orientation %2): upright it is %3 pixels high, %4</translation>
    </message>
    <message>
        <source>%1 は %2 x %3 ピクセルで、置く場所の大きさと違います</source>
        <translation>%1 is %2 x %3 pixels, not the size of its place</translation>
    </message>
    <message>
        <source>%1 は sRGB に変換されます</source>
        <translation>%1 would be converted into sRGB</translation>
    </message>
    <message>
        <source>%1 はほかの画像のプロファイルに変換されます</source>
        <translation>%1 would be converted into the other pictures&apos; profile</translation>
    </message>
    <message>
        <source>間隔の %1 ピクセルが MCU (%2) の倍数ではありません</source>
        <translation>the gap of %1 pixels is not a multiple of the MCU (%2)</translation>
    </message>
    <message>
        <source>枠の左と上の幅 (%1, %2) が MCU (%3) の倍数ではありません</source>
        <translation>the frame&apos;s left and top widths (%1, %2) are not multiples of the MCU (%3)</translation>
    </message>
    <message>
        <source>%1 は x = %2 から始まり、%3</source>
        <translation>%1 starts at x = %2, %3</translation>
    </message>
    <message>
        <source>%1 は y = %2 から始まり、%3</source>
        <translation>%1 starts at y = %2, %3</translation>
    </message>
    <message>
        <source>%1 は幅 %2 ピクセルで、%3</source>
        <translation>%1 is %2 pixels wide, %3</translation>
    </message>
    <message>
        <source>%1 は高さ %2 ピクセルで、%3</source>
        <translation>%1 is %2 pixels high, %3</translation>
    </message>
    <message>
        <source>画像 %1</source>
        <translation>picture %1</translation>
    </message>
    <message>
        <source>画像 %1 (%2)</source>
        <translation>picture %1 (%2)</translation>
    </message>
    <message>
        <source>画像がありません</source>
        <translation>there is no picture</translation>
    </message>
    <message>
        <source>無劣化では連結できません: %1</source>
        <translation>Cannot join losslessly: %1</translation>
    </message>
    <message>
        <source>画像が置く場所に収まりません</source>
        <translation>The picture does not fit its place</translation>
    </message>
    <message>
        <source>%1 の量子化テーブルで量子化し直しました: %2</source>
        <translation>Requantised to the tables of %1: %2</translation>
    </message>
    <message>
        <source>画像が拡大縮小されます (無劣化は原寸のときだけです)</source>
        <translation>the pictures are resampled (only the original size keeps them)</translation>
    </message>
    <message>
        <source>結果の大きさが変えられます</source>
        <translation>the results are resized</translation>
    </message>
    <message>
        <source>画像を効果プログラムに渡せません。%1</source>
        <translation>Cannot hand the picture to the effects program. %1</translation>
    </message>
    <message>
        <source>%1 から UTF-8 への変換がありません</source>
        <translation>No converter from %1 to UTF-8</translation>
    </message>
    <message>
        <source>ファイル &quot;%1&quot; を読み込めません。</source>
        <translation>Cannot read file &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; の組が多すぎます</source>
        <translation>Too many pairs in &quot;%1&quot;</translation>
    </message>
    <message>
        <source>フォルダー &quot;%1&quot; を作成できません。%2</source>
        <translation>Cannot create folder &quot;%1&quot;. %2</translation>
    </message>
    <message>
        <source>--format jpg が必要です</source>
        <translation>needs --format jpg</translation>
    </message>
    <message>
        <source>幅x高さ (どちらも 10 から 20000) で指定してください</source>
        <translation>must be WIDTHxHEIGHT, each 10 to 20000</translation>
    </message>
    <message>
        <source>K/N (0 &lt;= K &lt; N) で指定してください</source>
        <translation>must be K/N with 0 &lt;= K &lt; N</translation>
    </message>
    <message>
        <source>作業プロセスから壊れたデータが届きました</source>
        <translation>A worker sent a broken frame</translation>
    </message>
    <message>
        <source>16 進数 6 桁の RRGGBB で指定してください</source>
        <translation>must be six hexadecimal digits RRGGBB</translation>
    </message>
    <message>
        <source>10 の倍数で指定してください</source>
        <translation>must be a multiple of 10</translation>
    </message>
    <message>
        <source>連結に失敗しました</source>
        <translation>The join failed</translation>
    </message>
    <message>
        <source>bmp (既定)、jpg、png、webp</source>
        <translation>bmp (default), jpg, png or webp</translation>
    </message>
    <message>
        <source>不明なオプション %1</source>
        <translation>unknown option %1</translation>
    </message>
    <message>
        <source>使い方: quilmo [オプション] [画像...]
画像を横または縦に連結する。指定した画像はスロットに読み込まれる。

オプション:
  --version           バージョンを表示して終了する
  --help              このヘルプを表示して終了する
  --quit-after-start  ウィンドウを開き、画像を読み込んでから終了する (起動の確認)
  --                  これより後の引数はすべて画像
</source>
        <translation>Usage: quilmo [OPTIONS] [PICTURE...]
Joins pictures side by side or stacked; the pictures named are loaded into the slots.

Options:
  --version           Print the version and exit
  --help              Print this help and exit
  --quit-after-start  Open the window, load the pictures, then quit (a start check)
  --                  Every argument after it is a picture
</translation>
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
