// The messages the core reports and the questions it has asked, by name: the
// numbers are those of the string tables, so a message keeps its text in
// every language. Callers compare and construct messages with these names,
// never with numbers of their own.
#pragma once

namespace phonotab {

// How the front end treats a message: a notice tells the user something and
// the work counts as done (the batch tool still exits 0); a failure means the
// operation did not do what was asked.
enum class Severity { Notice, Failure };

namespace msg {

enum Id : int {
    // Files
    CannotOpen = 105,              // "Cannot open file '%s'"
    UnknownFileType = 132,
    EmptyFile = 143,
    FormatError = 227,
    OpenError = 312,
    CannotCopy = 364,
    CannotWrite = 5003,            // "Cannot write file '%s'"
    FormatErrorIn = 5001,          // "File format error in '%s'"
    InvalidArgument = 5002,
    ConverterFailed = 5005,
    Cancelled = 5006,              // a long operation stopped at the user's wish

    // Measurement files and the telemetry description
    DifferentFileTypes = 391,      // "Different file types: %s and %s"
    NoSourceData = 392,
    DifferentTypesOrModes = 397,
    NoTelemetryDescription = 403,
    OldCbf = 404,
    TooFewHistograms = 413,
    MonitoringFileInTable = 414,
    UnknownInstrumentType = 436,
    CbfNoFields = 5004,

    // Calculation
    InsufficientSamples = 310,     // fewer than 100 samples in a window for Ln
    ZoneOutsideRecord = 5700,      // a zone wholly outside the record's span
    NoValueForParameter = 5701,    // "%s": the parameter yielded no value
    ClassWidthNotPositive = 5702,
    ClassCountOutOfRange = 5703,   // "... from 1 to %d"
    ScanNotPositive = 5704,
    PercentileOutOfRange = 5705,   // "%s" is not strictly between 0 and 100
    NothingToCalculate = 5706,     // "%s": the file has no parameters chosen (nothing written)

    // Report tables, their graphs and macros
    TableModified = 240,           // question: save the table's changes?
    NoSuchSource = 244,
    GraphAxisError = 301,
    GraphSeriesError = 302,
    GraphCellError = 303,
    ChooseTable = 386,
    NothingToCopy = 5400,
    ResizeDropsCells = 5401,       // question: %d filled cells fall off the smaller table
    MacroUnbalancedBrace = 5600,
    MacroBadAddress = 5601,
    MacroCheckFailed = 5602,
    MacroTooLong = 5603,

    // Reference books
    RefBookLineError = 5100,
    NameExists = 5101,
    NotANumber = 5102,
    BooksNotEditable = 5103,       // "%s": the books could not be read, so they are not edited or written

    // Projects and the working folder
    ProjectDamaged = 5310,
    ProjectVersion = 5311,
    FolderMissing = 5312,
    NameTaken = 5313,
    CountDiffers = 5314,
    OtherFileType = 5315,
    TypesOrModesDiffer = 5316,
    ProjectTooManyCells = 5317,
    PercentileBindingsLost = 5318, // question: cells "%s" read percentiles the new set lacks    // "'%s': the project's tables hold more than %lld cells"
    ProjectChanged = 5500,         // question: save the project's changes?
    DeleteOne = 5501,              // question
    DeleteMany = 5502,             // question
    CopyFailed = 5503,
    Overwrite = 363,               // question
    EnterFileName = 352,

    // The project files window, reference books, summaries and dumps
    SharedFileInUse = 5800,        // "'%s' is a data file or the project file"
    SourceNameInUse = 5801,        // question: the uses are renamed with it; continue?
    BookInUse = 5802,              // question: the book's uses are renamed with it; continue?
    BookRecordInUse = 5803,        // question: formulas read this book by index

    // The time plot and the histogram plot
    MarkersNotSet = 6000,          // a range command before both markers were placed
    MarkersCoincide = 6001,        // the markers give an empty range
    BadPlotRange = 6002,           // "%s": a range of the batch tool's plot is not valid
    NoPlotCurve = 6003,            // no chosen parameter has samples to draw
    MarkersOutsideView = 6011,     // both markers lie beyond the same end of the visible range

    // The report document
    NotWordDocument = 6200,        // "'%s' is not a Word document (.docx)"
    PlaceholderMissing = 6201,     // skipped: "%s" is not in the template
    PictureMissing = 6202,         // skipped: illustration "%s", its file "%s" does not exist
    PictureUnreadable = 6203,      // "The picture '%s' cannot be read"
    TableGraphUnavailable = 6204,  // skipped: illustration "%s", the graph of table "%s" cannot be drawn here
    TableNotInReport = 6205,       // skipped: "%s", every row or column of table "%s" is excluded
    NoSuchReportTable = 6206,      // skipped: illustration "%s" names report table %d, which is gone
    PictureNotConverted = 6207,    // "The picture '%s': this format cannot be converted here"
    ReportSkipped = 6208,          // "Skipped", before each item the report left out
    BoundCellWithoutValue = 6209,  // notice: a bound cell of a report table has no value (not yet calculated)
    // The cell format dialog
    DecimalsOutOfRange = 6412,     // "the number of decimals must be 0 to %d"
    CellSizeOutOfRange = 6413,     // "width and height must be 1 to %d pixels"
    FontSizeOutOfRange = 6414,     // "the font size must be 1 to 7"

    // Periods and events: the period scheme file, the settings, the results
    SchemeLineUnreadable = 6900,   // "%s", line %d: not "name HH:MM penalty"
    SchemeTimeOutOfDay = 6901,     // "%s", line %d: the time "%s" is not 00:00 to 23:59
    SchemePenaltyOutOfRange = 6902,  // "%s", line %d: the penalty "%s" is not a number from -100 to 100
    SchemeOutOfOrder = 6903,       // "%s", line %d: starts follow the day from the first one, none repeated
    SchemeEmpty = 6904,            // "%s" names no period
    SchemeTooManyPeriods = 6905,   // "%s" has more than %d periods
    SchemeFileTooLarge = 6906,     // "%s" is larger than %d bytes
    IndicatorsNeedLevels = 6907,   // "%s" is no series of levels in time
    IndicatorsNeedTimeStep = 6908,  // the samples share one instant: no periods
    EventSettingsOutOfRange = 6909,  // minimum duration and merge gap 0 to 86400 s, a finite threshold
    ExposureTimeOutOfRange = 6910,   // Te above 0 and at most 8760 h
    TablesWritten = 6911,          // notice: "The tables were written to %s"
    PictureLeftBlank = 7100,       // notice: illustration "%s": picture '%s' was never drawn on, left out

    // The report as PDF, converted by LibreOffice
    PdfConverterMissing = 7200,          // no LibreOffice on PATH: the package to install
    PdfConversionTimedOut = 7201,        // the PDF "%s" not written within %d s; LibreOffice stopped
    PdfConversionFailed = 7202,          // the PDF "%s" failed, exit code %d, then LibreOffice's last lines
    PdfConversionFailedSilently = 7203,  // the same when LibreOffice said nothing
    PdfNotWritten = 7204,                // LibreOffice ended without the PDF "%s", then its last lines
    PdfNotWrittenSilently = 7205,        // the same when LibreOffice said nothing
};

}  // namespace msg

// The severity of a message of the string table: notices are the few that
// report something done or chosen by the user; everything else is a failure.
constexpr Severity severityOf(int id) {
    switch (id) {
        case msg::InsufficientSamples:
        case msg::Cancelled:
        case msg::NothingToCalculate:
        // What a report leaves out: the report is still written.
        case msg::PlaceholderMissing:
        case msg::PictureMissing:
        case msg::PictureUnreadable:
        case msg::TableGraphUnavailable:
        case msg::TableNotInReport:
        case msg::NoSuchReportTable:
        case msg::PictureNotConverted:
        case msg::ReportSkipped:
        case msg::BoundCellWithoutValue:
        case msg::TablesWritten:
        case msg::PictureLeftBlank:
            return Severity::Notice;
        default:
            return Severity::Failure;
    }
}

}  // namespace phonotab
