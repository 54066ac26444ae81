<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
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
    <name>main</name>
    <message>
        <source>Software is running!</source>
        <translation>软件已在运行！</translation>
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
</TS>
