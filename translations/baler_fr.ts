<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>baler</name>
    <message>
        <source>Browse for Folder where the PAK file will be extracted</source>
        <translation>Choisissez le dossier où extraire le fichier PAK</translation>
    </message>
    <message>
        <source>There is no archive to extract: the chosen file could not be read as a PAK file.</source>
        <translation>Aucune archive à extraire : le fichier choisi n&apos;a pas pu être lu comme fichier PAK.</translation>
    </message>
    <message>
        <source>The file is shorter than a PAK file&apos;s header or does not begin with its signature.</source>
        <translation>Le fichier est plus court que l&apos;en-tête d&apos;un fichier PAK ou ne commence pas par sa signature.</translation>
    </message>
    <message>
        <source>The PAK file changed after it was listed, so nothing was extracted.
It has been read again: check the list and extract again.</source>
        <translation>Le fichier PAK a changé après avoir été listé : rien n&apos;a été extrait.
Il a été relu : vérifiez la liste et relancez l&apos;extraction.</translation>
    </message>
    <message>
        <source>1 file in %2 was changed after it was extracted: %3. Replace it with the archive&apos;s version?</source>
        <translation>1 fichier de %2 a été modifié après l&apos;extraction : %3. Le remplacer par la version de l&apos;archive ?</translation>
    </message>
    <message>
        <source>%1 files in %2 were changed after they were extracted: %3. Replace them with the archive&apos;s version?</source>
        <translation>%1 fichiers de %2 ont été modifiés après l&apos;extraction : %3. Les remplacer par la version de l&apos;archive ?</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>et %1 autres</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Remplacer</translation>
    </message>
    <message>
        <source>Keep my files</source>
        <translation>Garder mes fichiers</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Extract Selected Files…</source>
        <translation>Extraire les fichiers sélectionnés…</translation>
    </message>
    <message>
        <source>Extract All Files</source>
        <translation>Extraire tous les fichiers</translation>
    </message>
    <message>
        <source>Replace Entry…</source>
        <translation>Remplacer l’entrée…</translation>
    </message>
    <message>
        <source>All files (*.*)|*.*</source>
        <translation>Tous les fichiers (*.*)|*.*</translation>
    </message>
    <message>
        <source>Replace the entry %1 in %2 with %3? The archive is rewritten; every other entry stays as it is.</source>
        <translation>Remplacer l’entrée %1 de %2 par %3 ? L’archive est réécrite ; toutes les autres entrées restent telles quelles.</translation>
    </message>
    <message>
        <source>Replacing</source>
        <translation>Remplacement</translation>
    </message>
    <message>
        <source>%1 replaced in %2</source>
        <translation>%1 remplacée dans %2</translation>
    </message>
    <message>
        <source>The PAK file changed after it was listed, so no entry was replaced and nothing was written.
It has been read again: check the list and replace the entry again.</source>
        <translation>Le fichier PAK a changé depuis qu’il a été listé : aucune entrée n’a été remplacée et rien n’a été écrit.
Il a été relu : vérifiez la liste et remplacez l’entrée à nouveau.</translation>
    </message>
    <message>
        <source>Invalid file</source>
        <translation>Fichier non valide</translation>
    </message>
    <message>
        <source>Extracting</source>
        <translation>Extraction</translation>
    </message>
    <message>
        <source>Opening</source>
        <translation>Ouverture</translation>
    </message>
    <message>
        <source>%1 extracted into %2</source>
        <translation>%1 extrait(s) dans %2</translation>
    </message>
    <message>
        <source>Extraction stopped: %1 extracted into %2</source>
        <translation>Extraction arrêtée : %1 extrait(s) dans %2</translation>
    </message>
    <message>
        <source>Extract each of the %1 archives into a folder of its name in %2?</source>
        <translation>Extraire chacune des %1 archives dans un dossier à son nom dans %2 ?</translation>
    </message>
    <message>
        <source>Extract Each</source>
        <translation>Extraire chacune</translation>
    </message>
    <message>
        <source>%1 and %2 would both be extracted into %3, so nothing was extracted.</source>
        <translation>%1 et %2 seraient toutes deux extraites dans %3 : rien n’a été extrait.</translation>
    </message>
    <message>
        <source>%1 archives extracted into %2</source>
        <translation>%1 archives extraites dans %2</translation>
    </message>
    <message>
        <source>%1 of %3 archives extracted into %2; not extracted: %4</source>
        <translation>%1 archives sur %3 extraites dans %2 ; non extraites : %4</translation>
    </message>
    <message>
        <source>These archives were not extracted in full:</source>
        <translation>Ces archives n’ont pas été entièrement extraites :</translation>
    </message>
    <message>
        <source>Files List Diff</source>
        <translation>Différences de la liste des fichiers</translation>
    </message>
    <message>
        <source>There is a difference between the names of the files that were extracted to the files that you wat to repack. </source>
        <translation>Les noms des fichiers extraits diffèrent de ceux des fichiers que vous voulez réempaqueter. </translation>
    </message>
    <message>
        <source>The list of files that were added:</source>
        <translation>Fichiers ajoutés :</translation>
    </message>
    <message>
        <source>The list of files that were deleted:</source>
        <translation>Fichiers supprimés :</translation>
    </message>
    <message>
        <source>Continue with Packing</source>
        <translation>Continuer l&apos;empaquetage</translation>
    </message>
    <message>
        <source>Cancel the Packing</source>
        <translation>Annuler l&apos;empaquetage</translation>
    </message>
    <message>
        <source>Browse for Folder where the ogg files are</source>
        <translation>Choisissez le dossier contenant les fichiers OGG</translation>
    </message>
    <message>
        <source>The repack was canceled by your request</source>
        <translation>L&apos;empaquetage a été annulé à votre demande</translation>
    </message>
    <message>
        <source>Repack Canceled</source>
        <translation>Empaquetage annulé</translation>
    </message>
    <message>
        <source>%1

The file is no longer in the folder.</source>
        <translation>%1

Le fichier n&apos;est plus dans le dossier.</translation>
    </message>
    <message>
        <source>Packing</source>
        <translation>Empaquetage</translation>
    </message>
    <message>
        <source>%1 packed into %2</source>
        <translation>%1 empaqueté(s) dans %2</translation>
    </message>
    <message>
        <source>%1 packed into %2 (%3)</source>
        <translation>%1 empaqueté(s) dans %2 (%3)</translation>
    </message>
    <message>
        <source>Packing stopped: %1 was left as it was</source>
        <translation>Empaquetage arrêté : %1 n&apos;a pas été modifié</translation>
    </message>
    <message>
        <source>%1 more file not packed</source>
        <translation>%1 autre fichier non empaqueté</translation>
    </message>
    <message>
        <source>%1 more files not packed</source>
        <translation>%1 autres fichiers non empaquetés</translation>
    </message>
    <message>
        <source>%1 byte</source>
        <translation>%1 octet</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>%1 octets</translation>
    </message>
    <message>
        <source>%1 KB</source>
        <translation>%1 Ko</translation>
    </message>
    <message>
        <source>%1 MB</source>
        <translation>%1 Mo</translation>
    </message>
    <message>
        <source>%1 GB</source>
        <translation>%1 Go</translation>
    </message>
    <message>
        <source>%1 TB</source>
        <translation>%1 To</translation>
    </message>
    <message>
        <source>.</source>
        <translation>,</translation>
    </message>
    <message>
        <source>%1 entry, %2</source>
        <translation>%1 entrée, %2</translation>
    </message>
    <message>
        <source>%1 entries, %2</source>
        <translation>%1 entrées, %2</translation>
    </message>
    <message>
        <source>%1 of %2 entry, %3</source>
        <translation>%1 sur %2 entrée, %3</translation>
    </message>
    <message>
        <source>%1 of %2 entries, %3</source>
        <translation>%1 sur %2 entrées, %3</translation>
    </message>
    <message>
        <source>%1 file, %2</source>
        <translation>%1 fichier, %2</translation>
    </message>
    <message>
        <source>%1 files, %2</source>
        <translation>%1 fichiers, %2</translation>
    </message>
    <message>
        <source>%1 of %2 file, %3</source>
        <translation>%1 sur %2 fichier, %3</translation>
    </message>
    <message>
        <source>%1 of %2 files, %3</source>
        <translation>%1 sur %2 fichiers, %3</translation>
    </message>
    <message>
        <source>Error %1</source>
        <translation>Erreur %1</translation>
    </message>
    <message>
        <source>Could not get the path of the selected folder</source>
        <translation>Impossible d&apos;obtenir le chemin du dossier choisi</translation>
    </message>
    <message>
        <source>Invalid window handle</source>
        <translation>Handle de fenêtre non valide</translation>
    </message>
    <message>
        <source>CBrowseForFolder component failure</source>
        <translation>Échec du composant CBrowseForFolder</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Fichiers</translation>
    </message>
    <message>
        <source>PAK file:</source>
        <translation>Archive :</translation>
    </message>
    <message>
        <source>Directory:</source>
        <translation>Dossier :</translation>
    </message>
    <message>
        <source>Click or press Enter to open the folder</source>
        <translation>Cliquez ou appuyez sur Entrée pour ouvrir le dossier</translation>
    </message>
    <message>
        <source>Select File</source>
        <translation>Choisir</translation>
    </message>
    <message>
        <source>Select Dir</source>
        <translation>Dossier</translation>
    </message>
    <message>
        <source>Extract Files</source>
        <translation>Extraire</translation>
    </message>
    <message>
        <source>Pack Files</source>
        <translation>Empaqueter</translation>
    </message>
    <message>
        <source>Show only names containing…</source>
        <translation>Afficher les noms contenant…</translation>
    </message>
    <message>
        <source>Not opened: %1

It has no extension, so it is not one of the sounds, pictures, text or game files opened from here: a file of another kind could run as a program. Nothing was written.</source>
        <translation>Non ouvert : %1

Il n&apos;a pas d&apos;extension, ce n&apos;est donc pas un des sons, images, textes ou fichiers de jeu qui s&apos;ouvrent d&apos;ici : un fichier d&apos;un autre type pourrait s&apos;exécuter comme un programme. Rien n&apos;a été écrit.</translation>
    </message>
    <message>
        <source>Not opened: %1

Its extension, &quot;.%2&quot;, is not one of the sounds, pictures, text or game files opened from here: a file of another kind could run as a program. Nothing was written.</source>
        <translation>Non ouvert : %1

Son extension, « .%2 », n&apos;est pas celle d&apos;un des sons, images, textes ou fichiers de jeu qui s&apos;ouvrent d&apos;ici : un fichier d&apos;un autre type pourrait s&apos;exécuter comme un programme. Rien n&apos;a été écrit.</translation>
    </message>
    <message>
        <source>No such folder</source>
        <translation>Dossier introuvable</translation>
    </message>
    <message>
        <source>Not a file</source>
        <translation>Ce n&apos;est pas un fichier</translation>
    </message>
    <message>
        <source>Sort by Name</source>
        <translation>Trier par nom</translation>
    </message>
    <message>
        <source>Sort by Size</source>
        <translation>Trier par taille</translation>
    </message>
    <message>
        <source>Archive Order</source>
        <translation>Ordre de l’archive</translation>
    </message>
    <message>
        <source>Could not open the folder</source>
        <translation>Impossible d’ouvrir le dossier</translation>
    </message>
    <message>
        <source>%1…</source>
        <translation>%1…</translation>
    </message>
    <message>
        <source>Stopping…</source>
        <translation>Arrêt en cours…</translation>
    </message>
    <message>
        <source>Reading</source>
        <translation>Lecture</translation>
    </message>
    <message>
        <source>%1 file</source>
        <translation>%1 fichier</translation>
    </message>
    <message>
        <source>%1 files</source>
        <translation>%1 fichiers</translation>
    </message>
    <message>
        <source>Could not open %1

The system has no program set to open files of this kind.</source>
        <translation>Impossible d&apos;ouvrir %1

Aucun programme n&apos;est défini sur le système pour ouvrir ce type de fichier.</translation>
    </message>
    <message>
        <source>%1 %2 of %3</source>
        <translation>%1 %2 sur %3</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 sur %2</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>PAK archives (*.pak)|*.pak</source>
        <translation>Archives PAK (*.pak)|*.pak</translation>
    </message>
    <message>
        <source>%1
Path does not exist.
Check the path and try again.</source>
        <translation>%1
Le chemin n&apos;existe pas.
Vérifiez le chemin et réessayez.</translation>
    </message>
    <message>
        <source>Usage: unbaler [ARCHIVE [FOLDER]]
Starts with the PAK file ARCHIVE read and FOLDER chosen to extract it into.
</source>
        <translation>Usage : unbaler [ARCHIVE [DOSSIER]]
Démarre avec le fichier PAK ARCHIVE lu et DOSSIER choisi pour l&apos;y extraire.
</translation>
    </message>
    <message>
        <source>       unbaler ARCHIVE.pak ARCHIVE.pak... [FOLDER]
Offers to extract each ARCHIVE into a folder of its name in FOLDER.
</source>
        <translation>       unbaler ARCHIVE.pak ARCHIVE.pak... [DOSSIER]
Propose d’extraire chaque ARCHIVE dans un dossier à son nom dans DOSSIER.
</translation>
    </message>
    <message>
        <source>Usage: rebaler [FOLDER [ARCHIVE]]
Starts with FOLDER chosen to pack and ARCHIVE as the PAK file to write.
</source>
        <translation>Usage : rebaler [DOSSIER [ARCHIVE]]
Démarre avec DOSSIER choisi pour l&apos;empaquetage et ARCHIVE comme fichier PAK à écrire.
</translation>
    </message>
    <message>
        <source>Unknown option: %1</source>
        <translation>Option inconnue : %1</translation>
    </message>
    <message>
        <source>An empty path was given.</source>
        <translation>Un chemin vide a été donné.</translation>
    </message>
    <message>
        <source>Too many paths were given.</source>
        <translation>Trop de chemins ont été donnés.</translation>
    </message>
</context>
</TS>
