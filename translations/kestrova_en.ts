<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
    <context>
        <name>Counts</name>
        <message numerus="yes">
            <source>%1 folder(s) added</source>
            <translation>
                <numerusform>%1 folder added</numerusform>
                <numerusform>%1 folders added</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%1 folder(s) removed</source>
            <translation>
                <numerusform>%1 folder removed</numerusform>
                <numerusform>%1 folders removed</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%1 file(s)</source>
            <translation>
                <numerusform>%1 file</numerusform>
                <numerusform>%1 files</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%1 copy(ies)</source>
            <translation>
                <numerusform>%1 copy</numerusform>
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
                <numerusform>%1 folder</numerusform>
                <numerusform>%1 folders</numerusform>
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
                <numerusform>%1 hit</numerusform>
                <numerusform>%1 hits</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%1 file(s) whose created time alone differs (no change)</source>
            <translation>
                <numerusform>%1 file whose created time alone differs (no change)</numerusform>
                <numerusform>%1 files whose created time alone differs (no change)</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%1 drive(s)</source>
            <translation>
                <numerusform>%1 drive</numerusform>
                <numerusform>%1 drives</numerusform>
            </translation>
        </message>
    </context>
    <context>
        <name>kestrova::SearchWindow</name>
        <message numerus="yes">
            <source>Stopped: %Ln hit(s) so far</source>
            <translation>
                <numerusform>Stopped: %Ln hit so far</numerusform>
                <numerusform>Stopped: %Ln hits so far</numerusform>
            </translation>
        </message>
    </context>
</TS>
