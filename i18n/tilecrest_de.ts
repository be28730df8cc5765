<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>tc::client::LanguageMenu</name>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Sprache</translation>
    </message>
    <message>
        <source>Desktop &amp;Language</source>
        <translation>&amp;Systemsprache</translation>
    </message>
    <message>
        <source>Language: %1, already in use.</source>
        <translation>Sprache: %1, bereits eingestellt.</translation>
    </message>
    <message>
        <source>Language: %1, from the next start of Tilecrest.</source>
        <translation>Sprache: %1, ab dem nächsten Start von Tilecrest.</translation>
    </message>
</context>
</TS>
