<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>velantro</name>
    <message>
        <source>error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Music auto mode</source>
        <translation>音乐自动模式</translation>
    </message>
    <message>
        <source>Music sing or disco mode</source>
        <translation>音乐演唱/迪斯科模式</translation>
    </message>
    <message>
        <source>Music EQ pass</source>
        <translation>音乐均衡直通</translation>
    </message>
    <message>
        <source>Music EQ 1 type</source>
        <translation>音乐 均衡 1 类型</translation>
    </message>
    <message>
        <source>Music EQ 1 frequency</source>
        <translation>音乐 均衡 1 频率</translation>
    </message>
    <message>
        <source>Music EQ 1 gain</source>
        <translation>音乐 均衡 1 增益</translation>
    </message>
    <message>
        <source>Music EQ 1 Q</source>
        <translation>音乐 均衡 1 Q</translation>
    </message>
    <message>
        <source>Music EQ 1 shelf Q</source>
        <translation>音乐 均衡 1 搁架 Q</translation>
    </message>
    <message>
        <source>Music EQ 2 type</source>
        <translation>音乐 均衡 2 类型</translation>
    </message>
    <message>
        <source>Music EQ 2 frequency</source>
        <translation>音乐 均衡 2 频率</translation>
    </message>
    <message>
        <source>Music EQ 2 gain</source>
        <translation>音乐 均衡 2 增益</translation>
    </message>
    <message>
        <source>Music EQ 2 Q</source>
        <translation>音乐 均衡 2 Q</translation>
    </message>
    <message>
        <source>Music EQ 2 shelf Q</source>
        <translation>音乐 均衡 2 搁架 Q</translation>
    </message>
    <message>
        <source>Music EQ 3 type</source>
        <translation>音乐 均衡 3 类型</translation>
    </message>
    <message>
        <source>Music EQ 3 frequency</source>
        <translation>音乐 均衡 3 频率</translation>
    </message>
    <message>
        <source>Music EQ 3 gain</source>
        <translation>音乐 均衡 3 增益</translation>
    </message>
    <message>
        <source>Music EQ 3 Q</source>
        <translation>音乐 均衡 3 Q</translation>
    </message>
    <message>
        <source>Music EQ 3 shelf Q</source>
        <translation>音乐 均衡 3 搁架 Q</translation>
    </message>
    <message>
        <source>Music EQ 4 type</source>
        <translation>音乐 均衡 4 类型</translation>
    </message>
    <message>
        <source>Music EQ 4 frequency</source>
        <translation>音乐 均衡 4 频率</translation>
    </message>
    <message>
        <source>Music EQ 4 gain</source>
        <translation>音乐 均衡 4 增益</translation>
    </message>
    <message>
        <source>Music EQ 4 Q</source>
        <translation>音乐 均衡 4 Q</translation>
    </message>
    <message>
        <source>Music EQ 4 shelf Q</source>
        <translation>音乐 均衡 4 搁架 Q</translation>
    </message>
    <message>
        <source>Music EQ 5 type</source>
        <translation>音乐 均衡 5 类型</translation>
    </message>
    <message>
        <source>Music EQ 5 frequency</source>
        <translation>音乐 均衡 5 频率</translation>
    </message>
    <message>
        <source>Music EQ 5 gain</source>
        <translation>音乐 均衡 5 增益</translation>
    </message>
    <message>
        <source>Music EQ 5 Q</source>
        <translation>音乐 均衡 5 Q</translation>
    </message>
    <message>
        <source>Music EQ 5 shelf Q</source>
        <translation>音乐 均衡 5 搁架 Q</translation>
    </message>
    <message>
        <source>Music EQ 6 type</source>
        <translation>音乐 均衡 6 类型</translation>
    </message>
    <message>
        <source>Music EQ 6 frequency</source>
        <translation>音乐 均衡 6 频率</translation>
    </message>
    <message>
        <source>Music EQ 6 gain</source>
        <translation>音乐 均衡 6 增益</translation>
    </message>
    <message>
        <source>Music EQ 6 Q</source>
        <translation>音乐 均衡 6 Q</translation>
    </message>
    <message>
        <source>Music EQ 6 shelf Q</source>
        <translation>音乐 均衡 6 搁架 Q</translation>
    </message>
    <message>
        <source>Music EQ 7 type</source>
        <translation>音乐 均衡 7 类型</translation>
    </message>
    <message>
        <source>Music EQ 7 frequency</source>
        <translation>音乐 均衡 7 频率</translation>
    </message>
    <message>
        <source>Music EQ 7 gain</source>
        <translation>音乐 均衡 7 增益</translation>
    </message>
    <message>
        <source>Music EQ 7 Q</source>
        <translation>音乐 均衡 7 Q</translation>
    </message>
    <message>
        <source>Music EQ 7 shelf Q</source>
        <translation>音乐 均衡 7 搁架 Q</translation>
    </message>
    <message>
        <source>Music EQ 8 type</source>
        <translation>音乐 均衡 8 类型</translation>
    </message>
    <message>
        <source>Music EQ 8 frequency</source>
        <translation>音乐 均衡 8 频率</translation>
    </message>
    <message>
        <source>Music EQ 8 gain</source>
        <translation>音乐 均衡 8 增益</translation>
    </message>
    <message>
        <source>Music EQ 8 Q</source>
        <translation>音乐 均衡 8 Q</translation>
    </message>
    <message>
        <source>Music EQ 8 shelf Q</source>
        <translation>音乐 均衡 8 搁架 Q</translation>
    </message>
    <message>
        <source>Music EQ 9 type</source>
        <translation>音乐 均衡 9 类型</translation>
    </message>
    <message>
        <source>Music EQ 9 frequency</source>
        <translation>音乐 均衡 9 频率</translation>
    </message>
    <message>
        <source>Music EQ 9 gain</source>
        <translation>音乐 均衡 9 增益</translation>
    </message>
    <message>
        <source>Music EQ 9 Q</source>
        <translation>音乐 均衡 9 Q</translation>
    </message>
    <message>
        <source>Music EQ 9 shelf Q</source>
        <translation>音乐 均衡 9 搁架 Q</translation>
    </message>
    <message>
        <source>Music EQ 10 type</source>
        <translation>音乐 均衡 10 类型</translation>
    </message>
    <message>
        <source>Music EQ 10 frequency</source>
        <translation>音乐 均衡 10 频率</translation>
    </message>
    <message>
        <source>Music EQ 10 gain</source>
        <translation>音乐 均衡 10 增益</translation>
    </message>
    <message>
        <source>Music EQ 10 Q</source>
        <translation>音乐 均衡 10 Q</translation>
    </message>
    <message>
        <source>Music EQ 10 shelf Q</source>
        <translation>音乐 均衡 10 搁架 Q</translation>
    </message>
    <message>
        <source>MIC A HPF frequency</source>
        <translation>MIC A 高通频率</translation>
    </message>
    <message>
        <source>MIC A frequency shift</source>
        <translation>MIC A 移频</translation>
    </message>
    <message>
        <source>MIC A noise gate</source>
        <translation>MIC A 噪声门</translation>
    </message>
    <message>
        <source>MIC A EQ 1 type</source>
        <translation>MIC A 均衡 1 类型</translation>
    </message>
    <message>
        <source>MIC A EQ 1 frequency</source>
        <translation>MIC A 均衡 1 频率</translation>
    </message>
    <message>
        <source>MIC A EQ 1 gain</source>
        <translation>MIC A 均衡 1 增益</translation>
    </message>
    <message>
        <source>MIC A EQ 1 Q</source>
        <translation>MIC A 均衡 1 Q</translation>
    </message>
    <message>
        <source>MIC A EQ 1 shelf Q</source>
        <translation>MIC A 均衡 1 搁架 Q</translation>
    </message>
    <message>
        <source>MIC A EQ 2 type</source>
        <translation>MIC A 均衡 2 类型</translation>
    </message>
    <message>
        <source>MIC A EQ 2 frequency</source>
        <translation>MIC A 均衡 2 频率</translation>
    </message>
    <message>
        <source>MIC A EQ 2 gain</source>
        <translation>MIC A 均衡 2 增益</translation>
    </message>
    <message>
        <source>MIC A EQ 2 Q</source>
        <translation>MIC A 均衡 2 Q</translation>
    </message>
    <message>
        <source>MIC A EQ 2 shelf Q</source>
        <translation>MIC A 均衡 2 搁架 Q</translation>
    </message>
    <message>
        <source>MIC A EQ 3 type</source>
        <translation>MIC A 均衡 3 类型</translation>
    </message>
    <message>
        <source>MIC A EQ 3 frequency</source>
        <translation>MIC A 均衡 3 频率</translation>
    </message>
    <message>
        <source>MIC A EQ 3 gain</source>
        <translation>MIC A 均衡 3 增益</translation>
    </message>
    <message>
        <source>MIC A EQ 3 Q</source>
        <translation>MIC A 均衡 3 Q</translation>
    </message>
    <message>
        <source>MIC A EQ 3 shelf Q</source>
        <translation>MIC A 均衡 3 搁架 Q</translation>
    </message>
    <message>
        <source>MIC A EQ 4 type</source>
        <translation>MIC A 均衡 4 类型</translation>
    </message>
    <message>
        <source>MIC A EQ 4 frequency</source>
        <translation>MIC A 均衡 4 频率</translation>
    </message>
    <message>
        <source>MIC A EQ 4 gain</source>
        <translation>MIC A 均衡 4 增益</translation>
    </message>
    <message>
        <source>MIC A EQ 4 Q</source>
        <translation>MIC A 均衡 4 Q</translation>
    </message>
    <message>
        <source>MIC A EQ 4 shelf Q</source>
        <translation>MIC A 均衡 4 搁架 Q</translation>
    </message>
    <message>
        <source>MIC A EQ 5 type</source>
        <translation>MIC A 均衡 5 类型</translation>
    </message>
    <message>
        <source>MIC A EQ 5 frequency</source>
        <translation>MIC A 均衡 5 频率</translation>
    </message>
    <message>
        <source>MIC A EQ 5 gain</source>
        <translation>MIC A 均衡 5 增益</translation>
    </message>
    <message>
        <source>MIC A EQ 5 Q</source>
        <translation>MIC A 均衡 5 Q</translation>
    </message>
    <message>
        <source>MIC A EQ 5 shelf Q</source>
        <translation>MIC A 均衡 5 搁架 Q</translation>
    </message>
    <message>
        <source>MIC A EQ 6 type</source>
        <translation>MIC A 均衡 6 类型</translation>
    </message>
    <message>
        <source>MIC A EQ 6 frequency</source>
        <translation>MIC A 均衡 6 频率</translation>
    </message>
    <message>
        <source>MIC A EQ 6 gain</source>
        <translation>MIC A 均衡 6 增益</translation>
    </message>
    <message>
        <source>MIC A EQ 6 Q</source>
        <translation>MIC A 均衡 6 Q</translation>
    </message>
    <message>
        <source>MIC A EQ 6 shelf Q</source>
        <translation>MIC A 均衡 6 搁架 Q</translation>
    </message>
    <message>
        <source>MIC A EQ 7 type</source>
        <translation>MIC A 均衡 7 类型</translation>
    </message>
    <message>
        <source>MIC A EQ 7 frequency</source>
        <translation>MIC A 均衡 7 频率</translation>
    </message>
    <message>
        <source>MIC A EQ 7 gain</source>
        <translation>MIC A 均衡 7 增益</translation>
    </message>
    <message>
        <source>MIC A EQ 7 Q</source>
        <translation>MIC A 均衡 7 Q</translation>
    </message>
    <message>
        <source>MIC A EQ 7 shelf Q</source>
        <translation>MIC A 均衡 7 搁架 Q</translation>
    </message>
    <message>
        <source>MIC A EQ 8 type</source>
        <translation>MIC A 均衡 8 类型</translation>
    </message>
    <message>
        <source>MIC A EQ 8 frequency</source>
        <translation>MIC A 均衡 8 频率</translation>
    </message>
    <message>
        <source>MIC A EQ 8 gain</source>
        <translation>MIC A 均衡 8 增益</translation>
    </message>
    <message>
        <source>MIC A EQ 8 Q</source>
        <translation>MIC A 均衡 8 Q</translation>
    </message>
    <message>
        <source>MIC A EQ 8 shelf Q</source>
        <translation>MIC A 均衡 8 搁架 Q</translation>
    </message>
    <message>
        <source>MIC A EQ 9 type</source>
        <translation>MIC A 均衡 9 类型</translation>
    </message>
    <message>
        <source>MIC A EQ 9 frequency</source>
        <translation>MIC A 均衡 9 频率</translation>
    </message>
    <message>
        <source>MIC A EQ 9 gain</source>
        <translation>MIC A 均衡 9 增益</translation>
    </message>
    <message>
        <source>MIC A EQ 9 Q</source>
        <translation>MIC A 均衡 9 Q</translation>
    </message>
    <message>
        <source>MIC A EQ 9 shelf Q</source>
        <translation>MIC A 均衡 9 搁架 Q</translation>
    </message>
    <message>
        <source>MIC A EQ 10 type</source>
        <translation>MIC A 均衡 10 类型</translation>
    </message>
    <message>
        <source>MIC A EQ 10 frequency</source>
        <translation>MIC A 均衡 10 频率</translation>
    </message>
    <message>
        <source>MIC A EQ 10 gain</source>
        <translation>MIC A 均衡 10 增益</translation>
    </message>
    <message>
        <source>MIC A EQ 10 Q</source>
        <translation>MIC A 均衡 10 Q</translation>
    </message>
    <message>
        <source>MIC A EQ 10 shelf Q</source>
        <translation>MIC A 均衡 10 搁架 Q</translation>
    </message>
    <message>
        <source>MIC A EQ 11 type</source>
        <translation>MIC A 均衡 11 类型</translation>
    </message>
    <message>
        <source>MIC A EQ 11 frequency</source>
        <translation>MIC A 均衡 11 频率</translation>
    </message>
    <message>
        <source>MIC A EQ 11 gain</source>
        <translation>MIC A 均衡 11 增益</translation>
    </message>
    <message>
        <source>MIC A EQ 11 Q</source>
        <translation>MIC A 均衡 11 Q</translation>
    </message>
    <message>
        <source>MIC A EQ 11 shelf Q</source>
        <translation>MIC A 均衡 11 搁架 Q</translation>
    </message>
    <message>
        <source>MIC A EQ 12 type</source>
        <translation>MIC A 均衡 12 类型</translation>
    </message>
    <message>
        <source>MIC A EQ 12 frequency</source>
        <translation>MIC A 均衡 12 频率</translation>
    </message>
    <message>
        <source>MIC A EQ 12 gain</source>
        <translation>MIC A 均衡 12 增益</translation>
    </message>
    <message>
        <source>MIC A EQ 12 Q</source>
        <translation>MIC A 均衡 12 Q</translation>
    </message>
    <message>
        <source>MIC A EQ 12 shelf Q</source>
        <translation>MIC A 均衡 12 搁架 Q</translation>
    </message>
    <message>
        <source>MIC A EQ 13 type</source>
        <translation>MIC A 均衡 13 类型</translation>
    </message>
    <message>
        <source>MIC A EQ 13 frequency</source>
        <translation>MIC A 均衡 13 频率</translation>
    </message>
    <message>
        <source>MIC A EQ 13 gain</source>
        <translation>MIC A 均衡 13 增益</translation>
    </message>
    <message>
        <source>MIC A EQ 13 Q</source>
        <translation>MIC A 均衡 13 Q</translation>
    </message>
    <message>
        <source>MIC A EQ 13 shelf Q</source>
        <translation>MIC A 均衡 13 搁架 Q</translation>
    </message>
    <message>
        <source>MIC A EQ 14 type</source>
        <translation>MIC A 均衡 14 类型</translation>
    </message>
    <message>
        <source>MIC A EQ 14 frequency</source>
        <translation>MIC A 均衡 14 频率</translation>
    </message>
    <message>
        <source>MIC A EQ 14 gain</source>
        <translation>MIC A 均衡 14 增益</translation>
    </message>
    <message>
        <source>MIC A EQ 14 Q</source>
        <translation>MIC A 均衡 14 Q</translation>
    </message>
    <message>
        <source>MIC A EQ 14 shelf Q</source>
        <translation>MIC A 均衡 14 搁架 Q</translation>
    </message>
    <message>
        <source>MIC A EQ 15 type</source>
        <translation>MIC A 均衡 15 类型</translation>
    </message>
    <message>
        <source>MIC A EQ 15 frequency</source>
        <translation>MIC A 均衡 15 频率</translation>
    </message>
    <message>
        <source>MIC A EQ 15 gain</source>
        <translation>MIC A 均衡 15 增益</translation>
    </message>
    <message>
        <source>MIC A EQ 15 Q</source>
        <translation>MIC A 均衡 15 Q</translation>
    </message>
    <message>
        <source>MIC A EQ 15 shelf Q</source>
        <translation>MIC A 均衡 15 搁架 Q</translation>
    </message>
    <message>
        <source>DEQ 1 EQ pass</source>
        <translation>DEQ 1 均衡直通</translation>
    </message>
    <message>
        <source>DEQ 1 type</source>
        <translation>DEQ 1 类型</translation>
    </message>
    <message>
        <source>DEQ 1 frequency</source>
        <translation>DEQ 1 频率</translation>
    </message>
    <message>
        <source>DEQ 1 gain</source>
        <translation>DEQ 1 增益</translation>
    </message>
    <message>
        <source>DEQ 1 Q</source>
        <translation>DEQ 1 Q</translation>
    </message>
    <message>
        <source>DEQ 1 shelf Q</source>
        <translation>DEQ 1 搁架 Q</translation>
    </message>
    <message>
        <source>DEQ 1 work mode</source>
        <translation>DEQ 1 工作模式</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>关</translation>
    </message>
    <message>
        <source>Below</source>
        <translation>低于</translation>
    </message>
    <message>
        <source>Above</source>
        <translation>高于</translation>
    </message>
    <message>
        <source>DEQ 1 attack time</source>
        <translation>DEQ 1 启动时间</translation>
    </message>
    <message>
        <source>DEQ 1 release time</source>
        <translation>DEQ 1 恢复时间</translation>
    </message>
    <message>
        <source>DEQ 1 attack level</source>
        <translation>DEQ 1 启动电平</translation>
    </message>
    <message>
        <source>DEQ 1 dynamic ratio</source>
        <translation>DEQ 1 动态比</translation>
    </message>
    <message>
        <source>DEQ 1 dynamic mode</source>
        <translation>DEQ 1 动态模式</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>快</translation>
    </message>
    <message>
        <source>Mid</source>
        <translation>中</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>慢</translation>
    </message>
    <message>
        <source>DEQ 2 EQ pass</source>
        <translation>DEQ 2 均衡直通</translation>
    </message>
    <message>
        <source>DEQ 2 type</source>
        <translation>DEQ 2 类型</translation>
    </message>
    <message>
        <source>DEQ 2 frequency</source>
        <translation>DEQ 2 频率</translation>
    </message>
    <message>
        <source>DEQ 2 gain</source>
        <translation>DEQ 2 增益</translation>
    </message>
    <message>
        <source>DEQ 2 Q</source>
        <translation>DEQ 2 Q</translation>
    </message>
    <message>
        <source>DEQ 2 shelf Q</source>
        <translation>DEQ 2 搁架 Q</translation>
    </message>
    <message>
        <source>DEQ 2 work mode</source>
        <translation>DEQ 2 工作模式</translation>
    </message>
    <message>
        <source>DEQ 2 attack time</source>
        <translation>DEQ 2 启动时间</translation>
    </message>
    <message>
        <source>DEQ 2 release time</source>
        <translation>DEQ 2 恢复时间</translation>
    </message>
    <message>
        <source>DEQ 2 attack level</source>
        <translation>DEQ 2 启动电平</translation>
    </message>
    <message>
        <source>DEQ 2 dynamic ratio</source>
        <translation>DEQ 2 动态比</translation>
    </message>
    <message>
        <source>DEQ 2 dynamic mode</source>
        <translation>DEQ 2 动态模式</translation>
    </message>
    <message>
        <source>DEQ 3 EQ pass</source>
        <translation>DEQ 3 均衡直通</translation>
    </message>
    <message>
        <source>DEQ 3 type</source>
        <translation>DEQ 3 类型</translation>
    </message>
    <message>
        <source>DEQ 3 frequency</source>
        <translation>DEQ 3 频率</translation>
    </message>
    <message>
        <source>DEQ 3 gain</source>
        <translation>DEQ 3 增益</translation>
    </message>
    <message>
        <source>DEQ 3 Q</source>
        <translation>DEQ 3 Q</translation>
    </message>
    <message>
        <source>DEQ 3 shelf Q</source>
        <translation>DEQ 3 搁架 Q</translation>
    </message>
    <message>
        <source>DEQ 3 work mode</source>
        <translation>DEQ 3 工作模式</translation>
    </message>
    <message>
        <source>DEQ 3 attack time</source>
        <translation>DEQ 3 启动时间</translation>
    </message>
    <message>
        <source>DEQ 3 release time</source>
        <translation>DEQ 3 恢复时间</translation>
    </message>
    <message>
        <source>DEQ 3 attack level</source>
        <translation>DEQ 3 启动电平</translation>
    </message>
    <message>
        <source>DEQ 3 dynamic ratio</source>
        <translation>DEQ 3 动态比</translation>
    </message>
    <message>
        <source>DEQ 3 dynamic mode</source>
        <translation>DEQ 3 动态模式</translation>
    </message>
    <message>
        <source>Echo level phase</source>
        <translation>回声电平相位</translation>
    </message>
    <message>
        <source>Echo level</source>
        <translation>回声电平</translation>
    </message>
    <message>
        <source>Echo direct level phase</source>
        <translation>回声直达声相位</translation>
    </message>
    <message>
        <source>Echo direct level</source>
        <translation>回声直达声电平</translation>
    </message>
    <message>
        <source>Echo HPF frequency</source>
        <translation>回声高通频率</translation>
    </message>
    <message>
        <source>Echo LPF frequency</source>
        <translation>回声低通频率</translation>
    </message>
    <message>
        <source>Echo pre-delay</source>
        <translation>回声预延时</translation>
    </message>
    <message>
        <source>Echo delay time</source>
        <translation>回声延时时间</translation>
    </message>
    <message>
        <source>Echo repeat</source>
        <translation>回声重复</translation>
    </message>
    <message>
        <source>Echo R channel delay time</source>
        <translation>回声右声道延时时间</translation>
    </message>
    <message>
        <source>Echo R channel pre-delay</source>
        <translation>回声右声道预延时</translation>
    </message>
    <message>
        <source>Echo mode</source>
        <translation>回声模式</translation>
    </message>
    <message>
        <source>Echo EQ 1 type</source>
        <translation>回声 均衡 1 类型</translation>
    </message>
    <message>
        <source>Echo EQ 1 frequency</source>
        <translation>回声 均衡 1 频率</translation>
    </message>
    <message>
        <source>Echo EQ 1 gain</source>
        <translation>回声 均衡 1 增益</translation>
    </message>
    <message>
        <source>Echo EQ 1 Q</source>
        <translation>回声 均衡 1 Q</translation>
    </message>
    <message>
        <source>Echo EQ 1 shelf Q</source>
        <translation>回声 均衡 1 搁架 Q</translation>
    </message>
    <message>
        <source>Echo EQ 2 type</source>
        <translation>回声 均衡 2 类型</translation>
    </message>
    <message>
        <source>Echo EQ 2 frequency</source>
        <translation>回声 均衡 2 频率</translation>
    </message>
    <message>
        <source>Echo EQ 2 gain</source>
        <translation>回声 均衡 2 增益</translation>
    </message>
    <message>
        <source>Echo EQ 2 Q</source>
        <translation>回声 均衡 2 Q</translation>
    </message>
    <message>
        <source>Echo EQ 2 shelf Q</source>
        <translation>回声 均衡 2 搁架 Q</translation>
    </message>
    <message>
        <source>Echo EQ 3 type</source>
        <translation>回声 均衡 3 类型</translation>
    </message>
    <message>
        <source>Echo EQ 3 frequency</source>
        <translation>回声 均衡 3 频率</translation>
    </message>
    <message>
        <source>Echo EQ 3 gain</source>
        <translation>回声 均衡 3 增益</translation>
    </message>
    <message>
        <source>Echo EQ 3 Q</source>
        <translation>回声 均衡 3 Q</translation>
    </message>
    <message>
        <source>Echo EQ 3 shelf Q</source>
        <translation>回声 均衡 3 搁架 Q</translation>
    </message>
    <message>
        <source>Echo EQ 4 type</source>
        <translation>回声 均衡 4 类型</translation>
    </message>
    <message>
        <source>Echo EQ 4 frequency</source>
        <translation>回声 均衡 4 频率</translation>
    </message>
    <message>
        <source>Echo EQ 4 gain</source>
        <translation>回声 均衡 4 增益</translation>
    </message>
    <message>
        <source>Echo EQ 4 Q</source>
        <translation>回声 均衡 4 Q</translation>
    </message>
    <message>
        <source>Echo EQ 4 shelf Q</source>
        <translation>回声 均衡 4 搁架 Q</translation>
    </message>
    <message>
        <source>Echo EQ 5 type</source>
        <translation>回声 均衡 5 类型</translation>
    </message>
    <message>
        <source>Echo EQ 5 frequency</source>
        <translation>回声 均衡 5 频率</translation>
    </message>
    <message>
        <source>Echo EQ 5 gain</source>
        <translation>回声 均衡 5 增益</translation>
    </message>
    <message>
        <source>Echo EQ 5 Q</source>
        <translation>回声 均衡 5 Q</translation>
    </message>
    <message>
        <source>Echo EQ 5 shelf Q</source>
        <translation>回声 均衡 5 搁架 Q</translation>
    </message>
    <message>
        <source>Reverb level phase</source>
        <translation>混响电平相位</translation>
    </message>
    <message>
        <source>Reverb level</source>
        <translation>混响电平</translation>
    </message>
    <message>
        <source>Reverb direct level phase</source>
        <translation>混响直达声相位</translation>
    </message>
    <message>
        <source>Reverb direct level</source>
        <translation>混响直达声电平</translation>
    </message>
    <message>
        <source>Reverb time</source>
        <translation>混响时间</translation>
    </message>
    <message>
        <source>Reverb pre-delay</source>
        <translation>混响预延时</translation>
    </message>
    <message>
        <source>Reverb MIC HPF frequency</source>
        <translation>混响话筒高通频率</translation>
    </message>
    <message>
        <source>Reverb MIC LPF frequency</source>
        <translation>混响话筒低通频率</translation>
    </message>
    <message>
        <source>Music to reverb phase</source>
        <translation>音乐送混响相位</translation>
    </message>
    <message>
        <source>Music to reverb level</source>
        <translation>音乐送混响电平</translation>
    </message>
    <message>
        <source>Reverb music HPF frequency</source>
        <translation>混响音乐高通频率</translation>
    </message>
    <message>
        <source>Reverb music LPF frequency</source>
        <translation>混响音乐低通频率</translation>
    </message>
    <message>
        <source>Reverb treble damping</source>
        <translation>混响高频阻尼</translation>
    </message>
    <message>
        <source>Reverb bass damping</source>
        <translation>混响低频阻尼</translation>
    </message>
    <message>
        <source>Main output music level</source>
        <translation>主输出 音乐电平</translation>
    </message>
    <message>
        <source>Main output music phase</source>
        <translation>主输出 音乐相位</translation>
    </message>
    <message>
        <source>Main output MIC level</source>
        <translation>主输出 话筒电平</translation>
    </message>
    <message>
        <source>Main output MIC phase</source>
        <translation>主输出 话筒相位</translation>
    </message>
    <message>
        <source>Main output echo level</source>
        <translation>主输出 回声电平</translation>
    </message>
    <message>
        <source>Main output echo phase</source>
        <translation>主输出 回声相位</translation>
    </message>
    <message>
        <source>Main output reverb level</source>
        <translation>主输出 混响电平</translation>
    </message>
    <message>
        <source>Main output reverb phase</source>
        <translation>主输出 混响相位</translation>
    </message>
    <message>
        <source>Main output HPF type</source>
        <translation>主输出 高通类型</translation>
    </message>
    <message>
        <source>Main output HPF frequency</source>
        <translation>主输出 高通频率</translation>
    </message>
    <message>
        <source>Main output HPF Q</source>
        <translation>主输出 高通 Q</translation>
    </message>
    <message>
        <source>Main output LPF type</source>
        <translation>主输出 低通类型</translation>
    </message>
    <message>
        <source>Main output LPF frequency</source>
        <translation>主输出 低通频率</translation>
    </message>
    <message>
        <source>Main output LPF Q</source>
        <translation>主输出 低通 Q</translation>
    </message>
    <message>
        <source>Main output limiter attack time</source>
        <translation>主输出 压限启动时间</translation>
    </message>
    <message>
        <source>Main output limiter release time</source>
        <translation>主输出 压限恢复时间</translation>
    </message>
    <message>
        <source>Main output limit level</source>
        <translation>主输出 压限电平</translation>
    </message>
    <message>
        <source>Main output limiter ratio</source>
        <translation>主输出 压限比</translation>
    </message>
    <message>
        <source>Main output limiter mode</source>
        <translation>主输出 压限模式</translation>
    </message>
    <message>
        <source>Main output EQ 1 type</source>
        <translation>主输出 均衡 1 类型</translation>
    </message>
    <message>
        <source>Main output EQ 1 frequency</source>
        <translation>主输出 均衡 1 频率</translation>
    </message>
    <message>
        <source>Main output EQ 1 gain</source>
        <translation>主输出 均衡 1 增益</translation>
    </message>
    <message>
        <source>Main output EQ 1 Q</source>
        <translation>主输出 均衡 1 Q</translation>
    </message>
    <message>
        <source>Main output EQ 1 shelf Q</source>
        <translation>主输出 均衡 1 搁架 Q</translation>
    </message>
    <message>
        <source>Main output EQ 2 type</source>
        <translation>主输出 均衡 2 类型</translation>
    </message>
    <message>
        <source>Main output EQ 2 frequency</source>
        <translation>主输出 均衡 2 频率</translation>
    </message>
    <message>
        <source>Main output EQ 2 gain</source>
        <translation>主输出 均衡 2 增益</translation>
    </message>
    <message>
        <source>Main output EQ 2 Q</source>
        <translation>主输出 均衡 2 Q</translation>
    </message>
    <message>
        <source>Main output EQ 2 shelf Q</source>
        <translation>主输出 均衡 2 搁架 Q</translation>
    </message>
    <message>
        <source>Main output EQ 3 type</source>
        <translation>主输出 均衡 3 类型</translation>
    </message>
    <message>
        <source>Main output EQ 3 frequency</source>
        <translation>主输出 均衡 3 频率</translation>
    </message>
    <message>
        <source>Main output EQ 3 gain</source>
        <translation>主输出 均衡 3 增益</translation>
    </message>
    <message>
        <source>Main output EQ 3 Q</source>
        <translation>主输出 均衡 3 Q</translation>
    </message>
    <message>
        <source>Main output EQ 3 shelf Q</source>
        <translation>主输出 均衡 3 搁架 Q</translation>
    </message>
    <message>
        <source>Main output EQ 4 type</source>
        <translation>主输出 均衡 4 类型</translation>
    </message>
    <message>
        <source>Main output EQ 4 frequency</source>
        <translation>主输出 均衡 4 频率</translation>
    </message>
    <message>
        <source>Main output EQ 4 gain</source>
        <translation>主输出 均衡 4 增益</translation>
    </message>
    <message>
        <source>Main output EQ 4 Q</source>
        <translation>主输出 均衡 4 Q</translation>
    </message>
    <message>
        <source>Main output EQ 4 shelf Q</source>
        <translation>主输出 均衡 4 搁架 Q</translation>
    </message>
    <message>
        <source>Main output EQ 5 type</source>
        <translation>主输出 均衡 5 类型</translation>
    </message>
    <message>
        <source>Main output EQ 5 frequency</source>
        <translation>主输出 均衡 5 频率</translation>
    </message>
    <message>
        <source>Main output EQ 5 gain</source>
        <translation>主输出 均衡 5 增益</translation>
    </message>
    <message>
        <source>Main output EQ 5 Q</source>
        <translation>主输出 均衡 5 Q</translation>
    </message>
    <message>
        <source>Main output EQ 5 shelf Q</source>
        <translation>主输出 均衡 5 搁架 Q</translation>
    </message>
    <message>
        <source>Main output EQ 6 type</source>
        <translation>主输出 均衡 6 类型</translation>
    </message>
    <message>
        <source>Main output EQ 6 frequency</source>
        <translation>主输出 均衡 6 频率</translation>
    </message>
    <message>
        <source>Main output EQ 6 gain</source>
        <translation>主输出 均衡 6 增益</translation>
    </message>
    <message>
        <source>Main output EQ 6 Q</source>
        <translation>主输出 均衡 6 Q</translation>
    </message>
    <message>
        <source>Main output EQ 6 shelf Q</source>
        <translation>主输出 均衡 6 搁架 Q</translation>
    </message>
    <message>
        <source>Main output EQ 7 type</source>
        <translation>主输出 均衡 7 类型</translation>
    </message>
    <message>
        <source>Main output EQ 7 frequency</source>
        <translation>主输出 均衡 7 频率</translation>
    </message>
    <message>
        <source>Main output EQ 7 gain</source>
        <translation>主输出 均衡 7 增益</translation>
    </message>
    <message>
        <source>Main output EQ 7 Q</source>
        <translation>主输出 均衡 7 Q</translation>
    </message>
    <message>
        <source>Main output EQ 7 shelf Q</source>
        <translation>主输出 均衡 7 搁架 Q</translation>
    </message>
    <message>
        <source>Main output EQ 8 type</source>
        <translation>主输出 均衡 8 类型</translation>
    </message>
    <message>
        <source>Main output EQ 8 frequency</source>
        <translation>主输出 均衡 8 频率</translation>
    </message>
    <message>
        <source>Main output EQ 8 gain</source>
        <translation>主输出 均衡 8 增益</translation>
    </message>
    <message>
        <source>Main output EQ 8 Q</source>
        <translation>主输出 均衡 8 Q</translation>
    </message>
    <message>
        <source>Main output EQ 8 shelf Q</source>
        <translation>主输出 均衡 8 搁架 Q</translation>
    </message>
    <message>
        <source>AUX1 output music level</source>
        <translation>AUX1 输出 音乐电平</translation>
    </message>
    <message>
        <source>AUX1 output music phase</source>
        <translation>AUX1 输出 音乐相位</translation>
    </message>
    <message>
        <source>AUX1 output MIC level</source>
        <translation>AUX1 输出 话筒电平</translation>
    </message>
    <message>
        <source>AUX1 output MIC phase</source>
        <translation>AUX1 输出 话筒相位</translation>
    </message>
    <message>
        <source>AUX1 output echo level</source>
        <translation>AUX1 输出 回声电平</translation>
    </message>
    <message>
        <source>AUX1 output echo phase</source>
        <translation>AUX1 输出 回声相位</translation>
    </message>
    <message>
        <source>AUX1 output reverb level</source>
        <translation>AUX1 输出 混响电平</translation>
    </message>
    <message>
        <source>AUX1 output reverb phase</source>
        <translation>AUX1 输出 混响相位</translation>
    </message>
    <message>
        <source>AUX1 output HPF type</source>
        <translation>AUX1 输出 高通类型</translation>
    </message>
    <message>
        <source>AUX1 output HPF frequency</source>
        <translation>AUX1 输出 高通频率</translation>
    </message>
    <message>
        <source>AUX1 output HPF Q</source>
        <translation>AUX1 输出 高通 Q</translation>
    </message>
    <message>
        <source>AUX1 output LPF type</source>
        <translation>AUX1 输出 低通类型</translation>
    </message>
    <message>
        <source>AUX1 output LPF frequency</source>
        <translation>AUX1 输出 低通频率</translation>
    </message>
    <message>
        <source>AUX1 output LPF Q</source>
        <translation>AUX1 输出 低通 Q</translation>
    </message>
    <message>
        <source>AUX1 output limiter attack time</source>
        <translation>AUX1 输出 压限启动时间</translation>
    </message>
    <message>
        <source>AUX1 output limiter release time</source>
        <translation>AUX1 输出 压限恢复时间</translation>
    </message>
    <message>
        <source>AUX1 output limit level</source>
        <translation>AUX1 输出 压限电平</translation>
    </message>
    <message>
        <source>AUX1 output limiter ratio</source>
        <translation>AUX1 输出 压限比</translation>
    </message>
    <message>
        <source>AUX1 output limiter mode</source>
        <translation>AUX1 输出 压限模式</translation>
    </message>
    <message>
        <source>AUX1 output EQ 1 type</source>
        <translation>AUX1 输出 均衡 1 类型</translation>
    </message>
    <message>
        <source>AUX1 output EQ 1 frequency</source>
        <translation>AUX1 输出 均衡 1 频率</translation>
    </message>
    <message>
        <source>AUX1 output EQ 1 gain</source>
        <translation>AUX1 输出 均衡 1 增益</translation>
    </message>
    <message>
        <source>AUX1 output EQ 1 Q</source>
        <translation>AUX1 输出 均衡 1 Q</translation>
    </message>
    <message>
        <source>AUX1 output EQ 1 shelf Q</source>
        <translation>AUX1 输出 均衡 1 搁架 Q</translation>
    </message>
    <message>
        <source>AUX1 output EQ 2 type</source>
        <translation>AUX1 输出 均衡 2 类型</translation>
    </message>
    <message>
        <source>AUX1 output EQ 2 frequency</source>
        <translation>AUX1 输出 均衡 2 频率</translation>
    </message>
    <message>
        <source>AUX1 output EQ 2 gain</source>
        <translation>AUX1 输出 均衡 2 增益</translation>
    </message>
    <message>
        <source>AUX1 output EQ 2 Q</source>
        <translation>AUX1 输出 均衡 2 Q</translation>
    </message>
    <message>
        <source>AUX1 output EQ 2 shelf Q</source>
        <translation>AUX1 输出 均衡 2 搁架 Q</translation>
    </message>
    <message>
        <source>AUX1 output EQ 3 type</source>
        <translation>AUX1 输出 均衡 3 类型</translation>
    </message>
    <message>
        <source>AUX1 output EQ 3 frequency</source>
        <translation>AUX1 输出 均衡 3 频率</translation>
    </message>
    <message>
        <source>AUX1 output EQ 3 gain</source>
        <translation>AUX1 输出 均衡 3 增益</translation>
    </message>
    <message>
        <source>AUX1 output EQ 3 Q</source>
        <translation>AUX1 输出 均衡 3 Q</translation>
    </message>
    <message>
        <source>AUX1 output EQ 3 shelf Q</source>
        <translation>AUX1 输出 均衡 3 搁架 Q</translation>
    </message>
    <message>
        <source>AUX1 output EQ 4 type</source>
        <translation>AUX1 输出 均衡 4 类型</translation>
    </message>
    <message>
        <source>AUX1 output EQ 4 frequency</source>
        <translation>AUX1 输出 均衡 4 频率</translation>
    </message>
    <message>
        <source>AUX1 output EQ 4 gain</source>
        <translation>AUX1 输出 均衡 4 增益</translation>
    </message>
    <message>
        <source>AUX1 output EQ 4 Q</source>
        <translation>AUX1 输出 均衡 4 Q</translation>
    </message>
    <message>
        <source>AUX1 output EQ 4 shelf Q</source>
        <translation>AUX1 输出 均衡 4 搁架 Q</translation>
    </message>
    <message>
        <source>AUX1 output EQ 5 type</source>
        <translation>AUX1 输出 均衡 5 类型</translation>
    </message>
    <message>
        <source>AUX1 output EQ 5 frequency</source>
        <translation>AUX1 输出 均衡 5 频率</translation>
    </message>
    <message>
        <source>AUX1 output EQ 5 gain</source>
        <translation>AUX1 输出 均衡 5 增益</translation>
    </message>
    <message>
        <source>AUX1 output EQ 5 Q</source>
        <translation>AUX1 输出 均衡 5 Q</translation>
    </message>
    <message>
        <source>AUX1 output EQ 5 shelf Q</source>
        <translation>AUX1 输出 均衡 5 搁架 Q</translation>
    </message>
    <message>
        <source>AUX1 output EQ 6 type</source>
        <translation>AUX1 输出 均衡 6 类型</translation>
    </message>
    <message>
        <source>AUX1 output EQ 6 frequency</source>
        <translation>AUX1 输出 均衡 6 频率</translation>
    </message>
    <message>
        <source>AUX1 output EQ 6 gain</source>
        <translation>AUX1 输出 均衡 6 增益</translation>
    </message>
    <message>
        <source>AUX1 output EQ 6 Q</source>
        <translation>AUX1 输出 均衡 6 Q</translation>
    </message>
    <message>
        <source>AUX1 output EQ 6 shelf Q</source>
        <translation>AUX1 输出 均衡 6 搁架 Q</translation>
    </message>
    <message>
        <source>AUX1 output EQ 7 type</source>
        <translation>AUX1 输出 均衡 7 类型</translation>
    </message>
    <message>
        <source>AUX1 output EQ 7 frequency</source>
        <translation>AUX1 输出 均衡 7 频率</translation>
    </message>
    <message>
        <source>AUX1 output EQ 7 gain</source>
        <translation>AUX1 输出 均衡 7 增益</translation>
    </message>
    <message>
        <source>AUX1 output EQ 7 Q</source>
        <translation>AUX1 输出 均衡 7 Q</translation>
    </message>
    <message>
        <source>AUX1 output EQ 7 shelf Q</source>
        <translation>AUX1 输出 均衡 7 搁架 Q</translation>
    </message>
    <message>
        <source>AUX1 output EQ 8 type</source>
        <translation>AUX1 输出 均衡 8 类型</translation>
    </message>
    <message>
        <source>AUX1 output EQ 8 frequency</source>
        <translation>AUX1 输出 均衡 8 频率</translation>
    </message>
    <message>
        <source>AUX1 output EQ 8 gain</source>
        <translation>AUX1 输出 均衡 8 增益</translation>
    </message>
    <message>
        <source>AUX1 output EQ 8 Q</source>
        <translation>AUX1 输出 均衡 8 Q</translation>
    </message>
    <message>
        <source>AUX1 output EQ 8 shelf Q</source>
        <translation>AUX1 输出 均衡 8 搁架 Q</translation>
    </message>
    <message>
        <source>Main output L delay</source>
        <translation>主输出左声道延时</translation>
    </message>
    <message>
        <source>Main output R delay</source>
        <translation>主输出右声道延时</translation>
    </message>
    <message>
        <source>Main output L mute</source>
        <translation>主输出左声道静音</translation>
    </message>
    <message>
        <source>Main output R mute</source>
        <translation>主输出右声道静音</translation>
    </message>
    <message>
        <source>Main output tone</source>
        <translation>主输出音色</translation>
    </message>
    <message>
        <source>AUX1 output delay</source>
        <translation>AUX1 输出 延时</translation>
    </message>
    <message>
        <source>AUX1 output mute</source>
        <translation>AUX1 输出 静音</translation>
    </message>
    <message>
        <source>Current mode</source>
        <translation>当前模式</translation>
    </message>
    <message>
        <source>Music input gain</source>
        <translation>音乐输入增益</translation>
    </message>
    <message>
        <source>Music start volume</source>
        <translation>音乐开机音量</translation>
    </message>
    <message>
        <source>Music volume limit</source>
        <translation>音乐音量上限</translation>
    </message>
    <message>
        <source>MIC start volume</source>
        <translation>话筒开机音量</translation>
    </message>
    <message>
        <source>MIC volume limit</source>
        <translation>话筒音量上限</translation>
    </message>
    <message>
        <source>Effect start volume</source>
        <translation>效果开机音量</translation>
    </message>
    <message>
        <source>Effect volume limit</source>
        <translation>效果音量上限</translation>
    </message>
    <message>
        <source>User or administrator</source>
        <translation>用户或管理员</translation>
    </message>
    <message>
        <source>User</source>
        <translation>用户</translation>
    </message>
    <message>
        <source>Administrators</source>
        <translation>管理员</translation>
    </message>
    <message>
        <source>Auto key lock</source>
        <translation>自动按键锁</translation>
    </message>
    <message>
        <source>Disable</source>
        <translation>禁用</translation>
    </message>
    <message>
        <source>Enable</source>
        <translation>启用</translation>
    </message>
    <message>
        <source>Music input</source>
        <translation>音乐输入</translation>
    </message>
    <message>
        <source>Infrared remote</source>
        <translation>红外遥控</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>关</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>开</translation>
    </message>
    <message>
        <source>Music normal volume</source>
        <translation>音乐音量</translation>
    </message>
    <message>
        <source>MIC normal volume</source>
        <translation>话筒音量</translation>
    </message>
    <message>
        <source>Effect normal volume</source>
        <translation>效果音量</translation>
    </message>
    <message>
        <source>Main output</source>
        <translation>主输出</translation>
    </message>
    <message>
        <source>SUR output</source>
        <translation>环绕输出</translation>
    </message>
    <message>
        <source>Echo</source>
        <translation>回声</translation>
    </message>
    <message>
        <source>Reverb</source>
        <translation>混响</translation>
    </message>
    <message>
        <source>Music</source>
        <translation>音乐</translation>
    </message>
    <message>
        <source>Effect</source>
        <translation>效果</translation>
    </message>
    <message>
        <source>Reverb EQ</source>
        <translation>混响均衡</translation>
    </message>
    <message>
        <source>AUX1 output</source>
        <translation>AUX1 输出</translation>
    </message>
    <message>
        <source>AUX2 output</source>
        <translation>AUX2 输出</translation>
    </message>
    <message>
        <source>System</source>
        <translation>系统</translation>
    </message>
    <message>
        <source>（Current Mode：%1 ）</source>
        <translation>（当前模式：%1 ）</translation>
    </message>
    <message>
        <source>prompt</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Mode names use letters, digits, spaces and ASCII punctuation only (at most 20).</source>
        <translation>模式名只能使用字母、数字、空格和 ASCII 标点（最多 20 个）。</translation>
    </message>
    <message>
        <source>Password error</source>
        <translation>密码错误</translation>
    </message>
    <message>
        <source>Password different!</source>
        <translation>密码不一致!</translation>
    </message>
    <message>
        <source>Unlock Success</source>
        <translation>解锁成功</translation>
    </message>
    <message>
        <source>Load mode %1?</source>
        <translation>调用模式 %1?</translation>
    </message>
    <message>
        <source>User mode can not save operation!</source>
        <translation>用户模式不能保存!</translation>
    </message>
    <message>
        <source>Save Mode to %1-%2?</source>
        <translation>保存到模式 %1-%2?</translation>
    </message>
    <message>
        <source>Unlink</source>
        <translation>断开</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>连接</translation>
    </message>
    <message>
        <source>Loading…</source>
        <translation>加载中…</translation>
    </message>
    <message>
        <source>The unit&apos;s settings are being read in; the pages take edits again when they are all in.</source>
        <translation>正在读取设备的设置, 读取完成后才能修改。</translation>
    </message>
    <message>
        <source>9 band EQ</source>
        <translation>9 段均衡</translation>
    </message>
    <message>
        <source>15 band EQ</source>
        <translation>15 段均衡</translation>
    </message>
    <message>
        <source>Bessel 24dB</source>
        <translation>贝塞尔 24dB</translation>
    </message>
    <message>
        <source>Butterworth 24dB</source>
        <translation>巴特沃斯 24dB</translation>
    </message>
    <message>
        <source>Linkwitz-Riley 24dB</source>
        <translation>林克维茨-瑞利 24dB</translation>
    </message>
    <message>
        <source>USER 12dB</source>
        <translation>用户 12dB</translation>
    </message>
    <message>
        <source>USER 24dB</source>
        <translation>用户 24dB</translation>
    </message>
    <message>
        <source>Limit Level</source>
        <translation>压限电平</translation>
    </message>
    <message>
        <source>Attack Time</source>
        <translation>启动时间</translation>
    </message>
    <message>
        <source>Release Time</source>
        <translation>恢复时间</translation>
    </message>
    <message>
        <source>Atk ×</source>
        <translation>启动 ×</translation>
    </message>
    <message>
        <source>Ratio</source>
        <translation>压缩比</translation>
    </message>
    <message>
        <source>Limit Mode</source>
        <translation>压限模式</translation>
    </message>
    <message>
        <source>EQ Type</source>
        <translation>均衡类型</translation>
    </message>
    <message>
        <source>Gain(dB)</source>
        <translation>增益(dB)</translation>
    </message>
    <message>
        <source>Fre(Hz)</source>
        <translation>频率(Hz)</translation>
    </message>
    <message>
        <source>Music Input</source>
        <translation>音乐输入</translation>
    </message>
    <message>
        <source>Music Port</source>
        <translation>音乐端口</translation>
    </message>
    <message>
        <source>Music Gain</source>
        <translation>音乐增益</translation>
    </message>
    <message>
        <source>10 band EQ</source>
        <translation>10 段均衡</translation>
    </message>
    <message>
        <source>MIC Frequency shift</source>
        <translation>MIC 移频</translation>
    </message>
    <message>
        <source>Noise gate</source>
        <translation>噪声门</translation>
    </message>
    <message>
        <source>MIC HPF</source>
        <translation>MIC 高通</translation>
    </message>
    <message>
        <source>MIC(Group choose)</source>
        <translation>MIC(组选择)</translation>
    </message>
    <message>
        <source>MIC A Group</source>
        <translation>MIC A 组</translation>
    </message>
    <message>
        <source>MIC B Group</source>
        <translation>MIC B 组</translation>
    </message>
    <message>
        <source>MIC Echo Level</source>
        <translation>MIC 回声电平</translation>
    </message>
    <message>
        <source>MIC Direct Level</source>
        <translation>MIC 直达声电平</translation>
    </message>
    <message>
        <source>Echo HPF</source>
        <translation>回声高通</translation>
    </message>
    <message>
        <source>Echo LPF</source>
        <translation>回声低通</translation>
    </message>
    <message>
        <source>Echo PRE Delay</source>
        <translation>回声预延时</translation>
    </message>
    <message>
        <source>Echo Delay Time</source>
        <translation>回声延时时间</translation>
    </message>
    <message>
        <source>Echo Repeat</source>
        <translation>回声重复</translation>
    </message>
    <message>
        <source>Echo R CH PRE Delay</source>
        <translation>回声右声道预延时</translation>
    </message>
    <message>
        <source>Echo R CH Delay Time</source>
        <translation>回声右声道延时时间</translation>
    </message>
    <message>
        <source>MIC Reverb Level</source>
        <translation>MIC 混响电平</translation>
    </message>
    <message>
        <source>Reverb Mic HPF</source>
        <translation>混响话筒高通</translation>
    </message>
    <message>
        <source>Reverb Mic LPF</source>
        <translation>混响话筒低通</translation>
    </message>
    <message>
        <source>Reverb Music HPF</source>
        <translation>混响音乐高通</translation>
    </message>
    <message>
        <source>Reverb Music LPF</source>
        <translation>混响音乐低通</translation>
    </message>
    <message>
        <source>Reverb PRE Delay</source>
        <translation>混响预延时</translation>
    </message>
    <message>
        <source>Reverb Time</source>
        <translation>混响时间</translation>
    </message>
    <message>
        <source>Reverb Treble Damp</source>
        <translation>混响高频阻尼</translation>
    </message>
    <message>
        <source>Reverb Bass Damp</source>
        <translation>混响低频阻尼</translation>
    </message>
    <message>
        <source>Music to Reverb</source>
        <translation>音乐送混响</translation>
    </message>
    <message>
        <source>5 Band Echo</source>
        <translation>5 段回声均衡</translation>
    </message>
    <message>
        <source>Mix</source>
        <translation>混音</translation>
    </message>
    <message>
        <source>Music Level</source>
        <translation>音乐电平</translation>
    </message>
    <message>
        <source>MIC Level</source>
        <translation>MIC 电平</translation>
    </message>
    <message>
        <source>Echo Level</source>
        <translation>回声电平</translation>
    </message>
    <message>
        <source>Reverb Level</source>
        <translation>混响电平</translation>
    </message>
    <message>
        <source>HPF</source>
        <translation>高通</translation>
    </message>
    <message>
        <source>HPF Q</source>
        <translation>高通 Q</translation>
    </message>
    <message>
        <source>HPF Mode</source>
        <translation>高通类型</translation>
    </message>
    <message>
        <source>LPF</source>
        <translation>低通</translation>
    </message>
    <message>
        <source>LPF Q</source>
        <translation>低通 Q</translation>
    </message>
    <message>
        <source>LPF Mode</source>
        <translation>低通类型</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>静音</translation>
    </message>
    <message>
        <source>Crossover</source>
        <translation>分频</translation>
    </message>
    <message>
        <source>Tone adjustment</source>
        <translation>音色调节</translation>
    </message>
    <message>
        <source>Gentle</source>
        <translation>柔和</translation>
    </message>
    <message>
        <source>Bright</source>
        <translation>明亮</translation>
    </message>
    <message>
        <source>Limiter</source>
        <translation>压限器</translation>
    </message>
    <message>
        <source>L CH Delay</source>
        <translation>左声道延时</translation>
    </message>
    <message>
        <source>R CH Delay</source>
        <translation>右声道延时</translation>
    </message>
    <message>
        <source>L CH Mute</source>
        <translation>左声道静音</translation>
    </message>
    <message>
        <source>R CH Mute</source>
        <translation>右声道静音</translation>
    </message>
    <message>
        <source>7 Band EQ</source>
        <translation>7 段均衡</translation>
    </message>
    <message>
        <source>Delay</source>
        <translation>延时</translation>
    </message>
    <message>
        <source>EQ pass</source>
        <translation>均衡直通</translation>
    </message>
    <message>
        <source>Filter
Type</source>
        <translation>滤波
类型</translation>
    </message>
    <message>
        <source>DEQ
work
mode</source>
        <translation>DEQ
工作
模式</translation>
    </message>
    <message>
        <source>Attack level</source>
        <translation>启动电平</translation>
    </message>
    <message>
        <source>Dynamic Ratio</source>
        <translation>动态比</translation>
    </message>
    <message>
        <source>Dynamic Mode</source>
        <translation>动态模式</translation>
    </message>
    <message>
        <source>Power amplifier input sensitivity</source>
        <translation>功放输入灵敏度</translation>
    </message>
    <message>
        <source>Explain</source>
        <translation>说明</translation>
    </message>
    <message>
        <source>DEQ Operation instruction</source>
        <translation>DEQ 操作说明</translation>
    </message>
    <message>
        <source>Off: the channel works as a general EQ band.
Below: dynamic lift of a low band while the level is below the level start, easing off above it.
Above: dynamic cut of mid and high frequencies while the level is above the level start, easing off below it.</source>
        <translation>关: 该通道作为普通均衡段工作。
低于: 电平低于启动电平时动态提升低频段, 高于启动电平时逐渐减弱。
高于: 电平高于启动电平时动态衰减中高频, 低于启动电平时逐渐减弱。</translation>
    </message>
    <message>
        <source>Reference mode Settings(Frequency)</source>
        <translation>参考模式设置(频率)</translation>
    </message>
    <message>
        <source>Reference settings</source>
        <translation>参考设置</translation>
    </message>
    <message>
        <source>Volume Management</source>
        <translation>音量管理</translation>
    </message>
    <message>
        <source>Music Start</source>
        <translation>音乐开机</translation>
    </message>
    <message>
        <source>Music Limit</source>
        <translation>音乐上限</translation>
    </message>
    <message>
        <source>MIC Start</source>
        <translation>MIC 开机</translation>
    </message>
    <message>
        <source>MIC Limit</source>
        <translation>MIC 上限</translation>
    </message>
    <message>
        <source>Effect Start</source>
        <translation>效果开机</translation>
    </message>
    <message>
        <source>Effect Limit</source>
        <translation>效果上限</translation>
    </message>
    <message>
        <source>Auto Key Lock</source>
        <translation>自动按键锁</translation>
    </message>
    <message>
        <source>Modify Auto Key Lock Password</source>
        <translation>修改自动按键锁密码</translation>
    </message>
    <message>
        <source>Old Password</source>
        <translation>旧密码</translation>
    </message>
    <message>
        <source>New Password</source>
        <translation>新密码</translation>
    </message>
    <message>
        <source>New Password Again</source>
        <translation>再次输入新密码</translation>
    </message>
    <message>
        <source>Infrared Remote Control Management</source>
        <translation>红外遥控管理</translation>
    </message>
    <message>
        <source>Equipment Management Code</source>
        <translation>设备管理码</translation>
    </message>
    <message>
        <source>IP Address/Port</source>
        <translation>IP 地址/端口</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
    <message>
        <source>Computer Data Backup Management</source>
        <translation>电脑数据备份管理</translation>
    </message>
    <message>
        <source>File Name:</source>
        <translation>文件名:</translation>
    </message>
    <message>
        <source>Save data to PC</source>
        <translation>保存数据到电脑</translation>
    </message>
    <message>
        <source>Upload data to Equipment</source>
        <translation>上传数据到设备</translation>
    </message>
    <message>
        <source>Equipment Mode Management</source>
        <translation>设备模式管理</translation>
    </message>
    <message>
        <source>Equipment Mode</source>
        <translation>设备模式</translation>
    </message>
    <message>
        <source>Mode Name</source>
        <translation>模式名称</translation>
    </message>
    <message>
        <source>Recall Mode</source>
        <translation>调用模式</translation>
    </message>
    <message>
        <source>Save Mode</source>
        <translation>保存模式</translation>
    </message>
    <message>
        <source>Choose：User/Administrators</source>
        <translation>选择：用户/管理员</translation>
    </message>
    <message>
        <source>System Password</source>
        <translation>系统密码</translation>
    </message>
    <message>
        <source>Enter</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Modify System Password</source>
        <translation>修改系统密码</translation>
    </message>
    <message>
        <source>File already exists, overwrite it?</source>
        <translation>文件已存在, 是否覆盖?</translation>
    </message>
    <message>
        <source>*prompt*</source>
        <translation>*提示*</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>确认</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>序号</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>The preset holds what the unit holds.</source>
        <translation>预设与设备中的设置相同。</translation>
    </message>
    <message>
        <source>Device Status</source>
        <translation>设备状态</translation>
    </message>
    <message>
        <source>Please wait a moment, this may take a few seconds!</source>
        <translation>请稍候, 可能需要几秒钟!</translation>
    </message>
    <message>
        <source>Main Output</source>
        <translation>主输出</translation>
    </message>
    <message>
        <source>EQ Reset</source>
        <translation>均衡复位</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>自动</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>手动</translation>
    </message>
    <message>
        <source>Sing</source>
        <translation>演唱</translation>
    </message>
    <message>
        <source>Disco</source>
        <translation>迪斯科</translation>
    </message>
    <message>
        <source>Input UnLock Password：</source>
        <translation>输入解锁密码：</translation>
    </message>
    <message>
        <source>Load Mode：%1 ?</source>
        <translation>调用模式：%1 ?</translation>
    </message>
    <message>
        <source>%1 value differs from what the unit holds:</source>
        <translation>%1 个值与设备中的不同:</translation>
    </message>
    <message>
        <source>%1 values differ from what the unit holds:</source>
        <translation>%1 个值与设备中的不同:</translation>
    </message>
    <message>
        <source>… and %1 more</source>
        <translation>… 另有 %1 项</translation>
    </message>
    <message>
        <source>Load Mode：%1</source>
        <translation>调用模式：%1</translation>
    </message>
    <message>
        <source>EQ PASS</source>
        <translation>均衡直通</translation>
    </message>
    <message>
        <source>Velantro 3.1.0 En</source>
        <translation>Velantro 3.1.0 中文</translation>
    </message>
    <message>
        <source>%1 or %2</source>
        <translation>%1 或 %2</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>%1 至 %2</translation>
    </message>
    <message>
        <source>EQ pass is on: this page&apos;s EQ is bypassed and its points stay put. Press &quot;EQ pass&quot; to edit them.</source>
        <translation>均衡直通已开启: 本页均衡被旁路, 调节点不能移动。按 &quot;均衡直通&quot; 后再调节。</translation>
    </message>
    <message>
        <source>Password accepted: the user level can be chosen.</source>
        <translation>密码正确: 可以选择用户级别。</translation>
    </message>
    <message>
        <source>Password right, but the unit is off line: connect, then enter it again.</source>
        <translation>密码正确, 但设备未连接: 请连接后再输入一次。</translation>
    </message>
    <message>
        <source>System password changed on the unit.</source>
        <translation>设备的系统密码已修改。</translation>
    </message>
    <message>
        <source>Key lock password changed on the unit.</source>
        <translation>设备的按键锁密码已修改。</translation>
    </message>
    <message>
        <source>Open preset</source>
        <translation>打开预设</translation>
    </message>
    <message>
        <source>Save preset as</source>
        <translation>预设另存为</translation>
    </message>
    <message>
        <source>unit</source>
        <translation>设备</translation>
    </message>
    <message>
        <source>factory settings</source>
        <translation>出厂设置</translation>
    </message>
    <message>
        <source>   (offline: working on the factory settings)</source>
        <translation>   (离线: 正在编辑出厂设置)</translation>
    </message>
    <message>
        <source>   (offline: working on the file)</source>
        <translation>   (离线: 正在编辑文件)</translation>
    </message>
    <message>
        <source>   (offline)</source>
        <translation>   (离线)</translation>
    </message>
    <message>
        <source>%1 edit not on the unit</source>
        <translation>%1 项修改未到达设备</translation>
    </message>
    <message>
        <source>%1 edits not on the unit</source>
        <translation>%1 项修改未到达设备</translation>
    </message>
    <message>
        <source>Open…</source>
        <translation>打开…</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Save as…</source>
        <translation>另存为…</translation>
    </message>
    <message>
        <source>Open %1 while the unit is online.</source>
        <translation>在设备已连接时打开 %1。</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>%1 has unsaved changes.</source>
        <translation>%1 有未保存的修改。</translation>
    </message>
    <message>
        <source>The factory settings have unsaved changes.</source>
        <translation>出厂设置有未保存的修改。</translation>
    </message>
    <message>
        <source>The console&apos;s edits that the unit does not hold would be lost.</source>
        <translation>设备中没有的控制台修改将会丢失。</translation>
    </message>
    <message>
        <source>The unit holds other settings than the console.</source>
        <translation>设备中的设置与控制台不同。</translation>
    </message>
    <message>
        <source>%1 value differs (the unit&apos;s → the console&apos;s):</source>
        <translation>%1 个值不同 (设备的 → 控制台的):</translation>
    </message>
    <message>
        <source>%1 values differ (the unit&apos;s → the console&apos;s):</source>
        <translation>%1 个值不同 (设备的 → 控制台的):</translation>
    </message>
    <message>
        <source>The unit holds %1 value other than the console sent:</source>
        <translation>设备中有 %1 个值与控制台发送的不同:</translation>
    </message>
    <message>
        <source>The unit holds %1 values other than the console sent:</source>
        <translation>设备中有 %1 个值与控制台发送的不同:</translation>
    </message>
    <message>
        <source>Send the console&apos;s settings to the unit</source>
        <translation>把控制台的设置发送到设备</translation>
    </message>
    <message>
        <source>Take the unit&apos;s settings</source>
        <translation>采用设备的设置</translation>
    </message>
    <message>
        <source>Unsaved changes</source>
        <translation>未保存的修改</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>放弃</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Upload it to the unit</source>
        <translation>上传到设备</translation>
    </message>
    <message>
        <source>Work on it offline (Unlink)</source>
        <translation>离线编辑 (断开)</translation>
    </message>
    <message>
        <source>Presets (*.Nddt);;All files (*)</source>
        <translation>预设 (*.Nddt);;所有文件 (*)</translation>
    </message>
    <message>
        <source> (other music setting)</source>
        <translation> (另一组音乐设置)</translation>
    </message>
    <message>
        <source> (each image is read in its own layout)</source>
        <translation> (两份数据各按自己的布局读取)</translation>
    </message>
    <message>
        <source>%1 difference</source>
        <translation>%1 处不同</translation>
    </message>
    <message>
        <source>%1 differences</source>
        <translation>%1 处不同</translation>
    </message>
    <message>
        <source>%1, step %2</source>
        <translation>%1, 步进 %2</translation>
    </message>
    <message>
        <source>table</source>
        <translation>查表</translation>
    </message>
    <message>
        <source>options</source>
        <translation>选项</translation>
    </message>
    <message>
        <source>Revert page</source>
        <translation>还原本页</translation>
    </message>
    <message>
        <source>Revert all</source>
        <translation>全部还原</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
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
        <source>%1 needs a value</source>
        <translation>%1 需要一个值</translation>
    </message>
    <message>
        <source>--unit needs HOST[:PORT] with a port from 1 to 65535</source>
        <translation>--unit 需要 主机[:端口]，端口为 1 到 65535</translation>
    </message>
    <message>
        <source>give exactly one of --unit HOST[:PORT] or --serial DEVICE</source>
        <translation>请只给出 --unit 主机[:端口] 或 --serial 设备 之一</translation>
    </message>
    <message>
        <source>%1 is not a parameter address</source>
        <translation>%1 不是参数地址</translation>
    </message>
    <message>
        <source>timed out after %1 s (--timeout) while downloading from the unit at %2</source>
        <translation>从 %2 的设备下载时超时（--timeout %1 秒）</translation>
    </message>
    <message>
        <source>timed out after %1 s (--timeout) while searching for the unit at %2</source>
        <translation>在 %2 搜索设备时超时（--timeout %1 秒）</translation>
    </message>
    <message>
        <source>timed out after %1 s (--timeout) while uploading to the unit at %2</source>
        <translation>向 %2 的设备上传时超时（--timeout %1 秒）</translation>
    </message>
    <message>
        <source>timed out after %1 s (--timeout) while waiting for the acknowledgement from the unit at %2</source>
        <translation>等待 %2 的设备确认时超时（--timeout %1 秒）</translation>
    </message>
    <message>
        <source>timed out after %1 s (--timeout) while reading back from the unit at %2</source>
        <translation>从 %2 的设备读回时超时（--timeout %1 秒）</translation>
    </message>
    <message>
        <source>timed out after %1 s (--timeout) with the unit at %2</source>
        <translation>与 %2 的设备通信超时（--timeout %1 秒）</translation>
    </message>
    <message>
        <source>cannot open the serial device %1: %2</source>
        <translation>无法打开串口设备 %1：%2</translation>
    </message>
    <message>
        <source>the host name %1 does not resolve (%2)</source>
        <translation>无法解析主机名 %1（%2）</translation>
    </message>
    <message>
        <source>permission denied: this user may not open %1</source>
        <translation>权限不足：当前用户无权打开 %1</translation>
    </message>
    <message>
        <source>the usual fix is membership of the group that owns the device (%1): sudo usermod -aG %1 $USER, then log in again</source>
        <translation>通常的解决办法是加入拥有该设备的用户组（%1）：sudo usermod -aG %1 $USER，然后重新登录</translation>
    </message>
    <message>
        <source>the unit at %1 stopped answering (%2)</source>
        <translation>%1 的设备不再应答（%2）</translation>
    </message>
    <message>
        <source>timed out</source>
        <translation>超时</translation>
    </message>
    <message>
        <source>no unit answers at %1</source>
        <translation>%1 没有设备应答</translation>
    </message>
    <message>
        <source>%1 (no)</source>
        <translation>%1（否）</translation>
    </message>
    <message>
        <source>%1 (cancel)</source>
        <translation>%1（取消）</translation>
    </message>
    <message>
        <source>cannot write the preset to standard output: %1</source>
        <translation>无法将预设写到标准输出：%1</translation>
    </message>
    <message>
        <source>usage: velantroctl backup LINK FILE (- for standard output)</source>
        <translation>用法：velantroctl backup LINK FILE（- 表示标准输出）</translation>
    </message>
    <message>
        <source>backup: give - as FILE to write the preset to standard output</source>
        <translation>backup：要将预设写到标准输出，请以 - 作为 FILE</translation>
    </message>
    <message>
        <source>backup: written to standard output from %1</source>
        <translation>backup：已从 %1 写到标准输出</translation>
    </message>
    <message>
        <source>backup: %1 written from %2</source>
        <translation>backup：已从 %2 写入 %1</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>无法读取 %1：%2</translation>
    </message>
    <message>
        <source>%1 is not a valid preset: %2</source>
        <translation>%1 不是有效的预设：%2</translation>
    </message>
    <message>
        <source>usage: velantroctl check FILE</source>
        <translation>用法：velantroctl check FILE</translation>
    </message>
    <message>
        <source>ok: %1 parameters</source>
        <translation>正常：%1 个参数</translation>
    </message>
    <message>
        <source>usage: velantroctl curve FILE --page P [--png OUT.png] [--size WxH]</source>
        <translation>用法：velantroctl curve FILE --page P [--png OUT.png] [--size WxH]</translation>
    </message>
    <message>
        <source>--page must be 0 to 9</source>
        <translation>--page 必须是 0 到 9</translation>
    </message>
    <message>
        <source>--png needs a file name</source>
        <translation>--png 需要一个文件名</translation>
    </message>
    <message>
        <source>--size must be WxH</source>
        <translation>--size 必须是 宽x高（WxH）</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <translation>未知选项 %1</translation>
    </message>
    <message>
        <source>more than one file given</source>
        <translation>给出了不止一个文件</translation>
    </message>
    <message>
        <source>no preset file given</source>
        <translation>没有给出预设文件</translation>
    </message>
    <message>
        <source>--page is missing</source>
        <translation>缺少 --page</translation>
    </message>
    <message>
        <source>--size needs --png</source>
        <translation>--size 需要配合 --png</translation>
    </message>
    <message>
        <source>curve: %1</source>
        <translation>curve：%1</translation>
    </message>
    <message>
        <source>curve: --size must be from %1 to %2</source>
        <translation>curve：--size 必须在 %1 到 %2 之间</translation>
    </message>
    <message>
        <source>curve: page %1 has no EQ graph</source>
        <translation>curve：第 %1 页没有均衡曲线</translation>
    </message>
    <message>
        <source>%1  —  page %2 %3</source>
        <translation>%1  —  第 %2 页 %3</translation>
    </message>
    <message>
        <source>curve: cannot write %1</source>
        <translation>curve：无法写入 %1</translation>
    </message>
    <message>
        <source>give one LINK</source>
        <translation>请给出一个 LINK</translation>
    </message>
    <message>
        <source>unexpected empty word</source>
        <translation>多余的空参数</translation>
    </message>
    <message>
        <source>unexpected %1</source>
        <translation>多余的参数 %1</translation>
    </message>
    <message>
        <source>give two presets, or a preset and unit</source>
        <translation>请给出两个预设，或一个预设和 unit</translation>
    </message>
    <message>
        <source>only one side can be the unit</source>
        <translation>只能有一边是设备（unit）</translation>
    </message>
    <message>
        <source>unit needs --unit HOST[:PORT] or --serial DEVICE</source>
        <translation>unit 需要 --unit 主机[:端口] 或 --serial 设备</translation>
    </message>
    <message>
        <source>a LINK is given but neither side is unit</source>
        <translation>给出了 LINK，但两边都不是 unit</translation>
    </message>
    <message>
        <source>%1 (raw %2)</source>
        <translation>%1（原始值 %2）</translation>
    </message>
    <message>
        <source>diff: %1</source>
        <translation>diff：%1</translation>
    </message>
    <message>
        <source>usage: velantroctl diff A B [--all] [--json] (A, B: preset files, or one of them unit with a LINK)</source>
        <translation>用法：velantroctl diff A B [--all] [--json]（A、B：预设文件，或其中之一为 unit 并给出 LINK）</translation>
    </message>
    <message>
        <source>usage: velantroctl get LINK ADDRESS</source>
        <translation>用法：velantroctl get LINK ADDRESS</translation>
    </message>
    <message>
        <source>value</source>
        <translation>值</translation>
    </message>
    <message>
        <source>band</source>
        <translation>频段</translation>
    </message>
    <message>
        <source>command</source>
        <translation>命令</translation>
    </message>
    <message>
        <source>text</source>
        <translation>文字</translation>
    </message>
    <message>
        <source>usage: velantroctl list [--page P] [--json] (P from 0 to 10)</source>
        <translation>用法：velantroctl list [--page P] [--json]（P 为 0 到 10）</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could name %2 parameters:</source>
        <translation>“%1”可指 %2 个参数：</translation>
    </message>
    <message>
        <source>  ... and %1 more (velantroctl list shows them all)</source>
        <translation>  …… 另有 %1 个（velantroctl list 可列出全部）</translation>
    </message>
    <message>
        <source>%1 is no address (decimal or 0x-hex) and no name</source>
        <translation>%1 既不是地址（十进制或 0x 十六进制）也不是名称</translation>
    </message>
    <message>
        <source>no parameter is named &quot;%1&quot; (velantroctl list shows the names)</source>
        <translation>没有名为“%1”的参数（velantroctl list 可列出名称）</translation>
    </message>
    <message>
        <source>the unit at %1 does not hold what was uploaded (%2 difference)</source>
        <translation>%1 的设备所存与上传的不符（%2 处不同）</translation>
    </message>
    <message>
        <source>the unit at %1 does not hold what was uploaded (%2 differences)</source>
        <translation>%1 的设备所存与上传的不符（%2 处不同）</translation>
    </message>
    <message>
        <source>page %1 index %2: sent %3, unit holds %4</source>
        <translation>第 %1 页 序号 %2：发送 %3，设备存有 %4</translation>
    </message>
    <message>
        <source>... and %1 more</source>
        <translation>…… 另有 %1 处</translation>
    </message>
    <message>
        <source>%1 %2 (file %3, unit %4)</source>
        <translation>%1 %2（文件 %3，设备 %4）</translation>
    </message>
    <message>
        <source>page 0</source>
        <translation>第 0 页</translation>
    </message>
    <message>
        <source>pages 0 to %1</source>
        <translation>第 0 到 %1 页</translation>
    </message>
    <message>
        <source>restore: the unit now holds part of %1: some volume limits written, the rest is what it held before; restore again</source>
        <translation>restore：设备现在只存有 %1 的一部分：已写入部分音量上限，其余仍是原来的内容；请重新恢复</translation>
    </message>
    <message>
        <source>restore: the unit now holds part of %1: the volume limits and %2 were written, the rest is what it held before; restore again</source>
        <translation>restore：设备现在只存有 %1 的一部分：已写入音量上限和%2，其余仍是原来的内容；请重新恢复</translation>
    </message>
    <message>
        <source>usage: velantroctl restore LINK FILE</source>
        <translation>用法：velantroctl restore LINK FILE</translation>
    </message>
    <message>
        <source>restore: %1 uploaded to %2 (%3 parameters: pages 0 to 9 and the volume limits; System settings are not restored)</source>
        <translation>restore：%1 已上传到 %2（%3 个参数：第 0 到 9 页及音量上限；不恢复系统设置）</translation>
    </message>
    <message>
        <source>restore: these System settings of the file differ on the unit and were kept:</source>
        <translation>restore：文件中的以下系统设置与设备不同，已保留设备上的值：</translation>
    </message>
    <message>
        <source>%1 takes %2 to %3 (the values velantroctl get shows)</source>
        <translation>%1 的取值为 %2 到 %3（即 velantroctl get 显示的值）</translation>
    </message>
    <message>
        <source>%1 takes %2 to %3</source>
        <translation>%1 的取值为 %2 到 %3</translation>
    </message>
    <message>
        <source>%1 takes %2 to %3 in steps of %4</source>
        <translation>%1 的取值为 %2 到 %3，步进 %4</translation>
    </message>
    <message>
        <source>%1 is no value: give a raw number (decimal or 0x-hex) or a value with its unit (2.0dB, 1000Hz)</source>
        <translation>%1 不是有效的值：请给出原始数字（十进制或 0x 十六进制）或带单位的值（2.0dB、1000Hz）</translation>
    </message>
    <message>
        <source>it needs its unit</source>
        <translation>需要带单位</translation>
    </message>
    <message>
        <source>another unit</source>
        <translation>单位不符</translation>
    </message>
    <message>
        <source>outside the range</source>
        <translation>超出范围</translation>
    </message>
    <message>
        <source>not on a step</source>
        <translation>不在步进上</translation>
    </message>
    <message>
        <source>refused value %1 (%2): %3</source>
        <translation>值被拒绝 %1（%2）：%3</translation>
    </message>
    <message>
        <source>usage: velantroctl set LINK ADDRESS VALUE</source>
        <translation>用法：velantroctl set LINK ADDRESS VALUE</translation>
    </message>
    <message>
        <source>value %1 is outside 0 to 65535</source>
        <translation>值 %1 超出 0 到 65535</translation>
    </message>
    <message>
        <source>the unit does not report %1 back, so set cannot confirm it</source>
        <translation>设备不会回报 %1，set 无法确认</translation>
    </message>
    <message>
        <source>%1 %2 is not a value that set writes</source>
        <translation>%1 %2 不是 set 可写入的值</translation>
    </message>
    <message>
        <source>refused value %1: %2 %3: %4..%5 (%6..%7)</source>
        <translation>值被拒绝 %1：%2 %3：%4..%5（%6..%7）</translation>
    </message>
    <message>
        <source>refused value %1: %2 %3: 0..%4 while the band is %5 (%6..%7)</source>
        <translation>值被拒绝 %1：%2 %3：频段为 %5 时只能是 0..%4（%6..%7）</translation>
    </message>
    <message>
        <source>refused value: the unit acknowledged %1 = %2 but holds %3</source>
        <translation>值被拒绝：设备确认了 %1 = %2，但存的是 %3</translation>
    </message>
    <message>
        <source>set: %1 = %2 (band frame)</source>
        <translation>set：%1 = %2（频段帧）</translation>
    </message>
    <message>
        <source>set: %1 = %2</source>
        <translation>set：%1 = %2</translation>
    </message>
    <message>
        <source>usage: velantroctl COMMAND ARGUMENTS [--timeout SECONDS] [--paced] [--lang zh|en]
  velantroctl backup  LINK FILE          download the whole image, write it as a preset;
                                         FILE - writes it to standard output. A symlink
                                         is followed; a device, FIFO or folder is refused
  velantroctl restore LINK FILE          upload a preset and read it back; exit 3 listing
                                         the cells the unit holds differently. It uploads
                                         pages 0 to 9 and the volume limits (0x0A06 to
                                         0x0A0B), as the console does. System settings are
                                         not restored: 0x0A02 current mode, 0x0A03 music
                                         input gain, 0x0A0C user or administrator, 0x0A0D
                                         auto key lock, 0x0A0E music input, 0x0A11
                                         infrared remote, 0x0A20 to 0x0A22 normal volumes;
                                         those that differ on the unit are listed
  velantroctl get     LINK ADDRESS       print the value at a parameter address
  velantroctl set     LINK ADDRESS VALUE write one value, wait for the acknowledgement and
                                         read it back; exit 1 &quot;refused value&quot; when the
                                         unit holds another. VALUE is raw (130), or with
                                         its unit as the console shows it (2.0dB, &quot;-3 dB&quot;,
                                         1000Hz); a value off the range or between two
                                         steps is refused (exit 2)
  velantroctl list    [--page P] [--json] print the parameters: address, name, range as
                                         the console shows it, step
  velantroctl diff    A B [--all] [--json]
                                         what differs between two presets, or a preset and
                                         the unit (the word unit with a LINK; a preset and
                                         a LINK alone compare the preset with the unit):
                                         &quot;name: A&apos;s value → B&apos;s value&quot;, then a count. It
                                         compares what an upload carries (pages 0 to 9,
                                         the volume limits), --all the System settings
                                         too; passwords and the management code show only
                                         &quot;(differs)&quot;. Exit 0 same, 1 different, 2 trouble
                                         (usage, a file it cannot read), 3 no unit
  velantroctl check   FILE               validate a preset file
  velantroctl curve   FILE --page P [--png OUT.png] [--size WxH]
                                         print (or draw) a page&apos;s total EQ response
  LINK is --unit HOST[:PORT] or --serial DEVICE (only that link is tried); ADDRESS is
  decimal or 0x-hex (0x0105), a parameter the console shows or a System setting, or its
  name as velantroctl list prints it (&quot;Music EQ 3 gain&quot;; case is ignored, and the
  beginning of one name is enough)
</source>
        <translation>用法：velantroctl 命令 参数 [--timeout 秒数] [--paced] [--lang zh|en]
  velantroctl backup  LINK FILE          下载整个参数映像，写成预设文件；FILE 为 -
                                         时写到标准输出。会跟随符号链接；拒绝写入
                                         设备、FIFO 或文件夹
  velantroctl restore LINK FILE          上传预设并读回核对；设备所存与文件不同时
                                         列出这些单元并以退出码 3 结束。与控制台一
                                         样上传第 0 到 9 页及音量上限（0x0A06 到
                                         0x0A0B）。不恢复系统设置：0x0A02 当前模式、
                                         0x0A03 音乐输入增益、0x0A0C 用户或管理员、
                                         0x0A0D 自动键盘锁、0x0A0E 音乐输入、0x0A11
                                         红外遥控、0x0A20 到 0x0A22 常规音量；设备
                                         上与文件不同的会被列出
  velantroctl get     LINK ADDRESS       打印某参数地址的值
  velantroctl set     LINK ADDRESS VALUE 写入一个值，等待确认并读回；设备存的是别
                                         的值时报告“值被拒绝”，退出码 1。VALUE 为
                                         原始值（130），或按控制台显示带单位
                                         （2.0dB、&quot;-3 dB&quot;、1000Hz）；超出范围或不
                                         在步进上的值会被拒绝（退出码 2）
  velantroctl list    [--page P] [--json] 打印参数：地址、名称、控制台显示的范围、
                                         步进
  velantroctl diff    A B [--all] [--json]
                                         两个预设之间、或预设与设备之间的差异（设备
                                         一方写作 unit 并给出 LINK；只给一个预设和
                                         LINK 时比较预设与设备）：“名称: A 的值 → B
                                         的值”，最后是数量。比较上传所含的内容（第
                                         0 到 9 页、音量上限），--all 连系统设置一起
                                         比较；密码和设备管理码只显示“(不同)”。退出
                                         码 0 相同、1 不同、2 出错（用法错误、文件
                                         无法读取）、3 无设备
  velantroctl check   FILE               校验预设文件
  velantroctl curve   FILE --page P [--png OUT.png] [--size WxH]
                                         打印（或绘制）某页的总均衡响应曲线
  LINK 为 --unit 主机[:端口] 或 --serial 设备（只尝试这一个连接）；ADDRESS 为十进
  制或 0x 十六进制（0x0105），可以是控制台显示的参数或系统设置，也可以是
  velantroctl list 打印的名称（&quot;Music EQ 3 gain&quot; 或 &quot;音乐 均衡 3 增益&quot;；不分大小
  写，名称的开头唯一即可）
</translation>
    </message>
    <message>
        <source>  --size WxH: the picture&apos;s size in pixels, a title line included
  --timeout SECONDS  give up after this long (fractions allowed) and exit 3; without
                     it each search, transfer or wait gives up after 120 s, and a unit
                     that sends nothing for 11 s is lost (exit 3)
  --paced            every request waits for the link&apos;s timer tick, as slow units need
  --lang zh|en       help, messages and text output in Chinese (zh) or English (en,
                     the default); --json, values and exit codes are the same in both
  Options may stand before or after the command word.
  -h, --help         print this help and exit
  --version          print the version and exit
exit codes:
  0  done
  1  a preset file that cannot be read or is not valid, a file that cannot be written,
     a value the unit refused or that set cannot confirm
  2  wrong usage: an unknown command or option, a missing or extra word, a number that
     is not one, an address that is not a parameter address, a name that is no
     parameter&apos;s or more than one&apos;s, a value with a unit the parameter does not take
  3  the unit: not found, lost, holding other values after a restore (or part of the
     file after a restore that failed), --timeout ran out, a host name that does not
     resolve, or a serial device that cannot be opened (for permission: join the group
     that owns it, e.g. dialout)
  diff exits as diff(1) does: 0 the same, 1 different, 2 trouble, 3 the unit
</source>
        <translation>  --size WxH：图片尺寸（像素），含标题行
  --timeout 秒数     超过该时长即放弃并以退出码 3 结束（可带小数）；不给时每次搜
                     索、传输或等待 120 秒后放弃，设备 11 秒没有任何数据即视为
                     断开（退出码 3）
  --paced            每个请求都等待连接的定时节拍，较慢的设备需要
  --lang zh|en       帮助、消息和文本输出使用中文（zh）或英文（en，默认）；
                     --json、数值和退出码在两种语言下相同
  选项可以放在命令词之前或之后。
  -h, --help         打印本帮助并退出
  --version          打印版本号并退出
退出码：
  0  完成
  1  预设文件无法读取或无效、文件无法写入、设备拒绝了值或 set 无法确认
  2  用法错误：未知的命令或选项、缺少或多出参数、不是数字的数字、不是参数地址的
     地址、不属于任何参数或属于多个参数的名称、参数不接受的单位
  3  设备问题：未找到、断开、恢复后存有不同的值（或恢复失败后只存有文件的一部
     分）、--timeout 超时、主机名无法解析、串口设备无法打开（权限问题：加入拥有
     该设备的用户组，如 dialout）
  diff 的退出码与 diff(1) 相同：0 相同、1 不同、2 出错、3 设备问题
</translation>
    </message>
    <message>
        <source>--lang takes zh or en</source>
        <translation>--lang 只能是 zh 或 en</translation>
    </message>
    <message>
        <source>--timeout needs a number of seconds greater than 0</source>
        <translation>--timeout 需要大于 0 的秒数</translation>
    </message>
    <message>
        <source>no command given</source>
        <translation>没有给出命令</translation>
    </message>
    <message>
        <source>unknown command %1</source>
        <translation>未知命令 %1</translation>
    </message>
    <message>
        <source>(differs)</source>
        <translation>(不同)</translation>
    </message>
    <message>
        <source>MIC A</source>
        <translation>MIC A</translation>
    </message>
    <message>
        <source>DEQ</source>
        <translation>DEQ</translation>
    </message>
    <message>
        <source>MIC B</source>
        <translation>MIC B</translation>
    </message>
    <message>
        <source>AUX1</source>
        <translation>AUX1</translation>
    </message>
    <message>
        <source>AUX2</source>
        <translation>AUX2</translation>
    </message>
    <message>
        <source>Surround output</source>
        <translation>环绕输出</translation>
    </message>
    <message>
        <source>page %1 index %2</source>
        <translation>第 %1 页 序号 %2</translation>
    </message>
    <message>
        <source>Mode name</source>
        <translation>模式名称</translation>
    </message>
    <message>
        <source>Mode save</source>
        <translation>模式保存</translation>
    </message>
    <message>
        <source>System password</source>
        <translation>系统密码</translation>
    </message>
    <message>
        <source>Key lock password</source>
        <translation>按键锁密码</translation>
    </message>
    <message>
        <source>Page upload</source>
        <translation>页上传</translation>
    </message>
    <message>
        <source>Page request</source>
        <translation>页请求</translation>
    </message>
    <message>
        <source>Link control</source>
        <translation>连接控制</translation>
    </message>
    <message>
        <source>Management code</source>
        <translation>设备管理码</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>未命名</translation>
    </message>
</context>
<context>
    <name>velantro::EditHistory</name>
    <message>
        <source>Undo</source>
        <translation>撤销</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>重做</translation>
    </message>
    <message>
        <source>EQ Reset</source>
        <translation>均衡复位</translation>
    </message>
    <message>
        <source>preset</source>
        <translation>预设</translation>
    </message>
    <message>
        <source>%1 values</source>
        <translation>%1 个值</translation>
    </message>
    <message>
        <source>value</source>
        <translation>值</translation>
    </message>
    <message>
        <source>preset upload</source>
        <translation>预设上传</translation>
    </message>
    <message>
        <source>Undo %1</source>
        <translation>撤销：%1</translation>
    </message>
    <message>
        <source>Redo %1</source>
        <translation>重做：%1</translation>
    </message>
</context>
<context>
    <name>velantro::NoticeStrip</name>
    <message>
        <source>Notices of the link and of your actions: click to see the last ones</source>
        <translation>连接和操作的提示: 点击查看最近的提示</translation>
    </message>
    <message>
        <source>No notices yet.</source>
        <translation>暂无提示。</translation>
    </message>
</context>
</TS>
