// The interface texts by name: window titles, menu items, buttons, labels and
// the titles over long work. The numbers are those of the language tables
// (data/lang/ru.txt and en.txt), so a name keeps its text in every language.
// Windows, the picture programs and the window walks reach interface texts only
// through these names; messages and questions have theirs in MessageIds.h.
// A new name goes into kAllIds below too: a test finds each one in both
// language tables, so a mistyped number fails there, not in a window.
#pragma once

namespace phonotab::text {

enum Id : int {
    // Shared by several windows: buttons, answers and list commands
    Yes = 5528,                    // "Да"
    No = 5529,                     // "Нет"
    Cancel = 5530,                 // "Отмена"
    Add = 1003,                    // "Добавить"
    Choose = 1002,                 // "Выбрать"
    Clear = 1013,                  // "Очистить"
    RemoveEntry = 5842,            // "Удалить"
    Calculate = 5754,              // "Посчитать"
    Minimum = 5611,                // "Минимум"
    Maximum = 5612,                // "Максимум"
    SaveAsBitmap = 1009,           // "-> BMP"
    SaveAsVector = 1010,           // "-> WMF"
    TimeFromRecordStart = 390,     // "Время относительно начала записи"
    SaveProject = 32773,           // "Сохранить проект"
    MoveUp = 5819,                 // "Сместить вверх"
    MoveDown = 5820,               // "Сместить вниз"
    ParameterChooserTitle = 5740,  // "Выбор параметра"
    ParameterType = 5742,          // "Тип:"
    ParameterMode = 5743,          // "Режим:"
    ParameterBand = 5744,          // "Полоса:"
    ParameterCount = 5745,         // "Количество:"
    ParameterChannel = 5749,       // "Канал:"
    SourceColumn = 107,            // "Источник"
    LanguageName = 103,            // "Русский"

    // Long work: the titles over its progress
    OpeningFile = 5531,      // "Открытие файла '%s'..."
    Calculating = 5532,      // "Расчет..."
    ReadingPlotData = 6004,  // "Чтение данных для графика"

    // Prompts of the session: files, projects and the working folder
    ChooseWorkingFolder = 5504,  // "Выберете рабочую папку проекта"
    OpenFile = 104,              // "Открыть файл"
    OpenProject = 32772,         // "Открыть проект"
    SaveProjectAs = 32774,       // "Сохранить проект как ..."

    // The main window: menus and items
    FileMenu = 5508,          // "Файл"
    ProjectMenu = 5509,       // "Проект"
    ViewMenu = 5510,          // "Вид"
    WindowMenu = 5511,        // "Окна"
    HelpMenu = 5512,          // "Справка"
    ProjectFilesItem = 5513,  // "Файлы проекта"
    Parameters = 5514,        // "Параметры"
    RangeItem = 5515,         // "Диапазон"
    Plot = 108,               // "График"
    Report = 5516,            // "Отчет"
    AboutItem = 5507,         // "О программе..."
    Exit = 5527,              // "Выход"

    // The about box
    AboutTitle = 5506,    // "О программе Phonotab"
    AboutVersion = 5505,  // "Программа Phonotab версия %d.%d"

    // The folder view: its menu and columns (the project files window shares the type and instrument columns)
    FileNameColumn = 5517,       // "Имя"
    FileTypeColumn = 5518,       // "Тип файла"
    InstrumentColumn = 5519,     // "Прибор"
    VinColumn = 5520,            // "VIN"
    NewTable = 384,              // "Создать новую таблицу"
    InsertStandardTable = 5536,  // "Вставить копию стандартной таблицы"
    OpenWithDesktop = 5521,      // "Открыть файл средствами Windows"
    CopyFile = 5522,             // "Создать копию файла"
    PutIntoStore = 5523,         // "Поместить копию в стандартные"
    DeleteFile = 5524,           // "Удалить файл"
    DeleteFiles = 5525,          // "Удалить файлы"
    FileProperties = 5526,       // "Свойства"

    // The ranges window and its dialogs
    RangesTitle = 5534,              // "Диапазоны"
    WorkRange = 5720,                // "Рабочий"
    Corrections = 5721,              // "Коррекции"
    Exclusions = 5722,               // "Исключения"
    SetRangeLabel = 5723,            // "Установить диапазон:"
    ShowTimeFromRecordStart = 5724,  // "показывать время относительно начала записи"
    SetBounds = 5725,                // "Установить границы"
    ChangeCorrection = 5726,         // "Сменить коррекцию в диапазоне"
    CancelCorrection = 5727,         // "Отменить коррекцию в диапазоне"
    CancelExclusion = 5728,          // "Отменить исключение"
    InvertExclusions = 5729,         // "Инвертировать все зоны исключения"
    TimeBarTitle = 5710,             // "Диапазоны (%.0lf сек), %s"
    TimeBarZoneChoice = 5711,        // "Зона %.1lf - %.1lf сек"
    BoundsTitle = 5730,              // "Границы"
    InstrumentClock = 5731,          // "Время прибора"
    BoundsBegin = 5732,              // "Начало"
    BoundsEnd = 5733,                // "Конец"
    BoundsDays = 5734,               // "дни": then hours, minutes and seconds

    // The parameters window, its calculation settings and the parameter chooser
    AddParameter = 5750,                 // "Добавить параметр"
    RemoveParameter = 5751,              // "Удалить параметр"
    ChangeColour = 5752,                 // "Сменить цвет"
    RenameParameter = 5753,              // "Смена имени параметра"
    CalcSettings = 5755,                 // "Настройка"
    Scanning = 5756,                     // "сканирование"
    ParameterName = 5771,                // "Имя параметра"
    CalcSettingsTitle = 5757,            // "Настройки расчета параметров"
    ScanInterval = 5758,                 // "Интервал сканирования"
    ScanStep = 5759,                     // "Шаг сканирования"
    GroupResultsByParameter = 5760,      // "группировка результата по параметрам"
    ExclusionsWithoutCorrection = 5761,  // "учитывать зоны исключения в режиме \"без коррекции\""
    NoLeqTimeInResult = 5762,            // "не вставлять в файл результата время Leq"
    ResultsAsCsv = 5763,                 // "результаты в формате CSV"
    ResultsInOneFile = 5764,             // "сохранять результаты в один файл"
    UncorrectedColumn = 261,             // "без корр."
    ParameterSource = 5741,              // "Источник:"
    AllCounts = 5746,                    // "все"
    CalculatedParameter = 5747,          // "Рассчит. параметр"
    OneParameterOverFiles = 5748,        // "один параметр по нескольким файлам"
    ParameterRecord = 6408,              // "Запись:"

    // The histogram settings and the distribution histogram
    HistogramSettingsTitle = 5765,   // "Параметры гистораммы и процентили"
    HistogramLowerBound = 5766,      // "Нижняя граница"
    HistogramUpperBound = 5767,      // "Верхняя граница"
    HistogramClassWidth = 5768,      // "Разрешение"
    HistogramPercentiles = 5769,     // "Процентили"
    HistogramExcludeEdges = 5770,    // "исключить края из расчета"
    DistributionTitle = 5780,        // "Гистограмма распределения"
    DistributionFiles = 5781,        // "Файлы"
    DistributionAddFile = 5782,      // "Добавить"
    DistributionRemoveFile = 5783,   // "Удалить"
    DistributionFirstRecord = 5784,  // "Первая запись"
    DistributionLastRecord = 5785,   // "Последняя запись"
    DistributionLevelField = 5786,   // "Поле уровня"
    DistributionPercentiles = 5787,  // "Процентили, %"
    DistributionCopy = 5788,         // "Копировать"
    DistributionFileFilter = 5789,   // "Файлы выгрузки (*.bin *.txt);;Все файлы (*)"

    // The time plot window
    Legend = 1008,            // "Легенда"
    PlotProperties = 1001,    // "Свойства"
    TimeInSeconds = 289,      // "время в сек"
    TimeInMinutes = 290,      // "время в мин"
    TimeInHours = 291,        // "время в часах"
    ChangeXCaption = 298,     // "Сменить подпись оси X"
    ChangeYCaption = 299,     // "Сменить подпись оси Y"
    EnterAxisCaption = 300,   // "Введите новую подпись оси"
    Marker1 = 6005,           // "Маркер 1"
    Marker2 = 6006,           // "Маркер 2"
    ExcludeRange = 6007,      // "Исключить диапазон"
    CorrectRange = 6008,      // "Ввести коррекцию в диапазоне"
    SetWorkRange = 6009,      // "Установить рабочий диапазон"
    LegendCursorX = 152,      // "Позиция курсора по оси X"
    LegendCursorY = 153,      // "Позиция курсора по оси Y"
    LegendFromMarkerX = 157,  // "Позиция относительно метки 1 по оси X"
    LegendFromMarkerY = 158,  // "Позиция относительно метки 1 по оси Y"
    LegendPoints = 159,       // "Количество отсчетов в графике"
    LegendMarker1X = 293,     // "Позиция метки 1 по оси X"
    LegendMarker1Y = 294,     // "Позиция метки 1 по оси Y"
    LegendMarker2X = 295,     // "Позиция метки 2 по оси X"
    LegendMarker2Y = 296,     // "Позиция метки 2 по оси Y"
    LegendClockTimes = 297,   // "Показывать время относительно начала записи"

    // The graph's buttons and readout
    ReadoutPoints = 5200,   // "%1ld точек"
    ReadoutMaximum = 5201,  // "%1.0lf (макс)"
    ClearMarkers = 5202,    // "Снять метки"
    VectorExport = 5203,    // "SVG"
    TextExport = 5204,      // "TXT"

    // The histogram plot window
    HistogramPlotTitle = 5535,     // "Гистограмма"
    HistogramPlotSettings = 6010,  // "Настройки"
    ShowCounts = 160,              // "Показывать количество"
    ShowPercent = 161,             // "Показывать проценты"
    NormaliseToMaximum = 162,      // "Нормировка на максимум"
    ShowPercentiles = 306,         // "Показывать график процентилей"
    SetBarColour = 129,            // "Установить цвет"
    SetBackgroundColour = 304,     // "Установить цвет фона"
    StepInDb = 142,                // "Показывать в 1 столбце %lg дБ"
    StepInPercent = 309,           // "Показывать с шагом %lg процентов"
    AskStepInDb = 307,             // "Задать шаг в дБ"
    AskStepInPercent = 308,        // "Установите шаг в процентах"

    // The project files window
    ProjectFilesTitle = 5533,        // "Состав проекта"
    EnterSourceName = 5812,          // "Введите имя источника данных"
    AskHistogramMode = 285,          // "Выбрать режим работы с гистограммами?"
    RecalcProject = 425,             // "Посчитать весь проект"
    AddFileToProject = 5813,         // "Добавить файл в проект"
    SubstituteFile = 5814,           // "Подставить другой файл того же типа"
    CopyInProject = 5815,            // "Сделать копию в проекте"
    GiveOpenFileSettings = 5816,     // "Установить все параметры как у открытого файла"
    RecalcSelected = 5817,           // "Пересчитать выделенные файлы"
    RecalcSelectedToOneFile = 5818,  // "Пересчитать выделенные файлы и сохранить результаты в один файл"
    RemoveFromProject = 5821,        // "Удалить файл из проекта"
    ReferenceNameColumn = 5810,      // "Имя для ссылок"
    SamplesMode = 134,               // "выборка"
    HistogramsMode = 135,            // "гистогр."
    RecordsMode = 136,               // "запись"

    // The report window: title page, tabs and illustrations
    AddTableToReport = 426,            // "Добавить таблицу в отчет"
    WriteReport = 427,                 // "Сохранить отчет в документ Word через шаблон"
    ReportGeneral = 6453,              // "Общие сведения"
    ReportConclusion = 6454,           // "Заключение"
    ReportIllustrations = 6455,        // "Иллюстрации"
    ReportTableTab = 6456,             // "Таблица %d"
    Today = 6460,                      // "Сегодня"
    MoveTableLeft = 6461,              // "Сместить влево по номерам"
    MoveTableRight = 6462,             // "Сместить вправо по номерам"
    ReloadTable = 6463,                // "Обновить таблицу из файла"
    RemoveTable = 6464,                // "Удалить таблицу"
    TemplateFilter = 6472,             // "Шаблоны Word (*.docx)"
    DocumentFilter = 6473,             // "Документы Word (*.docx)"
    ReportSkippedHeading = 6474,       // "При создании отчета пропущено:"
    RemoveTableGraphs = 6477,          // "Удалить также иллюстрации с графиком этой таблицы?"
    ChooseTableFilter = 6480,          // "Таблицы (*.tbl)"
    ProtocolNumber = 1004,             // "Номер протокола"
    MeasurementPlace = 1005,           // "Место проведения измерений"
    MeasurementDate = 1006,            // "Дата проведения измерений"
    MeasurementInstrument = 1007,      // "Средство проведения измерений"
    MeasuringOrganisation = 6457,      // "Организация, проводившая измерения"
    MeasuringPerson = 6458,            // "Лицо, проводившее замеры"
    SiteRepresentative = 6459,         // "Представитель обследуемого объекта"
    NormativeDocuments = 1011,         // "Нормативная документация"
    AdditionalInformation = 1012,      // "Дополнительные сведения"
    IllustrationCaption = 6465,        // "Подпись"
    IllustrationFileName = 6466,       // "Имя файла"
    IllustrationReferenceName = 6467,  // "Имя для ссылки"
    AddIllustration = 6468,            // "Добавить иллюстрацию"
    IllustrationMoveUp = 6469,         // "Сместить вверх"
    IllustrationMoveDown = 6470,       // "Сместить вниз"
    RemoveIllustration = 6471,         // "Удалить иллюстрацию"
    PictureFilter = 6475,              // "Рисунки (*.png *.svg *.bmp *.jpg *.jpeg *.wmf)"
    EnterIllustrationCaption = 6476,   // "Введите подпись к иллюстрации"
    AddGraphFromTable = 6478,          // "Добавить график из таблицы"
    ReportWritten = 6479,              // "Отчет записан: %s"
    CreateIllustration = 6481,         // "Создать иллюстрацию"
    BitmapFilter = 6482,               // "Рисунки BMP (*.bmp)"

    // Reference books and the lists of instruments and normative documents
    ReferenceBookListTitle = 5830,  // "Список справочников"
    ReferenceBookTitle = 5831,      // "Состав справочника"
    ReferenceBookName = 5832,       // "Имя справочника"
    AddReferenceBook = 5833,        // "Добавить справочник"
    RemoveReferenceBook = 5834,     // "Удалить справочник"
    ReferenceValue = 5835,          // "Значение"
    ReferenceDescription = 5836,    // "Текстовое описание"
    AddReferenceRecord = 5837,      // "Добавить запись"
    RemoveReferenceRecord = 5838,   // "Удалить запись"
    EnterReferenceBookName = 5839,  // "Введите имя справочника"
    InstrumentsTitle = 5849,        // "Выбор средства измерения"
    DocumentsTitle = 5850,          // "Выбор нормативной документации"
    EnterInstrument = 5851,         // "Введите название средства измерения"
    EnterDocument = 5852,           // "Введите название нормативной докментации"

    // The summary and the dumps
    MakeSummary = 32794,       // "Сделать сводку"
    SummaryTitle = 5840,       // "Сводка"
    SummaryInclude = 5841,     // "Включить"
    SummaryAll = 5843,         // "Все"
    FrequencyAsNumber = 5844,  // "имя -> числ. значение частоты"
    SummaryFamily = 5845,      // "Величина"
    SummaryDetector = 5846,    // "Детектор"
    SummaryBand = 5847,        // "Полоса"
    SummaryChannel = 5848,     // "Канал"
    SummaryAdd = 1049,         // "Добавить"
    SummaryClearList = 1048,   // "Очистить список"
    SummaryDate = 1050,        // "Дата"
    SummaryTime = 1051,        // "Время"
    SummaryVin = 1052,         // "VIN"
    SummaryDuration = 1053,    // "Продолжительность"
    ConvertBinToTxt = 32792,   // "Преобразовать .bin в .txt"
    JoinBinToTxt = 32793,      // "Объединить .bin в один .txt"

    // The table window: toolbar, header and cell menus, files
    SaveTable = 419,               // "Сохранить таблицу"
    CopyTable = 420,               // "Взять таблицу в буфер обмена"
    CopyTableBlackAndWhite = 421,  // "Взять черно-белую копию таблицы в буфер обмена"
    ExportTableToWorkbook = 422,   // "Портировать таблицу в Excel"
    TableSizeAndName = 423,        // "Настроить размер и имя таблицы"
    ShowTableGraph = 424,          // "Показать график, привязанный к таблице"
    TableGraphSettings = 428,      // "Настроить график, привязанный к таблице"
    UndoOperation = 429,           // "Отменить операцию"
    RedoOperation = 430,           // "Повторить отмененную операцию"
    InsertColumnBefore = 6550,     // "Вставить столбец до"
    InsertColumnAfter = 6551,      // "Вставить столбец после"
    IncludeColumn = 6552,          // "Включать столбец в отчет"
    ExcludeColumn = 6553,          // "Не включать столбец в отчет"
    DeleteColumn = 6554,           // "Удалить столбец"
    InsertRowBefore = 6555,        // "Вставить строку до"
    InsertRowAfter = 6556,         // "Вставить строку после"
    IncludeRow = 6557,             // "Включать строку в отчет"
    ExcludeRow = 6558,             // "Не включать строку в отчет"
    DeleteRow = 6559,              // "Удалить строку"
    CellText = 6560,               // "Текст"
    ProjectData = 6561,            // "Данные из проекта"
    FileData = 6562,               // "Данные из файла"
    Formula = 6563,                // "Формула"
    ReferenceData = 6564,          // "Данные из справочника"
    ReplaceSource = 6565,          // "Подменить источник данных"
    MergeCells = 6566,             // "Объединить ячейки"
    UnmergeCells = 6567,           // "Разъединить ячейки"
    SetMacro = 6568,               // "Установить макрос"
    SelectLinkedCells = 6569,      // "Выбрать связанные ячейки"
    CutCells = 6570,               // "Вырезать"
    CopyCells = 6571,              // "Копировать"
    PasteCells = 6572,             // "Вставить"
    ClearCells = 6573,             // "Очистить"
    CellFormat = 6574,             // "Формат ячейки"
    TableFileFilter = 6575,        // "Таблицы отчета (*.tbl)"
    WorkbookFilter = 6576,         // "Книги Excel (*.xlsx)"
    SaveTableAs = 6577,            // "Сохранить таблицу как"
    ExportTable = 6578,            // "Портировать таблицу в файл"
    ConfirmBindingRemoval = 234,   // "Старая привязка к данным будет удалена.\nВсе равно продолжить?"
    ChooseDataSource = 6409,       // "Источник данных"
    OpenDataFile = 6410,           // "Открыть файл данных"
    DataFileFilter = 6411,         // "Файлы данных (*.bin *.ldl *.txt);;Все файлы (*)"
    CellHintSourceName = 5610,     // "Имя источника": then the data items' names, one text an item
    CellHintPercentile = 5615,     // "Процентиль L%.0lf"
    CellHintDoubleClick = 5616,    // "двойной щелчок"

    // The table's dialogs: properties, cell format, graph settings, text, formula, reference data, macro
    TablePropertiesTitle = 6433,        // "Свойства таблицы"
    TableRows = 6434,                   // "Строк:"
    TableColumns = 6435,                // "Столбцов:"
    TableName = 6436,                   // "Имя:"
    CellFormatTitle = 6415,             // "Формат ячеек"
    FontFace = 6416,                    // "Шрифт:"
    FontSize = 6417,                    // "Размер:"
    CellWidth = 6418,                   // "Ширина:"
    CellHeight = 6419,                  // "Высота:"
    Bold = 6420,                        // "полужирный"
    Italic = 6421,                      // "курсив"
    BackgroundColour = 6422,            // "Цвет фона"
    TextColour = 6423,                  // "Цвет текста"
    AlignLeft = 6424,                   // "налево"
    AlignCentre = 6425,                 // "по центру"
    AlignRight = 6426,                  // "направо"
    AlignTop = 6427,                    // "по верху"
    AlignBottom = 6428,                 // "по низу"
    EngineeringFormat = 6429,           // "инженерный формат"
    DecimalCount = 6430,                // "количество знаков:"
    HorizontalAlignment = 6431,         // "По горизонтали:"
    VerticalAlignment = 6432,           // "По вертикали:"
    GraphSettingsTitle = 6437,          // "Настройки графика"
    GraphSeries = 6438,                 // "График %d"
    GraphCellRange = 6439,              // "Диапазон ячеек:"
    GraphLineWidth = 6440,              // "Ширина:"
    GraphType = 6441,                   // "Тип:"
    GraphFillColour = 6442,             // "Цвет закраски"
    GraphLineColour = 6443,             // "Цвет линий"
    GraphXMarking = 6444,               // "Разметка по оси X:"
    GraphXCaption = 6445,               // "Подпись оси X:"
    GraphYCaption = 6446,               // "Подпись оси Y:"
    GraphLinearScale = 6447,            // "обычная"
    GraphLogarithmicScale = 6448,       // "логарифмическая"
    GraphManualRange = 6449,            // "ручные min и max"
    GraphBars = 6450,                   // "столбцы"
    GraphLine = 6451,                   // "линия"
    GraphYMarking = 6452,               // "Разметка по оси Y:"
    EnterText = 6579,                   // "Введите текст"
    FormulaTitle = 6580,                // "Введите формулу"
    FormulaFirstWrap = 6581,            // "Энергетическая сумма": the first of the formula wraps' buttons, one text a wrap
    FormulaFirstReferenceLevel = 6590,  // "другой": the first of the reference levels, one text a level
    FormulaHelp = 6594,                 // "Подсказка"
    FormulaHelpIntroduction = 286,      // "Здесь вы можете задать формулу для вычисления значения я…"
    FormulaHelpFixedReferences = 287,   // "Для фиксации номера столбца или строки при размножении ф…"
    FormulaReferenceLevel = 6595,       // "Опорный уровень:"
    ReferenceBookLabel = 6406,          // "Справочник:"
    ReferenceEntryLabel = 6407,         // "Запись справочника:"
    MacroEditorTitle = 6596,            // "Редактирование макроса"
    MacroOperations = 6597,             // "Операции"
    ShiftFormulaLeft = 6598,            // "Сместить выделенную формулу влево"
    ShiftFormulaRight = 6599,           // "Сместить выделенную формулу вправо"
    ShiftFormulaUp = 6400,              // "Сместить выделенную формулу вверх"
    ShiftFormulaDown = 6401,            // "Сместить выделенную формулу вниз"
    ReplicateFormula = 6402,            // "Размножить формулу"
    ReplicateCount = 6403,              // "Количество"
    ReplicateXOffset = 6404,            // "Сдвиг по горизонтали"
    ReplicateYOffset = 6405,            // "Сдвиг по вертикали"

    // The project's data tree
    RecordCaption = 316,       // "Запись %d"
    PercentilesCaption = 412,  // "процентили"

    // Captions of the measurement files' fields and their text exports
    HertzUnit = 405,               // "Гц", after a band's frequency
    StoredHistogramField = 408,    // "Гистогр."
    SynthesizedLeqField = 409,     // "Синт. Leq"
    DumpRange = 112,               // "Диапазон"
    DumpComment = 113,             // "Комментарий"
    DumpDate = 415,                // "Дата"
    DumpTime = 416,                // "Время"
    DumpDuration = 417,            // "Продолжительность"
    DumpUnderload = 433,           // "недогрузка"
    DumpCalibration = 434,         // "коэфф. калибровки"
    DumpRecord = 435,              // "Запись"
    DumpFileName = 437,            // "Имя файла"

    // Periods and events: the window, its tables and the batch tool's tables
    PeriodsAndEvents = 6920,          // "Периоды и события"
    PeriodSchemeLabel = 6921,         // "Схема периодов:"
    SchemeFromFile = 6922,            // "Из файла..."
    SchemeFileFilter = 6923,          // "Схемы периодов (*.txt);;Все файлы (*)"
    EventThreshold = 6924,            // "Порог событий, дБ:"
    EventMinDuration = 6925,          // "Мин. длительность, сек:"
    EventMergeGap = 6926,             // "Слияние через, сек:"
    FindEvents = 6927,                // "Искать события"
    ExposureTimeLabel = 6928,         // "Te, ч (0 — рабочий диапазон):"
    CopyAsText = 6929,                // "Копировать"
    ExportCsv = 6930,                 // "Экспорт в CSV..."
    CsvFilter = 6931,                 // "Файлы CSV (*.csv)"
    PeriodsTab = 6932,                // "Периоды"
    DaysTab = 6933,                   // "Сутки"
    EventsTab = 6934,                 // "События"
    HourlyTab = 6935,                 // "По часам"
    ColumnDate = 6936,                // "Дата"
    ColumnPeriod = 6937,              // "Период"
    ColumnStart = 6938,               // "Начало"
    ColumnEnd = 6939,                 // "Конец"
    ColumnDecibels = 6940,            // "%s, дБ"
    ColumnMeasuredHours = 6941,       // "Измерено, ч"
    ColumnCoverage = 6942,            // "Покрытие, %"
    ColumnEventCount = 6943,          // "Событий"
    ColumnEventShare = 6944,          // "Доля событий, %"
    ColumnDurationSeconds = 6945,     // "Длительность, сек"
    ColumnLmaxTime = 6946,            // "Время Lmax"
    ColumnHour = 6947,                // "Час"
    PeriodDay = 6948,                 // "день"
    PeriodEvening = 6949,             // "вечер"
    PeriodNight = 6950,               // "ночь"
    ExposureSummary = 6951,           // "Экспозиция: SEL %s дБ; LAeq %s дБ; Te %s ч; LEX,8h %s дБ"
    WholeRecordLevel = 6952,          // "%s по всей записи: %s дБ"
    ComputingIndicators = 6953,       // "Расчет периодов и событий..."
    ChooseParameterFirst = 6954,      // "Выберите параметр в окне параметров"
    IndicatorsOfParameter = 6955,     // "Параметр: %s"
    HourlyLeqTitle = 6956,            // "Leq по часам суток"
    NoValueMark = 6957,               // "—"
    ShowPeriodsAndEvents = 6958,      // "Периоды и события..."
    EventCountSummary = 6959,         // "Событий: %d"
    ShadeNightsAndEvents = 6960,      // "Ночи и события на графике"
    // Buttons, units and notices of everyday work
    Ok = 6740,                        // "ОК", a dialog's confirming button
    Close = 6741,                     // "Закрыть", a dialog's closing button
    KiloHertzUnit = 6742,             // "кГц", after a band's frequency in kilohertz
    BandDecimalSeparator = 6743,      // ",", the decimal separator of band names
    SecondsCaption = 6744,            // "с", the time axis caption in seconds
    MinutesCaption = 6745,            // "мин", in minutes
    HoursCaption = 6746,              // "ч", in hours
    DecibelCaption = 6747,            // "дБ", the level axis caption
    SaveGraphAsBitmap = 6748,         // "Сохранить график как BMP"
    SaveGraphAsVector = 6749,         // "Сохранить график как SVG"
    CalculationFinished = 6750,       // "Расчет закончен: %s"
    ProjectRecalculated = 6751,       // "Проект пересчитан, файлы результатов в папке %s"
    OpenDemoProject = 6752,           // "Открыть демонстрационный проект"
    RecordsNumberedFrom = 6753,       // "Записи нумеруются с %d"
    GettingStarted = 6754,            // "Откройте проект или файл измерений"
    PercentileColumn = 6755,          // "Процентиль"
    LevelColumn = 6756,               // "Уровень, дБ"
    CorrectionsHeading = 6757,        // "Коррекции, дБ"
    SixteenBitDecibelType = 6760,     // "%s (дБ, 16 бит)", a chooser type of a family's 16-bit decibel codes
    // File dialogs' filters, in Qt's form
    SvgFileFilter = 6761,             // "Рисунки SVG (*.svg);;Все файлы (*)"
    TextFileFilter = 6762,            // "Текстовые файлы (*.txt);;Все файлы (*)"
    BitmapFileFilter = 6763,          // "Рисунки BMP (*.bmp);;Все файлы (*)"
    MeasurementFileFilter = 6764,     // "Файлы измерений (*.bin *.cbf *.mnt);;Файлы мониторинга (*.mnt);;Все файлы (*)"
    CsvFileFilter = 6765,             // "Файлы CSV (*.csv);;Все файлы (*)"
    BinaryFileFilter = 6766,          // "Файлы измерений (*.bin);;Все файлы (*)"
    ResultFileFilter = 6767,          // "Файлы CSV (*.csv);;Текстовые файлы (*.txt);;Все файлы (*)"
    ProjectFileFilter = 6768,         // "Проекты Phonotab (*.pht);;Все файлы (*)"
    // The report as a printed protocol.
    ReportTableCaption = 7101,        // "Таблица %d — %s", a report table's caption in the document
    ReportTableNumber = 7102,         // "Таблица %d", the caption of a table without a name
    DecimalCommaOption = 7103,        // "Десятичная запятая", the report's numbers written "72,5"
    DecimalCommaHint = 7104,          // its tooltip: the tables themselves keep their point
    // Axis titles of figures for print
    TimeAxisTitle = 7000,             // "Время"
    LevelAxisTitle = 7001,            // "Уровень", followed by the unit: "Уровень, дБ"
    CountAxisTitle = 7002,            // "Число отсчетов"
    PercentAxisTitle = 7003,          // "Доля, %"
    NormalisedAxisTitle = 7004,       // "Доля от наибольшего класса"
    PercentileAxisTitle = 7005,       // "Процентиль, %"
    // The report as PDF
    SaveReportAsPdf = 7250,           // "Сохранить отчет в PDF"
    PdfFilter = 7251,                 // "Документы PDF (*.pdf)"
};

// Every id above, so that a check can find each in the language tables.
inline constexpr Id kAllIds[] = {
    Yes, No, Cancel, Add, Choose, Clear, RemoveEntry, Calculate, Minimum, Maximum, SaveAsBitmap, SaveAsVector,
    TimeFromRecordStart, SaveProject, MoveUp, MoveDown, ParameterChooserTitle, ParameterType, ParameterMode,
    ParameterBand, ParameterCount, ParameterChannel, SourceColumn, LanguageName, OpeningFile, Calculating,
    ReadingPlotData, ChooseWorkingFolder, OpenFile, OpenProject, SaveProjectAs, FileMenu, ProjectMenu, ViewMenu,
    WindowMenu, HelpMenu, ProjectFilesItem, Parameters, RangeItem, Plot, Report, AboutItem, Exit, AboutTitle,
    AboutVersion, FileNameColumn, FileTypeColumn, InstrumentColumn, VinColumn, NewTable, InsertStandardTable,
    OpenWithDesktop, CopyFile, PutIntoStore, DeleteFile, DeleteFiles, FileProperties, RangesTitle, WorkRange,
    Corrections, Exclusions, SetRangeLabel, ShowTimeFromRecordStart, SetBounds, ChangeCorrection, CancelCorrection,
    CancelExclusion, InvertExclusions, TimeBarTitle, TimeBarZoneChoice, BoundsTitle, InstrumentClock, BoundsBegin,
    BoundsEnd, BoundsDays, AddParameter, RemoveParameter, ChangeColour, RenameParameter, CalcSettings, Scanning,
    ParameterName, CalcSettingsTitle, ScanInterval, ScanStep, GroupResultsByParameter, ExclusionsWithoutCorrection,
    NoLeqTimeInResult, ResultsAsCsv, ResultsInOneFile, UncorrectedColumn, ParameterSource, AllCounts,
    CalculatedParameter, OneParameterOverFiles, ParameterRecord, HistogramSettingsTitle, HistogramLowerBound,
    HistogramUpperBound, HistogramClassWidth, HistogramPercentiles, HistogramExcludeEdges, DistributionTitle,
    DistributionFiles, DistributionAddFile, DistributionRemoveFile, DistributionFirstRecord, DistributionLastRecord,
    DistributionLevelField, DistributionPercentiles, DistributionCopy, DistributionFileFilter, Legend, PlotProperties,
    TimeInSeconds, TimeInMinutes, TimeInHours, ChangeXCaption, ChangeYCaption, EnterAxisCaption, Marker1, Marker2,
    ExcludeRange, CorrectRange, SetWorkRange, LegendCursorX, LegendCursorY, LegendFromMarkerX, LegendFromMarkerY,
    LegendPoints, LegendMarker1X, LegendMarker1Y, LegendMarker2X, LegendMarker2Y, LegendClockTimes, ReadoutPoints,
    ReadoutMaximum, ClearMarkers, VectorExport, TextExport, HistogramPlotTitle, HistogramPlotSettings, ShowCounts,
    ShowPercent, NormaliseToMaximum, ShowPercentiles, SetBarColour, SetBackgroundColour, StepInDb, StepInPercent,
    AskStepInDb, AskStepInPercent, ProjectFilesTitle, EnterSourceName, AskHistogramMode, RecalcProject,
    AddFileToProject, SubstituteFile, CopyInProject, GiveOpenFileSettings, RecalcSelected, RecalcSelectedToOneFile,
    RemoveFromProject, ReferenceNameColumn, SamplesMode, HistogramsMode, RecordsMode, AddTableToReport, WriteReport,
    ReportGeneral, ReportConclusion, ReportIllustrations, ReportTableTab, Today, MoveTableLeft, MoveTableRight,
    ReloadTable, RemoveTable, TemplateFilter, DocumentFilter, ReportSkippedHeading, RemoveTableGraphs,
    ChooseTableFilter, ProtocolNumber, MeasurementPlace, MeasurementDate, MeasurementInstrument,
    MeasuringOrganisation, MeasuringPerson, SiteRepresentative, NormativeDocuments, AdditionalInformation,
    IllustrationCaption, IllustrationFileName, IllustrationReferenceName, AddIllustration, IllustrationMoveUp,
    IllustrationMoveDown, RemoveIllustration, PictureFilter, EnterIllustrationCaption, AddGraphFromTable,
    CreateIllustration, BitmapFilter, ReferenceBookListTitle, ReferenceBookTitle, ReferenceBookName, AddReferenceBook,
    RemoveReferenceBook, ReferenceValue, ReferenceDescription, AddReferenceRecord, RemoveReferenceRecord,
    EnterReferenceBookName, InstrumentsTitle, DocumentsTitle, EnterInstrument, EnterDocument, MakeSummary,
    SummaryTitle, SummaryInclude, SummaryAll, FrequencyAsNumber, SummaryFamily, SummaryDetector, SummaryBand,
    SummaryChannel, SummaryAdd, SummaryClearList, SummaryDate, SummaryTime, SummaryVin, SummaryDuration,
    ConvertBinToTxt, JoinBinToTxt, SaveTable, CopyTable, CopyTableBlackAndWhite, ExportTableToWorkbook,
    TableSizeAndName, ShowTableGraph, TableGraphSettings, UndoOperation, RedoOperation, InsertColumnBefore,
    InsertColumnAfter, IncludeColumn, ExcludeColumn, DeleteColumn, InsertRowBefore, InsertRowAfter, IncludeRow,
    ExcludeRow, DeleteRow, CellText, ProjectData, FileData, Formula, ReferenceData, ReplaceSource, MergeCells,
    UnmergeCells, SetMacro, SelectLinkedCells, CutCells, CopyCells, PasteCells, ClearCells, CellFormat,
    TableFileFilter, WorkbookFilter, SaveTableAs, ExportTable, ConfirmBindingRemoval, ChooseDataSource, OpenDataFile,
    DataFileFilter, CellHintSourceName, CellHintPercentile, CellHintDoubleClick, TablePropertiesTitle, TableRows,
    TableColumns, TableName, CellFormatTitle, FontFace, FontSize, CellWidth, CellHeight, Bold, Italic,
    BackgroundColour, TextColour, AlignLeft, AlignCentre, AlignRight, AlignTop, AlignBottom, EngineeringFormat,
    DecimalCount, HorizontalAlignment, VerticalAlignment, GraphSettingsTitle, GraphSeries, GraphCellRange,
    GraphLineWidth, GraphType, GraphFillColour, GraphLineColour, GraphXMarking, GraphXCaption, GraphYCaption,
    GraphLinearScale, GraphLogarithmicScale, GraphManualRange, GraphBars, GraphLine, GraphYMarking, EnterText,
    FormulaTitle, FormulaFirstWrap, FormulaFirstReferenceLevel, FormulaHelp, FormulaHelpIntroduction,
    FormulaHelpFixedReferences, FormulaReferenceLevel, ReferenceBookLabel, ReferenceEntryLabel, MacroEditorTitle,
    MacroOperations, ShiftFormulaLeft, ShiftFormulaRight, ShiftFormulaUp, ShiftFormulaDown, ReplicateFormula,
    ReplicateCount, ReplicateXOffset, ReplicateYOffset, RecordCaption, PercentilesCaption, HertzUnit,
    StoredHistogramField, SynthesizedLeqField, DumpRange, DumpComment, DumpDate, DumpTime, DumpDuration, DumpUnderload,
    DumpCalibration, DumpRecord, DumpFileName,
    PeriodsAndEvents, PeriodSchemeLabel, SchemeFromFile, SchemeFileFilter, EventThreshold, EventMinDuration,
    EventMergeGap, FindEvents, ExposureTimeLabel, CopyAsText, ExportCsv, CsvFilter, PeriodsTab, DaysTab, EventsTab,
    HourlyTab, ColumnDate, ColumnPeriod, ColumnStart, ColumnEnd, ColumnDecibels, ColumnMeasuredHours,
    ColumnCoverage, ColumnEventCount, ColumnEventShare, ColumnDurationSeconds, ColumnLmaxTime, ColumnHour,
    PeriodDay, PeriodEvening, PeriodNight, ExposureSummary, WholeRecordLevel, ComputingIndicators,
    ChooseParameterFirst, IndicatorsOfParameter, HourlyLeqTitle, NoValueMark, ShowPeriodsAndEvents,
    EventCountSummary, ShadeNightsAndEvents,
    ReportWritten, Ok, Close, KiloHertzUnit, BandDecimalSeparator, SecondsCaption, MinutesCaption, HoursCaption,
    DecibelCaption, SaveGraphAsBitmap, SaveGraphAsVector, CalculationFinished, ProjectRecalculated, OpenDemoProject,
    RecordsNumberedFrom, GettingStarted, PercentileColumn, LevelColumn, CorrectionsHeading,
    SixteenBitDecibelType, SvgFileFilter, TextFileFilter, BitmapFileFilter, MeasurementFileFilter, CsvFileFilter, BinaryFileFilter, ResultFileFilter, ProjectFileFilter,
    ReportTableCaption, ReportTableNumber, DecimalCommaOption, DecimalCommaHint,
    TimeAxisTitle, LevelAxisTitle, CountAxisTitle, PercentAxisTitle, NormalisedAxisTitle, PercentileAxisTitle,
    SaveReportAsPdf, PdfFilter,
};

}  // namespace phonotab::text
