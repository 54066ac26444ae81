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
    <message>
        <source>Import from device</source>
        <translation>从设备导入</translation>
    </message>
    <message>
        <source>Device search</source>
        <translation>设备搜索</translation>
    </message>
    <message>
        <source>Time synchronization</source>
        <translation>时间同步</translation>
    </message>
    <message>
        <source>Data save path</source>
        <translation>数据保存路径</translation>
    </message>
    <message>
        <source>Synchronize the computer system time to the device</source>
        <translation>将电脑系统时间同步到设备</translation>
    </message>
    <message>
        <source>No synchronized device found! Please try again later.</source>
        <translation>未找到可同步的设备！请稍后再试。</translation>
    </message>
    <message>
        <source>Select firmware file</source>
        <translation>选择固件文件</translation>
    </message>
    <message>
        <source>Firmware file (*.dat);;All files (*)</source>
        <translation>固件文件 (*.dat);;所有文件 (*)</translation>
    </message>
    <message>
        <source>Device upgrade</source>
        <translation>设备升级</translation>
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
    <message>
        <source>Leak survey</source>
        <translation>泄漏调查</translation>
    </message>
    <message>
        <source>The dataset could not be renamed in the database (error %1)! Nothing was changed.</source>
        <translation>数据集无法在数据库中重命名（错误 %1）！未做任何更改。</translation>
    </message>
    <message>
        <source>The dataset could not be renamed in the database (error %1), and its directory could not be moved back! It is now at: %2</source>
        <translation>数据集无法在数据库中重命名（错误 %1），其目录也无法改回原名！目录现在位于：%2</translation>
    </message>
    <message>
        <source>The dataset directory could not be deleted (error %1)! The dataset stays in the list.
%2</source>
        <translation>数据集目录无法删除（错误 %1）！该数据集仍保留在列表中。
%2</translation>
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
    <message>
        <source>Leak survey</source>
        <translation>泄漏调查</translation>
    </message>
</context>
<context>
    <name>database</name>
    <message>
        <source>the disk is full</source>
        <translation>磁盘已满</translation>
    </message>
    <message>
        <source>the database is read-only</source>
        <translation>数据库为只读</translation>
    </message>
    <message>
        <source>the database is locked by another program</source>
        <translation>数据库被其他程序锁定</translation>
    </message>
    <message>
        <source>the database reported error %1</source>
        <translation>数据库报告错误 %1</translation>
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
    <name>dev_search_box</name>
    <message>
        <source>Camera address</source>
        <translation>设备地址</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>添加</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>搜索</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>设备</translation>
    </message>
    <message>
        <source>No device found. Enter the address shown on the camera.</source>
        <translation>未找到设备。请输入设备屏幕上显示的地址。</translation>
    </message>
    <message>
        <source>Searching device!</source>
        <translation>正在搜索设备！</translation>
    </message>
    <message>
        <source>Upgrade</source>
        <translation>升级</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Please enter the camera&apos;s IPv4 address as its screen shows it, for example 192.168.1.20.</source>
        <translation>请按设备屏幕上的显示输入其 IPv4 地址，例如 192.168.1.20。</translation>
    </message>
    <message>
        <source>Searching...</source>
        <translation>搜索中...</translation>
    </message>
</context>
<context>
    <name>dev_sync_time_box</name>
    <message>
        <source>Synchronize the computer system time to the device</source>
        <translation>将电脑系统时间同步到设备</translation>
    </message>
    <message>
        <source>Computer time</source>
        <translation>电脑时间</translation>
    </message>
    <message>
        <source>:</source>
        <translation>：</translation>
    </message>
    <message>
        <source>Synchronization</source>
        <translation>同步</translation>
    </message>
    <message>
        <source>Device time</source>
        <translation>设备时间</translation>
    </message>
    <message>
        <source>Synchronizing...</source>
        <translation>正在同步...</translation>
    </message>
</context>
<context>
    <name>device_link_obj</name>
    <message>
        <source>%1 (%2 data items)</source>
        <translation>%1（%2 条数据）</translation>
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
    <name>import_data_box_widget</name>
    <message>
        <source>connect</source>
        <translation>连接</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>连接中...</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Device connect fail,please try again!</source>
        <translation>设备连接失败，请重试！</translation>
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
    <name>import_operate_widget</name>
    <message>
        <source>Data Import</source>
        <translation>数据导入</translation>
    </message>
    <message>
        <source>Connect device</source>
        <translation>连接设备</translation>
    </message>
    <message>
        <source>Choose data</source>
        <translation>选择数据</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>导入</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>完成</translation>
    </message>
    <message>
        <source>Select all</source>
        <translation>全选</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>上一步</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>下一步</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Device list:</source>
        <translation>设备列表：</translation>
    </message>
    <message>
        <source>No device is known yet. Find one with &quot;Device search&quot; in the main window&apos;s context menu.</source>
        <translation>尚无已知设备。请使用主窗口右键菜单中的&quot;设备搜索&quot;查找设备。</translation>
    </message>
    <message>
        <source>Open the list, point at a device and press &quot;connect&quot;.</source>
        <translation>打开列表，将鼠标移到设备上并点击&quot;连接&quot;。</translation>
    </message>
    <message>
        <source>Please enter the data name:</source>
        <translation>请输入数据名称：</translation>
    </message>
    <message>
        <source>Please enter the data name</source>
        <translation>请输入数据名称</translation>
    </message>
    <message>
        <source>Remove device data</source>
        <translation>删除设备数据</translation>
    </message>
    <message>
        <source>Data exporting, keep device power on and network connected.</source>
        <translation>数据导出中，请保持设备电源开启且网络连接正常。</translation>
    </message>
    <message>
        <source>Exporting...%5.1f%%</source>
        <translation>正在导出...%5.1f%%</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清除</translation>
    </message>
    <message>
        <source>Data import succeeded</source>
        <translation>数据导入成功</translation>
    </message>
    <message>
        <source>Data import aborted</source>
        <translation>数据导入已中止</translation>
    </message>
    <message>
        <source>Data import failed</source>
        <translation>数据导入失败</translation>
    </message>
    <message>
        <source>Prompt</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>No available devices in the device list!
Export abort!</source>
        <translation>设备列表中没有可用设备！
导出中止！</translation>
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
        <source> Illegal characters found in the data name! Please modify it.</source>
        <translation> 数据名称中含有非法字符！请修改。</translation>
    </message>
    <message>
        <source>Data name already exists! Please modify it</source>
        <translation>数据名称已存在！请修改</translation>
    </message>
    <message>
        <source>Select the data you want to import!</source>
        <translation>请选择要导入的数据！</translation>
    </message>
    <message>
        <source>Confirm abort importing data!</source>
        <translation>确认中止导入数据！</translation>
    </message>
    <message>
        <source>Connecting to %1...</source>
        <translation>正在连接 %1...</translation>
    </message>
    <message>
        <source>Connected to %1. Data sets on the device: %2</source>
        <translation>已连接 %1。设备上的数据集：%2</translation>
    </message>
    <message>
        <source>Import data abort</source>
        <translation>导入数据中止</translation>
    </message>
    <message>
        <source>Aborting...</source>
        <translation>正在中止...</translation>
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
    <name>leak_survey_model</name>
    <message>
        <source>The distance is 0 m or less: the estimate takes 0.3 m.</source>
        <translation>距离为 0 m 或更小：估算按 0.3 m 计算。</translation>
    </message>
    <message>
        <source>Some values are not finite numbers: this leak is left out of the totals.</source>
        <translation>部分数值不是有限数：此泄漏点未计入合计。</translation>
    </message>
    <message>
        <source>No power ratio: no energy or CO₂ figure.</source>
        <translation>无功率比：不计算能耗和 CO₂。</translation>
    </message>
    <message>
        <source>Rank</source>
        <translation>排名</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>SPL (dB)</source>
        <translation>声压级 (dB)</translation>
    </message>
    <message>
        <source>Distance (m)</source>
        <translation>距离 (m)</translation>
    </message>
    <message>
        <source>Level at 1 m (dB)</source>
        <translation>1 m 处声压级 (dB)</translation>
    </message>
    <message>
        <source>Leak rate</source>
        <translation>泄漏速率</translation>
    </message>
    <message>
        <source>Leak level</source>
        <translation>泄漏等级</translation>
    </message>
    <message>
        <source>Yearly cost</source>
        <translation>年成本</translation>
    </message>
    <message>
        <source>Energy (kWh/yr)</source>
        <translation>年能耗 (kWh)</translation>
    </message>
    <message>
        <source>CO₂ (kg/yr)</source>
        <translation>年 CO₂ 排放 (kg)</translation>
    </message>
</context>
<context>
    <name>leak_survey_totals_model</name>
    <message>
        <source>Total</source>
        <translation>合计</translation>
    </message>
    <message>
        <source>Leaks counted: %1</source>
        <translation>计入合计的泄漏点：%1</translation>
    </message>
</context>
<context>
    <name>leak_survey_widget</name>
    <message>
        <source>Leak survey</source>
        <translation>泄漏调查</translation>
    </message>
    <message>
        <source>Leak survey - %1</source>
        <translation>泄漏调查 - %1</translation>
    </message>
    <message>
        <source>CO₂ factor:</source>
        <translation>CO₂ 排放因子：</translation>
    </message>
    <message>
        <source>Double-click a leak to open its details.</source>
        <translation>双击泄漏点可查看详情。</translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation>导出 CSV</translation>
    </message>
    <message>
        <source>Export report</source>
        <translation>导出报告</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>No gas-leak items among the %1 data items.</source>
        <translation>%1 个数据项中没有气体泄漏数据。</translation>
    </message>
    <message>
        <source>%1 gas-leak items of %2 data items; %3 other items are not listed.</source>
        <translation>%2 个数据项中有 %1 个气体泄漏点；其余 %3 项未列出。</translation>
    </message>
    <message>
        <source>%1 left out of the totals: their values are not finite numbers.</source>
        <translation>%1 个未计入合计：其数值不是有限数。</translation>
    </message>
    <message>
        <source>The leak survey could not be saved to %1 (error %2). Please check that the folder is writable.</source>
        <translation>泄漏调查无法保存到 %1（错误 %2）。请检查该文件夹是否可写。</translation>
    </message>
    <message>
        <source>The leak survey was saved to %1.</source>
        <translation>泄漏调查已保存到 %1。</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV 文件 (*.csv)</translation>
    </message>
    <message>
        <source>Word documents (*.docx)</source>
        <translation>Word 文档 (*.docx)</translation>
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
        <source>the device answered with an error</source>
        <translation>设备返回了错误</translation>
    </message>
    <message>
        <source>the device&apos;s answer could not be read</source>
        <translation>无法读取设备的应答</translation>
    </message>
    <message>
        <source>the connection to the device was lost</source>
        <translation>与设备的连接已断开</translation>
    </message>
    <message>
        <source>the device could not be reached (%1)</source>
        <translation>无法连接到设备（%1）</translation>
    </message>
    <message>
        <source>%1 data items were stored in &quot;%2&quot; and registered.</source>
        <translation>已将 %1 条数据保存到&quot;%2&quot;并完成登记。</translation>
    </message>
    <message>
        <source>The data was removed from the device.</source>
        <translation>已从设备上删除这些数据。</translation>
    </message>
    <message>
        <source>Removing the data from the device failed: %1.</source>
        <translation>从设备上删除数据失败：%1。</translation>
    </message>
    <message>
        <source>No data save directory is set. Choose one with &quot;Data save path&quot; in the main window&apos;s context menu.</source>
        <translation>尚未设置数据保存目录。请通过主窗口右键菜单中的&quot;数据保存路径&quot;进行设置。</translation>
    </message>
    <message>
        <source>The data name cannot be used as a directory name.</source>
        <translation>该数据名称不能用作目录名。</translation>
    </message>
    <message>
        <source>The device named a data set &quot;%1&quot;, which cannot be used as a directory name. Nothing was imported.</source>
        <translation>设备上的数据集名称&quot;%1&quot;不能用作目录名。未导入任何数据。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; already exists. Choose another data name.</source>
        <translation>&quot;%1&quot;已存在。请换一个数据名称。</translation>
    </message>
    <message>
        <source>The directory &quot;%1&quot; could not be created: %2.</source>
        <translation>无法创建目录&quot;%1&quot;：%2。</translation>
    </message>
    <message>
        <source>The device did not list the data set &quot;%1&quot;: %2. Nothing was imported.</source>
        <translation>设备未能列出数据集&quot;%1&quot;：%2。未导入任何数据。</translation>
    </message>
    <message>
        <source>Import aborted.</source>
        <translation>导入已中止。</translation>
    </message>
    <message>
        <source>The transfer of &quot;%1&quot; failed: %2.</source>
        <translation>传输&quot;%1&quot;失败：%2。</translation>
    </message>
    <message>
        <source>The files could not be written to disk: %1.</source>
        <translation>无法将文件写入磁盘：%1。</translation>
    </message>
    <message>
        <source>The data set could not be registered in the database.</source>
        <translation>无法在数据库中登记该数据集。</translation>
    </message>
    <message>
        <source>Import incomplete.</source>
        <translation>导入未完成。</translation>
    </message>
    <message>
        <source>%1 of %2 data items were stored in &quot;%3&quot;.</source>
        <translation>%2 条数据中已有 %1 条保存到&quot;%3&quot;。</translation>
    </message>
    <message>
        <source>No data item was stored.</source>
        <translation>未保存任何数据。</translation>
    </message>
    <message>
        <source>%1 data items were refused: their names cannot be used as file names.</source>
        <translation>已拒绝 %1 条数据：其名称不能用作文件名。</translation>
    </message>
    <message>
        <source>Nothing was removed from the device.</source>
        <translation>未从设备上删除任何数据。</translation>
    </message>
    <message>
        <source>Device time synchronized: %1</source>
        <translation>设备时间已同步：%1</translation>
    </message>
    <message>
        <source>Synchronization failed: %1</source>
        <translation>同步失败：%1</translation>
    </message>
    <message>
        <source>Device upgrade succeeded. Firmware version: %1</source>
        <translation>设备升级成功。固件版本：%1</translation>
    </message>
    <message>
        <source>Device upgrade aborted. The device keeps its firmware.</source>
        <translation>设备升级已中止。设备保留原有固件。</translation>
    </message>
    <message>
        <source>The device refused the file: it is not a firmware file.</source>
        <translation>设备拒绝了该文件：它不是固件文件。</translation>
    </message>
    <message>
        <source>The firmware file is too large for the device.</source>
        <translation>固件文件过大，设备无法接收。</translation>
    </message>
    <message>
        <source>The device has no space for the firmware.</source>
        <translation>设备没有足够空间存放固件。</translation>
    </message>
    <message>
        <source>The firmware file could not be read: %1</source>
        <translation>无法读取固件文件：%1</translation>
    </message>
    <message>
        <source>Device upgrade failed: %1.</source>
        <translation>设备升级失败：%1。</translation>
    </message>
    <message>
        <source>The dataset database could not be updated (error %1). Nothing was removed from the list.</source>
        <translation>数据集数据库无法更新（错误 %1），列表中没有删除任何数据。</translation>
    </message>
    <message numerus="yes">
        <source>%n data item(s) could not be deleted from the disk and stay in the list.</source>
        <translation>
            <numerusform>%n 条数据无法从磁盘删除，仍保留在列表中。</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 was not imported: a data set of this name was registered meanwhile.</source>
        <translation>%1 未导入：同名数据集已被注册。</translation>
    </message>
    <message>
        <source>%1 was not imported: %2.</source>
        <translation>%1 未导入：%2。</translation>
    </message>
    <message numerus="yes">
        <source>Local data import completed for %n data item(s).</source>
        <translation>
            <numerusform>本地数据导入完成，共 %n 条数据。</numerusform>
        </translation>
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
    <name>survey_export</name>
    <message>
        <source>distance 0 m or less: estimated at 0.3 m</source>
        <translation>距离为 0 m 或更小：按 0.3 m 估算</translation>
    </message>
    <message>
        <source>values that are not finite numbers: left out of the totals</source>
        <translation>数值不是有限数：未计入合计</translation>
    </message>
    <message>
        <source>Rank</source>
        <translation>排名</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>SPL (dB)</source>
        <translation>声压级 (dB)</translation>
    </message>
    <message>
        <source>Distance (m)</source>
        <translation>距离 (m)</translation>
    </message>
    <message>
        <source>Level at 1 m (dB)</source>
        <translation>1 m 处声压级 (dB)</translation>
    </message>
    <message>
        <source>Leak rate</source>
        <translation>泄漏速率</translation>
    </message>
    <message>
        <source>Rate unit</source>
        <translation>速率单位</translation>
    </message>
    <message>
        <source>Leak rate (L/min)</source>
        <translation>泄漏速率 (L/min)</translation>
    </message>
    <message>
        <source>Leak level</source>
        <translation>泄漏等级</translation>
    </message>
    <message>
        <source>Yearly cost</source>
        <translation>年成本</translation>
    </message>
    <message>
        <source>Currency</source>
        <translation>货币</translation>
    </message>
    <message>
        <source>Energy (kWh/yr)</source>
        <translation>年能耗 (kWh)</translation>
    </message>
    <message>
        <source>CO2 (kg/yr at %1 kg/kWh)</source>
        <translation>年 CO2 排放 (kg，按 %1 kg/kWh)</translation>
    </message>
    <message>
        <source>Remarks</source>
        <translation>备注</translation>
    </message>
    <message>
        <source>%1 leaks counted</source>
        <translation>计入 %1 个泄漏点</translation>
    </message>
    <message>
        <source>%1 left out of the totals</source>
        <translation>%1 个未计入合计</translation>
    </message>
    <message>
        <source>%1 other data items not listed</source>
        <translation>其余 %1 个数据项未列出</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>合计</translation>
    </message>
    <message>
        <source>%1 (%2 gas leaks listed, %3 other items not listed)</source>
        <translation>%1 (列出 %2 个气体泄漏点，其余 %3 项未列出)</translation>
    </message>
    <message>
        <source>Leaks counted: %1</source>
        <translation>计入合计的泄漏点：%1</translation>
    </message>
    <message>
        <source>Left out of the totals (values that are not finite numbers): %1 leaks.</source>
        <translation>未计入合计（数值不是有限数）：%1 个泄漏点。</translation>
    </message>
    <message>
        <source>* Distance of 0 m or less in the item&apos;s files: estimated at 0.3 m.</source>
        <translation>* 数据文件中的距离为 0 m 或更小：按 0.3 m 估算。</translation>
    </message>
    <message>
        <source>Energy = leak rate (m³/min) × power ratio × 8760 h; CO₂ = energy × %1 kg/kWh. Costs in different currencies are not added together.</source>
        <translation>能耗 = 泄漏速率 (m³/min) × 功率比 × 8760 h；CO₂ = 能耗 × %1 kg/kWh。不同货币的成本不相加。</translation>
    </message>
    <message>
        <source>No gas-leak items</source>
        <translation>没有气体泄漏数据</translation>
    </message>
</context>
<context>
    <name>survey_task</name>
    <message>
        <source>The report was not written: aborted.</source>
        <translation>报告未写入：已终止。</translation>
    </message>
    <message>
        <source>The report could not be written to %1.Error code:%2</source>
        <translation>报告无法写入 %1。错误码：%2</translation>
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
