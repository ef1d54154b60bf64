<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="hu" sourcelanguage="zh_CN">
<context>
    <name>ChartTrendInfo</name>
    <message>
        <source> Percentage: </source>
        <translation> Arány: </translation>
    </message>
    <message>
        <source> Pixels number: </source>
        <translation> Pixelszám: </translation>
    </message>
</context>
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
    <name>IRBase</name>
    <message>
        <source>Image </source>
        <translation>Kép </translation>
    </message>
    <message>
        <source>Video </source>
        <translation>Videó </translation>
    </message>
</context>
<context>
    <name>IRCopyTemp</name>
    <message>
        <source>Emissivity</source>
        <translation>Emissziós tényező</translation>
    </message>
    <message>
        <source>Distance</source>
        <translation>Távolság</translation>
    </message>
    <message>
        <source>Environment temperature</source>
        <translation>Környezeti hőmérséklet</translation>
    </message>
    <message>
        <source>Relative humidity</source>
        <translation>Relatív páratartalom</translation>
    </message>
    <message>
        <source>Infrared overall temperature</source>
        <translation>Teljes infravörös hőmérséklet</translation>
    </message>
    <message>
        <source>Resolution( width, height )</source>
        <translation>Felbontás (szélesség, magasság)</translation>
    </message>
    <message>
        <source>Maximum temperature</source>
        <translation>Maximális hőmérséklet</translation>
    </message>
    <message>
        <source>Minimum temperature</source>
        <translation>Minimális hőmérséklet</translation>
    </message>
    <message>
        <source>(width, height)</source>
        <translation>(szélesség, magasság)</translation>
    </message>
    <message>
        <source>Pixels number</source>
        <translation>Pixelek száma</translation>
    </message>
    <message>
        <source>Cursor(X,Y),Temperature</source>
        <translation>Kurzor (X,Y), hőmérséklet</translation>
    </message>
    <message>
        <source>Position(X,Y)</source>
        <translation>Pozíció (X,Y)</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>Hőmérséklet</translation>
    </message>
    <message>
        <source>Average temperature</source>
        <translation>Átlagos hőmérséklet</translation>
    </message>
</context>
<context>
    <name>IRNetDevice</name>
    <message>
        <source>Please select a video storage path!</source>
        <translation>Válasszon mappát a videók tárolásához!</translation>
    </message>
    <message>
        <source>The free disk space less than 2GB. Please re-select another storage disk!</source>
        <translation>A lemezen 2 GB-nál kevesebb a szabad hely. Válasszon másik tárolólemezt!</translation>
    </message>
</context>
<context>
    <name>ItemAreaChartArea</name>
    <message>
        <source>区域个数</source>
        <translation>Tartományok</translation>
    </message>
    <message>
        <source>分析列表（只能单选）</source>
        <translation>Elemzések (egy választható)</translation>
    </message>
</context>
<context>
    <name>ItemAreaChartLine</name>
    <message>
        <source>分析列表（可以多选）</source>
        <translation>Elemzések (több választható)</translation>
    </message>
</context>
<context>
    <name>ItemAreaComputerPath</name>
    <message>
        <source>桌面</source>
        <translation>Asztal</translation>
    </message>
</context>
<context>
    <name>ItemAreaDevicePreview</name>
    <message>
        <source>序列号</source>
        <translation>Sorozatszám</translation>
    </message>
    <message>
        <source>地址</source>
        <translation>Cím</translation>
    </message>
    <message>
        <source>软件版本</source>
        <translation>Szoftververzió</translation>
    </message>
    <message>
        <source>系统版本</source>
        <translation>Rendszerverzió</translation>
    </message>
</context>
<context>
    <name>ItemAreaIRIsotherm</name>
    <message>
        <source>加载等温分析文件失败！</source>
        <translation>Az izoterma fájl betöltése sikertelen!</translation>
    </message>
    <message>
        <source>保存等温分析文件失败！</source>
        <translation>Az izoterma fájl mentése sikertelen!</translation>
    </message>
    <message>
        <source>选择导出的等温分析文件</source>
        <translation>Válassza ki az exportálandó izoterma fájlt</translation>
    </message>
    <message>
        <source>选择导入的等温分析文件</source>
        <translation>Válassza ki az importálandó izoterma fájlt</translation>
    </message>
    <message>
        <source>等温分析文件 (*.is)</source>
        <translation>Izoterma fájlok (*.is)</translation>
    </message>
</context>
<context>
    <name>ItemAreaPicPreview</name>
    <message>
        <source>图片</source>
        <translation>Képek</translation>
    </message>
    <message>
        <source>视频</source>
        <translation>Videók</translation>
    </message>
    <message>
        <source>当前目录：</source>
        <translation>Aktuális mappa: </translation>
    </message>
</context>
<context>
    <name>ItemAreaPropertyIR</name>
    <message>
        <source>最高温: </source>
        <translation>Max. hőm.: </translation>
    </message>
    <message>
        <source>最低温: </source>
        <translation>Min. hőm.: </translation>
    </message>
    <message>
        <source>最高</source>
        <translation>Max.</translation>
    </message>
    <message>
        <source>最低</source>
        <translation>Min.</translation>
    </message>
    <message>
        <source>平均</source>
        <translation>Átl.</translation>
    </message>
    <message>
        <source>参数设置</source>
        <translation>Paraméterek</translation>
    </message>
    <message>
        <source>分析对象</source>
        <translation>Elemzési objektumok</translation>
    </message>
    <message>
        <source>数值超出范围，未被采用</source>
        <translation>Az érték tartományon kívül: nincs alkalmazva</translation>
    </message>
</context>
<context>
    <name>ItemAreaWarning</name>
    <message>
        <source>报警信息</source>
        <translation>Riasztási információk</translation>
    </message>
    <message>
        <source>关联诊断规则</source>
        <translation>Diagnosztikai szabály társítása</translation>
    </message>
    <message>
        <source>增加报警条件</source>
        <translation>Riasztási feltétel hozzáadása</translation>
    </message>
    <message>
        <source>清空</source>
        <translation>Összes törlése</translation>
    </message>
    <message>
        <source>清空报警条件列表</source>
        <translation>Riasztási feltételek listájának törlése</translation>
    </message>
    <message>
        <source>抓拍路径: </source>
        <translation>Pillanatkép mappa: </translation>
    </message>
</context>
<context>
    <name>ItemBatchText</name>
    <message>
        <source>打印报告</source>
        <translation>Jelentés nyomtatása</translation>
    </message>
    <message>
        <source>打开报告</source>
        <translation>Jelentés megnyitása</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Kilépés</translation>
    </message>
    <message>
        <source>选择打印报告文件</source>
        <translation>Válassza ki a nyomtatandó jelentésfájlt</translation>
    </message>
    <message>
        <source>报告文件</source>
        <translation>Jelentésfájlok</translation>
    </message>
    <message>
        <source>报告打印退出成功</source>
        <translation>A jelentés nyomtatása leállítva</translation>
    </message>
    <message>
        <source>默认模板设置错误!</source>
        <translation>A jelentéssablon beállítása hibás!</translation>
    </message>
    <message>
        <source>打开word失败！</source>
        <translation>A szövegszerkesztő nem indítható!</translation>
    </message>
    <message>
        <source>打开模板文件失败!</source>
        <translation>A sablonfájl nem nyitható meg!</translation>
    </message>
    <message>
        <source>没有红外图片!</source>
        <translation>Nincs infravörös kép!</translation>
    </message>
    <message>
        <source>报告保存失败!</source>
        <translation>A jelentés nem menthető!</translation>
    </message>
    <message>
        <source>报告打印完成</source>
        <translation>A jelentés nyomtatása kész</translation>
    </message>
    <message>
        <source>批量应用分析</source>
        <translation>Elemzések alkalmazása több képre</translation>
    </message>
    <message>
        <source>分析列表</source>
        <translation>Elemzések</translation>
    </message>
    <message>
        <source>批量修改</source>
        <translation>Alkalmaz</translation>
    </message>
    <message>
        <source>选择需要批量分析的图片</source>
        <translation>Válassza ki az elemzendő képeket</translation>
    </message>
    <message>
        <source>图片</source>
        <translation>Képek</translation>
    </message>
    <message>
        <source>批量修改分析结束</source>
        <translation>A kötegelt elemzés befejeződött</translation>
    </message>
    <message>
        <source>当前图片没有分析</source>
        <translation>Az aktuális képen nincs elemzés</translation>
    </message>
</context>
<context>
    <name>ItemChartTempSetting</name>
    <message>
        <source>温度范围设置</source>
        <translation>Hőmérséklet-tartomány</translation>
    </message>
    <message>
        <source>自动</source>
        <translation>Automatikus</translation>
    </message>
    <message>
        <source>手动（最小间隔1度）</source>
        <translation>Kézi (min. 1° eltérés)</translation>
    </message>
</context>
<context>
    <name>ItemChartTrendList</name>
    <message>
        <source>分析列表</source>
        <translation>Elemzések</translation>
    </message>
</context>
<context>
    <name>ItemCommonDef</name>
    <message>
        <source>添加点分析</source>
        <translation>Pont elemzés hozzáadása</translation>
    </message>
    <message>
        <source>添加线分析</source>
        <translation>Vonal elemzés hozzáadása</translation>
    </message>
    <message>
        <source>添加矩形分析</source>
        <translation>Téglalap elemzés hozzáadása</translation>
    </message>
    <message>
        <source>添加椭圆分析</source>
        <translation>Ellipszis elemzés hozzáadása</translation>
    </message>
    <message>
        <source>添加多边形分析</source>
        <translation>Sokszög elemzés hozzáadása</translation>
    </message>
    <message>
        <source>添加折线分析</source>
        <translation>Törtvonal elemzés hozzáadása</translation>
    </message>
    <message>
        <source>删除分析</source>
        <translation>Elemzés törlése</translation>
    </message>
    <message>
        <source>删除全部分析</source>
        <translation>Összes elemzés törlése</translation>
    </message>
    <message>
        <source>导入分析</source>
        <translation>Elemzések importálása</translation>
    </message>
    <message>
        <source>导出分析</source>
        <translation>Elemzések exportálása</translation>
    </message>
    <message>
        <source>等温线</source>
        <translation>Izotermák</translation>
    </message>
    <message>
        <source>显示鼠标温度</source>
        <translation>Hőmérséklet az egérmutatónál</translation>
    </message>
    <message>
        <source>显示最高温</source>
        <translation>Maximum megjelenítése</translation>
    </message>
    <message>
        <source>显示最低温</source>
        <translation>Minimum megjelenítése</translation>
    </message>
    <message>
        <source>折线图</source>
        <translation>Vonaldiagram</translation>
    </message>
    <message>
        <source>直方图</source>
        <translation>Hisztogram</translation>
    </message>
    <message>
        <source>温度趋势</source>
        <translation>Hőmérséklet-trend</translation>
    </message>
    <message>
        <source>复制温度</source>
        <translation>Hőmérsékletek másolása</translation>
    </message>
    <message>
        <source>温度表</source>
        <translation>Hőmérséklet-táblázat</translation>
    </message>
    <message>
        <source>温度预览</source>
        <translation>Hőmérséklet-előnézet</translation>
    </message>
    <message>
        <source>截图</source>
        <translation>Pillanatkép</translation>
    </message>
    <message>
        <source>图像增强</source>
        <translation>Képjavítás</translation>
    </message>
    <message>
        <source>原始大小</source>
        <translation>Eredeti méret</translation>
    </message>
    <message>
        <source>缩小</source>
        <translation>Kicsinyítés</translation>
    </message>
    <message>
        <source>放大</source>
        <translation>Nagyítás</translation>
    </message>
    <message>
        <source>上一张</source>
        <translation>Előző kép</translation>
    </message>
    <message>
        <source>下一张</source>
        <translation>Következő kép</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Mentés</translation>
    </message>
    <message>
        <source>另存为</source>
        <translation>Mentés másként</translation>
    </message>
    <message>
        <source>向左旋转90度</source>
        <translation>Forgatás balra 90 fokkal</translation>
    </message>
    <message>
        <source>向右旋转90度</source>
        <translation>Forgatás jobbra 90 fokkal</translation>
    </message>
    <message>
        <source>生成报告</source>
        <translation>Jelentés készítése</translation>
    </message>
    <message>
        <source>全屏</source>
        <translation>Teljes képernyő</translation>
    </message>
    <message>
        <source>删除图片</source>
        <translation>Kép törlése</translation>
    </message>
    <message>
        <source>播放</source>
        <translation>Lejátszás</translation>
    </message>
    <message>
        <source>暂停</source>
        <translation>Szünet</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Leállítás</translation>
    </message>
    <message>
        <source>第一帧</source>
        <translation>Első képkocka</translation>
    </message>
    <message>
        <source>上一帧</source>
        <translation>Előző képkocka</translation>
    </message>
    <message>
        <source>下一帧</source>
        <translation>Következő képkocka</translation>
    </message>
    <message>
        <source>最后一帧</source>
        <translation>Utolsó képkocka</translation>
    </message>
    <message>
        <source>调色板</source>
        <translation>Paletta</translation>
    </message>
    <message>
        <source>抓拍</source>
        <translation>Kép rögzítése</translation>
    </message>
    <message>
        <source>批量分析</source>
        <translation>Kötegelt elemzés</translation>
    </message>
    <message>
        <source>顺序播放</source>
        <translation>Lejátszás sorrendben</translation>
    </message>
    <message>
        <source>列表循环</source>
        <translation>Lista ismétlése</translation>
    </message>
    <message>
        <source>单个播放</source>
        <translation>Egy lejátszása</translation>
    </message>
    <message>
        <source>单个循环</source>
        <translation>Egy ismétlése</translation>
    </message>
    <message>
        <source>左上</source>
        <translation>Fel balra</translation>
    </message>
    <message>
        <source>上</source>
        <translation>Fel</translation>
    </message>
    <message>
        <source>右上</source>
        <translation>Fel jobbra</translation>
    </message>
    <message>
        <source>左</source>
        <translation>Balra</translation>
    </message>
    <message>
        <source>右</source>
        <translation>Jobbra</translation>
    </message>
    <message>
        <source>左下</source>
        <translation>Le balra</translation>
    </message>
    <message>
        <source>下</source>
        <translation>Le</translation>
    </message>
    <message>
        <source>右下</source>
        <translation>Le jobbra</translation>
    </message>
    <message>
        <source>近焦</source>
        <translation>Fókusz közel</translation>
    </message>
    <message>
        <source>远焦</source>
        <translation>Fókusz távol</translation>
    </message>
    <message>
        <source>变倍放大</source>
        <translation>Objektív közelítése</translation>
    </message>
    <message>
        <source>变倍缩小</source>
        <translation>Objektív távolítása</translation>
    </message>
    <message>
        <source>校正</source>
        <translation>Korrekció</translation>
    </message>
    <message>
        <source>视频剪辑</source>
        <translation>Videó vágása</translation>
    </message>
    <message>
        <source>打开报告</source>
        <translation>Jelentés megnyitása</translation>
    </message>
    <message>
        <source>保存报告</source>
        <translation>Jelentés mentése</translation>
    </message>
    <message>
        <source>报告另存为</source>
        <translation>Jelentés mentése másként</translation>
    </message>
    <message>
        <source>选择</source>
        <translation>Kijelölés</translation>
    </message>
    <message>
        <source>添加图片</source>
        <translation>Kép hozzáadása</translation>
    </message>
    <message>
        <source>添加表格</source>
        <translation>Táblázat hozzáadása</translation>
    </message>
    <message>
        <source>添加标记</source>
        <translation>Jelölő hozzáadása</translation>
    </message>
    <message>
        <source>添加文本</source>
        <translation>Szöveg hozzáadása</translation>
    </message>
    <message>
        <source>加粗</source>
        <translation>Félkövér</translation>
    </message>
    <message>
        <source>斜体</source>
        <translation>Dőlt</translation>
    </message>
    <message>
        <source>下划线</source>
        <translation>Aláhúzott</translation>
    </message>
    <message>
        <source>左对齐</source>
        <translation>Szöveg balra</translation>
    </message>
    <message>
        <source>居中</source>
        <translation>Szöveg középre</translation>
    </message>
    <message>
        <source>右对齐</source>
        <translation>Szöveg jobbra</translation>
    </message>
    <message>
        <source>组件左对齐</source>
        <translation>Igazítás balra</translation>
    </message>
    <message>
        <source>组件右对齐</source>
        <translation>Igazítás jobbra</translation>
    </message>
    <message>
        <source>顶端对齐</source>
        <translation>Igazítás felülre</translation>
    </message>
    <message>
        <source>底端对齐</source>
        <translation>Igazítás alulra</translation>
    </message>
    <message>
        <source>垂直居中</source>
        <translation>Függőlegesen középre</translation>
    </message>
    <message>
        <source>水平居中</source>
        <translation>Vízszintesen középre</translation>
    </message>
    <message>
        <source>纵向分布</source>
        <translation>Elosztás függőlegesen</translation>
    </message>
    <message>
        <source>横向分布</source>
        <translation>Elosztás vízszintesen</translation>
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
    <message>
        <source>导入等温线</source>
        <translation>Izotermák importálása</translation>
    </message>
    <message>
        <source>导出等温线</source>
        <translation>Izotermák exportálása</translation>
    </message>
    <message>
        <source>导入分析文件</source>
        <translation>Elemzésfájl importálása</translation>
    </message>
    <message>
        <source>导出分析文件</source>
        <translation>Elemzésfájl exportálása</translation>
    </message>
    <message>
        <source>导出报告</source>
        <translation>Jelentés exportálása</translation>
    </message>
    <message>
        <source>保存图片</source>
        <translation>Kép mentése</translation>
    </message>
    <message>
        <source>保存SGCC图片</source>
        <translation>SGCC kép mentése</translation>
    </message>
    <message>
        <source>保存视频片段</source>
        <translation>Videórészlet mentése</translation>
    </message>
    <message>
        <source>打开视频</source>
        <translation>Felvételek megnyitása</translation>
    </message>
    <message>
        <source>导入诊断规则</source>
        <translation>Diagnosztikai szabályok importálása</translation>
    </message>
    <message>
        <source>选择红外图片</source>
        <translation>Infravörös kép kiválasztása</translation>
    </message>
    <message>
        <source>选择导出文件夹</source>
        <translation>Exportálási mappa kiválasztása</translation>
    </message>
    <message>
        <source>选择报警图片文件夹</source>
        <translation>Riasztási képek mappájának kiválasztása</translation>
    </message>
    <message>
        <source>保存报告</source>
        <translation>Jelentés mentése</translation>
    </message>
    <message>
        <source>打开报告布局</source>
        <translation>Jelentés elrendezésének megnyitása</translation>
    </message>
    <message>
        <source>打开图片</source>
        <translation>Kép megnyitása</translation>
    </message>
    <message>
        <source>选择批量分析图片</source>
        <translation>Képek kiválasztása kötegelt elemzéshez</translation>
    </message>
    <message>
        <source>等温线文件</source>
        <translation>Izotermafájl</translation>
    </message>
    <message>
        <source>分析文件</source>
        <translation>Elemzésfájl</translation>
    </message>
    <message>
        <source>Word文档</source>
        <translation>Word-dokumentum</translation>
    </message>
    <message>
        <source>Word模板</source>
        <translation>Word-sablon</translation>
    </message>
    <message>
        <source>红外图片</source>
        <translation>Infravörös kép</translation>
    </message>
    <message>
        <source>SGCC红外图片</source>
        <translation>SGCC infravörös kép</translation>
    </message>
    <message>
        <source>红外视频</source>
        <translation>Infravörös felvétel</translation>
    </message>
    <message>
        <source>H264视频</source>
        <translation>H.264 videó</translation>
    </message>
    <message>
        <source>AVI视频</source>
        <translation>AVI videó</translation>
    </message>
    <message>
        <source>诊断规则包</source>
        <translation>Diagnosztikai szabálycsomag</translation>
    </message>
    <message>
        <source>图片</source>
        <translation>Képek</translation>
    </message>
    <message>
        <source>报告布局</source>
        <translation>Jelentés elrendezése</translation>
    </message>
    <message>
        <source>模板%1保存成功</source>
        <translation>A(z) %1 sablon mentve</translation>
    </message>
    <message>
        <source>模板%1保存失败</source>
        <translation>A(z) %1 sablon mentése sikertelen</translation>
    </message>
    <message>
        <source>报告%1保存成功，是否打开？</source>
        <translation>A(z) %1 jelentés mentve. Megnyitja?</translation>
    </message>
    <message>
        <source>报告%1保存失败</source>
        <translation>A(z) %1 jelentés mentése sikertelen</translation>
    </message>
    <message>
        <source>打开模板%1失败</source>
        <translation>A(z) %1 sablon megnyitása sikertelen</translation>
    </message>
    <message>
        <source>关联...</source>
        <translation>Összekapcsolás...</translation>
    </message>
    <message>
        <source>插入</source>
        <translation>Beszúrás</translation>
    </message>
    <message>
        <source>打开文件</source>
        <translation>Fájl megnyitása</translation>
    </message>
    <message>
        <source>设为标志</source>
        <translation>Beállítás logóként</translation>
    </message>
    <message>
        <source>取消标志</source>
        <translation>Logó visszavonása</translation>
    </message>
    <message>
        <source>删除当前行</source>
        <translation>Aktuális sor törlése</translation>
    </message>
    <message>
        <source>删除当前列</source>
        <translation>Aktuális oszlop törlése</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Törlés</translation>
    </message>
    <message>
        <source>无</source>
        <translation>Nincs</translation>
    </message>
    <message>
        <source>标记无效</source>
        <translation>A jelölés érvénytelen</translation>
    </message>
    <message>
        <source>分析</source>
        <translation>Elemzés</translation>
    </message>
    <message>
        <source>最高温减去</source>
        <translation>Max. hőmérséklet mínusz </translation>
    </message>
    <message>
        <source>标记设置</source>
        <translation>Jelölés beállítása</translation>
    </message>
    <message>
        <source>标记格式错误</source>
        <translation>Jelölésformátum-hiba</translation>
    </message>
    <message>
        <source>标记名称错误：</source>
        <translation>Jelölésnév-hiba: </translation>
    </message>
</context>
<context>
    <name>ItemContentChartRecordCondition</name>
    <message>
        <source>帧温差</source>
        <translation>képkocka-különbség</translation>
    </message>
    <message>
        <source>绝对值</source>
        <translation>abszolút érték</translation>
    </message>
    <message>
        <source>全屏</source>
        <translation>Teljes képernyő</translation>
    </message>
    <message>
        <source>未开始趋势分析！</source>
        <translation>Nincs elindított trendelemzés!</translation>
    </message>
    <message>
        <source>采样条件（不能为空）</source>
        <translation>Mintavétel (kötelező)</translation>
    </message>
    <message>
        <source>秒/帧</source>
        <translation>mp/képkocka</translation>
    </message>
</context>
<context>
    <name>ItemContentIRAnaSetting</name>
    <message>
        <source>别名不能为空！</source>
        <translation>Az álnév nem lehet üres!</translation>
    </message>
    <message>
        <source>别名过长！</source>
        <translation>Az álnév túl hosszú!</translation>
    </message>
    <message>
        <source>别名重复！</source>
        <translation>Az álnév már foglalt!</translation>
    </message>
    <message>
        <source>分析别名：</source>
        <translation>Álnév: </translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>显示温度</source>
        <translation>Hőmérséklet mutatása</translation>
    </message>
    <message>
        <source>最高温</source>
        <translation>Max. hőmérséklet</translation>
    </message>
    <message>
        <source>最低温</source>
        <translation>Min. hőmérséklet</translation>
    </message>
    <message>
        <source>平均温</source>
        <translation>Átlaghőmérséklet</translation>
    </message>
    <message>
        <source>独立参数</source>
        <translation>Saját paraméterek</translation>
    </message>
    <message>
        <source>发射率</source>
        <translation>Emissziós tényező</translation>
    </message>
    <message>
        <source>距离(m)</source>
        <translation>Távolság (m)</translation>
    </message>
    <message>
        <source>最高点</source>
        <translation>Legmelegebb pont</translation>
    </message>
    <message>
        <source>最低点</source>
        <translation>Leghidegebb pont</translation>
    </message>
    <message>
        <source>光标</source>
        <translation>Kurzor</translation>
    </message>
    <message>
        <source>独立调色板</source>
        <translation>Saját paletta</translation>
    </message>
    <message>
        <source>线条颜色</source>
        <translation>Vonalszín</translation>
    </message>
</context>
<context>
    <name>ItemContentIRLensSetting</name>
    <message>
        <source>镜头与测温挡</source>
        <translation>Objektív és mérési tartomány</translation>
    </message>
    <message>
        <source>自动切换测温挡</source>
        <translation>Automatikus tartomány</translation>
    </message>
</context>
<context>
    <name>ItemContentIRParamSetting</name>
    <message>
        <source>发射率</source>
        <translation>Emissziós tényező</translation>
    </message>
    <message>
        <source>距离(m)</source>
        <translation>Távolság (m)</translation>
    </message>
    <message>
        <source>环境温度</source>
        <translation>Környezeti hőmérséklet</translation>
    </message>
    <message>
        <source>反射温度</source>
        <translation>Visszavert hőmérséklet</translation>
    </message>
    <message>
        <source>相对湿度(%)</source>
        <translation>Relatív páratartalom (%)</translation>
    </message>
    <message>
        <source>修正温度</source>
        <translation>Korrekció</translation>
    </message>
    <message>
        <source>恢复默认参数</source>
        <translation>Alapértékek visszaállítása</translation>
    </message>
</context>
<context>
    <name>ItemContentIRPicSetting</name>
    <message>
        <source>语音备注</source>
        <translation>Hangjegyzet</translation>
    </message>
    <message>
        <source>播放</source>
        <translation>Lejátszás</translation>
    </message>
    <message>
        <source>播放录音</source>
        <translation>Felvétel lejátszása</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Törlés</translation>
    </message>
    <message>
        <source>删除录音</source>
        <translation>Felvétel törlése</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Leállítás</translation>
    </message>
    <message>
        <source>录音</source>
        <translation>Felvétel</translation>
    </message>
    <message>
        <source>结束录音(最大支持30s)</source>
        <translation>Felvétel vége (legfeljebb 30 mp)</translation>
    </message>
    <message>
        <source>开始录音(最大支持30s)</source>
        <translation>Felvétel indítása (legfeljebb 30 mp)</translation>
    </message>
    <message>
        <source>无</source>
        <translation>Nincs</translation>
    </message>
    <message>
        <source>晴朗</source>
        <translation>Napos</translation>
    </message>
    <message>
        <source>多云</source>
        <translation>Felhős</translation>
    </message>
    <message>
        <source>小雨</source>
        <translation>Szitálás</translation>
    </message>
    <message>
        <source>中雨</source>
        <translation>Eső</translation>
    </message>
    <message>
        <source>大雨</source>
        <translation>Zápor</translation>
    </message>
    <message>
        <source>雾</source>
        <translation>Köd</translation>
    </message>
    <message>
        <source>雪</source>
        <translation>Hó</translation>
    </message>
    <message>
        <source>现场信息</source>
        <translation>Helyszíni adatok</translation>
    </message>
    <message>
        <source>天气</source>
        <translation>Időjárás</translation>
    </message>
    <message>
        <source>风速(m/s)</source>
        <translation>Szélsebesség (m/s)</translation>
    </message>
    <message>
        <source>运行电压(kV)</source>
        <translation>Feszültség (kV)</translation>
    </message>
    <message>
        <source>负荷电流(A)</source>
        <translation>Terhelőáram (A)</translation>
    </message>
    <message>
        <source>文字备注</source>
        <translation>Szöveges megjegyzés</translation>
    </message>
    <message>
        <source>位置</source>
        <translation>Pozíció</translation>
    </message>
    <message>
        <source>预置位</source>
        <translation>Előbeállítás</translation>
    </message>
    <message>
        <source>无法开始录音！</source>
        <translation>A hangfelvétel nem indult el!</translation>
    </message>
</context>
<context>
    <name>ItemContentIRRecordingSetting</name>
    <message>
        <source>录像设置</source>
        <translation>Felvétel beállításai</translation>
    </message>
    <message>
        <source>保存路径</source>
        <translation>Mentési mappa</translation>
    </message>
    <message>
        <source>剩余空间</source>
        <translation>Szabad hely</translation>
    </message>
    <message>
        <source>单个文件大小</source>
        <translation>Egy fájl mérete</translation>
    </message>
    <message>
        <source>帧率</source>
        <translation>Képkocka-sebesség</translation>
    </message>
    <message>
        <source>实时</source>
        <translation>Valós idejű</translation>
    </message>
    <message>
        <source>文件类型</source>
        <translation>Fájltípus</translation>
    </message>
    <message>
        <source>总录像时长</source>
        <translation>Teljes időtartam</translation>
    </message>
    <message>
        <source>无限制</source>
        <translation>Korlátlan</translation>
    </message>
    <message>
        <source>分钟</source>
        <translation>perc</translation>
    </message>
    <message>
        <source>空间不足时</source>
        <translation>Ha elfogy a hely</translation>
    </message>
    <message>
        <source>停止录像 </source>
        <translation>Felvétel leállítása </translation>
    </message>
    <message>
        <source>删除最早视频</source>
        <translation>A legrégebbi videók törlése</translation>
    </message>
    <message>
        <source>录像存储空间需（大于2GB）</source>
        <translation>A felvételhez több mint 2 GB szabad hely kell</translation>
    </message>
    <message>
        <source>录像保存路径</source>
        <translation>Felvételi mappa</translation>
    </message>
</context>
<context>
    <name>ItemContentPathHistory</name>
    <message>
        <source>最近访问</source>
        <translation>Legutóbbi mappák</translation>
    </message>
</context>
<context>
    <name>ItemContentPtzCtrl</name>
    <message>
        <source>设置预置点</source>
        <translation>Előbeállítás mentése</translation>
    </message>
    <message>
        <source>切换预置点</source>
        <translation>Előbeállításra állás</translation>
    </message>
    <message>
        <source>云台速度</source>
        <translation>Forgatási sebesség</translation>
    </message>
    <message>
        <source>设置水平速度</source>
        <translation>Vízszintes sebesség</translation>
    </message>
    <message>
        <source>设置垂直速度</source>
        <translation>Függőleges sebesség</translation>
    </message>
    <message>
        <source>雨刷开</source>
        <translation>Ablaktörlő be</translation>
    </message>
    <message>
        <source>雨刷关</source>
        <translation>Ablaktörlő ki</translation>
    </message>
</context>
<context>
    <name>ItemCoverPlainImage</name>
    <message>
        <source>非红外图片，红外相关控制无效！</source>
        <translation>Nem infravörös kép: az infravörös vezérlők nem érvényesek!</translation>
    </message>
</context>
<context>
    <name>ItemCustomMenuTrendChart</name>
    <message>
        <source>最高温度</source>
        <translation>Maximum</translation>
    </message>
    <message>
        <source>最低温度</source>
        <translation>Minimum</translation>
    </message>
    <message>
        <source>平均温度</source>
        <translation>Átlag</translation>
    </message>
    <message>
        <source>温度趋势分析</source>
        <translation>Hőmérséklet-trend</translation>
    </message>
    <message>
        <source>新建温度趋势分析</source>
        <translation>Új hőmérséklet-trend</translation>
    </message>
    <message>
        <source>像素数趋势分析</source>
        <translation>Pixelszám-trend</translation>
    </message>
    <message>
        <source>新建像素数趋势分析</source>
        <translation>Új pixelszám-trend</translation>
    </message>
</context>
<context>
    <name>ItemIRToolButtonSearch</name>
    <message>
        <source>搜索</source>
        <translation>Keresés</translation>
    </message>
</context>
<context>
    <name>ItemListIRPicCtrl</name>
    <message>
        <source>上一张</source>
        <translation>Előző</translation>
    </message>
    <message>
        <source>下一张</source>
        <translation>Következő</translation>
    </message>
    <message>
        <source>左转90°</source>
        <translation>Balra 90°</translation>
    </message>
    <message>
        <source>右转90°</source>
        <translation>Jobbra 90°</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Mentés</translation>
    </message>
    <message>
        <source>另存为</source>
        <translation>Mentés másként</translation>
    </message>
    <message>
        <source>报告</source>
        <translation>Jelentés</translation>
    </message>
</context>
<context>
    <name>ItemListIRToolbar</name>
    <message>
        <source>点</source>
        <translation>Pont</translation>
    </message>
    <message>
        <source>线</source>
        <translation>Vonal</translation>
    </message>
    <message>
        <source>矩形</source>
        <translation>Téglalap</translation>
    </message>
    <message>
        <source>椭圆</source>
        <translation>Ellipszis</translation>
    </message>
    <message>
        <source>多边形</source>
        <translation>Sokszög</translation>
    </message>
    <message>
        <source>折线</source>
        <translation>Töröttvonal</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Törlés</translation>
    </message>
    <message>
        <source>清空</source>
        <translation>Ürítés</translation>
    </message>
    <message>
        <source>鼠标温度</source>
        <translation>Kurzor hőm.</translation>
    </message>
    <message>
        <source>最高点</source>
        <translation>Legmelegebb pont</translation>
    </message>
    <message>
        <source>最低点</source>
        <translation>Leghidegebb pont</translation>
    </message>
    <message>
        <source>线分析图</source>
        <translation>Vonalprofil</translation>
    </message>
    <message>
        <source>直方图</source>
        <translation>Hisztogram</translation>
    </message>
    <message>
        <source>等温</source>
        <translation>Izoterma</translation>
    </message>
    <message>
        <source>调色板</source>
        <translation>Paletta</translation>
    </message>
    <message>
        <source>复制温度</source>
        <translation>Hőmérsékletek másolása</translation>
    </message>
    <message>
        <source>温度表</source>
        <translation>Hőmérséklet-táblázat</translation>
    </message>
    <message>
        <source>温度图像</source>
        <translation>Hőmérsékletkép</translation>
    </message>
    <message>
        <source>批量分析</source>
        <translation>Kötegelt elemzés</translation>
    </message>
    <message>
        <source>导入分析</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>导出分析</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>成像</source>
        <translation>Képalkotás</translation>
    </message>
</context>
<context>
    <name>ItemListIRVideo</name>
    <message>
        <source>视频标注</source>
        <translation>Videójelölések</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Törlés</translation>
    </message>
    <message>
        <source>趋势分析中，无法添加视频标注！</source>
        <translation>Trendelemzés fut: videójelölés nem adható hozzá!</translation>
    </message>
    <message>
        <source>趋势分析中，无法删除视频标注！</source>
        <translation>Trendelemzés fut: videójelölés nem törölhető!</translation>
    </message>
    <message>
        <source>趋势分析中，无法编辑视频标注！</source>
        <translation>Trendelemzés fut: videójelölés nem szerkeszthető!</translation>
    </message>
    <message>
        <source>编辑</source>
        <translation>Szerkesztés</translation>
    </message>
</context>
<context>
    <name>ItemListTrendChart</name>
    <message>
        <source>添加失败！</source>
        <translation>A hozzáadás nem sikerült!</translation>
    </message>
</context>
<context>
    <name>ItemMenuImaging</name>
    <message>
        <source>图像增强</source>
        <translation>Képjavítás</translation>
    </message>
    <message>
        <source>室内模式</source>
        <translation>Beltéri mód</translation>
    </message>
    <message>
        <source>室外模式</source>
        <translation>Kültéri mód</translation>
    </message>
</context>
<context>
    <name>ItemReportText</name>
    <message>
        <source>常规</source>
        <translation>Általános</translation>
    </message>
    <message>
        <source>字体</source>
        <translation>Betűtípus</translation>
    </message>
    <message>
        <source>标记</source>
        <translation>Jelölés</translation>
    </message>
    <message>
        <source>图片参数</source>
        <translation>Képparaméterek</translation>
    </message>
    <message>
        <source>字体名称</source>
        <translation>Betűcsalád</translation>
    </message>
    <message>
        <source>字号</source>
        <translation>Méret</translation>
    </message>
    <message>
        <source>粗体</source>
        <translation>Félkövér</translation>
    </message>
    <message>
        <source>斜体</source>
        <translation>Dőlt</translation>
    </message>
    <message>
        <source>下划线</source>
        <translation>Aláhúzott</translation>
    </message>
    <message>
        <source>左对齐</source>
        <translation>Balra igazítás</translation>
    </message>
    <message>
        <source>居中</source>
        <translation>Középre</translation>
    </message>
    <message>
        <source>右对齐</source>
        <translation>Jobbra igazítás</translation>
    </message>
    <message>
        <source>标记值</source>
        <translation>Érték</translation>
    </message>
    <message>
        <source>标记含义</source>
        <translation>Jelentés</translation>
    </message>
    <message>
        <source>标记文本</source>
        <translation>Jelölés szövege</translation>
    </message>
    <message>
        <source>选择标记...</source>
        <translation>Jelölés választása...</translation>
    </message>
    <message>
        <source>在上方插入行</source>
        <translation>Sor beszúrása fölé</translation>
    </message>
    <message>
        <source>在下方插入行</source>
        <translation>Sor beszúrása alá</translation>
    </message>
    <message>
        <source>在左侧插入列</source>
        <translation>Oszlop beszúrása balra</translation>
    </message>
    <message>
        <source>在右侧插入列</source>
        <translation>Oszlop beszúrása jobbra</translation>
    </message>
    <message>
        <source>调色板</source>
        <translation>Paletta</translation>
    </message>
    <message>
        <source>图片/分析</source>
        <translation>Kép / elemzés</translation>
    </message>
    <message>
        <source>字段</source>
        <translation>Mező</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Név</translation>
    </message>
    <message>
        <source>最高温</source>
        <translation>Max. hőmérséklet</translation>
    </message>
    <message>
        <source>最低温</source>
        <translation>Min. hőmérséklet</translation>
    </message>
    <message>
        <source>平均温</source>
        <translation>Átlaghőmérséklet</translation>
    </message>
    <message>
        <source>标题</source>
        <translation>Cím</translation>
    </message>
    <message>
        <source>拍摄日期</source>
        <translation>Felvétel dátuma</translation>
    </message>
    <message>
        <source>拍摄时间</source>
        <translation>Felvétel ideje</translation>
    </message>
    <message>
        <source>运行电压</source>
        <translation>Üzemi feszültség</translation>
    </message>
    <message>
        <source>负荷电流</source>
        <translation>Terhelőáram</translation>
    </message>
    <message>
        <source>发射率</source>
        <translation>Emissziós tényező</translation>
    </message>
    <message>
        <source>距离</source>
        <translation>Távolság</translation>
    </message>
    <message>
        <source>环境温度</source>
        <translation>Környezeti hőmérséklet</translation>
    </message>
    <message>
        <source>相对湿度</source>
        <translation>Relatív páratartalom</translation>
    </message>
    <message>
        <source>全屏最高温</source>
        <translation>Teljes kép max. hőmérséklete</translation>
    </message>
    <message>
        <source>全屏最低温</source>
        <translation>Teljes kép min. hőmérséklete</translation>
    </message>
    <message>
        <source>全屏平均温</source>
        <translation>Teljes kép átlaghőmérséklete</translation>
    </message>
    <message>
        <source>测量点温度</source>
        <translation>Mérési pont hőmérséklete</translation>
    </message>
    <message>
        <source>正常点温度</source>
        <translation>Normál pont hőmérséklete</translation>
    </message>
    <message>
        <source>温升</source>
        <translation>Hőmérséklet-emelkedés</translation>
    </message>
    <message>
        <source>温差</source>
        <translation>Hőmérséklet-különbség</translation>
    </message>
    <message>
        <source>相对温差</source>
        <translation>Relatív hőmérséklet-különbség</translation>
    </message>
    <message>
        <source>超声检测结果</source>
        <translation>Ultrahangos vizsgálat eredménye</translation>
    </message>
    <message>
        <source>红外检测结果</source>
        <translation>Infravörös vizsgálat eredménye</translation>
    </message>
    <message>
        <source>综合检测结果</source>
        <translation>Összesített vizsgálati eredmény</translation>
    </message>
    <message>
        <source>设备区域</source>
        <translation>Berendezés területe</translation>
    </message>
    <message>
        <source>变电站名称</source>
        <translation>Alállomás neve</translation>
    </message>
    <message>
        <source>设备类型</source>
        <translation>Berendezés típusa</translation>
    </message>
    <message>
        <source>设备名称</source>
        <translation>Berendezés neve</translation>
    </message>
    <message>
        <source>相别</source>
        <translation>Fázis</translation>
    </message>
    <message>
        <source>部位</source>
        <translation>Rész helye</translation>
    </message>
</context>
<context>
    <name>ItemRuleText</name>
    <message>
        <source>变电</source>
        <translation>Alállomás</translation>
    </message>
    <message>
        <source>输电</source>
        <translation>Átvitel</translation>
    </message>
    <message>
        <source>配电</source>
        <translation>Elosztás</translation>
    </message>
    <message>
        <source>导入</source>
        <translation>Importálás</translation>
    </message>
    <message>
        <source>导出</source>
        <translation>Exportálás</translation>
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
        <source>是</source>
        <translation>Igen</translation>
    </message>
    <message>
        <source>否</source>
        <translation>Nem</translation>
    </message>
    <message>
        <source>添加诊断规则</source>
        <translation>Diagnosztikai szabály hozzáadása</translation>
    </message>
    <message>
        <source>清空诊断规则</source>
        <translation>Diagnosztikai szabályok törlése</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Törlés</translation>
    </message>
    <message>
        <source>是否清空诊断规则？</source>
        <translation>Törli az összes diagnosztikai szabályt?</translation>
    </message>
    <message>
        <source>清空数据成功！</source>
        <translation>Az adatok törölve.</translation>
    </message>
    <message>
        <source>清空数据失败！</source>
        <translation>Az adatok törlése nem sikerült!</translation>
    </message>
    <message>
        <source>删除当前节点会导致相关诊断规则删除，确定是否删除？</source>
        <translation>A csomópont törlése a hozzá tartozó diagnosztikai szabályokat is törli. Törli?</translation>
    </message>
    <message>
        <source>删除数据成功！</source>
        <translation>Az adatok törölve.</translation>
    </message>
    <message>
        <source>删除数据失败！</source>
        <translation>Az adatok törlése nem sikerült!</translation>
    </message>
    <message>
        <source>请选择诊断规则</source>
        <translation>Válasszon diagnosztikai szabályt</translation>
    </message>
    <message>
        <source>请添加示例图片</source>
        <translation>Adjon hozzá mintaképet</translation>
    </message>
    <message>
        <source>添加图片</source>
        <translation>Kép hozzáadása</translation>
    </message>
    <message>
        <source>非红外图片，请重新选择！</source>
        <translation>Nem infravörös kép, válasszon másikat!</translation>
    </message>
    <message>
        <source>保存图片信息</source>
        <translation>Képadatok mentése</translation>
    </message>
    <message>
        <source>示例图片保存失败！</source>
        <translation>A mintakép mentése nem sikerült!</translation>
    </message>
    <message>
        <source>图片信息保存成功！</source>
        <translation>A képadatok mentve.</translation>
    </message>
    <message>
        <source>添加条件</source>
        <translation>Feltétel hozzáadása</translation>
    </message>
    <message>
        <source>修改条件</source>
        <translation>Feltétel módosítása</translation>
    </message>
    <message>
        <source>删除条件</source>
        <translation>Feltétel törlése</translation>
    </message>
    <message>
        <source>是否确定删除选中的诊断规则？</source>
        <translation>Törli a kijelölt diagnosztikai képletet?</translation>
    </message>
    <message>
        <source>删除诊断规则失败！</source>
        <translation>A diagnosztikai képlet törlése nem sikerült!</translation>
    </message>
    <message>
        <source>序号</source>
        <translation>Sorsz.</translation>
    </message>
    <message>
        <source>缺陷等级</source>
        <translation>Hibaszint</translation>
    </message>
    <message>
        <source>诊断公式</source>
        <translation>Diagnosztikai képlet</translation>
    </message>
    <message>
        <source>描述</source>
        <translation>Leírás</translation>
    </message>
    <message>
        <source>故障特征</source>
        <translation>Hibajellemző</translation>
    </message>
    <message>
        <source>热像特征</source>
        <translation>Hőképjellemző</translation>
    </message>
    <message>
        <source>处理建议</source>
        <translation>Javasolt teendő</translation>
    </message>
    <message>
        <source>诊断规则判据</source>
        <translation>Diagnosztikai kritérium</translation>
    </message>
    <message>
        <source>诊断规则公式说明</source>
        <translation>Képletek szintaxisa</translation>
    </message>
    <message>
        <source>诊断规则公式列表</source>
        <translation>Diagnosztikai képletek</translation>
    </message>
    <message>
        <source>注：诊断规则缺陷等级对应报警缺陷等级：【紧急/严重 - 报警】【一般/关注 - 预警】 </source>
        <translation>Megjegyzés: a hibaszintek riasztási szintjei: [Sürgős/Súlyos - riasztás] [Általános/Figyelem - előjelzés] </translation>
    </message>
    <message>
        <source>1. 分析别名加“:”和特征温度 Max、Min、Avg，例如 R01:Max</source>
        <translation>1. Elemzési álnév, „:” és a Max, Min vagy Avg hőmérséklet, pl. R01:Max</translation>
    </message>
    <message>
        <source>2. EnvTemp 表示环境温度</source>
        <translation>2. EnvTemp a környezeti hőmérséklet</translation>
    </message>
    <message>
        <source>3. math.abs 取绝对值</source>
        <translation>3. math.abs: abszolút érték</translation>
    </message>
    <message>
        <source>4. math.max 取参数中的最大值</source>
        <translation>4. math.max: a legnagyobb argumentum</translation>
    </message>
    <message>
        <source>5. math.min 取参数中的最小值</source>
        <translation>5. math.min: a legkisebb argumentum</translation>
    </message>
    <message>
        <source>6. 逻辑运算 or、and、not，前后各留一个空格</source>
        <translation>6. Logikai műveletek: or, and, not, előttük és utánuk szóközzel</translation>
    </message>
    <message>
        <source>7. 算术运算 -、+、*、/</source>
        <translation>7. Aritmetikai műveletek: -, +, *, /</translation>
    </message>
    <message>
        <source>8. 比较运算 &gt;、&lt;、&gt;=、&lt;=</source>
        <translation>8. Összehasonlítások: &gt;, &lt;, &gt;=, &lt;=</translation>
    </message>
    <message>
        <source>9. 百分比写成小数，35% 写作 0.35</source>
        <translation>9. Százalék tizedes törtként: 35% = 0.35</translation>
    </message>
    <message>
        <source>10. $ 加在别名和特征前，取 A、B、C 三相中该分析的特征</source>
        <translation>10. $ az álnév és jellemző előtt: a jellemző az A, B, C fázisokban</translation>
    </message>
    <message>
        <source>11. &amp; 加在别名和特征前，取当前相与其他各相之差（不取绝对值）</source>
        <translation>11. &amp; az álnév és jellemző előtt: az aktuális és a többi fázis különbsége (előjelesen)</translation>
    </message>
    <message>
        <source>紧急</source>
        <translation>Sürgős</translation>
    </message>
    <message>
        <source>严重</source>
        <translation>Súlyos</translation>
    </message>
    <message>
        <source>关注</source>
        <translation>Figyelem</translation>
    </message>
    <message>
        <source>一般</source>
        <translation>Általános</translation>
    </message>
    <message>
        <source>正常</source>
        <translation>Normál</translation>
    </message>
    <message>
        <source>适用专业</source>
        <translation>Szakterület</translation>
    </message>
    <message>
        <source>设备类型</source>
        <translation>Eszköztípus</translation>
    </message>
    <message>
        <source>电压等级</source>
        <translation>Feszültségszint</translation>
    </message>
    <message>
        <source>部位角度</source>
        <translation>Rész / szög</translation>
    </message>
    <message>
        <source>设备形状</source>
        <translation>Eszköz alakja</translation>
    </message>
    <message>
        <source>设备类型不能为空！</source>
        <translation>Az eszköztípus nem lehet üres!</translation>
    </message>
    <message>
        <source>设备电压不能为空！</source>
        <translation>A feszültség nem lehet üres!</translation>
    </message>
    <message>
        <source>设备部位不能为空！</source>
        <translation>Az eszközrész nem lehet üres!</translation>
    </message>
    <message>
        <source>设备形状不能为空！</source>
        <translation>Az eszköz alakja nem lehet üres!</translation>
    </message>
    <message>
        <source>添加诊断规则失败！</source>
        <translation>A diagnosztikai szabály hozzáadása nem sikerült!</translation>
    </message>
    <message>
        <source>修改诊断规则</source>
        <translation>Diagnosztikai szabály módosítása</translation>
    </message>
    <message>
        <source>诊断公式不能为空！</source>
        <translation>A diagnosztikai képlet nem lehet üres!</translation>
    </message>
    <message>
        <source>添加新诊断公式失败！</source>
        <translation>A diagnosztikai képlet hozzáadása nem sikerült!</translation>
    </message>
    <message>
        <source>修改新诊断公式失败！</source>
        <translation>A diagnosztikai képlet módosítása nem sikerült!</translation>
    </message>
    <message>
        <source>选择诊断规则</source>
        <translation>Diagnosztikai szabály kiválasztása</translation>
    </message>
    <message>
        <source>分析列表</source>
        <translation>Elemzések</translation>
    </message>
    <message>
        <source>报警</source>
        <translation>Riasztás</translation>
    </message>
    <message>
        <source>预警</source>
        <translation>Előjelzés</translation>
    </message>
    <message>
        <source>选择诊断规则将删除原设置分析和报警条件，是否继续？</source>
        <translation>A szabály kiválasztása törli a meglévő elemzéseket és riasztási feltételeket. Folytatja?</translation>
    </message>
    <message>
        <source>注：选择诊断规则将删除原设置分析和报警条件！</source>
        <translation>Megjegyzés: a szabály kiválasztása törli a meglévő elemzéseket és riasztási feltételeket!</translation>
    </message>
    <message>
        <source>导出诊断规则</source>
        <translation>Diagnosztikai szabályok exportálása</translation>
    </message>
    <message>
        <source>导入诊断规则</source>
        <translation>Diagnosztikai szabályok importálása</translation>
    </message>
    <message>
        <source>选择导出规则类型</source>
        <translation>Exportálandó szabálytípusok</translation>
    </message>
    <message>
        <source>未选择诊断规则</source>
        <translation>nincs kiválasztott szabály</translation>
    </message>
    <message>
        <source>日志信息</source>
        <translation>Napló</translation>
    </message>
    <message>
        <source>进度条</source>
        <translation>Folyamat</translation>
    </message>
    <message>
        <source>：</source>
        <translation>: </translation>
    </message>
    <message>
        <source>选择</source>
        <translation>Kiválasztás</translation>
    </message>
    <message>
        <source>诊断规则包导出成功！</source>
        <translation>A szabálycsomagok exportálva.</translation>
    </message>
    <message>
        <source>诊断规则包导入成功！</source>
        <translation>A szabálycsomag importálva.</translation>
    </message>
    <message>
        <source>诊断规则数据为空</source>
        <translation>Nincsenek diagnosztikai szabályok</translation>
    </message>
    <message>
        <source>退出成功</source>
        <translation>Leállítva</translation>
    </message>
    <message>
        <source>数据库库连接错误</source>
        <translation>Adatbázis-kapcsolati hiba</translation>
    </message>
    <message>
        <source>Excel文件打开错误</source>
        <translation>A táblázat nem nyitható meg</translation>
    </message>
    <message>
        <source>压缩包打开错误</source>
        <translation>A csomag nem nyitható meg</translation>
    </message>
    <message>
        <source>压缩包创建失败</source>
        <translation>A csomag nem hozható létre</translation>
    </message>
    <message>
        <source>选择路径可用空间不足</source>
        <translation>Nincs elég szabad hely</translation>
    </message>
    <message>
        <source>诊断规则Excel文件错误</source>
        <translation>A csomagban nincs szabálytáblázat</translation>
    </message>
    <message>
        <source>诊断规则Excel文件为空</source>
        <translation>A szabálytáblázat üres</translation>
    </message>
</context>
<context>
    <name>ItemTempRefreshChoice</name>
    <message>
        <source>更新频率：</source>
        <translation>Frissítés: </translation>
    </message>
</context>
<context>
    <name>ItemToolbarNetDevice</name>
    <message>
        <source>近焦</source>
        <translation>Közeli fókusz</translation>
    </message>
    <message>
        <source>远焦</source>
        <translation>Távoli fókusz</translation>
    </message>
    <message>
        <source>变倍放大</source>
        <translation>Nagyítás</translation>
    </message>
    <message>
        <source>变倍缩小</source>
        <translation>Kicsinyítés</translation>
    </message>
    <message>
        <source>校正</source>
        <translation>Korrekció</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Beállít</translation>
    </message>
    <message>
        <source>开始录像失败</source>
        <translation>A felvétel nem indítható</translation>
    </message>
    <message>
        <source>录像文件创建失败</source>
        <translation>A felvételfájl nem hozható létre</translation>
    </message>
    <message>
        <source>停止录像</source>
        <translation>Felvétel leállítása</translation>
    </message>
    <message>
        <source>录像</source>
        <translation>Felvétel</translation>
    </message>
    <message>
        <source>录像保存路径不能为空</source>
        <translation>A felvételi mappa nem lehet üres</translation>
    </message>
    <message>
        <source>请设置正确总录像时长</source>
        <translation>Adjon meg érvényes teljes felvételi időtartamot</translation>
    </message>
    <message>
        <source>录像设置</source>
        <translation>Felvétel beállításai</translation>
    </message>
    <message>
        <source>左转90°</source>
        <translation>Balra 90°</translation>
    </message>
    <message>
        <source>右转90°</source>
        <translation>Jobbra 90°</translation>
    </message>
    <message>
        <source>录像中，无法翻转图像！</source>
        <translation>Felvétel közben a kép nem forgatható!</translation>
    </message>
</context>
<context>
    <name>ItemToolbarPlayerCtrl</name>
    <message>
        <source>逐帧</source>
        <translation>Képkockánként</translation>
    </message>
    <message>
        <source>最快</source>
        <translation>Leggyorsabb</translation>
    </message>
    <message>
        <source>顺序播放</source>
        <translation>Sorrendben</translation>
    </message>
    <message>
        <source>列表循环</source>
        <translation>Lista ismétlése</translation>
    </message>
    <message>
        <source>单个播放</source>
        <translation>Egy lejátszása</translation>
    </message>
    <message>
        <source>单个循环</source>
        <translation>Egy ismétlése</translation>
    </message>
    <message>
        <source>首帧</source>
        <translation>Első képkocka</translation>
    </message>
    <message>
        <source>上一帧</source>
        <translation>Előző képkocka</translation>
    </message>
    <message>
        <source>暂停</source>
        <translation>Szünet</translation>
    </message>
    <message>
        <source>播放</source>
        <translation>Lejátszás</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Leállítás</translation>
    </message>
    <message>
        <source>下一帧</source>
        <translation>Következő képkocka</translation>
    </message>
    <message>
        <source>末帧</source>
        <translation>Utolsó képkocka</translation>
    </message>
    <message>
        <source>视频剪辑</source>
        <translation>Klip vágása</translation>
    </message>
</context>
<context>
    <name>ItemTrendCharts</name>
    <message>
        <source>添加此趋势分析将清除之前所有分析，是否继续？</source>
        <translation>A trend hozzáadása törli a korábbi elemzéseket. Folytatja?</translation>
    </message>
</context>
<context>
    <name>ItemWarningConditionRow</name>
    <message>
        <source>清除</source>
        <translation>Törlés</translation>
    </message>
</context>
<context>
    <name>ItemWarningListRow</name>
    <message>
        <source>缺陷等级</source>
        <translation>Hibaszint</translation>
    </message>
    <message>
        <source>报警</source>
        <translation>Riasztás</translation>
    </message>
    <message>
        <source>预警</source>
        <translation>Előriasztás</translation>
    </message>
</context>
<context>
    <name>ItemWndClient</name>
    <message>
        <source>打开图片…</source>
        <translation>Kép megnyitása…</translation>
    </message>
    <message>
        <source>连接[%1]失败</source>
        <translation>A csatlakozás sikertelen: [%1]</translation>
    </message>
</context>
<context>
    <name>ItemWndCopyTemp</name>
    <message>
        <source>复制温度成功</source>
        <translation>Hőmérsékletek másolva</translation>
    </message>
    <message>
        <source>复制温度失败</source>
        <translation>A hőmérsékletek másolása sikertelen</translation>
    </message>
    <message>
        <source>复制温度</source>
        <translation>Hőmérsékletek másolása</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>Másolás</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Mégse</translation>
    </message>
</context>
<context>
    <name>ItemWndIRImage</name>
    <message>
        <source>打开图片失败！</source>
        <translation>A kép megnyitása nem sikerült!</translation>
    </message>
    <message>
        <source>保存图片失败</source>
        <translation>A kép mentése nem sikerült</translation>
    </message>
    <message>
        <source>保存国网图片失败！</source>
        <translation>A hálózati formátumú kép mentése nem sikerült!</translation>
    </message>
    <message>
        <source>保存红外图片失败！</source>
        <translation>Az infravörös kép mentése nem sikerült!</translation>
    </message>
    <message>
        <source>图片分析 </source>
        <translation>Képelemzés </translation>
    </message>
    <message>
        <source>报告文件</source>
        <translation>Jelentésfájlok</translation>
    </message>
    <message>
        <source>是否打开报告？</source>
        <translation>Megnyitja a jelentést?</translation>
    </message>
    <message>
        <source>报告打印失败！！</source>
        <translation>A jelentést nem sikerült elkészíteni!!</translation>
    </message>
    <message>
        <source>打开word失败！</source>
        <translation>A szövegszerkesztő nem indítható!</translation>
    </message>
    <message>
        <source>报告模板添加失败！</source>
        <translation>A jelentéssablon nem használható!</translation>
    </message>
    <message>
        <source>报告插入图片失败！</source>
        <translation>A képet nem sikerült a jelentésbe illeszteni!</translation>
    </message>
    <message>
        <source>报告打印失败！</source>
        <translation>A jelentést nem sikerült elkészíteni!</translation>
    </message>
    <message>
        <source>导入分析文件失败！</source>
        <translation>Az elemzésfájl importálása nem sikerült!</translation>
    </message>
    <message>
        <source>导出分析文件失败！</source>
        <translation>Az elemzésfájl exportálása nem sikerült!</translation>
    </message>
    <message>
        <source>导入分析文件成功！</source>
        <translation>Az elemzésfájl importálva.</translation>
    </message>
    <message>
        <source>导出分析文件成功！</source>
        <translation>Az elemzésfájl exportálva.</translation>
    </message>
    <message>
        <source>不能保存到本次操作正在读取的文件：%1</source>
        <translation>Nem menthető olyan fájlba, amelyet ez a művelet olvas: %1</translation>
    </message>
</context>
<context>
    <name>ItemWndIRNetDevice</name>
    <message>
        <source>正在等待制冷中</source>
        <translation>Várakozás a detektor hűlésére</translation>
    </message>
    <message>
        <source>自动切换测温挡中...</source>
        <translation>Mérési tartomány váltása...</translation>
    </message>
    <message>
        <source>机芯温度</source>
        <translation>Modul hőmérséklete</translation>
    </message>
    <message>
        <source>主板温度</source>
        <translation>Alaplap hőmérséklete</translation>
    </message>
    <message>
        <source>相机拒绝了该镜头或测温挡</source>
        <translation>A kamera elutasította ezt az objektívet vagy mérési tartományt</translation>
    </message>
</context>
<context>
    <name>ItemWndIRPlayer</name>
    <message>
        <source>打开视频失败！</source>
        <translation>A videó megnyitása sikertelen!</translation>
    </message>
    <message>
        <source>播放列表</source>
        <translation>Lejátszási lista</translation>
    </message>
    <message>
        <source>视频剪辑失败！</source>
        <translation>A klip vágása nem sikerült!</translation>
    </message>
    <message>
        <source>视频剪辑完成！</source>
        <translation>A klip elkészült!</translation>
    </message>
    <message>
        <source>视频分析 </source>
        <translation>Videóelemzés </translation>
    </message>
</context>
<context>
    <name>ItemWndIRTempFull</name>
    <message>
        <source> - 全屏温度</source>
        <translation> - Teljes képes hőmérsékletek</translation>
    </message>
</context>
<context>
    <name>ItemWndIRTempSimplified</name>
    <message>
        <source> - 温度图像（预览分辨率：%1 x %2）</source>
        <translation> - Hőmérsékletkép (előnézeti felbontás: %1 x %2)</translation>
    </message>
    <message>
        <source> - 温度图像（更新频率：2Hz，预览分辨率：%1 x %2）</source>
        <translation> - Hőmérsékletkép (frissítés: 2 Hz, előnézeti felbontás: %1 x %2)</translation>
    </message>
    <message>
        <source> - 温度图像</source>
        <translation> - Hőmérsékletkép</translation>
    </message>
</context>
<context>
    <name>ItemWndPixelRange</name>
    <message>
        <source>分析温度范围：</source>
        <translation>Objektum tartománya: </translation>
    </message>
    <message>
        <source>温度格式不正确，请重新设置！</source>
        <translation>A hőmérsékletek sorrendje hibás, adja meg újra!</translation>
    </message>
    <message>
        <source>已存在当前温度范围的像素数趋势曲线！</source>
        <translation>Ehhez a tartományhoz már van görbe!</translation>
    </message>
    <message>
        <source>像素数温度范围设置</source>
        <translation>Pixelszám-tartományok</translation>
    </message>
    <message>
        <source>关注最小温度</source>
        <translation>Fókusz minimum</translation>
    </message>
    <message>
        <source>关注最大温度</source>
        <translation>Fókusz maximum</translation>
    </message>
    <message>
        <source>整体最小温度</source>
        <translation>Teljes minimum</translation>
    </message>
    <message>
        <source>整体最大温度</source>
        <translation>Teljes maximum</translation>
    </message>
    <message>
        <source>范围设置说明：</source>
        <translation>Szabály: </translation>
    </message>
    <message>
        <source>整体最小温度 ≤ 关注最小温度 ≤ 关注最大温度 ≤ 整体最大温度</source>
        <translation>teljes minimum ≤ fókusz minimum ≤ fókusz maximum ≤ teljes maximum</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Mégse</translation>
    </message>
</context>
<context>
    <name>ItemWndPreview</name>
    <message>
        <source>不是红外视频文件</source>
        <translation>Nem infravörös videófájl</translation>
    </message>
    <message>
        <source>打开图片失败！</source>
        <translation>A kép megnyitása nem sikerült!</translation>
    </message>
    <message>
        <source>未选择红外图片</source>
        <translation>Nincs kiválasztott infravörös kép</translation>
    </message>
    <message>
        <source>全部生成报告</source>
        <translation>Jelentés mindegyikről</translation>
    </message>
    <message>
        <source>生成报告</source>
        <translation>Jelentés</translation>
    </message>
</context>
<context>
    <name>ItemWndTempRange</name>
    <message>
        <source>温度范围设置</source>
        <translation>Hőmérséklet-tartomány</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Mégse</translation>
    </message>
</context>
<context>
    <name>ItemWndTrendChart</name>
    <message>
        <source>像素数趋势分析 %1</source>
        <translation>Pixelszám-trend %1</translation>
    </message>
    <message>
        <source>温度趋势分析 %1</source>
        <translation>Hőmérséklet-trend %1</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>Másolás</translation>
    </message>
    <message>
        <source>成功</source>
        <translation>Kész</translation>
    </message>
    <message>
        <source>失败</source>
        <translation>Sikertelen</translation>
    </message>
</context>
<context>
    <name>ItemWndTrendRecordSetting</name>
    <message>
        <source>帧温差</source>
        <translation>képkocka-különbség</translation>
    </message>
    <message>
        <source>绝对值</source>
        <translation>abszolút érték</translation>
    </message>
    <message>
        <source>采样条件设置</source>
        <translation>Mintavételi feltétel</translation>
    </message>
    <message>
        <source>设备名称</source>
        <translation>Eszköz neve</translation>
    </message>
    <message>
        <source>设置条件</source>
        <translation>Feltétel</translation>
    </message>
</context>
<context>
    <name>ItemWndVideoEdit</name>
    <message>
        <source>视频剪辑窗口</source>
        <translation>Klipszerkesztő</translation>
    </message>
    <message>
        <source>起始帧</source>
        <translation>Kezdet</translation>
    </message>
    <message>
        <source>结束帧</source>
        <translation>Vég</translation>
    </message>
    <message>
        <source>间隔</source>
        <translation>Köz</translation>
    </message>
    <message>
        <source>当前帧</source>
        <translation>Aktuális képkocka</translation>
    </message>
    <message>
        <source>设为起始帧</source>
        <translation>Legyen a kezdet</translation>
    </message>
    <message>
        <source>起始帧不能大于结束帧！</source>
        <translation>A kezdet nem lehet a vég után!</translation>
    </message>
    <message>
        <source>设为结束帧</source>
        <translation>Legyen a vég</translation>
    </message>
    <message>
        <source>结束帧不能小于起始帧！</source>
        <translation>A vég nem lehet a kezdet előtt!</translation>
    </message>
    <message>
        <source>剪辑帧数</source>
        <translation>Klip képkockái</translation>
    </message>
    <message>
        <source>剪辑文件数</source>
        <translation>Klip fájljai</translation>
    </message>
    <message>
        <source>剪辑</source>
        <translation>Vágás</translation>
    </message>
    <message>
        <source>设备</source>
        <translation>Eszköz</translation>
    </message>
</context>
<context>
    <name>ItemWndVideoEditProgress</name>
    <message>
        <source>视频剪辑中</source>
        <translation>A klip vágása folyamatban</translation>
    </message>
</context>
<context>
    <name>ItemWndWarningCondition</name>
    <message>
        <source>报警条件设置</source>
        <translation>Riasztási feltételek beállítása</translation>
    </message>
    <message>
        <source>第%1行参数设置不正确，请修改！</source>
        <translation>A(z) %1. sor beállításai hibásak, kérjük, javítsa!</translation>
    </message>
    <message>
        <source>第%1行的温度不是数值，请修改！</source>
        <translation>A(z) %1. sor hőmérséklete nem szám, kérjük, javítsa!</translation>
    </message>
    <message>
        <source>报警判断方式</source>
        <translation>Riasztás megítélése</translation>
    </message>
    <message>
        <source>满足所有条件</source>
        <translation>minden feltétel teljesül</translation>
    </message>
    <message>
        <source>报警</source>
        <translation>Riasztás</translation>
    </message>
    <message>
        <source>预警</source>
        <translation>Előriasztás</translation>
    </message>
    <message>
        <source>注：减号(-)表示两值差值的绝对值！</source>
        <translation>Megjegyzés: a mínusz (-) a két érték különbségének abszolút értéke!</translation>
    </message>
</context>
<context>
    <name>ModelIRInfo</name>
    <message>
        <source>FullScreen</source>
        <translation>Teljes kép</translation>
    </message>
</context>
<context>
    <name>SaveTarget</name>
    <message>
        <source>不能保存到本次操作正在读取的文件：%1</source>
        <translation>Nem menthető olyan fájlba, amelyet ez a művelet olvas: %1</translation>
    </message>
</context>
<context>
    <name>ThreadIRReconnect</name>
    <message>
        <source>Connecting infrared device</source>
        <translation>Infravörös eszköz csatlakoztatása</translation>
    </message>
</context>
<context>
    <name>ThreadPrintReport</name>
    <message>
        <source>File %1 non-infrared image!</source>
        <translation>A(z) %1 fájl nem infravörös kép!</translation>
    </message>
    <message>
        <source>File %1 modification and analysis successful!</source>
        <translation>%1 fájl: az elemzések alkalmazva és mentve.</translation>
    </message>
    <message>
        <source>File %1 modification analysis failed!!</source>
        <translation>%1 fájl: az elemzések nem menthetők!</translation>
    </message>
    <message>
        <source>Saving file.</source>
        <translation>A fájl mentése.</translation>
    </message>
    <message>
        <source>Saving file %1 failed!</source>
        <translation>A(z) %1 fájl mentése sikertelen!</translation>
    </message>
    <message>
        <source>File %1 is printed.</source>
        <translation>A(z) %1 fájl kinyomtatva.</translation>
    </message>
</context>
<context>
    <name>WndChartArea</name>
    <message>
        <source>Analyze the histogram  Unit(Y: Percentage of temperature range; X: Celsius)</source>
        <translation>Hisztogram  Egység (Y: a tartomány aránya; X: Celsius)</translation>
    </message>
    <message>
        <source>Max:</source>
        <translation>Max:</translation>
    </message>
    <message>
        <source>-Min:</source>
        <translation>-Min:</translation>
    </message>
    <message>
        <source>-Avg:</source>
        <translation>-Átl.:</translation>
    </message>
    <message>
        <source>Temperature range: </source>
        <translation>Tartomány: </translation>
    </message>
    <message>
        <source>Percentage: </source>
        <translation>Arány: </translation>
    </message>
    <message>
        <source>Points number: </source>
        <translation>Pontszám: </translation>
    </message>
</context>
<context>
    <name>WndChartLine</name>
    <message>
        <source>Line analysis  Unit(Y: Celsius; X: Temperature point relative line analysis position)</source>
        <translation>Vonalelemzés  Egység (Y: Celsius; X: a pont helye a vonalon)</translation>
    </message>
    <message>
        <source>Temperature:</source>
        <translation>Hőmérséklet:</translation>
    </message>
    <message>
        <source>Max:</source>
        <translation>Max:</translation>
    </message>
    <message>
        <source>-Min:</source>
        <translation>-Min:</translation>
    </message>
    <message>
        <source>-Avg:</source>
        <translation>-Átl.:</translation>
    </message>
</context>
<context>
    <name>WndChartTrend</name>
    <message>
        <source> Y: Percentage; X: first line, relative time(s); second line, absolute time</source>
        <translation> Y: érték; X: első sor relatív idő (mp), második sor abszolút idő</translation>
    </message>
    <message>
        <source>-Max:</source>
        <translation>-Max:</translation>
    </message>
    <message>
        <source>-Min:</source>
        <translation>-Min:</translation>
    </message>
    <message>
        <source>-Avg:</source>
        <translation>-Átl.:</translation>
    </message>
    <message>
        <source> - Max </source>
        <translation> - Max </translation>
    </message>
    <message>
        <source> - Min </source>
        <translation> - Min </translation>
    </message>
    <message>
        <source> - Avg </source>
        <translation> - Átl. </translation>
    </message>
    <message>
        <source>Mark: </source>
        <translation>Jelölés: </translation>
    </message>
    <message>
        <source>Frame number:</source>
        <translation>Képkocka:</translation>
    </message>
    <message>
        <source>Video time:</source>
        <translation>Felvétel ideje:</translation>
    </message>
    <message>
        <source>Device name:</source>
        <translation>Eszköz:</translation>
    </message>
    <message>
        <source>Video name:</source>
        <translation>Felvétel:</translation>
    </message>
    <message>
        <source>Current frame time:</source>
        <translation>Képkocka ideje:</translation>
    </message>
</context>
<context>
    <name>WndChartTrendPixel</name>
    <message>
        <source> Y: Percentage; X: first line, relative time(s); second line, absolute time</source>
        <translation> Y: érték; X: első sor relatív idő (mp), második sor abszolút idő</translation>
    </message>
    <message>
        <source>Mark:</source>
        <translation>Jelölés:</translation>
    </message>
    <message>
        <source>Device name:</source>
        <translation>Eszköz:</translation>
    </message>
    <message>
        <source>Video name:</source>
        <translation>Felvétel:</translation>
    </message>
    <message>
        <source>Video time:</source>
        <translation>Felvétel ideje:</translation>
    </message>
    <message>
        <source>Frame number:</source>
        <translation>Képkocka:</translation>
    </message>
    <message>
        <source>Current frame time:</source>
        <translation>Képkocka ideje:</translation>
    </message>
</context>
<context>
    <name>WndIRIsotherm</name>
    <message>
        <source>Isothrem - Min: </source>
        <translation>Izoterma - Min: </translation>
    </message>
    <message>
        <source>Axis - Min: </source>
        <translation>Tengely - Min: </translation>
    </message>
    <message>
        <source> Max: </source>
        <translation> Max: </translation>
    </message>
    <message>
        <source>Add new isothermal block</source>
        <translation>Új izoterma sáv hozzáadása</translation>
    </message>
    <message>
        <source>Load isothermal file</source>
        <translation>Izoterma fájl betöltése</translation>
    </message>
    <message>
        <source>No isothermal information for saving</source>
        <translation>Nincs menthető izoterma</translation>
    </message>
    <message>
        <source>Save the isothermal information</source>
        <translation>Izotermák mentése</translation>
    </message>
    <message>
        <source>Delete current isothermal analysis</source>
        <translation>Az aktuális izoterma törlése</translation>
    </message>
    <message>
        <source>Clear isothermal block</source>
        <translation>Izotermák törlése</translation>
    </message>
    <message>
        <source>Change current isothermal color</source>
        <translation>Az izoterma színének módosítása</translation>
    </message>
    <message>
        <source>Edit current isothermal temperature range</source>
        <translation>Az izoterma hőmérséklet-tartományának szerkesztése</translation>
    </message>
    <message>
        <source>Opaque/Transparent</source>
        <translation>Átlátszatlan/átlátszó</translation>
    </message>
    <message>
        <source> Span: </source>
        <translation> Tartomány: </translation>
    </message>
</context>
<context>
    <name>WndIRPalette</name>
    <message>
        <source>Auto</source>
        <translation>Auto</translation>
    </message>
</context>
<context>
    <name>WndIRReconnect</name>
    <message>
        <source>Success to connect</source>
        <translation>Csatlakozva</translation>
    </message>
    <message>
        <source>Fail to connect</source>
        <translation>A csatlakozás sikertelen</translation>
    </message>
</context>
<context>
    <name>WndIRShow</name>
    <message>
        <source>Infrared overall temperature</source>
        <translation>Teljes infravörös hőmérséklet</translation>
    </message>
    <message>
        <source> temperature</source>
        <translation> hőmérséklete</translation>
    </message>
</context>
</TS>
