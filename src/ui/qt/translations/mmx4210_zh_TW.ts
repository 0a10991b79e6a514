<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
<context>
    <name>mmx::EditorWindow</name>
    <message>
        <source>Upload cancelled: it was not completed, the unit does not hold this set-up.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop the upload after the frame on the line (Esc)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play message %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play the message sequence of trigger %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trigger %1: message %2 of its sequence</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trigger %1 plays into zone %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not connected: click to open the port to the unit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connected: click to close the port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The port to the unit is open. Close it with the connection indicator first, then change or play messages.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mmx::FrameWindow</name>
    <message>
        <source>RS232 Com Port cannot be open!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saved in %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The printout could not be written to %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No text viewer opened the printout; it is in %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An upload is in progress. Cancel it and close the program?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
