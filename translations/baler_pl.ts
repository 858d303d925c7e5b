<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl" sourcelanguage="en">
<context>
    <name>baler</name>
    <message>
        <source>Browse for Folder where the PAK file will be extracted</source>
        <translation>Wybierz folder, do którego zostanie rozpakowany plik PAK</translation>
    </message>
    <message>
        <source>There is no archive to extract: the chosen file could not be read as a PAK file.</source>
        <translation>Brak archiwum do rozpakowania: wybranego pliku nie udało się odczytać jako pliku PAK.</translation>
    </message>
    <message>
        <source>The file is shorter than a PAK file&apos;s header or does not begin with its signature.</source>
        <translation>Plik jest krótszy niż nagłówek pliku PAK lub nie zaczyna się od jego sygnatury.</translation>
    </message>
    <message>
        <source>The PAK file changed after it was listed, so nothing was extracted.
It has been read again: check the list and extract again.</source>
        <translation>Plik PAK zmienił się po wczytaniu listy, więc nic nie zostało rozpakowane.
Wczytano go ponownie: sprawdź listę i rozpakuj jeszcze raz.</translation>
    </message>
    <message>
        <source>1 file in %2 was changed after it was extracted: %3. Replace it with the archive&apos;s version?</source>
        <translation>1 plik w %2 został zmieniony po wypakowaniu: %3. Zastąpić go wersją z archiwum?</translation>
    </message>
    <message>
        <source>%1 files in %2 were changed after they were extracted: %3. Replace them with the archive&apos;s version?</source>
        <translation>Pliki zmienione po wypakowaniu w %2 (liczba: %1): %3. Zastąpić je wersją z archiwum?</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>i inne (%1)</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Zastąp</translation>
    </message>
    <message>
        <source>Keep my files</source>
        <translation>Zachowaj moje pliki</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anuluj</translation>
    </message>
    <message>
        <source>Extract Selected Files…</source>
        <translation>Rozpakuj zaznaczone pliki…</translation>
    </message>
    <message>
        <source>Extract All Files</source>
        <translation>Rozpakuj wszystkie pliki</translation>
    </message>
    <message>
        <source>Replace Entry…</source>
        <translation>Zastąp wpis…</translation>
    </message>
    <message>
        <source>All files (*.*)|*.*</source>
        <translation>Wszystkie pliki (*.*)|*.*</translation>
    </message>
    <message>
        <source>Replace the entry %1 in %2 with %3? The archive is rewritten; every other entry stays as it is.</source>
        <translation>Zastąpić wpis %1 w %2 plikiem %3? Archiwum zostanie zapisane od nowa; pozostałe wpisy nie zmienią się.</translation>
    </message>
    <message>
        <source>Replacing</source>
        <translation>Zastępowanie</translation>
    </message>
    <message>
        <source>%1 replaced in %2</source>
        <translation>Zastąpiono %1 w %2</translation>
    </message>
    <message>
        <source>The PAK file changed after it was listed, so no entry was replaced and nothing was written.
It has been read again: check the list and replace the entry again.</source>
        <translation>Plik PAK zmienił się po wyświetleniu listy, więc żaden wpis nie został zastąpiony i nic nie zapisano.
Plik wczytano ponownie: sprawdź listę i zastąp wpis jeszcze raz.</translation>
    </message>
    <message>
        <source>Invalid file</source>
        <translation>Nieprawidłowy plik</translation>
    </message>
    <message>
        <source>Extracting</source>
        <translation>Rozpakowywanie</translation>
    </message>
    <message>
        <source>Opening</source>
        <translation>Otwieranie</translation>
    </message>
    <message>
        <source>%1 extracted into %2</source>
        <translation>Rozpakowano do %2: %1</translation>
    </message>
    <message>
        <source>Extraction stopped: %1 extracted into %2</source>
        <translation>Rozpakowywanie przerwane: rozpakowano do %2: %1</translation>
    </message>
    <message>
        <source>Extract each of the %1 archives into a folder of its name in %2?</source>
        <translation>Wypakować każde z archiwów (%1) do folderu o jego nazwie w %2?</translation>
    </message>
    <message>
        <source>Extract Each</source>
        <translation>Wypakuj każde</translation>
    </message>
    <message>
        <source>%1 and %2 would both be extracted into %3, so nothing was extracted.</source>
        <translation>%1 i %2 zostałyby wypakowane do tego samego folderu %3, więc nic nie wypakowano.</translation>
    </message>
    <message>
        <source>%1 archives extracted into %2</source>
        <translation>Wypakowano archiwa (%1) do %2</translation>
    </message>
    <message>
        <source>%1 of %3 archives extracted into %2; not extracted: %4</source>
        <translation>Wypakowano %1 z %3 archiwów do %2; niewypakowane: %4</translation>
    </message>
    <message>
        <source>These archives were not extracted in full:</source>
        <translation>Tych archiwów nie wypakowano w całości:</translation>
    </message>
    <message>
        <source>Files List Diff</source>
        <translation>Różnice w liście plików</translation>
    </message>
    <message>
        <source>There is a difference between the names of the files that were extracted to the files that you wat to repack. </source>
        <translation>Nazwy rozpakowanych plików różnią się od nazw plików, które chcesz ponownie spakować. </translation>
    </message>
    <message>
        <source>The list of files that were added:</source>
        <translation>Dodane pliki:</translation>
    </message>
    <message>
        <source>The list of files that were deleted:</source>
        <translation>Usunięte pliki:</translation>
    </message>
    <message>
        <source>Continue with Packing</source>
        <translation>Kontynuuj pakowanie</translation>
    </message>
    <message>
        <source>Cancel the Packing</source>
        <translation>Anuluj pakowanie</translation>
    </message>
    <message>
        <source>Browse for Folder where the ogg files are</source>
        <translation>Wybierz folder z plikami OGG</translation>
    </message>
    <message>
        <source>The repack was canceled by your request</source>
        <translation>Pakowanie zostało anulowane na Twoje żądanie</translation>
    </message>
    <message>
        <source>Repack Canceled</source>
        <translation>Pakowanie anulowane</translation>
    </message>
    <message>
        <source>%1

The file is no longer in the folder.</source>
        <translation>%1

Tego pliku nie ma już w folderze.</translation>
    </message>
    <message>
        <source>Packing</source>
        <translation>Pakowanie</translation>
    </message>
    <message>
        <source>%1 packed into %2</source>
        <translation>Spakowano do %2: %1</translation>
    </message>
    <message>
        <source>%1 packed into %2 (%3)</source>
        <translation>Spakowano do %2 (%3): %1</translation>
    </message>
    <message>
        <source>Packing stopped: %1 was left as it was</source>
        <translation>Pakowanie przerwane: %1 pozostał bez zmian</translation>
    </message>
    <message>
        <source>%1 more file not packed</source>
        <translation>Niespakowane pozostałe pliki: %1</translation>
    </message>
    <message>
        <source>%1 more files not packed</source>
        <translation>Niespakowane pozostałe pliki: %1</translation>
    </message>
    <message>
        <source>%1 byte</source>
        <translation>%1 bajt</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>bajtów: %1</translation>
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
        <translation>%1 wpis, %2</translation>
    </message>
    <message>
        <source>%1 entries, %2</source>
        <translation>wpisów: %1, %2</translation>
    </message>
    <message>
        <source>%1 of %2 entry, %3</source>
        <translation>%1 z %2 wpisu, %3</translation>
    </message>
    <message>
        <source>%1 of %2 entries, %3</source>
        <translation>wpisów: %1 z %2, %3</translation>
    </message>
    <message>
        <source>%1 file, %2</source>
        <translation>%1 plik, %2</translation>
    </message>
    <message>
        <source>%1 files, %2</source>
        <translation>plików: %1, %2</translation>
    </message>
    <message>
        <source>%1 of %2 file, %3</source>
        <translation>%1 z %2 pliku, %3</translation>
    </message>
    <message>
        <source>%1 of %2 files, %3</source>
        <translation>plików: %1 z %2, %3</translation>
    </message>
    <message>
        <source>Error %1</source>
        <translation>Błąd %1</translation>
    </message>
    <message>
        <source>Could not get the path of the selected folder</source>
        <translation>Nie udało się ustalić ścieżki wybranego folderu</translation>
    </message>
    <message>
        <source>Invalid window handle</source>
        <translation>Nieprawidłowy uchwyt okna</translation>
    </message>
    <message>
        <source>CBrowseForFolder component failure</source>
        <translation>Błąd komponentu CBrowseForFolder</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Zamknij</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Pliki</translation>
    </message>
    <message>
        <source>PAK file:</source>
        <translation>Plik:</translation>
    </message>
    <message>
        <source>Directory:</source>
        <translation>Folder:</translation>
    </message>
    <message>
        <source>Click or press Enter to open the folder</source>
        <translation>Kliknij lub naciśnij Enter, aby otworzyć folder</translation>
    </message>
    <message>
        <source>Select File</source>
        <translation>Wybierz plik</translation>
    </message>
    <message>
        <source>Select Dir</source>
        <translation>Wybierz folder</translation>
    </message>
    <message>
        <source>Extract Files</source>
        <translation>Rozpakuj</translation>
    </message>
    <message>
        <source>Pack Files</source>
        <translation>Spakuj</translation>
    </message>
    <message>
        <source>Show only names containing…</source>
        <translation>Pokaż tylko nazwy zawierające…</translation>
    </message>
    <message>
        <source>Not opened: %1

It has no extension, so it is not one of the sounds, pictures, text or game files opened from here: a file of another kind could run as a program. Nothing was written.</source>
        <translation>Nie otwarto: %1

Plik nie ma rozszerzenia, więc nie jest żadnym z dźwięków, obrazów, tekstów ani plików gry otwieranych stąd: plik innego rodzaju mógłby uruchomić się jako program. Nic nie zostało zapisane.</translation>
    </message>
    <message>
        <source>Not opened: %1

Its extension, &quot;.%2&quot;, is not one of the sounds, pictures, text or game files opened from here: a file of another kind could run as a program. Nothing was written.</source>
        <translation>Nie otwarto: %1

Rozszerzenie „.%2” nie należy do dźwięków, obrazów, tekstów ani plików gry otwieranych stąd: plik innego rodzaju mógłby uruchomić się jako program. Nic nie zostało zapisane.</translation>
    </message>
    <message>
        <source>No such folder</source>
        <translation>Nie ma takiego folderu</translation>
    </message>
    <message>
        <source>Not a file</source>
        <translation>To nie jest plik</translation>
    </message>
    <message>
        <source>Sort by Name</source>
        <translation>Sortuj według nazwy</translation>
    </message>
    <message>
        <source>Sort by Size</source>
        <translation>Sortuj według rozmiaru</translation>
    </message>
    <message>
        <source>Archive Order</source>
        <translation>Kolejność w archiwum</translation>
    </message>
    <message>
        <source>Could not open the folder</source>
        <translation>Nie można otworzyć folderu</translation>
    </message>
    <message>
        <source>%1…</source>
        <translation>%1…</translation>
    </message>
    <message>
        <source>Stopping…</source>
        <translation>Zatrzymywanie…</translation>
    </message>
    <message>
        <source>Reading</source>
        <translation>Odczytywanie</translation>
    </message>
    <message>
        <source>%1 file</source>
        <translation>%1 plik</translation>
    </message>
    <message>
        <source>%1 files</source>
        <translation>plików: %1</translation>
    </message>
    <message>
        <source>Could not open %1

The system has no program set to open files of this kind.</source>
        <translation>Nie udało się otworzyć %1

W systemie nie ustawiono programu do otwierania plików tego rodzaju.</translation>
    </message>
    <message>
        <source>%1 %2 of %3</source>
        <translation>%1 %2 z %3</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 z %2</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>PAK archives (*.pak)|*.pak</source>
        <translation>Archiwa PAK (*.pak)|*.pak</translation>
    </message>
    <message>
        <source>%1
Path does not exist.
Check the path and try again.</source>
        <translation>%1
Ścieżka nie istnieje.
Sprawdź ścieżkę i spróbuj ponownie.</translation>
    </message>
    <message>
        <source>Usage: unbaler [ARCHIVE [FOLDER]]
Starts with the PAK file ARCHIVE read and FOLDER chosen to extract it into.
</source>
        <translation>Użycie: unbaler [ARCHIWUM [FOLDER]]
Uruchamia się z wczytanym plikiem PAK ARCHIWUM i FOLDEREM wybranym do rozpakowania.
</translation>
    </message>
    <message>
        <source>       unbaler ARCHIVE.pak ARCHIVE.pak... [FOLDER]
Offers to extract each ARCHIVE into a folder of its name in FOLDER.
</source>
        <translation>       unbaler ARCHIWUM.pak ARCHIWUM.pak... [FOLDER]
Proponuje wypakowanie każdego ARCHIWUM do folderu o jego nazwie w FOLDER.
</translation>
    </message>
    <message>
        <source>Usage: rebaler [FOLDER [ARCHIVE]]
Starts with FOLDER chosen to pack and ARCHIVE as the PAK file to write.
</source>
        <translation>Użycie: rebaler [FOLDER [ARCHIWUM]]
Uruchamia się z FOLDEREM wybranym do spakowania i ARCHIWUM jako plikiem PAK do zapisania.
</translation>
    </message>
    <message>
        <source>Unknown option: %1</source>
        <translation>Nieznana opcja: %1</translation>
    </message>
    <message>
        <source>An empty path was given.</source>
        <translation>Podano pustą ścieżkę.</translation>
    </message>
    <message>
        <source>Too many paths were given.</source>
        <translation>Podano zbyt wiele ścieżek.</translation>
    </message>
</context>
</TS>
