<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>AddImageWidget</name>
    <message>
        <source>%1dB</source>
        <translation>%1dB</translation>
    </message>
    <message>
        <source>%1 dB</source>
        <translation>%1 dB</translation>
    </message>
    <message>
        <source>%1m</source>
        <translation>%1m</translation>
    </message>
    <message>
        <source>%1k~%2kHz</source>
        <translation>%1k~%2kHz</translation>
    </message>
    <message>
        <source>%1:   %2 CFM</source>
        <translation>%1:   %2 CFM</translation>
    </message>
    <message>
        <source>%1:   %2 L/min</source>
        <translation>%1:   %2 L/min</translation>
    </message>
    <message>
        <source>Leak rate</source>
        <translation>泄漏速率</translation>
    </message>
    <message>
        <source>%1:   %2</source>
        <translation>%1:   %2</translation>
    </message>
    <message>
        <source>Leak level</source>
        <translation>泄漏等级</translation>
    </message>
    <message>
        <source>Cost(%1/yr)</source>
        <translation>成本(%1/年)</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Waveform</source>
        <translation>波形</translation>
    </message>
    <message>
        <source>Time (sec)</source>
        <translation>时间 (秒)</translation>
    </message>
    <message>
        <source>Amplitude (Pa)</source>
        <translation>幅值 (Pa)</translation>
    </message>
    <message>
        <source>Spectrum</source>
        <translation>频谱</translation>
    </message>
    <message>
        <source>Frequency (Hz)</source>
        <translation>频率 (Hz)</translation>
    </message>
    <message>
        <source>Amplitude (dB)</source>
        <translation>幅值 (dB)</translation>
    </message>
    <message>
        <source>Phase</source>
        <translation>相位</translation>
    </message>
    <message>
        <source>PRPD</source>
        <translation>PRPD</translation>
    </message>
</context>
<context>
    <name>TOrnViewer</name>
    <message>
        <source>Language setting</source>
        <translation>语言设置</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>WORD application failed to load. Report generation will not be possible!</source>
        <translation>WORD 应用程序加载失败，将无法生成报告！</translation>
    </message>
    <message>
        <source>Prompt</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Data search cannot be used for report generation!</source>
        <translation>搜索结果不能用于生成报告！</translation>
    </message>
    <message>
        <source>Data selection is required for report generation!</source>
        <translation>生成报告前需要选择数据！</translation>
    </message>
    <message>
        <source>Please select the data you want to generate a report for!</source>
        <translation>请选择要生成报告的数据！</translation>
    </message>
    <message>
        <source>Report generation warning</source>
        <translation>报告生成警告</translation>
    </message>
    <message>
        <source>Report generation</source>
        <translation>报告生成</translation>
    </message>
    <message>
        <source>Report generation is complete! Click &quot;Confirm&quot; to open the report table of contents</source>
        <translation>报告生成完成！点击&quot;确认&quot;打开报告目录</translation>
    </message>
    <message>
        <source>Please select the data you want to delete/remove!</source>
        <translation>请选择要删除/移除的数据！</translation>
    </message>
    <message>
        <source>Confirm deletion of a dataset? The dataset is not recoverable after deletion!</source>
        <translation>确认删除数据集？删除后将无法恢复！</translation>
    </message>
    <message>
        <source>Confirm to remove data from dataset?</source>
        <translation>确认从数据集中移除数据？</translation>
    </message>
    <message>
        <source>Deleting a dataset</source>
        <translation>删除数据集</translation>
    </message>
    <message>
        <source>Local data import</source>
        <translation>本地数据导入</translation>
    </message>
</context>
<context>
    <name>app_config</name>
    <message>
        <source>Routine inspection</source>
        <translation>例行检测</translation>
    </message>
    <message>
        <source>Spot check</source>
        <translation>抽检</translation>
    </message>
    <message>
        <source>°C</source>
        <translation>℃</translation>
    </message>
</context>
<context>
    <name>colormap_label</name>
    <message>
        <source>Time (sec)</source>
        <translation>时间 (秒)</translation>
    </message>
    <message>
        <source>Frequency (Hz)</source>
        <translation>频率 (Hz)</translation>
    </message>
</context>
<context>
    <name>colour_bar_view</name>
    <message>
        <source>Level per frequency</source>
        <translation>各频率声级</translation>
    </message>
    <message>
        <source>high</source>
        <translation>高</translation>
    </message>
    <message>
        <source>low</source>
        <translation>低</translation>
    </message>
</context>
<context>
    <name>data_detail_widget</name>
    <message>
        <source>Check</source>
        <translation>待查</translation>
    </message>
    <message>
        <source>Attention</source>
        <translation>注意</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>The data name must not be empty.</source>
        <translation>数据名称不能为空。</translation>
    </message>
    <message>
        <source>Data name already exists! Please modify the data name.</source>
        <translation>数据名称已存在！请修改数据名称。</translation>
    </message>
    <message>
        <source>database</source>
        <translation>数据库</translation>
    </message>
    <message>
        <source>Some changes could not be saved: %1. Please check that the data folder is writable and try again.</source>
        <translation>部分修改未能保存：%1。请检查数据文件夹是否可写，然后重试。</translation>
    </message>
    <message>
        <source>Data Details</source>
        <translation>数据详情</translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation>最大化</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>名称：</translation>
    </message>
    <message>
        <source>Time:</source>
        <translation>时间：</translation>
    </message>
    <message>
        <source>SPL:</source>
        <translation>声压级：</translation>
    </message>
    <message>
        <source>Distance:</source>
        <translation>距离：</translation>
    </message>
    <message>
        <source>Leak rate:</source>
        <translation>泄漏速率：</translation>
    </message>
    <message>
        <source>Leak level:</source>
        <translation>泄漏等级：</translation>
    </message>
    <message>
        <source>Cost:</source>
        <translation>成本：</translation>
    </message>
    <message>
        <source>Parameter</source>
        <translation>参数</translation>
    </message>
    <message>
        <source>Gas-leak parameters of this item</source>
        <translation>该数据的气体泄漏参数</translation>
    </message>
    <message>
        <source>Notes:</source>
        <translation>备注：</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>正常</translation>
    </message>
    <message>
        <source>General Defect</source>
        <translation>一般缺陷</translation>
    </message>
    <message>
        <source>Severe Defect</source>
        <translation>严重缺陷</translation>
    </message>
    <message>
        <source>Critical Defects</source>
        <translation>危急缺陷</translation>
    </message>
    <message>
        <source>Favorite</source>
        <translation>收藏</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>上一条</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>下一条</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>应用</translation>
    </message>
    <message>
        <source>Spectrogram</source>
        <translation>时频图</translation>
    </message>
</context>
<context>
    <name>data_list_widget</name>
    <message>
        <source>Only local directories are supported for data import!</source>
        <translation>仅支持从本地目录导入数据！</translation>
    </message>
    <message>
        <source>The local dataset directory name is the same as the existing dataset name!</source>
        <translation>本地数据集目录名与已有数据集名称相同！</translation>
    </message>
    <message>
        <source>Datasets</source>
        <translation>数据集</translation>
    </message>
    <message>
        <source>Data Import</source>
        <translation>数据导入</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>重命名</translation>
    </message>
    <message>
        <source>Remove from list</source>
        <translation>从列表移除</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Open folder location</source>
        <translation>打开所在文件夹</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>The dataset directory could not be renamed! Please check that it exists and is not in use.</source>
        <translation>无法重命名数据集目录！请检查该目录是否存在且未被占用。</translation>
    </message>
    <message>
        <source>Confirm deletion of a dataset? The dataset is not recoverable after deletion!</source>
        <translation>确认删除数据集？删除后将无法恢复！</translation>
    </message>
    <message>
        <source>Confirm to delete a dataset from the list?</source>
        <translation>确认从列表中移除数据集？</translation>
    </message>
    <message>
        <source>Deleting a dataset</source>
        <translation>删除数据集</translation>
    </message>
    <message>
        <source>Select the data root directory</source>
        <translation>选择数据根目录</translation>
    </message>
    <message>
        <source>Prompt</source>
        <translation>提示</translation>
    </message>
</context>
<context>
    <name>data_rename_wodget</name>
    <message>
        <source>Rename</source>
        <translation>重命名</translation>
    </message>
    <message>
        <source>Dataset name:</source>
        <translation>数据集名称：</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>The data name cannot be empty!</source>
        <translation>数据名称不能为空！</translation>
    </message>
    <message>
        <source>Illegal characters found in the data name! Please modify it.</source>
        <translation>数据名称包含非法字符！请修改。</translation>
    </message>
    <message>
        <source>Dataset name already exists! Please modify it.</source>
        <translation>数据集名称已存在！请修改。</translation>
    </message>
</context>
<context>
    <name>data_tool_bar</name>
    <message>
        <source>Select all</source>
        <translation>全选</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>正常</translation>
    </message>
    <message>
        <source>Check</source>
        <translation>待查</translation>
    </message>
    <message>
        <source>General Defect</source>
        <translation>一般缺陷</translation>
    </message>
    <message>
        <source>Severe Defect</source>
        <translation>严重缺陷</translation>
    </message>
    <message>
        <source>Critical Defects</source>
        <translation>危急缺陷</translation>
    </message>
    <message>
        <source>Favorite</source>
        <translation>收藏</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>移除</translation>
    </message>
    <message>
        <source>Generate report</source>
        <translation>生成报告</translation>
    </message>
    <message>
        <source>Search data</source>
        <translation>搜索数据</translation>
    </message>
    <message>
        <source>Attention</source>
        <translation>注意</translation>
    </message>
</context>
<context>
    <name>delete_data_progress_widget</name>
    <message>
        <source>Deleting a dataset</source>
        <translation>删除数据集</translation>
    </message>
    <message>
        <source>Deleting a dataset...%.1f%%</source>
        <translation>正在删除数据集...%.1f%%</translation>
    </message>
    <message>
        <source>Confirm to terminate of data deletion?</source>
        <translation>确认终止数据删除？</translation>
    </message>
</context>
<context>
    <name>device_update_progress_widget</name>
    <message>
        <source>Device upgrade</source>
        <translation>设备升级</translation>
    </message>
    <message>
        <source>Upload firmware...%.1f%%</source>
        <translation>正在上传固件...%.1f%%</translation>
    </message>
    <message>
        <source>Device upgrade abort?</source>
        <translation>确认中止设备升级？</translation>
    </message>
</context>
<context>
    <name>dir_setting_widget</name>
    <message>
        <source>Setting</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
</context>
<context>
    <name>import_local_data_progress_widget</name>
    <message>
        <source>Importing local data</source>
        <translation>导入本地数据</translation>
    </message>
    <message>
        <source>Importing local data...%.1f%%</source>
        <translation>正在导入本地数据...%.1f%%</translation>
    </message>
    <message>
        <source>Confirm to terminate the import?</source>
        <translation>确认终止导入？</translation>
    </message>
</context>
<context>
    <name>lang_setting_widget</name>
    <message>
        <source>Language setting</source>
        <translation>语言设置</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>语言：</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation>中文</translation>
    </message>
    <message>
        <source>Prompt</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Language setting success,please restart the software.Click &quot;Confirm&quot; to exit the software.</source>
        <translation>语言设置成功，请重新启动软件。点击&quot;确认&quot;退出软件。</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Software is running!</source>
        <translation>软件已在运行！</translation>
    </message>
</context>
<context>
    <name>orn_func_obj</name>
    <message>
        <source>Local data import completed!</source>
        <translation>本地数据导入完成！</translation>
    </message>
    <message>
        <source>No data available for import!</source>
        <translation>没有可导入的数据！</translation>
    </message>
    <message>
        <source>Import from device is not available.</source>
        <translation>暂不支持从设备导入。</translation>
    </message>
    <message>
        <source>Device update is not available.</source>
        <translation>暂不支持设备升级。</translation>
    </message>
    <message>
        <source>Report generation is not available.</source>
        <translation type="vanished">暂不支持生成报告。</translation>
    </message>
</context>
<context>
    <name>para_setting_widget</name>
    <message>
        <source>Parameter setting</source>
        <translation>参数设置</translation>
    </message>
    <message>
        <source>Correction factor:</source>
        <translation>修正系数：</translation>
    </message>
    <message>
        <source>Currency:</source>
        <translation>货币：</translation>
    </message>
    <message>
        <source>Energy cost:</source>
        <translation>能源成本：</translation>
    </message>
    <message>
        <source>Gas cost:</source>
        <translation>气体成本：</translation>
    </message>
    <message>
        <source>Power ratio:</source>
        <translation>功率比：</translation>
    </message>
    <message>
        <source>Gas leak unit:</source>
        <translation>泄漏单位：</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>确认</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>preview_item_widget</name>
    <message>
        <source>Open folder location</source>
        <translation>打开所在文件夹</translation>
    </message>
</context>
<context>
    <name>previw_label</name>
    <message>
        <source>Previous frame</source>
        <translation>上一帧</translation>
    </message>
    <message>
        <source>Next frame</source>
        <translation>下一帧</translation>
    </message>
    <message>
        <source>Frame %1 / %2</source>
        <translation>第 %1 / %2 帧</translation>
    </message>
</context>
<context>
    <name>report_info_widget</name>
    <message>
        <source>Report generation</source>
        <translation>报告生成</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source>No</source>
        <translation>否</translation>
    </message>
    <message>
        <source>Inspection purpose:</source>
        <translation>检测目的：</translation>
    </message>
    <message>
        <source>Inspection location:</source>
        <translation>检测地点：</translation>
    </message>
    <message>
        <source>Temperature:</source>
        <translation>温度：</translation>
    </message>
    <message>
        <source>Operating conditions:</source>
        <translation>运行工况：</translation>
    </message>
    <message>
        <source>Humidity:</source>
        <translation>湿度：</translation>
    </message>
    <message>
        <source>Weather:</source>
        <translation>天气：</translation>
    </message>
    <message>
        <source>Work Unit:</source>
        <translation>单位：</translation>
    </message>
    <message>
        <source>Department:</source>
        <translation>部门：</translation>
    </message>
    <message>
        <source>Responsible person:</source>
        <translation>负责人：</translation>
    </message>
    <message>
        <source>Tel:</source>
        <translation>电话：</translation>
    </message>
    <message>
        <source>Test results:</source>
        <translation>检测结果：</translation>
    </message>
    <message>
        <source>Recommendation:</source>
        <translation>处理建议：</translation>
    </message>
    <message>
        <source>Combine report:</source>
        <translation>合并报告：</translation>
    </message>
</context>
<context>
    <name>report_plot_obj</name>
    <message>
        <source>Frequency (Hz)</source>
        <translation>频率 (Hz)</translation>
    </message>
    <message>
        <source>Amplitude (dB)</source>
        <translation>幅值 (dB)</translation>
    </message>
    <message>
        <source>Phase</source>
        <translation>相位</translation>
    </message>
</context>
<context>
    <name>report_progress_widget</name>
    <message>
        <source>Generate report</source>
        <translation>生成报告</translation>
    </message>
    <message>
        <source>Report generation in progress...%.1f%%</source>
        <translation>报告生成中...%.1f%%</translation>
    </message>
    <message>
        <source>Confirm termination of report generation?</source>
        <translation>确认终止报告生成？</translation>
    </message>
</context>
<context>
    <name>report_task</name>
    <message>
        <source>The report generation directory cannot be empty!</source>
        <translation>报告生成目录不能为空！</translation>
    </message>
    <message>
        <source>Failed to create export directory.Error code:%1</source>
        <translation>创建导出目录失败。错误码：%1</translation>
    </message>
    <message>
        <source>The report could not be written to %1.Error code:%2</source>
        <translation>报告无法写入 %1。错误码：%2</translation>
    </message>
    <message>
        <source>Report generation was aborted; no report was written.</source>
        <translation>报告生成已终止，未生成任何报告。</translation>
    </message>
    <message>
        <source>No report was written: none of the selected data items could be found.</source>
        <translation>未生成报告：找不到所选的任何数据。</translation>
    </message>
    <message>
        <source>Report generation was aborted. The report holds %1 of %2 data items. Click &quot;Confirm&quot; to open the report table of contents</source>
        <translation>报告生成已终止。报告包含 %2 条数据中的 %1 条。点击&quot;确认&quot;打开报告目录</translation>
    </message>
</context>
<context>
    <name>set_default_export_path_widget</name>
    <message>
        <source>Import data save path</source>
        <translation>导入数据保存路径</translation>
    </message>
    <message>
        <source>The data save directory cannot be empty!</source>
        <translation>数据保存目录不能为空！</translation>
    </message>
</context>
<context>
    <name>set_report_path_widget</name>
    <message>
        <source>Report generation directory</source>
        <translation>报告生成目录</translation>
    </message>
    <message>
        <source>The report generation directory cannot be empty!</source>
        <translation>报告生成目录不能为空！</translation>
    </message>
</context>
<context>
    <name>t_orn_msg_box</name>
    <message>
        <source>Confirm</source>
        <translation>确认</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>t_orn_widget</name>
    <message>
        <source>Confirm</source>
        <translation>确认</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>task_progress_widget</name>
    <message>
        <source>Progress</source>
        <translation>进度</translation>
    </message>
    <message>
        <source>Processing progress...%.1f%%</source>
        <translation>处理进度...%.1f%%</translation>
    </message>
    <message>
        <source>Prompt</source>
        <translation>提示</translation>
    </message>
</context>
</TS>
