<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
<context>
    <name>ProblemWords</name>
    <message>
        <source>cannot be read (%1)</source>
        <translation>無法讀取（%1）</translation>
    </message>
    <message>
        <source>is not a file</source>
        <translation>不是檔案</translation>
    </message>
    <message>
        <source>is too large for a file of this program</source>
        <translation>對本程式的檔案來說太大</translation>
    </message>
    <message>
        <source>no file name was given</source>
        <translation>未指定檔案名稱</translation>
    </message>
    <message>
        <source>is read-only; it was left as it is</source>
        <translation>是唯讀的；已保持原樣</translation>
    </message>
    <message>
        <source>no file can be made in its folder (%1)</source>
        <translation>無法在其資料夾中建立檔案（%1）</translation>
    </message>
    <message>
        <source>belongs to another user or group; it was left as it is (%1)</source>
        <translation>屬於其他使用者或群組；已保持原樣（%1）</translation>
    </message>
    <message>
        <source>cannot be written (%1); the old file was kept</source>
        <translation>無法寫入（%1）；已保留原檔案</translation>
    </message>
    <message>
        <source>holds text that cannot be stored</source>
        <translation>包含無法儲存的文字</translation>
    </message>
    <message>
        <source>has %1 lines, %2 are needed</source>
        <translation>有 %1 行，需要 %2 行</translation>
    </message>
    <message>
        <source>a value holds a line break</source>
        <translation>某個值包含換行符號</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not True, False or a number</source>
        <translation>「%1」不是 True、False 或數字</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a stored length within the memory</source>
        <translation>「%1」不是記憶體範圍內的儲存長度</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a whole number</source>
        <translation>「%1」不是整數</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not 0, 1 or 2</source>
        <translation>「%1」不是 0、1 或 2</translation>
    </message>
    <message>
        <source>a value is not a number or True/False</source>
        <translation>某個值不是數字或 True/False</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>第 %1 行：%2</translation>
    </message>
    <message>
        <source>its owner</source>
        <translation>其擁有者</translation>
    </message>
    <message>
        <source>%1: no such device</source>
        <translation>%1：沒有此裝置</translation>
    </message>
    <message>
        <source>%1: another program has the port</source>
        <translation>%1：另一個程式正在使用該連接埠</translation>
    </message>
    <message>
        <source>%1: not a serial port</source>
        <translation>%1：不是序列埠</translation>
    </message>
    <message>
        <source>%1: permission denied: add your user to the group that owns the device (usually dialout) and log in again</source>
        <translation>%1：權限遭拒：請將您的使用者加入擁有該裝置的群組（通常是 dialout），然後重新登入</translation>
    </message>
    <message>
        <source>%1: permission denied: only %2 may use it (mode %3); a udev rule with GROUP=&quot;dialout&quot;, MODE=&quot;0660&quot; opens it to the dialout group</source>
        <translation>%1：權限遭拒：只有 %2 可以使用（模式 %3）；帶有 GROUP=&quot;dialout&quot;, MODE=&quot;0660&quot; 的 udev 規則可將其開放給 dialout 群組</translation>
    </message>
    <message>
        <source>%1: permission denied: although you are in its group %2 (mode %3): an access list or a security module keeps you out</source>
        <translation>%1：權限遭拒：雖然您在其群組 %2 中（模式 %3），但存取控制清單或安全模組阻擋了您</translation>
    </message>
    <message>
        <source>%1: permission denied: you were added to its group %2 after this session began: log in again (or run: newgrp %2)</source>
        <translation>%1：權限遭拒：您是在本次工作階段開始後才加入其群組 %2 的：請重新登入（或執行：newgrp %2）</translation>
    </message>
    <message>
        <source>%1: permission denied: add your user to its group %2 (sudo usermod -aG %2 $USER) and log in again</source>
        <translation>%1：權限遭拒：請將您的使用者加入其群組 %2（sudo usermod -aG %2 $USER），然後重新登入</translation>
    </message>
    <message>
        <source>The messages need %1 bytes; the unit holds %2.</source>
        <translation>這些訊息需要 %1 位元組；裝置只能容納 %2 位元組。</translation>
    </message>
    <message>
        <source>cannot be opened (%1)</source>
        <translation>無法開啟（%1）</translation>
    </message>
    <message>
        <source>is no longer a WAVE file the unit plays</source>
        <translation>已不再是裝置能播放的 WAVE 檔案</translation>
    </message>
    <message>
        <source>Slot %1 (%2): %3: %4</source>
        <translation>位置 %1（%2）：%3：%4</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a message number from 1 to 12</source>
        <translation>「%1」不是 1 到 12 的訊息編號</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a play time in seconds</source>
        <translation>「%1」不是以秒為單位的播放時間</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a sample rate of 8 to 24 kHz</source>
        <translation>「%1」不是 8 到 24 kHz 的取樣率</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a time-out of 0 to 60000 ms</source>
        <translation>「%1」不是 0 到 60000 ms 的逾時</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a serial setting a port takes</source>
        <translation>「%1」不是連接埠可接受的序列設定</translation>
        <translation>&quot;%1&quot; 不是 1 到 12 的訊息編號</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a play time in seconds</source>
        <translation>&quot;%1&quot; 不是以秒為單位的播放時間</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a sample rate of 8 to 24 kHz</source>
        <translation>&quot;%1&quot; 不是 8 到 24 kHz 的取樣率</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a time-out of 0 to 60000 ms</source>
        <translation>&quot;%1&quot; 不是 0 到 60000 毫秒的逾時</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a serial setting a port takes</source>
        <translation>&quot;%1&quot; 不是連接埠可用的序列設定</translation>
    </message>
    <message>
        <source>Trigger %1 plays slot %2, which is empty.</source>
        <translation>觸發器 %1 播放位置 %2，但該位置是空的。</translation>
    </message>
</context>
<context>
    <name>mmx::ConvertOfferDialog</name>
    <message>
        <source>Convert for the unit</source>
        <translation>為裝置轉換</translation>
    </message>
    <message>
        <source>%1

&quot;%2&quot; cannot be played by the unit as it is. It can be converted into a WAVE file the unit plays (mono, 16 bit, 8 to 24 kHz).</source>
        <translation>%1

裝置無法直接播放「%2」。可以將其轉換為裝置能播放的 WAVE 檔案（單聲道、16 位元、8 至 24 kHz）。</translation>
    </message>
    <message>
        <source>Sample rate: the highest at which the whole set-up fits</source>
        <translation>取樣率：整個設定能容納的最高取樣率</translation>
    </message>
    <message>
        <source>Sample rate in Hz:</source>
        <translation>取樣率（Hz）：</translation>
    </message>
    <message>
        <source>Loudness in LUFS (EBU R128):</source>
        <translation>響度（LUFS，EBU R128）：</translation>
    </message>
    <message>
        <source>Cut silence at the start and the end</source>
        <translation>剪去開頭和結尾的靜音</translation>
    </message>
</context>
<context>
    <name>mmx::DocumentWindowViewer</name>
    <message>
        <source>The document %1 cannot be found.</source>
        <translation>找不到文件 %1。</translation>
    </message>
    <message>
        <source>The document %1 cannot be read.</source>
        <translation>無法讀取文件 %1。</translation>
    </message>
</context>
<context>
    <name>mmx::DraftCommand</name>
    <message>
        <source>Speak a draft…</source>
        <translation>朗讀草稿…</translation>
    </message>
    <message>
        <source>Type a message and put a spoken draft of it in this slot</source>
        <translation>輸入一則訊息，並將其朗讀草稿放入此欄位</translation>
    </message>
    <message>
        <source>Speak a draft… (install espeak-ng first: %1)</source>
        <translation>朗讀草稿…（請先安裝 espeak-ng：%1）</translation>
    </message>
    <message>
        <source>Drafts are spoken by the program espeak-ng, which is not installed</source>
        <translation>草稿由程式 espeak-ng 朗讀，但它尚未安裝</translation>
    </message>
    <message>
        <source>%1 could not be written: %2</source>
        <translation>無法寫入 %1：%2</translation>
    </message>
</context>
<context>
    <name>mmx::DraftDialog</name>
    <message>
        <source>Spoken draft for message %1</source>
        <translation>訊息 %1 的朗讀草稿</translation>
    </message>
    <message>
        <source>Type the message as it should be heard. The draft stands in for the real recording until that exists.</source>
        <translation>按應聽到的內容輸入訊息。在真實錄音完成之前，由草稿代替。</translation>
    </message>
    <message>
        <source>The words of the message</source>
        <translation>訊息的文字</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>文字</translation>
    </message>
    <message>
        <source>&amp;Text:</source>
        <translation>文字(&amp;T)：</translation>
    </message>
    <message>
        <source>The language the text is written in</source>
        <translation>文字所用的語言</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>語言</translation>
    </message>
    <message>
        <source>&amp;Language:</source>
        <translation>語言(&amp;L)：</translation>
    </message>
    <message>
        <source>&amp;Speak</source>
        <translation>朗讀(&amp;S)</translation>
    </message>
    <message>
        <source>Make the draft and put it in the slot</source>
        <translation>產生草稿並放入欄位</translation>
    </message>
    <message>
        <source>Type the text to speak first.</source>
        <translation>請先輸入要朗讀的文字。</translation>
    </message>
    <message>
        <source>Speaking…</source>
        <translation>正在朗讀…</translation>
    </message>
    <message>
        <source>The speech program espeak-ng is not installed. Install it with: %1</source>
        <translation>語音程式 espeak-ng 未安裝。安裝指令：%1</translation>
    </message>
    <message>
        <source>No draft could be made: %1</source>
        <translation>無法產生草稿：%1</translation>
    </message>
</context>
<context>
    <name>mmx::EditorWindow</name>
    <message>
        <source>Upload cancelled: it was not completed, the unit does not hold this set-up.</source>
        <translation>上傳已取消：未完成，裝置中沒有此設定。</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Stop the upload after the frame on the line (Esc)</source>
        <translation>在目前的訊框之後停止上傳 (Esc)</translation>
    </message>
    <message>
        <source>Play message %1</source>
        <translation>播放訊息 %1</translation>
    </message>
    <message>
        <source>Play the message sequence of trigger %1</source>
        <translation>播放觸發器 %1 的訊息序列</translation>
    </message>
    <message>
        <source>Trigger %1: message %2 of its sequence</source>
        <translation>觸發器 %1：序列中的第 %2 則訊息</translation>
    </message>
    <message>
        <source>Trigger %1 plays into zone %2</source>
        <translation>觸發器 %1 在區域 %2 播放</translation>
    </message>
    <message>
        <source>Not connected: click to open the port to the unit</source>
        <translation>未連線：按一下以開啟到裝置的連接埠</translation>
    </message>
    <message>
        <source>Connected: click to close the port</source>
        <translation>已連線：按一下以關閉連接埠</translation>
    </message>
    <message>
        <source>The port to the unit is open. Close it with the connection indicator first, then change or play messages.</source>
        <translation>到裝置的連接埠已開啟。請先用連線指示器將其關閉，然後再變更或播放訊息。</translation>
    </message>
    <message>
        <source>%1: not a WAVE file</source>
        <translation>%1：不是 WAVE 檔案</translation>
    </message>
    <message>
        <source>%1: %2 channels; the unit plays mono (1 channel)</source>
        <translation>%1：%2 個聲道；裝置只播放單聲道（1 個聲道）</translation>
    </message>
    <message>
        <source>%1: %2 kHz; the unit plays 8 to 24 kHz</source>
        <translation>%1：%2 kHz；裝置播放 8 至 24 kHz</translation>
    </message>
    <message>
        <source>%1: %2 bits per sample; the unit plays 16 bits</source>
        <translation>%1：每個取樣 %2 位元；裝置播放 16 位元</translation>
    </message>
    <message>
        <source>%1: the messages would take %2 KB; the unit holds 8380 KB</source>
        <translation>%1：訊息將佔用 %2 KB；裝置容量為 8380 KB</translation>
    </message>
    <message>
        <source>Trigger %1 plays slot %2, which is empty. Choose another message for it or fill the slot, then send again.</source>
        <translation>觸發器 %1 播放位置 %2，但該位置是空的。請為它選擇其他訊息或填入該位置，然後重新傳送。</translation>
    </message>
    <message>
        <source>The file of this message is missing: %1</source>
        <translation>此訊息的檔案遺失：%1</translation>
    </message>
    <message>
        <source>Trigger %1: slot %2 is empty, so this entry plays nothing</source>
        <translation>觸發器 %1：位置 %2 是空的，因此此項不播放任何內容</translation>
    </message>
</context>
<context>
    <name>mmx::FrameWindow</name>
    <message>
        <source>RS232 Com Port cannot be open!</source>
        <translation>無法開啟 RS232 序列埠！</translation>
    </message>
    <message>
        <source>Saved in %1</source>
        <translation>已儲存到 %1</translation>
    </message>
    <message>
        <source>The printout could not be written to %1: %2</source>
        <translation>無法將列印內容寫入 %1：%2</translation>
    </message>
    <message>
        <source>No text viewer opened the printout; it is in %1</source>
        <translation>沒有文字檢視器開啟列印內容；檔案位於 %1</translation>
    </message>
    <message>
        <source>An upload is in progress. Cancel it and close the program?</source>
        <translation>正在上傳。要取消上傳並關閉程式嗎？</translation>
    </message>
    <message>
        <source>%1 (not present)</source>
        <translation>%1（不存在）</translation>
    </message>
    <message>
        <source>No device is present at %1 now.</source>
        <translation>%1 目前沒有裝置。</translation>
    </message>
    <message>
        <source>Slot %1 (%2): %3</source>
        <translation>位置 %1（%2）：%3</translation>
    </message>
    <message>
        <source>The WAVE files of these messages are missing:</source>
        <translation>以下訊息的 WAVE 檔案遺失：</translation>
    </message>
    <message>
        <source>No program on this system opened %1. The document is in %2.</source>
        <translation>此系統上沒有程式開啟 %1。該文件位於 %2。</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>編輯</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>復原</translation>
    </message>
    <message>
        <source>Undo the last change to the messages or triggers (Ctrl+Z)</source>
        <translation>復原對訊息或觸發器的最後一次變更 (Ctrl+Z)</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>重做</translation>
    </message>
    <message>
        <source>Redo the change last undone (Ctrl+Shift+Z or Ctrl+Y)</source>
        <translation>重做最後復原的變更 (Ctrl+Shift+Z 或 Ctrl+Y)</translation>
    </message>
    <message>
        <source>Undo and redo changes to the messages and triggers</source>
        <translation>復原和重做對訊息和觸發器的變更</translation>
    </message>
</context>
<context>
    <name>mmx::MemoryGauge</name>
    <message>
        <source>Free memory:</source>
        <translation>可用記憶體：</translation>
    </message>
    <message>
        <source>%1 of %2 kB</source>
        <translation>%1 / %2 kB</translation>
    </message>
</context>
<context>
    <name>mmx::NetworkPortEntry</name>
    <message>
        <source>Network address...</source>
        <translation>網路位址...</translation>
    </message>
    <message>
        <source>Network address</source>
        <translation>網路位址</translation>
    </message>
    <message>
        <source>The unit&apos;s serial device server, rfc2217://HOST:PORT (the tool sets the line) or tcp://HOST:PORT (the server&apos;s line settings):</source>
        <translation>裝置的序列埠伺服器，rfc2217://主機:連接埠（由本程式設定線路）或 tcp://主機:連接埠（使用伺服器的線路設定）：</translation>
    </message>
    <message>
        <source>This is no network address: %1</source>
        <translation>這不是網路位址：%1</translation>
    </message>
</context>
<context>
    <name>mmx::RecentSetups</name>
    <message>
        <source>Recent set-ups</source>
        <translation>最近的設定</translation>
    </message>
    <message>
        <source>The set-up files last opened or saved</source>
        <translation>最近開啟或儲存的設定檔</translation>
    </message>
    <message>
        <source>%1 (missing)</source>
        <translation>%1（遺失）</translation>
    </message>
    <message>
        <source>%1 is no longer there; choose it to take it off the list</source>
        <translation>%1 已不存在；選擇它可將其從清單中移除</translation>
    </message>
    <message>
        <source>No set-ups yet</source>
        <translation>尚無設定</translation>
    </message>
    <message>
        <source>Clear the list</source>
        <translation>清除清單</translation>
    </message>
    <message>
        <source>The set-up %1 is no longer there. Take it off the list?</source>
        <translation>設定 %1 已不存在。要將其從清單中移除嗎？</translation>
    </message>
</context>
<context>
    <name>mmx::SequenceExport</name>
    <message>
        <source>Export sequence…</source>
        <translation>匯出序列…</translation>
    </message>
    <message>
        <source>Write the messages of trigger %1 one after the other as one WAVE file</source>
        <translation>將觸發器 %1 的訊息依序寫成一個 WAVE 檔</translation>
    </message>
    <message>
        <source>Trigger %1 plays message %2, but that slot holds no file; nothing was written.</source>
        <translation>觸發器 %1 播放訊息 %2，但該欄位沒有檔案；未寫入任何內容。</translation>
    </message>
    <message>
        <source>Trigger %1 plays no message; nothing was written.</source>
        <translation>觸發器 %1 不播放任何訊息；未寫入任何內容。</translation>
    </message>
    <message>
        <source>%1 is the set-up file or one of its messages; it is never overwritten.</source>
        <translation>%1 是設定檔或其中的一則訊息；它永遠不會被覆寫。</translation>
    </message>
    <message>
        <source>%1: %2
Nothing was written.</source>
        <translation>%1：%2
未寫入任何內容。</translation>
    </message>
    <message>
        <source>%1 could not be written: %2</source>
        <translation>無法寫入 %1：%2</translation>
    </message>
    <message>
        <source>Trigger %1: %2 s written to %3</source>
        <translation>觸發器 %1：%2 秒已寫入 %3</translation>
    </message>
</context>
<context>
    <name>mmx::UnitAudioOffer</name>
    <message>
        <source>Converting &quot;%1&quot; for the unit...</source>
        <translation>正在為裝置轉換「%1」...</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be converted: %2</source>
        <translation>無法轉換「%1」：%2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is %2 s too long for the unit&apos;s memory of 8380 KB, even at 8000 Hz.</source>
        <translation>即使在 8000 Hz 下，「%1」對裝置 8380 KB 的記憶體來說也長了 %2 秒。</translation>
    </message>
    <message>
        <source>The converted file cannot be saved: %1</source>
        <translation>無法儲存轉換後的檔案：%1</translation>
    </message>
    <message>
        <source>no folder can be written</source>
        <translation>沒有可寫入的資料夾</translation>
    </message>
</context>
<context>
    <name>mmx::UnitCheck</name>
    <message>
        <source>%1 s</source>
        <translation>%1 秒</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1 分鐘</translation>
    </message>
    <message>
        <source>%1 min %2 s</source>
        <translation>%1 分 %2 秒</translation>
    </message>
    <message>
        <source>The unit holds this set-up.</source>
        <translation>裝置中是此設定。</translation>
    </message>
    <message>
        <source>The unit holds this set-up (written from here %1).</source>
        <translation>裝置中是此設定（由本機於 %1 寫入）。</translation>
    </message>
    <message>
        <source>The unit holds these messages, but this computer&apos;s record cannot vouch for the configuration.</source>
        <translation>裝置中是這些訊息，但本機的紀錄無法證實其設定。</translation>
    </message>
    <message>
        <source>The unit holds other messages (%1, end address 0x%2).</source>
        <translation>裝置中是其他訊息（%1 則，結束位址 0x%2）。</translation>
    </message>
    <message>
        <source>The unit&apos;s message table is damaged (its checksum is wrong).</source>
        <translation>裝置的訊息表已損壞（檢查碼錯誤）。</translation>
    </message>
    <message>
        <source>The unit is erased.</source>
        <translation>裝置已清除。</translation>
    </message>
    <message>
        <source>Check unit</source>
        <translation>檢查裝置</translation>
    </message>
    <message>
        <source>An upload would rewrite the tables only, about %1.</source>
        <translation>上傳只會重寫兩個表，約 %1。</translation>
    </message>
    <message>
        <source>An upload would send everything, about %1.</source>
        <translation>上傳會傳送全部內容，約 %1。</translation>
    </message>
    <message>
        <source>The port cannot be opened: %1</source>
        <translation>無法開啟連接埠：%1</translation>
    </message>
    <message>
        <source>The unit answered garbage: %1 bytes instead of its message table.</source>
        <translation>裝置的回應無效：%1 位元組，而不是訊息表。</translation>
    </message>
    <message>
        <source>The unit did not answer: %1</source>
        <translation>裝置沒有回應：%1</translation>
    </message>
    <message>
        <source>The unit answered garbage: %1</source>
        <translation>裝置的回應無效：%1</translation>
    </message>
    <message>
        <source>The check was interrupted.</source>
        <translation>檢查已中斷。</translation>
    </message>
    <message>
        <source>The port is open: close the connection first, then check the unit.</source>
        <translation>連接埠已開啟：請先中斷連線，再檢查裝置。</translation>
    </message>
    <message>
        <source>Slot %1: its message file cannot be used, so there is nothing to compare the unit with.</source>
        <translation>插槽 %1：其訊息檔無法使用，因此無從與裝置比較。</translation>
    </message>
</context>
<context>
    <name>mmx::UploadEstimateLabel</name>
    <message>
        <source>What the next upload will take: the whole memory, or only the two tables when the unit holds these messages already</source>
        <translation>下一次上傳所需的時間：整個記憶體，或在裝置已儲存這些訊息時僅兩個表</translation>
    </message>
    <message>
        <source>Upload time</source>
        <translation>上傳時間</translation>
    </message>
    <message>
        <source>about %1 s</source>
        <translation>約 %1 秒</translation>
    </message>
    <message>
        <source>about %1 min</source>
        <translation>約 %1 分鐘</translation>
    </message>
    <message>
        <source>about %1 min %2 s</source>
        <translation>約 %1 分 %2 秒</translation>
    </message>
    <message>
        <source>full upload, %1</source>
        <translation>完整上傳，%1</translation>
    </message>
    <message>
        <source>tables only, %1</source>
        <translation>僅表格，%1</translation>
    </message>
</context>
<context>
    <name>mmx::WaveformView</name>
    <message>
        <source>Waveform of message %1</source>
        <translation>訊息 %1 的波形</translation>
    </message>
    <message>
        <source>The waveform cannot be read: %1</source>
        <translation>無法讀取波形：%1</translation>
    </message>
    <message>
        <source>Loudness %1 LUFS, true peak %2 dBTP</source>
        <translation>響度 %1 LUFS，真峰值 %2 dBTP</translation>
    </message>
    <message>
        <source>Measuring loudness and true peak…</source>
        <translation>正在測量響度和真峰值…</translation>
    </message>
    <message>
        <source>The sound clips where the waveform is red.</source>
        <translation>波形為紅色處聲音削波。</translation>
    </message>
    <message>
        <source>A spoken draft: replace it with the real recording.</source>
        <translation>朗讀草稿：請用真實錄音替換。</translation>
    </message>
    <message>
        <source>Waveform</source>
        <translation>波形</translation>
    </message>
</context>
</TS>
