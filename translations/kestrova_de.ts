<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
    <context>
        <name>CatalogueFacts</name>
        <message>
            <source>%1 is not yours alone (a link, another user&apos;s, or others may write to it): the facts in it are left aside</source>
            <translation>%1 gehört nicht Ihnen allein (eine Verknüpfung, einem anderen Benutzer, oder andere dürfen hineinschreiben): die Fakten darin bleiben unberücksichtigt</translation>
        </message>
    </context>
    <context>
        <name>CompareWindow</name>
        <message>
            <source>Added</source>
            <translation>Hinzugefügt</translation>
        </message>
        <message>
            <source>Removed</source>
            <translation>Entfernt</translation>
        </message>
        <message>
            <source>Changed</source>
            <translation>Geändert</translation>
        </message>
        <message>
            <source>Folder added</source>
            <translation>Ordner hinzugefügt</translation>
        </message>
        <message>
            <source>Folder removed</source>
            <translation>Ordner entfernt</translation>
        </message>
        <message>
            <source>Created anew</source>
            <translation>Neu erstellt</translation>
        </message>
        <message>
            <source>size %1 → %2</source>
            <translation>Größe %1 → %2</translation>
        </message>
        <message>
            <source>modified %1 → %2</source>
            <translation>geändert %1 → %2</translation>
        </message>
        <message>
            <source>created %1 → %2</source>
            <translation>erstellt %1 → %2</translation>
        </message>
        <message>
            <source>type %1 → %2</source>
            <translation>Typ %1 → %2</translation>
        </message>
        <message>
            <source>unknown</source>
            <translation>unbekannt</translation>
        </message>
    </context>
    <context>
        <name>Counts</name>
        <message numerus="yes">
            <source>%1 folder(s) added</source>
            <translation>
                <numerusform>%1 Ordner hinzugefügt</numerusform>
                <numerusform>%1 Ordner hinzugefügt</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%1 folder(s) removed</source>
            <translation>
                <numerusform>%1 Ordner entfernt</numerusform>
                <numerusform>%1 Ordner entfernt</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%1 file(s)</source>
            <translation>
                <numerusform>%1 Datei</numerusform>
                <numerusform>%1 Dateien</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%1 copy(ies)</source>
            <translation>
                <numerusform>%1 Kopie</numerusform>
                <numerusform>%1 Kopien</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%1 catalogue(s)</source>
            <translation>
                <numerusform>%1 Katalog</numerusform>
                <numerusform>%1 Kataloge</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%1 folder(s)</source>
            <translation>
                <numerusform>%1 Ordner</numerusform>
                <numerusform>%1 Ordner</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%1 catalogue(s)</source>
            <comment>after in</comment>
            <translation>
                <numerusform>%1 Katalog</numerusform>
                <numerusform>%1 Katalogen</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%1 hit(s)</source>
            <translation>
                <numerusform>%1 Treffer</numerusform>
                <numerusform>%1 Treffer</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%1 file(s) whose created time alone differs (no change)</source>
            <translation>
                <numerusform>%1 Datei, deren Erstellungszeit allein abweicht (keine Änderung)</numerusform>
                <numerusform>%1 Dateien, deren Erstellungszeit allein abweicht (keine Änderung)</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%1 drive(s)</source>
            <translation>
                <numerusform>%1 Laufwerk</numerusform>
                <numerusform>%1 Laufwerken</numerusform>
            </translation>
        </message>
    </context>
    <context>
        <name>DriveFolderLists</name>
        <message>
            <source>Path not found</source>
            <translation>Pfad nicht gefunden</translation>
        </message>
        <message>
            <source>Disk not ready</source>
            <translation>Datenträger nicht bereit</translation>
        </message>
        <message>
            <source>Permission denied</source>
            <translation>Zugriff verweigert</translation>
        </message>
    </context>
    <context>
        <name>Error</name>
        <message>
            <source>Not a regular file</source>
            <translation>Keine gewöhnliche Datei</translation>
        </message>
        <message>
            <source>Not a catalogue: its first line is no catalogue header</source>
            <translation>Kein Katalog: Die erste Zeile ist keine Katalogkopfzeile</translation>
        </message>
        <message>
            <source>More than %1 catalogues in one folder</source>
            <translation>Mehr als %1 Kataloge in einem Ordner</translation>
        </message>
        <message>
            <source>The desktop launcher xdg-open is not installed</source>
            <translation>Das Startprogramm xdg-open der Arbeitsumgebung ist nicht installiert</translation>
        </message>
        <message>
            <source>File not found</source>
            <translation>Datei nicht gefunden</translation>
        </message>
        <message>
            <source>Invalid procedure call or argument</source>
            <translation>Ungültiger Prozeduraufruf oder ungültiges Argument</translation>
        </message>
        <message>
            <source>Out of memory</source>
            <translation>Nicht genügend Arbeitsspeicher</translation>
        </message>
        <message>
            <source>Permission denied</source>
            <translation>Zugriff verweigert</translation>
        </message>
        <message>
            <source>Path not found</source>
            <translation>Pfad nicht gefunden</translation>
        </message>
        <message>
            <source>Disk full</source>
            <translation>Datenträger voll</translation>
        </message>
        <message>
            <source>Device I/O error</source>
            <translation>E/A-Fehler des Geräts</translation>
        </message>
        <message>
            <source>Disk not ready</source>
            <translation>Datenträger nicht bereit</translation>
        </message>
        <message>
            <source>Input past end of file</source>
            <translation>Lesen über das Dateiende hinaus</translation>
        </message>
        <message>
            <source>More folders than a comparison can hold</source>
            <translation>Mehr Ordner, als ein Vergleich fassen kann</translation>
        </message>
        <message>
            <source>More folders than a tree can hold</source>
            <translation>Mehr Ordner, als ein Baum fassen kann</translation>
        </message>
        <message>
            <source>The catalogue has changed since it was read</source>
            <translation>Der Katalog wurde seit dem Lesen geändert</translation>
        </message>
    </context>
    <context>
        <name>MainWindow</name>
        <message>
            <source>File not found</source>
            <translation>Datei nicht gefunden</translation>
        </message>
        <message>
            <source>Path not found</source>
            <translation>Pfad nicht gefunden</translation>
        </message>
        <message>
            <source>Access denied</source>
            <translation>Zugriff verweigert</translation>
        </message>
        <message>
            <source>Out of memory</source>
            <translation>Nicht genügend Arbeitsspeicher</translation>
        </message>
        <message>
            <source>Invalid EXE file or error in EXE image</source>
            <translation>Ungültige EXE-Datei oder Fehler im EXE-Abbild</translation>
        </message>
        <message>
            <source>A sharing violation occurred</source>
            <translation>Eine Freigabeverletzung ist aufgetreten</translation>
        </message>
        <message>
            <source>Incomplete or invalid file association</source>
            <translation>Unvollständige oder ungültige Dateizuordnung</translation>
        </message>
        <message>
            <source>DDE Time out</source>
            <translation>DDE-Zeitüberschreitung</translation>
        </message>
        <message>
            <source>DDE transaction failed</source>
            <translation>DDE-Transaktion fehlgeschlagen</translation>
        </message>
        <message>
            <source>DDE busy</source>
            <translation>DDE ausgelastet</translation>
        </message>
        <message>
            <source>No association for file extension</source>
            <translation>Keine Zuordnung für die Dateiendung</translation>
        </message>
        <message>
            <source>DLL not found</source>
            <translation>DLL nicht gefunden</translation>
        </message>
        <message>
            <source>Unknown error</source>
            <translation>Unbekannter Fehler</translation>
        </message>
    </context>
    <context>
        <name>MessageService</name>
        <message>
            <source>%1 already exists.
Do you want to replace it?</source>
            <translation>%1 ist bereits vorhanden.
Möchten Sie die Datei ersetzen?</translation>
        </message>
    </context>
    <context>
        <name>RunCopyWindow</name>
        <message>
            <source>File not found ...</source>
            <translation>Datei nicht gefunden ...</translation>
        </message>
        <message>
            <source>Path not found ...</source>
            <translation>Pfad nicht gefunden ...</translation>
        </message>
        <message>
            <source>Access denied ...</source>
            <translation>Zugriff verweigert ...</translation>
        </message>
        <message>
            <source>Out of memory</source>
            <translation>Nicht genügend Arbeitsspeicher</translation>
        </message>
        <message>
            <source>Invalid EXE file or error in EXE image ...</source>
            <translation>Ungültige EXE-Datei oder Fehler im EXE-Abbild ...</translation>
        </message>
        <message>
            <source>A sharing violation occurred ...</source>
            <translation>Eine Freigabeverletzung ist aufgetreten ...</translation>
        </message>
        <message>
            <source>Incomplete or invalid file association</source>
            <translation>Unvollständige oder ungültige Dateizuordnung</translation>
        </message>
        <message>
            <source>DDE Time out ...</source>
            <translation>DDE-Zeitüberschreitung ...</translation>
        </message>
        <message>
            <source>DDE transaction failed ...</source>
            <translation>DDE-Transaktion fehlgeschlagen ...</translation>
        </message>
        <message>
            <source>DDE busy</source>
            <translation>DDE ausgelastet</translation>
        </message>
        <message>
            <source>No association for file extension ...</source>
            <translation>Keine Zuordnung für die Dateiendung ...</translation>
        </message>
        <message>
            <source>DLL not found ...</source>
            <translation>DLL nicht gefunden ...</translation>
        </message>
        <message>
            <source>Unknown error</source>
            <translation>Unbekannter Fehler</translation>
        </message>
    </context>
    <context>
        <name>RunProgress</name>
        <message>
            <source>Do not show these messages again during this run</source>
            <translation>Diese Meldungen während dieses Laufs nicht mehr anzeigen</translation>
        </message>
        <message>
            <source>Finished ...</source>
            <translation>Fertig ...</translation>
        </message>
        <message>
            <source>%1, %2, %3</source>
            <translation>%1, %2, %3</translation>
        </message>
        <message>
            <source>Done: %1, %2 in %3</source>
            <translation>Fertig: %1, %2 in %3</translation>
        </message>
        <message>
            <source>; %1 could not be read</source>
            <translation>; %1 konnten nicht gelesen werden</translation>
        </message>
        <message>
            <source>; no facts written beside it</source>
            <translation>; keine Fakten daneben geschrieben</translation>
        </message>
        <message>
            <source>... and %1 more</source>
            <translation>... und %1 weitere</translation>
        </message>
        <message>
            <source>The folder could not be opened; the catalogue there was left as it was</source>
            <translation>Der Ordner konnte nicht geöffnet werden; der Katalog dort wurde belassen, wie er war</translation>
        </message>
    </context>
    <context>
        <name>SearchWindow</name>
        <message>
            <source>The facts beside %1 cannot be read and are left aside: %2</source>
            <translation>Die Fakten neben %1 können nicht gelesen werden und bleiben unberücksichtigt: %2</translation>
        </message>
        <message>
            <source>The dates in %1 cannot be read: the date filter passes none of its entries.</source>
            <translation>Die Datumsangaben in %1 können nicht gelesen werden: Der Datumsfilter lässt keinen ihrer Einträge durch.</translation>
        </message>
        <message>
            <source>Searching ...</source>
            <translation>Suche läuft ...</translation>
        </message>
        <message>
            <source>Finshied ...</source>
            <extracomment>Misspelt in English on purpose; translate it as a plain "Finished ...".</extracomment>
            <translation>Fertig ...</translation>
        </message>
        <message>
            <source>Stopped ...</source>
            <translation>Angehalten ...</translation>
        </message>
        <message>
            <source>Please make sure you have selected the folder with Catalogues files in it. or<byte value="xd"/>Alternatively, please set the Default Current Path before searching.</source>
            <translation>Bitte stellen Sie sicher, dass Sie den Ordner mit den Katalogdateien ausgewählt haben.<byte value="xd"/>Oder legen Sie vor der Suche den Standardpfad fest.</translation>
        </message>
    </context>
    <context>
        <name>kestrova</name>
        <message>
            <source>Catalogues drives and folders, and searches the catalogues. kestrova-cli does the same from scripts.</source>
            <translation>Katalogisiert Laufwerke und Ordner und durchsucht die Kataloge. kestrova-cli tut dasselbe aus Skripten.</translation>
        </message>
    </context>
    <context>
        <name>kestrova-cli</name>
        <message>
            <source>: wrong number of arguments
</source>
            <translation>: falsche Anzahl von Argumenten
</translation>
        </message>
        <message>
            <source>kestrova-cli %1: --jobs takes a number from 1 to 256</source>
            <translation>kestrova-cli %1: --jobs erwartet eine Zahl von 1 bis 256</translation>
        </message>
        <message>
            <source>kestrova-cli: %1 belongs to another user or others may write to it: no search index is kept there, and catalogues are read whole</source>
            <translation>kestrova-cli: %1 gehört einem anderen Benutzer oder andere dürfen hineinschreiben: Dort wird kein Suchindex gehalten, und Kataloge werden ganz gelesen</translation>
        </message>
        <message>
            <source>kestrova-cli: unknown command &apos;%1&apos;</source>
            <translation>kestrova-cli: unbekannter Befehl „%1“</translation>
        </message>
        <message>
            <source>kestrova-cli compare: --format takes tsv, csv or json</source>
            <translation>kestrova-cli compare: --format erwartet tsv, csv oder json</translation>
        </message>
        <message>
            <source>kestrova-cli compare: --root-as takes OLD_ROOT=NEW_ROOT</source>
            <translation>kestrova-cli compare: --root-as erwartet OLD_ROOT=NEW_ROOT</translation>
        </message>
        <message>
            <source>kestrova-cli compare: %1 ends part-way (its run was ended early)</source>
            <translation>kestrova-cli compare: %1 endet vorzeitig (sein Lauf wurde früh beendet)</translation>
        </message>
        <message>
            <source>kestrova-cli copies: give one of --single and --duplicates</source>
            <translation>kestrova-cli copies: Geben Sie --single oder --duplicates an</translation>
        </message>
        <message>
            <source>kestrova-cli copies: --under goes with --single</source>
            <translation>kestrova-cli copies: --under gehört zu --single</translation>
        </message>
        <message>
            <source>kestrova-cli copies: --format takes tsv, csv or json</source>
            <translation>kestrova-cli copies: --format erwartet tsv, csv oder json</translation>
        </message>
        <message>
            <source>kestrova-cli copies: --min-size takes a size like 100M or 4G</source>
            <translation>kestrova-cli copies: --min-size erwartet eine Größe wie 100M oder 4G</translation>
        </message>
        <message>
            <source>kestrova-cli copies: sizes unknown in %1: their files count as copies by name and type</source>
            <translation>kestrova-cli copies: Größen unbekannt in %1: Deren Dateien zählen nach Name und Typ als Kopien</translation>
        </message>
        <message>
            <source>kestrova-cli drives: --format takes tsv, csv or json</source>
            <translation>kestrova-cli drives: --format erwartet tsv, csv oder json</translation>
        </message>
        <message>
            <source>kestrova-cli generate: ROOT and CATALOGUE must not be empty</source>
            <translation>kestrova-cli generate: ROOT und CATALOGUE dürfen nicht leer sein</translation>
        </message>
        <message>
            <source>kestrova-cli generate: %1 is a folder; name a catalogue file</source>
            <translation>kestrova-cli generate: %1 ist ein Ordner; nennen Sie eine Katalogdatei</translation>
        </message>
        <message>
            <source>kestrova-cli generate: the facts beside %1 could not be written (%2): sizes will not be known</source>
            <translation>kestrova-cli generate: Die Fakten neben %1 konnten nicht geschrieben werden (%2): Größen bleiben unbekannt</translation>
        </message>
        <message>
            <source>: could not be indexed</source>
            <translation>: konnte nicht indiziert werden</translation>
        </message>
        <message>
            <source>kestrova-cli search: CRITERIA must not be empty</source>
            <translation>kestrova-cli search: CRITERIA darf nicht leer sein</translation>
        </message>
        <message>
            <source>kestrova-cli search: --sort-column takes 0, 1, 2 or 3</source>
            <translation>kestrova-cli search: --sort-column erwartet 0, 1, 2 oder 3</translation>
        </message>
        <message>
            <source>kestrova-cli search: give --sort or --sort-column, not both</source>
            <translation>kestrova-cli search: entweder --sort oder --sort-column angeben, nicht beide</translation>
        </message>
        <message>
            <source>kestrova-cli search: --sort takes path, type, created, catalogue, size, modified or none</source>
            <translation>kestrova-cli search: --sort erwartet path, type, created, catalogue, size, modified oder none</translation>
        </message>
        <message>
            <source>kestrova-cli search: --format takes tsv, csv or json</source>
            <translation>kestrova-cli search: --format erwartet tsv, csv oder json</translation>
        </message>
        <message>
            <source>kestrova-cli search: --%1 takes a size like 4096, 100M or 4G</source>
            <translation>kestrova-cli search: --%1 erwartet eine Größe wie 4096, 100M oder 4G</translation>
        </message>
        <message>
            <source>kestrova-cli search: --after takes a date like 2003-06-14 or %1</source>
            <translation>kestrova-cli search: --after erwartet ein Datum wie 2003-06-14 oder %1</translation>
        </message>
        <message>
            <source>kestrova-cli: cannot write the output: </source>
            <translation>kestrova-cli: Die Ausgabe kann nicht geschrieben werden: </translation>
        </message>
        <message>
            <source>kestrova-cli generate: the folder %1 could not be opened; %2 is left as it was</source>
            <translation>kestrova-cli generate: Der Ordner %1 konnte nicht geöffnet werden; %2 bleibt, wie er war</translation>
        </message>
        <message>
            <source>kestrova-cli generate: %1 is not yours alone (a link, another user&apos;s, or others may write to it), so no facts are kept in it: sizes will not be known</source>
            <translation>kestrova-cli generate: %1 gehört nicht Ihnen allein (eine Verknüpfung, einem anderen Benutzer, oder andere dürfen hineinschreiben), daher werden darin keine Fakten abgelegt: Größen bleiben unbekannt</translation>
        </message>
        <message>
            <source>--sort takes path, type, created, catalogue, size, modified or none</source>
            <translation>--sort erwartet path, type, created, catalogue, size, modified oder none</translation>
        </message>
        <message>
            <source>--limit takes a number of hits, 0 or more</source>
            <translation>--limit erwartet eine Anzahl Treffer, 0 oder mehr</translation>
        </message>
        <message>
            <source>--format takes tsv, csv or json</source>
            <translation>--format erwartet tsv, csv oder json</translation>
        </message>
        <message>
            <source>kestrova-cli du: --depth takes a number from 0</source>
            <translation>kestrova-cli du: --depth erwartet eine Zahl ab 0</translation>
        </message>
        <message>
            <source>kestrova-cli du: --format takes tsv, csv or json</source>
            <translation>kestrova-cli du: --format erwartet tsv, csv oder json</translation>
        </message>
        <message>
            <source>kestrova-cli ls: --format takes tsv, csv or json</source>
            <translation>kestrova-cli ls: --format erwartet tsv, csv oder json</translation>
        </message>
        <message>
            <source>kestrova-cli %1: %2 holds no folder %3</source>
            <translation>kestrova-cli %1: %2 enthält keinen Ordner %3</translation>
        </message>
        <message>
            <source>kestrova-cli copies: %1 is damaged: the sizes it does not give count as unknown</source>
            <translation>kestrova-cli copies: %1 ist beschädigt: Die Größen, die darin fehlen, gelten als unbekannt</translation>
        </message>
        <message>
            <source>kestrova-cli copies: older catalogues of a drive catalogued again, read as history: %1</source>
            <translation>kestrova-cli copies: ältere Kataloge eines erneut katalogisierten Laufwerks, als Verlauf gelesen: %1</translation>
        </message>
        <message>
            <source>kestrova-cli drives: the facts beside %1 cannot be read and are left aside: %2</source>
            <translation>kestrova-cli drives: Die Angaben neben %1 können nicht gelesen werden und bleiben unberücksichtigt: %2</translation>
        </message>
    </context>
    <context>
        <name>kestrova::AboutBox</name>
        <message>
            <source>Created By:</source>
            <translation>Erstellt von:</translation>
        </message>
        <message>
            <source>Email:</source>
            <translation>E-Mail:</translation>
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
            <translation>&amp;Systeminformationen...</translation>
        </message>
        <message>
            <source>About %1</source>
            <translation>Über %1</translation>
        </message>
        <message>
            <source>Version %1.%2.%3</source>
            <translation>Version %1.%2.%3</translation>
        </message>
        <message>
            <source>File not found</source>
            <translation>Datei nicht gefunden</translation>
        </message>
        <message>
            <source>System Information Is Unavailable At This Time</source>
            <translation>Die Systeminformationen sind zurzeit nicht verfügbar</translation>
        </message>
    </context>
    <context>
        <name>kestrova::CompareWindow</name>
        <message>
            <source>Summary of the comparison</source>
            <translation>Zusammenfassung des Vergleichs</translation>
        </message>
        <message>
            <source>Compare Catalogues</source>
            <translation>Kataloge vergleichen</translation>
        </message>
        <message>
            <source>%1 (choose)</source>
            <translation>%1 (auswählen)</translation>
        </message>
        <message>
            <source>&amp;Older catalogue</source>
            <translation>Ä&amp;lterer Katalog</translation>
        </message>
        <message>
            <source>&amp;Newer catalogue</source>
            <translation>&amp;Neuerer Katalog</translation>
        </message>
        <message>
            <source>&amp;Compare</source>
            <translation>&amp;Vergleichen</translation>
        </message>
        <message>
            <source>S&amp;top</source>
            <translation>S&amp;toppen</translation>
        </message>
        <message>
            <source>Change</source>
            <translation>Änderung</translation>
        </message>
        <message>
            <source>File Path</source>
            <translation>Dateipfad</translation>
        </message>
        <message>
            <source>Old</source>
            <translation>Alt</translation>
        </message>
        <message>
            <source>New</source>
            <translation>Neu</translation>
        </message>
        <message>
            <source>Choose a catalogue</source>
            <translation>Katalog auswählen</translation>
        </message>
        <message>
            <source>Catalogues (*.txt);;All files (*)</source>
            <translation>Kataloge (*.txt);;Alle Dateien (*)</translation>
        </message>
        <message>
            <source>Choose the older catalogue first: type its path or press the button beside it.</source>
            <translation>Wählen Sie zuerst den älteren Katalog: Geben Sie seinen Pfad ein oder drücken Sie die Schaltfläche daneben.</translation>
        </message>
        <message>
            <source>Choose the newer catalogue first: type its path or press the button beside it.</source>
            <translation>Wählen Sie zuerst den neueren Katalog: Geben Sie seinen Pfad ein oder drücken Sie die Schaltfläche daneben.</translation>
        </message>
        <message>
            <source>Comparing ...</source>
            <translation>Vergleich läuft ...</translation>
        </message>
        <message>
            <source>%1 added, %2 removed, %3 changed, %4, %5</source>
            <translation>%1 hinzugefügt, %2 entfernt, %3 geändert, %4, %5</translation>
        </message>
        <message>
            <source> (stopped)</source>
            <translation> (angehalten)</translation>
        </message>
        <message>
            <source>; %1 ends part-way</source>
            <translation>; %1 endet vorzeitig</translation>
        </message>
        <message>
            <source> | older: %1, folders %2, files %3 | newer: %4, folders %5, files %6</source>
            <translation> | älter: %1, Ordner %2, Dateien %3 | neuer: %4, Ordner %5, Dateien %6</translation>
        </message>
        <message>
            <source>Differences</source>
            <translation>Unterschiede</translation>
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
            <translation>Fortschritt der Suche</translation>
        </message>
        <message>
            <source>Copies</source>
            <translation>Kopien</translation>
        </message>
        <message>
            <source>Catalogues &amp;folder</source>
            <translation>Katalog&amp;ordner</translation>
        </message>
        <message>
            <source>Catalogues folder (choose)</source>
            <translation>Katalogordner (auswählen)</translation>
        </message>
        <message>
            <source>&amp;Single copies: files on one drive only</source>
            <translation>&amp;Einzelne Kopien: Dateien nur auf einem Laufwerk</translation>
        </message>
        <message>
            <source>&amp;Duplicates: files stored more than once</source>
            <translation>&amp;Duplikate: mehrfach gespeicherte Dateien</translation>
        </message>
        <message>
            <source>&amp;Under</source>
            <translation>&amp;Unter</translation>
        </message>
        <message>
            <source>a folder as catalogued, e.g. /media/photos</source>
            <translation>ein Ordner wie katalogisiert, z. B. /media/photos</translation>
        </message>
        <message>
            <source>Only the single copies in this folder or below it</source>
            <translation>Nur die einzelnen Kopien in diesem Ordner oder darunter</translation>
        </message>
        <message>
            <source>F&amp;ind</source>
            <translation>&amp;Finden</translation>
        </message>
        <message>
            <source>S&amp;top</source>
            <translation>S&amp;toppen</translation>
        </message>
        <message>
            <source>File Path</source>
            <translation>Dateipfad</translation>
        </message>
        <message>
            <source>File Type</source>
            <translation>Dateityp</translation>
        </message>
        <message>
            <source>Catalogue File</source>
            <translation>Katalogdatei</translation>
        </message>
        <message>
            <source>Size</source>
            <translation>Größe</translation>
        </message>
        <message>
            <source>Modified</source>
            <translation>Geändert am</translation>
        </message>
        <message>
            <source>&amp;Export Results...</source>
            <translation>Ergebnisse e&amp;xportieren...</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Schließen</translation>
        </message>
        <message>
            <source>Choose the folder of catalogues</source>
            <translation>Ordner der Kataloge auswählen</translation>
        </message>
        <message>
            <source>Choose the folder of catalogues first: type its path or press the button beside it.</source>
            <translation>Wählen Sie zuerst den Ordner der Kataloge: Geben Sie seinen Pfad ein oder drücken Sie die Schaltfläche daneben.</translation>
        </message>
        <message>
            <source>Reading the catalogues ...</source>
            <translation>Kataloge werden gelesen ...</translation>
        </message>
        <message>
            <source>%1 on one drive only, %2</source>
            <translation>%1 nur auf einem Laufwerk, %2</translation>
        </message>
        <message>
            <source>%1 of %2; %3 in copies beyond the first</source>
            <translation>%1 von %2; %3 in Kopien über die erste hinaus</translation>
        </message>
        <message>
            <source> (%1 in %2)</source>
            <translation> (%1 in %2)</translation>
        </message>
        <message>
            <source> (stopped)</source>
            <translation> (angehalten)</translation>
        </message>
        <message>
            <source>; sizes unknown in %1: their files count as copies by name and type</source>
            <translation>; Größen unbekannt in %1: Deren Dateien zählen nach Name und Typ als Kopien</translation>
        </message>
        <message>
            <source>; not read: %1</source>
            <translation>; nicht gelesen: %1</translation>
        </message>
        <message>
            <source>%1: %2 of %3, %4</source>
            <translation>%1: %2 von %3, %4</translation>
        </message>
        <message>
            <source>Counting</source>
            <translation>Zählen</translation>
        </message>
        <message>
            <source>Listing</source>
            <translation>Auflisten</translation>
        </message>
        <message>
            <source>Files found</source>
            <translation>Gefundene Dateien</translation>
        </message>
        <message>
            <source> (%1 in %2 of %3)</source>
            <translation> (%1 in %2 von %3)</translation>
        </message>
        <message>
            <source>; older catalogues of a drive catalogued again, read as history: %1</source>
            <translation>; ältere Kataloge eines erneut katalogisierten Laufwerks, als Verlauf gelesen: %1</translation>
        </message>
        <message>
            <source>; %1 is damaged: the sizes it does not give count as unknown</source>
            <translation>; %1 ist beschädigt: Die Größen, die darin fehlen, gelten als unbekannt</translation>
        </message>
    </context>
    <context>
        <name>kestrova::DefaultPathDialog</name>
        <message>
            <source>Set Default Path</source>
            <translation>Standardpfad festlegen</translation>
        </message>
        <message>
            <source>Tips: This screen is to set the default path. This path will be effective both while generating the Catalogue file and when trying to find files in the report.</source>
            <translation>Tipp: Hier legen Sie den Standardpfad fest. Er gilt sowohl beim Erstellen der Katalogdatei als auch bei der Suche nach Dateien im Bericht.</translation>
        </message>
        <message>
            <source>Current Default Path</source>
            <translation>Aktueller Standardpfad</translation>
        </message>
        <message>
            <source>&amp;Browse</source>
            <translation>&amp;Durchsuchen</translation>
        </message>
        <message>
            <source>&amp;Set</source>
            <translation>&amp;Festlegen</translation>
        </message>
        <message>
            <source>&amp;Remove</source>
            <translation>&amp;Entfernen</translation>
        </message>
        <message>
            <source>&amp;Close</source>
            <translation>S&amp;chließen</translation>
        </message>
        <message>
            <source>Please select the path.</source>
            <translation>Bitte wählen Sie den Pfad aus.</translation>
        </message>
        <message>
            <source>This will over-write your default path?</source>
            <translation>Damit wird Ihr Standardpfad überschrieben. Fortfahren?</translation>
        </message>
        <message>
            <source>Your default path will  be cleared permenantly?</source>
            <translation>Ihr Standardpfad wird dauerhaft gelöscht. Fortfahren?</translation>
        </message>
        <message>
            <source>File doesn&apos;t exist!</source>
            <translation>Die Datei existiert nicht!</translation>
        </message>
    </context>
    <context>
        <name>kestrova::DrivesWindow</name>
        <message>
            <source>Drives</source>
            <translation>Laufwerke</translation>
        </message>
        <message>
            <source>Catalogues &amp;folder</source>
            <translation>Katalog&amp;ordner</translation>
        </message>
        <message>
            <source>Catalogues folder (choose)</source>
            <translation>Katalogordner (auswählen)</translation>
        </message>
        <message>
            <source>&amp;Refresh</source>
            <translation>&amp;Aktualisieren</translation>
        </message>
        <message>
            <source>Catalogue File</source>
            <translation>Katalogdatei</translation>
        </message>
        <message>
            <source>Label</source>
            <translation>Bezeichnung</translation>
        </message>
        <message>
            <source>UUID</source>
            <translation>UUID</translation>
        </message>
        <message>
            <source>File System</source>
            <translation>Dateisystem</translation>
        </message>
        <message>
            <source>Capacity</source>
            <translation>Kapazität</translation>
        </message>
        <message>
            <source>Free</source>
            <translation>Frei</translation>
        </message>
        <message>
            <source>Files</source>
            <translation>Dateien</translation>
        </message>
        <message>
            <source>Total Size</source>
            <translation>Gesamtgröße</translation>
        </message>
        <message>
            <source>Catalogued</source>
            <translation>Katalogisiert</translation>
        </message>
        <message>
            <source>Connected</source>
            <translation>Verbunden</translation>
        </message>
        <message>
            <source>&amp;Open Folder</source>
            <translation>Ordner ö&amp;ffnen</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Schließen</translation>
        </message>
        <message>
            <source>Choose the folder of catalogues</source>
            <translation>Ordner der Kataloge auswählen</translation>
        </message>
        <message>
            <source>no</source>
            <translation>nein</translation>
        </message>
        <message>
            <source>The drive&apos;s folder %1 could not be opened.</source>
            <translation>Der Ordner %1 des Laufwerks konnte nicht geöffnet werden.</translation>
        </message>
        <message>
            <source>Drives catalogued</source>
            <translation>Katalogisierte Laufwerke</translation>
        </message>
        <message>
            <source>Drive</source>
            <translation>Laufwerk</translation>
        </message>
        <message>
            <source>Older Catalogues</source>
            <translation>Ältere Kataloge</translation>
        </message>
        <message>
            <source>older</source>
            <translation>älter</translation>
        </message>
        <message>
            <source>Notes on the facts</source>
            <translation>Hinweise zu den Fakten</translation>
        </message>
    </context>
    <context>
        <name>kestrova::HitActions</name>
        <message>
            <source>&amp;Open</source>
            <translation>Ö&amp;ffnen</translation>
        </message>
        <message>
            <source>Show in &amp;Folder</source>
            <translation>Im &amp;Ordner zeigen</translation>
        </message>
        <message>
            <source>&amp;Copy Path</source>
            <translation>&amp;Pfad kopieren</translation>
        </message>
        <message>
            <source>Copy &amp;Name</source>
            <translation>&amp;Namen kopieren</translation>
        </message>
        <message>
            <source>&amp;Run/Copy Path...</source>
            <translation>Pfad &amp;ausführen/kopieren...</translation>
        </message>
        <message>
            <source>&amp;Export Results...</source>
            <translation>Ergebnisse e&amp;xportieren...</translation>
        </message>
        <message>
            <source>%1 is on the drive %2, which is not connected. Connect it to reach the file.
It was catalogued in %3.</source>
            <translation>%1 liegt auf dem Laufwerk %2, das nicht verbunden ist. Verbinden Sie es, um die Datei zu erreichen.
Sie wurde in %3 katalogisiert.</translation>
        </message>
        <message>
            <source>%1 is not there any more.
It was catalogued in %2.</source>
            <translation>%1 ist nicht mehr vorhanden.
Sie wurde in %2 katalogisiert.</translation>
        </message>
        <message>
            <source>%1 is on a drive that is not connected: the folder %2 is missing.
It was catalogued in %3.</source>
            <translation>%1 liegt auf einem Laufwerk, das nicht verbunden ist: Der Ordner %2 fehlt.
Sie wurde in %3 katalogisiert.</translation>
        </message>
        <message>
            <source>%1 could not be opened: %2</source>
            <translation>%1 konnte nicht geöffnet werden: %2</translation>
        </message>
        <message>
            <source>The folder %1 could not be opened: %2
No file manager answers, and no program is set to open folders.</source>
            <translation>Der Ordner %1 konnte nicht geöffnet werden: %2
Kein Dateimanager antwortet, und kein Programm ist zum Öffnen von Ordnern eingerichtet.</translation>
        </message>
        <message>
            <source>CSV (*.csv)</source>
            <translation>CSV (*.csv)</translation>
        </message>
        <message>
            <source>Tab-separated text (*.tsv)</source>
            <translation>Tabulatorgetrennter Text (*.tsv)</translation>
        </message>
        <message>
            <source>%1 is in the folder of catalogues %2: the next search there reads it as a catalogue, as it reads every file there.
Save it there anyway?</source>
            <translation>%1 liegt im Ordner der Kataloge %2: Die nächste Suche dort liest die Datei als Katalog, wie jede Datei dort.
Trotzdem dort speichern?</translation>
        </message>
        <message>
            <source>The results could not be written to %1:
%2</source>
            <translation>Die Ergebnisse konnten nicht nach %1 geschrieben werden:
%2</translation>
        </message>
        <message>
            <source>Show in Ca&amp;talogue</source>
            <translation>Im &amp;Katalog zeigen</translation>
        </message>
    </context>
    <context>
        <name>kestrova::MainWindow</name>
        <message>
            <source>Select Drive/Folder </source>
            <translation>Laufwerk/Ordner auswählen </translation>
        </message>
        <message>
            <source>Select Drive</source>
            <translation>Laufwerk</translation>
        </message>
        <message>
            <source>Select Folder</source>
            <translation>Ordner</translation>
        </message>
        <message>
            <source>Please select the Drive or Folder you want to generate its Catalogue.</source>
            <translation>Bitte wählen Sie das Laufwerk oder den Ordner, dessen Katalog Sie erstellen möchten.</translation>
        </message>
        <message>
            <source>Process Details</source>
            <translation>Fortschritt</translation>
        </message>
        <message>
            <source>Current Folder</source>
            <translation>Aktueller Ordner</translation>
        </message>
        <message>
            <source>Current File</source>
            <translation>Aktuelle Datei</translation>
        </message>
        <message>
            <source>&amp;Details...</source>
            <translation>&amp;Details...</translation>
        </message>
        <message>
            <source>What the last run could not read</source>
            <translation>Was der letzte Lauf nicht lesen konnte</translation>
        </message>
        <message>
            <source>&amp;Generate Catalogue</source>
            <translation>Katalog &amp;erstellen</translation>
        </message>
        <message>
            <source>&amp;View Catalogue</source>
            <translation>Katalog &amp;anzeigen</translation>
        </message>
        <message>
            <source>&amp;Find Files </source>
            <translation>Dateien &amp;suchen </translation>
        </message>
        <message>
            <source>&amp;Set Default Path</source>
            <translation>Standard&amp;pfad festlegen</translation>
        </message>
        <message>
            <source>E&amp;xit</source>
            <translation>&amp;Beenden</translation>
        </message>
        <message>
            <source>File</source>
            <translation>Datei</translation>
        </message>
        <message>
            <source>Generate Catalogue</source>
            <translation>Katalog erstellen</translation>
        </message>
        <message>
            <source>Find Files</source>
            <translation>Dateien suchen</translation>
        </message>
        <message>
            <source>Exit</source>
            <translation>Beenden</translation>
        </message>
        <message>
            <source>Tools</source>
            <translation>Extras</translation>
        </message>
        <message>
            <source>Set Default Path</source>
            <translation>Standardpfad festlegen</translation>
        </message>
        <message>
            <source>Compare Catalogues...</source>
            <translation>Kataloge vergleichen...</translation>
        </message>
        <message>
            <source>Drives...</source>
            <translation>Laufwerke...</translation>
        </message>
        <message>
            <source>Copies...</source>
            <translation>Kopien...</translation>
        </message>
        <message>
            <source>Help</source>
            <translation>Hilfe</translation>
        </message>
        <message>
            <source>About</source>
            <translation>Über</translation>
        </message>
        <message>
            <source>%1: %2, the default path kept by Set Default Path.
Connect its drive, or choose another folder with Set Default Path.</source>
            <translation>%1: %2, der mit „Standardpfad festlegen“ gespeicherte Standardpfad.
Verbinden Sie sein Laufwerk oder wählen Sie mit „Standardpfad festlegen“ einen anderen Ordner.</translation>
        </message>
        <message>
            <source>A catalogue is being generated.</source>
            <translation>Ein Katalog wird gerade erstellt.</translation>
        </message>
        <message>
            <source>Text (*.txt)</source>
            <translation>Text (*.txt)</translation>
        </message>
        <message>
            <source>Progress of the run</source>
            <translation>Fortschritt des Laufs</translation>
        </message>
        <message>
            <source>The catalogue %1 would be written inside the folder it catalogues, %2, and would list itself.
Catalogue the folder anyway?</source>
            <translation>Der Katalog %1 würde in den Ordner geschrieben, den er katalogisiert, %2, und sich selbst auflisten.
Den Ordner trotzdem katalogisieren?</translation>
        </message>
        <message>
            <source>Quick Find...</source>
            <translation>Schnellsuche...</translation>
        </message>
        <message>
            <source>Browse Catalogue...</source>
            <translation>Katalog durchsuchen...</translation>
        </message>
    </context>
    <context>
        <name>kestrova::ReadFailuresDialog</name>
        <message>
            <source>Could Not Be Read</source>
            <translation>Nicht lesbar</translation>
        </message>
        <message>
            <source>What the last run could not read; the rest of its catalogue is complete:</source>
            <translation>Was der letzte Lauf nicht lesen konnte; der Rest seines Katalogs ist vollständig:</translation>
        </message>
        <message>
            <source>What could not be read</source>
            <translation>Was nicht gelesen werden konnte</translation>
        </message>
        <message>
            <source>&amp;Copy</source>
            <translation>&amp;Kopieren</translation>
        </message>
    </context>
    <context>
        <name>kestrova::RunCopyWindow</name>
        <message>
            <source>Run/Copy path</source>
            <translation>Pfad ausführen/kopieren</translation>
        </message>
        <message>
            <source>Run</source>
            <translation>Ausführen</translation>
        </message>
        <message>
            <source>Copy</source>
            <translation>Kopieren</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Schließen</translation>
        </message>
        <message>
            <source>Path</source>
            <translation>Pfad</translation>
        </message>
    </context>
    <context>
        <name>kestrova::SearchWindow</name>
        <message>
            <source>Catalogues whose dates cannot be read</source>
            <translation>Kataloge, deren Datumsangaben nicht gelesen werden können</translation>
        </message>
        <message>
            <source>Dates not readable: %1</source>
            <translation>Datumsangaben nicht lesbar: %1</translation>
        </message>
        <message>
            <source>Search</source>
            <translation>Suche</translation>
        </message>
        <message>
            <source>   Search Indicator</source>
            <translation>   Suchanzeige</translation>
        </message>
        <message>
            <source>Total Records Matched</source>
            <translation>Gefundene Einträge</translation>
        </message>
        <message>
            <source>Total Records Matched: %1</source>
            <translation>Gefundene Einträge: %1</translation>
        </message>
        <message>
            <source>Current Path</source>
            <translation>Aktueller Pfad</translation>
        </message>
        <message>
            <source>File Path</source>
            <translation>Dateipfad</translation>
        </message>
        <message>
            <source>File Type</source>
            <translation>Dateityp</translation>
        </message>
        <message>
            <source>Created</source>
            <translation>Erstellt</translation>
        </message>
        <message>
            <source>Catalogue File</source>
            <translation>Katalogdatei</translation>
        </message>
        <message>
            <source>Size</source>
            <translation>Größe</translation>
        </message>
        <message>
            <source>Modified</source>
            <translation>Geändert am</translation>
        </message>
        <message>
            <source>Please select an item.</source>
            <translation>Bitte wählen Sie einen Eintrag aus.</translation>
        </message>
        <message>
            <source>Please select the folder that the Catalogue files are located, unless the default path is set.</source>
            <translation>Bitte wählen Sie den Ordner mit den Katalogdateien, sofern kein Standardpfad festgelegt ist.</translation>
        </message>
        <message>
            <source>Please enter the exact name or partial name of the file you are searching for.</source>
            <translation>Bitte geben Sie den genauen Namen oder einen Teil des Namens der gesuchten Datei ein.</translation>
        </message>
        <message>
            <source>Type Search Criteria</source>
            <translation>Suchbegriff eingeben</translation>
        </message>
        <message>
            <source>No Case Sensitive</source>
            <translation>Groß/klein egal</translation>
        </message>
        <message>
            <source>Case Sensitive</source>
            <translation>Groß/klein beachten</translation>
        </message>
        <message>
            <source>Date &gt; than</source>
            <translation>Datum nach</translation>
        </message>
        <message>
            <source>&amp;Search</source>
            <translation>&amp;Suchen</translation>
        </message>
        <message>
            <source>Stop</source>
            <translation>Stopp</translation>
        </message>
        <message>
            <source>&amp;Close</source>
            <translation>S&amp;chließen</translation>
        </message>
        <message>
            <source>Double click to grab file path to run.</source>
            <translation>Doppelklick: Pfad zum Ausführen.</translation>
        </message>
        <message>
            <source>Created after</source>
            <translation>Erstellt nach</translation>
        </message>
        <message>
            <source>Search criteria</source>
            <translation>Suchbegriff</translation>
        </message>
        <message>
            <source>Drive of the catalogues</source>
            <translation>Laufwerk der Kataloge</translation>
        </message>
        <message>
            <source>Folder of the catalogues</source>
            <translation>Ordner der Kataloge</translation>
        </message>
        <message>
            <source>Files found</source>
            <translation>Gefundene Dateien</translation>
        </message>
        <message>
            <source>Turns from red to green and back with each hit found</source>
            <translation>Wechselt mit jedem Treffer zwischen Rot und Grün</translation>
        </message>
        <message numerus="yes">
            <source>Stopped: %Ln hit(s) so far</source>
            <translation>
                <numerusform>Angehalten: bisher %Ln Treffer</numerusform>
                <numerusform>Angehalten: bisher %Ln Treffer</numerusform>
            </translation>
        </message>
        <message>
            <source>&amp;View</source>
            <translation>&amp;Ansicht</translation>
        </message>
    </context>
    <context>
        <name>Query</name>
        <message>
            <source>the query has " at %1 without its closing "</source>
            <translation>die Abfrage hat " an Stelle %1 ohne schließendes "</translation>
        </message>
        <message>
            <source>the query has "case:" at %1 with a value; it takes none</source>
            <translation>die Abfrage hat "case:" an Stelle %1 mit einem Wert; es nimmt keinen</translation>
        </message>
        <message>
            <source>the query is empty</source>
            <translation>die Abfrage ist leer</translation>
        </message>
        <message>
            <source>the query has ")" at %1 without its "("</source>
            <translation>die Abfrage hat ")" an Stelle %1 ohne sein "("</translation>
        </message>
        <message>
            <source>the query has "%1" at %2 with nothing after it</source>
            <translation>die Abfrage hat "%1" an Stelle %2, ohne dass etwas folgt</translation>
        </message>
        <message>
            <source>the query has "%1" at %2 with nothing before it</source>
            <translation>die Abfrage hat "%1" an Stelle %2, ohne dass etwas davor steht</translation>
        </message>
        <message>
            <source>the query has "(" at %1 with nothing after it</source>
            <translation>die Abfrage hat "(" an Stelle %1, ohne dass etwas folgt</translation>
        </message>
        <message>
            <source>the query has "(" at %1 without its ")"</source>
            <translation>die Abfrage hat "(" an Stelle %1 ohne sein ")"</translation>
        </message>
        <message>
            <source>the query has an unknown field "%1:" at %2</source>
            <translation>die Abfrage hat ein unbekanntes Feld "%1:" an Stelle %2</translation>
        </message>
        <message>
            <source>the query has "%1:" at %2 without a value</source>
            <translation>die Abfrage hat "%1:" an Stelle %2 ohne Wert</translation>
        </message>
        <message>
            <source>the query has a size "%1" at %2 that does not read (sizes read like 0, 4096, &lt;1K, &gt;100M or 1M..4G)</source>
            <translation>die Abfrage hat an Stelle %2 eine Größe "%1", die sich nicht lesen lässt (Größen lauten etwa 0, 4096, &lt;1K, &gt;100M oder 1M..4G)</translation>
        </message>
        <message>
            <source>the query has a date "%1" at %2 that does not read (dates read like 2024, 2024-06, &gt;2024-06-01 or 2024-01..2024-03)</source>
            <translation>die Abfrage hat an Stelle %2 ein Datum "%1", das sich nicht lesen lässt (Daten lauten etwa 2024, 2024-06, &gt;2024-06-01 oder 2024-01..2024-03)</translation>
        </message>
        <message>
            <source>the query has a regular expression "%1" at %2 that does not compile: %3</source>
            <translation>die Abfrage hat an Stelle %2 einen regulären Ausdruck "%1", der sich nicht übersetzen lässt: %3</translation>
        </message>
    </context>
    <context>
        <name>QueryHelp</name>
        <message>
            <source>names that hold the text, letter case aside</source>
            <translation>Namen, die den Text enthalten, ohne Rücksicht auf Groß- und Kleinschreibung</translation>
        </message>
        <message>
            <source>names that match the pattern whole: * any characters, ? one</source>
            <translation>Namen, die als Ganzes dem Muster entsprechen: * beliebige Zeichen, ? eines</translation>
        </message>
        <message>
            <source>terms separated by blanks must all match</source>
            <translation>durch Leerzeichen getrennte Begriffe müssen alle passen</translation>
        </message>
        <message>
            <source>either term matches</source>
            <translation>einer der Begriffe passt</translation>
        </message>
        <message>
            <source>the term must not match</source>
            <translation>der Begriff darf nicht passen</translation>
        </message>
        <message>
            <source>parentheses group terms</source>
            <translation>Klammern fassen Begriffe zusammen</translation>
        </message>
        <message>
            <source>one term with its blank, taken as it stands</source>
            <translation>ein Begriff samt Leerzeichen, so genommen, wie er dasteht</translation>
        </message>
        <message>
            <source>the full path (folder and name) holds the text</source>
            <translation>der volle Pfad (Ordner und Name) enthält den Text</translation>
        </message>
        <message>
            <source>the name&apos;s extension is one of these</source>
            <translation>die Endung des Namens ist eine von diesen</translation>
        </message>
        <message>
            <source>the file type holds the text</source>
            <translation>der Dateityp enthält den Text</translation>
        </message>
        <message>
            <source>the catalogue&apos;s file name or the drive&apos;s label holds the text</source>
            <translation>der Dateiname des Katalogs oder die Bezeichnung des Laufwerks enthält den Text</translation>
        </message>
        <message>
            <source>the size (K, M, G, T: powers of 1024); files of unknown size never match</source>
            <translation>die Größe (K, M, G, T: Potenzen von 1024); Dateien unbekannter Größe passen nie</translation>
        </message>
        <message>
            <source>the last modification: a year, a month, a day, after, before or a range</source>
            <translation>die letzte Änderung: ein Jahr, ein Monat, ein Tag, danach, davor oder ein Bereich</translation>
        </message>
        <message>
            <source>the Created column, read as a date, in the same forms</source>
            <translation>die Spalte Erstellt, als Datum gelesen, in denselben Formen</translation>
        </message>
        <message>
            <source>the name matches the regular expression</source>
            <translation>der Name passt zum regulären Ausdruck</translation>
        </message>
        <message>
            <source>anywhere in the query: letter case must match</source>
            <translation>irgendwo in der Abfrage: Groß- und Kleinschreibung muss passen</translation>
        </message>
    </context>
    <context>
        <name>kestrova::QuickFindWindow</name>
        <message>
            <source>Quick Find</source>
            <translation>Schnellsuche</translation>
        </message>
        <message>
            <source>&amp;Find</source>
            <translation>&amp;Suchen</translation>
        </message>
        <message>
            <source>words of the name, ext:jpg, size:&gt;100M, modified:2024 ... (F1: the whole language)</source>
            <translation>Wörter des Namens, ext:jpg, size:&gt;100M, modified:2024 ... (F1: die ganze Sprache)</translation>
        </message>
        <message>
            <source>Query language help</source>
            <translation>Hilfe zur Abfragesprache</translation>
        </message>
        <message>
            <source>The query language (F1)</source>
            <translation>Die Abfragesprache (F1)</translation>
        </message>
        <message>
            <source>Query error</source>
            <translation>Fehler in der Abfrage</translation>
        </message>
        <message>
            <source>Catalogues f&amp;older</source>
            <translation>Katalog&amp;ordner</translation>
        </message>
        <message>
            <source>Catalogues folder (choose)</source>
            <translation>Katalogordner (auswählen)</translation>
        </message>
        <message>
            <source>Files found</source>
            <translation>Gefundene Dateien</translation>
        </message>
        <message>
            <source>File Path</source>
            <translation>Dateipfad</translation>
        </message>
        <message>
            <source>File Type</source>
            <translation>Dateityp</translation>
        </message>
        <message>
            <source>Created</source>
            <translation>Erstellt</translation>
        </message>
        <message>
            <source>Catalogue File</source>
            <translation>Katalogdatei</translation>
        </message>
        <message>
            <source>Size</source>
            <translation>Größe</translation>
        </message>
        <message>
            <source>Modified</source>
            <translation>Geändert am</translation>
        </message>
        <message>
            <source>Hits and catalogues read</source>
            <translation>Treffer und gelesene Kataloge</translation>
        </message>
        <message>
            <source>&amp;Export Results...</source>
            <translation>Ergebnisse e&amp;xportieren...</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Schließen</translation>
        </message>
        <message>
            <source>%1 from %2 read</source>
            <translation>%1 aus %2 gelesen</translation>
        </message>
        <message>
            <source>Searching ... %1</source>
            <translation>Suche ... %1</translation>
        </message>
        <message>
            <source>not read: %1 (%2)</source>
            <translation>nicht gelesen: %1 (%2)</translation>
        </message>
        <message>
            <source>Choose the folder of catalogues</source>
            <translation>Ordner der Kataloge auswählen</translation>
        </message>
        <message>
            <source>Quick Find: the query language</source>
            <translation>Schnellsuche: die Abfragesprache</translation>
        </message>
        <message>
            <source>Query language</source>
            <translation>Abfragesprache</translation>
        </message>
    </context>
    <context>
        <name>kestrova::BrowserListModel</name>
        <message>
            <source>unknown</source>
            <translation>unbekannt</translation>
        </message>
        <message>
            <source>%1 in %2</source>
            <translation>%1 in %2</translation>
        </message>
        <message>
            <source>%1, %2 without a size</source>
            <translation>%1, %2 ohne Größe</translation>
        </message>
        <message>
            <source>Name</source>
            <translation>Name</translation>
        </message>
        <message>
            <source>Type</source>
            <translation>Typ</translation>
        </message>
        <message>
            <source>Created</source>
            <translation>Erstellt</translation>
        </message>
        <message>
            <source>Size</source>
            <translation>Größe</translation>
        </message>
        <message>
            <source>Modified</source>
            <translation>Geändert</translation>
        </message>
        <message>
            <source>Share</source>
            <translation>Anteil</translation>
        </message>
        <message>
            <source>Folder</source>
            <translation>Ordner</translation>
        </message>
    </context>
    <context>
        <name>kestrova::BrowserTreeModel</name>
        <message>
            <source>(before any folder)</source>
            <translation>(vor jedem Ordner)</translation>
        </message>
    </context>
    <context>
        <name>kestrova::BrowserWindow</name>
        <message>
            <source>Totals of the folder</source>
            <translation>Summen des Ordners</translation>
        </message>
        <message>
            <source>Browse Catalogue</source>
            <translation>Katalog durchsuchen</translation>
        </message>
        <message>
            <source>The drive&apos;s facts</source>
            <translation>Angaben zum Laufwerk</translation>
        </message>
        <message>
            <source>Back</source>
            <translation>Zurück</translation>
        </message>
        <message>
            <source>Forward</source>
            <translation>Vorwärts</translation>
        </message>
        <message>
            <source>Up</source>
            <translation>Nach oben</translation>
        </message>
        <message>
            <source>&amp;Folder</source>
            <translation>&amp;Ordner</translation>
        </message>
        <message>
            <source>Folder path</source>
            <translation>Ordnerpfad</translation>
        </message>
        <message>
            <source>Folders</source>
            <translation>Ordner</translation>
        </message>
        <message>
            <source>Entries of the folder</source>
            <translation>Einträge des Ordners</translation>
        </message>
        <message>
            <source>&amp;Open Catalogue...</source>
            <translation>Katalog ö&amp;ffnen...</translation>
        </message>
        <message>
            <source>&amp;Export...</source>
            <translation>E&amp;xportieren...</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Schließen</translation>
        </message>
        <message>
            <source>Choose a catalogue</source>
            <translation>Katalog auswählen</translation>
        </message>
        <message>
            <source>Catalogues (*.txt);;All files (*)</source>
            <translation>Kataloge (*.txt);;Alle Dateien (*)</translation>
        </message>
        <message>
            <source>Browse Catalogue - %1</source>
            <translation>Katalog durchsuchen - %1</translation>
        </message>
        <message>
            <source>(before any folder)</source>
            <translation>(vor jedem Ordner)</translation>
        </message>
        <message>
            <source>%1 and %2 here; %3 in %4 under it</source>
            <translation>%1 und %2 hier; %3 in %4 darunter</translation>
        </message>
        <message>
            <source>size unknown</source>
            <translation>Größe unbekannt</translation>
        </message>
        <message>
            <source>%1, %2 without a size</source>
            <translation>%1, %2 ohne Größe</translation>
        </message>
        <message>
            <source>The catalogue holds no folder %1.</source>
            <translation>Der Katalog enthält keinen Ordner %1.</translation>
        </message>
        <message>
            <source>Catalogued %1. No facts beside the catalogue: sizes and times are not known.</source>
            <translation>Katalogisiert %1. Keine Angaben neben dem Katalog: Größen und Zeiten sind unbekannt.</translation>
        </message>
        <message>
            <source>unknown</source>
            <translation>unbekannt</translation>
        </message>
        <message>
            <source>not known whether connected</source>
            <translation>unbekannt, ob angeschlossen</translation>
        </message>
        <message>
            <source>connected at %1</source>
            <translation>angeschlossen unter %1</translation>
        </message>
        <message>
            <source>not connected</source>
            <translation>nicht angeschlossen</translation>
        </message>
        <message>
            <source>&lt;b&gt;%1&lt;/b&gt; (%2), capacity %3, %4 free; catalogued %5 from %6; %7</source>
            <translation>&lt;b&gt;%1&lt;/b&gt; (%2), Kapazität %3, %4 frei; katalogisiert %5 aus %6; %7</translation>
        </message>
        <message>
            <source>no label</source>
            <translation>ohne Bezeichnung</translation>
        </message>
    </context>
</TS>
