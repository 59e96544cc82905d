<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- Russian for what the file dialogs of Qt 6 show and Qt's own Russian translation lacks: the type
     names of files and folders moved to a context of their own in Qt 6. Loaded after Qt's. -->
<TS version="2.1" language="ru_RU">
<context>
    <name>QAbstractFileIconProvider</name>
    <message>
        <source>Drive</source>
        <translation>Диск</translation>
    </message>
    <message>
        <source>%1 File</source>
        <translation>Файл %1</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Файл</translation>
    </message>
    <message>
        <source>File Folder</source>
        <translation>Папка с файлами</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Папка</translation>
    </message>
    <message>
        <source>Shortcut</source>
        <translation>Ярлык</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Неизвестный</translation>
    </message>
</context>
</TS>
