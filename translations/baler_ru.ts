<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru" sourcelanguage="en">
<context>
    <name>baler</name>
    <message>
        <source>Browse for Folder where the PAK file will be extracted</source>
        <translation>Выберите папку, в которую будет распакован файл PAK</translation>
    </message>
    <message>
        <source>There is no archive to extract: the chosen file could not be read as a PAK file.</source>
        <translation>Нечего распаковывать: выбранный файл не удалось прочитать как файл PAK.</translation>
    </message>
    <message>
        <source>The file is shorter than a PAK file&apos;s header or does not begin with its signature.</source>
        <translation>Файл короче заголовка файла PAK или не начинается с его сигнатуры.</translation>
    </message>
    <message>
        <source>The PAK file changed after it was listed, so nothing was extracted.
It has been read again: check the list and extract again.</source>
        <translation>Файл PAK изменился после чтения списка, поэтому ничего не распаковано.
Он прочитан заново: проверьте список и распакуйте ещё раз.</translation>
    </message>
    <message>
        <source>1 file in %2 was changed after it was extracted: %3. Replace it with the archive&apos;s version?</source>
        <translation>1 файл в %2 был изменён после распаковки: %3. Заменить его версией из архива?</translation>
    </message>
    <message>
        <source>%1 files in %2 were changed after they were extracted: %3. Replace them with the archive&apos;s version?</source>
        <translation>Файлы в %2, изменённые после распаковки (всего: %1): %3. Заменить их версией из архива?</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>и ещё %1</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Заменить</translation>
    </message>
    <message>
        <source>Keep my files</source>
        <translation>Оставить мои файлы</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Extract Selected Files…</source>
        <translation>Распаковать выбранные файлы…</translation>
    </message>
    <message>
        <source>Extract All Files</source>
        <translation>Распаковать все файлы</translation>
    </message>
    <message>
        <source>Replace Entry…</source>
        <translation>Заменить запись…</translation>
    </message>
    <message>
        <source>All files (*.*)|*.*</source>
        <translation>Все файлы (*.*)|*.*</translation>
    </message>
    <message>
        <source>Replace the entry %1 in %2 with %3? The archive is rewritten; every other entry stays as it is.</source>
        <translation>Заменить запись %1 в %2 файлом %3? Архив будет перезаписан; все остальные записи останутся как есть.</translation>
    </message>
    <message>
        <source>Replacing</source>
        <translation>Замена</translation>
    </message>
    <message>
        <source>%1 replaced in %2</source>
        <translation>%1 заменена в %2</translation>
    </message>
    <message>
        <source>The PAK file changed after it was listed, so no entry was replaced and nothing was written.
It has been read again: check the list and replace the entry again.</source>
        <translation>PAK-файл изменился после того, как был показан список, поэтому ни одна запись не заменена и ничего не записано.
Он прочитан заново: проверьте список и замените запись ещё раз.</translation>
    </message>
    <message>
        <source>Invalid file</source>
        <translation>Недопустимый файл</translation>
    </message>
    <message>
        <source>Extracting</source>
        <translation>Распаковка</translation>
    </message>
    <message>
        <source>Opening</source>
        <translation>Открытие</translation>
    </message>
    <message>
        <source>%1 extracted into %2</source>
        <translation>Распаковано в %2: %1</translation>
    </message>
    <message>
        <source>Extraction stopped: %1 extracted into %2</source>
        <translation>Распаковка остановлена: распаковано в %2: %1</translation>
    </message>
    <message>
        <source>Extract each of the %1 archives into a folder of its name in %2?</source>
        <translation>Извлечь каждый из архивов (%1) в папку с его именем в %2?</translation>
    </message>
    <message>
        <source>Extract Each</source>
        <translation>Извлечь каждый</translation>
    </message>
    <message>
        <source>%1 and %2 would both be extracted into %3, so nothing was extracted.</source>
        <translation>%1 и %2 были бы извлечены в одну папку %3, поэтому ничего не извлечено.</translation>
    </message>
    <message>
        <source>%1 archives extracted into %2</source>
        <translation>Архивов извлечено в %2: %1</translation>
    </message>
    <message>
        <source>%1 of %3 archives extracted into %2; not extracted: %4</source>
        <translation>Извлечено %1 из %3 архивов в %2; не извлечены: %4</translation>
    </message>
    <message>
        <source>These archives were not extracted in full:</source>
        <translation>Эти архивы извлечены не полностью:</translation>
    </message>
    <message>
        <source>Files List Diff</source>
        <translation>Различия в списке файлов</translation>
    </message>
    <message>
        <source>There is a difference between the names of the files that were extracted to the files that you wat to repack. </source>
        <translation>Имена распакованных файлов отличаются от имён файлов, которые вы хотите упаковать снова. </translation>
    </message>
    <message>
        <source>The list of files that were added:</source>
        <translation>Добавленные файлы:</translation>
    </message>
    <message>
        <source>The list of files that were deleted:</source>
        <translation>Удалённые файлы:</translation>
    </message>
    <message>
        <source>Continue with Packing</source>
        <translation>Продолжить упаковку</translation>
    </message>
    <message>
        <source>Cancel the Packing</source>
        <translation>Отменить упаковку</translation>
    </message>
    <message>
        <source>Browse for Folder where the ogg files are</source>
        <translation>Выберите папку с файлами OGG</translation>
    </message>
    <message>
        <source>The repack was canceled by your request</source>
        <translation>Упаковка отменена по вашему запросу</translation>
    </message>
    <message>
        <source>Repack Canceled</source>
        <translation>Упаковка отменена</translation>
    </message>
    <message>
        <source>%1

The file is no longer in the folder.</source>
        <translation>%1

Этого файла больше нет в папке.</translation>
    </message>
    <message>
        <source>Packing</source>
        <translation>Упаковка</translation>
    </message>
    <message>
        <source>%1 packed into %2</source>
        <translation>Упаковано в %2: %1</translation>
    </message>
    <message>
        <source>%1 packed into %2 (%3)</source>
        <translation>Упаковано в %2 (%3): %1</translation>
    </message>
    <message>
        <source>Packing stopped: %1 was left as it was</source>
        <translation>Упаковка остановлена: %1 не изменён</translation>
    </message>
    <message>
        <source>%1 more file not packed</source>
        <translation>Не упаковано других файлов: %1</translation>
    </message>
    <message>
        <source>%1 more files not packed</source>
        <translation>Не упаковано других файлов: %1</translation>
    </message>
    <message>
        <source>%1 byte</source>
        <translation>%1 байт</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>байт: %1</translation>
    </message>
    <message>
        <source>%1 KB</source>
        <translation>%1 КБ</translation>
    </message>
    <message>
        <source>%1 MB</source>
        <translation>%1 МБ</translation>
    </message>
    <message>
        <source>%1 GB</source>
        <translation>%1 ГБ</translation>
    </message>
    <message>
        <source>%1 TB</source>
        <translation>%1 ТБ</translation>
    </message>
    <message>
        <source>.</source>
        <translation>,</translation>
    </message>
    <message>
        <source>%1 entry, %2</source>
        <translation>%1 запись, %2</translation>
    </message>
    <message>
        <source>%1 entries, %2</source>
        <translation>записей: %1, %2</translation>
    </message>
    <message>
        <source>%1 of %2 entry, %3</source>
        <translation>%1 из %2 записи, %3</translation>
    </message>
    <message>
        <source>%1 of %2 entries, %3</source>
        <translation>записей: %1 из %2, %3</translation>
    </message>
    <message>
        <source>%1 file, %2</source>
        <translation>%1 файл, %2</translation>
    </message>
    <message>
        <source>%1 files, %2</source>
        <translation>файлов: %1, %2</translation>
    </message>
    <message>
        <source>%1 of %2 file, %3</source>
        <translation>%1 из %2 файла, %3</translation>
    </message>
    <message>
        <source>%1 of %2 files, %3</source>
        <translation>файлов: %1 из %2, %3</translation>
    </message>
    <message>
        <source>Error %1</source>
        <translation>Ошибка %1</translation>
    </message>
    <message>
        <source>Could not get the path of the selected folder</source>
        <translation>Не удалось получить путь выбранной папки</translation>
    </message>
    <message>
        <source>Invalid window handle</source>
        <translation>Недопустимый дескриптор окна</translation>
    </message>
    <message>
        <source>CBrowseForFolder component failure</source>
        <translation>Сбой компонента CBrowseForFolder</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Файлы</translation>
    </message>
    <message>
        <source>PAK file:</source>
        <translation>Архив:</translation>
    </message>
    <message>
        <source>Directory:</source>
        <translation>Папка:</translation>
    </message>
    <message>
        <source>Click or press Enter to open the folder</source>
        <translation>Щёлкните или нажмите Enter, чтобы открыть папку</translation>
    </message>
    <message>
        <source>Select File</source>
        <translation>Выбрать</translation>
    </message>
    <message>
        <source>Select Dir</source>
        <translation>Папка</translation>
    </message>
    <message>
        <source>Extract Files</source>
        <translation>Распаковать</translation>
    </message>
    <message>
        <source>Pack Files</source>
        <translation>Упаковать</translation>
    </message>
    <message>
        <source>Show only names containing…</source>
        <translation>Показать только имена, содержащие…</translation>
    </message>
    <message>
        <source>Not opened: %1

It has no extension, so it is not one of the sounds, pictures, text or game files opened from here: a file of another kind could run as a program. Nothing was written.</source>
        <translation>Не открыт: %1

У файла нет расширения, значит, это не звук, не изображение, не текст и не файл игры из тех, что открываются отсюда: файл другого вида мог бы запуститься как программа. Ничего не записано.</translation>
    </message>
    <message>
        <source>Not opened: %1

Its extension, &quot;.%2&quot;, is not one of the sounds, pictures, text or game files opened from here: a file of another kind could run as a program. Nothing was written.</source>
        <translation>Не открыт: %1

Расширение «.%2» не относится к звукам, изображениям, текстам и файлам игры, которые открываются отсюда: файл другого вида мог бы запуститься как программа. Ничего не записано.</translation>
    </message>
    <message>
        <source>No such folder</source>
        <translation>Папка не найдена</translation>
    </message>
    <message>
        <source>Not a file</source>
        <translation>Это не файл</translation>
    </message>
    <message>
        <source>Sort by Name</source>
        <translation>Сортировать по имени</translation>
    </message>
    <message>
        <source>Sort by Size</source>
        <translation>Сортировать по размеру</translation>
    </message>
    <message>
        <source>Archive Order</source>
        <translation>Порядок в архиве</translation>
    </message>
    <message>
        <source>Could not open the folder</source>
        <translation>Не удалось открыть папку</translation>
    </message>
    <message>
        <source>%1…</source>
        <translation>%1…</translation>
    </message>
    <message>
        <source>Stopping…</source>
        <translation>Остановка…</translation>
    </message>
    <message>
        <source>Reading</source>
        <translation>Чтение</translation>
    </message>
    <message>
        <source>%1 file</source>
        <translation>%1 файл</translation>
    </message>
    <message>
        <source>%1 files</source>
        <translation>файлов: %1</translation>
    </message>
    <message>
        <source>Could not open %1

The system has no program set to open files of this kind.</source>
        <translation>Не удалось открыть %1

В системе не задана программа для открытия файлов этого типа.</translation>
    </message>
    <message>
        <source>%1 %2 of %3</source>
        <translation>%1 %2 из %3</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 из %2</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>PAK archives (*.pak)|*.pak</source>
        <translation>Архивы PAK (*.pak)|*.pak</translation>
    </message>
    <message>
        <source>%1
Path does not exist.
Check the path and try again.</source>
        <translation>%1
Путь не существует.
Проверьте путь и повторите попытку.</translation>
    </message>
    <message>
        <source>Usage: unbaler [ARCHIVE [FOLDER]]
Starts with the PAK file ARCHIVE read and FOLDER chosen to extract it into.
</source>
        <translation>Использование: unbaler [АРХИВ [ПАПКА]]
Запускается с прочитанным файлом PAK АРХИВ и ПАПКОЙ, выбранной для распаковки.
</translation>
    </message>
    <message>
        <source>       unbaler ARCHIVE.pak ARCHIVE.pak... [FOLDER]
Offers to extract each ARCHIVE into a folder of its name in FOLDER.
</source>
        <translation>       unbaler АРХИВ.pak АРХИВ.pak... [ПАПКА]
Предлагает извлечь каждый АРХИВ в папку с его именем в ПАПКА.
</translation>
    </message>
    <message>
        <source>Usage: rebaler [FOLDER [ARCHIVE]]
Starts with FOLDER chosen to pack and ARCHIVE as the PAK file to write.
</source>
        <translation>Использование: rebaler [ПАПКА [АРХИВ]]
Запускается с ПАПКОЙ, выбранной для упаковки, и АРХИВОМ — файлом PAK для записи.
</translation>
    </message>
    <message>
        <source>Unknown option: %1</source>
        <translation>Неизвестный параметр: %1</translation>
    </message>
    <message>
        <source>An empty path was given.</source>
        <translation>Указан пустой путь.</translation>
    </message>
    <message>
        <source>Too many paths were given.</source>
        <translation>Указано слишком много путей.</translation>
    </message>
</context>
</TS>
