<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>baler</name>
    <message>
        <source>Browse for Folder where the PAK file will be extracted</source>
        <translation>Ordner wählen, in den die PAK-Datei entpackt wird</translation>
    </message>
    <message>
        <source>There is no archive to extract: the chosen file could not be read as a PAK file.</source>
        <translation>Es gibt kein Archiv zum Entpacken: Die gewählte Datei konnte nicht als PAK-Datei gelesen werden.</translation>
    </message>
    <message>
        <source>The file is shorter than a PAK file&apos;s header or does not begin with its signature.</source>
        <translation>Die Datei ist kürzer als der Kopf einer PAK-Datei oder beginnt nicht mit deren Signatur.</translation>
    </message>
    <message>
        <source>The PAK file changed after it was listed, so nothing was extracted.
It has been read again: check the list and extract again.</source>
        <translation>Die PAK-Datei hat sich geändert, nachdem sie aufgelistet wurde; es wurde nichts entpackt.
Sie wurde neu eingelesen: Prüfen Sie die Liste und entpacken Sie erneut.</translation>
    </message>
    <message>
        <source>1 file in %2 was changed after it was extracted: %3. Replace it with the archive&apos;s version?</source>
        <translation>1 Datei in %2 wurde nach dem Entpacken geändert: %3. Durch die Fassung aus dem Archiv ersetzen?</translation>
    </message>
    <message>
        <source>%1 files in %2 were changed after they were extracted: %3. Replace them with the archive&apos;s version?</source>
        <translation>%1 Dateien in %2 wurden nach dem Entpacken geändert: %3. Durch die Fassung aus dem Archiv ersetzen?</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>und %1 weitere</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Ersetzen</translation>
    </message>
    <message>
        <source>Keep my files</source>
        <translation>Meine Dateien behalten</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Extract Selected Files…</source>
        <translation>Ausgewählte Dateien entpacken…</translation>
    </message>
    <message>
        <source>Extract All Files</source>
        <translation>Alle Dateien entpacken</translation>
    </message>
    <message>
        <source>Replace Entry…</source>
        <translation>Eintrag ersetzen…</translation>
    </message>
    <message>
        <source>All files (*.*)|*.*</source>
        <translation>Alle Dateien (*.*)|*.*</translation>
    </message>
    <message>
        <source>Replace the entry %1 in %2 with %3? The archive is rewritten; every other entry stays as it is.</source>
        <translation>Den Eintrag %1 in %2 durch %3 ersetzen? Das Archiv wird neu geschrieben; alle anderen Einträge bleiben, wie sie sind.</translation>
    </message>
    <message>
        <source>Replacing</source>
        <translation>Ersetzen</translation>
    </message>
    <message>
        <source>%1 replaced in %2</source>
        <translation>%1 in %2 ersetzt</translation>
    </message>
    <message>
        <source>The PAK file changed after it was listed, so no entry was replaced and nothing was written.
It has been read again: check the list and replace the entry again.</source>
        <translation>Die PAK-Datei wurde geändert, nachdem sie aufgelistet wurde; daher wurde kein Eintrag ersetzt und nichts geschrieben.
Sie wurde neu eingelesen: Prüfen Sie die Liste und ersetzen Sie den Eintrag erneut.</translation>
    </message>
    <message>
        <source>Invalid file</source>
        <translation>Ungültige Datei</translation>
    </message>
    <message>
        <source>Extracting</source>
        <translation>Entpacke</translation>
    </message>
    <message>
        <source>Opening</source>
        <translation>Öffne</translation>
    </message>
    <message>
        <source>%1 extracted into %2</source>
        <translation>%1 nach %2 entpackt</translation>
    </message>
    <message>
        <source>Extraction stopped: %1 extracted into %2</source>
        <translation>Entpacken abgebrochen: %1 nach %2 entpackt</translation>
    </message>
    <message>
        <source>Extract each of the %1 archives into a folder of its name in %2?</source>
        <translation>Jedes der %1 Archive in einen gleichnamigen Ordner in %2 entpacken?</translation>
    </message>
    <message>
        <source>Extract Each</source>
        <translation>Jedes entpacken</translation>
    </message>
    <message>
        <source>%1 and %2 would both be extracted into %3, so nothing was extracted.</source>
        <translation>%1 und %2 würden beide nach %3 entpackt; daher wurde nichts entpackt.</translation>
    </message>
    <message>
        <source>%1 archives extracted into %2</source>
        <translation>%1 Archive nach %2 entpackt</translation>
    </message>
    <message>
        <source>%1 of %3 archives extracted into %2; not extracted: %4</source>
        <translation>%1 von %3 Archiven nach %2 entpackt; nicht entpackt: %4</translation>
    </message>
    <message>
        <source>These archives were not extracted in full:</source>
        <translation>Diese Archive wurden nicht vollständig entpackt:</translation>
    </message>
    <message>
        <source>Files List Diff</source>
        <translation>Unterschiede der Dateiliste</translation>
    </message>
    <message>
        <source>There is a difference between the names of the files that were extracted to the files that you wat to repack. </source>
        <translation>Die Namen der entpackten Dateien unterscheiden sich von denen der Dateien, die Sie wieder packen wollen. </translation>
    </message>
    <message>
        <source>The list of files that were added:</source>
        <translation>Hinzugekommene Dateien:</translation>
    </message>
    <message>
        <source>The list of files that were deleted:</source>
        <translation>Gelöschte Dateien:</translation>
    </message>
    <message>
        <source>Continue with Packing</source>
        <translation>Weiter packen</translation>
    </message>
    <message>
        <source>Cancel the Packing</source>
        <translation>Packen abbrechen</translation>
    </message>
    <message>
        <source>Browse for Folder where the ogg files are</source>
        <translation>Ordner mit den OGG-Dateien wählen</translation>
    </message>
    <message>
        <source>The repack was canceled by your request</source>
        <translation>Das Packen wurde auf Ihren Wunsch abgebrochen</translation>
    </message>
    <message>
        <source>Repack Canceled</source>
        <translation>Packen abgebrochen</translation>
    </message>
    <message>
        <source>%1

The file is no longer in the folder.</source>
        <translation>%1

Die Datei ist nicht mehr im Ordner.</translation>
    </message>
    <message>
        <source>Packing</source>
        <translation>Packe</translation>
    </message>
    <message>
        <source>%1 packed into %2</source>
        <translation>%1 in %2 gepackt</translation>
    </message>
    <message>
        <source>%1 packed into %2 (%3)</source>
        <translation>%1 in %2 gepackt (%3)</translation>
    </message>
    <message>
        <source>Packing stopped: %1 was left as it was</source>
        <translation>Packen abgebrochen: %1 blieb unverändert</translation>
    </message>
    <message>
        <source>%1 more file not packed</source>
        <translation>%1 weitere Datei nicht gepackt</translation>
    </message>
    <message>
        <source>%1 more files not packed</source>
        <translation>%1 weitere Dateien nicht gepackt</translation>
    </message>
    <message>
        <source>%1 byte</source>
        <translation>%1 Byte</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>%1 Byte</translation>
    </message>
    <message>
        <source>%1 KB</source>
        <translation>%1 KB</translation>
    </message>
    <message>
        <source>%1 MB</source>
        <translation>%1 MB</translation>
    </message>
    <message>
        <source>%1 GB</source>
        <translation>%1 GB</translation>
    </message>
    <message>
        <source>%1 TB</source>
        <translation>%1 TB</translation>
    </message>
    <message>
        <source>.</source>
        <translation>,</translation>
    </message>
    <message>
        <source>%1 entry, %2</source>
        <translation>%1 Eintrag, %2</translation>
    </message>
    <message>
        <source>%1 entries, %2</source>
        <translation>%1 Einträge, %2</translation>
    </message>
    <message>
        <source>%1 of %2 entry, %3</source>
        <translation>%1 von %2 Eintrag, %3</translation>
    </message>
    <message>
        <source>%1 of %2 entries, %3</source>
        <translation>%1 von %2 Einträgen, %3</translation>
    </message>
    <message>
        <source>%1 file, %2</source>
        <translation>%1 Datei, %2</translation>
    </message>
    <message>
        <source>%1 files, %2</source>
        <translation>%1 Dateien, %2</translation>
    </message>
    <message>
        <source>%1 of %2 file, %3</source>
        <translation>%1 von %2 Datei, %3</translation>
    </message>
    <message>
        <source>%1 of %2 files, %3</source>
        <translation>%1 von %2 Dateien, %3</translation>
    </message>
    <message>
        <source>Error %1</source>
        <translation>Fehler %1</translation>
    </message>
    <message>
        <source>Could not get the path of the selected folder</source>
        <translation>Der Pfad des gewählten Ordners ist nicht verfügbar</translation>
    </message>
    <message>
        <source>Invalid window handle</source>
        <translation>Ungültiges Fensterhandle</translation>
    </message>
    <message>
        <source>CBrowseForFolder component failure</source>
        <translation>Fehler der Komponente CBrowseForFolder</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Dateien</translation>
    </message>
    <message>
        <source>PAK file:</source>
        <translation>Archiv:</translation>
    </message>
    <message>
        <source>Directory:</source>
        <translation>Ordner:</translation>
    </message>
    <message>
        <source>Click or press Enter to open the folder</source>
        <translation>Klicken oder die Eingabetaste drücken, um den Ordner zu öffnen</translation>
    </message>
    <message>
        <source>Select File</source>
        <translation>Datei wählen</translation>
    </message>
    <message>
        <source>Select Dir</source>
        <translation>Ordner wählen</translation>
    </message>
    <message>
        <source>Extract Files</source>
        <translation>Entpacken</translation>
    </message>
    <message>
        <source>Pack Files</source>
        <translation>Packen</translation>
    </message>
    <message>
        <source>Show only names containing…</source>
        <translation>Nur Namen mit diesem Text zeigen…</translation>
    </message>
    <message>
        <source>Not opened: %1

It has no extension, so it is not one of the sounds, pictures, text or game files opened from here: a file of another kind could run as a program. Nothing was written.</source>
        <translation>Nicht geöffnet: %1

Die Datei hat keine Endung und ist damit keine der Klänge, Bilder, Texte oder Spieldateien, die sich von hier öffnen lassen: Eine Datei anderer Art könnte als Programm laufen. Es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>Not opened: %1

Its extension, &quot;.%2&quot;, is not one of the sounds, pictures, text or game files opened from here: a file of another kind could run as a program. Nothing was written.</source>
        <translation>Nicht geöffnet: %1

Seine Endung &quot;.%2&quot; gehört zu keiner der Klänge, Bilder, Texte oder Spieldateien, die sich von hier öffnen lassen: Eine Datei anderer Art könnte als Programm laufen. Es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>No such folder</source>
        <translation>Ordner nicht gefunden</translation>
    </message>
    <message>
        <source>Not a file</source>
        <translation>Keine Datei</translation>
    </message>
    <message>
        <source>Sort by Name</source>
        <translation>Nach Name sortieren</translation>
    </message>
    <message>
        <source>Sort by Size</source>
        <translation>Nach Größe sortieren</translation>
    </message>
    <message>
        <source>Archive Order</source>
        <translation>Reihenfolge im Archiv</translation>
    </message>
    <message>
        <source>Could not open the folder</source>
        <translation>Der Ordner konnte nicht geöffnet werden</translation>
    </message>
    <message>
        <source>%1…</source>
        <translation>%1…</translation>
    </message>
    <message>
        <source>Stopping…</source>
        <translation>Wird abgebrochen…</translation>
    </message>
    <message>
        <source>Reading</source>
        <translation>Lese</translation>
    </message>
    <message>
        <source>%1 file</source>
        <translation>%1 Datei</translation>
    </message>
    <message>
        <source>%1 files</source>
        <translation>%1 Dateien</translation>
    </message>
    <message>
        <source>Could not open %1

The system has no program set to open files of this kind.</source>
        <translation>%1 konnte nicht geöffnet werden

Im System ist kein Programm zum Öffnen von Dateien dieser Art eingerichtet.</translation>
    </message>
    <message>
        <source>%1 %2 of %3</source>
        <translation>%1 %2 von %3</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 von %2</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>PAK archives (*.pak)|*.pak</source>
        <translation>PAK-Archive (*.pak)|*.pak</translation>
    </message>
    <message>
        <source>%1
Path does not exist.
Check the path and try again.</source>
        <translation>%1
Der Pfad existiert nicht.
Prüfen Sie den Pfad und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Usage: unbaler [ARCHIVE [FOLDER]]
Starts with the PAK file ARCHIVE read and FOLDER chosen to extract it into.
</source>
        <translation>Aufruf: unbaler [ARCHIV [ORDNER]]
Startet mit der eingelesenen PAK-Datei ARCHIV und ORDNER als Ziel zum Entpacken.
</translation>
    </message>
    <message>
        <source>       unbaler ARCHIVE.pak ARCHIVE.pak... [FOLDER]
Offers to extract each ARCHIVE into a folder of its name in FOLDER.
</source>
        <translation>       unbaler ARCHIV.pak ARCHIV.pak... [ORDNER]
Bietet an, jedes ARCHIV in einen gleichnamigen Ordner in ORDNER zu entpacken.
</translation>
    </message>
    <message>
        <source>Usage: rebaler [FOLDER [ARCHIVE]]
Starts with FOLDER chosen to pack and ARCHIVE as the PAK file to write.
</source>
        <translation>Aufruf: rebaler [ORDNER [ARCHIV]]
Startet mit ORDNER zum Packen und ARCHIV als zu schreibender PAK-Datei.
</translation>
    </message>
    <message>
        <source>Unknown option: %1</source>
        <translation>Unbekannte Option: %1</translation>
    </message>
    <message>
        <source>An empty path was given.</source>
        <translation>Ein leerer Pfad wurde angegeben.</translation>
    </message>
    <message>
        <source>Too many paths were given.</source>
        <translation>Zu viele Pfade wurden angegeben.</translation>
    </message>
</context>
</TS>
