<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
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
</TS>
