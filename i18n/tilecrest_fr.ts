<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>tc::client::LanguageMenu</name>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Langue</translation>
    </message>
    <message>
        <source>Desktop &amp;Language</source>
        <translation>Langue du &amp;bureau</translation>
    </message>
    <message>
        <source>Language: %1, already in use.</source>
        <translation>Langue : %1, déjà en vigueur.</translation>
    </message>
    <message>
        <source>Language: %1, from the next start of Tilecrest.</source>
        <translation>Langue : %1, à partir du prochain démarrage de Tilecrest.</translation>
    </message>
</context>
</TS>
