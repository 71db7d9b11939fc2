<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>EditRules</name>
    <message>
        <source>请先选择人工标记时间！</source>
        <translation>Choose manual marking first.</translation>
    </message>
    <message>
        <source>撞击起始时间不能大于结束时间！</source>
        <translation>The impact start cannot be later than its end.</translation>
    </message>
    <message>
        <source>撞击结束时间不能小于开始时间！</source>
        <translation>The impact end cannot be earlier than its start.</translation>
    </message>
    <message>
        <source>当前桩必须有一个可打印波形！</source>
        <translation>The area must keep at least one wave marked for printing.</translation>
    </message>
    <message>
        <source>每个测区最多叠加25个波形！</source>
        <translation>An area holds at most 25 superposed waves.</translation>
    </message>
    <message>
        <source>测点间距(m)</source>
        <translation>Point spacing (m)</translation>
    </message>
    <message>
        <source>落球下落高度(m)</source>
        <translation>Drop height (m)</translation>
    </message>
    <message>
        <source>落球半径(m)</source>
        <translation>Ball radius (m)</translation>
    </message>
    <message>
        <source>落球弹性模量(Pa)</source>
        <translation>Ball modulus (Pa)</translation>
    </message>
    <message>
        <source>落球泊松比</source>
        <translation>Ball Poisson ratio</translation>
    </message>
    <message>
        <source>材料泊松比</source>
        <translation>Soil Poisson ratio</translation>
    </message>
    <message>
        <source>材料修正系数</source>
        <translation>Material factor</translation>
    </message>
    <message>
        <source>弯沉修正</source>
        <translation>Deflection factor</translation>
    </message>
    <message>
        <source>自然密度(g/cm3)</source>
        <translation>Natural density (g/cm3)</translation>
    </message>
    <message>
        <source>斜率系数</source>
        <translation>Slope</translation>
    </message>
    <message>
        <source>常数项</source>
        <translation>Constant</translation>
    </message>
    <message>
        <source>最大干密度(g/cm3)</source>
        <translation>Max. dry density (g/cm3)</translation>
    </message>
    <message>
        <source>最小干密度(g/cm3)</source>
        <translation>Min. dry density (g/cm3)</translation>
    </message>
    <message>
        <source>系数a</source>
        <translation>Coefficient a</translation>
    </message>
    <message>
        <source>系数b</source>
        <translation>Coefficient b</translation>
    </message>
    <message>
        <source>加速度修正(m/s2)</source>
        <translation>Accel. correction (m/s2)</translation>
    </message>
    <message>
        <source>落球质量(kg)</source>
        <translation>Ball mass (kg)</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>测区文件列表</source>
        <translation>Area Files</translation>
    </message>
    <message>
        <source>序号</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>测区文件</source>
        <translation>Area Files</translation>
    </message>
    <message>
        <source>文件(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>新建工程(&amp;N)</source>
        <translation>&amp;New Project...</translation>
    </message>
    <message>
        <source>打开工程(&amp;O)</source>
        <translation>&amp;Open Project...</translation>
    </message>
    <message>
        <source>保存工程(&amp;S)</source>
        <translation>&amp;Save Project</translation>
    </message>
    <message>
        <source>工程另存为(&amp;A)</source>
        <translation>Save Project &amp;As...</translation>
    </message>
    <message>
        <source>关闭工程(&amp;C)</source>
        <translation>&amp;Close Project</translation>
    </message>
    <message>
        <source>添加文件</source>
        <translation>Add Files...</translation>
    </message>
    <message>
        <source>移除文件</source>
        <translation>Remove File...</translation>
    </message>
    <message>
        <source>打开测区文件</source>
        <translation>Open Area File...</translation>
    </message>
    <message>
        <source>保存测区文件</source>
        <translation>Save Area File</translation>
    </message>
    <message>
        <source>测区文件另存为</source>
        <translation>Save Area File As...</translation>
    </message>
    <message>
        <source>关闭测区文件</source>
        <translation>Close Area File</translation>
    </message>
    <message>
        <source>生成位图</source>
        <translation>Write Wave Pictures...</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>编辑(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>撤销操作</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>恢复操作</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>起始时间标记</source>
        <translation>Start Mark</translation>
    </message>
    <message>
        <source>结束时间标记</source>
        <translation>End Mark</translation>
    </message>
    <message>
        <source>恢复波形</source>
        <translation>Superpose Waves...</translation>
    </message>
    <message>
        <source>删除波形</source>
        <translation>Delete Wave</translation>
    </message>
    <message>
        <source>查看(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>转到测点(&amp;G)</source>
        <translation>&amp;Go to Point...</translation>
    </message>
    <message>
        <source>缩放到冲击</source>
        <translation>Zoom to Impact</translation>
    </message>
    <message>
        <source>采样参数</source>
        <translation>Sampling Parameters...</translation>
    </message>
    <message>
        <source>波形列表</source>
        <translation>Wave List</translation>
    </message>
    <message>
        <source>分析列表</source>
        <translation>Result List</translation>
    </message>
    <message>
        <source>等值图</source>
        <translation>Contour Map</translation>
    </message>
    <message>
        <source>设置(&amp;S)</source>
        <translation>&amp;Settings</translation>
    </message>
    <message>
        <source>选项(&amp;C)</source>
        <translation>Opt&amp;ions...</translation>
    </message>
    <message>
        <source>工程信息(&amp;I)</source>
        <translation>Project &amp;Information...</translation>
    </message>
    <message>
        <source>验收标准</source>
        <translation>Acceptance Criteria...</translation>
    </message>
    <message>
        <source>工具(&amp;T)</source>
        <translation>&amp;Tools</translation>
    </message>
    <message>
        <source>图形输出</source>
        <translation>Picture Report...</translation>
    </message>
    <message>
        <source>生成报告</source>
        <translation>Test Report...</translation>
    </message>
    <message>
        <source>生成汇总表</source>
        <translation>Summary Table...</translation>
    </message>
    <message>
        <source>同时保存为 PDF</source>
        <translation>Also Save as PDF</translation>
    </message>
    <message>
        <source>报告写好后由 LibreOffice 另存一份 PDF</source>
        <translation>Once a report is written, LibreOffice saves a PDF copy beside it</translation>
    </message>
    <message>
        <source>English reports</source>
        <translation>English Reports</translation>
    </message>
    <message>
        <source>Summary Table</source>
        <translation>Summary Table</translation>
    </message>
    <message>
        <source>Test Report</source>
        <translation>Test Report</translation>
    </message>
    <message>
        <source>Wave Pictures</source>
        <translation>Wave Pictures</translation>
    </message>
    <message>
        <source>帮助(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>关于</source>
        <translation>About</translation>
    </message>
    <message>
        <source>工具栏</source>
        <translation>Toolbar</translation>
    </message>
    <message>
        <source>测区信息</source>
        <translation>Area Information</translation>
    </message>
    <message>
        <source>波形参数</source>
        <translation>Wave Parameters</translation>
    </message>
    <message>
        <source>工程已修改没有保存，你想保存文件吗？</source>
        <translation>The project has unsaved changes. Save them?</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>不保存</source>
        <translation>Don&apos;t Save</translation>
    </message>
    <message>
        <source>返回</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>没有打开的工程！</source>
        <translation>No project is open.</translation>
    </message>
    <message>
        <source>验收标准保存失败：%1
%2</source>
        <translation>The acceptance criteria could not be saved: %1
%2</translation>
    </message>
    <message>
        <source>转到测点</source>
        <translation>Go to Point</translation>
    </message>
    <message>
        <source>测点号（1–%1）：</source>
        <translation>Point number (1–%1):</translation>
    </message>
    <message>
        <source>本测区没有测点 %1（测点号 1–%2）。</source>
        <translation>This area has no point %1 (points 1–%2).</translation>
    </message>
    <message>
        <source>测点 %1 已删除。</source>
        <translation>Point %1 has been deleted.</translation>
    </message>
    <message>
        <source>打开文件</source>
        <translation>Open File</translation>
    </message>
    <message>
        <source>测区文件(*.pip)</source>
        <translation>Area files (*.pip)</translation>
    </message>
    <message>
        <source>Failed to open %1
%2</source>
        <translation>Failed to open %1
%2</translation>
    </message>
    <message>
        <source>文件保存失败：%1
%2</source>
        <translation>The file could not be saved: %1
%2</translation>
    </message>
    <message>
        <source>保存桩文件</source>
        <translation>Save Area File</translation>
    </message>
    <message>
        <source>桩文件(*.pip)</source>
        <translation>Area files (*.pip)</translation>
    </message>
    <message>
        <source>已保存 %1</source>
        <translation>Saved %1</translation>
    </message>
    <message>
        <source>桩文件已修改没有保存，你想保存文件吗？</source>
        <translation>The area file has unsaved changes. Save them?</translation>
    </message>
    <message>
        <source>是否保存对测区文件的修改？</source>
        <translation>Save the changes to the area file?</translation>
    </message>
    <message>
        <source>当前测区:</source>
        <translation>Current area: </translation>
    </message>
    <message>
        <source>桩文件名过长！</source>
        <translation>The file name is too long.</translation>
    </message>
    <message>
        <source>文件后缀名必须为.pip！</source>
        <translation>The file name must end in .pip.</translation>
    </message>
    <message>
        <source>文件名称与现有的桩文件名称重复！</source>
        <translation>Another area file already has this name.</translation>
    </message>
    <message>
        <source>更改桩文件名称失败！</source>
        <translation>The file could not be renamed.</translation>
    </message>
    <message>
        <source>更改桩文件名称成功！</source>
        <translation>The file has been renamed.</translation>
    </message>
    <message>
        <source>Failed to restore dock widget</source>
        <translation>Failed to restore dock widget</translation>
    </message>
    <message>
        <source>显示选项未能保存：
%1</source>
        <translation>The display options could not be saved:
%1</translation>
    </message>
    <message>
        <source>没有打开的工程文件！</source>
        <translation>No project is open.</translation>
    </message>
    <message>
        <source>没有设置打印标识的图形！</source>
        <translation>No wave is marked for printing.</translation>
    </message>
    <message>
        <source>正在生成 %1 的位图…</source>
        <translation>Writing the pictures of %1…</translation>
    </message>
    <message>
        <source>位图保存失败：%1</source>
        <translation>The picture could not be saved: %1</translation>
    </message>
    <message>
        <source>已取消，没有写入位图</source>
        <translation>Cancelled; no picture was written</translation>
    </message>
    <message>
        <source>选择保存文件夹</source>
        <translation>Choose a Folder</translation>
    </message>
    <message>
        <source>已写入 %1 张位图到 %2</source>
        <translation>Wrote %1 pictures to %2</translation>
    </message>
    <message>
        <source>已写入 %1</source>
        <translation>Wrote %1</translation>
    </message>
    <message>
        <source>已写入 %1（未能打开：%2）</source>
        <translation>Wrote %1 (could not open it: %2)</translation>
    </message>
    <message>
        <source>；</source>
        <translation>; </translation>
    </message>
    <message>
        <source>没有找到 LibreOffice（soffice），未生成 PDF</source>
        <translation>LibreOffice (soffice) not found; no PDF written</translation>
    </message>
    <message>
        <source>PDF：%1</source>
        <translation>PDF: %1</translation>
    </message>
    <message>
        <source>未生成 PDF：%1</source>
        <translation>No PDF written: %1</translation>
    </message>
    <message>
        <source>正在生成报告…</source>
        <translation>Writing the report…</translation>
    </message>
    <message>
        <source>已取消，没有写入报告</source>
        <translation>Cancelled; no report was written</translation>
    </message>
    <message>
        <source>Excel出现错误，可能Excel没有激活有关系！</source>
        <translation>The summary table could not be written.</translation>
    </message>
    <message>
        <source>工程文件(*.Prj)</source>
        <translation>Project files (*.Prj)</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>工程文件无法读取：%1
%2</source>
        <translation>The project file cannot be read: %1
%2</translation>
    </message>
    <message>
        <source>验收标准文件无法读取，本工程不作验收：
</source>
        <translation>The acceptance criteria cannot be read; this project is not judged:
</translation>
    </message>
    <message>
        <source>未能列出工程文件夹中的测区文件：
</source>
        <translation>The area files of the project folder could not be listed:
</translation>
    </message>
    <message>
        <source>保存工程</source>
        <translation>Save Project</translation>
    </message>
    <message>
        <source>工程中有同名桩文件，是否要覆盖？</source>
        <translation>The project already has an area file of this name. Replace it?</translation>
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
        <source>工程中没有测区文件！</source>
        <translation>The project has no area file.</translation>
    </message>
    <message>
        <source>你确信是要移除此桩文件“%1”吗？</source>
        <translation>Remove the area file “%1” from the project?</translation>
    </message>
    <message>
        <source>仅移除</source>
        <translation>Remove Only</translation>
    </message>
    <message>
        <source>移除且物理删除</source>
        <translation>Remove and Delete</translation>
    </message>
    <message>
        <source>将从磁盘上删除“%1”，此操作无法撤销。
确定删除吗？</source>
        <translation>“%1” will be deleted from the disk. This cannot be undone.
Delete it?</translation>
    </message>
    <message>
        <source>文件删除失败：%1
%2</source>
        <translation>The file could not be deleted: %1
%2</translation>
    </message>
    <message>
        <source>已移除并删除 %1</source>
        <translation>Removed and deleted %1</translation>
    </message>
    <message>
        <source>已从工程移除 %1</source>
        <translation>Removed %1 from the project</translation>
    </message>
    <message>
        <source>以下测区文件未能完整读取：
</source>
        <translation>These area files could not be read whole:
</translation>
    </message>
    <message>
        <source>最近的工程</source>
        <translation>Recent Projects</translation>
    </message>
    <message>
        <source>找不到工程文件，已从最近的工程中去掉：
%1</source>
        <translation>The project file is gone and was taken off the recent projects:
%1</translation>
    </message>
    <message>
        <source>%1（已损坏）</source>
        <translation>%1 (damaged)</translation>
    </message>
    <message>
        <source>已损坏，不能打开：%1</source>
        <translation>Damaged, cannot be opened: %1</translation>
    </message>
    <message>
        <source>其他程序正在修改本工程的文件（%1）：修改先保留在内存中，稍后再保存。</source>
        <translation>Another program is changing the files of this project (%1): the edits stay in memory; save later.</translation>
    </message>
    <message>
        <source>测区文件“%1”已被其他程序删除或移走。
它仍在内存中；保存会重新写出它。</source>
        <translation>The area file &quot;%1&quot; was deleted or moved by another program.
It is still in memory; saving writes it again.</translation>
    </message>
    <message>
        <source>测区文件“%1”已被其他程序修改。
你在本程序中的修改仍保留；保存时会询问如何处理。</source>
        <translation>The area file &quot;%1&quot; was changed by another program.
Your edits here are kept; saving will ask what to do.</translation>
    </message>
    <message>
        <source>测区文件“%1”已被其他程序修改。重新读取吗？</source>
        <translation>The area file &quot;%1&quot; was changed by another program. Read it again?</translation>
    </message>
    <message>
        <source>重新读取</source>
        <translation>Read again</translation>
    </message>
    <message>
        <source>不读取</source>
        <translation>Keep as shown</translation>
    </message>
    <message>
        <source>测区文件“%1”已损坏，不能打开：%2</source>
        <translation>The area file &quot;%1&quot; is damaged and cannot be opened: %2</translation>
    </message>
    <message>
        <source>找不到 %1</source>
        <translation>%1 was not found</translation>
    </message>
    <message>
        <source>文件夹 %1 中没有工程文件（*.Prj）</source>
        <translation>The folder %1 holds no project file (*.Prj)</translation>
    </message>
    <message>
        <source>%1 不是工程文件（*.Prj）也不是测区文件（*.pip）</source>
        <translation>%1 is neither a project file (*.Prj) nor an area file (*.pip)</translation>
    </message>
    <message>
        <source>测区文件“%1”在打开后已被其他程序修改或删除。
保存会覆盖磁盘上的修改。</source>
        <translation>The area file &quot;%1&quot; was changed or deleted by another program after it was opened here.
Saving would overwrite that change.</translation>
    </message>
    <message>
        <source>重新读取（放弃我的修改）</source>
        <translation>Read again (drop my edits)</translation>
    </message>
    <message>
        <source>覆盖</source>
        <translation>Overwrite</translation>
    </message>
    <message>
        <source>另存为…</source>
        <translation>Save mine as…</translation>
    </message>
    <message>
        <source>已完成上次中断的修改（%1 个文件）</source>
        <translation>Completed a change that was interrupted earlier (%1 files)</translation>
    </message>
    <message>
        <source>上次中断的修改未能完成：
%1</source>
        <translation>A change that was interrupted earlier could not be completed:
%1</translation>
    </message>
    <message>
        <source>我的修改已另存为 %1</source>
        <translation>My edits were saved as %1</translation>
    </message>
    <message>
        <source>其他程序正在修改本工程的文件：
%1
没有保存任何文件；修改仍保留，请稍后再保存。</source>
        <translation>Another program is changing the files of this project:
%1
Nothing was saved; the edits are kept, save again later.</translation>
    </message>
    <message>
        <source>%1 中已有 %2 张同名位图。要替换它们吗？</source>
        <translation>%1 already holds %2 pictures of the same names. Replace them?</translation>
    </message>
    <message>
        <source>%1 已存在。要替换它吗？</source>
        <translation>%1 already exists. Replace it?</translation>
    </message>
    <message>
        <source>未生成 PDF：%1 已存在</source>
        <translation>no PDF written: %1 already exists</translation>
    </message>
    <message>
        <source>-波形</source>
        <translation>-waves</translation>
    </message>
    <message>
        <source>-检测报告</source>
        <translation>-test-report</translation>
    </message>
    <message>
        <source>-汇总表</source>
        <translation>-summary</translation>
    </message>
    <message>
        <source>检测单位</source>
        <translation>Testing Laboratory</translation>
    </message>
    <message>
        <source>检测单位设置无法使用：%1</source>
        <translation>The testing laboratory settings cannot be used: %1</translation>
    </message>
    <message>
        <source>检测单位保存失败：%1
%2</source>
        <translation>The testing laboratory could not be saved: %1
%2</translation>
    </message>
    <message>
        <source>PDF：%1（%2）</source>
        <translation>PDF: %1 (%2)</translation>
    </message>
    <message>
        <source>没有保存任何文件。</source>
        <translation>No file was saved.</translation>
    </message>
    <message>
        <source>拟合曲线</source>
        <translation>Fitted pulse</translation>
    </message>
    <message>
        <source>在波形上画出拟合的赫兹撞击曲线</source>
        <translation>Draw the fitted Hertz impact over each wave</translation>
    </message>
</context>
<context>
    <name>ProjectSet</name>
    <message>
        <source>工程名称：</source>
        <translation>Project name:</translation>
    </message>
    <message>
        <source>工程地址：</source>
        <translation>Project address:</translation>
    </message>
    <message>
        <source>工程类型：</source>
        <translation>Project type:</translation>
    </message>
    <message>
        <source>开工日期：</source>
        <translation>Start date:</translation>
    </message>
    <message>
        <source>检测单位：</source>
        <translation>Testing company:</translation>
    </message>
    <message>
        <source>单位地址：</source>
        <translation>Company address:</translation>
    </message>
    <message>
        <source>资质证号：</source>
        <translation>Qualification no.:</translation>
    </message>
    <message>
        <source>联系人：</source>
        <translation>Contact:</translation>
    </message>
    <message>
        <source>联系电话：</source>
        <translation>Phone:</translation>
    </message>
    <message>
        <source>单位邮编：</source>
        <translation>Postcode:</translation>
    </message>
    <message>
        <source>仪器型号：</source>
        <translation>Instrument model:</translation>
    </message>
    <message>
        <source>仪器编号：</source>
        <translation>Instrument no.:</translation>
    </message>
    <message>
        <source>检定证号：</source>
        <translation>Calibration no.:</translation>
    </message>
    <message>
        <source>检测人员：</source>
        <translation>Tester:</translation>
    </message>
    <message>
        <source>上岗证号：</source>
        <translation>Permit no.:</translation>
    </message>
    <message>
        <source>委托单位：</source>
        <translation>Client:</translation>
    </message>
    <message>
        <source>委托日期：</source>
        <translation>Commission date:</translation>
    </message>
    <message>
        <source>监理单位：</source>
        <translation>Supervisor:</translation>
    </message>
    <message>
        <source>监督单位：</source>
        <translation>Authority:</translation>
    </message>
    <message>
        <source>设计单位：</source>
        <translation>Designer:</translation>
    </message>
    <message>
        <source>施工单位：</source>
        <translation>Builder:</translation>
    </message>
    <message>
        <source>建设单位：</source>
        <translation>Owner:</translation>
    </message>
    <message>
        <source>承建单位：</source>
        <translation>Contractor:</translation>
    </message>
    <message>
        <source>勘察单位</source>
        <translation>Surveyor:</translation>
    </message>
    <message>
        <source>报告编号</source>
        <translation>Report no.:</translation>
    </message>
    <message>
        <source>报告日期</source>
        <translation>Report date:</translation>
    </message>
    <message>
        <source>检测依据</source>
        <translation>Test basis:</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Settings</translation>
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
        <source>请输入完整的日期（年月日，如20240315）！</source>
        <translation>Enter a whole date (year, month, day, e.g. 20240315).</translation>
    </message>
</context>
<context>
    <name>QAboutMain</name>
    <message>
        <source>关于</source>
        <translation>About</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>QAcceptanceDlg</name>
    <message>
        <source>“%1”不是正数</source>
        <translation>“%1” is not a positive number</translation>
    </message>
    <message>
        <source>验收标准</source>
        <translation>Acceptance Criteria</translation>
    </message>
    <message>
        <source>不要求</source>
        <translation>None</translation>
    </message>
    <message>
        <source>本测区单独设定（%1）</source>
        <translation>Own criteria for this area (%1)</translation>
    </message>
    <message>
        <source>要求变形模量(MPa)</source>
        <translation>Required deformation modulus (MPa)</translation>
    </message>
    <message>
        <source>要求回弹模量(MPa)</source>
        <translation>Required resilient modulus (MPa)</translation>
    </message>
    <message>
        <source>保证率</source>
        <translation>Guarantee rate</translation>
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
    <name>QDeviceSet</name>
    <message>
        <source>低</source>
        <translation>Low</translation>
    </message>
    <message>
        <source>中</source>
        <translation>Medium</translation>
    </message>
    <message>
        <source>高</source>
        <translation>High</translation>
    </message>
    <message>
        <source>采样参数</source>
        <translation>Sampling Parameters</translation>
    </message>
    <message>
        <source>采样长度</source>
        <translation>Samples</translation>
    </message>
    <message>
        <source>增益</source>
        <translation>Gain</translation>
    </message>
    <message>
        <source>采集方式</source>
        <translation>Acquisition</translation>
    </message>
    <message>
        <source>连续采样</source>
        <translation>Continuous</translation>
    </message>
    <message>
        <source>接收模式</source>
        <translation>Receiving</translation>
    </message>
    <message>
        <source>人工</source>
        <translation>Manual</translation>
    </message>
    <message>
        <source>采样间隔</source>
        <translation>Interval</translation>
    </message>
    <message>
        <source>触发电平</source>
        <translation>Trigger level</translation>
    </message>
    <message>
        <source>通道</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>通道1</source>
        <translation>Channel 1</translation>
    </message>
    <message>
        <source>通道%1</source>
        <translation>Channel %1</translation>
    </message>
    <message>
        <source>传感器类型</source>
        <translation>Sensor</translation>
    </message>
    <message>
        <source>加速度</source>
        <translation>Acceleration</translation>
    </message>
    <message>
        <source>速度</source>
        <translation>Velocity</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>QErrorDlg</name>
    <message>
        <source>缩径</source>
        <translation>Necking</translation>
    </message>
    <message>
        <source>扩径</source>
        <translation>Bulging</translation>
    </message>
    <message>
        <source>断桩</source>
        <translation>Break</translation>
    </message>
    <message>
        <source>离析</source>
        <translation>Segregation</translation>
    </message>
    <message>
        <source>夹泥</source>
        <translation>Mud inclusion</translation>
    </message>
    <message>
        <source>裂纹</source>
        <translation>Crack</translation>
    </message>
    <message>
        <source>缺陷</source>
        <translation>Defect</translation>
    </message>
    <message>
        <source>轻微</source>
        <translation>Slight</translation>
    </message>
    <message>
        <source>普通</source>
        <translation>Moderate</translation>
    </message>
    <message>
        <source>严重</source>
        <translation>Severe</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>缺陷类型</source>
        <translation>Defect Type</translation>
    </message>
    <message>
        <source>严重程度</source>
        <translation>Severity</translation>
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
    <name>QLabDlg</name>
    <message>
        <source>检测单位</source>
        <translation>Testing Laboratory</translation>
    </message>
    <message>
        <source>不用标志</source>
        <translation>no logo</translation>
    </message>
    <message>
        <source>浏览…</source>
        <translation>Browse…</translation>
    </message>
    <message>
        <source>单位名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>资质证书编号(CMA)</source>
        <translation>Qualification No. (CMA)</translation>
    </message>
    <message>
        <source>地址</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>电话</source>
        <translation>Phone</translation>
    </message>
    <message>
        <source>编写</source>
        <translation>Prepared by</translation>
    </message>
    <message>
        <source>复核</source>
        <translation>Checked by</translation>
    </message>
    <message>
        <source>审核</source>
        <translation>Reviewed by</translation>
    </message>
    <message>
        <source>批准</source>
        <translation>Approved by</translation>
    </message>
    <message>
        <source>标志图片(PNG)</source>
        <translation>Logo (PNG)</translation>
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
        <source>标志图片</source>
        <translation>Logo</translation>
    </message>
    <message>
        <source>PNG 图片 (*.png)</source>
        <translation>PNG pictures (*.png)</translation>
    </message>
    <message>
        <source>“%1”不是可读的 PNG 图片</source>
        <translation>“%1” is not a readable PNG picture</translation>
    </message>
</context>
<context>
    <name>QMergeDlg</name>
    <message>
        <source>波形叠加</source>
        <translation>Superpose Waves</translation>
    </message>
    <message>
        <source>序号:%1/%2</source>
        <translation>Point %1/%2</translation>
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
    <name>QParamter</name>
    <message>
        <source>选项</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>波显示高度(像素)</source>
        <translation>Wave height (pixels)</translation>
    </message>
    <message>
        <source>显示网格</source>
        <translation>Show grid</translation>
    </message>
    <message>
        <source>显示纵坐标</source>
        <translation>Show vertical axis</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>波显示高度请输入50-500之间的数！</source>
        <translation>Enter a wave height from 50 to 500.</translation>
    </message>
</context>
<context>
    <name>QPipeInfo</name>
    <message>
        <source>无日期</source>
        <translation>No date</translation>
    </message>
    <message>
        <source>测区信息</source>
        <translation>Area Information</translation>
    </message>
    <message>
        <source>硬质砾石</source>
        <translation>Hard gravel</translation>
    </message>
    <message>
        <source>硬质砂石</source>
        <translation>Hard sand-gravel</translation>
    </message>
    <message>
        <source>粉砂</source>
        <translation>Silty sand</translation>
    </message>
    <message>
        <source>软弱粘土</source>
        <translation>Soft clay</translation>
    </message>
    <message>
        <source>水泥稳定土</source>
        <translation>Cement-stabilised soil</translation>
    </message>
    <message>
        <source>其他材料</source>
        <translation>Other material</translation>
    </message>
    <message>
        <source>使用</source>
        <translation>Use</translation>
    </message>
    <message>
        <source>粘聚力</source>
        <translation>Cohesion</translation>
    </message>
    <message>
        <source>摩擦角</source>
        <translation>Friction angle</translation>
    </message>
    <message>
        <source>工程名称</source>
        <translation>Project</translation>
    </message>
    <message>
        <source>测区名称</source>
        <translation>Area</translation>
    </message>
    <message>
        <source>测区类型</source>
        <translation>Area type</translation>
    </message>
    <message>
        <source>测点数</source>
        <translation>Points</translation>
    </message>
    <message>
        <source>建设日期</source>
        <translation>Built</translation>
    </message>
    <message>
        <source>测试日期</source>
        <translation>Tested</translation>
    </message>
    <message>
        <source>测区回弹模量(MPa)</source>
        <translation>Resilient modulus (MPa)</translation>
    </message>
    <message>
        <source>测区变形模量(MPa)</source>
        <translation>Deformation modulus (MPa)</translation>
    </message>
    <message>
        <source>拟合</source>
        <translation>Fit</translation>
    </message>
    <message>
        <source>验收：未设要求</source>
        <translation>Acceptance: no requirement</translation>
    </message>
    <message>
        <source>变形模量</source>
        <translation>Deformation modulus</translation>
    </message>
    <message>
        <source>回弹模量</source>
        <translation>Resilient modulus</translation>
    </message>
    <message>
        <source>%1：%2，代表值 %3 MPa，要求 %4 MPa，n = %5</source>
        <translation>%1: %2, representative value %3 MPa, required %4 MPa, n = %5</translation>
    </message>
    <message>
        <source>验收：%1（代表值 %2 MPa）</source>
        <translation>Acceptance: %1 (representative %2 MPa)</translation>
    </message>
    <message>
        <source>%1 “%2”：%3</source>
        <translation>%1 “%2”: %3</translation>
    </message>
    <message>
        <source>；</source>
        <translation>; </translation>
    </message>
    <message>
        <source>没有输入数字</source>
        <translation>no number given</translation>
    </message>
    <message>
        <source>超出单精度浮点数的范围</source>
        <translation>out of the range of a float</translation>
    </message>
    <message>
        <source>超出 %1 至 %2 的范围</source>
        <translation>outside %1 to %2</translation>
    </message>
    <message>
        <source>小数多于 %1 位</source>
        <translation>more than %1 decimals</translation>
    </message>
    <message>
        <source>不是数字</source>
        <translation>not a number</translation>
    </message>
    <message>
        <source>%1 = %2 不在常见范围 %3 至 %4 之内：%5。
仍然使用这个值吗？</source>
        <translation>%1 = %2 is outside the usual range %3 to %4: %5.
Use this value anyway?</translation>
    </message>
    <message>
        <source>峰值校核：实测为理论的 %1 倍，仪器标定可疑</source>
        <translation>Peak check: measured %1 × Hertz theory — instrument calibration suspect</translation>
    </message>
    <message>
        <source>峰值校核：实测为理论的 %1 倍</source>
        <translation>Peak check: measured %1 × Hertz theory</translation>
    </message>
    <message>
        <source>测得的峰值加速度与赫兹理论按落高和拟合的加载时间给出的峰值之比（测点中值）。
偏离 1 超过 15% 时，多半是表头中的落高、增益或灵敏度有误，或传感器老化。</source>
        <translation>The measured peak acceleration over the peak Hertz theory gives for the drop height and the fitted loading time (median of the points).
More than 15 % away from 1 usually means a wrong drop height, gain or sensitivity in the header, or a tired sensor.</translation>
    </message>
</context>
<context>
    <name>QWave</name>
    <message>
        <source>起始时间标记(&amp;T)</source>
        <translation>S&amp;tart Mark</translation>
    </message>
    <message>
        <source>结束时间标记(&amp;D)</source>
        <translation>En&amp;d Mark</translation>
    </message>
    <message>
        <source>缺陷(&amp;F)</source>
        <translation>De&amp;fect...</translation>
    </message>
    <message>
        <source>清除(&amp;C)</source>
        <translation>&amp;Clear</translation>
    </message>
    <message>
        <source>清除此波形的缺陷</source>
        <translation>Clear the defects of this wave</translation>
    </message>
    <message>
        <source>设置打印标志</source>
        <translation>Mark for Printing</translation>
    </message>
    <message>
        <source>自动计算桩头</source>
        <translation>Find Start Automatically</translation>
    </message>
    <message>
        <source>图形导出</source>
        <translation>Export Picture...</translation>
    </message>
    <message>
        <source>删除波形</source>
        <translation>Delete Wave</translation>
    </message>
    <message>
        <source>数据导出</source>
        <translation>Export Data...</translation>
    </message>
    <message>
        <source>序号:%1/%2</source>
        <translation>Point %1/%2</translation>
    </message>
    <message>
        <source> 系叠加波</source>
        <translation> (superposed)</translation>
    </message>
    <message>
        <source>起始:  %1ms</source>
        <translation>Start:  %1ms</translation>
    </message>
    <message>
        <source>结束:  %1ms</source>
        <translation>End:  %1ms</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>质量：
</source>
        <translation>Quality:
</translation>
    </message>
    <message>
        <source>去除打印标识</source>
        <translation>Unmark for Printing</translation>
    </message>
    <message>
        <source>设打印标识</source>
        <translation>Mark for Printing</translation>
    </message>
    <message>
        <source>Images (%1)</source>
        <translation>Images (%1)</translation>
    </message>
    <message>
        <source>Failed to save %1
%2</source>
        <translation>Failed to save %1
%2</translation>
    </message>
    <message>
        <source>已写入 %1</source>
        <translation>Wrote %1</translation>
    </message>
    <message>
        <source>文本文件(*.txt)</source>
        <translation>Text files (*.txt)</translation>
    </message>
    <message>
        <source>Failed to open %1
%2</source>
        <translation>Failed to open %1
%2</translation>
    </message>
</context>
<context>
    <name>QWaveList</name>
    <message>
        <source>波形处理</source>
        <translation>Wave Processing</translation>
    </message>
</context>
<context>
    <name>QWaveParameter</name>
    <message>
        <source>波形处理</source>
        <translation>Wave Processing</translation>
    </message>
    <message>
        <source>无</source>
        <translation>None</translation>
    </message>
    <message>
        <source>低通</source>
        <translation>Low-pass</translation>
    </message>
    <message>
        <source>高通</source>
        <translation>High-pass</translation>
    </message>
    <message>
        <source>带通</source>
        <translation>Band-pass</translation>
    </message>
    <message>
        <source>当前测区</source>
        <translation>Current area</translation>
    </message>
    <message>
        <source>当前测点</source>
        <translation>Current point</translation>
    </message>
    <message>
        <source>缺省参数</source>
        <translation>Defaults</translation>
    </message>
    <message>
        <source>自动标记</source>
        <translation>Automatic</translation>
    </message>
    <message>
        <source>人工标记</source>
        <translation>Manual</translation>
    </message>
    <message>
        <source>去直流</source>
        <translation>Remove DC</translation>
    </message>
    <message>
        <source>积分</source>
        <translation>Integrate</translation>
    </message>
    <message>
        <source>反向</source>
        <translation>Invert</translation>
    </message>
    <message>
        <source>指数</source>
        <translation>Exponential</translation>
    </message>
    <message>
        <source>线性</source>
        <translation>Linear</translation>
    </message>
    <message>
        <source>应用</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>拉压比</source>
        <translation>Stretch ratio</translation>
    </message>
    <message>
        <source>低截止频率(Hz)</source>
        <translation>Low cut-off (Hz)</translation>
    </message>
    <message>
        <source>高截止频率(Hz)</source>
        <translation>High cut-off (Hz)</translation>
    </message>
    <message>
        <source>应用范围：</source>
        <translation>Apply to:</translation>
    </message>
    <message>
        <source>标记起始/结束时间方式：</source>
        <translation>Start/end marking:</translation>
    </message>
    <message>
        <source>放大起点，请输入0-200范围的值。</source>
        <translation>Enter a magnification start from 0 to 200.</translation>
    </message>
    <message>
        <source>滤波方式</source>
        <translation>Filter</translation>
    </message>
</context>
<context>
    <name>StartHint</name>
    <message>
        <source>&lt;p&gt;没有打开的工程。&lt;/p&gt;&lt;p&gt;&lt;a href=&quot;project&quot;&gt;打开工程…&lt;/a&gt;（Ctrl+O）&lt;/p&gt;&lt;p&gt;&lt;a href=&quot;area&quot;&gt;打开测区文件…&lt;/a&gt;&lt;/p&gt;&lt;p&gt;或在“文件”菜单中新建工程。&lt;/p&gt;</source>
        <translation>&lt;p&gt;No project is open.&lt;/p&gt;&lt;p&gt;&lt;a href=&quot;project&quot;&gt;Open a project…&lt;/a&gt; (Ctrl+O)&lt;/p&gt;&lt;p&gt;&lt;a href=&quot;area&quot;&gt;Open an area file…&lt;/a&gt;&lt;/p&gt;&lt;p&gt;Or make a new project in the “File” menu.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>最近的工程</source>
        <translation>Recent Projects</translation>
    </message>
</context>
<context>
    <name>TestSpectrogram</name>
    <message>
        <source>区域变形模量（回弹）分布图</source>
        <translation>Deformation (resilient) modulus map</translation>
    </message>
</context>
<context>
    <name>UserDialogs</name>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>Verdict</name>
    <message>
        <source>合格</source>
        <translation>Pass</translation>
    </message>
    <message>
        <source>不合格</source>
        <translation>Fail</translation>
    </message>
</context>
<context>
    <name>ViewOptionsStore</name>
    <message>
        <source>%1
无法创建文件夹</source>
        <translation>%1
The folder cannot be made</translation>
    </message>
</context>
<context>
    <name>graph</name>
    <message>
        <source>行 %1，列 %2，</source>
        <translation>Row %1, column %2, </translation>
    </message>
    <message>
        <source>无测点</source>
        <translation>no point</translation>
    </message>
    <message>
        <source>序号%1，</source>
        <translation>point %1, </translation>
    </message>
    <message>
        <source>测区没有可用的网格：行数 %1，列数 %2，行距 %3 m，列距 %4 m</source>
        <translation>The area has no usable grid: %1 rows, %2 columns, row spacing %3 m, column spacing %4 m</translation>
    </message>
</context>
<context>
    <name>qdatalist</name>
    <message>
        <source>测点编号</source>
        <translation>Point</translation>
    </message>
    <message>
        <source>序号%1</source>
        <translation>Point %1</translation>
    </message>
    <message>
        <source>测试结果列表：</source>
        <translation>Test results:</translation>
    </message>
    <message>
        <source>质量</source>
        <translation>Quality</translation>
    </message>
</context>
</TS>
