<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru" sourcelanguage="zh_CN">
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
</context>
</TS>
