<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="ru_RU">
<context>
    <name>EditedTest</name>
    <message>
        <location filename="../EditedTest.cpp" line="97" />
        <source>Add question</source>
        <translation>Добавление вопроса</translation>
    </message>
    <message>
        <location filename="../EditedTest.cpp" line="103" />
        <source>Duplicate question</source>
        <translation>Копия вопроса</translation>
    </message>
    <message>
        <location filename="../UndoCommands.cpp" line="6" />
        <source>Change settings</source>
        <translation>Изменение настроек</translation>
    </message>
    <message>
        <location filename="../UndoCommands.cpp" line="31" />
        <source>Delete question</source>
        <translation>Удаление вопроса</translation>
    </message>
    <message>
        <location filename="../UndoCommands.cpp" line="34" />
        <source>Move question</source>
        <translation>Перемещение вопроса</translation>
    </message>
    <message>
        <location filename="../UndoCommands.cpp" line="37" />
        <source>Edit text</source>
        <translation>Правка текста</translation>
    </message>
</context>
<context>
    <name>FileActions</name>
    <message>
        <location filename="../FileActions.cpp" line="48" />
        <location filename="../FileActions.cpp" line="57" />
        <source>Open test</source>
        <translation>Открыть тест</translation>
    </message>
    <message>
        <location filename="../FileActions.cpp" line="49" />
        <source>Tests (*.qzt);;All files (*)</source>
        <translation>Тесты (*.qzt);;Все файлы (*)</translation>
    </message>
    <message>
        <location filename="../FileActions.cpp" line="58" />
        <source>Cannot open %1:
%2</source>
        <translation>Не удалось открыть %1:
%2</translation>
    </message>
    <message>
        <location filename="../FileActions.cpp" line="79" />
        <source>Save test</source>
        <translation>Сохранить тест</translation>
    </message>
    <message>
        <location filename="../FileActions.cpp" line="80" />
        <source>The test was not saved to %1; the file there is unchanged.
%2</source>
        <translation>Тест не сохранён в %1; прежний файл не изменён.
%2</translation>
    </message>
    <message>
        <location filename="../FileActions.cpp" line="110" />
        <source>Unsaved changes</source>
        <translation>Несохранённые изменения</translation>
    </message>
    <message>
        <location filename="../FileActions.cpp" line="111" />
        <source>The test has unsaved changes. Save them?</source>
        <translation>В тесте есть несохранённые изменения. Сохранить их?</translation>
    </message>
    <message>
        <location filename="../FileActions.cpp" line="112" />
        <source>Save</source>
        <translation>Сохранить</translation>
    </message>
    <message>
        <location filename="../FileActions.cpp" line="113" />
        <source>Discard</source>
        <translation>Не сохранять</translation>
    </message>
    <message>
        <location filename="../FileActions.cpp" line="114" />
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <location filename="../FileActions.cpp" line="123" />
        <source>Save test as</source>
        <translation>Сохранить тест как</translation>
    </message>
    <message>
        <location filename="../FileActions.cpp" line="123" />
        <source>Tests (*.qzt)</source>
        <translation>Тесты (*.qzt)</translation>
    </message>
    <message>
        <location filename="../FileActions.cpp" line="142" />
        <location filename="../FileActions.cpp" line="151" />
        <source>Restore unsaved test</source>
        <translation>Восстановить несохранённый тест</translation>
    </message>
    <message>
        <location filename="../FileActions.cpp" line="143" />
        <source>The editor closed without saving a test last time. Restore the unsaved copy?</source>
        <translation>В прошлый раз редактор закрылся, не сохранив тест. Восстановить несохранённую копию?</translation>
    </message>
    <message>
        <location filename="../FileActions.cpp" line="151" />
        <source>The unsaved copy cannot be read.</source>
        <translation>Несохранённую копию не удалось прочитать.</translation>
    </message>
</context>
<context>
    <name>FormatToolBar</name>
    <message>
        <location filename="../FormatToolBar.cpp" line="28" />
        <source>Format</source>
        <translation>Формат</translation>
    </message>
    <message>
        <location filename="../FormatToolBar.cpp" line="30" />
        <source>Bold</source>
        <translation>Полужирный</translation>
    </message>
    <message>
        <location filename="../FormatToolBar.cpp" line="36" />
        <source>Italic</source>
        <translation>Курсив</translation>
    </message>
    <message>
        <location filename="../FormatToolBar.cpp" line="42" />
        <source>Underline</source>
        <translation>Подчёркнутый</translation>
    </message>
    <message>
        <location filename="../FormatToolBar.cpp" line="48" />
        <source>Subscript</source>
        <translation>Нижний индекс</translation>
    </message>
    <message>
        <location filename="../FormatToolBar.cpp" line="50" />
        <source>Superscript</source>
        <translation>Верхний индекс</translation>
    </message>
    <message>
        <location filename="../FormatToolBar.cpp" line="55" />
        <source>Font</source>
        <translation>Шрифт</translation>
    </message>
    <message>
        <location filename="../FormatToolBar.cpp" line="63" />
        <source>Size</source>
        <translation>Размер</translation>
    </message>
    <message>
        <location filename="../FormatToolBar.cpp" line="74" />
        <source>Colour</source>
        <translation>Цвет</translation>
    </message>
    <message>
        <location filename="../FormatToolBar.cpp" line="83" />
        <source>Left</source>
        <translation>По левому краю</translation>
    </message>
    <message>
        <location filename="../FormatToolBar.cpp" line="84" />
        <source>Centre</source>
        <translation>По центру</translation>
    </message>
    <message>
        <location filename="../FormatToolBar.cpp" line="85" />
        <source>Right</source>
        <translation>По правому краю</translation>
    </message>
    <message>
        <location filename="../FormatToolBar.cpp" line="86" />
        <source>Justify</source>
        <translation>По ширине</translation>
    </message>
    <message>
        <location filename="../FormatToolBar.cpp" line="101" />
        <source>Bulleted list</source>
        <translation>Маркированный список</translation>
    </message>
    <message>
        <location filename="../FormatToolBar.cpp" line="102" />
        <source>Numbered list</source>
        <translation>Нумерованный список</translation>
    </message>
    <message>
        <location filename="../FormatToolBar.cpp" line="113" />
        <source>Picture…</source>
        <translation>Рисунок…</translation>
    </message>
    <message>
        <location filename="../FormatToolBar.cpp" line="115" />
        <location filename="../FormatToolBar.cpp" line="206" />
        <source>Paste picture</source>
        <translation>Вставить рисунок</translation>
    </message>
    <message>
        <location filename="../FormatToolBar.cpp" line="117" />
        <source>Symbol</source>
        <translation>Символ</translation>
    </message>
    <message>
        <location filename="../FormatToolBar.cpp" line="179" />
        <source>Text colour</source>
        <translation>Цвет текста</translation>
    </message>
    <message>
        <location filename="../FormatToolBar.cpp" line="187" />
        <location filename="../FormatToolBar.cpp" line="197" />
        <source>Insert picture</source>
        <translation>Вставка рисунка</translation>
    </message>
    <message>
        <location filename="../FormatToolBar.cpp" line="188" />
        <source>Pictures (*.png *.jpg *.jpeg)</source>
        <translation>Рисунки (*.png *.jpg *.jpeg)</translation>
    </message>
    <message>
        <location filename="../FormatToolBar.cpp" line="197" />
        <source>%1 is not a PNG or JPEG picture.</source>
        <translation>%1 — не рисунок PNG или JPEG.</translation>
    </message>
    <message>
        <location filename="../FormatToolBar.cpp" line="206" />
        <source>The clipboard holds no picture.</source>
        <translation>В буфере обмена нет рисунка.</translation>
    </message>
</context>
<context>
    <name>QuestionEditor</name>
    <message>
        <location filename="../QuestionEditor.cpp" line="22" />
        <source>Question</source>
        <translation>Вопрос</translation>
    </message>
    <message>
        <location filename="../QuestionEditor.cpp" line="23" />
        <source>Correct answer</source>
        <translation>Правильный ответ</translation>
    </message>
    <message>
        <location filename="../QuestionEditor.cpp" line="24" />
        <source>Answer %1</source>
        <translation>Ответ %1</translation>
    </message>
</context>
<context>
    <name>QuestionList</name>
    <message>
        <location filename="../QuestionList.cpp" line="36" />
        <source>Search questions</source>
        <translation>Поиск по вопросам</translation>
    </message>
    <message>
        <location filename="../QuestionList.cpp" line="44" />
        <source>Add</source>
        <translation>Добавить</translation>
    </message>
    <message>
        <location filename="../QuestionList.cpp" line="45" />
        <source>Duplicate</source>
        <translation>Копировать</translation>
    </message>
    <message>
        <location filename="../QuestionList.cpp" line="46" />
        <source>Delete</source>
        <translation>Удалить</translation>
    </message>
    <message>
        <location filename="../QuestionList.cpp" line="47" />
        <source>Up</source>
        <translation>Вверх</translation>
    </message>
    <message>
        <location filename="../QuestionList.cpp" line="48" />
        <source>Down</source>
        <translation>Вниз</translation>
    </message>
</context>
<context>
    <name>QuestionPreview</name>
    <message>
        <location filename="../QuestionPreview.cpp" line="13" />
        <source>Preview</source>
        <translation>Просмотр</translation>
    </message>
</context>
<context>
    <name>QuestionProblems</name>
    <message>
        <location filename="../QuestionProblems.cpp" line="43" />
        <source>The question is empty</source>
        <translation>Пустой вопрос</translation>
    </message>
    <message>
        <location filename="../QuestionProblems.cpp" line="54" />
        <source>An answer is empty</source>
        <translation>Пустой ответ</translation>
    </message>
    <message>
        <location filename="../QuestionProblems.cpp" line="55" />
        <source>Two answers are equal</source>
        <translation>Два одинаковых ответа</translation>
    </message>
    <message>
        <location filename="../QuestionProblems.cpp" line="56" />
        <source>A picture is larger than 1 MB</source>
        <translation>Рисунок больше 1 МБ</translation>
    </message>
</context>
<context>
    <name>SettingsPanel</name>
    <message>
        <location filename="../SettingsPanel.cpp" line="16" />
        <source>Allow return to answered questions</source>
        <translation>Разрешить возврат к отвеченным вопросам</translation>
    </message>
    <message>
        <location filename="../SettingsPanel.cpp" line="17" />
        <source>Show the score during the test</source>
        <translation>Показывать результат во время теста</translation>
    </message>
    <message>
        <location filename="../SettingsPanel.cpp" line="30" />
        <source>0 — the test ends at once</source>
        <translation>0 — тест сразу заканчивается</translation>
    </message>
    <message>
        <location filename="../SettingsPanel.cpp" line="35" />
        <source>The name students see in the list of tests. When empty, the file name is shown.</source>
        <translation>Название, которое ученики видят в списке тестов. Если оно пустое, показывается имя файла.</translation>
    </message>
    <message>
        <location filename="../SettingsPanel.cpp" line="36" />
        <source>How many questions one student gets, drawn at random from the file. The file must hold more questions than this.</source>
        <translation>Сколько вопросов получает один ученик; они выбираются из файла случайно. В файле должно быть больше вопросов.</translation>
    </message>
    <message>
        <location filename="../SettingsPanel.cpp" line="38" />
        <source>Time for the whole test in minutes, up to 23 h 59 min. With 0 the time is over as soon as the test starts.</source>
        <translation>Время на весь тест в минутах, до 23 ч 59 мин. При 0 время кончается сразу после начала теста.</translation>
    </message>
    <message>
        <location filename="../SettingsPanel.cpp" line="40" />
        <source>Points for each correct answer, in steps of one tenth.</source>
        <translation>Баллы за каждый правильный ответ, с точностью до десятой.</translation>
    </message>
    <message>
        <location filename="../SettingsPanel.cpp" line="41" />
        <source>Students may go back to questions they have already answered.</source>
        <translation>Ученики могут вернуться к вопросам, на которые уже ответили.</translation>
    </message>
    <message>
        <location filename="../SettingsPanel.cpp" line="42" />
        <source>Students see their score while they take the test.</source>
        <translation>Ученики видят свой результат во время теста.</translation>
    </message>
    <message>
        <location filename="../SettingsPanel.cpp" line="45" />
        <source>Title:</source>
        <translation>Название:</translation>
    </message>
    <message>
        <location filename="../SettingsPanel.cpp" line="46" />
        <source>Questions per test:</source>
        <translation>Вопросов в тесте:</translation>
    </message>
    <message>
        <location filename="../SettingsPanel.cpp" line="48" />
        <source>Minutes:</source>
        <translation>Минут:</translation>
    </message>
    <message>
        <location filename="../SettingsPanel.cpp" line="49" />
        <source>Points per answer:</source>
        <translation>Баллов за ответ:</translation>
    </message>
    <message>
        <location filename="../SettingsPanel.cpp" line="94" />
        <source>The student program will accept this test: %1 questions in the file, %2 per test.</source>
        <translation>Программа ученика примет этот тест: в файле %1 вопросов, в тесте %2.</translation>
    </message>
    <message>
        <location filename="../SettingsPanel.cpp" line="96" />
        <source>The student program will not accept this test: the file needs more questions than a test asks (%1 in the file, %2 per test).</source>
        <translation>Программа ученика не примет этот тест: в файле должно быть больше вопросов, чем в тесте (в файле %1, в тесте %2).</translation>
    </message>
</context>
<context>
    <name>TeacherWindow</name>
    <message>
        <location filename="../TeacherWindow.cpp" line="31" />
        <source>Test editor</source>
        <translation>Редактор теста</translation>
    </message>
    <message>
        <location filename="../TeacherWindow.cpp" line="72" />
        <source>&amp;File</source>
        <translation>&amp;Файл</translation>
    </message>
    <message>
        <location filename="../TeacherWindow.cpp" line="73" />
        <source>File</source>
        <translation>Файл</translation>
    </message>
    <message>
        <location filename="../TeacherWindow.cpp" line="75" />
        <source>&amp;New</source>
        <translation>&amp;Создать</translation>
    </message>
    <message>
        <location filename="../TeacherWindow.cpp" line="76" />
        <source>&amp;Open…</source>
        <translation>&amp;Открыть…</translation>
    </message>
    <message>
        <location filename="../TeacherWindow.cpp" line="77" />
        <source>Open &amp;recent</source>
        <translation>&amp;Недавние файлы</translation>
    </message>
    <message>
        <location filename="../TeacherWindow.cpp" line="79" />
        <source>&amp;Save</source>
        <translation>&amp;Сохранить</translation>
    </message>
    <message>
        <location filename="../TeacherWindow.cpp" line="80" />
        <source>Save &amp;as…</source>
        <translation>Сохранить &amp;как…</translation>
    </message>
    <message>
        <location filename="../TeacherWindow.cpp" line="81" />
        <source>&amp;Close</source>
        <translation>&amp;Закрыть</translation>
    </message>
    <message>
        <location filename="../TeacherWindow.cpp" line="83" />
        <source>&amp;Quit</source>
        <translation>В&amp;ыход</translation>
    </message>
    <message>
        <location filename="../TeacherWindow.cpp" line="93" />
        <source>&amp;Edit</source>
        <translation>&amp;Правка</translation>
    </message>
    <message>
        <location filename="../TeacherWindow.cpp" line="94" />
        <source>&amp;Undo</source>
        <translation>&amp;Отменить</translation>
    </message>
    <message>
        <location filename="../TeacherWindow.cpp" line="95" />
        <source>&amp;Redo</source>
        <translation>&amp;Повторить</translation>
    </message>
    <message>
        <location filename="../TeacherWindow.cpp" line="103" />
        <source>&amp;Questions</source>
        <translation>&amp;Вопросы</translation>
    </message>
    <message>
        <location filename="../TeacherWindow.cpp" line="104" />
        <source>&amp;Add question</source>
        <translation>&amp;Добавить вопрос</translation>
    </message>
    <message>
        <location filename="../TeacherWindow.cpp" line="105" />
        <source>&amp;Duplicate question</source>
        <translation>&amp;Копировать вопрос</translation>
    </message>
    <message>
        <location filename="../TeacherWindow.cpp" line="106" />
        <source>De&amp;lete question</source>
        <translation>&amp;Удалить вопрос</translation>
    </message>
    <message>
        <location filename="../TeacherWindow.cpp" line="107" />
        <source>Move &amp;up</source>
        <translation>Переместить &amp;вверх</translation>
    </message>
    <message>
        <location filename="../TeacherWindow.cpp" line="108" />
        <source>Move do&amp;wn</source>
        <translation>Переместить в&amp;низ</translation>
    </message>
    <message>
        <location filename="../TeacherWindow.cpp" line="112" />
        <source>&amp;Test</source>
        <translation>&amp;Тест</translation>
    </message>
    <message>
        <location filename="../TeacherWindow.cpp" line="113" />
        <source>&amp;Preview question</source>
        <translation>&amp;Просмотр вопроса</translation>
    </message>
    <message>
        <location filename="../TeacherWindow.cpp" line="114" />
        <source>&amp;Try the test</source>
        <translation>&amp;Пройти тест</translation>
    </message>
    <message>
        <location filename="../TeacherWindow.cpp" line="133" />
        <source>Try the test</source>
        <translation>Пройти тест</translation>
    </message>
    <message>
        <location filename="../TeacherWindow.cpp" line="133" />
        <source>The test cannot be tried:
%1</source>
        <translation>Тест нельзя пройти:
%1</translation>
    </message>
    <message>
        <location filename="../TeacherWindow.cpp" line="146" />
        <source>Untitled</source>
        <translation>Без имени</translation>
    </message>
    <message>
        <location filename="../TeacherWindow.cpp" line="147" />
        <source>%1[*] — Quizzard teacher</source>
        <translation>%1[*] — Quizzard: учитель</translation>
    </message>
    <message>
        <location filename="../TeacherWindow.cpp" line="152" />
        <source>Questions: %1</source>
        <translation>Вопросов: %1</translation>
    </message>
</context>
<context>
    <name>TestTrial</name>
    <message>
        <location filename="../TestTrial.cpp" line="53" />
        <source>cannot copy %1</source>
        <translation>не удалось скопировать %1</translation>
    </message>
    <message>
        <location filename="../TestTrial.cpp" line="62" />
        <source>the test is already running</source>
        <translation>тест уже идёт</translation>
    </message>
    <message>
        <location filename="../TestTrial.cpp" line="63" />
        <source>the student program is not installed beside this one</source>
        <translation>программа ученика не установлена рядом с этой программой</translation>
    </message>
</context>
</TS>