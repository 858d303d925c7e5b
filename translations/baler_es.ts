<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es" sourcelanguage="en">
<context>
    <name>baler</name>
    <message>
        <source>Browse for Folder where the PAK file will be extracted</source>
        <translation>Elija la carpeta donde se extraerá el archivo PAK</translation>
    </message>
    <message>
        <source>There is no archive to extract: the chosen file could not be read as a PAK file.</source>
        <translation>No hay ningún archivo que extraer: el archivo elegido no se pudo leer como archivo PAK.</translation>
    </message>
    <message>
        <source>The file is shorter than a PAK file&apos;s header or does not begin with its signature.</source>
        <translation>El archivo es más corto que la cabecera de un archivo PAK o no empieza con su firma.</translation>
    </message>
    <message>
        <source>The PAK file changed after it was listed, so nothing was extracted.
It has been read again: check the list and extract again.</source>
        <translation>El archivo PAK cambió después de listarse, así que no se extrajo nada.
Se ha vuelto a leer: revise la lista y vuelva a extraer.</translation>
    </message>
    <message>
        <source>1 file in %2 was changed after it was extracted: %3. Replace it with the archive&apos;s version?</source>
        <translation>1 archivo de %2 se modificó después de extraerlo: %3. ¿Reemplazarlo por la versión del archivo comprimido?</translation>
    </message>
    <message>
        <source>%1 files in %2 were changed after they were extracted: %3. Replace them with the archive&apos;s version?</source>
        <translation>%1 archivos de %2 se modificaron después de extraerlos: %3. ¿Reemplazarlos por la versión del archivo comprimido?</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>y %1 más</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Reemplazar</translation>
    </message>
    <message>
        <source>Keep my files</source>
        <translation>Conservar mis archivos</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Extract Selected Files…</source>
        <translation>Extraer los archivos seleccionados…</translation>
    </message>
    <message>
        <source>Extract All Files</source>
        <translation>Extraer todos los archivos</translation>
    </message>
    <message>
        <source>Replace Entry…</source>
        <translation>Reemplazar entrada…</translation>
    </message>
    <message>
        <source>All files (*.*)|*.*</source>
        <translation>Todos los archivos (*.*)|*.*</translation>
    </message>
    <message>
        <source>Replace the entry %1 in %2 with %3? The archive is rewritten; every other entry stays as it is.</source>
        <translation>¿Reemplazar la entrada %1 de %2 por %3? El archivo PAK se reescribe; las demás entradas quedan como están.</translation>
    </message>
    <message>
        <source>Replacing</source>
        <translation>Reemplazando</translation>
    </message>
    <message>
        <source>%1 replaced in %2</source>
        <translation>%1 reemplazada en %2</translation>
    </message>
    <message>
        <source>The PAK file changed after it was listed, so no entry was replaced and nothing was written.
It has been read again: check the list and replace the entry again.</source>
        <translation>El archivo PAK cambió después de listarse, así que no se reemplazó ninguna entrada y no se escribió nada.
Se ha vuelto a leer: revise la lista y reemplace la entrada de nuevo.</translation>
    </message>
    <message>
        <source>Invalid file</source>
        <translation>Archivo no válido</translation>
    </message>
    <message>
        <source>Extracting</source>
        <translation>Extrayendo</translation>
    </message>
    <message>
        <source>Opening</source>
        <translation>Abriendo</translation>
    </message>
    <message>
        <source>%1 extracted into %2</source>
        <translation>%1 extraído(s) en %2</translation>
    </message>
    <message>
        <source>Extraction stopped: %1 extracted into %2</source>
        <translation>Extracción detenida: %1 extraído(s) en %2</translation>
    </message>
    <message>
        <source>Extract each of the %1 archives into a folder of its name in %2?</source>
        <translation>¿Extraer cada uno de los %1 archivos PAK en una carpeta con su nombre en %2?</translation>
    </message>
    <message>
        <source>Extract Each</source>
        <translation>Extraer cada uno</translation>
    </message>
    <message>
        <source>%1 and %2 would both be extracted into %3, so nothing was extracted.</source>
        <translation>%1 y %2 se extraerían ambos en %3, así que no se extrajo nada.</translation>
    </message>
    <message>
        <source>%1 archives extracted into %2</source>
        <translation>%1 archivos PAK extraídos en %2</translation>
    </message>
    <message>
        <source>%1 of %3 archives extracted into %2; not extracted: %4</source>
        <translation>%1 de %3 archivos PAK extraídos en %2; sin extraer: %4</translation>
    </message>
    <message>
        <source>These archives were not extracted in full:</source>
        <translation>Estos archivos PAK no se extrajeron por completo:</translation>
    </message>
    <message>
        <source>Files List Diff</source>
        <translation>Diferencias en la lista de archivos</translation>
    </message>
    <message>
        <source>There is a difference between the names of the files that were extracted to the files that you wat to repack. </source>
        <translation>Los nombres de los archivos extraídos difieren de los de los archivos que quiere volver a empaquetar. </translation>
    </message>
    <message>
        <source>The list of files that were added:</source>
        <translation>Archivos añadidos:</translation>
    </message>
    <message>
        <source>The list of files that were deleted:</source>
        <translation>Archivos eliminados:</translation>
    </message>
    <message>
        <source>Continue with Packing</source>
        <translation>Continuar empaquetando</translation>
    </message>
    <message>
        <source>Cancel the Packing</source>
        <translation>Cancelar el empaquetado</translation>
    </message>
    <message>
        <source>Browse for Folder where the ogg files are</source>
        <translation>Elija la carpeta con los archivos OGG</translation>
    </message>
    <message>
        <source>The repack was canceled by your request</source>
        <translation>El empaquetado se canceló a petición suya</translation>
    </message>
    <message>
        <source>Repack Canceled</source>
        <translation>Empaquetado cancelado</translation>
    </message>
    <message>
        <source>%1

The file is no longer in the folder.</source>
        <translation>%1

El archivo ya no está en la carpeta.</translation>
    </message>
    <message>
        <source>Packing</source>
        <translation>Empaquetando</translation>
    </message>
    <message>
        <source>%1 packed into %2</source>
        <translation>%1 empaquetado(s) en %2</translation>
    </message>
    <message>
        <source>%1 packed into %2 (%3)</source>
        <translation>%1 empaquetado(s) en %2 (%3)</translation>
    </message>
    <message>
        <source>Packing stopped: %1 was left as it was</source>
        <translation>Empaquetado detenido: %1 quedó como estaba</translation>
    </message>
    <message>
        <source>%1 more file not packed</source>
        <translation>%1 archivo más sin empaquetar</translation>
    </message>
    <message>
        <source>%1 more files not packed</source>
        <translation>%1 archivos más sin empaquetar</translation>
    </message>
    <message>
        <source>%1 byte</source>
        <translation>%1 byte</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>%1 bytes</translation>
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
        <translation>%1 entrada, %2</translation>
    </message>
    <message>
        <source>%1 entries, %2</source>
        <translation>%1 entradas, %2</translation>
    </message>
    <message>
        <source>%1 of %2 entry, %3</source>
        <translation>%1 de %2 entrada, %3</translation>
    </message>
    <message>
        <source>%1 of %2 entries, %3</source>
        <translation>%1 de %2 entradas, %3</translation>
    </message>
    <message>
        <source>%1 file, %2</source>
        <translation>%1 archivo, %2</translation>
    </message>
    <message>
        <source>%1 files, %2</source>
        <translation>%1 archivos, %2</translation>
    </message>
    <message>
        <source>%1 of %2 file, %3</source>
        <translation>%1 de %2 archivo, %3</translation>
    </message>
    <message>
        <source>%1 of %2 files, %3</source>
        <translation>%1 de %2 archivos, %3</translation>
    </message>
    <message>
        <source>Error %1</source>
        <translation>Error %1</translation>
    </message>
    <message>
        <source>Could not get the path of the selected folder</source>
        <translation>No se pudo obtener la ruta de la carpeta elegida</translation>
    </message>
    <message>
        <source>Invalid window handle</source>
        <translation>Identificador de ventana no válido</translation>
    </message>
    <message>
        <source>CBrowseForFolder component failure</source>
        <translation>Error del componente CBrowseForFolder</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Archivos</translation>
    </message>
    <message>
        <source>PAK file:</source>
        <translation>Archivo:</translation>
    </message>
    <message>
        <source>Directory:</source>
        <translation>Carpeta:</translation>
    </message>
    <message>
        <source>Click or press Enter to open the folder</source>
        <translation>Haga clic o pulse Intro para abrir la carpeta</translation>
    </message>
    <message>
        <source>Select File</source>
        <translation>Elegir archivo</translation>
    </message>
    <message>
        <source>Select Dir</source>
        <translation>Elegir carpeta</translation>
    </message>
    <message>
        <source>Extract Files</source>
        <translation>Extraer</translation>
    </message>
    <message>
        <source>Pack Files</source>
        <translation>Empaquetar</translation>
    </message>
    <message>
        <source>Show only names containing…</source>
        <translation>Mostrar solo nombres que contengan…</translation>
    </message>
    <message>
        <source>Not opened: %1

It has no extension, so it is not one of the sounds, pictures, text or game files opened from here: a file of another kind could run as a program. Nothing was written.</source>
        <translation>No se abrió: %1

No tiene extensión, así que no es uno de los sonidos, imágenes, textos o archivos del juego que se abren desde aquí: un archivo de otro tipo podría ejecutarse como programa. No se escribió nada.</translation>
    </message>
    <message>
        <source>Not opened: %1

Its extension, &quot;.%2&quot;, is not one of the sounds, pictures, text or game files opened from here: a file of another kind could run as a program. Nothing was written.</source>
        <translation>No se abrió: %1

Su extensión, &quot;.%2&quot;, no es la de ninguno de los sonidos, imágenes, textos o archivos del juego que se abren desde aquí: un archivo de otro tipo podría ejecutarse como programa. No se escribió nada.</translation>
    </message>
    <message>
        <source>No such folder</source>
        <translation>No existe la carpeta</translation>
    </message>
    <message>
        <source>Not a file</source>
        <translation>No es un archivo</translation>
    </message>
    <message>
        <source>Sort by Name</source>
        <translation>Ordenar por nombre</translation>
    </message>
    <message>
        <source>Sort by Size</source>
        <translation>Ordenar por tamaño</translation>
    </message>
    <message>
        <source>Archive Order</source>
        <translation>Orden del archivo PAK</translation>
    </message>
    <message>
        <source>Could not open the folder</source>
        <translation>No se pudo abrir la carpeta</translation>
    </message>
    <message>
        <source>%1…</source>
        <translation>%1…</translation>
    </message>
    <message>
        <source>Stopping…</source>
        <translation>Deteniendo…</translation>
    </message>
    <message>
        <source>Reading</source>
        <translation>Leyendo</translation>
    </message>
    <message>
        <source>%1 file</source>
        <translation>%1 archivo</translation>
    </message>
    <message>
        <source>%1 files</source>
        <translation>%1 archivos</translation>
    </message>
    <message>
        <source>Could not open %1

The system has no program set to open files of this kind.</source>
        <translation>No se pudo abrir %1

El sistema no tiene ningún programa asignado para abrir archivos de este tipo.</translation>
    </message>
    <message>
        <source>%1 %2 of %3</source>
        <translation>%1 %2 de %3</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 de %2</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>PAK archives (*.pak)|*.pak</source>
        <translation>Archivos PAK (*.pak)|*.pak</translation>
    </message>
    <message>
        <source>%1
Path does not exist.
Check the path and try again.</source>
        <translation>%1
La ruta no existe.
Compruebe la ruta e inténtelo de nuevo.</translation>
    </message>
    <message>
        <source>Usage: unbaler [ARCHIVE [FOLDER]]
Starts with the PAK file ARCHIVE read and FOLDER chosen to extract it into.
</source>
        <translation>Uso: unbaler [ARCHIVO [CARPETA]]
Inicia con el archivo PAK ARCHIVO leído y CARPETA elegida para extraerlo en ella.
</translation>
    </message>
    <message>
        <source>       unbaler ARCHIVE.pak ARCHIVE.pak... [FOLDER]
Offers to extract each ARCHIVE into a folder of its name in FOLDER.
</source>
        <translation>       unbaler ARCHIVO.pak ARCHIVO.pak... [CARPETA]
Ofrece extraer cada ARCHIVO en una carpeta con su nombre en CARPETA.
</translation>
    </message>
    <message>
        <source>Usage: rebaler [FOLDER [ARCHIVE]]
Starts with FOLDER chosen to pack and ARCHIVE as the PAK file to write.
</source>
        <translation>Uso: rebaler [CARPETA [ARCHIVO]]
Inicia con CARPETA elegida para empaquetar y ARCHIVO como el archivo PAK que se escribirá.
</translation>
    </message>
    <message>
        <source>Unknown option: %1</source>
        <translation>Opción desconocida: %1</translation>
    </message>
    <message>
        <source>An empty path was given.</source>
        <translation>Se indicó una ruta vacía.</translation>
    </message>
    <message>
        <source>Too many paths were given.</source>
        <translation>Se indicaron demasiadas rutas.</translation>
    </message>
</context>
</TS>
