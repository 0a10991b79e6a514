<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nl">
<context>
    <name>mmx::EditorWindow</name>
    <message>
        <source>Upload cancelled: it was not completed, the unit does not hold this set-up.</source>
        <translation>Uploaden geannuleerd: het is niet voltooid, de unit bevat deze set-up niet.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuleren</translation>
    </message>
    <message>
        <source>Stop the upload after the frame on the line (Esc)</source>
        <translation>Het uploaden stoppen na het frame dat nu verzonden wordt (Esc)</translation>
    </message>
    <message>
        <source>Play message %1</source>
        <translation>Bericht %1 afspelen</translation>
    </message>
    <message>
        <source>Play the message sequence of trigger %1</source>
        <translation>De berichtenreeks van trigger %1 afspelen</translation>
    </message>
    <message>
        <source>Trigger %1: message %2 of its sequence</source>
        <translation>Trigger %1: bericht %2 van de reeks</translation>
    </message>
    <message>
        <source>Trigger %1 plays into zone %2</source>
        <translation>Trigger %1 speelt af in zone %2</translation>
    </message>
    <message>
        <source>Not connected: click to open the port to the unit</source>
        <translation>Niet verbonden: klik om de poort naar de unit te openen</translation>
    </message>
    <message>
        <source>Connected: click to close the port</source>
        <translation>Verbonden: klik om de poort te sluiten</translation>
    </message>
    <message>
        <source>The port to the unit is open. Close it with the connection indicator first, then change or play messages.</source>
        <translation>De poort naar de unit is open. Sluit deze eerst met de verbindingsindicator en wijzig of speel daarna berichten af.</translation>
    </message>
    <message>
        <source>%1: not a WAVE file</source>
        <translation>%1: geen WAVE-bestand</translation>
    </message>
    <message>
        <source>%1: %2 channels; the unit plays mono (1 channel)</source>
        <translation>%1: %2 kanalen; de unit speelt mono af (1 kanaal)</translation>
    </message>
    <message>
        <source>%1: %2 kHz; the unit plays 8 to 24 kHz</source>
        <translation>%1: %2 kHz; de unit speelt 8 tot 24 kHz af</translation>
    </message>
    <message>
        <source>%1: %2 bits per sample; the unit plays 16 bits</source>
        <translation>%1: %2 bits per sample; de unit speelt 16 bits af</translation>
    </message>
    <message>
        <source>%1: the messages would take %2 KB; the unit holds 8380 KB</source>
        <translation>%1: de berichten zouden %2 KB innemen; de unit bevat 8380 KB</translation>
    </message>
</context>
<context>
    <name>mmx::FrameWindow</name>
    <message>
        <source>RS232 Com Port cannot be open!</source>
        <translation>De COM-poort kan niet worden geopend!</translation>
    </message>
    <message>
        <source>Saved in %1</source>
        <translation>Opgeslagen in %1</translation>
    </message>
    <message>
        <source>The printout could not be written to %1: %2</source>
        <translation>De afdruk kon niet worden geschreven naar %1: %2</translation>
    </message>
    <message>
        <source>No text viewer opened the printout; it is in %1</source>
        <translation>Geen tekstviewer heeft de afdruk geopend; deze staat in %1</translation>
    </message>
    <message>
        <source>An upload is in progress. Cancel it and close the program?</source>
        <translation>Er wordt geüpload. Het uploaden annuleren en het programma sluiten?</translation>
    </message>
</context>
<context>
    <name>mmx::MemoryGauge</name>
    <message>
        <source>Free memory:</source>
        <translation>Vrij geheugen:</translation>
    </message>
    <message>
        <source>%1 of %2 kB</source>
        <translation>%1 van %2 kB</translation>
    </message>
</context>
</TS>
