<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
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
    <name>main</name>
    <message>
        <source>Software is running!</source>
        <translation>Software is running!</translation>
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
</TS>
