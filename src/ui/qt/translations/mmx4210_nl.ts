<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nl">
<context>
    <name>ProblemWords</name>
    <message>
        <source>cannot be read (%1)</source>
        <translation>kan niet worden gelezen (%1)</translation>
    </message>
    <message>
        <source>is not a file</source>
        <translation>is geen bestand</translation>
    </message>
    <message>
        <source>is too large for a file of this program</source>
        <translation>is te groot voor een bestand van dit programma</translation>
    </message>
    <message>
        <source>no file name was given</source>
        <translation>er is geen bestandsnaam opgegeven</translation>
    </message>
    <message>
        <source>is read-only; it was left as it is</source>
        <translation>is alleen-lezen; het is ongewijzigd gelaten</translation>
    </message>
    <message>
        <source>no file can be made in its folder (%1)</source>
        <translation>in de map kan geen bestand worden gemaakt (%1)</translation>
    </message>
    <message>
        <source>belongs to another user or group; it was left as it is (%1)</source>
        <translation>is van een andere gebruiker of groep; het is ongewijzigd gelaten (%1)</translation>
    </message>
    <message>
        <source>cannot be written (%1); the old file was kept</source>
        <translation>kan niet worden geschreven (%1); het oude bestand is behouden</translation>
    </message>
    <message>
        <source>holds text that cannot be stored</source>
        <translation>bevat tekst die niet kan worden opgeslagen</translation>
    </message>
    <message>
        <source>has %1 lines, %2 are needed</source>
        <translation>heeft %1 regels, %2 zijn nodig</translation>
    </message>
    <message>
        <source>a value holds a line break</source>
        <translation>een waarde bevat een regeleinde</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not True, False or a number</source>
        <translation>&quot;%1&quot; is geen True, False of getal</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a stored length within the memory</source>
        <translation>&quot;%1&quot; is geen opgeslagen lengte binnen het geheugen</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a whole number</source>
        <translation>&quot;%1&quot; is geen geheel getal</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not 0, 1 or 2</source>
        <translation>&quot;%1&quot; is geen 0, 1 of 2</translation>
    </message>
    <message>
        <source>a value is not a number or True/False</source>
        <translation>een waarde is geen getal of True/False</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>regel %1: %2</translation>
    </message>
    <message>
        <source>its owner</source>
        <translation>de eigenaar</translation>
    </message>
    <message>
        <source>%1: no such device</source>
        <translation>%1: dit apparaat bestaat niet</translation>
    </message>
    <message>
        <source>%1: another program has the port</source>
        <translation>%1: een ander programma gebruikt de poort</translation>
    </message>
    <message>
        <source>%1: not a serial port</source>
        <translation>%1: geen seriële poort</translation>
    </message>
    <message>
        <source>%1: permission denied: add your user to the group that owns the device (usually dialout) and log in again</source>
        <translation>%1: geen toestemming: voeg uw gebruiker toe aan de groep die eigenaar is van het apparaat (meestal dialout) en meld u opnieuw aan</translation>
    </message>
    <message>
        <source>%1: permission denied: only %2 may use it (mode %3); a udev rule with GROUP=&quot;dialout&quot;, MODE=&quot;0660&quot; opens it to the dialout group</source>
        <translation>%1: geen toestemming: alleen %2 mag het gebruiken (modus %3); een udev-regel met GROUP=&quot;dialout&quot;, MODE=&quot;0660&quot; stelt het open voor de groep dialout</translation>
    </message>
    <message>
        <source>%1: permission denied: although you are in its group %2 (mode %3): an access list or a security module keeps you out</source>
        <translation>%1: geen toestemming, hoewel u in de groep %2 zit (modus %3): een toegangslijst of beveiligingsmodule houdt u tegen</translation>
    </message>
    <message>
        <source>%1: permission denied: you were added to its group %2 after this session began: log in again (or run: newgrp %2)</source>
        <translation>%1: geen toestemming: u bent na het begin van deze sessie aan de groep %2 toegevoegd: meld u opnieuw aan (of voer uit: newgrp %2)</translation>
    </message>
    <message>
        <source>%1: permission denied: add your user to its group %2 (sudo usermod -aG %2 $USER) and log in again</source>
        <translation>%1: geen toestemming: voeg uw gebruiker toe aan de groep %2 (sudo usermod -aG %2 $USER) en meld u opnieuw aan</translation>
    </message>
    <message>
        <source>The messages need %1 bytes; the unit holds %2.</source>
        <translation>De berichten hebben %1 bytes nodig; de unit bevat %2.</translation>
    </message>
    <message>
        <source>cannot be opened (%1)</source>
        <translation>kan niet worden geopend (%1)</translation>
    </message>
    <message>
        <source>is no longer a WAVE file the unit plays</source>
        <translation>is geen WAVE-bestand meer dat de unit afspeelt</translation>
    </message>
    <message>
        <source>Slot %1 (%2): %3: %4</source>
        <translation>Positie %1 (%2): %3: %4</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a message number from 1 to 12</source>
        <translation>&quot;%1&quot; is geen berichtnummer van 1 tot 12</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a play time in seconds</source>
        <translation>&quot;%1&quot; is geen speelduur in seconden</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a sample rate of 8 to 24 kHz</source>
        <translation>&quot;%1&quot; is geen samplefrequentie van 8 tot 24 kHz</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a time-out of 0 to 60000 ms</source>
        <translation>&quot;%1&quot; is geen time-out van 0 tot 60000 ms</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a serial setting a port takes</source>
        <translation>&quot;%1&quot; is geen seriële instelling die een poort aanneemt</translation>
    </message>
    <message>
        <source>Trigger %1 plays slot %2, which is empty.</source>
        <translation>Trigger %1 speelt positie %2 af, maar die positie is leeg.</translation>
    </message>
</context>
<context>
    <name>mmx::ConvertOfferDialog</name>
    <message>
        <source>Convert for the unit</source>
        <translation>Converteren voor de unit</translation>
    </message>
    <message>
        <source>%1

&quot;%2&quot; cannot be played by the unit as it is. It can be converted into a WAVE file the unit plays (mono, 16 bit, 8 to 24 kHz).</source>
        <translation>%1

&quot;%2&quot; kan niet zonder meer door de unit worden afgespeeld. Het kan worden omgezet in een WAVE-bestand dat de unit afspeelt (mono, 16 bit, 8 tot 24 kHz).</translation>
    </message>
    <message>
        <source>Sample rate: the highest at which the whole set-up fits</source>
        <translation>Samplefrequentie: de hoogste waarbij de hele set-up past</translation>
    </message>
    <message>
        <source>Sample rate in Hz:</source>
        <translation>Samplefrequentie in Hz:</translation>
    </message>
    <message>
        <source>Loudness in LUFS (EBU R128):</source>
        <translation>Luidheid in LUFS (EBU R128):</translation>
    </message>
    <message>
        <source>Cut silence at the start and the end</source>
        <translation>Stilte aan het begin en het eind wegknippen</translation>
    </message>
</context>
<context>
    <name>mmx::DocumentWindowViewer</name>
    <message>
        <source>The document %1 cannot be found.</source>
        <translation>Het document %1 is niet gevonden.</translation>
    </message>
    <message>
        <source>The document %1 cannot be read.</source>
        <translation>Het document %1 kan niet worden gelezen.</translation>
    </message>
</context>
<context>
    <name>mmx::DraftCommand</name>
    <message>
        <source>Speak a draft…</source>
        <translation>Concept laten uitspreken…</translation>
    </message>
    <message>
        <source>Type a message and put a spoken draft of it in this slot</source>
        <translation>Typ een bericht en zet een uitgesproken concept ervan op deze positie</translation>
    </message>
    <message>
        <source>Speak a draft… (install espeak-ng first: %1)</source>
        <translation>Concept laten uitspreken… (installeer eerst espeak-ng: %1)</translation>
    </message>
    <message>
        <source>Drafts are spoken by the program espeak-ng, which is not installed</source>
        <translation>Concepten worden uitgesproken door het programma espeak-ng, dat niet is geïnstalleerd</translation>
    </message>
    <message>
        <source>%1 could not be written: %2</source>
        <translation>%1 kon niet worden geschreven: %2</translation>
    </message>
</context>
<context>
    <name>mmx::DraftDialog</name>
    <message>
        <source>Spoken draft for message %1</source>
        <translation>Uitgesproken concept voor bericht %1</translation>
    </message>
    <message>
        <source>Type the message as it should be heard. The draft stands in for the real recording until that exists.</source>
        <translation>Typ het bericht zoals het moet klinken. Het concept vervangt de echte opname tot die er is.</translation>
    </message>
    <message>
        <source>The words of the message</source>
        <translation>De woorden van het bericht</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Tekst</translation>
    </message>
    <message>
        <source>&amp;Text:</source>
        <translation>&amp;Tekst:</translation>
    </message>
    <message>
        <source>The language the text is written in</source>
        <translation>De taal waarin de tekst geschreven is</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Taal</translation>
    </message>
    <message>
        <source>&amp;Language:</source>
        <translation>T&amp;aal:</translation>
    </message>
    <message>
        <source>&amp;Speak</source>
        <translation>&amp;Uitspreken</translation>
    </message>
    <message>
        <source>Make the draft and put it in the slot</source>
        <translation>Maak het concept en zet het op de positie</translation>
    </message>
    <message>
        <source>Type the text to speak first.</source>
        <translation>Typ eerst de tekst die moet worden uitgesproken.</translation>
    </message>
    <message>
        <source>Speaking…</source>
        <translation>Bezig met uitspreken…</translation>
    </message>
    <message>
        <source>The speech program espeak-ng is not installed. Install it with: %1</source>
        <translation>Het spraakprogramma espeak-ng is niet geïnstalleerd. Installeer het met: %1</translation>
    </message>
    <message>
        <source>No draft could be made: %1</source>
        <translation>Er kon geen concept worden gemaakt: %1</translation>
    </message>
</context>
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
    <message>
        <source>Trigger %1 plays slot %2, which is empty. Choose another message for it or fill the slot, then send again.</source>
        <translation>Trigger %1 speelt positie %2 af, maar die positie is leeg. Kies er een ander bericht voor of vul de positie, en verstuur dan opnieuw.</translation>
    </message>
    <message>
        <source>The file of this message is missing: %1</source>
        <translation>Het bestand van dit bericht ontbreekt: %1</translation>
    </message>
    <message>
        <source>Trigger %1: slot %2 is empty, so this entry plays nothing</source>
        <translation>Trigger %1: positie %2 is leeg, dus dit onderdeel speelt niets af</translation>
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
    <message>
        <source>%1 (not present)</source>
        <translation>%1 (niet aanwezig)</translation>
    </message>
    <message>
        <source>No device is present at %1 now.</source>
        <translation>Er is nu geen apparaat aanwezig op %1.</translation>
    </message>
    <message>
        <source>Slot %1 (%2): %3</source>
        <translation>Positie %1 (%2): %3</translation>
    </message>
    <message>
        <source>The WAVE files of these messages are missing:</source>
        <translation>De WAVE-bestanden van deze berichten ontbreken:</translation>
    </message>
    <message>
        <source>No program on this system opened %1. The document is in %2.</source>
        <translation>Geen programma op dit systeem heeft %1 geopend. Het document staat in %2.</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Bewerken</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Ongedaan maken</translation>
    </message>
    <message>
        <source>Undo the last change to the messages or triggers (Ctrl+Z)</source>
        <translation>De laatste wijziging aan de berichten of triggers ongedaan maken (Ctrl+Z)</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Opnieuw</translation>
    </message>
    <message>
        <source>Redo the change last undone (Ctrl+Shift+Z or Ctrl+Y)</source>
        <translation>De laatst ongedaan gemaakte wijziging opnieuw uitvoeren (Ctrl+Shift+Z of Ctrl+Y)</translation>
    </message>
    <message>
        <source>Undo and redo changes to the messages and triggers</source>
        <translation>Wijzigingen aan de berichten en triggers ongedaan maken en opnieuw uitvoeren</translation>
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
<context>
    <name>mmx::NetworkPortEntry</name>
    <message>
        <source>Network address...</source>
        <translation>Netwerkadres...</translation>
    </message>
    <message>
        <source>Network address</source>
        <translation>Netwerkadres</translation>
    </message>
    <message>
        <source>The unit&apos;s serial device server, rfc2217://HOST:PORT (the tool sets the line) or tcp://HOST:PORT (the server&apos;s line settings):</source>
        <translation>De seriële apparaatserver van de unit, rfc2217://HOST:POORT (het programma stelt de lijn in) of tcp://HOST:POORT (de lijninstellingen van de server):</translation>
    </message>
    <message>
        <source>This is no network address: %1</source>
        <translation>Dit is geen netwerkadres: %1</translation>
    </message>
</context>
<context>
    <name>mmx::RecentSetups</name>
    <message>
        <source>Recent set-ups</source>
        <translation>Recente set-ups</translation>
    </message>
    <message>
        <source>The set-up files last opened or saved</source>
        <translation>De laatst geopende of opgeslagen set-upbestanden</translation>
    </message>
    <message>
        <source>%1 (missing)</source>
        <translation>%1 (ontbreekt)</translation>
    </message>
    <message>
        <source>%1 is no longer there; choose it to take it off the list</source>
        <translation>%1 bestaat niet meer; kies het om het van de lijst te halen</translation>
    </message>
    <message>
        <source>No set-ups yet</source>
        <translation>Nog geen set-ups</translation>
    </message>
    <message>
        <source>Clear the list</source>
        <translation>Lijst wissen</translation>
    </message>
    <message>
        <source>The set-up %1 is no longer there. Take it off the list?</source>
        <translation>De set-up %1 bestaat niet meer. Van de lijst halen?</translation>
    </message>
</context>
<context>
    <name>mmx::SequenceExport</name>
    <message>
        <source>Export sequence…</source>
        <translation>Reeks exporteren…</translation>
    </message>
    <message>
        <source>Write the messages of trigger %1 one after the other as one WAVE file</source>
        <translation>Schrijf de berichten van trigger %1 na elkaar als één WAVE-bestand</translation>
    </message>
    <message>
        <source>Trigger %1 plays message %2, but that slot holds no file; nothing was written.</source>
        <translation>Trigger %1 speelt bericht %2, maar die positie bevat geen bestand; er is niets geschreven.</translation>
    </message>
    <message>
        <source>Trigger %1 plays no message; nothing was written.</source>
        <translation>Trigger %1 speelt geen bericht; er is niets geschreven.</translation>
    </message>
    <message>
        <source>%1 is the set-up file or one of its messages; it is never overwritten.</source>
        <translation>%1 is het set-upbestand of een van zijn berichten; het wordt nooit overschreven.</translation>
    </message>
    <message>
        <source>%1: %2
Nothing was written.</source>
        <translation>%1: %2
Er is niets geschreven.</translation>
    </message>
    <message>
        <source>%1 could not be written: %2</source>
        <translation>%1 kon niet worden geschreven: %2</translation>
    </message>
    <message>
        <source>Trigger %1: %2 s written to %3</source>
        <translation>Trigger %1: %2 s geschreven naar %3</translation>
    </message>
</context>
<context>
    <name>mmx::UnitAudioOffer</name>
    <message>
        <source>Converting &quot;%1&quot; for the unit...</source>
        <translation>&quot;%1&quot; wordt omgezet voor de unit...</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be converted: %2</source>
        <translation>&quot;%1&quot; kan niet worden omgezet: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is %2 s too long for the unit&apos;s memory of 8380 KB, even at 8000 Hz.</source>
        <translation>&quot;%1&quot; is %2 s te lang voor het geheugen van de unit (8380 KB), zelfs bij 8000 Hz.</translation>
    </message>
    <message>
        <source>The converted file cannot be saved: %1</source>
        <translation>Het omgezette bestand kan niet worden opgeslagen: %1</translation>
    </message>
    <message>
        <source>no folder can be written</source>
        <translation>er kan in geen enkele map worden geschreven</translation>
    </message>
</context>
<context>
    <name>mmx::UnitCheck</name>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1 min</translation>
    </message>
    <message>
        <source>%1 min %2 s</source>
        <translation>%1 min %2 s</translation>
    </message>
    <message>
        <source>The unit holds this set-up.</source>
        <translation>De unit bevat deze set-up.</translation>
    </message>
    <message>
        <source>The unit holds this set-up (written from here %1).</source>
        <translation>De unit bevat deze set-up (vanaf hier geschreven op %1).</translation>
    </message>
    <message>
        <source>The unit holds these messages, but this computer&apos;s record cannot vouch for the configuration.</source>
        <translation>De unit bevat deze berichten, maar de administratie van deze computer kan niet instaan voor de configuratie.</translation>
    </message>
    <message>
        <source>The unit holds other messages (%1, end address 0x%2).</source>
        <translation>De unit bevat andere berichten (%1, eindadres 0x%2).</translation>
    </message>
    <message>
        <source>The unit&apos;s message table is damaged (its checksum is wrong).</source>
        <translation>De berichtentabel van de unit is beschadigd (de controlesom klopt niet).</translation>
    </message>
    <message>
        <source>The unit is erased.</source>
        <translation>De unit is gewist.</translation>
    </message>
    <message>
        <source>Check unit</source>
        <translation>Unit controleren</translation>
    </message>
    <message>
        <source>An upload would rewrite the tables only, about %1.</source>
        <translation>Een upload zou alleen de tabellen herschrijven, ongeveer %1.</translation>
    </message>
    <message>
        <source>An upload would send everything, about %1.</source>
        <translation>Een upload zou alles verzenden, ongeveer %1.</translation>
    </message>
    <message>
        <source>The port cannot be opened: %1</source>
        <translation>De poort kan niet worden geopend: %1</translation>
    </message>
    <message>
        <source>The unit answered garbage: %1 bytes instead of its message table.</source>
        <translation>De unit antwoordde onzin: %1 bytes in plaats van de berichtentabel.</translation>
    </message>
    <message>
        <source>The unit did not answer: %1</source>
        <translation>De unit antwoordde niet: %1</translation>
    </message>
    <message>
        <source>The unit answered garbage: %1</source>
        <translation>De unit antwoordde onzin: %1</translation>
    </message>
    <message>
        <source>The check was interrupted.</source>
        <translation>De controle is onderbroken.</translation>
    </message>
    <message>
        <source>The port is open: close the connection first, then check the unit.</source>
        <translation>De poort is open: verbreek eerst de verbinding en controleer dan de unit.</translation>
    </message>
    <message>
        <source>Slot %1: its message file cannot be used, so there is nothing to compare the unit with.</source>
        <translation>Slot %1: het berichtbestand is onbruikbaar, dus er is niets om de unit mee te vergelijken.</translation>
    </message>
</context>
<context>
    <name>mmx::UploadEstimateLabel</name>
    <message>
        <source>What the next upload will take: the whole memory, or only the two tables when the unit holds these messages already</source>
        <translation>Wat de volgende upload duurt: het hele geheugen, of alleen de twee tabellen als de unit deze berichten al bevat</translation>
    </message>
    <message>
        <source>Upload time</source>
        <translation>Uploadtijd</translation>
    </message>
    <message>
        <source>about %1 s</source>
        <translation>ongeveer %1 s</translation>
    </message>
    <message>
        <source>about %1 min</source>
        <translation>ongeveer %1 min</translation>
    </message>
    <message>
        <source>about %1 min %2 s</source>
        <translation>ongeveer %1 min %2 s</translation>
    </message>
    <message>
        <source>full upload, %1</source>
        <translation>volledige upload, %1</translation>
    </message>
    <message>
        <source>tables only, %1</source>
        <translation>alleen tabellen, %1</translation>
    </message>
</context>
<context>
    <name>mmx::WaveformView</name>
    <message>
        <source>Waveform of message %1</source>
        <translation>Golfvorm van bericht %1</translation>
    </message>
    <message>
        <source>The waveform cannot be read: %1</source>
        <translation>De golfvorm kan niet worden gelezen: %1</translation>
    </message>
    <message>
        <source>Loudness %1 LUFS, true peak %2 dBTP</source>
        <translation>Luidheid %1 LUFS, echte piek %2 dBTP</translation>
    </message>
    <message>
        <source>Measuring loudness and true peak…</source>
        <translation>Luidheid en echte piek worden gemeten…</translation>
    </message>
    <message>
        <source>The sound clips where the waveform is red.</source>
        <translation>Het geluid wordt afgekapt waar de golfvorm rood is.</translation>
    </message>
    <message>
        <source>A spoken draft: replace it with the real recording.</source>
        <translation>Een uitgesproken concept: vervang het door de echte opname.</translation>
    </message>
    <message>
        <source>Waveform</source>
        <translation>Golfvorm</translation>
    </message>
</context>
</TS>
