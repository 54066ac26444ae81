<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
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
        <translation>Leak rate</translation>
    </message>
    <message>
        <source>%1:   %2</source>
        <translation>%1:   %2</translation>
    </message>
    <message>
        <source>Leak level</source>
        <translation>Leak level</translation>
    </message>
    <message>
        <source>Cost(%1/yr)</source>
        <translation>Cost(%1/yr)</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Waveform</source>
        <translation>Waveform</translation>
    </message>
    <message>
        <source>Time (sec)</source>
        <translation>Time (sec)</translation>
    </message>
    <message>
        <source>Amplitude (Pa)</source>
        <translation>Amplitude (Pa)</translation>
    </message>
    <message>
        <source>Spectrum</source>
        <translation>Spectrum</translation>
    </message>
    <message>
        <source>Frequency (Hz)</source>
        <translation>Frequency (Hz)</translation>
    </message>
    <message>
        <source>Amplitude (dB)</source>
        <translation>Amplitude (dB)</translation>
    </message>
    <message>
        <source>Phase</source>
        <translation>Phase</translation>
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
        <translation>Language setting</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>WORD application failed to load. Report generation will not be possible!</source>
        <translation>WORD application failed to load. Report generation will not be possible!</translation>
    </message>
    <message>
        <source>Prompt</source>
        <translation>Prompt</translation>
    </message>
    <message>
        <source>Data search cannot be used for report generation!</source>
        <translation>Data search cannot be used for report generation!</translation>
    </message>
    <message>
        <source>Data selection is required for report generation!</source>
        <translation>Data selection is required for report generation!</translation>
    </message>
    <message>
        <source>Please select the data you want to generate a report for!</source>
        <translation>Please select the data you want to generate a report for!</translation>
    </message>
    <message>
        <source>Report generation warning</source>
        <translation>Report generation warning</translation>
    </message>
    <message>
        <source>Report generation</source>
        <translation>Report generation</translation>
    </message>
    <message>
        <source>Report generation is complete! Click &quot;Confirm&quot; to open the report table of contents</source>
        <translation>Report generation is complete! Click &quot;Confirm&quot; to open the report table of contents</translation>
    </message>
    <message>
        <source>Please select the data you want to delete/remove!</source>
        <translation>Please select the data you want to delete/remove!</translation>
    </message>
    <message>
        <source>Confirm deletion of a dataset? The dataset is not recoverable after deletion!</source>
        <translation>Confirm deletion of a dataset? The dataset is not recoverable after deletion!</translation>
    </message>
    <message>
        <source>Confirm to remove data from dataset?</source>
        <translation>Confirm to remove data from dataset?</translation>
    </message>
    <message>
        <source>Deleting a dataset</source>
        <translation>Deleting a dataset</translation>
    </message>
    <message>
        <source>Local data import</source>
        <translation>Local data import</translation>
    </message>
</context>
<context>
    <name>app_config</name>
    <message>
        <source>Routine inspection</source>
        <translation>Routine inspection</translation>
    </message>
    <message>
        <source>Spot check</source>
        <translation>Spot check</translation>
    </message>
    <message>
        <source>°C</source>
        <translation>°C</translation>
    </message>
</context>
<context>
    <name>colormap_label</name>
    <message>
        <source>Time (sec)</source>
        <translation>Time (sec)</translation>
    </message>
    <message>
        <source>Frequency (Hz)</source>
        <translation>Frequency (Hz)</translation>
    </message>
</context>
<context>
    <name>colour_bar_view</name>
    <message>
        <source>Level per frequency</source>
        <translation>Level per frequency</translation>
    </message>
    <message>
        <source>high</source>
        <translation>high</translation>
    </message>
    <message>
        <source>low</source>
        <translation>low</translation>
    </message>
</context>
<context>
    <name>data_detail_widget</name>
    <message>
        <source>Check</source>
        <translation>Check</translation>
    </message>
    <message>
        <source>Attention</source>
        <translation>Attention</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>The data name must not be empty.</source>
        <translation>The data name must not be empty.</translation>
    </message>
    <message>
        <source>Data name already exists! Please modify the data name.</source>
        <translation>Data name already exists! Please modify the data name.</translation>
    </message>
    <message>
        <source>database</source>
        <translation>database</translation>
    </message>
    <message>
        <source>Some changes could not be saved: %1. Please check that the data folder is writable and try again.</source>
        <translation>Some changes could not be saved: %1. Please check that the data folder is writable and try again.</translation>
    </message>
    <message>
        <source>Data Details</source>
        <translation>Data Details</translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation>Maximize</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Time:</source>
        <translation>Time:</translation>
    </message>
    <message>
        <source>SPL:</source>
        <translation>SPL:</translation>
    </message>
    <message>
        <source>Distance:</source>
        <translation>Distance:</translation>
    </message>
    <message>
        <source>Leak rate:</source>
        <translation>Leak rate:</translation>
    </message>
    <message>
        <source>Leak level:</source>
        <translation>Leak level:</translation>
    </message>
    <message>
        <source>Cost:</source>
        <translation>Cost:</translation>
    </message>
    <message>
        <source>Parameter</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <source>Gas-leak parameters of this item</source>
        <translation>Gas-leak parameters of this item</translation>
    </message>
    <message>
        <source>Notes:</source>
        <translation>Notes:</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>General Defect</source>
        <translation>General Defect</translation>
    </message>
    <message>
        <source>Severe Defect</source>
        <translation>Severe Defect</translation>
    </message>
    <message>
        <source>Critical Defects</source>
        <translation>Critical Defects</translation>
    </message>
    <message>
        <source>Favorite</source>
        <translation>Favorite</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Previous</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Spectrogram</source>
        <translation>Spectrogram</translation>
    </message>
</context>
<context>
    <name>data_list_widget</name>
    <message>
        <source>Only local directories are supported for data import!</source>
        <translation>Only local directories are supported for data import!</translation>
    </message>
    <message>
        <source>The local dataset directory name is the same as the existing dataset name!</source>
        <translation>The local dataset directory name is the same as the existing dataset name!</translation>
    </message>
    <message>
        <source>Datasets</source>
        <translation>Datasets</translation>
    </message>
    <message>
        <source>Data Import</source>
        <translation>Data Import</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Rename</translation>
    </message>
    <message>
        <source>Remove from list</source>
        <translation>Remove from list</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Open folder location</source>
        <translation>Open folder location</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>The dataset directory could not be renamed! Please check that it exists and is not in use.</source>
        <translation>The dataset directory could not be renamed! Please check that it exists and is not in use.</translation>
    </message>
    <message>
        <source>Confirm deletion of a dataset? The dataset is not recoverable after deletion!</source>
        <translation>Confirm deletion of a dataset? The dataset is not recoverable after deletion!</translation>
    </message>
    <message>
        <source>Confirm to delete a dataset from the list?</source>
        <translation>Confirm to delete a dataset from the list?</translation>
    </message>
    <message>
        <source>Deleting a dataset</source>
        <translation>Deleting a dataset</translation>
    </message>
    <message>
        <source>Select the data root directory</source>
        <translation>Select the data root directory</translation>
    </message>
    <message>
        <source>Prompt</source>
        <translation>Prompt</translation>
    </message>
</context>
<context>
    <name>data_rename_wodget</name>
    <message>
        <source>Rename</source>
        <translation>Rename</translation>
    </message>
    <message>
        <source>Dataset name:</source>
        <translation>Dataset name:</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>The data name cannot be empty!</source>
        <translation>The data name cannot be empty!</translation>
    </message>
    <message>
        <source>Illegal characters found in the data name! Please modify it.</source>
        <translation>Illegal characters found in the data name! Please modify it.</translation>
    </message>
    <message>
        <source>Dataset name already exists! Please modify it.</source>
        <translation>Dataset name already exists! Please modify it.</translation>
    </message>
</context>
<context>
    <name>data_tool_bar</name>
    <message>
        <source>Select all</source>
        <translation>Select all</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Check</source>
        <translation>Check</translation>
    </message>
    <message>
        <source>General Defect</source>
        <translation>General Defect</translation>
    </message>
    <message>
        <source>Severe Defect</source>
        <translation>Severe Defect</translation>
    </message>
    <message>
        <source>Critical Defects</source>
        <translation>Critical Defects</translation>
    </message>
    <message>
        <source>Favorite</source>
        <translation>Favorite</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>Generate report</source>
        <translation>Generate report</translation>
    </message>
    <message>
        <source>Search data</source>
        <translation>Search data</translation>
    </message>
    <message>
        <source>Attention</source>
        <translation>Attention</translation>
    </message>
</context>
<context>
    <name>delete_data_progress_widget</name>
    <message>
        <source>Deleting a dataset</source>
        <translation>Deleting a dataset</translation>
    </message>
    <message>
        <source>Deleting a dataset...%.1f%%</source>
        <translation>Deleting a dataset...%.1f%%</translation>
    </message>
    <message>
        <source>Confirm to terminate of data deletion?</source>
        <translation>Confirm to terminate of data deletion?</translation>
    </message>
</context>
<context>
    <name>device_update_progress_widget</name>
    <message>
        <source>Device upgrade</source>
        <translation>Device upgrade</translation>
    </message>
    <message>
        <source>Upload firmware...%.1f%%</source>
        <translation>Upload firmware...%.1f%%</translation>
    </message>
    <message>
        <source>Device upgrade abort?</source>
        <translation>Device upgrade abort?</translation>
    </message>
</context>
<context>
    <name>dir_setting_widget</name>
    <message>
        <source>Setting</source>
        <translation>Setting</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
</context>
<context>
    <name>import_local_data_progress_widget</name>
    <message>
        <source>Importing local data</source>
        <translation>Importing local data</translation>
    </message>
    <message>
        <source>Importing local data...%.1f%%</source>
        <translation>Importing local data...%.1f%%</translation>
    </message>
    <message>
        <source>Confirm to terminate the import?</source>
        <translation>Confirm to terminate the import?</translation>
    </message>
</context>
<context>
    <name>lang_setting_widget</name>
    <message>
        <source>Language setting</source>
        <translation>Language setting</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>Language:</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation>Chinese</translation>
    </message>
    <message>
        <source>Prompt</source>
        <translation>Prompt</translation>
    </message>
    <message>
        <source>Language setting success,please restart the software.Click &quot;Confirm&quot; to exit the software.</source>
        <translation>Language setting success,please restart the software.Click &quot;Confirm&quot; to exit the software.</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Software is running!</source>
        <translation>Software is running!</translation>
    </message>
</context>
<context>
    <name>orn_func_obj</name>
    <message>
        <source>Local data import completed!</source>
        <translation>Local data import completed!</translation>
    </message>
    <message>
        <source>No data available for import!</source>
        <translation>No data available for import!</translation>
    </message>
    <message>
        <source>Import from device is not available.</source>
        <translation>Import from device is not available.</translation>
    </message>
    <message>
        <source>Device update is not available.</source>
        <translation>Device update is not available.</translation>
    </message>
    <message>
        <source>Report generation is not available.</source>
        <translation type="vanished">Report generation is not available.</translation>
    </message>
</context>
<context>
    <name>para_setting_widget</name>
    <message>
        <source>Parameter setting</source>
        <translation>Parameter setting</translation>
    </message>
    <message>
        <source>Correction factor:</source>
        <translation>Correction factor:</translation>
    </message>
    <message>
        <source>Currency:</source>
        <translation>Currency:</translation>
    </message>
    <message>
        <source>Energy cost:</source>
        <translation>Energy cost:</translation>
    </message>
    <message>
        <source>Gas cost:</source>
        <translation>Gas cost:</translation>
    </message>
    <message>
        <source>Power ratio:</source>
        <translation>Power ratio:</translation>
    </message>
    <message>
        <source>Gas leak unit:</source>
        <translation>Gas leak unit:</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>preview_item_widget</name>
    <message>
        <source>Open folder location</source>
        <translation>Open folder location</translation>
    </message>
</context>
<context>
    <name>previw_label</name>
    <message>
        <source>Previous frame</source>
        <translation>Previous frame</translation>
    </message>
    <message>
        <source>Next frame</source>
        <translation>Next frame</translation>
    </message>
    <message>
        <source>Frame %1 / %2</source>
        <translation>Frame %1 / %2</translation>
    </message>
</context>
<context>
    <name>report_info_widget</name>
    <message>
        <source>Report generation</source>
        <translation>Report generation</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Inspection purpose:</source>
        <translation>Inspection purpose:</translation>
    </message>
    <message>
        <source>Inspection location:</source>
        <translation>Inspection location:</translation>
    </message>
    <message>
        <source>Temperature:</source>
        <translation>Temperature:</translation>
    </message>
    <message>
        <source>Operating conditions:</source>
        <translation>Operating conditions:</translation>
    </message>
    <message>
        <source>Humidity:</source>
        <translation>Humidity:</translation>
    </message>
    <message>
        <source>Weather:</source>
        <translation>Weather:</translation>
    </message>
    <message>
        <source>Work Unit:</source>
        <translation>Work Unit:</translation>
    </message>
    <message>
        <source>Department:</source>
        <translation>Department:</translation>
    </message>
    <message>
        <source>Responsible person:</source>
        <translation>Responsible person:</translation>
    </message>
    <message>
        <source>Tel:</source>
        <translation>Tel:</translation>
    </message>
    <message>
        <source>Test results:</source>
        <translation>Test results:</translation>
    </message>
    <message>
        <source>Recommendation:</source>
        <translation>Recommendation:</translation>
    </message>
    <message>
        <source>Combine report:</source>
        <translation>Combine report:</translation>
    </message>
</context>
<context>
    <name>report_plot_obj</name>
    <message>
        <source>Frequency (Hz)</source>
        <translation>Frequency (Hz)</translation>
    </message>
    <message>
        <source>Amplitude (dB)</source>
        <translation>Amplitude (dB)</translation>
    </message>
    <message>
        <source>Phase</source>
        <translation>Phase</translation>
    </message>
</context>
<context>
    <name>report_progress_widget</name>
    <message>
        <source>Generate report</source>
        <translation>Generate report</translation>
    </message>
    <message>
        <source>Report generation in progress...%.1f%%</source>
        <translation>Report generation in progress...%.1f%%</translation>
    </message>
    <message>
        <source>Confirm termination of report generation?</source>
        <translation>Confirm termination of report generation?</translation>
    </message>
</context>
<context>
    <name>report_task</name>
    <message>
        <source>The report generation directory cannot be empty!</source>
        <translation>The report generation directory cannot be empty!</translation>
    </message>
    <message>
        <source>Failed to create export directory.Error code:%1</source>
        <translation>Failed to create export directory.Error code:%1</translation>
    </message>
    <message>
        <source>The report could not be written to %1.Error code:%2</source>
        <translation>The report could not be written to %1.Error code:%2</translation>
    </message>
    <message>
        <source>Report generation was aborted; no report was written.</source>
        <translation>Report generation was aborted; no report was written.</translation>
    </message>
    <message>
        <source>No report was written: none of the selected data items could be found.</source>
        <translation>No report was written: none of the selected data items could be found.</translation>
    </message>
    <message>
        <source>Report generation was aborted. The report holds %1 of %2 data items. Click &quot;Confirm&quot; to open the report table of contents</source>
        <translation>Report generation was aborted. The report holds %1 of %2 data items. Click &quot;Confirm&quot; to open the report table of contents</translation>
    </message>
</context>
<context>
    <name>set_default_export_path_widget</name>
    <message>
        <source>Import data save path</source>
        <translation>Import data save path</translation>
    </message>
    <message>
        <source>The data save directory cannot be empty!</source>
        <translation>The data save directory cannot be empty!</translation>
    </message>
</context>
<context>
    <name>set_report_path_widget</name>
    <message>
        <source>Report generation directory</source>
        <translation>Report generation directory</translation>
    </message>
    <message>
        <source>The report generation directory cannot be empty!</source>
        <translation>The report generation directory cannot be empty!</translation>
    </message>
</context>
<context>
    <name>t_orn_msg_box</name>
    <message>
        <source>Confirm</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>t_orn_widget</name>
    <message>
        <source>Confirm</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>task_progress_widget</name>
    <message>
        <source>Progress</source>
        <translation>Progress</translation>
    </message>
    <message>
        <source>Processing progress...%.1f%%</source>
        <translation>Processing progress...%.1f%%</translation>
    </message>
    <message>
        <source>Prompt</source>
        <translation>Prompt</translation>
    </message>
</context>
</TS>
