<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>mmx::EditorWindow</name>
    <message>
        <source>Upload cancelled: it was not completed, the unit does not hold this set-up.</source>
        <translation>上传已取消：未完成，设备中没有此设置。</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Stop the upload after the frame on the line (Esc)</source>
        <translation>在当前帧之后停止上传 (Esc)</translation>
    </message>
    <message>
        <source>Play message %1</source>
        <translation>播放消息 %1</translation>
    </message>
    <message>
        <source>Play the message sequence of trigger %1</source>
        <translation>播放触发器 %1 的消息序列</translation>
    </message>
    <message>
        <source>Trigger %1: message %2 of its sequence</source>
        <translation>触发器 %1：序列中的第 %2 条消息</translation>
    </message>
    <message>
        <source>Trigger %1 plays into zone %2</source>
        <translation>触发器 %1 在区域 %2 播放</translation>
    </message>
    <message>
        <source>Not connected: click to open the port to the unit</source>
        <translation>未连接：单击以打开到设备的端口</translation>
    </message>
    <message>
        <source>Connected: click to close the port</source>
        <translation>已连接：单击以关闭端口</translation>
    </message>
    <message>
        <source>The port to the unit is open. Close it with the connection indicator first, then change or play messages.</source>
        <translation>到设备的端口已打开。请先用连接指示器将其关闭，然后再更改或播放消息。</translation>
    </message>
    <message>
        <source>%1: not a WAVE file</source>
        <translation>%1：不是 WAVE 文件</translation>
    </message>
    <message>
        <source>%1: %2 channels; the unit plays mono (1 channel)</source>
        <translation>%1：%2 个声道；设备只播放单声道（1 个声道）</translation>
    </message>
    <message>
        <source>%1: %2 kHz; the unit plays 8 to 24 kHz</source>
        <translation>%1：%2 kHz；设备播放 8 至 24 kHz</translation>
    </message>
    <message>
        <source>%1: %2 bits per sample; the unit plays 16 bits</source>
        <translation>%1：每个采样 %2 位；设备播放 16 位</translation>
    </message>
    <message>
        <source>%1: the messages would take %2 KB; the unit holds 8380 KB</source>
        <translation>%1：消息将占用 %2 KB；设备容量为 8380 KB</translation>
    </message>
</context>
<context>
    <name>mmx::FrameWindow</name>
    <message>
        <source>RS232 Com Port cannot be open!</source>
        <translation>无法打开 RS232 串口！</translation>
    </message>
    <message>
        <source>Saved in %1</source>
        <translation>已保存到 %1</translation>
    </message>
    <message>
        <source>The printout could not be written to %1: %2</source>
        <translation>无法将打印内容写入 %1：%2</translation>
    </message>
    <message>
        <source>No text viewer opened the printout; it is in %1</source>
        <translation>没有文本查看器打开打印内容；文件位于 %1</translation>
    </message>
    <message>
        <source>An upload is in progress. Cancel it and close the program?</source>
        <translation>正在上传。要取消上传并关闭程序吗？</translation>
    </message>
</context>
<context>
    <name>mmx::MemoryGauge</name>
    <message>
        <source>Free memory:</source>
        <translation>可用内存：</translation>
    </message>
    <message>
        <source>%1 of %2 kB</source>
        <translation>%1 / %2 kB</translation>
    </message>
</context>
</TS>
