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
