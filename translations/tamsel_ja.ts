<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>Alerting</name>
    <message>
        <source>%1 is calling you</source>
        <extracomment>A notification&apos;s title; %1 is a call sign</extracomment>
        <translation>%1 が自局を呼び出しています</translation>
    </message>
    <message>
        <source>%1 heard</source>
        <translation>%1 を受信</translation>
    </message>
</context>
<context>
    <name>BaseMap</name>
    <message>
        <source>The map file %1 cannot be read.</source>
        <translation>地図ファイル %1 を読み込めません。</translation>
    </message>
    <message>
        <source>The map file %1 is damaged.</source>
        <translation>地図ファイル %1 は壊れています。</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Usage: %1 [--help | --version]
%2
It takes no other options. The adapter holds its own settings; the console&apos;s
(your position, units) are in $XDG_CONFIG_HOME/%3/tamsel.conf
(~/.config/%3/tamsel.conf), set in Config, Preferences.
The demo keeps them and its logs apart from the console&apos;s own.

  -h, --help     show this help and exit
      --version  show the version and exit

Qt&apos;s own options (-platform, -style, -display, -session and the others of
qt6options(7)) are passed to Qt.

tamsel is the same console for a real adapter.
See %1(1).
</source>
        <extracomment>--help of the demo program: %1 is its name, %2 what it does, %3 its folders&apos; name</extracomment>
        <translation>使い方: %1 [--help | --version]
%2
ほかのオプションはありません。アダプターの設定はアダプター自身が保持します。コンソールの設定
(自局の位置、単位) は $XDG_CONFIG_HOME/%3/tamsel.conf
(~/.config/%3/tamsel.conf) にあり、[設定] - [環境設定] で変更します。
デモはそれらとログを、コンソール本体のものとは別に保存します。

  -h, --help     このヘルプを表示して終了する
      --version  バージョンを表示して終了する

Qt 自身のオプション (-platform、-style、-display、-session など
qt6options(7) にあるもの) は Qt に渡されます。

tamsel は実際のアダプター用の同じコンソールです。
%1(1) を参照してください。
</translation>
    </message>
    <message>
        <source>Usage: %1 [--help | --version]
%2
It takes no other options. The adapter holds its own settings; the console&apos;s
(your position, units) are in $XDG_CONFIG_HOME/%3/tamsel.conf
(~/.config/%3/tamsel.conf), set in Config, Preferences.

  -h, --help     show this help and exit
      --version  show the version and exit

Qt&apos;s own options (-platform, -style, -display, -session and the others of
qt6options(7)) are passed to Qt.

The adapter (USB 04d8:0310) must be accessible to you. The udev rule that grants
it to the user at the seat is /usr/lib/udev/rules.d/60-tamsel.rules when the
package is installed, or packaging/60-tamsel.rules in the source tree.
tamsel-demo runs the same console on a built-in simulated adapter.
See %1(1).
</source>
        <extracomment>--help: %1 is the program&apos;s name, %2 what it does, %3 its folders&apos; name</extracomment>
        <translation>使い方: %1 [--help | --version]
%2
ほかのオプションはありません。アダプターの設定はアダプター自身が保持します。コンソールの設定
(自局の位置、単位) は $XDG_CONFIG_HOME/%3/tamsel.conf
(~/.config/%3/tamsel.conf) にあり、[設定] - [環境設定] で変更します。

  -h, --help     このヘルプを表示して終了する
      --version  バージョンを表示して終了する

Qt 自身のオプション (-platform、-style、-display、-session など
qt6options(7) にあるもの) は Qt に渡されます。

アダプター (USB 04d8:0310) にアクセスできる必要があります。席にいるユーザーに
アクセスを許可する udev ルールは、パッケージをインストールした場合は
/usr/lib/udev/rules.d/60-tamsel.rules、ソースツリーでは packaging/60-tamsel.rules です。
tamsel-demo は同じコンソールを内蔵の模擬アダプターで動かします。
%1(1) を参照してください。
</translation>
    </message>
    <message>
        <source>%1: option &apos;%2&apos; needs a value
Try &apos;%1 --help&apos; for more information.
</source>
        <translation>%1: オプション &apos;%2&apos; には値が必要です
詳しくは &apos;%1 --help&apos; を実行してください。
</translation>
    </message>
    <message>
        <source>%1: unrecognised argument &apos;%2&apos;
Try &apos;%1 --help&apos; for more information.
</source>
        <translation>%1: 認識できない引数 &apos;%2&apos;
詳しくは &apos;%1 --help&apos; を実行してください。
</translation>
    </message>
    <message>
        <source>Configures a Tamsel USB D-STAR digital-voice adapter and shows what it receives.</source>
        <translation>Tamsel USB D-STAR デジタル音声アダプターを設定し、受信内容を表示します。</translation>
    </message>
    <message>
        <source>Runs the station of a Tamsel USB D-STAR digital-voice adapter without a display, as a service;
it says what it does on standard error.</source>
        <translation>Tamsel USB D-STAR デジタル音声アダプターの局を画面なしでサービスとして動かします。
動作は標準エラー出力に書きます。</translation>
    </message>
    <message>
        <source>Runs the Tamsel Console on a built-in simulated adapter that hears a station every few
seconds, for trying the console without an adapter. With --station, runs the station
without a display instead (as tamsel-station does), saying what it does on standard error.</source>
        <translation>Tamsel コンソールを内蔵の模擬アダプターで動かします。数秒ごとに局を受信するので、
アダプターなしでコンソールを試せます。--station を付けると、代わりに画面なしの局を
(tamsel-station と同じく) 動かし、動作を標準エラー出力に書きます。</translation>
    </message>
    <message>
        <source>  --listen ADDRESS:PORT   serve the station&apos;s page there (default 127.0.0.1:8073;
                          another address than this computer&apos;s needs a password)
  --tls-cert FILE         serve it over HTTPS with this certificate (PEM)...
  --tls-key FILE          ...and its private key (PEM)
  --set-password          set the page&apos;s password (asked twice) and end
</source>
        <translation>  --listen アドレス:ポート  局のページをそこで提供する（既定は 127.0.0.1:8073。
                          このコンピューター以外のアドレスにはパスワードが必要）
  --tls-cert ファイル      この証明書（PEM）で HTTPS により提供する...
  --tls-key ファイル       ...とその秘密鍵（PEM）
  --set-password          ページのパスワードを設定して（2 回たずねます）終了する
</translation>
    </message>
</context>
<context>
    <name>Console</name>
    <message>
        <source>%1 is your ADIF log, which is only ever added to. Choose another file.</source>
        <translation>%1 は ADIF ログで、追記するだけのファイルです。別のファイルを選んでください。</translation>
    </message>
    <message>
        <source>%1 is a file of your reception log, which is only ever added to. Choose another file.</source>
        <translation>%1 は受信ログのファイルで、追記するだけのファイルです。別のファイルを選んでください。</translation>
    </message>
    <message>
        <source>Log Contact...</source>
        <translation>交信を記録...</translation>
    </message>
    <message>
        <source>&amp;Preferences...</source>
        <translation>環境設定(&amp;P)...</translation>
    </message>
    <message>
        <source>%1 %2, bearing %3°</source>
        <extracomment>Distance, its unit and bearing of a heard station: &quot;123.4 km, bearing 45°&quot;</extracomment>
        <translation>%1 %2、方位 %3°</translation>
    </message>
    <message>
        <source> - adapter disconnected</source>
        <extracomment>Added to the main window&apos;s title</extracomment>
        <translation> - アダプター切断</translation>
    </message>
    <message>
        <source> - adapter not accessible</source>
        <extracomment>Added to the main window&apos;s title</extracomment>
        <translation> - アダプターにアクセスできません</translation>
    </message>
    <message>
        <source>The station&apos;s page for browsers is not served: %1</source>
        <extracomment>%1: why the page could not be served</extracomment>
        <translation>ブラウザー用の局のページを提供できません: %1</translation>
    </message>
</context>
<context>
    <name>ContactLogger</name>
    <message>
        <source>Logged to %1. %2</source>
        <extracomment>%1 is the ADIF file, %2 a sentence on the logging program: &quot;Sent to 127.0.0.1:2237 as ADIF&quot;</extracomment>
        <translation>%1 に記録しました。%2</translation>
    </message>
</context>
<context>
    <name>DemoMain</name>
    <message>
        <source> [demo: simulated adapter]</source>
        <extracomment>Added to the main window&apos;s title of the demo program</extracomment>
        <translation> [デモ: 模擬アダプター]</translation>
    </message>
</context>
<context>
    <name>Discovery</name>
    <message>
        <source>Tamsel found, but it could not be opened (%1).

This is usually a matter of permissions. The udev rule that grants it is installed (%2); make udev read it again:
  sudo udevadm control --reload
  sudo udevadm trigger
then unplug the adapter and plug it in again.</source>
        <extracomment>%1 is the system&apos;s reason, %2 the udev rule&apos;s file</extracomment>
        <translation>Tamsel が見つかりましたが、開けませんでした (%1)。

通常はアクセス権の問題です。アクセスを許可する udev ルールはインストールされています (%2)。udev に読み直させてください:
  sudo udevadm control --reload
  sudo udevadm trigger
その後、アダプターを抜いて差し直してください。</translation>
    </message>
    <message>
        <source>Tamsel found, but it could not be opened (%1).

This is usually a matter of permissions. Install the udev rule that comes with the program:
  sudo cp %2 /etc/udev/rules.d/
  sudo udevadm control --reload
  sudo udevadm trigger
then unplug the adapter and plug it in again.</source>
        <extracomment>%1 is the system&apos;s reason, %2 the udev rule&apos;s file</extracomment>
        <translation>Tamsel が見つかりましたが、開けませんでした (%1)。

通常はアクセス権の問題です。プログラムに付属の udev ルールをインストールしてください:
  sudo cp %2 /etc/udev/rules.d/
  sudo udevadm control --reload
  sudo udevadm trigger
その後、アダプターを抜いて差し直してください。</translation>
    </message>
    <message>
        <source>Tamsel not found.</source>
        <translation>Tamsel が見つかりません。</translation>
    </message>
</context>
<context>
    <name>HeardStationsModel</name>
    <message>
        <source>Callsign</source>
        <translation>コールサイン</translation>
    </message>
    <message>
        <source>Suffix</source>
        <extracomment>Column: the caller&apos;s 4-character callsign suffix (radio model)</extracomment>
        <translation>サフィックス</translation>
    </message>
    <message>
        <source>Last Heard</source>
        <translation>最終受信</translation>
    </message>
    <message>
        <source>Count</source>
        <extracomment>Column: how many times the station was heard</extracomment>
        <translation>回数</translation>
    </message>
    <message>
        <source>Called</source>
        <extracomment>Column: the station that was called</extracomment>
        <translation>呼出先</translation>
    </message>
    <message>
        <source>Route</source>
        <extracomment>Column: which way the call came (gateway, repeater, simplex)</extracomment>
        <translation>経路</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>メッセージ</translation>
    </message>
    <message>
        <source>Locator</source>
        <translation>ロケーター</translation>
    </message>
    <message>
        <source>Latitude</source>
        <translation>緯度</translation>
    </message>
    <message>
        <source>Longitude</source>
        <translation>経度</translation>
    </message>
    <message>
        <source>Distance</source>
        <translation>距離</translation>
    </message>
    <message>
        <source>Bearing</source>
        <translation>方位</translation>
    </message>
    <message>
        <source>Course</source>
        <extracomment>Column: the direction the station moves in</extracomment>
        <translation>進行方向</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>速度</translation>
    </message>
    <message>
        <source>Altitude</source>
        <translation>高度</translation>
    </message>
    <message>
        <source>Comment</source>
        <translation>コメント</translation>
    </message>
    <message>
        <source>Gated</source>
        <extracomment>Column: when a position of the station last went out to APRS-IS</extracomment>
        <translation>APRS-IS転送</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Ma&amp;p</source>
        <translation>地図(&amp;P)</translation>
    </message>
</context>
<context>
    <name>RouteNames</name>
    <message>
        <source>unlink</source>
        <extracomment>A route: the link command that unlinks a reflector</extracomment>
        <translation>リンク解除</translation>
    </message>
    <message>
        <source>echo</source>
        <extracomment>A route: the echo test</extracomment>
        <translation>エコー</translation>
    </message>
    <message>
        <source>info</source>
        <extracomment>A route: the repeater&apos;s information message</extracomment>
        <translation>情報</translation>
    </message>
    <message>
        <source>link %1 %2</source>
        <extracomment>A route: link to a reflector (%1) on a module (%2): &quot;link REF030 C&quot;</extracomment>
        <translation>%1 %2 に接続</translation>
    </message>
    <message>
        <source>routed to %1</source>
        <translation>%1 へ経路指定</translation>
    </message>
    <message>
        <source>call to %1</source>
        <extracomment>A route: a call to one station, named by its call sign</extracomment>
        <translation>%1 を呼出</translation>
    </message>
    <message>
        <source>simplex</source>
        <translation>シンプレックス</translation>
    </message>
    <message>
        <source>via gateway %1</source>
        <extracomment>A route: came from the internet through the gateway of this repeater</extracomment>
        <translation>ゲートウェイ %1 経由</translation>
    </message>
    <message>
        <source>gateway CQ %1</source>
        <extracomment>A route: a CQ sent out through the gateway of this repeater</extracomment>
        <translation>ゲートウェイ CQ %1</translation>
    </message>
    <message>
        <source>local %1</source>
        <extracomment>A route: through this repeater only, not the gateway</extracomment>
        <translation>ローカル %1</translation>
    </message>
</context>
<context>
    <name>Routes</name>
    <message>
        <source>Choose your repeater first: Repeater 1 holds none.</source>
        <translation>先にレピーターを選んでください: アクセスレピーターが空です。</translation>
    </message>
    <message>
        <source>Repeater 1 needs the repeater&apos;s module letter in its 8th place, such as JR1YB  B.</source>
        <translation>アクセスレピーターの8文字目にはレピーターのモジュール文字が必要です (例: JR1YB  B)。</translation>
    </message>
    <message>
        <source>Nothing received yet: nobody to reply to.</source>
        <translation>まだ何も受信していません: 応答する相手がいません。</translation>
    </message>
</context>
<context>
    <name>SaveFile</name>
    <message>
        <source>Cannot write %1:
%2</source>
        <translation>%1 に書き込めません:
%2</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>Delay Time is too big. (max. 2550)</source>
        <translation>Delay Time が大きすぎます。(最大 2550)</translation>
    </message>
    <message>
        <source>Delay Time is too small. (min. 0)</source>
        <translation>Delay Time が小さすぎます。(最小 0)</translation>
    </message>
    <message>
        <source>Keep Alive Time is too big. (max. 2550)</source>
        <translation>Keep Alive Time が大きすぎます。(最大 2550)</translation>
    </message>
    <message>
        <source>Keep Alive Time is too small. (min. 0)</source>
        <translation>Keep Alive Time が小さすぎます。(最小 0)</translation>
    </message>
    <message>
        <source>ReSync Error Bits is too big. (max. 24)</source>
        <translation>ReSync Error Bits が大きすぎます。(最大 24)</translation>
    </message>
    <message>
        <source>ReSync Error Bits is too small. (min. 0)</source>
        <translation>ReSync Error Bits が小さすぎます。(最小 0)</translation>
    </message>
    <message>
        <source>Invalid character</source>
        <translation>無効な文字</translation>
    </message>
</context>
<context>
    <name>StationProgram</name>
    <message>
        <source>Tamsel station %1 started; settings %2, logs and repeaters in %3.</source>
        <extracomment>In the station&apos;s log when it starts. %1: its version, %2: the settings file, %3: the folder of its logs</extracomment>
        <translation>Tamsel 局 %1 を開始しました。設定 %2、ログとレピーター一覧は %3 にあります。</translation>
    </message>
    <message>
        <source>The station keeps running and takes the adapter when it is plugged in.</source>
        <translation>局は動作を続け、アダプターが接続されたら使い始めます。</translation>
    </message>
    <message>
        <source>Stopped.</source>
        <translation>停止しました。</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>Caller Callsign</source>
        <translation>送信局コールサイン</translation>
    </message>
    <message>
        <source>Click to reply: this caller becomes the Station Call</source>
        <translation>クリックで応答: この送信局が相手局コールサインになります</translation>
    </message>
    <message>
        <source>Caller Callsign suffix</source>
        <translation>送信局コールサインのサフィックス</translation>
    </message>
    <message>
        <source>Called Callsign</source>
        <translation>呼出先コールサイン</translation>
    </message>
    <message>
        <source>Logo</source>
        <translation>ロゴ</translation>
    </message>
    <message>
        <source>Received Message</source>
        <translation>受信メッセージ</translation>
    </message>
    <message>
        <source>Received Time</source>
        <translation>受信時刻</translation>
    </message>
    <message>
        <source>Flags Info.</source>
        <translation>フラグ情報</translation>
    </message>
    <message>
        <source>Repeater</source>
        <translation>レピーター</translation>
    </message>
    <message>
        <source>Break</source>
        <translation>ブレーク</translation>
    </message>
    <message>
        <source>EMR</source>
        <translation>EMR</translation>
    </message>
    <message>
        <source>Send Message</source>
        <translation>送信メッセージ</translation>
    </message>
    <message>
        <source>Station Call</source>
        <translation>相手局コールサイン</translation>
    </message>
    <message>
        <source>Double-click for a general call (CQCQCQ)</source>
        <translation>ダブルクリックで一斉呼出 (CQCQCQ)</translation>
    </message>
    <message>
        <source>Repeater 1</source>
        <translation>アクセスレピーター</translation>
    </message>
    <message>
        <source>Repeater 2</source>
        <translation>レピーター2</translation>
    </message>
    <message>
        <source>My Call</source>
        <translation>自局コールサイン</translation>
    </message>
    <message>
        <source>Double-click to change the station callsign</source>
        <translation>ダブルクリックで自局コールサインを変更</translation>
    </message>
    <message>
        <source>My Call suffix</source>
        <translation>自局コールサインのサフィックス</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>音量</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>ファイル(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Config</source>
        <translation>設定(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation>ウィンドウ(&amp;W)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>保存(&amp;S)</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>終了(&amp;X)</translation>
    </message>
    <message>
        <source>&amp;MyCALL/2 </source>
        <translation>MyCALL/2(&amp;M) </translation>
    </message>
    <message>
        <source>&amp;Default Setting</source>
        <translation>初期設定(&amp;D)</translation>
    </message>
    <message>
        <source>Received &amp;History</source>
        <translation>受信履歴(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;Memory</source>
        <translation>メモリー(&amp;M)</translation>
    </message>
    <message>
        <source>Heard &amp;Stations</source>
        <translation>受信局一覧(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;PIC Version</source>
        <translation>PIC バージョン(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>バージョン情報(&amp;A)...</translation>
    </message>
    <message>
        <source>Tamsel Console, free software for D-STAR operators</source>
        <translation>Tamsel Console - D-STAR 運用者のためのフリーソフトウェア</translation>
    </message>
</context>
<context>
    <name>Targets</name>
    <message>
        <source>A module is one letter from A to Z.</source>
        <translation>モジュールは A から Z の1文字です。</translation>
    </message>
    <message>
        <source>A reflector is named by 3 letters and 3 letters or digits, such as REF030, XRF757, DCS006 or XLX307.</source>
        <translation>リフレクター名は英字3文字と英数字3文字です (例: REF030、XRF757、DCS006、XLX307)。</translation>
    </message>
    <message>
        <source>A callsign is 3 to 8 characters: letters A to Z, digits, / and blanks, starting with a letter or a digit.</source>
        <translation>コールサインは3〜8文字です: 英字 A〜Z、数字、/ と空白で、英字か数字で始まります。</translation>
    </message>
    <message>
        <source>A repeater&apos;s callsign is 3 to 6 letters and digits, without its module.</source>
        <translation>レピーターのコールサインはモジュールを除いた英数字3〜6文字です。</translation>
    </message>
</context>
<context>
    <name>Web</name>
    <message>
        <source>Tamsel Console</source>
        <translation>Tamsel Console</translation>
    </message>
    <message>
        <source>Skip to content</source>
        <translation>本文へ移動</translation>
    </message>
    <message>
        <source>Sections</source>
        <translation>セクション</translation>
    </message>
    <message>
        <source>Now</source>
        <translation>現在</translation>
    </message>
    <message>
        <source>Heard Stations</source>
        <translation>受信局一覧</translation>
    </message>
    <message>
        <source>Map</source>
        <translation>地図</translation>
    </message>
    <message>
        <source>Call</source>
        <extracomment>The section with the calls to make (not a callsign)</extracomment>
        <translation>呼出</translation>
    </message>
    <message>
        <source>Adapter</source>
        <translation>アダプター</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>言語</translation>
    </message>
    <message>
        <source>Sign in</source>
        <translation>サインイン</translation>
    </message>
    <message>
        <source>Sign out</source>
        <translation>サインアウト</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>パスワード</translation>
    </message>
    <message>
        <source>Try again in %1 s</source>
        <extracomment>On the sign-in button while wrong passwords lock it; %1: seconds</extracomment>
        <translation>%1 秒後に再試行</translation>
    </message>
    <message>
        <source>Connection lost: reconnecting...</source>
        <translation>接続が切れました: 再接続しています...</translation>
    </message>
    <message>
        <source>The station does not answer.</source>
        <translation>ステーションが応答しません。</translation>
    </message>
    <message>
        <source>Done.</source>
        <extracomment>An intent was carried out and the station had nothing more to say</extracomment>
        <translation>完了しました。</translation>
    </message>
    <message>
        <source>Nothing received yet.</source>
        <translation>まだ何も受信していません。</translation>
    </message>
    <message>
        <source>Receiving</source>
        <extracomment>A reception is under way</extracomment>
        <translation>受信中</translation>
    </message>
    <message>
        <source>Last reception</source>
        <translation>最後の受信</translation>
    </message>
    <message>
        <source>%1 calling %2</source>
        <extracomment>Said once per reception: %1 the caller with its suffix (&quot;JA1XYZ /ID51&quot;), %2 the called station</extracomment>
        <translation>%1 が %2 を呼出中</translation>
    </message>
    <message>
        <source>Caller</source>
        <extracomment>The station heard</extracomment>
        <translation>送信局</translation>
    </message>
    <message>
        <source>Called</source>
        <extracomment>The station that was called</extracomment>
        <translation>呼出先</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>メッセージ</translation>
    </message>
    <message>
        <source>Route</source>
        <extracomment>Which way the call came (gateway, repeater, simplex)</extracomment>
        <translation>経路</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>時刻</translation>
    </message>
    <message>
        <source>Distance</source>
        <translation>距離</translation>
    </message>
    <message>
        <source>Bearing</source>
        <translation>方位</translation>
    </message>
    <message>
        <source>Choose a station to reply to it.</source>
        <translation>局を選ぶとその局に応答します。</translation>
    </message>
    <message>
        <source>No station heard yet.</source>
        <translation>まだ受信した局はありません。</translation>
    </message>
    <message>
        <source>Reply</source>
        <translation>応答</translation>
    </message>
    <message>
        <source>Reply to %1</source>
        <extracomment>%1: a callsign</extracomment>
        <translation>%1 に応答</translation>
    </message>
    <message>
        <source>Arrow keys move the map, plus and minus zoom; Tab reaches the markers.</source>
        <translation>矢印キーで地図を移動、プラスとマイナスで拡大・縮小、Tab キーでマーカーへ移動します。</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation>拡大</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>縮小</translation>
    </message>
    <message>
        <source>Your station</source>
        <extracomment>The operator&apos;s own station on the map</extracomment>
        <translation>自局</translation>
    </message>
    <message>
        <source>Repeater %1</source>
        <extracomment>A repeater&apos;s marker on the map; %1: its callsign and name</extracomment>
        <translation>レピーター %1</translation>
    </message>
    <message>
        <source>Gateway CQ</source>
        <translation>ゲートウェイ CQ</translation>
    </message>
    <message>
        <source>Local CQ</source>
        <translation>ローカル CQ</translation>
    </message>
    <message>
        <source>Link Reflector</source>
        <translation>リフレクターに接続</translation>
    </message>
    <message>
        <source>Unlink</source>
        <translation>リンク解除</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>情報</translation>
    </message>
    <message>
        <source>Echo Test</source>
        <translation>エコーテスト</translation>
    </message>
    <message>
        <source>Reply to Last Caller</source>
        <translation>最後の送信局に応答</translation>
    </message>
    <message>
        <source>Simplex</source>
        <translation>シンプレックス</translation>
    </message>
    <message>
        <source>Use Nearest Repeater</source>
        <translation>最寄りのレピーターを使う</translation>
    </message>
    <message>
        <source>Reflector</source>
        <translation>リフレクター</translation>
    </message>
    <message>
        <source>Module</source>
        <translation>モジュール</translation>
    </message>
    <message>
        <source>Link</source>
        <extracomment>The button that links to the reflector</extracomment>
        <translation>接続</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Repeater directory</source>
        <translation>レピーター一覧</translation>
    </message>
    <message>
        <source>Name, callsign or area</source>
        <translation>名前、コールサインまたは地域</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>検索</translation>
    </message>
    <message>
        <source>Repeaters found: %1</source>
        <extracomment>%1: how many repeaters the search found</extracomment>
        <translation>見つかったレピーター: %1</translation>
    </message>
    <message>
        <source>Use as My Repeater</source>
        <translation>アクセスレピーターに設定</translation>
    </message>
    <message>
        <source>Station Call</source>
        <translation>相手局コールサイン</translation>
    </message>
    <message>
        <source>Repeater 1</source>
        <translation>アクセスレピーター</translation>
    </message>
    <message>
        <source>Repeater 2</source>
        <translation>レピーター2</translation>
    </message>
    <message>
        <source>My Call</source>
        <translation>自局コールサイン</translation>
    </message>
    <message>
        <source>My Call suffix</source>
        <translation>自局コールサインのサフィックス</translation>
    </message>
    <message>
        <source>Send Message</source>
        <translation>送信メッセージ</translation>
    </message>
    <message>
        <source>Flags</source>
        <extracomment>The header&apos;s flags: Repeater, Break, EMR</extracomment>
        <translation>フラグ</translation>
    </message>
    <message>
        <source>Repeater</source>
        <extracomment>The header&apos;s flag</extracomment>
        <translation>レピーター</translation>
    </message>
    <message>
        <source>Break</source>
        <translation>ブレーク</translation>
    </message>
    <message>
        <source>EMR</source>
        <translation>EMR</translation>
    </message>
    <message>
        <source>The adapter now holds</source>
        <extracomment>Above the values the adapter holds now</extracomment>
        <translation>アダプターが今保持している値</translation>
    </message>
    <message>
        <source>On</source>
        <extracomment>A flag is set</extracomment>
        <translation>オン</translation>
    </message>
    <message>
        <source>Off</source>
        <extracomment>A flag is not set</extracomment>
        <translation>オフ</translation>
    </message>
    <message>
        <source>The password needs at least %1 characters.</source>
        <translation>パスワードは %1 文字以上にしてください。</translation>
    </message>
    <message>
        <source>The password could not be kept: %1</source>
        <translation>パスワードを保存できません: %1</translation>
    </message>
    <message>
        <source>No password is set, so the page is for this computer alone. Set one with tamsel-station --set-password or in the console&apos;s Preferences, Remote.</source>
        <translation>パスワードが設定されていないため、このページはこのコンピューター専用です。tamsel-station --set-password またはコンソールの設定の「リモート」で設定してください。</translation>
    </message>
    <message>
        <source>A nearer repeater is in the directory: %1, %2.</source>
        <extracomment>%1: a repeater&apos;s callsign, %2: its distance with the unit</extracomment>
        <translation>一覧により近いレピーターがあります: %1、%2。</translation>
    </message>
    <message>
        <source>No password is set, so the page is served on this computer only (127.0.0.1), not on %1. Set one with tamsel-station --set-password, or listen on 127.0.0.1.</source>
        <extracomment>%1: the address asked for, such as 0.0.0.0</extracomment>
        <translation>パスワードが設定されていないため、ページはこのコンピューター（127.0.0.1）でのみ提供し、%1 では提供しません。tamsel-station --set-password で設定するか、127.0.0.1 で待ち受けてください。</translation>
    </message>
    <message>
        <source>Sign in first.</source>
        <translation>先にサインインしてください。</translation>
    </message>
    <message>
        <source>Too many wrong passwords: try again in %1 s.</source>
        <extracomment>%1: seconds</extracomment>
        <translation>誤ったパスワードが多すぎます: %1 秒後にもう一度お試しください。</translation>
    </message>
    <message>
        <source>Wrong password.</source>
        <translation>パスワードが違います。</translation>
    </message>
    <message>
        <source>It is taken as soon as it is plugged in.</source>
        <translation>接続されればすぐに使います。</translation>
    </message>
    <message>
        <source>the system did not let the station open it</source>
        <translation>システムが局に開くことを許しませんでした</translation>
    </message>
    <message>
        <source>The adapter could not be reached.</source>
        <translation>アダプターに届きませんでした。</translation>
    </message>
    <message>
        <source>%1 is no D-STAR repeater of the directory.</source>
        <extracomment>%1: a repeater&apos;s callsign</extracomment>
        <translation>%1 は一覧の D-STAR レピーターではありません。</translation>
    </message>
    <message>
        <source>New password for the page: </source>
        <translation>ページの新しいパスワード: </translation>
    </message>
    <message>
        <source>The same again: </source>
        <translation>もう一度: </translation>
    </message>
    <message>
        <source>No password given; nothing changed.</source>
        <translation>パスワードが入力されませんでした。何も変更していません。</translation>
    </message>
    <message>
        <source>The two differ; nothing changed.</source>
        <translation>2 つが一致しません。何も変更していません。</translation>
    </message>
    <message>
        <source>Password kept (as a hash) in %1; signed-in pages must sign in again.</source>
        <extracomment>%1: the file</extracomment>
        <translation>パスワードを（ハッシュとして）%1 に保存しました。サインイン中のページはサインインし直す必要があります。</translation>
    </message>
    <message>
        <source>The page&apos;s address %1 is not ADDRESS:PORT.</source>
        <extracomment>%1: what the settings hold for the address</extracomment>
        <translation>ページのアドレス %1 が アドレス:ポート の形ではありません。</translation>
    </message>
    <message>
        <source>The station&apos;s page is at %1</source>
        <extracomment>%1: the page&apos;s address, such as http://127.0.0.1:8073/</extracomment>
        <translation>局のページ: %1</translation>
    </message>
    <message>
        <source>APRS-IS: the connection was lost; trying again.</source>
        <translation>APRS-IS: 接続が切れました。再接続します。</translation>
    </message>
</context>
<context>
    <name>tamsel::AlertsPage</name>
    <message>
        <source>On &amp;every reception</source>
        <translation>受信のたびに(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Sound</source>
        <translation>サウンド(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Watch list (callsigns, or prefixes such as JA1*, one a line):</source>
        <translation>ウォッチリスト(&amp;W) (コールサイン、または JA1* のようなプリフィックスを1行に1つ):</translation>
    </message>
    <message>
        <source>Watch list</source>
        <translation>ウォッチリスト</translation>
    </message>
    <message>
        <source> min</source>
        <translation> 分</translation>
    </message>
    <message>
        <source>Quiet time</source>
        <translation>通知しない時間</translation>
    </message>
    <message>
        <source>Not a callsign or prefix in the watch list: %1</source>
        <translation>ウォッチリストにコールサインでもプリフィックスでもないものがあります: %1</translation>
    </message>
    <message>
        <source>Alerts</source>
        <translation>通知</translation>
    </message>
    <message>
        <source>Alert when a station calls &amp;me</source>
        <translation>自局が呼ばれたら通知(&amp;M)</translation>
    </message>
    <message>
        <source>Once &amp;per station within</source>
        <translation>局ごとに1回、次の時間内(&amp;P)</translation>
    </message>
</context>
<context>
    <name>tamsel::AprsGate</name>
    <message>
        <source>APRS-IS: no login callsign</source>
        <translation>APRS-IS: ログインコールサインがありません</translation>
    </message>
    <message>
        <source>APRS-IS: the server is not a HOST:PORT</source>
        <translation>APRS-IS: サーバーが HOST:PORT の形ではありません</translation>
    </message>
    <message numerus="yes">
        <source>APRS-IS: connecting, %n gated</source>
        <translation>
            <numerusform>APRS-IS: 接続中、%n 件転送</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>APRS-IS: connected, %n gated</source>
        <translation>
            <numerusform>APRS-IS: 接続済み、%n 件転送</numerusform>
        </translation>
    </message>
    <message>
        <source>APRS-IS: connected, unverified: nothing is gated</source>
        <translation>APRS-IS: 接続済み、未認証: 転送しません</translation>
    </message>
    <message numerus="yes">
        <source>APRS-IS: not connected, %n gated</source>
        <translation>
            <numerusform>APRS-IS: 未接続、%n 件転送</numerusform>
        </translation>
    </message>
    <message>
        <source>Not gating.</source>
        <translation>転送していません。</translation>
    </message>
    <message>
        <source>Connecting to %1 as %2...</source>
        <translation>%1 に %2 として接続中...</translation>
    </message>
    <message>
        <source>Connected to %1, verified</source>
        <translation>%1 に接続済み、認証済み</translation>
    </message>
    <message>
        <source>Connected to %1, unverified: nothing is gated</source>
        <translation>%1 に接続済み、未認証: 転送しません</translation>
    </message>
    <message numerus="yes">
        <source>Not connected (%1). Trying again in %n s.</source>
        <translation>
            <numerusform>未接続 (%1)。%n 秒後に再接続します。</numerusform>
        </translation>
    </message>
    <message>
        <source>APRS-IS: the demo&apos;s stations are made up; it gates to a server on this computer only</source>
        <translation>APRS-IS: デモの局は架空のため、このコンピューター上のサーバーにだけ転送します</translation>
    </message>
</context>
<context>
    <name>tamsel::AprsIsClient</name>
    <message>
        <source>The server has stopped sending.</source>
        <translation>サーバーからの送信が止まりました。</translation>
    </message>
    <message>
        <source>The server&apos;s name %1 is not known: %2</source>
        <translation>サーバー名 %1 が見つかりません: %2</translation>
    </message>
    <message>
        <source>The server closed the connection.</source>
        <translation>サーバーが接続を切りました。</translation>
    </message>
    <message>
        <source>The server did not answer.</source>
        <translation>サーバーが応答しませんでした。</translation>
    </message>
    <message>
        <source>The server did not answer the login.</source>
        <translation>サーバーがログインに応答しませんでした。</translation>
    </message>
</context>
<context>
    <name>tamsel::AprsPage</name>
    <message>
        <source>&amp;Gate D-PRS positions heard to APRS-IS</source>
        <translation>受信した D-PRS の位置を APRS-IS へ転送(&amp;G)</translation>
    </message>
    <message>
        <source>Server</source>
        <translation>サーバー</translation>
    </message>
    <message>
        <source>Login callsign</source>
        <translation>ログインコールサイン</translation>
    </message>
    <message>
        <source>SSID</source>
        <translation>SSID</translation>
    </message>
    <message>
        <source>Passcode</source>
        <translation>パスコード</translation>
    </message>
    <message>
        <source>&amp;Server:</source>
        <translation>サーバー(&amp;S):</translation>
    </message>
    <message>
        <source>&amp;Login callsign:</source>
        <translation>ログインコールサイン(&amp;L):</translation>
    </message>
    <message>
        <source>&amp;Passcode:</source>
        <translation>パスコード(&amp;P):</translation>
    </message>
    <message>
        <source>Connection</source>
        <translation>接続</translation>
    </message>
    <message>
        <source>Connection:</source>
        <translation>接続:</translation>
    </message>
    <message>
        <source>Positions go out as the radio sent them, once per reception, with this station as the gate.</source>
        <translation>位置は無線機が送ったとおりに、受信ごとに一度、この局をゲートとして転送します。</translation>
    </message>
    <message>
        <source>Nothing is gated whose path says TCPIP, TCPXX, NOGATE or RFONLY, nothing that fails its check, and nothing this station sent itself.</source>
        <translation>パスに TCPIP、TCPXX、NOGATE、RFONLY があるもの、チェックに通らないもの、この局自身が送ったものは転送しません。</translation>
    </message>
    <message>
        <source>The passcode is kept in the settings file, which only you can read.</source>
        <translation>パスコードは設定ファイルに保存されます。このファイルは自局のユーザーだけが読めます。</translation>
    </message>
    <message>
        <source>Without a passcode the console connects receive-only: nothing is gated.</source>
        <translation>パスコードがなければ受信専用で接続し、転送はしません。</translation>
    </message>
    <message>
        <source>The server takes a name and a port, such as rotate.aprs2.net:14580.</source>
        <translation>サーバーは rotate.aprs2.net:14580 のように名前とポートで指定します。</translation>
    </message>
    <message>
        <source>Type the callsign to log in with.</source>
        <translation>ログインに使うコールサインを入力してください。</translation>
    </message>
    <message>
        <source>%1 is not a callsign APRS-IS takes: letters and digits, then an SSID of one or two letters or digits, nine characters in all.</source>
        <translation>%1 は APRS-IS が受け付けるコールサインではありません。英数字のあとに 1〜2 文字の英数字の SSID、合わせて 9 文字までです。</translation>
    </message>
    <message>
        <source>The passcode is a number from 0 to 32767, or -1 for none.</source>
        <translation>パスコードは 0〜32767 の数字です。なしの場合は -1 です。</translation>
    </message>
    <message>
        <source>APRS-IS</source>
        <translation>APRS-IS</translation>
    </message>
</context>
<context>
    <name>tamsel::CallDialog</name>
    <message>
        <source>Module</source>
        <translation>モジュール</translation>
    </message>
    <message>
        <source>&amp;Module:</source>
        <translation>モジュール(&amp;M):</translation>
    </message>
    <message>
        <source>&amp;Link</source>
        <translation>接続(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>OK(&amp;O)</translation>
    </message>
    <message>
        <source>Link Reflector</source>
        <translation>リフレクターに接続</translation>
    </message>
    <message>
        <source>&amp;Reflector:</source>
        <translation>リフレクター(&amp;R):</translation>
    </message>
    <message>
        <source>Reflector</source>
        <translation>リフレクター</translation>
    </message>
    <message>
        <source>Call a Station</source>
        <translation>局を呼び出す</translation>
    </message>
    <message>
        <source>&amp;Callsign:</source>
        <translation>コールサイン(&amp;C):</translation>
    </message>
    <message>
        <source>Callsign</source>
        <translation>コールサイン</translation>
    </message>
    <message>
        <source>Route to a Repeater</source>
        <translation>レピーターへ経路指定</translation>
    </message>
    <message>
        <source>&amp;Repeater:</source>
        <translation>レピーター(&amp;R):</translation>
    </message>
    <message>
        <source>Repeater</source>
        <translation>レピーター</translation>
    </message>
</context>
<context>
    <name>tamsel::CallMenu</name>
    <message>
        <source>C&amp;all</source>
        <extracomment>The menu of calls to make (not a call sign)</extracomment>
        <translation>呼出(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Gateway CQ</source>
        <translation>ゲートウェイ CQ(&amp;G)</translation>
    </message>
    <message>
        <source>L&amp;ocal CQ</source>
        <translation>ローカル CQ(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Link Reflector...</source>
        <translation>リフレクターに接続(&amp;L)...</translation>
    </message>
    <message>
        <source>&amp;Unlink</source>
        <translation>リンク解除(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Info</source>
        <translation>情報(&amp;I)</translation>
    </message>
    <message>
        <source>&amp;Echo Test</source>
        <translation>エコーテスト(&amp;E)</translation>
    </message>
    <message>
        <source>Call a &amp;Station...</source>
        <translation>局を呼び出す(&amp;S)...</translation>
    </message>
    <message>
        <source>&amp;Route to a Repeater...</source>
        <translation>レピーターへ経路指定(&amp;R)...</translation>
    </message>
    <message>
        <source>Si&amp;mplex</source>
        <translation>シンプレックス(&amp;M)</translation>
    </message>
    <message>
        <source>Re&amp;ply to Last Caller</source>
        <translation>最後の送信局に応答(&amp;P)</translation>
    </message>
</context>
<context>
    <name>tamsel::DesktopAlerts</name>
    <message>
        <source>Reply</source>
        <translation>応答</translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation>閉じる</translation>
    </message>
</context>
<context>
    <name>tamsel::HeardStations</name>
    <message>
        <source>Heard Stations</source>
        <translation>受信局一覧</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>ファイル(&amp;F)</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>名前を付けて保存(&amp;A)...</translation>
    </message>
    <message>
        <source>Export A&amp;DIF...</source>
        <translation>ADIF エクスポート(&amp;D)...</translation>
    </message>
    <message>
        <source>&amp;Log Contact...</source>
        <translation>交信を記録(&amp;L)...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>終了(&amp;X)</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>表示(&amp;V)</translation>
    </message>
    <message>
        <source>Sort by &amp;Last Heard</source>
        <translation>最終受信順に並べ替え(&amp;L)</translation>
    </message>
    <message>
        <source>Sort &amp;By</source>
        <translation>並べ替え(&amp;B)</translation>
    </message>
    <message>
        <source>&amp;Descending</source>
        <translation>降順(&amp;D)</translation>
    </message>
    <message>
        <source>Double-click a row, or select it and press Enter, to reply to its station
Right-click it, or press the Menu key or Shift+F10, to open its map or copy its position</source>
        <translation>行をダブルクリックするか、選択して Enter キーを押すと、その局に応答します
右クリックするか、メニューキーまたは Shift+F10 を押すと、地図を開くか位置をコピーできます</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV ファイル (*.csv)</translation>
    </message>
    <message>
        <source>ADIF files (*.adi)</source>
        <translation>ADIF ファイル (*.adi)</translation>
    </message>
    <message>
        <source>Export ADIF</source>
        <translation>ADIF エクスポート</translation>
    </message>
    <message>
        <source>The frequency you heard the stations on (MHz):</source>
        <translation>局を受信した周波数 (MHz):</translation>
    </message>
    <message>
        <source>Open in Map</source>
        <translation>地図で開く</translation>
    </message>
    <message>
        <source>&amp;Copy Position</source>
        <translation>位置をコピー(&amp;C)</translation>
    </message>
    <message>
        <source>No program could show the map: this desktop has no map application and no web browser for %1.

Copy the position (%2, %3) instead?</source>
        <translation>地図を表示できるプログラムがありません: このデスクトップには地図アプリケーションも %1 を開くウェブブラウザーもありません。

代わりに位置 (%2, %3) をコピーしますか?</translation>
    </message>
    <message>
        <source>Show on &amp;Map</source>
        <translation>地図に表示(&amp;M)</translation>
    </message>
    <message>
        <source>Open in Map &amp;Program</source>
        <translation>地図プログラムで開く(&amp;P)</translation>
    </message>
</context>
<context>
    <name>tamsel::HeardStationsModel</name>
    <message>
        <source>calling you</source>
        <translation>自局を呼出中</translation>
    </message>
    <message>
        <source>watched</source>
        <translation>ウォッチ中</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <extracomment>A column title and its unit: &quot;Distance (km)&quot;</extracomment>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>Approximate position: the station sent only a box %1 %2 from north to south; shown at its centre.</source>
        <translation>おおよその位置：この局は南北 %1 %2 の範囲までしか送っていません。範囲の中心に表示しています。</translation>
    </message>
</context>
<context>
    <name>tamsel::HttpService</name>
    <message>
        <source>Cannot read the certificate %1: %2</source>
        <translation>証明書 %1 を読めません: %2</translation>
    </message>
    <message>
        <source>Cannot read the key %1: %2</source>
        <translation>鍵 %1 を読めません: %2</translation>
    </message>
    <message>
        <source>%1 holds no certificate in PEM form.</source>
        <translation>%1 に PEM 形式の証明書がありません。</translation>
    </message>
    <message>
        <source>%1 holds no private key in PEM form (RSA or EC, without a passphrase).</source>
        <translation>%1 に PEM 形式の秘密鍵（RSA または EC、パスフレーズなし）がありません。</translation>
    </message>
    <message>
        <source>Cannot listen on %1 port %2: %3</source>
        <translation>%1 のポート %2 で待ち受けできません: %3</translation>
    </message>
</context>
<context>
    <name>tamsel::LanguagePage</name>
    <message>
        <source>System</source>
        <extracomment>The language the desktop is set to</extracomment>
        <translation>システム</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>言語</translation>
    </message>
    <message>
        <source>The console changes its language when it starts next.</source>
        <translation>コンソールの言語は次回の起動時に切り替わります。</translation>
    </message>
    <message>
        <source>&amp;Language:</source>
        <translation>言語(&amp;L):</translation>
    </message>
</context>
<context>
    <name>tamsel::LogContactDialog</name>
    <message>
        <source>Log Contact</source>
        <translation>交信を記録</translation>
    </message>
    <message>
        <source>MHz, e.g. %1</source>
        <extracomment>%1 is a frequency as this language writes it: 145.375</extracomment>
        <translation>MHz (例: %1)</translation>
    </message>
    <message>
        <source>D-STAR (DIGITALVOICE / DSTAR)</source>
        <translation>D-STAR (DIGITALVOICE / DSTAR)</translation>
    </message>
    <message>
        <source>&amp;Call:</source>
        <translation>コールサイン(&amp;C):</translation>
    </message>
    <message>
        <source>O&amp;n (UTC):</source>
        <translation>開始 (UTC)(&amp;N):</translation>
    </message>
    <message>
        <source>&amp;Off (UTC):</source>
        <translation>終了 (UTC)(&amp;O):</translation>
    </message>
    <message>
        <source>&amp;Frequency (MHz):</source>
        <translation>周波数 (MHz)(&amp;F):</translation>
    </message>
    <message>
        <source>Band:</source>
        <translation>バンド:</translation>
    </message>
    <message>
        <source>Mode:</source>
        <translation>モード:</translation>
    </message>
    <message>
        <source>RST &amp;sent:</source>
        <translation>送信 RST(&amp;S):</translation>
    </message>
    <message>
        <source>RST &amp;received:</source>
        <translation>受信 RST(&amp;R):</translation>
    </message>
    <message>
        <source>&amp;Their locator:</source>
        <translation>相手局のロケーター(&amp;T):</translation>
    </message>
    <message>
        <source>N&amp;ame:</source>
        <translation>名前(&amp;A):</translation>
    </message>
    <message>
        <source>Co&amp;mment:</source>
        <translation>コメント(&amp;M):</translation>
    </message>
    <message>
        <source>M&amp;y Call:</source>
        <translation>自局コールサイン(&amp;Y):</translation>
    </message>
    <message>
        <source>My &amp;locator:</source>
        <translation>自局のロケーター(&amp;L):</translation>
    </message>
    <message>
        <source>Log status</source>
        <translation>記録の状態</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(なし)</translation>
    </message>
    <message>
        <source>Enter the callsign of the station worked.</source>
        <translation>交信した局のコールサインを入力してください。</translation>
    </message>
    <message>
        <source>The contact ends before it starts: check the times.</source>
        <translation>交信の終了が開始より前です: 時刻を確認してください。</translation>
    </message>
    <message>
        <source>Enter the frequency in MHz: a logging program takes no contact without it.</source>
        <translation>周波数を MHz で入力してください: ログ用プログラムは周波数のない交信を受け付けません。</translation>
    </message>
    <message>
        <source>The frequency is not a number of MHz such as %1.</source>
        <extracomment>%1 is a frequency as this language writes it: 145.375</extracomment>
        <translation>周波数が MHz の数値 (例: %1) ではありません。</translation>
    </message>
    <message>
        <source>%1 MHz is in no amateur band: a logging program would not know its band. Check the frequency, such as %2 on 2 m or %3 on 70 cm.</source>
        <extracomment>%1 is the frequency typed, %2 and %3 frequencies as this language writes them</extracomment>
        <translation>%1 MHz はどのアマチュアバンドにも入っていません: ログ用プログラムがバンドを判断できません。周波数を確認してください (例: 2 m の %2、70 cm の %3)。</translation>
    </message>
    <message>
        <source>Their locator needs 2, 4, 6 or 8 characters, such as JN58 or JN58td.</source>
        <translation>相手局のロケーターは2、4、6、8文字です (例: JN58、JN58td)。</translation>
    </message>
    <message>
        <source>My locator needs 2, 4, 6 or 8 characters, such as JN58 or JN58td.</source>
        <translation>自局のロケーターは2、4、6、8文字です (例: JN58、JN58td)。</translation>
    </message>
    <message>
        <source>Not logged: %1</source>
        <translation>記録されませんでした: %1</translation>
    </message>
</context>
<context>
    <name>tamsel::LogPage</name>
    <message>
        <source>Keep a log of every reception</source>
        <translation>すべての受信をログに残す</translation>
    </message>
    <message>
        <source> days</source>
        <translation> 日</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>オフ</translation>
    </message>
    <message>
        <source>WSJT-X message (KLog, CQRLOG, Log4OM, GridTracker)</source>
        <translation>WSJT-X メッセージ (KLog、CQRLOG、Log4OM、GridTracker)</translation>
    </message>
    <message>
        <source>ADIF text (QLog)</source>
        <translation>ADIF テキスト (QLog)</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>参照...</translation>
    </message>
    <message>
        <source>ADIF log file</source>
        <translation>ADIF ログファイル</translation>
    </message>
    <message>
        <source>ADIF files (*.adi);;All files (*)</source>
        <translation>ADIF ファイル (*.adi);;すべてのファイル (*)</translation>
    </message>
    <message>
        <source>Keep receptions for:</source>
        <translation>受信の保存期間:</translation>
    </message>
    <message>
        <source>ADIF log file:</source>
        <translation>ADIF ログファイル:</translation>
    </message>
    <message>
        <source>Send to a logging program:</source>
        <translation>ログ用プログラムへ送信:</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>アドレス:</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>ポート:</translation>
    </message>
    <message>
        <source>Keep receptions for</source>
        <translation>受信の保存期間</translation>
    </message>
    <message>
        <source>Browse for the ADIF log file</source>
        <translation>ADIF ログファイルを参照</translation>
    </message>
    <message>
        <source>Send to a logging program</source>
        <translation>ログ用プログラムへ送信</translation>
    </message>
    <message>
        <source>Logging program address</source>
        <translation>ログ用プログラムのアドレス</translation>
    </message>
    <message>
        <source>Logging program port</source>
        <translation>ログ用プログラムのポート</translation>
    </message>
    <message>
        <source>The logging program&apos;s address must be an IP address, such as 127.0.0.1.</source>
        <translation>ログ用プログラムのアドレスは IP アドレスにしてください (例: 127.0.0.1)。</translation>
    </message>
    <message>
        <source>Write the ADIF log file as a full path, as ~/log.adi, or as a name alone (kept in the data folder).</source>
        <translation>ADIF ログファイルはフルパス、~/log.adi の形、または名前だけ (データフォルダーに保存) で書いてください。</translation>
    </message>
    <message>
        <source>The ADIF log file is a folder: choose a file.</source>
        <translation>ADIF ログファイルがフォルダーです: ファイルを選んでください。</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>ログ</translation>
    </message>
</context>
<context>
    <name>tamsel::LogSender</name>
    <message>
        <source>Not sent to a logging program (off in Preferences)</source>
        <translation>ログ用プログラムへは送信していません (環境設定でオフ)</translation>
    </message>
    <message>
        <source>Not sent: %1 is not an IP address</source>
        <translation>送信していません: %1 は IP アドレスではありません</translation>
    </message>
    <message>
        <source>Not sent to %1: %2</source>
        <translation>%1 へ送信できませんでした: %2</translation>
    </message>
    <message>
        <source>Sent to %1 as WSJT-X does</source>
        <translation>WSJT-X と同じ形式で %1 へ送信しました</translation>
    </message>
    <message>
        <source>Sent to %1 as ADIF</source>
        <translation>ADIF で %1 へ送信しました</translation>
    </message>
</context>
<context>
    <name>tamsel::MapPage</name>
    <message>
        <source>Show OpenStreetMap tiles (needs the internet)</source>
        <translation>OpenStreetMap のタイルを表示 (インターネットが必要)</translation>
    </message>
    <message>
        <source>&amp;Tile server:</source>
        <translation>タイルサーバー(&amp;T):</translation>
    </message>
    <message>
        <source>Tile server</source>
        <translation>タイルサーバー</translation>
    </message>
    <message>
        <source>Without tiles, or without the internet, the map shown is the one that comes with the console.</source>
        <translation>タイルなし、またはインターネットがないときは、コンソールに付属の地図を表示します。</translation>
    </message>
    <message>
        <source>The tile server must be an http or https address with {z}, {x} and {y} in it, such as %1.</source>
        <translation>タイルサーバーは {z}、{x}、{y} を含む http または https のアドレスにしてください (例: %1)。</translation>
    </message>
    <message>
        <source>Map</source>
        <translation>地図</translation>
    </message>
</context>
<context>
    <name>tamsel::MapView</name>
    <message>
        <source>Map</source>
        <translation>地図</translation>
    </message>
    <message>
        <source>%1, %2 %3, %4 degrees</source>
        <extracomment>A station on the map for screen readers: callsign, distance and unit, bearing.</extracomment>
        <translation>%1、%2 %3、方位 %4 度</translation>
    </message>
    <message>
        <source>Last heard: %1</source>
        <translation>最終受信: %1</translation>
    </message>
    <message>
        <source>Message: %1</source>
        <translation>メッセージ: %1</translation>
    </message>
    <message>
        <source>%1 %2, bearing %3 degrees</source>
        <translation>%1 %2、方位 %3 度</translation>
    </message>
    <message>
        <source>&amp;Reply</source>
        <translation>応答(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Log Contact...</source>
        <translation>交信を記録(&amp;L)...</translation>
    </message>
    <message>
        <source>&amp;Copy Position</source>
        <translation>位置をコピー(&amp;C)</translation>
    </message>
</context>
<context>
    <name>tamsel::MapWindow</name>
    <message>
        <source>Map</source>
        <translation>地図</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>ファイル(&amp;F)</translation>
    </message>
    <message>
        <source>Save &amp;Image...</source>
        <translation>画像として保存(&amp;I)...</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>閉じる(&amp;C)</translation>
    </message>
    <message>
        <source>PNG images (*.png)</source>
        <translation>PNG 画像 (*.png)</translation>
    </message>
    <message>
        <source>Tab selects a station; Home shows them all</source>
        <translation>Tab キーで局を選択、Home キーで全体を表示</translation>
    </message>
    <message>
        <source>The map could not be made into an image.</source>
        <translation>地図を画像にできませんでした。</translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation>%1 を保存しました</translation>
    </message>
</context>
<context>
    <name>tamsel::OwnStation</name>
    <message>
        <source>last fix %1, %2 (stale)</source>
        <extracomment>%1, %2: latitude and longitude of the receiver&apos;s last position fix, too old to count as where the station is now.</extracomment>
        <translation>最後の測位 %1, %2 (古い)</translation>
    </message>
    <message>
        <source>gpsd not reachable</source>
        <translation>gpsd に接続できません</translation>
    </message>
    <message>
        <source>no fix</source>
        <translation>測位なし</translation>
    </message>
</context>
<context>
    <name>tamsel::Preferences</name>
    <message>
        <source>Preferences</source>
        <translation>環境設定</translation>
    </message>
    <message>
        <source>Pages</source>
        <translation>ページ</translation>
    </message>
    <message>
        <source>Problem</source>
        <translation>問題</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>OK(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>キャンセル(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Apply</source>
        <translation>適用(&amp;A)</translation>
    </message>
</context>
<context>
    <name>tamsel::RemotePage</name>
    <message>
        <source>&amp;Serve the station&apos;s page to browsers</source>
        <translation>局のページをブラウザーに提供する(&amp;S)</translation>
    </message>
    <message>
        <source>Listen on</source>
        <translation>待ち受けアドレス</translation>
    </message>
    <message>
        <source>New password</source>
        <translation>新しいパスワード</translation>
    </message>
    <message>
        <source>New password again</source>
        <translation>新しいパスワード（確認）</translation>
    </message>
    <message>
        <source>Certificate</source>
        <translation>証明書</translation>
    </message>
    <message>
        <source>Private key</source>
        <translation>秘密鍵</translation>
    </message>
    <message>
        <source>&amp;Listen on:</source>
        <translation>待ち受けアドレス(&amp;L):</translation>
    </message>
    <message>
        <source>New &amp;password:</source>
        <translation>新しいパスワード(&amp;P):</translation>
    </message>
    <message>
        <source>A&amp;gain:</source>
        <translation>確認(&amp;G):</translation>
    </message>
    <message>
        <source>Cer&amp;tificate (PEM):</source>
        <translation>証明書 (PEM)(&amp;T):</translation>
    </message>
    <message>
        <source>Private &amp;key (PEM):</source>
        <translation>秘密鍵 (PEM)(&amp;K):</translation>
    </message>
    <message>
        <source>Without a password the page is served on this computer only (127.0.0.1). With one, another address such as 0.0.0.0:8073 lets a phone or laptop on your network use it. With a certificate and its key the page is served over HTTPS.</source>
        <translation>パスワードがなければ、ページはこのコンピューター（127.0.0.1）でのみ提供します。パスワードがあれば、0.0.0.0:8073 のようなほかのアドレスで、同じネットワークのスマートフォンやノートパソコンから使えます。証明書と鍵があれば HTTPS で提供します。</translation>
    </message>
    <message>
        <source>A password is set; type a new one to change it.</source>
        <translation>パスワードは設定済みです。変えるときは新しいパスワードを入力してください。</translation>
    </message>
    <message>
        <source>No password is set.</source>
        <translation>パスワードは設定されていません。</translation>
    </message>
    <message>
        <source>Listen on takes an address and a port, such as 127.0.0.1:8073 or 0.0.0.0:8073.</source>
        <translation>待ち受けアドレスには 127.0.0.1:8073 や 0.0.0.0:8073 のようにアドレスとポートを入力してください。</translation>
    </message>
    <message>
        <source>The password needs at least %1 characters.</source>
        <translation>パスワードは %1 文字以上にしてください。</translation>
    </message>
    <message>
        <source>The two passwords differ.</source>
        <translation>2 つのパスワードが一致しません。</translation>
    </message>
    <message>
        <source>Set a password first: without one the page is served on this computer only.</source>
        <translation>先にパスワードを設定してください。パスワードがなければ、ページはこのコンピューターでのみ提供します。</translation>
    </message>
    <message>
        <source>HTTPS needs both the certificate and its private key.</source>
        <translation>HTTPS には証明書と秘密鍵の両方が必要です。</translation>
    </message>
    <message>
        <source>%1 cannot be read.</source>
        <translation>%1 を読めません。</translation>
    </message>
    <message>
        <source>Remote</source>
        <translation>リモート</translation>
    </message>
</context>
<context>
    <name>tamsel::RepeaterDirectory</name>
    <message>
        <source>%1 is no name for a repeater list.</source>
        <translation>%1 はレピーターリストの名前として使えません。</translation>
    </message>
    <message>
        <source>%1 is not a repeater list.</source>
        <translation>%1 はレピーターリストではありません。</translation>
    </message>
    <message>
        <source>The repeater list %1 cannot be kept in %2: %3. The lists kept before are as they were.</source>
        <extracomment>%1: the list&apos;s file name, %2: the folder, %3: the system&apos;s reason.</extracomment>
        <translation>レピーターリスト %1 を %2 に保存できません: %3。以前に保存したリストはそのままです。</translation>
    </message>
    <message>
        <source>There is no repeater list %1.</source>
        <translation>レピーターリスト %1 はありません。</translation>
    </message>
    <message>
        <source>The repeater list %1 cannot be removed: %2.</source>
        <translation>レピーターリスト %1 を削除できません: %2。</translation>
    </message>
</context>
<context>
    <name>tamsel::RepeaterFeature</name>
    <message>
        <source>&amp;Repeaters</source>
        <translation>レピーター一覧(&amp;R)</translation>
    </message>
    <message>
        <source>Use &amp;Nearest Repeater</source>
        <translation>最寄りのレピーターを使う(&amp;N)</translation>
    </message>
    <message>
        <source>Use</source>
        <extracomment>The notification&apos;s button that makes the nearer repeater Repeater 1.</extracomment>
        <translation>使う</translation>
    </message>
    <message>
        <source>%1 is nearer: %2</source>
        <extracomment>%1: a repeater&apos;s callsign (&quot;JR1YB B&quot;), %2: its distance with the unit (&quot;3.2 km&quot;).</extracomment>
        <translation>%1 のほうが近くなりました: %2</translation>
    </message>
</context>
<context>
    <name>tamsel::RepeatersModel</name>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>Area</source>
        <extracomment>The region or group a repeater list puts the repeater in.</extracomment>
        <translation>地域</translation>
    </message>
    <message>
        <source>Repeater</source>
        <extracomment>The repeater&apos;s callsign with its module letter.</extracomment>
        <translation>レピーター</translation>
    </message>
    <message>
        <source>Gateway</source>
        <translation>ゲートウェイ</translation>
    </message>
    <message>
        <source>Frequency (%1)</source>
        <extracomment>%1: the unit, MHz.</extracomment>
        <translation>周波数 (%1)</translation>
    </message>
    <message>
        <source>Offset (%1)</source>
        <translation>オフセット (%1)</translation>
    </message>
    <message>
        <source>Distance (%1)</source>
        <extracomment>%1: the unit, km or mi.</extracomment>
        <translation>距離 (%1)</translation>
    </message>
    <message>
        <source>Bearing</source>
        <translation>方位</translation>
    </message>
    <message>
        <source>The list gives this repeater&apos;s position as approximate.</source>
        <translation>リストではこのレピーターの位置は概略です。</translation>
    </message>
    <message>
        <source>split %1</source>
        <extracomment>A repeater whose input is on another band; %1: the input frequency.</extracomment>
        <translation>スプリット %1</translation>
    </message>
    <message>
        <source>~%1</source>
        <extracomment>A distance from a position the repeater list marks as approximate.</extracomment>
        <translation>~%1</translation>
    </message>
</context>
<context>
    <name>tamsel::RepeatersWindow</name>
    <message>
        <source>Repeaters</source>
        <translation>レピーター一覧</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>ファイル(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Remove List</source>
        <translation>リストを削除(&amp;R)</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>終了(&amp;X)</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>表示(&amp;V)</translation>
    </message>
    <message>
        <source>Sort &amp;By</source>
        <translation>並べ替え(&amp;B)</translation>
    </message>
    <message>
        <source>&amp;Name</source>
        <translation>名前(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;Area</source>
        <translation>地域(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Repeater</source>
        <translation>レピーター(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Gateway</source>
        <translation>ゲートウェイ(&amp;G)</translation>
    </message>
    <message>
        <source>&amp;Frequency</source>
        <translation>周波数(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Offset</source>
        <translation>オフセット(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Distance</source>
        <translation>距離(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;Bearing</source>
        <translation>方位(&amp;B)</translation>
    </message>
    <message>
        <source>D&amp;escending</source>
        <translation>降順(&amp;E)</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>絞り込み</translation>
    </message>
    <message>
        <source>Filter by name, area or callsign</source>
        <translation>名前、地域、コールサインで絞り込み</translation>
    </message>
    <message>
        <source>Double-click a row, or select it and press Enter, to use its repeater as Repeater 1 and its gateway as Repeater 2</source>
        <translation>行をダブルクリックするか、選択して Enter キーを押すと、そのレピーターをアクセスレピーターに、ゲートウェイをレピーター2 に使います</translation>
    </message>
    <message>
        <source>Remove List</source>
        <translation>リストを削除</translation>
    </message>
    <message>
        <source>Remove the repeater list %1 from the directory?</source>
        <translation>レピーターリスト %1 を一覧から削除しますか?</translation>
    </message>
    <message>
        <source>%1 is no D-STAR repeater with a module letter: no route goes through it.</source>
        <extracomment>%1: the repeater&apos;s name.</extracomment>
        <translation>%1 はモジュール文字のある D-STAR レピーターではありません: 経路を通せません。</translation>
    </message>
    <message numerus="yes">
        <source>%1 (%n repeaters)</source>
        <extracomment>%1: the list&apos;s file name, %2: how many repeaters it holds.</extracomment>
        <translation>
            <numerusform>%1 (%n 局)</numerusform>
        </translation>
    </message>
    <message>
        <source>No lists kept</source>
        <translation>保存されたリストはありません</translation>
    </message>
    <message numerus="yes">
        <source>%n repeaters</source>
        <translation>
            <numerusform>%n 局</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n repeaters</source>
        <extracomment>%1: how many repeaters the filter leaves, of %n.</extracomment>
        <translation>
            <numerusform>%n 局中 %1 局</numerusform>
        </translation>
    </message>
    <message>
        <source>Show on &amp;Map</source>
        <translation>地図に表示(&amp;M)</translation>
    </message>
    <message>
        <source>&amp;Import Repeater List...</source>
        <translation>レピーターリストの取り込み(&amp;I)...</translation>
    </message>
    <message>
        <source>Import Repeater List</source>
        <translation>レピーターリストの取り込み</translation>
    </message>
    <message>
        <source>Repeater lists (*.csv *.CSV);;All files (*)</source>
        <translation>レピーターリスト (*.csv *.CSV);;すべてのファイル (*)</translation>
    </message>
    <message>
        <source>No repeater lists yet: import one (File, Import Repeater List).</source>
        <translation>まだレピーターリストがありません: 取り込んでください ([ファイル]、[レピーターリストの取り込み])。</translation>
    </message>
    <message>
        <source>&amp;Use as My Repeater</source>
        <translation>アクセスレピーターに設定(&amp;U)</translation>
    </message>
</context>
<context>
    <name>tamsel::SettingsStore</name>
    <message>
        <source>The settings file %1 could not be read; it was moved aside to %2 and the defaults are in use.</source>
        <translation>設定ファイル %1 を読み込めませんでした。%2 に移動し、既定値を使用しています。</translation>
    </message>
    <message>
        <source>The settings file %1 could not be parsed; it was moved aside to %2 and the defaults are in use.</source>
        <translation>設定ファイル %1 を解析できませんでした。%2 に移動し、既定値を使用しています。</translation>
    </message>
    <message>
        <source>The settings file %1 could not be read and could not be moved aside; the defaults are in use and no settings will be saved.</source>
        <translation>設定ファイル %1 を読み込めず、移動もできませんでした。既定値を使用し、設定は保存されません。</translation>
    </message>
    <message>
        <source>The settings file %1 could not be parsed and could not be moved aside; the defaults are in use and no settings will be saved.</source>
        <translation>設定ファイル %1 を解析できず、移動もできませんでした。既定値を使用し、設定は保存されません。</translation>
    </message>
    <message>
        <source>The settings cannot be saved: %1 could not be used or moved aside. The new settings are in use until the console closes.</source>
        <translation>設定を保存できません: %1 を使うことも移動することもできませんでした。新しい設定はコンソールを閉じるまで有効です。</translation>
    </message>
    <message>
        <source>The settings could not be saved to %1 (the folder cannot be written to, or the disk is full). The new settings are in use until the console closes.</source>
        <translation>設定を %1 に保存できませんでした (フォルダーに書き込めないか、ディスクがいっぱいです)。新しい設定はコンソールを閉じるまで有効です。</translation>
    </message>
</context>
<context>
    <name>tamsel::Station</name>
    <message>
        <source>Station Call</source>
        <translation>相手局コールサイン</translation>
    </message>
    <message>
        <source>Repeater 1</source>
        <translation>アクセスレピーター</translation>
    </message>
    <message>
        <source>Repeater 2</source>
        <translation>レピーター2</translation>
    </message>
    <message>
        <source>My Call</source>
        <translation>自局コールサイン</translation>
    </message>
    <message>
        <source>My Call suffix</source>
        <translation>自局コールサインのサフィックス</translation>
    </message>
    <message>
        <source>Send Message</source>
        <translation>送信メッセージ</translation>
    </message>
    <message>
        <source>%1 cannot take &quot;%2&quot;: the adapter sends Latin letters, digits and signs only.</source>
        <extracomment>%1: the field (&quot;Station Call&quot;), %2: the character it cannot take</extracomment>
        <translation>%1 に「%2」は使えません。アダプターが送れるのは半角の英字・数字・記号だけです。</translation>
    </message>
    <message>
        <source>Receptions cannot be written to the reception log (%1). Receiving goes on without it.</source>
        <translation>受信を受信ログに書き込めません (%1)。受信はログなしで続きます。</translation>
    </message>
    <message>
        <source>Receptions are written to the reception log again (%1).</source>
        <translation>受信は再び受信ログに書き込まれています (%1)。</translation>
    </message>
    <message>
        <source>Set your position first (Config, Preferences, Station).</source>
        <translation>先に自局の位置を設定してください ([設定]、[環境設定]、[自局])。</translation>
    </message>
    <message>
        <source>Import a repeater list first (Window, Repeaters, File, Import Repeater List).</source>
        <translation>先にレピーターリストを取り込んでください ([ウィンドウ]、[レピーター一覧]、[ファイル]、[レピーターリストの取り込み])。</translation>
    </message>
    <message>
        <source>The nearest repeater in the directory, %1, is %2 away.</source>
        <extracomment>%1: a repeater&apos;s callsign (&quot;JP3YIC B&quot;), %2: its distance with the unit (&quot;9,263 km&quot;).</extracomment>
        <translation>一覧で最も近いレピーター %1 は %2 離れています。</translation>
    </message>
    <message>
        <source>Repeater 1: %1, %2</source>
        <translation>アクセスレピーター: %1, %2</translation>
    </message>
    <message>
        <source>%1 has not been heard.</source>
        <extracomment>%1: a callsign</extracomment>
        <translation>%1 は受信していません。</translation>
    </message>
</context>
<context>
    <name>tamsel::StationLog</name>
    <message>
        <source>%1 is nearer: %2 (%3).</source>
        <extracomment>In the station&apos;s log. %1: a repeater (&quot;JR1YB B&quot;), %2: its distance (&quot;3.2 km&quot;)</extracomment>
        <translation>%1 のほうが近くにあります: %2 (%3)。</translation>
    </message>
    <message>
        <source>Settings read again from %1.</source>
        <translation>設定を %1 から読み直しました。</translation>
    </message>
    <message>
        <source>The adapter is disconnected; it is taken again when it is plugged in.</source>
        <translation>アダプターが外れました。再び接続されたら使い始めます。</translation>
    </message>
    <message>
        <source>the system did not let the station open it</source>
        <translation>システムが局に開くことを許可しませんでした</translation>
    </message>
    <message>
        <source>Adapter found.</source>
        <translation>アダプターが見つかりました。</translation>
    </message>
    <message>
        <source>Heard %1 calling %2 via %3, %4 s</source>
        <extracomment>In the station&apos;s log. %1: caller (&quot;JA1XYZ /ID51&quot;), %2: called (&quot;CQCQCQ&quot;), %3: Repeater 1 (&quot;JR1YB B&quot;), %4: seconds</extracomment>
        <translation>%1 を受信 (%2 を呼び出し、%3 経由、%4 秒)</translation>
    </message>
    <message>
        <source>(at %1, %2)</source>
        <extracomment>In the station&apos;s log: the last position a reception carried</extracomment>
        <translation>(位置 %1, %2)</translation>
    </message>
    <message>
        <source>APRS-IS: the connection was lost; trying again.</source>
        <translation>APRS-IS: 接続が切れました。再接続します。</translation>
    </message>
    <message>
        <source>APRS-IS: not gated from %1: %2.</source>
        <extracomment>In the station&apos;s log. %1: a callsign, %2: why (English)</extracomment>
        <translation>APRS-IS: %1 からの位置は転送しません: %2。</translation>
    </message>
</context>
<context>
    <name>tamsel::StationPage</name>
    <message>
        <source>%1 (%2, %3, %4)</source>
        <extracomment>The units and their symbols: &quot;Metric (km, km/h, m)&quot;</extracomment>
        <translation>%1 (%2、%3、%4)</translation>
    </message>
    <message>
        <source>Metric</source>
        <translation>メートル法</translation>
    </message>
    <message>
        <source>Imperial</source>
        <translation>ヤード・ポンド法</translation>
    </message>
    <message>
        <source>None</source>
        <translation>なし</translation>
    </message>
    <message>
        <source>Maidenhead locator</source>
        <translation>メイデンヘッドロケーター</translation>
    </message>
    <message>
        <source>Latitude and longitude</source>
        <translation>緯度と経度</translation>
    </message>
    <message>
        <source>&amp;Source:</source>
        <translation>位置の取得元(&amp;S):</translation>
    </message>
    <message>
        <source>&amp;Locator:</source>
        <translation>ロケーター(&amp;L):</translation>
    </message>
    <message>
        <source>La&amp;titude:</source>
        <translation>緯度(&amp;T):</translation>
    </message>
    <message>
        <source>Lo&amp;ngitude:</source>
        <translation>経度(&amp;N):</translation>
    </message>
    <message>
        <source>&amp;gpsd (host:port):</source>
        <translation>gpsd (ホスト:ポート)(&amp;G):</translation>
    </message>
    <message>
        <source>&amp;Units:</source>
        <translation>単位(&amp;U):</translation>
    </message>
    <message>
        <source>Your locator:</source>
        <translation>自局のロケーター:</translation>
    </message>
    <message>
        <source>Your position:</source>
        <translation>自局の位置:</translation>
    </message>
    <message>
        <source>Defaults</source>
        <translation>既定値</translation>
    </message>
    <message>
        <source>Not usable in the settings file, default shown: %1.</source>
        <extracomment>%1 lists keys of the settings file, such as &quot;latitude, gpsd&quot;</extracomment>
        <translation>設定ファイルの値が使えないため、既定値を表示しています: %1。</translation>
    </message>
    <message>
        <source>The locator needs 4, 6, 8 or 10 characters, such as JN58, JN58td or JN58td25.</source>
        <translation>ロケーターは4、6、8、10文字です (例: JN58、JN58td、JN58td25)。</translation>
    </message>
    <message>
        <source>The latitude needs decimal degrees from -90 to 90 (negative south).</source>
        <translation>緯度は -90〜90 の10進数の度で入力してください (南緯は負)。</translation>
    </message>
    <message>
        <source>The longitude needs decimal degrees from -180 to 180 (negative west).</source>
        <translation>経度は -180〜180 の10進数の度で入力してください (西経は負)。</translation>
    </message>
    <message>
        <source>gpsd needs a host and port, such as localhost:2947.</source>
        <translation>gpsd にはホストとポートが必要です (例: localhost:2947)。</translation>
    </message>
    <message>
        <source>none</source>
        <extracomment>No position: the source chosen is None</extracomment>
        <translation>なし</translation>
    </message>
    <message>
        <source>not a locator yet</source>
        <translation>まだロケーターではありません</translation>
    </message>
    <message>
        <source>not a position yet</source>
        <translation>まだ位置ではありません</translation>
    </message>
    <message>
        <source>followed from gpsd once applied</source>
        <translation>適用後に gpsd から取得</translation>
    </message>
    <message>
        <source>Station</source>
        <translation>自局</translation>
    </message>
    <message>
        <source>decimal degrees, negative south</source>
        <translation>10進数の度、南緯は負</translation>
    </message>
    <message>
        <source>decimal degrees, negative west</source>
        <translation>10進数の度、西経は負</translation>
    </message>
    <message>
        <source>Your position is not set.</source>
        <translation>自局の位置が設定されていません。</translation>
    </message>
    <message>
        <source>&amp;Follow the nearest repeater</source>
        <translation>最寄りのレピーターに追従(&amp;F)</translation>
    </message>
    <message>
        <source>Follow the nearest repeater</source>
        <translation>最寄りのレピーターに追従</translation>
    </message>
    <message>
        <source>While your position comes from gpsd, Repeater 1 changes by itself to a repeater that has become clearly nearer</source>
        <translation>位置を gpsd から得ている間、はっきり近くなったレピーターにアクセスレピーターが自動で切り替わります</translation>
    </message>
</context>
<context>
    <name>tamsel::TForm1</name>
    <message>
        <source>The adapter is disconnected: no version to show.</source>
        <translation>アダプターが切断されています: 表示するバージョンがありません。</translation>
    </message>
    <message>
        <source>APRS-IS: the connection was lost; trying again.</source>
        <translation>APRS-IS: 接続が切れました。再接続します。</translation>
    </message>
    <message>
        <source>APRS-IS</source>
        <translation>APRS-IS</translation>
    </message>
</context>
<context>
    <name>tamsel::TForm11</name>
    <message>
        <source>Default Setting</source>
        <translation>初期設定</translation>
    </message>
    <message>
        <source>&amp;Change</source>
        <translation>変更(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>保存(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>キャンセル(&amp;C)</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>終了(&amp;X)</translation>
    </message>
    <message>
        <source>Delay Time</source>
        <translation>Delay Time</translation>
    </message>
    <message>
        <source>Keep Alive</source>
        <translation>Keep Alive</translation>
    </message>
    <message>
        <source>Error Bits</source>
        <translation>Error Bits</translation>
    </message>
    <message>
        <source>RX Invert</source>
        <translation>RX 反転</translation>
    </message>
    <message>
        <source>RX Auto Detect</source>
        <translation>RX 自動検出</translation>
    </message>
    <message>
        <source>TX Invert</source>
        <translation>TX 反転</translation>
    </message>
    <message>
        <source>PreBitPattern</source>
        <translation>PreBitPattern</translation>
    </message>
    <message>
        <source>PostBitPattern</source>
        <translation>PostBitPattern</translation>
    </message>
</context>
<context>
    <name>tamsel::TForm12</name>
    <message>
        <source>Search</source>
        <translation>検索</translation>
    </message>
    <message>
        <source>Not found.</source>
        <translation>見つかりません。</translation>
    </message>
</context>
<context>
    <name>tamsel::TForm2</name>
    <message>
        <source>My CallSign Set</source>
        <translation>自局コールサイン設定</translation>
    </message>
    <message>
        <source>&amp;Action</source>
        <translation>操作(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>保存(&amp;S)</translation>
    </message>
    <message>
        <source>E&amp;xit/Cancel</source>
        <translation>終了/キャンセル(&amp;X)</translation>
    </message>
    <message>
        <source>CallSign</source>
        <translation>コールサイン</translation>
    </message>
    <message>
        <source>CallSign2</source>
        <translation>コールサイン2</translation>
    </message>
</context>
<context>
    <name>tamsel::TForm3</name>
    <message>
        <source>Memory</source>
        <translation>メモリー</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>ファイル(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>開く(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Import Repeater List...</source>
        <translation>レピーターリストの取り込み(&amp;I)...</translation>
    </message>
    <message>
        <source>&amp;Find</source>
        <translation>検索(&amp;F)</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>終了(&amp;X)</translation>
    </message>
    <message>
        <source>Import Repeater List</source>
        <translation>レピーターリストの取り込み</translation>
    </message>
    <message>
        <source>Repeater lists (*.csv *.CSV);;All files (*)</source>
        <translation>レピーターリスト (*.csv *.CSV);;すべてのファイル (*)</translation>
    </message>
    <message>
        <source>Cannot open the memory file %1:
%2</source>
        <translation>メモリーファイル %1 を開けません:
%2</translation>
    </message>
    <message>
        <source>The repeater list %1 is still being imported. Import %2 again once it is done.</source>
        <extracomment>%1: the list being imported, %2: the one asked for now (maybe the same).</extracomment>
        <translation>レピーターリスト %1 をまだ取り込み中です。終わってから %2 をもう一度取り込んでください。</translation>
    </message>
    <message>
        <source>Cannot open the repeater list %1:
%2</source>
        <translation>レピーターリスト %1 を開けません:
%2</translation>
    </message>
    <message>
        <source>%1 is not a repeater list this program knows.

It reads the Icom repeater-list CSV (with the columns Name, Repeater Call Sign, Gateway Call Sign, Frequency, Dup, Offset and Mode) and the CHIRP CSV export (with Name, Frequency, Mode, URCALL, RPT1CALL and RPT2CALL).</source>
        <translation>%1 はこのプログラムが知っているレピーターリストではありません。

読み込めるのは、アイコムのレピーターリスト CSV (列 Name、Repeater Call Sign、Gateway Call Sign、Frequency、Dup、Offset、Mode を含むもの) と、CHIRP の CSV エクスポート (Name、Frequency、Mode、URCALL、RPT1CALL、RPT2CALL を含むもの) です。</translation>
    </message>
    <message numerus="yes">
        <source>Imported %n repeaters from %1</source>
        <translation>
            <numerusform>%1 から %n 件のレピーターを取り込みました</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Skipped %n D-STAR rows with no repeater callsign or a callsign longer than 8 characters, at lines %1%2.</source>
        <translation>
            <numerusform>レピーターのコールサインがないか、8文字を超えるコールサインの D-STAR 行 %n 件を飛ばしました (%1%2 行目)。</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>tamsel::TForm4</name>
    <message>
        <source>Received History</source>
        <translation>受信履歴</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>ファイル(&amp;F)</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>名前を付けて保存(&amp;A)...</translation>
    </message>
    <message>
        <source>&amp;Erase</source>
        <translation>消去(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Log Contact...</source>
        <translation>交信を記録(&amp;L)...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>終了(&amp;X)</translation>
    </message>
    <message>
        <source>Double-click a line, or select it and press Enter, to reply to its caller</source>
        <translation>行をダブルクリックするか、選択して Enter キーを押すと、その送信局に応答します</translation>
    </message>
    <message>
        <source>       Date/Time          Caller                 Called          Message</source>
        <extracomment>The heading over the history lines; its words are also drawn one by one over their columns, so the spaces between them need not be kept.</extracomment>
        <translation>       日時               送信局                 呼出先          メッセージ</translation>
    </message>
    <message>
        <source>Date/Time</source>
        <translation>日時</translation>
    </message>
    <message>
        <source>Caller</source>
        <extracomment>The station that called (column heading)</extracomment>
        <translation>送信局</translation>
    </message>
    <message>
        <source>Called</source>
        <extracomment>The station that was called (column heading)</extracomment>
        <translation>呼出先</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>メッセージ</translation>
    </message>
</context>
<context>
    <name>tamsel::TileLayer</name>
    <message>
        <source>© OpenStreetMap contributors</source>
        <extracomment>As the OpenStreetMap copyright page words it in the language.</extracomment>
        <translation>© OpenStreetMap 貢献者</translation>
    </message>
</context>
<context>
    <name>tamsel::VolumeBar</name>
    <message>
        <source>Volume: %1</source>
        <translation>音量: %1</translation>
    </message>
</context>
<context>
    <name>tamsel::WebFace</name>
    <message>
        <source>A wrong password was given from %1.</source>
        <translation>%1 から誤ったパスワードが入力されました。</translation>
    </message>
    <message>
        <source>Signed in from %1.</source>
        <translation>%1 からサインインしました。</translation>
    </message>
    <message>
        <source>Refused: %1</source>
        <translation>拒否: %1</translation>
    </message>
    <message numerus="yes">
        <source>A page left; %n open.</source>
        <translation>
            <numerusform>ページが閉じました。開いているのは %n 件です。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>A page connected from %1; %n open.</source>
        <translation>
            <numerusform>%1 からページが接続しました。開いているのは %n 件です。</numerusform>
        </translation>
    </message>
</context>
</TS>
