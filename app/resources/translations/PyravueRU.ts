<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru" sourcelanguage="zh_CN">
<context>
    <name>ChartTrendInfo</name>
    <message>
        <source> Percentage: </source>
        <translation> Доля: </translation>
    </message>
    <message>
        <source> Pixels number: </source>
        <translation> Число пикселей: </translation>
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
        <translation>Программа анализа и обработки тепловизионных изображений</translation>
    </message>
    <message>
        <source>Korvane红外科技有限公司</source>
        <translation>ООО «Korvane Инфракрасные технологии»</translation>
    </message>
</context>
<context>
    <name>GlobalFunction</name>
    <message>
        <source>未知</source>
        <translation>Неизвестно</translation>
    </message>
</context>
<context>
    <name>IRBase</name>
    <message>
        <source>Image </source>
        <translation>Снимок </translation>
    </message>
    <message>
        <source>Video </source>
        <translation>Видео </translation>
    </message>
</context>
<context>
    <name>IRCopyTemp</name>
    <message>
        <source>Emissivity</source>
        <translation>Коэффициент излучения</translation>
    </message>
    <message>
        <source>Distance</source>
        <translation>Расстояние</translation>
    </message>
    <message>
        <source>Environment temperature</source>
        <translation>Температура окружающей среды</translation>
    </message>
    <message>
        <source>Relative humidity</source>
        <translation>Относительная влажность</translation>
    </message>
    <message>
        <source>Infrared overall temperature</source>
        <translation>Температура всего кадра</translation>
    </message>
    <message>
        <source>Resolution( width, height )</source>
        <translation>Разрешение (ширина, высота)</translation>
    </message>
    <message>
        <source>Maximum temperature</source>
        <translation>Максимальная температура</translation>
    </message>
    <message>
        <source>Minimum temperature</source>
        <translation>Минимальная температура</translation>
    </message>
    <message>
        <source>(width, height)</source>
        <translation>(ширина, высота)</translation>
    </message>
    <message>
        <source>Pixels number</source>
        <translation>Число пикселей</translation>
    </message>
    <message>
        <source>Cursor(X,Y),Temperature</source>
        <translation>Курсор (X,Y), температура</translation>
    </message>
    <message>
        <source>Position(X,Y)</source>
        <translation>Положение (X,Y)</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>Температура</translation>
    </message>
    <message>
        <source>Average temperature</source>
        <translation>Средняя температура</translation>
    </message>
</context>
<context>
    <name>IRNetDevice</name>
    <message>
        <source>Please select a video storage path!</source>
        <translation>Выберите папку для сохранения видео!</translation>
    </message>
    <message>
        <source>The free disk space less than 2GB. Please re-select another storage disk!</source>
        <translation>На диске свободно меньше 2 ГБ. Выберите другой диск для записи!</translation>
    </message>
</context>
<context>
    <name>ItemAreaChartArea</name>
    <message>
        <source>区域个数</source>
        <translation>Интервалы</translation>
    </message>
    <message>
        <source>分析列表（只能单选）</source>
        <translation>Анализы (выберите один)</translation>
    </message>
</context>
<context>
    <name>ItemAreaChartLine</name>
    <message>
        <source>分析列表（可以多选）</source>
        <translation>Анализы (можно несколько)</translation>
    </message>
</context>
<context>
    <name>ItemAreaComputerPath</name>
    <message>
        <source>桌面</source>
        <translation>Рабочий стол</translation>
    </message>
</context>
<context>
    <name>ItemAreaDevicePreview</name>
    <message>
        <source>序列号</source>
        <translation>Серийный номер</translation>
    </message>
    <message>
        <source>地址</source>
        <translation>Адрес</translation>
    </message>
    <message>
        <source>软件版本</source>
        <translation>Версия ПО</translation>
    </message>
    <message>
        <source>系统版本</source>
        <translation>Версия системы</translation>
    </message>
</context>
<context>
    <name>ItemAreaIRIsotherm</name>
    <message>
        <source>加载等温分析文件失败！</source>
        <translation>Не удалось загрузить файл изотерм!</translation>
    </message>
    <message>
        <source>保存等温分析文件失败！</source>
        <translation>Не удалось сохранить файл изотерм!</translation>
    </message>
    <message>
        <source>选择导出的等温分析文件</source>
        <translation>Выберите файл изотерм для экспорта</translation>
    </message>
    <message>
        <source>选择导入的等温分析文件</source>
        <translation>Выберите файл изотерм для импорта</translation>
    </message>
    <message>
        <source>等温分析文件 (*.is)</source>
        <translation>Файлы изотерм (*.is)</translation>
    </message>
</context>
<context>
    <name>ItemAreaPicPreview</name>
    <message>
        <source>图片</source>
        <translation>Снимки</translation>
    </message>
    <message>
        <source>视频</source>
        <translation>Видео</translation>
    </message>
    <message>
        <source>当前目录：</source>
        <translation>Текущая папка: </translation>
    </message>
</context>
<context>
    <name>ItemAreaPropertyIR</name>
    <message>
        <source>最高温: </source>
        <translation>Макс. темп.: </translation>
    </message>
    <message>
        <source>最低温: </source>
        <translation>Мин. темп.: </translation>
    </message>
    <message>
        <source>最高</source>
        <translation>Макс.</translation>
    </message>
    <message>
        <source>最低</source>
        <translation>Мин.</translation>
    </message>
    <message>
        <source>平均</source>
        <translation>Сред.</translation>
    </message>
    <message>
        <source>参数设置</source>
        <translation>Параметры</translation>
    </message>
    <message>
        <source>分析对象</source>
        <translation>Объекты анализа</translation>
    </message>
    <message>
        <source>数值超出范围，未被采用</source>
        <translation>Значение вне диапазона: не применено</translation>
    </message>
</context>
<context>
    <name>ItemAreaWarning</name>
    <message>
        <source>报警信息</source>
        <translation>Сведения о тревогах</translation>
    </message>
    <message>
        <source>关联诊断规则</source>
        <translation>Связать правило диагностики</translation>
    </message>
    <message>
        <source>增加报警条件</source>
        <translation>Добавить условие тревоги</translation>
    </message>
    <message>
        <source>清空</source>
        <translation>Очистить все</translation>
    </message>
    <message>
        <source>清空报警条件列表</source>
        <translation>Очистить список условий тревоги</translation>
    </message>
    <message>
        <source>抓拍路径: </source>
        <translation>Папка снимков: </translation>
    </message>
</context>
<context>
    <name>ItemBatchText</name>
    <message>
        <source>打印报告</source>
        <translation>Печать отчёта</translation>
    </message>
    <message>
        <source>打开报告</source>
        <translation>Открыть отчёт</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Выход</translation>
    </message>
    <message>
        <source>选择打印报告文件</source>
        <translation>Выберите файл отчёта</translation>
    </message>
    <message>
        <source>报告文件</source>
        <translation>Файлы отчётов</translation>
    </message>
    <message>
        <source>报告打印退出成功</source>
        <translation>Печать отчёта остановлена</translation>
    </message>
    <message>
        <source>默认模板设置错误!</source>
        <translation>Неверно задан шаблон отчёта!</translation>
    </message>
    <message>
        <source>打开word失败！</source>
        <translation>Не удалось запустить текстовый процессор!</translation>
    </message>
    <message>
        <source>打开模板文件失败!</source>
        <translation>Не удалось открыть файл шаблона!</translation>
    </message>
    <message>
        <source>没有红外图片!</source>
        <translation>Нет инфракрасных снимков!</translation>
    </message>
    <message>
        <source>报告保存失败!</source>
        <translation>Не удалось сохранить отчёт!</translation>
    </message>
    <message>
        <source>报告打印完成</source>
        <translation>Печать отчёта завершена</translation>
    </message>
    <message>
        <source>批量应用分析</source>
        <translation>Применить анализ к снимкам</translation>
    </message>
    <message>
        <source>分析列表</source>
        <translation>Анализы</translation>
    </message>
    <message>
        <source>批量修改</source>
        <translation>Применить</translation>
    </message>
    <message>
        <source>选择需要批量分析的图片</source>
        <translation>Выберите снимки для анализа</translation>
    </message>
    <message>
        <source>图片</source>
        <translation>Снимки</translation>
    </message>
    <message>
        <source>批量修改分析结束</source>
        <translation>Пакетный анализ завершён</translation>
    </message>
    <message>
        <source>当前图片没有分析</source>
        <translation>На текущем снимке нет анализов</translation>
    </message>
</context>
<context>
    <name>ItemChartTempSetting</name>
    <message>
        <source>温度范围设置</source>
        <translation>Диапазон температур</translation>
    </message>
    <message>
        <source>自动</source>
        <translation>Авто</translation>
    </message>
    <message>
        <source>手动（最小间隔1度）</source>
        <translation>Вручную (мин. 1°)</translation>
    </message>
</context>
<context>
    <name>ItemChartTrendList</name>
    <message>
        <source>分析列表</source>
        <translation>Анализы</translation>
    </message>
</context>
<context>
    <name>ItemCommonDef</name>
    <message>
        <source>添加点分析</source>
        <translation>Добавить точку</translation>
    </message>
    <message>
        <source>添加线分析</source>
        <translation>Добавить линию</translation>
    </message>
    <message>
        <source>添加矩形分析</source>
        <translation>Добавить прямоугольник</translation>
    </message>
    <message>
        <source>添加椭圆分析</source>
        <translation>Добавить эллипс</translation>
    </message>
    <message>
        <source>添加多边形分析</source>
        <translation>Добавить многоугольник</translation>
    </message>
    <message>
        <source>添加折线分析</source>
        <translation>Добавить ломаную</translation>
    </message>
    <message>
        <source>删除分析</source>
        <translation>Удалить анализ</translation>
    </message>
    <message>
        <source>删除全部分析</source>
        <translation>Удалить все анализы</translation>
    </message>
    <message>
        <source>导入分析</source>
        <translation>Импорт анализов</translation>
    </message>
    <message>
        <source>导出分析</source>
        <translation>Экспорт анализов</translation>
    </message>
    <message>
        <source>等温线</source>
        <translation>Изотермы</translation>
    </message>
    <message>
        <source>显示鼠标温度</source>
        <translation>Температура под курсором</translation>
    </message>
    <message>
        <source>显示最高温</source>
        <translation>Показать максимум</translation>
    </message>
    <message>
        <source>显示最低温</source>
        <translation>Показать минимум</translation>
    </message>
    <message>
        <source>折线图</source>
        <translation>Линейный график</translation>
    </message>
    <message>
        <source>直方图</source>
        <translation>Гистограмма</translation>
    </message>
    <message>
        <source>温度趋势</source>
        <translation>Температурный тренд</translation>
    </message>
    <message>
        <source>复制温度</source>
        <translation>Копировать температуры</translation>
    </message>
    <message>
        <source>温度表</source>
        <translation>Таблица температур</translation>
    </message>
    <message>
        <source>温度预览</source>
        <translation>Просмотр температур</translation>
    </message>
    <message>
        <source>截图</source>
        <translation>Снимок экрана</translation>
    </message>
    <message>
        <source>图像增强</source>
        <translation>Улучшение изображения</translation>
    </message>
    <message>
        <source>原始大小</source>
        <translation>Исходный размер</translation>
    </message>
    <message>
        <source>缩小</source>
        <translation>Уменьшить</translation>
    </message>
    <message>
        <source>放大</source>
        <translation>Увеличить</translation>
    </message>
    <message>
        <source>上一张</source>
        <translation>Предыдущий снимок</translation>
    </message>
    <message>
        <source>下一张</source>
        <translation>Следующий снимок</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Сохранить</translation>
    </message>
    <message>
        <source>另存为</source>
        <translation>Сохранить как</translation>
    </message>
    <message>
        <source>向左旋转90度</source>
        <translation>Повернуть на 90° влево</translation>
    </message>
    <message>
        <source>向右旋转90度</source>
        <translation>Повернуть на 90° вправо</translation>
    </message>
    <message>
        <source>生成报告</source>
        <translation>Создать отчёт</translation>
    </message>
    <message>
        <source>全屏</source>
        <translation>Во весь экран</translation>
    </message>
    <message>
        <source>删除图片</source>
        <translation>Удалить снимок</translation>
    </message>
    <message>
        <source>播放</source>
        <translation>Воспроизвести</translation>
    </message>
    <message>
        <source>暂停</source>
        <translation>Пауза</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Стоп</translation>
    </message>
    <message>
        <source>第一帧</source>
        <translation>Первый кадр</translation>
    </message>
    <message>
        <source>上一帧</source>
        <translation>Предыдущий кадр</translation>
    </message>
    <message>
        <source>下一帧</source>
        <translation>Следующий кадр</translation>
    </message>
    <message>
        <source>最后一帧</source>
        <translation>Последний кадр</translation>
    </message>
    <message>
        <source>调色板</source>
        <translation>Палитра</translation>
    </message>
    <message>
        <source>抓拍</source>
        <translation>Сделать снимок</translation>
    </message>
    <message>
        <source>批量分析</source>
        <translation>Пакетный анализ</translation>
    </message>
    <message>
        <source>顺序播放</source>
        <translation>Воспроизводить по порядку</translation>
    </message>
    <message>
        <source>列表循环</source>
        <translation>Повторять список</translation>
    </message>
    <message>
        <source>单个播放</source>
        <translation>Воспроизвести один</translation>
    </message>
    <message>
        <source>单个循环</source>
        <translation>Повторять один</translation>
    </message>
    <message>
        <source>左上</source>
        <translation>Вверх влево</translation>
    </message>
    <message>
        <source>上</source>
        <translation>Вверх</translation>
    </message>
    <message>
        <source>右上</source>
        <translation>Вверх вправо</translation>
    </message>
    <message>
        <source>左</source>
        <translation>Влево</translation>
    </message>
    <message>
        <source>右</source>
        <translation>Вправо</translation>
    </message>
    <message>
        <source>左下</source>
        <translation>Вниз влево</translation>
    </message>
    <message>
        <source>下</source>
        <translation>Вниз</translation>
    </message>
    <message>
        <source>右下</source>
        <translation>Вниз вправо</translation>
    </message>
    <message>
        <source>近焦</source>
        <translation>Фокус ближе</translation>
    </message>
    <message>
        <source>远焦</source>
        <translation>Фокус дальше</translation>
    </message>
    <message>
        <source>变倍放大</source>
        <translation>Приблизить объектив</translation>
    </message>
    <message>
        <source>变倍缩小</source>
        <translation>Отдалить объектив</translation>
    </message>
    <message>
        <source>校正</source>
        <translation>Калибровка</translation>
    </message>
    <message>
        <source>视频剪辑</source>
        <translation>Монтаж видео</translation>
    </message>
    <message>
        <source>打开报告</source>
        <translation>Открыть отчёт</translation>
    </message>
    <message>
        <source>保存报告</source>
        <translation>Сохранить отчёт</translation>
    </message>
    <message>
        <source>报告另存为</source>
        <translation>Сохранить отчёт как</translation>
    </message>
    <message>
        <source>选择</source>
        <translation>Выбрать</translation>
    </message>
    <message>
        <source>添加图片</source>
        <translation>Добавить снимок</translation>
    </message>
    <message>
        <source>添加表格</source>
        <translation>Добавить таблицу</translation>
    </message>
    <message>
        <source>添加标记</source>
        <translation>Добавить метку</translation>
    </message>
    <message>
        <source>添加文本</source>
        <translation>Добавить текст</translation>
    </message>
    <message>
        <source>加粗</source>
        <translation>Полужирный</translation>
    </message>
    <message>
        <source>斜体</source>
        <translation>Курсив</translation>
    </message>
    <message>
        <source>下划线</source>
        <translation>Подчёркнутый</translation>
    </message>
    <message>
        <source>左对齐</source>
        <translation>Текст по левому краю</translation>
    </message>
    <message>
        <source>居中</source>
        <translation>Текст по центру</translation>
    </message>
    <message>
        <source>右对齐</source>
        <translation>Текст по правому краю</translation>
    </message>
    <message>
        <source>组件左对齐</source>
        <translation>Выровнять по левому краю</translation>
    </message>
    <message>
        <source>组件右对齐</source>
        <translation>Выровнять по правому краю</translation>
    </message>
    <message>
        <source>顶端对齐</source>
        <translation>Выровнять по верху</translation>
    </message>
    <message>
        <source>底端对齐</source>
        <translation>Выровнять по низу</translation>
    </message>
    <message>
        <source>垂直居中</source>
        <translation>По центру по вертикали</translation>
    </message>
    <message>
        <source>水平居中</source>
        <translation>По центру по горизонтали</translation>
    </message>
    <message>
        <source>纵向分布</source>
        <translation>Распределить по вертикали</translation>
    </message>
    <message>
        <source>横向分布</source>
        <translation>Распределить по горизонтали</translation>
    </message>
</context>
<context>
    <name>ItemCommonText</name>
    <message>
        <source>此功能尚未提供</source>
        <translation>Эта функция пока недоступна</translation>
    </message>
    <message>
        <source>我的电脑</source>
        <translation>Мой компьютер</translation>
    </message>
    <message>
        <source>文件预览</source>
        <translation>Просмотр файлов</translation>
    </message>
    <message>
        <source>摄像机</source>
        <translation>Камеры</translation>
    </message>
    <message>
        <source>报告编辑</source>
        <translation>Редактор отчётов</translation>
    </message>
    <message>
        <source>诊断规则</source>
        <translation>Правила диагностики</translation>
    </message>
    <message>
        <source>关于</source>
        <translation>О программе</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>帮助</source>
        <translation>Справка</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>ОК</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>最大化</source>
        <translation>Развернуть</translation>
    </message>
    <message>
        <source>还原</source>
        <translation>Восстановить</translation>
    </message>
    <message>
        <source>最小化</source>
        <translation>Свернуть</translation>
    </message>
    <message>
        <source>系统提示</source>
        <translation>Системное сообщение</translation>
    </message>
    <message>
        <source>分析添加方式</source>
        <translation>Добавление анализов</translation>
    </message>
    <message>
        <source>单个</source>
        <translation>По одному</translation>
    </message>
    <message>
        <source>多个</source>
        <translation>Несколько</translation>
    </message>
    <message>
        <source>图片标志</source>
        <translation>Логотип на снимках</translation>
    </message>
    <message>
        <source>报告模板</source>
        <translation>Шаблон отчёта</translation>
    </message>
    <message>
        <source>默认</source>
        <translation>По умолчанию</translation>
    </message>
    <message>
        <source>自定义</source>
        <translation>Свой</translation>
    </message>
    <message>
        <source>浏览</source>
        <translation>Обзор</translation>
    </message>
    <message>
        <source>语言</source>
        <translation>Язык</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Выход</translation>
    </message>
    <message>
        <source>：</source>
        <translation>: </translation>
    </message>
    <message>
        <source>图片分析</source>
        <translation>Анализ снимка</translation>
    </message>
    <message>
        <source>视频分析</source>
        <translation>Анализ видео</translation>
    </message>
    <message>
        <source>未知</source>
        <translation>Неизвестно</translation>
    </message>
    <message>
        <source>大小</source>
        <translation>Размер</translation>
    </message>
    <message>
        <source>分辨率</source>
        <translation>Разрешение</translation>
    </message>
    <message>
        <source>拍摄时间</source>
        <translation>Снято</translation>
    </message>
    <message>
        <source>创建时间</source>
        <translation>Создан</translation>
    </message>
    <message>
        <source>修改时间</source>
        <translation>Изменён</translation>
    </message>
    <message>
        <source>开始时间</source>
        <translation>Начало</translation>
    </message>
    <message>
        <source>结束时间</source>
        <translation>Конец</translation>
    </message>
    <message>
        <source>当前时间</source>
        <translation>Текущее время</translation>
    </message>
    <message>
        <source>设备</source>
        <translation>Устройство</translation>
    </message>
    <message>
        <source>镜头类型</source>
        <translation>Тип объектива</translation>
    </message>
    <message>
        <source>镜头序列号</source>
        <translation>Серийный номер объектива</translation>
    </message>
    <message>
        <source>测温范围</source>
        <translation>Диапазон измерения</translation>
    </message>
    <message>
        <source>已选择%1个文件</source>
        <translation>Выбрано файлов: %1</translation>
    </message>
    <message>
        <source>连接设备%1失败</source>
        <translation>Не удалось подключиться к устройству %1</translation>
    </message>
    <message>
        <source>无法创建%1的窗口</source>
        <translation>Не удалось создать окно для %1</translation>
    </message>
    <message>
        <source>版本</source>
        <translation>Версия</translation>
    </message>
    <message>
        <source>导入等温线</source>
        <translation>Импорт изотерм</translation>
    </message>
    <message>
        <source>导出等温线</source>
        <translation>Экспорт изотерм</translation>
    </message>
    <message>
        <source>导入分析文件</source>
        <translation>Импорт файла анализов</translation>
    </message>
    <message>
        <source>导出分析文件</source>
        <translation>Экспорт файла анализов</translation>
    </message>
    <message>
        <source>导出报告</source>
        <translation>Экспорт отчёта</translation>
    </message>
    <message>
        <source>保存图片</source>
        <translation>Сохранить снимок</translation>
    </message>
    <message>
        <source>保存SGCC图片</source>
        <translation>Сохранить снимок SGCC</translation>
    </message>
    <message>
        <source>保存视频片段</source>
        <translation>Сохранить фрагмент видео</translation>
    </message>
    <message>
        <source>打开视频</source>
        <translation>Открыть записи</translation>
    </message>
    <message>
        <source>导入诊断规则</source>
        <translation>Импорт правил диагностики</translation>
    </message>
    <message>
        <source>选择红外图片</source>
        <translation>Выбрать тепловизионный снимок</translation>
    </message>
    <message>
        <source>选择导出文件夹</source>
        <translation>Выбрать папку для экспорта</translation>
    </message>
    <message>
        <source>选择报警图片文件夹</source>
        <translation>Выбрать папку для снимков тревог</translation>
    </message>
    <message>
        <source>保存报告</source>
        <translation>Сохранить отчёт</translation>
    </message>
    <message>
        <source>打开报告布局</source>
        <translation>Открыть макет отчёта</translation>
    </message>
    <message>
        <source>打开图片</source>
        <translation>Открыть снимок</translation>
    </message>
    <message>
        <source>选择批量分析图片</source>
        <translation>Выбрать снимки для пакетного анализа</translation>
    </message>
    <message>
        <source>等温线文件</source>
        <translation>Файл изотерм</translation>
    </message>
    <message>
        <source>分析文件</source>
        <translation>Файл анализов</translation>
    </message>
    <message>
        <source>Word文档</source>
        <translation>Документ Word</translation>
    </message>
    <message>
        <source>Word模板</source>
        <translation>Шаблон Word</translation>
    </message>
    <message>
        <source>红外图片</source>
        <translation>Тепловизионный снимок</translation>
    </message>
    <message>
        <source>SGCC红外图片</source>
        <translation>Тепловизионный снимок SGCC</translation>
    </message>
    <message>
        <source>红外视频</source>
        <translation>Тепловизионная запись</translation>
    </message>
    <message>
        <source>H264视频</source>
        <translation>Видео H.264</translation>
    </message>
    <message>
        <source>AVI视频</source>
        <translation>Видео AVI</translation>
    </message>
    <message>
        <source>诊断规则包</source>
        <translation>Пакет правил диагностики</translation>
    </message>
    <message>
        <source>图片</source>
        <translation>Изображения</translation>
    </message>
    <message>
        <source>报告布局</source>
        <translation>Макет отчёта</translation>
    </message>
    <message>
        <source>模板%1保存成功</source>
        <translation>Шаблон %1 сохранён</translation>
    </message>
    <message>
        <source>模板%1保存失败</source>
        <translation>Не удалось сохранить шаблон %1</translation>
    </message>
    <message>
        <source>报告%1保存成功，是否打开？</source>
        <translation>Отчёт %1 сохранён. Открыть его?</translation>
    </message>
    <message>
        <source>报告%1保存失败</source>
        <translation>Не удалось сохранить отчёт %1</translation>
    </message>
    <message>
        <source>打开模板%1失败</source>
        <translation>Не удалось открыть шаблон %1</translation>
    </message>
    <message>
        <source>关联...</source>
        <translation>Связать...</translation>
    </message>
    <message>
        <source>插入</source>
        <translation>Вставить</translation>
    </message>
    <message>
        <source>打开文件</source>
        <translation>Открыть файл</translation>
    </message>
    <message>
        <source>设为标志</source>
        <translation>Сделать логотипом</translation>
    </message>
    <message>
        <source>取消标志</source>
        <translation>Отменить логотип</translation>
    </message>
    <message>
        <source>删除当前行</source>
        <translation>Удалить текущую строку</translation>
    </message>
    <message>
        <source>删除当前列</source>
        <translation>Удалить текущий столбец</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Удалить</translation>
    </message>
    <message>
        <source>无</source>
        <translation>Нет</translation>
    </message>
    <message>
        <source>标记无效</source>
        <translation>Метка не используется</translation>
    </message>
    <message>
        <source>分析</source>
        <translation>Анализ</translation>
    </message>
    <message>
        <source>最高温减去</source>
        <translation>Макс. температура минус </translation>
    </message>
    <message>
        <source>标记设置</source>
        <translation>Настройка метки</translation>
    </message>
    <message>
        <source>标记格式错误</source>
        <translation>Ошибка формата метки</translation>
    </message>
    <message>
        <source>标记名称错误：</source>
        <translation>Ошибка имени метки: </translation>
    </message>
</context>
<context>
    <name>ItemContentChartRecordCondition</name>
    <message>
        <source>帧温差</source>
        <translation>разность кадров</translation>
    </message>
    <message>
        <source>绝对值</source>
        <translation>модуль</translation>
    </message>
    <message>
        <source>全屏</source>
        <translation>Во весь экран</translation>
    </message>
    <message>
        <source>未开始趋势分析！</source>
        <translation>Анализ тренда не начат!</translation>
    </message>
    <message>
        <source>采样条件（不能为空）</source>
        <translation>Условия записи (обязательно)</translation>
    </message>
    <message>
        <source>秒/帧</source>
        <translation>с/кадр</translation>
    </message>
</context>
<context>
    <name>ItemContentIRAnaSetting</name>
    <message>
        <source>别名不能为空！</source>
        <translation>Псевдоним не может быть пустым!</translation>
    </message>
    <message>
        <source>别名过长！</source>
        <translation>Псевдоним слишком длинный!</translation>
    </message>
    <message>
        <source>别名重复！</source>
        <translation>Псевдоним уже используется!</translation>
    </message>
    <message>
        <source>分析别名：</source>
        <translation>Псевдоним: </translation>
    </message>
    <message>
        <source>确定</source>
        <translation>ОК</translation>
    </message>
    <message>
        <source>显示温度</source>
        <translation>Показывать температуру</translation>
    </message>
    <message>
        <source>最高温</source>
        <translation>Макс. температура</translation>
    </message>
    <message>
        <source>最低温</source>
        <translation>Мин. температура</translation>
    </message>
    <message>
        <source>平均温</source>
        <translation>Средняя температура</translation>
    </message>
    <message>
        <source>独立参数</source>
        <translation>Собственные параметры</translation>
    </message>
    <message>
        <source>发射率</source>
        <translation>Излучательная способность</translation>
    </message>
    <message>
        <source>距离(m)</source>
        <translation>Расстояние (м)</translation>
    </message>
    <message>
        <source>最高点</source>
        <translation>Макс. точка</translation>
    </message>
    <message>
        <source>最低点</source>
        <translation>Мин. точка</translation>
    </message>
    <message>
        <source>光标</source>
        <translation>Курсор</translation>
    </message>
    <message>
        <source>独立调色板</source>
        <translation>Своя палитра</translation>
    </message>
    <message>
        <source>线条颜色</source>
        <translation>Цвет линии</translation>
    </message>
</context>
<context>
    <name>ItemContentIRLensSetting</name>
    <message>
        <source>镜头与测温挡</source>
        <translation>Объектив и диапазон</translation>
    </message>
    <message>
        <source>自动切换测温挡</source>
        <translation>Автовыбор диапазона</translation>
    </message>
</context>
<context>
    <name>ItemContentIRParamSetting</name>
    <message>
        <source>发射率</source>
        <translation>Коэффициент излучения</translation>
    </message>
    <message>
        <source>距离(m)</source>
        <translation>Расстояние (м)</translation>
    </message>
    <message>
        <source>环境温度</source>
        <translation>Температура среды</translation>
    </message>
    <message>
        <source>反射温度</source>
        <translation>Отражённая температура</translation>
    </message>
    <message>
        <source>相对湿度(%)</source>
        <translation>Отн. влажность (%)</translation>
    </message>
    <message>
        <source>修正温度</source>
        <translation>Поправка</translation>
    </message>
    <message>
        <source>恢复默认参数</source>
        <translation>Восстановить по умолчанию</translation>
    </message>
</context>
<context>
    <name>ItemContentIRPicSetting</name>
    <message>
        <source>语音备注</source>
        <translation>Голосовая заметка</translation>
    </message>
    <message>
        <source>播放</source>
        <translation>Воспроизвести</translation>
    </message>
    <message>
        <source>播放录音</source>
        <translation>Воспроизвести запись</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Удалить</translation>
    </message>
    <message>
        <source>删除录音</source>
        <translation>Удалить запись</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Стоп</translation>
    </message>
    <message>
        <source>录音</source>
        <translation>Запись</translation>
    </message>
    <message>
        <source>结束录音(最大支持30s)</source>
        <translation>Остановить запись (не более 30 с)</translation>
    </message>
    <message>
        <source>开始录音(最大支持30s)</source>
        <translation>Начать запись (не более 30 с)</translation>
    </message>
    <message>
        <source>无</source>
        <translation>Нет</translation>
    </message>
    <message>
        <source>晴朗</source>
        <translation>Ясно</translation>
    </message>
    <message>
        <source>多云</source>
        <translation>Облачно</translation>
    </message>
    <message>
        <source>小雨</source>
        <translation>Морось</translation>
    </message>
    <message>
        <source>中雨</source>
        <translation>Дождь</translation>
    </message>
    <message>
        <source>大雨</source>
        <translation>Ливень</translation>
    </message>
    <message>
        <source>雾</source>
        <translation>Туман</translation>
    </message>
    <message>
        <source>雪</source>
        <translation>Снег</translation>
    </message>
    <message>
        <source>现场信息</source>
        <translation>Данные объекта</translation>
    </message>
    <message>
        <source>天气</source>
        <translation>Погода</translation>
    </message>
    <message>
        <source>风速(m/s)</source>
        <translation>Ветер (м/с)</translation>
    </message>
    <message>
        <source>运行电压(kV)</source>
        <translation>Напряжение (кВ)</translation>
    </message>
    <message>
        <source>负荷电流(A)</source>
        <translation>Ток нагрузки (А)</translation>
    </message>
    <message>
        <source>文字备注</source>
        <translation>Заметка</translation>
    </message>
    <message>
        <source>位置</source>
        <translation>Координаты</translation>
    </message>
    <message>
        <source>预置位</source>
        <translation>Предустановка</translation>
    </message>
    <message>
        <source>无法开始录音！</source>
        <translation>Не удалось начать запись!</translation>
    </message>
</context>
<context>
    <name>ItemContentIRRecordingSetting</name>
    <message>
        <source>录像设置</source>
        <translation>Настройки записи</translation>
    </message>
    <message>
        <source>保存路径</source>
        <translation>Папка сохранения</translation>
    </message>
    <message>
        <source>剩余空间</source>
        <translation>Свободное место</translation>
    </message>
    <message>
        <source>单个文件大小</source>
        <translation>Размер одного файла</translation>
    </message>
    <message>
        <source>帧率</source>
        <translation>Частота кадров</translation>
    </message>
    <message>
        <source>实时</source>
        <translation>В реальном времени</translation>
    </message>
    <message>
        <source>文件类型</source>
        <translation>Тип файла</translation>
    </message>
    <message>
        <source>总录像时长</source>
        <translation>Общая длительность</translation>
    </message>
    <message>
        <source>无限制</source>
        <translation>Без ограничения</translation>
    </message>
    <message>
        <source>分钟</source>
        <translation>минут</translation>
    </message>
    <message>
        <source>空间不足时</source>
        <translation>При нехватке места</translation>
    </message>
    <message>
        <source>停止录像 </source>
        <translation>Остановить запись </translation>
    </message>
    <message>
        <source>删除最早视频</source>
        <translation>Удалить самые старые видео</translation>
    </message>
    <message>
        <source>录像存储空间需（大于2GB）</source>
        <translation>Для записи нужно более 2 ГБ свободного места</translation>
    </message>
    <message>
        <source>录像保存路径</source>
        <translation>Папка записи</translation>
    </message>
</context>
<context>
    <name>ItemContentPathHistory</name>
    <message>
        <source>最近访问</source>
        <translation>Недавние папки</translation>
    </message>
</context>
<context>
    <name>ItemContentPtzCtrl</name>
    <message>
        <source>设置预置点</source>
        <translation>Задать пресет</translation>
    </message>
    <message>
        <source>切换预置点</source>
        <translation>Перейти к пресету</translation>
    </message>
    <message>
        <source>云台速度</source>
        <translation>Скорость поворота</translation>
    </message>
    <message>
        <source>设置水平速度</source>
        <translation>Задать скорость по горизонтали</translation>
    </message>
    <message>
        <source>设置垂直速度</source>
        <translation>Задать скорость по вертикали</translation>
    </message>
    <message>
        <source>雨刷开</source>
        <translation>Стеклоочиститель вкл.</translation>
    </message>
    <message>
        <source>雨刷关</source>
        <translation>Стеклоочиститель выкл.</translation>
    </message>
</context>
<context>
    <name>ItemCoverPlainImage</name>
    <message>
        <source>非红外图片，红外相关控制无效！</source>
        <translation>Не ИК-снимок: ИК-функции недоступны!</translation>
    </message>
</context>
<context>
    <name>ItemCustomMenuTrendChart</name>
    <message>
        <source>最高温度</source>
        <translation>Максимум</translation>
    </message>
    <message>
        <source>最低温度</source>
        <translation>Минимум</translation>
    </message>
    <message>
        <source>平均温度</source>
        <translation>Среднее</translation>
    </message>
    <message>
        <source>温度趋势分析</source>
        <translation>Тренд температуры</translation>
    </message>
    <message>
        <source>新建温度趋势分析</source>
        <translation>Новый тренд температуры</translation>
    </message>
    <message>
        <source>像素数趋势分析</source>
        <translation>Тренд числа пикселей</translation>
    </message>
    <message>
        <source>新建像素数趋势分析</source>
        <translation>Новый тренд числа пикселей</translation>
    </message>
</context>
<context>
    <name>ItemIRToolButtonSearch</name>
    <message>
        <source>搜索</source>
        <translation>Поиск</translation>
    </message>
</context>
<context>
    <name>ItemListIRPicCtrl</name>
    <message>
        <source>上一张</source>
        <translation>Предыдущий</translation>
    </message>
    <message>
        <source>下一张</source>
        <translation>Следующий</translation>
    </message>
    <message>
        <source>左转90°</source>
        <translation>Влево на 90°</translation>
    </message>
    <message>
        <source>右转90°</source>
        <translation>Вправо на 90°</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Сохранить</translation>
    </message>
    <message>
        <source>另存为</source>
        <translation>Сохранить как</translation>
    </message>
    <message>
        <source>报告</source>
        <translation>Отчёт</translation>
    </message>
</context>
<context>
    <name>ItemListIRToolbar</name>
    <message>
        <source>点</source>
        <translation>Точка</translation>
    </message>
    <message>
        <source>线</source>
        <translation>Линия</translation>
    </message>
    <message>
        <source>矩形</source>
        <translation>Прямоугольник</translation>
    </message>
    <message>
        <source>椭圆</source>
        <translation>Эллипс</translation>
    </message>
    <message>
        <source>多边形</source>
        <translation>Многоугольник</translation>
    </message>
    <message>
        <source>折线</source>
        <translation>Ломаная</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Удалить</translation>
    </message>
    <message>
        <source>清空</source>
        <translation>Очистить</translation>
    </message>
    <message>
        <source>鼠标温度</source>
        <translation>Темп. под курсором</translation>
    </message>
    <message>
        <source>最高点</source>
        <translation>Макс. точка</translation>
    </message>
    <message>
        <source>最低点</source>
        <translation>Мин. точка</translation>
    </message>
    <message>
        <source>线分析图</source>
        <translation>Профиль линии</translation>
    </message>
    <message>
        <source>直方图</source>
        <translation>Гистограмма</translation>
    </message>
    <message>
        <source>等温</source>
        <translation>Изотерма</translation>
    </message>
    <message>
        <source>调色板</source>
        <translation>Палитра</translation>
    </message>
    <message>
        <source>复制温度</source>
        <translation>Копировать температуры</translation>
    </message>
    <message>
        <source>温度表</source>
        <translation>Таблица температур</translation>
    </message>
    <message>
        <source>温度图像</source>
        <translation>Изображение температур</translation>
    </message>
    <message>
        <source>批量分析</source>
        <translation>Пакетный анализ</translation>
    </message>
    <message>
        <source>导入分析</source>
        <translation>Импорт</translation>
    </message>
    <message>
        <source>导出分析</source>
        <translation>Экспорт</translation>
    </message>
    <message>
        <source>成像</source>
        <translation>Изображение</translation>
    </message>
</context>
<context>
    <name>ItemListIRVideo</name>
    <message>
        <source>视频标注</source>
        <translation>Метки видео</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Удалить</translation>
    </message>
    <message>
        <source>趋势分析中，无法添加视频标注！</source>
        <translation>Идёт анализ тренда: добавить метку видео нельзя!</translation>
    </message>
    <message>
        <source>趋势分析中，无法删除视频标注！</source>
        <translation>Идёт анализ тренда: удалить метку видео нельзя!</translation>
    </message>
    <message>
        <source>趋势分析中，无法编辑视频标注！</source>
        <translation>Идёт анализ тренда: изменить метку видео нельзя!</translation>
    </message>
    <message>
        <source>编辑</source>
        <translation>Изменить</translation>
    </message>
</context>
<context>
    <name>ItemListTrendChart</name>
    <message>
        <source>添加失败！</source>
        <translation>Не удалось добавить!</translation>
    </message>
</context>
<context>
    <name>ItemMenuImaging</name>
    <message>
        <source>图像增强</source>
        <translation>Улучшение изображения</translation>
    </message>
    <message>
        <source>室内模式</source>
        <translation>Режим помещения</translation>
    </message>
    <message>
        <source>室外模式</source>
        <translation>Уличный режим</translation>
    </message>
</context>
<context>
    <name>ItemReportText</name>
    <message>
        <source>常规</source>
        <translation>Общие</translation>
    </message>
    <message>
        <source>字体</source>
        <translation>Шрифт</translation>
    </message>
    <message>
        <source>标记</source>
        <translation>Метка</translation>
    </message>
    <message>
        <source>图片参数</source>
        <translation>Параметры снимка</translation>
    </message>
    <message>
        <source>字体名称</source>
        <translation>Гарнитура</translation>
    </message>
    <message>
        <source>字号</source>
        <translation>Размер</translation>
    </message>
    <message>
        <source>粗体</source>
        <translation>Полужирный</translation>
    </message>
    <message>
        <source>斜体</source>
        <translation>Курсив</translation>
    </message>
    <message>
        <source>下划线</source>
        <translation>Подчёркнутый</translation>
    </message>
    <message>
        <source>左对齐</source>
        <translation>По левому краю</translation>
    </message>
    <message>
        <source>居中</source>
        <translation>По центру</translation>
    </message>
    <message>
        <source>右对齐</source>
        <translation>По правому краю</translation>
    </message>
    <message>
        <source>标记值</source>
        <translation>Значение</translation>
    </message>
    <message>
        <source>标记含义</source>
        <translation>Смысл</translation>
    </message>
    <message>
        <source>标记文本</source>
        <translation>Текст метки</translation>
    </message>
    <message>
        <source>选择标记...</source>
        <translation>Выбрать метку...</translation>
    </message>
    <message>
        <source>在上方插入行</source>
        <translation>Вставить строку выше</translation>
    </message>
    <message>
        <source>在下方插入行</source>
        <translation>Вставить строку ниже</translation>
    </message>
    <message>
        <source>在左侧插入列</source>
        <translation>Вставить столбец слева</translation>
    </message>
    <message>
        <source>在右侧插入列</source>
        <translation>Вставить столбец справа</translation>
    </message>
    <message>
        <source>调色板</source>
        <translation>Палитра</translation>
    </message>
    <message>
        <source>图片/分析</source>
        <translation>Снимок / анализ</translation>
    </message>
    <message>
        <source>字段</source>
        <translation>Поле</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Имя</translation>
    </message>
    <message>
        <source>最高温</source>
        <translation>Макс. температура</translation>
    </message>
    <message>
        <source>最低温</source>
        <translation>Мин. температура</translation>
    </message>
    <message>
        <source>平均温</source>
        <translation>Средняя температура</translation>
    </message>
    <message>
        <source>标题</source>
        <translation>Заголовок</translation>
    </message>
    <message>
        <source>拍摄日期</source>
        <translation>Дата съёмки</translation>
    </message>
    <message>
        <source>拍摄时间</source>
        <translation>Время съёмки</translation>
    </message>
    <message>
        <source>运行电压</source>
        <translation>Рабочее напряжение</translation>
    </message>
    <message>
        <source>负荷电流</source>
        <translation>Ток нагрузки</translation>
    </message>
    <message>
        <source>发射率</source>
        <translation>Коэффициент излучения</translation>
    </message>
    <message>
        <source>距离</source>
        <translation>Расстояние</translation>
    </message>
    <message>
        <source>环境温度</source>
        <translation>Температура среды</translation>
    </message>
    <message>
        <source>相对湿度</source>
        <translation>Относительная влажность</translation>
    </message>
    <message>
        <source>全屏最高温</source>
        <translation>Макс. температура кадра</translation>
    </message>
    <message>
        <source>全屏最低温</source>
        <translation>Мин. температура кадра</translation>
    </message>
    <message>
        <source>全屏平均温</source>
        <translation>Средняя температура кадра</translation>
    </message>
    <message>
        <source>测量点温度</source>
        <translation>Температура точки измерения</translation>
    </message>
    <message>
        <source>正常点温度</source>
        <translation>Температура нормальной точки</translation>
    </message>
    <message>
        <source>温升</source>
        <translation>Превышение температуры</translation>
    </message>
    <message>
        <source>温差</source>
        <translation>Разность температур</translation>
    </message>
    <message>
        <source>相对温差</source>
        <translation>Относительная разность температур</translation>
    </message>
    <message>
        <source>超声检测结果</source>
        <translation>Результат ультразвукового контроля</translation>
    </message>
    <message>
        <source>红外检测结果</source>
        <translation>Результат ИК-контроля</translation>
    </message>
    <message>
        <source>综合检测结果</source>
        <translation>Итоговый результат контроля</translation>
    </message>
    <message>
        <source>设备区域</source>
        <translation>Зона оборудования</translation>
    </message>
    <message>
        <source>变电站名称</source>
        <translation>Название подстанции</translation>
    </message>
    <message>
        <source>设备类型</source>
        <translation>Тип оборудования</translation>
    </message>
    <message>
        <source>设备名称</source>
        <translation>Название оборудования</translation>
    </message>
    <message>
        <source>相别</source>
        <translation>Фаза</translation>
    </message>
    <message>
        <source>部位</source>
        <translation>Место</translation>
    </message>
</context>
<context>
    <name>ItemRuleText</name>
    <message>
        <source>变电</source>
        <translation>Подстанция</translation>
    </message>
    <message>
        <source>输电</source>
        <translation>Передача</translation>
    </message>
    <message>
        <source>配电</source>
        <translation>Распределение</translation>
    </message>
    <message>
        <source>导入</source>
        <translation>Импорт</translation>
    </message>
    <message>
        <source>导出</source>
        <translation>Экспорт</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>ОК</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>是</source>
        <translation>Да</translation>
    </message>
    <message>
        <source>否</source>
        <translation>Нет</translation>
    </message>
    <message>
        <source>添加诊断规则</source>
        <translation>Добавить правило диагностики</translation>
    </message>
    <message>
        <source>清空诊断规则</source>
        <translation>Очистить правила диагностики</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Удалить</translation>
    </message>
    <message>
        <source>是否清空诊断规则？</source>
        <translation>Очистить все правила диагностики?</translation>
    </message>
    <message>
        <source>清空数据成功！</source>
        <translation>Данные очищены.</translation>
    </message>
    <message>
        <source>清空数据失败！</source>
        <translation>Не удалось очистить данные!</translation>
    </message>
    <message>
        <source>删除当前节点会导致相关诊断规则删除，确定是否删除？</source>
        <translation>Удаление этого узла удалит связанные правила диагностики. Удалить?</translation>
    </message>
    <message>
        <source>删除数据成功！</source>
        <translation>Данные удалены.</translation>
    </message>
    <message>
        <source>删除数据失败！</source>
        <translation>Не удалось удалить данные!</translation>
    </message>
    <message>
        <source>请选择诊断规则</source>
        <translation>Выберите правило диагностики</translation>
    </message>
    <message>
        <source>请添加示例图片</source>
        <translation>Добавьте образец снимка</translation>
    </message>
    <message>
        <source>添加图片</source>
        <translation>Добавить снимок</translation>
    </message>
    <message>
        <source>非红外图片，请重新选择！</source>
        <translation>Это не инфракрасный снимок, выберите другой!</translation>
    </message>
    <message>
        <source>保存图片信息</source>
        <translation>Сохранить снимок</translation>
    </message>
    <message>
        <source>示例图片保存失败！</source>
        <translation>Не удалось сохранить образец снимка!</translation>
    </message>
    <message>
        <source>图片信息保存成功！</source>
        <translation>Сведения о снимке сохранены.</translation>
    </message>
    <message>
        <source>添加条件</source>
        <translation>Добавить условие</translation>
    </message>
    <message>
        <source>修改条件</source>
        <translation>Изменить условие</translation>
    </message>
    <message>
        <source>删除条件</source>
        <translation>Удалить условие</translation>
    </message>
    <message>
        <source>是否确定删除选中的诊断规则？</source>
        <translation>Удалить выбранную формулу диагностики?</translation>
    </message>
    <message>
        <source>删除诊断规则失败！</source>
        <translation>Не удалось удалить формулу диагностики!</translation>
    </message>
    <message>
        <source>序号</source>
        <translation>№</translation>
    </message>
    <message>
        <source>缺陷等级</source>
        <translation>Уровень дефекта</translation>
    </message>
    <message>
        <source>诊断公式</source>
        <translation>Формула диагностики</translation>
    </message>
    <message>
        <source>描述</source>
        <translation>Описание</translation>
    </message>
    <message>
        <source>故障特征</source>
        <translation>Признак неисправности</translation>
    </message>
    <message>
        <source>热像特征</source>
        <translation>Тепловой признак</translation>
    </message>
    <message>
        <source>处理建议</source>
        <translation>Рекомендация</translation>
    </message>
    <message>
        <source>诊断规则判据</source>
        <translation>Критерий диагностики</translation>
    </message>
    <message>
        <source>诊断规则公式说明</source>
        <translation>Синтаксис формул</translation>
    </message>
    <message>
        <source>诊断规则公式列表</source>
        <translation>Формулы диагностики</translation>
    </message>
    <message>
        <source>注：诊断规则缺陷等级对应报警缺陷等级：【紧急/严重 - 报警】【一般/关注 - 预警】 </source>
        <translation>Примечание: уровни дефектов соответствуют тревогам: [Срочно/Серьёзно - тревога] [Обычно/Внимание - предупреждение] </translation>
    </message>
    <message>
        <source>1. 分析别名加“:”和特征温度 Max、Min、Avg，例如 R01:Max</source>
        <translation>1. Псевдоним анализа, «:» и температура Max, Min или Avg, например R01:Max</translation>
    </message>
    <message>
        <source>2. EnvTemp 表示环境温度</source>
        <translation>2. EnvTemp — температура окружающей среды</translation>
    </message>
    <message>
        <source>3. math.abs 取绝对值</source>
        <translation>3. math.abs — абсолютное значение</translation>
    </message>
    <message>
        <source>4. math.max 取参数中的最大值</source>
        <translation>4. math.max — наибольший из аргументов</translation>
    </message>
    <message>
        <source>5. math.min 取参数中的最小值</source>
        <translation>5. math.min — наименьший из аргументов</translation>
    </message>
    <message>
        <source>6. 逻辑运算 or、and、not，前后各留一个空格</source>
        <translation>6. Логические операторы or, and, not с пробелом до и после</translation>
    </message>
    <message>
        <source>7. 算术运算 -、+、*、/</source>
        <translation>7. Арифметические операторы -, +, *, /</translation>
    </message>
    <message>
        <source>8. 比较运算 &gt;、&lt;、&gt;=、&lt;=</source>
        <translation>8. Сравнения &gt;, &lt;, &gt;=, &lt;=</translation>
    </message>
    <message>
        <source>9. 百分比写成小数，35% 写作 0.35</source>
        <translation>9. Проценты — десятичной дробью: 35% это 0.35</translation>
    </message>
    <message>
        <source>10. $ 加在别名和特征前，取 A、B、C 三相中该分析的特征</source>
        <translation>10. $ перед псевдонимом и признаком берёт его в каждой из фаз A, B, C</translation>
    </message>
    <message>
        <source>11. &amp; 加在别名和特征前，取当前相与其他各相之差（不取绝对值）</source>
        <translation>11. &amp; перед псевдонимом и признаком берёт разность текущей фазы с другими (без модуля)</translation>
    </message>
    <message>
        <source>紧急</source>
        <translation>Срочно</translation>
    </message>
    <message>
        <source>严重</source>
        <translation>Серьёзно</translation>
    </message>
    <message>
        <source>关注</source>
        <translation>Внимание</translation>
    </message>
    <message>
        <source>一般</source>
        <translation>Обычно</translation>
    </message>
    <message>
        <source>正常</source>
        <translation>Норма</translation>
    </message>
    <message>
        <source>适用专业</source>
        <translation>Специализация</translation>
    </message>
    <message>
        <source>设备类型</source>
        <translation>Тип оборудования</translation>
    </message>
    <message>
        <source>电压等级</source>
        <translation>Класс напряжения</translation>
    </message>
    <message>
        <source>部位角度</source>
        <translation>Часть / угол</translation>
    </message>
    <message>
        <source>设备形状</source>
        <translation>Форма оборудования</translation>
    </message>
    <message>
        <source>设备类型不能为空！</source>
        <translation>Тип оборудования не может быть пустым!</translation>
    </message>
    <message>
        <source>设备电压不能为空！</source>
        <translation>Напряжение не может быть пустым!</translation>
    </message>
    <message>
        <source>设备部位不能为空！</source>
        <translation>Часть оборудования не может быть пустой!</translation>
    </message>
    <message>
        <source>设备形状不能为空！</source>
        <translation>Форма оборудования не может быть пустой!</translation>
    </message>
    <message>
        <source>添加诊断规则失败！</source>
        <translation>Не удалось добавить правило диагностики!</translation>
    </message>
    <message>
        <source>修改诊断规则</source>
        <translation>Изменить правило диагностики</translation>
    </message>
    <message>
        <source>诊断公式不能为空！</source>
        <translation>Формула диагностики не может быть пустой!</translation>
    </message>
    <message>
        <source>添加新诊断公式失败！</source>
        <translation>Не удалось добавить формулу диагностики!</translation>
    </message>
    <message>
        <source>修改新诊断公式失败！</source>
        <translation>Не удалось изменить формулу диагностики!</translation>
    </message>
    <message>
        <source>选择诊断规则</source>
        <translation>Выбор правила диагностики</translation>
    </message>
    <message>
        <source>分析列表</source>
        <translation>Анализы</translation>
    </message>
    <message>
        <source>报警</source>
        <translation>Тревога</translation>
    </message>
    <message>
        <source>预警</source>
        <translation>Предупреждение</translation>
    </message>
    <message>
        <source>选择诊断规则将删除原设置分析和报警条件，是否继续？</source>
        <translation>Выбор правила удалит текущие анализы и условия тревоги. Продолжить?</translation>
    </message>
    <message>
        <source>注：选择诊断规则将删除原设置分析和报警条件！</source>
        <translation>Примечание: выбор правила удалит текущие анализы и условия тревоги!</translation>
    </message>
    <message>
        <source>导出诊断规则</source>
        <translation>Экспорт правил диагностики</translation>
    </message>
    <message>
        <source>导入诊断规则</source>
        <translation>Импорт правил диагностики</translation>
    </message>
    <message>
        <source>选择导出规则类型</source>
        <translation>Выберите типы правил для экспорта</translation>
    </message>
    <message>
        <source>未选择诊断规则</source>
        <translation>правила не выбраны</translation>
    </message>
    <message>
        <source>日志信息</source>
        <translation>Журнал</translation>
    </message>
    <message>
        <source>进度条</source>
        <translation>Ход выполнения</translation>
    </message>
    <message>
        <source>：</source>
        <translation>: </translation>
    </message>
    <message>
        <source>选择</source>
        <translation>Выбрать</translation>
    </message>
    <message>
        <source>诊断规则包导出成功！</source>
        <translation>Пакеты правил экспортированы.</translation>
    </message>
    <message>
        <source>诊断规则包导入成功！</source>
        <translation>Пакет правил импортирован.</translation>
    </message>
    <message>
        <source>诊断规则数据为空</source>
        <translation>Правил диагностики нет</translation>
    </message>
    <message>
        <source>退出成功</source>
        <translation>Остановлено</translation>
    </message>
    <message>
        <source>数据库库连接错误</source>
        <translation>Ошибка подключения к базе данных</translation>
    </message>
    <message>
        <source>Excel文件打开错误</source>
        <translation>Не удаётся открыть таблицу</translation>
    </message>
    <message>
        <source>压缩包打开错误</source>
        <translation>Не удаётся открыть пакет</translation>
    </message>
    <message>
        <source>压缩包创建失败</source>
        <translation>Не удаётся создать пакет</translation>
    </message>
    <message>
        <source>选择路径可用空间不足</source>
        <translation>Недостаточно свободного места</translation>
    </message>
    <message>
        <source>诊断规则Excel文件错误</source>
        <translation>В пакете нет таблицы правил</translation>
    </message>
    <message>
        <source>诊断规则Excel文件为空</source>
        <translation>Таблица правил пуста</translation>
    </message>
</context>
<context>
    <name>ItemTempRefreshChoice</name>
    <message>
        <source>更新频率：</source>
        <translation>Обновление: </translation>
    </message>
</context>
<context>
    <name>ItemToolbarNetDevice</name>
    <message>
        <source>近焦</source>
        <translation>Фокус ближе</translation>
    </message>
    <message>
        <source>远焦</source>
        <translation>Фокус дальше</translation>
    </message>
    <message>
        <source>变倍放大</source>
        <translation>Приблизить</translation>
    </message>
    <message>
        <source>变倍缩小</source>
        <translation>Отдалить</translation>
    </message>
    <message>
        <source>校正</source>
        <translation>Коррекция</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Задать</translation>
    </message>
    <message>
        <source>开始录像失败</source>
        <translation>Не удалось начать запись</translation>
    </message>
    <message>
        <source>录像文件创建失败</source>
        <translation>Не удалось создать файл записи</translation>
    </message>
    <message>
        <source>停止录像</source>
        <translation>Остановить запись</translation>
    </message>
    <message>
        <source>录像</source>
        <translation>Запись</translation>
    </message>
    <message>
        <source>录像保存路径不能为空</source>
        <translation>Папка записи не может быть пустой</translation>
    </message>
    <message>
        <source>请设置正确总录像时长</source>
        <translation>Задайте правильную общую длительность записи</translation>
    </message>
    <message>
        <source>录像设置</source>
        <translation>Настройки записи</translation>
    </message>
    <message>
        <source>左转90°</source>
        <translation>Влево на 90°</translation>
    </message>
    <message>
        <source>右转90°</source>
        <translation>Вправо на 90°</translation>
    </message>
    <message>
        <source>录像中，无法翻转图像！</source>
        <translation>Во время записи изображение нельзя повернуть!</translation>
    </message>
</context>
<context>
    <name>ItemToolbarPlayerCtrl</name>
    <message>
        <source>逐帧</source>
        <translation>Покадрово</translation>
    </message>
    <message>
        <source>最快</source>
        <translation>Максимально</translation>
    </message>
    <message>
        <source>顺序播放</source>
        <translation>По порядку</translation>
    </message>
    <message>
        <source>列表循环</source>
        <translation>Повтор списка</translation>
    </message>
    <message>
        <source>单个播放</source>
        <translation>Одно видео</translation>
    </message>
    <message>
        <source>单个循环</source>
        <translation>Повтор одного</translation>
    </message>
    <message>
        <source>首帧</source>
        <translation>Первый кадр</translation>
    </message>
    <message>
        <source>上一帧</source>
        <translation>Предыдущий кадр</translation>
    </message>
    <message>
        <source>暂停</source>
        <translation>Пауза</translation>
    </message>
    <message>
        <source>播放</source>
        <translation>Воспроизвести</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Стоп</translation>
    </message>
    <message>
        <source>下一帧</source>
        <translation>Следующий кадр</translation>
    </message>
    <message>
        <source>末帧</source>
        <translation>Последний кадр</translation>
    </message>
    <message>
        <source>视频剪辑</source>
        <translation>Вырезать клип</translation>
    </message>
</context>
<context>
    <name>ItemTrendCharts</name>
    <message>
        <source>添加此趋势分析将清除之前所有分析，是否继续？</source>
        <translation>Добавление этого тренда удалит все прежние анализы. Продолжить?</translation>
    </message>
</context>
<context>
    <name>ItemWarningConditionRow</name>
    <message>
        <source>清除</source>
        <translation>Очистить</translation>
    </message>
</context>
<context>
    <name>ItemWarningListRow</name>
    <message>
        <source>缺陷等级</source>
        <translation>Уровень дефекта</translation>
    </message>
    <message>
        <source>报警</source>
        <translation>Тревога</translation>
    </message>
    <message>
        <source>预警</source>
        <translation>Предупреждение</translation>
    </message>
</context>
<context>
    <name>ItemWndClient</name>
    <message>
        <source>打开图片…</source>
        <translation>Открыть снимок…</translation>
    </message>
    <message>
        <source>连接[%1]失败</source>
        <translation>Не удалось подключиться к [%1]</translation>
    </message>
</context>
<context>
    <name>ItemWndCopyTemp</name>
    <message>
        <source>复制温度成功</source>
        <translation>Температуры скопированы</translation>
    </message>
    <message>
        <source>复制温度失败</source>
        <translation>Не удалось скопировать температуры</translation>
    </message>
    <message>
        <source>复制温度</source>
        <translation>Копировать температуры</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>Копировать</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Отмена</translation>
    </message>
</context>
<context>
    <name>ItemWndIRImage</name>
    <message>
        <source>打开图片失败！</source>
        <translation>Не удалось открыть снимок!</translation>
    </message>
    <message>
        <source>保存图片失败</source>
        <translation>Не удалось сохранить снимок</translation>
    </message>
    <message>
        <source>保存国网图片失败！</source>
        <translation>Не удалось сохранить снимок в формате энергосети!</translation>
    </message>
    <message>
        <source>保存红外图片失败！</source>
        <translation>Не удалось сохранить ИК-снимок!</translation>
    </message>
    <message>
        <source>图片分析 </source>
        <translation>Анализ изображения </translation>
    </message>
    <message>
        <source>报告文件</source>
        <translation>Файлы отчётов</translation>
    </message>
    <message>
        <source>是否打开报告？</source>
        <translation>Открыть отчёт?</translation>
    </message>
    <message>
        <source>报告打印失败！！</source>
        <translation>Не удалось создать отчёт!!</translation>
    </message>
    <message>
        <source>打开word失败！</source>
        <translation>Не удалось запустить текстовый редактор!</translation>
    </message>
    <message>
        <source>报告模板添加失败！</source>
        <translation>Не удалось использовать шаблон отчёта!</translation>
    </message>
    <message>
        <source>报告插入图片失败！</source>
        <translation>Не удалось вставить изображение в отчёт!</translation>
    </message>
    <message>
        <source>报告打印失败！</source>
        <translation>Не удалось создать отчёт!</translation>
    </message>
    <message>
        <source>导入分析文件失败！</source>
        <translation>Не удалось импортировать файл анализа!</translation>
    </message>
    <message>
        <source>导出分析文件失败！</source>
        <translation>Не удалось экспортировать файл анализа!</translation>
    </message>
    <message>
        <source>导入分析文件成功！</source>
        <translation>Файл анализа импортирован.</translation>
    </message>
    <message>
        <source>导出分析文件成功！</source>
        <translation>Файл анализа экспортирован.</translation>
    </message>
    <message>
        <source>不能保存到本次操作正在读取的文件：%1</source>
        <translation>Нельзя сохранить в файл, который читает эта операция: %1</translation>
    </message>
</context>
<context>
    <name>ItemWndIRNetDevice</name>
    <message>
        <source>正在等待制冷中</source>
        <translation>Ожидание охлаждения детектора</translation>
    </message>
    <message>
        <source>自动切换测温挡中...</source>
        <translation>Переключение диапазона...</translation>
    </message>
    <message>
        <source>机芯温度</source>
        <translation>Температура модуля</translation>
    </message>
    <message>
        <source>主板温度</source>
        <translation>Температура платы</translation>
    </message>
    <message>
        <source>相机拒绝了该镜头或测温挡</source>
        <translation>Камера отклонила этот объектив или диапазон</translation>
    </message>
</context>
<context>
    <name>ItemWndIRPlayer</name>
    <message>
        <source>打开视频失败！</source>
        <translation>Не удалось открыть видео!</translation>
    </message>
    <message>
        <source>播放列表</source>
        <translation>Список воспроизведения</translation>
    </message>
    <message>
        <source>视频剪辑失败！</source>
        <translation>Не удалось вырезать клип!</translation>
    </message>
    <message>
        <source>视频剪辑完成！</source>
        <translation>Клип вырезан!</translation>
    </message>
    <message>
        <source>视频分析 </source>
        <translation>Анализ видео </translation>
    </message>
</context>
<context>
    <name>ItemWndIRTempFull</name>
    <message>
        <source> - 全屏温度</source>
        <translation> - Температуры всего кадра</translation>
    </message>
</context>
<context>
    <name>ItemWndIRTempSimplified</name>
    <message>
        <source> - 温度图像（预览分辨率：%1 x %2）</source>
        <translation> - Изображение температур (разрешение просмотра: %1 x %2)</translation>
    </message>
    <message>
        <source> - 温度图像（更新频率：2Hz，预览分辨率：%1 x %2）</source>
        <translation> - Изображение температур (частота обновления: 2 Гц, разрешение просмотра: %1 x %2)</translation>
    </message>
    <message>
        <source> - 温度图像</source>
        <translation> - Изображение температур</translation>
    </message>
</context>
<context>
    <name>ItemWndPixelRange</name>
    <message>
        <source>分析温度范围：</source>
        <translation>Диапазон объекта: </translation>
    </message>
    <message>
        <source>温度格式不正确，请重新设置！</source>
        <translation>Температуры заданы неверно, задайте заново!</translation>
    </message>
    <message>
        <source>已存在当前温度范围的像素数趋势曲线！</source>
        <translation>Кривая для этого диапазона уже есть!</translation>
    </message>
    <message>
        <source>像素数温度范围设置</source>
        <translation>Диапазоны числа пикселей</translation>
    </message>
    <message>
        <source>关注最小温度</source>
        <translation>Мин. фокуса</translation>
    </message>
    <message>
        <source>关注最大温度</source>
        <translation>Макс. фокуса</translation>
    </message>
    <message>
        <source>整体最小温度</source>
        <translation>Общий мин.</translation>
    </message>
    <message>
        <source>整体最大温度</source>
        <translation>Общий макс.</translation>
    </message>
    <message>
        <source>范围设置说明：</source>
        <translation>Правило: </translation>
    </message>
    <message>
        <source>整体最小温度 ≤ 关注最小温度 ≤ 关注最大温度 ≤ 整体最大温度</source>
        <translation>общий мин. ≤ мин. фокуса ≤ макс. фокуса ≤ общий макс.</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>ОК</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Отмена</translation>
    </message>
</context>
<context>
    <name>ItemWndPreview</name>
    <message>
        <source>不是红外视频文件</source>
        <translation>Не ИК-видеофайл</translation>
    </message>
    <message>
        <source>打开图片失败！</source>
        <translation>Не удалось открыть снимок!</translation>
    </message>
    <message>
        <source>未选择红外图片</source>
        <translation>Не выбран ни один ИК-снимок</translation>
    </message>
    <message>
        <source>全部生成报告</source>
        <translation>Отчёт по всем</translation>
    </message>
    <message>
        <source>生成报告</source>
        <translation>Отчёт</translation>
    </message>
</context>
<context>
    <name>ItemWndTempRange</name>
    <message>
        <source>温度范围设置</source>
        <translation>Диапазон температур</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>ОК</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Отмена</translation>
    </message>
</context>
<context>
    <name>ItemWndTrendChart</name>
    <message>
        <source>像素数趋势分析 %1</source>
        <translation>Тренд числа пикселей %1</translation>
    </message>
    <message>
        <source>温度趋势分析 %1</source>
        <translation>Тренд температуры %1</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>Копировать</translation>
    </message>
    <message>
        <source>成功</source>
        <translation>Готово</translation>
    </message>
    <message>
        <source>失败</source>
        <translation>Ошибка</translation>
    </message>
</context>
<context>
    <name>ItemWndTrendRecordSetting</name>
    <message>
        <source>帧温差</source>
        <translation>разность кадров</translation>
    </message>
    <message>
        <source>绝对值</source>
        <translation>модуль</translation>
    </message>
    <message>
        <source>采样条件设置</source>
        <translation>Условие записи</translation>
    </message>
    <message>
        <source>设备名称</source>
        <translation>Имя устройства</translation>
    </message>
    <message>
        <source>设置条件</source>
        <translation>Условие</translation>
    </message>
</context>
<context>
    <name>ItemWndVideoEdit</name>
    <message>
        <source>视频剪辑窗口</source>
        <translation>Редактор клипа</translation>
    </message>
    <message>
        <source>起始帧</source>
        <translation>Начало</translation>
    </message>
    <message>
        <source>结束帧</source>
        <translation>Конец</translation>
    </message>
    <message>
        <source>间隔</source>
        <translation>Интервал</translation>
    </message>
    <message>
        <source>当前帧</source>
        <translation>Текущий кадр</translation>
    </message>
    <message>
        <source>设为起始帧</source>
        <translation>Сделать началом</translation>
    </message>
    <message>
        <source>起始帧不能大于结束帧！</source>
        <translation>Начало не может быть после конца!</translation>
    </message>
    <message>
        <source>设为结束帧</source>
        <translation>Сделать концом</translation>
    </message>
    <message>
        <source>结束帧不能小于起始帧！</source>
        <translation>Конец не может быть до начала!</translation>
    </message>
    <message>
        <source>剪辑帧数</source>
        <translation>Кадров в клипе</translation>
    </message>
    <message>
        <source>剪辑文件数</source>
        <translation>Файлов клипа</translation>
    </message>
    <message>
        <source>剪辑</source>
        <translation>Вырезать</translation>
    </message>
    <message>
        <source>设备</source>
        <translation>Устройство</translation>
    </message>
</context>
<context>
    <name>ItemWndVideoEditProgress</name>
    <message>
        <source>视频剪辑中</source>
        <translation>Клип вырезается</translation>
    </message>
</context>
<context>
    <name>ItemWndWarningCondition</name>
    <message>
        <source>报警条件设置</source>
        <translation>Настройка условий тревоги</translation>
    </message>
    <message>
        <source>第%1行参数设置不正确，请修改！</source>
        <translation>Параметры в строке %1 заданы неверно, исправьте их!</translation>
    </message>
    <message>
        <source>第%1行的温度不是数值，请修改！</source>
        <translation>Температура в строке %1 не является числом, исправьте её!</translation>
    </message>
    <message>
        <source>报警判断方式</source>
        <translation>Способ оценки тревоги</translation>
    </message>
    <message>
        <source>满足所有条件</source>
        <translation>выполнены все условия</translation>
    </message>
    <message>
        <source>报警</source>
        <translation>Тревога</translation>
    </message>
    <message>
        <source>预警</source>
        <translation>Предупреждение</translation>
    </message>
    <message>
        <source>注：减号(-)表示两值差值的绝对值！</source>
        <translation>Примечание: минус (-) означает модуль разности двух значений!</translation>
    </message>
</context>
<context>
    <name>ModelIRInfo</name>
    <message>
        <source>FullScreen</source>
        <translation>Весь снимок</translation>
    </message>
</context>
<context>
    <name>SaveTarget</name>
    <message>
        <source>不能保存到本次操作正在读取的文件：%1</source>
        <translation>Нельзя сохранить в файл, который читает эта операция: %1</translation>
    </message>
</context>
<context>
    <name>ThreadIRReconnect</name>
    <message>
        <source>Connecting infrared device</source>
        <translation>Подключение ИК-камеры</translation>
    </message>
</context>
<context>
    <name>ThreadPrintReport</name>
    <message>
        <source>File %1 non-infrared image!</source>
        <translation>Файл %1 не является инфракрасным снимком!</translation>
    </message>
    <message>
        <source>File %1 modification and analysis successful!</source>
        <translation>Файл %1: анализы применены и сохранены.</translation>
    </message>
    <message>
        <source>File %1 modification analysis failed!!</source>
        <translation>Файл %1: не удалось сохранить анализы!</translation>
    </message>
    <message>
        <source>Saving file.</source>
        <translation>Сохранение файла.</translation>
    </message>
    <message>
        <source>Saving file %1 failed!</source>
        <translation>Не удалось сохранить файл %1!</translation>
    </message>
    <message>
        <source>File %1 is printed.</source>
        <translation>Файл %1 напечатан.</translation>
    </message>
</context>
<context>
    <name>WndChartArea</name>
    <message>
        <source>Analyze the histogram  Unit(Y: Percentage of temperature range; X: Celsius)</source>
        <translation>Гистограмма  Единицы (Y: доля диапазона температур; X: °C)</translation>
    </message>
    <message>
        <source>Max:</source>
        <translation>Макс.:</translation>
    </message>
    <message>
        <source>-Min:</source>
        <translation>-Мин.:</translation>
    </message>
    <message>
        <source>-Avg:</source>
        <translation>-Сред.:</translation>
    </message>
    <message>
        <source>Temperature range: </source>
        <translation>Диапазон: </translation>
    </message>
    <message>
        <source>Percentage: </source>
        <translation>Доля: </translation>
    </message>
    <message>
        <source>Points number: </source>
        <translation>Число точек: </translation>
    </message>
</context>
<context>
    <name>WndChartLine</name>
    <message>
        <source>Line analysis  Unit(Y: Celsius; X: Temperature point relative line analysis position)</source>
        <translation>Профиль линии  Единицы (Y: °C; X: положение точки на линии)</translation>
    </message>
    <message>
        <source>Temperature:</source>
        <translation>Температура:</translation>
    </message>
    <message>
        <source>Max:</source>
        <translation>Макс.:</translation>
    </message>
    <message>
        <source>-Min:</source>
        <translation>-Мин.:</translation>
    </message>
    <message>
        <source>-Avg:</source>
        <translation>-Сред.:</translation>
    </message>
</context>
<context>
    <name>WndChartTrend</name>
    <message>
        <source> Y: Percentage; X: first line, relative time(s); second line, absolute time</source>
        <translation> Y: значение; X: первая строка — относительное время (с), вторая — абсолютное время</translation>
    </message>
    <message>
        <source>-Max:</source>
        <translation>-Макс.:</translation>
    </message>
    <message>
        <source>-Min:</source>
        <translation>-Мин.:</translation>
    </message>
    <message>
        <source>-Avg:</source>
        <translation>-Сред.:</translation>
    </message>
    <message>
        <source> - Max </source>
        <translation> - Макс. </translation>
    </message>
    <message>
        <source> - Min </source>
        <translation> - Мин. </translation>
    </message>
    <message>
        <source> - Avg </source>
        <translation> - Сред. </translation>
    </message>
    <message>
        <source>Mark: </source>
        <translation>Метка: </translation>
    </message>
    <message>
        <source>Frame number:</source>
        <translation>Номер кадра:</translation>
    </message>
    <message>
        <source>Video time:</source>
        <translation>Время записи:</translation>
    </message>
    <message>
        <source>Device name:</source>
        <translation>Устройство:</translation>
    </message>
    <message>
        <source>Video name:</source>
        <translation>Запись:</translation>
    </message>
    <message>
        <source>Current frame time:</source>
        <translation>Время кадра:</translation>
    </message>
</context>
<context>
    <name>WndChartTrendPixel</name>
    <message>
        <source> Y: Percentage; X: first line, relative time(s); second line, absolute time</source>
        <translation> Y: значение; X: первая строка — относительное время (с), вторая — абсолютное время</translation>
    </message>
    <message>
        <source>Mark:</source>
        <translation>Метка:</translation>
    </message>
    <message>
        <source>Device name:</source>
        <translation>Устройство:</translation>
    </message>
    <message>
        <source>Video name:</source>
        <translation>Запись:</translation>
    </message>
    <message>
        <source>Video time:</source>
        <translation>Время записи:</translation>
    </message>
    <message>
        <source>Frame number:</source>
        <translation>Номер кадра:</translation>
    </message>
    <message>
        <source>Current frame time:</source>
        <translation>Время кадра:</translation>
    </message>
</context>
<context>
    <name>WndIRIsotherm</name>
    <message>
        <source>Isothrem - Min: </source>
        <translation>Изотерма - Мин: </translation>
    </message>
    <message>
        <source>Axis - Min: </source>
        <translation>Ось - Мин: </translation>
    </message>
    <message>
        <source> Max: </source>
        <translation> Макс: </translation>
    </message>
    <message>
        <source>Add new isothermal block</source>
        <translation>Добавить изотерму</translation>
    </message>
    <message>
        <source>Load isothermal file</source>
        <translation>Загрузить файл изотерм</translation>
    </message>
    <message>
        <source>No isothermal information for saving</source>
        <translation>Нет изотерм для сохранения</translation>
    </message>
    <message>
        <source>Save the isothermal information</source>
        <translation>Сохранить изотермы</translation>
    </message>
    <message>
        <source>Delete current isothermal analysis</source>
        <translation>Удалить текущую изотерму</translation>
    </message>
    <message>
        <source>Clear isothermal block</source>
        <translation>Очистить изотермы</translation>
    </message>
    <message>
        <source>Change current isothermal color</source>
        <translation>Изменить цвет изотермы</translation>
    </message>
    <message>
        <source>Edit current isothermal temperature range</source>
        <translation>Изменить диапазон температур изотермы</translation>
    </message>
    <message>
        <source>Opaque/Transparent</source>
        <translation>Непрозрачная/прозрачная</translation>
    </message>
    <message>
        <source> Span: </source>
        <translation> Диапазон: </translation>
    </message>
</context>
<context>
    <name>WndIRPalette</name>
    <message>
        <source>Auto</source>
        <translation>Авто</translation>
    </message>
</context>
<context>
    <name>WndIRReconnect</name>
    <message>
        <source>Success to connect</source>
        <translation>Подключено</translation>
    </message>
    <message>
        <source>Fail to connect</source>
        <translation>Не удалось подключиться</translation>
    </message>
</context>
<context>
    <name>WndIRShow</name>
    <message>
        <source>Infrared overall temperature</source>
        <translation>Температура всего кадра</translation>
    </message>
    <message>
        <source> temperature</source>
        <translation> — температура</translation>
    </message>
</context>
</TS>
