<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>ProblemWords</name>
    <message>
        <source>cannot be read (%1)</source>
        <translation>无法读取（%1）</translation>
    </message>
    <message>
        <source>is not a file</source>
        <translation>不是文件</translation>
    </message>
    <message>
        <source>is too large for a file of this program</source>
        <translation>对本程序的文件来说太大</translation>
    </message>
    <message>
        <source>no file name was given</source>
        <translation>未指定文件名</translation>
    </message>
    <message>
        <source>is read-only; it was left as it is</source>
        <translation>是只读的；已保持原样</translation>
    </message>
    <message>
        <source>no file can be made in its folder (%1)</source>
        <translation>无法在其文件夹中创建文件（%1）</translation>
    </message>
    <message>
        <source>belongs to another user or group; it was left as it is (%1)</source>
        <translation>属于其他用户或组；已保持原样（%1）</translation>
    </message>
    <message>
        <source>cannot be written (%1); the old file was kept</source>
        <translation>无法写入（%1）；已保留原文件</translation>
    </message>
    <message>
        <source>holds text that cannot be stored</source>
        <translation>包含无法保存的文字</translation>
    </message>
    <message>
        <source>has %1 lines, %2 are needed</source>
        <translation>有 %1 行，需要 %2 行</translation>
    </message>
    <message>
        <source>a value holds a line break</source>
        <translation>某个值包含换行符</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not True, False or a number</source>
        <translation>“%1”不是 True、False 或数字</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a stored length within the memory</source>
        <translation>“%1”不是存储器范围内的存储长度</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a whole number</source>
        <translation>“%1”不是整数</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not 0, 1 or 2</source>
        <translation>“%1”不是 0、1 或 2</translation>
    </message>
    <message>
        <source>a value is not a number or True/False</source>
        <translation>某个值不是数字或 True/False</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>第 %1 行：%2</translation>
    </message>
    <message>
        <source>its owner</source>
        <translation>其所有者</translation>
    </message>
    <message>
        <source>%1: no such device</source>
        <translation>%1：没有此设备</translation>
    </message>
    <message>
        <source>%1: another program has the port</source>
        <translation>%1：另一个程序正在使用该端口</translation>
    </message>
    <message>
        <source>%1: not a serial port</source>
        <translation>%1：不是串口</translation>
    </message>
    <message>
        <source>%1: permission denied: add your user to the group that owns the device (usually dialout) and log in again</source>
        <translation>%1：权限被拒绝：请将您的用户加入拥有该设备的组（通常是 dialout），然后重新登录</translation>
    </message>
    <message>
        <source>%1: permission denied: only %2 may use it (mode %3); a udev rule with GROUP=&quot;dialout&quot;, MODE=&quot;0660&quot; opens it to the dialout group</source>
        <translation>%1：权限被拒绝：只有 %2 可以使用（模式 %3）；带有 GROUP=&quot;dialout&quot;, MODE=&quot;0660&quot; 的 udev 规则可将其开放给 dialout 组</translation>
    </message>
    <message>
        <source>%1: permission denied: although you are in its group %2 (mode %3): an access list or a security module keeps you out</source>
        <translation>%1：权限被拒绝：虽然您在其组 %2 中（模式 %3），但访问控制列表或安全模块阻止了您</translation>
    </message>
    <message>
        <source>%1: permission denied: you were added to its group %2 after this session began: log in again (or run: newgrp %2)</source>
        <translation>%1：权限被拒绝：您是在本次会话开始后才加入其组 %2 的：请重新登录（或运行：newgrp %2）</translation>
    </message>
    <message>
        <source>%1: permission denied: add your user to its group %2 (sudo usermod -aG %2 $USER) and log in again</source>
        <translation>%1：权限被拒绝：请将您的用户加入其组 %2（sudo usermod -aG %2 $USER），然后重新登录</translation>
    </message>
    <message>
        <source>The messages need %1 bytes; the unit holds %2.</source>
        <translation>这些消息需要 %1 字节；设备只能容纳 %2 字节。</translation>
    </message>
    <message>
        <source>cannot be opened (%1)</source>
        <translation>无法打开（%1）</translation>
    </message>
    <message>
        <source>is no longer a WAVE file the unit plays</source>
        <translation>已不再是设备能播放的 WAVE 文件</translation>
    </message>
    <message>
        <source>Slot %1 (%2): %3: %4</source>
        <translation>位置 %1（%2）：%3：%4</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a message number from 1 to 12</source>
        <translation>“%1”不是 1 到 12 的消息编号</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a play time in seconds</source>
        <translation>“%1”不是以秒为单位的播放时间</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a sample rate of 8 to 24 kHz</source>
        <translation>“%1”不是 8 到 24 kHz 的采样率</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a time-out of 0 to 60000 ms</source>
        <translation>“%1”不是 0 到 60000 ms 的超时</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a serial setting a port takes</source>
        <translation>“%1”不是端口可接受的串口设置</translation>
        <translation>&quot;%1&quot; 不是 1 到 12 的消息编号</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a play time in seconds</source>
        <translation>&quot;%1&quot; 不是以秒为单位的播放时间</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a sample rate of 8 to 24 kHz</source>
        <translation>&quot;%1&quot; 不是 8 到 24 kHz 的采样率</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a time-out of 0 to 60000 ms</source>
        <translation>&quot;%1&quot; 不是 0 到 60000 毫秒的超时</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a serial setting a port takes</source>
        <translation>&quot;%1&quot; 不是端口可用的串口设置</translation>
    </message>
    <message>
        <source>Trigger %1 plays slot %2, which is empty.</source>
        <translation>触发器 %1 播放位置 %2，但该位置是空的。</translation>
    </message>
</context>
<context>
    <name>mmx::ConvertOfferDialog</name>
    <message>
        <source>Convert for the unit</source>
        <translation>为设备转换</translation>
    </message>
    <message>
        <source>%1

&quot;%2&quot; cannot be played by the unit as it is. It can be converted into a WAVE file the unit plays (mono, 16 bit, 8 to 24 kHz).</source>
        <translation>%1

设备无法直接播放“%2”。可以将其转换为设备能播放的 WAVE 文件（单声道、16 位、8 至 24 kHz）。</translation>
    </message>
    <message>
        <source>Sample rate: the highest at which the whole set-up fits</source>
        <translation>采样率：整个设置能放下的最高采样率</translation>
    </message>
    <message>
        <source>Sample rate in Hz:</source>
        <translation>采样率（Hz）：</translation>
    </message>
    <message>
        <source>Loudness in LUFS (EBU R128):</source>
        <translation>响度（LUFS，EBU R128）：</translation>
    </message>
    <message>
        <source>Cut silence at the start and the end</source>
        <translation>剪去开头和结尾的静音</translation>
    </message>
</context>
<context>
    <name>mmx::DocumentWindowViewer</name>
    <message>
        <source>The document %1 cannot be found.</source>
        <translation>找不到文档 %1。</translation>
    </message>
    <message>
        <source>The document %1 cannot be read.</source>
        <translation>无法读取文档 %1。</translation>
    </message>
</context>
<context>
    <name>mmx::DraftCommand</name>
    <message>
        <source>Speak a draft…</source>
        <translation>朗读草稿…</translation>
    </message>
    <message>
        <source>Type a message and put a spoken draft of it in this slot</source>
        <translation>输入一条消息，并将其朗读草稿放入此槽位</translation>
    </message>
    <message>
        <source>Speak a draft… (install espeak-ng first: %1)</source>
        <translation>朗读草稿…（请先安装 espeak-ng：%1）</translation>
    </message>
    <message>
        <source>Drafts are spoken by the program espeak-ng, which is not installed</source>
        <translation>草稿由程序 espeak-ng 朗读，但它尚未安装</translation>
    </message>
    <message>
        <source>%1 could not be written: %2</source>
        <translation>无法写入 %1：%2</translation>
    </message>
</context>
<context>
    <name>mmx::DraftDialog</name>
    <message>
        <source>Spoken draft for message %1</source>
        <translation>消息 %1 的朗读草稿</translation>
    </message>
    <message>
        <source>Type the message as it should be heard. The draft stands in for the real recording until that exists.</source>
        <translation>按应听到的内容输入消息。在真实录音完成之前，由草稿代替。</translation>
    </message>
    <message>
        <source>The words of the message</source>
        <translation>消息的文字</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>文本</translation>
    </message>
    <message>
        <source>&amp;Text:</source>
        <translation>文本(&amp;T)：</translation>
    </message>
    <message>
        <source>The language the text is written in</source>
        <translation>文本所用的语言</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
    <message>
        <source>&amp;Language:</source>
        <translation>语言(&amp;L)：</translation>
    </message>
    <message>
        <source>&amp;Speak</source>
        <translation>朗读(&amp;S)</translation>
    </message>
    <message>
        <source>Make the draft and put it in the slot</source>
        <translation>生成草稿并放入槽位</translation>
    </message>
    <message>
        <source>Type the text to speak first.</source>
        <translation>请先输入要朗读的文本。</translation>
    </message>
    <message>
        <source>Speaking…</source>
        <translation>正在朗读…</translation>
    </message>
    <message>
        <source>The speech program espeak-ng is not installed. Install it with: %1</source>
        <translation>语音程序 espeak-ng 未安装。安装命令：%1</translation>
    </message>
    <message>
        <source>No draft could be made: %1</source>
        <translation>无法生成草稿：%1</translation>
    </message>
</context>
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
    <message>
        <source>Trigger %1 plays slot %2, which is empty. Choose another message for it or fill the slot, then send again.</source>
        <translation>触发器 %1 播放位置 %2，但该位置是空的。请为它选择其他消息或填充该位置，然后重新发送。</translation>
    </message>
    <message>
        <source>The file of this message is missing: %1</source>
        <translation>此消息的文件缺失：%1</translation>
    </message>
    <message>
        <source>Trigger %1: slot %2 is empty, so this entry plays nothing</source>
        <translation>触发器 %1：位置 %2 是空的，因此此项不播放任何内容</translation>
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
    <message>
        <source>%1 (not present)</source>
        <translation>%1（不存在）</translation>
    </message>
    <message>
        <source>No device is present at %1 now.</source>
        <translation>%1 目前没有设备。</translation>
    </message>
    <message>
        <source>Slot %1 (%2): %3</source>
        <translation>位置 %1（%2）：%3</translation>
    </message>
    <message>
        <source>The WAVE files of these messages are missing:</source>
        <translation>以下消息的 WAVE 文件缺失：</translation>
    </message>
    <message>
        <source>No program on this system opened %1. The document is in %2.</source>
        <translation>此系统上没有程序打开 %1。该文档位于 %2。</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>编辑</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>撤销</translation>
    </message>
    <message>
        <source>Undo the last change to the messages or triggers (Ctrl+Z)</source>
        <translation>撤销对消息或触发器的最后一次更改 (Ctrl+Z)</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>重做</translation>
    </message>
    <message>
        <source>Redo the change last undone (Ctrl+Shift+Z or Ctrl+Y)</source>
        <translation>重做最后撤销的更改 (Ctrl+Shift+Z 或 Ctrl+Y)</translation>
    </message>
    <message>
        <source>Undo and redo changes to the messages and triggers</source>
        <translation>撤销和重做对消息和触发器的更改</translation>
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
<context>
    <name>mmx::NetworkPortEntry</name>
    <message>
        <source>Network address...</source>
        <translation>网络地址...</translation>
    </message>
    <message>
        <source>Network address</source>
        <translation>网络地址</translation>
    </message>
    <message>
        <source>The unit&apos;s serial device server, rfc2217://HOST:PORT (the tool sets the line) or tcp://HOST:PORT (the server&apos;s line settings):</source>
        <translation>设备的串口服务器，rfc2217://主机:端口（由本程序设置线路）或 tcp://主机:端口（使用服务器的线路设置）：</translation>
    </message>
    <message>
        <source>This is no network address: %1</source>
        <translation>这不是网络地址：%1</translation>
    </message>
</context>
<context>
    <name>mmx::RecentSetups</name>
    <message>
        <source>Recent set-ups</source>
        <translation>最近的设置</translation>
    </message>
    <message>
        <source>The set-up files last opened or saved</source>
        <translation>最近打开或保存的设置文件</translation>
    </message>
    <message>
        <source>%1 (missing)</source>
        <translation>%1（缺失）</translation>
    </message>
    <message>
        <source>%1 is no longer there; choose it to take it off the list</source>
        <translation>%1 已不存在；选择它可将其从列表中移除</translation>
    </message>
    <message>
        <source>No set-ups yet</source>
        <translation>尚无设置</translation>
    </message>
    <message>
        <source>Clear the list</source>
        <translation>清空列表</translation>
    </message>
    <message>
        <source>The set-up %1 is no longer there. Take it off the list?</source>
        <translation>设置 %1 已不存在。要将其从列表中移除吗？</translation>
    </message>
</context>
<context>
    <name>mmx::SequenceExport</name>
    <message>
        <source>Export sequence…</source>
        <translation>导出序列…</translation>
    </message>
    <message>
        <source>Write the messages of trigger %1 one after the other as one WAVE file</source>
        <translation>将触发器 %1 的消息依次写成一个 WAVE 文件</translation>
    </message>
    <message>
        <source>Trigger %1 plays message %2, but that slot holds no file; nothing was written.</source>
        <translation>触发器 %1 播放消息 %2，但该槽位没有文件；未写入任何内容。</translation>
    </message>
    <message>
        <source>Trigger %1 plays no message; nothing was written.</source>
        <translation>触发器 %1 不播放任何消息；未写入任何内容。</translation>
    </message>
    <message>
        <source>%1 is the set-up file or one of its messages; it is never overwritten.</source>
        <translation>%1 是设置文件或其中的一条消息；它永远不会被覆盖。</translation>
    </message>
    <message>
        <source>%1: %2
Nothing was written.</source>
        <translation>%1：%2
未写入任何内容。</translation>
    </message>
    <message>
        <source>%1 could not be written: %2</source>
        <translation>无法写入 %1：%2</translation>
    </message>
    <message>
        <source>Trigger %1: %2 s written to %3</source>
        <translation>触发器 %1：%2 秒已写入 %3</translation>
    </message>
</context>
<context>
    <name>mmx::UnitAudioOffer</name>
    <message>
        <source>Converting &quot;%1&quot; for the unit...</source>
        <translation>正在为设备转换“%1”...</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be converted: %2</source>
        <translation>无法转换“%1”：%2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is %2 s too long for the unit&apos;s memory of 8380 KB, even at 8000 Hz.</source>
        <translation>即使在 8000 Hz 下，“%1”对设备 8380 KB 的存储器来说也长了 %2 秒。</translation>
    </message>
    <message>
        <source>The converted file cannot be saved: %1</source>
        <translation>无法保存转换后的文件：%1</translation>
    </message>
    <message>
        <source>no folder can be written</source>
        <translation>没有可写入的文件夹</translation>
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
        <translation>%1 分钟</translation>
    </message>
    <message>
        <source>%1 min %2 s</source>
        <translation>%1 分 %2 秒</translation>
    </message>
    <message>
        <source>The unit holds this set-up.</source>
        <translation>设备中是此设置。</translation>
    </message>
    <message>
        <source>The unit holds this set-up (written from here %1).</source>
        <translation>设备中是此设置（由本机于 %1 写入）。</translation>
    </message>
    <message>
        <source>The unit holds these messages, but this computer&apos;s record cannot vouch for the configuration.</source>
        <translation>设备中是这些消息，但本机的记录无法证实其配置。</translation>
    </message>
    <message>
        <source>The unit holds other messages (%1, end address 0x%2).</source>
        <translation>设备中是其他消息（%1 条，结束地址 0x%2）。</translation>
    </message>
    <message>
        <source>The unit&apos;s message table is damaged (its checksum is wrong).</source>
        <translation>设备的消息表已损坏（校验和错误）。</translation>
    </message>
    <message>
        <source>The unit is erased.</source>
        <translation>设备已擦除。</translation>
    </message>
    <message>
        <source>Check unit</source>
        <translation>检查设备</translation>
    </message>
    <message>
        <source>An upload would rewrite the tables only, about %1.</source>
        <translation>上传只会重写两个表，约 %1。</translation>
    </message>
    <message>
        <source>An upload would send everything, about %1.</source>
        <translation>上传会发送全部内容，约 %1。</translation>
    </message>
    <message>
        <source>The port cannot be opened: %1</source>
        <translation>无法打开端口：%1</translation>
    </message>
    <message>
        <source>The unit answered garbage: %1 bytes instead of its message table.</source>
        <translation>设备的应答无效：%1 字节，而不是消息表。</translation>
    </message>
    <message>
        <source>The unit did not answer: %1</source>
        <translation>设备没有应答：%1</translation>
    </message>
    <message>
        <source>The unit answered garbage: %1</source>
        <translation>设备的应答无效：%1</translation>
    </message>
    <message>
        <source>The check was interrupted.</source>
        <translation>检查已中断。</translation>
    </message>
    <message>
        <source>The port is open: close the connection first, then check the unit.</source>
        <translation>端口已打开：请先断开连接，再检查设备。</translation>
    </message>
    <message>
        <source>Slot %1: its message file cannot be used, so there is nothing to compare the unit with.</source>
        <translation>插槽 %1：其消息文件无法使用，因此无从与设备比较。</translation>
    </message>
</context>
<context>
    <name>mmx::UploadEstimateLabel</name>
    <message>
        <source>What the next upload will take: the whole memory, or only the two tables when the unit holds these messages already</source>
        <translation>下一次上传所需的时间：整个存储器，或在设备已保存这些消息时仅两个表</translation>
    </message>
    <message>
        <source>Upload time</source>
        <translation>上传时间</translation>
    </message>
    <message>
        <source>about %1 s</source>
        <translation>约 %1 秒</translation>
    </message>
    <message>
        <source>about %1 min</source>
        <translation>约 %1 分钟</translation>
    </message>
    <message>
        <source>about %1 min %2 s</source>
        <translation>约 %1 分 %2 秒</translation>
    </message>
    <message>
        <source>full upload, %1</source>
        <translation>完整上传，%1</translation>
    </message>
    <message>
        <source>tables only, %1</source>
        <translation>仅表格，%1</translation>
    </message>
</context>
<context>
    <name>mmx::WaveformView</name>
    <message>
        <source>Waveform of message %1</source>
        <translation>消息 %1 的波形</translation>
    </message>
    <message>
        <source>The waveform cannot be read: %1</source>
        <translation>无法读取波形：%1</translation>
    </message>
    <message>
        <source>Loudness %1 LUFS, true peak %2 dBTP</source>
        <translation>响度 %1 LUFS，真峰值 %2 dBTP</translation>
    </message>
    <message>
        <source>Measuring loudness and true peak…</source>
        <translation>正在测量响度和真峰值…</translation>
    </message>
    <message>
        <source>The sound clips where the waveform is red.</source>
        <translation>波形为红色处声音削波。</translation>
    </message>
    <message>
        <source>A spoken draft: replace it with the real recording.</source>
        <translation>朗读草稿：请用真实录音替换。</translation>
    </message>
    <message>
        <source>Waveform</source>
        <translation>波形</translation>
    </message>
</context>
</TS>
