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
    <message>
        <source>Import from device</source>
        <translation>Import from device</translation>
    </message>
    <message>
        <source>Device search</source>
        <translation>Device search</translation>
    </message>
    <message>
        <source>Time synchronization</source>
        <translation>Time synchronization</translation>
    </message>
    <message>
        <source>Data save path</source>
        <translation>Data save path</translation>
    </message>
    <message>
        <source>Synchronize the computer system time to the device</source>
        <translation>Synchronize the computer system time to the device</translation>
    </message>
    <message>
        <source>No synchronized device found! Please try again later.</source>
        <translation>No synchronized device found! Please try again later.</translation>
    </message>
    <message>
        <source>Select firmware file</source>
        <translation>Select firmware file</translation>
    </message>
    <message>
        <source>Firmware file (*.dat);;All files (*)</source>
        <translation>Firmware file (*.dat);;All files (*)</translation>
    </message>
    <message>
        <source>Device upgrade</source>
        <translation>Device upgrade</translation>
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
    <message>
        <source>Leak survey</source>
        <translation>Leak survey</translation>
    </message>
    <message>
        <source>The dataset could not be renamed in the database (error %1)! Nothing was changed.</source>
        <translation>The dataset could not be renamed in the database (error %1)! Nothing was changed.</translation>
    </message>
    <message>
        <source>The dataset could not be renamed in the database (error %1), and its directory could not be moved back! It is now at: %2</source>
        <translation>The dataset could not be renamed in the database (error %1), and its directory could not be moved back! It is now at: %2</translation>
    </message>
    <message>
        <source>The dataset directory could not be deleted (error %1)! The dataset stays in the list.
%2</source>
        <translation>The dataset directory could not be deleted (error %1)! The dataset stays in the list.
%2</translation>
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
    <message>
        <source>Leak survey</source>
        <translation>Leak survey</translation>
    </message>
</context>
<context>
    <name>database</name>
    <message>
        <source>the disk is full</source>
        <translation>the disk is full</translation>
    </message>
    <message>
        <source>the database is read-only</source>
        <translation>the database is read-only</translation>
    </message>
    <message>
        <source>the database is locked by another program</source>
        <translation>the database is locked by another program</translation>
    </message>
    <message>
        <source>the database reported error %1</source>
        <translation>the database reported error %1</translation>
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
    <name>dev_search_box</name>
    <message>
        <source>Camera address</source>
        <translation>Camera address</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Device</translation>
    </message>
    <message>
        <source>No device found. Enter the address shown on the camera.</source>
        <translation>No device found. Enter the address shown on the camera.</translation>
    </message>
    <message>
        <source>Searching device!</source>
        <translation>Searching device!</translation>
    </message>
    <message>
        <source>Upgrade</source>
        <translation>Upgrade</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Please enter the camera&apos;s IPv4 address as its screen shows it, for example 192.168.1.20.</source>
        <translation>Please enter the camera&apos;s IPv4 address as its screen shows it, for example 192.168.1.20.</translation>
    </message>
    <message>
        <source>Searching...</source>
        <translation>Searching...</translation>
    </message>
</context>
<context>
    <name>dev_sync_time_box</name>
    <message>
        <source>Synchronize the computer system time to the device</source>
        <translation>Synchronize the computer system time to the device</translation>
    </message>
    <message>
        <source>Computer time</source>
        <translation>Computer time</translation>
    </message>
    <message>
        <source>:</source>
        <translation>:</translation>
    </message>
    <message>
        <source>Synchronization</source>
        <translation>Synchronization</translation>
    </message>
    <message>
        <source>Device time</source>
        <translation>Device time</translation>
    </message>
    <message>
        <source>Synchronizing...</source>
        <translation>Synchronizing...</translation>
    </message>
</context>
<context>
    <name>device_link_obj</name>
    <message>
        <source>%1 (%2 data items)</source>
        <translation>%1 (%2 data items)</translation>
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
    <name>import_data_box_widget</name>
    <message>
        <source>connect</source>
        <translation>connect</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>Connecting...</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Device connect fail,please try again!</source>
        <translation>Device connect fail,please try again!</translation>
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
    <name>import_operate_widget</name>
    <message>
        <source>Data Import</source>
        <translation>Data Import</translation>
    </message>
    <message>
        <source>Connect device</source>
        <translation>Connect device</translation>
    </message>
    <message>
        <source>Choose data</source>
        <translation>Choose data</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>Finish</translation>
    </message>
    <message>
        <source>Select all</source>
        <translation>Select all</translation>
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
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Device list:</source>
        <translation>Device list:</translation>
    </message>
    <message>
        <source>No device is known yet. Find one with &quot;Device search&quot; in the main window&apos;s context menu.</source>
        <translation>No device is known yet. Find one with &quot;Device search&quot; in the main window&apos;s context menu.</translation>
    </message>
    <message>
        <source>Open the list, point at a device and press &quot;connect&quot;.</source>
        <translation>Open the list, point at a device and press &quot;connect&quot;.</translation>
    </message>
    <message>
        <source>Please enter the data name:</source>
        <translation>Please enter the data name:</translation>
    </message>
    <message>
        <source>Please enter the data name</source>
        <translation>Please enter the data name</translation>
    </message>
    <message>
        <source>Remove device data</source>
        <translation>Remove device data</translation>
    </message>
    <message>
        <source>Data exporting, keep device power on and network connected.</source>
        <translation>Data exporting, keep device power on and network connected.</translation>
    </message>
    <message>
        <source>Exporting...%5.1f%%</source>
        <translation>Exporting...%5.1f%%</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Data import succeeded</source>
        <translation>Data import succeeded</translation>
    </message>
    <message>
        <source>Data import aborted</source>
        <translation>Data import aborted</translation>
    </message>
    <message>
        <source>Data import failed</source>
        <translation>Data import failed</translation>
    </message>
    <message>
        <source>Prompt</source>
        <translation>Prompt</translation>
    </message>
    <message>
        <source>No available devices in the device list!
Export abort!</source>
        <translation>No available devices in the device list!
Export abort!</translation>
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
        <source> Illegal characters found in the data name! Please modify it.</source>
        <translation> Illegal characters found in the data name! Please modify it.</translation>
    </message>
    <message>
        <source>Data name already exists! Please modify it</source>
        <translation>Data name already exists! Please modify it</translation>
    </message>
    <message>
        <source>Select the data you want to import!</source>
        <translation>Select the data you want to import!</translation>
    </message>
    <message>
        <source>Confirm abort importing data!</source>
        <translation>Confirm abort importing data!</translation>
    </message>
    <message>
        <source>Connecting to %1...</source>
        <translation>Connecting to %1...</translation>
    </message>
    <message>
        <source>Connected to %1. Data sets on the device: %2</source>
        <translation>Connected to %1. Data sets on the device: %2</translation>
    </message>
    <message>
        <source>Import data abort</source>
        <translation>Import data abort</translation>
    </message>
    <message>
        <source>Aborting...</source>
        <translation>Aborting...</translation>
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
    <name>leak_survey_model</name>
    <message>
        <source>The distance is 0 m or less: the estimate takes 0.3 m.</source>
        <translation>The distance is 0 m or less: the estimate takes 0.3 m.</translation>
    </message>
    <message>
        <source>Some values are not finite numbers: this leak is left out of the totals.</source>
        <translation>Some values are not finite numbers: this leak is left out of the totals.</translation>
    </message>
    <message>
        <source>No power ratio: no energy or CO₂ figure.</source>
        <translation>No power ratio: no energy or CO₂ figure.</translation>
    </message>
    <message>
        <source>Rank</source>
        <translation>Rank</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>SPL (dB)</source>
        <translation>SPL (dB)</translation>
    </message>
    <message>
        <source>Distance (m)</source>
        <translation>Distance (m)</translation>
    </message>
    <message>
        <source>Level at 1 m (dB)</source>
        <translation>Level at 1 m (dB)</translation>
    </message>
    <message>
        <source>Leak rate</source>
        <translation>Leak rate</translation>
    </message>
    <message>
        <source>Leak level</source>
        <translation>Leak level</translation>
    </message>
    <message>
        <source>Yearly cost</source>
        <translation>Yearly cost</translation>
    </message>
    <message>
        <source>Energy (kWh/yr)</source>
        <translation>Energy (kWh/yr)</translation>
    </message>
    <message>
        <source>CO₂ (kg/yr)</source>
        <translation>CO₂ (kg/yr)</translation>
    </message>
</context>
<context>
    <name>leak_survey_totals_model</name>
    <message>
        <source>Total</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>Leaks counted: %1</source>
        <translation>Leaks counted: %1</translation>
    </message>
</context>
<context>
    <name>leak_survey_widget</name>
    <message>
        <source>Leak survey</source>
        <translation>Leak survey</translation>
    </message>
    <message>
        <source>Leak survey - %1</source>
        <translation>Leak survey - %1</translation>
    </message>
    <message>
        <source>CO₂ factor:</source>
        <translation>CO₂ factor:</translation>
    </message>
    <message>
        <source>Double-click a leak to open its details.</source>
        <translation>Double-click a leak to open its details.</translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation>Export CSV</translation>
    </message>
    <message>
        <source>Export report</source>
        <translation>Export report</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>No gas-leak items among the %1 data items.</source>
        <translation>No gas-leak items among the %1 data items.</translation>
    </message>
    <message>
        <source>%1 gas-leak items of %2 data items; %3 other items are not listed.</source>
        <translation>%1 gas-leak items of %2 data items; %3 other items are not listed.</translation>
    </message>
    <message>
        <source>%1 left out of the totals: their values are not finite numbers.</source>
        <translation>%1 left out of the totals: their values are not finite numbers.</translation>
    </message>
    <message>
        <source>The leak survey could not be saved to %1 (error %2). Please check that the folder is writable.</source>
        <translation>The leak survey could not be saved to %1 (error %2). Please check that the folder is writable.</translation>
    </message>
    <message>
        <source>The leak survey was saved to %1.</source>
        <translation>The leak survey was saved to %1.</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>Word documents (*.docx)</source>
        <translation>Word documents (*.docx)</translation>
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
        <source>the device answered with an error</source>
        <translation>the device answered with an error</translation>
    </message>
    <message>
        <source>the device&apos;s answer could not be read</source>
        <translation>the device&apos;s answer could not be read</translation>
    </message>
    <message>
        <source>the connection to the device was lost</source>
        <translation>the connection to the device was lost</translation>
    </message>
    <message>
        <source>the device could not be reached (%1)</source>
        <translation>the device could not be reached (%1)</translation>
    </message>
    <message>
        <source>%1 data items were stored in &quot;%2&quot; and registered.</source>
        <translation>%1 data items were stored in &quot;%2&quot; and registered.</translation>
    </message>
    <message>
        <source>The data was removed from the device.</source>
        <translation>The data was removed from the device.</translation>
    </message>
    <message>
        <source>Removing the data from the device failed: %1.</source>
        <translation>Removing the data from the device failed: %1.</translation>
    </message>
    <message>
        <source>No data save directory is set. Choose one with &quot;Data save path&quot; in the main window&apos;s context menu.</source>
        <translation>No data save directory is set. Choose one with &quot;Data save path&quot; in the main window&apos;s context menu.</translation>
    </message>
    <message>
        <source>The data name cannot be used as a directory name.</source>
        <translation>The data name cannot be used as a directory name.</translation>
    </message>
    <message>
        <source>The device named a data set &quot;%1&quot;, which cannot be used as a directory name. Nothing was imported.</source>
        <translation>The device named a data set &quot;%1&quot;, which cannot be used as a directory name. Nothing was imported.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; already exists. Choose another data name.</source>
        <translation>&quot;%1&quot; already exists. Choose another data name.</translation>
    </message>
    <message>
        <source>The directory &quot;%1&quot; could not be created: %2.</source>
        <translation>The directory &quot;%1&quot; could not be created: %2.</translation>
    </message>
    <message>
        <source>The device did not list the data set &quot;%1&quot;: %2. Nothing was imported.</source>
        <translation>The device did not list the data set &quot;%1&quot;: %2. Nothing was imported.</translation>
    </message>
    <message>
        <source>Import aborted.</source>
        <translation>Import aborted.</translation>
    </message>
    <message>
        <source>The transfer of &quot;%1&quot; failed: %2.</source>
        <translation>The transfer of &quot;%1&quot; failed: %2.</translation>
    </message>
    <message>
        <source>The files could not be written to disk: %1.</source>
        <translation>The files could not be written to disk: %1.</translation>
    </message>
    <message>
        <source>The data set could not be registered in the database.</source>
        <translation>The data set could not be registered in the database.</translation>
    </message>
    <message>
        <source>Import incomplete.</source>
        <translation>Import incomplete.</translation>
    </message>
    <message>
        <source>%1 of %2 data items were stored in &quot;%3&quot;.</source>
        <translation>%1 of %2 data items were stored in &quot;%3&quot;.</translation>
    </message>
    <message>
        <source>No data item was stored.</source>
        <translation>No data item was stored.</translation>
    </message>
    <message>
        <source>%1 data items were refused: their names cannot be used as file names.</source>
        <translation>%1 data items were refused: their names cannot be used as file names.</translation>
    </message>
    <message>
        <source>Nothing was removed from the device.</source>
        <translation>Nothing was removed from the device.</translation>
    </message>
    <message>
        <source>Device time synchronized: %1</source>
        <translation>Device time synchronized: %1</translation>
    </message>
    <message>
        <source>Synchronization failed: %1</source>
        <translation>Synchronization failed: %1</translation>
    </message>
    <message>
        <source>Device upgrade succeeded. Firmware version: %1</source>
        <translation>Device upgrade succeeded. Firmware version: %1</translation>
    </message>
    <message>
        <source>Device upgrade aborted. The device keeps its firmware.</source>
        <translation>Device upgrade aborted. The device keeps its firmware.</translation>
    </message>
    <message>
        <source>The device refused the file: it is not a firmware file.</source>
        <translation>The device refused the file: it is not a firmware file.</translation>
    </message>
    <message>
        <source>The firmware file is too large for the device.</source>
        <translation>The firmware file is too large for the device.</translation>
    </message>
    <message>
        <source>The device has no space for the firmware.</source>
        <translation>The device has no space for the firmware.</translation>
    </message>
    <message>
        <source>The firmware file could not be read: %1</source>
        <translation>The firmware file could not be read: %1</translation>
    </message>
    <message>
        <source>Device upgrade failed: %1.</source>
        <translation>Device upgrade failed: %1.</translation>
    </message>
    <message>
        <source>The dataset database could not be updated (error %1). Nothing was removed from the list.</source>
        <translation>The dataset database could not be updated (error %1). Nothing was removed from the list.</translation>
    </message>
    <message numerus="yes">
        <source>%n data item(s) could not be deleted from the disk and stay in the list.</source>
        <translation>
            <numerusform>%n data item could not be deleted from the disk and stays in the list.</numerusform>
            <numerusform>%n data items could not be deleted from the disk and stay in the list.</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 was not imported: a data set of this name was registered meanwhile.</source>
        <translation>%1 was not imported: a data set of this name was registered meanwhile.</translation>
    </message>
    <message>
        <source>%1 was not imported: %2.</source>
        <translation>%1 was not imported: %2.</translation>
    </message>
    <message numerus="yes">
        <source>Local data import completed for %n data item(s).</source>
        <translation>
            <numerusform>Local data import completed for %n data item.</numerusform>
            <numerusform>Local data import completed for %n data items.</numerusform>
        </translation>
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
    <name>survey_export</name>
    <message>
        <source>distance 0 m or less: estimated at 0.3 m</source>
        <translation>distance 0 m or less: estimated at 0.3 m</translation>
    </message>
    <message>
        <source>values that are not finite numbers: left out of the totals</source>
        <translation>values that are not finite numbers: left out of the totals</translation>
    </message>
    <message>
        <source>Rank</source>
        <translation>Rank</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>SPL (dB)</source>
        <translation>SPL (dB)</translation>
    </message>
    <message>
        <source>Distance (m)</source>
        <translation>Distance (m)</translation>
    </message>
    <message>
        <source>Level at 1 m (dB)</source>
        <translation>Level at 1 m (dB)</translation>
    </message>
    <message>
        <source>Leak rate</source>
        <translation>Leak rate</translation>
    </message>
    <message>
        <source>Rate unit</source>
        <translation>Rate unit</translation>
    </message>
    <message>
        <source>Leak rate (L/min)</source>
        <translation>Leak rate (L/min)</translation>
    </message>
    <message>
        <source>Leak level</source>
        <translation>Leak level</translation>
    </message>
    <message>
        <source>Yearly cost</source>
        <translation>Yearly cost</translation>
    </message>
    <message>
        <source>Currency</source>
        <translation>Currency</translation>
    </message>
    <message>
        <source>Energy (kWh/yr)</source>
        <translation>Energy (kWh/yr)</translation>
    </message>
    <message>
        <source>CO2 (kg/yr at %1 kg/kWh)</source>
        <translation>CO2 (kg/yr at %1 kg/kWh)</translation>
    </message>
    <message>
        <source>Remarks</source>
        <translation>Remarks</translation>
    </message>
    <message>
        <source>%1 leaks counted</source>
        <translation>%1 leaks counted</translation>
    </message>
    <message>
        <source>%1 left out of the totals</source>
        <translation>%1 left out of the totals</translation>
    </message>
    <message>
        <source>%1 other data items not listed</source>
        <translation>%1 other data items not listed</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>%1 (%2 gas leaks listed, %3 other items not listed)</source>
        <translation>%1 (%2 gas leaks listed, %3 other items not listed)</translation>
    </message>
    <message>
        <source>Leaks counted: %1</source>
        <translation>Leaks counted: %1</translation>
    </message>
    <message>
        <source>Left out of the totals (values that are not finite numbers): %1 leaks.</source>
        <translation>Left out of the totals (values that are not finite numbers): %1 leaks.</translation>
    </message>
    <message>
        <source>* Distance of 0 m or less in the item&apos;s files: estimated at 0.3 m.</source>
        <translation>* Distance of 0 m or less in the item&apos;s files: estimated at 0.3 m.</translation>
    </message>
    <message>
        <source>Energy = leak rate (m³/min) × power ratio × 8760 h; CO₂ = energy × %1 kg/kWh. Costs in different currencies are not added together.</source>
        <translation>Energy = leak rate (m³/min) × power ratio × 8760 h; CO₂ = energy × %1 kg/kWh. Costs in different currencies are not added together.</translation>
    </message>
    <message>
        <source>No gas-leak items</source>
        <translation>No gas-leak items</translation>
    </message>
</context>
<context>
    <name>survey_task</name>
    <message>
        <source>The report was not written: aborted.</source>
        <translation>The report was not written: aborted.</translation>
    </message>
    <message>
        <source>The report could not be written to %1.Error code:%2</source>
        <translation>The report could not be written to %1.Error code:%2</translation>
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
