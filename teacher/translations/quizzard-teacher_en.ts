<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="en_US">
<context>
    <name>EditedTest</name>
    <message>
        <location filename="../EditedTest.cpp" line="97" />
        <source>Add question</source>
        <translation>Add question</translation>
    </message>
    <message>
        <location filename="../EditedTest.cpp" line="103" />
        <source>Duplicate question</source>
        <translation>Duplicate question</translation>
    </message>
    <message>
        <location filename="../UndoCommands.cpp" line="6" />
        <source>Change settings</source>
        <translation>Change settings</translation>
    </message>
    <message>
        <location filename="../UndoCommands.cpp" line="31" />
        <source>Delete question</source>
        <translation>Delete question</translation>
    </message>
    <message>
        <location filename="../UndoCommands.cpp" line="34" />
        <source>Move question</source>
        <translation>Move question</translation>
    </message>
    <message>
        <location filename="../UndoCommands.cpp" line="37" />
        <source>Edit text</source>
        <translation>Edit text</translation>
    </message>
</context>
<context>
    <name>FileActions</name>
    <message>
        <location filename="../FileActions.cpp" line="48" />
        <location filename="../FileActions.cpp" line="57" />
        <source>Open test</source>
        <translation>Open test</translation>
    </message>
    <message>
        <location filename="../FileActions.cpp" line="49" />
        <source>Tests (*.qzt);;All files (*)</source>
        <translation>Tests (*.qzt);;All files (*)</translation>
    </message>
    <message>
        <location filename="../FileActions.cpp" line="58" />
        <source>Cannot open %1:
%2</source>
        <translation>Cannot open %1:
%2</translation>
    </message>
    <message>
        <location filename="../FileActions.cpp" line="79" />
        <source>Save test</source>
        <translation>Save test</translation>
    </message>
    <message>
        <location filename="../FileActions.cpp" line="80" />
        <source>The test was not saved to %1; the file there is unchanged.
%2</source>
        <translation>The test was not saved to %1; the file there is unchanged.
%2</translation>
    </message>
    <message>
        <location filename="../FileActions.cpp" line="110" />
        <source>Unsaved changes</source>
        <translation>Unsaved changes</translation>
    </message>
    <message>
        <location filename="../FileActions.cpp" line="111" />
        <source>The test has unsaved changes. Save them?</source>
        <translation>The test has unsaved changes. Save them?</translation>
    </message>
    <message>
        <location filename="../FileActions.cpp" line="112" />
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message>
        <location filename="../FileActions.cpp" line="113" />
        <source>Discard</source>
        <translation>Discard</translation>
    </message>
    <message>
        <location filename="../FileActions.cpp" line="114" />
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <location filename="../FileActions.cpp" line="123" />
        <source>Save test as</source>
        <translation>Save test as</translation>
    </message>
    <message>
        <location filename="../FileActions.cpp" line="123" />
        <source>Tests (*.qzt)</source>
        <translation>Tests (*.qzt)</translation>
    </message>
    <message>
        <location filename="../FileActions.cpp" line="142" />
        <location filename="../FileActions.cpp" line="151" />
        <source>Restore unsaved test</source>
        <translation>Restore unsaved test</translation>
    </message>
    <message>
        <location filename="../FileActions.cpp" line="143" />
        <source>The editor closed without saving a test last time. Restore the unsaved copy?</source>
        <translation>The editor closed without saving a test last time. Restore the unsaved copy?</translation>
    </message>
    <message>
        <location filename="../FileActions.cpp" line="151" />
        <source>The unsaved copy cannot be read.</source>
        <translation>The unsaved copy cannot be read.</translation>
    </message>
</context>
<context>
    <name>FormatToolBar</name>
    <message>
        <location filename="../FormatToolBar.cpp" line="28" />
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <location filename="../FormatToolBar.cpp" line="30" />
        <source>Bold</source>
        <translation>Bold</translation>
    </message>
    <message>
        <location filename="../FormatToolBar.cpp" line="36" />
        <source>Italic</source>
        <translation>Italic</translation>
    </message>
    <message>
        <location filename="../FormatToolBar.cpp" line="42" />
        <source>Underline</source>
        <translation>Underline</translation>
    </message>
    <message>
        <location filename="../FormatToolBar.cpp" line="48" />
        <source>Subscript</source>
        <translation>Subscript</translation>
    </message>
    <message>
        <location filename="../FormatToolBar.cpp" line="50" />
        <source>Superscript</source>
        <translation>Superscript</translation>
    </message>
    <message>
        <location filename="../FormatToolBar.cpp" line="55" />
        <source>Font</source>
        <translation>Font</translation>
    </message>
    <message>
        <location filename="../FormatToolBar.cpp" line="63" />
        <source>Size</source>
        <translation>Size</translation>
    </message>
    <message>
        <location filename="../FormatToolBar.cpp" line="74" />
        <source>Colour</source>
        <translation>Colour</translation>
    </message>
    <message>
        <location filename="../FormatToolBar.cpp" line="83" />
        <source>Left</source>
        <translation>Left</translation>
    </message>
    <message>
        <location filename="../FormatToolBar.cpp" line="84" />
        <source>Centre</source>
        <translation>Centre</translation>
    </message>
    <message>
        <location filename="../FormatToolBar.cpp" line="85" />
        <source>Right</source>
        <translation>Right</translation>
    </message>
    <message>
        <location filename="../FormatToolBar.cpp" line="86" />
        <source>Justify</source>
        <translation>Justify</translation>
    </message>
    <message>
        <location filename="../FormatToolBar.cpp" line="101" />
        <source>Bulleted list</source>
        <translation>Bulleted list</translation>
    </message>
    <message>
        <location filename="../FormatToolBar.cpp" line="102" />
        <source>Numbered list</source>
        <translation>Numbered list</translation>
    </message>
    <message>
        <location filename="../FormatToolBar.cpp" line="113" />
        <source>Picture…</source>
        <translation>Picture…</translation>
    </message>
    <message>
        <location filename="../FormatToolBar.cpp" line="115" />
        <location filename="../FormatToolBar.cpp" line="206" />
        <source>Paste picture</source>
        <translation>Paste picture</translation>
    </message>
    <message>
        <location filename="../FormatToolBar.cpp" line="117" />
        <source>Symbol</source>
        <translation>Symbol</translation>
    </message>
    <message>
        <location filename="../FormatToolBar.cpp" line="179" />
        <source>Text colour</source>
        <translation>Text colour</translation>
    </message>
    <message>
        <location filename="../FormatToolBar.cpp" line="187" />
        <location filename="../FormatToolBar.cpp" line="197" />
        <source>Insert picture</source>
        <translation>Insert picture</translation>
    </message>
    <message>
        <location filename="../FormatToolBar.cpp" line="188" />
        <source>Pictures (*.png *.jpg *.jpeg)</source>
        <translation>Pictures (*.png *.jpg *.jpeg)</translation>
    </message>
    <message>
        <location filename="../FormatToolBar.cpp" line="197" />
        <source>%1 is not a PNG or JPEG picture.</source>
        <translation>%1 is not a PNG or JPEG picture.</translation>
    </message>
    <message>
        <location filename="../FormatToolBar.cpp" line="206" />
        <source>The clipboard holds no picture.</source>
        <translation>The clipboard holds no picture.</translation>
    </message>
</context>
<context>
    <name>QuestionEditor</name>
    <message>
        <location filename="../QuestionEditor.cpp" line="22" />
        <source>Question</source>
        <translation>Question</translation>
    </message>
    <message>
        <location filename="../QuestionEditor.cpp" line="23" />
        <source>Correct answer</source>
        <translation>Correct answer</translation>
    </message>
    <message>
        <location filename="../QuestionEditor.cpp" line="24" />
        <source>Answer %1</source>
        <translation>Answer %1</translation>
    </message>
</context>
<context>
    <name>QuestionList</name>
    <message>
        <location filename="../QuestionList.cpp" line="36" />
        <source>Search questions</source>
        <translation>Search questions</translation>
    </message>
    <message>
        <location filename="../QuestionList.cpp" line="44" />
        <source>Add</source>
        <translation>Add</translation>
    </message>
    <message>
        <location filename="../QuestionList.cpp" line="45" />
        <source>Duplicate</source>
        <translation>Duplicate</translation>
    </message>
    <message>
        <location filename="../QuestionList.cpp" line="46" />
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <location filename="../QuestionList.cpp" line="47" />
        <source>Up</source>
        <translation>Up</translation>
    </message>
    <message>
        <location filename="../QuestionList.cpp" line="48" />
        <source>Down</source>
        <translation>Down</translation>
    </message>
</context>
<context>
    <name>QuestionPreview</name>
    <message>
        <location filename="../QuestionPreview.cpp" line="13" />
        <source>Preview</source>
        <translation>Preview</translation>
    </message>
</context>
<context>
    <name>QuestionProblems</name>
    <message>
        <location filename="../QuestionProblems.cpp" line="43" />
        <source>The question is empty</source>
        <translation>The question is empty</translation>
    </message>
    <message>
        <location filename="../QuestionProblems.cpp" line="54" />
        <source>An answer is empty</source>
        <translation>An answer is empty</translation>
    </message>
    <message>
        <location filename="../QuestionProblems.cpp" line="55" />
        <source>Two answers are equal</source>
        <translation>Two answers are equal</translation>
    </message>
    <message>
        <location filename="../QuestionProblems.cpp" line="56" />
        <source>A picture is larger than 1 MB</source>
        <translation>A picture is larger than 1 MB</translation>
    </message>
</context>
<context>
    <name>SettingsPanel</name>
    <message>
        <location filename="../SettingsPanel.cpp" line="16" />
        <source>Allow return to answered questions</source>
        <translation>Allow return to answered questions</translation>
    </message>
    <message>
        <location filename="../SettingsPanel.cpp" line="17" />
        <source>Show the score during the test</source>
        <translation>Show the score during the test</translation>
    </message>
    <message>
        <location filename="../SettingsPanel.cpp" line="30" />
        <source>0 — the test ends at once</source>
        <translation>0 — the test ends at once</translation>
    </message>
    <message>
        <location filename="../SettingsPanel.cpp" line="35" />
        <source>The name students see in the list of tests. When empty, the file name is shown.</source>
        <translation>The name students see in the list of tests. When empty, the file name is shown.</translation>
    </message>
    <message>
        <location filename="../SettingsPanel.cpp" line="36" />
        <source>How many questions one student gets, drawn at random from the file. The file must hold more questions than this.</source>
        <translation>How many questions one student gets, drawn at random from the file. The file must hold more questions than this.</translation>
    </message>
    <message>
        <location filename="../SettingsPanel.cpp" line="38" />
        <source>Time for the whole test in minutes, up to 23 h 59 min. With 0 the time is over as soon as the test starts.</source>
        <translation>Time for the whole test in minutes, up to 23 h 59 min. With 0 the time is over as soon as the test starts.</translation>
    </message>
    <message>
        <location filename="../SettingsPanel.cpp" line="40" />
        <source>Points for each correct answer, in steps of one tenth.</source>
        <translation>Points for each correct answer, in steps of one tenth.</translation>
    </message>
    <message>
        <location filename="../SettingsPanel.cpp" line="41" />
        <source>Students may go back to questions they have already answered.</source>
        <translation>Students may go back to questions they have already answered.</translation>
    </message>
    <message>
        <location filename="../SettingsPanel.cpp" line="42" />
        <source>Students see their score while they take the test.</source>
        <translation>Students see their score while they take the test.</translation>
    </message>
    <message>
        <location filename="../SettingsPanel.cpp" line="45" />
        <source>Title:</source>
        <translation>Title:</translation>
    </message>
    <message>
        <location filename="../SettingsPanel.cpp" line="46" />
        <source>Questions per test:</source>
        <translation>Questions per test:</translation>
    </message>
    <message>
        <location filename="../SettingsPanel.cpp" line="48" />
        <source>Minutes:</source>
        <translation>Minutes:</translation>
    </message>
    <message>
        <location filename="../SettingsPanel.cpp" line="49" />
        <source>Points per answer:</source>
        <translation>Points per answer:</translation>
    </message>
    <message>
        <location filename="../SettingsPanel.cpp" line="94" />
        <source>The student program will accept this test: %1 questions in the file, %2 per test.</source>
        <translation>The student program will accept this test: %1 questions in the file, %2 per test.</translation>
    </message>
    <message>
        <location filename="../SettingsPanel.cpp" line="96" />
        <source>The student program will not accept this test: the file needs more questions than a test asks (%1 in the file, %2 per test).</source>
        <translation>The student program will not accept this test: the file needs more questions than a test asks (%1 in the file, %2 per test).</translation>
    </message>
</context>
<context>
    <name>TeacherWindow</name>
    <message>
        <location filename="../TeacherWindow.cpp" line="31" />
        <source>Test editor</source>
        <translation>Test editor</translation>
    </message>
    <message>
        <location filename="../TeacherWindow.cpp" line="72" />
        <source>&amp;File</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <location filename="../TeacherWindow.cpp" line="73" />
        <source>File</source>
        <translation>File</translation>
    </message>
    <message>
        <location filename="../TeacherWindow.cpp" line="75" />
        <source>&amp;New</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <location filename="../TeacherWindow.cpp" line="76" />
        <source>&amp;Open…</source>
        <translation>&amp;Open…</translation>
    </message>
    <message>
        <location filename="../TeacherWindow.cpp" line="77" />
        <source>Open &amp;recent</source>
        <translation>Open &amp;recent</translation>
    </message>
    <message>
        <location filename="../TeacherWindow.cpp" line="79" />
        <source>&amp;Save</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <location filename="../TeacherWindow.cpp" line="80" />
        <source>Save &amp;as…</source>
        <translation>Save &amp;as…</translation>
    </message>
    <message>
        <location filename="../TeacherWindow.cpp" line="81" />
        <source>&amp;Close</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <location filename="../TeacherWindow.cpp" line="83" />
        <source>&amp;Quit</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <location filename="../TeacherWindow.cpp" line="93" />
        <source>&amp;Edit</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <location filename="../TeacherWindow.cpp" line="94" />
        <source>&amp;Undo</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <location filename="../TeacherWindow.cpp" line="95" />
        <source>&amp;Redo</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <location filename="../TeacherWindow.cpp" line="103" />
        <source>&amp;Questions</source>
        <translation>&amp;Questions</translation>
    </message>
    <message>
        <location filename="../TeacherWindow.cpp" line="104" />
        <source>&amp;Add question</source>
        <translation>&amp;Add question</translation>
    </message>
    <message>
        <location filename="../TeacherWindow.cpp" line="105" />
        <source>&amp;Duplicate question</source>
        <translation>&amp;Duplicate question</translation>
    </message>
    <message>
        <location filename="../TeacherWindow.cpp" line="106" />
        <source>De&amp;lete question</source>
        <translation>De&amp;lete question</translation>
    </message>
    <message>
        <location filename="../TeacherWindow.cpp" line="107" />
        <source>Move &amp;up</source>
        <translation>Move &amp;up</translation>
    </message>
    <message>
        <location filename="../TeacherWindow.cpp" line="108" />
        <source>Move do&amp;wn</source>
        <translation>Move do&amp;wn</translation>
    </message>
    <message>
        <location filename="../TeacherWindow.cpp" line="112" />
        <source>&amp;Test</source>
        <translation>&amp;Test</translation>
    </message>
    <message>
        <location filename="../TeacherWindow.cpp" line="113" />
        <source>&amp;Preview question</source>
        <translation>&amp;Preview question</translation>
    </message>
    <message>
        <location filename="../TeacherWindow.cpp" line="114" />
        <source>&amp;Try the test</source>
        <translation>&amp;Try the test</translation>
    </message>
    <message>
        <location filename="../TeacherWindow.cpp" line="133" />
        <source>Try the test</source>
        <translation>Try the test</translation>
    </message>
    <message>
        <location filename="../TeacherWindow.cpp" line="133" />
        <source>The test cannot be tried:
%1</source>
        <translation>The test cannot be tried:
%1</translation>
    </message>
    <message>
        <location filename="../TeacherWindow.cpp" line="146" />
        <source>Untitled</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <location filename="../TeacherWindow.cpp" line="147" />
        <source>%1[*] — Quizzard teacher</source>
        <translation>%1[*] — Quizzard teacher</translation>
    </message>
    <message>
        <location filename="../TeacherWindow.cpp" line="152" />
        <source>Questions: %1</source>
        <translation>Questions: %1</translation>
    </message>
</context>
<context>
    <name>TestTrial</name>
    <message>
        <location filename="../TestTrial.cpp" line="53" />
        <source>cannot copy %1</source>
        <translation>cannot copy %1</translation>
    </message>
    <message>
        <location filename="../TestTrial.cpp" line="62" />
        <source>the test is already running</source>
        <translation>the test is already running</translation>
    </message>
    <message>
        <location filename="../TestTrial.cpp" line="63" />
        <source>the student program is not installed beside this one</source>
        <translation>the student program is not installed beside this one</translation>
    </message>
</context>
</TS>