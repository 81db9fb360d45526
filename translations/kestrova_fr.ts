<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
    <context>
        <name>CatalogueFacts</name>
        <message>
            <source>%1 is not yours alone (a link, another user&apos;s, or others may write to it): the facts in it are left aside</source>
            <translation>%1 n&apos;est pas à vous seul (un lien, à un autre utilisateur, ou d&apos;autres peuvent y écrire) : les données qu&apos;il contient sont ignorées</translation>
        </message>
    </context>
    <context>
        <name>CompareWindow</name>
        <message>
            <source>Added</source>
            <translation>Ajouté</translation>
        </message>
        <message>
            <source>Removed</source>
            <translation>Supprimé</translation>
        </message>
        <message>
            <source>Changed</source>
            <translation>Modifié</translation>
        </message>
        <message>
            <source>Folder added</source>
            <translation>Dossier ajouté</translation>
        </message>
        <message>
            <source>Folder removed</source>
            <translation>Dossier supprimé</translation>
        </message>
        <message>
            <source>Created anew</source>
            <translation>Recréé</translation>
        </message>
        <message>
            <source>size %1 → %2</source>
            <translation>taille %1 → %2</translation>
        </message>
        <message>
            <source>modified %1 → %2</source>
            <translation>modifié %1 → %2</translation>
        </message>
        <message>
            <source>created %1 → %2</source>
            <translation>créé %1 → %2</translation>
        </message>
        <message>
            <source>type %1 → %2</source>
            <translation>type %1 → %2</translation>
        </message>
        <message>
            <source>unknown</source>
            <translation>inconnue</translation>
        </message>
    </context>
    <context>
        <name>Counts</name>
        <message numerus="yes">
            <source>%1 folder(s) added</source>
            <translation>
                <numerusform>%1 dossier ajouté</numerusform>
                <numerusform>%1 dossiers ajoutés</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%1 folder(s) removed</source>
            <translation>
                <numerusform>%1 dossier supprimé</numerusform>
                <numerusform>%1 dossiers supprimés</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%1 file(s)</source>
            <translation>
                <numerusform>%1 fichier</numerusform>
                <numerusform>%1 fichiers</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%1 copy(ies)</source>
            <translation>
                <numerusform>%1 copie</numerusform>
                <numerusform>%1 copies</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%1 catalogue(s)</source>
            <translation>
                <numerusform>%1 catalogue</numerusform>
                <numerusform>%1 catalogues</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%1 folder(s)</source>
            <translation>
                <numerusform>%1 dossier</numerusform>
                <numerusform>%1 dossiers</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%1 catalogue(s)</source>
            <comment>after in</comment>
            <translation>
                <numerusform>%1 catalogue</numerusform>
                <numerusform>%1 catalogues</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%1 hit(s)</source>
            <translation>
                <numerusform>%1 résultat</numerusform>
                <numerusform>%1 résultats</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%1 file(s) whose created time alone differs (no change)</source>
            <translation>
                <numerusform>%1 fichier dont seule la date de création diffère (aucune modification)</numerusform>
                <numerusform>%1 fichiers dont seule la date de création diffère (aucune modification)</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%1 drive(s)</source>
            <translation>
                <numerusform>%1 lecteur</numerusform>
                <numerusform>%1 lecteurs</numerusform>
            </translation>
        </message>
    </context>
    <context>
        <name>DriveFolderLists</name>
        <message>
            <source>Path not found</source>
            <translation>Chemin introuvable</translation>
        </message>
        <message>
            <source>Disk not ready</source>
            <translation>Disque non prêt</translation>
        </message>
        <message>
            <source>Permission denied</source>
            <translation>Permission refusée</translation>
        </message>
    </context>
    <context>
        <name>Error</name>
        <message>
            <source>Not a regular file</source>
            <translation>Ce n&apos;est pas un fichier ordinaire</translation>
        </message>
        <message>
            <source>Not a catalogue: its first line is no catalogue header</source>
            <translation>Ce n&apos;est pas un catalogue : sa première ligne n&apos;est pas un en-tête de catalogue</translation>
        </message>
        <message>
            <source>More than %1 catalogues in one folder</source>
            <translation>Plus de %1 catalogues dans un même dossier</translation>
        </message>
        <message>
            <source>The desktop launcher xdg-open is not installed</source>
            <translation>Le lanceur du bureau xdg-open n&apos;est pas installé</translation>
        </message>
        <message>
            <source>File not found</source>
            <translation>Fichier introuvable</translation>
        </message>
        <message>
            <source>Invalid procedure call or argument</source>
            <translation>Appel de procédure ou argument incorrect</translation>
        </message>
        <message>
            <source>Out of memory</source>
            <translation>Mémoire insuffisante</translation>
        </message>
        <message>
            <source>Permission denied</source>
            <translation>Permission refusée</translation>
        </message>
        <message>
            <source>Path not found</source>
            <translation>Chemin introuvable</translation>
        </message>
        <message>
            <source>Disk full</source>
            <translation>Disque plein</translation>
        </message>
        <message>
            <source>Device I/O error</source>
            <translation>Erreur d&apos;entrée/sortie du périphérique</translation>
        </message>
        <message>
            <source>Disk not ready</source>
            <translation>Disque non prêt</translation>
        </message>
        <message>
            <source>Input past end of file</source>
            <translation>Lecture au-delà de la fin du fichier</translation>
        </message>
        <message>
            <source>More folders than a comparison can hold</source>
            <translation>Plus de dossiers qu’une comparaison ne peut en contenir</translation>
        </message>
        <message>
            <source>More folders than a tree can hold</source>
            <translation>Plus de dossiers qu’un arbre ne peut en contenir</translation>
        </message>
        <message>
            <source>The catalogue has changed since it was read</source>
            <translation>Le catalogue a changé depuis sa lecture</translation>
        </message>
    </context>
    <context>
        <name>MainWindow</name>
        <message>
            <source>File not found</source>
            <translation>Fichier introuvable</translation>
        </message>
        <message>
            <source>Path not found</source>
            <translation>Chemin introuvable</translation>
        </message>
        <message>
            <source>Access denied</source>
            <translation>Accès refusé</translation>
        </message>
        <message>
            <source>Out of memory</source>
            <translation>Mémoire insuffisante</translation>
        </message>
        <message>
            <source>Invalid EXE file or error in EXE image</source>
            <translation>Fichier EXE non valide ou erreur dans l’image EXE</translation>
        </message>
        <message>
            <source>A sharing violation occurred</source>
            <translation>Une violation de partage s’est produite</translation>
        </message>
        <message>
            <source>Incomplete or invalid file association</source>
            <translation>Association de fichier incomplète ou non valide</translation>
        </message>
        <message>
            <source>DDE Time out</source>
            <translation>Délai DDE dépassé</translation>
        </message>
        <message>
            <source>DDE transaction failed</source>
            <translation>Échec de la transaction DDE</translation>
        </message>
        <message>
            <source>DDE busy</source>
            <translation>DDE occupé</translation>
        </message>
        <message>
            <source>No association for file extension</source>
            <translation>Aucune association pour cette extension de fichier</translation>
        </message>
        <message>
            <source>DLL not found</source>
            <translation>DLL introuvable</translation>
        </message>
        <message>
            <source>Unknown error</source>
            <translation>Erreur inconnue</translation>
        </message>
    </context>
    <context>
        <name>MessageService</name>
        <message>
            <source>%1 already exists.
Do you want to replace it?</source>
            <translation>%1 existe déjà.
Voulez-vous le remplacer ?</translation>
        </message>
    </context>
    <context>
        <name>RunCopyWindow</name>
        <message>
            <source>File not found ...</source>
            <translation>Fichier introuvable ...</translation>
        </message>
        <message>
            <source>Path not found ...</source>
            <translation>Chemin introuvable ...</translation>
        </message>
        <message>
            <source>Access denied ...</source>
            <translation>Accès refusé ...</translation>
        </message>
        <message>
            <source>Out of memory</source>
            <translation>Mémoire insuffisante</translation>
        </message>
        <message>
            <source>Invalid EXE file or error in EXE image ...</source>
            <translation>Fichier EXE non valide ou erreur dans l’image EXE ...</translation>
        </message>
        <message>
            <source>A sharing violation occurred ...</source>
            <translation>Une violation de partage s’est produite ...</translation>
        </message>
        <message>
            <source>Incomplete or invalid file association</source>
            <translation>Association de fichier incomplète ou non valide</translation>
        </message>
        <message>
            <source>DDE Time out ...</source>
            <translation>Délai DDE dépassé ...</translation>
        </message>
        <message>
            <source>DDE transaction failed ...</source>
            <translation>Échec de la transaction DDE ...</translation>
        </message>
        <message>
            <source>DDE busy</source>
            <translation>DDE occupé</translation>
        </message>
        <message>
            <source>No association for file extension ...</source>
            <translation>Aucune association pour cette extension de fichier ...</translation>
        </message>
        <message>
            <source>DLL not found ...</source>
            <translation>DLL introuvable ...</translation>
        </message>
        <message>
            <source>Unknown error</source>
            <translation>Erreur inconnue</translation>
        </message>
    </context>
    <context>
        <name>RunProgress</name>
        <message>
            <source>Do not show these messages again during this run</source>
            <translation>Ne plus afficher ces messages pendant cette exécution</translation>
        </message>
        <message>
            <source>Finished ...</source>
            <translation>Terminé ...</translation>
        </message>
        <message>
            <source>%1, %2, %3</source>
            <translation>%1, %2, %3</translation>
        </message>
        <message>
            <source>Done: %1, %2 in %3</source>
            <translation>Terminé : %1, %2 en %3</translation>
        </message>
        <message>
            <source>; %1 could not be read</source>
            <translation>; %1 n’ont pas pu être lus</translation>
        </message>
        <message>
            <source>; no facts written beside it</source>
            <translation>; aucune donnée écrite à côté</translation>
        </message>
        <message>
            <source>... and %1 more</source>
            <translation>... et %1 de plus</translation>
        </message>
        <message>
            <source>The folder could not be opened; the catalogue there was left as it was</source>
            <translation>Le dossier n&apos;a pas pu être ouvert ; le catalogue déjà présent a été laissé tel quel</translation>
        </message>
    </context>
    <context>
        <name>SearchWindow</name>
        <message>
            <source>The facts beside %1 cannot be read and are left aside: %2</source>
            <translation>Les données à côté de %1 sont illisibles et sont ignorées : %2</translation>
        </message>
        <message>
            <source>The dates in %1 cannot be read: the date filter passes none of its entries.</source>
            <translation>Les dates de %1 sont illisibles : le filtre de date n’en retient aucune entrée.</translation>
        </message>
        <message>
            <source>Searching ...</source>
            <translation>Recherche ...</translation>
        </message>
        <message>
            <source>Finshied ...</source>
            <extracomment>Misspelt in English on purpose; translate it as a plain "Finished ...".</extracomment>
            <translation>Terminé ...</translation>
        </message>
        <message>
            <source>Stopped ...</source>
            <translation>Arrêté ...</translation>
        </message>
        <message>
            <source>Please make sure you have selected the folder with Catalogues files in it. or<byte value="xd"/>Alternatively, please set the Default Current Path before searching.</source>
            <translation>Assurez-vous d’avoir sélectionné le dossier contenant les fichiers de catalogue.<byte value="xd"/>Ou bien définissez le chemin par défaut avant de rechercher.</translation>
        </message>
    </context>
    <context>
        <name>kestrova</name>
        <message>
            <source>Catalogues drives and folders, and searches the catalogues. kestrova-cli does the same from scripts.</source>
            <translation>Catalogue des disques et des dossiers, et cherche dans les catalogues. kestrova-cli fait de même depuis des scripts.</translation>
        </message>
    </context>
    <context>
        <name>kestrova-cli</name>
        <message>
            <source>: wrong number of arguments
</source>
            <translation> : nombre d’arguments incorrect
</translation>
        </message>
        <message>
            <source>kestrova-cli %1: --jobs takes a number from 1 to 256</source>
            <translation>kestrova-cli %1 : --jobs attend un nombre de 1 à 256</translation>
        </message>
        <message>
            <source>kestrova-cli: %1 belongs to another user or others may write to it: no search index is kept there, and catalogues are read whole</source>
            <translation>kestrova-cli : %1 appartient à un autre utilisateur ou d’autres peuvent y écrire : aucun index de recherche n’y est gardé et les catalogues sont lus en entier</translation>
        </message>
        <message>
            <source>kestrova-cli: unknown command &apos;%1&apos;</source>
            <translation>kestrova-cli : commande inconnue « %1 »</translation>
        </message>
        <message>
            <source>kestrova-cli compare: --format takes tsv, csv or json</source>
            <translation>kestrova-cli compare : --format attend tsv, csv ou json</translation>
        </message>
        <message>
            <source>kestrova-cli compare: --root-as takes OLD_ROOT=NEW_ROOT</source>
            <translation>kestrova-cli compare : --root-as attend OLD_ROOT=NEW_ROOT</translation>
        </message>
        <message>
            <source>kestrova-cli compare: %1 ends part-way (its run was ended early)</source>
            <translation>kestrova-cli compare : %1 s’arrête en cours de route (son exécution a été interrompue)</translation>
        </message>
        <message>
            <source>kestrova-cli copies: give one of --single and --duplicates</source>
            <translation>kestrova-cli copies : indiquez --single ou --duplicates</translation>
        </message>
        <message>
            <source>kestrova-cli copies: --under goes with --single</source>
            <translation>kestrova-cli copies : --under va avec --single</translation>
        </message>
        <message>
            <source>kestrova-cli copies: --format takes tsv, csv or json</source>
            <translation>kestrova-cli copies : --format attend tsv, csv ou json</translation>
        </message>
        <message>
            <source>kestrova-cli copies: --min-size takes a size like 100M or 4G</source>
            <translation>kestrova-cli copies : --min-size attend une taille comme 100M ou 4G</translation>
        </message>
        <message>
            <source>kestrova-cli copies: sizes unknown in %1: their files count as copies by name and type</source>
            <translation>kestrova-cli copies : tailles inconnues dans %1 : leurs fichiers comptent comme copies par nom et type</translation>
        </message>
        <message>
            <source>kestrova-cli drives: --format takes tsv, csv or json</source>
            <translation>kestrova-cli drives : --format attend tsv, csv ou json</translation>
        </message>
        <message>
            <source>kestrova-cli generate: ROOT and CATALOGUE must not be empty</source>
            <translation>kestrova-cli generate : ROOT et CATALOGUE ne doivent pas être vides</translation>
        </message>
        <message>
            <source>kestrova-cli generate: %1 is a folder; name a catalogue file</source>
            <translation>kestrova-cli generate : %1 est un dossier ; indiquez un fichier catalogue</translation>
        </message>
        <message>
            <source>kestrova-cli generate: the facts beside %1 could not be written (%2): sizes will not be known</source>
            <translation>kestrova-cli generate : les données à côté de %1 n’ont pas pu être écrites (%2) : les tailles resteront inconnues</translation>
        </message>
        <message>
            <source>: could not be indexed</source>
            <translation> : n’a pas pu être indexé</translation>
        </message>
        <message>
            <source>kestrova-cli search: CRITERIA must not be empty</source>
            <translation>kestrova-cli search : CRITERIA ne doit pas être vide</translation>
        </message>
        <message>
            <source>kestrova-cli search: --sort-column takes 0, 1, 2 or 3</source>
            <translation>kestrova-cli search : --sort-column attend 0, 1, 2 ou 3</translation>
        </message>
        <message>
            <source>kestrova-cli search: give --sort or --sort-column, not both</source>
            <translation>kestrova-cli search : indiquez --sort ou --sort-column, pas les deux</translation>
        </message>
        <message>
            <source>kestrova-cli search: --sort takes path, type, created, catalogue, size, modified or none</source>
            <translation>kestrova-cli search : --sort attend path, type, created, catalogue, size, modified ou none</translation>
        </message>
        <message>
            <source>kestrova-cli search: --format takes tsv, csv or json</source>
            <translation>kestrova-cli search : --format attend tsv, csv ou json</translation>
        </message>
        <message>
            <source>kestrova-cli search: --%1 takes a size like 4096, 100M or 4G</source>
            <translation>kestrova-cli search : --%1 attend une taille comme 4096, 100M ou 4G</translation>
        </message>
        <message>
            <source>kestrova-cli search: --after takes a date like 2003-06-14 or %1</source>
            <translation>kestrova-cli search : --after attend une date comme 2003-06-14 ou %1</translation>
        </message>
        <message>
            <source>kestrova-cli: cannot write the output: </source>
            <translation>kestrova-cli : impossible d’écrire la sortie : </translation>
        </message>
        <message>
            <source>kestrova-cli generate: the folder %1 could not be opened; %2 is left as it was</source>
            <translation>kestrova-cli generate : le dossier %1 n&apos;a pas pu être ouvert ; %2 est laissé tel quel</translation>
        </message>
        <message>
            <source>kestrova-cli generate: %1 is not yours alone (a link, another user&apos;s, or others may write to it), so no facts are kept in it: sizes will not be known</source>
            <translation>kestrova-cli generate : %1 n&apos;est pas à vous seul (un lien, à un autre utilisateur, ou d&apos;autres peuvent y écrire), aucune donnée n&apos;y est donc gardée : les tailles ne seront pas connues</translation>
        </message>
        <message>
            <source>--sort takes path, type, created, catalogue, size, modified or none</source>
            <translation>--sort attend path, type, created, catalogue, size, modified ou none</translation>
        </message>
        <message>
            <source>--limit takes a number of hits, 0 or more</source>
            <translation>--limit attend un nombre de résultats, 0 ou plus</translation>
        </message>
        <message>
            <source>--format takes tsv, csv or json</source>
            <translation>--format attend tsv, csv ou json</translation>
        </message>
        <message>
            <source>kestrova-cli du: --depth takes a number from 0</source>
            <translation>kestrova-cli du : --depth attend un nombre à partir de 0</translation>
        </message>
        <message>
            <source>kestrova-cli du: --format takes tsv, csv or json</source>
            <translation>kestrova-cli du : --format attend tsv, csv ou json</translation>
        </message>
        <message>
            <source>kestrova-cli ls: --format takes tsv, csv or json</source>
            <translation>kestrova-cli ls : --format attend tsv, csv ou json</translation>
        </message>
        <message>
            <source>kestrova-cli %1: %2 holds no folder %3</source>
            <translation>kestrova-cli %1 : %2 ne contient aucun dossier %3</translation>
        </message>
        <message>
            <source>kestrova-cli copies: %1 is damaged: the sizes it does not give count as unknown</source>
            <translation>kestrova-cli copies : %1 est endommagé : les tailles qu’il ne donne pas comptent comme inconnues</translation>
        </message>
        <message>
            <source>kestrova-cli copies: older catalogues of a drive catalogued again, read as history: %1</source>
            <translation>kestrova-cli copies : anciens catalogues d’un lecteur catalogué à nouveau, lus comme historique : %1</translation>
        </message>
        <message>
            <source>kestrova-cli drives: the facts beside %1 cannot be read and are left aside: %2</source>
            <translation>kestrova-cli drives : les informations à côté de %1 ne peuvent pas être lues et sont laissées de côté : %2</translation>
        </message>
    </context>
    <context>
        <name>kestrova::AboutBox</name>
        <message>
            <source>Created By:</source>
            <translation>Créé par :</translation>
        </message>
        <message>
            <source>Email:</source>
            <translation>Courriel :</translation>
        </message>
        <message>
            <source>URL</source>
            <translation>URL</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>&amp;System Info...</source>
            <translation>Informations &amp;système...</translation>
        </message>
        <message>
            <source>About %1</source>
            <translation>À propos de %1</translation>
        </message>
        <message>
            <source>Version %1.%2.%3</source>
            <translation>Version %1.%2.%3</translation>
        </message>
        <message>
            <source>File not found</source>
            <translation>Fichier introuvable</translation>
        </message>
        <message>
            <source>System Information Is Unavailable At This Time</source>
            <translation>Les informations système ne sont pas disponibles pour le moment</translation>
        </message>
    </context>
    <context>
        <name>kestrova::CompareWindow</name>
        <message>
            <source>Summary of the comparison</source>
            <translation>Résumé de la comparaison</translation>
        </message>
        <message>
            <source>Compare Catalogues</source>
            <translation>Comparer des catalogues</translation>
        </message>
        <message>
            <source>%1 (choose)</source>
            <translation>%1 (choisir)</translation>
        </message>
        <message>
            <source>&amp;Older catalogue</source>
            <translation>Catalogue &amp;ancien</translation>
        </message>
        <message>
            <source>&amp;Newer catalogue</source>
            <translation>Catalogue &amp;récent</translation>
        </message>
        <message>
            <source>&amp;Compare</source>
            <translation>&amp;Comparer</translation>
        </message>
        <message>
            <source>S&amp;top</source>
            <translation>Arrê&amp;ter</translation>
        </message>
        <message>
            <source>Change</source>
            <translation>Changement</translation>
        </message>
        <message>
            <source>File Path</source>
            <translation>Chemin du fichier</translation>
        </message>
        <message>
            <source>Old</source>
            <translation>Ancien</translation>
        </message>
        <message>
            <source>New</source>
            <translation>Nouveau</translation>
        </message>
        <message>
            <source>Choose a catalogue</source>
            <translation>Choisir un catalogue</translation>
        </message>
        <message>
            <source>Catalogues (*.txt);;All files (*)</source>
            <translation>Catalogues (*.txt);;Tous les fichiers (*)</translation>
        </message>
        <message>
            <source>Choose the older catalogue first: type its path or press the button beside it.</source>
            <translation>Choisissez d’abord le catalogue ancien : tapez son chemin ou appuyez sur le bouton à côté.</translation>
        </message>
        <message>
            <source>Choose the newer catalogue first: type its path or press the button beside it.</source>
            <translation>Choisissez d’abord le catalogue récent : tapez son chemin ou appuyez sur le bouton à côté.</translation>
        </message>
        <message>
            <source>Comparing ...</source>
            <translation>Comparaison ...</translation>
        </message>
        <message>
            <source>%1 added, %2 removed, %3 changed, %4, %5</source>
            <translation>%1 ajoutés, %2 supprimés, %3 modifiés, %4, %5</translation>
        </message>
        <message>
            <source> (stopped)</source>
            <translation> (arrêté)</translation>
        </message>
        <message>
            <source>; %1 ends part-way</source>
            <translation>; %1 s’arrête en cours de route</translation>
        </message>
        <message>
            <source> | older: %1, folders %2, files %3 | newer: %4, folders %5, files %6</source>
            <translation> | ancien : %1, dossiers %2, fichiers %3 | récent : %4, dossiers %5, fichiers %6</translation>
        </message>
        <message>
            <source>Differences</source>
            <translation>Différences</translation>
        </message>
        <message>
            <source>%1: %2</source>
            <translation>%1 : %2</translation>
        </message>
    </context>
    <context>
        <name>kestrova::CopiesWindow</name>
        <message>
            <source>Progress of the search</source>
            <translation>Progression de la recherche</translation>
        </message>
        <message>
            <source>Copies</source>
            <translation>Copies</translation>
        </message>
        <message>
            <source>Catalogues &amp;folder</source>
            <translation>Dossier des &amp;catalogues</translation>
        </message>
        <message>
            <source>Catalogues folder (choose)</source>
            <translation>Dossier des catalogues (choisir)</translation>
        </message>
        <message>
            <source>&amp;Single copies: files on one drive only</source>
            <translation>Copies &amp;uniques : fichiers sur un seul lecteur</translation>
        </message>
        <message>
            <source>&amp;Duplicates: files stored more than once</source>
            <translation>&amp;Doublons : fichiers stockés plusieurs fois</translation>
        </message>
        <message>
            <source>&amp;Under</source>
            <translation>&amp;Sous</translation>
        </message>
        <message>
            <source>a folder as catalogued, e.g. /media/photos</source>
            <translation>un dossier tel que catalogué, par ex. /media/photos</translation>
        </message>
        <message>
            <source>Only the single copies in this folder or below it</source>
            <translation>Seulement les copies uniques dans ce dossier ou en dessous</translation>
        </message>
        <message>
            <source>F&amp;ind</source>
            <translation>&amp;Rechercher</translation>
        </message>
        <message>
            <source>S&amp;top</source>
            <translation>Arrê&amp;ter</translation>
        </message>
        <message>
            <source>File Path</source>
            <translation>Chemin du fichier</translation>
        </message>
        <message>
            <source>File Type</source>
            <translation>Type de fichier</translation>
        </message>
        <message>
            <source>Catalogue File</source>
            <translation>Fichier catalogue</translation>
        </message>
        <message>
            <source>Size</source>
            <translation>Taille</translation>
        </message>
        <message>
            <source>Modified</source>
            <translation>Modifié le</translation>
        </message>
        <message>
            <source>&amp;Export Results...</source>
            <translation>E&amp;xporter les résultats...</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Fermer</translation>
        </message>
        <message>
            <source>Choose the folder of catalogues</source>
            <translation>Choisir le dossier des catalogues</translation>
        </message>
        <message>
            <source>Choose the folder of catalogues first: type its path or press the button beside it.</source>
            <translation>Choisissez d’abord le dossier des catalogues : tapez son chemin ou appuyez sur le bouton à côté.</translation>
        </message>
        <message>
            <source>Reading the catalogues ...</source>
            <translation>Lecture des catalogues ...</translation>
        </message>
        <message>
            <source>%1 on one drive only, %2</source>
            <translation>%1 sur un seul lecteur, %2</translation>
        </message>
        <message>
            <source>%1 of %2; %3 in copies beyond the first</source>
            <translation>%1 de %2 ; %3 dans les copies au-delà de la première</translation>
        </message>
        <message>
            <source> (%1 in %2)</source>
            <translation> (%1 dans %2)</translation>
        </message>
        <message>
            <source> (stopped)</source>
            <translation> (arrêté)</translation>
        </message>
        <message>
            <source>; sizes unknown in %1: their files count as copies by name and type</source>
            <translation>; tailles inconnues dans %1 : leurs fichiers comptent comme copies par nom et type</translation>
        </message>
        <message>
            <source>; not read: %1</source>
            <translation>; non lus : %1</translation>
        </message>
        <message>
            <source>%1: %2 of %3, %4</source>
            <translation>%1 : %2 sur %3, %4</translation>
        </message>
        <message>
            <source>Counting</source>
            <translation>Comptage</translation>
        </message>
        <message>
            <source>Listing</source>
            <translation>Liste</translation>
        </message>
        <message>
            <source>Files found</source>
            <translation>Fichiers trouvés</translation>
        </message>
        <message>
            <source> (%1 in %2 of %3)</source>
            <translation> (%1 dans %2 de %3)</translation>
        </message>
        <message>
            <source>; older catalogues of a drive catalogued again, read as history: %1</source>
            <translation>; anciens catalogues d’un lecteur catalogué à nouveau, lus comme historique : %1</translation>
        </message>
        <message>
            <source>; %1 is damaged: the sizes it does not give count as unknown</source>
            <translation>; %1 est endommagé : les tailles qu’il ne donne pas comptent comme inconnues</translation>
        </message>
    </context>
    <context>
        <name>kestrova::DefaultPathDialog</name>
        <message>
            <source>Set Default Path</source>
            <translation>Définir le chemin par défaut</translation>
        </message>
        <message>
            <source>Tips: This screen is to set the default path. This path will be effective both while generating the Catalogue file and when trying to find files in the report.</source>
            <translation>Astuce : cet écran sert à définir le chemin par défaut. Ce chemin s’applique à la création du fichier catalogue comme à la recherche de fichiers dans le rapport.</translation>
        </message>
        <message>
            <source>Current Default Path</source>
            <translation>Chemin par défaut actuel</translation>
        </message>
        <message>
            <source>&amp;Browse</source>
            <translation>&amp;Parcourir</translation>
        </message>
        <message>
            <source>&amp;Set</source>
            <translation>&amp;Définir</translation>
        </message>
        <message>
            <source>&amp;Remove</source>
            <translation>&amp;Supprimer</translation>
        </message>
        <message>
            <source>&amp;Close</source>
            <translation>&amp;Fermer</translation>
        </message>
        <message>
            <source>Please select the path.</source>
            <translation>Veuillez sélectionner le chemin.</translation>
        </message>
        <message>
            <source>This will over-write your default path?</source>
            <translation>Cela remplacera votre chemin par défaut. Continuer ?</translation>
        </message>
        <message>
            <source>Your default path will  be cleared permenantly?</source>
            <translation>Votre chemin par défaut sera définitivement effacé. Continuer ?</translation>
        </message>
        <message>
            <source>File doesn&apos;t exist!</source>
            <translation>Le fichier n&apos;existe pas !</translation>
        </message>
    </context>
    <context>
        <name>kestrova::DrivesWindow</name>
        <message>
            <source>Drives</source>
            <translation>Lecteurs</translation>
        </message>
        <message>
            <source>Catalogues &amp;folder</source>
            <translation>Dossier des &amp;catalogues</translation>
        </message>
        <message>
            <source>Catalogues folder (choose)</source>
            <translation>Dossier des catalogues (choisir)</translation>
        </message>
        <message>
            <source>&amp;Refresh</source>
            <translation>&amp;Actualiser</translation>
        </message>
        <message>
            <source>Catalogue File</source>
            <translation>Fichier catalogue</translation>
        </message>
        <message>
            <source>Label</source>
            <translation>Nom de volume</translation>
        </message>
        <message>
            <source>UUID</source>
            <translation>UUID</translation>
        </message>
        <message>
            <source>File System</source>
            <translation>Système de fichiers</translation>
        </message>
        <message>
            <source>Capacity</source>
            <translation>Capacité</translation>
        </message>
        <message>
            <source>Free</source>
            <translation>Libre</translation>
        </message>
        <message>
            <source>Files</source>
            <translation>Fichiers</translation>
        </message>
        <message>
            <source>Total Size</source>
            <translation>Taille totale</translation>
        </message>
        <message>
            <source>Catalogued</source>
            <translation>Catalogué le</translation>
        </message>
        <message>
            <source>Connected</source>
            <translation>Connecté</translation>
        </message>
        <message>
            <source>&amp;Open Folder</source>
            <translation>&amp;Ouvrir le dossier</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Fermer</translation>
        </message>
        <message>
            <source>Choose the folder of catalogues</source>
            <translation>Choisir le dossier des catalogues</translation>
        </message>
        <message>
            <source>no</source>
            <translation>non</translation>
        </message>
        <message>
            <source>The drive&apos;s folder %1 could not be opened.</source>
            <translation>Le dossier %1 du lecteur n’a pas pu être ouvert.</translation>
        </message>
        <message>
            <source>Drives catalogued</source>
            <translation>Lecteurs catalogués</translation>
        </message>
        <message>
            <source>Drive</source>
            <translation>Lecteur</translation>
        </message>
        <message>
            <source>Older Catalogues</source>
            <translation>Catalogues plus anciens</translation>
        </message>
        <message>
            <source>older</source>
            <translation>plus ancien</translation>
        </message>
        <message>
            <source>Notes on the facts</source>
            <translation>Remarques sur les données</translation>
        </message>
    </context>
    <context>
        <name>kestrova::HitActions</name>
        <message>
            <source>&amp;Open</source>
            <translation>&amp;Ouvrir</translation>
        </message>
        <message>
            <source>Show in &amp;Folder</source>
            <translation>Afficher dans le &amp;dossier</translation>
        </message>
        <message>
            <source>&amp;Copy Path</source>
            <translation>&amp;Copier le chemin</translation>
        </message>
        <message>
            <source>Copy &amp;Name</source>
            <translation>Copier le &amp;nom</translation>
        </message>
        <message>
            <source>&amp;Run/Copy Path...</source>
            <translation>&amp;Exécuter/copier le chemin...</translation>
        </message>
        <message>
            <source>&amp;Export Results...</source>
            <translation>E&amp;xporter les résultats...</translation>
        </message>
        <message>
            <source>%1 is on the drive %2, which is not connected. Connect it to reach the file.
It was catalogued in %3.</source>
            <translation>%1 se trouve sur le lecteur %2, qui n’est pas connecté. Connectez-le pour atteindre le fichier.
Il a été catalogué dans %3.</translation>
        </message>
        <message>
            <source>%1 is not there any more.
It was catalogued in %2.</source>
            <translation>%1 n’existe plus.
Il a été catalogué dans %2.</translation>
        </message>
        <message>
            <source>%1 is on a drive that is not connected: the folder %2 is missing.
It was catalogued in %3.</source>
            <translation>%1 se trouve sur un lecteur qui n’est pas connecté : le dossier %2 est absent.
Il a été catalogué dans %3.</translation>
        </message>
        <message>
            <source>%1 could not be opened: %2</source>
            <translation>%1 n’a pas pu être ouvert : %2</translation>
        </message>
        <message>
            <source>The folder %1 could not be opened: %2
No file manager answers, and no program is set to open folders.</source>
            <translation>Le dossier %1 n’a pas pu être ouvert : %2
Aucun gestionnaire de fichiers ne répond et aucun programme n’est défini pour ouvrir les dossiers.</translation>
        </message>
        <message>
            <source>CSV (*.csv)</source>
            <translation>CSV (*.csv)</translation>
        </message>
        <message>
            <source>Tab-separated text (*.tsv)</source>
            <translation>Texte séparé par des tabulations (*.tsv)</translation>
        </message>
        <message>
            <source>%1 is in the folder of catalogues %2: the next search there reads it as a catalogue, as it reads every file there.
Save it there anyway?</source>
            <translation>%1 se trouve dans le dossier des catalogues %2 : la prochaine recherche le lira comme un catalogue, comme tout fichier de ce dossier.
L’enregistrer là quand même ?</translation>
        </message>
        <message>
            <source>The results could not be written to %1:
%2</source>
            <translation>Les résultats n’ont pas pu être écrits dans %1 :
%2</translation>
        </message>
        <message>
            <source>Show in Ca&amp;talogue</source>
            <translation>Afficher dans le ca&amp;talogue</translation>
        </message>
    </context>
    <context>
        <name>kestrova::MainWindow</name>
        <message>
            <source>Select Drive/Folder </source>
            <translation>Choisir le lecteur/dossier </translation>
        </message>
        <message>
            <source>Select Drive</source>
            <translation>Lecteur</translation>
        </message>
        <message>
            <source>Select Folder</source>
            <translation>Dossier</translation>
        </message>
        <message>
            <source>Please select the Drive or Folder you want to generate its Catalogue.</source>
            <translation>Choisissez le lecteur ou le dossier dont vous voulez créer le catalogue.</translation>
        </message>
        <message>
            <source>Process Details</source>
            <translation>Déroulement</translation>
        </message>
        <message>
            <source>Current Folder</source>
            <translation>Dossier en cours</translation>
        </message>
        <message>
            <source>Current File</source>
            <translation>Fichier en cours</translation>
        </message>
        <message>
            <source>&amp;Details...</source>
            <translation>&amp;Détails...</translation>
        </message>
        <message>
            <source>What the last run could not read</source>
            <translation>Ce que la dernière exécution n’a pas pu lire</translation>
        </message>
        <message>
            <source>&amp;Generate Catalogue</source>
            <translation>&amp;Générer le catalogue</translation>
        </message>
        <message>
            <source>&amp;View Catalogue</source>
            <translation>&amp;Voir le catalogue</translation>
        </message>
        <message>
            <source>&amp;Find Files </source>
            <translation>&amp;Rechercher des fichiers </translation>
        </message>
        <message>
            <source>&amp;Set Default Path</source>
            <translation>&amp;Chemin par défaut</translation>
        </message>
        <message>
            <source>E&amp;xit</source>
            <translation>&amp;Quitter</translation>
        </message>
        <message>
            <source>File</source>
            <translation>Fichier</translation>
        </message>
        <message>
            <source>Generate Catalogue</source>
            <translation>Générer le catalogue</translation>
        </message>
        <message>
            <source>Find Files</source>
            <translation>Rechercher des fichiers</translation>
        </message>
        <message>
            <source>Exit</source>
            <translation>Quitter</translation>
        </message>
        <message>
            <source>Tools</source>
            <translation>Outils</translation>
        </message>
        <message>
            <source>Set Default Path</source>
            <translation>Définir le chemin par défaut</translation>
        </message>
        <message>
            <source>Compare Catalogues...</source>
            <translation>Comparer des catalogues...</translation>
        </message>
        <message>
            <source>Drives...</source>
            <translation>Lecteurs...</translation>
        </message>
        <message>
            <source>Copies...</source>
            <translation>Copies...</translation>
        </message>
        <message>
            <source>Help</source>
            <translation>Aide</translation>
        </message>
        <message>
            <source>About</source>
            <translation>À propos</translation>
        </message>
        <message>
            <source>%1: %2, the default path kept by Set Default Path.
Connect its drive, or choose another folder with Set Default Path.</source>
            <translation>%1 : %2, le chemin par défaut défini par « Définir le chemin par défaut ».
Connectez son lecteur ou choisissez un autre dossier avec « Définir le chemin par défaut ».</translation>
        </message>
        <message>
            <source>A catalogue is being generated.</source>
            <translation>Un catalogue est en cours de création.</translation>
        </message>
        <message>
            <source>Text (*.txt)</source>
            <translation>Texte (*.txt)</translation>
        </message>
        <message>
            <source>Progress of the run</source>
            <translation>Avancement de l’opération</translation>
        </message>
        <message>
            <source>The catalogue %1 would be written inside the folder it catalogues, %2, and would list itself.
Catalogue the folder anyway?</source>
            <translation>Le catalogue %1 serait écrit dans le dossier qu’il catalogue, %2, et se listerait lui-même.
Cataloguer le dossier quand même ?</translation>
        </message>
        <message>
            <source>Quick Find...</source>
            <translation>Recherche rapide...</translation>
        </message>
        <message>
            <source>Browse Catalogue...</source>
            <translation>Parcourir le catalogue...</translation>
        </message>
    </context>
    <context>
        <name>kestrova::ReadFailuresDialog</name>
        <message>
            <source>Could Not Be Read</source>
            <translation>Illisible</translation>
        </message>
        <message>
            <source>What the last run could not read; the rest of its catalogue is complete:</source>
            <translation>Ce que la dernière exécution n’a pas pu lire ; le reste de son catalogue est complet :</translation>
        </message>
        <message>
            <source>What could not be read</source>
            <translation>Ce qui n’a pas pu être lu</translation>
        </message>
        <message>
            <source>&amp;Copy</source>
            <translation>&amp;Copier</translation>
        </message>
    </context>
    <context>
        <name>kestrova::RunCopyWindow</name>
        <message>
            <source>Run/Copy path</source>
            <translation>Exécuter/copier le chemin</translation>
        </message>
        <message>
            <source>Run</source>
            <translation>Exécuter</translation>
        </message>
        <message>
            <source>Copy</source>
            <translation>Copier</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Fermer</translation>
        </message>
        <message>
            <source>Path</source>
            <translation>Chemin</translation>
        </message>
    </context>
    <context>
        <name>kestrova::SearchWindow</name>
        <message>
            <source>Catalogues whose dates cannot be read</source>
            <translation>Catalogues dont les dates sont illisibles</translation>
        </message>
        <message>
            <source>Dates not readable: %1</source>
            <translation>Dates illisibles : %1</translation>
        </message>
        <message>
            <source>Search</source>
            <translation>Recherche</translation>
        </message>
        <message>
            <source>   Search Indicator</source>
            <translation>   Indicateur</translation>
        </message>
        <message>
            <source>Total Records Matched</source>
            <translation>Entrées trouvées</translation>
        </message>
        <message>
            <source>Total Records Matched: %1</source>
            <translation>Entrées trouvées : %1</translation>
        </message>
        <message>
            <source>Current Path</source>
            <translation>Chemin actuel</translation>
        </message>
        <message>
            <source>File Path</source>
            <translation>Chemin du fichier</translation>
        </message>
        <message>
            <source>File Type</source>
            <translation>Type de fichier</translation>
        </message>
        <message>
            <source>Created</source>
            <translation>Créé le</translation>
        </message>
        <message>
            <source>Catalogue File</source>
            <translation>Fichier catalogue</translation>
        </message>
        <message>
            <source>Size</source>
            <translation>Taille</translation>
        </message>
        <message>
            <source>Modified</source>
            <translation>Modifié le</translation>
        </message>
        <message>
            <source>Please select an item.</source>
            <translation>Veuillez sélectionner un élément.</translation>
        </message>
        <message>
            <source>Please select the folder that the Catalogue files are located, unless the default path is set.</source>
            <translation>Choisissez le dossier des fichiers de catalogue, sauf si le chemin par défaut est défini.</translation>
        </message>
        <message>
            <source>Please enter the exact name or partial name of the file you are searching for.</source>
            <translation>Tapez le nom exact ou une partie du nom du fichier recherché.</translation>
        </message>
        <message>
            <source>Type Search Criteria</source>
            <translation>Critère de recherche</translation>
        </message>
        <message>
            <source>No Case Sensitive</source>
            <translation>Sans la casse</translation>
        </message>
        <message>
            <source>Case Sensitive</source>
            <translation>Selon la casse</translation>
        </message>
        <message>
            <source>Date &gt; than</source>
            <translation>Date après</translation>
        </message>
        <message>
            <source>&amp;Search</source>
            <translation>&amp;Rechercher</translation>
        </message>
        <message>
            <source>Stop</source>
            <translation>Arrêter</translation>
        </message>
        <message>
            <source>&amp;Close</source>
            <translation>&amp;Fermer</translation>
        </message>
        <message>
            <source>Double click to grab file path to run.</source>
            <translation>Double-clic : chemin à exécuter.</translation>
        </message>
        <message>
            <source>Created after</source>
            <translation>Créé après</translation>
        </message>
        <message>
            <source>Search criteria</source>
            <translation>Texte recherché</translation>
        </message>
        <message>
            <source>Drive of the catalogues</source>
            <translation>Lecteur des catalogues</translation>
        </message>
        <message>
            <source>Folder of the catalogues</source>
            <translation>Dossier des catalogues</translation>
        </message>
        <message>
            <source>Files found</source>
            <translation>Fichiers trouvés</translation>
        </message>
        <message>
            <source>Turns from red to green and back with each hit found</source>
            <translation>Passe du rouge au vert et inversement à chaque résultat trouvé</translation>
        </message>
        <message numerus="yes">
            <source>Stopped: %Ln hit(s) so far</source>
            <translation>
                <numerusform>Arrêté : %Ln résultat jusqu’ici</numerusform>
                <numerusform>Arrêté : %Ln résultats jusqu’ici</numerusform>
            </translation>
        </message>
        <message>
            <source>&amp;View</source>
            <translation>&amp;Affichage</translation>
        </message>
    </context>
    <context>
        <name>Query</name>
        <message>
            <source>the query has " at %1 without its closing "</source>
            <translation>la requête a " à la position %1 sans son " fermant</translation>
        </message>
        <message>
            <source>the query has "case:" at %1 with a value; it takes none</source>
            <translation>la requête a "case:" à la position %1 avec une valeur ; il n&apos;en prend aucune</translation>
        </message>
        <message>
            <source>the query is empty</source>
            <translation>la requête est vide</translation>
        </message>
        <message>
            <source>the query has ")" at %1 without its "("</source>
            <translation>la requête a ")" à la position %1 sans son "("</translation>
        </message>
        <message>
            <source>the query has "%1" at %2 with nothing after it</source>
            <translation>la requête a "%1" à la position %2 sans rien après</translation>
        </message>
        <message>
            <source>the query has "%1" at %2 with nothing before it</source>
            <translation>la requête a "%1" à la position %2 sans rien avant</translation>
        </message>
        <message>
            <source>the query has "(" at %1 with nothing after it</source>
            <translation>la requête a "(" à la position %1 sans rien après</translation>
        </message>
        <message>
            <source>the query has "(" at %1 without its ")"</source>
            <translation>la requête a "(" à la position %1 sans son ")"</translation>
        </message>
        <message>
            <source>the query has an unknown field "%1:" at %2</source>
            <translation>la requête a un champ inconnu "%1:" à la position %2</translation>
        </message>
        <message>
            <source>the query has "%1:" at %2 without a value</source>
            <translation>la requête a "%1:" à la position %2 sans valeur</translation>
        </message>
        <message>
            <source>the query has a size "%1" at %2 that does not read (sizes read like 0, 4096, &lt;1K, &gt;100M or 1M..4G)</source>
            <translation>la requête a à la position %2 une taille "%1" illisible (les tailles s&apos;écrivent 0, 4096, &lt;1K, &gt;100M ou 1M..4G)</translation>
        </message>
        <message>
            <source>the query has a date "%1" at %2 that does not read (dates read like 2024, 2024-06, &gt;2024-06-01 or 2024-01..2024-03)</source>
            <translation>la requête a à la position %2 une date "%1" illisible (les dates s&apos;écrivent 2024, 2024-06, &gt;2024-06-01 ou 2024-01..2024-03)</translation>
        </message>
        <message>
            <source>the query has a regular expression "%1" at %2 that does not compile: %3</source>
            <translation>la requête a à la position %2 une expression régulière "%1" qui ne se compile pas : %3</translation>
        </message>
    </context>
    <context>
        <name>QueryHelp</name>
        <message>
            <source>names that hold the text, letter case aside</source>
            <translation>les noms qui contiennent le texte, sans tenir compte de la casse</translation>
        </message>
        <message>
            <source>names that match the pattern whole: * any characters, ? one</source>
            <translation>les noms qui correspondent entièrement au motif : * n&apos;importe quels caractères, ? un seul</translation>
        </message>
        <message>
            <source>terms separated by blanks must all match</source>
            <translation>les termes séparés par des espaces doivent tous correspondre</translation>
        </message>
        <message>
            <source>either term matches</source>
            <translation>l&apos;un ou l&apos;autre terme correspond</translation>
        </message>
        <message>
            <source>the term must not match</source>
            <translation>le terme ne doit pas correspondre</translation>
        </message>
        <message>
            <source>parentheses group terms</source>
            <translation>les parenthèses regroupent des termes</translation>
        </message>
        <message>
            <source>one term with its blank, taken as it stands</source>
            <translation>un seul terme avec son espace, pris tel quel</translation>
        </message>
        <message>
            <source>the full path (folder and name) holds the text</source>
            <translation>le chemin complet (dossier et nom) contient le texte</translation>
        </message>
        <message>
            <source>the name&apos;s extension is one of these</source>
            <translation>l&apos;extension du nom est l&apos;une de celles-ci</translation>
        </message>
        <message>
            <source>the file type holds the text</source>
            <translation>le type de fichier contient le texte</translation>
        </message>
        <message>
            <source>the catalogue&apos;s file name or the drive&apos;s label holds the text</source>
            <translation>le nom de fichier du catalogue ou le nom du lecteur contient le texte</translation>
        </message>
        <message>
            <source>the size (K, M, G, T: powers of 1024); files of unknown size never match</source>
            <translation>la taille (K, M, G, T : puissances de 1024) ; les fichiers de taille inconnue ne correspondent jamais</translation>
        </message>
        <message>
            <source>the last modification: a year, a month, a day, after, before or a range</source>
            <translation>la dernière modification : une année, un mois, un jour, après, avant ou un intervalle</translation>
        </message>
        <message>
            <source>the Created column, read as a date, in the same forms</source>
            <translation>la colonne Créé le, lue comme une date, sous les mêmes formes</translation>
        </message>
        <message>
            <source>the name matches the regular expression</source>
            <translation>le nom correspond à l&apos;expression régulière</translation>
        </message>
        <message>
            <source>anywhere in the query: letter case must match</source>
            <translation>n&apos;importe où dans la requête : la casse doit correspondre</translation>
        </message>
    </context>
    <context>
        <name>kestrova::QuickFindWindow</name>
        <message>
            <source>Quick Find</source>
            <translation>Recherche rapide</translation>
        </message>
        <message>
            <source>&amp;Find</source>
            <translation>&amp;Chercher</translation>
        </message>
        <message>
            <source>words of the name, ext:jpg, size:&gt;100M, modified:2024 ... (F1: the whole language)</source>
            <translation>mots du nom, ext:jpg, size:&gt;100M, modified:2024 ... (F1 : tout le langage)</translation>
        </message>
        <message>
            <source>Query language help</source>
            <translation>Aide du langage de requête</translation>
        </message>
        <message>
            <source>The query language (F1)</source>
            <translation>Le langage de requête (F1)</translation>
        </message>
        <message>
            <source>Query error</source>
            <translation>Erreur de la requête</translation>
        </message>
        <message>
            <source>Catalogues f&amp;older</source>
            <translation>D&amp;ossier des catalogues</translation>
        </message>
        <message>
            <source>Catalogues folder (choose)</source>
            <translation>Dossier des catalogues (choisir)</translation>
        </message>
        <message>
            <source>Files found</source>
            <translation>Fichiers trouvés</translation>
        </message>
        <message>
            <source>File Path</source>
            <translation>Chemin du fichier</translation>
        </message>
        <message>
            <source>File Type</source>
            <translation>Type de fichier</translation>
        </message>
        <message>
            <source>Created</source>
            <translation>Créé le</translation>
        </message>
        <message>
            <source>Catalogue File</source>
            <translation>Fichier catalogue</translation>
        </message>
        <message>
            <source>Size</source>
            <translation>Taille</translation>
        </message>
        <message>
            <source>Modified</source>
            <translation>Modifié le</translation>
        </message>
        <message>
            <source>Hits and catalogues read</source>
            <translation>Résultats et catalogues lus</translation>
        </message>
        <message>
            <source>&amp;Export Results...</source>
            <translation>E&amp;xporter les résultats...</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Fermer</translation>
        </message>
        <message>
            <source>%1 from %2 read</source>
            <translation>%1 dans %2 lus</translation>
        </message>
        <message>
            <source>Searching ... %1</source>
            <translation>Recherche ... %1</translation>
        </message>
        <message>
            <source>not read: %1 (%2)</source>
            <translation>non lu : %1 (%2)</translation>
        </message>
        <message>
            <source>Choose the folder of catalogues</source>
            <translation>Choisir le dossier des catalogues</translation>
        </message>
        <message>
            <source>Quick Find: the query language</source>
            <translation>Recherche rapide : le langage de requête</translation>
        </message>
        <message>
            <source>Query language</source>
            <translation>Langage de requête</translation>
        </message>
    </context>
    <context>
        <name>kestrova::BrowserListModel</name>
        <message>
            <source>unknown</source>
            <translation>inconnue</translation>
        </message>
        <message>
            <source>%1 in %2</source>
            <translation>%1 en %2</translation>
        </message>
        <message>
            <source>%1, %2 without a size</source>
            <translation>%1, %2 sans taille</translation>
        </message>
        <message>
            <source>Name</source>
            <translation>Nom</translation>
        </message>
        <message>
            <source>Type</source>
            <translation>Type</translation>
        </message>
        <message>
            <source>Created</source>
            <translation>Créé</translation>
        </message>
        <message>
            <source>Size</source>
            <translation>Taille</translation>
        </message>
        <message>
            <source>Modified</source>
            <translation>Modifié</translation>
        </message>
        <message>
            <source>Share</source>
            <translation>Part</translation>
        </message>
        <message>
            <source>Folder</source>
            <translation>Dossier</translation>
        </message>
    </context>
    <context>
        <name>kestrova::BrowserTreeModel</name>
        <message>
            <source>(before any folder)</source>
            <translation>(avant tout dossier)</translation>
        </message>
    </context>
    <context>
        <name>kestrova::BrowserWindow</name>
        <message>
            <source>Totals of the folder</source>
            <translation>Totaux du dossier</translation>
        </message>
        <message>
            <source>Browse Catalogue</source>
            <translation>Parcourir le catalogue</translation>
        </message>
        <message>
            <source>The drive&apos;s facts</source>
            <translation>Informations sur le lecteur</translation>
        </message>
        <message>
            <source>Back</source>
            <translation>Précédent</translation>
        </message>
        <message>
            <source>Forward</source>
            <translation>Suivant</translation>
        </message>
        <message>
            <source>Up</source>
            <translation>Dossier parent</translation>
        </message>
        <message>
            <source>&amp;Folder</source>
            <translation>&amp;Dossier</translation>
        </message>
        <message>
            <source>Folder path</source>
            <translation>Chemin du dossier</translation>
        </message>
        <message>
            <source>Folders</source>
            <translation>Dossiers</translation>
        </message>
        <message>
            <source>Entries of the folder</source>
            <translation>Entrées du dossier</translation>
        </message>
        <message>
            <source>&amp;Open Catalogue...</source>
            <translation>&amp;Ouvrir un catalogue...</translation>
        </message>
        <message>
            <source>&amp;Export...</source>
            <translation>E&amp;xporter...</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Fermer</translation>
        </message>
        <message>
            <source>Choose a catalogue</source>
            <translation>Choisir un catalogue</translation>
        </message>
        <message>
            <source>Catalogues (*.txt);;All files (*)</source>
            <translation>Catalogues (*.txt);;Tous les fichiers (*)</translation>
        </message>
        <message>
            <source>Browse Catalogue - %1</source>
            <translation>Parcourir le catalogue - %1</translation>
        </message>
        <message>
            <source>(before any folder)</source>
            <translation>(avant tout dossier)</translation>
        </message>
        <message>
            <source>%1 and %2 here; %3 in %4 under it</source>
            <translation>%1 et %2 ici ; %3 dans %4 en dessous</translation>
        </message>
        <message>
            <source>size unknown</source>
            <translation>taille inconnue</translation>
        </message>
        <message>
            <source>%1, %2 without a size</source>
            <translation>%1, %2 sans taille</translation>
        </message>
        <message>
            <source>The catalogue holds no folder %1.</source>
            <translation>Le catalogue ne contient aucun dossier %1.</translation>
        </message>
        <message>
            <source>Catalogued %1. No facts beside the catalogue: sizes and times are not known.</source>
            <translation>Catalogué %1. Aucune information à côté du catalogue : tailles et dates inconnues.</translation>
        </message>
        <message>
            <source>unknown</source>
            <translation>inconnue</translation>
        </message>
        <message>
            <source>not known whether connected</source>
            <translation>connexion inconnue</translation>
        </message>
        <message>
            <source>connected at %1</source>
            <translation>connecté sur %1</translation>
        </message>
        <message>
            <source>not connected</source>
            <translation>non connecté</translation>
        </message>
        <message>
            <source>&lt;b&gt;%1&lt;/b&gt; (%2), capacity %3, %4 free; catalogued %5 from %6; %7</source>
            <translation>&lt;b&gt;%1&lt;/b&gt; (%2), capacité %3, %4 libres ; catalogué le %5 depuis %6 ; %7</translation>
        </message>
        <message>
            <source>no label</source>
            <translation>sans nom</translation>
        </message>
    </context>
</TS>
