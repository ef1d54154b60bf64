<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="hu" sourcelanguage="zh_CN">
<context>
    <name>DataCommon</name>
    <message>
        <source>Korvane </source>
        <translation>Korvane </translation>
    </message>
    <message>
        <source>红外分析处理软件</source>
        <translation>Infravörös elemző és feldolgozó szoftver</translation>
    </message>
    <message>
        <source>Korvane红外科技有限公司</source>
        <translation>Korvane Infravörös Technológiai Kft.</translation>
    </message>
</context>
<context>
    <name>GlobalFunction</name>
    <message>
        <source>未知</source>
        <translation>Ismeretlen</translation>
    </message>
</context>
<context>
    <name>ItemCommonText</name>
    <message>
        <source>此功能尚未提供</source>
        <translation>Ez a funkció még nem érhető el</translation>
    </message>
    <message>
        <source>我的电脑</source>
        <translation>Sajátgép</translation>
    </message>
    <message>
        <source>文件预览</source>
        <translation>Fájlelőnézet</translation>
    </message>
    <message>
        <source>摄像机</source>
        <translation>Kamerák</translation>
    </message>
    <message>
        <source>报告编辑</source>
        <translation>Jelentésszerkesztő</translation>
    </message>
    <message>
        <source>诊断规则</source>
        <translation>Diagnosztikai szabályok</translation>
    </message>
    <message>
        <source>关于</source>
        <translation>Névjegy</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Beállítások</translation>
    </message>
    <message>
        <source>帮助</source>
        <translation>Súgó</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Mégse</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Bezárás</translation>
    </message>
    <message>
        <source>最大化</source>
        <translation>Teljes méret</translation>
    </message>
    <message>
        <source>还原</source>
        <translation>Visszaállítás</translation>
    </message>
    <message>
        <source>最小化</source>
        <translation>Kis méret</translation>
    </message>
    <message>
        <source>系统提示</source>
        <translation>Rendszerüzenet</translation>
    </message>
    <message>
        <source>分析添加方式</source>
        <translation>Elemzések hozzáadása</translation>
    </message>
    <message>
        <source>单个</source>
        <translation>Egyenként</translation>
    </message>
    <message>
        <source>多个</source>
        <translation>Többszörös</translation>
    </message>
    <message>
        <source>图片标志</source>
        <translation>Logó a képeken</translation>
    </message>
    <message>
        <source>报告模板</source>
        <translation>Jelentéssablon</translation>
    </message>
    <message>
        <source>默认</source>
        <translation>Alapértelmezett</translation>
    </message>
    <message>
        <source>自定义</source>
        <translation>Egyéni</translation>
    </message>
    <message>
        <source>浏览</source>
        <translation>Tallózás</translation>
    </message>
    <message>
        <source>语言</source>
        <translation>Nyelv</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Kilépés</translation>
    </message>
    <message>
        <source>：</source>
        <translation>: </translation>
    </message>
    <message>
        <source>图片分析</source>
        <translation>Képelemzés</translation>
    </message>
    <message>
        <source>视频分析</source>
        <translation>Videóelemzés</translation>
    </message>
    <message>
        <source>未知</source>
        <translation>Ismeretlen</translation>
    </message>
    <message>
        <source>大小</source>
        <translation>Méret</translation>
    </message>
    <message>
        <source>分辨率</source>
        <translation>Felbontás</translation>
    </message>
    <message>
        <source>拍摄时间</source>
        <translation>Készült</translation>
    </message>
    <message>
        <source>创建时间</source>
        <translation>Létrehozva</translation>
    </message>
    <message>
        <source>修改时间</source>
        <translation>Módosítva</translation>
    </message>
    <message>
        <source>开始时间</source>
        <translation>Kezdet</translation>
    </message>
    <message>
        <source>结束时间</source>
        <translation>Vége</translation>
    </message>
    <message>
        <source>当前时间</source>
        <translation>Aktuális idő</translation>
    </message>
    <message>
        <source>设备</source>
        <translation>Eszköz</translation>
    </message>
    <message>
        <source>镜头类型</source>
        <translation>Objektív típusa</translation>
    </message>
    <message>
        <source>镜头序列号</source>
        <translation>Objektív sorozatszáma</translation>
    </message>
    <message>
        <source>测温范围</source>
        <translation>Mérési tartomány</translation>
    </message>
    <message>
        <source>已选择%1个文件</source>
        <translation>%1 fájl kiválasztva</translation>
    </message>
    <message>
        <source>连接设备%1失败</source>
        <translation>Nem sikerült csatlakozni a(z) %1 eszközhöz</translation>
    </message>
    <message>
        <source>无法创建%1的窗口</source>
        <translation>Nem hozható létre ablak ehhez: %1</translation>
    </message>
    <message>
        <source>版本</source>
        <translation>Verzió</translation>
    </message>
</context>
</TS>
