<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
    <context>
        <name>CatalogueFacts</name>
        <message>
            <source>%1 is not yours alone (a link, another user&apos;s, or others may write to it): the facts in it are left aside</source>
            <translation>%1 no es solo suyo (un enlace, de otro usuario, u otros pueden escribir en él): los datos que contiene se dejan de lado</translation>
        </message>
    </context>
    <context>
        <name>CompareWindow</name>
        <message>
            <source>Added</source>
            <translation>Añadido</translation>
        </message>
        <message>
            <source>Removed</source>
            <translation>Eliminado</translation>
        </message>
        <message>
            <source>Changed</source>
            <translation>Modificado</translation>
        </message>
        <message>
            <source>Folder added</source>
            <translation>Carpeta añadida</translation>
        </message>
        <message>
            <source>Folder removed</source>
            <translation>Carpeta eliminada</translation>
        </message>
        <message>
            <source>Created anew</source>
            <translation>Creado de nuevo</translation>
        </message>
        <message>
            <source>size %1 → %2</source>
            <translation>tamaño %1 → %2</translation>
        </message>
        <message>
            <source>modified %1 → %2</source>
            <translation>modificado %1 → %2</translation>
        </message>
        <message>
            <source>created %1 → %2</source>
            <translation>creado %1 → %2</translation>
        </message>
        <message>
            <source>type %1 → %2</source>
            <translation>tipo %1 → %2</translation>
        </message>
        <message>
            <source>unknown</source>
            <translation>desconocida</translation>
        </message>
    </context>
    <context>
        <name>Counts</name>
        <message numerus="yes">
            <source>%1 folder(s) added</source>
            <translation>
                <numerusform>%1 carpeta añadida</numerusform>
                <numerusform>%1 carpetas añadidas</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%1 folder(s) removed</source>
            <translation>
                <numerusform>%1 carpeta eliminada</numerusform>
                <numerusform>%1 carpetas eliminadas</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%1 file(s)</source>
            <translation>
                <numerusform>%1 archivo</numerusform>
                <numerusform>%1 archivos</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%1 copy(ies)</source>
            <translation>
                <numerusform>%1 copia</numerusform>
                <numerusform>%1 copias</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%1 catalogue(s)</source>
            <translation>
                <numerusform>%1 catálogo</numerusform>
                <numerusform>%1 catálogos</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%1 folder(s)</source>
            <translation>
                <numerusform>%1 carpeta</numerusform>
                <numerusform>%1 carpetas</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%1 catalogue(s)</source>
            <comment>after in</comment>
            <translation>
                <numerusform>%1 catálogo</numerusform>
                <numerusform>%1 catálogos</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%1 hit(s)</source>
            <translation>
                <numerusform>%1 resultado</numerusform>
                <numerusform>%1 resultados</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%1 file(s) whose created time alone differs (no change)</source>
            <translation>
                <numerusform>%1 archivo cuya fecha de creación es lo único que difiere (sin cambios)</numerusform>
                <numerusform>%1 archivos cuya fecha de creación es lo único que difiere (sin cambios)</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%1 drive(s)</source>
            <translation>
                <numerusform>%1 unidad</numerusform>
                <numerusform>%1 unidades</numerusform>
            </translation>
        </message>
    </context>
    <context>
        <name>DriveFolderLists</name>
        <message>
            <source>Path not found</source>
            <translation>Ruta no encontrada</translation>
        </message>
        <message>
            <source>Disk not ready</source>
            <translation>Disco no preparado</translation>
        </message>
        <message>
            <source>Permission denied</source>
            <translation>Permiso denegado</translation>
        </message>
    </context>
    <context>
        <name>Error</name>
        <message>
            <source>Not a regular file</source>
            <translation>No es un archivo normal</translation>
        </message>
        <message>
            <source>Not a catalogue: its first line is no catalogue header</source>
            <translation>No es un catálogo: su primera línea no es una cabecera de catálogo</translation>
        </message>
        <message>
            <source>More than %1 catalogues in one folder</source>
            <translation>Más de %1 catálogos en una carpeta</translation>
        </message>
        <message>
            <source>The desktop launcher xdg-open is not installed</source>
            <translation>El lanzador del escritorio xdg-open no está instalado</translation>
        </message>
        <message>
            <source>File not found</source>
            <translation>Archivo no encontrado</translation>
        </message>
        <message>
            <source>Invalid procedure call or argument</source>
            <translation>Llamada a procedimiento o argumento no válido</translation>
        </message>
        <message>
            <source>Out of memory</source>
            <translation>Memoria insuficiente</translation>
        </message>
        <message>
            <source>Permission denied</source>
            <translation>Permiso denegado</translation>
        </message>
        <message>
            <source>Path not found</source>
            <translation>Ruta no encontrada</translation>
        </message>
        <message>
            <source>Disk full</source>
            <translation>Disco lleno</translation>
        </message>
        <message>
            <source>Device I/O error</source>
            <translation>Error de E/S del dispositivo</translation>
        </message>
        <message>
            <source>Disk not ready</source>
            <translation>Disco no preparado</translation>
        </message>
        <message>
            <source>Input past end of file</source>
            <translation>Lectura más allá del final del archivo</translation>
        </message>
        <message>
            <source>More folders than a comparison can hold</source>
            <translation>Más carpetas de las que admite una comparación</translation>
        </message>
        <message>
            <source>More folders than a tree can hold</source>
            <translation>Más carpetas de las que caben en un árbol</translation>
        </message>
        <message>
            <source>The catalogue has changed since it was read</source>
            <translation>El catálogo ha cambiado desde que se leyó</translation>
        </message>
    </context>
    <context>
        <name>MainWindow</name>
        <message>
            <source>File not found</source>
            <translation>Archivo no encontrado</translation>
        </message>
        <message>
            <source>Path not found</source>
            <translation>Ruta no encontrada</translation>
        </message>
        <message>
            <source>Access denied</source>
            <translation>Acceso denegado</translation>
        </message>
        <message>
            <source>Out of memory</source>
            <translation>Memoria insuficiente</translation>
        </message>
        <message>
            <source>Invalid EXE file or error in EXE image</source>
            <translation>Archivo EXE no válido o error en la imagen EXE</translation>
        </message>
        <message>
            <source>A sharing violation occurred</source>
            <translation>Se produjo una infracción de uso compartido</translation>
        </message>
        <message>
            <source>Incomplete or invalid file association</source>
            <translation>Asociación de archivo incompleta o no válida</translation>
        </message>
        <message>
            <source>DDE Time out</source>
            <translation>Tiempo de espera de DDE agotado</translation>
        </message>
        <message>
            <source>DDE transaction failed</source>
            <translation>Error en la transacción DDE</translation>
        </message>
        <message>
            <source>DDE busy</source>
            <translation>DDE ocupado</translation>
        </message>
        <message>
            <source>No association for file extension</source>
            <translation>No hay ninguna asociación para la extensión del archivo</translation>
        </message>
        <message>
            <source>DLL not found</source>
            <translation>DLL no encontrada</translation>
        </message>
        <message>
            <source>Unknown error</source>
            <translation>Error desconocido</translation>
        </message>
    </context>
    <context>
        <name>MessageService</name>
        <message>
            <source>%1 already exists.
Do you want to replace it?</source>
            <translation>%1 ya existe.
¿Desea reemplazarlo?</translation>
        </message>
    </context>
    <context>
        <name>RunCopyWindow</name>
        <message>
            <source>File not found ...</source>
            <translation>Archivo no encontrado ...</translation>
        </message>
        <message>
            <source>Path not found ...</source>
            <translation>Ruta no encontrada ...</translation>
        </message>
        <message>
            <source>Access denied ...</source>
            <translation>Acceso denegado ...</translation>
        </message>
        <message>
            <source>Out of memory</source>
            <translation>Memoria insuficiente</translation>
        </message>
        <message>
            <source>Invalid EXE file or error in EXE image ...</source>
            <translation>Archivo EXE no válido o error en la imagen EXE ...</translation>
        </message>
        <message>
            <source>A sharing violation occurred ...</source>
            <translation>Se produjo una infracción de uso compartido ...</translation>
        </message>
        <message>
            <source>Incomplete or invalid file association</source>
            <translation>Asociación de archivo incompleta o no válida</translation>
        </message>
        <message>
            <source>DDE Time out ...</source>
            <translation>Tiempo de espera de DDE agotado ...</translation>
        </message>
        <message>
            <source>DDE transaction failed ...</source>
            <translation>Error en la transacción DDE ...</translation>
        </message>
        <message>
            <source>DDE busy</source>
            <translation>DDE ocupado</translation>
        </message>
        <message>
            <source>No association for file extension ...</source>
            <translation>No hay ninguna asociación para la extensión del archivo ...</translation>
        </message>
        <message>
            <source>DLL not found ...</source>
            <translation>DLL no encontrada ...</translation>
        </message>
        <message>
            <source>Unknown error</source>
            <translation>Error desconocido</translation>
        </message>
    </context>
    <context>
        <name>RunProgress</name>
        <message>
            <source>Do not show these messages again during this run</source>
            <translation>No volver a mostrar estos mensajes durante esta ejecución</translation>
        </message>
        <message>
            <source>Finished ...</source>
            <translation>Terminado ...</translation>
        </message>
        <message>
            <source>%1, %2, %3</source>
            <translation>%1, %2, %3</translation>
        </message>
        <message>
            <source>Done: %1, %2 in %3</source>
            <translation>Terminado: %1, %2 en %3</translation>
        </message>
        <message>
            <source>; %1 could not be read</source>
            <translation>; no se pudieron leer %1</translation>
        </message>
        <message>
            <source>; no facts written beside it</source>
            <translation>; no se escribieron datos junto a él</translation>
        </message>
        <message>
            <source>... and %1 more</source>
            <translation>... y %1 más</translation>
        </message>
        <message>
            <source>The folder could not be opened; the catalogue there was left as it was</source>
            <translation>No se pudo abrir la carpeta; el catálogo que había se dejó como estaba</translation>
        </message>
    </context>
    <context>
        <name>SearchWindow</name>
        <message>
            <source>The facts beside %1 cannot be read and are left aside: %2</source>
            <translation>Los datos junto a %1 no se pueden leer y se dejan de lado: %2</translation>
        </message>
        <message>
            <source>The dates in %1 cannot be read: the date filter passes none of its entries.</source>
            <translation>Las fechas de %1 no se pueden leer: el filtro de fecha no deja pasar ninguna de sus entradas.</translation>
        </message>
        <message>
            <source>Searching ...</source>
            <translation>Buscando ...</translation>
        </message>
        <message>
            <source>Finshied ...</source>
            <extracomment>Misspelt in English on purpose; translate it as a plain "Finished ...".</extracomment>
            <translation>Terminado ...</translation>
        </message>
        <message>
            <source>Stopped ...</source>
            <translation>Detenido ...</translation>
        </message>
        <message>
            <source>Please make sure you have selected the folder with Catalogues files in it. or<byte value="xd"/>Alternatively, please set the Default Current Path before searching.</source>
            <translation>Asegúrese de haber seleccionado la carpeta que contiene los archivos de catálogo.<byte value="xd"/>O bien, establezca la ruta predeterminada antes de buscar.</translation>
        </message>
    </context>
    <context>
        <name>kestrova</name>
        <message>
            <source>Catalogues drives and folders, and searches the catalogues. kestrova-cli does the same from scripts.</source>
            <translation>Cataloga unidades y carpetas, y busca en los catálogos. kestrova-cli hace lo mismo desde scripts.</translation>
        </message>
    </context>
    <context>
        <name>kestrova-cli</name>
        <message>
            <source>: wrong number of arguments
</source>
            <translation>: número de argumentos incorrecto
</translation>
        </message>
        <message>
            <source>kestrova-cli %1: --jobs takes a number from 1 to 256</source>
            <translation>kestrova-cli %1: --jobs admite un número del 1 al 256</translation>
        </message>
        <message>
            <source>kestrova-cli: %1 belongs to another user or others may write to it: no search index is kept there, and catalogues are read whole</source>
            <translation>kestrova-cli: %1 pertenece a otro usuario o otros pueden escribir en ella: no se guarda ahí ningún índice de búsqueda y los catálogos se leen enteros</translation>
        </message>
        <message>
            <source>kestrova-cli: unknown command &apos;%1&apos;</source>
            <translation>kestrova-cli: orden desconocida «%1»</translation>
        </message>
        <message>
            <source>kestrova-cli compare: --format takes tsv, csv or json</source>
            <translation>kestrova-cli compare: --format admite tsv, csv o json</translation>
        </message>
        <message>
            <source>kestrova-cli compare: --root-as takes OLD_ROOT=NEW_ROOT</source>
            <translation>kestrova-cli compare: --root-as admite OLD_ROOT=NEW_ROOT</translation>
        </message>
        <message>
            <source>kestrova-cli compare: %1 ends part-way (its run was ended early)</source>
            <translation>kestrova-cli compare: %1 termina a medias (su ejecución se detuvo antes de tiempo)</translation>
        </message>
        <message>
            <source>kestrova-cli copies: give one of --single and --duplicates</source>
            <translation>kestrova-cli copies: indique --single o --duplicates</translation>
        </message>
        <message>
            <source>kestrova-cli copies: --under goes with --single</source>
            <translation>kestrova-cli copies: --under va con --single</translation>
        </message>
        <message>
            <source>kestrova-cli copies: --format takes tsv, csv or json</source>
            <translation>kestrova-cli copies: --format admite tsv, csv o json</translation>
        </message>
        <message>
            <source>kestrova-cli copies: --min-size takes a size like 100M or 4G</source>
            <translation>kestrova-cli copies: --min-size admite un tamaño como 100M o 4G</translation>
        </message>
        <message>
            <source>kestrova-cli copies: sizes unknown in %1: their files count as copies by name and type</source>
            <translation>kestrova-cli copies: tamaños desconocidos en %1: sus archivos cuentan como copias por nombre y tipo</translation>
        </message>
        <message>
            <source>kestrova-cli drives: --format takes tsv, csv or json</source>
            <translation>kestrova-cli drives: --format admite tsv, csv o json</translation>
        </message>
        <message>
            <source>kestrova-cli generate: ROOT and CATALOGUE must not be empty</source>
            <translation>kestrova-cli generate: ROOT y CATALOGUE no pueden estar vacíos</translation>
        </message>
        <message>
            <source>kestrova-cli generate: %1 is a folder; name a catalogue file</source>
            <translation>kestrova-cli generate: %1 es una carpeta; indique un archivo de catálogo</translation>
        </message>
        <message>
            <source>kestrova-cli generate: the facts beside %1 could not be written (%2): sizes will not be known</source>
            <translation>kestrova-cli generate: no se pudieron escribir los datos junto a %1 (%2): no se sabrán los tamaños</translation>
        </message>
        <message>
            <source>: could not be indexed</source>
            <translation>: no se pudo indexar</translation>
        </message>
        <message>
            <source>kestrova-cli search: CRITERIA must not be empty</source>
            <translation>kestrova-cli search: CRITERIA no puede estar vacío</translation>
        </message>
        <message>
            <source>kestrova-cli search: --sort-column takes 0, 1, 2 or 3</source>
            <translation>kestrova-cli search: --sort-column admite 0, 1, 2 o 3</translation>
        </message>
        <message>
            <source>kestrova-cli search: give --sort or --sort-column, not both</source>
            <translation>kestrova-cli search: indique --sort o --sort-column, no ambos</translation>
        </message>
        <message>
            <source>kestrova-cli search: --sort takes path, type, created, catalogue, size, modified or none</source>
            <translation>kestrova-cli search: --sort admite path, type, created, catalogue, size, modified o none</translation>
        </message>
        <message>
            <source>kestrova-cli search: --format takes tsv, csv or json</source>
            <translation>kestrova-cli search: --format admite tsv, csv o json</translation>
        </message>
        <message>
            <source>kestrova-cli search: --%1 takes a size like 4096, 100M or 4G</source>
            <translation>kestrova-cli search: --%1 admite un tamaño como 4096, 100M o 4G</translation>
        </message>
        <message>
            <source>kestrova-cli search: --after takes a date like 2003-06-14 or %1</source>
            <translation>kestrova-cli search: --after admite una fecha como 2003-06-14 o %1</translation>
        </message>
        <message>
            <source>kestrova-cli: cannot write the output: </source>
            <translation>kestrova-cli: no se puede escribir la salida: </translation>
        </message>
        <message>
            <source>kestrova-cli generate: the folder %1 could not be opened; %2 is left as it was</source>
            <translation>kestrova-cli generate: no se pudo abrir la carpeta %1; %2 se deja como estaba</translation>
        </message>
        <message>
            <source>kestrova-cli generate: %1 is not yours alone (a link, another user&apos;s, or others may write to it), so no facts are kept in it: sizes will not be known</source>
            <translation>kestrova-cli generate: %1 no es solo suyo (un enlace, de otro usuario, u otros pueden escribir en él), así que no se guardan datos en él: los tamaños no se conocerán</translation>
        </message>
        <message>
            <source>--sort takes path, type, created, catalogue, size, modified or none</source>
            <translation>--sort admite path, type, created, catalogue, size, modified o none</translation>
        </message>
        <message>
            <source>--limit takes a number of hits, 0 or more</source>
            <translation>--limit admite un número de resultados, 0 o más</translation>
        </message>
        <message>
            <source>--format takes tsv, csv or json</source>
            <translation>--format admite tsv, csv o json</translation>
        </message>
        <message>
            <source>kestrova-cli du: --depth takes a number from 0</source>
            <translation>kestrova-cli du: --depth admite un número desde 0</translation>
        </message>
        <message>
            <source>kestrova-cli du: --format takes tsv, csv or json</source>
            <translation>kestrova-cli du: --format admite tsv, csv o json</translation>
        </message>
        <message>
            <source>kestrova-cli ls: --format takes tsv, csv or json</source>
            <translation>kestrova-cli ls: --format admite tsv, csv o json</translation>
        </message>
        <message>
            <source>kestrova-cli %1: %2 holds no folder %3</source>
            <translation>kestrova-cli %1: %2 no contiene ninguna carpeta %3</translation>
        </message>
        <message>
            <source>kestrova-cli copies: %1 is damaged: the sizes it does not give count as unknown</source>
            <translation>kestrova-cli copies: %1 está dañado: los tamaños que no da cuentan como desconocidos</translation>
        </message>
        <message>
            <source>kestrova-cli copies: older catalogues of a drive catalogued again, read as history: %1</source>
            <translation>kestrova-cli copies: catálogos antiguos de una unidad catalogada de nuevo, leídos como historial: %1</translation>
        </message>
        <message>
            <source>kestrova-cli drives: the facts beside %1 cannot be read and are left aside: %2</source>
            <translation>kestrova-cli drives: los datos junto a %1 no se pueden leer y se dejan de lado: %2</translation>
        </message>
    </context>
    <context>
        <name>kestrova::AboutBox</name>
        <message>
            <source>Created By:</source>
            <translation>Creado por:</translation>
        </message>
        <message>
            <source>Email:</source>
            <translation>Correo:</translation>
        </message>
        <message>
            <source>URL</source>
            <translation>URL</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>Aceptar</translation>
        </message>
        <message>
            <source>&amp;System Info...</source>
            <translation>Información del &amp;sistema...</translation>
        </message>
        <message>
            <source>About %1</source>
            <translation>Acerca de %1</translation>
        </message>
        <message>
            <source>Version %1.%2.%3</source>
            <translation>Versión %1.%2.%3</translation>
        </message>
        <message>
            <source>File not found</source>
            <translation>Archivo no encontrado</translation>
        </message>
        <message>
            <source>System Information Is Unavailable At This Time</source>
            <translation>La información del sistema no está disponible en este momento</translation>
        </message>
    </context>
    <context>
        <name>kestrova::CompareWindow</name>
        <message>
            <source>Summary of the comparison</source>
            <translation>Resumen de la comparación</translation>
        </message>
        <message>
            <source>Compare Catalogues</source>
            <translation>Comparar catálogos</translation>
        </message>
        <message>
            <source>%1 (choose)</source>
            <translation>%1 (elegir)</translation>
        </message>
        <message>
            <source>&amp;Older catalogue</source>
            <translation>Catálogo &amp;antiguo</translation>
        </message>
        <message>
            <source>&amp;Newer catalogue</source>
            <translation>Catálogo &amp;nuevo</translation>
        </message>
        <message>
            <source>&amp;Compare</source>
            <translation>&amp;Comparar</translation>
        </message>
        <message>
            <source>S&amp;top</source>
            <translation>De&amp;tener</translation>
        </message>
        <message>
            <source>Change</source>
            <translation>Cambio</translation>
        </message>
        <message>
            <source>File Path</source>
            <translation>Ruta del archivo</translation>
        </message>
        <message>
            <source>Old</source>
            <translation>Antiguo</translation>
        </message>
        <message>
            <source>New</source>
            <translation>Nuevo</translation>
        </message>
        <message>
            <source>Choose a catalogue</source>
            <translation>Elegir un catálogo</translation>
        </message>
        <message>
            <source>Catalogues (*.txt);;All files (*)</source>
            <translation>Catálogos (*.txt);;Todos los archivos (*)</translation>
        </message>
        <message>
            <source>Choose the older catalogue first: type its path or press the button beside it.</source>
            <translation>Elija primero el catálogo antiguo: escriba su ruta o pulse el botón de al lado.</translation>
        </message>
        <message>
            <source>Choose the newer catalogue first: type its path or press the button beside it.</source>
            <translation>Elija primero el catálogo nuevo: escriba su ruta o pulse el botón de al lado.</translation>
        </message>
        <message>
            <source>Comparing ...</source>
            <translation>Comparando ...</translation>
        </message>
        <message>
            <source>%1 added, %2 removed, %3 changed, %4, %5</source>
            <translation>%1 añadidos, %2 eliminados, %3 modificados, %4, %5</translation>
        </message>
        <message>
            <source> (stopped)</source>
            <translation> (detenido)</translation>
        </message>
        <message>
            <source>; %1 ends part-way</source>
            <translation>; %1 termina a medias</translation>
        </message>
        <message>
            <source> | older: %1, folders %2, files %3 | newer: %4, folders %5, files %6</source>
            <translation> | antiguo: %1, carpetas %2, archivos %3 | nuevo: %4, carpetas %5, archivos %6</translation>
        </message>
        <message>
            <source>Differences</source>
            <translation>Diferencias</translation>
        </message>
        <message>
            <source>%1: %2</source>
            <translation>%1: %2</translation>
        </message>
    </context>
    <context>
        <name>kestrova::CopiesWindow</name>
        <message>
            <source>Progress of the search</source>
            <translation>Progreso de la búsqueda</translation>
        </message>
        <message>
            <source>Copies</source>
            <translation>Copias</translation>
        </message>
        <message>
            <source>Catalogues &amp;folder</source>
            <translation>&amp;Carpeta de catálogos</translation>
        </message>
        <message>
            <source>Catalogues folder (choose)</source>
            <translation>Carpeta de catálogos (elegir)</translation>
        </message>
        <message>
            <source>&amp;Single copies: files on one drive only</source>
            <translation>Copias ú&amp;nicas: archivos en un solo disco</translation>
        </message>
        <message>
            <source>&amp;Duplicates: files stored more than once</source>
            <translation>&amp;Duplicados: archivos guardados más de una vez</translation>
        </message>
        <message>
            <source>&amp;Under</source>
            <translation>&amp;Bajo</translation>
        </message>
        <message>
            <source>a folder as catalogued, e.g. /media/photos</source>
            <translation>una carpeta tal como se catalogó, p. ej. /media/photos</translation>
        </message>
        <message>
            <source>Only the single copies in this folder or below it</source>
            <translation>Solo las copias únicas de esta carpeta o por debajo</translation>
        </message>
        <message>
            <source>F&amp;ind</source>
            <translation>Bu&amp;scar</translation>
        </message>
        <message>
            <source>S&amp;top</source>
            <translation>De&amp;tener</translation>
        </message>
        <message>
            <source>File Path</source>
            <translation>Ruta del archivo</translation>
        </message>
        <message>
            <source>File Type</source>
            <translation>Tipo de archivo</translation>
        </message>
        <message>
            <source>Catalogue File</source>
            <translation>Archivo de catálogo</translation>
        </message>
        <message>
            <source>Size</source>
            <translation>Tamaño</translation>
        </message>
        <message>
            <source>Modified</source>
            <translation>Modificado</translation>
        </message>
        <message>
            <source>&amp;Export Results...</source>
            <translation>E&amp;xportar resultados...</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Cerrar</translation>
        </message>
        <message>
            <source>Choose the folder of catalogues</source>
            <translation>Elegir la carpeta de catálogos</translation>
        </message>
        <message>
            <source>Choose the folder of catalogues first: type its path or press the button beside it.</source>
            <translation>Elija primero la carpeta de catálogos: escriba su ruta o pulse el botón de al lado.</translation>
        </message>
        <message>
            <source>Reading the catalogues ...</source>
            <translation>Leyendo los catálogos ...</translation>
        </message>
        <message>
            <source>%1 on one drive only, %2</source>
            <translation>%1 en un solo disco, %2</translation>
        </message>
        <message>
            <source>%1 of %2; %3 in copies beyond the first</source>
            <translation>%1 de %2; %3 en copias además de la primera</translation>
        </message>
        <message>
            <source> (%1 in %2)</source>
            <translation> (%1 en %2)</translation>
        </message>
        <message>
            <source> (stopped)</source>
            <translation> (detenido)</translation>
        </message>
        <message>
            <source>; sizes unknown in %1: their files count as copies by name and type</source>
            <translation>; tamaños desconocidos en %1: sus archivos cuentan como copias por nombre y tipo</translation>
        </message>
        <message>
            <source>; not read: %1</source>
            <translation>; no leídos: %1</translation>
        </message>
        <message>
            <source>%1: %2 of %3, %4</source>
            <translation>%1: %2 de %3, %4</translation>
        </message>
        <message>
            <source>Counting</source>
            <translation>Contando</translation>
        </message>
        <message>
            <source>Listing</source>
            <translation>Listando</translation>
        </message>
        <message>
            <source>Files found</source>
            <translation>Archivos encontrados</translation>
        </message>
        <message>
            <source> (%1 in %2 of %3)</source>
            <translation> (%1 en %2 de %3)</translation>
        </message>
        <message>
            <source>; older catalogues of a drive catalogued again, read as history: %1</source>
            <translation>; catálogos antiguos de una unidad catalogada de nuevo, leídos como historial: %1</translation>
        </message>
        <message>
            <source>; %1 is damaged: the sizes it does not give count as unknown</source>
            <translation>; %1 está dañado: los tamaños que no da cuentan como desconocidos</translation>
        </message>
    </context>
    <context>
        <name>kestrova::DefaultPathDialog</name>
        <message>
            <source>Set Default Path</source>
            <translation>Establecer ruta predeterminada</translation>
        </message>
        <message>
            <source>Tips: This screen is to set the default path. This path will be effective both while generating the Catalogue file and when trying to find files in the report.</source>
            <translation>Consejo: esta pantalla sirve para establecer la ruta predeterminada. Esta ruta se usa tanto al generar el archivo de catálogo como al buscar archivos en el informe.</translation>
        </message>
        <message>
            <source>Current Default Path</source>
            <translation>Ruta predeterminada actual</translation>
        </message>
        <message>
            <source>&amp;Browse</source>
            <translation>&amp;Examinar</translation>
        </message>
        <message>
            <source>&amp;Set</source>
            <translation>Es&amp;tablecer</translation>
        </message>
        <message>
            <source>&amp;Remove</source>
            <translation>&amp;Quitar</translation>
        </message>
        <message>
            <source>&amp;Close</source>
            <translation>&amp;Cerrar</translation>
        </message>
        <message>
            <source>Please select the path.</source>
            <translation>Seleccione la ruta.</translation>
        </message>
        <message>
            <source>This will over-write your default path?</source>
            <translation>Esto sobrescribirá su ruta predeterminada. ¿Continuar?</translation>
        </message>
        <message>
            <source>Your default path will  be cleared permenantly?</source>
            <translation>Su ruta predeterminada se borrará de forma permanente. ¿Continuar?</translation>
        </message>
        <message>
            <source>File doesn&apos;t exist!</source>
            <translation>¡El archivo no existe!</translation>
        </message>
    </context>
    <context>
        <name>kestrova::DrivesWindow</name>
        <message>
            <source>Drives</source>
            <translation>Discos</translation>
        </message>
        <message>
            <source>Catalogues &amp;folder</source>
            <translation>&amp;Carpeta de catálogos</translation>
        </message>
        <message>
            <source>Catalogues folder (choose)</source>
            <translation>Carpeta de catálogos (elegir)</translation>
        </message>
        <message>
            <source>&amp;Refresh</source>
            <translation>&amp;Actualizar</translation>
        </message>
        <message>
            <source>Catalogue File</source>
            <translation>Archivo de catálogo</translation>
        </message>
        <message>
            <source>Label</source>
            <translation>Etiqueta</translation>
        </message>
        <message>
            <source>UUID</source>
            <translation>UUID</translation>
        </message>
        <message>
            <source>File System</source>
            <translation>Sistema de archivos</translation>
        </message>
        <message>
            <source>Capacity</source>
            <translation>Capacidad</translation>
        </message>
        <message>
            <source>Free</source>
            <translation>Libre</translation>
        </message>
        <message>
            <source>Files</source>
            <translation>Archivos</translation>
        </message>
        <message>
            <source>Total Size</source>
            <translation>Tamaño total</translation>
        </message>
        <message>
            <source>Catalogued</source>
            <translation>Catalogado</translation>
        </message>
        <message>
            <source>Connected</source>
            <translation>Conectado</translation>
        </message>
        <message>
            <source>&amp;Open Folder</source>
            <translation>Abrir car&amp;peta</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Cerrar</translation>
        </message>
        <message>
            <source>Choose the folder of catalogues</source>
            <translation>Elegir la carpeta de catálogos</translation>
        </message>
        <message>
            <source>no</source>
            <translation>no</translation>
        </message>
        <message>
            <source>The drive&apos;s folder %1 could not be opened.</source>
            <translation>No se pudo abrir la carpeta %1 del disco.</translation>
        </message>
        <message>
            <source>Drives catalogued</source>
            <translation>Discos catalogados</translation>
        </message>
        <message>
            <source>Drive</source>
            <translation>Unidad</translation>
        </message>
        <message>
            <source>Older Catalogues</source>
            <translation>Catálogos anteriores</translation>
        </message>
        <message>
            <source>older</source>
            <translation>anterior</translation>
        </message>
        <message>
            <source>Notes on the facts</source>
            <translation>Notas sobre los datos</translation>
        </message>
    </context>
    <context>
        <name>kestrova::HitActions</name>
        <message>
            <source>&amp;Open</source>
            <translation>&amp;Abrir</translation>
        </message>
        <message>
            <source>Show in &amp;Folder</source>
            <translation>Mostrar en la &amp;carpeta</translation>
        </message>
        <message>
            <source>&amp;Copy Path</source>
            <translation>Copiar &amp;ruta</translation>
        </message>
        <message>
            <source>Copy &amp;Name</source>
            <translation>Copiar &amp;nombre</translation>
        </message>
        <message>
            <source>&amp;Run/Copy Path...</source>
            <translation>&amp;Ejecutar/copiar ruta...</translation>
        </message>
        <message>
            <source>&amp;Export Results...</source>
            <translation>E&amp;xportar resultados...</translation>
        </message>
        <message>
            <source>%1 is on the drive %2, which is not connected. Connect it to reach the file.
It was catalogued in %3.</source>
            <translation>%1 está en el disco %2, que no está conectado. Conéctelo para llegar al archivo.
Se catalogó en %3.</translation>
        </message>
        <message>
            <source>%1 is not there any more.
It was catalogued in %2.</source>
            <translation>%1 ya no está.
Se catalogó en %2.</translation>
        </message>
        <message>
            <source>%1 is on a drive that is not connected: the folder %2 is missing.
It was catalogued in %3.</source>
            <translation>%1 está en un disco que no está conectado: falta la carpeta %2.
Se catalogó en %3.</translation>
        </message>
        <message>
            <source>%1 could not be opened: %2</source>
            <translation>No se pudo abrir %1: %2</translation>
        </message>
        <message>
            <source>The folder %1 could not be opened: %2
No file manager answers, and no program is set to open folders.</source>
            <translation>No se pudo abrir la carpeta %1: %2
Ningún gestor de archivos responde y no hay ningún programa configurado para abrir carpetas.</translation>
        </message>
        <message>
            <source>CSV (*.csv)</source>
            <translation>CSV (*.csv)</translation>
        </message>
        <message>
            <source>Tab-separated text (*.tsv)</source>
            <translation>Texto separado por tabulaciones (*.tsv)</translation>
        </message>
        <message>
            <source>%1 is in the folder of catalogues %2: the next search there reads it as a catalogue, as it reads every file there.
Save it there anyway?</source>
            <translation>%1 está en la carpeta de catálogos %2: la próxima búsqueda allí lo leerá como un catálogo, igual que cada archivo de esa carpeta.
¿Guardarlo allí de todos modos?</translation>
        </message>
        <message>
            <source>The results could not be written to %1:
%2</source>
            <translation>No se pudieron escribir los resultados en %1:
%2</translation>
        </message>
        <message>
            <source>Show in Ca&amp;talogue</source>
            <translation>Mostrar en el ca&amp;tálogo</translation>
        </message>
    </context>
    <context>
        <name>kestrova::MainWindow</name>
        <message>
            <source>Select Drive/Folder </source>
            <translation>Seleccionar disco/carpeta </translation>
        </message>
        <message>
            <source>Select Drive</source>
            <translation>Disco</translation>
        </message>
        <message>
            <source>Select Folder</source>
            <translation>Carpeta</translation>
        </message>
        <message>
            <source>Please select the Drive or Folder you want to generate its Catalogue.</source>
            <translation>Seleccione el disco o la carpeta cuyo catálogo quiere generar.</translation>
        </message>
        <message>
            <source>Process Details</source>
            <translation>Progreso</translation>
        </message>
        <message>
            <source>Current Folder</source>
            <translation>Carpeta actual</translation>
        </message>
        <message>
            <source>Current File</source>
            <translation>Archivo actual</translation>
        </message>
        <message>
            <source>&amp;Details...</source>
            <translation>&amp;Detalles...</translation>
        </message>
        <message>
            <source>What the last run could not read</source>
            <translation>Lo que la última ejecución no pudo leer</translation>
        </message>
        <message>
            <source>&amp;Generate Catalogue</source>
            <translation>&amp;Generar catálogo</translation>
        </message>
        <message>
            <source>&amp;View Catalogue</source>
            <translation>&amp;Ver catálogo</translation>
        </message>
        <message>
            <source>&amp;Find Files </source>
            <translation>&amp;Buscar archivos </translation>
        </message>
        <message>
            <source>&amp;Set Default Path</source>
            <translation>&amp;Ruta por defecto</translation>
        </message>
        <message>
            <source>E&amp;xit</source>
            <translation>&amp;Salir</translation>
        </message>
        <message>
            <source>File</source>
            <translation>Archivo</translation>
        </message>
        <message>
            <source>Generate Catalogue</source>
            <translation>Generar catálogo</translation>
        </message>
        <message>
            <source>Find Files</source>
            <translation>Buscar archivos</translation>
        </message>
        <message>
            <source>Exit</source>
            <translation>Salir</translation>
        </message>
        <message>
            <source>Tools</source>
            <translation>Herramientas</translation>
        </message>
        <message>
            <source>Set Default Path</source>
            <translation>Establecer ruta predeterminada</translation>
        </message>
        <message>
            <source>Compare Catalogues...</source>
            <translation>Comparar catálogos...</translation>
        </message>
        <message>
            <source>Drives...</source>
            <translation>Discos...</translation>
        </message>
        <message>
            <source>Copies...</source>
            <translation>Copias...</translation>
        </message>
        <message>
            <source>Help</source>
            <translation>Ayuda</translation>
        </message>
        <message>
            <source>About</source>
            <translation>Acerca de</translation>
        </message>
        <message>
            <source>%1: %2, the default path kept by Set Default Path.
Connect its drive, or choose another folder with Set Default Path.</source>
            <translation>%1: %2, la ruta predeterminada guardada con «Establecer ruta predeterminada».
Conecte su disco o elija otra carpeta con «Establecer ruta predeterminada».</translation>
        </message>
        <message>
            <source>A catalogue is being generated.</source>
            <translation>Se está generando un catálogo.</translation>
        </message>
        <message>
            <source>Text (*.txt)</source>
            <translation>Texto (*.txt)</translation>
        </message>
        <message>
            <source>Progress of the run</source>
            <translation>Progreso de la operación</translation>
        </message>
        <message>
            <source>The catalogue %1 would be written inside the folder it catalogues, %2, and would list itself.
Catalogue the folder anyway?</source>
            <translation>El catálogo %1 se escribiría dentro de la carpeta que cataloga, %2, y se listaría a sí mismo.
¿Catalogar la carpeta de todos modos?</translation>
        </message>
        <message>
            <source>Quick Find...</source>
            <translation>Búsqueda rápida...</translation>
        </message>
        <message>
            <source>Browse Catalogue...</source>
            <translation>Explorar catálogo...</translation>
        </message>
    </context>
    <context>
        <name>kestrova::ReadFailuresDialog</name>
        <message>
            <source>Could Not Be Read</source>
            <translation>No se pudo leer</translation>
        </message>
        <message>
            <source>What the last run could not read; the rest of its catalogue is complete:</source>
            <translation>Lo que la última ejecución no pudo leer; el resto de su catálogo está completo:</translation>
        </message>
        <message>
            <source>What could not be read</source>
            <translation>Lo que no se pudo leer</translation>
        </message>
        <message>
            <source>&amp;Copy</source>
            <translation>&amp;Copiar</translation>
        </message>
    </context>
    <context>
        <name>kestrova::RunCopyWindow</name>
        <message>
            <source>Run/Copy path</source>
            <translation>Ejecutar/copiar ruta</translation>
        </message>
        <message>
            <source>Run</source>
            <translation>Ejecutar</translation>
        </message>
        <message>
            <source>Copy</source>
            <translation>Copiar</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Cerrar</translation>
        </message>
        <message>
            <source>Path</source>
            <translation>Ruta</translation>
        </message>
    </context>
    <context>
        <name>kestrova::SearchWindow</name>
        <message>
            <source>Catalogues whose dates cannot be read</source>
            <translation>Catálogos cuyas fechas no se pueden leer</translation>
        </message>
        <message>
            <source>Dates not readable: %1</source>
            <translation>Fechas ilegibles: %1</translation>
        </message>
        <message>
            <source>Search</source>
            <translation>Búsqueda</translation>
        </message>
        <message>
            <source>   Search Indicator</source>
            <translation>   Indicador de búsqueda</translation>
        </message>
        <message>
            <source>Total Records Matched</source>
            <translation>Entradas encontradas</translation>
        </message>
        <message>
            <source>Total Records Matched: %1</source>
            <translation>Entradas encontradas: %1</translation>
        </message>
        <message>
            <source>Current Path</source>
            <translation>Ruta actual</translation>
        </message>
        <message>
            <source>File Path</source>
            <translation>Ruta del archivo</translation>
        </message>
        <message>
            <source>File Type</source>
            <translation>Tipo de archivo</translation>
        </message>
        <message>
            <source>Created</source>
            <translation>Creado</translation>
        </message>
        <message>
            <source>Catalogue File</source>
            <translation>Archivo de catálogo</translation>
        </message>
        <message>
            <source>Size</source>
            <translation>Tamaño</translation>
        </message>
        <message>
            <source>Modified</source>
            <translation>Modificado</translation>
        </message>
        <message>
            <source>Please select an item.</source>
            <translation>Seleccione un elemento.</translation>
        </message>
        <message>
            <source>Please select the folder that the Catalogue files are located, unless the default path is set.</source>
            <translation>Seleccione la carpeta de los archivos de catálogo, salvo que haya una ruta predeterminada.</translation>
        </message>
        <message>
            <source>Please enter the exact name or partial name of the file you are searching for.</source>
            <translation>Escriba el nombre exacto o parte del nombre del archivo que busca.</translation>
        </message>
        <message>
            <source>Type Search Criteria</source>
            <translation>Criterio de búsqueda</translation>
        </message>
        <message>
            <source>No Case Sensitive</source>
            <translation>Sin mayúsculas</translation>
        </message>
        <message>
            <source>Case Sensitive</source>
            <translation>Con mayúsculas</translation>
        </message>
        <message>
            <source>Date &gt; than</source>
            <translation>Fecha posterior</translation>
        </message>
        <message>
            <source>&amp;Search</source>
            <translation>&amp;Buscar</translation>
        </message>
        <message>
            <source>Stop</source>
            <translation>Detener</translation>
        </message>
        <message>
            <source>&amp;Close</source>
            <translation>&amp;Cerrar</translation>
        </message>
        <message>
            <source>Double click to grab file path to run.</source>
            <translation>Doble clic para tomar la ruta y ejecutarla.</translation>
        </message>
        <message>
            <source>Created after</source>
            <translation>Creado después de</translation>
        </message>
        <message>
            <source>Search criteria</source>
            <translation>Texto buscado</translation>
        </message>
        <message>
            <source>Drive of the catalogues</source>
            <translation>Disco de los catálogos</translation>
        </message>
        <message>
            <source>Folder of the catalogues</source>
            <translation>Carpeta de los catálogos</translation>
        </message>
        <message>
            <source>Files found</source>
            <translation>Archivos encontrados</translation>
        </message>
        <message>
            <source>Turns from red to green and back with each hit found</source>
            <translation>Cambia de rojo a verde y viceversa con cada resultado</translation>
        </message>
        <message numerus="yes">
            <source>Stopped: %Ln hit(s) so far</source>
            <translation>
                <numerusform>Detenido: %Ln resultado hasta ahora</numerusform>
                <numerusform>Detenido: %Ln resultados hasta ahora</numerusform>
            </translation>
        </message>
        <message>
            <source>&amp;View</source>
            <translation>&amp;Ver</translation>
        </message>
    </context>
    <context>
        <name>Query</name>
        <message>
            <source>the query has " at %1 without its closing "</source>
            <translation>la consulta tiene " en la posición %1 sin su " de cierre</translation>
        </message>
        <message>
            <source>the query has "case:" at %1 with a value; it takes none</source>
            <translation>la consulta tiene "case:" en la posición %1 con un valor; no admite ninguno</translation>
        </message>
        <message>
            <source>the query is empty</source>
            <translation>la consulta está vacía</translation>
        </message>
        <message>
            <source>the query has ")" at %1 without its "("</source>
            <translation>la consulta tiene ")" en la posición %1 sin su "("</translation>
        </message>
        <message>
            <source>the query has "%1" at %2 with nothing after it</source>
            <translation>la consulta tiene "%1" en la posición %2 sin nada detrás</translation>
        </message>
        <message>
            <source>the query has "%1" at %2 with nothing before it</source>
            <translation>la consulta tiene "%1" en la posición %2 sin nada delante</translation>
        </message>
        <message>
            <source>the query has "(" at %1 with nothing after it</source>
            <translation>la consulta tiene "(" en la posición %1 sin nada detrás</translation>
        </message>
        <message>
            <source>the query has "(" at %1 without its ")"</source>
            <translation>la consulta tiene "(" en la posición %1 sin su ")"</translation>
        </message>
        <message>
            <source>the query has an unknown field "%1:" at %2</source>
            <translation>la consulta tiene un campo desconocido "%1:" en la posición %2</translation>
        </message>
        <message>
            <source>the query has "%1:" at %2 without a value</source>
            <translation>la consulta tiene "%1:" en la posición %2 sin valor</translation>
        </message>
        <message>
            <source>the query has a size "%1" at %2 that does not read (sizes read like 0, 4096, &lt;1K, &gt;100M or 1M..4G)</source>
            <translation>la consulta tiene en la posición %2 un tamaño "%1" que no se puede leer (los tamaños se escriben 0, 4096, &lt;1K, &gt;100M o 1M..4G)</translation>
        </message>
        <message>
            <source>the query has a date "%1" at %2 that does not read (dates read like 2024, 2024-06, &gt;2024-06-01 or 2024-01..2024-03)</source>
            <translation>la consulta tiene en la posición %2 una fecha "%1" que no se puede leer (las fechas se escriben 2024, 2024-06, &gt;2024-06-01 o 2024-01..2024-03)</translation>
        </message>
        <message>
            <source>the query has a regular expression "%1" at %2 that does not compile: %3</source>
            <translation>la consulta tiene en la posición %2 una expresión regular "%1" que no se puede compilar: %3</translation>
        </message>
    </context>
    <context>
        <name>QueryHelp</name>
        <message>
            <source>names that hold the text, letter case aside</source>
            <translation>los nombres que contienen el texto, sin distinguir mayúsculas</translation>
        </message>
        <message>
            <source>names that match the pattern whole: * any characters, ? one</source>
            <translation>los nombres que encajan enteros en el patrón: * cualquier carácter, ? uno</translation>
        </message>
        <message>
            <source>terms separated by blanks must all match</source>
            <translation>los términos separados por espacios deben coincidir todos</translation>
        </message>
        <message>
            <source>either term matches</source>
            <translation>coincide cualquiera de los términos</translation>
        </message>
        <message>
            <source>the term must not match</source>
            <translation>el término no debe coincidir</translation>
        </message>
        <message>
            <source>parentheses group terms</source>
            <translation>los paréntesis agrupan términos</translation>
        </message>
        <message>
            <source>one term with its blank, taken as it stands</source>
            <translation>un solo término con su espacio, tomado tal cual</translation>
        </message>
        <message>
            <source>the full path (folder and name) holds the text</source>
            <translation>la ruta completa (carpeta y nombre) contiene el texto</translation>
        </message>
        <message>
            <source>the name&apos;s extension is one of these</source>
            <translation>la extensión del nombre es una de estas</translation>
        </message>
        <message>
            <source>the file type holds the text</source>
            <translation>el tipo de archivo contiene el texto</translation>
        </message>
        <message>
            <source>the catalogue&apos;s file name or the drive&apos;s label holds the text</source>
            <translation>el nombre de archivo del catálogo o la etiqueta de la unidad contiene el texto</translation>
        </message>
        <message>
            <source>the size (K, M, G, T: powers of 1024); files of unknown size never match</source>
            <translation>el tamaño (K, M, G, T: potencias de 1024); los archivos de tamaño desconocido nunca coinciden</translation>
        </message>
        <message>
            <source>the last modification: a year, a month, a day, after, before or a range</source>
            <translation>la última modificación: un año, un mes, un día, después, antes o un intervalo</translation>
        </message>
        <message>
            <source>the Created column, read as a date, in the same forms</source>
            <translation>la columna Creado, leída como fecha, en las mismas formas</translation>
        </message>
        <message>
            <source>the name matches the regular expression</source>
            <translation>el nombre coincide con la expresión regular</translation>
        </message>
        <message>
            <source>anywhere in the query: letter case must match</source>
            <translation>en cualquier lugar de la consulta: las mayúsculas deben coincidir</translation>
        </message>
    </context>
    <context>
        <name>kestrova::QuickFindWindow</name>
        <message>
            <source>Quick Find</source>
            <translation>Búsqueda rápida</translation>
        </message>
        <message>
            <source>&amp;Find</source>
            <translation>&amp;Buscar</translation>
        </message>
        <message>
            <source>words of the name, ext:jpg, size:&gt;100M, modified:2024 ... (F1: the whole language)</source>
            <translation>palabras del nombre, ext:jpg, size:&gt;100M, modified:2024 ... (F1: todo el lenguaje)</translation>
        </message>
        <message>
            <source>Query language help</source>
            <translation>Ayuda del lenguaje de consulta</translation>
        </message>
        <message>
            <source>The query language (F1)</source>
            <translation>El lenguaje de consulta (F1)</translation>
        </message>
        <message>
            <source>Query error</source>
            <translation>Error de la consulta</translation>
        </message>
        <message>
            <source>Catalogues f&amp;older</source>
            <translation>Carpeta de catál&amp;ogos</translation>
        </message>
        <message>
            <source>Catalogues folder (choose)</source>
            <translation>Carpeta de catálogos (elegir)</translation>
        </message>
        <message>
            <source>Files found</source>
            <translation>Archivos encontrados</translation>
        </message>
        <message>
            <source>File Path</source>
            <translation>Ruta del archivo</translation>
        </message>
        <message>
            <source>File Type</source>
            <translation>Tipo de archivo</translation>
        </message>
        <message>
            <source>Created</source>
            <translation>Creado</translation>
        </message>
        <message>
            <source>Catalogue File</source>
            <translation>Archivo de catálogo</translation>
        </message>
        <message>
            <source>Size</source>
            <translation>Tamaño</translation>
        </message>
        <message>
            <source>Modified</source>
            <translation>Modificado</translation>
        </message>
        <message>
            <source>Hits and catalogues read</source>
            <translation>Resultados y catálogos leídos</translation>
        </message>
        <message>
            <source>&amp;Export Results...</source>
            <translation>E&amp;xportar resultados...</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Cerrar</translation>
        </message>
        <message>
            <source>%1 from %2 read</source>
            <translation>%1 en %2 leídos</translation>
        </message>
        <message>
            <source>Searching ... %1</source>
            <translation>Buscando ... %1</translation>
        </message>
        <message>
            <source>not read: %1 (%2)</source>
            <translation>no leído: %1 (%2)</translation>
        </message>
        <message>
            <source>Choose the folder of catalogues</source>
            <translation>Elegir la carpeta de catálogos</translation>
        </message>
        <message>
            <source>Quick Find: the query language</source>
            <translation>Búsqueda rápida: el lenguaje de consulta</translation>
        </message>
        <message>
            <source>Query language</source>
            <translation>Lenguaje de consulta</translation>
        </message>
    </context>
    <context>
        <name>kestrova::BrowserListModel</name>
        <message>
            <source>unknown</source>
            <translation>desconocido</translation>
        </message>
        <message>
            <source>%1 in %2</source>
            <translation>%1 en %2</translation>
        </message>
        <message>
            <source>%1, %2 without a size</source>
            <translation>%1, %2 sin tamaño</translation>
        </message>
        <message>
            <source>Name</source>
            <translation>Nombre</translation>
        </message>
        <message>
            <source>Type</source>
            <translation>Tipo</translation>
        </message>
        <message>
            <source>Created</source>
            <translation>Creado</translation>
        </message>
        <message>
            <source>Size</source>
            <translation>Tamaño</translation>
        </message>
        <message>
            <source>Modified</source>
            <translation>Modificado</translation>
        </message>
        <message>
            <source>Share</source>
            <translation>Proporción</translation>
        </message>
        <message>
            <source>Folder</source>
            <translation>Carpeta</translation>
        </message>
    </context>
    <context>
        <name>kestrova::BrowserTreeModel</name>
        <message>
            <source>(before any folder)</source>
            <translation>(antes de cualquier carpeta)</translation>
        </message>
    </context>
    <context>
        <name>kestrova::BrowserWindow</name>
        <message>
            <source>Totals of the folder</source>
            <translation>Totales de la carpeta</translation>
        </message>
        <message>
            <source>Browse Catalogue</source>
            <translation>Explorar catálogo</translation>
        </message>
        <message>
            <source>The drive&apos;s facts</source>
            <translation>Datos de la unidad</translation>
        </message>
        <message>
            <source>Back</source>
            <translation>Atrás</translation>
        </message>
        <message>
            <source>Forward</source>
            <translation>Adelante</translation>
        </message>
        <message>
            <source>Up</source>
            <translation>Subir</translation>
        </message>
        <message>
            <source>&amp;Folder</source>
            <translation>&amp;Carpeta</translation>
        </message>
        <message>
            <source>Folder path</source>
            <translation>Ruta de la carpeta</translation>
        </message>
        <message>
            <source>Folders</source>
            <translation>Carpetas</translation>
        </message>
        <message>
            <source>Entries of the folder</source>
            <translation>Entradas de la carpeta</translation>
        </message>
        <message>
            <source>&amp;Open Catalogue...</source>
            <translation>&amp;Abrir catálogo...</translation>
        </message>
        <message>
            <source>&amp;Export...</source>
            <translation>&amp;Exportar...</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Cerrar</translation>
        </message>
        <message>
            <source>Choose a catalogue</source>
            <translation>Elegir un catálogo</translation>
        </message>
        <message>
            <source>Catalogues (*.txt);;All files (*)</source>
            <translation>Catálogos (*.txt);;Todos los archivos (*)</translation>
        </message>
        <message>
            <source>Browse Catalogue - %1</source>
            <translation>Explorar catálogo - %1</translation>
        </message>
        <message>
            <source>(before any folder)</source>
            <translation>(antes de cualquier carpeta)</translation>
        </message>
        <message>
            <source>%1 and %2 here; %3 in %4 under it</source>
            <translation>%1 y %2 aquí; %3 en %4 por debajo</translation>
        </message>
        <message>
            <source>size unknown</source>
            <translation>tamaño desconocido</translation>
        </message>
        <message>
            <source>%1, %2 without a size</source>
            <translation>%1, %2 sin tamaño</translation>
        </message>
        <message>
            <source>The catalogue holds no folder %1.</source>
            <translation>El catálogo no contiene ninguna carpeta %1.</translation>
        </message>
        <message>
            <source>Catalogued %1. No facts beside the catalogue: sizes and times are not known.</source>
            <translation>Catalogado %1. No hay datos junto al catálogo: tamaños y fechas desconocidos.</translation>
        </message>
        <message>
            <source>unknown</source>
            <translation>desconocido</translation>
        </message>
        <message>
            <source>not known whether connected</source>
            <translation>no se sabe si está conectada</translation>
        </message>
        <message>
            <source>connected at %1</source>
            <translation>conectada en %1</translation>
        </message>
        <message>
            <source>not connected</source>
            <translation>no conectada</translation>
        </message>
        <message>
            <source>&lt;b&gt;%1&lt;/b&gt; (%2), capacity %3, %4 free; catalogued %5 from %6; %7</source>
            <translation>&lt;b&gt;%1&lt;/b&gt; (%2), capacidad %3, %4 libres; catalogado el %5 desde %6; %7</translation>
        </message>
        <message>
            <source>no label</source>
            <translation>sin etiqueta</translation>
        </message>
    </context>
</TS>
