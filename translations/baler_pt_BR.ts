<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR" sourcelanguage="en">
<context>
    <name>baler</name>
    <message>
        <source>Browse for Folder where the PAK file will be extracted</source>
        <translation>Escolha a pasta onde o arquivo PAK será extraído</translation>
    </message>
    <message>
        <source>There is no archive to extract: the chosen file could not be read as a PAK file.</source>
        <translation>Não há arquivo para extrair: o arquivo escolhido não pôde ser lido como arquivo PAK.</translation>
    </message>
    <message>
        <source>The file is shorter than a PAK file&apos;s header or does not begin with its signature.</source>
        <translation>O arquivo é menor que o cabeçalho de um arquivo PAK ou não começa com sua assinatura.</translation>
    </message>
    <message>
        <source>The PAK file changed after it was listed, so nothing was extracted.
It has been read again: check the list and extract again.</source>
        <translation>O arquivo PAK mudou depois de ser listado, então nada foi extraído.
Ele foi lido novamente: confira a lista e extraia de novo.</translation>
    </message>
    <message>
        <source>1 file in %2 was changed after it was extracted: %3. Replace it with the archive&apos;s version?</source>
        <translation>1 arquivo em %2 foi alterado depois de extraído: %3. Substituí-lo pela versão do pacote?</translation>
    </message>
    <message>
        <source>%1 files in %2 were changed after they were extracted: %3. Replace them with the archive&apos;s version?</source>
        <translation>%1 arquivos em %2 foram alterados depois de extraídos: %3. Substituí-los pela versão do pacote?</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>e mais %1</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Substituir</translation>
    </message>
    <message>
        <source>Keep my files</source>
        <translation>Manter meus arquivos</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Extract Selected Files…</source>
        <translation>Extrair os arquivos selecionados…</translation>
    </message>
    <message>
        <source>Extract All Files</source>
        <translation>Extrair todos os arquivos</translation>
    </message>
    <message>
        <source>Replace Entry…</source>
        <translation>Substituir entrada…</translation>
    </message>
    <message>
        <source>All files (*.*)|*.*</source>
        <translation>Todos os arquivos (*.*)|*.*</translation>
    </message>
    <message>
        <source>Replace the entry %1 in %2 with %3? The archive is rewritten; every other entry stays as it is.</source>
        <translation>Substituir a entrada %1 em %2 por %3? O arquivo PAK é regravado; todas as outras entradas continuam como estão.</translation>
    </message>
    <message>
        <source>Replacing</source>
        <translation>Substituindo</translation>
    </message>
    <message>
        <source>%1 replaced in %2</source>
        <translation>%1 substituída em %2</translation>
    </message>
    <message>
        <source>The PAK file changed after it was listed, so no entry was replaced and nothing was written.
It has been read again: check the list and replace the entry again.</source>
        <translation>O arquivo PAK mudou depois de ser listado, então nenhuma entrada foi substituída e nada foi gravado.
Ele foi lido de novo: confira a lista e substitua a entrada novamente.</translation>
    </message>
    <message>
        <source>Invalid file</source>
        <translation>Arquivo inválido</translation>
    </message>
    <message>
        <source>Extracting</source>
        <translation>Extraindo</translation>
    </message>
    <message>
        <source>Opening</source>
        <translation>Abrindo</translation>
    </message>
    <message>
        <source>%1 extracted into %2</source>
        <translation>%1 extraído(s) em %2</translation>
    </message>
    <message>
        <source>Extraction stopped: %1 extracted into %2</source>
        <translation>Extração interrompida: %1 extraído(s) em %2</translation>
    </message>
    <message>
        <source>Extract each of the %1 archives into a folder of its name in %2?</source>
        <translation>Extrair cada um dos %1 arquivos PAK para uma pasta com o seu nome em %2?</translation>
    </message>
    <message>
        <source>Extract Each</source>
        <translation>Extrair cada um</translation>
    </message>
    <message>
        <source>%1 and %2 would both be extracted into %3, so nothing was extracted.</source>
        <translation>%1 e %2 seriam ambos extraídos para %3, então nada foi extraído.</translation>
    </message>
    <message>
        <source>%1 archives extracted into %2</source>
        <translation>%1 arquivos PAK extraídos para %2</translation>
    </message>
    <message>
        <source>%1 of %3 archives extracted into %2; not extracted: %4</source>
        <translation>%1 de %3 arquivos PAK extraídos para %2; não extraídos: %4</translation>
    </message>
    <message>
        <source>These archives were not extracted in full:</source>
        <translation>Estes arquivos PAK não foram extraídos por completo:</translation>
    </message>
    <message>
        <source>Files List Diff</source>
        <translation>Diferenças na lista de arquivos</translation>
    </message>
    <message>
        <source>There is a difference between the names of the files that were extracted to the files that you wat to repack. </source>
        <translation>Os nomes dos arquivos extraídos diferem dos nomes dos arquivos que você quer reempacotar. </translation>
    </message>
    <message>
        <source>The list of files that were added:</source>
        <translation>Arquivos adicionados:</translation>
    </message>
    <message>
        <source>The list of files that were deleted:</source>
        <translation>Arquivos excluídos:</translation>
    </message>
    <message>
        <source>Continue with Packing</source>
        <translation>Continuar empacotando</translation>
    </message>
    <message>
        <source>Cancel the Packing</source>
        <translation>Cancelar empacotamento</translation>
    </message>
    <message>
        <source>Browse for Folder where the ogg files are</source>
        <translation>Escolha a pasta com os arquivos OGG</translation>
    </message>
    <message>
        <source>The repack was canceled by your request</source>
        <translation>O empacotamento foi cancelado a seu pedido</translation>
    </message>
    <message>
        <source>Repack Canceled</source>
        <translation>Empacotamento cancelado</translation>
    </message>
    <message>
        <source>%1

The file is no longer in the folder.</source>
        <translation>%1

O arquivo não está mais na pasta.</translation>
    </message>
    <message>
        <source>Packing</source>
        <translation>Empacotando</translation>
    </message>
    <message>
        <source>%1 packed into %2</source>
        <translation>%1 empacotado(s) em %2</translation>
    </message>
    <message>
        <source>%1 packed into %2 (%3)</source>
        <translation>%1 empacotado(s) em %2 (%3)</translation>
    </message>
    <message>
        <source>Packing stopped: %1 was left as it was</source>
        <translation>Empacotamento interrompido: %1 ficou como estava</translation>
    </message>
    <message>
        <source>%1 more file not packed</source>
        <translation>Mais %1 arquivo não empacotado</translation>
    </message>
    <message>
        <source>%1 more files not packed</source>
        <translation>Mais %1 arquivos não empacotados</translation>
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
        <translation>%1 arquivo, %2</translation>
    </message>
    <message>
        <source>%1 files, %2</source>
        <translation>%1 arquivos, %2</translation>
    </message>
    <message>
        <source>%1 of %2 file, %3</source>
        <translation>%1 de %2 arquivo, %3</translation>
    </message>
    <message>
        <source>%1 of %2 files, %3</source>
        <translation>%1 de %2 arquivos, %3</translation>
    </message>
    <message>
        <source>Error %1</source>
        <translation>Erro %1</translation>
    </message>
    <message>
        <source>Could not get the path of the selected folder</source>
        <translation>Não foi possível obter o caminho da pasta escolhida</translation>
    </message>
    <message>
        <source>Invalid window handle</source>
        <translation>Identificador de janela inválido</translation>
    </message>
    <message>
        <source>CBrowseForFolder component failure</source>
        <translation>Falha do componente CBrowseForFolder</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fechar</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Arquivos</translation>
    </message>
    <message>
        <source>PAK file:</source>
        <translation>Arquivo:</translation>
    </message>
    <message>
        <source>Directory:</source>
        <translation>Pasta:</translation>
    </message>
    <message>
        <source>Click or press Enter to open the folder</source>
        <translation>Clique ou pressione Enter para abrir a pasta</translation>
    </message>
    <message>
        <source>Select File</source>
        <translation>Escolher</translation>
    </message>
    <message>
        <source>Select Dir</source>
        <translation>Pasta</translation>
    </message>
    <message>
        <source>Extract Files</source>
        <translation>Extrair</translation>
    </message>
    <message>
        <source>Pack Files</source>
        <translation>Empacotar</translation>
    </message>
    <message>
        <source>Show only names containing…</source>
        <translation>Mostrar só nomes que contenham…</translation>
    </message>
    <message>
        <source>Not opened: %1

It has no extension, so it is not one of the sounds, pictures, text or game files opened from here: a file of another kind could run as a program. Nothing was written.</source>
        <translation>Não aberto: %1

Ele não tem extensão, então não é um dos sons, imagens, textos ou arquivos do jogo que se abrem daqui: um arquivo de outro tipo poderia rodar como programa. Nada foi gravado.</translation>
    </message>
    <message>
        <source>Not opened: %1

Its extension, &quot;.%2&quot;, is not one of the sounds, pictures, text or game files opened from here: a file of another kind could run as a program. Nothing was written.</source>
        <translation>Não aberto: %1

A extensão &quot;.%2&quot; não é a de nenhum dos sons, imagens, textos ou arquivos do jogo que se abrem daqui: um arquivo de outro tipo poderia rodar como programa. Nada foi gravado.</translation>
    </message>
    <message>
        <source>No such folder</source>
        <translation>A pasta não existe</translation>
    </message>
    <message>
        <source>Not a file</source>
        <translation>Não é um arquivo</translation>
    </message>
    <message>
        <source>Sort by Name</source>
        <translation>Ordenar por nome</translation>
    </message>
    <message>
        <source>Sort by Size</source>
        <translation>Ordenar por tamanho</translation>
    </message>
    <message>
        <source>Archive Order</source>
        <translation>Ordem do arquivo PAK</translation>
    </message>
    <message>
        <source>Could not open the folder</source>
        <translation>Não foi possível abrir a pasta</translation>
    </message>
    <message>
        <source>%1…</source>
        <translation>%1…</translation>
    </message>
    <message>
        <source>Stopping…</source>
        <translation>Interrompendo…</translation>
    </message>
    <message>
        <source>Reading</source>
        <translation>Lendo</translation>
    </message>
    <message>
        <source>%1 file</source>
        <translation>%1 arquivo</translation>
    </message>
    <message>
        <source>%1 files</source>
        <translation>%1 arquivos</translation>
    </message>
    <message>
        <source>Could not open %1

The system has no program set to open files of this kind.</source>
        <translation>Não foi possível abrir %1

O sistema não tem nenhum programa definido para abrir arquivos desse tipo.</translation>
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
        <translation>Arquivos PAK (*.pak)|*.pak</translation>
    </message>
    <message>
        <source>%1
Path does not exist.
Check the path and try again.</source>
        <translation>%1
O caminho não existe.
Verifique o caminho e tente novamente.</translation>
    </message>
    <message>
        <source>Usage: unbaler [ARCHIVE [FOLDER]]
Starts with the PAK file ARCHIVE read and FOLDER chosen to extract it into.
</source>
        <translation>Uso: unbaler [ARQUIVO [PASTA]]
Inicia com o arquivo PAK ARQUIVO lido e PASTA escolhida para extraí-lo nela.
</translation>
    </message>
    <message>
        <source>       unbaler ARCHIVE.pak ARCHIVE.pak... [FOLDER]
Offers to extract each ARCHIVE into a folder of its name in FOLDER.
</source>
        <translation>       unbaler ARQUIVO.pak ARQUIVO.pak... [PASTA]
Oferece extrair cada ARQUIVO para uma pasta com o seu nome em PASTA.
</translation>
    </message>
    <message>
        <source>Usage: rebaler [FOLDER [ARCHIVE]]
Starts with FOLDER chosen to pack and ARCHIVE as the PAK file to write.
</source>
        <translation>Uso: rebaler [PASTA [ARQUIVO]]
Inicia com PASTA escolhida para empacotar e ARQUIVO como o arquivo PAK a gravar.
</translation>
    </message>
    <message>
        <source>Unknown option: %1</source>
        <translation>Opção desconhecida: %1</translation>
    </message>
    <message>
        <source>An empty path was given.</source>
        <translation>Foi informado um caminho vazio.</translation>
    </message>
    <message>
        <source>Too many paths were given.</source>
        <translation>Foram informados caminhos demais.</translation>
    </message>
</context>
</TS>
