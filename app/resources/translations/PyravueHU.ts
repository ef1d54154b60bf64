<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="hu" sourcelanguage="zh_CN">
<context>
    <name>ItemCommonText</name>
    <message>
        <source>此功能尚未提供</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
