<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>ChartTrendInfo</name>
    <message>
        <source> Percentage: </source>
        <translation> Percentage: </translation>
    </message>
    <message>
        <source> Pixels number: </source>
        <translation> Pixels number: </translation>
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
    <name>IRBase</name>
    <message>
        <source>Image </source>
        <translation>Image </translation>
    </message>
    <message>
        <source>Video </source>
        <translation>Video </translation>
    </message>
</context>
<context>
    <name>IRCopyTemp</name>
    <message>
        <source>Emissivity</source>
        <translation>Emissivity</translation>
    </message>
    <message>
        <source>Distance</source>
        <translation>Distance</translation>
    </message>
    <message>
        <source>Environment temperature</source>
        <translation>Environment temperature</translation>
    </message>
    <message>
        <source>Relative humidity</source>
        <translation>Relative humidity</translation>
    </message>
    <message>
        <source>Infrared overall temperature</source>
        <translation>Infrared overall temperature</translation>
    </message>
    <message>
        <source>Resolution( width, height )</source>
        <translation>Resolution( width, height )</translation>
    </message>
    <message>
        <source>Maximum temperature</source>
        <translation>Maximum temperature</translation>
    </message>
    <message>
        <source>Minimum temperature</source>
        <translation>Minimum temperature</translation>
    </message>
    <message>
        <source>(width, height)</source>
        <translation>(width, height)</translation>
    </message>
    <message>
        <source>Pixels number</source>
        <translation>Pixels number</translation>
    </message>
    <message>
        <source>Cursor(X,Y),Temperature</source>
        <translation>Cursor(X,Y),Temperature</translation>
    </message>
    <message>
        <source>Position(X,Y)</source>
        <translation>Position(X,Y)</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>Average temperature</source>
        <translation>Average temperature</translation>
    </message>
</context>
<context>
    <name>IRNetDevice</name>
    <message>
        <source>Please select a video storage path!</source>
        <translation>Please select a video storage path!</translation>
    </message>
    <message>
        <source>The free disk space less than 2GB. Please re-select another storage disk!</source>
        <translation>The free disk space is less than 2 GB. Please select another storage disk!</translation>
    </message>
</context>
<context>
    <name>ItemAreaChartArea</name>
    <message>
        <source>区域个数</source>
        <translation>Bins</translation>
    </message>
    <message>
        <source>分析列表（只能单选）</source>
        <translation>Analyses (choose one)</translation>
    </message>
</context>
<context>
    <name>ItemAreaChartLine</name>
    <message>
        <source>分析列表（可以多选）</source>
        <translation>Analyses (choose several)</translation>
    </message>
</context>
<context>
    <name>ItemAreaComputerPath</name>
    <message>
        <source>桌面</source>
        <translation>Desktop</translation>
    </message>
</context>
<context>
    <name>ItemAreaDevicePreview</name>
    <message>
        <source>序列号</source>
        <translation>Serial number</translation>
    </message>
    <message>
        <source>地址</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>软件版本</source>
        <translation>Software version</translation>
    </message>
    <message>
        <source>系统版本</source>
        <translation>System version</translation>
    </message>
</context>
<context>
    <name>ItemAreaIRIsotherm</name>
    <message>
        <source>加载等温分析文件失败！</source>
        <translation>Failed to load the isotherm file!</translation>
    </message>
    <message>
        <source>保存等温分析文件失败！</source>
        <translation>Failed to save the isotherm file!</translation>
    </message>
    <message>
        <source>选择导出的等温分析文件</source>
        <translation>Choose the isotherm file to export</translation>
    </message>
    <message>
        <source>选择导入的等温分析文件</source>
        <translation>Choose the isotherm file to import</translation>
    </message>
    <message>
        <source>等温分析文件 (*.is)</source>
        <translation>Isotherm files (*.is)</translation>
    </message>
</context>
<context>
    <name>ItemAreaPicPreview</name>
    <message>
        <source>图片</source>
        <translation>Pictures</translation>
    </message>
    <message>
        <source>视频</source>
        <translation>Videos</translation>
    </message>
    <message>
        <source>当前目录：</source>
        <translation>Current folder: </translation>
    </message>
</context>
<context>
    <name>ItemAreaPropertyIR</name>
    <message>
        <source>最高温: </source>
        <translation>Max temp: </translation>
    </message>
    <message>
        <source>最低温: </source>
        <translation>Min temp: </translation>
    </message>
    <message>
        <source>最高</source>
        <translation>Max</translation>
    </message>
    <message>
        <source>最低</source>
        <translation>Min</translation>
    </message>
    <message>
        <source>平均</source>
        <translation>Avg</translation>
    </message>
    <message>
        <source>参数设置</source>
        <translation>Parameters</translation>
    </message>
    <message>
        <source>分析对象</source>
        <translation>Analysis objects</translation>
    </message>
    <message>
        <source>数值超出范围，未被采用</source>
        <translation>Value out of range: not applied</translation>
    </message>
</context>
<context>
    <name>ItemAreaWarning</name>
    <message>
        <source>报警信息</source>
        <translation>Alarm information</translation>
    </message>
    <message>
        <source>关联诊断规则</source>
        <translation>Link a diagnosis rule</translation>
    </message>
    <message>
        <source>增加报警条件</source>
        <translation>Add an alarm condition</translation>
    </message>
    <message>
        <source>清空</source>
        <translation>Clear all</translation>
    </message>
    <message>
        <source>清空报警条件列表</source>
        <translation>Clear the alarm condition list</translation>
    </message>
    <message>
        <source>抓拍路径: </source>
        <translation>Snapshot folder: </translation>
    </message>
</context>
<context>
    <name>ItemBatchText</name>
    <message>
        <source>打印报告</source>
        <translation>Print report</translation>
    </message>
    <message>
        <source>打开报告</source>
        <translation>Open report</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>选择打印报告文件</source>
        <translation>Choose the report file to print</translation>
    </message>
    <message>
        <source>报告文件</source>
        <translation>Report files</translation>
    </message>
    <message>
        <source>报告打印退出成功</source>
        <translation>Report printing stopped</translation>
    </message>
    <message>
        <source>默认模板设置错误!</source>
        <translation>The report template setting is wrong!</translation>
    </message>
    <message>
        <source>打开word失败！</source>
        <translation>Could not start the word processor!</translation>
    </message>
    <message>
        <source>打开模板文件失败!</source>
        <translation>Could not open the template file!</translation>
    </message>
    <message>
        <source>没有红外图片!</source>
        <translation>No infrared picture!</translation>
    </message>
    <message>
        <source>报告保存失败!</source>
        <translation>The report could not be saved!</translation>
    </message>
    <message>
        <source>报告打印完成</source>
        <translation>Report printing completed</translation>
    </message>
    <message>
        <source>批量应用分析</source>
        <translation>Apply analyses to many pictures</translation>
    </message>
    <message>
        <source>分析列表</source>
        <translation>Analyses</translation>
    </message>
    <message>
        <source>批量修改</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>选择需要批量分析的图片</source>
        <translation>Choose the pictures to analyse</translation>
    </message>
    <message>
        <source>图片</source>
        <translation>Pictures</translation>
    </message>
    <message>
        <source>批量修改分析结束</source>
        <translation>Batch analysis finished</translation>
    </message>
    <message>
        <source>当前图片没有分析</source>
        <translation>The current picture has no analyses</translation>
    </message>
</context>
<context>
    <name>ItemChartTempSetting</name>
    <message>
        <source>温度范围设置</source>
        <translation>Temperature range</translation>
    </message>
    <message>
        <source>自动</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>手动（最小间隔1度）</source>
        <translation>Manual (min. 1° apart)</translation>
    </message>
</context>
<context>
    <name>ItemChartTrendList</name>
    <message>
        <source>分析列表</source>
        <translation>Analyses</translation>
    </message>
</context>
<context>
    <name>ItemCommonDef</name>
    <message>
        <source>添加点分析</source>
        <translation>Add point analysis</translation>
    </message>
    <message>
        <source>添加线分析</source>
        <translation>Add line analysis</translation>
    </message>
    <message>
        <source>添加矩形分析</source>
        <translation>Add rectangle analysis</translation>
    </message>
    <message>
        <source>添加椭圆分析</source>
        <translation>Add ellipse analysis</translation>
    </message>
    <message>
        <source>添加多边形分析</source>
        <translation>Add polygon analysis</translation>
    </message>
    <message>
        <source>添加折线分析</source>
        <translation>Add polyline analysis</translation>
    </message>
    <message>
        <source>删除分析</source>
        <translation>Delete analysis</translation>
    </message>
    <message>
        <source>删除全部分析</source>
        <translation>Delete all analyses</translation>
    </message>
    <message>
        <source>导入分析</source>
        <translation>Import analyses</translation>
    </message>
    <message>
        <source>导出分析</source>
        <translation>Export analyses</translation>
    </message>
    <message>
        <source>等温线</source>
        <translation>Isotherms</translation>
    </message>
    <message>
        <source>显示鼠标温度</source>
        <translation>Show temperature under the mouse</translation>
    </message>
    <message>
        <source>显示最高温</source>
        <translation>Show maximum temperature</translation>
    </message>
    <message>
        <source>显示最低温</source>
        <translation>Show minimum temperature</translation>
    </message>
    <message>
        <source>折线图</source>
        <translation>Line chart</translation>
    </message>
    <message>
        <source>直方图</source>
        <translation>Histogram</translation>
    </message>
    <message>
        <source>温度趋势</source>
        <translation>Temperature trend</translation>
    </message>
    <message>
        <source>复制温度</source>
        <translation>Copy temperatures</translation>
    </message>
    <message>
        <source>温度表</source>
        <translation>Temperature table</translation>
    </message>
    <message>
        <source>温度预览</source>
        <translation>Temperature preview</translation>
    </message>
    <message>
        <source>截图</source>
        <translation>Snapshot</translation>
    </message>
    <message>
        <source>图像增强</source>
        <translation>Image enhancement</translation>
    </message>
    <message>
        <source>原始大小</source>
        <translation>Original size</translation>
    </message>
    <message>
        <source>缩小</source>
        <translation>Zoom out</translation>
    </message>
    <message>
        <source>放大</source>
        <translation>Zoom in</translation>
    </message>
    <message>
        <source>上一张</source>
        <translation>Previous picture</translation>
    </message>
    <message>
        <source>下一张</source>
        <translation>Next picture</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>另存为</source>
        <translation>Save as</translation>
    </message>
    <message>
        <source>向左旋转90度</source>
        <translation>Rotate 90 degrees left</translation>
    </message>
    <message>
        <source>向右旋转90度</source>
        <translation>Rotate 90 degrees right</translation>
    </message>
    <message>
        <source>生成报告</source>
        <translation>Create report</translation>
    </message>
    <message>
        <source>全屏</source>
        <translation>Full screen</translation>
    </message>
    <message>
        <source>删除图片</source>
        <translation>Delete picture</translation>
    </message>
    <message>
        <source>播放</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>暂停</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>第一帧</source>
        <translation>First frame</translation>
    </message>
    <message>
        <source>上一帧</source>
        <translation>Previous frame</translation>
    </message>
    <message>
        <source>下一帧</source>
        <translation>Next frame</translation>
    </message>
    <message>
        <source>最后一帧</source>
        <translation>Last frame</translation>
    </message>
    <message>
        <source>调色板</source>
        <translation>Palette</translation>
    </message>
    <message>
        <source>抓拍</source>
        <translation>Capture picture</translation>
    </message>
    <message>
        <source>批量分析</source>
        <translation>Batch analysis</translation>
    </message>
    <message>
        <source>顺序播放</source>
        <translation>Play in order</translation>
    </message>
    <message>
        <source>列表循环</source>
        <translation>Repeat list</translation>
    </message>
    <message>
        <source>单个播放</source>
        <translation>Play one</translation>
    </message>
    <message>
        <source>单个循环</source>
        <translation>Repeat one</translation>
    </message>
    <message>
        <source>左上</source>
        <translation>Up left</translation>
    </message>
    <message>
        <source>上</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>右上</source>
        <translation>Up right</translation>
    </message>
    <message>
        <source>左</source>
        <translation>Left</translation>
    </message>
    <message>
        <source>右</source>
        <translation>Right</translation>
    </message>
    <message>
        <source>左下</source>
        <translation>Down left</translation>
    </message>
    <message>
        <source>下</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>右下</source>
        <translation>Down right</translation>
    </message>
    <message>
        <source>近焦</source>
        <translation>Focus near</translation>
    </message>
    <message>
        <source>远焦</source>
        <translation>Focus far</translation>
    </message>
    <message>
        <source>变倍放大</source>
        <translation>Zoom lens in</translation>
    </message>
    <message>
        <source>变倍缩小</source>
        <translation>Zoom lens out</translation>
    </message>
    <message>
        <source>校正</source>
        <translation>Correction</translation>
    </message>
    <message>
        <source>视频剪辑</source>
        <translation>Edit video</translation>
    </message>
    <message>
        <source>打开报告</source>
        <translation>Open report</translation>
    </message>
    <message>
        <source>保存报告</source>
        <translation>Save report</translation>
    </message>
    <message>
        <source>报告另存为</source>
        <translation>Save report as</translation>
    </message>
    <message>
        <source>选择</source>
        <translation>Select</translation>
    </message>
    <message>
        <source>添加图片</source>
        <translation>Add picture</translation>
    </message>
    <message>
        <source>添加表格</source>
        <translation>Add table</translation>
    </message>
    <message>
        <source>添加标记</source>
        <translation>Add mark</translation>
    </message>
    <message>
        <source>添加文本</source>
        <translation>Add text</translation>
    </message>
    <message>
        <source>加粗</source>
        <translation>Bold</translation>
    </message>
    <message>
        <source>斜体</source>
        <translation>Italic</translation>
    </message>
    <message>
        <source>下划线</source>
        <translation>Underline</translation>
    </message>
    <message>
        <source>左对齐</source>
        <translation>Align text left</translation>
    </message>
    <message>
        <source>居中</source>
        <translation>Centre text</translation>
    </message>
    <message>
        <source>右对齐</source>
        <translation>Align text right</translation>
    </message>
    <message>
        <source>组件左对齐</source>
        <translation>Align left</translation>
    </message>
    <message>
        <source>组件右对齐</source>
        <translation>Align right</translation>
    </message>
    <message>
        <source>顶端对齐</source>
        <translation>Align top</translation>
    </message>
    <message>
        <source>底端对齐</source>
        <translation>Align bottom</translation>
    </message>
    <message>
        <source>垂直居中</source>
        <translation>Centre vertically</translation>
    </message>
    <message>
        <source>水平居中</source>
        <translation>Centre horizontally</translation>
    </message>
    <message>
        <source>纵向分布</source>
        <translation>Distribute vertically</translation>
    </message>
    <message>
        <source>横向分布</source>
        <translation>Distribute horizontally</translation>
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
    <message>
        <source>导入等温线</source>
        <translation>Import isotherms</translation>
    </message>
    <message>
        <source>导出等温线</source>
        <translation>Export isotherms</translation>
    </message>
    <message>
        <source>导入分析文件</source>
        <translation>Import analysis file</translation>
    </message>
    <message>
        <source>导出分析文件</source>
        <translation>Export analysis file</translation>
    </message>
    <message>
        <source>导出报告</source>
        <translation>Export report</translation>
    </message>
    <message>
        <source>保存图片</source>
        <translation>Save picture</translation>
    </message>
    <message>
        <source>保存SGCC图片</source>
        <translation>Save SGCC picture</translation>
    </message>
    <message>
        <source>保存视频片段</source>
        <translation>Save video clip</translation>
    </message>
    <message>
        <source>打开视频</source>
        <translation>Open recordings</translation>
    </message>
    <message>
        <source>导入诊断规则</source>
        <translation>Import detection rules</translation>
    </message>
    <message>
        <source>选择红外图片</source>
        <translation>Choose an IR picture</translation>
    </message>
    <message>
        <source>选择导出文件夹</source>
        <translation>Choose the export folder</translation>
    </message>
    <message>
        <source>选择报警图片文件夹</source>
        <translation>Choose the folder for alarm pictures</translation>
    </message>
    <message>
        <source>保存报告</source>
        <translation>Save report</translation>
    </message>
    <message>
        <source>打开报告布局</source>
        <translation>Open report layout</translation>
    </message>
    <message>
        <source>打开图片</source>
        <translation>Open picture</translation>
    </message>
    <message>
        <source>选择批量分析图片</source>
        <translation>Choose pictures for batch analysis</translation>
    </message>
    <message>
        <source>等温线文件</source>
        <translation>Isotherm file</translation>
    </message>
    <message>
        <source>分析文件</source>
        <translation>Analysis file</translation>
    </message>
    <message>
        <source>Word文档</source>
        <translation>Word document</translation>
    </message>
    <message>
        <source>Word模板</source>
        <translation>Word template</translation>
    </message>
    <message>
        <source>红外图片</source>
        <translation>IR picture</translation>
    </message>
    <message>
        <source>SGCC红外图片</source>
        <translation>SGCC IR picture</translation>
    </message>
    <message>
        <source>红外视频</source>
        <translation>IR recording</translation>
    </message>
    <message>
        <source>H264视频</source>
        <translation>H.264 video</translation>
    </message>
    <message>
        <source>AVI视频</source>
        <translation>AVI video</translation>
    </message>
    <message>
        <source>诊断规则包</source>
        <translation>Detection rule package</translation>
    </message>
    <message>
        <source>图片</source>
        <translation>Pictures</translation>
    </message>
    <message>
        <source>报告布局</source>
        <translation>Report layout</translation>
    </message>
    <message>
        <source>模板%1保存成功</source>
        <translation>Template %1 saved</translation>
    </message>
    <message>
        <source>模板%1保存失败</source>
        <translation>Failed to save template %1</translation>
    </message>
    <message>
        <source>报告%1保存成功，是否打开？</source>
        <translation>Report %1 saved. Open it?</translation>
    </message>
    <message>
        <source>报告%1保存失败</source>
        <translation>Failed to save report %1</translation>
    </message>
    <message>
        <source>打开模板%1失败</source>
        <translation>Failed to open template %1</translation>
    </message>
    <message>
        <source>关联...</source>
        <translation>Connect...</translation>
    </message>
    <message>
        <source>插入</source>
        <translation>Insert</translation>
    </message>
    <message>
        <source>打开文件</source>
        <translation>Open file</translation>
    </message>
    <message>
        <source>设为标志</source>
        <translation>Set as logo</translation>
    </message>
    <message>
        <source>取消标志</source>
        <translation>Cancel logo</translation>
    </message>
    <message>
        <source>删除当前行</source>
        <translation>Delete current row</translation>
    </message>
    <message>
        <source>删除当前列</source>
        <translation>Delete current column</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>无</source>
        <translation>None</translation>
    </message>
    <message>
        <source>标记无效</source>
        <translation>Mark unused</translation>
    </message>
    <message>
        <source>分析</source>
        <translation>Analysis</translation>
    </message>
    <message>
        <source>最高温减去</source>
        <translation>Max temperature minus </translation>
    </message>
    <message>
        <source>标记设置</source>
        <translation>Mark setting</translation>
    </message>
    <message>
        <source>标记格式错误</source>
        <translation>Mark format error</translation>
    </message>
    <message>
        <source>标记名称错误：</source>
        <translation>Mark name error: </translation>
    </message>
</context>
<context>
    <name>ItemContentChartRecordCondition</name>
    <message>
        <source>帧温差</source>
        <translation>frame difference</translation>
    </message>
    <message>
        <source>绝对值</source>
        <translation>absolute</translation>
    </message>
    <message>
        <source>全屏</source>
        <translation>Full screen</translation>
    </message>
    <message>
        <source>未开始趋势分析！</source>
        <translation>No trend analysis started!</translation>
    </message>
    <message>
        <source>采样条件（不能为空）</source>
        <translation>Sampling (required)</translation>
    </message>
    <message>
        <source>秒/帧</source>
        <translation>s/frame</translation>
    </message>
</context>
<context>
    <name>ItemContentIRAnaSetting</name>
    <message>
        <source>别名不能为空！</source>
        <translation>The alias must not be empty!</translation>
    </message>
    <message>
        <source>别名过长！</source>
        <translation>The alias is too long!</translation>
    </message>
    <message>
        <source>别名重复！</source>
        <translation>The alias is already in use!</translation>
    </message>
    <message>
        <source>分析别名：</source>
        <translation>Alias: </translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>显示温度</source>
        <translation>Show temperature</translation>
    </message>
    <message>
        <source>最高温</source>
        <translation>Max temperature</translation>
    </message>
    <message>
        <source>最低温</source>
        <translation>Min temperature</translation>
    </message>
    <message>
        <source>平均温</source>
        <translation>Average temperature</translation>
    </message>
    <message>
        <source>独立参数</source>
        <translation>Own parameters</translation>
    </message>
    <message>
        <source>发射率</source>
        <translation>Emissivity</translation>
    </message>
    <message>
        <source>距离(m)</source>
        <translation>Distance (m)</translation>
    </message>
    <message>
        <source>最高点</source>
        <translation>Hottest spot</translation>
    </message>
    <message>
        <source>最低点</source>
        <translation>Coldest spot</translation>
    </message>
    <message>
        <source>光标</source>
        <translation>Cursor</translation>
    </message>
    <message>
        <source>独立调色板</source>
        <translation>Own palette</translation>
    </message>
    <message>
        <source>线条颜色</source>
        <translation>Line colour</translation>
    </message>
</context>
<context>
    <name>ItemContentIRLensSetting</name>
    <message>
        <source>镜头与测温挡</source>
        <translation>Lens and measuring range</translation>
    </message>
    <message>
        <source>自动切换测温挡</source>
        <translation>Automatic range</translation>
    </message>
</context>
<context>
    <name>ItemContentIRParamSetting</name>
    <message>
        <source>发射率</source>
        <translation>Emissivity</translation>
    </message>
    <message>
        <source>距离(m)</source>
        <translation>Distance (m)</translation>
    </message>
    <message>
        <source>环境温度</source>
        <translation>Ambient temperature</translation>
    </message>
    <message>
        <source>反射温度</source>
        <translation>Reflected temperature</translation>
    </message>
    <message>
        <source>相对湿度(%)</source>
        <translation>Relative humidity (%)</translation>
    </message>
    <message>
        <source>修正温度</source>
        <translation>Correction</translation>
    </message>
    <message>
        <source>恢复默认参数</source>
        <translation>Restore defaults</translation>
    </message>
</context>
<context>
    <name>ItemContentIRPicSetting</name>
    <message>
        <source>语音备注</source>
        <translation>Voice note</translation>
    </message>
    <message>
        <source>播放</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>播放录音</source>
        <translation>Play the recording</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>删除录音</source>
        <translation>Delete the recording</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>录音</source>
        <translation>Record</translation>
    </message>
    <message>
        <source>结束录音(最大支持30s)</source>
        <translation>Stop recording (30 s at most)</translation>
    </message>
    <message>
        <source>开始录音(最大支持30s)</source>
        <translation>Start recording (30 s at most)</translation>
    </message>
    <message>
        <source>无</source>
        <translation>None</translation>
    </message>
    <message>
        <source>晴朗</source>
        <translation>Sunny</translation>
    </message>
    <message>
        <source>多云</source>
        <translation>Cloudy</translation>
    </message>
    <message>
        <source>小雨</source>
        <translation>Drizzle</translation>
    </message>
    <message>
        <source>中雨</source>
        <translation>Rain</translation>
    </message>
    <message>
        <source>大雨</source>
        <translation>Heavy rain</translation>
    </message>
    <message>
        <source>雾</source>
        <translation>Fog</translation>
    </message>
    <message>
        <source>雪</source>
        <translation>Snow</translation>
    </message>
    <message>
        <source>现场信息</source>
        <translation>Site data</translation>
    </message>
    <message>
        <source>天气</source>
        <translation>Weather</translation>
    </message>
    <message>
        <source>风速(m/s)</source>
        <translation>Wind speed (m/s)</translation>
    </message>
    <message>
        <source>运行电压(kV)</source>
        <translation>Voltage (kV)</translation>
    </message>
    <message>
        <source>负荷电流(A)</source>
        <translation>Load current (A)</translation>
    </message>
    <message>
        <source>文字备注</source>
        <translation>Text note</translation>
    </message>
    <message>
        <source>位置</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>预置位</source>
        <translation>Preset</translation>
    </message>
    <message>
        <source>无法开始录音！</source>
        <translation>Recording could not start!</translation>
    </message>
</context>
<context>
    <name>ItemContentIRRecordingSetting</name>
    <message>
        <source>录像设置</source>
        <translation>Recording settings</translation>
    </message>
    <message>
        <source>保存路径</source>
        <translation>Save folder</translation>
    </message>
    <message>
        <source>剩余空间</source>
        <translation>Free space</translation>
    </message>
    <message>
        <source>单个文件大小</source>
        <translation>Single file size</translation>
    </message>
    <message>
        <source>帧率</source>
        <translation>Frame rate</translation>
    </message>
    <message>
        <source>实时</source>
        <translation>Real time</translation>
    </message>
    <message>
        <source>文件类型</source>
        <translation>File type</translation>
    </message>
    <message>
        <source>总录像时长</source>
        <translation>Total duration</translation>
    </message>
    <message>
        <source>无限制</source>
        <translation>Unlimited</translation>
    </message>
    <message>
        <source>分钟</source>
        <translation>minutes</translation>
    </message>
    <message>
        <source>空间不足时</source>
        <translation>When space runs short</translation>
    </message>
    <message>
        <source>停止录像 </source>
        <translation>Stop recording </translation>
    </message>
    <message>
        <source>删除最早视频</source>
        <translation>Delete the oldest videos</translation>
    </message>
    <message>
        <source>录像存储空间需（大于2GB）</source>
        <translation>Recording needs more than 2 GB of free space</translation>
    </message>
    <message>
        <source>录像保存路径</source>
        <translation>Recording folder</translation>
    </message>
</context>
<context>
    <name>ItemContentPathHistory</name>
    <message>
        <source>最近访问</source>
        <translation>Recent folders</translation>
    </message>
</context>
<context>
    <name>ItemContentPtzCtrl</name>
    <message>
        <source>设置预置点</source>
        <translation>Set preset</translation>
    </message>
    <message>
        <source>切换预置点</source>
        <translation>Go to preset</translation>
    </message>
    <message>
        <source>云台速度</source>
        <translation>Pan-tilt speed</translation>
    </message>
    <message>
        <source>设置水平速度</source>
        <translation>Set pan speed</translation>
    </message>
    <message>
        <source>设置垂直速度</source>
        <translation>Set tilt speed</translation>
    </message>
    <message>
        <source>雨刷开</source>
        <translation>Wiper on</translation>
    </message>
    <message>
        <source>雨刷关</source>
        <translation>Wiper off</translation>
    </message>
</context>
<context>
    <name>ItemCoverPlainImage</name>
    <message>
        <source>非红外图片，红外相关控制无效！</source>
        <translation>Not an infrared picture: infrared controls do not apply!</translation>
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
        <translation>Average</translation>
    </message>
    <message>
        <source>温度趋势分析</source>
        <translation>Temperature trend</translation>
    </message>
    <message>
        <source>新建温度趋势分析</source>
        <translation>New temperature trend</translation>
    </message>
    <message>
        <source>像素数趋势分析</source>
        <translation>Pixel count trend</translation>
    </message>
    <message>
        <source>新建像素数趋势分析</source>
        <translation>New pixel count trend</translation>
    </message>
</context>
<context>
    <name>ItemIRToolButtonSearch</name>
    <message>
        <source>搜索</source>
        <translation>Search</translation>
    </message>
</context>
<context>
    <name>ItemListIRPicCtrl</name>
    <message>
        <source>上一张</source>
        <translation>Previous</translation>
    </message>
    <message>
        <source>下一张</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>左转90°</source>
        <translation>Rotate left 90°</translation>
    </message>
    <message>
        <source>右转90°</source>
        <translation>Rotate right 90°</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>另存为</source>
        <translation>Save as</translation>
    </message>
    <message>
        <source>报告</source>
        <translation>Report</translation>
    </message>
</context>
<context>
    <name>ItemListIRToolbar</name>
    <message>
        <source>点</source>
        <translation>Point</translation>
    </message>
    <message>
        <source>线</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>矩形</source>
        <translation>Rectangle</translation>
    </message>
    <message>
        <source>椭圆</source>
        <translation>Ellipse</translation>
    </message>
    <message>
        <source>多边形</source>
        <translation>Polygon</translation>
    </message>
    <message>
        <source>折线</source>
        <translation>Polyline</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>清空</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>鼠标温度</source>
        <translation>Cursor temp</translation>
    </message>
    <message>
        <source>最高点</source>
        <translation>Hottest spot</translation>
    </message>
    <message>
        <source>最低点</source>
        <translation>Coldest spot</translation>
    </message>
    <message>
        <source>线分析图</source>
        <translation>Line chart</translation>
    </message>
    <message>
        <source>直方图</source>
        <translation>Histogram</translation>
    </message>
    <message>
        <source>等温</source>
        <translation>Isotherm</translation>
    </message>
    <message>
        <source>调色板</source>
        <translation>Palette</translation>
    </message>
    <message>
        <source>复制温度</source>
        <translation>Copy temperatures</translation>
    </message>
    <message>
        <source>温度表</source>
        <translation>Temperature table</translation>
    </message>
    <message>
        <source>温度图像</source>
        <translation>Temperature image</translation>
    </message>
    <message>
        <source>批量分析</source>
        <translation>Batch analysis</translation>
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
        <translation>Imaging</translation>
    </message>
</context>
<context>
    <name>ItemListIRVideo</name>
    <message>
        <source>视频标注</source>
        <translation>Video marks</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>趋势分析中，无法添加视频标注！</source>
        <translation>A trend analysis is running: video marks cannot be added!</translation>
    </message>
    <message>
        <source>趋势分析中，无法删除视频标注！</source>
        <translation>A trend analysis is running: video marks cannot be deleted!</translation>
    </message>
    <message>
        <source>趋势分析中，无法编辑视频标注！</source>
        <translation>A trend analysis is running: video marks cannot be edited!</translation>
    </message>
    <message>
        <source>编辑</source>
        <translation>Edit</translation>
    </message>
</context>
<context>
    <name>ItemListTrendChart</name>
    <message>
        <source>添加失败！</source>
        <translation>Adding failed!</translation>
    </message>
</context>
<context>
    <name>ItemMenuImaging</name>
    <message>
        <source>图像增强</source>
        <translation>Image enhancement</translation>
    </message>
    <message>
        <source>室内模式</source>
        <translation>Indoor mode</translation>
    </message>
    <message>
        <source>室外模式</source>
        <translation>Outdoor mode</translation>
    </message>
</context>
<context>
    <name>ItemReportText</name>
    <message>
        <source>常规</source>
        <translation>General</translation>
    </message>
    <message>
        <source>字体</source>
        <translation>Font</translation>
    </message>
    <message>
        <source>标记</source>
        <translation>Mark</translation>
    </message>
    <message>
        <source>图片参数</source>
        <translation>Picture parameters</translation>
    </message>
    <message>
        <source>字体名称</source>
        <translation>Family</translation>
    </message>
    <message>
        <source>字号</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>粗体</source>
        <translation>Bold</translation>
    </message>
    <message>
        <source>斜体</source>
        <translation>Italic</translation>
    </message>
    <message>
        <source>下划线</source>
        <translation>Underline</translation>
    </message>
    <message>
        <source>左对齐</source>
        <translation>Align left</translation>
    </message>
    <message>
        <source>居中</source>
        <translation>Centre</translation>
    </message>
    <message>
        <source>右对齐</source>
        <translation>Align right</translation>
    </message>
    <message>
        <source>标记值</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>标记含义</source>
        <translation>Meaning</translation>
    </message>
    <message>
        <source>标记文本</source>
        <translation>Mark text</translation>
    </message>
    <message>
        <source>选择标记...</source>
        <translation>Choose mark...</translation>
    </message>
    <message>
        <source>在上方插入行</source>
        <translation>Insert row above</translation>
    </message>
    <message>
        <source>在下方插入行</source>
        <translation>Insert row below</translation>
    </message>
    <message>
        <source>在左侧插入列</source>
        <translation>Insert column left</translation>
    </message>
    <message>
        <source>在右侧插入列</source>
        <translation>Insert column right</translation>
    </message>
    <message>
        <source>调色板</source>
        <translation>Palette</translation>
    </message>
    <message>
        <source>图片/分析</source>
        <translation>Picture / analysis</translation>
    </message>
    <message>
        <source>字段</source>
        <translation>Field</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>最高温</source>
        <translation>Max temperature</translation>
    </message>
    <message>
        <source>最低温</source>
        <translation>Min temperature</translation>
    </message>
    <message>
        <source>平均温</source>
        <translation>Average temperature</translation>
    </message>
    <message>
        <source>标题</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>拍摄日期</source>
        <translation>Recording date</translation>
    </message>
    <message>
        <source>拍摄时间</source>
        <translation>Recording time</translation>
    </message>
    <message>
        <source>运行电压</source>
        <translation>Running voltage</translation>
    </message>
    <message>
        <source>负荷电流</source>
        <translation>Load current</translation>
    </message>
    <message>
        <source>发射率</source>
        <translation>Emissivity</translation>
    </message>
    <message>
        <source>距离</source>
        <translation>Distance</translation>
    </message>
    <message>
        <source>环境温度</source>
        <translation>Ambient temperature</translation>
    </message>
    <message>
        <source>相对湿度</source>
        <translation>Relative humidity</translation>
    </message>
    <message>
        <source>全屏最高温</source>
        <translation>Full-screen max temperature</translation>
    </message>
    <message>
        <source>全屏最低温</source>
        <translation>Full-screen min temperature</translation>
    </message>
    <message>
        <source>全屏平均温</source>
        <translation>Full-screen average temperature</translation>
    </message>
    <message>
        <source>测量点温度</source>
        <translation>Measurement point temperature</translation>
    </message>
    <message>
        <source>正常点温度</source>
        <translation>Normal point temperature</translation>
    </message>
    <message>
        <source>温升</source>
        <translation>Temperature rise</translation>
    </message>
    <message>
        <source>温差</source>
        <translation>Temperature difference</translation>
    </message>
    <message>
        <source>相对温差</source>
        <translation>Relative temperature difference</translation>
    </message>
    <message>
        <source>超声检测结果</source>
        <translation>Ultrasonic detection result</translation>
    </message>
    <message>
        <source>红外检测结果</source>
        <translation>Infrared detection result</translation>
    </message>
    <message>
        <source>综合检测结果</source>
        <translation>Integrated detection result</translation>
    </message>
    <message>
        <source>设备区域</source>
        <translation>Device area</translation>
    </message>
    <message>
        <source>变电站名称</source>
        <translation>Substation name</translation>
    </message>
    <message>
        <source>设备类型</source>
        <translation>Device type</translation>
    </message>
    <message>
        <source>设备名称</source>
        <translation>Device name</translation>
    </message>
    <message>
        <source>相别</source>
        <translation>Phase</translation>
    </message>
    <message>
        <source>部位</source>
        <translation>Part position</translation>
    </message>
</context>
<context>
    <name>ItemRuleText</name>
    <message>
        <source>变电</source>
        <translation>Substation</translation>
    </message>
    <message>
        <source>输电</source>
        <translation>Transmission</translation>
    </message>
    <message>
        <source>配电</source>
        <translation>Distribution</translation>
    </message>
    <message>
        <source>导入</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>导出</source>
        <translation>Export</translation>
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
        <source>是</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>否</source>
        <translation>No</translation>
    </message>
    <message>
        <source>添加诊断规则</source>
        <translation>Add detection rule</translation>
    </message>
    <message>
        <source>清空诊断规则</source>
        <translation>Clear detection rules</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>是否清空诊断规则？</source>
        <translation>Clear all detection rules?</translation>
    </message>
    <message>
        <source>清空数据成功！</source>
        <translation>Data cleared.</translation>
    </message>
    <message>
        <source>清空数据失败！</source>
        <translation>Clearing the data failed!</translation>
    </message>
    <message>
        <source>删除当前节点会导致相关诊断规则删除，确定是否删除？</source>
        <translation>Deleting this node deletes the detection rules below it. Delete?</translation>
    </message>
    <message>
        <source>删除数据成功！</source>
        <translation>Data deleted.</translation>
    </message>
    <message>
        <source>删除数据失败！</source>
        <translation>Deleting the data failed!</translation>
    </message>
    <message>
        <source>请选择诊断规则</source>
        <translation>Please choose a detection rule</translation>
    </message>
    <message>
        <source>请添加示例图片</source>
        <translation>Please add a sample picture</translation>
    </message>
    <message>
        <source>添加图片</source>
        <translation>Add picture</translation>
    </message>
    <message>
        <source>非红外图片，请重新选择！</source>
        <translation>Not an infrared picture, please choose another!</translation>
    </message>
    <message>
        <source>保存图片信息</source>
        <translation>Save picture info</translation>
    </message>
    <message>
        <source>示例图片保存失败！</source>
        <translation>Saving the sample picture failed!</translation>
    </message>
    <message>
        <source>图片信息保存成功！</source>
        <translation>Picture information saved.</translation>
    </message>
    <message>
        <source>添加条件</source>
        <translation>Add condition</translation>
    </message>
    <message>
        <source>修改条件</source>
        <translation>Change condition</translation>
    </message>
    <message>
        <source>删除条件</source>
        <translation>Delete condition</translation>
    </message>
    <message>
        <source>是否确定删除选中的诊断规则？</source>
        <translation>Delete the selected detection formula?</translation>
    </message>
    <message>
        <source>删除诊断规则失败！</source>
        <translation>Deleting the detection formula failed!</translation>
    </message>
    <message>
        <source>序号</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>缺陷等级</source>
        <translation>Defect level</translation>
    </message>
    <message>
        <source>诊断公式</source>
        <translation>Detection formula</translation>
    </message>
    <message>
        <source>描述</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>故障特征</source>
        <translation>Fault feature</translation>
    </message>
    <message>
        <source>热像特征</source>
        <translation>Thermal feature</translation>
    </message>
    <message>
        <source>处理建议</source>
        <translation>Suggested handling</translation>
    </message>
    <message>
        <source>诊断规则判据</source>
        <translation>Detection criterion</translation>
    </message>
    <message>
        <source>诊断规则公式说明</source>
        <translation>Formula syntax</translation>
    </message>
    <message>
        <source>诊断规则公式列表</source>
        <translation>Detection formulas</translation>
    </message>
    <message>
        <source>注：诊断规则缺陷等级对应报警缺陷等级：【紧急/严重 - 报警】【一般/关注 - 预警】 </source>
        <translation>Note: defect levels map to alarm levels: [Urgent/Serious - alarm] [General/Concern - early warning] </translation>
    </message>
    <message>
        <source>1. 分析别名加“:”和特征温度 Max、Min、Avg，例如 R01:Max</source>
        <translation>1. An analysis alias, &quot;:&quot; and a feature temperature Max, Min or Avg, e.g. R01:Max</translation>
    </message>
    <message>
        <source>2. EnvTemp 表示环境温度</source>
        <translation>2. EnvTemp is the ambient temperature</translation>
    </message>
    <message>
        <source>3. math.abs 取绝对值</source>
        <translation>3. math.abs gives the absolute value</translation>
    </message>
    <message>
        <source>4. math.max 取参数中的最大值</source>
        <translation>4. math.max gives the largest argument</translation>
    </message>
    <message>
        <source>5. math.min 取参数中的最小值</source>
        <translation>5. math.min gives the smallest argument</translation>
    </message>
    <message>
        <source>6. 逻辑运算 or、and、not，前后各留一个空格</source>
        <translation>6. Logical operators or, and, not, with a space before and after</translation>
    </message>
    <message>
        <source>7. 算术运算 -、+、*、/</source>
        <translation>7. Arithmetic operators -, +, *, /</translation>
    </message>
    <message>
        <source>8. 比较运算 &gt;、&lt;、&gt;=、&lt;=</source>
        <translation>8. Comparisons &gt;, &lt;, &gt;=, &lt;=</translation>
    </message>
    <message>
        <source>9. 百分比写成小数，35% 写作 0.35</source>
        <translation>9. Percentages as decimals: 35% is 0.35</translation>
    </message>
    <message>
        <source>10. $ 加在别名和特征前，取 A、B、C 三相中该分析的特征</source>
        <translation>10. $ before alias and feature takes that feature in each of the phases A, B, C</translation>
    </message>
    <message>
        <source>11. &amp; 加在别名和特征前，取当前相与其他各相之差（不取绝对值）</source>
        <translation>11. &amp; before alias and feature takes the difference of this phase to each other phase (not absolute)</translation>
    </message>
    <message>
        <source>紧急</source>
        <translation>Urgent</translation>
    </message>
    <message>
        <source>严重</source>
        <translation>Serious</translation>
    </message>
    <message>
        <source>关注</source>
        <translation>Concern</translation>
    </message>
    <message>
        <source>一般</source>
        <translation>General</translation>
    </message>
    <message>
        <source>正常</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>适用专业</source>
        <translation>Specialty</translation>
    </message>
    <message>
        <source>设备类型</source>
        <translation>Device type</translation>
    </message>
    <message>
        <source>电压等级</source>
        <translation>Voltage level</translation>
    </message>
    <message>
        <source>部位角度</source>
        <translation>Part / angle</translation>
    </message>
    <message>
        <source>设备形状</source>
        <translation>Device shape</translation>
    </message>
    <message>
        <source>设备类型不能为空！</source>
        <translation>The device type must not be empty!</translation>
    </message>
    <message>
        <source>设备电压不能为空！</source>
        <translation>The voltage must not be empty!</translation>
    </message>
    <message>
        <source>设备部位不能为空！</source>
        <translation>The device part must not be empty!</translation>
    </message>
    <message>
        <source>设备形状不能为空！</source>
        <translation>The device shape must not be empty!</translation>
    </message>
    <message>
        <source>添加诊断规则失败！</source>
        <translation>Adding the detection rule failed!</translation>
    </message>
    <message>
        <source>修改诊断规则</source>
        <translation>Change detection rule</translation>
    </message>
    <message>
        <source>诊断公式不能为空！</source>
        <translation>The detection formula must not be empty!</translation>
    </message>
    <message>
        <source>添加新诊断公式失败！</source>
        <translation>Adding the detection formula failed!</translation>
    </message>
    <message>
        <source>修改新诊断公式失败！</source>
        <translation>Changing the detection formula failed!</translation>
    </message>
    <message>
        <source>选择诊断规则</source>
        <translation>Choose detection rule</translation>
    </message>
    <message>
        <source>分析列表</source>
        <translation>Analyses</translation>
    </message>
    <message>
        <source>报警</source>
        <translation>Alarm</translation>
    </message>
    <message>
        <source>预警</source>
        <translation>Early warning</translation>
    </message>
    <message>
        <source>选择诊断规则将删除原设置分析和报警条件，是否继续？</source>
        <translation>Choosing a detection rule deletes the present analyses and alarm conditions. Continue?</translation>
    </message>
    <message>
        <source>注：选择诊断规则将删除原设置分析和报警条件！</source>
        <translation>Note: choosing a detection rule deletes the present analyses and alarm conditions!</translation>
    </message>
    <message>
        <source>导出诊断规则</source>
        <translation>Export detection rules</translation>
    </message>
    <message>
        <source>导入诊断规则</source>
        <translation>Import detection rules</translation>
    </message>
    <message>
        <source>选择导出规则类型</source>
        <translation>Choose the rule types to export</translation>
    </message>
    <message>
        <source>未选择诊断规则</source>
        <translation>no detection rules chosen</translation>
    </message>
    <message>
        <source>日志信息</source>
        <translation>Log</translation>
    </message>
    <message>
        <source>进度条</source>
        <translation>Progress</translation>
    </message>
    <message>
        <source>：</source>
        <translation>: </translation>
    </message>
    <message>
        <source>选择</source>
        <translation>Choose</translation>
    </message>
    <message>
        <source>诊断规则包导出成功！</source>
        <translation>Rule packages exported.</translation>
    </message>
    <message>
        <source>诊断规则包导入成功！</source>
        <translation>Rule package imported.</translation>
    </message>
    <message>
        <source>诊断规则数据为空</source>
        <translation>There are no detection rules</translation>
    </message>
    <message>
        <source>退出成功</source>
        <translation>Stopped</translation>
    </message>
    <message>
        <source>数据库库连接错误</source>
        <translation>Database connection error</translation>
    </message>
    <message>
        <source>Excel文件打开错误</source>
        <translation>The spreadsheet cannot be opened</translation>
    </message>
    <message>
        <source>压缩包打开错误</source>
        <translation>The package cannot be opened</translation>
    </message>
    <message>
        <source>压缩包创建失败</source>
        <translation>The package cannot be created</translation>
    </message>
    <message>
        <source>选择路径可用空间不足</source>
        <translation>Not enough free space</translation>
    </message>
    <message>
        <source>诊断规则Excel文件错误</source>
        <translation>The package holds no rule sheet</translation>
    </message>
    <message>
        <source>诊断规则Excel文件为空</source>
        <translation>The rule sheet is empty</translation>
    </message>
</context>
<context>
    <name>ItemTempRefreshChoice</name>
    <message>
        <source>更新频率：</source>
        <translation>Refresh every: </translation>
    </message>
</context>
<context>
    <name>ItemToolbarNetDevice</name>
    <message>
        <source>近焦</source>
        <translation>Focus near</translation>
    </message>
    <message>
        <source>远焦</source>
        <translation>Focus far</translation>
    </message>
    <message>
        <source>变倍放大</source>
        <translation>Zoom lens in</translation>
    </message>
    <message>
        <source>变倍缩小</source>
        <translation>Zoom lens out</translation>
    </message>
    <message>
        <source>校正</source>
        <translation>Correct</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Set</translation>
    </message>
    <message>
        <source>开始录像失败</source>
        <translation>Recording could not be started</translation>
    </message>
    <message>
        <source>录像文件创建失败</source>
        <translation>The recording file could not be created</translation>
    </message>
    <message>
        <source>停止录像</source>
        <translation>Stop recording</translation>
    </message>
    <message>
        <source>录像</source>
        <translation>Record</translation>
    </message>
    <message>
        <source>录像保存路径不能为空</source>
        <translation>The recording folder must not be empty</translation>
    </message>
    <message>
        <source>请设置正确总录像时长</source>
        <translation>Please set a valid total recording duration</translation>
    </message>
    <message>
        <source>录像设置</source>
        <translation>Recording settings</translation>
    </message>
    <message>
        <source>左转90°</source>
        <translation>Rotate left 90°</translation>
    </message>
    <message>
        <source>右转90°</source>
        <translation>Rotate right 90°</translation>
    </message>
    <message>
        <source>录像中，无法翻转图像！</source>
        <translation>Recording: the picture cannot be rotated!</translation>
    </message>
</context>
<context>
    <name>ItemToolbarPlayerCtrl</name>
    <message>
        <source>逐帧</source>
        <translation>Frame by frame</translation>
    </message>
    <message>
        <source>最快</source>
        <translation>Fastest</translation>
    </message>
    <message>
        <source>顺序播放</source>
        <translation>Play in order</translation>
    </message>
    <message>
        <source>列表循环</source>
        <translation>Repeat list</translation>
    </message>
    <message>
        <source>单个播放</source>
        <translation>Play one</translation>
    </message>
    <message>
        <source>单个循环</source>
        <translation>Repeat one</translation>
    </message>
    <message>
        <source>首帧</source>
        <translation>First frame</translation>
    </message>
    <message>
        <source>上一帧</source>
        <translation>Previous frame</translation>
    </message>
    <message>
        <source>暂停</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>播放</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>下一帧</source>
        <translation>Next frame</translation>
    </message>
    <message>
        <source>末帧</source>
        <translation>Last frame</translation>
    </message>
    <message>
        <source>视频剪辑</source>
        <translation>Clip</translation>
    </message>
</context>
<context>
    <name>ItemTrendCharts</name>
    <message>
        <source>添加此趋势分析将清除之前所有分析，是否继续？</source>
        <translation>Adding this trend clears all earlier analyses. Continue?</translation>
    </message>
</context>
<context>
    <name>ItemWarningConditionRow</name>
    <message>
        <source>清除</source>
        <translation>Clear</translation>
    </message>
</context>
<context>
    <name>ItemWarningListRow</name>
    <message>
        <source>缺陷等级</source>
        <translation>Defect level</translation>
    </message>
    <message>
        <source>报警</source>
        <translation>Alarm</translation>
    </message>
    <message>
        <source>预警</source>
        <translation>Early warning</translation>
    </message>
</context>
<context>
    <name>ItemWndClient</name>
    <message>
        <source>打开图片…</source>
        <translation>Open picture…</translation>
    </message>
    <message>
        <source>连接[%1]失败</source>
        <translation>Connecting to [%1] failed</translation>
    </message>
</context>
<context>
    <name>ItemWndCopyTemp</name>
    <message>
        <source>复制温度成功</source>
        <translation>Temperatures copied</translation>
    </message>
    <message>
        <source>复制温度失败</source>
        <translation>Copying temperatures failed</translation>
    </message>
    <message>
        <source>复制温度</source>
        <translation>Copy temperatures</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>ItemWndIRImage</name>
    <message>
        <source>打开图片失败！</source>
        <translation>Failed to open the picture!</translation>
    </message>
    <message>
        <source>保存图片失败</source>
        <translation>Failed to save the picture</translation>
    </message>
    <message>
        <source>保存国网图片失败！</source>
        <translation>Failed to save the grid-format picture!</translation>
    </message>
    <message>
        <source>保存红外图片失败！</source>
        <translation>Failed to save the infrared picture!</translation>
    </message>
    <message>
        <source>图片分析 </source>
        <translation>Picture analysis </translation>
    </message>
    <message>
        <source>报告文件</source>
        <translation>Report files</translation>
    </message>
    <message>
        <source>是否打开报告？</source>
        <translation>Open the report?</translation>
    </message>
    <message>
        <source>报告打印失败！！</source>
        <translation>The report could not be written!!</translation>
    </message>
    <message>
        <source>打开word失败！</source>
        <translation>Could not start the word processor!</translation>
    </message>
    <message>
        <source>报告模板添加失败！</source>
        <translation>The report template could not be used!</translation>
    </message>
    <message>
        <source>报告插入图片失败！</source>
        <translation>The picture could not be placed in the report!</translation>
    </message>
    <message>
        <source>报告打印失败！</source>
        <translation>The report could not be written!</translation>
    </message>
    <message>
        <source>导入分析文件失败！</source>
        <translation>Importing the analysis file failed!</translation>
    </message>
    <message>
        <source>导出分析文件失败！</source>
        <translation>Exporting the analysis file failed!</translation>
    </message>
    <message>
        <source>导入分析文件成功！</source>
        <translation>The analysis file was imported.</translation>
    </message>
    <message>
        <source>导出分析文件成功！</source>
        <translation>The analysis file was exported.</translation>
    </message>
    <message>
        <source>不能保存到本次操作正在读取的文件：%1</source>
        <translation>Cannot save onto a file this operation reads from: %1</translation>
    </message>
</context>
<context>
    <name>ItemWndIRNetDevice</name>
    <message>
        <source>正在等待制冷中</source>
        <translation>Waiting for the detector to cool</translation>
    </message>
    <message>
        <source>自动切换测温挡中...</source>
        <translation>Switching the measuring range...</translation>
    </message>
    <message>
        <source>机芯温度</source>
        <translation>Core temperature</translation>
    </message>
    <message>
        <source>主板温度</source>
        <translation>Mainboard temperature</translation>
    </message>
    <message>
        <source>相机拒绝了该镜头或测温挡</source>
        <translation>The camera refused this lens or measuring range</translation>
    </message>
</context>
<context>
    <name>ItemWndIRPlayer</name>
    <message>
        <source>打开视频失败！</source>
        <translation>Failed to open the video!</translation>
    </message>
    <message>
        <source>播放列表</source>
        <translation>Play list</translation>
    </message>
    <message>
        <source>视频剪辑失败！</source>
        <translation>Cutting the clip failed!</translation>
    </message>
    <message>
        <source>视频剪辑完成！</source>
        <translation>The clip is cut!</translation>
    </message>
    <message>
        <source>视频分析 </source>
        <translation>Video analysis </translation>
    </message>
</context>
<context>
    <name>ItemWndIRTempFull</name>
    <message>
        <source> - 全屏温度</source>
        <translation> - Full-screen temperatures</translation>
    </message>
</context>
<context>
    <name>ItemWndIRTempSimplified</name>
    <message>
        <source> - 温度图像（预览分辨率：%1 x %2）</source>
        <translation> - Temperature image (preview resolution: %1 x %2)</translation>
    </message>
    <message>
        <source> - 温度图像（更新频率：2Hz，预览分辨率：%1 x %2）</source>
        <translation> - Temperature image (refresh rate: 2 Hz, preview resolution: %1 x %2)</translation>
    </message>
    <message>
        <source> - 温度图像</source>
        <translation> - Temperature image</translation>
    </message>
</context>
<context>
    <name>ItemWndPixelRange</name>
    <message>
        <source>分析温度范围：</source>
        <translation>Object range: </translation>
    </message>
    <message>
        <source>温度格式不正确，请重新设置！</source>
        <translation>The temperatures are not in order; please set them again!</translation>
    </message>
    <message>
        <source>已存在当前温度范围的像素数趋势曲线！</source>
        <translation>A pixel count curve of this range exists already!</translation>
    </message>
    <message>
        <source>像素数温度范围设置</source>
        <translation>Pixel count ranges</translation>
    </message>
    <message>
        <source>关注最小温度</source>
        <translation>Focus minimum</translation>
    </message>
    <message>
        <source>关注最大温度</source>
        <translation>Focus maximum</translation>
    </message>
    <message>
        <source>整体最小温度</source>
        <translation>Overall minimum</translation>
    </message>
    <message>
        <source>整体最大温度</source>
        <translation>Overall maximum</translation>
    </message>
    <message>
        <source>范围设置说明：</source>
        <translation>Rule: </translation>
    </message>
    <message>
        <source>整体最小温度 ≤ 关注最小温度 ≤ 关注最大温度 ≤ 整体最大温度</source>
        <translation>overall minimum ≤ focus minimum ≤ focus maximum ≤ overall maximum</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>ItemWndPreview</name>
    <message>
        <source>不是红外视频文件</source>
        <translation>Not an infrared video file</translation>
    </message>
    <message>
        <source>打开图片失败！</source>
        <translation>Failed to open the picture!</translation>
    </message>
    <message>
        <source>未选择红外图片</source>
        <translation>No infrared picture is selected</translation>
    </message>
    <message>
        <source>全部生成报告</source>
        <translation>Report of all</translation>
    </message>
    <message>
        <source>生成报告</source>
        <translation>Report</translation>
    </message>
</context>
<context>
    <name>ItemWndTempRange</name>
    <message>
        <source>温度范围设置</source>
        <translation>Temperature range</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>ItemWndTrendChart</name>
    <message>
        <source>像素数趋势分析 %1</source>
        <translation>Pixel count trend %1</translation>
    </message>
    <message>
        <source>温度趋势分析 %1</source>
        <translation>Temperature trend %1</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>成功</source>
        <translation>Done</translation>
    </message>
    <message>
        <source>失败</source>
        <translation>Failed</translation>
    </message>
</context>
<context>
    <name>ItemWndTrendRecordSetting</name>
    <message>
        <source>帧温差</source>
        <translation>frame difference</translation>
    </message>
    <message>
        <source>绝对值</source>
        <translation>absolute</translation>
    </message>
    <message>
        <source>采样条件设置</source>
        <translation>Sampling condition</translation>
    </message>
    <message>
        <source>设备名称</source>
        <translation>Device name</translation>
    </message>
    <message>
        <source>设置条件</source>
        <translation>Condition</translation>
    </message>
</context>
<context>
    <name>ItemWndVideoEdit</name>
    <message>
        <source>视频剪辑窗口</source>
        <translation>Clip editor</translation>
    </message>
    <message>
        <source>起始帧</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>结束帧</source>
        <translation>End</translation>
    </message>
    <message>
        <source>间隔</source>
        <translation>Interval</translation>
    </message>
    <message>
        <source>当前帧</source>
        <translation>Current frame</translation>
    </message>
    <message>
        <source>设为起始帧</source>
        <translation>Set as start</translation>
    </message>
    <message>
        <source>起始帧不能大于结束帧！</source>
        <translation>The start cannot come after the end!</translation>
    </message>
    <message>
        <source>设为结束帧</source>
        <translation>Set as end</translation>
    </message>
    <message>
        <source>结束帧不能小于起始帧！</source>
        <translation>The end cannot come before the start!</translation>
    </message>
    <message>
        <source>剪辑帧数</source>
        <translation>Clip frames</translation>
    </message>
    <message>
        <source>剪辑文件数</source>
        <translation>Clip files</translation>
    </message>
    <message>
        <source>剪辑</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>设备</source>
        <translation>Device</translation>
    </message>
</context>
<context>
    <name>ItemWndVideoEditProgress</name>
    <message>
        <source>视频剪辑中</source>
        <translation>Cutting the clip</translation>
    </message>
</context>
<context>
    <name>ItemWndWarningCondition</name>
    <message>
        <source>报警条件设置</source>
        <translation>Alarm condition settings</translation>
    </message>
    <message>
        <source>第%1行参数设置不正确，请修改！</source>
        <translation>The settings of row %1 are not correct, please change them!</translation>
    </message>
    <message>
        <source>第%1行的温度不是数值，请修改！</source>
        <translation>The temperature of row %1 is not a number, please change it!</translation>
    </message>
    <message>
        <source>报警判断方式</source>
        <translation>Alarm judgement</translation>
    </message>
    <message>
        <source>满足所有条件</source>
        <translation>all conditions met</translation>
    </message>
    <message>
        <source>报警</source>
        <translation>Alarm</translation>
    </message>
    <message>
        <source>预警</source>
        <translation>Early warning</translation>
    </message>
    <message>
        <source>注：减号(-)表示两值差值的绝对值！</source>
        <translation>Note: a minus (-) stands for the absolute difference of the two values!</translation>
    </message>
</context>
<context>
    <name>ModelIRInfo</name>
    <message>
        <source>FullScreen</source>
        <translation>Full picture</translation>
    </message>
</context>
<context>
    <name>SaveTarget</name>
    <message>
        <source>不能保存到本次操作正在读取的文件：%1</source>
        <translation>Cannot save onto a file this operation reads from: %1</translation>
    </message>
</context>
<context>
    <name>ThreadIRReconnect</name>
    <message>
        <source>Connecting infrared device</source>
        <translation>Connecting infrared device</translation>
    </message>
</context>
<context>
    <name>ThreadPrintReport</name>
    <message>
        <source>File %1 non-infrared image!</source>
        <translation>File %1 is not an infrared picture!</translation>
    </message>
    <message>
        <source>File %1 modification and analysis successful!</source>
        <translation>File %1: analyses applied and saved.</translation>
    </message>
    <message>
        <source>File %1 modification analysis failed!!</source>
        <translation>File %1: the analyses could not be saved!</translation>
    </message>
    <message>
        <source>Saving file.</source>
        <translation>Saving the file.</translation>
    </message>
    <message>
        <source>Saving file %1 failed!</source>
        <translation>Saving the file %1 failed!</translation>
    </message>
    <message>
        <source>File %1 is printed.</source>
        <translation>File %1 is printed.</translation>
    </message>
</context>
<context>
    <name>WndChartArea</name>
    <message>
        <source>Analyze the histogram  Unit(Y: Percentage of temperature range; X: Celsius)</source>
        <translation>Analyze the histogram  Unit(Y: Percentage of temperature range; X: Celsius)</translation>
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
        <translation>-Avg:</translation>
    </message>
    <message>
        <source>Temperature range: </source>
        <translation>Temperature range: </translation>
    </message>
    <message>
        <source>Percentage: </source>
        <translation>Percentage: </translation>
    </message>
    <message>
        <source>Points number: </source>
        <translation>Points number: </translation>
    </message>
</context>
<context>
    <name>WndChartLine</name>
    <message>
        <source>Line analysis  Unit(Y: Celsius; X: Temperature point relative line analysis position)</source>
        <translation>Line analysis  Unit(Y: Celsius; X: Temperature point relative line analysis position)</translation>
    </message>
    <message>
        <source>Temperature:</source>
        <translation>Temperature:</translation>
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
        <translation>-Avg:</translation>
    </message>
</context>
<context>
    <name>WndChartTrend</name>
    <message>
        <source> Y: Percentage; X: first line, relative time(s); second line, absolute time</source>
        <translation> Y: Percentage; X: first line, relative time(s); second line, absolute time</translation>
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
        <translation>-Avg:</translation>
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
        <translation> - Avg </translation>
    </message>
    <message>
        <source>Mark: </source>
        <translation>Mark: </translation>
    </message>
    <message>
        <source>Frame number:</source>
        <translation>Frame number:</translation>
    </message>
    <message>
        <source>Video time:</source>
        <translation>Video time:</translation>
    </message>
    <message>
        <source>Device name:</source>
        <translation>Device name:</translation>
    </message>
    <message>
        <source>Video name:</source>
        <translation>Video name:</translation>
    </message>
    <message>
        <source>Current frame time:</source>
        <translation>Current frame time:</translation>
    </message>
</context>
<context>
    <name>WndChartTrendPixel</name>
    <message>
        <source> Y: Percentage; X: first line, relative time(s); second line, absolute time</source>
        <translation> Y: Percentage; X: first line, relative time(s); second line, absolute time</translation>
    </message>
    <message>
        <source>Mark:</source>
        <translation>Mark:</translation>
    </message>
    <message>
        <source>Device name:</source>
        <translation>Device name:</translation>
    </message>
    <message>
        <source>Video name:</source>
        <translation>Video name:</translation>
    </message>
    <message>
        <source>Video time:</source>
        <translation>Video time:</translation>
    </message>
    <message>
        <source>Frame number:</source>
        <translation>Frame number:</translation>
    </message>
    <message>
        <source>Current frame time:</source>
        <translation>Current frame time:</translation>
    </message>
</context>
<context>
    <name>WndIRIsotherm</name>
    <message>
        <source>Isothrem - Min: </source>
        <translation>Isotherm - Min: </translation>
    </message>
    <message>
        <source>Axis - Min: </source>
        <translation>Axis - Min: </translation>
    </message>
    <message>
        <source> Max: </source>
        <translation> Max: </translation>
    </message>
    <message>
        <source>Add new isothermal block</source>
        <translation>Add new isothermal block</translation>
    </message>
    <message>
        <source>Load isothermal file</source>
        <translation>Load isothermal file</translation>
    </message>
    <message>
        <source>No isothermal information for saving</source>
        <translation>No isothermal information for saving</translation>
    </message>
    <message>
        <source>Save the isothermal information</source>
        <translation>Save the isothermal information</translation>
    </message>
    <message>
        <source>Delete current isothermal analysis</source>
        <translation>Delete current isothermal analysis</translation>
    </message>
    <message>
        <source>Clear isothermal block</source>
        <translation>Clear isothermal block</translation>
    </message>
    <message>
        <source>Change current isothermal color</source>
        <translation>Change current isothermal color</translation>
    </message>
    <message>
        <source>Edit current isothermal temperature range</source>
        <translation>Edit current isothermal temperature range</translation>
    </message>
    <message>
        <source>Opaque/Transparent</source>
        <translation>Opaque/Transparent</translation>
    </message>
    <message>
        <source> Span: </source>
        <translation> Span: </translation>
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
        <translation>Connected</translation>
    </message>
    <message>
        <source>Fail to connect</source>
        <translation>Connection failed</translation>
    </message>
</context>
<context>
    <name>WndIRShow</name>
    <message>
        <source>Infrared overall temperature</source>
        <translation>Infrared overall temperature</translation>
    </message>
    <message>
        <source> temperature</source>
        <translation> temperature</translation>
    </message>
</context>
</TS>
