<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>DataCommon</name>
    <message>
        <source>Korvane </source>
        <translation>Korvane </translation>
    </message>
    <message>
        <source>红外分析处理软件</source>
        <translation>Infrared analysis and processing software</translation>
    </message>
    <message>
        <source>Korvane红外科技有限公司</source>
        <translation>Korvane Infrared Technology Co., Ltd.</translation>
    </message>
</context>
<context>
    <name>GlobalFunction</name>
    <message>
        <source>未知</source>
        <translation>Unknown</translation>
    </message>
</context>
<context>
    <name>ItemCommonText</name>
    <message>
        <source>此功能尚未提供</source>
        <translation>This function is not available yet</translation>
    </message>
    <message>
        <source>我的电脑</source>
        <translation>My computer</translation>
    </message>
    <message>
        <source>文件预览</source>
        <translation>File preview</translation>
    </message>
    <message>
        <source>摄像机</source>
        <translation>Cameras</translation>
    </message>
    <message>
        <source>报告编辑</source>
        <translation>Report designer</translation>
    </message>
    <message>
        <source>诊断规则</source>
        <translation>Detection rules</translation>
    </message>
    <message>
        <source>关于</source>
        <translation>About</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>帮助</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>最大化</source>
        <translation>Maximize</translation>
    </message>
    <message>
        <source>还原</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>最小化</source>
        <translation>Minimize</translation>
    </message>
    <message>
        <source>系统提示</source>
        <translation>System message</translation>
    </message>
    <message>
        <source>分析添加方式</source>
        <translation>Adding analyses</translation>
    </message>
    <message>
        <source>单个</source>
        <translation>Single</translation>
    </message>
    <message>
        <source>多个</source>
        <translation>Multiple</translation>
    </message>
    <message>
        <source>图片标志</source>
        <translation>Logo on pictures</translation>
    </message>
    <message>
        <source>报告模板</source>
        <translation>Report template</translation>
    </message>
    <message>
        <source>默认</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>自定义</source>
        <translation>Custom</translation>
    </message>
    <message>
        <source>浏览</source>
        <translation>Browse</translation>
    </message>
    <message>
        <source>语言</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>：</source>
        <translation>: </translation>
    </message>
    <message>
        <source>图片分析</source>
        <translation>Picture analysis</translation>
    </message>
    <message>
        <source>视频分析</source>
        <translation>Video analysis</translation>
    </message>
    <message>
        <source>未知</source>
        <translation>Unknown</translation>
    </message>
    <message>
        <source>大小</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>分辨率</source>
        <translation>Resolution</translation>
    </message>
    <message>
        <source>拍摄时间</source>
        <translation>Taken</translation>
    </message>
    <message>
        <source>创建时间</source>
        <translation>Created</translation>
    </message>
    <message>
        <source>修改时间</source>
        <translation>Modified</translation>
    </message>
    <message>
        <source>开始时间</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>结束时间</source>
        <translation>End</translation>
    </message>
    <message>
        <source>当前时间</source>
        <translation>Current time</translation>
    </message>
    <message>
        <source>设备</source>
        <translation>Device</translation>
    </message>
    <message>
        <source>镜头类型</source>
        <translation>Lens type</translation>
    </message>
    <message>
        <source>镜头序列号</source>
        <translation>Lens serial number</translation>
    </message>
    <message>
        <source>测温范围</source>
        <translation>Measuring range</translation>
    </message>
    <message>
        <source>已选择%1个文件</source>
        <translation>%1 files selected</translation>
    </message>
    <message>
        <source>连接设备%1失败</source>
        <translation>Connecting to the device at %1 failed</translation>
    </message>
    <message>
        <source>无法创建%1的窗口</source>
        <translation>The window for %1 could not be created</translation>
    </message>
    <message>
        <source>版本</source>
        <translation>Version</translation>
    </message>
</context>
</TS>
